#include "model/detail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "support/model_heap.h"

namespace {

// The edge number of the pair of corners {a, b}: 0 {1,2}, 1 {0,2}, 2 {0,1},
// 3 {0,3}, 4 {1,3}, 5 {2,3}.
int EdgeNumberOfCorners(int a, int b) {
  std::set<int> pair{a, b};
  const std::set<int> edges[6] = {{1, 2}, {0, 2}, {0, 1}, {0, 3}, {1, 3}, {2, 3}};
  for (int e = 0; e < 6; ++e)
    if (edges[e] == pair) return e;
  return -1;
}

}  // namespace

TEST(DetailTables, EachFaceHoldsTheThreeOtherCorners) {
  for (int face = 0; face < 4; ++face) {
    std::set<int> corners;
    for (int p = 0; p < 3; ++p) corners.insert(TDetail::FaceCornerMap(face, p));
    EXPECT_EQ(corners.size(), 3u);
    EXPECT_EQ(corners.count(face), 0u) << "face " << face << " is opposite its corner";
  }
  EXPECT_EQ(TDetail::FaceCornerMap(0, 0), 3);
  EXPECT_EQ(TDetail::FaceCornerMap(2, 1), 0);
  EXPECT_EQ(TDetail::FaceCornerMap(4, 0), -1);
  EXPECT_EQ(TDetail::FaceCornerMap(0, 3), -1);
}

TEST(DetailTables, OppositeCornerIsTheCommonPosition) {
  // Corner a stands in face b at the same position as corner b in face a.
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) {
      if (a == b) {
        EXPECT_EQ(OppositeCorner(a, b), -1);
        continue;
      }
      int position = OppositeCorner(a, b);
      ASSERT_GE(position, 0);
      EXPECT_EQ(TDetail::FaceCornerMap(b, position), a) << a << " in face " << b;
      EXPECT_EQ(TDetail::FaceCornerMap(a, position), b) << b << " in face " << a;
    }
  }
  EXPECT_EQ(OppositeCorner(2, 3), 2);
  EXPECT_EQ(OppositeCorner(1, 2), 0);
  EXPECT_EQ(OppositeCorner(0, 5), -1);
}

TEST(DetailTables, EdgeIndexNamesTheEdgeOppositeTheCorner) {
  // The edge at position p of face f joins the two corners of f other than
  // the one at p.
  for (int face = 0; face < 4; ++face) {
    for (int p = 0; p < 3; ++p) {
      int a = TDetail::FaceCornerMap(face, (p + 1) % 3);
      int b = TDetail::FaceCornerMap(face, (p + 2) % 3);
      EXPECT_EQ(EdgeIndexOfCorners(face, p), EdgeNumberOfCorners(a, b)) << face << "," << p;
    }
  }
  EXPECT_EQ(EdgeIndexOfCorners(0, 1), 4);
  EXPECT_EQ(EdgeIndexOfCorners(1, 0), 3);
  EXPECT_EQ(EdgeIndexOfCorners(-1, 0), -1);
}

TEST(Detail, AFreshDetailIsUnglued) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle d(objects.CreateObject(kDetailKind));
  EXPECT_STREQ(d.DisplayName(), "v1");
  EXPECT_EQ(TDetail::Mark(d), 0);
  const TDetail* detail = TDetail::Of(d);
  ASSERT_NE(detail, nullptr);
  for (int f = 0; f < 4; ++f) {
    EXPECT_FALSE(TDetail::Partner(d, f).IsValid());
    EXPECT_EQ(TDetail::PartnerFace(d, f), -1);
    EXPECT_EQ(detail->edgeSlot[f], -1);
    EXPECT_EQ(detail->edgeIndex[f], -1);
    for (int p = 0; p < 3; ++p) EXPECT_EQ(TDetail::Correspondence(d, f, p), -1);
  }
  for (int e = 0; e < 6; ++e) EXPECT_EQ(detail->edgeValue[e], -1);
  EXPECT_EQ(TDetail::PartnerFace(nullptr, 0), -1);
  EXPECT_EQ(TDetail::Mark(nullptr), 0);
  EXPECT_EQ(TDetail::SetCorrespondence(nullptr, 0, 0, 1, 1), 1);
}

TEST(Detail, GluingFacesSetsBothSidesAndTheParityFollowsTheMap) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle a(objects.CreateObject(kDetailKind));
  THandle b(objects.CreateObject(kDetailKind));
  TDetail::GlueFaces(a, 1, b, 3, 2, 0, 1, 1);
  int x, y, z;
  TDetail::FaceCorrespondences(a, 1, &x, &y, &z);
  EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{2, 0, 1}));
  TDetail::FaceCorrespondences(b, 3, &x, &y, &z);
  EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(TDetail::Partner(a, 1).Object(), b.Object());
  EXPECT_EQ(TDetail::PartnerFace(b, 3), 1);
  EXPECT_TRUE(TDetail::FaceMapIsEven(a, 1));  // a rotation keeps the cyclic order

  struct Case {
    int x, y, z;
    bool even;
  };
  const Case cases[] = {{0, 1, 2, true}, {1, 2, 0, true}, {2, 0, 1, true},
                        {0, 2, 1, false}, {1, 0, 2, false}, {2, 1, 0, false}};
  for (const Case& c : cases) {
    THandle d(objects.CreateObject(kDetailKind));
    THandle e(objects.CreateObject(kDetailKind));
    ASSERT_EQ(GlueDetailsSymmetric(d, 0, e, 2, c.x, c.y, c.z, 1), 1);
    EXPECT_EQ(TDetail::FaceMapIsEven(d, 0), c.even) << c.x << c.y << c.z;
    EXPECT_EQ(TDetail::FaceMapIsEven(e, 2), c.even);  // the inverse has the same parity
    // The two maps are inverse to each other.
    for (int p = 0; p < 3; ++p)
      EXPECT_EQ(TDetail::Correspondence(e, 2, TDetail::Correspondence(d, 0, p)), p);
  }
  EXPECT_FALSE(TDetail::FaceMapIsEven(nullptr, 0));

  // A map that is no permutation of the three corners glues nothing.
  THandle d(objects.CreateObject(kDetailKind));
  EXPECT_EQ(GlueDetailsSymmetric(a, 0, d, 0, 0, 0, 1, 1), 0);
  TDetail::GlueFaces(a, 2, d, 1, 0, 3, 1, 1);
  EXPECT_FALSE(TDetail::Partner(a, 0).IsValid());
  EXPECT_FALSE(TDetail::Partner(a, 2).IsValid());
  EXPECT_EQ(TDetail::Correspondence(d, 1, 0), -1);
}

TEST(Detail, ASecondGluingOfACornerIsRefusedUnlessOverwriting) {
  TScopedModelHeap heap;
  TObjectManager objects;
  objects.SetCreationTag(1);
  THandle d(objects.CreateObject(kDetailKind));
  d.SetName(nullptr, "T");
  ASSERT_EQ(TDetail::SetCorrespondence(d, 2, 1, 0, 1), 1);
  EXPECT_EQ(TDetail::SetCorrespondence(d, 2, 1, 2, 1), 0);
  EXPECT_EQ(TDetail::Correspondence(d, 2, 1), 0);
  TString last;
  GetLastStatusText(last);
  EXPECT_EQ(std::string(last.CStr()), "Detail representation error : Gluing of T_3 arc 2 is already defined");
  EXPECT_EQ(TDetail::SetCorrespondence(d, 2, 1, 2, 2), 1);
  EXPECT_EQ(TDetail::Correspondence(d, 2, 1), 2);
  EXPECT_EQ(TDetail::SetCorrespondence(d, 4, 0, 1, 2), 0);  // no such face
}

TEST(Detail, AttachingEdgeEndsRecordsTheirSlots) {
  TScopedModelHeap heap;
  TComplex spine;
  TObjectManager& objects = spine.Objects();
  THandle d(objects.CreateObject(kDetailKind));
  THandle v(objects.CreateObject(kVertexKind));
  THandle e(objects.CreateObject(kEdgeKind));
  THandle f(objects.CreateObject(kEdgeKind));
  TDetail::SetVertex(d, v);
  TDetail::AttachEdgeEnd(d, e, 1, 2);
  TDetail::AttachEdgeEnd(d, f, 2, 0);
  EXPECT_EQ(TDetail::FaceEdge(d, 2).Object(), e.Object());
  EXPECT_EQ(TDetail::FaceEdge(d, 0).Object(), f.Object());
  EXPECT_EQ(TDetail::FaceFlag(d, 0), 2);
  EXPECT_EQ(TEdge::End(f, 2).Object(), v.Object());
  EXPECT_FALSE(TDetail::FaceEdge(d, 1).IsValid());

  // Faces found from the spine's edges: face 2 holds e's first end.
  TDetail* detail = TDetail::Of(d);
  detail->edgeIndex[2] = objects.IndexOf(e);
  detail->edgeIndex[0] = objects.IndexOf(f);
  EXPECT_EQ(TDetail::FaceOfEdge(d, spine, e, 1, 0), 2);
  EXPECT_EQ(TDetail::FaceOfEdge(d, spine, e, 1, 1), -1);
  EXPECT_EQ(TDetail::FaceOfEdge(d, spine, f, 2, 0), 0);
  // e, passed against, arrives through face 2; f leaves through face 0.
  EXPECT_EQ(TDetail::CommonEdge(d, spine, e, 2, f, 2), OppositeCorner(2, 0));

  TDetail::SetEdgeValue(d, 11, 0, 1);
  EXPECT_EQ(TDetail::EdgeValue(d, 0, 1), 11);
  EXPECT_EQ(detail->edgeValue[4], 11);
  TDetail::ClearVertex(d);
  EXPECT_FALSE(TDetail::Vertex(d).IsValid());
  EXPECT_FALSE(TDetail::FaceEdge(d, 2).IsValid());
}

// Spines of Heegaard diagrams and the loaders of the document parse: known
// homology through the model's homology, source kinds, refusals with their
// status texts, and the star road's refusal that leaves the diagram alone.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "model/homology.h"
#include "model/homology_normal_form.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "support/model_heap.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

std::vector<std::int32_t> SpineHomology(TSpine& spine) {
  spine.ComputeHomology();
  return spine.HomologyList() != nullptr ? spine.HomologyList()->Elements()
                                         : std::vector<std::int32_t>{};
}

TEST(HeegaardSpine, SphereAndLensSpaces) {
  TScopedModelHeap heap;
  {
    TSpine spine;
    ASSERT_EQ(LoadHeegaardDiagram(spine, "heegaard 0 1 1 0 0 0"), 1);
    EXPECT_EQ(spine.SourceKind(), kSourceHeegaardDiagram);
    EXPECT_EQ(SpineHomology(spine), std::vector<std::int32_t>{1});
  }
  for (int p = 2; p <= 11; ++p) {
    for (int q = 1; q < p; ++q) {
      if (std::gcd(p, q) != 1) continue;
      const std::string text = "heegaard 0 " + std::to_string(p) + " 1 0 " + std::to_string(q) + " 0";
      TSpine spine;
      ASSERT_EQ(LoadHeegaardDiagram(spine, text.c_str()), 1) << text;
      EXPECT_EQ(SpineHomology(spine), std::vector<std::int32_t>{p}) << text;
    }
  }
}

TEST(HeegaardSpine, SpecialSpinesWithTheHomologyOfTheRelationMatrix) {
  TScopedModelHeap heap;
  int checked = 0;
  for (int a = 0; a <= 2; ++a)
    for (int b1 = 0; b1 <= 2; ++b1)
      for (int b2 = 0; b2 <= 1; ++b2)
        for (int c1 = 0; c1 <= 2; ++c1)
          for (int d = 0; d <= 2; ++d) {
            const int n1 = a + b1 + b2 + d;
            const int n2 = a + c1 + d;
            for (int s1 = 0; s1 < std::max(n1, 1); ++s1)
              for (int s2 = 0; s2 < std::max(n2, 1); ++s2) {
                THeegaardDiagram x;
                if (!x.SetFromSix(a, b1, b2, c1, 0, d, s1, s2) || x.IsValid() == 0) continue;
                if (x.CurveCount() != 2) continue;
                TSpine spine;
                if (x.BuildSpine(spine) == 5) continue;
                // The extra disc is gone and the cells that met there united.
                ASSERT_EQ(spine.IsSpecial(1), 1);
                THomologyList list;
                x.RelationMatrix(&list);
                ASSERT_EQ(HomologyGroupsEqual(list.Elements(), SpineHomology(spine)), 1)
                    << a << " " << b1 << " " << b2 << " " << c1 << " " << d << " " << s1 << " " << s2;
                ++checked;
              }
          }
  EXPECT_GT(checked, 300);
}

TEST(HeegaardSpine, RelationMatrixOfLensSpaceAndOfNoCurves) {
  TScopedModelHeap heap;
  THeegaardDiagram lens;
  ASSERT_TRUE(lens.SetFromFour(0, 5, 1, 0, 2, 0));
  THomologyList* list = lens.RelationMatrix(nullptr);
  EXPECT_EQ(list->Elements(), std::vector<std::int32_t>{5});
  // A diagram without curves leaves the given list empty.
  THeegaardDiagram empty;
  ASSERT_TRUE(empty.SetFromFour(0, 0, 0, 0, 0, 0));
  empty.RelationMatrix(list);
  EXPECT_EQ(list->Count(), 0);
  delete list;
}

TEST(HeegaardSpine, LoaderRefusals) {
  TScopedModelHeap heap;
  {
    TSpine spine;
    EXPECT_EQ(LoadHeegaardDiagram(spine, "heegaard 0 0 0 0 0 0"), 0);
    EXPECT_TRUE(spine.IsEmpty());
    EXPECT_NE(LastStatus().find("has no arcs"), std::string::npos);
  }
  {
    TSpine spine;
    EXPECT_EQ(LoadHeegaardDiagram(spine, "heegaard 0 1 1 70000 0 0"), 0);
    EXPECT_TRUE(spine.IsEmpty());
    EXPECT_EQ(LastStatus(),
              "Heegaard diagram, line 1: the number \"70000\" is out of range (arc counts are 0 to 65535)");
  }
  {
    TSpine spine;
    EXPECT_EQ(LoadHeegaardDiagram(spine, "no diagram here"), 0);
    EXPECT_TRUE(spine.IsEmpty());
  }
}

TEST(HeegaardSpine, StarRefusalLeavesTheDiagramUnchanged) {
  TScopedModelHeap heap;
  THeegaardDiagram x;
  ASSERT_TRUE(x.SetFromSix(1, 2, 0, 2, 0, 1, 2, 0));  // five curves: not a star form
  x.SetKind(4);
  TSpine spine;
  EXPECT_EQ(x.BuildSpine(spine), 0);
  EXPECT_TRUE(spine.IsEmpty());
  EXPECT_EQ(x.A(), 1);
  EXPECT_EQ(x.B1(), 2);
  EXPECT_EQ(x.C1(), 2);
  EXPECT_EQ(x.D(), 1);
  EXPECT_EQ(x.Shift1(), 2);
  EXPECT_EQ(x.Kind(), 4);
  // The loader counts the text as read but names why nothing was built.
  TSpine other;
  EXPECT_EQ(LoadHeegaardDiagram(other, "heegaard * 1 2 2 1 2 0"), 1);
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_NE(LastStatus().find("star form"), std::string::npos);
}

TEST(HeegaardSpine, StarFormWithoutThickeningKeepsItsHandlesClosed) {
  // Opened and reduced, this spine has a vertex of valency 3 and cannot be
  // thickened: the spine before the handles were opened stands.
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(LoadHeegaardDiagram(spine, "heegaard * 1 0 0 1 0 0"), 1);
  EXPECT_EQ(spine.SourceKind(), kSourceHeegaardDiagram);
  EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 16);  // one per detail
  EXPECT_EQ(spine.IsSpecial(1), 1);
  EXPECT_FALSE(spine.IsThickened());
}

TEST(HeegaardSpine, StarFormNumbersItsRing) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(LoadHeegaardDiagram(spine, "heegaard * 1 4 2 3 2 2"), 1);
  EXPECT_FALSE(spine.IsThickened());
  TObjectManager& objects = spine.Objects();
  // The ring's 2 (a + d) = 8 vertices are numbered 1 .. 8 in order, and the
  // reference cells 1 and 2 lead the sorted cells.
  std::vector<int> vertices;
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    vertices.push_back(THandle(v).Number());
  }
  EXPECT_EQ(vertices, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  TObjectHeader* first = objects.First(kCellKind);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(THandle(first).Number(), 1);
  EXPECT_EQ(THandle(objects.Next(first)).Number(), 2);
  // Edges are named after their end vertices.
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    const std::string name = "v" + std::to_string(TEdge::End(e, 1).Number()) + "v" +
                             std::to_string(TEdge::End(e, 2).Number());
    EXPECT_STREQ(THandle(e).DisplayName(), name.c_str());
  }
}

TEST(ExtHeegaardSpine, LoadsAndReportsTheBuildCode) {
  TScopedModelHeap heap;
  {
    TSpine spine;
    EXPECT_EQ(LoadExtHeegaardDiagram(spine, "extheegaard 3 1 1 0 0 2"), 1);
    EXPECT_EQ(spine.SourceKind(), kSourceExtHeegaardDiagram);
    EXPECT_EQ(spine.Objects().CountOfKind(kCellKind), 2 * 5 + 4);
    EXPECT_EQ(spine.IsSpecial(1), 1);
  }
  // Diagrams that are not regular are refused, the spine left empty, with
  // the rule they break.
  struct TRefusal {
    const char* text;
    const char* message;
  };
  const TRefusal refusals[] = {
      {"extheegaard 3 3 3 2 1 2", "breaks the parity rule"},
      {"extheegaard 1 1 1 1 1 1", "breaks the parity rule"},
      {"extheegaard 0 0 0 0 0 0", "needs three positive arc counts"},
      {"extheegaard -3 -3 -3 -2 -2 -2", "needs three positive arc counts"},
      {"extheegaard 3 1 1 0 0 6", "has a twist outside its range"},
  };
  for (const TRefusal& refusal : refusals) {
    TSpine spine;
    EXPECT_EQ(LoadExtHeegaardDiagram(spine, refusal.text), 0) << refusal.text;
    EXPECT_TRUE(spine.IsEmpty()) << refusal.text;
    const std::string status = LastStatus();
    EXPECT_EQ(status.rfind("Extended Heegaard diagram, line 1: the diagram \"extheegaard ...\" ", 0),
              0u)
        << status;
    EXPECT_NE(status.find(refusal.message), std::string::npos) << refusal.text << ": " << status;
  }
  {
    TSpine spine;
    EXPECT_EQ(LoadExtHeegaardDiagram(spine, "extheegaard 3 3 -0 2 1 2"), 0);
    EXPECT_TRUE(spine.IsEmpty());
    EXPECT_EQ(LastStatus(), "Extended Heegaard diagram, line 1: a number is expected at \"-0\"");
  }
  // Without a spine the build only gives the dual.
  TExtHeegaardDiagram x;
  x.Set(3, 1, 1, 0, 0, 2);
  TExtHeegaardDiagram dual;
  EXPECT_EQ(x.BuildSpine(nullptr, &dual), 1);
  EXPECT_EQ(dual.A(2), 3);
}

}  // namespace

#include "foundation/output.h"
#include "presentations/heegaard/heegaard_source_report.h"

namespace {

TEST(HeegaardSourceReport, ByTheSpinesSourceKind) {
  TOutput plain;
  EXPECT_EQ(PrintHeegaardSourceReport(plain, kSourceHeegaardDiagram, "heegaard 0 1 1 0 0 0"), 1);
  EXPECT_EQ(std::string(plain.Text()).rfind("Source diagram: 0 1 1 0 0 0\r\n", 0), 0u);
  TOutput extended;
  EXPECT_EQ(PrintHeegaardSourceReport(extended, kSourceExtHeegaardDiagram,
                                      "extheegaard 3 3 3 2 1 2"),
            1);
  EXPECT_EQ(std::string(extended.Text()),
            "Source diagram: 3 3 3 2 1 2\r\n\r\nEven violation\r\n\r\n");
  TOutput other;
  EXPECT_EQ(PrintHeegaardSourceReport(other, kSourceBoundaryCurves, "1 2 3"), 0);
  EXPECT_STREQ(other.Text(), "");
}

TEST(HeegaardSpine, ABuildStopsWhenAskedTo) {
  TScopedModelHeap heap;
  SuppressStatus();
  TSpine spine;
  RequestStop();
  EXPECT_THROW(LoadHeegaardDiagram(spine, "heegaard 0 2000 777 0 2 0"), TComputationStopped);
  StopFlags().stop.store(0);
  UnsuppressStatus();
}

}  // namespace

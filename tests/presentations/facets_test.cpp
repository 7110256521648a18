#include "presentations/triangulations/facets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "triangulation_homology_support.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

constexpr const char* kSimplexBoundary = "facets [[1,2,3,4],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,5]]";

TEST(Facets, BoundaryOfTheFourSimplexIsTheThreeSphere) {
  ASSERT_TRUE(IsFacetsText(kSimplexBoundary));
  TFacetsDescription facets;
  ASSERT_EQ(facets.Parse(kSimplexBoundary, nullptr, 1), 1);
  EXPECT_EQ(facets.Status(), TFacetsDescription::kGood);
  ASSERT_EQ(facets.SimplexCount(), 5);
  TTetrahedronList tetrahedra;
  EXPECT_EQ(facets.ToTetrahedra(tetrahedra), 20);
  EXPECT_TRUE(tetrahedra.IsClosed());
  EXPECT_TRUE(tetrahedra.IsConsistent());
  EXPECT_EQ(TriangulationHomology(tetrahedra), "0");
  // Every face of the boundary is glued label to label.
  for (int t = 0; t < 5; ++t) {
    const TFacetSimplex& s = facets.Simplex(t);
    for (int f = 0; f < 4; ++f) {
      const TFacetSimplex& n = facets.Simplex(tetrahedra.At(t).neighbour[f]);
      for (int c = 0; c < 4; ++c) {
        if (c == f) continue;
        EXPECT_EQ(n.labels[tetrahedra.At(t).gluing[f][static_cast<std::size_t>(c)]], s.labels[c]);
      }
    }
  }
}

TEST(Facets, LayoutVariantsReadAlike) {
  const char* texts[] = {
      "facets: [[1 2 3 4] [1 2 3 5] [1 2 4 5] [1 3 4 5] [2 3 4 5]]",
      "facets=[\r\n [1,2,3,4],\r\n [1,2,3,5], % a comment\r\n [1,2,4,5],[1,3,4,5],\t[2,3,4,5]\r\n]",
      "facets [[5,4,3,2],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,1]];",
  };
  for (const char* text : texts) {
    TFacetsDescription facets;
    EXPECT_EQ(facets.Parse(text, nullptr, 1), 1) << text;
    TTetrahedronList tetrahedra;
    facets.ToTetrahedra(tetrahedra);
    EXPECT_EQ(TriangulationHomology(tetrahedra), "0") << text;
  }
}

TEST(Facets, RecognitionTest) {
  EXPECT_TRUE(IsFacetsText("facets [[1,2,3,4],[1,2,3,5]]"));
  EXPECT_TRUE(IsFacetsText("% note\n  facets [[1,2,3,4]]"));
  EXPECT_FALSE(IsFacetsText("facets [[1,2,3,4]]  "));  // exactly 20 characters
  EXPECT_FALSE(IsFacetsText("Facets [[1,2,3,4],[1,2,3,5]]"));
  EXPECT_FALSE(IsFacetsText("triangulation [1,2,3,4] (1,2,3) - (1,2,4) end"));
}

TEST(Facets, FailuresHaveTheirStatusAndAMessageNamingTheEntry) {
  struct TCase {
    const char* text;
    int status;
    const char* message;
  };
  const TCase cases[] = {
      {"facets [[1,2,3,4],[1,2,3,5]]", TFacetsDescription::kUngluedFace,
       "Facets: the face {2,3,4} of entry 1 [1,2,3,4] is glued to no other simplex"},
      {"facets [[1,2,3,4],[1,2,3,5],[1,2,3,6]]", TFacetsDescription::kFaceSharedByThree,
       "Facets: the face {1,2,3} of entry 3 [1,2,3,6] is shared by more than two simplices"},
      {"facets [[1,2,3,4],[1,2,3]]", TFacetsDescription::kLabelNotANumber,
       "Facets: vertex label 4 of entry 2 is not a number at ']]'"},
      {"facets [[1,2,3,4],[1,2,x,4]]", TFacetsDescription::kLabelNotANumber,
       "Facets: vertex label 3 of entry 2 is not a number at 'x,4]]'"},
      {"facets [[1,2,3,4,5],[1,2,3,5]]", TFacetsDescription::kMissingClosingBracket,
       "Facets: entry 1 should end with ']' after four vertex labels, at '5],[1,2,3,5]]'"},
      {"facets [[1,2,3,4],(1,2,3,5)]", TFacetsDescription::kMissingOpeningBracket,
       "Facets: entry 2 should start with '[' at '(1,2,3,5)]'"},
      {"facets 1,2,3,4 and more text", TFacetsDescription::kMissingOpeningBracket,
       "Facets: entry 1 should start with '[' at '1,2,3,4'"},
      {"facets [                    ", TFacetsDescription::kNoEntries, "Facets: the list has no entries"},
      {"facets [                    ]", TFacetsDescription::kMissingOpeningBracket,
       "Facets: entry 1 should start with '[' at ']'"},
      {"facets [[1,2,3,4],[1,2,2,5]]", TFacetsDescription::kRepeatedLabel,
       "Facets: entry 2 [1,2,2,5] names the vertex label 2 twice"},
  };
  for (const TCase& c : cases) {
    TFacetsDescription facets;
    EXPECT_EQ(facets.Parse(c.text, nullptr, 1), 0) << c.text;
    EXPECT_EQ(facets.Status(), c.status) << c.text;
    EXPECT_EQ(facets.SimplexCount(), 0) << c.text;
    EXPECT_EQ(LastStatus(), c.message) << c.text;
  }
}

TEST(Facets, EqualEntriesAreGluedAlongOneFaceOnly) {
  TFacetsDescription facets;
  ASSERT_EQ(facets.AddSimplex(1, 2, 3, 4), 1);
  ASSERT_EQ(facets.AddSimplex(1, 2, 3, 4), 1);
  EXPECT_EQ(facets.Simplex(0).neighbour[0], 1);
  EXPECT_EQ(facets.Simplex(0).neighbourFace[0], 0);
  EXPECT_EQ(facets.Simplex(0).neighbour[1], -1);
  EXPECT_EQ(facets.Simplex(1).neighbour[1], -1);
  // A third copy would share the glued face: refused, and nothing changes.
  EXPECT_EQ(facets.AddSimplex(1, 2, 3, 4), 0);
  EXPECT_EQ(facets.Status(), TFacetsDescription::kFaceSharedByThree);
  EXPECT_EQ(facets.SimplexCount(), 2);
  EXPECT_EQ(facets.Simplex(1).neighbour[0], 0);
}

TEST(Facets, RefusedSimplexLeavesEarlierGluingsAlone) {
  TFacetsDescription facets;
  ASSERT_EQ(facets.AddSimplex(1, 2, 3, 4), 1);
  ASSERT_EQ(facets.AddSimplex(1, 2, 3, 5), 1);
  // A copy of the first would glue to it along {2,3,4}, then meets the
  // second's glued face {1,2,3}.
  EXPECT_EQ(facets.AddSimplex(1, 2, 3, 4), 0);
  EXPECT_EQ(facets.SimplexCount(), 2);
  EXPECT_EQ(facets.Simplex(0).neighbour[0], -1) << "the face {2,3,4} of the first stays free";
}

TEST(Facets, FaceLookupAndCorners) {
  TFacetsDescription facets;
  ASSERT_EQ(facets.AddSimplex(7, 3, 9, 4), 1);
  EXPECT_EQ(facets.Simplex(0).SimplexFaceOfLabels(9, 4, 3), 0);
  EXPECT_EQ(facets.Simplex(0).SimplexFaceOfLabels(4, 7, 9), 1);
  EXPECT_EQ(facets.Simplex(0).SimplexFaceOfLabels(7, 3, 5), -1);
  EXPECT_EQ(facets.Simplex(0).CornerOfLabel(9), 2);
  EXPECT_EQ(facets.Simplex(0).CornerOfLabel(5), -1);
  int simplex = -1;
  int face = -1;
  EXPECT_EQ(facets.FindFace(3, 7, 9, simplex, face), 1);
  EXPECT_EQ(simplex, 0);
  EXPECT_EQ(face, 3);
  EXPECT_EQ(facets.FindFace(3, 7, 8, simplex, face), 0);
}

TEST(Facets, ListInsideOtherTextEndsAtTheFirstNonEntry) {
  TFacetsDescription facets;
  std::size_t position = 0;
  std::string text = "[1,2,3,4] [1,2,3,5] (2,3,4) - (2,3,5) end";
  ASSERT_EQ(facets.Parse(text, &position, 2), 1);
  EXPECT_EQ(facets.SimplexCount(), 2);
  EXPECT_EQ(text.substr(position, 7), "(2,3,4)");
  EXPECT_EQ(facets.Parse("(1,2,3) - (1,2,4)", &position, 2), 0);
  EXPECT_EQ(facets.Status(), TFacetsDescription::kMissingOpeningBracket);
}

// The gluing rule walked over every earlier simplex, written out plainly:
// the reader finds the simplices to visit through an index by face, and must
// glue and refuse exactly as this walk does.
struct TPlainFacets {
  std::vector<TFacetSimplex> simplices;

  bool Add(const int (&labels)[4]) {
    TFacetSimplex simplex;
    for (int i = 0; i < 4; ++i) simplex.labels[i] = labels[i];
    for (int i = 0; i < 4; ++i)
      for (int j = i + 1; j < 4; ++j)
        if (labels[i] == labels[j]) return false;
    for (int f = 0; f < 4; ++f) {
      for (int k = 0; k < 3; ++k) simplex.faceLabels[f][k] = labels[(f + 1 + k) % 4];
      std::sort(simplex.faceLabels[f], simplex.faceLabels[f] + 3);
    }
    simplex.index = static_cast<int>(simplices.size());
    auto complete = [](const TFacetSimplex& s) {
      return s.neighbour[0] >= 0 && s.neighbour[1] >= 0 && s.neighbour[2] >= 0 && s.neighbour[3] >= 0;
    };
    std::vector<std::array<int, 3>> glued;  // other, its face, new face
    for (const TFacetSimplex& other : simplices) {
      if (glued.size() >= 4 || complete(other) || complete(simplex)) continue;
      for (int fo = 0; fo < 4; ++fo) {
        int fn = 0;
        while (fn < 4 && !std::equal(other.faceLabels[fo], other.faceLabels[fo] + 3, simplex.faceLabels[fn])) ++fn;
        if (fn == 4) continue;
        if (other.neighbour[fo] >= 0 || simplex.neighbour[fn] >= 0) return false;
        simplex.neighbour[fn] = other.index;
        simplex.neighbourFace[fn] = fo;
        glued.push_back({other.index, fo, fn});
        break;
      }
    }
    for (const auto& g : glued) {
      simplices[static_cast<std::size_t>(g[0])].neighbour[g[1]] = simplex.index;
      simplices[static_cast<std::size_t>(g[0])].neighbourFace[g[1]] = g[2];
    }
    simplices.push_back(simplex);
    return true;
  }
};

TEST(Facets, IndexedGluingAgreesWithTheWalkOverAllSimplices) {
  std::mt19937 random(3);
  for (int round = 0; round < 300; ++round) {
    // Few labels, so that faces are shared often, by two simplices and more.
    const int labelCount = 5 + round % 4;
    TFacetsDescription facets;
    TPlainFacets plain;
    for (int n = 0; n < 40; ++n) {
      // Four distinct labels; now and then a repeated one, which is refused.
      std::vector<int> pool(static_cast<std::size_t>(labelCount));
      std::iota(pool.begin(), pool.end(), 1);
      std::shuffle(pool.begin(), pool.end(), random);
      int labels[4] = {pool[0], pool[1], pool[2], pool[3]};
      if (random() % 30 == 0) labels[3] = labels[0];
      const bool added = plain.Add(labels);
      ASSERT_EQ(facets.AddSimplex(labels[0], labels[1], labels[2], labels[3]) == 1, added) << round;
      if (!added) break;
    }
    ASSERT_EQ(facets.SimplexCount(), static_cast<int>(plain.simplices.size()));
    for (int i = 0; i < facets.SimplexCount(); ++i) {
      for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(facets.Simplex(i).neighbour[f], plain.simplices[i].neighbour[f]) << round;
        EXPECT_EQ(facets.Simplex(i).neighbourFace[f], plain.simplices[i].neighbourFace[f]) << round;
      }
    }
    // FindFace names the first simplex with the face.
    for (int a = 1; a <= labelCount; ++a) {
      int simplex = -1;
      int face = -1;
      const int found = facets.FindFace(a, a % labelCount + 1, (a + 1) % labelCount + 1, simplex, face);
      int expected = -1;
      for (const TFacetSimplex& s : plain.simplices) {
        if (s.SimplexFaceOfLabels(a, a % labelCount + 1, (a + 1) % labelCount + 1) >= 0) {
          expected = s.index;
          break;
        }
      }
      EXPECT_EQ(found == 1 ? simplex : -1, expected) << round;
    }
  }
}

}  // namespace

#include "presentations/triangulations/dehydration_code.h"

#include <gtest/gtest.h>

#include <string>

#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "triangulation_homology_support.h"

namespace {

TTetrahedronList Dehydrated(const std::string& text) {
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  TDehydrationError error = DecodeDehydration(text, tetrahedra, position);
  EXPECT_EQ(error, TDehydrationError::kNone) << text << " at " << position;
  return tetrahedra;
}

TEST(DehydrationCode, CensusDescriptionsAreTheManifoldsOfTheirSignatures) {
  struct TCase {
    const char* dehydration;
    const char* signature;
    const char* homology;
  };
  const TCase cases[] = {
      {"baaaabj", "bkaagj", "0"},            // S^3 from one tetrahedron
      {"cabbbbaei", "cPcbbbiht", "Z"},       // m004
      {"cabbbbapt", "cPcbbbdxm", "Z+Z_5"},   // m003
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.dehydration);
    ASSERT_TRUE(IsDehydratedText(c.dehydration));
    TTetrahedronList tetrahedra = Dehydrated(c.dehydration);
    EXPECT_TRUE(tetrahedra.IsClosed());
    EXPECT_TRUE(tetrahedra.IsConsistent());
    EXPECT_EQ(TriangulationHomology(tetrahedra), c.homology);
    EXPECT_EQ(CanonicalIsoSignature(tetrahedra), c.signature);
    EXPECT_EQ(CanonicalDehydration(tetrahedra), c.dehydration);
  }
}

TEST(DehydrationCode, SignatureTriangulationsDehydrateToTheCensusText) {
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  ASSERT_EQ(DecodeIsoSignature("cPcbbbdxm", tetrahedra, position), TIsoSigError::kNone);
  EXPECT_EQ(CanonicalDehydration(tetrahedra), "cabbbbapt");
  ASSERT_EQ(DecodeIsoSignature("fvPQcdecedekrsnrs", tetrahedra, position), TIsoSigError::kNone);
  std::string dehydration = CanonicalDehydration(tetrahedra);
  ASSERT_EQ(dehydration.size(), static_cast<std::size_t>(DehydrationLength(5)));
  EXPECT_EQ(CanonicalIsoSignature(Dehydrated(dehydration)), "fvPQcdecedekrsnrs");
}

TEST(DehydrationCode, RecognitionTest) {
  struct TCase {
    const char* text;
    bool recognised;
  };
  const TCase cases[] = {
      {"baaaabj", true},
      {"  cabbbbaei trailing words", true},
      {"% a comment\ncabbbbaei", true},
      {"cabbbbaei3", true},    // what follows the letter run is not examined
      {"baaaab", false},       // six letters are never enough
      {"aaaaaaa", false},      // n = 0
      {"baaaabjj", false},     // one letter too many
      {"bqaaabj", false},      // a bit letter beyond "p"
      {"cMcabbgqs", false},    // a signature: the letter run stops at "M"
      {"eaaaaaaaaaaaaaa", false},  // n = 4 needs 2 + 8 + 3 = 13 letters
      {"eaaaaaaaaaaaa", true},
      {"faaaaaaaaaaaaaaaa", true},  // n = 5 needs 4 bit letters, 17 in all
  };
  for (const TCase& c : cases) EXPECT_EQ(IsDehydratedText(c.text), c.recognised) << c.text;
}

TEST(DehydrationCode, MalformedDescriptionsAreRejected) {
  struct TCase {
    const char* text;
    TDehydrationError error;
    std::size_t position;
  };
  const TCase cases[] = {
      {"baaaaby", TDehydrationError::kPermutationOutOfRange, 6},  // index 24
      {"baaacbj", TDehydrationError::kTargetOutOfRange, 4},      // detail 2 of one
      {"baaaaba", TDehydrationError::kFaceAlreadyGlued, 4},      // face 1 onto face 2, glued already
      {"babaaaa", TDehydrationError::kWrongCount, 1},            // a new tetrahedron of one
      {"baaaajb", TDehydrationError::kFaceAlreadyGlued, 3},      // face 0 onto itself
      {"cPcbbbiht", TDehydrationError::kNotADescription, 0},
  };
  for (const TCase& c : cases) {
    TTetrahedronList tetrahedra;
    std::size_t position = 99;
    EXPECT_EQ(DecodeDehydration(c.text, tetrahedra, position), c.error) << c.text;
    EXPECT_EQ(position, c.position) << c.text;
  }
}

TEST(DehydrationCode, NoTextForLargeOrOpenTriangulations) {
  TTetrahedronList open;
  open.Reset(1);
  EXPECT_EQ(CanonicalDehydration(open), "");
  TTetrahedronList big;
  big.Reset(26);
  for (int t = 0; t < 26; ++t) {
    ASSERT_TRUE(big.Glue(t, 0, t, {1, 0, 2, 3}));
    ASSERT_TRUE(big.Glue(t, 2, (t + 1) % 26, {0, 1, 3, 2}));
  }
  ASSERT_TRUE(big.IsClosed());
  EXPECT_EQ(CanonicalDehydration(big), "");
  EXPECT_FALSE(CanonicalIsoSignature(big).empty());
}

}  // namespace

namespace {

TEST(DehydrationCode, AnyChangedLetterGivesARefusalOrAClosedTriangulation) {
  for (const char* known : {"baaaabj", "cabbbbapt", "fapaadecedenbokbo"}) {
    const std::string original = known;
    for (std::size_t i = 0; i < original.size(); ++i) {
      for (char c = 'a'; c <= 'z'; ++c) {
        std::string text = original;
        text[i] = c;
        TTetrahedronList tetrahedra;
        std::size_t position = 0;
        if (DecodeDehydration(text, tetrahedra, position) == TDehydrationError::kNone) {
          EXPECT_TRUE(tetrahedra.IsClosed() && tetrahedra.IsConsistent()) << text;
        }
      }
    }
  }
}

}  // namespace

#include "presentations/triangulations/iso_signature_code.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/permutation.h"
#include "presentations/triangulations/iso_sig_alphabet.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/vertex_map.h"
#include "triangulation_homology_support.h"

namespace {

TTetrahedronList Decoded(const std::string& word) {
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  TIsoSigError error = DecodeIsoSignature(word, tetrahedra, position);
  EXPECT_EQ(error, TIsoSigError::kNone) << word << " at " << position;
  return tetrahedra;
}

// A copy with the tetrahedra in another order and each one's vertices
// renamed: the same triangulation under another numbering.
TTetrahedronList Scrambled(const TTetrahedronList& tetrahedra, unsigned seed) {
  const int n = tetrahedra.Count();
  std::vector<int> place(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) place[static_cast<std::size_t>(i)] = (i * 7 + static_cast<int>(seed)) % n;
  // place must be a bijection: fall back to a rotation when 7 divides n.
  if (n % 7 == 0) {
    for (int i = 0; i < n; ++i) place[static_cast<std::size_t>(i)] = (i + static_cast<int>(seed)) % n;
  }
  std::vector<TVertexMap> rename(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    rename[static_cast<std::size_t>(i)] = VertexMapFromIndex(static_cast<int>((seed * 5 + i * 11) % 24));
  }
  TTetrahedronList result;
  result.Reset(n);
  for (int t = 0; t < n; ++t) {
    const TTetrahedron& old = tetrahedra.At(t);
    TTetrahedron& copy = result.At(place[static_cast<std::size_t>(t)]);
    const TVertexMap& r = rename[static_cast<std::size_t>(t)];
    for (int f = 0; f < 4; ++f) {
      int u = old.neighbour[f];
      copy.neighbour[r[static_cast<std::size_t>(f)]] = place[static_cast<std::size_t>(u)];
      copy.gluing[r[static_cast<std::size_t>(f)]] = ComposeVertexMaps(
          ComposeVertexMaps(rename[static_cast<std::size_t>(u)], old.gluing[f]), InverseVertexMap(r));
    }
  }
  return result;
}

struct TKnownSignature {
  const char* signature;
  const char* homology;
  const char* manifold;
};

const TKnownSignature kKnown[] = {
    {"bkaagj", "0", "S^3, one tetrahedron"},
    {"cMcabbgqs", "0", "S^3, two tetrahedra"},
    {"cMcabbjaj", "Z", "S^2 x S^1"},
    {"bkaajj", "Z_4", "L(4,1)"},
    {"bkaajn", "Z_5", "L(5,2)"},
    {"cPcbbbiht", "Z", "figure-eight knot complement (m004)"},
    {"cPcbbbdxm", "Z+Z_5", "m003"},
    {"fvPQcdecedekrsnrs", "0", "Poincare homology sphere"},
};

TEST(IsoSignatureCode, PublishedSignaturesDecodeToTheirManifoldsAndComeBack) {
  for (const TKnownSignature& known : kKnown) {
    SCOPED_TRACE(known.manifold);
    ASSERT_TRUE(IsIsoSignatureWord(known.signature));
    TTetrahedronList tetrahedra = Decoded(known.signature);
    EXPECT_TRUE(tetrahedra.IsClosed());
    EXPECT_TRUE(tetrahedra.IsConsistent());
    EXPECT_EQ(TriangulationHomology(tetrahedra), known.homology);
    EXPECT_EQ(CanonicalIsoSignature(tetrahedra), known.signature);
  }
}

TEST(IsoSignatureCode, SignatureDoesNotDependOnNumbering) {
  for (const TKnownSignature& known : kKnown) {
    TTetrahedronList tetrahedra = Decoded(known.signature);
    for (unsigned seed = 0; seed < 5; ++seed) {
      TTetrahedronList scrambled = Scrambled(tetrahedra, seed);
      ASSERT_TRUE(scrambled.IsConsistent());
      EXPECT_EQ(CanonicalIsoSignature(scrambled), known.signature) << seed;
    }
  }
}

TEST(IsoSignatureCode, CanonicalLabellingDecodesFromTheSignature) {
  TTetrahedronList tetrahedra = Scrambled(Decoded("fvPQcdecedekrsnrs"), 3);
  TTetrahedronList canonical;
  std::string signature = CanonicalIsoSignature(tetrahedra, &canonical);
  TTetrahedronList decoded = Decoded(signature);
  ASSERT_EQ(canonical.Count(), decoded.Count());
  for (int t = 0; t < canonical.Count(); ++t) {
    for (int f = 0; f < 4; ++f) {
      EXPECT_EQ(canonical.At(t).neighbour[f], decoded.At(t).neighbour[f]);
      EXPECT_EQ(canonical.At(t).gluing[f], decoded.At(t).gluing[f]);
    }
  }
}

TEST(IsoSignatureCode, UnreadableWordsAreRejectedWithTheirReason) {
  struct TCase {
    const char* word;
    TIsoSigError error;
    std::size_t position;
  };
  const TCase cases[] = {
      {"bkaa*j", TIsoSigError::kInvalidCharacter, 4},
      {"bkabgj", TIsoSigError::kDestinationOutOfRange, 3},    // destination 1 of n = 1
      {"bkaagy", TIsoSigError::kPermutationOutOfRange, 5},    // index 24
      {"bkaag-", TIsoSigError::kPermutationOutOfRange, 5},    // index 63
      {"bjaagj", TIsoSigError::kTooManyNewTetrahedra, 1},     // 9 = 1 + 4*2: a new one where none is left
      {"bkaagjj", TIsoSigError::kWrongLength, 6},
      {"bpaagj", TIsoSigError::kInvalidAction, 1},            // 15 = 3 + 4*3
      {"baaagj", TIsoSigError::kBoundaryFace, 1},
      {"aaaagj", TIsoSigError::kNotASignature, 0},
      {"bkaagc", TIsoSigError::kFaceAlreadyGlued, 3},         // face 2 onto face 1, glued already
      {"bkaagg", TIsoSigError::kFaceAlreadyGlued, 3},         // face 2 onto itself
  };
  for (const TCase& c : cases) {
    TTetrahedronList tetrahedra;
    std::size_t position = 99;
    EXPECT_EQ(DecodeIsoSignature(c.word, tetrahedra, position), c.error) << c.word;
    EXPECT_EQ(position, c.position) << c.word;
  }
}

TEST(IsoSignatureCode, TooManyNewTetrahedraAreRejected) {
  // Two tetrahedra with actions 1, 1, 2, 2: a second new tetrahedron where
  // only one exists.
  std::string word = "c";
  WriteIsoSigChar(word, 1 + 4 * 1 + 16 * 2);
  WriteIsoSigChar(word, 2);
  word += "aaaaaa";
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  EXPECT_EQ(DecodeIsoSignature(word, tetrahedra, position), TIsoSigError::kTooManyNewTetrahedra);
  EXPECT_EQ(position, 1u);
}

TEST(IsoSigAlphabet, CharactersAndNumbersRoundTrip) {
  for (int v = 0; v < 64; ++v) {
    int back = -1;
    ASSERT_TRUE(ReadIsoSigChar(IsoSigChar(v), back));
    EXPECT_EQ(back, v);
  }
  EXPECT_EQ(IsoSigChar(0), 'a');
  EXPECT_EQ(IsoSigChar(26), 'A');
  EXPECT_EQ(IsoSigChar(52), '0');
  EXPECT_EQ(IsoSigChar(62), '+');
  EXPECT_EQ(IsoSigChar(63), '-');
  int value = 7;
  EXPECT_FALSE(ReadIsoSigChar('*', value));
  EXPECT_EQ(value, 7);

  std::string text;
  WriteIsoSigNumber(text, 64 * 3 + 5, 2);
  EXPECT_EQ(text, "fd");
  std::uint64_t number = 0;
  EXPECT_TRUE(ReadIsoSigNumber(number, "fd", 2));
  EXPECT_EQ(number, 64u * 3 + 5);
  EXPECT_FALSE(ReadIsoSigNumber(number, "f", 2));
  EXPECT_FALSE(ReadIsoSigNumber(number, "f*", 2));

  EXPECT_EQ(Base64DigitCount(0), 0);
  EXPECT_EQ(Base64DigitCount(63), 1);
  EXPECT_EQ(Base64DigitCount(64), 2);
}

TEST(IsoSigAlphabet, SizesAndLengths) {
  EXPECT_EQ(IsoSignatureLength(1), 6u);
  EXPECT_EQ(IsoSignatureLength(2), 9u);
  EXPECT_EQ(IsoSignatureLength(62), 1u + 42 + 63 + 63);
  EXPECT_EQ(IsoSignatureLength(63), 3u + 42 + 64 + 64);
  EXPECT_EQ(IsoSignatureLength(64), 4u + 43 + 2 * 65 + 65);
  EXPECT_EQ(IsoSignatureTetrahedronCount("bkaagj"), 1);
  EXPECT_EQ(IsoSignatureTetrahedronCount("-b-"), 63);
  EXPECT_EQ(IsoSignatureTetrahedronCount("-cab"), 64);
  EXPECT_EQ(IsoSignatureTetrahedronCount("a"), -1);
  EXPECT_EQ(IsoSignatureTetrahedronCount("-caa"), -1);
  EXPECT_EQ(IsoSignatureTetrahedronCount("*"), -1);
  EXPECT_FALSE(IsIsoSignatureWord("bkaag"));
  EXPECT_FALSE(IsIsoSignatureWord("bkaagjj"));
  EXPECT_TRUE(IsIsoSignatureWord("bkaagj"));
}

TEST(IsoSigAlphabet, SixtyThreeTetrahedraWriteTheLongSize) {
  // A chain of 63 tetrahedra, each glued to the next along faces 2 and 3,
  // closed up by folding the two end faces.
  TTetrahedronList chain;
  chain.Reset(63);
  for (int t = 0; t + 1 < 63; ++t) ASSERT_TRUE(chain.Glue(t, 3, t + 1, {0, 1, 3, 2}));
  for (int t = 0; t < 63; ++t) ASSERT_TRUE(chain.Glue(t, 0, t, {1, 0, 2, 3}));
  ASSERT_TRUE(chain.Glue(0, 2, 62, {0, 1, 3, 2}));
  ASSERT_TRUE(chain.IsClosed());
  std::string signature = CanonicalIsoSignature(chain);
  ASSERT_EQ(signature.size(), IsoSignatureLength(63));
  EXPECT_EQ(signature.substr(0, 3), "-b-");
  EXPECT_TRUE(IsIsoSignatureWord(signature));
  TTetrahedronList back = Decoded(signature);
  EXPECT_EQ(CanonicalIsoSignature(back), signature);
}

TEST(VertexMap, LexicographicIndex) {
  EXPECT_EQ(VertexMapIndex({0, 1, 2, 3}), 0);
  EXPECT_EQ(VertexMapIndex({0, 1, 3, 2}), 1);
  EXPECT_EQ(VertexMapIndex({1, 2, 3, 0}), 9);
  EXPECT_EQ(VertexMapIndex({3, 2, 1, 0}), 23);
  EXPECT_EQ(VertexMapIndex({0, 0, 1, 2}), -1);
  for (int i = 0; i < kVertexMapCount; ++i) EXPECT_EQ(VertexMapIndex(VertexMapFromIndex(i)), i);
  TPermutation p;
  EXPECT_EQ(SetPermutationFromIndex(p, 13), 1);
  EXPECT_EQ(p.Count(), 4u);
  EXPECT_EQ(p.RankOf(), 13);
  EXPECT_EQ(SetPermutationFromIndex(p, 24), 0);
  EXPECT_EQ(p.RankOf(), 13);
}

}  // namespace

namespace {

// Every one-character change of a published code either is refused or reads
// as a consistent closed triangulation; nothing else can come out.
TEST(IsoSignatureCode, AnyChangedCharacterGivesARefusalOrAClosedTriangulation) {
  for (const char* known : {"bkaagj", "cPcbbbdxm", "fvPQcdecedekrsnrs"}) {
    const std::string original = known;
    for (std::size_t i = 0; i < original.size(); ++i) {
      for (int c = 0; c < 128; ++c) {
        std::string word = original;
        word[i] = static_cast<char>(c == 0 ? '\x80' : c);
        TTetrahedronList tetrahedra;
        std::size_t position = 0;
        if (DecodeIsoSignature(word, tetrahedra, position) == TIsoSigError::kNone) {
          EXPECT_TRUE(tetrahedra.IsClosed() && tetrahedra.IsConsistent()) << word;
        } else {
          EXPECT_LE(position, word.size()) << word;
        }
      }
    }
  }
}

}  // namespace

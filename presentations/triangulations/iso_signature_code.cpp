#include "presentations/triangulations/iso_signature_code.h"

#include <vector>

#include "presentations/triangulations/canonical_walk.h"
#include "presentations/triangulations/iso_sig_alphabet.h"

namespace {

bool IsWordBreak(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\v'; }

// The next free face at or after (t, f), in the order tetrahedra from 0,
// faces 0..3; false when none is left.
bool NextFreeFace(const TTetrahedronList& tetrahedra, int& t, int& f) {
  for (; t < tetrahedra.Count(); ++t, f = 0) {
    for (; f < 4; ++f) {
      if (!tetrahedra.IsGlued(t, f)) return true;
    }
  }
  return false;
}

void EncodeWalk(const TCanonicalWalk& walk, int n, std::string& text) {
  text.clear();
  const int b = n <= 62 ? 1 : Base64DigitCount(static_cast<std::uint64_t>(n));
  if (n <= 62) {
    WriteIsoSigChar(text, n);
  } else {
    WriteIsoSigChar(text, 63);
    WriteIsoSigChar(text, b);
    WriteIsoSigNumber(text, static_cast<std::uint64_t>(n), b);
  }
  const std::size_t count = walk.steps.size();
  for (std::size_t i = 0; i < count; i += 3) {
    int packed = 0;
    for (std::size_t j = 0; j < 3 && i + j < count; ++j) {
      packed |= static_cast<int>(walk.steps[i + j].kind) << (2 * j);
    }
    WriteIsoSigChar(text, packed);
  }
  for (const TWalkStep& step : walk.steps) {
    if (step.kind == TWalkStepKind::kReached) {
      WriteIsoSigNumber(text, static_cast<std::uint64_t>(step.destination), b);
    }
  }
  for (const TWalkStep& step : walk.steps) {
    if (step.kind == TWalkStepKind::kReached) WriteIsoSigChar(text, VertexMapIndex(step.map));
  }
}

}  // namespace

std::string_view FirstWord(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsWordBreak(text[begin])) ++begin;
  std::size_t end = begin;
  while (end < text.size() && !IsWordBreak(text[end])) ++end;
  return text.substr(begin, end - begin);
}

bool IsIsoSignatureWord(std::string_view word) {
  if (word.size() <= 5) return false;
  std::string copy(word);
  long n = IsoSignatureTetrahedronCount(copy.c_str());
  if (n < 1) return false;
  return IsoSignatureLength(static_cast<std::uint64_t>(n)) == word.size();
}

TIsoSigError DecodeIsoSignature(std::string_view word, TTetrahedronList& tetrahedra,
                                std::size_t& position) {
  position = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    int value = 0;
    if (!ReadIsoSigChar(word[i], value)) {
      position = i;
      return TIsoSigError::kInvalidCharacter;
    }
  }
  const std::string text(word);
  int b = 0;
  int consumed = 0;
  const long size = IsoSignatureSize(text.c_str(), b, consumed);
  // Every tetrahedron needs at least two characters, so a size beyond the
  // word's length cannot be right (and is never allocated).
  if (size < 1 || static_cast<std::uint64_t>(size) > word.size()) {
    return TIsoSigError::kNotASignature;
  }
  const int n = static_cast<int>(size);
  const std::size_t actionChars = (2 * static_cast<std::size_t>(n) + 2) / 3;
  if (consumed + actionChars > word.size()) {
    position = word.size();
    return TIsoSigError::kWrongLength;
  }

  std::vector<int> actions;
  actions.reserve(2 * static_cast<std::size_t>(n));
  int newCount = 0;
  int reachedCount = 0;
  for (std::size_t c = 0; c < actionChars; ++c) {
    int value = 0;
    ReadIsoSigChar(word[consumed + c], value);
    for (int j = 0; j < 3 && static_cast<int>(actions.size()) < 2 * n; ++j) {
      const int action = (value >> (2 * j)) & 3;
      position = consumed + c;
      if (action == 3) return TIsoSigError::kInvalidAction;
      if (action == 0) return TIsoSigError::kBoundaryFace;
      if (action == 1 && ++newCount > n - 1) return TIsoSigError::kTooManyNewTetrahedra;
      if (action == 2) ++reachedCount;
      actions.push_back(action);
    }
  }
  const std::size_t expected =
      consumed + actionChars + static_cast<std::size_t>(reachedCount) * (static_cast<std::size_t>(b) + 1);
  if (word.size() != expected) {
    position = word.size() < expected ? word.size() : expected;
    return TIsoSigError::kWrongLength;
  }

  tetrahedra.Reset(n);
  std::size_t destinationAt = consumed + actionChars;
  std::size_t permutationAt = destinationAt + static_cast<std::size_t>(reachedCount) * static_cast<std::size_t>(b);
  int t = 0;
  int f = 0;
  int nextNew = 1;
  for (int action : actions) {
    if (!NextFreeFace(tetrahedra, t, f)) {
      position = action == 2 ? destinationAt : consumed;
      return TIsoSigError::kNoFreeFace;
    }
    if (action == 1) {
      position = consumed;
      if (nextNew >= n) return TIsoSigError::kTooManyNewTetrahedra;
      if (!tetrahedra.Glue(t, f, nextNew, kIdentityVertexMap)) return TIsoSigError::kFaceAlreadyGlued;
      ++nextNew;
      continue;
    }
    std::uint64_t destination = 0;
    ReadIsoSigNumber(destination, text.c_str() + destinationAt, b);
    if (destination >= static_cast<std::uint64_t>(n)) {
      position = destinationAt;
      return TIsoSigError::kDestinationOutOfRange;
    }
    int index = 0;
    ReadIsoSigChar(word[permutationAt], index);
    if (index >= kVertexMapCount) {
      position = permutationAt;
      return TIsoSigError::kPermutationOutOfRange;
    }
    if (!tetrahedra.Glue(t, f, static_cast<int>(destination), VertexMapFromIndex(index))) {
      position = destinationAt;
      return TIsoSigError::kFaceAlreadyGlued;
    }
    destinationAt += static_cast<std::size_t>(b);
    ++permutationAt;
  }
  // 2n successful gluings glue all 4n faces, so the triangulation is closed.
  return TIsoSigError::kNone;
}

std::string IsoSignatureOfLabelling(const TTetrahedronList& tetrahedra, int start,
                                    const TVertexMap& labelling, TTetrahedronList* relabelled) {
  TCanonicalWalk walk;
  if (!WalkTriangulation(tetrahedra, start, labelling, walk)) return {};
  std::string text;
  EncodeWalk(walk, tetrahedra.Count(), text);
  if (relabelled != nullptr) RelabelledTetrahedra(tetrahedra, walk, *relabelled);
  return text;
}

std::string CanonicalIsoSignature(const TTetrahedronList& tetrahedra, TTetrahedronList* canonical) {
  const int n = tetrahedra.Count();
  if (n < 1 || !tetrahedra.IsConnected()) return {};
  TCanonicalWalk walk;
  TCanonicalWalk bestWalk;
  std::string text;
  std::string best;
  for (int start = 0; start < n; ++start) {
    for (int index = 0; index < kVertexMapCount; ++index) {
      if (!WalkTriangulation(tetrahedra, start, VertexMapFromIndex(index), walk)) return {};
      EncodeWalk(walk, n, text);
      if (best.empty() || text < best) {
        best.swap(text);
        if (canonical != nullptr) std::swap(bestWalk, walk);
      }
    }
  }
  if (canonical != nullptr) RelabelledTetrahedra(tetrahedra, bestWalk, *canonical);
  return best;
}

#include "presentations/triangulations/dehydration_code.h"

#include <vector>

#include "presentations/triangulations/canonical_walk.h"
#include "presentations/triangulations/prepared_text.h"

namespace {

constexpr TVertexMap kReversal = {3, 2, 1, 0};

int BitLetterCount(int n) { return 2 * ((n + 3) / 4); }

// The gluing written by sigma: v goes to sigma[3 - v].
TVertexMap GluingOfSigma(const TVertexMap& sigma) { return ComposeVertexMaps(sigma, kReversal); }
// The converse: sigma[u] = g(3 - u).
TVertexMap SigmaOfGluing(const TVertexMap& gluing) { return ComposeVertexMaps(gluing, kReversal); }

bool NextFreeFace(const TTetrahedronList& tetrahedra, int& t, int& f) {
  for (; t < tetrahedra.Count(); ++t, f = 0) {
    for (; f < 4; ++f) {
      if (!tetrahedra.IsGlued(t, f)) return true;
    }
  }
  return false;
}

bool IsUntouched(const TTetrahedronList& tetrahedra, int t) {
  for (int f = 0; f < 4; ++f) {
    if (tetrahedra.IsGlued(t, f)) return false;
  }
  return true;
}

// Writes the walk; false when it cannot be written (an unglued face).
bool EncodeWalk(const TCanonicalWalk& walk, int n, std::string& text) {
  text.assign(static_cast<std::size_t>(DehydrationLength(n)), 'a');
  text[0] = static_cast<char>('a' + n);
  const std::size_t targetsAt = 1 + static_cast<std::size_t>(BitLetterCount(n));
  std::size_t target = targetsAt;
  std::size_t permutation = targetsAt + static_cast<std::size_t>(n) + 1;
  std::vector<int> bytes(static_cast<std::size_t>(BitLetterCount(n) / 2), 0);
  int k = 0;
  for (const TWalkStep& step : walk.steps) {
    if (step.kind == TWalkStepKind::kBoundary) return false;
    if (step.kind == TWalkStepKind::kNew) {
      bytes[static_cast<std::size_t>(k / 8)] |= 1 << (k % 8);
    } else {
      if (permutation >= text.size()) return false;
      text[target++] = static_cast<char>('a' + step.destination);
      text[permutation++] = static_cast<char>('a' + VertexMapIndex(SigmaOfGluing(step.map)));
    }
    ++k;
  }
  if (permutation != text.size()) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[1 + 2 * i] = static_cast<char>('a' + bytes[i] / 16);
    text[2 + 2 * i] = static_cast<char>('a' + bytes[i] % 16);
  }
  return true;
}

}  // namespace

int DehydrationLength(int n) { return 2 * n + BitLetterCount(n) + 3; }

std::string_view DehydrationRun(std::string_view prepared) {
  std::size_t begin = 0;
  while (begin < prepared.size() && (prepared[begin] == ' ' || prepared[begin] == '\t')) ++begin;
  std::size_t end = begin;
  while (end < prepared.size() && prepared[end] >= 'a' && prepared[end] <= 'z') ++end;
  return prepared.substr(begin, end - begin);
}

bool IsDehydratedWord(std::string_view prepared) {
  std::string_view run = DehydrationRun(prepared);
  if (run.size() <= 6 || run[0] == 'a') return false;
  const int n = run[0] - 'a';
  if (run.size() != static_cast<std::size_t>(DehydrationLength(n))) return false;
  for (int i = 1; i <= BitLetterCount(n); ++i) {
    if (run[static_cast<std::size_t>(i)] > 'p') return false;
  }
  return true;
}

bool IsDehydratedText(std::string_view text) { return IsDehydratedWord(PreparedText(text)); }

TDehydrationError DecodeDehydration(std::string_view prepared, TTetrahedronList& tetrahedra,
                                    std::size_t& position) {
  position = 0;
  if (!IsDehydratedWord(prepared)) return TDehydrationError::kNotADescription;
  const std::string_view run = DehydrationRun(prepared);
  const int n = run[0] - 'a';
  const std::size_t bitsAt = 1;
  const std::size_t targetsAt = bitsAt + static_cast<std::size_t>(BitLetterCount(n));
  const std::size_t permutationsAt = targetsAt + static_cast<std::size_t>(n) + 1;

  auto bit = [&](int k) {
    const std::size_t pair = bitsAt + 2 * static_cast<std::size_t>(k / 8);
    const int byte = 16 * (run[pair] - 'a') + (run[pair + 1] - 'a');
    return (byte >> (k % 8)) & 1;
  };
  int oldGluings = 0;
  for (int k = 0; k < 2 * n; ++k) oldGluings += bit(k) == 0 ? 1 : 0;
  if (oldGluings != n + 1) {
    position = bitsAt;
    return TDehydrationError::kWrongCount;
  }

  tetrahedra.Reset(n);
  std::size_t target = targetsAt;
  std::size_t permutation = permutationsAt;
  int t = 0;
  int f = 0;
  for (int k = 0; k < 2 * n; ++k) {
    position = bitsAt + 2 * static_cast<std::size_t>(k / 8);
    if (!NextFreeFace(tetrahedra, t, f)) return TDehydrationError::kNoFreeFace;
    if (bit(k) == 1) {
      // The current tetrahedron may itself be untouched (the first gluing of
      // all); the new one is another.
      int fresh = 0;
      while (fresh < n && (fresh == t || !IsUntouched(tetrahedra, fresh))) ++fresh;
      if (fresh == n) return TDehydrationError::kNoNewTetrahedron;
      tetrahedra.Glue(t, f, fresh, kIdentityVertexMap);
      continue;
    }
    position = target;
    const int destination = run[target++] - 'a';
    if (destination >= n) return TDehydrationError::kTargetOutOfRange;
    position = permutation;
    const int index = run[permutation++] - 'a';
    if (index >= kVertexMapCount) return TDehydrationError::kPermutationOutOfRange;
    position = target - 1;
    if (!tetrahedra.Glue(t, f, destination, GluingOfSigma(VertexMapFromIndex(index)))) {
      return TDehydrationError::kFaceAlreadyGlued;
    }
  }
  return TDehydrationError::kNone;
}

std::string DehydrationOfLabelling(const TTetrahedronList& tetrahedra, int start,
                                   const TVertexMap& labelling) {
  const int n = tetrahedra.Count();
  if (n < 1 || n > kMaxDehydratedTetrahedra) return {};
  TCanonicalWalk walk;
  if (!WalkTriangulation(tetrahedra, start, labelling, walk)) return {};
  std::string text;
  if (!EncodeWalk(walk, n, text)) return {};
  return text;
}

std::string CanonicalDehydration(const TTetrahedronList& tetrahedra) {
  const int n = tetrahedra.Count();
  if (n < 1 || n > kMaxDehydratedTetrahedra || !tetrahedra.IsClosed() || !tetrahedra.IsConnected()) {
    return {};
  }
  TCanonicalWalk walk;
  std::string text;
  std::string best;
  for (int start = 0; start < n; ++start) {
    for (int index = 0; index < kVertexMapCount; ++index) {
      if (!WalkTriangulation(tetrahedra, start, VertexMapFromIndex(index), walk)) return {};
      if (!EncodeWalk(walk, n, text)) return {};
      if (best.empty() || text < best) best.swap(text);
    }
  }
  return best;
}

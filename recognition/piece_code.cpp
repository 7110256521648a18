// Piece codes: builders, blocks and comparisons. See piece_code.h.
#include "recognition/piece_code.h"

#include <cmath>
#include <cstring>

#include "model/molecule_vertex.h"
#include "model/vertex.h"

namespace {

constexpr int kSpineRecordWords = 22;
constexpr int kSignatureWord = 21;

bool BallCountDecides(int type) {
  return (type >= 1 && type <= 8) || (type >= 11 && type <= 14) || type == 16 || type == 17;
}

int Sign(std::int64_t x, std::int64_t y) {
  if (x == y) return kCodeEqual;
  return x < y ? kCodeLess : kCodeGreater;
}

TPieceCode NewCode(int type, int size) {
  TPieceCode code;
  code.Resize(size);
  code.SetWord(kCodeType, type);
  return code;
}

}  // namespace

TPieceCode::TPieceCode() : words_(kCodeHeaderWords, 0) {
  words_[kCodeSize] = kCodeHeaderWords;
  words_[kCodeCompareLength] = -1;
  for (int i = kCodeInvariantOffset; i <= kCodeVolumeOffset; ++i) words_[static_cast<std::size_t>(i)] = -1;
  words_[kCodeReducibleCache] = -1;
}

std::int32_t TPieceCode::Word(int i) const {
  return i >= 0 && i < Size() ? words_[static_cast<std::size_t>(i)] : 0;
}

void TPieceCode::SetWord(int i, std::int32_t value) {
  if (i > 0 && i < Size()) words_[static_cast<std::size_t>(i)] = value;
}

int TPieceCode::CompareLength() const {
  const int n = Word(kCodeCompareLength);
  return n > 0 && n <= Size() ? n : Size();
}

void TPieceCode::Resize(int size) {
  if (size < kCodeHeaderWords) size = kCodeHeaderWords;
  words_.resize(static_cast<std::size_t>(size), 0);
  words_[kCodeSize] = size;
}

void TPieceCode::InsertWords(int position, const std::vector<std::int32_t>& words) {
  words_.insert(words_.begin() + position, words.begin(), words.end());
  words_[kCodeSize] = Size();
}

void TPieceCode::Finish() {
  words_[kCodeCompareLength] = Size();
  UpdateChecksum(*this);
}

TPieceCode BuildTrivialCode() {
  TPieceCode code = NewCode(kTrivialCode, 16);
  code.Finish();
  return code;
}

TPieceCode BuildLensCode(int p, int q) {
  TPieceCode code = NewCode(kLensCode, 18);
  code.SetWord(16, p);
  code.SetWord(17, q);
  code.Finish();
  return code;
}

TPieceCode BuildPieceCode(const TObjectHeader* vertex, int mode) {
  const int type = TMoleculeVertex::AtomType(vertex);
  const int n = type == kSolidTorusAtom ? 1
                : (type == kExceptionalAtom || type == kVirtualAtom)
                    ? 0
                    : TMoleculeVertex::PairCount(vertex);
  TPieceCode code = NewCode(kSeifertCode, 2 * n + 27);
  switch (type) {
    case kSolidTorusAtom:
      code.SetWord(22, 1);
      code.SetWord(23, 1);
      code.SetWord(24, 0);
      code.SetWord(25, -1);
      break;
    case kExceptionalAtom: {
      TAtomTriple key;
      TMoleculeVertex::Triple(vertex, key);
      // The vertex keeps the record index and the sub-index of its table
      // key; the census words (17 to 19) are not held by the vertex.
      code.SetWord(16, 1);
      code.SetWord(20, key.first);
      code.SetWord(21, key.second);
      code.SetWord(22, 1);
      code.SetWord(23, TVertex::Valency(vertex));
      code.SetWord(24, 2);
      code.SetWord(25, 0x7FFFFFFE);
      break;
    }
    case kVirtualAtom:
      code.SetWord(23, 1);
      code.SetWord(24, -1);
      code.SetWord(25, -2147483647);
      break;
    default:
      code.SetWord(22, 1);
      code.SetWord(23, TMoleculeVertex::FlagC(vertex));
      code.SetWord(24, TMoleculeVertex::FlagB(vertex) != 1 ? 1 : 0);
      code.SetWord(25, -TMoleculeVertex::FlagA(vertex));
      break;
  }
  code.SetWord(26, n);
  bool zeroPair = false;
  for (int i = 0; i < n; ++i) {
    int a = 0;
    int b = 0;
    TMoleculeVertex::PairAt(vertex, i, a, b);
    if (type == kSolidTorusAtom && n == 1) {
      // A solid torus is the filling (1, 0) whatever slope it carries.
      a = 1;
      b = 0;
    }
    if (mode == 2 && type != kSolidTorusAtom && a == 1) b = 0;
    if (a == 0) zeroPair = true;
    code.SetWord(27 + i, a);
    code.SetWord(27 + n + i, b);
  }
  code.SetWord(kCodeZeroPairFlag, zeroPair ? 1 : 0);
  code.Finish();
  return code;
}

TPieceCode BuildBundleCode(const std::vector<std::int32_t>& word, const std::int32_t matrix[4]) {
  const int m = static_cast<int>(word.size());
  TPieceCode code = NewCode(kBundleCode, m + 21);
  for (int i = 0; i < m; ++i) code.SetWord(16 + i, word[static_cast<std::size_t>(i)]);
  for (int i = 0; i < 4; ++i) code.SetWord(17 + m + i, matrix[i]);
  code.Finish();
  return code;
}

TPieceCode BuildBundleMatrixCode(const std::int32_t matrix[4]) { return BuildBundleCode({}, matrix); }

TPieceCode BuildSpineRecordCode(const TSpineRecordCounts& counts) {
  TPieceCode code = NewCode(kSpineRecordCode, kSpineRecordWords);
  code.SetWord(kCodeWord13, counts.virtualAtoms);
  code.SetWord(16, -counts.seifertAtoms);
  code.SetWord(17, counts.boundarySpheres);
  code.SetWord(18, counts.complexity);
  code.SetWord(19, -counts.vertices);
  code.SetWord(20, -counts.edges);
  code.SetWord(kSignatureWord, counts.signatureComparable ? -1 : 0);
  code.Finish();
  return code;
}

TPieceCode BuildUnrecognizedCode(int virtualAtoms, int complexity) {
  TPieceCode code = NewCode(kUnrecognizedCode, 17);
  code.SetWord(kCodeWord13, virtualAtoms);
  code.SetWord(16, complexity);
  code.Finish();
  return code;
}

std::int32_t UpdateChecksum(TPieceCode& code) {
  std::uint32_t sum = 0;
  const int n = code.CompareLength();
  for (int i = kCodeReducibleCache; i < n; ++i) sum += static_cast<std::uint32_t>(code.Word(i));
  const auto checksum = static_cast<std::int32_t>(sum);
  code.SetWord(kCodeChecksum, checksum);
  return checksum;
}

int HasInvariants(const TPieceCode& code) { return code.Word(kCodeInvariantOffset) > 0 ? 1 : 0; }

void AppendInvariants(TPieceCode& code, const std::vector<std::int32_t>& values) {
  if (HasInvariants(code)) return;
  std::vector<std::int32_t> block;
  block.reserve(values.size() + 1);
  block.push_back(static_cast<std::int32_t>(values.size()));
  block.insert(block.end(), values.begin(), values.end());
  const auto length = static_cast<std::int32_t>(block.size());
  const bool hasBlocks = code.Word(kCodeTextOffset) > 0 || code.Word(kCodeHomologyOffset) > 0 ||
                         code.Word(kCodeVolumeOffset) > 0;
  if (code.Type() == kSpineRecordCode && hasBlocks) {
    // Directly behind the compared part, and part of it from now on.
    code.InsertWords(kSpineRecordWords, block);
    code.SetWord(kCodeInvariantOffset, kSpineRecordWords);
    if (code.Word(kCodeHomologyOffset) > 0)
      code.SetWord(kCodeHomologyOffset, code.Word(kCodeHomologyOffset) + length);
    for (int w : {kCodeTextOffset, kCodeVolumeOffset})
      if (code.Word(w) > 0) code.SetWord(w, code.Word(w) + 4 * length);
    code.SetWord(kCodeCompareLength, code.Word(kCodeCompareLength) + length);
  } else {
    const int at = code.Size();
    code.InsertWords(at, block);
    code.SetWord(kCodeInvariantOffset, at);
  }
  UpdateChecksum(code);
}

namespace {

int ReadBlock(const TPieceCode& code, int offsetWord, std::vector<std::int32_t>& values) {
  values.clear();
  const int at = code.Word(offsetWord);
  if (at <= 0) return 0;
  const int count = code.Word(at);
  for (int i = 0; i < count && at + 1 + i < code.Size(); ++i) values.push_back(code.Word(at + 1 + i));
  return 1;
}

const char* TextAt(const TPieceCode& code, int which) {
  const int offset = code.Word(kCodeTextOffset);
  if (offset <= 0) return nullptr;
  const char* text = reinterpret_cast<const char*>(code.Words().data()) + offset;
  if (which == 2) text += std::strlen(text) + 1;
  return text;
}

}  // namespace

int GetInvariants(const TPieceCode& code, std::vector<std::int32_t>& values) {
  return ReadBlock(code, kCodeInvariantOffset, values);
}

void AppendHomology(TPieceCode& code, const std::vector<std::int32_t>& values) {
  if (code.Word(kCodeHomologyOffset) > 0) return;
  const int at = code.Size();
  std::vector<std::int32_t> block{static_cast<std::int32_t>(values.size())};
  block.insert(block.end(), values.begin(), values.end());
  code.InsertWords(at, block);
  code.SetWord(kCodeHomologyOffset, at);
}

int ReadPieceCodeInvariants(const TPieceCode& code, std::vector<std::int32_t>& values) {
  return ReadBlock(code, kCodeHomologyOffset, values);
}

void AppendTextBlock(TPieceCode& code, const std::string& text, const std::string& signature) {
  if (code.Word(kCodeTextOffset) >= 0) return;
  const int old = code.Size();
  const int grow = static_cast<int>((text.size() + signature.size() + 2) / 4 + 1);
  code.Resize(old + grow);
  code.SetWord(kCodeTextOffset, old * 4);
  auto* bytes = reinterpret_cast<char*>(code.Data()) + old * 4;
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  std::memcpy(bytes + text.size() + 1, signature.c_str(), signature.size() + 1);
  if (signature.empty() && code.Type() == kSpineRecordCode) {
    code.SetWord(kSignatureWord, 0);
    UpdateChecksum(code);
  }
}

const char* GetPieceCodeText(const TPieceCode& code) { return TextAt(code, 1); }
const char* GetPieceCodeSecondText(const TPieceCode& code) { return TextAt(code, 2); }

void AppendVolume(TPieceCode& code, double volume) {
  const int old = code.Size();
  code.Resize(old + 2);
  code.SetWord(kCodeVolumeOffset, old * 4);
  std::int32_t halves[2];
  std::memcpy(halves, &volume, sizeof volume);
  code.SetWord(old, halves[0]);
  code.SetWord(old + 1, halves[1]);
}

void MarkVolumeFailed(TPieceCode& code) { code.SetWord(kCodeVolumeOffset, -2); }

int VolumeState(const TPieceCode& code) {
  const int w = code.Word(kCodeVolumeOffset);
  return w > 0 ? 1 : (w == -2 ? 2 : 0);
}

double GetVolumeValue(const TPieceCode& code) {
  if (VolumeState(code) != 1) return -1;
  const int at = code.Word(kCodeVolumeOffset) / 4;
  const std::int32_t halves[2] = {code.Word(at), code.Word(at + 1)};
  double volume = 0;
  std::memcpy(&volume, halves, sizeof volume);
  return volume;
}

int ComparePieceCodes(const TPieceCode& a, const TPieceCode& b) {
  const int na = a.CompareLength();
  const int nb = b.CompareLength();
  // The words from the type on describe the manifold; word 11 only caches
  // the reducibility test. The cache is -1 until the test has run, and a
  // summand of a connected sum holds 1 (the sum's answer) although the piece
  // alone may be irreducible, so a stored code and a fresh one of the same
  // manifold can hold different caches: equality never looks at it. Between
  // two different manifolds a cache known on both sides orders irreducible
  // codes before reducible ones.
  int first = kCodeUndecided;
  for (int i = kCodeType; i < na && i < nb && first == kCodeUndecided; ++i)
    if (a.Word(i) != b.Word(i)) first = a.Word(i) < b.Word(i) ? kCodeLess : kCodeGreater;
  if (first == kCodeUndecided && na != nb) first = na < nb ? kCodeLess : kCodeGreater;
  if (first != kCodeUndecided) {
    const std::int32_t ca = a.Word(kCodeReducibleCache);
    const std::int32_t cb = b.Word(kCodeReducibleCache);
    if (ca >= 0 && cb >= 0 && ca != cb) return ca < cb ? kCodeLess : kCodeGreater;
    return first;
  }
  if (!BallCountDecides(a.Type())) return kCodeUndecided;
  return Sign(a.Word(kCodeBallCount), b.Word(kCodeBallCount));
}

int CompareCodeHeads(const TPieceCode& a, const TPieceCode& b) {
  for (int i = 0; i < 17; ++i)
    if (a.Word(i) != b.Word(i)) return a.Word(i) < b.Word(i) ? kCodeLess : kCodeGreater;
  return kCodeEqual;
}

int IsSignatureComparable(const TPieceCode& code) {
  if (code.Type() == kSpineRecordCode) return code.Word(kSignatureWord) != 0 ? 1 : 0;
  return code.Type() == kUnrecognizedCode ? 0 : 1;
}

int CompareSpineRecords(const TPieceCode& a, const TPieceCode& b) {
  if (a.Type() != b.Type()) return a.Type() < b.Type() ? kCodeLess : kCodeGreater;
  const int answer = ComparePieceCodes(a, b);
  if (answer == kCodeLess || answer == kCodeGreater) return answer;
  if (!IsSignatureComparable(a)) return kCodeGreater;
  const char* sa = GetPieceCodeSecondText(a);
  const char* sb = GetPieceCodeSecondText(b);
  if (sa == nullptr || sb == nullptr) return kCodeGreater;
  const int c = std::strcmp(sa, sb);
  return c == 0 ? kCodeEqual : (c < 0 ? kCodeLess : kCodeGreater);
}

int CompareFilledAtoms(const TPieceCode& a, const TPieceCode& b) {
  if (a.Type() == kMultiFilledAtomCode || b.Type() == kMultiFilledAtomCode) {
    auto count = [](const TPieceCode& c) { return c.Type() == kMultiFilledAtomCode ? c.Word(19) : 1; };
    auto flag = [](const TPieceCode& c) { return c.Type() == kMultiFilledAtomCode && c.Word(16) < 0; };
    if (flag(a) != flag(b)) return flag(a) ? kCodeLess : kCodeGreater;
    if (count(a) != count(b)) {
      const bool fewerFirst = !flag(a);
      return (count(a) < count(b)) == fewerFirst ? kCodeLess : kCodeGreater;
    }
  }
  return ComparePieceCodes(a, b);
}

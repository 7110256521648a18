// The description of a recognised manifold. See manifold_description.h.
#include "recognition/manifold_description.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "foundation/checked_int64.h"
#include "model/molecule_vertex.h"
#include "recognition/table_atom_codes.h"
#include "shell/molecule_printer.h"
#include "shell/object_printers.h"
#include "shell/string_text.h"

namespace {

enum : int {
  kTextSphere = 859,
  kTextProjectiveSpace = 860,
  kTextSphereProduct = 861,
  kTextSolidTorus = 862,
  kTextLens = 863,
  kTextSeifert = 864,
  kTextBundle = 865,
};

constexpr int kHyperbolicGeometryCode = 9;

// The inverse of q modulo p (p > 1, gcd(p, q) = 1) in [0, p); -1 when q has
// none.
std::int64_t InverseModulo(std::int64_t q, std::int64_t p) {
  std::int64_t r0 = p;
  std::int64_t r1 = q;
  std::int64_t s0 = 0;
  std::int64_t s1 = 1;
  while (r1 != 0) {
    const std::int64_t t = r0 / r1;
    std::int64_t r = r0 - t * r1;
    r0 = r1;
    r1 = r;
    std::int64_t s = s0 - t * s1;
    s0 = s1;
    s1 = s;
  }
  if (r0 != 1) return -1;
  s0 %= p;
  return s0 < 0 ? s0 + p : s0;
}

std::int32_t Narrow(std::int64_t x) {
  if (x > INT32_MAX || x < INT32_MIN) throw Out_of_Range();
  return static_cast<std::int32_t>(x);
}

}  // namespace

std::int64_t NormalLensParameter(std::int64_t p, std::int64_t q) {
  if (p < 0) p = -p;
  if (q < 0) q = -q;
  if (p == 0) return q;
  q %= p;
  q = std::min(q, p - q);
  if (p == 1) return 0;
  const std::int64_t inverse = InverseModulo(q, p);
  if (inverse < 0) return q;
  return std::min({q, inverse, p - inverse});
}

TManifoldDescription::TManifoldDescription() = default;

TManifoldDescription::~TManifoldDescription() {
  // Long chains are unlinked iteratively so that their length never
  // reaches the stack.
  std::unique_ptr<TManifoldDescription> next = std::move(nextPresentation_);
  while (next != nullptr) next = std::move(next->nextPresentation_);
  std::unique_ptr<TManifoldDescription> summand = std::move(nextSummand_);
  while (summand != nullptr) summand = std::move(summand->nextSummand_);
}

void TManifoldDescription::CopyTo(TManifoldDescription& target) const {
  target.reserved_ = reserved_;
  target.SetName(GetName());
  if (codeList_ != nullptr) target.codeList_ = std::make_unique<TPackedRecordListSet>(*codeList_);
  target.word3_ = word3_;
  target.mark_ = mark_;
  if (flag9_ != 0) target.flag9_ = flag9_;
  if (molecule_ != nullptr) {
    auto copy = std::make_unique<TObjectTable>();
    molecule_->CopyTo(*copy, nullptr, 2);
    target.molecule_ = std::move(copy);
  }
  target.code_ = code_;
  target.AttachCodeToSpineRecordVertex();
  // Move lines are copied whole, however long.
  target.moveLines_.insert(target.moveLines_.end(), moveLines_.begin(), moveLines_.end());
  for (const TSource& s : sources_) target.AddSource(s.nameIndex, s.position, s.subposition);
  if (const char* entry = GetEntryText(true)) target.SetEntryText(entry);
  if (hasSpineText_) target.SetSpineText(spineText_);
  if (nextSummand_ != nullptr) {
    auto summand = std::make_unique<TManifoldDescription>();
    nextSummand_->CopyTo(*summand);
    target.nextSummand_ = std::move(summand);
  }
}

int TManifoldDescription::CountSummands() const {
  int n = 0;
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get()) ++n;
  return n;
}

int TManifoldDescription::CountTypedPresentations() const {
  int n = 0;
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (d->code_.Type() != 0) ++n;
  return n;
}

void TManifoldDescription::SetName(const char* text) {
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get()) {
    d->hasName_ = text != nullptr;
    d->name_ = text != nullptr ? text : "";
  }
}

void TManifoldDescription::SetEntryText(const char* text) {
  if (text == nullptr) return;
  ClearEntryText();
  hasEntryText_ = true;
  entryText_ = text;
}

const char* TManifoldDescription::GetEntryText(bool searchChain) const {
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get()) {
    if (d->hasEntryText_) return d->entryText_.c_str();
    if (!searchChain) break;
  }
  return nullptr;
}

void TManifoldDescription::ClearEntryText() {
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get()) {
    if (!d->hasEntryText_) continue;
    d->hasEntryText_ = false;
    d->entryText_.clear();
    return;
  }
}

int TManifoldDescription::HasEntryText() const { return GetEntryText(true) != nullptr ? 1 : 0; }

int TManifoldDescription::HasSpineText() const {
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (d->hasSpineText_) return 1;
  return 0;
}

void TManifoldDescription::SetSpineText(const TSpine* spine) {
  if (spine == nullptr) return;
  TOutput output;
  PrintCellList(output, spine, 3);
  SetSpineText(std::string(output.Text() != nullptr ? output.Text() : ""));
}

void TManifoldDescription::SetCodeList(const TPackedRecordListSet* list) {
  codeList_ = list != nullptr ? std::make_unique<TPackedRecordListSet>(*list) : nullptr;
}

const TPackedRecordListSet* TManifoldDescription::GetCodeList() const {
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (d->codeList_ != nullptr) return d->codeList_.get();
  return nullptr;
}

void TManifoldDescription::AddCode(const TPackedRecordList& list) {
  if (codeList_ == nullptr) codeList_ = std::make_unique<TPackedRecordListSet>();
  if (list.Count() > 0) codeList_->Add(list);
}

void TManifoldDescription::MergeCodeList(TManifoldDescription& other) {
  if (other.codeList_ == nullptr || &other == this) return;
  if (codeList_ == nullptr) {
    codeList_ = std::move(other.codeList_);
    return;
  }
  for (int i = 0; i < other.codeList_->Count(); ++i) codeList_->Add(*other.codeList_->At(i));
  other.codeList_.reset();
}

void TManifoldDescription::SetMark(int mark) {
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get()) d->mark_ = mark;
}

int TManifoldDescription::GetMark() const {
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (d->mark_ == 1) return 1;
  return 0;
}

void TManifoldDescription::SetText5(const char* text) {
  if (hasText5_ || text == nullptr) return;
  hasText5_ = true;
  text5_ = text;
}

void TManifoldDescription::AddReference(TManifoldDescription* entry, int value, bool keepFullInformation) {
  bool found = false;
  for (TReference& r : references_) {
    if (r.entry != entry) continue;
    r.value = value;
    found = true;
  }
  if (!found && (references_.empty() || keepFullInformation)) references_.push_back({entry, value});
}

void TManifoldDescription::RemoveReference(int i) {
  if (i < 0 || i >= static_cast<int>(references_.size())) return;
  references_.erase(references_.begin() + i);
}

int TManifoldDescription::CountReferences(int value) const {
  int n = 0;
  for (const TReference& r : references_)
    if (value == 0 || r.value == value) ++n;
  return n;
}

TManifoldDescription* TManifoldDescription::GetReference(int i, int value) const {
  for (const TReference& r : references_) {
    if (value != 0 && r.value != value) continue;
    if (i-- == 0) return r.entry;
  }
  return nullptr;
}

int TManifoldDescription::GetReferenceValue(int i) const {
  if (i < 0 || i >= static_cast<int>(references_.size())) return 0;
  return references_[static_cast<std::size_t>(i)].value;
}

int TManifoldDescription::IsClosed(int& balls, int& solidTori) const {
  balls = code_.Word(kCodeBallCount);
  solidTori = code_.Word(kCodeSolidTorusCount);
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get()) {
    const int type = d->code_.Type();
    if (d->code_.Word(kCodeSolidTorusCount) > 0 || (type >= 11 && type <= 17)) return 0;
    if (d->molecule_ != nullptr && d->molecule_->HasVirtualAtom()) return 0;
  }
  return 1;
}

int TManifoldDescription::CompareMoleculeNodes(const TManifoldDescription& a, const TManifoldDescription& b) {
  const int na = a.CountSummands();
  const int nb = b.CountSummands();
  if (na != nb) return na < nb ? kCodeLess : kCodeGreater;
  const TManifoldDescription* x = &a;
  const TManifoldDescription* y = &b;
  for (; x != nullptr && y != nullptr; x = x->nextSummand_.get(), y = y->nextSummand_.get()) {
    const int tx = x->code_.Type();
    const int ty = y->code_.Type();
    auto filled = [](int t) { return t == kFilledAtomCode || t == kMultiFilledAtomCode; };
    auto record = [](int t) { return t == kSpineRecordCode || t == kUnrecognizedCode; };
    int answer = 0;
    if (filled(tx) && filled(ty))
      answer = CompareFilledAtoms(x->code_, y->code_);
    else if (record(tx) && record(ty))
      answer = CompareSpineRecords(x->code_, y->code_);
    else
      answer = ComparePieceCodes(x->code_, y->code_);
    if (answer == kCodeLess || answer == kCodeGreater) return answer;
    if (answer == kCodeUndecided) return kCodeEqual;
  }
  return kCodeEqual;
}

int TManifoldDescription::FindEqualPresentation(TManifoldDescription& other, TManifoldDescription*& found,
                                                int* count) {
  bool counted = false;
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get()) {
    const int answer = CompareMoleculeNodes(*d, other);
    if (answer == kCodeEqual) {
      found = d;
      return 1;
    }
    if (d->nextPresentation_ == nullptr) return 0;
    const int r1 = d->IsReducible();
    const int r2 = other.IsReducible();
    if (!((r1 == 1 && r2 == 0) || (r1 == r2 && answer == kCodeLess))) return 0;
    if (count != nullptr && !counted) {
      ++*count;
      counted = true;
    }
  }
  return 0;
}

void TManifoldDescription::SortSummands() {
  if (nextSummand_ == nullptr) return;
  struct TPart {
    TPieceCode code;
    std::unique_ptr<TObjectTable> molecule;
  };
  std::vector<TPart> parts;
  int balls = 0;
  int s2xs1 = 0;
  int solidTori = 0;
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get()) {
    int b = 0;
    int s = 0;
    int t = 0;
    d->GetBoundaryCounts(b, s, t);
    balls = CheckedIntSum(balls, b);
    s2xs1 = CheckedIntSum(s2xs1, s);
    solidTori = CheckedIntSum(solidTori, t);
  }
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get()) {
    d->code_.SetWord(kCodeBallCount, 0);
    d->code_.SetWord(kCodeS2xS1Count, 0);
    d->code_.SetWord(kCodeSolidTorusCount, 0);
    d->code_.SetWord(kCodeReducibleCache, -1);
    parts.push_back({d->code_, std::move(d->molecule_)});
  }
  // Selection of the least remaining code; the earliest of equal ones wins.
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get()) {
    std::size_t least = 0;
    for (std::size_t i = 1; i < parts.size(); ++i)
      if (ComparePieceCodes(parts[i].code, parts[least].code) == kCodeLess) least = i;
    d->molecule_ = std::move(parts[least].molecule);
    d->SetPieceCode(parts[least].code);
    parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(least));
  }
  SetBoundaryCounts(balls, s2xs1, solidTori);
  SetReducibilityAlongSummands(1);
}

int TManifoldDescription::GetMoveLine(int i, char* buffer, std::size_t max) const {
  const std::string* line = MoveLine(i);
  if (line == nullptr || buffer == nullptr || max == 0) return 0;
  const std::size_t n = std::min(line->size(), max - 1);
  std::memcpy(buffer, line->data(), n);
  buffer[n] = '\0';
  return 1;
}

const std::string* TManifoldDescription::MoveLine(int i) const {
  if (i < 0 || i >= CountMoveLines()) return nullptr;
  return &moveLines_[static_cast<std::size_t>(i)];
}

void TManifoldDescription::AddSource(int nameIndex, int position, int subposition) {
  for (const TSource& s : sources_)
    if (s.nameIndex == nameIndex && s.position == position) return;
  sources_.push_back({nameIndex, position, subposition});
}

int TManifoldDescription::GetSource(int i, int& nameIndex, int& position, int& subposition) const {
  if (i < 0 || i >= CountSources()) return 0;
  const TSource& s = sources_[static_cast<std::size_t>(i)];
  nameIndex = s.nameIndex;
  position = s.position;
  subposition = s.subposition;
  return 1;
}

void TManifoldDescription::SetMolecule(TObjectTable* molecule) {
  molecule_.reset(molecule);
  AttachCodeToSpineRecordVertex();
}

void TManifoldDescription::CopyMoleculesIntoCurrentHeap() {
  for (TManifoldDescription* p = this; p != nullptr; p = p->nextPresentation_.get()) {
    for (TManifoldDescription* s = p; s != nullptr; s = s->nextSummand_.get()) {
      if (s->molecule_ == nullptr) continue;
      auto copy = std::make_unique<TObjectTable>();
      s->molecule_->CopyTo(*copy, nullptr, 2);
      s->SetMolecule(copy.release());
    }
  }
}

void TManifoldDescription::SetPieceCode(const TPieceCode& code) {
  code_ = code;
  AttachCodeToSpineRecordVertex();
}

void TManifoldDescription::AppendInvariants(const std::vector<std::int32_t>& values) {
  ::AppendInvariants(code_, values);
  AttachCodeToSpineRecordVertex();
}

void TManifoldDescription::AttachCodeToSpineRecordVertex() {
  const int type = code_.Type();
  if ((type != kSpineRecordCode && type != kUnrecognizedCode) || molecule_ == nullptr) return;
  if (molecule_->CountAtomsOfType(kExceptionalAtom) != 1) return;
  TObjectHeader* vertex = molecule_->NthExceptionalAtom(0);
  // The vertex reads the code's words; they move whenever the code changes,
  // so every change of the code passes through here.
  TMoleculeVertex::SetPiece(vertex, code_.Words().data());
  TMoleculeVertex::SetMarkWord(vertex, 0);
}

void TManifoldDescription::SetComplexity(int complexity) {
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get()) {
    d->code_.SetWord(kCodeComplexity, complexity);
    if (d->molecule_ != nullptr) d->molecule_->SetVertexCount(complexity);
  }
}

void TManifoldDescription::LowerComplexity(int complexity) {
  const int stored = GetComplexity();
  if (stored == -1 || stored > complexity) SetComplexity(complexity);
}

int TManifoldDescription::GetGeometry() const {
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (d->code_.Word(kCodeGeometry) != 0) return d->code_.Word(kCodeGeometry);
  return 0;
}

int TManifoldDescription::HasVolume() const {
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (const int state = VolumeState(d->code_); state != 0) return state;
  return 0;
}

double TManifoldDescription::GetVolume() const {
  if (HasVolume() != 1) return -1;
  for (const TManifoldDescription* d = this; d != nullptr; d = d->nextPresentation_.get())
    if (VolumeState(d->code_) == 1) return GetVolumeValue(d->code_);
  return -1;
}

void TManifoldDescription::AddVolume(double volume) {
  ::AppendVolume(code_, volume);
  code_.SetWord(kCodeGeometry, kHyperbolicGeometryCode);
  AttachCodeToSpineRecordVertex();
}

void TManifoldDescription::MarkVolumeFailed() { ::MarkVolumeFailed(code_); }

void TManifoldDescription::SetLensCode(std::int64_t p, std::int64_t q) {
  if (p < 0) p = -p;
  code_ = BuildLensCode(Narrow(p), Narrow(NormalLensParameter(p, q)));
}

int TManifoldDescription::GetLensParameters(int& p, int& q) const {
  if (code_.Type() != kLensCode) return 0;
  p = code_.Word(16);
  q = code_.Word(17);
  return 1;
}

void TManifoldDescription::SetBoundaryCounts(int balls, int s2xs1, int solidTori) {
  code_.SetWord(kCodeBallCount, balls);
  code_.SetWord(kCodeS2xS1Count, s2xs1);
  code_.SetWord(kCodeSolidTorusCount, solidTori);
  code_.SetWord(kCodeReducibleCache, -1);
  IsReducible();
  UpdateChecksum(code_);
  if (molecule_ != nullptr) {
    molecule_->SetCounterA(balls);
    molecule_->SetCounterC(s2xs1);
    molecule_->SetCounterB(solidTori);
  }
}

void TManifoldDescription::AddBoundaryCounts(int balls, int s2xs1, int solidTori) {
  int b = 0;
  int s = 0;
  int t = 0;
  GetBoundaryCounts(b, s, t);
  SetBoundaryCounts(CheckedIntSum(b, balls), CheckedIntSum(s, s2xs1), CheckedIntSum(t, solidTori));
}

void TManifoldDescription::GetBoundaryCounts(int& balls, int& s2xs1, int& solidTori) const {
  balls = code_.Word(kCodeBallCount);
  s2xs1 = code_.Word(kCodeS2xS1Count);
  solidTori = code_.Word(kCodeSolidTorusCount);
}

int TManifoldDescription::IsReducible() {
  if (code_.Word(kCodeReducibleCache) >= 0) return code_.Word(kCodeReducibleCache);
  int summands = 0;
  int s2xs1 = 0;
  int zeroPair = 0;
  return IsReducible(summands, s2xs1, zeroPair);
}

int TManifoldDescription::IsReducible(int& summands, int& s2xs1, int& zeroPair) {
  summands = CountSummands();
  s2xs1 = code_.Word(kCodeS2xS1Count);
  zeroPair = code_.Word(kCodeZeroPairFlag) == 1 ? 1 : 0;
  const int type = code_.Type();
  bool pieceTest = false;
  if (code_.Word(kCodeReducibleCache) < 0) {
    if (type == kLensCode) {
      pieceTest = code_.Word(16) == 0;
    } else if (type == kSeifertCode && molecule_ != nullptr) {
      // A Seifert piece over S^2 or RP^2 without exceptional fibres is
      // S^2xS^1 or RP^3 # RP^3.
      TObjectHeader* first = molecule_->First(kMoleculeVertexKind);
      const int base = TMoleculeVertex::Classify(first);
      if (base == kBaseSphere || base == kBaseProjectivePlane) {
        const int n = TMoleculeVertex::PairCount(first);
        int a = 0;
        int b = 0;
        if (n == 1) TMoleculeVertex::PairAt(first, 0, a, b);
        pieceTest = n == 0 || (n == 1 && a == 1 && b == 0);
      }
    }
  } else {
    pieceTest = code_.Word(kCodeReducibleCache) == 1;
  }
  const int solidTori = code_.Word(kCodeSolidTorusCount);
  const bool reducible = summands > 1 || s2xs1 > 0 || (type == kSeifertCode && zeroPair == 1) ||
                         pieceTest || solidTori > 1 || (solidTori == 1 && type != kTrivialCode);
  code_.SetWord(kCodeReducibleCache, reducible ? 1 : 0);
  return reducible ? 1 : 0;
}

void TManifoldDescription::SetReducibilityAlongSummands(int value) {
  for (TManifoldDescription* d = this; d != nullptr; d = d->nextSummand_.get())
    d->code_.SetWord(kCodeReducibleCache, value);
}

int TManifoldDescription::IsRecognized() const {
  const int type = code_.Type();
  if ((type >= 1 && type <= 6) || type == 9 || (type >= 11 && type <= 13)) return 1;
  if ((type == kSpineRecordCode || type == kUnrecognizedCode) && molecule_ != nullptr)
    return molecule_->CountAtomsOfType(kSeifertAtom) > 0 ? 1 : 0;
  return 0;
}

int TManifoldDescription::PrintSimpleName(TOutput& output) const {
  const int type = code_.Type();
  if (type == kTrivialCode) {
    const int s = code_.Word(kCodeS2xS1Count);
    const int t = code_.Word(kCodeSolidTorusCount);
    if (s == 0 && t == 0) {
      output.AppendText(StringText(kTextSphere).c_str());
      return 4;
    }
    if (s == 1 && t == 0) {
      output.AppendText(StringText(kTextSphereProduct).c_str());
      return 2;
    }
    if (t == 1 && s == 0) {
      output.AppendText(StringText(kTextSolidTorus).c_str());
      return 3;
    }
    return 4;
  }
  if (type == kLensCode && code_.Word(16) == 2 && code_.Word(17) == 1) {
    output.AppendText(StringText(kTextProjectiveSpace).c_str());
    return 4;
  }
  if (type == 11 && molecule_ != nullptr && molecule_->CountOfKind(kMoleculeVertexKind) == 2 &&
      molecule_->CountAtomsOfType(kSolidTorusAtom) == 1 && molecule_->CountAtomsOfType(kVirtualAtom) == 1) {
    output.AppendText(StringText(kTextSolidTorus).c_str());
    return 4;
  }
  return 0;
}

int TManifoldDescription::PrintPieceName(TOutput& output) const {
  if (PrintSimpleName(output) != 0) return 1;
  switch (code_.Type()) {
    case kLensCode:
      output.AppendText(FormatStringText(kTextLens, static_cast<unsigned>(code_.Word(16)),
                                         static_cast<unsigned>(code_.Word(17)))
                            .c_str());
      return 1;
    case kSeifertCode: {
      output.AppendText(StringText(kTextSeifert).c_str());
      TObjectHeader* first = molecule_ != nullptr ? molecule_->First(kMoleculeVertexKind) : nullptr;
      if (first != nullptr) {
        output.AppendText(" ");
        PrintSeifertInvariants(output, first);
      }
      return 1;
    }
    case kBundleCode: {
      // The matrix follows the monodromy word and its terminating zero.
      int at = kCodeHeaderWords;
      while (at < code_.Size() && code_.Word(at) != 0) ++at;
      ++at;
      output.AppendText(FormatStringText(kTextBundle, code_.Word(at), code_.Word(at + 1),
                                         code_.Word(at + 2), code_.Word(at + 3))
                            .c_str());
      if (at - 1 > kCodeHeaderWords) {
        output.AppendText("\t{");
        for (int i = kCodeHeaderWords; i < at - 1; ++i) output.AppendText(FormatText("%d ", code_.Word(i)).c_str());
        output.AppendText("}");
      }
      return 1;
    }
    case kFilledAtomCode:
    case kMultiFilledAtomCode:
    case kTableAtomCode:
    case kFreeMultiFilledAtomCode:
      return PrintTableAtomName(output, code_);
    default:
      return 0;
  }
}

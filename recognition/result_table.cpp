#include "recognition/result_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "foundation/stop_poll.h"
#include "model/homology.h"
#include "model/molecule_chain.h"
#include "model/molecule_vertex.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "recognition/description_building.h"
#include "recognition/entry_classification.h"
#include "recognition/entry_normal_form.h"
#include "recognition/entry_surfaces.h"
#include "recognition/entry_volume.h"
#include "recognition/graph_manifold_assembling.h"
#include "recognition/table_atom_codes.h"

namespace {

// Homology of spines this large is not computed after a run: it is costly
// and the entry is still usable without it.
constexpr int kMaxVerticesForHomology = 56;

// A description can be compared with stored presentations when it has a
// type other than "entirely unrecognised", a spine record only when its
// isomorphism signature decides equality.
bool IsTyped(const TManifoldDescription& d) {
  const int type = d.GetTypeCode();
  return type != 0 && IsSignatureComparable(d.GetPieceCode()) != 0;
}

bool HasSeifertAtom(const TManifoldDescription& d) {
  for (const TManifoldDescription* s = &d; s != nullptr; s = s->GetNextSummand())
    if (s->GetMolecule() != nullptr && s->GetMolecule()->CountAtomsOfType(kSeifertAtom) > 0) return true;
  return false;
}

bool IsUntypedCode(int type) { return type == kSpineRecordCode || type == kUnrecognizedCode; }

// A presentation names the manifold when every summand is named.
bool NamesEverySummand(const TManifoldDescription& d) {
  for (const TManifoldDescription* s = &d; s != nullptr; s = s->GetNextSummand())
    if (s->IsRecognized() == 0) return false;
  return true;
}

// A table atom with open tori and nothing else (a knot or link exterior the
// table knows) is as far as a name goes: no filling is left to find. Without
// this a Till Main search on such a spine never meets its goal and runs its
// whole schedule.
bool IsCuspedTableAtom(const TManifoldDescription& d) {
  const int type = d.GetTypeCode();
  return d.GetNextSummand() == nullptr && (type == kTableAtomCode || type == 15);
}

int Compare(const TManifoldDescription& a, const TManifoldDescription& b) {
  return TManifoldDescription::CompareMoleculeNodes(a, b);
}

// A key that two presentations share whenever they compare equal, so that
// a lookup compares only the presentations of its key. Equal presentations
// have as many summands, and their first summands (the comparison may stop
// there) have the same type, except that the two kinds of Dehn filling
// compare with each other, and the same code words from the type on (the
// word before the type caches reducibility and is filled in later, so it is
// left out). Codes too short to hold the type get key 0, which every lookup
// also searches.
constexpr std::uint64_t kShortCodeKey = 0;

std::uint64_t PresentationKey(const TManifoldDescription& d) {
  const TPieceCode& code = d.GetPieceCode();
  const int length = code.CompareLength();
  if (length <= kCodeType) return kShortCodeKey;
  std::uint64_t key = 1469598103934665603ULL;
  auto mix = [&key](std::int64_t value) {
    key ^= static_cast<std::uint64_t>(value);
    key *= 1099511628211ULL;
  };
  mix(d.CountSummands());
  const int type = code.Type();
  const bool filled = type == kFilledAtomCode || type == kMultiFilledAtomCode;
  mix(filled ? kFilledAtomCode : type);
  if (!filled) {
    mix(length);
    for (int i = kCodeType + 1; i < length; ++i) mix(code.Word(i));
  }
  return key == kShortCodeKey ? 1 : key;
}

}  // namespace

int CountChainVertices(TSpine& spine) {
  int vertices = 0;
  for (TSpine* part = &spine; part != nullptr; part = part->Next()) vertices += part->Objects().CountOfKind(kVertexKind);
  return vertices;
}

std::unique_ptr<TManifoldDescription> DescribeSpine(TSpine& spine, bool ignoreAddedBalls) {
  auto description = std::make_unique<TManifoldDescription>();
  const int complexity = CountChainVertices(spine);
  TObjectTableList items;
  {
    TObjectTableListGuard freeItems(items);
    if (spine.MoleculeTable() != nullptr) AssembleMolecule(spine.MoleculeTable(), &items, nullptr, -1);
    if (!items.empty()) {
      BuildDescriptionFromMolecule(*description, *items.front(), -1, 0, ignoreAddedBalls);
    } else {
      description->SetTrivialCode();
    }
  }
  description->LowerComplexity(complexity);
  if (description->GetComplexity() == 0) description->SetComplexity(complexity);
  // The canonical form: trivial summands folded, reducible ones split into
  // prime summands.
  NormaliseSummands(description);
  NormaliseReducible(description);
  // A summand rebuilt while the reducible pieces were split counts the balls
  // of its molecule again; with the setting none stays.
  if (ignoreAddedBalls) {
    for (TManifoldDescription* s = description.get(); s != nullptr; s = s->GetNextSummand()) {
      int balls = 0;
      int s2xs1 = 0;
      int solidTori = 0;
      s->GetBoundaryCounts(balls, s2xs1, solidTori);
      if (balls != 0) s->SetBoundaryCounts(0, s2xs1, solidTori);
    }
    // Every summand of a connected sum stays marked reducible, as the sort
    // left it (setting the counts recomputed a summand's mark on its own).
    if (description->GetNextSummand() != nullptr) description->SetReducibilityAlongSummands(1);
  }
  return description;
}

TManifoldTable::TManifoldTable(int ignoreReducible, int ignoreTrivial)
    : context_(std::make_unique<THeapContext>()),
      ignoreReducible_(ignoreReducible),
      ignoreTrivial_(ignoreTrivial),
      volume_(ComputeSpineVolume) {
  context_->Create();
}

TManifoldTable::~TManifoldTable() {
  // The entries first, while their heap is there; then the heap at once.
  byKey_.clear();
  keyOf_.clear();
  entries_.clear();
  context_->Destroy();
}

TManifoldTable::TScope::TScope(TManifoldTable& table) : table_(table) {
  if (table_.scopeDepth_ == 0) {
    PushHeapContext(*table_.context_);
    pushed_ = true;
  }
  ++table_.scopeDepth_;
}

TManifoldTable::TScope::~TScope() {
  --table_.scopeDepth_;
  if (pushed_) PopHeapContext(*table_.context_);
}

std::unique_ptr<TManifoldDescription> TManifoldTable::Adopt(std::unique_ptr<TManifoldDescription> d) {
  // Only the molecules live in a private heap; the rest of a description is
  // the caller's to hand over as it stands.
  d->CopyMoleculesIntoCurrentHeap();
  return d;
}

int TManifoldTable::GetReportKind() const {
  if (entries_.empty()) return 0;
  for (const TEntry& entry : entries_) {
    int balls = 0;
    int solidTori = 0;
    if (entry.presentations.front()->IsClosed(balls, solidTori) != 0) return 2;
  }
  return 1;
}

void TManifoldTable::SetCurrentSourceName(const std::string& name) {
  auto it = std::find(sourceNames_.begin(), sourceNames_.end(), name);
  if (it == sourceNames_.end()) {
    sourceNames_.push_back(name);
    it = sourceNames_.end() - 1;
  }
  currentSource_ = static_cast<int>(it - sourceNames_.begin());
}

void TManifoldTable::SetSourcePosition(int position, int subposition) {
  position_ = position;
  subposition_ = subposition;
}

const std::string* TManifoldTable::GetSourceName(int i) const {
  if (i < 0 || i >= static_cast<int>(sourceNames_.size())) return nullptr;
  return &sourceNames_[static_cast<std::size_t>(i)];
}

int TManifoldTable::CountPresentations() const {
  int count = 0;
  for (const TEntry& entry : entries_)
    for (const auto& p : entry.presentations) count += p->GetTypeCode() != 0 ? 1 : 0;
  return count;
}

int TManifoldTable::CountEntryPresentations(int i) const {
  if (i < 0 || i >= CountEntries()) return 0;
  return static_cast<int>(entries_[static_cast<std::size_t>(i)].presentations.size());
}

TManifoldDescription* TManifoldTable::GetEntry(int i, int p) const {
  if (i < 0 || i >= CountEntries()) return nullptr;
  const auto& list = entries_[static_cast<std::size_t>(i)].presentations;
  if (p < 0 || p >= static_cast<int>(list.size())) return nullptr;
  return list[static_cast<std::size_t>(p)].get();
}

int TManifoldTable::IsEntryRecognised(int i) const {
  if (i < 0 || i >= CountEntries()) return 0;
  for (const auto& p : entries_[static_cast<std::size_t>(i)].presentations)
    if (p->GetMark() == 1) return 1;
  return 0;
}

// Irreducible S^3, or a lens space with p of 1, 2 or 3.
int TManifoldTable::IsTrivial(TManifoldDescription& d) const {
  if (d.IsReducible() != 0) return 0;
  if (d.GetTypeCode() == kTrivialCode) return 1;
  int p = 0;
  int q = 0;
  if (d.GetTypeCode() == kLensCode && d.GetLensParameters(p, q) != 0) return p >= 1 && p <= 3 ? 1 : 0;
  return 0;
}

int TManifoldTable::RejectionCode(TManifoldDescription& d) const {
  const bool allPresentations = mode_ == kModeAllPresentations;
  if (ignoreReducible_ != 0 && d.IsReducible() != 0)
    return allPresentations ? kLookupReducibleRejected : kLookupRecognised;
  if (ignoreTrivial_ != 0 && IsTrivial(d) != 0) return allPresentations ? kLookupTrivialRejected : kLookupRecognised;
  return 0;
}

void TManifoldTable::UseKeyIndex() {
  keyIndex_ = true;
  byKey_.clear();
  keyOf_.clear();
  for (const TEntry& entry : entries_)
    for (const auto& p : entry.presentations) IndexPresentation(*p);
}

void TManifoldTable::IndexPresentation(const TManifoldDescription& d) {
  if (!keyIndex_) return;
  const std::uint64_t key = PresentationKey(d);
  byKey_.emplace(key, &d);
  keyOf_[&d] = key;
}

void TManifoldTable::UnindexEntry(const TEntry& entry) {
  if (!keyIndex_) return;
  for (const auto& p : entry.presentations) {
    const auto known = keyOf_.find(p.get());
    if (known == keyOf_.end()) continue;
    auto [first, last] = byKey_.equal_range(known->second);
    keyOf_.erase(known);
    for (auto it = first; it != last; ++it) {
      if (it->second == p.get()) {
        byKey_.erase(it);
        break;
      }
    }
  }
}

// The first (by entry, then by position) stored presentation equal to d
// among those of its key: the answer of the full scan.
int TManifoldTable::FindEqualByKey(const TManifoldDescription& d, int& index, int& position) const {
  std::vector<const TManifoldDescription*> equal;
  for (const std::uint64_t key : {PresentationKey(d), kShortCodeKey}) {
    auto [first, last] = byKey_.equal_range(key);
    for (auto it = first; it != last; ++it)
      if (Compare(*it->second, d) == 2) equal.push_back(it->second);
  }
  if (equal.empty()) return 0;
  // Where they stand: a pass over pointers only, and only on a hit.
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& list = entries_[i].presentations;
    for (std::size_t p = 0; p < list.size(); ++p) {
      if (std::find(equal.begin(), equal.end(), list[p].get()) != equal.end()) {
        index = static_cast<int>(i);
        position = static_cast<int>(p);
        return 1;
      }
    }
  }
  return 0;
}

int TManifoldTable::FindEqual(const TManifoldDescription& d, int& index, int& position) const {
  if (keyIndex_ && PresentationKey(d) != kShortCodeKey) return FindEqualByKey(d, index, position);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const auto& list = entries_[i].presentations;
    for (std::size_t p = 0; p < list.size(); ++p) {
      if (Compare(*list[p], d) == 2) {
        index = static_cast<int>(i);
        position = static_cast<int>(p);
        return 1;
      }
    }
  }
  return 0;
}

void TManifoldTable::AddSource(TManifoldDescription& d) const {
  if (currentSource_ != -1) d.AddSource(currentSource_, position_, subposition_);
}

int TManifoldTable::Classify(int index) const {
  int recognised = 0;
  for (const auto& p : entries_[static_cast<std::size_t>(index)].presentations) {
    // The presentations are kept unlinked, so the mark stays on this one.
    if (p->GetMark() != 1 && (NamesEverySummand(*p) || IsCuspedTableAtom(*p))) p->SetMark(1);
    recognised |= p->GetMark() == 1 ? 1 : 0;
  }
  return recognised;
}

// Moves entry index to its sorted place (by its head); its new index.
int TManifoldTable::PlaceEntry(int index) {
  if (kind_ == kTableArrivalOrder) return index;
  TEntry entry = std::move(entries_[static_cast<std::size_t>(index)]);
  entries_.erase(entries_.begin() + index);
  std::size_t at = entries_.size();
  if (keyIndex_) {
    // The entries stand in order: the first head that orders after the new
    // one is found by halving.
    std::size_t low = 0;
    std::size_t high = entries_.size();
    while (low < high) {
      const std::size_t mid = low + (high - low) / 2;
      if (Compare(*entries_[mid].presentations.front(), *entry.presentations.front()) == 3)
        high = mid;
      else
        low = mid + 1;
    }
    at = low;
  } else {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (Compare(*entries_[i].presentations.front(), *entry.presentations.front()) == 3) {
        at = i;
        break;
      }
    }
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  return static_cast<int>(at);
}

void TManifoldTable::AddDerivedPresentations(int& index, TManifoldDescription& node) {
  // Only prime pieces have derived presentations. (IsReducible is not asked:
  // it caches its answer in a compared word of the code, and a stored node
  // would then no longer equal a fresh description of the same manifold.)
  if (node.GetNextSummand() != nullptr) return;
  ClassifyEntry(node);
  std::unique_ptr<TManifoldDescription> derived = node.ReleaseNextPresentation();
  while (derived != nullptr) {
    std::unique_ptr<TManifoldDescription> next = derived->ReleaseNextPresentation();
    bool present = false;
    for (const auto& p : entries_[static_cast<std::size_t>(index)].presentations)
      present = present || Compare(*p, *derived) == 2;
    if (!present) AddPresentation(index, std::move(derived));
    derived = std::move(next);
  }
}

int TManifoldTable::InsertEntry(int& index, std::unique_ptr<TManifoldDescription> node) {
  const int type = node->GetTypeCode();
  TManifoldDescription& inserted = *node;
  TEntry entry;
  IndexPresentation(*node);
  entry.presentations.push_back(std::move(node));
  entries_.push_back(std::move(entry));
  index = PlaceEntry(CountEntries() - 1);
  AddDerivedPresentations(index, inserted);
  lastInsertPosition_ = 0;
  // The new entry was compared with none, and the others may have moved.
  duplicatesComputed_ = false;
  if (Classify(index) != 0) return kLookupRecognised;
  return IsUntypedCode(type) ? kLookupNewUntyped : kLookupNewTyped;
}

int TManifoldTable::AddPresentation(int& index, std::unique_ptr<TManifoldDescription> node) {
  auto& list = entries_[static_cast<std::size_t>(index)].presentations;
  TManifoldDescription& head = *list.front();
  node->LowerComplexity(head.GetComplexity());
  for (auto& p : list) p->LowerComplexity(node->GetComplexity());

  std::size_t at = list.size();
  if (kind_ == kTableSingleCommand &&
      (head.GetTypeCode() == kSpineRecordCode || node->GetTypeCode() == kSpineRecordCode)) {
    // An unrecognised spine record heads the entry only until something
    // better, or a smaller record, is found.
    const bool better = node->GetTypeCode() != kSpineRecordCode || Compare(*node, head) == 1;
    if (!better) return kLookupNotBetter;
    at = 0;
  } else {
    const int reducible = node->IsReducible();
    for (std::size_t p = 0; p < list.size() && at == list.size(); ++p) {
      const int other = list[p]->IsReducible();
      if ((reducible != 0) != (other != 0)) {
        if (reducible != 0) at = p;
      } else if (Compare(*list[p], *node) == 3) {
        at = p;
      }
    }
  }
  IndexPresentation(*node);
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
  lastInsertPosition_ = static_cast<int>(at);
  if (at == 0) index = PlaceEntry(index);
  return Classify(index) != 0 ? kLookupRecognised : kLookupPresentationAdded;
}

// Every presentation of the later entry goes to the earlier one, the later
// is removed; the index of the joined entry.
int TManifoldTable::JoinEntries(int a, int b) {
  int first = std::min(a, b);
  const int second = std::max(a, b);
  TEntry later = std::move(entries_[static_cast<std::size_t>(second)]);
  entries_.erase(entries_.begin() + second);
  UnindexEntry(later);  // AddPresentation indexes them again
  for (auto& p : later.presentations) AddPresentation(first, std::move(p));
  // The surfaces found for either entry belong to the joined one.
  if (later.surfacesSearched && first >= 0 && first < CountEntries()) {
    TEntry& joined = entries_[static_cast<std::size_t>(first)];
    joined.surfacesSearched = true;
    for (int i = 0; i < later.surfaces.Count(); ++i) joined.surfaces.Add(*later.surfaces.At(i));
  }
  return first;
}

int TManifoldTable::FinishCode(int code, int index, const TManifoldDescription* described) const {
  if (code == kLookupNewUntyped && described != nullptr && HasSeifertAtom(*described)) code = kLookupNewWithSeifertAtom;
  if (code == kLookupRecognised && mode_ == kModeAllPresentations && index >= 0 && index < CountEntries()) {
    TManifoldDescription& head = *entries_[static_cast<std::size_t>(index)].presentations.front();
    if (ignoreReducible_ != 0 && head.IsReducible() != 0) return kLookupReducibleRejected;
    if (ignoreTrivial_ != 0 && IsTrivial(head) != 0) return kLookupTrivialRejected;
  }
  return code;
}

int TManifoldTable::LookUp(int& index, std::unique_ptr<TManifoldDescription> d) {
  TScope scope(*this);
  index = -1;
  if (const int rejected = RejectionCode(*d); rejected != 0) return rejected;
  int position = 0;
  if (kind_ == kTableSorted && IsTyped(*d) && FindEqual(*d, index, position) != 0) {
    TManifoldDescription& node = *entries_[static_cast<std::size_t>(index)].presentations[static_cast<std::size_t>(position)];
    AddSource(node);
    node.LowerComplexity(d->GetComplexity());
    return FinishCode(IsEntryRecognised(index) != 0 ? kLookupRecognised : kLookupEqualPresentation, index, nullptr);
  }
  AddSource(*d);
  const bool seifert = HasSeifertAtom(*d);
  d = Adopt(std::move(d));
  int code = InsertEntry(index, std::move(d));
  if (code == kLookupNewUntyped && seifert) code = kLookupNewWithSeifertAtom;
  return FinishCode(code, index, nullptr);
}

int TManifoldTable::CompareWithEntry(int& index, std::unique_ptr<TManifoldDescription> d) {
  TScope scope(*this);
  if (index < 0 || index >= CountEntries()) return LookUp(index, std::move(d));
  if (const int rejected = RejectionCode(*d); rejected != 0) {
    RemoveEntry(index);
    index = -1;
    return rejected;
  }
  const bool seifert = HasSeifertAtom(*d);
  TEntry& entry = entries_[static_cast<std::size_t>(index)];
  TManifoldDescription& head = *entry.presentations.front();
  int code = 0;
  if (IsTyped(*d) && IsTyped(head)) {
    for (auto& p : entry.presentations) {
      if (Compare(*p, *d) == 2) {
        AddSource(*p);
        p->LowerComplexity(d->GetComplexity());
        return kLookupEqualPresentation;
      }
    }
    int other = -1;
    int position = 0;
    if (kind_ == kTableSorted && FindEqual(*d, other, position) != 0) {
      TManifoldDescription& node = *entries_[static_cast<std::size_t>(other)].presentations[static_cast<std::size_t>(position)];
      AddSource(node);
      node.LowerComplexity(d->GetComplexity());
      index = JoinEntries(index, other);
      code = IsEntryRecognised(index) != 0 ? kLookupRecognised : kLookupJoined;
    } else {
      AddSource(*d);
      d = Adopt(std::move(d));
      TManifoldDescription& added = *d;
      code = AddPresentation(index, std::move(d));
      const int last = lastInsertPosition_;
      AddDerivedPresentations(index, added);
      lastInsertPosition_ = last;
      if (code != kLookupRecognised && IsEntryRecognised(index) != 0) code = kLookupRecognised;
    }
    return FinishCode(code, index, nullptr);
  }
  if ((!IsTyped(*d) && IsTyped(head)) || Compare(*d, head) != 1) return kLookupNotBetter;

  // The new description orders before the entry's head: it replaces the
  // entry, keeping the entry's spine text.
  const std::string text = entry.text;
  RemoveEntry(index);
  index = -1;
  int other = -1;
  int position = 0;
  if (kind_ == kTableSorted && IsTyped(*d) && FindEqual(*d, other, position) != 0) {
    AddSource(*entries_[static_cast<std::size_t>(other)].presentations[static_cast<std::size_t>(position)]);
    index = other;
    return FinishCode(IsEntryRecognised(index) != 0 ? kLookupRecognised : kLookupJoined, index, nullptr);
  }
  AddSource(*d);
  d = Adopt(std::move(d));
  code = InsertEntry(index, std::move(d));
  entries_[static_cast<std::size_t>(index)].text = text;
  if (code == kLookupNewUntyped && seifert) code = kLookupNewWithSeifertAtom;
  return FinishCode(code, index, nullptr);
}

int TManifoldTable::LookUpSpine(int& index, TSpine& spine) {
  return LookUp(index, DescribeSpine(spine, ignoreAddedBalls_));
}

int TManifoldTable::CompareWithSpine(int& index, TSpine& spine) {
  return CompareWithEntry(index, DescribeSpine(spine, ignoreAddedBalls_));
}

int TManifoldTable::RemoveEntry(int i) {
  if (i < 0 || i >= CountEntries()) return -1;
  UnindexEntry(entries_[static_cast<std::size_t>(i)]);
  entries_.erase(entries_.begin() + i);
  for (TEntry& entry : entries_) {
    auto& refs = entry.duplicates;
    refs.erase(std::remove(refs.begin(), refs.end(), i), refs.end());
    for (int& r : refs) r -= r > i ? 1 : 0;
  }
  return CountEntries();
}

int TManifoldTable::SetEntryText(int i, const std::string& text) {
  if (i < 0 || i >= CountEntries() || !entries_[static_cast<std::size_t>(i)].text.empty()) return 0;
  entries_[static_cast<std::size_t>(i)].text = text;
  return 1;
}

const std::string* TManifoldTable::GetEntryText(int i) const {
  if (i < 0 || i >= CountEntries()) return nullptr;
  return &entries_[static_cast<std::size_t>(i)].text;
}

int TManifoldTable::SetEntryInvariantText(int i, const std::string& text) {
  if (i < 0 || i >= CountEntries()) return 0;
  entries_[static_cast<std::size_t>(i)].invariantText = text;
  return 1;
}

const std::vector<std::int32_t>* TManifoldTable::GetEntryHomology(int i) const {
  if (i < 0 || i >= CountEntries() || !entries_[static_cast<std::size_t>(i)].hasHomology) return nullptr;
  return &entries_[static_cast<std::size_t>(i)].homology;
}

const std::vector<int>* TManifoldTable::GetEntryDuplicates(int i) const {
  if (i < 0 || i >= CountEntries()) return nullptr;
  return &entries_[static_cast<std::size_t>(i)].duplicates;
}

const TPackedRecordListSet* TManifoldTable::GetEntrySurfaces(int i) const {
  if (i < 0 || i >= CountEntries()) return nullptr;
  const TEntry& entry = entries_[static_cast<std::size_t>(i)];
  return entry.surfacesSearched ? &entry.surfaces : nullptr;
}

int TManifoldTable::MergeResult(int& index, TSpine& spine) {
  ++mergeCalls_;
  if (index >= 0 && index < CountEntries()) {
    TEntry& entry = entries_[static_cast<std::size_t>(index)];
    if (!entry.hasHomology) {
      if (spine.HomologyList() == nullptr && CountChainVertices(spine) <= kMaxVerticesForHomology) spine.ComputeHomology();
      if (spine.HomologyList() != nullptr) {
        entry.homology = spine.HomologyList()->Elements();
        entry.hasHomology = true;
      }
    }
    TManifoldDescription& head = *entry.presentations.front();
    const int type = head.GetTypeCode();
    // A table atom whose census words name a link of three components (the
    // first word counts the components) is taken as named by the table: the
    // entry is recognised, and a search for its main presentation ends.
    TWordQuintuple key;
    int tori = 0;
    std::int32_t matrices[5][4];
    if (type == kMultiFilledAtomCode && GetFilledAtoms(head.GetPieceCode(), tori, key, matrices) != 0 &&
        key.keyA == 3)
      head.SetMark(1);
    if ((type == kFilledAtomCode || type == kMultiFilledAtomCode || type == kSpineRecordCode) &&
        head.HasVolume() == 0 && volume_) {
      double volume = 0;
      if (volume_(spine, volume) != 0) {
        head.AddVolume(volume);
        // A code with a block behind it may order differently.
        if (CountEntries() > 1) index = PlaceEntry(index);
      } else {
        head.MarkVolumeFailed();
      }
    }
    // The surfaces of a minimal spine (complexity equal to its vertex count)
    // are the ones worth telling entries apart by. The entry may have moved.
    if (searchForSurfaces_ && index >= 0 && index < CountEntries() &&
        entries_[static_cast<std::size_t>(index)].presentations.front()->GetComplexity() ==
            CountChainVertices(spine)) {
      TPackedRecordList list;
      if (SearchEntrySurfaces(spine, list) != 0) {
        TEntry& searched = entries_[static_cast<std::size_t>(index)];
        searched.surfacesSearched = true;
        if (list.Count() > 0) searched.surfaces.Add(list);
      }
    }
  }
  return static_cast<int>(AutoSave(-1));
}

int TManifoldTable::FindDuplicatesByInvariants(const std::atomic<int>* stop) {
  const int n = CountEntries();
  loaded_ = false;
  duplicatesComputed_ = false;
  for (TEntry& entry : entries_) entry.duplicates.clear();
  // The lists fill as the search goes, so that an auto-save taken on the way
  // holds the pairs done so far (its log names the last entry done). A
  // search that stops leaves no half lists behind: they are cleared and the
  // search counts as not made.
  auto abandon = [this] {
    for (TEntry& entry : entries_) entry.duplicates.clear();
    return 0;
  };
  try {
    for (int j = 0; j < n; ++j) {
      ThrowIfStopRequested();
      if (stop != nullptr && stop->load() != 0) return abandon();
      TEntry& a = entries_[static_cast<std::size_t>(j)];
      for (int k = j + 1; k < n; ++k) {
        TEntry& b = entries_[static_cast<std::size_t>(k)];
        // An entry without an invariant text matches no other.
        if (a.invariantText.empty() || a.invariantText != b.invariantText) continue;
        if (a.hasHomology != b.hasHomology || a.homology != b.homology) continue;
        a.duplicates.push_back(k);
        b.duplicates.push_back(j);
      }
      AutoSave(j);
    }
  } catch (...) {
    abandon();
    throw;
  }
  duplicatesComputed_ = true;
  int classes = 0;
  for (int j = 0; j < n; ++j) {
    const auto& refs = entries_[static_cast<std::size_t>(j)].duplicates;
    if (refs.empty() || *std::min_element(refs.begin(), refs.end()) > j) ++classes;
  }
  return classes;
}

long TManifoldTable::AutoSave(int number) {
  if (interval_.count() <= 0 || !writer_) return 0;
  // A monotonic clock: the difference cannot wrap, unlike a 32-bit tick.
  const auto now = clock_();
  if (saved_ && now - lastSave_ < interval_) return 0;
  saveNumber_ = saveNumber_ == 1 ? 0 : 1;
  const std::string name = folder_ + "/TableAutoSave" + std::to_string(saveNumber_) + ".bin";
  const long bytes = writer_(*this, name);
  if (currentSource_ != -1) {
    std::ofstream log(folder_ + "/TableAutoSave.log", std::ios::binary | std::ios::trunc);
    log << sourceNames_[static_cast<std::size_t>(currentSource_)] << "\r\n";
    if (position_ != -1) log << static_cast<unsigned>(position_) << "\r\n";
    if (number != -1) log << static_cast<unsigned>(number) << "\r\n";
    log << name << "\r\n";
  }
  lastSave_ = now;
  saved_ = true;
  return bytes;
}

#include "model/spine.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "foundation/checked_int64.h"
#include "model/cell.h"
#include "model/cell_components.h"
#include "model/cell_word_list.h"
#include "model/details_description.h"
#include "model/edge.h"
#include "model/homology.h"
#include "model/molecule_chain.h"
#include "model/molecule_edge.h"
#include "model/object_table.h"
#include "model/spine_consistency.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"

namespace {

constexpr int kPlainMode = 2;
// Texts of logged moves are copied up to this length.
constexpr std::size_t kLogTextLimit = 1023;

}  // namespace

TSpine::TSpine() {
  boundaries_.SetWeak(kPlainMode);
  logCodes_.SetWeak(kPlainMode);
  molecule_ = new TObjectTable;
  molecule_->SetOwnerSpine(this);
}

TSpine::~TSpine() {
  Clear();
  delete homology_;
  delete molecule_;
}

void TSpine::SetSourceKind(int kind) {
  sourceKind_ = kind;
  molecule_->SetSourceKind(kind);
}

void TSpine::SetNext(TSpine* next) {
  next_ = next;
  molecule_->SetNext(next != nullptr ? next->molecule_ : nullptr);
}

bool TSpine::IsChainHead() const {
  const TComplex* owner = Objects().Owner();
  return owner == nullptr || owner == this;
}

TSpine* TSpine::Head() {
  if (IsChainHead()) return this;
  return static_cast<TSpine*>(Objects().Owner());
}

void TSpine::Clear() {
  delete homology_;
  homology_ = nullptr;
  orientable_ = 0;
  lastBoundaryNumber_ = 0;
  RemoveThickObjects();
  molecule_->Clear();
  logCodes_.Clear();
  logTexts_.Clear();
  ReleaseAllObjects();
  // The rest of the chain, one spine at a time: each is cut off from its
  // successor before it is deleted, so a chain of many components never
  // recurses as deep as it is long.
  TSpine* rest = next_;
  next_ = nullptr;
  while (rest != nullptr) {
    TSpine* following = rest->next_;
    rest->next_ = nullptr;
    delete rest;
    rest = following;
  }
}

TComplex* TSpine::BoundaryAt(int i) const {
  return reinterpret_cast<TComplex*>(boundaries_.ValueAt(i));
}

void TSpine::AppendBoundary(TComplex* surface) {
  if (surface == nullptr) return;
  surface->Objects().SetOwner(IsChainHead() ? this : Head());
  boundaries_.AppendValue(reinterpret_cast<TListSlot>(surface));
}

void TSpine::ClearBoundaries() {
  while (boundaries_.Count() > 0) {
    TComplex* surface = BoundaryAt(boundaries_.Count() - 1);
    boundaries_.RemoveAt(boundaries_.Count() - 1);
    delete surface;
  }
}

void TSpine::SetHomologyList(const THomologyList* list) {
  delete homology_;
  homology_ = nullptr;
  if (list == nullptr) return;
  homology_ = new THomologyList;
  list->CopyTo(*homology_);
}

// ---- Copy -----------------------------------------------------------------

void TSpine::CopyOwnDataTo(TSpine& target) const {
  target.sourceKind_ = sourceKind_;
  TComplex::CopyTo(target);
  target.ClearBoundaries();
  for (int i = 0; i < BoundaryCount(); ++i) {
    auto* surface = new TComplex;
    BoundaryAt(i)->CopyTo(*surface);
    target.boundaries_.AppendValue(reinterpret_cast<TListSlot>(surface));
  }
  CopyThickObjectsTo(target);
  target.orientable_ = orientable_;
  target.SetHomologyList(homology_);
  target.lastBoundaryNumber_ = lastBoundaryNumber_;
  logCodes_.CopyTo(target.logCodes_);
  target.logTexts_.Clear();
  for (int i = 0; i < logTexts_.Count(); ++i) {
    const TObjectHeader* nameObject = logTexts_.At(i);
    if (nameObject == nullptr) {
      target.logTexts_.Append(nullptr);
      continue;
    }
    const char* text = static_cast<const TNameObject*>(nameObject)->Text();
    std::string copy(text, std::min(std::strlen(text), kLogTextLimit));
    target.logTexts_.Append(NewNameObject(copy.c_str(), 1));
  }
  target.reduced_ = reduced_;
}

void TSpine::CopyTo(TSpine& target) const {
  if (&target == this) return;
  bool head = IsChainHead();
  if (head) target.Clear();
  if (next_ != nullptr) {
    auto* copy = new TSpine;
    next_->CopyTo(*copy);
    TSpine* old = target.next_;
    target.next_ = copy;
    delete old;
  }
  CopyOwnDataTo(target);
  if (!head) return;

  // The molecule tables, paired in chain order: each source table is copied
  // into its target with the boundary surfaces mapped to their copies, the
  // tables are chained like the spines, and the links between the tables'
  // atoms are restored.
  // A gluing may refer to a torus of another spine of the chain (the two
  // sides of a torus shared by two components), so the surfaces of the whole
  // chain are paired first.
  TSurfaceMap surfaces;
  const TSpine* s = this;
  for (TSpine* t = &target; t != nullptr && s != nullptr; t = t->next_, s = s->next_) {
    for (int i = 0; i < s->BoundaryCount() && i < t->BoundaryCount(); ++i) {
      surfaces.emplace(s->BoundaryAt(i), t->BoundaryAt(i));
    }
  }
  TObjectTableList sources;
  TObjectTableList copies;
  s = this;
  for (TSpine* t = &target; t != nullptr && s != nullptr; t = t->next_, s = s->next_) {
    s->molecule_->CopyTo(*t->molecule_, t, 1, &surfaces);
    sources.push_back(s->molecule_);
    copies.push_back(t->molecule_);
  }
  target.Objects().SetOwner(nullptr);
  for (TSpine* t = &target; t != nullptr; t = t->next_) {
    t->SetNext(t->next_);
    t->SetOwnerSpine(t == &target ? nullptr : &target);
  }
  RelinkCopiedChain(sources, copies, 1);
}

// ---- The chain ----------------------------------------------------------

void TSpine::SetOwnerSpine(TSpine* head) {
  Objects().SetOwner(head);
  molecule_->SetChainHead(head != nullptr && head != this ? head->molecule_ : nullptr);
  TComplex* surfaceOwner = head != nullptr ? static_cast<TComplex*>(head) : this;
  for (int i = 0; i < BoundaryCount(); ++i) BoundaryAt(i)->Objects().SetOwner(surfaceOwner);
}

TSpine* TSpine::ComponentAt(int i) {
  TSpine* s = Head();
  for (; s != nullptr && i > 0; --i) s = s->next_;
  return i < 0 ? nullptr : s;
}

TSpine* TSpine::ComponentOfObject(const TObjectHeader* object) {
  for (TSpine* s = this; s != nullptr; s = s->next_) {
    if (s->Objects().Contains(object)) return s;
  }
  return nullptr;
}

void TSpine::MoveComponentTo(const TObjectList& cells, TSpine& target) {
  TObjectManager& here = Objects();
  TObjectManager& there = target.Objects();
  std::unordered_set<const TObjectHeader*> moved;
  // Each object is registered in the target before it leaves this manager,
  // so that its reference count never falls to zero on the way.
  auto move = [&](TObjectHeader* object) {
    if (object == nullptr || !moved.insert(object).second || !here.Contains(object)) return;
    there.Register(object);
    here.Unregister(object);
  };
  for (int i = 0; i < cells.Count(); ++i) {
    TObjectHeader* cell = cells.At(i);
    move(cell);
    int length = TCell::BoundaryLength(cell);
    for (int p = 0; p < length; ++p) {
      THandle edge = TCell::EdgeAt(cell, p);
      move(edge);
      move(TEdge::End(edge, 1));
      move(TEdge::End(edge, 2));
    }
    move(TCell::AttachedVertex(cell));
  }
  // On a thickened spine the thick cells and edges of the component go
  // with it, and so do the boundary surfaces that hold their copies (a
  // surface lies around one component only).
  // One pass over the thick objects finds them all (a search per cell and
  // edge would cost the square of the spine's size).
  std::unordered_map<const TObjectHeader*, TObjectHeader*> thickOf;
  for (int k = 0; k < here.Count(); ++k) {
    TObjectHeader* object = here.At(k);
    if (TThickCell::Of(object) != nullptr) thickOf[TThickCell::Part(object, 1).Object()] = object;
    if (TThickEdge::Of(object) != nullptr) thickOf[TThickEdge::Edge(object).Object()] = object;
  }
  auto thickOfObject = [&](const TObjectHeader* object) -> TObjectHeader* {
    auto found = thickOf.find(object);
    return found != thickOf.end() ? found->second : nullptr;
  };
  for (int i = 0; i < cells.Count(); ++i) {
    TObjectHeader* cell = cells.At(i);
    if (TObjectHeader* thick = thickOfObject(cell)) {
      move(thick);
      for (int part = 2; part <= 3; ++part) {
        TComplex* surface = BoundarySurfaceOf(TThickCell::Part(thick, part));
        if (surface == nullptr) continue;
        boundaries_.RemoveAt(BoundarySurfaceIndex(surface));
        target.AppendBoundary(surface);
      }
    }
    for (int p = 0; p < TCell::BoundaryLength(cell); ++p) move(thickOfObject(TCell::EdgeAt(cell, p).Object()));
  }
}

int TSpine::SplitIntoComponents() {
  if (IsEmpty()) return 0;
  TCellWordList components;
  CellComponents(*this, &components);
  int n = components.CellCount();
  if (n < 2) return 0;

  TSpine* head = Head();
  for (int k = 1; k < n; ++k) {
    auto* component = new TSpine;
    component->Component().SetNumber(k + 1);
    component->Objects().SetOwner(head);
    component->Objects().SetCreationTag(Objects().CreationTag());
    MoveComponentTo(TObjectList::OfBody(components.WordAt(k)), *component);
    component->SetOwnerSpine(head);
    component->SetHomologyList(homology_);
    component->molecule_->SetVertexCount(molecule_->VertexCount());
    // A component that took boundary surfaces with it (a thickened spine)
    // gets its piece and its boundary atoms, linked with the tori it shares
    // with the chain. An unthickened one gets none: the thickening builds
    // them later, and building them twice would leave a second piece.
    if (component->BoundaryCount() > 0) component->molecule_->BuildBoundaryAtoms();
    component->SetNext(next_);
    SetNext(component);
    component->SetSourceKind(sourceKind_);
  }
  int number = 1;
  for (TSpine* s = this; s != nullptr; s = s->next_) s->Component().SetNumber(number++);
  return 1;
}

// ---- Tests --------------------------------------------------------------

int TSpine::IsSpecial(int wholeChain) {
  for (TSpine* s = this; s != nullptr; s = wholeChain == 1 ? s->next_ : nullptr) {
    const TObjectManager& objects = s->Objects();
    if (objects.CountOfKind(kEdgeKind) != 2 * objects.CountOfKind(kVertexKind)) return 0;
    for (int i = 0; i < objects.Count(); ++i) {
      const TObjectHeader* object = objects.At(i);
      if (object == nullptr || object->kind != kVertexKind) continue;
      if (TVertex::Valency(object) != 4 || !TVertex::HasSpecialNeighbourhood(object)) return 0;
    }
  }
  return 1;
}

int TSpine::Orientability(int mode) const {
  if (mode == 2) return orientable_;
  if (mode != 1) return 1;
  for (const TSpine* s = this; s != nullptr; s = s->next_) {
    if (s->orientable_ == 0) return 0;
  }
  return 1;
}

int TSpine::ComputeOrientability() const {
  TDetailsDescription details;
  details.FromSpine(*this);
  return details.Orient();
}

int TSpine::ComputeHomology() {
  // The new list replaces the old one only when it is complete, so that a
  // stopped computation leaves the spine as it was.
  auto* list = new THomologyList;
  try {
    list->Compute(*this, 1);
  } catch (const Out_of_Range&) {
    delete list;
    delete homology_;
    homology_ = nullptr;
    throw;
  } catch (...) {
    delete list;
    throw;
  }
  delete homology_;
  homology_ = list;
  return homology_->Count() > 0 ? 1 : 0;
}

int TSpine::SingleCellBoundaryLength() {
  if (Objects().CountOfKind(kCellKind) != 1) return 0;
  return TCell::BoundaryLength(Objects().First(kCellKind)) == 1 ? 1 : 0;
}

void TSpine::FirstMoleculeEdgeObject(const TComplex* surface, int k) {
  TObjectHeader* edge = molecule_->FirstEdgeOf(surface);
  if (edge == nullptr) return;
  THandle vertex = TEdge::End(edge, 1);
  for (TObjectHeader* object : {edge, vertex.Object()}) {
    ObjectSetNumberSlot(object, 0, k);
    ObjectSetNumberSlot(object, 1, k);
  }
  TMoleculeEdge::SetEndSlot(edge, 1, k - 1);
  TMoleculeEdge::SetEndSlot(edge, 2, k - 1);
}

// ---- Move log -----------------------------------------------------------

void TSpine::LogEvent(int code, const char* message) {
  if (QuietMode.load() != 0) return;
  TSpine* head = Head();
  if (head != this) {
    head->LogEvent(code, message);
    return;
  }
  logCodes_.AppendValue(code);
  logTexts_.Append(message == nullptr ? nullptr : NewNameObject(message, 1));
  if (SkipSpineValidation.load() == 0) ValidateSpineChecked(*this, message);
}

int TSpine::LogEntry(int i, char* buffer, std::size_t n) const {
  if (buffer != nullptr && n > 0) {
    buffer[0] = '\0';
    NameObjectText(logTexts_.At(i), buffer, n);
  }
  return static_cast<int>(logCodes_.ValueAt(i));
}

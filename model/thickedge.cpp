// Thick edges: construction, sides and finders. See thickedge.h.
#include "model/thickedge.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "foundation/text_format.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/objman.h"

namespace {

constexpr const char* kSourceName = "thickedge";
constexpr int kHeadingThickeningError = 440;
constexpr int kMessageEdgeValency = 442;

// Names and numbers side k of a thick edge: the thick edge's display name
// followed by k + 1 (unless names are suppressed), number 10 x n + k + 1.
void NameSide(const TObjectHeader* thickEdge, TObjectHeader* side, int k) {
  if (SuppressObjectNames == 0) {
    std::string name = std::string(ObjectDisplayName(thickEdge)) + std::to_string(k + 1);
    ObjectSetNameText(side, nullptr, name.c_str());
  }
  ObjectSetNumber(side, 10 * ObjectNumber(thickEdge) + k + 1);
}

}  // namespace

TThickEdge::TThickEdge() { passageIndex.SetWeak(2); }

TThickEdge* TThickEdge::Of(const TObjectHeader* object) {
  if (object == nullptr || object->kind != kThickEdgeKind) return nullptr;
  return static_cast<TThickEdge*>(const_cast<TObjectHeader*>(object));
}

int TThickEdge::Build(TObjectHeader* thickEdge, TObjectHeader* edge, TComplex& thickening,
                      const TWingPassages* wings) {
  TThickEdge* t = Of(thickEdge);
  if (t == nullptr || TEdge::Of(edge) == nullptr) return 0;
  int valency = TEdge::Valency(edge);
  if (valency != 3) {
    TString message;
    message.FormatResource(kMessageEdgeValency, ObjectDisplayName(edge),
                           static_cast<unsigned>(valency));
    ReportStatus(message, kHeadingThickeningError);
    return 0;
  }
  ObjectSetNumber(thickEdge, ObjectNumber(edge));
  t->edge.AssignObject(edge);
  t->passageIndex.Clear();
  for (int k = 0; k < 3 && wings != nullptr; ++k) {
    int j = IndexedWingPassage(*wings, edge, k);
    if (j < 0) ReportInternalError(kSourceName, __LINE__);
    t->passageIndex.AppendValue(j);
  }
  for (int k = 0; k < 3 && wings == nullptr; ++k) {
    THandle cell = TEdge::CellAt(edge, k);
    int j = 0;
    for (int earlier = k - 1; earlier >= 0; --earlier) {
      if (TEdge::CellAt(edge, earlier).Object() == cell.Object()) {
        j = static_cast<int>(t->passageIndex.ValueAt(earlier)) + 1;
        break;
      }
    }
    int length = TCell::BoundaryLength(cell);
    while (j < length && TCell::EdgeAt(cell, j).Object() != edge) ++j;
    if (j >= length) {
      // The cell lists the edge more often than its word passes it.
      ReportInternalError(kSourceName, __LINE__);
      j = -1;
    }
    t->passageIndex.AppendValue(j);
  }
  for (int k = 0; k < 3; ++k) {
    THandle side(thickening.Objects().CreateObject(kEdgeKind));
    if (SuppressObjectNames == 0) {
      std::string name = std::string(ObjectDisplayName(edge)) + std::to_string(k + 1);
      ObjectSetNameText(side, nullptr, name.c_str());
    } else {
      ObjectSetNumber(side, k + 1 + 10 * ObjectNumber(edge));
    }
    AddSide(thickEdge, side, k);
  }
  return 1;
}

THandle TThickEdge::Edge(const TObjectHeader* thickEdge) {
  const TThickEdge* t = Of(thickEdge);
  return t == nullptr ? THandle() : t->edge;
}

void TThickEdge::CopyNameToObject(TObjectHeader* thickEdge, TObjectHeader* object) {
  TThickEdge* t = Of(thickEdge);
  if (t == nullptr || object == nullptr) return;
  if (SuppressObjectNames == 0)
    ObjectSetNameText(object, nullptr, ObjectDisplayName(thickEdge));
  else
    ObjectSetNumber(object, ObjectNumber(thickEdge));
  t->edge.AssignObject(object);
}

THandle TThickEdge::Side(const TObjectHeader* thickEdge, int k) {
  const TThickEdge* t = Of(thickEdge);
  if (t == nullptr || k < 0 || k >= 3) return THandle();
  return t->side[k];
}

int TThickEdge::SideIndex(const TObjectHeader* thickEdge, const TObjectHeader* object) {
  const TThickEdge* t = Of(thickEdge);
  if (t == nullptr || object == nullptr) return -1;
  for (int k = 0; k < 3; ++k)
    if (t->side[k].Object() == object) return k;
  return -1;
}

int AdjacentSlot(int a, int b, int c) {
  int low = a < b ? a : b;
  int high = a < b ? b : a;
  if (high - low == 1 && low < c) return low;
  if (low == 0 && high == c - 1) return c - 1;
  return -1;
}

THandle TThickEdge::SideBetween(const TObjectHeader* thickEdge, int i, int j) {
  int slot = AdjacentSlot(i, j, 3);
  return slot < 0 ? THandle() : Side(thickEdge, slot);
}

void TThickEdge::AddSide(TObjectHeader* thickEdge, TObjectHeader* side, int k) {
  TThickEdge* t = Of(thickEdge);
  if (t == nullptr || k < 0 || k >= 3) return;
  NameSide(thickEdge, side, k);
  t->side[k].AssignObject(side);
}

void TThickEdge::Detach(TObjectHeader* thickEdge, const TObjectHeader* side) {
  TThickEdge* t = Of(thickEdge);
  int index = SideIndex(thickEdge, side);
  if (t == nullptr || index < 0) return;
  THandle removed = t->side[index];
  // Each later side takes the slot, and so the name, of the one before it.
  for (int k = index; k < 2; ++k) {
    t->side[k] = t->side[k + 1];
    if (t->side[k].IsValid()) NameSide(thickEdge, t->side[k], k);
  }
  t->side[2].Release();
}

THandle TThickEdge::CellAtPassage(const TObjectHeader* thickEdge, int k) {
  const TThickEdge* t = Of(thickEdge);
  return t == nullptr ? THandle() : TEdge::CellAt(t->edge, k);
}

int TThickEdge::PassageIndexAt(const TObjectHeader* thickEdge, int k) {
  const TThickEdge* t = Of(thickEdge);
  if (t == nullptr || k < 0 || k >= t->passageIndex.Count()) return -1;
  return static_cast<int>(t->passageIndex.ValueAt(k));
}

int TThickEdge::FindCellPosition(const TObjectHeader* thickEdge, const TObjectHeader* cell,
                                 int start) {
  const TThickEdge* t = Of(thickEdge);
  if (t == nullptr || cell == nullptr) return -1;
  int valency = TEdge::Valency(t->edge);
  for (int k = start < 0 ? 0 : start + 1; k < valency; ++k)
    if (TEdge::CellAt(t->edge, k).Object() == cell) return k;
  return -1;
}

THandle TThickEdge::SideOfCell(const TObjectHeader* thickEdge, const TObjectHeader* cell) {
  const TThickEdge* t = Of(thickEdge);
  if (t == nullptr || cell == nullptr) return THandle();
  THandle found;
  int count = 0;
  for (int k = 0; k < 3; ++k) {
    if (t->side[k].IsValid() && EdgePassageCount(cell, t->side[k]) != 0) {
      found = t->side[k];
      ++count;
    }
  }
  return count == 1 ? found : THandle();
}

void TThickEdge::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                          const TObjectCorrespondence& map) {
  TThickEdge* to = Of(target);
  const TThickEdge* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  TThickEdgeRelease(target);
  THandle(const_cast<TObjectHeader*>(source)).CopyIdentity(target);
  to->edge.AssignObject(map(from->edge));
  for (int k = 0; k < 3; ++k) to->side[k].AssignObject(map(from->side[k]));
  to->passageIndex.Clear();
  for (int k = 0; k < from->passageIndex.Count(); ++k)
    to->passageIndex.AppendValue(from->passageIndex.ValueAt(k));
}

void TThickEdgeRelease(TObjectHeader* thickEdge) {
  TThickEdge* t = TThickEdge::Of(thickEdge);
  if (t == nullptr || !BeginObjectRelease(thickEdge)) return;
  t->edge.Release();
  for (THandle& side : t->side) side.Release();
  t->passageIndex.Clear();
  EndObjectRelease(thickEdge);
}

void TThickEdgeDestroy(TObjectHeader* thickEdge) {
  TThickEdge* t = TThickEdge::Of(thickEdge);
  if (t == nullptr) return;
  TThickEdgeRelease(thickEdge);
  t->~TThickEdge();
}

THandle ThickEdgeOfEdge(const TObjectHeader* edge) {
  if (edge == nullptr) return THandle();
  TObjectManager* manager = ManagerOfObject(edge);
  if (manager == nullptr) {
    ReportInternalError(kSourceName, __LINE__);
    return THandle();
  }
  for (int k = 0; k < manager->Count(); ++k) {
    const TThickEdge* t = TThickEdge::Of(manager->At(k));
    if (t != nullptr && t->edge.Object() == edge) return THandle(manager->At(k));
  }
  return THandle();
}

THandle ThickEdgeOfObject(const TComplex& spine, const TObjectHeader* object) {
  if (object == nullptr) return THandle();
  const TObjectManager& objects = spine.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    const TThickEdge* t = TThickEdge::Of(objects.At(k));
    if (t == nullptr) continue;
    if (t->edge.Object() == object || TThickEdge::SideIndex(t, object) >= 0)
      return THandle(objects.At(k));
  }
  return THandle();
}

TWingPassages IndexWingPassages(const TComplex& spine) {
  // The k-th wing of an edge that is cell c is the n-th such wing for some n,
  // and it takes c's n-th passage along the edge. So the wings are bucketed
  // by cell and, within a cell, ordered by edge and then by k; each passage
  // then takes the next untaken wing of its edge in its cell's bucket. Flat
  // arrays and one sort per bucket keep this near-linear in the size of the
  // spine even where an edge has a very high valency.
  struct TWing {
    const TObjectHeader* edge;
    int k;
  };
  TStopPoll poll;
  const TObjectManager& objects = spine.Objects();
  std::vector<const TObjectHeader*> cells;
  std::unordered_map<const TObjectHeader*, int> cellIndex;
  for (int i = 0; i < objects.Count(); ++i) {
    poll.Step();
    const TObjectHeader* cell = objects.At(i);
    if (ObjectKind(cell) != kCellKind) continue;
    if (cellIndex.try_emplace(cell, static_cast<int>(cells.size())).second) cells.push_back(cell);
  }

  // Every wing of every edge that some cell passes along, with its cell's index.
  TWingPassages wings;
  std::vector<std::pair<int, TWing>> found;
  for (const TObjectHeader* cell : cells) {
    int length = TCell::BoundaryLength(cell);
    for (int j = 0; j < length; ++j) {
      poll.Step();
      const TObjectHeader* edge = TCell::EdgeAt(cell, j).Object();
      if (edge == nullptr) continue;
      auto [entry, added] = wings.try_emplace(edge);
      if (!added) continue;
      int valency = TEdge::Valency(edge);
      entry->second.assign(static_cast<std::size_t>(valency), -1);
      for (int k = 0; k < valency; ++k) {
        poll.Step();
        auto index = cellIndex.find(TEdge::CellAt(edge, k).Object());
        if (index != cellIndex.end()) found.push_back({index->second, TWing{edge, k}});
      }
    }
  }

  // Counting sort by cell, then each bucket by edge (k stays ascending).
  std::vector<std::size_t> start(cells.size() + 1, 0);
  for (const auto& f : found) ++start[static_cast<std::size_t>(f.first) + 1];
  for (std::size_t c = 0; c < cells.size(); ++c) start[c + 1] += start[c];
  std::vector<TWing> bucketed(found.size());
  {
    std::vector<std::size_t> fill(start.begin(), start.end() - 1);
    for (const auto& f : found) {
      poll.Step();
      bucketed[fill[static_cast<std::size_t>(f.first)]++] = f.second;
    }
  }
  found.clear();
  found.shrink_to_fit();
  const auto byEdge = [](const TWing& a, const TWing& b) { return std::less<const TObjectHeader*>()(a.edge, b.edge); };
  std::vector<std::uint32_t> taken(bucketed.size(), 0);
  for (std::size_t c = 0; c < cells.size(); ++c) {
    poll.Step();
    auto first = bucketed.begin() + static_cast<std::ptrdiff_t>(start[c]);
    auto last = bucketed.begin() + static_cast<std::ptrdiff_t>(start[c + 1]);
    std::stable_sort(first, last, byEdge);
    const TObjectHeader* cell = cells[c];
    int length = TCell::BoundaryLength(cell);
    for (int j = 0; j < length; ++j) {
      poll.Step();
      const TObjectHeader* edge = TCell::EdgeAt(cell, j).Object();
      if (edge == nullptr) continue;
      auto group = std::lower_bound(first, last, TWing{edge, 0}, byEdge);
      if (group == last || group->edge != edge) continue;
      std::size_t g = static_cast<std::size_t>(group - bucketed.begin());
      std::size_t next = g + taken[g];
      if (next >= start[c + 1] || bucketed[next].edge != edge) continue;
      ++taken[g];
      wings[edge][static_cast<std::size_t>(bucketed[next].k)] = j;
    }
  }
  return wings;
}

int IndexedWingPassage(const TWingPassages& wings, const TObjectHeader* edge, int k) {
  auto found = wings.find(edge);
  if (found == wings.end() || k < 0 || k >= static_cast<int>(found->second.size())) return -1;
  return found->second[static_cast<std::size_t>(k)];
}

// The special spine of a link exterior: edges and the four cell families.
//
// The exterior of a link in S^3 minus two balls (one above and one below the
// plane of the diagram) collapses onto a special polyhedron made of a
// vertical wall under each over strand and each under strand, a small square
// at each crossing where the walls meet, and the horizontal regions of the
// diagram; see link_cell_words.h for the words. Every edge lies on exactly
// three cells, and the vertices arise where the words' corners are joined.
// A diagram with n crossings gives 8n edges and 4n + 2 cells (n + 2 regions);
// a diagram whose given signs do not fit a plane diagram traces another
// number of regions and is refused (error 27).
#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "presentations/links/link.h"
#include "presentations/links/link_cell_words.h"
#include "presentations/links/link_crossing.h"

namespace {

// The complex's edges by primary number, so that words find their edges in
// constant time.
class TEdgesByNumber {
 public:
  explicit TEdgesByNumber(TComplex& complex) {
    TObjectManager& objects = complex.Objects();
    for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
      int number = THandle(e).Number();
      if (number <= 0) continue;
      if (static_cast<std::size_t>(number) >= edges_.size()) edges_.resize(static_cast<std::size_t>(number) + 1, nullptr);
      edges_[static_cast<std::size_t>(number)] = e;
    }
  }
  TObjectHeader* operator[](int number) const {
    return number > 0 && static_cast<std::size_t>(number) < edges_.size() ? edges_[static_cast<std::size_t>(number)]
                                                                           : nullptr;
  }

 private:
  std::vector<TObjectHeader*> edges_;
};

// Makes one cell from a word and adds it to the complex.
THandle MakeCell(TComplex& complex, const TEdgesByNumber& edges, const TLinkWord& word) {
  THandle cell(complex.Objects().CreateObject(kCellKind));
  TCell::ReserveBoundary(cell, static_cast<int>(word.size()));
  for (const TLinkPassage& p : word) {
    TObjectHeader* edge = edges[p.edge];
    if (edge != nullptr) TCell::AppendPassage(cell, edge, p.direction);
  }
  complex.AddCellWithBoundary(cell);
  return cell;
}

void MakeCells(TComplex& complex, const std::vector<TLinkWord>& words) {
  TEdgesByNumber edges(complex);
  for (const TLinkWord& word : words) MakeCell(complex, edges, word);
}

}  // namespace

TObjectHeader* TLink::EdgeOf(TComplex& complex, int role, int value, int place) const {
  int number = EdgeNumber(role, value, place);
  if (number <= 0) return nullptr;
  return complex.Objects().FindByNumber(kEdgeKind, number);
}

void TLink::CreateExteriorEdges(TComplex& complex) const {
  int count = EdgeCount();
  for (int e = 1; e <= count; ++e) complex.Objects().CreateObject(kEdgeKind);
}

void TLink::BuildOverCells(TComplex& complex, std::vector<TCrossing>& /*records*/) const {
  std::vector<TLinkWord> words;
  LinkOverCellWords(*this, words);
  MakeCells(complex, words);
}

void TLink::BuildUnderCells(TComplex& complex, std::vector<TCrossing>& /*records*/) const {
  std::vector<TLinkWord> words;
  LinkUnderCellWords(*this, words);
  MakeCells(complex, words);
}

void TLink::BuildCrossingCells(TComplex& complex, std::vector<TCrossing>& records) const {
  std::vector<TLinkWord> words;
  LinkCrossingCellWords(*this, words);
  TEdgesByNumber edges(complex);
  for (std::size_t x = 0; x < words.size() && x < records.size(); ++x) {
    records[x].SetCell(MakeCell(complex, edges, words[x]));
  }
}

int TLink::BuildRegionCells(TComplex& complex, std::vector<TCrossing>& records, int& lastRegionCell) {
  std::vector<TLinkWord> words;
  int traced = TraceLinkRegions(*this, records, words);
  if (traced == 0 || (IsClassical() != 0 && static_cast<int>(words.size()) - crossingCount != 2)) {
    ReportError(27);
    return 0;
  }
  TEdgesByNumber edges(complex);
  lastRegionCell = 0;
  for (const TLinkWord& word : words) lastRegionCell = MakeCell(complex, edges, word).Number();
  return 1;
}

int TLink::BuildExteriorComplex(TComplex& complex, std::vector<TCrossing>& records, int& lastRegionCell) {
  records.clear();
  lastRegionCell = 0;
  if (status != 1 || crossingCount <= 0) return 0;
  complex.Objects().SetCreationTag(1);
  CreateExteriorEdges(complex);
  BuildLinkRecords(*this, records);
  BuildOverCells(complex, records);
  BuildUnderCells(complex, records);
  BuildCrossingCells(complex, records);
  if (BuildRegionCells(complex, records, lastRegionCell) == 0) return 0;
  if (IsClassical() != 0) {
    FillFramedComponents(complex, records);
  } else {
    MergeSurfaceSides(complex);
  }
  return 1;
}

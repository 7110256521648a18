#include "recognition/atom_torus_map.h"

#include <cstdint>
#include <utility>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/thickedge.h"
#include "model/spine.h"
#include "model/work_heap_scope.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/torus_coordinates.h"
#include "recognition/atom_table.h"
#include "recognition/spine_symmetries.h"

namespace {

// The side matching of an isomorphism reads, for each wing of a thick edge,
// which passage of its cell runs along the edge. A thickening kept up by
// the moves can hold indices that no longer point at their edge (the cell's
// word was rewritten since); its sides cannot be matched, and a torus map
// read from them would be wrong, not merely missing.
bool PassagesPointAtTheirEdges(TSpine& spine) {
  const TObjectList& objects = spine.Objects().Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* o = objects.At(i);
    const TThickEdge* t = o != nullptr && o->kind == kThickEdgeKind ? TThickEdge::Of(o) : nullptr;
    if (t == nullptr) continue;
    const TObjectHeader* edge = t->edge.Object();
    for (int k = 0; k < TEdge::Valency(edge); ++k) {
      const THandle cell = TEdge::CellAt(edge, k);
      const int passage = TThickEdge::PassageIndexAt(o, k);
      if (passage < 0 || passage >= TCell::BoundaryLength(cell) || TCell::EdgeAt(cell, passage).Object() != edge)
        return false;
    }
  }
  return true;
}

// The record torus and matrix of every torus of the copy under the map (the
// record's curves are carried into labels 2 and 3); false when a torus goes
// to no torus of the record.
bool ReadTorusImages(TSpine& piece, TSpine& own, const TSymmetryMap& map, std::vector<TTorusImage>& images) {
  std::vector<int> torusOrdinal(static_cast<std::size_t>(own.CountBoundaries(0)), -1);
  int tori = 0;
  for (std::size_t j = 0; j < torusOrdinal.size(); ++j) {
    if (own.BoundarySurfaceClass(own.BoundaryAt(static_cast<int>(j))) == 2) torusOrdinal[j] = tori++;
  }
  MapBoundaryComponents(piece, own, map);
  const std::vector<int> target = CompareSpinesUnderSymmetry(piece, own, map);
  images.assign(target.size(), TTorusImage{});
  for (std::size_t k = 0; k < target.size(); ++k) {
    const TComplex* surface = piece.BoundaryAt(static_cast<int>(k));
    if (piece.BoundarySurfaceClass(surface) != 2) continue;
    const int j = target[k];
    if (j < 0 || j >= static_cast<int>(torusOrdinal.size()) || torusOrdinal[static_cast<std::size_t>(j)] < 0)
      return false;
    // The gluing matrix of the torus has the record's curves as its columns,
    // written in the piece's basis: it is B^-1.
    images[k].recordTorus = torusOrdinal[static_cast<std::size_t>(j)];
    int m[4] = {0, 0, 0, 0};
    if (SpineBoundaryGluingMatrix(*surface, m) != 1) continue;  // no basis on this torus
    // The record's basis carried over must be a basis again; anything else
    // means the sides were not matched, and the map is not taken.
    const std::int64_t det = static_cast<std::int64_t>(m[0]) * m[3] - static_cast<std::int64_t>(m[1]) * m[2];
    if (det != 1 && det != -1) return false;
    QuadInvertUnimodular(images[k].toRecord, TIntQuad{m[0], m[1], m[2], m[3]});
    images[k].hasMatrix = true;
  }
  return true;
}

// The bases of the tori are coherent with one orientation of each spine, so
// a map that keeps the orientation keeps it on every torus.
bool PreservesOrientation(const std::vector<TTorusImage>& images) {
  for (const TTorusImage& image : images) {
    if (image.hasMatrix && QuadDet(image.toRecord) != 1) return false;
  }
  return true;
}

}  // namespace

int FindTorusImages(const TSpine& piece, const TTableRecord& record, std::vector<std::vector<TTorusImage>>& maps) {
  maps.clear();
  if (!piece.IsThickened() || !record.IsUsable()) return 0;
  std::vector<std::vector<TTorusImage>> preserving, reversing;
  {
    TWorkHeapScope heap;
    TSpine copy;
    piece.CopyTo(copy);
    if (!PassagesPointAtTheirEdges(copy)) return 0;
    TSpine own;
    if (record.BuildSpine(own) != 1) return 0;
    own.SplitIntoComponents();
    if (own.Thicken(1) != 1) return 0;
    SetBoundaryCoordinates(own);
    ThrowIfStopRequested();
    const TSymmetrySearch a(copy);
    const TSymmetrySearch b(own);
    TSymmetryMapList isomorphisms;
    FindSpineSymmetriesOnRecords(isomorphisms, a, b, 2);
    for (const TSymmetryMap& map : isomorphisms) {
      ThrowIfStopRequested();
      std::vector<TTorusImage> found;
      if (!ReadTorusImages(copy, own, map, found)) continue;
      (PreservesOrientation(found) ? preserving : reversing).push_back(std::move(found));
    }
  }
  if (preserving.empty() && reversing.empty()) return 0;
  maps = std::move(preserving);
  for (std::vector<TTorusImage>& found : reversing) maps.push_back(std::move(found));
  return 1;
}

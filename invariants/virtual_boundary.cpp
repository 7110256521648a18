// The virtual boundary of a spine (see virtual_boundary.h).
//
// The identifications are collected first, in a union-find over the 12
// triangle edges of each detail that keeps, per edge, whether it runs along
// or against its class's representative; the triangles are then written as
// words in the representatives, so no edge is ever created and replaced.
#include "invariants/virtual_boundary.h"

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_euler_listing.h"
#include "model/cell.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/spine.h"
#include "moves/cell_reductions.h"

namespace {

// Union-find with the relative direction of each edge to its parent.
class TSignedClasses {
 public:
  explicit TSignedClasses(std::size_t n) : parent_(n), reversed_(n, false) {
    for (std::size_t i = 0; i < n; ++i) parent_[i] = i;
  }
  // The representative of e, and whether e runs against it.
  std::pair<std::size_t, bool> Find(std::size_t e) {
    bool reversed = false;
    std::size_t root = e;
    while (parent_[root] != root) {
      reversed = reversed != reversed_[root];
      root = parent_[root];
    }
    // Path compression, keeping each node's direction to the root.
    bool along = reversed;
    while (parent_[e] != root) {
      const std::size_t next = parent_[e];
      const bool step = reversed_[e];
      parent_[e] = root;
      reversed_[e] = along;
      along = along != step;
      e = next;
    }
    return {root, reversed};
  }
  // Makes a and b one edge, b running against a when `reversed`.
  void Unite(std::size_t a, std::size_t b, bool reversed) {
    const auto [ra, xa] = Find(a);
    const auto [rb, xb] = Find(b);
    if (ra == rb) return;
    parent_[rb] = ra;
    reversed_[rb] = (xa != xb) != reversed;
  }

 private:
  std::vector<std::size_t> parent_;
  std::vector<bool> reversed_;
};

// Status texts stay off for a scope, a stop or an exception included.
class TStatusOffScope {
 public:
  TStatusOffScope() { SuppressStatus(); }
  ~TStatusOffScope() { UnsuppressStatus(); }
  TStatusOffScope(const TStatusOffScope&) = delete;
  TStatusOffScope& operator=(const TStatusOffScope&) = delete;
};

std::size_t TriangleEdge(std::size_t detail, int corner, int position) {
  return 12 * detail + 3 * static_cast<std::size_t>(corner) + static_cast<std::size_t>(position);
}

}  // namespace

int BuildDetailBoundaryComplex(TSpine& spine, const TDetailsDescription& details, int mode) {
  const int n = details.DetailCount();
  // Details are found by their place in the description, not by their
  // numbers, so any numbering gives the same complex.
  std::unordered_map<const TObjectHeader*, std::size_t> place;
  for (int i = 0; i < n; ++i) place.emplace(details.DetailAt(i).Object(), static_cast<std::size_t>(i));
  TSignedClasses classes(12 * static_cast<std::size_t>(n));
  TStopPoll poll;
  for (int i = 0; i < n; ++i) {
    const THandle detail = details.DetailAt(i);
    for (int f = 0; f < 4; ++f) {
      poll.Step();
      const THandle partner = TDetail::Partner(detail, f);
      const auto other = place.find(partner.Object());
      const int g = TDetail::PartnerFace(detail, f);
      if (other == place.end() || g < 0 || g > 3) return 0;
      const std::size_t k = other->second;
      const std::size_t c = static_cast<std::size_t>(i);
      if (k < c || (k == c && g <= f)) continue;  // each gluing once
      const bool reversed = !TDetail::FaceMapIsEven(detail, f);
      for (int j = 0; j < 3; ++j) {
        const int q = TDetail::Correspondence(detail, f, j);
        if (q < 0 || q > 2) return 0;
        classes.Unite(TriangleEdge(c, TDetail::FaceCornerMap(f, j), j),
                      TriangleEdge(k, TDetail::FaceCornerMap(g, q), q), reversed);
      }
    }
  }
  TObjectManager& objects = spine.Objects();
  const int savedTag = objects.CreationTag();
  objects.SetCreationTag(1);
  std::vector<THandle> edges(12 * static_cast<std::size_t>(n));
  for (std::size_t c = 0; c < static_cast<std::size_t>(n); ++c) {
    for (int t = 0; t < 4; ++t) {
      poll.Step();
      THandle cell(objects.CreateObject(kCellKind));
      for (int j = 0; j < 3; ++j) {
        const auto [root, reversed] = classes.Find(TriangleEdge(c, t, j));
        if (!edges[root].IsValid()) edges[root] = THandle(objects.CreateObject(kEdgeKind));
        TCell::AppendPassage(cell, edges[root], reversed ? 2 : 1);
      }
      spine.AddCellWithBoundary(cell);
    }
  }
  objects.SetCreationTag(savedTag);
  if (mode == 2) RunCellReductions(spine);
  return 1;
}

std::string VirtualBoundaryListing(const TSpine& spine) {
  // The surfaces of every component of the chain go into one complex, so
  // that equal surfaces of different components are counted together.
  TSpine boundary;
  for (const TSpine* component = &spine; component != nullptr; component = component->Next()) {
    TDetailsDescription details;
    // The details' own complaints are not wanted here: an incomplete
    // description simply has no virtual boundary to list.
    int complete = 0;
    {
      const TStatusOffScope quiet;
      complete = details.FromSpine(*component);
    }
    if (complete == 0 || BuildDetailBoundaryComplex(boundary, details, 1) == 0) return std::string();
  }
  RunCellReductions(boundary);
  return SurfaceEulerCharacteristics(boundary, 1);
}

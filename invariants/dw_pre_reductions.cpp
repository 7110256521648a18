#include "invariants/dw_pre_reductions.h"

#include <functional>
#include <stdexcept>
#include <vector>

#include "foundation/stop_poll.h"
#include "invariants/dw_detail_classes.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/object_header.h"
#include "model/spine.h"

namespace {

// The faces that hold the edges at the six positions of SixEdgeValues.
constexpr int kFacesOfEdgePosition[6][2] = {{0, 3}, {0, 2}, {0, 1}, {1, 2}, {1, 3}, {2, 3}};

// Position of corner c in face f; -1 when c is not a corner of f.
int PositionOfCorner(int face, int corner) {
  for (int p = 0; p < 3; ++p) {
    if (TDetail::FaceCornerMap(face, p) == corner) return p;
  }
  return -1;
}

// The gluing of one face, read before the detail changes.
struct TFaceGluing {
  TObjectHeader* partner = nullptr;
  int face = -1;
  int map[3] = {-1, -1, -1};
};

TFaceGluing GluingOf(const TObjectHeader* detail, int face) {
  TFaceGluing gluing;
  gluing.partner = TDetail::Partner(detail, face).Object();
  gluing.face = TDetail::PartnerFace(detail, face);
  for (int p = 0; p < 3; ++p) gluing.map[p] = TDetail::Correspondence(detail, face, p);
  return gluing;
}

void Glue(TObjectHeader* detail, int face, TObjectHeader* other, const TFaceGluing& gluing) {
  TDetail::GlueFaces(detail, face, other, gluing.face, gluing.map[0], gluing.map[1], gluing.map[2],
                     kDWApply);
}

// Glues face a of A to face b of B, where the two tetrahedra are pieces of
// one and share their corner slots, except that slot `from` of A stands
// where slot `to` of B does (the new vertex of a subdivision sits in a
// different slot of each piece).
void GlueSharedSlots(TObjectHeader* a, int faceA, TObjectHeader* b, int faceB, int from, int to) {
  int map[3];
  for (int p = 0; p < 3; ++p) {
    const int corner = TDetail::FaceCornerMap(faceA, p);
    map[p] = PositionOfCorner(faceB, corner == from ? to : corner);
  }
  TDetail::GlueFaces(a, faceA, b, faceB, map[0], map[1], map[2], kDWApply);
}

int CountFacesGluedTo(const TObjectHeader* detail, const TObjectHeader* partner) {
  int count = 0;
  for (int f = 0; f < 4; ++f) {
    if (TDetail::Partner(detail, f).Object() == partner) ++count;
  }
  return count;
}

bool IsGluedTo(const TObjectHeader* detail, const TObjectHeader* other) {
  return CountFacesGluedTo(detail, other) > 0;
}

// ---- The common scan ----

enum class TWalkResult { kNone, kFound, kChanged };

// One walk over the configurations: at a hit in detect mode it answers
// kFound; in apply mode it calls the executor and answers kChanged when the
// executor changed the description, and otherwise goes on to the next hit
// (kFound at the end when there was one).
using TWalk = std::function<TWalkResult(TDetailsDescription&, const TDWDetailClasses&, int mode)>;

int RunReduction(TDetailsDescription& description, int mode, const TWalk& walk) {
  // Each change adds a handful of details; a reduction that changed the
  // description more often than this is not converging.
  const int bound = 64 * description.DetailCount() + 256;
  int changes = 0;
  for (;;) {
    ThrowIfStopRequested();
    const TDWDetailClasses classes(description);
    const TWalkResult result = walk(description, classes, mode);
    if (mode != kDWApply) return result == TWalkResult::kNone ? 0 : 1;
    if (result != TWalkResult::kChanged) return changes > 0 ? 1 : 0;
    if (++changes > bound) {
      throw std::runtime_error("the DW pre-reductions do not come to an end on this spine");
    }
  }
}

// Removes one occurrence; false when it cannot change it.
using TExecutor = std::function<bool()>;
// The executor for candidate k of detail i, or an empty one when the
// configuration does not occur there.
using TVisit = std::function<TExecutor(int i, int k)>;

// Candidates of a detail: a count, or the details after it (pairs).
inline constexpr int kLaterDetails = -1;

// The scan every reduction shares: each detail i in order, and each of its
// candidates k. At a hit, detect mode answers kFound; apply mode runs the
// executor and answers kChanged when it changed the description, and
// otherwise goes on (with `firstHitPerDetail`, to the next detail).
TWalkResult ScanDetails(const TDWDetailClasses& classes, int mode, int candidates,
                        bool firstHitPerDetail, const TVisit& visit) {
  bool found = false;
  TStopPoll poll;
  for (int i = 0; i < classes.DetailCount(); ++i) {
    const int first = candidates == kLaterDetails ? i + 1 : 0;
    const int end = candidates == kLaterDetails ? classes.DetailCount() : candidates;
    for (int k = first; k < end; ++k) {
      poll.Step();
      const TExecutor execute = visit(i, k);
      if (!execute) continue;
      found = true;
      if (mode != kDWApply) return TWalkResult::kFound;
      if (execute()) return TWalkResult::kChanged;
      if (firstHitPerDetail) break;
    }
  }
  return found ? TWalkResult::kFound : TWalkResult::kNone;
}

// A reduction whose executor runs at each hit: one scan per pass.
int ScanReduction(TDetailsDescription& description, int mode, int candidates,
                  bool firstHitPerDetail,
                  const std::function<TExecutor(TDetailsDescription&, const TDWDetailClasses&,
                                                int i, int k)>& visit) {
  return RunReduction(description, mode,
                      [&](TDetailsDescription& d, const TDWDetailClasses& c, int m) {
                        return ScanDetails(c, m, candidates, firstHitPerDetail,
                                           [&](int i, int k) { return visit(d, c, i, k); });
                      });
}

// A reduction that cuts detail i into four when `holds(classes, i, k)` for
// one of its candidates k.
int SubdivideDetailsWhere(TDetailsDescription& description, int mode, int candidates,
                          const std::function<bool(const TDWDetailClasses&, int i, int k)>& holds) {
  return ScanReduction(description, mode, candidates, true,
                       [&](TDetailsDescription& d, const TDWDetailClasses& c, int i,
                           int k) -> TExecutor {
                         if (!holds(c, i, k)) return {};
                         TObjectHeader* detail = c.Detail(i);
                         return [&d, detail] {
                           SubdivideDetail(d, detail);
                           return true;
                         };
                       });
}

// FindCommonEdgeValue: the first of D's six edges (fixed order) whose value
// Q has too, as a face and position of D.
bool FindCommonEdgeValue(const TDWDetailClasses& classes, int d, int q, int& face, int& position) {
  const std::array<int, 6> mine = classes.SixEdgeValues(d);
  const std::array<int, 6> theirs = classes.SixEdgeValues(q);
  for (int p = 0; p < 6; ++p) {
    for (int value : theirs) {
      if (mine[static_cast<std::size_t>(p)] != value) continue;
      face = p < 3 ? 0 : (p < 5 ? 1 : 2);
      position = p % 3;
      return true;
    }
  }
  return false;
}

}  // namespace

std::array<int, 2> ComplementaryFacePair(int p, int q) {
  std::array<int, 2> pair{};
  int k = 0;
  for (int i = 0; i < 4 && k < 2; ++i) {
    if (i != p && i != q) pair[static_cast<std::size_t>(k++)] = i;
  }
  return pair;
}

// ---- Executors ----

void SubdivideDetail(TDetailsDescription& description, TObjectHeader* detail) {
  // Piece i is face i of the old detail coned to the new inner vertex, which
  // stands in slot i of the piece; the other slots keep the old corners.
  TObjectHeader* piece[4];
  for (auto& n : piece) n = description.NewDetail();
  TDetail::GlueFaces(piece[0], 1, piece[1], 0, 1, 0, 2, kDWApply);
  TDetail::GlueFaces(piece[0], 2, piece[2], 0, 2, 1, 0, kDWApply);
  TDetail::GlueFaces(piece[0], 3, piece[3], 0, 0, 2, 1, kDWApply);
  TDetail::GlueFaces(piece[1], 2, piece[2], 1, 0, 2, 1, kDWApply);
  TDetail::GlueFaces(piece[3], 1, piece[1], 3, 2, 1, 0, kDWApply);
  TDetail::GlueFaces(piece[3], 2, piece[2], 3, 1, 0, 2, kDWApply);
  TFaceGluing outer[4];
  for (int i = 0; i < 4; ++i) outer[i] = GluingOf(detail, i);
  bool done[4] = {false, false, false, false};
  for (int i = 0; i < 4; ++i) {
    if (done[i]) continue;
    if (outer[i].partner != detail) {
      Glue(piece[i], i, outer[i].partner, outer[i]);
    } else {
      // A face glued to another face of the same detail: the two pieces
      // that carry them are glued instead.
      Glue(piece[i], i, piece[outer[i].face], outer[i]);
      done[outer[i].face] = true;
    }
  }
  description.RemoveDetail(detail);
}

bool SubdivideFace(TDetailsDescription& description, TObjectHeader* detail, int face) {
  if (TDetail::Of(detail) == nullptr || face < 0 || face > 3) return false;
  TObjectHeader* partner = TDetail::Partner(detail, face).Object();
  const int h = TDetail::PartnerFace(detail, face);
  if (partner == nullptr || partner == detail || h < 0) return false;
  if (CountFacesGluedTo(detail, partner) != 1 || CountFacesGluedTo(partner, detail) != 1 ||
      IsGluedTo(detail, detail) || IsGluedTo(partner, partner)) {
    return false;
  }
  // Piece d of a side is the side's tetrahedron with its corner d (a corner
  // of the common face) moved to the new vertex in that face: it keeps the
  // old face d and a third of the common face.
  struct TSide {
    TObjectHeader* detail;
    int face;
    TObjectHeader* piece[4];
  };
  TSide sides[2] = {{detail, face, {}}, {partner, h, {}}};
  TFaceGluing common = GluingOf(detail, face);
  for (TSide& side : sides) {
    for (int d = 0; d < 4; ++d) {
      side.piece[d] = nullptr;
      if (d == side.face) continue;
      const TFaceGluing outer = GluingOf(side.detail, d);
      side.piece[d] = description.NewDetail();
      Glue(side.piece[d], d, outer.partner, outer);
    }
    // Pieces d and d' share the face through the apex, the new vertex and
    // the fourth corner: face d' of piece d, face d of piece d'.
    for (int d = 0; d < 4; ++d) {
      for (int e = d + 1; e < 4; ++e) {
        if (d == side.face || e == side.face) continue;
        GlueSharedSlots(side.piece[d], e, side.piece[e], d, d, e);
      }
    }
  }
  // Across the common face, the piece of corner g meets the piece of the
  // corner glued to g; the new vertex stands in those two slots.
  for (int e = 0; e < 3; ++e) {
    const int g = TDetail::FaceCornerMap(face, e);
    const int o = TDetail::FaceCornerMap(h, common.map[e]);
    Glue(sides[0].piece[g], face, sides[1].piece[o], common);
  }
  description.RemoveDetail(detail);
  description.RemoveDetail(partner);
  return true;
}

namespace {

// One tetrahedron around an edge: the two faces on the edge (entered
// through, left through) and the edge's two ends u and w, u following one
// end of the edge from tetrahedron to tetrahedron.
struct TEdgeStep {
  TObjectHeader* detail;
  int enter;
  int leave;
  int u;
  int w;
};

// The tetrahedra around the edge on faces a and b of the detail, in order.
// False when the walk meets a tetrahedron a second time (the edge lies in it
// more than once: *repeated is that detail) or the gluings break off.
bool EdgeCycle(const TDetailsDescription& description, TObjectHeader* detail, int faceA, int faceB,
               std::vector<TEdgeStep>& cycle, TObjectHeader** repeated) {
  cycle.clear();
  if (repeated != nullptr) *repeated = nullptr;
  if (TDetail::Of(detail) == nullptr || faceA == faceB || faceA < 0 || faceA > 3 || faceB < 0 ||
      faceB > 3) {
    return false;
  }
  const std::array<int, 2> ends = ComplementaryFacePair(faceA, faceB);
  TEdgeStep step{detail, faceA, faceB, ends[0], ends[1]};
  TStopPoll poll(256);
  for (;;) {
    poll.Step();
    for (const TEdgeStep& earlier : cycle) {
      if (earlier.detail != step.detail) continue;
      if (repeated != nullptr) *repeated = step.detail;
      return false;
    }
    cycle.push_back(step);
    TObjectHeader* next = TDetail::Partner(step.detail, step.leave).Object();
    const int arrival = TDetail::PartnerFace(step.detail, step.leave);
    if (TDetail::Of(next) == nullptr || arrival < 0) return false;
    auto image = [&](int corner) {
      const int q =
          TDetail::Correspondence(step.detail, step.leave, PositionOfCorner(step.leave, corner));
      return TDetail::FaceCornerMap(arrival, q);
    };
    const int u = image(step.u);
    const int w = image(step.w);
    // The edge lies on the face entered and on the one opposite the corner
    // that is neither an end of it nor opposite the face entered.
    int leave = -1;
    for (int f = 0; f < 4; ++f) {
      if (f != arrival && f != u && f != w) leave = f;
    }
    if (u < 0 || w < 0 || leave < 0) return false;
    step = TEdgeStep{next, arrival, leave, u, w};
    // Back at the start: the same detail, face and edge.
    if (step.detail == detail && step.enter == faceA && step.leave == faceB) return true;
    if (cycle.size() > static_cast<std::size_t>(6 * description.DetailCount())) return false;
  }
}

}  // namespace

bool SubdivideEdge(TDetailsDescription& description, TObjectHeader* detail, int faceA, int faceB) {
  std::vector<TEdgeStep> cycle;
  if (!EdgeCycle(description, detail, faceA, faceB, cycle, nullptr)) return false;
  // The half of each tetrahedron that keeps corner w is a new detail, with
  // the midpoint in slot u; the old detail keeps corner u, the midpoint in
  // slot w. Old gluings are read before anything changes.
  std::vector<TObjectHeader*> halves(cycle.size());
  std::vector<TFaceGluing> opposite(cycle.size());
  std::vector<TFaceGluing> across(cycle.size());
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    opposite[i] = GluingOf(cycle[i].detail, cycle[i].u);
    across[i] = GluingOf(cycle[i].detail, cycle[i].leave);
    halves[i] = description.NewDetail();
  }
  auto halfOf = [&](TObjectHeader* old, int face) {
    for (std::size_t i = 0; i < cycle.size(); ++i) {
      if (cycle[i].detail == old && cycle[i].u == face) return halves[i];
    }
    return old;
  };
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    const TEdgeStep& s = cycle[i];
    Glue(halves[i], s.u, halfOf(opposite[i].partner, opposite[i].face), opposite[i]);
    GlueSharedSlots(s.detail, s.u, halves[i], s.w, s.w, s.u);
    Glue(halves[i], s.leave, halves[(i + 1) % cycle.size()], across[i]);
  }
  return true;
}

bool ResolveOppositeEdgePair(TDetailsDescription&, TObjectHeader*, int) { return false; }

// ---- The nine reductions ----

int ReduceSelfGluedDetail(TDetailsDescription& description, int mode) {
  return SubdivideDetailsWhere(description, mode, 3, [](const TDWDetailClasses& c, int i, int f) {
    return TDetail::Partner(c.Detail(i), f).Object() == c.Detail(i);
  });
}

int ReduceDoublyGluedDetail(TDetailsDescription& description, int mode) {
  static constexpr int kPairs[6][2] = {{1, 0}, {2, 0}, {3, 0}, {2, 1}, {3, 1}, {3, 2}};
  return SubdivideDetailsWhere(description, mode, 6, [](const TDWDetailClasses& c, int i, int k) {
    const TObjectHeader* detail = c.Detail(i);
    return TDetail::Partner(detail, kPairs[k][0]).Object() ==
           TDetail::Partner(detail, kPairs[k][1]).Object();
  });
}

int ReduceFoldedFace(TDetailsDescription& description, int mode) {
  return ScanReduction(description, mode, 4, false,
                       [](TDetailsDescription& d, const TDWDetailClasses& c, int i,
                          int f) -> TExecutor {
                         const int v0 = c.EdgeValue(i, f, 0);
                         const int v1 = c.EdgeValue(i, f, 1);
                         const int v2 = c.EdgeValue(i, f, 2);
                         if (v0 != v1 && v0 != v2 && v1 != v2) return {};
                         return [&d, detail = c.Detail(i), f] { return SubdivideFace(d, detail, f); };
                       });
}

int ReduceOppositeEdgePair(TDetailsDescription& description, int mode) {
  return ScanReduction(description, mode, 3, false,
                       [](TDetailsDescription& d, const TDWDetailClasses& c, int i,
                          int k) -> TExecutor {
                         if (c.EdgeValue(i, 0, k) != c.EdgeValue(i, k < 2 ? 1 : 3, k)) return {};
                         return [&d, detail = c.Detail(i), k] {
                           return ResolveOppositeEdgePair(d, detail, k);
                         };
                       });
}

namespace {

// The position in face a of the edge that face a shares with face b.
int SharedEdgePosition(int a, int b) {
  for (int p = 0; p < 3; ++p) {
    if (TDetail::FaceCornerMap(a, p) == b) return p;
  }
  return -1;
}

// Splits the loop edge on faces a and b of detail i. Where a tetrahedron
// holds that edge twice, halving each tetrahedron once is no subdivision, so
// that tetrahedron is taken apart first and the edge is split on a later
// scan: two copies on one face go to different pieces when the face is
// subdivided (when it cannot be, because its two details are glued along
// more than that face, the detail is cut into four, after which the face of
// the piece on it can be); two copies on opposite edges go to different
// pieces when the detail is cut into four.
bool SeparateLoopEdge(TDetailsDescription& description, const TDWDetailClasses& classes, int i,
                      int a, int b) {
  std::vector<TEdgeStep> cycle;
  TObjectHeader* repeated = nullptr;
  TObjectHeader* detail = classes.Detail(i);
  if (EdgeCycle(description, detail, a, b, cycle, &repeated)) {
    return SubdivideEdge(description, detail, a, b);
  }
  const int r = classes.IndexOf(repeated);
  if (r < 0) return false;
  const int edge = classes.EdgeValue(i, a, SharedEdgePosition(a, b));
  for (int f = 0; f < 4; ++f) {
    int copies = 0;
    for (int p = 0; p < 3; ++p) {
      if (classes.EdgeValue(r, f, p) == edge) ++copies;
    }
    if (copies < 2) continue;
    if (SubdivideFace(description, repeated, f)) return true;
    break;
  }
  SubdivideDetail(description, repeated);
  return true;
}

}  // namespace

int ReduceLoopEdge(TDetailsDescription& description, int mode) {
  static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  return ScanReduction(description, mode, 6, false,
                       [](TDetailsDescription& d, const TDWDetailClasses& c, int i,
                          int k) -> TExecutor {
                         if (c.Corner(i, kPairs[k][0]) != c.Corner(i, kPairs[k][1])) return {};
                         // The edge joining the two corners lies on the other two faces.
                         const std::array<int, 2> faces =
                             ComplementaryFacePair(kPairs[k][0], kPairs[k][1]);
                         return [&d, &c, i, faces] {
                           return SeparateLoopEdge(d, c, i, faces[0], faces[1]);
                         };
                       });
}

int ReduceAdjacentEdgeMatch(TDetailsDescription& description, int mode) {
  return SubdivideDetailsWhere(description, mode, 4, [](const TDWDetailClasses& c, int i, int face) {
    const TObjectHeader* detail = c.Detail(i);
    const int q = c.IndexOf(TDetail::Partner(detail, face).Object());
    if (q <= i) return false;
    const int h = TDetail::PartnerFace(detail, face);
    for (int j = 0; j < 3; ++j) {
      const int value = c.EdgeValue(i, TDetail::FaceCornerMap(face, j), (j + 1) % 3);
      for (int k = 0; k < 3; ++k) {
        if (c.EdgeValue(q, TDetail::FaceCornerMap(h, k), (k + 1) % 3) == value) return true;
      }
    }
    return false;
  });
}

int ReduceEqualApexFace(TDetailsDescription& description, int mode) {
  return SubdivideDetailsWhere(description, mode, 4, [](const TDWDetailClasses& c, int i, int face) {
    // Each glued pair of faces once, from the detail that holds its spine
    // edge's end 1 (the earlier of the two).
    const TObjectHeader* detail = c.Detail(i);
    const int q = c.IndexOf(TDetail::Partner(detail, face).Object());
    const int h = TDetail::PartnerFace(detail, face);
    if (q < i || (q == i && h < face)) return false;
    return c.Corner(i, face) == c.Corner(q, h);
  });
}

int ReduceDetailsSharingEdges(TDetailsDescription& description, int mode) {
  return ScanReduction(description, mode, kLaterDetails, false,
                       [](TDetailsDescription& d, const TDWDetailClasses& c, int i,
                          int q) -> TExecutor {
    if (IsGluedTo(c.Detail(q), c.Detail(i)) || IsGluedTo(c.Detail(i), c.Detail(q))) return {};
    const std::array<int, 6> mine = c.SixEdgeValues(i);
    const std::array<int, 6> theirs = c.SixEdgeValues(q);
    std::vector<std::array<int, 2>> matches;
    for (int a = 0; a < 6; ++a) {
      for (int b = 0; b < 6; ++b) {
        if (mine[static_cast<std::size_t>(a)] == theirs[static_cast<std::size_t>(b)]) {
          matches.push_back({a, b});
        }
      }
    }
    if (matches.size() < 2) return {};
    const std::array<int, 2> first = matches[0];
    const std::array<int, 2> second = matches[1];
    return [&d, &c, i, q, first, second]() -> bool {
      if (second[0] == first[0] + 3) {
        SubdivideDetail(d, c.Detail(i));
        return true;
      }
      if (second[1] == first[1] + 3) {
        SubdivideDetail(d, c.Detail(q));
        return true;
      }
      // The face of D that holds both matched edges of D.
      const int* a = kFacesOfEdgePosition[first[0]];
      const int* b = kFacesOfEdgePosition[second[0]];
      int face = a[0];
      if (a[0] != b[0] && a[0] != b[1]) face = a[1];
      return SubdivideFace(d, c.Detail(i), face);
    };
  });
}

int ReduceDetailsSharingCorners(TDetailsDescription& description, int mode) {
  return ScanReduction(description, mode, kLaterDetails, false,
                       [](TDetailsDescription& d, const TDWDetailClasses& c, int i,
                          int q) -> TExecutor {
    if (IsGluedTo(c.Detail(q), c.Detail(i)) || IsGluedTo(c.Detail(i), c.Detail(q))) return {};
    std::vector<int> listed;  // D's matched corners, in the order found
    for (int j = 0; j < 4; ++j) {
      for (int k = 0; k < 4; ++k) {
        if (c.Corner(i, j) == c.Corner(q, k)) listed.push_back(j);
      }
    }
    const std::size_t shared = listed.size();
    int x = -1;
    int y = -1;
    const bool commonEdge = FindCommonEdgeValue(c, i, q, x, y);
    if (shared < 2 || (shared == 2 && commonEdge)) return {};
    return [&d, &c, i, listed, shared, commonEdge, x, y]() -> bool {
      // A corner of D listed twice would mean a loop edge in Q, which
      // the loop-edge reduction removes first: nothing to split here.
      if (listed[0] == listed[1]) return false;
      std::array<int, 2> faces = ComplementaryFacePair(listed[0], listed[1]);
      if (shared == 3 && commonEdge && x == faces[0] && TDetail::FaceCornerMap(x, y) == faces[1]) {
        if (listed[0] == listed[2]) return false;
        faces = ComplementaryFacePair(listed[0], listed[2]);
      }
      return SubdivideEdge(d, c.Detail(i), faces[0], faces[1]);
    };
  });
}

// ---- The two passes ----

namespace {

void DescribeSpine(const TSpine& spine, TDetailsDescription& description) {
  if (description.FromSpine(spine) == 0 || description.DetailCount() == 0) {
    throw std::invalid_argument("the spine is not special or its details are incomplete");
  }
}

}  // namespace

int IsReducedForDW(const TSpine& spine) {
  TDetailsDescription description;
  DescribeSpine(spine, description);
  using TReduction = int (*)(TDetailsDescription&, int);
  static constexpr TReduction kOrder[] = {
      ReduceSelfGluedDetail, ReduceFoldedFace,        ReduceOppositeEdgePair,
      ReduceLoopEdge,        ReduceAdjacentEdgeMatch, ReduceEqualApexFace,
      ReduceDetailsSharingEdges, ReduceDetailsSharingCorners, ReduceDoublyGluedDetail};
  for (TReduction reduction : kOrder) {
    if (reduction(description, kDWDetect) != 0) return 0;
  }
  return 1;
}

TSpine& ReduceForDW(TSpine& spine, std::unique_ptr<TSpine>& built) {
  built.reset();
  TDetailsDescription description;
  DescribeSpine(spine, description);
  using TReduction = int (*)(TDetailsDescription&, int);
  // Only loop edges keep the corner order from being a branching, and the
  // loop-edge reduction takes apart itself the tetrahedra that hold an edge
  // twice. The other configurations are left alone: every vertex their
  // subdivisions add doubles the colourings the state sum must visit (the
  // full sequence of nine takes the one-tetrahedron spine of S^3 to 135
  // tetrahedra with 35 vertices, 2^34 colourings; splitting its loop edges
  // alone ends with a handful of vertices).
  static constexpr TReduction kOrder[] = {ReduceOppositeEdgePair, ReduceLoopEdge};
  bool changed = false;
  for (TReduction reduction : kOrder) {
    if (reduction(description, kDWApply) != 0) changed = true;
  }
  if (!changed) return spine;
  auto result = std::make_unique<TSpine>();
  {
    TSuppressObjectNamesScope numbersOnly(1);
    if (description.BuildSpine(*result, 1) == 0) {
      throw std::runtime_error("the reduced details do not give a spine");
    }
  }
  if (result->Thicken(1) == 0) throw std::runtime_error("the reduced spine cannot be thickened");
  built = std::move(result);
  return *built;
}

// The engine's triangulation store and its local moves.
//
// A triangulation is the gluing permutation of darts (see the header). The
// moves are the Pachner moves 2-3 and 3-2, the 2-0 move that flattens a pair
// of tetrahedra around an edge of order 2 (pushing their outer faces
// together), and the removal of an edge of order 1 by a 2-3 move followed by
// a 2-0 move. Each move writes the new gluing with Glue, which identifies two
// faces by naming one dart of each, and then checks the result: a move whose
// outer faces reach back into the tetrahedra it removes, or that would glue a
// face to itself, is undone and refused. Every successful reduction removes
// at least one tetrahedron, so the simplification ends after at most as many
// moves as there are tetrahedra.
#include "invariants/hyperbolic/triangulation_store.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "foundation/stop_poll.h"

namespace {

constexpr int kTail[12] = {0, 1, 2, 3, 0, 2, 3, 1, 0, 3, 1, 2};
constexpr int kHead[12] = {1, 0, 3, 2, 2, 0, 1, 3, 3, 0, 2, 1};
constexpr int kRotateOne[12] = {4, 6, 3, 3, 4, 6, 3, 3, -8, -6, -9, -9};
constexpr int kRotateTwo[12] = {-8, -9, -9, -6, 4, 3, 3, 6, 4, 3, 3, 6};

int Find(std::vector<int>& parent, int i) {
  while (parent[static_cast<std::size_t>(i)] != i) {
    int& p = parent[static_cast<std::size_t>(i)];
    p = parent[static_cast<std::size_t>(p)];
    i = p;
  }
  return i;
}

}  // namespace

int DartTail(int dart) { return kTail[dart % 12]; }
int DartHead(int dart) { return kHead[dart % 12]; }

int RotateDart(int dart, int type) {
  if (type == 1) return dart + kRotateOne[dart % 12];
  if (type == 2) return dart - kRotateTwo[dart % 12];
  return dart;
}

int DartFromLetters(int a, int b) { return RotateDart(a, (a ^ b) - 1); }

void TTriangulationStore::Clear() {
  next_.clear();
  tetrahedra_.clear();
  position_.clear();
  edgeClass_.clear();
  edges_.clear();
  orientation_.clear();
  lensSummand_ = false;
}

void TTriangulationStore::ResetOrientations() { std::fill(orientation_.begin(), orientation_.end(), 1); }

bool TTriangulationStore::BuildFromDartCycles(const std::vector<int>& list) {
  Clear();
  int largest = -1;
  for (int d : list) {
    if (d == -2) break;
    largest = std::max(largest, d);
  }
  const int count = largest < 0 ? 0 : largest / 12 + 1;
  next_.assign(static_cast<std::size_t>(12 * count), -1);
  edgeClass_.assign(static_cast<std::size_t>(6 * count), -1);
  orientation_.assign(static_cast<std::size_t>(count), 1);
  for (int t = 0; t < count; ++t) {
    tetrahedra_.push_back(t);
    position_.push_back(t);
  }
  std::vector<int> firsts;
  auto set = [&](int dart, int value) {
    int& slot = next_[static_cast<std::size_t>(dart)];
    if (slot != -1) return false;
    slot = value;
    return true;
  };
  bool ok = true;
  std::size_t i = 0;
  while (ok && i < list.size() && list[i] != -2) {
    std::size_t end = i;
    while (end < list.size() && list[end] >= 0) ++end;
    if (end == list.size()) {
      ok = false;
      break;
    }
    if (end > i) {
      firsts.push_back(list[i]);
      for (std::size_t k = i; k < end; ++k) {
        const int d = list[k];
        const int e = list[k + 1 < end ? k + 1 : i];
        ok = ok && set(d, e) && set(e ^ 1, d ^ 1);
      }
    }
    i = end + 1;
  }
  for (int value : next_) ok = ok && value >= 0;
  if (!ok) {
    Clear();
    return false;
  }
  for (int d : firsts) {
    if (edgeClass_[static_cast<std::size_t>(d / 2)] == -1) CreateEdgeClass(d);
  }
  if (std::find(edgeClass_.begin(), edgeClass_.end(), -1) != edgeClass_.end()) RebuildAllEdges();
  return true;
}

std::vector<int> TTriangulationStore::WriteDartCycles() const {
  std::vector<int> list;
  for (const TEngineEdge& edge : edges_) {
    int d = edge.dart;
    for (int k = 0; k < edge.order; ++k) {
      list.push_back(12 * position_[static_cast<std::size_t>(d / 12)] + d % 12);
      d = Next(d);
    }
    list.push_back(-1);
  }
  list.push_back(-2);
  return list;
}

int TTriangulationStore::CheckGluingConsistency() const {
  for (const TEngineEdge& edge : edges_) {
    int b = edge.dart;
    for (int k = 0; k < edge.order; ++k) {
      if (RotateDart(b, 1) != (Next(RotateDart(Next(b) ^ 1, 2)) ^ 1)) return 0;
      b = Next(b);
    }
    if (b != edge.dart) return 0;
  }
  return EdgeCount();
}

void TTriangulationStore::CreateEdgeClass(int dart) {
  const int index = EdgeCount();
  TEngineEdge edge;
  edge.dart = dart;
  int d = dart;
  const int limit = 12 * TetrahedronCount() + 1;
  do {
    edgeClass_[static_cast<std::size_t>(d / 2)] = 2 * index + (d & 1);
    ++edge.order;
    d = Next(d);
  } while (d != dart && edge.order < limit);
  edges_.push_back(edge);
}

void TTriangulationStore::RebuildAllEdges() {
  edges_.clear();
  std::fill(edgeClass_.begin(), edgeClass_.end(), -1);
  for (int id : tetrahedra_) {
    for (int code = 0; code < 12; code += 2) {
      const int d = 12 * id + code;
      if (edgeClass_[static_cast<std::size_t>(d / 2)] == -1) CreateEdgeClass(d);
    }
  }
}

void TTriangulationStore::SortEdgesByOrder() {
  std::vector<int> order(edges_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return edges_[static_cast<std::size_t>(a)].order > edges_[static_cast<std::size_t>(b)].order;
  });
  std::vector<int> newPosition(edges_.size());
  std::vector<TEngineEdge> sorted;
  sorted.reserve(edges_.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    newPosition[static_cast<std::size_t>(order[k])] = static_cast<int>(k);
    sorted.push_back(edges_[static_cast<std::size_t>(order[k])]);
  }
  edges_ = std::move(sorted);
  for (int& c : edgeClass_) {
    if (c >= 0) c = 2 * newPosition[static_cast<std::size_t>(c >> 1)] + (c & 1);
  }
}

TTetrahedronParameters TTriangulationStore::TetrahedronParameters(int dart) const {
  const int r1 = RotateDart(dart, 1), r2 = RotateDart(dart, 2);
  const int darts[6] = {dart, dart ^ 2, r1, r1 ^ 2, r2, r2 ^ 2};
  TTetrahedronParameters x;
  for (int k = 0; k < 6; ++k) x[static_cast<std::size_t>(k)] = Edge(EdgeOf(darts[k])).parameter;
  return x;
}

void TTriangulationStore::SetAllParameters(double value) {
  for (TEngineEdge& edge : edges_) edge.parameter = value;
}

int TTriangulationStore::LabelVertices(std::vector<int>& ends) const {
  const int vertices = NumberVertices(ends);
  if (vertices != EdgeCount() - TetrahedronCount()) messages_->Warning("warning: not a closed manifold\n");
  return vertices;
}

int TTriangulationStore::NumberVertices(std::vector<int>& ends) const {
  // Corners (tetrahedron position, letter of the opposite face) are joined
  // across every face gluing: the dart (F, h) crosses face F, and the corner
  // opposite h meets the corner opposite the tail of next(F, h).
  const int count = TetrahedronCount();
  std::vector<int> parent(static_cast<std::size_t>(4 * count));
  std::iota(parent.begin(), parent.end(), 0);
  for (int p = 0; p < count; ++p) {
    const int base = TetrahedronDart(p);
    for (int code = 0; code < 12; ++code) {
      const int d = base + code;
      const int n = Next(d);
      const int a = Find(parent, 4 * p + DartHead(d));
      const int b = Find(parent, 4 * position_[static_cast<std::size_t>(n / 12)] + DartTail(n));
      parent[static_cast<std::size_t>(a)] = b;
    }
  }
  std::vector<int> number(parent.size(), -1);
  int vertices = 0;
  for (std::size_t c = 0; c < parent.size(); ++c) {
    const int root = Find(parent, static_cast<int>(c));
    if (number[static_cast<std::size_t>(root)] < 0) number[static_cast<std::size_t>(root)] = vertices++;
  }
  // The ends of the edge of dart d (faces a, b) are the corners opposite the
  // faces of d xor 2.
  ends.assign(2 * edges_.size(), 0);
  for (std::size_t e = 0; e < edges_.size(); ++e) {
    const int d = edges_[e].dart;
    const int p = position_[static_cast<std::size_t>(d / 12)];
    ends[2 * e] = number[static_cast<std::size_t>(Find(parent, 4 * p + DartHead(d ^ 2)))];
    ends[2 * e + 1] = number[static_cast<std::size_t>(Find(parent, 4 * p + DartTail(d ^ 2)))];
  }
  return vertices;
}

// ---- Moves ----

int TTriangulationStore::NewTetrahedron() {
  const int id = static_cast<int>(next_.size() / 12);
  next_.resize(next_.size() + 12, -1);
  edgeClass_.resize(edgeClass_.size() + 6, -1);
  orientation_.push_back(1);
  position_.push_back(static_cast<int>(tetrahedra_.size()));
  tetrahedra_.push_back(id);
  return 12 * id;
}

void TTriangulationStore::RemoveTetrahedron(int dart) {
  const int id = dart / 12;
  const int at = position_[static_cast<std::size_t>(id)];
  if (at < 0) return;
  const int last = tetrahedra_.back();
  tetrahedra_[static_cast<std::size_t>(at)] = last;
  position_[static_cast<std::size_t>(last)] = at;
  tetrahedra_.pop_back();
  position_[static_cast<std::size_t>(id)] = -1;
  std::fill(next_.begin() + 12 * id, next_.begin() + 12 * id + 12, -1);
}

void TTriangulationStore::Glue(int a, int b) {
  for (int i = 0; i < 3; ++i) {
    const int p = RotateDart(a, i);
    const int q = RotateDart(b, 3 - i);
    next_[static_cast<std::size_t>(p)] = q ^ 1;
    next_[static_cast<std::size_t>(q)] = p ^ 1;
  }
}

void TTriangulationStore::Restore(const TState& state) {
  next_ = state.next;
  tetrahedra_ = state.tetrahedra;
  position_ = state.position;
  orientation_.resize(next_.size() / 12, 1);
  edgeClass_.assign(next_.size() / 2, -1);
  RebuildAllEdges();
  AssignParameters(state.parameters);
}

std::vector<double> TTriangulationStore::LocalEdgeParameters() const {
  std::vector<double> local(edgeClass_.size(), std::numeric_limits<double>::quiet_NaN());
  for (std::size_t i = 0; i < edgeClass_.size(); ++i) {
    const int c = edgeClass_[i];
    if (c >= 0 && (c >> 1) < EdgeCount()) local[i] = edges_[static_cast<std::size_t>(c >> 1)].parameter;
  }
  return local;
}

void TTriangulationStore::AssignParameters(const std::vector<double>& local) {
  for (TEngineEdge& edge : edges_) {
    edge.parameter = 0.0;
    int d = edge.dart;
    for (int k = 0; k < edge.order; ++k, d = Next(d)) {
      const std::size_t i = static_cast<std::size_t>(d / 2);
      if (i < local.size() && !std::isnan(local[i])) {
        edge.parameter = local[i];
        break;
      }
    }
  }
}

bool TTriangulationStore::FinishMove(const TState& saved) {
  bool ok = true;
  for (int id : tetrahedra_) {
    for (int code = 0; code < 12 && ok; ++code) {
      const int d = 12 * id + code;
      const int n = next_[static_cast<std::size_t>(d)];
      ok = n >= 0 && position_[static_cast<std::size_t>(n / 12)] >= 0 &&
           next_[static_cast<std::size_t>(n ^ 1)] == (d ^ 1) &&
           !(n / 12 == id && DartHead(n) == DartTail(d));
    }
  }
  if (ok) {
    // The classes of the tetrahedra kept still name the old edges.
    const std::vector<double> local = LocalEdgeParameters();
    RebuildAllEdges();
    AssignParameters(local);
    ok = CheckGluingConsistency() == EdgeCount();
  }
  if (!ok) {
    Restore(saved);
    return false;
  }
  SortEdgesByOrder();
  return true;
}

bool TTriangulationStore::DistinctAround(int dart, int order) const {
  std::vector<int> seen;
  int d = dart;
  for (int k = 0; k < order; ++k) {
    if (std::find(seen.begin(), seen.end(), d / 12) != seen.end()) return false;
    seen.push_back(d / 12);
    d = Next(d);
  }
  return true;
}

// A move replaces some tetrahedra by new ones; each outer face of the old
// ones (dart X of it) becomes a face of a new one (dart Y), with
// RotateDart(Y, i) in the place of RotateDart(X, i). Where an outer face is
// glued to another outer face of the same move, the gluing is carried over
// to the new faces.
int TTriangulationStore::MovedDart(int dart, const std::vector<std::array<int, 2>>& faces) const {
  for (const auto& [from, to] : faces) {
    if (from / 12 != dart / 12 || DartTail(from) != DartTail(dart)) continue;
    for (int i = 0; i < 3; ++i) {
      if (RotateDart(from, i) == dart) return RotateDart(to, i);
    }
  }
  return dart;
}

void TTriangulationStore::GlueOuterFaces(const std::vector<std::array<int, 2>>& faces) {
  std::vector<int> outer;
  for (const auto& face : faces) outer.push_back(Next(face[0]) ^ 1);
  for (std::size_t k = 0; k < faces.size(); ++k) Glue(faces[k][1], MovedDart(outer[k], faces));
}

int TTriangulationStore::TwoThreeMove(int a) {
  const int b = Next(a) ^ 1;
  if (SameTetrahedron(a, b)) return -1;
  const TState saved = Save();
  int t[3];
  for (int& d : t) d = NewTetrahedron();
  for (int k = 0; k < 3; ++k) Glue(t[k], t[(k + 1) % 3] ^ 1);
  std::vector<std::array<int, 2>> faces;
  for (int k = 0; k < 3; ++k) {
    faces.push_back({RotateDart(a, 3 - k) ^ 1, t[k] ^ 2});
    faces.push_back({RotateDart(b, k) ^ 1, t[k] ^ 3});
  }
  GlueOuterFaces(faces);
  RemoveTetrahedron(a);
  RemoveTetrahedron(b);
  return FinishMove(saved) ? t[0] : -1;
}

int TTriangulationStore::ThreeTwoMove(int a) {
  if (Edge(EdgeOf(a)).order != 3 || !DistinctAround(a, 3)) return -1;
  const int around[3] = {a, Next(a), Next(Next(a))};
  const TState saved = Save();
  const int r = NewTetrahedron();
  const int s = NewTetrahedron();
  Glue(r, s);
  std::vector<std::array<int, 2>> faces;
  for (int i = 0; i < 3; ++i) {
    faces.push_back({around[i] ^ 2, RotateDart(r, 3 - i) ^ 1});
    faces.push_back({around[i] ^ 3, RotateDart(s, i) ^ 1});
  }
  GlueOuterFaces(faces);
  for (int d : around) RemoveTetrahedron(d);
  return FinishMove(saved) ? r : -1;
}

int TTriangulationStore::TwoZeroMove(int a) {
  if (Edge(EdgeOf(a)).order != 2 || !DistinctAround(a, 2)) return -1;
  const int b = Next(a);
  // When the two edges opposite the flattened one are one edge, run the
  // same way, flattening squeezes a projective space out of the manifold.
  const bool projective = OrientedClass(a ^ 2) == OrientedClass(b ^ 2);
  const std::vector<int> lens = LensSummandsAround(a, 2);
  const int p = Next(a ^ 2) ^ 1, q = Next(b ^ 2) ^ 1;
  const int r = Next(a ^ 3) ^ 1, s = Next(b ^ 3) ^ 1;
  const TState saved = Save();
  Glue(p, q);
  Glue(r, s);
  RemoveTetrahedron(a);
  RemoveTetrahedron(b);
  if (!FinishMove(saved)) return -1;
  if (projective) {
    messages_->Message("L(2, 1) summand\n");
    lensSummand_ = true;
  }
  ReportLensSummands(lens, 2);
  return p;
}

int TTriangulationStore::FourFourMove(int a) {
  if (Edge(EdgeOf(a)).order != 4 || !DistinctAround(a, 4)) return -1;
  int around[4];
  around[0] = a;
  for (int k = 1; k < 4; ++k) around[k] = Next(around[k - 1]);
  const TState saved = Save();
  int t[4];
  for (int& d : t) d = NewTetrahedron();
  for (int k = 0; k < 4; ++k) Glue(t[k], t[(k + 1) % 4] ^ 1);
  std::vector<std::array<int, 2>> faces;
  int q = t[0];
  for (int k = 0; k < 4; ++k) {
    const int c = k % 2;
    faces.push_back({around[k] ^ 2, RotateDart(q, 2 - c) ^ 1});
    faces.push_back({around[k] ^ 3, RotateDart(Next(q) ^ 1, c + 1) ^ 1});
    if (c == 1) q = Next(q ^ 1);
  }
  GlueOuterFaces(faces);
  for (int d : around) RemoveTetrahedron(d);
  if (!FinishMove(saved)) return -1;
  // The dart of t1 on the new edge of order 4 (edge ids change with the
  // rebuild; darts do not).
  return t[1];
}

int TTriangulationStore::FourFourSearch() {
  int found = 0;
  bool again = true;
  while (again) {
    ThrowIfStopRequested();
    again = false;
    for (int e = EdgeCount() - 1; e >= 0 && !again; --e) {
      if (Edge(e).order != 4) continue;
      const TState saved = Save();
      // The octahedron around an edge of order 4 has three diagonals: try the
      // two others, keeping one only when low-order reductions follow.
      int d = FourFourMove(Edge(e).dart);
      for (int turn = 0; turn < 2 && d >= 0 && !again; ++turn) {
        if (ReduceLowOrderEdges() > 0) again = true;
        else if (turn == 0) d = FourFourMove(d);
      }
      if (again) {
        ++found;
      } else {
        Restore(saved);
        SortEdgesByOrder();
      }
    }
  }
  return found;
}

int TTriangulationStore::ReduceOrderOneEdge(int a) {
  if (Edge(EdgeOf(a)).order != 1) return 0;
  const TState saved = Save();
  const int b = TwoThreeMove(a ^ 2);
  if (b < 0) {
    // The tetrahedron can go on its own only when it is a whole component.
    RemoveTetrahedron(a);
    return FinishMove(saved) ? 1 : 0;
  }
  if (TwoZeroMove(RotateDart(Next(b), 1)) < 0) {
    messages_->Warning("order 1 edge not reduced\n");
    Restore(saved);  // a 2-3 move alone adds a tetrahedron: not a reduction
    SortEdgesByOrder();
    return 0;
  }
  return 1;
}

int TTriangulationStore::ReduceLowOrderEdges() {
  int made = 0;
  bool again = true;
  while (again) {
    ThrowIfStopRequested();
    again = false;
    for (int e = EdgeCount() - 1; e >= 0 && !again; --e) {
      const TEngineEdge edge = Edge(e);
      if (edge.order > 3) break;  // sorted: every edge before has a higher order
      if (edge.order == 1) again = ReduceOrderOneEdge(edge.dart) == 1;
      else if (edge.order == 2) again = TwoZeroMove(edge.dart) >= 0;
      else again = ThreeTwoMove(edge.dart) >= 0;
    }
    if (again) ++made;
  }
  return made;
}

// The tetrahedra around the edge form a ring; each has two faces across the
// edge opposite to the ring's edge (positions 2k and 2k + 1 for the k-th).
// A position whose face is glued to a face of the ring links to that face,
// with the rotation (0, 1 or 2 thirds of a turn) by which the gluing turns
// the face's corners. The move identifies the faces of a position and of
// position xor mode; a closed chain of links whose rotations do not add up
// to whole turns bounds a triangle folded onto itself with a twist of k
// thirds: a lens space L(3, k) that the move squeezes out.
std::vector<int> TTriangulationStore::LensSummandsAround(int a, int mode) const {
  const int c = Edge(EdgeOf(a)).order;
  std::vector<int> ring(static_cast<std::size_t>(c));
  ring[0] = a;
  for (int k = 1; k < c; ++k) ring[static_cast<std::size_t>(k)] = Next(ring[static_cast<std::size_t>(k - 1)]);
  const int positions = 2 * c;
  std::vector<int> link(static_cast<std::size_t>(positions), -1), turn(static_cast<std::size_t>(positions), 0);
  for (int i = 0; i < positions; ++i) {
    const int n = Next(ring[static_cast<std::size_t>(i / 2)] ^ (2 + (i & 1))) ^ 1;
    for (int m = 0; m < c; ++m) {
      const int s = ring[static_cast<std::size_t>(m)] ^ 2;
      if (s / 12 != n / 12) continue;
      const int d = DartTail(n) != DartTail(s) ? 1 : 0;
      link[static_cast<std::size_t>(i)] = 2 * m + d;
      turn[static_cast<std::size_t>(i)] = (((n % 12) / 4 - ((s ^ d) % 12) / 4) % 3 + 3) % 3;
      break;
    }
  }
  std::vector<int> summands;
  std::vector<char> visited(static_cast<std::size_t>(positions), 0);
  for (int i = 0; i < positions; ++i) {
    if (visited[static_cast<std::size_t>(i)]) continue;
    int at = i, sum = 0;
    bool closed = false;
    for (int step = 0; step <= positions && link[static_cast<std::size_t>(at)] >= 0; ++step) {
      const int target = link[static_cast<std::size_t>(at)];
      visited[static_cast<std::size_t>(at)] = visited[static_cast<std::size_t>(target)] = 1;
      sum += turn[static_cast<std::size_t>(at)];
      at = target ^ mode;
      if (at >= positions) break;
      if (at == i) {
        closed = true;
        break;
      }
    }
    if (closed && sum % 3 != 0) summands.push_back(3 - sum % 3);
  }
  return summands;
}

void TTriangulationStore::ReportLensSummands(const std::vector<int>& summands, int mode) {
  for (int k : summands) {
    messages_->Message("L(3%s %d) summand\n", mode == 2 ? "," : ";", k);
    lensSummand_ = true;
  }
}

int TTriangulationStore::CheckLensSummand(int dart, int mode) {
  const std::vector<int> summands = LensSummandsAround(dart, mode);
  ReportLensSummands(summands, mode);
  return static_cast<int>(summands.size());
}

int TTriangulationStore::ContractEdge(int a) {
  const int order = Edge(EdgeOf(a)).order;
  if (!DistinctAround(a, order)) return -1;
  std::vector<int> ends;
  const int vertices = NumberVertices(ends);
  const int edge = EdgeOf(a);
  if (ends[static_cast<std::size_t>(2 * edge)] == ends[static_cast<std::size_t>(2 * edge + 1)]) return -1;
  const std::vector<int> lens = LensSummandsAround(a, 1);
  std::vector<int> ring(static_cast<std::size_t>(order));
  ring[0] = a;
  for (int k = 1; k < order; ++k) ring[static_cast<std::size_t>(k)] = Next(ring[static_cast<std::size_t>(k - 1)]);
  const int kept = Next(a ^ 2) ^ 1;
  const TState saved = Save();
  // One tetrahedron after the other: a face glued to a face of the ring is
  // carried on through the ring by the gluings made before it.
  for (int b : ring) Glue(Next(b ^ 2) ^ 1, Next(b ^ 3) ^ 1);
  for (int b : ring) RemoveTetrahedron(b);
  if (!FinishMove(saved)) return -1;
  std::vector<int> after;
  const int left = NumberVertices(after);
  if (left != vertices - 1 || left != EdgeCount() - TetrahedronCount()) {
    Restore(saved);
    SortEdgesByOrder();
    return -1;
  }
  ReportLensSummands(lens, 1);
  if (TetrahedronCount() == 0) return 0;
  return position_[static_cast<std::size_t>(kept / 12)] >= 0 ? kept : TetrahedronDart(0);
}

int TTriangulationStore::ContractOneEdge() {
  std::vector<int> ends;
  NumberVertices(ends);
  std::vector<int> candidates;
  for (int e = 0; e < EdgeCount(); ++e) {
    if (ends[static_cast<std::size_t>(2 * e)] != ends[static_cast<std::size_t>(2 * e + 1)]) candidates.push_back(Edge(e).dart);
  }
  for (int dart : candidates) {
    ThrowIfStopRequested();
    if (ContractEdge(dart) >= 0) return 1;
  }
  return 0;
}

void TTriangulationStore::CompactIds() {
  std::vector<double> parameters;
  const std::vector<int> list = WriteDartCycles();
  for (const TEngineEdge& edge : edges_) parameters.push_back(edge.parameter);
  const bool lens = lensSummand_;
  BuildFromDartCycles(list);
  lensSummand_ = lens;
  // BuildFromDartCycles creates the edges in the list's order.
  for (std::size_t e = 0; e < edges_.size() && e < parameters.size(); ++e) edges_[e].parameter = parameters[e];
}

void TTriangulationStore::SimplifyTriangulation() {
  SortEdgesByOrder();
  ReduceLowOrderEdges();
  // Each turn that goes on has removed a tetrahedron.
  for (;;) {
    ThrowIfStopRequested();
    if (FourFourSearch() > 0) continue;
    while (ContractOneEdge() == 1) {
    }
    if (ReduceLowOrderEdges() == 0) break;
  }
  CompactIds();
  SortEdgesByOrder();
}

// Cutting out a ring: the test and the finder. See ring_cutting.h.
#include "moves/ring_cutting.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/int_matrix.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/molecule_vertex.h"
#include "model/objman.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "moves/boundary_path.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/reduction.h"
#include "moves/thick_surgery.h"

namespace {

// The copy r of the edge closes up to a curve of its surface: r is a loop,
// or a path from its start back to it begins with r (avoiding the excluded
// edge).
bool ClosesUp(const THandle& r, const TObjectHeader* excluded) {
  if (TEdge::IsLoop(r)) return true;
  THandle start = TEdge::End(r, 1);
  return FindBoundaryPath(start, start, r, 1, excluded) == 1;
}

constexpr int kMobiusText = 282;
constexpr int kTripleText = 283;
constexpr int kSeparatedText = 284;

// The geometry of the cut. Let D be the strip (a quadrangle of the cell
// along the arc from one passage of the valency-2 edge e to the other). In
// the spine its two end sides are one piece of e, so D closes up to an
// annulus, the ring; in the thickened manifold the ring gives the proper
// annulus V = core x I, whose boundary curves are the cores of the strip's
// copies D+ and D- on the boundary tori. Each copy is itself an annulus of
// its torus: its word is chord s, piece sigma, chord o, piece sigma again,
// where the chords are loops (the annulus's two boundary circles) and sigma
// an arc across it. Removing the strip removes a neighbourhood of V and
// glues the + and - sides of each chord (the labels of the + side are added
// onto the - side), and the piece of e goes with its two sides.
//
// The part cut off is a regular neighbourhood of (the tori met) u V, fibred
// by circles parallel to the core (the fibre f):
// - D+ and D- on two tori T1, T2: the complements A1 = T1 - D+ and
//   A2 = T2 - D- are annuli that close up, across the glued chords, to one
//   torus R. The piece is (pair of pants) x S^1 with boundary T1, T2, R.
// - both on one torus T, with T - D+ - D- two annuli of which one runs from
//   chord s+ to chord s- and the other from o+ to o-: each closes up to a
//   torus of its own, R and O, and the piece is again (pair of pants) x S^1,
//   now with boundary T, R, O.
// - both on one torus but the annuli run from s+ to o- and from o+ to s-:
//   the band is glued with a twist and the annuli close up to one torus R.
//   The base (annulus plus a band glued with a twist) is a Moebius band with
//   a hole, so the piece is the orientable circle bundle over it (the Mobius
//   atom), with boundary T and R. Its coordinates are below.
//
// Coordinates (section, fibre) of the pair of pants x S^1: the fibre is the
// core of the strip; the section on T1 crosses D+ once along sigma+ (from
// s+ to o+) and returns through A1, that on T2 crosses D- the other way and
// returns through A2. The disc sigma x I shows that the two crossings cancel,
// so that the parts in A1 and A2, which survive the cut, form a closed curve
// c3 on R homologous to s1 + s2. The section of R as a boundary of the pair
// of pants is then -c3: the sum of the three sections bounds. The molecule
// records the gluing of T1 and T2 from their old labels to (s_i, f) and
// gives R the labels (c3, f), that is (-section, fibre), which is what the
// edge gluing (-1, 0; 0, 1) from the atom to the rest of the spine says. On
// one torus the section on T crosses both copies and returns through both
// annuli; the parts in the annuli close up on R and on O in the same way.
//
// Orientation: all bases (s_i, f) of the atom must be oriented alike with
// respect to its outside, and they are by construction once the fibre's
// direction is fixed. It is fixed so that the change of basis on the first
// torus whose labels mean something has determinant 1 (the new basis is
// oriented like the old). A torus glued to a solid torus atom has labels of
// either orientation (a solid torus is symmetric under reversing its
// longitude), so it does not fix the direction.

struct TCurveStep {
  THandle edge;
  int sign = 1;  // +1 along the edge's direction
};
using TCurve = std::vector<TCurveStep>;

void AddCurve(const TCurve& curve, int slot, int factor) {
  for (const TCurveStep& step : curve)
    TEdge::SetLabel(step.edge, slot, TEdge::Label(step.edge, slot) + factor * step.sign);
}

// The passage at position k of the copy, walked along the word.
TCurveStep PassageStep(const THandle& copy, int k) {
  return TCurveStep{TCell::EdgeAt(copy, k), TCell::DirectionAt(copy, k) == 1 ? 1 : -1};
}

THandle PassageStart(const THandle& copy, int k) { return TEdge::End(TCell::EdgeAt(copy, k), 1, TCell::DirectionAt(copy, k)); }

// Breadth-first path in the surface's 1-skeleton from one vertex to another
// that avoids the given edges; false when there is none. An empty path when
// the two vertices are one.
bool FindPathAvoiding(TComplex& surface, const TObjectHeader* from, const TObjectHeader* to,
                      const std::vector<const TObjectHeader*>& avoided, TCurve& path) {
  path.clear();
  if (from == to) return true;
  std::map<const TObjectHeader*, std::vector<TCurveStep>> next;
  TStopPoll poll;
  TObjectManager& objects = surface.Objects();
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    poll.Step();
    if (TEdge::IsLoop(e) || std::find(avoided.begin(), avoided.end(), e) != avoided.end()) continue;
    const TObjectHeader* a = TEdge::End(e, 1).Object();
    const TObjectHeader* b = TEdge::End(e, 2).Object();
    if (a == nullptr || b == nullptr) continue;
    next[a].push_back(TCurveStep{THandle(e), 1});
    next[b].push_back(TCurveStep{THandle(e), -1});
  }
  std::map<const TObjectHeader*, TCurveStep> reachedBy;
  std::vector<const TObjectHeader*> frontier{from};
  reachedBy[from] = TCurveStep{};
  for (std::size_t at = 0; at < frontier.size(); ++at) {
    poll.Step();
    const TObjectHeader* v = frontier[at];
    for (const TCurveStep& step : next[v]) {
      const TObjectHeader* w = TEdge::End(step.edge, step.sign == 1 ? 2 : 1).Object();
      if (reachedBy.count(w) != 0) continue;
      reachedBy[w] = step;
      if (w == to) {
        for (const TObjectHeader* u = to; u != from;) {
          const TCurveStep& back = reachedBy[u];
          path.push_back(back);
          u = TEdge::End(back.edge, back.sign == 1 ? 1 : 2).Object();
        }
        std::reverse(path.begin(), path.end());
        return true;
      }
      frontier.push_back(w);
    }
  }
  return false;
}

bool Reaches(TComplex& surface, const TObjectHeader* from, const TObjectHeader* to,
             const std::vector<const TObjectHeader*>& avoided) {
  TCurve path;
  return FindPathAvoiding(surface, from, to, avoided, path);
}

// Labels 0 and 1 of the torus form a basis of its first homology.
bool HasCoordinateBasis(const TComplex* torus) {
  if (torus == nullptr || torus->AllEdgeLabelsZero()) return false;
  int m[4] = {0, 0, 0, 0};
  return SpineBoundaryGluingMatrix(*torus, m) == 1;
}

// A torus whose molecule edge leads to a solid torus atom: its labels may be
// reversed without changing the manifold, so their orientation means
// nothing.
bool IsFreelyOriented(TSpine& spine, const TComplex* torus) {
  TObjectTable* table = spine.MoleculeTable();
  TObjectHeader* edge = table != nullptr ? table->FirstEdgeOf(torus) : nullptr;
  if (edge == nullptr) return false;
  for (int end = 1; end <= 2; ++end)
    if (TMoleculeVertex::AtomType(TEdge::End(edge, end).Object()) == kSolidTorusAtom) return true;
  return false;
}

// The strip's copy on one torus: chord s at position c1, chord o at c1 + 2,
// the piece sigma at c1 + 1 and c1 + 3 (one edge; the passage at c1 + 1 runs
// from s to o).
struct TStripCopy {
  THandle copy;
  THandle s;
  THandle o;
  THandle sigma;
  const TObjectHeader* sVertex = nullptr;
  const TObjectHeader* oVertex = nullptr;
  TCurveStep across;  // sigma from s to o
};

bool ReadStripCopy(const THandle& copy, int c1, TStripCopy& out) {
  if (TCell::BoundaryLength(copy) != 4) return false;
  out.copy = copy;
  out.s = TCell::EdgeAt(copy, c1);
  out.o = TCell::EdgeAt(copy, (c1 + 2) % 4);
  out.sigma = TCell::EdgeAt(copy, (c1 + 1) % 4);
  if (TCell::EdgeAt(copy, (c1 + 3) % 4).Object() != out.sigma.Object()) return false;
  if (!TEdge::IsLoop(out.s) || !TEdge::IsLoop(out.o) || out.s.Object() == out.o.Object()) return false;
  out.sVertex = TEdge::End(out.s, 1).Object();
  out.oVertex = TEdge::End(out.o, 1).Object();
  out.across = PassageStep(copy, (c1 + 1) % 4);
  return PassageStart(copy, (c1 + 1) % 4).Object() == out.sVertex &&
         TEdge::End(out.sigma, out.across.sign == 1 ? 2 : 1).Object() == out.oVertex;
}

// Writes the new basis (section in slot 0, fibre in slot 1) of the torus,
// keeping its old basis in slots 2 and 3 to read the change of basis from
// the old labels to the new ones into m; the old labels are dropped. False
// when the new curves are no basis.
bool Rebase(TComplex& torus, const TCurve& section, const TCurve& fibre, TIntQuad& m) {
  torus.ResetEdgeLabels(2);
  torus.ResetEdgeLabels(3);
  torus.CopyEdgeLabel(2, 0);
  torus.CopyEdgeLabel(3, 1);
  torus.ResetEdgeLabels(0);
  torus.ResetEdgeLabels(1);
  AddCurve(section, 0, 1);
  AddCurve(fibre, 1, 1);
  int out[4] = {0, 0, 0, 0};
  bool ok = SpineBoundaryGluingMatrix(torus, out) == 1;
  torus.ResetEdgeLabels(2);
  torus.ResetEdgeLabels(3);
  m = TIntQuad{out[0], out[1], out[2], out[3]};
  return ok && std::llabs(static_cast<long long>(out[0]) * out[3] - static_cast<long long>(out[1]) * out[2]) == 1;
}

long long Determinant(const TIntQuad& m) {
  return static_cast<long long>(m.a) * m.d - static_cast<long long>(m.b) * m.c;
}

// Reverses the fibre (label 1) on the torus; the change of basis m, from the
// old labels to (section, fibre), follows.
void ReverseFibre(TComplex& torus, TIntQuad& m) {
  TObjectManager& objects = torus.Objects();
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e))
    TEdge::SetLabel(e, 1, -TEdge::Label(e, 1));
  m = TIntQuad{m.a, m.b, -m.c, -m.d};
}

// The twisted band on one torus T: T - D+ - D- is an annulus A from o- to s+
// and an annulus B from o+ to s-. The section on T crosses D+ along sigma+
// (s+ to o+), returns through B to s-, crosses D- along sigma- (s- to o-)
// and closes up through A; the fibre is s+. The piece's section surface is
// the section times the collar of T together with the disc sigma x I of the
// band; following its boundary on R, A is walked forwards and B backwards,
// because the band reverses the side from which the section arrives. So R's
// section is A - B, not the sum of what survives as on two tori (A + B is no
// cycle once s+ is glued to s- and o+ to o-). A choice of the paths through
// A or B moves a fibre on T and the same fibre on R (the band reverses the
// fibre's direction seen from T, so both moves agree), which is a change of
// the section surface and leaves the manifold's invariants alone. The fibre
// on R is the glued chord s, running as s+ did.
// Writes the section and fibre on T and the change of basis into m, then
// turns the section's part in B round so that R receives A - B; 3, or 0 when
// the annuli are not there or the curves are no basis.
int SetTwistedRingCoordinates(TComplex& torus, const TStripCopy& p, const TStripCopy& q, const TCurve& fibre,
                              const std::vector<const TObjectHeader*>& avoided, TIntQuad& m) {
  TCurve throughA;
  TCurve throughB;
  if (!FindPathAvoiding(torus, q.oVertex, p.sVertex, avoided, throughA) ||
      !FindPathAvoiding(torus, p.oVertex, q.sVertex, avoided, throughB))
    return 0;
  TCurve section{p.across};
  section.insert(section.end(), throughB.begin(), throughB.end());
  section.push_back(q.across);
  section.insert(section.end(), throughA.begin(), throughA.end());
  if (!Rebase(torus, section, fibre, m)) return 0;
  if (Determinant(m) == -1) ReverseFibre(torus, m);
  AddCurve(throughB, 0, -2);
  return 3;
}

struct TRingPlan {
  TIntQuad& m1;
  TIntQuad& m2;
};

}  // namespace

int SetRingCuttingCoordinates(TSpine& spine, TObjectHeader* stripObject, TIntQuad& m1, TIntQuad& m2) {
  THandle strip(stripObject);
  TRingPlan plan{m1, m2};
  THandle cell = TThickCell::Part(strip, 1);
  THandle plus = TThickCell::Part(strip, 2);
  THandle minus = TThickCell::Part(strip, 3);
  if (TCell::BoundaryLength(cell) != 4) return 0;
  int c1 = -1;
  for (int k = 0; k < 2 && c1 == -1; ++k)
    if (TCell::EdgeAt(cell, k).Object() == TCell::EdgeAt(cell, k + 2).Object()) c1 = k + 1;
  if (c1 == -1) return 0;
  TStripCopy p;
  TStripCopy q;
  if (!ReadStripCopy(plus, c1 % 4, p) || !ReadStripCopy(minus, c1 % 4, q)) return 0;
  // The removal adds the labels of the + side of a chord onto its - side, so
  // the two sides are parallel with equal directions.
  THandle sThick = ThickEdgeOfObject(spine, TCell::EdgeAt(cell, c1 % 4));
  THandle oThick = ThickEdgeOfObject(spine, TCell::EdgeAt(cell, (c1 + 2) % 4));
  if (!sThick.IsValid() || !oThick.IsValid()) return 0;
  TComplex* t1 = spine.BoundarySurfaceOf(plus);
  TComplex* t2 = spine.BoundarySurfaceOf(minus);
  if (t1 == nullptr || t2 == nullptr || !HasCoordinateBasis(t1) || !HasCoordinateBasis(t2)) return 0;
  // The fibre runs along s+ in the word's direction; on o+ the word runs the
  // other way round the strip.
  const TCurve fibreS{PassageStep(plus, c1 % 4)};
  TCurveStep oStep = PassageStep(plus, (c1 + 2) % 4);
  oStep.sign = -oStep.sign;
  const TCurve fibreO{oStep};
  std::vector<const TObjectHeader*> avoided{p.s.Object(), p.o.Object(), p.sigma.Object(),
                                            q.s.Object(), q.o.Object(), q.sigma.Object()};
  TCurveStep backQ = q.across;
  backQ.sign = -backQ.sign;  // sigma- from o to s
  if (t1 != t2) {
    TCurve a1;
    TCurve a2;
    if (!FindPathAvoiding(*t1, p.oVertex, p.sVertex, avoided, a1) ||
        !FindPathAvoiding(*t2, q.sVertex, q.oVertex, avoided, a2))
      return 0;
    TCurve s1{p.across};
    s1.insert(s1.end(), a1.begin(), a1.end());
    TCurve s2{backQ};
    s2.insert(s2.end(), a2.begin(), a2.end());
    // The fibre on T2 is s- with the direction of s+ (parallel sides).
    const TCurve fibre2{TCurveStep{q.s, fibreS[0].sign}};
    const bool t1Free = IsFreelyOriented(spine, t1);
    const bool t2Free = IsFreelyOriented(spine, t2);
    if (!Rebase(*t1, s1, fibreS, plan.m1) || !Rebase(*t2, s2, fibre2, plan.m2)) return 0;
    // Two tori whose labels mean something are oriented alike by the
    // thickening, and so must their new bases be; otherwise the shape is
    // not what we think.
    if (!t1Free && !t2Free && Determinant(plan.m1) != Determinant(plan.m2)) return 0;
    if ((t1Free && !t2Free ? Determinant(plan.m2) : Determinant(plan.m1)) == -1) {
      ReverseFibre(*t1, plan.m1);
      ReverseFibre(*t2, plan.m2);
    }
    // R's fibre comes from s+ alone.
    TEdge::SetLabel(q.s, 1, 0);
    return 2;
  }
  // One torus: the annulus from s+ either ends at s- (two tori remain) or at
  // o- (the band is glued with a twist and one torus remains).
  TCurve toS;
  TCurve toO;
  bool sToS = FindPathAvoiding(*t1, q.sVertex, p.sVertex, avoided, toS);
  bool oToO = FindPathAvoiding(*t1, p.oVertex, q.oVertex, avoided, toO);
  if (!sToS && !oToO) return SetTwistedRingCoordinates(*t1, p, q, fibreS, avoided, plan.m1);
  if (!sToS || !oToO || Reaches(*t1, p.sVertex, q.oVertex, avoided)) return 0;
  // Section: sigma+ (s+ to o+), through the o-annulus to o-, sigma- back to
  // s-, through the s-annulus to s+.
  TCurve section{p.across};
  section.insert(section.end(), toO.begin(), toO.end());
  section.push_back(backQ);
  section.insert(section.end(), toS.begin(), toS.end());
  if (!Rebase(*t1, section, fibreS, plan.m1)) return 0;
  if (Determinant(plan.m1) == -1) ReverseFibre(*t1, plan.m1);
  // O's fibre: o+ parallel to s+ (o- and s- carry none, so that each merged
  // chord carries the fibre once).
  int fibreSign = TEdge::Label(p.s, 1) * fibreS[0].sign;  // +1 when the fibre runs along the word at s+
  TEdge::SetLabel(p.o, 1, TEdge::Label(p.o, 1) + fibreSign * fibreO[0].sign);
  return 1;
}

namespace {

int CutRing(TSpine& spine, int cellPosition, TString* text) {
  int i = -1;
  int j = -1;
  int t = TestRingCutting(spine, cellPosition, &i, &j);
  if (t == 0) return 0;
  THandle cell = spine.NthCell(cellPosition);
  std::string name = cell.DisplayName();
  THandle thick = ThickCellOfCell(spine, cell);
  spine.Objects().SetCreationTag(kMoveRing);
  if (t == 2 && SplitAndReuniteAtDoubleEdge(spine, thick, i, i, j) == 0) return 0;
  TObjectHeader* remainderRaw = nullptr;
  TObjectHeader* stripRaw = nullptr;
  TObjectHeader* otherRaw = nullptr;
  if (CutThickCell(spine, thick, i, j, &remainderRaw, &stripRaw, &otherRaw) == 0) return 0;
  THandle remainder(remainderRaw);
  THandle strip(stripRaw);
  THandle other(otherRaw);
  TComplex* uPlus = spine.BoundarySurfaceOf(TThickCell::Part(strip, 2));
  TComplex* uMinus = spine.BoundarySurfaceOf(TThickCell::Part(strip, 3));
  TIntQuad m1{1, 0, 0, 1};
  TIntQuad m2{1, 0, 0, 1};
  const int kind = SetRingCuttingCoordinates(spine, strip.Object(), m1, m2);
  if (kind == 0 || spine.RemoveThickCell(strip) == 0) return 0;
  TComplex* rSurface = spine.BoundarySurfaceOf(TThickCell::Part(remainder, 2));
  TComplex* oSurface = spine.BoundarySurfaceOf(TThickCell::Part(other, 2));
  // What the removal left must be what the plan foresaw, with a basis on
  // every new torus.
  // The twisted band leaves one torus, and the Mobius atom takes the place
  // of the piece on the old torus's edge, so that torus must still be R.
  if ((kind != 1) != (rSurface == oSurface) || (kind == 3 && rSurface != uPlus) ||
      !HasCoordinateBasis(rSurface) || !HasCoordinateBasis(oSurface))
    return 0;
  spine.SplitIntoComponents();
  TObjectTable* table = spine.MoleculeTable();
  int message = kTripleText;
  if (kind == 2) {
    if (table != nullptr) table->AddTripleAtom(uPlus, m1, uMinus, m2, rSurface);
  } else if (kind == 3) {
    if (table != nullptr) table->AddMobiusAtom(rSurface, m1);
    message = kMobiusText;
  } else {
    if (table != nullptr) table->AddTripleAtomGlued(uPlus, m1, rSurface, oSurface);
    message = kSeparatedText;
  }
  TString report;
  if (text != nullptr) {
    ReportRingCutting(report, message, name.c_str());
    text->AssignString(report);
  }
  spine.LogEvent(kMoveRing, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  return 1;
}

}  // namespace

int SplitAndReuniteAtDoubleEdge(TSpine& spine, THandle& thick, int a, int& p, int& q) {
  THandle cell = TThickCell::Part(thick, 1);
  THandle e = TCell::EdgeAt(cell, a);
  int length = TCell::BoundaryLength(cell);
  int lo = -1;
  int hi = -1;
  for (int k = 0; k < length; ++k) {
    if (TCell::EdgeAt(cell, k).Object() != e.Object()) continue;
    (lo == -1 ? lo : hi) = k;
  }
  if (lo == -1 || hi == -1 || TEdge::Valency(e) != 2 || TCell::DirectionAt(cell, lo) != TCell::DirectionAt(cell, hi))
    return 0;
  if (SubdivideThickEdgeAtPosition(spine, thick, lo, &hi) == 0) return 0;
  // Passages lo, lo + 1 and hi, hi + 1 now run along the two halves.
  cell = TThickCell::Part(thick, 1);
  THandle firstHalf = TCell::EdgeAt(cell, lo);
  TObjectHeader* one = nullptr;
  TObjectHeader* two = nullptr;
  if (SplitThickCell(spine, thick, lo, hi + 1, &one, &two) == 0) return 0;
  TObjectHeader* united = nullptr;
  if (UniteThickCells(spine, one, two, 1, &united) == 0) return 0;
  thick = THandle(united);
  cell = TThickCell::Part(thick, 1);
  p = -1;
  q = -1;
  for (int k = 0; k < TCell::BoundaryLength(cell); ++k) {
    if (TCell::EdgeAt(cell, k).Object() != firstHalf.Object()) continue;
    (p == -1 ? p : q) = k;
  }
  return p != -1 && q != -1 ? 1 : 0;
}

int TestRingCutting(TSpine& spine, int cellPosition, int* first, int* second) {
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid() || TCell::Type(cell) != 1) return 0;
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  THandle plus = TThickCell::Part(thick, 2);
  THandle minus = TThickCell::Part(thick, 3);
  TComplex* a = spine.BoundarySurfaceOf(plus);
  TComplex* b = spine.BoundarySurfaceOf(minus);
  if (a == nullptr || b == nullptr || spine.BoundarySurfaceClass(a) != 2 || spine.BoundarySurfaceClass(b) != 2)
    return 0;
  const int length = TCell::BoundaryLength(cell);
  TStopPoll poll;
  for (int i = 0; i < length; ++i) {
    poll.Step();
    THandle e = TCell::EdgeAt(cell, i);
    if (TEdge::Valency(e) != 2) continue;
    int j = -1;
    int count = 0;
    int algebraic = 0;
    for (int k = 0; k < length; ++k) {
      if (TCell::EdgeAt(cell, k).Object() != e.Object()) continue;
      ++count;
      algebraic += TCell::DirectionAt(cell, k) == 1 ? 1 : -1;
      if (k > i && j == -1) j = k;
    }
    if (count != 2) continue;
    // The other passage, searched forward from i (cyclically).
    if (j == -1)
      for (int k = 0; k < i && j == -1; ++k)
        if (TCell::EdgeAt(cell, k).Object() == e.Object()) j = k;
    THandle r = TCell::EdgeAt(plus, i);
    THandle q = TCell::EdgeAt(minus, i);
    int result = 0;
    if (algebraic != 2 && algebraic != -2) {
      bool adjacent = (j + 1) % length == i || (i + 1) % length == j;
      if (!adjacent && ClosesUp(r, nullptr) && ClosesUp(q, nullptr)) result = 1;
    } else {
      THandle start = TEdge::End(r, 1);
      if (FindBoundaryPath(start, start, r, 1, q) == 1) result = 2;
    }
    // The first qualifying position ends the walk.
    if (first != nullptr) *first = i;
    if (second != nullptr) *second = j;
    return result;
  }
  return 0;
}

int TestRingCutting(TSpine& spine, int cellPosition) { return TestRingCutting(spine, cellPosition, nullptr, nullptr); }

int FindRingCell(TSpine& spine) {
  if (spine.IsEmpty()) return -1;
  TStopPoll poll;
  for (int i = 0; spine.NthCell(i).IsValid(); ++i) {
    poll.Step();
    if (TestRingCutting(spine, i) != 0) return i;
  }
  return -1;
}

int CutOutRing(TSpine& spine, int cellPosition, TString* text) {
  if (TestRingCutting(spine, cellPosition) == 0) return 0;
  TSpine* head = spine.Head();
  if (head != &spine) {
    // A component further down a chain has no rollback (a copy of it cannot
    // be put back in place of one member), and the cut can still refuse
    // after it has begun (the plan's torus count, the new bases). So the cut
    // is first made on a copy of the whole chain: only if it goes through
    // there is it made here, and it goes the same way on equal spines.
    int index = 0;
    for (TSpine* s = head; s != nullptr && s != &spine; s = s->Next()) ++index;
    TSpine rehearsal;
    head->CopyTo(rehearsal);
    TSpine* same = &rehearsal;
    for (int k = 0; k < index && same != nullptr; ++k) same = same->Next();
    if (same == nullptr || CutRing(*same, cellPosition, nullptr) == 0) return 0;
  }
  return PerformWithRollback(spine, [&] { return CutRing(spine, cellPosition, text); });
}

void ReportRingCutting(TString& text, int messageId, const char* cellName) {
  if (QuietMode.load() != 0) return;
  text.FormatResource(messageId, cellName);
}

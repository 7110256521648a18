#include "recognition/graph_manifold_assembling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"
#include "recognition/fibres.h"
#include "recognition/molecule_tools.h"
#include "shell/molecule_printer.h"
#include "shell/string_text.h"

namespace {

constexpr int kNoMoleculeId = 801;
constexpr int kConnectedSumId = 804;
constexpr int kItemId = 805;
constexpr int kManifoldIsId = 806;
constexpr int kSphereId = 807;

bool IsAtom(const TObjectHeader* v, int type) { return TMoleculeVertex::AtomType(v) == type; }

// The fibre (a, b) of a disc atom with at most one pair; (1, 0) without one.
void SingleFibre(const TObjectHeader* v, int& a, int& b) {
  a = 1;
  b = 0;
  if (TMoleculeVertex::PairCount(v) > 0) TMoleculeVertex::PairAt(v, 0, a, b);
}

// The vertex becomes a solid-torus atom with the fibre (a, b).
void MakeSolidTorus(TObjectHeader* v, int a, int b) {
  ClearPairs(v);
  TMoleculeVertex::SetAtomType(v, kSolidTorusAtom);
  TMoleculeVertex::SetPair(v, Checked32(-static_cast<std::int64_t>(a)), b);
}

void SetBase(TObjectHeader* v, int euler, int orientable, int circles) {
  TMoleculeVertex::SetFlagA(v, euler);
  TMoleculeVertex::SetFlagB(v, orientable);
  TMoleculeVertex::SetFlagC(v, circles);
}

// Caps one boundary circle of the base (a solid torus filled in).
void CapCircle(TObjectHeader* v) {
  TMoleculeVertex::SetFlagA(v, TMoleculeVertex::FlagA(v) + 1);
  TMoleculeVertex::SetFlagC(v, TMoleculeVertex::FlagC(v) - 1);
}

bool HasTwoFibresOfOrderTwo(const TObjectHeader* w, int& half) {
  if (TMoleculeVertex::PairCount(w) != 2) return false;
  int a1 = 0, b1 = 0, a2 = 0, b2 = 0;
  TMoleculeVertex::PairAt(w, 0, a1, b1);
  TMoleculeVertex::PairAt(w, 1, a2, b2);
  if (a1 != 2 || a2 != 2) return false;
  half = Checked32((static_cast<std::int64_t>(b1) + b2) / 2);
  return true;
}

// At most one pair, of first component 1; e its second component (0 none).
bool HasAtMostUnitFibre(const TObjectHeader* w, int& e) {
  e = 0;
  const int n = TMoleculeVertex::PairCount(w);
  if (n > 1) return false;
  if (n == 0) return true;
  int a = 0;
  TMoleculeVertex::PairAt(w, 0, a, e);
  return a == 1;
}

void MakeMobiusWithoutFibres(TObjectHeader* w) {
  ClearPairs(w);
  SetBase(w, 0, 0, TMoleculeVertex::FlagC(w));
}

// The other Seifert fibration of the twisted I-bundle over the Klein bottle:
// over the disc with two fibres of order 2.
void MakeDiscWithTwoHalfFibres(TObjectHeader* w) {
  ClearPairs(w);
  SetBase(w, 1, 1, TMoleculeVertex::FlagC(w));
  TMoleculeVertex::AddPair(w, 2, 1);
  TMoleculeVertex::AddPair(w, 2, -1);
}

// N := (P22, 0; -P12, P11).
void FinishFrom(TIntQuad& n, const TIntQuad& p) {
  n = TIntQuad{p.d, 0, Checked32(-static_cast<std::int64_t>(p.b)), p.a};
}

// P := N; row 2 += r * row 1; column 1 -= c * column 2.
TIntQuad Sheared(const TIntQuad& n, int r, int c) {
  std::int64_t p11 = n.a, p12 = n.b, p21 = n.c, p22 = n.d;
  p21 += static_cast<std::int64_t>(r) * p11;
  p22 += static_cast<std::int64_t>(r) * p12;
  p11 -= static_cast<std::int64_t>(c) * p12;
  p21 -= static_cast<std::int64_t>(c) * p22;
  return TIntQuad{Checked32(p11), Checked32(p12), Checked32(p21), Checked32(p22)};
}

int DiscToMobius(TObjectHeader* w, TIntQuad& n) {
  if (TMoleculeVertex::Classify(w) != kBaseDisk) return 0;
  int half = 0;
  if (!HasTwoFibresOfOrderTwo(w, half)) return 0;
  if (-static_cast<std::int64_t>(n.b) * half != n.d) return 0;
  const std::int64_t sum = 2 * static_cast<std::int64_t>(half);
  const TIntQuad m{Checked32(sum * n.a / 2 + n.c), 0, Checked32(-static_cast<std::int64_t>(n.a)),
                   Checked32(-static_cast<std::int64_t>(n.b))};
  MakeMobiusWithoutFibres(w);
  n = m;
  return 1;
}

int MobiusToDisc(TObjectHeader* w, TIntQuad& n) {
  if (TMoleculeVertex::Classify(w) != kBaseMobiusBand) return 0;
  int e = 0;
  if (!HasAtMostUnitFibre(w, e)) return 0;
  if (static_cast<std::int64_t>(n.d) + static_cast<std::int64_t>(n.b) * e != 0) return 0;
  const TIntQuad m{Checked32(static_cast<std::int64_t>(e) * n.a + n.c), 0,
                   Checked32(-static_cast<std::int64_t>(n.a)),
                   Checked32(-static_cast<std::int64_t>(n.b))};
  MakeDiscWithTwoHalfFibres(w);
  n = m;
  return 1;
}

int TwoDiscsToMobius(TObjectHeader* w1, TObjectHeader* w2, TIntQuad& n) {
  int h1 = 0, h2 = 0;
  if (TMoleculeVertex::Classify(w1) != kBaseDisk || TMoleculeVertex::Classify(w2) != kBaseDisk)
    return 0;
  if (!HasTwoFibresOfOrderTwo(w1, h1) || !HasTwoFibresOfOrderTwo(w2, h2)) return 0;
  const TIntQuad p = Sheared(n, h2, h1);
  if (p.c != 0) return 0;
  MakeMobiusWithoutFibres(w1);
  MakeMobiusWithoutFibres(w2);
  FinishFrom(n, p);
  return 1;
}

int TwoMobiusToDiscs(TObjectHeader* w1, TObjectHeader* w2, TIntQuad& n) {
  int e1 = 0, e2 = 0;
  if (TMoleculeVertex::Classify(w1) != kBaseMobiusBand ||
      TMoleculeVertex::Classify(w2) != kBaseMobiusBand)
    return 0;
  if (!HasAtMostUnitFibre(w1, e1) || !HasAtMostUnitFibre(w2, e2)) return 0;
  const TIntQuad p = Sheared(n, e2, e1);
  if (p.c != 0) return 0;
  MakeDiscWithTwoHalfFibres(w1);
  MakeDiscWithTwoHalfFibres(w2);
  FinishFrom(n, p);
  return 1;
}

int DiscAndMobius(TObjectHeader* disc, TObjectHeader* mobius, TIntQuad& n) {
  int h = 0, e = 0;
  if (TMoleculeVertex::Classify(disc) != kBaseDisk ||
      TMoleculeVertex::Classify(mobius) != kBaseMobiusBand)
    return 0;
  if (!HasTwoFibresOfOrderTwo(disc, h) || !HasAtMostUnitFibre(mobius, e)) return 0;
  const TIntQuad p = Sheared(n, e, h);
  if (p.c != 0) return 0;
  MakeMobiusWithoutFibres(disc);
  MakeDiscWithTwoHalfFibres(mobius);
  FinishFrom(n, p);
  return 1;
}

bool IsSmallAtom(const TObjectHeader* v) {
  const int base = TMoleculeVertex::Classify(v);
  const int n = TMoleculeVertex::PairCount(v);
  if (base == kBaseAnnulus) {
    if (n == 0) return true;
    return n == 1 && TMoleculeVertex::PairComponent(v, 0, 0) == 1;
  }
  return base == kBaseDisk && n < 2;
}

}  // namespace

int MakeSeifertAtom(TObjectHeader* vertex) {
  switch (TMoleculeVertex::AtomType(vertex)) {
    case kSolidTorusAtom: {
      int a = 1, b = 0;
      TMoleculeVertex::PairAt(vertex, 0, a, b);
      TMoleculeVertex::SetAtomType(vertex, kSeifertAtom);
      TMoleculeVertex::SetPair(vertex, 0, 0);
      SetBase(vertex, 1, 1, 1);
      ClearPairs(vertex);
      TMoleculeVertex::AddPair(vertex, a, b);
      return 1;
    }
    case kMobiusAtom:
      SetBase(vertex, -1, 0, 2);
      TMoleculeVertex::SetAtomType(vertex, kSeifertAtom);
      return 1;
    case kTripleAtom:
      SetBase(vertex, -1, 1, 3);
      TMoleculeVertex::SetAtomType(vertex, kSeifertAtom);
      return 1;
    default:
      return 0;
  }
}

int AbsorbSolidTori(TObjectTable& table, std::vector<THandle>& solidTori) {
  int absorbed = 0;
  for (THandle& t : solidTori) {
    if (!table.Contains(t) || !IsAtom(t, kSolidTorusAtom)) continue;
    THandle e = TVertex::EdgeAt(t, 0);
    THandle s;
    int side = 0;
    if (e.Object() == nullptr || FarEndOfEdge(e, t, s, side) == 0) continue;
    if (IsAtom(s, kSolidTorusAtom)) MakeSeifertAtom(s);
    if (!IsAtom(s, kSeifertAtom)) continue;
    const TIntQuad m = GluingFrom(e, side);
    // The meridian of the solid torus, read in the coordinates of s.
    const std::int64_t w0 = TMoleculeVertex::PairValue(t, 0);
    const std::int64_t w1 = TMoleculeVertex::PairValue(t, 1);
    std::int64_t x = w0 * m.a + w1 * m.b;
    std::int64_t y = w0 * m.c + w1 * m.d;
    if (x < 0) {
      x = -x;
      y = -y;
    }
    const int x32 = Checked32(x);
    const int y32 = Checked32(y);
    CapCircle(s);
    table.RemoveMoleculeObject(e);
    table.RemoveMoleculeObject(t);
    AddFibre(s, x32, y32);
    absorbed = 1;
    const int base = TMoleculeVertex::Classify(s);
    const int pairs = TMoleculeVertex::PairCount(s);
    if (x32 == 1 && ((base == kBaseAnnulus && pairs == 1) ||
                     (base == kBaseDisk && pairs == 1 && TVertex::Valency(s) == 1)))
      ReduceSmallAtom(table, s, 1);
  }
  if (absorbed) solidTori.clear();
  return absorbed;
}

int ReduceSmallAtom(TObjectTable& table, TObjectHeader* vertex, int a) {
  THandle v(vertex);
  if (!table.Contains(v) || !IsSmallAtom(v)) return 0;
  const bool annulus = TMoleculeVertex::Classify(v) == kBaseAnnulus;
  THandle e = TVertex::EdgeAt(v, 0);
  THandle s;
  int side1 = 0;
  if (e.Object() == nullptr || FarEndOfEdge(e, v, s, side1) == 0) return 0;
  const bool sVirtual = IsAtom(s, kVirtualAtom);
  const bool sExceptional = IsAtom(s, kExceptionalAtom);
  if (!((!sVirtual || annulus) && (annulus || !sExceptional))) {
    if (!annulus && sExceptional && !IsAtom(v, kSolidTorusAtom)) {
      int x = 1, y = 0;
      SingleFibre(v, x, y);
      MakeSolidTorus(v, x, y);
      return 1;
    }
    return 0;
  }
  TIntQuad m1 = TMoleculeEdge::GluingQuad(e);
  TIntQuad m2{1, 0, 0, 1};
  THandle e2;
  THandle p;
  int side2 = 2;
  if (annulus) {
    e2 = TVertex::EdgeAt(v, 1);
    if (e2.Object() == nullptr || e2.Object() == e.Object() || FarEndOfEdge(e2, v, p, side2) == 0)
      return 0;
    const bool pExceptional = IsAtom(p, kExceptionalAtom);
    if (sExceptional && pExceptional && a != 2) return 0;
    if (sVirtual && IsAtom(p, kVirtualAtom)) return 0;
    m2 = TMoleculeEdge::GluingQuad(e2);
    if (TMoleculeVertex::PairCount(v) == 1) {
      const int d = TMoleculeVertex::PairComponent(v, 0, 1);
      if (d != 0) {
        if (side2 == 1)
          m2 = Sheared(m2, 0, d);
        else
          m2 = Sheared(m2, d, 0);
      }
    }
  }
  if (side1 == 2) m1 = Inverted(m1);
  if (side2 == 1) m2 = Inverted(m2);
  m1.a = Checked32(-static_cast<std::int64_t>(m1.a));
  m1.c = Checked32(-static_cast<std::int64_t>(m1.c));
  // P carries the coordinates of the far side p (or of v's own fibre for a
  // disc) across v to s.
  const TIntQuad product = Product(m1, m2);
  TComplex* reference = TMoleculeEdge::BoundaryReference(e);
  int x = 1, y = 0;
  if (!annulus) SingleFibre(v, x, y);
  table.RemoveMoleculeObject(e);
  if (annulus) {
    if (IsAtom(p, kExceptionalAtom)) {
      // The exceptional atom keeps its place in its edge order: when it is
      // end 1 of e2 the edge stays oriented from it, with P inverted.
      if (TEdge::EndNumber(e2, p) == 1) {
        TEdge::SetEndVertex(e2, s, 2);
        TMoleculeEdge::SetGluing(e2, product, 1);
      } else {
        TEdge::SetEndVertex(e2, s, 1);
        TMoleculeEdge::SetGluing(e2, product, 2);
      }
    } else {
      TEdge::DetachEnd(e2, 1);
      TEdge::DetachEnd(e2, 2);
      TEdge::SetEndVertex(e2, p, 1);
      TEdge::SetEndVertex(e2, s, 2);
      TMoleculeEdge::SetGluing(e2, product, 1);
    }
    if (IsAtom(p, kVirtualAtom) || IsAtom(s, kVirtualAtom))
      TMoleculeEdge::SetEdgeType(e2, kVirtualMoleculeEdge);
    if (TMoleculeEdge::BoundaryReference(e2) == nullptr && reference != nullptr)
      TMoleculeEdge::Of(e2)->boundaryReference = reference;
    table.RemoveMoleculeObject(v);
    return 1;
  }
  if (IsAtom(s, kSolidTorusAtom)) MakeSeifertAtom(s);
  CapCircle(s);
  const std::int64_t fx = static_cast<std::int64_t>(product.a) * x + static_cast<std::int64_t>(product.b) * y;
  const std::int64_t fy = static_cast<std::int64_t>(product.c) * x + static_cast<std::int64_t>(product.d) * y;
  table.RemoveMoleculeObject(v);
  AddFibre(s, Checked32(fx), Checked32(fy));
  if (IsAtom(s, kSeifertAtom) && TMoleculeVertex::Classify(s) == kBaseDisk &&
      TMoleculeVertex::PairCount(s) < 2) {
    int sa = 1, sb = 0;
    SingleFibre(s, sa, sb);
    MakeSolidTorus(s, sa, sb);
  }
  return 1;
}

int ReduceAllSmallAtoms(TObjectTable& table) {
  std::vector<THandle> small;
  for (THandle& v : MoleculeVertices(table))
    if (IsSmallAtom(v) && (TMoleculeVertex::Classify(v) == kBaseDisk ||
                           TMoleculeVertex::PairCount(v) == 0))
      small.push_back(v);
  if (small.empty() || table.CountOfKind(kMoleculeVertexKind) <= 1) return 0;
  int acted = 0;
  for (THandle& v : small) acted += ReduceSmallAtom(table, v, 1);
  return acted;
}

int ReverseOrientation(TObjectHeader* vertex, TObjectHeader* edge) {
  if (TEdge::IsLoop(edge) || QuadDet(TMoleculeEdge::GluingQuad(edge)) != 1) return 0;
  for (THandle& f : DistinctEdges(vertex)) {
    TIntQuad m = TMoleculeEdge::GluingQuad(f);
    if (TEdge::IsLoop(f)) {
      m.b = Checked32(-static_cast<std::int64_t>(m.b));
      m.c = Checked32(-static_cast<std::int64_t>(m.c));
    } else {
      m.a = Checked32(-static_cast<std::int64_t>(m.a));
      if (TEdge::EndNumber(f, vertex) == 1)
        m.c = Checked32(-static_cast<std::int64_t>(m.c));
      else
        m.b = Checked32(-static_cast<std::int64_t>(m.b));
    }
    TMoleculeEdge::SetGluing(f, m, 1);
  }
  const int n = TMoleculeVertex::PairCount(vertex);
  for (int i = 0; i < n; ++i) {
    int a = 0, b = 0;
    TMoleculeVertex::PairAt(vertex, i, a, b);
    TMoleculeVertex::SetPairAt(vertex, i, a, Checked32(-static_cast<std::int64_t>(b)));
  }
  return 1;
}

int ChangeFibration(TObjectHeader* edge, TObjectHeader* vertex, TIntQuad& m) {
  THandle w;
  int side = 0;
  if (FarEndOfEdge(edge, vertex, w, side) == 0) return 0;
  TIntQuad q = Inverted(m);
  const int c1 = TMoleculeVertex::Classify(vertex);
  const int c2 = TMoleculeVertex::Classify(w);
  // Each rule refibres on its own side of the gluing: the matrix it is given
  // reads the coordinates of the other side in those of the piece refibred.
  TIntQuad& fromVertex = side == 1 ? q : m;
  TIntQuad& fromFar = side == 1 ? m : q;
  bool changedQ = false;
  auto attempt = [&](int result, TIntQuad& used) {
    if (result != 0) changedQ = &used == &q;
    return result != 0;
  };
  bool done = (c1 == kBaseDisk && attempt(DiscToMobius(vertex, fromVertex), fromVertex)) ||
              (c1 == kBaseMobiusBand && attempt(MobiusToDisc(vertex, fromVertex), fromVertex)) ||
              (c2 == kBaseDisk && attempt(DiscToMobius(w, fromFar), fromFar)) ||
              (c2 == kBaseMobiusBand && attempt(MobiusToDisc(w, fromFar), fromFar)) ||
              (c1 == kBaseDisk && c2 == kBaseDisk &&
               attempt(TwoDiscsToMobius(vertex, w, fromFar), fromFar)) ||
              (c1 == kBaseMobiusBand && c2 == kBaseMobiusBand &&
               attempt(TwoMobiusToDiscs(vertex, w, fromFar), fromFar)) ||
              (c1 == kBaseMobiusBand && c2 == kBaseDisk &&
               attempt(DiscAndMobius(w, vertex, fromVertex), fromVertex));
  if (!done) return 0;
  if (changedQ) m = Inverted(q);
  TMoleculeEdge::SetGluing(edge, m, 1);
  return 1;
}

int MergeAlongEdge(TObjectTable& table, TObjectHeader* edge, TObjectHeader* vertex) {
  THandle e(edge);
  THandle v(vertex);
  ReverseOrientation(v, e);
  TIntQuad m = TMoleculeEdge::GluingQuad(e);
  const bool fibreToFibre = m.b == 0 && static_cast<std::int64_t>(m.a) == -static_cast<std::int64_t>(m.d);
  if (!fibreToFibre && ChangeFibration(e, v, m) == 0) return 0;
  THandle r;
  int side = 0;
  const bool loop = FarEndOfEdge(e, v, r, side) == 0;
  table.RemoveMoleculeObject(e);
  if (loop) {
    TMoleculeVertex::SetFlagC(v, TMoleculeVertex::FlagC(v) - 2);
    if (TMoleculeVertex::FlagB(v) == 1 && m.d == -1) TMoleculeVertex::SetFlagB(v, 0);
  } else {
    TMoleculeVertex::SetFlagA(v, TMoleculeVertex::FlagA(v) + TMoleculeVertex::FlagA(r));
    if (TMoleculeVertex::FlagB(r) == 0) TMoleculeVertex::SetFlagB(v, 0);
    if (m.d == -1) {
      m = Negated(m);
      for (THandle& f : DistinctEdges(v))
        if (!TEdge::IsLoop(f)) TMoleculeEdge::SetGluing(f, Negated(TMoleculeEdge::GluingQuad(f)), 1);
    }
    TMoleculeVertex::SetFlagC(v, TMoleculeVertex::FlagC(v) + TMoleculeVertex::FlagC(r) - 2);
    for (THandle& f : DistinctEdges(r)) {
      const bool rLoop = TEdge::IsLoop(f);
      if (rLoop || TEdge::EndNumber(f, r) == 1) TEdge::SetEndVertex(f, v, 1);
      if (rLoop || TEdge::EndNumber(f, r) == 2) TEdge::SetEndVertex(f, v, 2);
    }
    const int n = TMoleculeVertex::PairCount(r);
    for (int i = 0; i < n; ++i) {
      int a = 0, b = 0;
      TMoleculeVertex::PairAt(r, i, a, b);
      AddFibre(v, a, b);
    }
    table.RemoveMoleculeObject(r);
  }
  AddFibre(v, 1, Checked32(static_cast<std::int64_t>(m.a) * m.c));
  return 1;
}

int MergeAcrossEdges(TObjectTable& table, TObjectHeader* vertex) {
  THandle v(vertex);
  int merged = 0;
  bool again = true;
  while (again) {
    ThrowIfStopRequested();
    again = false;
    for (THandle& e : DistinctEdges(v)) {
      THandle far;
      int side = 0;
      const bool loop = FarEndOfEdge(e, v, far, side) == 0;
      if (!loop && !IsAtom(far, kSeifertAtom)) continue;
      if (MergeAlongEdge(table, e, v) != 0) {
        merged = 1;
        again = true;
        break;
      }
    }
  }
  return merged;
}

int AssembleItem(TObjectTable& item, TOutput* output) {
  if (item.CountOfKind(kMoleculeVertexKind) > 0) {
    for (THandle& v : MoleculeVertices(item))
      if (IsAtom(v, kTripleAtom)) MakeSeifertAtom(v);
    for (;;) {
      ThrowIfStopRequested();
      std::vector<THandle> solidTori;
      for (THandle& v : MoleculeVertices(item)) {
        if (IsAtom(v, kSolidTorusAtom)) solidTori.push_back(v);
        if (IsAtom(v, kMobiusAtom)) MakeSeifertAtom(v);
      }
      const int absorbed = AbsorbSolidTori(item, solidTori);
      const int reduced = ReduceAllSmallAtoms(item);
      if (absorbed == 0 && reduced == 0) break;
    }
    std::vector<THandle> seifert;
    for (THandle& v : MoleculeVertices(item))
      if (IsAtom(v, kSeifertAtom)) seifert.push_back(v);
    bool again = !seifert.empty();
    while (again) {
      again = false;
      for (THandle& v : seifert) {
        if (!item.Contains(v) || !IsAtom(v, kSeifertAtom)) continue;
        if (ReduceSmallAtom(item, v, 1) != 0) continue;
        if (MergeAcrossEdges(item, v) != 0) {
          again = true;
          break;
        }
      }
    }
    for (THandle& v : MoleculeVertices(item)) {
      if (!IsAtom(v, kVirtualAtom)) continue;
      THandle first = TVertex::EdgeAt(v, 0);
      if (first.Object() != nullptr) TMoleculeEdge::SetEdgeType(first, kVirtualMoleculeEdge);
    }
  }
  if (output != nullptr) PrintAssembledItem(item, *output);
  return 1;
}

void PrintAssembledItem(TObjectTable& item, TOutput& output) {
  output.Tabs(1);
  if (item.CountOfKind(kMoleculeVertexKind) == 0) {
    output.AppendText(StringText(kSphereId).c_str());
    output.NewLines(1);
    return;
  }
  TObjectTable* head = item.ChainHead();
  TObjectTable* next = item.Next();
  item.SetChainHead(nullptr);
  item.SetNext(nullptr);
  PrintMoleculeTable(output, &item, 2);
  item.SetChainHead(head);
  item.SetNext(next);
}

int AssembleMolecule(TObjectTable* molecule, TObjectTableList* items, TOutput* output, int limit) {
  TObjectTableList own;
  TObjectTableListGuard freeOwn(own);
  TObjectTableList& list = items != nullptr ? *items : own;
  const std::size_t first = list.size();
  int other = 0;
  int torus = 0;
  int n = 0;
  if (molecule != nullptr) {
    molecule->FindBoundaryCounts(other, torus);
    TObjectListList vertexLists;
    TObjectListList edgeLists;
    TObjectTableList built;
    n = BuildMoleculeChain(*molecule, built, vertexLists, edgeLists, limit);
    list.insert(list.end(), built.begin(), built.end());
  }
  if (n > 0) {
    if (output != nullptr) {
      if (n < 2)
        output->AppendText(StringText(kManifoldIsId).c_str());
      else
        output->AppendText(FormatStringText(kConnectedSumId, n).c_str());
      output->NewLines(2);
    }
    for (int i = 0; i < n; ++i) {
      TObjectTable& item = *list[first + static_cast<std::size_t>(i)];
      if (n > 1 && output != nullptr) {
        output->AppendText(FormatStringText(kItemId, i + 1).c_str());
        output->NewLines(1);
      }
      item.SetBoundaryCounts(other, torus);
      AssembleItem(item, output);
      if (output != nullptr) output->NewLines(1);
    }
  } else if (!list.empty()) {
    list.front()->SetBoundaryCounts(other, torus);
    if (output != nullptr) PrintAssembledItem(*list.front(), *output);
    n = 1;
  } else if (output != nullptr) {
    output->AppendText(StringText(kNoMoleculeId).c_str());
  }
  return n > 0 ? 1 : 0;
}

void FoldUnitFibres(TObjectTable* first, int n) {
  TObjectTable* table = first;
  for (int k = 0; k < n && table != nullptr; ++k, table = table->Next()) {
    for (THandle& v : MoleculeVertices(*table)) {
      const int count = TMoleculeVertex::PairCount(v);
      if (count < 2 || TMoleculeVertex::AtomType(v) == kSolidTorusAtom) continue;
      int a = 0, b = 0, one = 0, e = 0;
      TMoleculeVertex::PairAt(v, count - 1, one, e);
      if (one != 1) continue;
      TMoleculeVertex::PairAt(v, count - 2, a, b);
      TMoleculeVertex::RemovePairAt(v, count - 1);
      TMoleculeVertex::SetPairAt(v, count - 2, a,
                                 Checked32(static_cast<std::int64_t>(a) * e + b));
    }
  }
}

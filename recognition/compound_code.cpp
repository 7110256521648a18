#include "recognition/compound_code.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"
#include "recognition/fibres.h"
#include "recognition/molecule_code.h"
#include "recognition/molecule_tools.h"

namespace {

// k with q + k r in [0, |r|).
std::int64_t ShearInto(std::int64_t q, std::int64_t r) {
  const std::int64_t m = r < 0 ? -r : r;
  std::int64_t rem = q % m;
  if (rem < 0) rem += m;
  return (rem - q) / r;
}

bool IsSeifert(const TObjectHeader* v) { return TMoleculeVertex::AtomType(v) == kSeifertAtom; }

// Reverses the section of every gluing at v: the orientation of the piece
// changes with its base's.
void ReverseAtomSections(TObjectHeader* v) {
  for (THandle& f : DistinctEdges(v)) {
    TIntQuad m = TMoleculeEdge::GluingQuad(f);
    if (TEdge::IsLoop(f)) {
      m.b = Checked32(-static_cast<std::int64_t>(m.b));
      m.c = Checked32(-static_cast<std::int64_t>(m.c));
    } else if (TEdge::EndNumber(f, v) == 1) {
      m.a = Checked32(-static_cast<std::int64_t>(m.a));
      m.c = Checked32(-static_cast<std::int64_t>(m.c));
    } else {
      m.a = Checked32(-static_cast<std::int64_t>(m.a));
      m.b = Checked32(-static_cast<std::int64_t>(m.b));
    }
    TMoleculeEdge::SetGluing(f, m, 1);
  }
}

// Orients the Seifert atoms so that every true gluing reverses orientation
// (det -1), by parity over the graph; nothing changes when no choice does.
void NormalizeOrientations(TObjectTable& m) {
  std::vector<THandle> vertices = MoleculeVertices(m);
  std::map<const TObjectHeader*, int> flip;
  for (const THandle& v : vertices) flip[v.Object()] = -1;
  // Atoms that cannot be reversed are fixed first.
  std::deque<const TObjectHeader*> queue;
  bool consistent = true;
  auto visit = [&](const TObjectHeader* start) {
    queue.push_back(start);
    while (!queue.empty() && consistent) {
      const TObjectHeader* v = queue.front();
      queue.pop_front();
      for (THandle& e : DistinctEdges(v)) {
        if (TMoleculeEdge::EdgeType(e) != kTrueMoleculeEdge) continue;
        THandle w;
        int side = 0;
        const int det = QuadDet(TMoleculeEdge::GluingQuad(e));
        if (FarEndOfEdge(e, v, w, side) == 0) {
          if (det != -1) consistent = false;
          continue;
        }
        // The determinant after the flips must be -1.
        const int need = (det == -1 ? 0 : 1) ^ flip[v];
        if (flip[w.Object()] == -1) {
          if (!IsSeifert(w) && need != 0) {
            consistent = false;
            continue;
          }
          flip[w.Object()] = need;
          queue.push_back(w.Object());
        } else if (flip[w.Object()] != need) {
          consistent = false;
        }
      }
    }
  };
  for (const THandle& v : vertices)
    if (!IsSeifert(v) && flip[v.Object()] == -1) {
      flip[v.Object()] = 0;
      visit(v.Object());
    }
  for (const THandle& v : vertices)
    if (flip[v.Object()] == -1) {
      flip[v.Object()] = 0;
      visit(v.Object());
    }
  if (!consistent) return;
  for (const THandle& v : vertices)
    if (flip[v.Object()] == 1 && IsSeifert(v)) {
      NormalizeFibres(v, 3);
      ReverseAtomSections(v);
    }
}

// The plain data of one candidate.
struct TAtomData {
  THandle vertex;
  bool seifert = false;
  std::vector<std::int32_t> head;  // the code words without the obstruction
  std::int64_t e = 0;              // the last pair's second component
  bool freeBoundary = false;
};

struct TEdgeData {
  int u = 0;
  int w = 0;
  int type = 0;
  std::int64_t m[4] = {0, 0, 0, 0};
  bool signChoice = false;  // an end over a non-orientable base with holes
};

std::vector<std::int32_t> AtomHead(const TObjectHeader* v) {
  const TPieceCode code = BuildPieceCode(v, 2);
  return std::vector<std::int32_t>(code.Words().begin() + kCodeType, code.Words().end());
}

struct TSearch {
  std::vector<TAtomData> atoms;
  std::vector<TEdgeData> edges;
  std::vector<int> flippable;  // atoms whose fibre direction is a choice
  std::vector<int> choiceEdges;  // loops and edges with a sign choice
  std::vector<std::int32_t> best;
  std::vector<int> bestPosition;
  std::vector<int> bestFlip;
  std::vector<int> bestEdgeChoice;
  long long visited = 0;
  TStopPoll poll{64};
};

void Negate(std::int64_t m[4]) {
  for (int i = 0; i < 4; ++i) m[i] = -m[i];
}

void Invert(std::int64_t m[4]) {
  const std::int64_t det = m[0] * m[3] - m[1] * m[2];
  const std::int64_t r[4] = {det * m[3], -det * m[1], -det * m[2], det * m[0]};
  std::copy(r, r + 4, m);
}

// One normalised edge: (positions, type, matrix) and the shifts of the
// obstructions of its end atoms.
struct TEdgeWord {
  std::int64_t pu, pw, type, m[4];
  friend bool operator<(const TEdgeWord& a, const TEdgeWord& b) {
    if (a.pu != b.pu) return a.pu < b.pu;
    if (a.pw != b.pw) return a.pw < b.pw;
    if (a.type != b.type) return a.type < b.type;
    return std::lexicographical_compare(a.m, a.m + 4, b.m, b.m + 4);
  }
};

TEdgeWord NormalizedEdge(const TSearch& s, const TEdgeData& e, const std::vector<int>& position,
                         const std::vector<int>& flip, bool reverse, bool negate, std::vector<std::int64_t>& shift) {
  TEdgeWord w{};
  std::int64_t m[4] = {e.m[0], e.m[1], e.m[2], e.m[3]};
  int u = e.u;
  int v = e.w;
  if (u != v) {
    if (flip[static_cast<std::size_t>(u)] != 0) Negate(m);
    if (flip[static_cast<std::size_t>(v)] != 0) Negate(m);
  }
  if (negate) Negate(m);
  const bool swap = u != v ? position[static_cast<std::size_t>(u)] > position[static_cast<std::size_t>(v)] : reverse;
  if (swap) {
    Invert(m);
    std::swap(u, v);
  }
  const bool seifert1 = s.atoms[static_cast<std::size_t>(u)].seifert;
  const bool seifert2 = s.atoms[static_cast<std::size_t>(v)].seifert;
  if (e.type == kTrueMoleculeEdge) {
    std::int64_t k1 = 0, k2 = 0;
    if (m[1] != 0) {
      if (seifert1) k1 = ShearInto(m[0], m[1]);
      if (seifert2) k2 = ShearInto(m[3], m[1]);
    } else if (seifert1 && m[3] != 0) {
      k1 = ShearInto(m[2], m[3]);
    } else if (seifert2 && m[0] != 0) {
      k2 = ShearInto(m[2], m[0]);
    }
    // M := (1 0; k2 1) M (1 0; k1 1).
    m[0] += k1 * m[1];
    m[2] += k1 * m[3];
    m[2] += k2 * m[0];
    m[3] += k2 * m[1];
    shift[static_cast<std::size_t>(u)] += k1;
    shift[static_cast<std::size_t>(v)] -= k2;
    for (std::int64_t x : m) Checked32(x);
  } else {
    std::fill(m, m + 4, 0);
  }
  w.pu = position[static_cast<std::size_t>(u)];
  w.pw = position[static_cast<std::size_t>(v)];
  w.type = e.type;
  std::copy(m, m + 4, w.m);
  return w;
}

std::vector<std::int32_t> CandidateWords(const TSearch& s, const std::vector<int>& position,
                                         const std::vector<int>& flip, const std::vector<int>& edgeChoice,
                                         std::vector<std::int64_t>* shiftsOut = nullptr,
                                         std::vector<TEdgeWord>* edgesOut = nullptr) {
  std::vector<std::int64_t> shift(s.atoms.size(), 0);
  std::vector<TEdgeWord> words;
  for (std::size_t i = 0; i < s.edges.size(); ++i) {
    const int c = edgeChoice[i];
    words.push_back(NormalizedEdge(s, s.edges[i], position, flip, (c & 1) != 0, (c & 2) != 0, shift));
  }
  std::vector<std::size_t> order(s.atoms.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[static_cast<std::size_t>(position[i])] = i;
  std::vector<std::int32_t> out;
  out.push_back(static_cast<std::int32_t>(s.atoms.size()));
  out.push_back(static_cast<std::int32_t>(s.edges.size()));
  for (std::size_t at : order) {
    const TAtomData& a = s.atoms[at];
    out.insert(out.end(), a.head.begin(), a.head.end());
    // A piece with a free boundary torus has no obstruction class.
    out.push_back(a.seifert && !a.freeBoundary ? Checked32(a.e + shift[at]) : 0);
  }
  std::vector<TEdgeWord> sorted = words;
  std::sort(sorted.begin(), sorted.end());
  for (const TEdgeWord& w : sorted) {
    out.push_back(static_cast<std::int32_t>(w.pu + 1));
    out.push_back(static_cast<std::int32_t>(w.pw + 1));
    out.push_back(static_cast<std::int32_t>(w.type));
    for (std::int64_t x : w.m) out.push_back(static_cast<std::int32_t>(x));
  }
  if (shiftsOut != nullptr) *shiftsOut = shift;
  if (edgesOut != nullptr) *edgesOut = words;
  return out;
}

void Consider(TSearch& s, const std::vector<int>& position, const std::vector<int>& flip,
              const std::vector<int>& edgeChoice) {
  s.poll.Step();
  if (++s.visited > kCompoundSearchLimit) throw Out_of_Range(TInt64::FromLongLong(s.visited), TInt64::FromInt(0), 79);
  std::vector<std::int32_t> words = CandidateWords(s, position, flip, edgeChoice);
  if (s.bestPosition.empty() || words < s.best) {
    s.best = std::move(words);
    s.bestPosition = position;
    s.bestFlip = flip;
    s.bestEdgeChoice = edgeChoice;
  }
}

// Every order within each group of equal atoms, then every choice of fibre
// directions and edge choices.
void SearchChoices(TSearch& s, const std::vector<int>& position) {
  const std::size_t f = s.flippable.size();
  const std::size_t c = s.choiceEdges.size();
  std::vector<int> flip(s.atoms.size(), 0);
  std::vector<int> edgeChoice(s.edges.size(), 0);
  for (unsigned long long mask = 0; mask < (1ULL << f); ++mask) {
    for (std::size_t i = 0; i < f; ++i) flip[static_cast<std::size_t>(s.flippable[i])] = (mask >> i) & 1;
    for (unsigned long long emask = 0; emask < (1ULL << (2 * c)); ++emask) {
      bool valid = true;
      for (std::size_t i = 0; i < c; ++i) {
        const int choice = static_cast<int>((emask >> (2 * i)) & 3);
        const TEdgeData& e = s.edges[static_cast<std::size_t>(s.choiceEdges[i])];
        if ((choice & 1) != 0 && e.u != e.w) valid = false;
        if ((choice & 2) != 0 && !e.signChoice) valid = false;
        edgeChoice[static_cast<std::size_t>(s.choiceEdges[i])] = choice;
      }
      if (valid) Consider(s, position, flip, edgeChoice);
    }
  }
}

void SearchOrders(TSearch& s, std::vector<std::vector<int>>& groups, std::size_t g, std::vector<int>& position,
                  int next) {
  if (g == groups.size()) {
    SearchChoices(s, position);
    return;
  }
  std::vector<int>& group = groups[g];
  std::sort(group.begin(), group.end());
  do {
    for (std::size_t i = 0; i < group.size(); ++i)
      position[static_cast<std::size_t>(group[i])] = next + static_cast<int>(i);
    SearchOrders(s, groups, g + 1, position, next + static_cast<int>(group.size()));
  } while (std::next_permutation(group.begin(), group.end()));
}

bool IsSolidTorusPiece(const TObjectHeader* v) {
  const int type = TMoleculeVertex::AtomType(v);
  if (type == kSolidTorusAtom) return true;
  if (type != kSeifertAtom || TMoleculeVertex::Classify(v) != kBaseDisk) return false;
  const int n = TMoleculeVertex::PairCount(v);
  return n <= 1 || (n == 2 && TMoleculeVertex::PairComponent(v, 1, 0) == 1);
}

// A Seifert piece over the Moebius band with one unit fibre (1, e) is the
// twisted I-bundle over the Klein bottle, fibred again over the disc with
// two fibres of order 2.
void RefibreMobiusPieces(TObjectTable& m) {
  for (THandle& v : MoleculeVertices(m)) {
    if (!IsSeifert(v) || TMoleculeVertex::Classify(v) != kBaseMobiusBand || TMoleculeVertex::PairCount(v) != 1)
      continue;
    int a = 0, e = 0;
    TMoleculeVertex::PairAt(v, 0, a, e);
    THandle f = TVertex::EdgeAt(v, 0);
    if (a != 1 || f.Object() == nullptr || TEdge::IsLoop(f)) continue;
    const TIntQuad g = TMoleculeEdge::GluingQuad(f);
    const std::int32_t minusOneMinusE = Checked32(-1 - static_cast<std::int64_t>(e));
    const std::int32_t minusE = Checked32(-static_cast<std::int64_t>(e));
    const std::int32_t onePlusE = Checked32(1 + static_cast<std::int64_t>(e));
    if (TEdge::EndNumber(f, v) == 1)
      TMoleculeEdge::SetGluing(f, Product(g, TIntQuad{1, 1, minusOneMinusE, minusE}), 1);
    else
      TMoleculeEdge::SetGluing(f, Product(TIntQuad{minusE, -1, onePlusE, 1}, g), 1);
    ClearPairs(v);
    TMoleculeVertex::ResetByType(v, kBaseDisk);
    TMoleculeVertex::AddPair(v, 2, 1);
    TMoleculeVertex::AddPair(v, 2, 1);
    TMoleculeVertex::AddPair(v, 1, 0);
  }
}

// The least code words over the choices of the search; the molecule is
// left in the form that gives them. False when the search would pass the
// limit (molecule unchanged).
bool SearchCanonical(TObjectTable& work, std::vector<std::int32_t>& words) {
  TSearch s;
  std::vector<THandle> vertices = MoleculeVertices(work);
  std::map<const TObjectHeader*, int> index;
  for (const THandle& v : vertices) {
    TAtomData a;
    a.vertex = v;
    a.seifert = IsSeifert(v);
    const int n = TMoleculeVertex::PairCount(v);
    if (a.seifert && n > 0) {
      int one = 0, e = 0;
      TMoleculeVertex::PairAt(v, n - 1, one, e);
      a.e = e;
    }
    a.head = AtomHead(v);
    index[v.Object()] = static_cast<int>(s.atoms.size());
    s.atoms.push_back(std::move(a));
  }
  for (const THandle& e : MoleculeEdges(work)) {
    TEdgeData d;
    d.u = index[TEdge::End(e, 1).Object()];
    d.w = index[TEdge::End(e, 2).Object()];
    d.type = TMoleculeEdge::EdgeType(e);
    const TIntQuad q = TMoleculeEdge::GluingQuad(e);
    d.m[0] = q.a, d.m[1] = q.b, d.m[2] = q.c, d.m[3] = q.d;
    for (int end : {d.u, d.w}) {
      const TObjectHeader* v = s.atoms[static_cast<std::size_t>(end)].vertex;
      if (s.atoms[static_cast<std::size_t>(end)].seifert && TMoleculeVertex::FlagB(v) == 0 &&
          TMoleculeVertex::FlagC(v) > 1 && d.type == kTrueMoleculeEdge)
        d.signChoice = true;
    }
    if (d.type != kTrueMoleculeEdge) {
      s.atoms[static_cast<std::size_t>(d.u)].freeBoundary = true;
      s.atoms[static_cast<std::size_t>(d.w)].freeBoundary = true;
    }
    if (d.u == d.w || d.signChoice) s.choiceEdges.push_back(static_cast<int>(s.edges.size()));
    s.edges.push_back(d);
  }
  for (std::size_t i = 0; i < s.atoms.size(); ++i) {
    if (!s.atoms[i].seifert) continue;
    bool hasEdge = false;
    for (const TEdgeData& e : s.edges)
      hasEdge = hasEdge || ((e.u == static_cast<int>(i)) != (e.w == static_cast<int>(i)));
    if (hasEdge) s.flippable.push_back(static_cast<int>(i));
  }
  // Pruning: atoms are ordered by their codes; only equal ones are permuted.
  std::vector<int> byCode(s.atoms.size());
  for (std::size_t i = 0; i < byCode.size(); ++i) byCode[i] = static_cast<int>(i);
  std::stable_sort(byCode.begin(), byCode.end(), [&](int a, int b) {
    const int ca = CompareMoleculeVertices(s.atoms[static_cast<std::size_t>(a)].vertex,
                                           s.atoms[static_cast<std::size_t>(b)].vertex);
    if (ca != kCodeEqual) return ca == kCodeLess;
    return s.atoms[static_cast<std::size_t>(a)].head < s.atoms[static_cast<std::size_t>(b)].head;
  });
  std::vector<std::vector<int>> groups;
  for (int i : byCode) {
    if (!groups.empty() && s.atoms[static_cast<std::size_t>(groups.back().front())].head ==
                               s.atoms[static_cast<std::size_t>(i)].head)
      groups.back().push_back(i);
    else
      groups.push_back({i});
  }
  long double estimate = std::ldexp(1.0L, static_cast<int>(s.flippable.size() + 2 * s.choiceEdges.size()));
  for (const auto& g : groups)
    for (std::size_t k = 2; k <= g.size(); ++k) estimate *= static_cast<long double>(k);
  if (estimate > static_cast<long double>(kCompoundSearchLimit)) return false;
  std::vector<int> position(s.atoms.size(), 0);
  SearchOrders(s, groups, 0, position, 0);

  // The molecule of the least code: gluings, obstructions and numbers.
  std::vector<std::int64_t> shift;
  std::vector<TEdgeWord> edgeWords;
  CandidateWords(s, s.bestPosition, s.bestFlip, s.bestEdgeChoice, &shift, &edgeWords);
  std::vector<THandle> edges = MoleculeEdges(work);
  std::vector<THandle> byPosition(s.atoms.size());
  for (std::size_t i = 0; i < s.atoms.size(); ++i)
    byPosition[static_cast<std::size_t>(s.bestPosition[i])] = s.atoms[i].vertex;
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const TEdgeWord& w = edgeWords[i];
    TObjectHeader* u = byPosition[static_cast<std::size_t>(w.pu)];
    TObjectHeader* v = byPosition[static_cast<std::size_t>(w.pw)];
    if (TEdge::End(edges[i], 1).Object() != u || TEdge::End(edges[i], 2).Object() != v) {
      TEdge::DetachEnd(edges[i], 1);
      TEdge::DetachEnd(edges[i], 2);
      TEdge::SetEndVertex(edges[i], u, 1);
      TEdge::SetEndVertex(edges[i], v, 2);
    }
    TMoleculeEdge::SetGluingValues(edges[i], Checked32(w.m[0]), Checked32(w.m[1]), Checked32(w.m[2]),
                                   Checked32(w.m[3]));
  }
  for (std::size_t i = 0; i < s.atoms.size(); ++i) {
    TObjectHeader* v = s.atoms[i].vertex;
    ObjectSetNumber(v, s.bestPosition[i] + 1);
    const int n = TMoleculeVertex::PairCount(v);
    if (s.atoms[i].seifert && n > 0) {
      int a = 0, e = 0;
      TMoleculeVertex::PairAt(v, n - 1, a, e);
      TMoleculeVertex::SetPairAt(v, n - 1, a, s.atoms[i].freeBoundary ? 0 : Checked32(s.atoms[i].e + shift[i]));
    }
  }
  work.SortKindByNumber(kMoleculeVertexKind);
  words = s.best;
  return true;
}

// The mirror image: every fibre and the orientation of every gluing reversed.
void MirrorMolecule(TObjectTable& m) {
  for (THandle& v : MoleculeVertices(m))
    if (IsSeifert(v)) NormalizeFibres(v, 3);
  for (THandle& e : MoleculeEdges(m)) {
    TIntQuad q = TMoleculeEdge::GluingQuad(e);
    const bool s1 = IsSeifert(TEdge::End(e, 1));
    const bool s2 = IsSeifert(TEdge::End(e, 2));
    auto neg = [](std::int32_t& x) { x = Checked32(-static_cast<std::int64_t>(x)); };
    if (s1 && s2) {
      neg(q.b);
      neg(q.c);
    } else if (s2) {
      neg(q.a);
      neg(q.b);
    } else if (s1) {
      neg(q.a);
      neg(q.c);
    }
    TMoleculeEdge::SetGluing(e, q, 1);
  }
}

}  // namespace

void NormalizeEdgeGluing(TObjectHeader* edge, bool keepVirtualCoordinates) {
  if (TMoleculeEdge::Of(edge) == nullptr) return;
  THandle end1 = TEdge::End(edge, 1);
  THandle end2 = TEdge::End(edge, 2);
  TIntQuad q = TMoleculeEdge::GluingQuad(edge);
  auto shiftLast = [](TObjectHeader* v, std::int64_t k) {
    const int n = TMoleculeVertex::PairCount(v);
    if (n == 0 || k == 0) return;
    int a = 0, e = 0;
    TMoleculeVertex::PairAt(v, n - 1, a, e);
    TMoleculeVertex::SetPairAt(v, n - 1, a, Checked32(e + k));
  };
  if (TMoleculeEdge::EdgeType(edge) == kTrueMoleculeEdge || keepVirtualCoordinates) {
    std::int64_t m[4] = {q.a, q.b, q.c, q.d};
    std::int64_t k1 = 0, k2 = 0;
    const bool s1 = IsSeifert(end1);
    const bool s2 = IsSeifert(end2);
    if (m[1] != 0) {
      if (s1) k1 = ShearInto(m[0], m[1]);
      if (s2) k2 = ShearInto(m[3], m[1]);
    } else if (s1 && m[3] != 0) {
      k1 = ShearInto(m[2], m[3]);
    } else if (s2 && m[0] != 0) {
      k2 = ShearInto(m[2], m[0]);
    }
    m[0] += k1 * m[1];
    m[2] += k1 * m[3];
    m[2] += k2 * m[0];
    m[3] += k2 * m[1];
    TMoleculeEdge::SetGluingValues(edge, Checked32(m[0]), Checked32(m[1]), Checked32(m[2]), Checked32(m[3]));
    if (s1) shiftLast(end1, k1);
    if (s2) shiftLast(end2, -k2);
    return;
  }
  TMoleculeEdge::SetGluingValues(edge, 0, 0, 0, 0);
  if (IsSeifert(end2)) {
    const int n = TMoleculeVertex::PairCount(end2);
    if (n > 0) {
      int a = 0, e = 0;
      TMoleculeVertex::PairAt(end2, n - 1, a, e);
      std::int64_t r = e;
      if (a == 0)
        r = 1;
      else if (a == 1)
        r = 0;
      else if (e < 1)
        r = a - ((-static_cast<std::int64_t>(e)) % a);
      else
        r = e % a;
      TMoleculeVertex::SetPairAt(end2, n - 1, a, Checked32(r));
    }
  }
  const int number = ObjectNumber(edge);
  TMoleculeEdge::SetEndSlot(edge, 1, number - 1);
  TMoleculeEdge::SetEndSlot(edge, 2, number - 1);
}

TPieceCode BuildMoleculeCodeWithGluings(const TObjectTable& molecule, int type) {
  std::vector<THandle> vertices = MoleculeVertices(molecule);
  std::vector<std::int32_t> words;
  words.push_back(static_cast<std::int32_t>(vertices.size()));
  std::vector<THandle> edges = MoleculeEdges(molecule);
  words.push_back(static_cast<std::int32_t>(edges.size()));
  for (const THandle& v : vertices) {
    const TPieceCode c = BuildPieceCode(v, 1);
    words.insert(words.end(), c.Words().begin() + kCodeType, c.Words().end());
  }
  auto index = [&](const THandle& v) {
    for (std::size_t i = 0; i < vertices.size(); ++i)
      if (vertices[i].Object() == v.Object()) return static_cast<std::int32_t>(i + 1);
    return 0;
  };
  for (const THandle& e : edges) {
    const TIntQuad q = TMoleculeEdge::GluingQuad(e);
    for (std::int32_t x : {index(TEdge::End(e, 1)), index(TEdge::End(e, 2)), TMoleculeEdge::EdgeType(e), q.a, q.b, q.c, q.d})
      words.push_back(x);
  }
  TPieceCode code;
  code.SetWord(kCodeType, type);
  code.SetWord(13, molecule.CountAtomsOfType(kVirtualAtom));
  code.InsertWords(kCodeHeaderWords, words);
  code.Finish();
  return code;
}

int BuildCompoundCode(TManifoldDescription& description, int type) {
  TObjectTable* molecule = description.GetMolecule();
  if (molecule == nullptr) return 0;
  const int edgeCount = molecule->CountOfKind(kMoleculeEdgeKind);
  TObjectHeader* firstVertex = molecule->First(kMoleculeVertexKind);
  if (edgeCount == 0 || (edgeCount == 1 && TMoleculeVertex::Classify(firstVertex) == kBaseAnnulus &&
                         TMoleculeVertex::PairCount(firstVertex) == 0))
    return 0;
  std::vector<THandle> vertices = MoleculeVertices(*molecule);
  if (vertices.size() == 2) {
    const bool firstVirtual = TMoleculeVertex::AtomType(vertices[0]) == kVirtualAtom;
    const THandle& other = firstVirtual ? vertices[1] : vertices[0];
    const THandle& open = firstVirtual ? vertices[0] : vertices[1];
    if (TMoleculeVertex::AtomType(open) == kVirtualAtom && IsSolidTorusPiece(other)) {
      int balls = 0, s2xs1 = 0, solidTori = 0;
      description.GetBoundaryCounts(balls, s2xs1, solidTori);
      molecule->Clear();
      description.SetTrivialCode();
      description.SetBoundaryCounts(balls, s2xs1, solidTori + 1);
      return 1;
    }
  }
  // Work on a copy: a search that gives up leaves the description as it was.
  auto work = std::make_unique<TObjectTable>();
  molecule->CopyTo(*work, nullptr, 2);
  try {
    NormalizeOrientations(*work);
    for (THandle& v : MoleculeVertices(*work))
      if (IsSeifert(v)) NormalizeFibres(v, 2);
    RefibreMobiusPieces(*work);

    std::vector<std::int32_t> best;
    auto mirror = std::make_unique<TObjectTable>();
    const bool searchMirror = type == kCompoundCode || type == 11 || type == 12;
    if (searchMirror) {
      work->CopyTo(*mirror, nullptr, 2);
      MirrorMolecule(*mirror);
    }
    if (!SearchCanonical(*work, best)) return 0;
    if (searchMirror) {
      std::vector<std::int32_t> other;
      if (!SearchCanonical(*mirror, other)) return 0;
      // The first pass stands unless the mirror's code is less.
      if (other < best) {
        best = std::move(other);
        work = std::move(mirror);
      }
    }
    TPieceCode code;
    code.SetWord(kCodeType, type);
    code.SetWord(13, work->CountAtomsOfType(kVirtualAtom));
    // The zero-pair flag, as the vertex codes carry it: a fibre (0, b) of a
    // piece that is not a solid torus (a solid torus is a filling, whatever
    // its slope). It marks a graph manifold that splits as a connected sum.
    for (const THandle& v : MoleculeVertices(*work)) {
      if (TMoleculeVertex::AtomType(v) == kSolidTorusAtom) continue;
      for (int i = 0; i < TMoleculeVertex::PairCount(v); ++i)
        if (TMoleculeVertex::PairComponent(v, i, 0) == 0) code.SetWord(kCodeZeroPairFlag, 1);
    }
    code.InsertWords(kCodeHeaderWords, best);
    code.SetWord(kCodeComplexity, description.GetComplexity());
    code.Finish();
    description.SetMolecule(work.release());
    description.SetPieceCode(code);
    return 1;
  } catch (const Out_of_Range&) {
    return 0;
  }
}

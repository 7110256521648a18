#include "recognition/exceptional_atom_separation.h"

#include <vector>

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"
#include "recognition/fibres.h"
#include "recognition/molecule_tools.h"

namespace {

bool IsExceptional(const TObjectHeader* v) { return TMoleculeVertex::AtomType(v) == kExceptionalAtom; }

// The end of the edge that occupies position p of the vertex's list: for a
// loop, its first occurrence is end 1 and its second end 2.
int EndAtPosition(const TObjectHeader* vertex, const TObjectHeader* edge, int p) {
  if (!TEdge::IsLoop(edge)) return TEdge::EndNumber(edge, vertex);
  for (int i = 0; i < p; ++i)
    if (TVertex::EdgeAt(vertex, i).Object() == edge) return 2;
  return 1;
}

// The position of the edge's end at the vertex (end 2 of a loop: its second
// occurrence).
int PositionOfEnd(const TObjectHeader* vertex, const TObjectHeader* edge, int end) {
  int seen = 0;
  for (int i = 0; i < TVertex::Valency(vertex); ++i) {
    if (TVertex::EdgeAt(vertex, i).Object() != edge) continue;
    if (!TEdge::IsLoop(edge) || ++seen == end) return i;
  }
  return -1;
}

bool IsJoinableAnnulus(const TObjectHeader* v) {
  if (TMoleculeVertex::AtomType(v) != kSeifertAtom || TMoleculeVertex::Classify(v) != kBaseAnnulus) return false;
  const int n = TMoleculeVertex::PairCount(v);
  if (n > 1 || (n == 1 && TMoleculeVertex::PairComponent(v, 0, 0) != 1)) return false;
  if (TVertex::Valency(v) != 2) return false;
  THandle e0 = TVertex::EdgeAt(v, 0);
  THandle e1 = TVertex::EdgeAt(v, 1);
  if (e0.Object() == e1.Object()) return false;
  THandle x1, x2;
  int side = 0;
  if (FarEndOfEdge(e0, v, x1, side) == 0 || FarEndOfEdge(e1, v, x2, side) == 0) return false;
  return IsExceptional(x1) && IsExceptional(x2);
}

}  // namespace

int SeparateExceptionalAtoms(TObjectTable& table) {
  std::vector<THandle> atoms;
  for (const THandle& v : MoleculeVertices(table))
    if (IsExceptional(v)) atoms.push_back(v);
  if (atoms.empty() || (atoms.size() == 1 && TVertex::Valency(atoms.front()) < 2)) return 0;
  int inserted = 0;
  for (const THandle& x : atoms) {
    for (int p = 0; p < TVertex::Valency(x); ++p) {
      THandle f = TVertex::EdgeAt(x, p);
      const int k = EndAtPosition(x, f, p);
      THandle y = TEdge::End(f, 3 - k);
      if (!TEdge::IsLoop(f) && !IsExceptional(y)) continue;
      THandle a(table.NewAtom(kSeifertAtom));
      TMoleculeVertex::ResetByType(a, kBaseAnnulus);
      TMoleculeVertex::AddPair(a, 1, 0);
      THandle g(table.NewMoleculeEdge(kTrueMoleculeEdge));
      TMoleculeEdge::SetGluingValues(g, -1, 0, 0, 1);
      TMoleculeEdge::SetEndSlot(g, 2, TMoleculeEdge::EndSlot(f, k));
      const int oldSlot1 = TMoleculeEdge::EndSlot(f, 1);
      // g takes f's place at x; f's end there moves to the new piece.
      TVertex::ReplaceEdgeAt(x, p, k, g, 2);
      TEdge::SetEndVertex(g, a, 1);
      if (k == 1) {
        TEdge::SetEndVertex(f, a, 1);
      } else {
        {
          TSuspendVertexBookkeepingScope suspend;
          TEdge::DetachEnd(f, 1);
          TEdge::SetEndVertex(f, y, 2);
        }
        TEdge::SetEndVertex(f, a, 1);
        TMoleculeEdge::SetGluing(f, TMoleculeEdge::GluingQuad(f), 2);
        TMoleculeEdge::SetEndSlot(f, 2, oldSlot1);
      }
      TMoleculeEdge::SetEndSlot(f, 1, -1);
      inserted = 1;
    }
  }
  return inserted;
}

int JoinExceptionalAtoms(TObjectTable& table) {
  int removed = 0;
  for (const THandle& a : MoleculeVertices(table)) {
    if (!table.Contains(a) || !IsJoinableAnnulus(a)) continue;
    if (TMoleculeVertex::PairCount(a) == 1) {
      const int e = TMoleculeVertex::PairComponent(a, 0, 1);
      TMoleculeVertex::RemovePairAt(a, 0);
      AddFibre(a, 1, e);
    }
    THandle e0 = TVertex::EdgeAt(a, 0);
    THandle e1 = TVertex::EdgeAt(a, 1);
    THandle x1, x2;
    int side0 = 0, side1 = 0;
    FarEndOfEdge(e0, a, x1, side0);
    FarEndOfEdge(e1, a, x2, side1);
    // G1 reads x1's coordinates in a's; G2 a's in x2's; N reverses the
    // section between the annulus' two boundary tori.
    const int endX1 = 3 - side0;
    const TIntQuad g1 = GluingFrom(e0, endX1);
    const TIntQuad g2 = GluingFrom(e1, side1);
    const TIntQuad product = Product(g2, Product(TIntQuad{-1, 0, 0, 1}, g1));
    const int endX2 = 3 - side1;
    const int slot1 = TMoleculeEdge::EndSlot(e0, endX1);
    const int slot2 = TMoleculeEdge::EndSlot(e1, endX2);
    const int positionX2 = PositionOfEnd(x2, e1, endX2);
    TVertex::DetachEdge(a, e0);
    {
      TSuspendVertexBookkeepingScope suspend;
      TEdge::DetachEnd(e0, 1);
      TEdge::DetachEnd(e0, 2);
      TEdge::SetEndVertex(e0, x1, 1);
    }
    TVertex::ReplaceEdgeAt(x2, positionX2, endX2, e0, 2);
    TMoleculeEdge::SetGluing(e0, product, 1);
    TMoleculeEdge::SetEndSlot(e0, 1, slot1);
    TMoleculeEdge::SetEndSlot(e0, 2, slot2);
    table.RemoveMoleculeObject(e1);
    table.RemoveMoleculeObject(a);
    removed = 1;
  }
  return removed;
}

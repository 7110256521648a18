// Assembling a labeled molecule into maximal Seifert pieces.
//
// The moves cut a spine into small Seifert fibred pieces (solid tori, Moebius
// and triple atoms, annuli) joined along tori. A graph manifold is determined
// by its JSJ pieces, so the small pieces are glued back together wherever the
// fibrations match: a solid torus is absorbed as an exceptional fibre (or a
// Dehn filling of a boundary circle of the base), an annulus or a disc with
// at most one fibre is folded into its neighbour's gluing, and two pieces
// whose gluing sends fibre to fibre (M12 = 0, M11 = -M22 after orienting)
// become one piece over the union of their bases. Gluings that do not match
// may still match after refibring: a disc with two fibres (2, b1), (2, b2)
// is also fibred over the Moebius band (the twisted I-bundle over the Klein
// bottle has two Seifert fibrations), which is what ChangeFibration tries.
//
// Everything works on one molecule table in place. The arithmetic is checked
// 32-bit (model/molecule_edge.h): an overflow throws Out_of_Range; the merge
// it interrupted may leave the table half-merged, so callers assemble copies
// (the molecule chain already is one). Costs: every merge removes an atom, so
// a table of n atoms is assembled in O(n) merges of O(n) work each.
#pragma once

#include "foundation/output.h"
#include "model/molecule_chain.h"
#include "model/object_table.h"

// Splits the molecule into its connected-sum items (BuildMoleculeChain with
// the limit, -1 none), assembles and prints each. With an item list the item
// tables are appended and the caller owns them; otherwise they are freed.
// Returns 0 when there is no molecule (message 801 printed), else 1.
int AssembleMolecule(TObjectTable* molecule, TObjectTableList* items, TOutput* output, int limit);

// Assembles one item in place and prints it (with an output). Returns 1.
int AssembleItem(TObjectTable& item, TOutput* output);

// A tab, then "S^3" for an empty item or the item's molecule (style 2).
void PrintAssembledItem(TObjectTable& item, TOutput& output);

// For the first n tables along the chain from first: every vertex with more
// than one fibre pair whose last pair is (1, e) drops it and its previous
// pair (a, b) becomes (a, a e + b).
void FoldUnitFibres(TObjectTable* first, int n);

// ---- The merge rules; each reports 1 when it changed the table ----
// A solid torus, Moebius or triple atom becomes a Seifert atom.
int MakeSeifertAtom(TObjectHeader* vertex);
// Each solid torus of the list is absorbed into its neighbour as a fibre.
int AbsorbSolidTori(TObjectTable& table, std::vector<THandle>& solidTori);
// Folds an annulus without exceptional fibre, or a disc with at most one
// fibre, into its neighbours' gluing (a is the number of exceptional
// neighbours allowed across an annulus: 2 lets one join two of them).
int ReduceSmallAtom(TObjectTable& table, TObjectHeader* vertex, int a);
int ReduceAllSmallAtoms(TObjectTable& table);
int MergeAcrossEdges(TObjectTable& table, TObjectHeader* vertex);
int MergeAlongEdge(TObjectTable& table, TObjectHeader* edge, TObjectHeader* vertex);
int ReverseOrientation(TObjectHeader* vertex, TObjectHeader* edge);
int ChangeFibration(TObjectHeader* edge, TObjectHeader* vertex, TIntQuad& m);

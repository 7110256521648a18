// Chains of molecule tables brought together into one molecule, and split
// into its connected components.
//
// A spine of several connected components keeps one molecule table per
// component, chained in the order of the spines. A torus shared by two
// components appears in both tables: on one side as the edge of a boundary
// atom, on the other as an edge that ends at an external atom, and the two
// atoms are linked. To read the whole molecule, the chain is copied (the
// originals stay untouched), the links between the copies are restored, and
// every linked pair is fused: the atom beyond the external atom is joined
// directly, by the partner's edge and with its gluing, to what that edge led
// to. The fused molecule is then split into its connected components, one new
// table each, and its atoms and edges are numbered for the report.
//
// Lists of tables are plain vectors of pointers; the tables in them belong to
// whoever built the list and are freed with FreeObjectTableList. Components
// are given as parallel lists of object lists (counted), one entry per
// component.
#pragma once

#include <vector>

#include "foundation/int_matrix.h"
#include "model/object_list.h"
#include "model/object_table.h"

using TObjectTableList = std::vector<TObjectTable*>;
using TObjectListList = std::vector<TObjectList>;

// Destroys and frees every table of the list and empties it.
void FreeObjectTableList(TObjectTableList& list);

// Frees a list of tables however its scope is left: a stop in the middle of
// the work on them throws.
class TObjectTableListGuard {
 public:
  explicit TObjectTableListGuard(TObjectTableList& list) : list_(list) {}
  ~TObjectTableListGuard() { FreeObjectTableList(list_); }
  TObjectTableListGuard(const TObjectTableListGuard&) = delete;
  TObjectTableListGuard& operator=(const TObjectTableListGuard&) = delete;

 private:
  TObjectTableList& list_;
};

// Empties both lists; then from the chain head (or this table when it is the
// head), in chain order and at most limit tables (-1: all), appends each
// table to the sources and a copy of it (TObjectTable::CopyTo, mode 2) to the
// copies. The copies are chained: the first is the chain head of the others,
// next links in order.
void CopyTableChain(TObjectTable& table, TObjectTableList& sources, TObjectTableList& copies,
                    int limit);

// Restores between the copies the links that the sources' atoms have between
// tables (copy k being the copy of source k, object positions kept) and, with
// mode 2 when at least one link was set, fuses every linked pair: the
// external atom, its partner and the external atom's edge are removed, and
// the partner's edge runs from the atom beyond the external atom instead (a
// virtual edge when the external atom's edge was one), keeping its gluing.
// Nothing happens with fewer than two tables. Returns the number of links set.
int RelinkCopiedChain(const TObjectTableList& sources, const TObjectTableList& copies, int mode);

// Appends every molecule vertex of every table, of the type (0: of all
// types), in table and list order.
void CollectAtoms(const TObjectTableList& tables, TObjectList& out, int type);

// The connected components of the molecule spread over the tables, grown
// breadth-first over the edges from the first atom not yet reached (an
// external atom also brings in its linked atom). An exceptional atom whose
// spine is a single 2-cell with a boundary of length 1 (a ball) is dropped
// from its table instead. Appends one entry per component to both lists and
// returns the number of components.
int FindMoleculeComponents(const TObjectTableList& tables, TObjectListList& edgeLists,
                           TObjectListList& vertexLists);

// Replaces the copies by one new table per component (at least one), chained
// in order, holding the component's vertices and edges. The first new table
// takes the owner spine and vertex count of the first copy and the chain sums
// of its three counters. Objects of the copies that belong to no component are
// released; the copies are freed.
void BuildComponentTables(TObjectTableList& copies, const TObjectListList& vertexLists,
                          const TObjectListList& edgeLists);

// Numbers the atoms and edges of the components for the report: the matrix
// becomes components x 8 (component, atom type) of counts of atoms without a
// linked object. One running counter per atom type and per edge type is
// shared by all components; an atom that is not virtual takes its counter as
// its primary number when it has none and, unless names are suppressed, the
// name of its type with the counter; a true edge with no external atom at
// either end takes its counter as number and name. Nothing for no component.
void NumberMoleculeComponents(const TObjectListList& edgeLists, const TObjectListList& vertexLists,
                              TIntMatrix& counts);

// The molecule of the table's chain, split into its connected components:
// the chain (at most limit tables, -1 all) is copied, relinked and fused, the
// components found and put into new tables (the first taking the table's
// source kind), and each component's vertices and edges sorted by primary
// number, unnumbered objects last. The out list receives the new tables
// (the caller frees them with FreeObjectTableList). Returns the number of
// components.
int BuildMoleculeChain(TObjectTable& table, TObjectTableList& out, TObjectListList& vertexLists,
                       TObjectListList& edgeLists, int limit = -1);

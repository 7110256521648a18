// Splitting a vertex of a thickened spine along one piece of its link.
//
// When a cell C is about to be collapsed and the corners of the other cells
// at a vertex v of its boundary fall into several link components without C,
// the polyhedron left after the collapse would be pinched at v. The split
// pulls the link component that holds one of C's two edges at v away onto a
// new vertex U, joined to v by a new edge E that only C passes:
//
//        ... n  (v)  m ...      becomes      ... n  (v) -E-> (U)  m ...
//
// Every edge end of that component moves from v to U; the other components
// stay at v. In the boundary surface the link of v is a sphere cut by the
// link graph into regions, one boundary vertex per region. Only one region,
// V', touches both sides of C's corner (that corner is a bridge of the link
// graph, so both copies of C pass V' there); it is split the same way: a new
// boundary vertex U' takes the sides of the moved edges that ended at V', and
// a new boundary edge from V' to U', the single side of E, runs along both
// copies of C. Curves on the boundary that passed V' from a moved side to a
// staying one now run along the new boundary edge, so its labels are set to
// close them up.
//
// After the split C has a second free arc (E), so it can be cut; this is the
// collapsing with one cutting.
#pragma once

#include <vector>

class TSpine;
struct TObjectHeader;
struct TVertexLinkRecord;

// Splits the vertex v between the passages n and m of the thick cell's part 1
// (m the position after n, or before it; v is where n ends, or starts when m
// comes before n). edges are v's distinct edges and record its link without
// the cell, both as AnalyseVertexLink gives them. Afterwards the three parts
// are rotated to start at the new edge, followed by m (read backwards when m
// came before n).
// Returns 1, or 0 with nothing changed when the spine is not thickened or
// does not hold the thick cell, the positions are not neighbours, the corner
// of the cell at v does not lie on one boundary vertex in both copies, the
// record does not describe v, the component of m's end also holds n's end
// (the link does not come apart there), or another corner of the cell at v
// has one edge end in the moving component and the other not. Cost: linear in the number of edge
// ends at v.
int SplitVertexByLinkPiece(TSpine& spine, TObjectHeader* thickCell, int n, int m,
                           const std::vector<TObjectHeader*>& edges, const TVertexLinkRecord& record);

// Collapsing (move type 5): removing a 2-cell of a thickened spine through
// a free arc.
//
// A free edge is an edge that only one cell passes; a free arc is a maximal
// run of cyclically consecutive positions of a cell's boundary word whose
// edges are free. Pushing the cell in from its free arc is an elementary
// collapse of the regular neighbourhood: the manifold does not change, its
// boundary changes by an isotopy.
//
// The collapse may be done at once (a simple collapsing, class 1) when the
// rest of the cell's boundary does not disconnect anything: no edge of it is
// passed by this cell alone (twice or more), and at every vertex between two
// non-free passages the corners of the other cells form a connected link
// (AnalyseVertexLink). Otherwise the cell is first cut or split at the
// offending vertices (class 2: one cutting; class 3: splitting into pieces
// that are collapsed in turn).
//
// The collapsing with one cutting ends in the cutting of a cell, a move of
// another family; until it is built such cells are classified but neither
// found nor performed (the finder passes them over, the performer refuses).
//
// Cost: classifying a cell walks its boundary and the cells at its vertices;
// the finder classifies the cells of free edges in edge order.
#pragma once

#include <vector>

class TSpine;
class TString;
struct TObjectHeader;

// The number of free arcs of a type-1 cell (0 otherwise); the first and last
// position of the arc (cyclically) for a single arc, -1 when there is none.
int CountFreeArcs(const TObjectHeader* cell, int* arcStart, int* arcEnd);

// 0 not collapsible, 1 simple collapsing, 2 with one cutting, 3 by splitting.
// The arc's first and last position are written only when the class is not 0.
int ClassifyCellForCollapsing(const TObjectHeader* cell, int* arcStart, int* arcEnd);

// The vertex link of a vertex, seen without one cell: its corners are the
// places where the boundary word of another cell passes the vertex from one of
// its edges to the next; two corners meet when they share an edge end.
struct TVertexLinkCorner {
  int firstEdge = 0;  // index into the vertex's distinct edges
  int firstEnd = 0;   // 1 or 2: the end of that edge at the vertex
  int secondEdge = 0;
  int secondEnd = 0;
  int component = 0;  // 1, 2, ...: the link component of the corner
};
struct TVertexLinkRecord {
  int components = -1;
  std::vector<TVertexLinkCorner> corners;
};

// 1 when the corners of the cells other than the cell at the vertex form more
// than one component (or none); 0 when they form one, and when the vertex has
// no edge or no other cell (then no record is filled). The vertex's distinct
// edges go to edges and the corners to record when given.
int AnalyseVertexLink(const TObjectHeader* cell, const TObjectHeader* vertex,
                      std::vector<TObjectHeader*>* edges = nullptr, TVertexLinkRecord* record = nullptr);

// The position among the cells of the spine of the first cell, in the order of
// the free edges, that can be collapsed now; -1 when none.
int FindReductionCell(TSpine& spine);
// The collapsing class of the cell at the position (0 when there is none).
int IsCellReducible(TSpine& spine, int cellPosition, int* arcStart, int* arcEnd);

// Collapses the cell at the position (its thick cell): sets the spine's
// current-move word to 5, appends one log entry of type 5 with the report
// text, writes message 273 or 274 into the report (when given, not in quiet
// mode) and the number of cuttings into cuttings. 1 when done; 0 with nothing
// changed when the cell cannot be collapsed.
int PerformCellReduction(TSpine& spine, int cellPosition, TString* report, int* cuttings);
// The same on a thick cell of the spine or of a spine of its chain.
int CollapseOrReduceCell(TSpine& spine, TObjectHeader* thickCell, TString* report, int* cuttings);

// 273 "Simple collapsing of '%s' done", or 274 with the cuttings count when it
// is not 0; nothing in quiet mode.
void ReportSimpleCollapsing(TString& text, const char* cellName, int collapsingClass, int cuttings);

// Installs the vertex-link test of the consistency check (a vertex whose
// link, seen with all its cells, falls apart is broken).
void InstallVertexLinkCheck();

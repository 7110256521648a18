// Printers of objects: the text forms of homology groups, cells, cell lists
// and surface names that reports are made of.
//
// Each printer appends to an output buffer and writes no line end of its own
// unless said. A null object prints "EmptyObject".
#pragma once

#include "foundation/output.h"
#include "model/object_header.h"
#include "model/surface_name.h"  // PrintSurfaceName, with the printers here

class THomologyList;
class TSpine;

// "H_1=" and the summands joined by "+": "0" for an entry 1 (the trivial
// group), "Z" for 0, "Z_n" for n. A list without entries (or null) prints
// "Error : Homology group is not initialized". Returns the number of summands.
// With latex the "H_1=" is left out, Z is written "\mathbb{Z}", orders "_{n}"
// and summands are joined by " \oplus ".
int PrintHomologyGroup(TOutput& output, const THomologyList* list, bool latex = false);

// An edge: its name, " [ ", its ends ("None" for a missing one) separated by
// " , ", " ]", " Loop" for a loop, and when it carries curve labels
// "Coordinates : " with the four labels, each followed by a blank.
void PrintEdge(TOutput& output, const TObjectHeader* edge);

// The display name of an object ("EmptyObject" for none).
void PrintObjectName(TOutput& output, const TObjectHeader* object);

// A 2-cell: full, "name = {" then " -edge," per passage and " }"; compact,
// only " -edge" per passage. A cell attached at a vertex ends with
// ": Vertex " and the vertex's name.
void PrintCell(TOutput& output, const TObjectHeader* cell, int compact);

// The cells of a spine in the manager's order. Style 0 first writes the
// spine's name, " : ", its Euler characteristic " = " cells " -" edges " +"
// vertices (and a line end when there are cells); styles 0 and 1 write full
// cells, 2 "n:" and a compact cell, 3 a compact cell, 4 "{" compact cell "}".
// Every style but 4 ends each cell with a line end.
void PrintCellList(TOutput& output, const TSpine* spine, int style);


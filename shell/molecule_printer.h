// The report of a spine's labeled molecule.
//
// The molecule is read whole: the tables of the spine's chain are copied,
// fused across their external gluings and split into connected components
// (model/molecule_chain.h), numbered for the report, printed, and the copies
// freed; the spine's own tables are not changed. Each component lists its
// atoms by type, its edges with their ends and gluing matrices, its
// exceptional atoms and its Seifert atoms with their invariants.
#pragma once

#include "foundation/output.h"
#include "model/object_header.h"

class TObjectTable;
class TSpine;

// Style 1: the full report with its heading ("Labeled Molecule"), the counts
// of what was cut off and the connectedness line. Style 2: the same without
// the heading, the connectedness line only for a molecule that is not
// connected. Style 3: the compact form of a recognised manifold's answer
// (components and edges only; virtual edges without a gluing left out).
void PrintLabeledMolecule(TOutput& output, TSpine& spine, int style);
// The same for a molecule table and its chain (null: an empty molecule).
void PrintMoleculeTable(TOutput& output, TObjectTable* table, int style);

// One molecule edge: its label, " { ", its two ends, " }" and the gluing
// "\t(a b) (c d)"; a null edge prints "Error : Edge is not initialized!".
void PrintMoleculeEdge(TOutput& output, const TObjectHeader* edge);
// One atom: its label and, by its type, its Seifert invariants or its numbers
// of edges and loops; a null atom prints "Error : Vertex is not initialized!".
void PrintMoleculeVertex(TOutput& output, const TObjectHeader* vertex);
// "(" the base surface, ",(p,q)" per exceptional fibre (a last fibre (1, 0) is
// not written), "no exceptional fibers" when there is none, and " )".
void PrintSeifertInvariants(TOutput& output, const TObjectHeader* vertex);

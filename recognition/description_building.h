// A manifold description filled from a labeled molecule.
//
// The molecule of a spine (or one connected-sum item of it, after
// assembling) is copied into the description and named by the recognisers:
// pieces still exceptional go to the table of atoms (atom_table_lookup.h)
// and, when it does not know them, the description keeps the spine record
// of the whole; otherwise the shapes of piece_recognition.h are tried. A
// chain of tables (Next) gives one summand per table.
#pragma once

#include "model/object_table.h"
#include "recognition/manifold_description.h"

class TSpine;
struct TOptionValues;

// Answers 0, nothing changed, when the molecule has no exceptional atom.
// Otherwise 1: the table atom code of an identified atom, or the spine
// record of the whole molecule.
int RecognizeExceptionalAtoms(TManifoldDescription& description);

// Fills the description from the molecule table and the tables chained
// behind it (at most maxSummands of them, -1 all). A description that has a
// molecule already gains the result as a new presentation at the end of its
// chain. The first summand counts the balls cut off (the molecule's
// piercings, one fewer when nothing but balls was cut off), unless
// ignoreAddedBalls.
void BuildDescriptionFromMolecule(TManifoldDescription& description, const TObjectTable& molecule,
                                  int maxSummands, int depth = 0, bool ignoreAddedBalls = false);

// A new presentation from the spine's molecule in place of the description's
// own: its molecule is dropped and the spine's recognised at depth 0 (with
// at most maxSummands summands, -1 all); the summands it had before follow
// the new ones. A description chained behind others gains it at the end of
// the chain, as BuildDescriptionFromMolecule does.
void AddPresentationFromSpine(TManifoldDescription& description, TSpine& spine, int maxSummands);

// Open tori carry no coordinates unless the options keep them (always
// created, or a link exterior, with the boundary not ignored): then every
// virtual edge of the spine's molecule forgets its gluing (all zeros).
void ForgetBoundaryCoordinates(TSpine& spine, const TOptionValues& options);

// The combinatorial code of the spine's Seifert atoms: a copy of its
// molecule with every exceptional fibre made (2, 1), every unit fibre
// (1, 0) and every gluing (0 1; 1 0), recognised, and coded without gluings
// (BuildMoleculeCode). Two spines whose pieces sit alike get equal codes.
TPieceCode BuildSeifertAtomCode(TSpine& spine);

// Recognition of hyperbolic pieces by the internal table of atoms.
//
// A piece of a labeled molecule that no Seifert or lens-space recogniser
// names (an exceptional atom) keeps its spine in the molecule vertex's mark
// word. When that spine is a spine of a table record, the vertex is named by
// the record's key. Two special spines of one record are recognised when they
// are combinatorially isomorphic, which is decided by their canonical
// isomorphism signatures: the lookup costs one signature of the piece and
// one probe of the table's index, never a parse of the records.
#pragma once

#include <string>
#include <string_view>

struct TObjectHeader;
class TSpine;
class TTableRecord;

// Identifies the piece of a molecule vertex. With a spine in the vertex's
// mark word: the spine must have 1 to 5 boundary tori and 2 to 22 vertices;
// the table is loaded when needed and the record whose spine is isomorphic is
// looked up. Without a spine, a vertex that already holds a table key is
// resolved by the key. On success answers 1 and the record, and the vertex
// holds the record's key (as its triple: index, sub-index, first census
// word), which also drops the spine reference from the mark word; otherwise 0
// and the vertex unchanged. A vertex resolved by its key has its gluings and
// fillings brought to the record's normal form (MapAllTori,
// recognition/atom_molecule.h); a vertex with a spine has them taken into
// the record's coordinates by the torus map of the isomorphism first
// (recognition/atom_torus_map.h; when there is none, or the record is found
// through another presentation, they stay as they are). Polls the stop flag
// (TComputationStopped).
int RecognizeByTable(TObjectHeader* vertex, const TTableRecord*& record);

// The record whose spine is isomorphic to the given connected special spine
// with torusCount boundary tori (the table is loaded when needed); null when
// there is none, or when the spine has fewer than 2 or more than 22 vertices
// or the count of tori is outside 1 to 5.
const TTableRecord* FindAtomRecordOfSpine(TSpine& spine, int torusCount);

// The record (or Type1 description) has a spine with this canonical
// signature: the head line's signature, or for a description the signature
// of its spine, built in a scratch heap.
bool MatchesRecord(const TTableRecord& record, std::string_view signature);

// The same for a caller that needs only the answer: 1 when the atom matched
// a record (and now holds its key), 0 with nothing changed otherwise.
int RecognizeByTable(TObjectHeader* atom);

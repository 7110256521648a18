// Alternative presentations of a table record ("Next" descriptions).
//
// Anywhere in a record's text the word "Next" starts one:
//
//   Next={Type<t>[~ <link name>]| <body> <torus data>}
//
// Type1 gives another spine of the atom as braced cells, Type2 the name of
// another table record, Type3 a knot name, Type4 a link census name
// (letters, crossings, "^", components, "_", census index). The torus data
// lists, for each of the k boundary tori, "i: Free (a b) (c d)" (the torus
// coordinates in that presentation) or "i: Dehn (p,q)" (a filled torus,
// matrix (p 0; q 0)); further sets of k entries on continuation lines ("%;")
// list the same tori in other coordinates and give boundary symmetries.
//
// The first set becomes the description's boundary block (see
// TTableRecord::GetBoundary); each further set, composed with the inverse of
// the first torus by torus, becomes a symmetry row.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "recognition/atom_table.h"

// Reads every Next description of the record's text and hangs them behind
// the record (sub-indices 1, 2, ...). A malformed description is dropped
// together with every later one of the same record. Returns the number kept.
int ReadNextDescriptions(TTableRecord& record);

// The boundary block of one set of k torus entries: numbers (0-based) and
// matrices (a b; c d) given as quads (a, b, c, d).
std::vector<std::int32_t> BoundaryBlock(const std::vector<int>& numbers,
                                        const std::vector<std::vector<std::int32_t>>& matrices);

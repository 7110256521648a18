// A small fixture builder for model tests: a complex from its cells' boundary
// words. A word lists edge numbers, +k for a passage along edge k and -k for a
// passage against it; edges are created numbered 1, 2, ... up to the largest
// number used, then one cell per word (numbered in order), and the corners of
// each cell are joined, which creates and identifies the vertices.
//
// Objects are made with creation tag 1, as when a spine is built from a
// presentation, so they display as "v1", "3", "Cell #2".
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "model/complex.h"
#include "model/handle.h"

struct TBuiltComplex {
  std::vector<THandle> edges;  // edges[k - 1] is edge k
  std::vector<THandle> cells;  // in word order
};

TBuiltComplex BuildComplexFromWords(TComplex& complex,
                                    const std::vector<std::vector<int>>& words);

// A sphere of one vertex and one cell attached at it, without edges.
TBuiltComplex BuildPointSphere(TComplex& complex);

// The boundary word of a cell written back as signed edge numbers.
std::vector<int> SignedWord(const TObjectHeader* cell);

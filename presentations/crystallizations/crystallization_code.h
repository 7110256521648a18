// Letter codes of edge-coloured graphs: crystallization codes and graph codes.
//
// A bipartite graph on 2n vertices whose edges carry colours 0..w, every
// vertex meeting exactly one edge of each colour, is written down as w words
// of n letters. Colour 0 pairs vertex 2i with vertex 2i + 1 once and for all,
// so it needs no word; word c - 1 says where colour c goes: its letter at
// position i is the letter of index k ("a" is 0) when colour c joins vertex 2i
// to vertex 2k + 1. Each word is therefore a permutation of the first n
// letters, and the words are separated by "*".
//
// Three words (four colours) are a crystallization code: the coloured graph
// of a closed 3-manifold, read e.g. from "badc*cdab*dcba". Two words (three
// colours) are a graph code: a coloured graph of a surface, the starting point
// of the search for crystallizations. Since there are 26 letters, n is at
// most 26.
//
// The graph of a code is a TIntMatrix of w rows and n columns (row r, column i
// holds the letter index at position i of word r). Its adjacency form has
// w + 1 rows (colours) and 2n columns (vertices) and holds, for every colour
// and vertex, the neighbour along that colour; it is what the graph algorithms
// walk.
//
// Both readers work on the first line of a text that holds anything but
// comments and blanks: comments ("%" to the line end, "%%" blocks) count as
// blanks, and so do blanks and tabs inside the line, so "ab c * bca*c a b"
// reads as "abc*bca*cab". A line longer than 1022 characters is no code.
#pragma once

#include <cstddef>
#include <string>

#include "foundation/int_matrix.h"

// The letters of the codes, "abcdefghijklmnopqrstuvwxyz" (string-table text 183).
const char* CodeAlphabet();

// Longest line a code may have, blanks and comments included.
inline constexpr std::size_t kMaxCodeLineLength = 1022;

// The first code line of a text, found and normalised.
struct TCodeLine {
  std::string code;          // the line without blanks, tabs and comments
  std::size_t start = 0;     // offset of the line's first non-blank character
  std::size_t end = 0;       // offset of the line's end (its CR, LF or NUL)
  unsigned lineNumber = 0;   // 1-based number of that line in the text
};

// Finds the first line of the text that holds anything but comments and
// blanks and normalises it into `line`. Returns false when there is no such
// line or it is longer than kMaxCodeLineLength characters. Null text gives
// false.
bool FindCodeLine(const char* text, TCodeLine& line);

// 1 when the first line of the text is a crystallization code: after removing
// blanks its length L is over 4 with L mod 3 = 2, the characters at positions
// n and 2n + 1 (n = (L - 2) / 3) are "*", and each of the three words is a
// permutation of the first n lower-case letters. When a graph is given it
// receives the 3 x n matrix of the code (it is left unchanged when the text
// is no code).
int IsCrystallizationText(const char* text, TIntMatrix* graph = nullptr);

// 1 when the first line of the text is a graph code: after removing blanks its
// length L is odd and over 2, the middle character (position (L - 1) / 2) is
// "*", and both words are permutations of the first n = (L - 1) / 2 letters.
// When a graph is given it receives the 2 x n matrix; when next is given it
// receives the position of the end of that line in the text (its CR, LF or
// terminating NUL), from where the following line can be read. Nothing is
// written when the line is no graph code.
int ReadGraphCodeLine(const char* text, TIntMatrix* graph = nullptr,
                      const char** next = nullptr);

// The code text of a graph: each row as letters ("a" + value), rows separated
// by "*". Precondition: every value lies in 0..25.
std::string CrystallizationCodeText(const TIntMatrix& graph);

// The adjacency form of a code graph of w rows and n columns: w + 1 rows and
// 2n columns; colour 0 joins 2i and 2i + 1, colour c >= 1 joins 2i and
// 2 graph(c - 1, i) + 1, both directions stored. Precondition: every row is a
// permutation of 0..n-1.
TIntMatrix CodeAdjacency(const TIntMatrix& graph);

// The code graph of an adjacency form whose colour 0 joins 2t and 2t + 1 and
// whose other colours join even to odd vertices: row c - 1, column t holds
// (neighbour of 2t along colour c, less 1) / 2.
TIntMatrix AdjacencyCode(const TIntMatrix& adjacency);

// The binary table file: a whole result table on disk.
//
// Long series fill a TManifoldTable for hours; the table file lets such a
// run be saved (by hand, by a series header, or by the timed auto-save) and
// resumed. The file is written field by field through TBinaryWriter, little
// endian, never as an image of a structure; where an in-memory structure
// holds a pointer the file holds either a present/absent word or the number
// the pointer stands for (an entry index, a vertex or edge index of a
// molecule), and the reader builds the objects anew.
//
// Layout (all integers 32-bit little-endian; a text is its bytes and a NUL):
//   "BinFileVersion" (14 bytes, no NUL), the version 5, the word 16;
//   three blocks of 14 words of invariant state (written as zeros: this
//   table keeps its duplicate-control data with each entry; read and
//   ignored);
//   the table record, 15 words: kind, ignore-reducible, ignore-trivial,
//   report kind, owner view (0), source kind, three heap words (0), entry
//   list present, source-name list present, current source, position,
//   subposition, auto-save interval in ms;
//   source names: count, then the texts;
//   entries: count, then each entry: its presentations, each as the chain
//   of its summands, one node record per summand; then the entry's own
//   data: a flag word (1: homology stored), the homology (count, words), the
//   entry text, the invariant text compared by the duplicate search, and
//   the duplicates (count, entry indices);
//   when the source kind is 8, the Heegaard diagram store block.
// A node record is the 19-word node image (flags saying which parts follow;
// word 12 "another summand follows", word 18 "another presentation
// follows": 1 the next one of this presentation's own chain, 2 the next
// one of the entry's list), then the name, the piece code (its words, the first being
// their number), the molecule block, the move lines (count, texts), the
// source names and positions (count and words each), the entry text, the
// spine text, the invariant text of the node, and, when word 6 or 7 is set,
// a 13-word result record (zeros) and the references (count and entry
// indices) and their values (count and words).
// A molecule block is the words 356 and 0, the vertex and edge counts, the
// 85-word image of the molecule table (object counts and highest numbers per
// kind, creation tag, source kind, spine vertex count, boundary counts, the
// three counters and the eight serial counters; pointer words 0), then one
// record per vertex (size, index, pair count, numbers, atom type, table key,
// pair words, base surface, edge-end list as edge indices, pairs, name) and
// per edge (size, index, numbers, type, end vertex indices or -1, gluing,
// end slots, name).
// The store block is the word 512, the series counter, the series' current
// diagram (kind, eight 16-bit numbers, level, move code, a zero word), the
// 513 bucket capacities and counts, then every bucket's records (eight
// 16-bit numbers each).
//
// The reader trusts nothing: every count and size is checked against the
// bytes that remain, every index against what it indexes, every piece
// code's text block against the code's length, and the buckets against
// their arc sums; the whole table is built apart and replaces the current
// one only when the file has been read to its last byte without a fault.
#pragma once

// The key and version at the head of every table file.
inline constexpr char kBinaryTableKey[] = "BinFileVersion";
inline constexpr int kBinaryTableVersion = 5;

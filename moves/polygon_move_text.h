// The texts of polygon moves (move type 15): the long form that the move log
// keeps, naming the sides and the spine cells of the polygon's cells, and
// the short form that the Simplify dialog lists for a candidate.
#pragma once

class TSpine;
class TString;
struct TObjectHeader;

// Replaces the text by the form of the subtype (1 biangle, 2 to 5 triangles,
// 6 to 14 quadrangles, followed by a blank and the subtype), with the
// display names of the edges and, when the thick cells are given, of their
// part 1 (the long form). Edges and cells that the subtype does not use may
// be null. Any other subtype, or quiet mode, leaves the text untouched.
// Returns 1 when it wrote the text.
int ReportPolygonMove(TString& text, int subtype, const TObjectHeader* e1, const TObjectHeader* e2,
                      const TObjectHeader* e3, const TObjectHeader* e4, const TObjectHeader* t1 = nullptr,
                      const TObjectHeader* t2 = nullptr, const TObjectHeader* t3 = nullptr,
                      const TObjectHeader* t4 = nullptr);

// The Simplify dialog's line for a candidate of the polygon finder: the
// edges at the given ordinals (-1: none) of the boundary surface at the
// index, in the short form. 0 with the text untouched when the surface or
// an edge the subtype names does not exist, or in quiet mode.
int DescribePolygonMove(TString& text, TSpine& spine, int subtype, int surfaceIndex, int p1, int p2, int p3,
                        int p4);

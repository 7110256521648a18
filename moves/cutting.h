// Cutting along a 2-cell (move type 8).
//
// A cell with two free arcs meets the boundary of the thickening twice; a
// band across the cell from one free arc to the other is a properly embedded
// disc of the manifold (the strip, the quadrangle along a chord between the
// two arcs). Cutting along that disc either splits the spine into two
// components, or cuts off a copy of S^2 x S^1 (the disc does not separate
// and its boundary lay on a sphere, which now becomes two), or compresses a
// torus into a sphere: the manifold loses a solid torus whose meridian is the
// disc's boundary, recorded in the labeled molecule with the meridian's
// coordinates on that torus.
#pragma once

class TSpine;
class TString;

// CutAlongCell (move_families.h) as the last step of another move: the
// objects keep that move's creation tag and no log entry is made.
int CutAlongCellWithinMove(TSpine& spine, int cellPosition, TString* text);

// 278-281 with the cell name and, for 281, the meridian's coordinates;
// nothing in quiet mode.
void ReportCutting(TString& text, int messageId, const char* cellName, int x, int y);

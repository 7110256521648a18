// Cutting along a normal torus (move type 10).
//
// A normal surface F of a special spine is given by its plate counts: k_c
// parallel copies (plates) of each 2-cell c in the thickening, glued near
// every edge E in arcs: with x_0, x_1, x_2 the plate counts of E's three
// wings, (x_a + x_b - x_c)/2 nested arcs turn into the corner between wings
// a and b, the plates nearest that corner outermost. Cutting the thickened
// spine along F splits each thick cell with k plates into k + 1 layers, each
// a thick cell of its own whose new copies are the plates' two sides; at E
// the layers meet in regions: one between each two neighbouring arcs of a
// corner (an edge of valency 2), and the central one (valency 3). The two
// sides of F become two new boundary tori: the first gets coordinate curves,
// the second the same curves with the first (meridian) reversed, as seen
// from the other side. The labeled molecule records the cut.
//
// Cost: linear in the spine and in the plates.
#pragma once

#include <cstdint>
#include <vector>

class TSpine;
class TString;

// Cuts along the surface of the plate vector (one count per 2-cell, in cell
// order). Returns the separation flag of the molecule (2 when the torus does
// not separate), or 0 with nothing changed when the spine is not thickened,
// the vector has the wrong length or is 0, or the counts fail the edge
// equations (an odd or negative arc count somewhere). With a report text,
// 306 (flag 2) or 307 with the vector written as "{k0,k1,...}". Nothing is
// logged: the move's count is the caller's.
int CutAlongNormalTorusPlates(TSpine& spine, const std::vector<std::uint8_t>& plates, TString* text);

// The cutting as a move of the Simplify dialog (type 10): objects made carry
// the move's tag, and a cut that happened is logged with its report.
// Returns as CutAlongNormalTorusPlates.
int CutAlongNormalTorusMove(TSpine& spine, const std::vector<std::uint8_t>& plates, TString* text);

// 306 or 307 with the vector; written also in quiet mode.
void ReportNormalTorusCutting(TString& text, const std::vector<std::uint8_t>& plates, int separationFlag);

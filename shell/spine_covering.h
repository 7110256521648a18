// Whether one special spine covers another.
//
// A covering of degree d of a special spine B by a special spine A maps the
// cells, edges and vertices of A onto those of B, each of B's being hit d
// times: every 2-cell of A goes onto a 2-cell of B of the same boundary
// length, forward with some rotation or reversed, and the maps of the edges
// and vertices that the cells induce agree along every edge and vertex.
// Since a special spine has twice as many edges as vertices, the degree is
// V_A / V_B, and the cell counts must be in the same ratio.
#pragma once

#include <atomic>
#include <vector>

#include "foundation/output.h"
#include "model/spine.h"

// Decides by exhaustive search whether the preimage covers the image. Both
// spines are renumbered first (objects 1, 2, ... per kind, names dropped).
// On success appends the renumbered spines and the maps of the edges,
// vertices and cells of the preimage, copies the images of the first V_B
// vertices into *vertexMap when given, and returns 1. Otherwise appends
// "\r\n\r\nFailure!\r\n" and returns 0. The search is exponential in the
// number of cells; it ends early (with 0) when the stop flag is set.
int IsCoveringFor(TSpine& preimage, TSpine& image, TOutput& output,
                  std::vector<int>* vertexMap = nullptr,
                  const std::atomic<int>* stopFlag = nullptr);

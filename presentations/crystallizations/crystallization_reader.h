// Reading a crystallization from a document text.
#pragma once

#include "foundation/int_matrix.h"
#include "model/spine.h"

// Reads the crystallization code in the first line of the text into a 3 x n
// graph and checks that it represents a closed 3-manifold. Returns 1 on
// success. Otherwise returns 0, leaves the graph unchanged and reports why
// through the status reporter, naming the line and the code: the line is no
// crystallization code, or a residue of the graph is not a sphere.
int ReadCrystallizationCode(const char* text, TIntMatrix& graph);

// Reads the code (ReadCrystallizationCode) and builds its spine into the given
// spine (BuildCrystallizationSpine). A refused code leaves the spine empty.
// Returns 1 when the spine is not empty afterwards.
int LoadCrystallization(TSpine& spine, const char* text);

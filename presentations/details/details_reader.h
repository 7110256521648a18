// The details text: the reader of a TDetailsDescription (model/details_description.h).
//
// The text format:
//
//   Details:
//   D1 = 1: D2_3 {1 3 2} 2: D1_4 {2 1 3} ...
//
// After the keyword "Details" (optionally followed by ":") come items: a
// detail name, "=", and gluings. A gluing "k: P_m {a b c}" glues face k of
// this detail (faces are written 1..4) to face m of detail P, position i of
// face k going to position (digit i) - 1 of face m. A partner may be named
// before its own item. Comments ("%" to the line end, "%%" blocks) may stand
// wherever blanks may.
//
// The reader stops at the first error and reports it under the heading
// "Detail representation error : " with the line where reading stopped; the
// type of the last error is kept in DetailsErrorCode.
#pragma once

#include <cstddef>

#include "model/details_description.h"

// Reads the whole text into details of the description; when reading
// succeeded, returns description.CheckComplete(mode), else 0 after reporting
// the error. Details read before an error stay in the description; the detail
// of the failed item is removed (and no other detail keeps a gluing to it).
int ParseDetails(TDetailsDescription& description, const char* text, int mode);

// 1 when the text, after blanks and comments, begins with "Details" (exact
// case). Status messages are suppressed during the test.
int IsDetailsText(const char* text);

// 1 plus the number of line feeds before the position.
unsigned LineNumberAt(const char* text, std::size_t position);

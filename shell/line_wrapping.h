// Wrapping of long lines, for reading a document in a narrow window.
#pragma once

#include <string_view>

#include "foundation/output.h"

// Appends the text with every line longer than 90 characters cut into pieces
// of at most 90. A piece ends before the last place, within its first 90
// characters and not at its start, of the first of the characters
//   blank tab { \ . , ; [ ] } ( ) + - = / $ _
// that occurs there, else after 90 characters; the line goes on at that
// character, or after it when it is a blank or a tab. Every line ends with
// CR LF.
void WrapTextLines(TOutput& output, std::string_view text);

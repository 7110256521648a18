// The prepared copy of a document text that the recognisers and readers of
// the triangulation notations work on: comments overwritten by blanks, then
// leading and trailing blanks dropped and every inner run of blanks, tabs and
// line ends made one space; optionally lower-cased.
#pragma once

#include <string>
#include <string_view>

std::string PreparedText(std::string_view text, bool lowerCase = false);

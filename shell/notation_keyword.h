// Texts that begin with a notation's keyword but are no text of it.
//
// Every text that no notation's recogniser accepts is read as a cell
// presentation, and nearly any text is one: "link code 1 -2 end" without its
// "end", or "facets [[1,2,3,4]" too short for the facets recogniser, become
// complexes of one cell. A text that opens with a keyword meant another
// notation, so the cell reader refuses it and says which rule it broke.
#pragma once

#include <optional>
#include <string>

// When the text (comments and blanks skipped, any letter case) begins with
// the keyword of a notation that has a keyword, the refusal naming the keyword
// and the rule of its recogniser; else nothing. Call it only for texts that
// no recogniser accepted.
std::optional<std::string> MisreadNotationKeyword(const char* text);

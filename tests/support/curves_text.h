// The boundary-curves text the hyperbolic volume engine reads, from a
// document text.
#pragma once

#include <string>

// The boundary curves of the spine a document text (a signature) gives; ""
// when the text does not parse.
std::string CurvesTextOf(const char* documentText);

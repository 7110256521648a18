// Classes of file names that a series can be given, by their extension
// (compared without regard to case): 1 ".SERIES" (a list of spine files),
// 2 ".GEM" (crystallizations), 3 ".GRAPH" (graph codes), 0 anything else.
// A name no longer than the extension never matches it.
#pragma once

#include <string_view>

unsigned ClassifySeriesFileName(std::string_view name);

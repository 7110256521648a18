// Fuzz targets of the document readers.
//
// A target takes arbitrary bytes as a document text and reads it as the view
// would: one target per notation (the notation's reader forced, after its
// recogniser accepted the text) and one for the whole parse (reader dispatch,
// spine build, thickening, homology). What a reader accepts is then checked
// where that is cheap: the spine passes the consistency check, and texts the
// workbench writes from the spine read back to the same spine. One more
// target reads the bytes as a binary table file.
//
// A failed check aborts with a message on standard error, so that a fuzzer
// (or the replay test) reports the input.
#pragma once

#include <span>
#include <string_view>

struct TFuzzTarget {
  const char* name;  // also the folder of its seed corpus and dictionary
  void (*run)(std::string_view input);
};

std::span<const TFuzzTarget> FuzzTargets();
// Null when there is no target of that name.
const TFuzzTarget* FindFuzzTarget(std::string_view name);

// Puts the process into the state a fresh view has (no message-box handler,
// object names on, an empty message log), so that an input does the same
// whatever ran before it. Called before every input.
void PrepareFuzzing();

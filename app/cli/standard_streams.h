// Writing the program's output so that a failed write is noticed.
//
// A report written into a full disk, a closed descriptor or a broken pipe must
// not end with status 0: the caller would take the missing text for an
// answer. Everything for standard output goes through WriteStandardOutput,
// which writes all of it or says why not.
#pragma once

#include <string>
#include <string_view>

// Writes the whole text to standard output (file descriptor 1, unbuffered).
// Returns an empty string on success, else the reason (strerror).
std::string WriteStandardOutput(std::string_view text);

// Writes the text to standard error; failures there cannot be reported and
// are ignored.
void WriteStandardError(std::string_view text);

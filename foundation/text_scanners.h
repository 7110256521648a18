// Small scanners over document texts: integers, parenthesised quadruples,
// keywords spelled with blanks, and named values such as "reduce=2".
//
// Integers are 32-bit and range-checked: a number outside the int range is
// never wrapped or clipped. ParseInteger then fails like any other bad token
// (callers report the token); ParseIntegerChecked tells the two failures apart.
#pragma once

enum class TIntegerScan { Ok, NoNumber, OutOfRange };

// Skips " \t\n\r", then reads a decimal integer with an optional sign. On
// success writes the value, sets end past the sign and the digits and returns
// Ok. Without digits there returns NoNumber; when the number does not fit in
// an int returns OutOfRange and sets end past the digits (so a caller can name
// the token). result is written only on success.
TIntegerScan ParseIntegerChecked(int& result, const char*& end, const char* text);

// The same as 1 (a number was read) or 0 (no number, or out of range: nothing
// is written then).
int ParseInteger(int& result, const char*& end, const char* text);
int ParseInteger(int& result, char*& end, char* text);

// Reads "(a b c d)" where the integers are separated by runs of " \t," (and
// " \t,)(" between the second and the third), so "(1, 0, 0, 1)", "(1 0 0 1)"
// and "(1, 0), (0, 1)" are all accepted. Blanks may precede the "(" and the
// ")". On success writes result[0..3], sets end past the ")" and returns 1;
// otherwise returns 0 and writes nothing.
int ParseQuadruple(int* result, const char*& end, const char* text);

// 1 when the text, with spaces skipped before each character and compared
// without regard to case, spells the keyword; end is then set after the match
// and any " \t" that follows. An empty keyword gives 0.
int MatchKeywordIgnoringBlanks(const char* keyword, const char* text, const char*& end);

// Finds the first occurrence of name (case-sensitive) in the text, skips
// " \t=:" after it and reads an integer there (ParseInteger). With wholeText 0
// only the first line (up to the first CR or LF) is searched and read. Returns
// ParseInteger's result (0 when the name is absent). The text is not changed.
int FindNamedInteger(int& result, const char* name, const char* text, int wholeText);

// The alphabet and numbers of isomorphism signatures.
//
// A signature is written in 64 characters, one 6-bit value each: a..z for
// 0-25, A..Z for 26-51, 0..9 for 52-61, "+" for 62 and "-" for 63. A number
// written with d characters is written least significant 6 bits first.
//
// The size of a triangulation of n tetrahedra opens the signature: one
// character n when n <= 62; otherwise "-", one character b (the number of
// 6-bit digits of n) and n in b characters. Every tetrahedron number later in
// the signature is written with the same b characters (b = 1 for n <= 62).
#pragma once

#include <cstdint>
#include <string>

// Largest digit count accepted after "-": five digits (30 bits) keep every
// tetrahedron number within an int.
inline constexpr int kMaxIsoSigDigits = 5;

// The character of a 6-bit value; '?' for a value outside 0..63.
char IsoSigChar(int value);
// Appends the character of a 6-bit value (value taken modulo 64).
void WriteIsoSigChar(std::string& text, int value);
// The value of a character: 1 and the value, or 0 (value untouched) for a
// character outside the alphabet.
int ReadIsoSigChar(char c, int& value);

// The number of 6-bit digits of v; 0 for 0.
int Base64DigitCount(std::uint64_t v);
// Appends value in d characters, least significant first (higher bits of
// value beyond 6d are dropped).
void WriteIsoSigNumber(std::string& text, std::uint64_t value, int d);
// Reads a number of d characters from text. 1 and the value on success; 0
// (value untouched) when a character is outside the alphabet or the text ends
// first, or when d is not 1..kMaxIsoSigDigits.
int ReadIsoSigNumber(std::uint64_t& value, const char* text, int d);

// The length of the signature of a closed triangulation of n tetrahedra
// (n - 1 gluings to new tetrahedra and n + 1 to reached ones):
// (n <= 62 ? 1 : b + 2) + ceil(2n/3) + b(n + 1) + (n + 1). 0 for n < 1.
std::uint64_t IsoSignatureLength(std::uint64_t n);

// Reads the size at the start of a signature. On success returns n and sets
// digits (b) and consumed (the characters of the size); returns -1 when the
// size cannot be read or is 0.
long IsoSignatureSize(const char* text, int& digits, int& consumed);
// n read from the start of a signature; -1 when it cannot be read or is 0.
long IsoSignatureTetrahedronCount(const char* text);

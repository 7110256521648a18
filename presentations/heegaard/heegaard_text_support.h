// Helpers shared by the readers of the two Heegaard diagram notations: the
// keyword test of their recognisers, the description of a read error (the
// offending token and its line), and the string-table ids of their messages
// and report captions.
#pragma once

#include <cstddef>
#include <string>

#include "presentations/heegaard/heegaard_diagram.h"

// Reader messages; each text takes the line (%d) and the token (%s).
inline constexpr int kHeegaardTextTooShort = 9400;
inline constexpr int kHeegaardNumberExpected = 9401;
inline constexpr int kHeegaardNumberOutOfRange = 9402;
inline constexpr int kHeegaardTooManyEnds = 9403;
inline constexpr int kHeegaardInvalid = 9404;
inline constexpr int kHeegaardNoArcs = 9405;
inline constexpr int kHeegaardStarRefused = 9406;
inline constexpr int kExtHeegaardTextTooShort = 9410;
inline constexpr int kExtHeegaardNumberExpected = 9411;
inline constexpr int kExtHeegaardNumberOutOfRange = 9412;
inline constexpr int kExtHeegaardArcCountNotPositive = 9413;
inline constexpr int kExtHeegaardParityBroken = 9414;
inline constexpr int kExtHeegaardTwistOutOfRange = 9415;
// The token named when the text ends where a number was expected.
inline constexpr int kHeegaardEndOfText = 9409;

// Report captions (those that the report follows with a blank are kept
// without it, so that no text of the table ends in a blank).
inline constexpr int kHeegaardSourceDiagram = 9420;
inline constexpr int kHeegaardCurvesNumbered = 9421;
inline constexpr int kHeegaardCurves = 9422;
inline constexpr int kHeegaardLoopOnDual = 9423;
inline constexpr int kHeegaardDualDiagram = 9424;
inline constexpr int kHeegaardDualNone = 9425;
inline constexpr int kHeegaardAfterChangeMeridians = 9426;
inline constexpr int kHeegaardNone = 9427;
inline constexpr int kExtHeegaardAfterMeridianMoves = 9429;
inline constexpr int kExtHeegaardUnable = 9430;
inline constexpr int kExtHeegaardEvenViolation = 9431;
inline constexpr int kExtHeegaardWrongCurveCount = 9432;
inline constexpr int kExtHeegaardDualLoop = 9433;

// 1 when the text, with at most its first 1023 characters considered, comments
// blanked and white space collapsed, begins with the keyword in any letter
// case (a prefix test).
int TextBeginsWithKeyword(const char* text, const char* keyword);

// Fills the error (when given) with the message id, the token that starts at
// the offset of the text (up to the next blank, parenthesis or comma, at
// most 32 characters; the end-of-text name when the text ends there) and the token's line.
void SetTextReadError(THeegaardReadError* error, int messageId, const char* text,
                      std::ptrdiff_t offset);

// The offset of the first character of the text that is neither blank nor
// comment (where a notation's keyword stands).
std::ptrdiff_t FirstTokenOffset(const char* text);

// Shows the error as a status text ("line" and token formatted into the
// message), so that the report of an empty spine names it.
void ReportHeegaardReadError(const THeegaardReadError& error);

// The string-table text of an id ("" when the table lacks it).
std::string HeegaardText(int id);

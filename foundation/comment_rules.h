// The comment rules of every text the program reads.
//
// "%%" anywhere opens a block comment that runs to the end of the next "%%"
// after it, or to the end of the text when none follows; a "%" that does not
// open a block starts a line comment that runs up to (not including) the next
// CR or LF. Blanks are " \t\v\n\r". The markers are the string-table texts 151
// ("%", line comment), 153 ("%%", block opening) and 154 ("%%", block closing).
//
// Format recognisers and readers work on a copy of the document text in which
// every comment has been overwritten by blanks (BlankOutComments), so that
// positions in the copy are positions in the document.
#pragma once

#include <cstddef>

// 1 when a comment marker starts at the position: type 0 or 1 a line or block
// marker, type 2 a block marker only. The position must lie within the text
// (at most at its terminating NUL).
int IsCommentStart(const char* text, std::size_t position, int type);

// When a comment starts at the position, moves the position past it (a block:
// past its closing marker or to the end of the text; a line comment: to the
// next CR or LF or the end) and returns 1; otherwise returns 0 and leaves the
// position unchanged.
int SkipComment(const char* text, std::size_t& position);

// Skips blanks and comments, alternately, until neither follows or the text
// ends. Returns the number of characters skipped.
std::size_t SkipBlanksAndCommentsAt(const char* text, std::size_t& position);
// The same on a cursor into text.
std::size_t SkipBlanksAndComments(const char* text, const char*& cursor);

// Overwrites every comment of the text with blanks, in place. Line breaks that
// end line comments stay, so positions and line numbers outside block comments
// are unchanged; a block comment is blanked whole, its line breaks included.
void BlankOutComments(char* text);

// Copies source (destination itself when source is null) to destination with
// leading and trailing blanks removed and every inner run of blanks replaced by
// one space. The destination may be the source; it needs room for the
// source's length plus one. Returns destination.
char* CollapseWhitespace(char* destination, const char* source);

// True for the blank characters " \t\v\n\r".
bool IsBlankCharacter(char c);

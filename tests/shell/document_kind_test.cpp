// Which reader takes a document: a text with cell entries is read as cells,
// however much its first word looks like another notation's code.
#include <gtest/gtest.h>

#include <string>

#include "shell/document_readers.h"

namespace {

struct TKindCase {
  const char* text;
  const char* notation;
};

// "bottom" and "bkaajn" both have the length of a one-tetrahedron signature.
const TKindCase kCases[] = {
    {"bkaajn", "isosig"},
    {"  bkaajn\r\n", "isosig"},
    {"bkaajn % a comment { = }\n", "isosig"},
    {"bottom = { #8, a, a, #8 }\r\ntop = { #8, b }\r\n", "cells"},
    {"% a printed report\r\nbottom = { a b }\r\n", "cells"},
    {"bottom={ a b }", "cells"},
    {"bkaajn = { 1 2 }\n", "cells"},
    {"bkaajn\n{ 1 -2 }\n", "cells"},
    {"Cell #28 = { -#24 }", "cells"},
};

TEST(DocumentKind, CellEntriesAreNeverTakenForASignature) {
  for (const TKindCase& c : kCases)
    EXPECT_STREQ(ReaderForText(c.text).notation, c.notation) << c.text;
}

}  // namespace

// The program's string table: numbered texts (messages, captions, report
// formats) kept in resources/strings/*.txt as lines "id<TAB>text" and compiled
// into the library. Texts may use the C escapes \r \n \t \\ and \".
// Lines that do not start with a digit (blank lines, "#" notes) are ignored.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The text with this id, or nothing when the table has no such id.
// Thread-safe; the table is read once, on first use.
std::optional<std::string_view> StringTableText(int id);

// Ids that occur more than once in the resources (the later text wins).
// Empty in a correct build; the tests check it.
const std::vector<int>& StringTableDuplicateIds();

// Lines of the string-table files that could not be read as "id<TAB>text".
const std::vector<std::string_view>& StringTableMalformedLines();

// A settings file in INI form: "[Section]" lines, "key=value" entries,
// comment lines starting with ';' or '#', blank lines.
//
// The file is shared with the desktop program, which reads and writes it in the
// same form, and holds sections that the caller does not know (the recent-file
// list, say). So the file is kept line by line: changing one value rewrites that
// one line, and every other line, including lines that are not valid INI, is
// written back exactly as it was read. Sections and keys are matched exactly,
// case included; when a key occurs twice in a section the later entry counts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A line of the file that is not INI, kept and reported by its number (from 1).
struct TIniDiagnostic {
  std::size_t line = 0;
  std::string message;
};

class TIniFile {
 public:
  struct TValue {
    std::string_view value;  // without the blanks around it; valid until the next change
    std::size_t line = 0;    // 1-based
  };

  TIniFile() = default;

  // An entry of a section, in the order of the file.
  struct TEntry {
    std::string_view key;
    std::string_view value;  // without the blanks around it
    std::size_t line = 0;    // 1-based
  };

  // Reads the text of a file; LF, CR LF and CR line ends and a leading UTF-8
  // byte order mark are accepted. Never fails: malformed lines are kept
  // verbatim and listed in Diagnostics(), as are section headers that hold a
  // bracket in their name ("[Options]]"). The lines are quoted short, with
  // control bytes escaped (shell/quoted_text.h).
  explicit TIniFile(std::string_view text);

  // Every entry of a section, duplicates included; valid until the next change.
  std::vector<TEntry> Entries(std::string_view section) const;

  // The value of a key in a section, or nothing.
  std::optional<TValue> Find(std::string_view section, std::string_view key) const;

  // Sets a key: rewrites its entry when it exists, otherwise adds the entry at
  // the end of the section, adding the section at the end of the file when the
  // file has none of that name. Precondition: no argument holds a line break,
  // the key holds no '=' and does not begin with '[', ';' or '#', and the
  // section name holds no ']'.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The whole file, lines ended with LF.
  std::string Text() const;

  const std::vector<TIniDiagnostic>& Diagnostics() const { return diagnostics_; }

 private:
  enum class TLineKind { Other, Section, Entry };
  struct TLine {
    std::string text;
    TLineKind kind = TLineKind::Other;
    std::string section;  // the section the line lies in (its own name for a header)
    std::string key;
    std::string value;
  };

  std::vector<TLine> lines_;
  std::vector<TIniDiagnostic> diagnostics_;
};

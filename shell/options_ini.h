// The settings in the profile: section "Options" of the settings file.
//
// At start-up the settings are read over the current values (a key that is
// missing, or whose value is not an integer in its range, keeps the current
// value and the latter is reported); at exit they are written back. Only the
// keys that the current menu mode stores are read and written, so a run in
// the reduced command set leaves the other keys of the file as they were.
// `MaxAllVariantsTime` is held in milliseconds and stored in seconds.
//
// Writing keeps every other line of the file and replaces the file only once
// the new text is completely on disk, so a failed write loses nothing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "shell/ini_file.h"
#include "shell/options.h"

// The name of the profile section of the settings.
inline constexpr std::string_view kOptionsSection = "Options";

// What a read or a write of the settings file found.
struct TProfileReport {
  bool ok = true;      // false: the file could not be read or written (see error)
  std::string error;   // names the file
  std::vector<TIniDiagnostic> diagnostics;  // lines and values that were not used
};

// The settings file of the user: $XDG_CONFIG_HOME/Sorvelin/Sorvelin.ini, else
// $HOME/.config/Sorvelin/Sorvelin.ini; empty when neither variable is set.
std::filesystem::path DefaultProfilePath();

// Reads the keys stored in this menu mode from section "Options" over the
// values. Returns, by line, the values that were not used (not an integer, too
// large, out of range), the keys that are no option key and the keys set more
// than once (the last entry counts).
std::vector<TIniDiagnostic> ReadOptionsSection(const TIniFile& file, int menuMode,
                                               TOptionValues& values);

// Writes the keys stored in this menu mode, in key order, into section "Options".
void WriteOptionsSection(TIniFile& file, int menuMode, const TOptionValues& values);

// Reads the settings file. A file that does not exist yet is no error (the
// values stay as they are); a file that exists but cannot be read, or holds
// NUL bytes, is one, and then nothing is changed. The diagnostics come by line.
TProfileReport LoadOptionsProfile(const std::filesystem::path& path, int menuMode,
                                  TOptionValues& values);

// Writes the settings into the file, creating it and its folder when needed
// and keeping everything else the file holds. When the existing file cannot be
// read, it is not overwritten.
TProfileReport SaveOptionsProfile(const std::filesystem::path& path, int menuMode,
                                  const TOptionValues& values);

#include "shell/options_ini.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

#include "shell/quoted_text.h"
#include "shell/string_text.h"

namespace {

constexpr int kNotIntegerText = 9131;
constexpr int kOutOfRangeText = 9132;
constexpr int kUnreadableText = 9133;
constexpr int kUnwritableText = 9134;
constexpr int kTooLargeText = 9139;
constexpr int kUnknownKeyText = 9140;
constexpr int kDuplicateKeyText = 9141;
constexpr int kNotTextText = 9143;

// Reads a whole file. Nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

// Writes beside the file and renames over it, so that the old file stays whole
// until the new one is.
bool ReplaceFile(const std::filesystem::path& path, const std::string& text) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  std::filesystem::path temporary = path;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace

std::filesystem::path DefaultProfilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path folder;
  if (config != nullptr && *config != '\0') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    folder = std::filesystem::path(home) / ".config";
  }
  return folder / "Sorvelin" / "Sorvelin.ini";
}

std::vector<TIniDiagnostic> ReadOptionsSection(const TIniFile& file, int menuMode,
                                               TOptionValues& values) {
  std::vector<TIniDiagnostic> diagnostics;
  // Keys that are no option and keys set twice: the desktop program writes
  // each key once, so either is a slip of a hand that edited the file.
  std::map<std::string_view, std::size_t> firstLines;
  for (const TIniFile::TEntry& entry : file.Entries(kOptionsSection)) {
    if (FindOptionKey(entry.key) == nullptr) {
      diagnostics.push_back({entry.line, FormatStringText(kUnknownKeyText, entry.line,
                                                          QuotedText(entry.key))});
      continue;
    }
    auto [first, inserted] = firstLines.try_emplace(entry.key, entry.line);
    if (!inserted) {
      diagnostics.push_back({entry.line, FormatStringText(kDuplicateKeyText, entry.line,
                                                          entry.key, first->second)});
      first->second = entry.line;
    }
  }
  for (const TOptionKey& key : OptionKeys()) {
    if (!OptionKeyStoredInMenuMode(key, menuMode)) continue;
    const std::optional<TIniFile::TValue> entry = file.Find(kOptionsSection, key.name);
    if (!entry) continue;
    bool tooLarge = false;
    const std::optional<std::int64_t> value = ParseOptionInteger(entry->value, &tooLarge);
    const std::string quoted = QuotedText(entry->value);
    if (tooLarge) {
      diagnostics.push_back({entry->line, FormatStringText(kTooLargeText, entry->line, quoted,
                                                           key.name, key.minimum, key.maximum)});
    } else if (!value) {
      diagnostics.push_back(
          {entry->line, FormatStringText(kNotIntegerText, entry->line, quoted, key.name)});
    } else if (!SetOptionProfileValue(values, key, *value)) {
      diagnostics.push_back(
          {entry->line, FormatStringText(kOutOfRangeText, entry->line, key.name, quoted,
                                         key.minimum, key.maximum)});
    }
  }
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const TIniDiagnostic& a, const TIniDiagnostic& b) { return a.line < b.line; });
  return diagnostics;
}

void WriteOptionsSection(TIniFile& file, int menuMode, const TOptionValues& values) {
  for (const TOptionKey& key : OptionKeys()) {
    if (!OptionKeyStoredInMenuMode(key, menuMode)) continue;
    file.Set(kOptionsSection, key.name, std::to_string(OptionProfileValue(values, key)));
  }
}

TProfileReport LoadOptionsProfile(const std::filesystem::path& path, int menuMode,
                                  TOptionValues& values) {
  TProfileReport report;
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return report;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) {
    report.ok = false;
    report.error = FormatStringText(kUnreadableText, path.string());
    return report;
  }
  // A settings file is text; a NUL byte means another kind of file, whose
  // every line would be a complaint.
  if (text->find('\0') != std::string::npos) {
    report.ok = false;
    report.error = FormatStringText(kNotTextText, path.string());
    return report;
  }
  const TIniFile file(*text);
  report.diagnostics = file.Diagnostics();
  std::vector<TIniDiagnostic> unused = ReadOptionsSection(file, menuMode, values);
  report.diagnostics.insert(report.diagnostics.end(), unused.begin(), unused.end());
  std::stable_sort(report.diagnostics.begin(), report.diagnostics.end(),
                   [](const TIniDiagnostic& a, const TIniDiagnostic& b) { return a.line < b.line; });
  return report;
}

TProfileReport SaveOptionsProfile(const std::filesystem::path& path, int menuMode,
                                  const TOptionValues& values) {
  TProfileReport report;
  if (path.empty()) {
    report.ok = false;
    report.error = FormatStringText(kUnwritableText, std::string());
    return report;
  }
  std::error_code error;
  TIniFile file;
  if (std::filesystem::exists(path, error) || error) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
      report.ok = false;
      report.error = FormatStringText(kUnreadableText, path.string());
      return report;
    }
    file = TIniFile(*text);
  }
  WriteOptionsSection(file, menuMode, values);
  if (!ReplaceFile(path, file.Text())) {
    report.ok = false;
    report.error = FormatStringText(kUnwritableText, path.string());
  }
  return report;
}

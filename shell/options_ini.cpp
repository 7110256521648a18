#include "shell/options_ini.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "shell/string_text.h"

namespace {

constexpr int kNotIntegerText = 9131;
constexpr int kOutOfRangeText = 9132;
constexpr int kUnreadableText = 9133;
constexpr int kUnwritableText = 9134;

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
  for (const TOptionKey& key : OptionKeys()) {
    if (!OptionKeyStoredInMenuMode(key, menuMode)) continue;
    const std::optional<TIniFile::TValue> entry = file.Find(kOptionsSection, key.name);
    if (!entry) continue;
    const std::optional<std::int64_t> value = ParseOptionInteger(entry->value);
    if (!value) {
      diagnostics.push_back(
          {entry->line, FormatStringText(kNotIntegerText, entry->line, entry->value, key.name)});
    } else if (!SetOptionProfileValue(values, key, *value)) {
      diagnostics.push_back(
          {entry->line, FormatStringText(kOutOfRangeText, entry->line, key.name, entry->value,
                                         key.minimum, key.maximum)});
    }
  }
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
  const TIniFile file(*text);
  report.diagnostics = file.Diagnostics();
  std::vector<TIniDiagnostic> unused = ReadOptionsSection(file, menuMode, values);
  report.diagnostics.insert(report.diagnostics.end(), unused.begin(), unused.end());
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

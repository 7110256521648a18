#include "shell/ini_file.h"

#include "shell/quoted_text.h"
#include "shell/string_text.h"

namespace {

constexpr int kMalformedLineText = 9130;
constexpr int kStrayBracketText = 9142;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

TIniFile::TIniFile(std::string_view text) {
  // Files put together from pieces that each had a byte order mark can start
  // with several; none of them is text of the first line.
  while (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::string section;
  while (!text.empty()) {
    // A line ends at LF, CR LF or a lone CR (files from old editors).
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view raw = text.substr(0, end);
    std::size_t next = text.size();
    if (end != std::string_view::npos) {
      next = end + 1;
      if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    }
    text.remove_prefix(next);

    TLine line;
    line.text = std::string(raw);
    const std::size_t number = lines_.size() + 1;
    const std::string_view trimmed = TrimBlanks(raw);
    const std::size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
      // blank or comment
    } else if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
      section = std::string(TrimBlanks(trimmed.substr(1, trimmed.size() - 2)));
      line.kind = TLineKind::Section;
      // "[Options]]" names a section "Options]" that nobody reads.
      if (section.find_first_of("[]") != std::string::npos) {
        diagnostics_.push_back(
            {number, FormatStringText(kStrayBracketText, number, QuotedText(trimmed))});
      }
    } else if (equals != std::string_view::npos && !TrimBlanks(trimmed.substr(0, equals)).empty()) {
      line.kind = TLineKind::Entry;
      line.key = std::string(TrimBlanks(trimmed.substr(0, equals)));
      line.value = std::string(TrimBlanks(trimmed.substr(equals + 1)));
    } else {
      diagnostics_.push_back({number, FormatStringText(kMalformedLineText, number,
                                                       QuotedText(trimmed))});
    }
    line.section = section;
    lines_.push_back(std::move(line));
  }
}

std::vector<TIniFile::TEntry> TIniFile::Entries(std::string_view section) const {
  std::vector<TEntry> entries;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TLine& line = lines_[i];
    if (line.kind == TLineKind::Entry && line.section == section) {
      entries.push_back({line.key, line.value, i + 1});
    }
  }
  return entries;
}

std::optional<TIniFile::TValue> TIniFile::Find(std::string_view section,
                                               std::string_view key) const {
  for (std::size_t i = lines_.size(); i-- > 0;) {
    const TLine& line = lines_[i];
    if (line.kind == TLineKind::Entry && line.section == section && line.key == key) {
      return TValue{line.value, i + 1};
    }
  }
  return std::nullopt;
}

void TIniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  for (std::size_t i = lines_.size(); i-- > 0;) {
    TLine& line = lines_[i];
    if (line.kind == TLineKind::Entry && line.section == section && line.key == key) {
      line.value = std::string(value);
      line.text = line.key + "=" + line.value;
      return;
    }
  }

  TLine entry;
  entry.kind = TLineKind::Entry;
  entry.section = std::string(section);
  entry.key = std::string(key);
  entry.value = std::string(value);
  entry.text = entry.key + "=" + entry.value;

  // After the last non-blank line of the section, so that the blank line that
  // separates it from the next section stays in place. Entries before the
  // first header form the unnamed section.
  std::optional<std::size_t> after;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].section == section && !TrimBlanks(lines_[i].text).empty()) after = i;
  }
  if (after.has_value() || section.empty()) {
    const std::size_t position = after.has_value() ? *after + 1 : 0;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
    return;
  }

  if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) {
    TLine blank;
    blank.section = lines_.back().section;
    lines_.push_back(std::move(blank));
  }
  TLine header;
  header.kind = TLineKind::Section;
  header.section = std::string(section);
  header.text = "[" + header.section + "]";
  lines_.push_back(std::move(header));
  lines_.push_back(std::move(entry));
}

std::string TIniFile::Text() const {
  std::string text;
  for (const TLine& line : lines_) {
    text += line.text;
    text += '\n';
  }
  return text;
}

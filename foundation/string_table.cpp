#include "foundation/string_table.h"

#include <charconv>
#include <string>
#include <unordered_map>

#include "foundation/embedded_resources.h"

namespace {

struct TStringTable {
  std::unordered_map<int, std::string> texts;
  std::vector<int> duplicates;
  std::vector<std::string_view> malformed;
};

std::string Unescape(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c != '\\' || i + 1 == raw.size()) {
      text += c;
      continue;
    }
    char next = raw[++i];
    switch (next) {
      case 'r': text += '\r'; break;
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      case '\\': text += '\\'; break;
      case '"': text += '"'; break;
      default: text += '\\'; text += next; break;
    }
  }
  return text;
}

void ReadTableFile(std::string_view contents, TStringTable& table) {
  while (!contents.empty()) {
    std::size_t end = contents.find('\n');
    std::string_view line = contents.substr(0, end);
    contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] < '0' || line[0] > '9') continue;
    int id = 0;
    auto [after, error] = std::from_chars(line.data(), line.data() + line.size(), id);
    if (error != std::errc() || after == line.data() + line.size() || *after != '\t') {
      table.malformed.push_back(line);
      continue;
    }
    std::string_view raw(after + 1, line.data() + line.size() - (after + 1));
    auto [position, inserted] = table.texts.insert_or_assign(id, Unescape(raw));
    (void)position;
    if (!inserted) table.duplicates.push_back(id);
  }
}

const TStringTable& Table() {
  static const TStringTable table = [] {
    TStringTable result;
    for (const TEmbeddedResource& resource : EmbeddedResources()) {
      std::string_view name = resource.name;
      if (resource.data == nullptr || name.rfind("strings/", 0) != 0) continue;
      ReadTableFile(std::string_view(reinterpret_cast<const char*>(resource.data), resource.size),
                    result);
    }
    return result;
  }();
  return table;
}

}  // namespace

std::optional<std::string_view> StringTableText(int id) {
  const auto& texts = Table().texts;
  auto found = texts.find(id);
  if (found == texts.end()) return std::nullopt;
  return std::string_view(found->second);
}

const std::vector<int>& StringTableDuplicateIds() { return Table().duplicates; }

const std::vector<std::string_view>& StringTableMalformedLines() { return Table().malformed; }

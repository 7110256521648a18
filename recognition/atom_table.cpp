#include "recognition/atom_table.h"

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <mutex>

#include "foundation/embedded_resources.h"
#include "foundation/string_table.h"
#include "model/spine.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "recognition/atom_next_description.h"

namespace {

constexpr std::string_view kHead = "%*** ";
constexpr std::string_view kEnd = "%*** End of ";
constexpr int kMaxTori = 5;

// (c, k) of a head name "Q<c>_<n>" or "Q<c>^<k>_<n>"; false when malformed.
bool ParseHeadName(std::string_view name, int& c, int& k) {
  if (name.size() < 4 || name[0] != 'Q') return false;
  std::size_t i = 1;
  auto number = [&](int& out) {
    std::size_t start = i;
    out = 0;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - start < 6) out = out * 10 + (name[i++] - '0');
    return i > start;
  };
  if (!number(c)) return false;
  k = 1;
  if (i < name.size() && name[i] == '^') {
    ++i;
    if (!number(k)) return false;
  }
  int n = 0;
  if (i >= name.size() || name[i] != '_') return false;
  ++i;
  return number(n) && i == name.size();
}

std::string LineError(int line, std::string_view name, const std::string& reason) {
  return "the table of atoms is refused at line " + std::to_string(line) +
         (name.empty() ? "" : " ('" + std::string(name) + "')") + ": " + reason;
}

std::string FormatId(int id, const char* fallback, std::initializer_list<unsigned> values) {
  std::optional<std::string_view> format = StringTableText(id);
  std::string pattern(format ? *format : fallback);
  std::vector<unsigned> v(values);
  char buffer[96];
  int n = 0;
  if (v.size() == 2) n = std::snprintf(buffer, sizeof buffer, pattern.c_str(), v[0], v[1]);
  if (v.size() == 3) n = std::snprintf(buffer, sizeof buffer, pattern.c_str(), v[0], v[1], v[2]);
  return n > 0 ? std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1)) : "";
}

}  // namespace

bool TTableRecord::IsOrientationPreservingSymmetry(int i) const {
  if (i < 0 || i >= SymmetryCount()) return false;
  const std::vector<std::int32_t>& row = symmetries[i];
  if (torusCount <= 2 && row.size() >= 7) {
    // words 3 to 6 are c, d, a, b of the first torus
    return static_cast<std::int64_t>(row[5]) * row[4] - static_cast<std::int64_t>(row[6]) * row[3] == 1;
  }
  return !row.empty() && row[0] == 1;
}

int TTableRecord::AddBoundarySymmetry(int k, const std::vector<std::int32_t>& row) {
  if (row.size() != static_cast<std::size_t>(6 * k + 1) || symmetries.size() > 9999) return 0;
  bool identity = row[0] == 1;
  for (int t = 0; t < k && identity; ++t) {
    const std::int32_t* w = &row[1 + 6 * t];
    identity = w[0] == t && w[2] == 0 && w[3] == 1 && w[4] == 1 && w[5] == 0;
  }
  if (identity) return 0;
  if (std::find(symmetries.begin(), symmetries.end(), row) != symmetries.end()) return 0;
  symmetries.push_back(row);
  if (row[0] != 1) reversingRow = static_cast<int>(symmetries.size()) - 1;
  return 1;
}

void TTableRecord::GetFirstTorusMatrix(std::int32_t out[4]) const {
  if (boundary.size() < 7) {
    out[0] = 1, out[1] = 0, out[2] = 0, out[3] = 1;
    return;
  }
  out[0] = boundary[5], out[1] = boundary[6], out[2] = boundary[3], out[3] = boundary[4];
}

int TTableRecord::BuildSpine(TSpine& spine) const {
  if (!IsUsable()) return 0;
  std::string cells;
  if (nextType == kNextSpine) {
    cells = std::string(spineText);
  } else {
    cells = std::string(text);
  }
  TBoundaryCurvesPresentation presentation;
  if (presentation.Parse(cells.c_str()) == 0) return 0;
  return presentation.BuildSpine(spine) > 0 ? 1 : 0;
}

TAtomTable TAtomTable::FromText(std::string_view text, std::string& error) {
  TAtomTable table;
  error.clear();
  table.first_.assign(kMaxTori + 1, {});
  int line = 0;
  std::size_t at = 0;
  TTableRecord* open = nullptr;
  std::size_t openStart = 0;
  std::string openName;
  int section = 0, complexity = 0;
  auto refuse = [&](int where, std::string_view name, const std::string& reason) {
    error = LineError(where, name, reason);
    table = TAtomTable();
    table.first_.assign(kMaxTori + 1, {});
  };
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view row = text.substr(at, end - at);
    const std::size_t rowStart = at;
    at = end + 1;
    ++line;
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    if (row.rfind(kEnd, 0) == 0) {
      if (open == nullptr) {
        refuse(line, row.substr(kEnd.size()), "an end line without its record");
        return table;
      }
      open->text = text.substr(openStart, std::min(text.size(), at) - openStart);
      open = nullptr;
      continue;
    }
    if (row.rfind(kHead, 0) != 0) {
      if (open != nullptr && row.rfind("%Name=\"", 0) == 0 && open->censusName.empty()) {
        std::string_view quoted = row.substr(7);
        open->censusName = std::string(quoted.substr(0, quoted.find('"')));
      }
      continue;
    }
    if (open != nullptr) {
      refuse(line, openName, "the record before has no end line");
      return table;
    }
    std::string_view rest = row.substr(kHead.size());
    std::string_view name = rest.substr(0, rest.find(' '));
    int c = 0, k = 0;
    if (!ParseHeadName(name, c, k)) {
      refuse(line, name, "the head line does not name a record Q<c>_<n> or Q<c>^<k>_<n>");
      return table;
    }
    if (k < 1 || k > kMaxTori || c < 1) {
      refuse(line, name, "a record needs 1 to 5 tori");
      return table;
    }
    // Sections by the number of tori, complexities non-decreasing within one.
    if (k < section || (k == section && c < complexity)) {
      refuse(line, name, "the records are out of order (tori, then complexity)");
      return table;
    }
    if (k != section || c != complexity) {
      std::vector<int>& first = table.first_[k];
      if (static_cast<int>(first.size()) <= c + 1) first.resize(c + 2, -1);
      first[c] = table.Count();
    }
    section = k;
    complexity = c;
    TTableRecord record;
    record.index = table.Count() + 1;
    record.complexity = c;
    record.torusCount = k;
    record.headLine = line;
    std::string_view signature = rest.size() > name.size() ? rest.substr(name.size() + 1) : std::string_view();
    signature = signature.substr(0, signature.find(' '));
    record.signature = std::string(signature);
    table.records_.push_back(std::move(record));
    open = &table.records_.back();
    openStart = rowStart;
    openName = std::string(name);
  }
  if (open != nullptr) {
    refuse(line, openName, "the last record has no end line");
    return table;
  }
  // The last index of every (k, c), for the ranges.
  table.last_ = table.first_;
  for (const TTableRecord& record : table.records_) {
    table.last_[record.torusCount][record.complexity] = record.index - 1;
  }
  for (TTableRecord& record : table.records_) {
    ReadNextDescriptions(record);
    if (!record.signature.empty()) table.bySignature_.emplace(record.signature, record.index - 1);
  }
  // Type2 descriptions that name a two-torus record point at its index.
  std::unordered_map<std::string, TWordQuintuple> linkKeys;
  for (TTableRecord& record : table.records_) {
    for (TTableRecord* d = record.child.get(); d != nullptr; d = d->child.get()) {
      if (d->nextType == kNextTableName && d->torusCount == 2) {
        // n of the named record; a complexity without two-torus records names none
        const int first = table.FirstIndex(2, d->complexity);
        d->index = first < 0 ? 0 : d->index + first;
      }
      if (d->nextType == kNextLink && d->SymmetryCount() > 0) linkKeys.emplace(d->nameText, d->GetKey());
    }
  }
  for (TTableRecord& record : table.records_) {
    for (TTableRecord* d = record.child.get(); d != nullptr; d = d->child.get()) {
      if (d->nextType != kNextLink) continue;
      auto it = linkKeys.find(d->nameText);
      if (it != linkKeys.end() && !(it->second.index == d->index && it->second.subIndex == d->subIndex)) {
        d->index = it->second.index;
        d->subIndex = it->second.subIndex;
      }
    }
  }
  return table;
}

const TTableRecord* TAtomTable::Record(int i) const {
  return i >= 0 && i < Count() ? &records_[i] : nullptr;
}

const TTableRecord* TAtomTable::FindTableRecord(const TWordQuintuple& key) const {
  const TTableRecord* record = Record(key.index - 1);
  for (; record != nullptr; record = record->Child()) {
    if (record->subIndex == key.subIndex) return record;
  }
  return nullptr;
}

int TAtomTable::FirstIndex(int k, int c) const {
  if (k < 1 || k > kMaxTori || c < 0 || c >= static_cast<int>(first_[k].size())) return -1;
  return first_[k][c];
}

int TAtomTable::TableRangeForComplexity(int c, int k, int& first, int& last) const {
  first = last = -1;
  const int start = FirstIndex(k, c);
  if (start < 0) return 0;
  first = start;
  last = last_[k][c];
  return 1;
}

const TTableRecord* TAtomTable::FindBySignature(std::string_view signature) const {
  auto it = bySignature_.find(std::string(signature));
  return it == bySignature_.end() ? nullptr : &records_[it->second];
}

std::string TAtomTable::FormatAtomName(const TWordQuintuple& key) const {
  const TTableRecord* record = FindTableRecord(key);
  if (record == nullptr) return "";
  std::string name;
  if (key.subIndex == 0) {
    const int k = record->torusCount, c = record->complexity;
    const int n = record->index - FirstIndex(k, c);
    if (k == 1) {
      name = FormatId(8000, "Q%u_%u", {static_cast<unsigned>(c), static_cast<unsigned>(n)});
    } else {
      name = FormatId(8110, "Q%u^%u_%u", {static_cast<unsigned>(c), static_cast<unsigned>(k), static_cast<unsigned>(n)});
    }
  }
  if (!record->linkName.empty()) {
    name += record->linkName;
  } else if (!record->nameText.empty()) {
    name += record->nameText;
  }
  return name;
}

std::string TAtomTable::FormatFilledAtomName(const TWordQuintuple& key, int p, int q) const {
  std::string atom = FormatAtomName(key);
  if (atom.empty()) return "";
  std::optional<std::string_view> format = StringTableText(867);
  std::string pattern(format ? *format : "Dehn filling %s(%d,%d)");
  std::vector<char> buffer(atom.size() + pattern.size() + 48);
  int n = std::snprintf(buffer.data(), buffer.size(), pattern.c_str(), atom.c_str(), p, q);
  return n > 0 ? std::string(buffer.data(), std::min<std::size_t>(static_cast<std::size_t>(n), buffer.size() - 1)) : "";
}

namespace {

std::once_flag gLoadOnce;
// Written once inside call_once and only read afterwards: call_once orders
// the writes before every later caller's reads.
TAtomTable* gTable = nullptr;
std::string* gLoadError = nullptr;
std::atomic<bool> gLoaded{false};

}  // namespace

std::string_view AtomTableText() {
  std::optional<std::string_view> text = FindEmbeddedResource("atoms/atoms.txt");
  return text ? *text : std::string_view();
}

const TAtomTable& LoadAtomTable() {
  std::call_once(gLoadOnce, [] {
    gLoadError = new std::string();
    gTable = new TAtomTable(TAtomTable::FromText(AtomTableText(), *gLoadError));
    gLoaded.store(true, std::memory_order_release);
  });
  return *gTable;
}

const std::string& LoadAtomTableError() {
  LoadAtomTable();
  return *gLoadError;
}

const TAtomTable* LoadedAtomTable() {
  return gLoaded.load(std::memory_order_acquire) ? gTable : nullptr;
}

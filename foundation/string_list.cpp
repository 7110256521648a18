#include "foundation/string_list.h"

#include <algorithm>
#include <cstring>

#include "foundation/output.h"
#include "foundation/text_reader.h"

namespace {

std::string PairBlock(const char* name, const char* value) {
  std::string block = name != nullptr ? name : "";
  block += '\0';
  if (value != nullptr) block += value;
  return block;
}

const char* ValueOf(const std::string& block) {
  return block.c_str() + std::strlen(block.c_str()) + 1;
}

bool HasLineBreak(const char* text) {
  return std::strpbrk(text, "\r\n") != nullptr;
}

}  // namespace

TStringList::TStringList(std::size_t slots, int mode) {
  SetMode(mode);
  entries_.reserve(slots);
}

void TStringList::Construct() {
  entries_.clear();
  mode_ = kSorted;
  pairs_ = false;
}

void TStringList::SetMode(int mode) {
  if (mode == kInsertionOrder || mode == kSorted) mode_ = mode;
}

bool TStringList::Find(const char* text, int* index) const {
  const char* key = text != nullptr ? text : "";
  int position = -1;
  bool found = false;
  if (!entries_.empty()) {
    if (mode_ == kSorted) {
      const auto at = std::lower_bound(
          entries_.begin(), entries_.end(), key,
          [](const std::unique_ptr<std::string>& e, const char* k) {
            return std::strcmp(e->c_str(), k) < 0;
          });
      position = static_cast<int>(at - entries_.begin());
      found = at != entries_.end() && std::strcmp((*at)->c_str(), key) == 0;
    } else {
      position = Count();
      for (int i = 0; i < Count(); ++i) {
        if (std::strcmp(entries_[i]->c_str(), key) == 0) {
          position = i;
          found = true;
          break;
        }
      }
    }
  }
  if (index != nullptr) *index = position;
  return found;
}

int TStringList::Insert(std::string block, bool* added) {
  int position = Count();
  if (mode_ == kSorted) {
    int found_at = -1;
    if (Find(block.c_str(), &found_at)) {
      if (added != nullptr) *added = false;
      return found_at;
    }
    position = std::max(found_at, 0);
  }
  entries_.insert(entries_.begin() + position, std::make_unique<std::string>(std::move(block)));
  if (added != nullptr) *added = true;
  return position;
}

int TStringList::Add(const char* text, bool* added) {
  return Insert(PairBlock(text, nullptr), added);
}

int TStringList::AddPair(const char* name, const char* value, bool* added) {
  return Insert(PairBlock(name, value), added);
}

const char* TStringList::At(int i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return entries_[i]->c_str();
}

const char* TStringList::PairAt(int i, const char** value) const {
  if (i < 0 || i >= Count()) {
    if (value != nullptr) *value = nullptr;
    return nullptr;
  }
  if (value != nullptr) *value = ValueOf(*entries_[i]);
  return entries_[i]->c_str();
}

bool TStringList::Write(const char* fileName) const {
  std::string text;
  for (const auto& entry : entries_) {
    const char* name = entry->c_str();
    if (HasLineBreak(name) || (pairs_ && HasLineBreak(ValueOf(*entry)))) return false;
    text += name;
    text += "\r\n";
    if (pairs_) {
      text += ValueOf(*entry);
      text += "\r\n";
    }
  }
  TOutput file;
  if (!file.Open(fileName, TOutput::kOpenWrite)) return false;
  file.Append(text.c_str());
  return file.WriteFile() == 1;
}

int TStringList::Read(const char* fileName, bool fill) {
  TTextReader reader;
  if (!reader.OpenFile(fileName)) return 0;
  reader.AttachLoadedText();
  std::vector<std::string> lines;
  for (const char* line = reader.CurrentLine(); line != nullptr; line = reader.NextLine()) {
    lines.emplace_back(line);
  }
  reader.DetachLoadedText();

  const std::size_t per_entry = pairs_ ? 2 : 1;
  const int entries = static_cast<int>((lines.size() + per_entry - 1) / per_entry);
  if (fill) {
    for (std::size_t i = 0; i < lines.size(); i += per_entry) {
      const char* value = per_entry == 2 && i + 1 < lines.size() ? lines[i + 1].c_str() : "";
      Insert(PairBlock(lines[i].c_str(), value), nullptr);
    }
  }
  return entries;
}

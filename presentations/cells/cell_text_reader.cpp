#include "presentations/cells/cell_text_reader.h"

int TEdgeNameTable::NumberOf(std::string_view token) const {
  auto found = byName_.find(std::string(token));
  return found == byName_.end() ? 0 : found->second;
}

const std::string* TEdgeNameTable::NameOf(int number) const {
  auto found = byNumber_.find(number);
  return found == byNumber_.end() ? nullptr : &found->second;
}

int TEdgeNameTable::FirstFreeNumber() const {
  // Numbers are only ever added, so the least free number never decreases.
  while (byNumber_.count(firstFree_) != 0) ++firstFree_;
  return firstFree_;
}

void TEdgeNameTable::Add(std::string_view token, int number) {
  byName_.emplace(std::string(token), number);
  byNumber_.emplace(number, std::string(token));
}

void TEdgeNameTable::Clear() {
  byName_.clear();
  byNumber_.clear();
  firstFree_ = 1;
}

int TCellTextReader::Fail(const TCellTextFailure& failure) {
  failure_ = failure;
  words_.clear();
  return 0;
}

int TCellTextReader::Read(std::string_view blankedText, bool suppressNames, bool keepCellNames) {
  words_.clear();
  edges_.Clear();
  namesUsed_ = 0;
  failure_ = TCellTextFailure();

  TCellTextScanner scanner(blankedText, suppressNames);
  TCellTextEntry entry;
  for (;;) {
    int scanned = scanner.Next(entry);
    if (scanned == 0) break;
    if (scanned < 0) return Fail(scanner.Failure());

    TCellTextWord word;
    word.passages.reserve(entry.references.size());
    for (const TCellTextReference& reference : entry.references) {
      int number = 0;
      if (suppressNames) {
        // Without names every token is its own number; a name cannot be read.
        if (reference.value == 0) return Fail(TCellTextFailure());
        number = static_cast<int>(reference.value);
      } else {
        if (reference.value == 0 || reference.token.find_first_not_of("0123456789") !=
                                        std::string_view::npos) {
          namesUsed_ = 1;
        }
        number = edges_.NumberOf(reference.token);
        if (number == 0) {
          number = static_cast<int>(reference.value);
          if (number == 0 || edges_.NameOf(number) != nullptr) number = edges_.FirstFreeNumber();
          edges_.Add(reference.token, number);
        }
      }
      word.passages.push_back(reference.negative ? -number : number);
    }
    // A cell must pass along at least one edge; say where one is missing.
    if (word.passages.empty()) {
      return Fail({kEdgeNameExpectedMessage, std::string(entry.text), 0});
    }
    if (keepCellNames && !entry.name.empty()) {
      namesUsed_ = 1;
      word.name.assign(entry.name);
    }
    words_.push_back(std::move(word));
  }
  if (words_.empty()) return 0;
  return static_cast<int>(words_.size());
}

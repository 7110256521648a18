#include "presentations/cells/cell_word_list.h"

#include <string>

#include "foundation/comment_rules.h"
#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/object_header.h"
#include "model/spine.h"

namespace {

constexpr int kPlainMode = 2;

void ReportReadFailure(const TCellTextFailure& failure) {
  if (failure.messageId == 0) return;
  TString message;
  if (failure.messageId == kEdgeNameExpectedMessage) {
    message.FormatResource(failure.messageId, failure.text);
  } else {
    message.FormatResource(failure.messageId, failure.text, failure.number);
  }
  ReportStatus(message, -1);
}

}  // namespace

TCellWordList::TCellWordList() { words_.SetTag(1); }

TCellWordList::TCellWordList(const TCellWordList& other) : TCellWordList() { Assign(other); }

TCellWordList& TCellWordList::operator=(const TCellWordList& other) {
  Assign(other);
  return *this;
}

TCellWordList::~TCellWordList() = default;

void TCellWordList::Clear() {
  words_.Clear();
  names_.Clear();
  edgeNames_.reset();
}

void TCellWordList::Assign(const TCellWordList& other) {
  if (&other == this) return;
  Clear();
  if (other.edgeNames_) edgeNames_ = std::make_unique<TEdgeNameTable>(*other.edgeNames_);
  other.words_.CopyTo(words_);
  other.names_.CopyTo(names_);
  namesUsed_ = other.namesUsed_;
}

int TCellWordList::Parse(const char* text) {
  Clear();
  bool suppressNames = SuppressObjectNames.load() != 0;
  namesUsed_ = 0;

  std::string blanked(text == nullptr ? "" : text);
  BlankOutComments(blanked.data());
  TCellTextReader reader;
  int count = reader.Read(blanked, suppressNames, QuietMode.load() == 0);
  if (count == 0) {
    ReportReadFailure(reader.Failure());
    return 0;
  }
  if (!suppressNames) edgeNames_ = std::make_unique<TEdgeNameTable>(reader.Edges());
  namesUsed_ = reader.NamesUsed();

  for (const TCellTextWord& word : reader.Words()) {
    TObjectList list;
    list.SetWeak(kPlainMode);
    list.Reserve(static_cast<int>(word.passages.size()));
    for (int number : word.passages) list.AppendValue(number);
    Append(list, word.name.empty() ? nullptr : NewNameObject(word.name.c_str()));
  }
  return CellCount();
}

int TCellWordList::WordLength(int i) const {
  TObjectHeader* word = WordAt(i);
  return word == nullptr ? 0 : static_cast<int>(static_cast<TObjectListBody*>(word)->count);
}

TObjectHeader* TCellWordList::CellName(int i) const { return names_.At(i); }

TListSlot TCellWordList::EntryAt(int i, int j) const {
  auto* word = static_cast<TObjectListBody*>(WordAt(i));
  if (word == nullptr || j < 0 || static_cast<std::uint32_t>(j) >= word->count) return 0;
  return word->Slots()[j];
}

TObjectHeader* TCellWordList::ObjectAt(int i, int j) const {
  auto* word = static_cast<TObjectListBody*>(WordAt(i));
  if (word == nullptr || word->mode != 0) return nullptr;
  return reinterpret_cast<TObjectHeader*>(EntryAt(i, j));
}

TObjectHeader* TCellWordList::WordAt(int i) const { return words_.At(i); }

void TCellWordList::Append(const TObjectList& word, TObjectHeader* name) {
  words_.Append(word.Body());
  names_.Append(name);
}

int TCellWordList::SetEntry(int i, int j, TListSlot value) {
  TObjectList word = TObjectList::OfBody(WordAt(i));
  if (!word.HasBody() || j < 0 || j >= word.Count()) return 0;
  if (word.IsCounted()) return word.SetAt(j, reinterpret_cast<TObjectHeader*>(value));
  return word.SetValueAt(j, value);
}

void TCellWordList::CopyShape(TCellWordList& target, int mode) const {
  if (&target == this) return;
  target.Clear();
  for (int i = 0; i < CellCount(); ++i) {
    int length = WordLength(i);
    TObjectList word(length);
    if (mode != 0) word.SetWeak(mode);
    target.Append(word, nullptr);
  }
}

int TCellWordList::SetName(int i, TObjectHeader* name) {
  if (i < 0 || i >= names_.Count()) return 0;
  return names_.SetAt(i, name);
}

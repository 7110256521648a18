#include "model/cell_word_list.h"

#include <cstdint>

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
}

void TCellWordList::Assign(const TCellWordList& other) {
  if (&other == this) return;
  Clear();
  other.words_.CopyTo(words_);
  other.names_.CopyTo(names_);
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

#include "presentations/cells/cell_word_text.h"

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

TCellWordText::TCellWordText(const TCellWordText& other)
    : TCellWordList(other),
      namesUsed_(other.namesUsed_),
      edgeNames_(other.edgeNames_ ? std::make_unique<TEdgeNameTable>(*other.edgeNames_) : nullptr) {}

TCellWordText& TCellWordText::operator=(const TCellWordText& other) {
  if (&other == this) return *this;
  TCellWordList::Assign(other);
  edgeNames_ = other.edgeNames_ ? std::make_unique<TEdgeNameTable>(*other.edgeNames_) : nullptr;
  namesUsed_ = other.namesUsed_;
  return *this;
}

TCellWordText::~TCellWordText() = default;

void TCellWordText::Clear() {
  TCellWordList::Clear();
  edgeNames_.reset();
}

int TCellWordText::Parse(const char* text) {
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


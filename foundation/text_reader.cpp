// Line cursor over a text in memory. See text_reader.h.
#include "foundation/text_reader.h"

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Room for a typical line from the start; longer lines grow the buffer.
constexpr std::size_t kInitialLineBuffer = 0x8000;

}  // namespace

TTextReader::TTextReader(const char* fileName) {
  if (fileName != nullptr) OpenFile(fileName);
}

void TTextReader::Construct(const char* fileName) {
  Destroy();
  if (fileName != nullptr) OpenFile(fileName);
}

void TTextReader::Destroy() {
  Detach();
  file_.Destroy();
}

int TTextReader::OpenFile(const char* fileName) {
  return file_.Open(fileName, TOutput::kOpenRead);
}

const char* TTextReader::AttachLoadedText() {
  if (file_.TextLength() == 0) {
    file_.LoadFile();
    file_.CloseFile();
  }
  Attach(file_.Text());
  return text_;
}

void TTextReader::DetachLoadedText() {
  Detach();
  file_.Clear();
}

void TTextReader::Attach(const char* text) {
  text_ = text;
  cursor_ = text;
  if (!hasLineBuffer_) {
    line_.reserve(kInitialLineBuffer);
    hasLineBuffer_ = true;
  }
  line_.clear();
  lineLength_ = -1;
}

void TTextReader::Detach() {
  text_ = nullptr;
  cursor_ = nullptr;
  std::string().swap(line_);
  hasLineBuffer_ = false;
  lineLength_ = -1;
}

const char* TTextReader::Rewind() {
  cursor_ = text_;
  lineLength_ = -1;
  return text_;
}

char* TTextReader::CurrentLine() {
  if (text_ == nullptr || cursor_ == nullptr || *cursor_ == '\0') return nullptr;
  while (cursor_ > text_ && !IsLineEnd(cursor_[-1])) --cursor_;
  const char* end = cursor_;
  while (*end != '\0' && !IsLineEnd(*end)) ++end;
  line_.assign(cursor_, end);
  lineLength_ = end - cursor_;
  return line_.data();
}

char* TTextReader::NextLine() {
  if (cursor_ == nullptr || *cursor_ == '\0') return nullptr;
  // The recorded length is used only as far as the text really goes, so a
  // stale length can never carry the cursor past the terminating NUL.
  const char* end = cursor_;
  if (lineLength_ >= 0) {
    for (long long i = 0; i < lineLength_ && *end != '\0'; ++i) ++end;
  } else {
    while (*end != '\0' && !IsLineEnd(*end)) ++end;
  }
  cursor_ = end;
  if (*cursor_ == '\r') ++cursor_;
  if (*cursor_ == '\n') ++cursor_;
  lineLength_ = -1;
  return CurrentLine();
}

char* TTextReader::PreviousLine() {
  if (text_ == nullptr || cursor_ == nullptr) return nullptr;
  const char* start = cursor_;
  while (start > text_ && !IsLineEnd(start[-1])) --start;
  if (start == text_) return nullptr;
  // start[-1] ends the previous line; a CR LF pair is one line end.
  const char* lineEnd = start - 1;
  if (*lineEnd == '\n' && lineEnd > text_ && lineEnd[-1] == '\r') --lineEnd;
  // Stand on the last character of the previous line, or on its line end when
  // that line is empty; CurrentLine then finds the line's start.
  cursor_ = lineEnd > text_ ? lineEnd - 1 : lineEnd;
  if (lineEnd > text_ && IsLineEnd(*cursor_)) cursor_ = lineEnd;
  return CurrentLine();
}

char* TTextReader::Line() {
  if (lineLength_ >= 0) return line_.data();
  return CurrentLine();
}

void TTextReader::SetCursor(const char* position) {
  cursor_ = position;
  lineLength_ = -1;
}

// TTextReader: a line cursor over a NUL-terminated text held in memory,
// usually a whole file loaded into the reader's own TOutput.
//
// CR LF, CR and LF all end a line. The current line is copied into a line
// buffer that grows with the line, so lines of any length are read whole.
// The text is not owned (except the loaded file text, which lives in the
// reader's TOutput) and must outlive its attachment.
#pragma once

#include <cstddef>
#include <string>

#include "foundation/output.h"

class TTextReader {
 public:
  TTextReader() = default;
  // An empty reader; when a name is given, OpenFile with it.
  explicit TTextReader(const char* fileName);
  ~TTextReader() { Destroy(); }
  TTextReader(const TTextReader&) = delete;
  TTextReader& operator=(const TTextReader&) = delete;

  void Construct(const char* fileName);
  // Detaches and destroys the file buffer.
  void Destroy();

  // Binds the file for reading (TOutput::Open in read mode); 1 on success.
  int OpenFile(const char* fileName);
  // Loads the bound file into the file buffer when that holds no text yet,
  // attaches the loaded text and returns it ("" when nothing was loaded).
  const char* AttachLoadedText();
  // Detaches and releases the loaded text.
  void DetachLoadedText();
  TOutput& File() { return file_; }

  // Starts reading a text: the cursor is at its start, no line is measured.
  void Attach(const char* text);
  // Forgets the text and frees the line buffer.
  void Detach();
  // Cursor back to the text start; returns the text start.
  const char* Rewind();

  // When the cursor stands on a character of the text: moves it back to the
  // start of its line, copies the line (without its line end) into the line
  // buffer and returns the buffer. Null at the end of the text or without one.
  char* CurrentLine();
  // Moves past the current line and its line end (CR, LF or CR LF) and returns
  // the new current line; null when the text ends there.
  char* NextLine();
  // Makes the line before the current one current and returns it; null on the
  // first line.
  char* PreviousLine();
  // The current line: the buffer when measured, else CurrentLine().
  char* Line();
  // Length of the line copied last; -1 when the current line is not measured.
  long long LineLength() const { return lineLength_; }

  const char* GetCursor() const { return cursor_; }
  // Sets the cursor (which must point into the attached text); the current line
  // is measured anew on the next line operation.
  void SetCursor(const char* position);
  const char* TextStart() const { return text_; }
  int GetFileName(char* buffer, std::size_t n) const { return file_.GetFileName(buffer, n); }

 private:
  TOutput file_;
  const char* text_ = nullptr;
  const char* cursor_ = nullptr;
  std::string line_;
  bool hasLineBuffer_ = false;
  long long lineLength_ = -1;
};

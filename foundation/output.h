// TOutput: a growable text or binary buffer, optionally bound to a file.
//
// Three roles: the accumulator into which printers and engines write report
// text; the whole-file loader of documents, spine files and tables (the text
// reader reads from a loaded TOutput); and, in binary mode, the block buffer
// under binary table files.
//
// A file is bound by name (Open) and opened only for the duration of one load
// or write. A report file bound for writing is emptied once at Open; every
// later WriteFile appends what accumulated since and empties the buffer, so the
// text in memory never grows beyond one item's output. A write that fails keeps
// the bytes that were not written (and reports the failure), so nothing is lost
// and nothing is written twice.
//
// Texts use CR LF line ends. Sizes are 64-bit. A TOutput is used by one thread
// at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/heap_string.h"
#include "foundation/private_heap.h"

class TOutput {
 public:
  // Open modes.
  static constexpr int kOpenRead = 0;
  static constexpr int kOpenWrite = 1;      // creates or empties the file now
  static constexpr int kOpenReadWrite = 2;  // creates the file when missing
  // Buffer modes.
  static constexpr int kTextMode = 1;
  static constexpr int kBinaryMode = 2;

  TOutput() = default;
  // Init, then Open(fileName, openMode) when a name is given.
  explicit TOutput(const char* fileName, int openMode = kOpenRead);
  ~TOutput() { Destroy(); }
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  // ---- Life cycle ----
  void Init();  // on a live buffer: Destroy first
  void Construct(const char* fileName, int openMode);
  // Closes the file, forgets the path, frees the text and the block, destroys
  // an owned heap. The buffer is empty and unbound in text mode afterwards.
  void Destroy();

  // ---- Heap choice ----
  // Text mode: the text allocates from the heap; binary mode: the block does.
  // The heap is not owned. An owned heap is destroyed after the text has moved.
  void UseHeap(THeapHandle heap);
  // Text mode: the text's heap or the shared string heap; binary mode: the
  // buffer's heap, else the current private heap.
  THeapHandle CurrentHeap() const;
  // Empties the buffer, destroys a heap it owned, creates a fresh heap owned by
  // the buffer and (text mode) makes the text allocate from it.
  void CreateOwnHeap();
  void SetBinary();
  int Mode() const { return mode_; }

  // ---- Text ----
  const char* Text() const { return text_.CStr(); }
  void ReleaseText() const {}
  std::size_t TextLength() const { return text_.Length(); }
  TString& TextString() { return text_; }
  void AppendString(const TString& text);
  void AppendText(const char* text);
  void Append(const char* text) { AppendText(text); }
  // n CR LF pairs, at most 16 (a larger n gives 16; n <= 0 gives none).
  void NewLines(int n);
  // n blanks (n <= 0 gives none).
  void Spaces(int n);
  // n tabs.
  void Tabs(int n);
  // A comment marker of the text format, without a line break: kind 1 "% ***",
  // kinds 2 and 3 "%%", any other kind "%".
  void CommentMarker(int kind);
  // Text mode: empties the text; binary mode: frees the block.
  void Clear();

  // ---- Binary block ----
  // Resizes the block to n bytes (allocating when there is none) in the
  // buffer's heap, else in the current private heap; used becomes 0. Throws
  // std::bad_alloc when the block cannot be had (the old block is kept).
  void ReserveBinary(std::size_t n);
  // Appends the used bytes to the file and sets used to 0. Returns 1 on
  // success (also when nothing was used); on failure returns 0, keeps the bytes
  // not written at the front of the block and reports the failure.
  int FlushBinary();
  unsigned char* Block() { return block_; }
  std::size_t Capacity() const { return capacity_; }
  std::size_t Used() const { return used_; }
  // used must not exceed the capacity (it is clamped to it).
  void SetUsed(std::size_t used) { used_ = used < capacity_ ? used : capacity_; }
  // Read position inside the block, set to the block's start by a load.
  unsigned char* Cursor() const { return cursor_; }
  void SetCursor(unsigned char* cursor) { cursor_ = cursor; }

  // ---- Files ----
  // Opens the file once to check it and remember its full path; see the modes
  // above. Returns 1 when the open succeeded, else 0 (the stored path is then
  // unchanged). Any other mode returns 0 and changes nothing.
  int Open(const char* fileName, int openMode);
  // Opens the stored path with the stored access; 0 when no path is stored or
  // the open fails.
  int Reopen();
  void CloseFile();
  bool IsFileOpen() const { return fd_ >= 0; }
  // Copies the stored path into buffer (n bytes), cut to n - 1 characters and
  // terminated; 1 when the whole path fitted, 0 when it was cut or none is stored.
  int GetFileName(char* buffer, std::size_t n) const;
  const std::string& FileName() const { return path_; }
  // Loads the whole file into the buffer and returns the number of bytes
  // loaded; 0 when nothing was loaded (no file, empty file, read failure, or a
  // short read the user declined). A short read asks whether to go on with the
  // part that was read; a failed read shows "Error! Unable to load file.". The
  // file stays open until CloseFile or the next operation.
  std::uint64_t LoadFile();
  // Appends the buffer (text, or the used bytes in binary mode) to the end of
  // the file and empties the buffer. Returns 1 when everything was written (also
  // when there was nothing to write). On failure returns 0, keeps the part not
  // written in the buffer and reports the failure as a status text.
  int WriteFile();

 private:
  int OpenStored();
  void FreeBlock();
  void ReportWriteFailure();
  // Writes bytes at the end of the open file; returns how many were written.
  std::size_t WriteAtEnd(const char* bytes, std::size_t n);

  THeapHandle heap_ = nullptr;
  bool ownsHeap_ = false;
  std::string path_;
  unsigned access_ = 0;
  unsigned disposition_ = 0;
  int mode_ = kTextMode;
  int fd_ = -1;
  TString text_;
  unsigned char* block_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  unsigned char* cursor_ = nullptr;
};

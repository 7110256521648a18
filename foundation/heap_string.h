// TString: the program's string class.
//
// A NUL-terminated character string whose block lives in a heap of its choice.
// A string that names no heap keeps its characters in one process-wide shared
// string heap, which no computation destroys, so ordinary strings survive the
// destruction of computation heaps. A string that names a heap (the current
// private heap, an output buffer's heap, ProcessHeap()) allocates there and
// must not outlive that heap.
//
// Every step that allocates, resizes or frees a string's block runs under one
// process-wide mutex (the string lock), because the user interface and the
// worker both build strings in the shared heap. Blocks are sized exactly (no
// spare capacity); long reports are built in a TOutput instead of by repeated
// appends to one string.
//
// TString is a value type: copying makes an independent copy in the shared
// heap, assignment keeps the target's heap choice, moving steals the block.
// Allocation failures throw std::bad_alloc; no operation leaves a string
// half-changed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/private_heap.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"

class TString {
 public:
  TString() = default;
  explicit TString(const char* text) { Assign(text); }
  explicit TString(std::string_view text) { AssignBuffer(text.data(), text.size()); }
  TString(const TString& other) { AssignString(other); }
  TString(TString&& other) noexcept : heap_(other.heap_), characters_(other.characters_) {
    other.characters_ = nullptr;
  }
  TString& operator=(const TString& other) {
    AssignString(other);
    return *this;
  }
  TString& operator=(TString&& other);
  ~TString() { Destroy(); }

  // ---- Construction and release (on a string that may already hold text:
  //      its block is freed first and its heap choice forgotten) ----
  void Init();                                            // empty, no heap
  void ConstructCapacity(std::size_t n);                  // empty text in n + 1 bytes
  void ConstructFromText(const char* text);               // null gives ""
  void ConstructFromBuffer(const char* buffer, std::size_t n);  // stops at a NUL
  void CopyConstruct(const TString& other);               // copy in the shared heap
  void Destroy();                                         // frees; empty afterwards

  // ---- Access ----
  // The characters; a constant "" when empty, never null.
  const char* CStr() const;
  void Unlock() const {}
  std::size_t Length() const;
  bool Empty() const { return Length() == 0; }
  // The heap word as set (null: the shared heap).
  THeapHandle Heap() const { return heap_; }
  // The heap that holds (or would hold) the characters.
  THeapHandle HeapOrShared() const;
  // Chooses the heap (null: shared). A string that already holds text moves
  // its characters into the new heap, so a block is always freed where it was
  // allocated.
  TString& SetHeap(THeapHandle heap);

  // ---- Change ----
  void Assign(const char* text);                       // null or "" empties
  void AssignString(const TString& other);
  void AssignBuffer(const char* bytes, std::size_t n); // n bytes plus a NUL; null or 0 empties
  void Append(const char* text);                       // null or "" changes nothing
  void AppendString(const TString& other);
  // n > 0: resizes the block to n + 1 bytes keeping the text (cut to n
  // characters when longer; a fresh block holds ""); n = 0 empties the string.
  void Reserve(std::size_t n);
  void Clear();
  // 1 when both strings hold characters and they are equal.
  int Equals(const TString& other) const;
  // Writable characters for a caller that filled a reserved block; null when
  // there is no block. The caller keeps the text NUL-terminated.
  char* Buffer() { return characters_; }

  // ---- String-table texts ----
  // Assigns the text with this id and returns 1; returns 0 and keeps the old
  // contents when the table has no such id (reported as an internal error).
  int LoadResource(int id);
  // Formats the text with this id as a printf template with the arguments
  // (FormatText rules: type-safe, unbounded in length) and assigns the result;
  // returns 1. A missing id keeps the old contents, returns 0 and is reported
  // as an internal error.
  template <typename... Args>
  int FormatResource(int id, const Args&... args) {
    std::optional<std::string_view> templ = StringTableText(id);
    if (!templ) {
      ReportMissingText(id);
      return 0;
    }
    std::string text = FormatText(*templ, args...);
    AssignBuffer(text.data(), text.size());
    return 1;
  }
  // The names by which callers format one to nine arguments; all are FormatResource.
#define SORVELIN_FORMAT_ALIAS(name) \
  template <typename... Args>       \
  int name(int id, const Args&... args) { return FormatResource(id, args...); }
  SORVELIN_FORMAT_ALIAS(FormatResourceInt)
  SORVELIN_FORMAT_ALIAS(FormatResourceUnsigned)
  SORVELIN_FORMAT_ALIAS(FormatResourceIntInt)
  SORVELIN_FORMAT_ALIAS(FormatResourceThreeInts)
  SORVELIN_FORMAT_ALIAS(FormatResourceFourInts)
  SORVELIN_FORMAT_ALIAS(FormatResourceFiveInts)
  SORVELIN_FORMAT_ALIAS(FormatResourceSixArgs)
  SORVELIN_FORMAT_ALIAS(FormatResourceSevenArgs)
  SORVELIN_FORMAT_ALIAS(FormatResourceNineInts)
  SORVELIN_FORMAT_ALIAS(FormatResourceIntStr)
  SORVELIN_FORMAT_ALIAS(FormatResourceIntStrInt)
  SORVELIN_FORMAT_ALIAS(FormatResourceStr)
  SORVELIN_FORMAT_ALIAS(FormatResourceStrUnsigned)
  SORVELIN_FORMAT_ALIAS(FormatResourceStrIntInt)
  SORVELIN_FORMAT_ALIAS(FormatResourceFiveArgs)
  SORVELIN_FORMAT_ALIAS(FormatResourceStrIntStr)
  SORVELIN_FORMAT_ALIAS(FormatResourceStrIntStrInt)
  SORVELIN_FORMAT_ALIAS(FormatResourceStrStr)
  SORVELIN_FORMAT_ALIAS(FormatResourceThreeStrs)
  SORVELIN_FORMAT_ALIAS(FormatResourceFourStrs)
  SORVELIN_FORMAT_ALIAS(FormatResourceFiveStrs)
  SORVELIN_FORMAT_ALIAS(FormatResourceSixStrs)
  SORVELIN_FORMAT_ALIAS(FormatResourceEightStrs)
#undef SORVELIN_FORMAT_ALIAS

  std::string_view View() const { return std::string_view(CStr(), Length()); }

 private:
  static void ReportMissingText(int id);
  // Replaces the block by one of n + 1 bytes holding the given bytes (n > 0).
  void Store(const char* bytes, std::size_t n);

  THeapHandle heap_ = nullptr;
  char* characters_ = nullptr;
};

// A new string: a copy of first with second appended; both stay unchanged.
TString TStringConcat(const TString& first, const TString& second);

// Under the string lock: compacts the shared string heap when it exists.
void CompactStringHeap();
// Under the string lock: destroys the shared string heap and forgets it. Every
// string still holding characters in it is invalid afterwards; only for the
// very end of a run.
void DestroyStringHeap();
// The shared string heap, created on first use.
THeapHandle SharedStringHeap();

// PrivateHeapAlloc(n, kHeapGenerateExceptions) and PrivateHeapFree on the
// current private heap, performed while holding the string lock.
void* GuardedHeapAlloc(std::size_t n);
void GuardedHeapFree(void* block);

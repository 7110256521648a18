// TString storage: every heap step of a string runs under the string lock.
#include "foundation/heap_string.h"

#include <cstring>
#include <mutex>
#include <new>

#include "foundation/status_reporter.h"

namespace {

std::mutex& StringLock() {
  static std::mutex lock;
  return lock;
}

// Guarded by the string lock.
THeapHandle sharedHeap = nullptr;

// The heap a string allocates from; creates the shared heap on first use.
// The string lock is held.
THeapHandle ResolveLocked(THeapHandle heap) {
  if (heap != nullptr) return heap;
  if (sharedHeap == nullptr) sharedHeap = PrivateHeapCreate(0);
  return sharedHeap;
}

char* AllocateLocked(THeapHandle heap, std::size_t bytes) {
  void* block = PrivateHeapAllocIn(ResolveLocked(heap), bytes);
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<char*>(block);
}

const char kEmpty[] = "";

}  // namespace

TString& TString::operator=(TString&& other) {
  if (this == &other) return *this;
  if (other.heap_ == heap_) {
    Destroy();
    characters_ = other.characters_;
    other.characters_ = nullptr;
  } else {
    AssignString(other);
  }
  return *this;
}

void TString::Init() {
  Destroy();
  heap_ = nullptr;
}

void TString::ConstructCapacity(std::size_t n) {
  Init();
  std::lock_guard<std::mutex> hold(StringLock());
  characters_ = AllocateLocked(nullptr, n + 1);
  characters_[0] = '\0';
}

void TString::ConstructFromText(const char* text) {
  if (text == nullptr) {
    Init();
    return;
  }
  ConstructFromBuffer(text, std::strlen(text));
}

void TString::ConstructFromBuffer(const char* buffer, std::size_t n) {
  // Copy first: the buffer may be this string's own characters.
  std::string copy;
  if (buffer != nullptr) {
    const void* nul = std::memchr(buffer, 0, n);
    copy.assign(buffer, nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : n);
  }
  Init();
  std::lock_guard<std::mutex> hold(StringLock());
  characters_ = AllocateLocked(nullptr, n + 1);
  std::memcpy(characters_, copy.data(), copy.size());
  characters_[copy.size()] = '\0';
}

void TString::CopyConstruct(const TString& other) {
  if (this == &other) {
    SetHeap(nullptr);
    return;
  }
  Init();
  AssignString(other);
}

void TString::Destroy() {
  if (characters_ == nullptr) return;
  std::lock_guard<std::mutex> hold(StringLock());
  PrivateHeapFreeIn(ResolveLocked(heap_), characters_);
  characters_ = nullptr;
}

const char* TString::CStr() const { return characters_ != nullptr ? characters_ : kEmpty; }

std::size_t TString::Length() const {
  return characters_ != nullptr ? std::strlen(characters_) : 0;
}

THeapHandle TString::HeapOrShared() const {
  if (heap_ != nullptr) return heap_;
  std::lock_guard<std::mutex> hold(StringLock());
  return ResolveLocked(nullptr);
}

TString& TString::SetHeap(THeapHandle heap) {
  if (heap == heap_) return *this;
  if (characters_ == nullptr) {
    heap_ = heap;
    return *this;
  }
  std::string copy(CStr());
  Destroy();
  heap_ = heap;
  if (!copy.empty()) Store(copy.data(), copy.size());
  return *this;
}

void TString::Store(const char* bytes, std::size_t n) {
  std::lock_guard<std::mutex> hold(StringLock());
  char* block = AllocateLocked(heap_, n + 1);
  std::memcpy(block, bytes, n);
  block[n] = '\0';
  if (characters_ != nullptr) PrivateHeapFreeIn(ResolveLocked(heap_), characters_);
  characters_ = block;
}

void TString::Assign(const char* text) {
  if (text == nullptr || *text == '\0') {
    Clear();
    return;
  }
  AssignBuffer(text, std::strlen(text));
}

void TString::AssignString(const TString& other) {
  if (this == &other) return;
  AssignBuffer(other.characters_, other.Length());
}

void TString::AssignBuffer(const char* bytes, std::size_t n) {
  if (bytes == nullptr || n == 0) {
    Clear();
    return;
  }
  // A fresh block is filled before the old one is freed, so the source may
  // lie inside this string's own characters.
  Store(bytes, n);
}

void TString::Append(const char* text) {
  if (text == nullptr || *text == '\0') return;
  std::size_t oldLength = Length();
  std::size_t added = std::strlen(text);
  std::string joined;
  joined.reserve(oldLength + added);
  joined.append(CStr(), oldLength).append(text, added);
  Store(joined.data(), joined.size());
}

void TString::AppendString(const TString& other) {
  std::string copy(other.CStr());
  Append(copy.c_str());
}

void TString::Reserve(std::size_t n) {
  if (n == 0) {
    Clear();
    return;
  }
  std::lock_guard<std::mutex> hold(StringLock());
  THeapHandle heap = ResolveLocked(heap_);
  if (characters_ == nullptr) {
    characters_ = AllocateLocked(heap_, n + 1);
    characters_[0] = '\0';
    return;
  }
  void* grown = PrivateHeapReAllocIn(heap, characters_, n + 1);
  if (grown == nullptr) throw std::bad_alloc();
  characters_ = static_cast<char*>(grown);
  characters_[n] = '\0';
}

void TString::Clear() { Destroy(); }

int TString::Equals(const TString& other) const {
  if (characters_ == nullptr || other.characters_ == nullptr) return 0;
  return std::strcmp(characters_, other.characters_) == 0 ? 1 : 0;
}

int TString::LoadResource(int id) {
  std::optional<std::string_view> text = StringTableText(id);
  if (!text) {
    ReportMissingText(id);
    return 0;
  }
  AssignBuffer(text->data(), text->size());
  return 1;
}

void TString::ReportMissingText(int id) {
  ReportInternalError("strings", static_cast<unsigned>(id));
}

TString TStringConcat(const TString& first, const TString& second) {
  TString result(first);
  result.AppendString(second);
  return result;
}

void CompactStringHeap() {
  std::lock_guard<std::mutex> hold(StringLock());
  if (sharedHeap != nullptr) PrivateHeapCompactIn(sharedHeap);
}

void DestroyStringHeap() {
  std::lock_guard<std::mutex> hold(StringLock());
  PrivateHeapDestroy(sharedHeap);
  sharedHeap = nullptr;
}

THeapHandle SharedStringHeap() {
  std::lock_guard<std::mutex> hold(StringLock());
  return ResolveLocked(nullptr);
}

void* GuardedHeapAlloc(std::size_t n) {
  std::lock_guard<std::mutex> hold(StringLock());
  return PrivateHeapAlloc(n, kHeapGenerateExceptions);
}

void GuardedHeapFree(void* block) {
  std::lock_guard<std::mutex> hold(StringLock());
  PrivateHeapFree(block);
}

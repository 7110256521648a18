// Private heaps as lists of individually allocated blocks, and the per-thread
// stack of heap contexts. See private_heap.h for the contracts.
#include "foundation/private_heap.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>

// Every block starts with this header; the caller's bytes follow it. The
// header is padded to the strictest fundamental alignment so that the caller's
// bytes are aligned as malloc's would be.
struct alignas(std::max_align_t) TBlockHeader {
  TBlockHeader* previous;
  TBlockHeader* next;
  TPrivateHeap* heap;
  std::size_t size;
};

class TPrivateHeap {
 public:
  std::mutex lock;
  TBlockHeader* first = nullptr;
  std::size_t blockCount = 0;
  std::size_t bytesInUse = 0;
  bool permanent = false;
};

namespace {

constexpr std::size_t kMaxRequest = std::numeric_limits<std::size_t>::max() / 2 - sizeof(TBlockHeader);

TBlockHeader* HeaderOf(const void* block) {
  return reinterpret_cast<TBlockHeader*>(
      const_cast<unsigned char*>(static_cast<const unsigned char*>(block)) - sizeof(TBlockHeader));
}

void* PayloadOf(TBlockHeader* header) {
  return reinterpret_cast<unsigned char*>(header) + sizeof(TBlockHeader);
}

// Links a fresh header at the front of the heap's list; the heap lock is held.
void Link(TPrivateHeap* heap, TBlockHeader* header) {
  header->heap = heap;
  header->previous = nullptr;
  header->next = heap->first;
  if (heap->first != nullptr) heap->first->previous = header;
  heap->first = header;
}

void Unlink(TPrivateHeap* heap, TBlockHeader* header) {
  if (header->previous != nullptr)
    header->previous->next = header->next;
  else
    heap->first = header->next;
  if (header->next != nullptr) header->next->previous = header->previous;
}

void* AllocateIn(TPrivateHeap* heap, std::size_t bytes, unsigned flags) {
  void* block = nullptr;
  if (heap != nullptr && bytes <= kMaxRequest) {
    auto* header = static_cast<TBlockHeader*>(std::malloc(sizeof(TBlockHeader) + bytes));
    if (header != nullptr) {
      header->size = bytes;
      block = PayloadOf(header);
      if ((flags & kHeapZeroMemory) != 0) std::memset(block, 0, bytes);
      std::lock_guard<std::mutex> hold(heap->lock);
      Link(heap, header);
      ++heap->blockCount;
      heap->bytesInUse += bytes;
    }
  }
  if (block == nullptr && (flags & kHeapGenerateExceptions) != 0) throw std::bad_alloc();
  return block;
}

void* ReallocateBlock(void* block, std::size_t bytes) {
  if (block == nullptr || bytes > kMaxRequest) return nullptr;
  TBlockHeader* header = HeaderOf(block);
  TPrivateHeap* heap = header->heap;
  // The block stays unlinked only while the lock is held, so a concurrent
  // destruction of another block never sees a dangling neighbour.
  std::lock_guard<std::mutex> hold(heap->lock);
  std::size_t oldSize = header->size;
  Unlink(heap, header);
  auto* moved = static_cast<TBlockHeader*>(std::realloc(header, sizeof(TBlockHeader) + bytes));
  if (moved == nullptr) {
    Link(heap, header);
    return nullptr;
  }
  moved->size = bytes;
  Link(heap, moved);
  heap->bytesInUse = heap->bytesInUse - oldSize + bytes;
  return PayloadOf(moved);
}

void FreeBlock(void* block) {
  if (block == nullptr) return;
  TBlockHeader* header = HeaderOf(block);
  TPrivateHeap* heap = header->heap;
  {
    std::lock_guard<std::mutex> hold(heap->lock);
    Unlink(heap, header);
    --heap->blockCount;
    heap->bytesInUse -= header->size;
  }
  std::free(header);
}

struct TContextWords {
  THeapHandle objectHeap = nullptr;
  void* owner = nullptr;
  void* managerRegistry = nullptr;
  THeapHandle registryHeap = nullptr;
};

struct TContextStack {
  TContextWords installed;
  TContextWords saved[kHeapContextSavedLevels];  // saved[depth - 1] is the newest
  int depth = 0;
};

TContextStack& Contexts() {
  thread_local TContextStack stack;
  return stack;
}

TContextWords WordsOf(const THeapContext& context) {
  return {context.objectHeap, context.owner, context.managerRegistry, context.registryHeap};
}

void ForgetHeap(TContextWords& words, THeapHandle heap) {
  if (words.objectHeap == heap) words.objectHeap = nullptr;
  if (words.registryHeap == heap) {
    // The registry list lived in that heap; it is gone with it.
    words.registryHeap = nullptr;
    words.managerRegistry = nullptr;
  }
}

}  // namespace

THeapHandle PrivateHeapCreate(int makeCurrent) {
  THeapHandle heap = new TPrivateHeap;
  if (makeCurrent == 1) Contexts().installed.objectHeap = heap;
  return heap;
}

void PrivateHeapDestroy(THeapHandle heap) {
  if (heap == nullptr || heap->permanent) return;
  TContextStack& stack = Contexts();
  ForgetHeap(stack.installed, heap);
  for (TContextWords& level : stack.saved) ForgetHeap(level, heap);
  TBlockHeader* header = heap->first;
  while (header != nullptr) {
    TBlockHeader* next = header->next;
    std::free(header);
    header = next;
  }
  delete heap;
}

THeapHandle ProcessHeap() {
  static const THeapHandle heap = [] {
    THeapHandle created = new TPrivateHeap;
    created->permanent = true;
    return created;
  }();
  return heap;
}

void PrivateHeapDestroyCurrent() {
  THeapHandle heap = Contexts().installed.objectHeap;
  if (heap == nullptr) return;
  Contexts().installed.objectHeap = nullptr;
  PrivateHeapDestroy(heap);
}

THeapHandle CreateModelHeap() {
  PrivateHeapDestroyCurrent();
  return PrivateHeapCreate(1);
}

void SetCurrentHeap(THeapHandle heap) { Contexts().installed.objectHeap = heap; }

THeapHandle CurrentHeap() { return Contexts().installed.objectHeap; }

void* PrivateHeapAlloc(std::size_t bytes, unsigned flags) {
  if (CurrentHeap() == nullptr) CreateModelHeap();
  return AllocateIn(CurrentHeap(), bytes, flags);
}

void* PrivateHeapReAlloc(void* block, std::size_t bytes) { return ReallocateBlock(block, bytes); }

std::size_t PrivateHeapSize(const void* block) {
  return block == nullptr ? 0 : HeaderOf(block)->size;
}

void PrivateHeapFree(void* block) { FreeBlock(block); }

void* PrivateHeapAllocIn(THeapHandle heap, std::size_t bytes) { return AllocateIn(heap, bytes, 0); }

void* PrivateHeapReAllocIn(THeapHandle heap, void* block, std::size_t bytes) {
  if (heap == nullptr) return nullptr;
  return ReallocateBlock(block, bytes);
}

std::size_t PrivateHeapSizeIn(THeapHandle heap, const void* block) {
  if (heap == nullptr) return 0;
  return PrivateHeapSize(block);
}

void PrivateHeapFreeIn(THeapHandle heap, void* block) {
  if (heap == nullptr) return;
  FreeBlock(block);
}

void PrivateHeapCompactIn(THeapHandle) {}

void PrivateHeapCompact() {
  PrivateHeapCompactIn(CurrentHeap());
  PrivateHeapCompactIn(CurrentRegistryHeap());
}

std::size_t PrivateHeapBlockCount(THeapHandle heap) {
  if (heap == nullptr) return 0;
  std::lock_guard<std::mutex> hold(heap->lock);
  return heap->blockCount;
}

std::size_t PrivateHeapBytesInUse(THeapHandle heap) {
  if (heap == nullptr) return 0;
  std::lock_guard<std::mutex> hold(heap->lock);
  return heap->bytesInUse;
}

void THeapContext::Clear() {
  objectHeap = nullptr;
  owner = nullptr;
  managerRegistry = nullptr;
  registryHeap = nullptr;
}

void THeapContext::Create() { objectHeap = PrivateHeapCreate(0); }

void THeapContext::Destroy() {
  // Null the words first: PrivateHeapDestroy also clears the thread's context
  // words that name these heaps, and the record must not be read afterwards.
  THeapHandle object = objectHeap;
  THeapHandle registry = registryHeap;
  Clear();
  PrivateHeapDestroy(object);
  if (registry != object) PrivateHeapDestroy(registry);
}

void THeapContext::Compact() {
  PrivateHeapCompactIn(objectHeap);
  PrivateHeapCompactIn(registryHeap);
}

void PushHeapContext(THeapContext& context) {
  TContextStack& stack = Contexts();
  if (stack.depth == kHeapContextSavedLevels)
    throw THeapContextStackError("heap context pushed beyond the saved depth of four");
  stack.saved[stack.depth++] = stack.installed;
  stack.installed = WordsOf(context);
}

void PopHeapContext(THeapContext& context) {
  TContextStack& stack = Contexts();
  if (stack.depth == 0) throw THeapContextStackError("heap context popped without a push");
  context.objectHeap = stack.installed.objectHeap;
  context.owner = stack.installed.owner;
  context.managerRegistry = stack.installed.managerRegistry;
  context.registryHeap = stack.installed.registryHeap;
  stack.installed = stack.saved[--stack.depth];
  stack.saved[stack.depth] = TContextWords();
}

int HeapContextDepth() { return Contexts().depth; }

void* CurrentHeapContextOwner() { return Contexts().installed.owner; }

void* CurrentManagerRegistry() { return Contexts().installed.managerRegistry; }

void SetCurrentManagerRegistry(void* registry) { Contexts().installed.managerRegistry = registry; }

THeapHandle CurrentRegistryHeap() { return Contexts().installed.registryHeap; }

void SetCurrentRegistryHeap(THeapHandle heap) { Contexts().installed.registryHeap = heap; }

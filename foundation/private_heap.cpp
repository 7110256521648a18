// Private heaps as size-class arenas with separately allocated large blocks, and the per-thread
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
  TPrivateHeap* heap;
  std::size_t size;  // the size requested
};

// A large block is its own chunk of the standard allocator; this link sits in
// front of its header and keeps it in its heap's list for destruction.
struct alignas(std::max_align_t) TLargeLink {
  TLargeLink* previous;
  TLargeLink* next;
};

// Chunks of small blocks are kept in a singly linked list through this record
// at their start.
struct alignas(std::max_align_t) TChunk {
  TChunk* next;
  std::size_t bytes;
};

namespace {

// Small requests are served from size classes of 16-byte steps, carved from
// chunks and recycled through per-class free lists; only large requests reach
// the standard allocator one by one. A heap of many small model objects then
// costs one malloc per chunk, and destroying it one free per chunk.
//
// Under AddressSanitizer every block is a large block, so that overruns and
// use after destruction are still caught per block.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kSmallLimit = 0;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kSmallLimit = 0;
#else
constexpr std::size_t kSmallLimit = 512;
#endif
#else
constexpr std::size_t kSmallLimit = 512;
#endif

constexpr std::size_t kClassStep = 16;
constexpr std::size_t kClassCount = kSmallLimit / kClassStep + 1;
constexpr std::size_t kFirstChunkBytes = 16 * 1024;
constexpr std::size_t kLargestChunkBytes = 1024 * 1024;

// The class of a small request: its payload rounded up to the class step, at
// least one step (a free block keeps its list link in the payload).
std::size_t ClassOf(std::size_t bytes) {
  std::size_t steps = (bytes + kClassStep - 1) / kClassStep;
  return steps == 0 ? 1 : steps;
}

// With no small classes (under AddressSanitizer) even an empty request is
// large: class 1, which an empty request would take, does not exist then.
bool IsSmall(std::size_t bytes) { return kSmallLimit != 0 && bytes <= kSmallLimit; }

}  // namespace

class TPrivateHeap {
 public:
  std::mutex lock;
  TLargeLink* firstLarge = nullptr;
  TChunk* chunks = nullptr;
  unsigned char* bump = nullptr;      // free space of the newest chunk
  unsigned char* bumpEnd = nullptr;
  std::size_t nextChunkBytes = kFirstChunkBytes;
  void* freeLists[kClassCount] = {};  // freed small blocks (headers), by class
  std::size_t blockCount = 0;
  std::size_t bytesInUse = 0;
  bool permanent = false;
};

namespace {

constexpr std::size_t kMaxRequest = std::numeric_limits<std::size_t>::max() / 2 -
                                    sizeof(TBlockHeader) - sizeof(TLargeLink);

TBlockHeader* HeaderOf(const void* block) {
  return reinterpret_cast<TBlockHeader*>(
      const_cast<unsigned char*>(static_cast<const unsigned char*>(block)) - sizeof(TBlockHeader));
}

void* PayloadOf(TBlockHeader* header) {
  return reinterpret_cast<unsigned char*>(header) + sizeof(TBlockHeader);
}

TLargeLink* LinkOf(TBlockHeader* header) {
  return reinterpret_cast<TLargeLink*>(reinterpret_cast<unsigned char*>(header) -
                                       sizeof(TLargeLink));
}

TBlockHeader* HeaderOfLink(TLargeLink* link) {
  return reinterpret_cast<TBlockHeader*>(reinterpret_cast<unsigned char*>(link) +
                                         sizeof(TLargeLink));
}

// Links a large block at the front of the heap's list; the heap lock is held.
void LinkLarge(TPrivateHeap* heap, TLargeLink* link) {
  link->previous = nullptr;
  link->next = heap->firstLarge;
  if (heap->firstLarge != nullptr) heap->firstLarge->previous = link;
  heap->firstLarge = link;
}

void UnlinkLarge(TPrivateHeap* heap, TLargeLink* link) {
  if (link->previous != nullptr)
    link->previous->next = link->next;
  else
    heap->firstLarge = link->next;
  if (link->next != nullptr) link->next->previous = link->previous;
}

// A small block of the given class, from its free list or carved from the
// newest chunk (a new chunk when it is used up); null when the system refuses.
// The heap lock is held.
TBlockHeader* TakeSmall(TPrivateHeap* heap, std::size_t sizeClass) {
  if (void* recycled = heap->freeLists[sizeClass]) {
    heap->freeLists[sizeClass] = *static_cast<void**>(PayloadOf(static_cast<TBlockHeader*>(recycled)));
    return static_cast<TBlockHeader*>(recycled);
  }
  const std::size_t slot = sizeof(TBlockHeader) + sizeClass * kClassStep;
  if (static_cast<std::size_t>(heap->bumpEnd - heap->bump) < slot) {
    // The tail of the old chunk is left unused: at most one slot's worth.
    const std::size_t bytes = heap->nextChunkBytes;
    auto* chunk = static_cast<TChunk*>(std::malloc(bytes));
    if (chunk == nullptr) return nullptr;
    chunk->next = heap->chunks;
    chunk->bytes = bytes;
    heap->chunks = chunk;
    heap->bump = reinterpret_cast<unsigned char*>(chunk) + sizeof(TChunk);
    heap->bumpEnd = reinterpret_cast<unsigned char*>(chunk) + bytes;
    if (heap->nextChunkBytes < kLargestChunkBytes) heap->nextChunkBytes *= 2;
  }
  auto* header = reinterpret_cast<TBlockHeader*>(heap->bump);
  heap->bump += slot;
  return header;
}

void GiveBackSmall(TPrivateHeap* heap, TBlockHeader* header) {
  std::size_t sizeClass = ClassOf(header->size);
  *static_cast<void**>(PayloadOf(header)) = heap->freeLists[sizeClass];
  heap->freeLists[sizeClass] = header;
}

// A new block with its header filled in and counted; null on failure. The heap
// lock is held.
TBlockHeader* NewBlock(TPrivateHeap* heap, std::size_t bytes) {
  TBlockHeader* header = nullptr;
  if (IsSmall(bytes)) {
    header = TakeSmall(heap, ClassOf(bytes));
  } else {
    auto* link = static_cast<TLargeLink*>(
        std::malloc(sizeof(TLargeLink) + sizeof(TBlockHeader) + bytes));
    if (link != nullptr) {
      LinkLarge(heap, link);
      header = HeaderOfLink(link);
    }
  }
  if (header == nullptr) return nullptr;
  header->heap = heap;
  header->size = bytes;
  ++heap->blockCount;
  heap->bytesInUse += bytes;
  return header;
}

// Returns a block to its heap (small) or to the system (large); the heap lock
// is held.
void DeleteBlock(TPrivateHeap* heap, TBlockHeader* header) {
  --heap->blockCount;
  heap->bytesInUse -= header->size;
  if (IsSmall(header->size)) {
    GiveBackSmall(heap, header);
  } else {
    TLargeLink* link = LinkOf(header);
    UnlinkLarge(heap, link);
    std::free(link);
  }
}

void* AllocateIn(TPrivateHeap* heap, std::size_t bytes, unsigned flags) {
  void* block = nullptr;
  if (heap != nullptr && bytes <= kMaxRequest) {
    TBlockHeader* header;
    {
      std::lock_guard<std::mutex> hold(heap->lock);
      header = NewBlock(heap, bytes);
    }
    if (header != nullptr) {
      block = PayloadOf(header);
      if ((flags & kHeapZeroMemory) != 0) std::memset(block, 0, bytes);
    }
  }
  if (block == nullptr && (flags & kHeapGenerateExceptions) != 0) throw std::bad_alloc();
  return block;
}

void* ReallocateBlock(void* block, std::size_t bytes) {
  if (block == nullptr || bytes > kMaxRequest) return nullptr;
  TBlockHeader* header = HeaderOf(block);
  TPrivateHeap* heap = header->heap;
  std::lock_guard<std::mutex> hold(heap->lock);
  const std::size_t oldSize = header->size;
  if (IsSmall(oldSize) && IsSmall(bytes) && ClassOf(oldSize) == ClassOf(bytes)) {
    // Same slot: the block stays where it is.
    header->size = bytes;
    heap->bytesInUse = heap->bytesInUse - oldSize + bytes;
    return block;
  }
  if (!IsSmall(oldSize) && !IsSmall(bytes)) {
    // The large block stays unlinked only while the lock is held, so a
    // concurrent destruction of another block never sees a dangling neighbour.
    TLargeLink* link = LinkOf(header);
    UnlinkLarge(heap, link);
    auto* moved = static_cast<TLargeLink*>(
        std::realloc(link, sizeof(TLargeLink) + sizeof(TBlockHeader) + bytes));
    if (moved == nullptr) {
      LinkLarge(heap, link);
      return nullptr;
    }
    LinkLarge(heap, moved);
    TBlockHeader* movedHeader = HeaderOfLink(moved);
    movedHeader->size = bytes;
    heap->bytesInUse = heap->bytesInUse - oldSize + bytes;
    return PayloadOf(movedHeader);
  }
  // Between a small and a large block: a new block, the contents, the old one back.
  TBlockHeader* fresh = NewBlock(heap, bytes);
  if (fresh == nullptr) return nullptr;
  std::memcpy(PayloadOf(fresh), block, oldSize < bytes ? oldSize : bytes);
  DeleteBlock(heap, header);
  return PayloadOf(fresh);
}

void FreeBlock(void* block) {
  if (block == nullptr) return;
  TBlockHeader* header = HeaderOf(block);
  TPrivateHeap* heap = header->heap;
  std::lock_guard<std::mutex> hold(heap->lock);
  DeleteBlock(heap, header);
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
  TLargeLink* link = heap->firstLarge;
  while (link != nullptr) {
    TLargeLink* next = link->next;
    std::free(link);
    link = next;
  }
  TChunk* chunk = heap->chunks;
  while (chunk != nullptr) {
    TChunk* next = chunk->next;
    std::free(chunk);
    chunk = next;
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

// Private heaps and heap contexts.
//
// All memory of the mathematical model comes from the *current private heap*
// of the calling thread's installed heap context. A heap is an arena that can
// be destroyed as a whole: destroying it frees every block in it at once,
// without visiting the objects that live there. A computation that must not
// disturb the model the user sees pushes a fresh THeapContext, builds its data
// there, pops the context, and later destroys it (or pushes it again to carry
// on).
//
// Small blocks (up to 512 bytes) are carved from chunks of the heap and
// recycled through per-size free lists; larger blocks are chunks of the
// standard allocator of their own, linked into the heap's list. Building a
// model of many small objects thus costs one system allocation per chunk, and
// whole-heap destruction one free per chunk and large block. Under
// AddressSanitizer every block is a separate allocation, so overruns and use
// after destruction are still caught per block.
//
// The installed context (four words: object heap, owner, manager registry,
// registry heap) and the four saved levels beneath it are per thread: a worker
// thread and the user interface never share one. The saved stack is checked:
// a push beyond four saved levels or a pop without a matching push throws
// THeapContextStackError and changes nothing, instead of silently dropping or
// repeating a level.
//
// A single heap may be used from several threads (its block list is guarded by
// its own mutex), as the platform heaps it stands in for were.
#pragma once

#include <cstddef>
#include <stdexcept>

class TPrivateHeap;
using THeapHandle = TPrivateHeap*;

// Allocation flags. kHeapGenerateExceptions (4) makes a failure throw
// std::bad_alloc instead of returning null; kHeapZeroMemory (8) zeroes the block.
inline constexpr unsigned kHeapGenerateExceptions = 4;
inline constexpr unsigned kHeapZeroMemory = 8;

// ---- Heaps -------------------------------------------------------------

// Creates an empty, growable heap. When makeCurrent is 1 it also becomes the
// current heap of the installed context (the previous one is not destroyed);
// any other value leaves the current heap alone. Throws std::bad_alloc only when
// the heap record itself cannot be allocated.
THeapHandle PrivateHeapCreate(int makeCurrent);

// Destroys a heap and every block in it. Null does nothing. Words of the
// calling thread's installed context that name this heap are set to null, so
// the thread never allocates from a destroyed heap.
void PrivateHeapDestroy(THeapHandle heap);

// The process heap: one heap that lives as long as the process and is never
// destroyed (for texts that must outlive every computation heap).
THeapHandle ProcessHeap();

// ---- The current heap (object heap word of the installed context) ------

// Destroys the current heap, when there is one, and sets the current heap to none.
void PrivateHeapDestroyCurrent();
// PrivateHeapDestroyCurrent, then PrivateHeapCreate(1).
THeapHandle CreateModelHeap();
void SetCurrentHeap(THeapHandle heap);
THeapHandle CurrentHeap();

// Allocates from the current heap, creating one first (CreateModelHeap) when
// there is none. flags: kHeapGenerateExceptions and/or kHeapZeroMemory. On
// failure returns null, or throws std::bad_alloc with kHeapGenerateExceptions.
// A zero-byte request gives a valid, distinct block.
void* PrivateHeapAlloc(std::size_t bytes, unsigned flags);
// Resizes a block keeping its contents (up to the smaller size); the block may
// move. Returns null on failure (the old block is then untouched) or when block
// is null. The block is resized in the heap that holds it.
void* PrivateHeapReAlloc(void* block, std::size_t bytes);
// The usable size of a block as requested; 0 for null.
std::size_t PrivateHeapSize(const void* block);
// Frees a block into the heap that holds it; null does nothing.
void PrivateHeapFree(void* block);

// The same on an explicit heap (flags 0: failure returns null). A null heap
// makes PrivateHeapAllocIn fail. The block must belong to the heap given.
void* PrivateHeapAllocIn(THeapHandle heap, std::size_t bytes);
void* PrivateHeapReAllocIn(THeapHandle heap, void* block, std::size_t bytes);
std::size_t PrivateHeapSizeIn(THeapHandle heap, const void* block);
void PrivateHeapFreeIn(THeapHandle heap, void* block);

// Returns unused memory of a heap to the system where possible. Freed small
// blocks stay in their heap for reuse until it is destroyed; kept for callers
// that compact after large phases.
void PrivateHeapCompactIn(THeapHandle heap);
// Compacts the current heap and the registry heap, each when present.
void PrivateHeapCompact();

// Number of live blocks and their total requested bytes (for tests and
// diagnostics). Null gives 0.
std::size_t PrivateHeapBlockCount(THeapHandle heap);
std::size_t PrivateHeapBytesInUse(THeapHandle heap);

// ---- Heap contexts -------------------------------------------------------

// A context: the four words that are installed and saved together. It owns
// the two heaps it holds; destroying it destroys them.
class THeapContext {
 public:
  THeapHandle objectHeap = nullptr;
  void* owner = nullptr;            // who owns the context; never dereferenced here
  void* managerRegistry = nullptr;  // the object managers of this context
  THeapHandle registryHeap = nullptr;

  THeapContext() = default;
  ~THeapContext() { Destroy(); }
  THeapContext(const THeapContext&) = delete;
  THeapContext& operator=(const THeapContext&) = delete;

  // Sets all four words to null; destroys nothing.
  void Clear();
  // Creates a fresh heap (not made current) as the object heap. The previous
  // object heap, if any, is not destroyed.
  void Create();
  // Destroys the object heap and the registry heap, each when present, then
  // nulls all four words. Harmless on an empty context and when repeated.
  void Destroy();
  // Compacts the object heap and the registry heap, each when present.
  void Compact();
};

// The saved stack is checked; this is thrown by a push onto a full stack and by
// a pop with nothing saved. Neither call changes any state when it throws.
class THeapContextStackError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Number of saved levels beneath the installed context.
inline constexpr int kHeapContextSavedLevels = 4;

// Saves the installed context as the newest saved level and installs the
// context's words. The context record is not changed.
// Throws THeapContextStackError when four levels are already saved.
void PushHeapContext(THeapContext& context);
// Writes the installed words back into the context record, then re-installs the
// newest saved level. Throws THeapContextStackError when no level is saved.
void PopHeapContext(THeapContext& context);
// Number of levels currently saved by this thread (0 to 4).
int HeapContextDepth();

// The owner word of the installed context.
void* CurrentHeapContextOwner();

// The registry words of the installed context, read and written by the object
// manager registry.
void* CurrentManagerRegistry();
void SetCurrentManagerRegistry(void* registry);
THeapHandle CurrentRegistryHeap();
void SetCurrentRegistryHeap(THeapHandle heap);

// Pushes a context for the lifetime of the guard and pops it on every exit
// path, so an exception in a computation cannot leave the stack unbalanced.
class THeapContextGuard {
 public:
  explicit THeapContextGuard(THeapContext& context) : context_(context) {
    PushHeapContext(context_);
  }
  ~THeapContextGuard() { PopHeapContext(context_); }
  THeapContextGuard(const THeapContextGuard&) = delete;
  THeapContextGuard& operator=(const THeapContextGuard&) = delete;

 private:
  THeapContext& context_;
};

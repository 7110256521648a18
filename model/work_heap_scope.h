// A private heap for the scratch data of one computation.
//
// Some computations (homology, the grouping of cells into components) build
// many small temporary lists. They create a fresh heap, make it current for
// their work and destroy it as a whole at the end; only the result is made in
// the caller's heap. This scope does the bookkeeping on every exit path, an
// exception included: the work heap is destroyed and the caller's heap is
// current again.
//
// Everything made in the work heap that holds references to objects outside
// it (lists of edges or cells) must be released before the scope ends, so
// that those references are dropped; declare such lists after the scope.
#pragma once

#include "foundation/private_heap.h"

class TWorkHeapScope {
 public:
  TWorkHeapScope() : callerHeap_(CurrentHeap()), workHeap_(PrivateHeapCreate(1)) {}
  ~TWorkHeapScope() {
    PrivateHeapDestroy(workHeap_);
    SetCurrentHeap(callerHeap_);
  }
  TWorkHeapScope(const TWorkHeapScope&) = delete;
  TWorkHeapScope& operator=(const TWorkHeapScope&) = delete;

  // Switch between the two heaps while the scope lasts.
  void UseCallerHeap() const { SetCurrentHeap(callerHeap_); }
  void UseWorkHeap() const { SetCurrentHeap(workHeap_); }

 private:
  THeapHandle callerHeap_;
  THeapHandle workHeap_;
};

// Makes the caller's heap current for a block inside a work-heap scope.
class TCallerHeapBlock {
 public:
  explicit TCallerHeapBlock(const TWorkHeapScope& scope) : scope_(scope) { scope_.UseCallerHeap(); }
  ~TCallerHeapBlock() { scope_.UseWorkHeap(); }
  TCallerHeapBlock(const TCallerHeapBlock&) = delete;
  TCallerHeapBlock& operator=(const TCallerHeapBlock&) = delete;

 private:
  const TWorkHeapScope& scope_;
};

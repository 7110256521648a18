// A fresh heap context for one test: everything the test builds in the model
// lives in its own heap, and the heap's block count tells whether every block
// was given back.
#pragma once

#include "foundation/private_heap.h"

class TScopedModelHeap {
 public:
  TScopedModelHeap() {
    PushHeapContext(context_);
    heap_ = PrivateHeapCreate(1);
  }
  ~TScopedModelHeap() { PopHeapContext(context_); }
  TScopedModelHeap(const TScopedModelHeap&) = delete;
  TScopedModelHeap& operator=(const TScopedModelHeap&) = delete;

  THeapHandle Heap() const { return heap_; }
  std::size_t LiveBlocks() const { return PrivateHeapBlockCount(heap_); }

 private:
  THeapContext context_;
  THeapHandle heap_ = nullptr;
};

// The working heap of one benchmark.
#pragma once

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"

// A private heap in a heap context of its own for one benchmark, with the
// status texts (readers report what they read) suppressed.
class TBenchHeap {
 public:
  TBenchHeap() {
    PushHeapContext(context_);
    PrivateHeapCreate(1);
    SuppressStatus();
  }
  ~TBenchHeap() {
    UnsuppressStatus();
    PopHeapContext(context_);
    context_.Destroy();
  }
  TBenchHeap(const TBenchHeap&) = delete;
  TBenchHeap& operator=(const TBenchHeap&) = delete;

 private:
  THeapContext context_;
};

#include "foundation/private_heap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <thread>
#include <vector>

namespace {

// Every test starts and ends with no current heap and nothing saved, so a
// fault in one test cannot leak into the next.
class PrivateHeapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(HeapContextDepth(), 0);
    PrivateHeapDestroyCurrent();
    SetCurrentManagerRegistry(nullptr);
    SetCurrentRegistryHeap(nullptr);
  }
  void TearDown() override {
    EXPECT_EQ(HeapContextDepth(), 0);
    PrivateHeapDestroyCurrent();
  }
};

TEST_F(PrivateHeapTest, AllocWithoutCurrentHeapCreatesOneAndMakesItCurrent) {
  ASSERT_EQ(CurrentHeap(), nullptr);
  void* block = PrivateHeapAlloc(24, kHeapGenerateExceptions);
  ASSERT_NE(block, nullptr);
  ASSERT_NE(CurrentHeap(), nullptr);
  EXPECT_EQ(PrivateHeapSize(block), 24u);
  EXPECT_EQ(PrivateHeapBlockCount(CurrentHeap()), 1u);
  PrivateHeapFree(block);
  EXPECT_EQ(PrivateHeapBlockCount(CurrentHeap()), 0u);
}

TEST_F(PrivateHeapTest, CreateWithZeroLeavesTheCurrentHeapAlone) {
  THeapHandle current = PrivateHeapCreate(1);
  THeapHandle other = PrivateHeapCreate(0);
  EXPECT_NE(other, nullptr);
  EXPECT_EQ(CurrentHeap(), current);
  PrivateHeapDestroy(other);
  // Destroying the current heap through the explicit call forgets it too.
  PrivateHeapDestroy(current);
  EXPECT_EQ(CurrentHeap(), nullptr);
  PrivateHeapDestroyCurrent();  // nothing current: does nothing
  EXPECT_EQ(CurrentHeap(), nullptr);
}

TEST_F(PrivateHeapTest, ZeroFlagAndReallocKeepContents) {
  auto* zeroed = static_cast<unsigned char*>(PrivateHeapAlloc(64, kHeapZeroMemory));
  for (int i = 0; i < 64; ++i) ASSERT_EQ(zeroed[i], 0) << i;
  for (int i = 0; i < 64; ++i) zeroed[i] = static_cast<unsigned char>(i);
  auto* grown = static_cast<unsigned char*>(PrivateHeapReAlloc(zeroed, 100000));
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(PrivateHeapSize(grown), 100000u);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(grown[i], i);
  auto* shrunk = static_cast<unsigned char*>(PrivateHeapReAlloc(grown, 10));
  for (int i = 0; i < 10; ++i) ASSERT_EQ(shrunk[i], i);
  EXPECT_EQ(PrivateHeapBytesInUse(CurrentHeap()), 10u);
  EXPECT_EQ(PrivateHeapReAlloc(nullptr, 8), nullptr);
  PrivateHeapFree(shrunk);
}

// Blocks of every size around the small/large boundary, resized within their
// slot, across slots and across the boundary, freed and reused: no two live
// blocks may overlap, contents survive every resize, and the counts follow.
TEST_F(PrivateHeapTest, MixedSizesResizeFreeAndReuseWithoutOverlap) {
  THeapHandle heap = PrivateHeapCreate(0);
  struct TBlock {
    unsigned char* bytes;
    std::size_t size;
  };
  std::vector<TBlock> blocks;
  auto fill = [](const TBlock& block, std::size_t id) {
    for (std::size_t i = 0; i < block.size; ++i)
      block.bytes[i] = static_cast<unsigned char>(id * 31 + i);
  };
  auto check = [](const TBlock& block, std::size_t id, std::size_t upTo) {
    for (std::size_t i = 0; i < upTo; ++i)
      if (block.bytes[i] != static_cast<unsigned char>(id * 31 + i)) return false;
    return true;
  };
  const std::size_t sizes[] = {0, 1, 15, 16, 17, 48, 200, 511, 512, 513, 600, 5000};
  for (std::size_t round = 0; round < 40; ++round)
    for (std::size_t size : sizes) {
      TBlock block{static_cast<unsigned char*>(PrivateHeapAllocIn(heap, size)), size};
      ASSERT_NE(block.bytes, nullptr);
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block.bytes) % alignof(std::max_align_t), 0u);
      fill(block, blocks.size());
      blocks.push_back(block);
    }
  const std::size_t resized[] = {3, 31, 520, 16, 100, 2000, 0, 512, 513, 40, 7, 4096};
  for (std::size_t id = 0; id < blocks.size(); ++id) {
    TBlock& block = blocks[id];
    std::size_t size = resized[id % std::size(resized)];
    block.bytes = static_cast<unsigned char*>(PrivateHeapReAllocIn(heap, block.bytes, size));
    ASSERT_NE(block.bytes, nullptr);
    ASSERT_TRUE(check(block, id, std::min(size, block.size))) << "block " << id;
    block.size = size;
    EXPECT_EQ(PrivateHeapSizeIn(heap, block.bytes), size);
    fill(block, id);
  }
  for (std::size_t id = 0; id < blocks.size(); id += 2) PrivateHeapFreeIn(heap, blocks[id].bytes);
  for (std::size_t id = 0; id < blocks.size(); id += 2) {
    blocks[id].bytes = static_cast<unsigned char*>(PrivateHeapAllocIn(heap, blocks[id].size));
    fill(blocks[id], id);
  }
  std::size_t bytes = 0;
  for (std::size_t id = 0; id < blocks.size(); ++id) {
    ASSERT_TRUE(check(blocks[id], id, blocks[id].size)) << "block " << id << " was overwritten";
    bytes += blocks[id].size;
  }
  EXPECT_EQ(PrivateHeapBlockCount(heap), blocks.size());
  EXPECT_EQ(PrivateHeapBytesInUse(heap), bytes);
  PrivateHeapDestroy(heap);
}

TEST_F(PrivateHeapTest, FailureRaisesOnlyWithTheRaiseFlag) {
  std::size_t huge = static_cast<std::size_t>(-1) / 2;
  EXPECT_EQ(PrivateHeapAlloc(huge, 0), nullptr);
  EXPECT_THROW(PrivateHeapAlloc(huge, kHeapGenerateExceptions), std::bad_alloc);
  EXPECT_EQ(PrivateHeapAllocIn(nullptr, 8), nullptr);
}

TEST_F(PrivateHeapTest, DestroyingAHeapFreesEveryBlockAtOnce) {
  THeapHandle heap = PrivateHeapCreate(0);
  for (int i = 0; i < 1000; ++i) ASSERT_NE(PrivateHeapAllocIn(heap, 1 + i % 50), nullptr);
  EXPECT_EQ(PrivateHeapBlockCount(heap), 1000u);
  PrivateHeapDestroy(heap);  // the sanitizer build reports any block left behind
}

TEST_F(PrivateHeapTest, PushLazyAllocPopThenDestroy) {
  THeapHandle callers = PrivateHeapCreate(1);
  THeapContext context;
  PushHeapContext(context);
  EXPECT_EQ(CurrentHeap(), nullptr);
  void* block = PrivateHeapAlloc(32, kHeapGenerateExceptions);
  THeapHandle created = CurrentHeap();
  PopHeapContext(context);
  EXPECT_EQ(context.objectHeap, created);
  EXPECT_EQ(CurrentHeap(), callers);
  EXPECT_EQ(PrivateHeapBlockCount(context.objectHeap), 1u);
  (void)block;
  context.Destroy();
  EXPECT_EQ(context.objectHeap, nullptr);
  context.Destroy();  // twice is harmless
  EXPECT_EQ(CurrentHeap(), callers);
}

TEST_F(PrivateHeapTest, RepushedContextFindsItsEarlierContents) {
  THeapContext context;
  PushHeapContext(context);
  auto* text = static_cast<char*>(PrivateHeapAlloc(6, kHeapGenerateExceptions));
  std::memcpy(text, "spine", 6);
  PopHeapContext(context);
  EXPECT_EQ(CurrentHeap(), nullptr);
  PushHeapContext(context);
  EXPECT_EQ(CurrentHeap(), context.objectHeap);
  EXPECT_STREQ(text, "spine");
  PopHeapContext(context);
}

TEST_F(PrivateHeapTest, FourNestedPushesAndPopsRestoreEveryLevel) {
  THeapContext contexts[4];
  int owners[4];
  for (int i = 0; i < 4; ++i) {
    contexts[i].Create();
    contexts[i].owner = &owners[i];
    PushHeapContext(contexts[i]);
  }
  EXPECT_EQ(HeapContextDepth(), 4);
  EXPECT_EQ(CurrentHeapContextOwner(), &owners[3]);
  for (int i = 3; i >= 0; --i) {
    EXPECT_EQ(CurrentHeap(), contexts[i].objectHeap) << i;
    EXPECT_EQ(CurrentHeapContextOwner(), &owners[i]) << i;
    PopHeapContext(contexts[i]);
  }
  EXPECT_EQ(CurrentHeapContextOwner(), nullptr);
}

TEST_F(PrivateHeapTest, StackFaultsAreReportedAndChangeNothing) {
  THeapContext context;
  EXPECT_THROW(PopHeapContext(context), THeapContextStackError);
  EXPECT_EQ(HeapContextDepth(), 0);

  THeapContext levels[4];
  for (auto& level : levels) PushHeapContext(level);
  THeapContext fifth;
  fifth.Create();
  THeapHandle installed = CurrentHeap();
  EXPECT_THROW(PushHeapContext(fifth), THeapContextStackError);
  EXPECT_EQ(HeapContextDepth(), 4);
  EXPECT_EQ(CurrentHeap(), installed);
  for (int i = 3; i >= 0; --i) PopHeapContext(levels[i]);
}

TEST_F(PrivateHeapTest, DestroyingAnInstalledContextForgetsItsHeaps) {
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapAlloc(8, kHeapGenerateExceptions);
  THeapHandle registryHeap = PrivateHeapCreate(0);
  SetCurrentRegistryHeap(registryHeap);
  SetCurrentManagerRegistry(PrivateHeapAllocIn(registryHeap, 16));
  PopHeapContext(context);
  EXPECT_EQ(context.registryHeap, registryHeap);
  EXPECT_NE(context.managerRegistry, nullptr);

  PushHeapContext(context);
  context.Destroy();  // while installed: the installed words must not dangle
  EXPECT_EQ(CurrentHeap(), nullptr);
  EXPECT_EQ(CurrentRegistryHeap(), nullptr);
  EXPECT_EQ(CurrentManagerRegistry(), nullptr);
  PopHeapContext(context);
}

TEST_F(PrivateHeapTest, GuardPopsOnException) {
  THeapContext context;
  try {
    THeapContextGuard guard(context);
    PrivateHeapAlloc(8, kHeapGenerateExceptions);
    throw std::runtime_error("computation failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(HeapContextDepth(), 0);
  EXPECT_NE(context.objectHeap, nullptr);
}

TEST_F(PrivateHeapTest, EachThreadHasItsOwnInstalledContext) {
  THeapHandle mine = PrivateHeapCreate(1);
  THeapHandle seenByWorker = mine;
  std::thread worker([&] {
    seenByWorker = CurrentHeap();
    THeapContext context;
    PushHeapContext(context);
    PrivateHeapAlloc(16, kHeapGenerateExceptions);
    PopHeapContext(context);
  });
  worker.join();
  EXPECT_EQ(seenByWorker, nullptr);
  EXPECT_EQ(CurrentHeap(), mine);
}

}  // namespace

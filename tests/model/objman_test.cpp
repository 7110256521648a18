#include "model/objman.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "support/model_heap.h"

namespace {

std::vector<int> NumbersOfKind(TObjectManager& objects, int kind) {
  std::vector<int> numbers;
  for (TObjectHeader* o = objects.First(kind); o != nullptr; o = objects.Next(o))
    numbers.push_back(o->number);
  return numbers;
}

}  // namespace

TEST(ObjectManager, TheFactoryRefusesKindsItDoesNotMake) {
  TScopedModelHeap heap;
  TObjectManager objects;
  for (int kind : {-1, 0, 1, 2, 10, 16}) {
    EXPECT_EQ(objects.CreateObject(kind), nullptr) << kind;
  }
  EXPECT_EQ(objects.Count(), 0);
  for (int kind = 0; kind < kObjectKindCount; ++kind) EXPECT_EQ(objects.HighestNumber(kind), 0);
}

TEST(ObjectManager, NumbersPerKindAndCountsOnlyListedObjects) {
  TScopedModelHeap heap;
  TObjectManager objects;
  objects.SetCreationTag(6);
  TObjectHeader* v1 = objects.CreateObject(kVertexKind);
  TObjectHeader* e1 = objects.CreateObject(kEdgeKind);
  TObjectHeader* v2 = objects.CreateObject(kVertexKind);
  THandle component(objects.CreateObject(kComponentKind));
  EXPECT_EQ(v1->number, 1);
  EXPECT_EQ(v2->number, 2);
  EXPECT_EQ(e1->number, 1);
  EXPECT_EQ(v1->creationTag, 6);
  EXPECT_EQ(component.Number(), 1);
  EXPECT_EQ(ObjectRefCount(component), 1);  // the manager does not hold it
  EXPECT_EQ(objects.Count(), 3);
  EXPECT_EQ(objects.CountOfKind(kVertexKind), 2);
  EXPECT_EQ(objects.CountOfKind(kComponentKind), 0);
  EXPECT_FALSE(objects.Contains(component));
}

TEST(ObjectManager, ManagersOfAChainShareTheHeadsNumbers) {
  TScopedModelHeap heap;
  TComplex head;
  TObjectManager further;
  further.SetOwner(&head);
  std::vector<int> numbers;
  for (int i = 0; i < 3; ++i) {
    numbers.push_back(head.Objects().CreateObject(kCellKind)->number);
    numbers.push_back(further.CreateObject(kCellKind)->number);
  }
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(ObjectManager, RenumberingGivesEachKindOneToN) {
  TScopedModelHeap heap;
  TObjectManager objects;
  objects.SetCreationTag(9);
  std::vector<THandle> vertices, edges;
  for (int i = 0; i < 3; ++i) {
    vertices.emplace_back(objects.CreateObject(kVertexKind));
    edges.emplace_back(objects.CreateObject(kEdgeKind));
  }
  objects.Unregister(vertices[0]);
  edges[1].SetName(nullptr, "a");
  edges[2].SetNumberSlot(1, 77);
  objects.Renumber();
  EXPECT_EQ(objects.CreationTag(), 1);
  EXPECT_STREQ(vertices[1].DisplayName(), "v1");
  EXPECT_STREQ(vertices[2].DisplayName(), "v2");
  EXPECT_STREQ(edges[0].DisplayName(), "1");
  EXPECT_STREQ(edges[1].DisplayName(), "2");  // the name is gone
  EXPECT_EQ(edges[2].Number(1), 77);          // secondary numbers stay
  EXPECT_EQ(objects.NextSerial(kVertexKind), 3);
}

TEST(ObjectManager, FirstFreeNumberAndLookups) {
  TScopedModelHeap heap;
  TObjectManager objects;
  std::vector<THandle> edges;
  for (int i = 0; i < 4; ++i) edges.emplace_back(objects.CreateObject(kEdgeKind));
  objects.Unregister(edges[2]);  // numbers 1, 2, 4 are left
  EXPECT_EQ(objects.FirstFreeNumber(kEdgeKind), 3);
  EXPECT_EQ(objects.FirstFreeNumber(kCellKind), 1);
  EXPECT_EQ(objects.FindByNumber(kEdgeKind, 4), edges[3].Object());
  EXPECT_EQ(objects.FindByNumber(kVertexKind, 4), nullptr);
  edges[1].SetName(nullptr, "b 2");
  EXPECT_EQ(objects.FindByName(kEdgeKind, " b   2"), edges[1].Object());
  EXPECT_EQ(objects.FindByName(kEdgeKind, "#4"), edges[3].Object());  // by display name
  std::string prefix(31, 'p');
  edges[0].SetName(prefix.c_str(), "-first");
  edges[3].SetName(prefix.c_str(), "-second");
  EXPECT_EQ(objects.FindByName(kEdgeKind, (prefix + "-second").c_str()), edges[3].Object());
  EXPECT_EQ(objects.NthOfKind(kEdgeKind, 2), edges[3].Object());
  EXPECT_EQ(objects.NthOfKind(kEdgeKind, 3), nullptr);
}

// Loops that unregister objects while they iterate: every object of the kind
// must be visited exactly once, whatever the loop removes.
TEST(ObjectManager, IterationStaysCorrectWhileObjectsAreRemoved) {
  struct Case {
    const char* name;
    bool (*removeThis)(int number);
  };
  const Case cases[] = {
      {"every object", [](int) { return true; }},
      {"every other object", [](int n) { return n % 2 == 1; }},
      {"the first object", [](int n) { return n == 1; }},
      {"the last object", [](int n) { return n == 8; }},
  };
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TObjectManager objects;
    for (int i = 0; i < 8; ++i) {
      objects.CreateObject(kVertexKind);
      if (i % 2 == 1) objects.CreateObject(kEdgeKind);  // another kind between pairs
    }
    std::vector<int> visited;
    for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
      visited.push_back(v->number);
      // The manager holds the only reference: removal destroys the object.
      if (c.removeThis(v->number)) objects.Unregister(v);
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8})) << c.name;
  }
}

TEST(ObjectManager, IterationSurvivesReplacingTheCurrentObject) {
  TScopedModelHeap heap;
  TObjectManager objects;
  for (int i = 0; i < 4; ++i) objects.CreateObject(kCellKind);
  std::vector<int> visited;
  for (THandle c(objects.First(kCellKind)); c.IsValid(); c.AssignObject(objects.NextOfHandle(c))) {
    visited.push_back(c.Number());
    if (c.Number() <= 4) {
      objects.Unregister(c);
      objects.CreateObject(kCellKind);  // appended; visited later
    }
  }
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(objects.CountOfKind(kCellKind), 4);
}

TEST(ObjectManager, NextOfAForeignObjectIsAnInternalError) {
  TScopedModelHeap heap;
  TObjectManager objects;
  TObjectManager other;
  THandle stranger(other.CreateObject(kVertexKind));
  objects.CreateObject(kVertexKind);
  unsigned long errors = InternalErrorCount();
  EXPECT_EQ(objects.Next(stranger), nullptr);
  EXPECT_EQ(InternalErrorCount(), errors + 1);
  EXPECT_EQ(ManagerOfObject(nullptr), nullptr);
  EXPECT_EQ(InternalErrorCount(), errors + 2);
}

TEST(ObjectManager, TheRegistryFindsTheHolderWithinItsContext) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle v(objects.CreateObject(kVertexKind));
  EXPECT_EQ(ManagerOfObject(v), &objects);
  THandle w(CreateObjectLike(kEdgeKind, v));
  EXPECT_TRUE(objects.Contains(w));
  {
    TScopedModelHeap inner;  // another context: another registry
    EXPECT_EQ(ManagerOfObject(v), nullptr);
    TObjectManager local;
    EXPECT_EQ(ManagerAt(0), &local);
    EXPECT_EQ(ManagerAt(1), nullptr);
  }
  EXPECT_EQ(ManagerOfObject(v), &objects);
}

TEST(ObjectManager, SortingMovesOnlyTheKindsPositions) {
  TScopedModelHeap heap;
  TObjectManager objects;
  std::vector<THandle> cells;
  THandle edge;
  for (int i = 0; i < 4; ++i) {
    cells.emplace_back(objects.CreateObject(kCellKind));
    if (i == 1) edge.AssignObject(objects.CreateObject(kEdgeKind));
  }
  for (int i = 0; i < 4; ++i) cells[static_cast<std::size_t>(i)].SetNumber(40 - 10 * i);
  objects.SortKindByNumber(kCellKind);
  EXPECT_EQ(NumbersOfKind(objects, kCellKind), (std::vector<int>{10, 20, 30, 40}));
  EXPECT_EQ(objects.IndexOf(edge), 2);
}

// Shuffled distinct numbers among objects of another kind, and equal
// numbers: the kind ends up in ascending order on its own positions, and
// the iteration cursor still names the object it named before.
TEST(ObjectManager, SortingLargeShuffledKinds) {
  struct TCase {
    int count;
    unsigned seed;
    int repeats;  // each number used this many times
  };
  for (const TCase& c : {TCase{1, 1, 1}, TCase{2, 2, 1}, TCase{300, 3, 1}, TCase{301, 4, 1}, TCase{60, 5, 3}}) {
    TScopedModelHeap heap;
    TObjectManager objects;
    std::vector<THandle> cells;
    std::vector<THandle> edges;
    std::vector<int> numbers;
    for (int i = 0; i < c.count; ++i) numbers.push_back(i / c.repeats + 1);
    std::mt19937 random(c.seed);
    std::shuffle(numbers.begin(), numbers.end(), random);
    for (int i = 0; i < c.count; ++i) {
      cells.emplace_back(objects.CreateObject(kCellKind));
      cells.back().SetNumber(numbers[static_cast<std::size_t>(i)]);
      if (i % 3 == 0) edges.emplace_back(objects.CreateObject(kEdgeKind));
    }
    std::vector<int> edgePositions;
    for (const THandle& edge : edges) edgePositions.push_back(objects.IndexOf(edge));
    TObjectHeader* cursor = objects.First(kEdgeKind);
    objects.SortKindByNumber(kCellKind);
    std::vector<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(NumbersOfKind(objects, kCellKind), sorted) << c.count;
    for (std::size_t e = 0; e < edges.size(); ++e) EXPECT_EQ(objects.IndexOf(edges[e]), edgePositions[e]);
    EXPECT_EQ(objects.CountOfKind(kCellKind), c.count);
    EXPECT_EQ(objects.Next(cursor), edges.size() > 1 ? edges[1].Object() : nullptr);
  }
}

TEST(ObjectManager, MoveAllToAndCopyObjectsTo) {
  TScopedModelHeap heap;
  TObjectManager source;
  TObjectManager target;
  source.SetCreationTag(1);
  THandle v(source.CreateObject(kVertexKind));
  THandle e(source.CreateObject(kEdgeKind));
  e.SetName(nullptr, "x");

  TObjectManager copy;
  source.CopyObjectsTo(copy);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.At(1)->kind, kEdgeKind);
  EXPECT_STREQ(ObjectDisplayName(copy.At(1)), "x");
  EXPECT_EQ(copy.HighestNumber(kVertexKind), 1);
  EXPECT_EQ(copy.CountOfKind(kEdgeKind), 1);

  TObjectList mapped;
  TObjectList from;
  from.Append(e);
  from.Append(v);
  source.MapObjects(mapped, from, copy);
  EXPECT_EQ(mapped.At(0), copy.At(1));
  EXPECT_EQ(mapped.At(1), copy.At(0));

  source.MoveAllTo(target);
  EXPECT_EQ(source.Count(), 0);
  EXPECT_EQ(target.Count(), 2);
  EXPECT_EQ(target.CountOfKind(kVertexKind), 1);
  EXPECT_EQ(ObjectRefCount(v), 3);  // the target, the list from and v
}

// Membership is kept beside the list: every way an object enters or leaves a
// manager must update it, or Contains would answer for a list it no longer
// describes.
TEST(ObjectManager, MembershipFollowsEveryChangeOfTheList) {
  TScopedModelHeap heap;
  TObjectManager source;
  THandle v(source.CreateObject(kVertexKind));
  THandle e(source.CreateObject(kEdgeKind));
  THandle outsider;
  {
    TObjectManager other;
    outsider.AssignObject(other.CreateObject(kEdgeKind));
  }
  EXPECT_TRUE(source.Contains(v));
  EXPECT_FALSE(source.Contains(outsider));
  EXPECT_FALSE(source.Contains(nullptr));
  EXPECT_EQ(source.IndexOf(outsider), -1);

  // An object listed twice stays a member until its last occurrence goes.
  source.Register(v);
  EXPECT_EQ(source.IndexOf(v), 2);
  EXPECT_EQ(source.Unregister(v), 1);
  EXPECT_TRUE(source.Contains(v));
  EXPECT_EQ(source.IndexOf(v), 0);
  EXPECT_EQ(source.UnregisterAt(0), 1);
  EXPECT_FALSE(source.Contains(v));
  EXPECT_EQ(source.Unregister(v), 0);
  EXPECT_EQ(source.Count(), 1);

  source.Register(v);
  TObjectManager copy;
  source.CopyObjectsTo(copy);
  EXPECT_TRUE(copy.Contains(copy.At(0)));
  EXPECT_TRUE(copy.Contains(copy.At(1)));
  EXPECT_FALSE(copy.Contains(e));

  TObjectManager target;
  source.MoveAllTo(target);
  EXPECT_FALSE(source.Contains(e));
  EXPECT_TRUE(target.Contains(e));
  EXPECT_TRUE(target.Contains(v));
  target.SwapAt(0, 1);
  EXPECT_EQ(target.IndexOf(e), 1);
  target.Reset();
  EXPECT_FALSE(target.Contains(e));
  EXPECT_EQ(ManagerOfObject(e), nullptr);
}

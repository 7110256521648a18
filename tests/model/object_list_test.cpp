#include "model/object_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/objman.h"
#include "support/model_heap.h"

TEST(ObjectList, SmallListsStayTightAndLongOnesGrowGeometrically) {
  TScopedModelHeap heap;
  TObjectList list;
  EXPECT_EQ(list.Capacity(), 3);
  EXPECT_EQ(list.Count(), 0);
  TObjectManager objects;
  for (int i = 0; i < 4; ++i) list.Append(objects.CreateObject(kVertexKind));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Capacity(), 6);

  // A long list is moved only a logarithmic number of times, and keeps its
  // elements in order through every move.
  TObjectList values;
  values.SetWeak(2);
  int moves = 0;
  int capacity = values.Capacity();
  for (int i = 1; i <= 100000; ++i) {
    ASSERT_EQ(values.AppendValue(i), 1);
    if (values.Capacity() != capacity) {
      ++moves;
      EXPECT_GE(values.Capacity(), capacity + capacity / 2);
      capacity = values.Capacity();
    }
  }
  EXPECT_LT(moves, 40);
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 99999}) EXPECT_EQ(values.ValueAt(i), i + 1);

  TObjectList sized(2, 5);
  EXPECT_EQ(sized.Count(), 2);
  EXPECT_EQ(sized.Capacity(), 5);
  EXPECT_EQ(sized.At(1), nullptr);
}

TEST(ObjectList, LookupFindsTheLastOccurrence) {
  TScopedModelHeap heap;
  TObjectManager objects;
  TObjectHeader* a = objects.CreateObject(kEdgeKind);
  TObjectHeader* b = objects.CreateObject(kEdgeKind);
  TObjectList list;
  list.Append(a);
  list.Append(b);
  list.Append(a);
  EXPECT_EQ(list.IndexOf(a), 2);
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_EQ(list.At(3), nullptr);
  EXPECT_EQ(ObjectRefCount(a), 3);
  EXPECT_EQ(list.Remove(a), 1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.At(0), a);
  EXPECT_EQ(list.At(1), b);
  EXPECT_EQ(ObjectRefCount(a), 2);
  EXPECT_EQ(list.Remove(nullptr), 0);
  EXPECT_EQ(list.RemoveAt(-1), 0);
  EXPECT_EQ(list.RemoveAt(2), 0);
}

TEST(ObjectList, SetInsertAndClearKeepCountsRight) {
  TScopedModelHeap heap;
  TObjectManager objects;
  TObjectHeader* a = objects.CreateObject(kVertexKind);
  TObjectHeader* b = objects.CreateObject(kVertexKind);
  TObjectList list;
  EXPECT_EQ(list.SetAt(4, a), 1);  // extends with nulls between
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.At(2), nullptr);
  EXPECT_EQ(list.SetAt(4, b), 1);
  EXPECT_EQ(ObjectRefCount(a), 1);
  EXPECT_EQ(ObjectRefCount(b), 2);
  EXPECT_EQ(list.InsertAt(0, a), 1);
  EXPECT_EQ(list.InsertAt(7, a), 0);
  EXPECT_EQ(list.At(5), b);
  EXPECT_EQ(list.Swap(0, 5), 1);
  EXPECT_EQ(list.At(0), b);
  EXPECT_EQ(ObjectRefCount(a), 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 1);
  EXPECT_EQ(ObjectRefCount(a), 1);
  EXPECT_EQ(ObjectRefCount(b), 1);
}

TEST(ObjectList, RemovingTheLastReferenceDestroysTheElement) {
  TScopedModelHeap heap;
  TObjectManager objects;
  TObjectHeader* v = objects.CreateObject(kVertexKind);
  TObjectList list;
  list.Append(v);
  objects.Unregister(v);
  long destroyed = ObjectsDestroyed(kVertexKind);
  list.RemoveAt(0);
  EXPECT_EQ(ObjectsDestroyed(kVertexKind), destroyed + 1);
}

TEST(ObjectList, PlainListsHoldValuesWithoutReferences) {
  TScopedModelHeap heap;
  TObjectList values;
  EXPECT_EQ(values.AppendValue(5), 0);  // a counted list refuses plain values
  values.SetWeak(2);
  for (int v : {7, -3, 7}) values.AppendValue(v);
  EXPECT_EQ(values.IndexOfValue(7), 2);

  TObjectList copy;
  values.CopyTo(copy);
  EXPECT_EQ(copy.Mode(), 2);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.ValueAt(1), -3);
}

TEST(ObjectList, CopyingAListOfListsCopiesTheInnerLists) {
  TScopedModelHeap heap;
  TObjectManager objects;
  TObjectHeader* v = objects.CreateObject(kVertexKind);
  TObjectList outer;
  outer.SetTag(1);
  {
    TObjectList inner;
    inner.Append(v);
    inner.Append(v);
    outer.Append(inner.Body());
  }
  outer.Append(nullptr);

  TObjectList copy;
  outer.CopyTo(copy);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Tag(), 1);
  EXPECT_EQ(copy.At(1), nullptr);
  ASSERT_NE(copy.At(0), outer.At(0));  // a new body
  EXPECT_EQ(ObjectRefCount(copy.At(0)), 1);
  TObjectList copiedInner = TObjectList::OfBody(copy.At(0));
  EXPECT_EQ(copiedInner.Count(), 2);
  copiedInner.RemoveAt(0);
  EXPECT_EQ(TObjectList::OfBody(outer.At(0)).Count(), 2);  // the source is unchanged
  EXPECT_EQ(ObjectRefCount(v), 4);  // manager, two in the source, one in the copy

  // A body that the outer list also holds never moves under it.
  TObjectHeader* body = copy.At(0);
  copiedInner.Clear();
  EXPECT_EQ(copiedInner.Body(), body);
  copiedInner.Append(v);  // fits in the slot the clear kept
  EXPECT_THROW(
      {
        for (int i = 0; i < 4; ++i) copiedInner.Append(v);
      },
      std::logic_error);
  EXPECT_EQ(copy.At(0), body);
}

TEST(ObjectList, RotationAndReversalKeepTheElements) {
  TScopedModelHeap heap;
  TObjectList values;
  values.SetWeak(2);
  for (int v = 0; v < 5; ++v) values.AppendValue(v);
  values.RotateLeft(2);
  EXPECT_EQ(values.ValueAt(0), 2);
  EXPECT_EQ(values.ValueAt(4), 1);
  values.Reverse();
  EXPECT_EQ(values.ValueAt(0), 1);
  EXPECT_EQ(values.ValueAt(4), 2);
}

// Discard empties a list like Clear; a counted list's body is given back (the
// list works on afterwards), while a weak list keeps its mode and a body that
// another list holds stays where it is.
TEST(ObjectList, DiscardEmptiesTheListAndKeepsWhatOthersRelyOn) {
  TScopedModelHeap heap;
  TObjectManager objects;
  TObjectHeader* a = objects.CreateObject(kVertexKind);
  TObjectList counted;
  counted.Append(a);
  counted.Append(a);
  EXPECT_EQ(ObjectRefCount(a), 3);
  counted.Discard();
  EXPECT_EQ(counted.Count(), 0);
  EXPECT_EQ(ObjectRefCount(a), 1);
  EXPECT_EQ(counted.At(0), nullptr);
  EXPECT_EQ(counted.Append(a), 1);
  EXPECT_EQ(counted.At(0), a);
  EXPECT_EQ(ObjectRefCount(a), 2);

  TObjectList weak;
  weak.SetWeak(2);
  weak.AppendValue(7);
  weak.Discard();
  EXPECT_EQ(weak.Count(), 0);
  EXPECT_EQ(weak.Mode(), 2);
  EXPECT_EQ(weak.AppendValue(8), 1);
  EXPECT_EQ(weak.ValueAt(0), 8);

  TObjectList shared;
  shared.Append(a);
  TObjectList holder;
  holder.SetTag(1);
  holder.Append(shared.Body());
  TObjectListBody* body = shared.Body();
  shared.Discard();
  EXPECT_EQ(shared.Body(), body);
  EXPECT_EQ(shared.Count(), 0);
  EXPECT_EQ(ObjectRefCount(a), 2);
}

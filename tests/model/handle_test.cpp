#include "model/handle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/cell.h"
#include "model/objman.h"
#include "model/vertex.h"
#include "support/model_heap.h"

namespace {

// A vertex that only the returned handle keeps alive.
THandle LoneVertex(TObjectManager& objects) {
  THandle vertex(objects.CreateObject(kVertexKind));
  objects.Unregister(vertex);
  return vertex;
}

}  // namespace

TEST(Handle, NullHandlesAreNeverEqual) {
  THandle a;
  THandle b;
  EXPECT_FALSE(a.Equals(b));
  EXPECT_FALSE(a.Equals(a));
  EXPECT_TRUE(a.NotEquals(b));
  EXPECT_EQ(a.Number(), -1);
  EXPECT_EQ(a.DisplayName(), nullptr);

  TScopedModelHeap heap;
  TObjectManager objects;
  THandle v(objects.CreateObject(kVertexKind));
  THandle w = v;
  EXPECT_TRUE(v.Equals(v));
  EXPECT_TRUE(v.Equals(w));
  EXPECT_FALSE(v.Equals(a));
}

TEST(Handle, CopyAcquiresAndReleaseDrops) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle v(objects.CreateObject(kVertexKind));
  EXPECT_EQ(ObjectRefCount(v), 2);  // the manager and v
  {
    THandle copy = v;
    EXPECT_EQ(ObjectRefCount(v), 3);
    THandle moved = std::move(copy);
    EXPECT_EQ(ObjectRefCount(v), 3);
    EXPECT_FALSE(copy.IsValid());  // NOLINT: checking the moved-from state
  }
  EXPECT_EQ(ObjectRefCount(v), 2);
  v.Release();
  EXPECT_FALSE(v.IsValid());
}

TEST(Handle, AssigningTheSoleHandleToItselfKeepsTheObject) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle v = LoneVertex(objects);
  THandle edge(objects.CreateObject(kEdgeKind));
  TVertex::AddEdgeAndRelink(v, edge);
  ASSERT_EQ(ObjectRefCount(v), 1);
  long destroyed = ObjectsDestroyed(kVertexKind);

  THandle& alias = v;
  v = alias;
  v.Assign(v);
  v.AssignObject(v.Object());
  v = std::move(alias);

  ASSERT_TRUE(v.IsValid());
  EXPECT_EQ(ObjectRefCount(v), 1);
  EXPECT_EQ(ObjectsDestroyed(kVertexKind), destroyed);
  EXPECT_EQ(TVertex::Valency(v), 1);  // not emptied by a release
}

TEST(Handle, AssigningAnObjectOnlyTheOldOneKeepsAlive) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle v = LoneVertex(objects);
  THandle edge(objects.CreateObject(kEdgeKind));
  TVertex::AddEdgeAndRelink(v, edge);
  TObjectHeader* raw = edge.Object();
  objects.Unregister(raw);
  edge.Release();
  ASSERT_EQ(ObjectRefCount(raw), 1);  // only the vertex's edge list

  long edgesDestroyed = ObjectsDestroyed(kEdgeKind);
  v.AssignObject(TVertex::Of(v)->edgeList.At(0));  // the old vertex goes, its edge stays
  ASSERT_EQ(v.Object(), raw);
  EXPECT_EQ(v.Kind(), kEdgeKind);
  EXPECT_EQ(ObjectRefCount(raw), 1);
  EXPECT_EQ(ObjectsDestroyed(kEdgeKind), edgesDestroyed);
}

TEST(Handle, ACycleIsFreedOnceWhenReleased) {
  TScopedModelHeap heap;
  long verticesBefore = ObjectsDestroyed(kVertexKind);
  long cellsBefore = ObjectsDestroyed(kCellKind);
  {
    TObjectManager objects;
    // A vertex and a cell attached at it hold each other.
    TObjectHeader* vertex = objects.CreateObject(kVertexKind);
    TObjectHeader* cell = objects.CreateObject(kCellKind);
    ASSERT_EQ(TCell::AttachToVertex(cell, vertex), 1);
    objects.Unregister(cell);    // now only the vertex holds the cell
    objects.Unregister(vertex);  // and only the cell holds the vertex
    ASSERT_EQ(ObjectRefCount(vertex), 1);
    ASSERT_EQ(ObjectRefCount(cell), 1);
    // The vertex's release lets go of the cell, whose destroy lets go of the
    // vertex while the vertex's release still runs: both go exactly once.
    ObjectReleaseByKind(vertex);
  }
  EXPECT_EQ(ObjectsDestroyed(kVertexKind) - verticesBefore, 1);
  EXPECT_EQ(ObjectsDestroyed(kCellKind) - cellsBefore, 1);
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

TEST(Handle, DisplayNamesFollowTheKindAndTag) {
  TScopedModelHeap heap;
  TObjectManager objects;
  struct Case {
    int kind;
    int tag;
    const char* expected;
  };
  const Case cases[] = {
      {kVertexKind, 1, "v1"},
      {kVertexKind, 7, "v#2"},
      {kEdgeKind, 1, "1"},
      {kEdgeKind, 0, "#2"},
      {kCellKind, 1, "Cell #1"},
      {kComponentKind, 0, "Component 1"},
      {kThickCellKind, 1, "Cell #1"},
      {kDetailKind, 0, "v1"},
      {kDetailRepresentationKind, 0, "Detail representation #1"},
      {kEdgeChainKind, 0, "Edge Chain 1"},
  };
  for (const Case& c : cases) {
    objects.SetCreationTag(c.tag);
    THandle object(objects.CreateObject(c.kind));
    EXPECT_STREQ(object.DisplayName(), c.expected) << "kind " << c.kind;
  }
  THandle unnumbered(objects.CreateObject(kVertexKind));
  unnumbered.SetNumber(-1);
  EXPECT_STREQ(unnumbered.DisplayName(), "");
}

TEST(Handle, NamesWinAndAreCutTo31Characters) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle cell(objects.CreateObject(kCellKind));
  cell.SetName("north ", "face");
  EXPECT_STREQ(cell.DisplayName(), "north face");
  EXPECT_TRUE(cell.IsNamed("  north \t\r\n face "));
  EXPECT_FALSE(cell.IsNamed("North face"));

  std::string longName(40, 'x');
  cell.SetName(nullptr, longName.c_str());
  EXPECT_EQ(std::strlen(cell.DisplayName()), 31u);
  // A long name is matched whole, not by its first 31 characters.
  EXPECT_TRUE(cell.IsNamed(longName.c_str()));
  EXPECT_FALSE(cell.IsNamed(std::string(31, 'x').c_str()));
  EXPECT_FALSE(cell.IsNamed((longName + "y").c_str()));

  cell.SetName("", "");
  EXPECT_EQ(cell.NameObject(), nullptr);
  EXPECT_STREQ(cell.DisplayName(), "Cell #1");

  cell.SetName(nullptr, "named");
  {
    TSuppressObjectNamesScope suppress(1);
    cell.SetName(nullptr, "other");  // names are not made: the old one goes
  }
  EXPECT_EQ(cell.NameObject(), nullptr);
}

TEST(Handle, FourDisplayNamesCanBeHeldAtOnce) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle v[5];
  for (auto& vertex : v) {
    objects.SetCreationTag(1);
    vertex.AssignObject(objects.CreateObject(kVertexKind));
  }
  const char* names[5];
  for (int i = 0; i < 5; ++i) names[i] = v[i].DisplayName();
  EXPECT_STREQ(names[1], "v2");
  EXPECT_STREQ(names[3], "v4");
  EXPECT_EQ(names[4], names[0]);  // the fifth call reuses the first buffer
  EXPECT_STREQ(names[0], "v5");
}

TEST(Handle, CopyIdentityCopiesNumbersMarksAndName) {
  TScopedModelHeap heap;
  TObjectManager objects;
  objects.SetCreationTag(12);
  THandle source(objects.CreateObject(kEdgeKind));
  THandle target(objects.CreateObject(kEdgeKind));
  ObjectSetCreationTag(source, 3);
  source.SetNumberSlot(1, 40);
  source.SetMark(2, 9);
  target.SetName(nullptr, "stale");
  source.CopyIdentity(target);  // unnamed source: the target loses its name
  EXPECT_EQ(target.NameObject(), nullptr);
  EXPECT_EQ(target.Number(), source.Number());
  EXPECT_EQ(target.Number(1), 40);
  EXPECT_EQ(target.Mark(2), 9);
  EXPECT_EQ(target->creationTag, 3);

  source.SetName(nullptr, "e17");
  TSuppressObjectNamesScope suppress(1);
  source.CopyIdentity(target);
  ASSERT_NE(target.NameObject(), nullptr);
  EXPECT_NE(target.NameObject(), source.NameObject());  // a copy, not a shared name
  EXPECT_STREQ(target.DisplayName(), "e17");
}

TEST(Handle, NullObjectsAnswerWithDefaults) {
  EXPECT_EQ(ObjectAddRef(nullptr), 0);
  EXPECT_EQ(ObjectDropRef(nullptr), nullptr);
  EXPECT_EQ(ObjectKind(nullptr), 0);
  EXPECT_EQ(ObjectNumber(nullptr, 1), -1);
  EXPECT_EQ(ObjectSetCreationTag(nullptr, 5), 0);
  EXPECT_EQ(NewNameObject("", 1), nullptr);
  char buffer[4] = "abc";
  EXPECT_EQ(NameObjectText(nullptr, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "abc");
  THandle none;
  none.SetMark(0, 1);
  EXPECT_EQ(none.Mark(0), 0);
}

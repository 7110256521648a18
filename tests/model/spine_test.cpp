#include "model/spine.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <string>
#include <vector>

#include "model/cell.h"
#include "model/homology.h"
#include "model/object_table.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

void Build(TSpine& spine, const char* text) {
  TBoundaryCurvesPresentation presentation;
  ASSERT_GT(presentation.Parse(text), 0) << text;
  presentation.BuildSpine(spine);
  spine.SetSourceKind(kSourceBoundaryCurves);
}

std::string Written(const TComplex& complex) {
  TString text;
  TBoundaryCurvesPresentation::Write(text, complex, kCellsNamed);
  return text.CStr();
}

int ChainLength(TSpine& spine) {
  int n = 0;
  for (TSpine* s = &spine; s != nullptr; s = s->Next()) ++n;
  return n;
}

// A presentation of many components, their lines interleaved: each spine of
// the chain holds exactly its component's cells, edges and vertices, listed
// in its own manager and in no other, and writes back the lines it took.
TEST(Spine, SplitsAPresentationOfManyInterleavedComponents) {
  TScopedModelHeap heap;
  constexpr int kComponents = 120;
  std::vector<std::string> lines[kComponents];
  for (int c = 0; c < kComponents; ++c) {
    // Component c: edges 3c+1..3c+3 and one to four cells on them.
    const int a = 3 * c + 1;
    const int b = a + 1;
    const int d = a + 2;
    const std::string all = std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(d);
    lines[c].push_back(all);
    if (c % 2 == 0) lines[c].push_back(std::to_string(-b) + " " + std::to_string(-a));
    if (c % 3 == 0) lines[c].push_back(std::to_string(d) + " " + std::to_string(d));
    if (c % 5 == 0) lines[c].push_back(std::to_string(-d));
  }
  // Round robin: the first lines of all components, then the second ones, ...
  std::string text;
  for (std::size_t k = 0; k < 4; ++k)
    for (int c = 0; c < kComponents; ++c)
      if (k < lines[c].size()) text += lines[c][k] + "\n";
  TSpine spine;
  Build(spine, text.c_str());
  const int edges = spine.Objects().CountOfKind(kEdgeKind);
  const int vertices = spine.Objects().CountOfKind(kVertexKind);
  EXPECT_EQ(spine.SplitIntoComponents(), 1);
  ASSERT_EQ(ChainLength(spine), kComponents);
  // Each split-off component goes in right after the head, so the chain holds
  // the first component, then the others from the last one back.
  int position = 0;
  int edgesSeen = 0;
  int verticesSeen = 0;
  for (TSpine* s = &spine; s != nullptr; s = s->Next(), ++position) {
    const int c = position == 0 ? 0 : kComponents - position;
    EXPECT_EQ(s->Objects().CountOfKind(kCellKind), static_cast<int>(lines[c].size())) << c;
    EXPECT_EQ(s->Objects().CountOfKind(kEdgeKind), 3) << c;
    edgesSeen += s->Objects().CountOfKind(kEdgeKind);
    verticesSeen += s->Objects().CountOfKind(kVertexKind);
    for (int i = 0; i < s->Objects().Count(); ++i) {
      const TObjectHeader* object = s->Objects().At(i);
      EXPECT_TRUE(s->Objects().Contains(object));
      if (s != &spine) {
        EXPECT_FALSE(spine.Objects().Contains(object)) << c;
      }
    }
    // The first cell of each component is the line that opened it.
    const std::string written = Written(*s);
    const std::string first = written.substr(written.find("{ ") + 2, written.find(" }") - written.find("{ ") - 2);
    std::string expected = lines[c][0];
    for (std::size_t at = expected.find(' '); at != std::string::npos; at = expected.find(' ', at + 2))
      expected.replace(at, 1, ", ");
    EXPECT_EQ(first, expected) << c;
  }
  EXPECT_EQ(edgesSeen, edges);
  EXPECT_EQ(verticesSeen, vertices);
}

TEST(Spine, SplitsIntoAChainKeepingNumbers) {
  TScopedModelHeap heap;
  TSpine spine;
  Build(spine, "5 7\n-7 -5\n9 9");
  EXPECT_EQ(spine.SplitIntoComponents(), 1);
  ASSERT_EQ(ChainLength(spine), 2);
  TSpine* second = spine.Next();
  EXPECT_EQ(Written(spine), "Cell #1 = { 5, 7 }\r\nCell #2 = { -7, -5 }\r\n");
  EXPECT_EQ(Written(*second), "Cell #3 = { 9, 9 }\r\n");
  EXPECT_EQ(second->SourceKind(), kSourceBoundaryCurves);
  EXPECT_EQ(spine.Component().Number(), 1);
  EXPECT_EQ(second->Component().Number(), 2);
  EXPECT_EQ(second->Head(), &spine);
  EXPECT_EQ(spine.ComponentAt(1), second);
  EXPECT_EQ(second->ComponentAt(0), &spine);
  EXPECT_EQ(spine.ComponentAt(2), nullptr);

  // New objects in either spine draw their numbers from the head's counters.
  int a = ObjectNumber(second->Objects().CreateObject(kEdgeKind));
  int b = ObjectNumber(spine.Objects().CreateObject(kEdgeKind));
  EXPECT_GT(a, 9);
  EXPECT_GT(b, a);
  EXPECT_EQ(spine.ComponentOfObject(second->Objects().First(kCellKind)), second);

  // The molecule tables are chained like the spines.
  EXPECT_EQ(spine.MoleculeTable()->Next(), second->MoleculeTable());
  EXPECT_EQ(second->MoleculeTable()->ChainHead(), spine.MoleculeTable());
  EXPECT_EQ(second->MoleculeTable()->OwnerSpine(), second);
  EXPECT_EQ(second->MoleculeTable()->SourceKind(), kSourceBoundaryCurves);

  // A connected spine and an empty one do not split.
  EXPECT_EQ(second->SplitIntoComponents(), 0);
  TSpine empty;
  EXPECT_EQ(empty.SplitIntoComponents(), 0);
}

TEST(Spine, ComponentsOrderedAfterTheHead) {
  TScopedModelHeap heap;
  TSpine spine;
  Build(spine, "1\n2\n3");
  EXPECT_EQ(spine.SplitIntoComponents(), 1);
  ASSERT_EQ(ChainLength(spine), 3);
  // The head keeps the first cell; the others follow in reverse grouping order.
  EXPECT_EQ(Written(spine), "Cell #1 = { 1 }\r\n");
  EXPECT_EQ(Written(*spine.Next()), "Cell #3 = { 3 }\r\n");
  EXPECT_EQ(Written(*spine.Next()->Next()), "Cell #2 = { 2 }\r\n");
  EXPECT_EQ(spine.Next()->Next()->Component().Number(), 3);
}

TEST(Spine, CopiesAChainOfThree) {
  TScopedModelHeap heap;
  TSpine spine;
  Build(spine, "a a\nb b b\nc -c");
  spine.SplitIntoComponents();
  spine.LogEvent(15, "first move");
  spine.Next()->LogEvent(16, nullptr);  // goes to the head's log
  spine.ComputeHomology();
  spine.SetReduced(1);

  TSpine copy;
  spine.CopyTo(copy);
  ASSERT_EQ(ChainLength(copy), 3);
  TSpine* s = &spine;
  for (TSpine* c = &copy; c != nullptr; c = c->Next(), s = s->Next()) {
    EXPECT_EQ(Written(*c), Written(*s));
    EXPECT_EQ(c->SourceKind(), kSourceBoundaryCurves);
    EXPECT_EQ(c->Head(), &copy);
  }
  EXPECT_EQ(copy.Objects().Owner(), nullptr);
  TObjectTable* table = copy.MoleculeTable();
  for (TSpine* c = &copy; c != nullptr; c = c->Next(), table = table->Next()) {
    ASSERT_EQ(c->MoleculeTable(), table);
    EXPECT_EQ(table->OwnerSpine(), c);
    EXPECT_EQ(table->Head(), copy.MoleculeTable());
  }
  EXPECT_EQ(copy.Reduced(), 1);
  EXPECT_EQ(copy.HomologyList()->Elements(), (std::vector<std::int32_t>{2, 3}));
  char text[64];
  EXPECT_EQ(copy.LogCount(), 2);
  EXPECT_EQ(copy.LogEntry(0, text, sizeof text), 15);
  EXPECT_STREQ(text, "first move");
  EXPECT_EQ(copy.LogEntry(1, text, sizeof text), 16);
  EXPECT_STREQ(text, "");

  // A copy of the copy is a chain of three again.
  TSpine second;
  copy.CopyTo(second);
  EXPECT_EQ(ChainLength(second), 3);
}

TEST(Spine, MoveLog) {
  TScopedModelHeap heap;
  TSpine spine;
  char text[8] = "junk";
  EXPECT_EQ(spine.LogEntry(0, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  spine.LogEvent(3, "a long move text");
  EXPECT_EQ(spine.LogEntry(0, text, sizeof text), 3);
  EXPECT_STREQ(text, "a long ");  // cut to the buffer
  EXPECT_EQ(spine.LogEntry(1, text, sizeof text), 0);

  QuietMode.store(1);
  spine.LogEvent(4, "quiet");
  QuietMode.store(0);
  EXPECT_EQ(spine.LogCount(), 1);
}

TEST(Spine, Orientability) {
  TScopedModelHeap heap;
  TSpine spine;
  Build(spine, "1\n2");
  spine.SplitIntoComponents();
  spine.SetOrientable(1);
  spine.Next()->SetOrientable(0);
  EXPECT_EQ(spine.Orientability(2), 1);
  EXPECT_EQ(spine.Orientability(1), 0);
  EXPECT_EQ(spine.Orientability(0), 1);
  EXPECT_EQ(spine.Next()->Orientability(1), 0);
}

TEST(Spine, SpecialTest) {
  struct TCase {
    const char* text;
    int special;
  };
  const TCase cases[] = {
      {"1\n2\n1 2 -1 -2", 1},  // the twice-punctured 3-sphere
      {"a a a a a", 0},        // an edge of valency 5
      {"a b -a -b", 0},        // edges of valency 2
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    TSpine spine;
    Build(spine, c.text);
    EXPECT_EQ(spine.IsSpecial(1), c.special) << c.text;
  }
  TScopedModelHeap heap;
  TSpine empty;
  EXPECT_EQ(empty.IsSpecial(1), 1);
}

TEST(Spine, SingleCellBoundaryLength) {
  TScopedModelHeap heap;
  TSpine one;
  Build(one, "7");
  EXPECT_EQ(one.SingleCellBoundaryLength(), 1);
  TSpine two;
  Build(two, "7 7");
  EXPECT_EQ(two.SingleCellBoundaryLength(), 0);
}

TEST(Spine, ClearAndDestroyGiveEveryBlockBack) {
  TScopedModelHeap heap;
  std::size_t before = heap.LiveBlocks();
  {
    auto* spine = new TSpine;
    Build(*spine, "top = {e, f, -e, -f}\nbottom: e\nside : f\nx x\ny y y");
    spine->SplitIntoComponents();
    spine->ComputeHomology();
    spine->LogEvent(2, "move");
    TSpine copy;
    spine->CopyTo(copy);
    spine->Clear();
    EXPECT_TRUE(spine->IsEmpty());
    EXPECT_EQ(spine->Next(), nullptr);
    EXPECT_EQ(spine->HomologyList(), nullptr);
    delete spine;
  }
  EXPECT_EQ(heap.LiveBlocks(), before);
}

TEST(Spine, BoundarySummary) {
  TScopedModelHeap heap;
  auto surface = [](std::vector<std::vector<int>> words) {
    auto* complex = new TComplex;
    BuildComplexFromWords(*complex, words);
    return complex;
  };
  TSpine spine;
  spine.AppendBoundary(surface({{1, -1}}));                 // sphere
  spine.AppendBoundary(surface({{1, 2, -1, -2}}));          // torus
  spine.AppendBoundary(surface({{1, 2, -1, -2}}));          // torus
  spine.AppendBoundary(surface({{1, 2, -1, -2, 3, 4, -3, -4}}));  // genus two
  spine.SetOrientable(1);
  TOutput output;
  TSpine::PrintBoundarySummary(output, spine);
  EXPECT_STREQ(output.Text(), "4 Connected BoundaryComponent(s), 1 S^2, 2 T^2, 1 S(O,-2)");

  TSpine other;
  other.AppendBoundary(surface({{1, 1}}));          // projective plane
  other.AppendBoundary(surface({{1, 2, 1, -2}}));   // Klein bottle
  other.AppendBoundary(surface({{1, -1}}));         // sphere
  TOutput mixed;
  TSpine::PrintBoundarySummary(mixed, other);
  EXPECT_STREQ(mixed.Text(), "3 Connected BoundaryComponent(s), 1 S^2, 1 RP^2, 1 K^2");

  // On an orientable spine an odd characteristic has no line, and no surface
  // can keep the summary from ending.
  other.SetOrientable(1);
  TOutput odd;
  TSpine::PrintBoundarySummary(odd, other);
  EXPECT_STREQ(odd.Text(), "3 Connected BoundaryComponent(s), 1 S^2, 1 T^2");
}

}  // namespace

// Deleting a chain of many components must not recurse once per component:
// the chain is destroyed on a thread with a small stack, where a recursion
// as deep as the chain would overflow it.
TEST(Spine, ALongChainIsDestroyedWithoutDeepRecursion) {
  TScopedModelHeap heap;
  constexpr int kComponents = 20000;
  auto* head = new TSpine;
  for (int i = 1; i < kComponents; ++i) {
    auto* component = new TSpine;
    component->SetNext(head->Next());
    head->SetNext(component);
  }
  ASSERT_EQ(ChainLength(*head), kComponents);
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
  pthread_t thread;
  auto destroy = [](void* spine) -> void* {
    delete static_cast<TSpine*>(spine);
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, destroy, head), 0);
  EXPECT_EQ(pthread_join(thread, nullptr), 0);
  pthread_attr_destroy(&attributes);
}

#include "recognition/molecule_tools.h"

#include <gtest/gtest.h>

#include <vector>

#include "molecule_fixture.h"
#include "support/model_heap.h"

// Vertices first by number, then edges by number, whatever order they were
// made in; the graph itself is untouched.
TEST(MoleculeTools, ReorderPutsVerticesThenEdgesInNumberOrder) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a = SeifertAtom(table, kBaseDisk, {{2, 1}});
  THandle e1 = Glue(table, a, a, 1, 0, 0, 1);
  THandle b(table.NewAtom(kVirtualAtom));
  THandle e2 = Glue(table, a, b, 0, 1, 1, 0, kVirtualMoleculeEdge);
  THandle c = SolidTorusAtom(table, 3, 1);
  ObjectSetNumber(a, 3);
  ObjectSetNumber(b, 1);
  ObjectSetNumber(c, 2);
  ObjectSetNumber(e1, 2);
  ObjectSetNumber(e2, 1);
  ReorderMoleculeObjects(table);
  std::vector<const TObjectHeader*> order;
  for (int i = 0; i < table.Count(); ++i) order.push_back(table.At(i));
  EXPECT_EQ(order, (std::vector<const TObjectHeader*>{b.Object(), c.Object(), a.Object(), e2.Object(), e1.Object()}));
  EXPECT_EQ(TEdge::End(e2, 2).Object(), b.Object());
  // Already in order: nothing moves.
  ReorderMoleculeObjects(table);
  for (int i = 0; i < table.Count(); ++i) EXPECT_EQ(table.At(i), order[static_cast<std::size_t>(i)]);
}

#include "recognition/result_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "recognition/piece_code.h"
#include "recognition/description_building.h"
#include "recognition/table_atom_codes.h"
#include "support/model_heap.h"

namespace {

std::unique_ptr<TManifoldDescription> Lens(int p, int q) {
  auto d = std::make_unique<TManifoldDescription>();
  if (p == 1) {
    d->SetTrivialCode();
  } else {
    d->SetLensCode(p, q);
  }
  d->SetComplexity(3);
  return d;
}

int LensP(const TManifoldDescription* d) {
  int p = 0;
  int q = 0;
  if (d == nullptr) return -1;
  if (d->GetLensParameters(p, q) == 0) return 1;
  return p;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(ResultTable, EqualManifoldAddsASourceNotAnEntry) {
  TManifoldTable table;
  table.SetCurrentSourceName("first");
  int index = -1;
  EXPECT_EQ(table.LookUp(index, Lens(5, 2)), kLookupRecognised);
  EXPECT_EQ(index, 0);
  table.SetCurrentSourceName("second");
  int again = -1;
  // L(5,3) is L(5,2) with the other orientation: the same entry.
  EXPECT_EQ(table.LookUp(again, Lens(5, 3)), kLookupRecognised);
  EXPECT_EQ(again, 0);
  EXPECT_EQ(table.CountEntries(), 1);
  EXPECT_EQ(table.CountPresentations(), 1);
  EXPECT_EQ(table.GetEntry(0)->CountSources(), 2);
  ASSERT_NE(table.GetSourceName(1), nullptr);
  EXPECT_EQ(*table.GetSourceName(1), "second");
}

TEST(ResultTable, RejectionsStoreNothingAndAnswerByMode) {
  struct Case {
    int ignoreReducible;
    int ignoreTrivial;
    int p;
    int mode;
    int code;
  };
  // L(0,1) is S^2xS^1 (reducible); L(1,0) stands for S^3 (trivial).
  const Case cases[] = {
      {1, 0, 0, kModeTillMain, kLookupRecognised},
      {1, 0, 0, kModeAllPresentations, kLookupReducibleRejected},
      {0, 1, 1, kModeTillFirst, kLookupRecognised},
      {0, 1, 1, kModeAllPresentations, kLookupTrivialRejected},
      {0, 1, 3, kModeAllPresentations, kLookupTrivialRejected},
  };
  for (const Case& c : cases) {
    TManifoldTable table(c.ignoreReducible, c.ignoreTrivial);
    table.SetRecognitionMode(c.mode);
    int index = 7;
    EXPECT_EQ(table.LookUp(index, Lens(c.p, 1)), c.code) << c.p << " mode " << c.mode;
    EXPECT_EQ(index, -1);
    EXPECT_EQ(table.CountEntries(), 0);
  }
  // Not ignored: stored as usual.
  TManifoldTable table;
  int index = -1;
  table.LookUp(index, Lens(0, 1));
  EXPECT_EQ(table.CountEntries(), 1);
}

TEST(ResultTable, SortedAndArrivalOrderTables) {
  const int ps[] = {7, 5, 11, 3};
  TManifoldTable sorted;
  TManifoldTable arrival;
  arrival.SetKind(kTableArrivalOrder);
  for (int p : ps) {
    int index = -1;
    sorted.LookUp(index, Lens(p, 1));
    arrival.LookUp(index, Lens(p, 1));
  }
  ASSERT_EQ(sorted.CountEntries(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(LensP(arrival.GetEntry(i)), ps[i]);
  for (int i = 0; i + 1 < 4; ++i)
    EXPECT_NE(TManifoldDescription::CompareMoleculeNodes(*sorted.GetEntry(i), *sorted.GetEntry(i + 1)), 3) << i;
  EXPECT_EQ(sorted.RemoveEntry(4), -1);
  EXPECT_EQ(sorted.RemoveEntry(0), 3);
  EXPECT_EQ(sorted.GetEntry(3), nullptr);
}

TEST(ResultTable, CompareWithEntry) {
  TManifoldTable table(0, 1);
  table.SetKind(kTableSingleCommand);
  int index = -1;
  ASSERT_EQ(table.LookUp(index, Lens(7, 2)), kLookupRecognised);
  // An equal description adds no presentation.
  EXPECT_EQ(table.CompareWithEntry(index, Lens(7, 3)), kLookupEqualPresentation);
  EXPECT_EQ(table.CountEntryPresentations(index), 1);
  // A rejected one removes the entry it was compared with.
  EXPECT_EQ(table.CompareWithEntry(index, Lens(1, 0)), kLookupRecognised);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(table.CountEntries(), 0);
  // An index out of range is a plain lookup.
  index = 9;
  EXPECT_EQ(table.CompareWithEntry(index, Lens(7, 2)), kLookupRecognised);
  EXPECT_EQ(index, 0);
}

TEST(ResultTable, ReportKindAndEntryTexts) {
  TManifoldTable table;
  EXPECT_EQ(table.GetReportKind(), 0);
  int index = -1;
  table.LookUp(index, Lens(5, 2));
  EXPECT_EQ(table.GetReportKind(), 2);
  EXPECT_EQ(table.SetEntryText(index, "cells"), 1);
  EXPECT_EQ(table.SetEntryText(index, "other"), 0);
  EXPECT_EQ(*table.GetEntryText(index), "cells");
  EXPECT_EQ(table.SetEntryText(3, "x"), 0);
  EXPECT_EQ(table.GetEntryHomology(index), nullptr);
}

TEST(ResultTable, DuplicatesByInvariantText) {
  TManifoldTable table;
  table.SetKind(kTableArrivalOrder);
  const char* texts[] = {"a", "b", "a", "", ""};
  for (int i = 0; i < 5; ++i) {
    int index = -1;
    table.LookUp(index, Lens(5 + 2 * i, 1));
    table.SetEntryInvariantText(index, texts[i]);
  }
  // {0, 2}, {1}, and the two entries without a text stay apart.
  EXPECT_EQ(table.FindDuplicatesByInvariants(nullptr), 4);
  EXPECT_EQ(*table.GetEntryDuplicates(0), std::vector<int>{2});
  EXPECT_EQ(*table.GetEntryDuplicates(2), std::vector<int>{0});
  EXPECT_TRUE(table.GetEntryDuplicates(3)->empty());
  // Removing an entry renumbers the references of the others.
  table.RemoveEntry(1);
  EXPECT_EQ(*table.GetEntryDuplicates(0), std::vector<int>{1});
}

class ResultTableAutoSave : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("sorvelin-autosave-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    table_.SetAutoSaveFolder(folder_.string());
    table_.SetClock([this] { return now_; });
    table_.SetWriter([this](const TManifoldTable&, const std::string& path) {
      written_.push_back(std::filesystem::path(path).filename().string());
      return 10L;
    });
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  TManifoldTable table_;
  std::chrono::steady_clock::time_point now_{};
  std::vector<std::string> written_;
};

TEST_F(ResultTableAutoSave, NumbersAlternateAndTheIntervalIsKept) {
  EXPECT_EQ(table_.AutoSave(-1), 0);  // off while the interval is 0
  table_.SetAutoSaveInterval(std::chrono::seconds(60));
  EXPECT_EQ(table_.AutoSave(-1), 10);
  now_ += std::chrono::seconds(59);
  EXPECT_EQ(table_.AutoSave(-1), 0);
  now_ += std::chrono::seconds(1);
  EXPECT_EQ(table_.AutoSave(-1), 10);
  now_ += std::chrono::seconds(60);
  table_.AutoSave(-1);
  EXPECT_EQ(written_, (std::vector<std::string>{"TableAutoSave1.bin", "TableAutoSave0.bin", "TableAutoSave1.bin"}));
  // No current source: no log.
  EXPECT_FALSE(std::filesystem::exists(folder_ / "TableAutoSave.log"));
}

TEST_F(ResultTableAutoSave, LogNamesTheSourceAndTheFile) {
  table_.SetAutoSaveInterval(std::chrono::milliseconds(1));
  table_.SetCurrentSourceName("census.txt");
  table_.SetSourcePosition(12, -1);
  table_.AutoSave(4);
  const std::string file = (folder_ / "TableAutoSave1.bin").string();
  EXPECT_EQ(ReadFile(folder_ / "TableAutoSave.log"), "census.txt\r\n12\r\n4\r\n" + file + "\r\n");
  // A clock far beyond any 32-bit tick count still compares right.
  now_ += std::chrono::hours(24 * 60);
  table_.SetSourcePosition(-1, -1);
  table_.AutoSave(-1);
  EXPECT_EQ(ReadFile(folder_ / "TableAutoSave.log"),
            "census.txt\r\n" + (folder_ / "TableAutoSave0.bin").string() + "\r\n");
}

// A duplicate search stopped after its first entry (by the stop word, or by
// a stop request that throws) leaves every list empty and says it was not
// made; the auto-save on the way held the pairs of that entry. Not stopped,
// the same search fills the lists and says so.
TEST_F(ResultTableAutoSave, AStoppedDuplicateSearchLeavesNoHalfLists) {
  table_.SetKind(kTableArrivalOrder);
  const char* texts[] = {"a", "b", "a", "b"};
  for (int i = 0; i < 4; ++i) {
    int index = -1;
    table_.LookUp(index, Lens(5 + 2 * i, 1));
    table_.SetEntryInvariantText(index, texts[i]);
  }
  table_.SetAutoSaveInterval(std::chrono::milliseconds(1));
  for (const bool request : {false, true}) {
    SCOPED_TRACE(request);
    std::atomic<int> stop{0};
    std::vector<int> savedFirst;
    table_.SetWriter([&](const TManifoldTable& table, const std::string&) {
      savedFirst = *table.GetEntryDuplicates(0);
      if (request) {
        RequestStop();
      } else {
        stop.store(1);
      }
      return 10L;
    });
    now_ += std::chrono::seconds(1);
    if (request) {
      EXPECT_THROW(table_.FindDuplicatesByInvariants(&stop), TComputationStopped);
      StopFlags().stop.store(0);
    } else {
      EXPECT_EQ(table_.FindDuplicatesByInvariants(&stop), 0);
    }
    EXPECT_EQ(savedFirst, std::vector<int>{2});
    EXPECT_FALSE(table_.DuplicatesComputed());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(table_.GetEntryDuplicates(i)->empty()) << i;
  }
  table_.SetWriter([](const TManifoldTable&, const std::string&) { return 10L; });
  EXPECT_EQ(table_.FindDuplicatesByInvariants(nullptr), 2);
  EXPECT_TRUE(table_.DuplicatesComputed());
  EXPECT_EQ(*table_.GetEntryDuplicates(2), std::vector<int>{0});
  EXPECT_EQ(*table_.GetEntryDuplicates(3), std::vector<int>{1});
  // A new entry was compared with none.
  int index = -1;
  table_.LookUp(index, Lens(31, 1));
  EXPECT_FALSE(table_.DuplicatesComputed());
}

// L(8,3) is also the Seifert manifold over RP^2 with the fibre (2,1): a
// lookup of either finds the one entry. L(8,1) has no such presentation.
TEST(ResultTable, LensSpacesBringTheirFibrationOverRP2) {
  TScopedModelHeap heap;
  auto overRP2 = [] {
    auto molecule = std::make_unique<TObjectTable>();
    THandle v(molecule->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(v, kBaseProjectivePlane);
    TMoleculeVertex::AddPair(v, 2, 1);
    auto d = std::make_unique<TManifoldDescription>();
    BuildDescriptionFromMolecule(*d, *molecule, -1);
    d->SetComplexity(3);
    return d;
  };
  TManifoldTable table;
  int index = -1;
  table.LookUp(index, Lens(8, 3));
  EXPECT_EQ(table.CountEntryPresentations(index), 2);
  int again = -1;
  EXPECT_EQ(table.LookUp(again, overRP2()), kLookupRecognised);
  EXPECT_EQ(again, index);
  EXPECT_EQ(table.CountEntries(), 1);

  table.LookUp(index, Lens(8, 1));
  EXPECT_EQ(table.CountEntryPresentations(index), 1);
  EXPECT_EQ(table.CountEntries(), 2);
}

// After a run the entries that only a volume tells apart (Dehn fillings of
// table atoms, spine records) get the volume of the spine, once: a failure is
// kept and not tried again; named manifolds need none.
TEST(ResultTable, MergeGivesTheVolumeOnceToTheEntriesThatNeedIt) {
  TScopedModelHeap heap;
  struct TCase {
    const char* what;
    bool spineRecord;
    bool volumeFound;
    int expectedCalls;
    int expectedState;  // HasVolume: 0 none, 1 known, 2 failed
  } cases[] = {
      {"lens space", false, true, 0, 0},
      {"spine record, volume found", true, true, 1, 1},
      {"spine record, computation failed", true, false, 1, 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TManifoldTable table;
    int calls = 0;
    table.SetVolumeFunction([&calls, &c](TSpine&, double& volume) {
      ++calls;
      if (!c.volumeFound) return 0;
      volume = 0.9427073627769277;
      return 1;
    });
    std::unique_ptr<TManifoldDescription> d;
    if (c.spineRecord) {
      d = std::make_unique<TManifoldDescription>();
      TSpineRecordCounts counts;
      counts.complexity = 9;
      counts.vertices = 9;
      d->SetPieceCode(BuildSpineRecordCode(counts));
    } else {
      d = Lens(5, 2);
    }
    int index = -1;
    table.LookUp(index, std::move(d));
    ASSERT_EQ(index, 0);
    TSpine spine;
    for (int round = 0; round < 2; ++round) table.MergeResult(index, spine);
    EXPECT_EQ(calls, c.expectedCalls);
    ASSERT_EQ(index, 0);
    EXPECT_EQ(table.GetEntry(index)->HasVolume(), c.expectedState);
    if (c.expectedState == 1) {
      EXPECT_DOUBLE_EQ(table.GetEntry(index)->GetVolume(), 0.9427073627769277);
    }
  }
}

// Completing an entry of a table atom with cusps (type 8) marks it
// recognised when its census words name a link of three components; other
// links, and the same words on a Dehn filling (type 7), do not.
TEST(ResultTable, MergeRecognisesAnAtomOfAThreeComponentLink) {
  TScopedModelHeap heap;
  struct TCase {
    int type;
    int components;
    int recognised;
  } cases[] = {{kMultiFilledAtomCode, 3, 1}, {kMultiFilledAtomCode, 2, 0}, {kFilledAtomCode, 3, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.components);
    TPieceCode code;
    code.Resize(57);
    code.SetWord(kCodeType, c.type);
    code.SetWord(16, -c.components);  // the first census word, stored negated
    code.SetWord(19, 2);
    code.Finish();
    if (c.type == kMultiFilledAtomCode) {
      TWordQuintuple key;
      int tori = 0;
      std::int32_t matrices[5][4];
      ASSERT_EQ(GetFilledAtoms(code, tori, key, matrices), 1);
      ASSERT_EQ(key.keyA, c.components);
    }
    auto d = std::make_unique<TManifoldDescription>();
    d->SetPieceCode(code);
    d->SetComplexity(6);
    TManifoldTable table;
    table.SetVolumeFunction([](TSpine&, double&) { return 0; });
    int index = -1;
    table.LookUp(index, std::move(d));
    ASSERT_EQ(index, 0);
    ASSERT_EQ(table.IsEntryRecognised(index), 0);
    TSpine spine;
    table.MergeResult(index, spine);
    EXPECT_EQ(table.IsEntryRecognised(index), c.recognised);
  }
}

// A stored entry whose reducibility cache says 1 (as every summand of a
// connected sum holds) for a manifold a fresh description finds irreducible
// is still the same entry, also after a round trip through a table file;
// the table keeps irreducible entries before reducible ones.
TEST(ResultTable, AStoredCacheDoesNotHideAnEqualManifold) {
  TScopedModelHeap heap;
  TManifoldTable table;
  int index = -1;
  auto stale = Lens(5, 2);
  stale->SetReducibilityAlongSummands(1);
  table.LookUp(index, std::move(stale));
  ASSERT_EQ(index, 0);
  auto sum = Lens(3, 1);
  sum->SetNextSummand(Lens(2, 1));
  sum->SortSummands();
  int sumIndex = -1;
  table.LookUp(sumIndex, std::move(sum));
  int irreducibleIndex = -1;
  table.LookUp(irreducibleIndex, Lens(7, 2));
  ASSERT_EQ(table.CountEntries(), 3);

  TManifoldTable loaded;
  ASSERT_EQ(loaded.LoadBinaryBytes(table.SaveBinaryBytes(), "bytes"), 1) << loaded.LoadError();
  for (TManifoldTable* t : {&table, &loaded}) {
    int found = -1;
    auto fresh = Lens(5, 2);
    ASSERT_EQ(fresh->IsReducible(), 0);
    const int code = t->LookUp(found, std::move(fresh));
    EXPECT_NE(code, kLookupNewTyped);
    EXPECT_EQ(t->CountEntries(), 3);
    ASSERT_GE(found, 0);
    EXPECT_EQ(LensP(t->GetEntry(found)), 5);
    // Irreducible entries first, the connected sum last.
    EXPECT_EQ(t->GetEntry(t->CountEntries() - 1)->CountSummands(), 2);
  }
}

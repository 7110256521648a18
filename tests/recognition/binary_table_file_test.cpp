#include "recognition/binary_table_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "molecule_fixture.h"
#include "recognition/description_building.h"
#include "recognition/piece_code.h"
#include "recognition/result_table.h"
#include "support/model_heap.h"

namespace {

std::unique_ptr<TManifoldDescription> Lens(int p, int q) {
  auto d = std::make_unique<TManifoldDescription>();
  d->SetLensCode(p, q);
  d->SetComplexity(4);
  return d;
}

// A description built from a molecule, as the recognition builds it.
std::unique_ptr<TManifoldDescription> FromMolecule(std::unique_ptr<TObjectTable> molecule) {
  auto d = std::make_unique<TManifoldDescription>();
  BuildDescriptionFromMolecule(*d, *molecule, -1);
  d->SetComplexity(6);
  return d;
}

// The Seifert manifold over S^2 with the fibres (2,1), (3,1), (5,-4).
std::unique_ptr<TManifoldDescription> Seifert() {
  auto m = std::make_unique<TObjectTable>();
  SeifertAtom(*m, kBaseSphere, {{2, 1}, {3, 1}, {5, -4}});
  return FromMolecule(std::move(m));
}

// Two Seifert pieces over the disc glued along their boundary tori.
std::unique_ptr<TManifoldDescription> Graph() {
  auto m = std::make_unique<TObjectTable>();
  THandle u = SeifertAtom(*m, kBaseDisk, {{2, 1}, {3, 1}});
  THandle w = SeifertAtom(*m, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(*m, u, w, 0, 1, 1, 0);
  return FromMolecule(std::move(m));
}

THeegaardDiagram Diagram(int a, int b1, int b2, int c1, int c2, int d, int s1, int s2) {
  THeegaardDiagram diagram;
  EXPECT_TRUE(diagram.SetFromSix(a, b1, b2, c1, c2, d, s1, s2));
  return diagram;
}

// A table of several kinds of entries, with everything a file carries.
void Fill(TManifoldTable& table) {
  table.SetSourceKind(kSourceHeegaard);
  table.SetCurrentSourceName("census.txt");
  table.SetSourcePosition(3, 1);
  int index = -1;
  table.LookUp(index, Lens(7, 2));
  table.SetEntryText(index, "lens text");
  table.SetCurrentSourceName("second.txt");
  table.SetSourcePosition(9, -1);
  auto seifert = Seifert();
  seifert->AddMoveLine("T-move 3");
  seifert->SetSpineText("a spine text");
  seifert->SetText5("epsilon 1 2 3");
  table.LookUp(index, std::move(seifert));
  table.SetEntryInvariantText(index, "invariant text");
  auto graph = Graph();
  graph->SetName("a graph manifold");
  table.LookUp(index, std::move(graph));
  // A connected sum L(3,1) # L(5,2), with a second presentation in its chain.
  auto sum = Lens(3, 1);
  sum->SetNextSummand(Lens(5, 2));
  sum->SetNextPresentation(Lens(11, 3));
  table.LookUp(index, std::move(sum));
  // A reference from the Seifert entry to the lens entry.
  table.GetEntry(1)->AddReference(table.GetEntry(0), 2, true);
  table.SetEntryInvariantText(0, "invariant text");
  table.FindDuplicatesByInvariants(nullptr);

  THeegaardDiagramStore& store = table.DiagramStore();
  store.InitDiagramStore();
  for (const THeegaardDiagram& d : {Diagram(1, 2, 0, 3, 0, 1, 1, 2), Diagram(1, 2, 0, 3, 0, 1, 2, 2),
                                    Diagram(2, 1, 1, 0, 1, 0, 1, 0), Diagram(0, 3, 0, 3, 0, 0, 0, 0)})
    ASSERT_NE(store.AddDiagram(d, nullptr), nullptr);
  store.SetSeriesCounter(41);
  THeegaardDiagram current = Diagram(1, 2, 0, 3, 0, 1, 1, 2);
  current.SetTag(3);
  store.SetCurrentDiagram(current);
}

class BinaryTableFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(table_);
    bytes_ = table_.SaveBinaryBytes();
  }
  TScopedModelHeap heap_;
  TManifoldTable table_;
  std::string bytes_;
};

void Put32At(std::string& bytes, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff);
}

// Equal bytes, or where they first differ (never the whole file).
testing::AssertionResult SameBytes(const std::string& a, const std::string& b) {
  if (a == b) return testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  return testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size() << ", first difference at byte "
                                     << at;
}

}  // namespace

TEST_F(BinaryTableFileTest, RoundTripGivesAnEqualTableAndTheSameBytes) {
  ASSERT_EQ(table_.CountEntries(), 4);
  EXPECT_EQ(bytes_.substr(0, 14), "BinFileVersion");

  TManifoldTable loaded;
  loaded.SetCurrentSourceName("something else");
  ASSERT_EQ(loaded.LoadBinaryBytes(bytes_, "memory"), 1) << loaded.LoadError();
  EXPECT_EQ(loaded.LoadError(), "");
  EXPECT_EQ(loaded.WasLoaded(), 1);
  // Saved again, the file differs only where loading resets the table: its
  // current source, positions and auto-save interval (words 11 to 14 of the
  // table record); and a second round is identical.
  std::string expected = bytes_;
  const std::size_t record = 14 + 4 + 4 + 3 * 56;
  for (int w : {11, 12, 13}) Put32At(expected, record + 4 * static_cast<std::size_t>(w), -1);
  Put32At(expected, record + 4 * 14, 0);
  const std::string again = loaded.SaveBinaryBytes();
  EXPECT_TRUE(SameBytes(again, expected));
  TManifoldTable third;
  ASSERT_EQ(third.LoadBinaryBytes(again, "memory"), 1) << third.LoadError();
  EXPECT_TRUE(SameBytes(third.SaveBinaryBytes(), again));

  EXPECT_EQ(loaded.GetSourceKind(), kSourceHeegaard);
  ASSERT_EQ(loaded.CountEntries(), table_.CountEntries());
  for (int i = 0; i < loaded.CountEntries(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(loaded.CountEntryPresentations(i), table_.CountEntryPresentations(i));
    const TManifoldDescription* a = table_.GetEntry(i);
    const TManifoldDescription* b = loaded.GetEntry(i);
    EXPECT_EQ(TManifoldDescription::CompareMoleculeNodes(*a, *b), 2);
    EXPECT_EQ(a->GetPieceCode().Words(), b->GetPieceCode().Words());
    EXPECT_EQ(b->CountSummands(), a->CountSummands());
    EXPECT_EQ(b->CountSources(), a->CountSources());
    EXPECT_EQ(loaded.IsEntryRecognised(i), table_.IsEntryRecognised(i));
    EXPECT_EQ(*loaded.GetEntryText(i), *table_.GetEntryText(i));
    EXPECT_EQ(*loaded.GetEntryDuplicates(i), *table_.GetEntryDuplicates(i));
    EXPECT_EQ((a->GetMolecule() == nullptr), (b->GetMolecule() == nullptr));
    if (a->GetMolecule() != nullptr) {
      EXPECT_EQ(b->GetMolecule()->CountOfKind(kMoleculeVertexKind), a->GetMolecule()->CountOfKind(kMoleculeVertexKind));
      EXPECT_EQ(b->GetMolecule()->CountOfKind(kMoleculeEdgeKind), a->GetMolecule()->CountOfKind(kMoleculeEdgeKind));
    }
  }
  // The connected sum keeps its summands and the chain of presentations.
  const TManifoldDescription* sum = nullptr;
  for (int i = 0; i < loaded.CountEntries(); ++i)
    if (loaded.GetEntry(i)->CountSummands() == 2) sum = loaded.GetEntry(i);
  ASSERT_NE(sum, nullptr);
  ASSERT_NE(sum->GetNextPresentation(), nullptr);
  int p = 0, q = 0;
  EXPECT_EQ(sum->GetNextPresentation()->GetLensParameters(p, q), 1);
  EXPECT_EQ(p, 11);

  // Names, texts, move lines, references and the duplicate control's text.
  const int seifertIndex = 1;
  const TManifoldDescription* s = loaded.GetEntry(seifertIndex);
  ASSERT_EQ(s->CountMoveLines(), 1);
  EXPECT_EQ(*s->MoveLine(0), "T-move 3");
  EXPECT_EQ(s->GetSpineText(), "a spine text");
  ASSERT_NE(s->GetText5(), nullptr);
  EXPECT_STREQ(s->GetText5(), "epsilon 1 2 3");
  ASSERT_EQ(s->CountReferences(0), 1);
  EXPECT_EQ(s->GetReference(0, 0), loaded.GetEntry(0));
  EXPECT_EQ(s->GetReferenceValue(0), 2);
  ASSERT_NE(loaded.GetSourceName(1), nullptr);
  EXPECT_EQ(*loaded.GetSourceName(1), "second.txt");
  int nameIndex = 0, position = 0, subposition = 0;
  ASSERT_EQ(s->GetSource(0, nameIndex, position, subposition), 1);
  EXPECT_EQ(nameIndex, 1);
  EXPECT_EQ(position, 9);
  EXPECT_EQ(subposition, -1);

  // The Heegaard store comes back as the buckets; the items start empty.
  const THeegaardDiagramStore& store = loaded.DiagramStore();
  EXPECT_EQ(store.DiagramStoreLoaded(), 1);
  EXPECT_EQ(store.CountStoredDiagrams(), 4);
  EXPECT_EQ(store.GetDiagramCount(), 0);
  EXPECT_EQ(store.SeriesCounter(), 41);
  EXPECT_EQ(store.CurrentDiagram().GetTag(), 3);
  std::size_t at = 0;
  EXPECT_EQ(store.FindDiagram(Diagram(2, 1, 1, 0, 1, 0, 1, 0), at), 1);
  EXPECT_EQ(store.FindDiagram(Diagram(2, 1, 1, 0, 1, 0, 0, 0), at), 0);
}

TEST_F(BinaryTableFileTest, LoadingResetsTheCurrentSourceAndTheInterval) {
  TManifoldTable loaded;
  loaded.SetAutoSaveInterval(std::chrono::seconds(5));
  ASSERT_EQ(loaded.LoadBinaryBytes(bytes_, "memory"), 1);
  // A lookup after loading adds no source: there is no current one.
  int index = -1;
  EXPECT_EQ(loaded.LookUp(index, Lens(7, 2)), kLookupRecognised);
  EXPECT_EQ(loaded.GetEntry(index)->CountSources(), 1);
  // The interval is 0: auto-save is off until the owner sets it again.
  EXPECT_EQ(loaded.AutoSave(-1), 0);
}

TEST_F(BinaryTableFileTest, FilesOnDiskAndTheAutoSaveWriter) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("sorvelin_table_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
  std::filesystem::create_directories(folder);
  const std::string name = (folder / "table.bin").string();
  EXPECT_EQ(table_.SaveBinary(name), static_cast<long>(bytes_.size()));
  TManifoldTable loaded;
  ASSERT_EQ(loaded.LoadBinary(name), 1) << loaded.LoadError();
  EXPECT_EQ(loaded.CountEntries(), 4);
  EXPECT_FALSE(std::filesystem::exists(name + ".part"));

  // The timed auto-save writes table files by default.
  table_.SetAutoSaveFolder(folder.string());
  table_.SetAutoSaveInterval(std::chrono::milliseconds(1));
  EXPECT_EQ(table_.AutoSave(-1), static_cast<long>(bytes_.size()));
  TManifoldTable autoSaved;
  ASSERT_EQ(autoSaved.LoadBinary((folder / "TableAutoSave1.bin").string()), 1) << autoSaved.LoadError();
  EXPECT_EQ(autoSaved.CountEntries(), 4);

  // A missing file and a folder that cannot be written.
  TManifoldTable empty;
  EXPECT_EQ(empty.LoadBinary((folder / "missing.bin").string()), 0);
  EXPECT_NE(empty.LoadError().find("missing.bin"), std::string::npos);
  EXPECT_EQ(table_.SaveBinary((folder / "no" / "such" / "folder.bin").string()), 0);
  std::filesystem::remove_all(folder);
}

TEST_F(BinaryTableFileTest, EmptyTablesAndTablesWithoutNames) {
  TManifoldTable empty;
  const std::string bytes = empty.SaveBinaryBytes();
  TManifoldTable loaded;
  ASSERT_EQ(loaded.LoadBinaryBytes(bytes, "memory"), 1) << loaded.LoadError();
  EXPECT_EQ(loaded.CountEntries(), 0);
  EXPECT_EQ(loaded.GetSourceName(0), nullptr);
  EXPECT_TRUE(SameBytes(loaded.SaveBinaryBytes(), bytes));
  // Without source kind 8 the store is neither written nor replaced.
  EXPECT_LT(bytes.size(), 2 * 4 * 513u);
}

namespace {

// The offset of the entry count: after the header, the table record and
// the two source names.
std::size_t EntryCountOffset(const std::string& bytes) {
  std::size_t at = 14 + 4 + 4 + 3 * 56 + 60 + 4;
  for (int name = 0; name < 2; ++name) at = bytes.find('\0', at) + 1;
  return at;
}

}  // namespace

TEST_F(BinaryTableFileTest, DamagedFilesAreRefusedAndTheTableIsKept) {
  struct TCase {
    const char* what;
    std::string bytes;
    const char* message;  // a part of the error text
  };
  std::vector<TCase> cases;
  std::string version4 = bytes_;
  Put32At(version4, 14, 4);
  cases.push_back({"version 4", version4, "version is 4"});
  std::string key = bytes_;
  key[0] = 'X';
  cases.push_back({"wrong key", key, "BinFileVersion"});
  cases.push_back({"empty", "", "empty"});
  std::string entries = bytes_;
  Put32At(entries, EntryCountOffset(bytes_), 1000000);
  cases.push_back({"entry count", entries, "number of entries 1000000 is larger than the data"});
  std::string negative = bytes_;
  Put32At(negative, EntryCountOffset(bytes_), -1);
  cases.push_back({"negative count", negative, "negative"});
  std::string names = bytes_;
  Put32At(names, 14 + 4 + 4 + 3 * 56 + 60, 70000);
  cases.push_back({"name count", names, "number of source names"});
  std::string code = bytes_;
  // The first node's piece code follows its 19-word image.
  Put32At(code, EntryCountOffset(bytes_) + 4 + 19 * 4, 0x7fffffff);
  cases.push_back({"code size", code, "piece code"});
  cases.push_back({"trailing bytes", bytes_ + "x", "follow the end"});
  std::string kind = bytes_;
  Put32At(kind, 14 + 4 + 4 + 3 * 56, 9);
  cases.push_back({"table kind", kind, "table kind 9"});

  const std::string before = table_.SaveBinaryBytes();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(table_.LoadBinaryBytes(c.bytes, "damaged.bin"), 0);
    EXPECT_NE(table_.LoadError().find("Unable to load table from 'damaged.bin'!"), std::string::npos);
    EXPECT_NE(table_.LoadError().find(c.message), std::string::npos) << table_.LoadError();
    EXPECT_TRUE(SameBytes(table_.SaveBinaryBytes(), before));
  }
}

TEST_F(BinaryTableFileTest, EveryPrefixIsRefused) {
  TManifoldTable target;
  const std::string before = target.SaveBinaryBytes();
  for (std::size_t n = 0; n < bytes_.size(); ++n) {
    ASSERT_EQ(target.LoadBinaryBytes(std::string_view(bytes_).substr(0, n), "cut.bin"), 0) << n;
    ASSERT_FALSE(target.LoadError().empty());
  }
  EXPECT_TRUE(SameBytes(target.SaveBinaryBytes(), before));
  EXPECT_EQ(target.WasLoaded(), 0);
}

TEST_F(BinaryTableFileTest, RandomBytesAndFlippedBytesNeverCrash) {
  std::mt19937 random(27);
  TManifoldTable target;
  for (int round = 0; round < 300; ++round) {
    std::string noise(random() % 400, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    if (round % 2 == 0) noise = "BinFileVersion" + std::string("\x05\0\0\0", 4) + noise;
    EXPECT_EQ(target.LoadBinaryBytes(noise, "noise.bin"), 0);
  }
  // Single damaged bytes of a valid file: refused, or read into a table that
  // saves again without trouble.
  for (int round = 0; round < 400; ++round) {
    std::string damaged = bytes_;
    damaged[random() % damaged.size()] = static_cast<char>(random());
    if (target.LoadBinaryBytes(damaged, "flipped.bin") == 1) target.SaveBinaryBytes();
  }
}

TEST_F(BinaryTableFileTest, StoreBucketsAreCheckedAgainstTheirArcSums) {
  // The last record of the store is the greatest of the biggest bucket;
  // making its bucket's count larger than its capacity, or moving a record
  // into a bucket of another arc sum, is refused.
  const std::size_t records = 4 * 16;
  const std::size_t countsEnd = bytes_.size() - records;
  const std::size_t countsStart = countsEnd - 4 * 513;
  const std::size_t capacities = countsStart - 4 * 513;
  std::string overCapacity = bytes_;
  // Bucket 0 has capacity 0: a count of 1 there exceeds it.
  Put32At(overCapacity, countsStart, 1);
  TManifoldTable target;
  EXPECT_EQ(target.LoadBinaryBytes(overCapacity, "store.bin"), 0);
  EXPECT_NE(target.LoadError().find("beyond its capacity"), std::string::npos) << target.LoadError();

  std::string moved = bytes_;
  // Bucket 0 gets capacity and count 1 and the first bucket that holds
  // records one record fewer: a record of a positive arc sum lands in
  // bucket 0.
  Put32At(moved, capacities, 256);
  Put32At(moved, countsStart, 1);
  std::size_t first = 0;
  std::int32_t count = 0;
  for (std::size_t b = 0; b < 513 && count == 0; ++b) {
    first = b;
    for (int i = 0; i < 4; ++i) count |= static_cast<unsigned char>(bytes_[countsStart + 4 * b + static_cast<std::size_t>(i)]) << (8 * i);
  }
  ASSERT_GT(first, 0u);
  Put32At(moved, countsStart + 4 * first, count - 1);
  EXPECT_EQ(target.LoadBinaryBytes(moved, "store.bin"), 0);
  EXPECT_NE(target.LoadError().find("arc sum"), std::string::npos) << target.LoadError();
}

TEST_F(BinaryTableFileTest, AStopRequestLeavesTheTableAsItWas) {
  TManifoldTable target;
  const std::string before = target.SaveBinaryBytes();
  RequestStop();
  EXPECT_THROW(target.LoadBinaryBytes(bytes_, "memory"), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_TRUE(SameBytes(target.SaveBinaryBytes(), before));
}

TEST_F(BinaryTableFileTest, ATableWithAKeyIndexFindsTheEntriesItLoaded) {
  TManifoldTable target;
  target.UseKeyIndex();
  int index = -1;
  target.LookUp(index, Lens(13, 5));
  ASSERT_EQ(target.LoadBinaryBytes(bytes_, "memory"), 1);
  const int count = target.CountEntries();
  index = -1;
  // Found again (its entry is recognised), not added a second time.
  EXPECT_EQ(target.LookUp(index, Lens(7, 2)), kLookupRecognised);
  EXPECT_EQ(target.CountEntries(), count);
  EXPECT_EQ(index, 0);
  // The entry held before the load is gone from the index too.
  index = -1;
  target.LookUp(index, Lens(13, 5));
  EXPECT_EQ(target.CountEntries(), count + 1);
}

// Writing and reading binary table files (the layout is in the header).
//
// The writer and the reader below mirror each other item by item. The
// reader builds a complete new table and hands it over with one exchange of
// members, so a fault anywhere (or a stop request) leaves the current table
// untouched, and nothing half-read is ever seen.
#include "recognition/binary_table_file.h"

#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unordered_map>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_header.h"
#include "model/object_table.h"
#include "model/vertex.h"
#include "recognition/binary_cursor.h"
#include "recognition/result_table.h"

namespace {

constexpr int kKeyBytes = 14;
constexpr int kStateWords = 14;   // one invariant-state word per order 3 to 16
constexpr int kNodeWords = 19;
constexpr int kMoleculeBlockSize = 356;
constexpr int kMoleculeImageWords = 85;
constexpr int kResultRecordWords = 13;
constexpr int kStoreMarker = 512;
constexpr int kSerialCounters = 8;

// Word 18 of a node image: what follows the presentation this node heads.
// The table keeps an entry's presentations in a list, and each of them may
// carry a chain of presentations of its own (derived by classification).
constexpr int kNoPresentationFollows = 0;
constexpr int kLinkedPresentationFollows = 1;  // the next one of its chain
constexpr int kListedPresentationFollows = 2;  // the next one of the entry's list

// Node image words.
enum : int {
  kNodeReserved = 0,
  kNodeName = 1,
  kNodeCodeList = 2,
  kNodeWord3 = 3,
  kNodeResultRecord = 4,
  kNodeText5 = 5,
  kNodeReferences = 6,
  kNodeReferenceValues = 7,
  kNodeMark = 8,
  kNodeFlag9 = 9,
  kNodeCode = 10,
  kNodeMolecule = 11,
  kNodeNextSummand = 12,
  kNodeMoveLines = 13,
  kNodeSourceNames = 14,
  kNodeSourcePositions = 15,
  kNodeEntryText = 16,
  kNodeSpineText = 17,
  kNodeNextPresentation = 18,
};

// The smallest number of bytes each item can take, for the count checks.
constexpr std::size_t kMinText = 1;
constexpr std::size_t kMinWord = 4;
constexpr std::size_t kMinNode = 4 * (kNodeWords + kCodeHeaderWords + 3);
constexpr std::size_t kMinVertexRecord = 4 * 15 + kMinText;
constexpr std::size_t kMinEdgeRecord = 4 * 13 + kMinText;
constexpr std::size_t kMinEntry = kMinNode + 4 * 3 + 2 * kMinText;

// Messages (string table 9220-9239).
std::string Message(int id, const std::string& a = {}, const std::string& b = {}) {
  const auto text = StringTableText(id);
  std::string format = text ? std::string(*text) : std::string();
  std::string out;
  const std::string* args[2] = {&a, &b};
  int next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' && next < 2) {
      out += *args[next++];
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace

// Friend of TManifoldTable and TManifoldDescription: the one place that sees
// every field of both.
class TBinaryTableFile {
 public:
  static void Write(const TManifoldTable& table, TBinaryWriter& out);
  static void Read(TBinaryCursor& in, TManifoldTable& fresh);

 private:
  using TEntryIndex = std::unordered_map<const TManifoldDescription*, int>;

  static void WriteNode(const TManifoldDescription& d, int nextPresentation, const TEntryIndex& index,
                        TBinaryWriter& out, TStopPoll& poll);
  static void WriteMolecule(const TObjectTable& m, TBinaryWriter& out, TStopPoll& poll);
  static void WriteStore(const THeegaardDiagramStore& store, TBinaryWriter& out, TStopPoll& poll);

  struct TPendingReferences {
    TManifoldDescription* node;
    std::vector<int> entries;
  };
  static std::unique_ptr<TManifoldDescription> ReadNode(TBinaryCursor& in, int names, std::int32_t image[kNodeWords],
                                                        std::vector<TPendingReferences>& pending, TStopPoll& poll);
  static void ReadCode(TBinaryCursor& in, TPieceCode& code, TStopPoll& poll);
  static std::unique_ptr<TObjectTable> ReadMolecule(TBinaryCursor& in, TStopPoll& poll);
  static void ReadStore(TBinaryCursor& in, THeegaardDiagramStore& store, TStopPoll& poll);
};

namespace {

void PutWords(TBinaryWriter& out, int n, std::int32_t value) {
  for (int i = 0; i < n; ++i) out.Put32(value);
}

}  // namespace

// ---------------------------------------------------------------------------
// Writing

void TBinaryTableFile::Write(const TManifoldTable& table, TBinaryWriter& out) {
  TStopPoll poll(256);
  out.PutBytes(std::string_view(kBinaryTableKey, kKeyBytes));
  out.Put32(kBinaryTableVersion);
  out.Put32(16);
  PutWords(out, 3 * kStateWords, 0);

  out.Put32(table.kind_);
  out.Put32(table.ignoreReducible_);
  out.Put32(table.ignoreTrivial_);
  out.Put32(table.GetReportKind());
  out.Put32(0);  // owner view: set again by whoever loads the table
  out.Put32(table.sourceKind_);
  PutWords(out, 3, 0);  // heap contexts: built afresh by the reader
  out.Put32(table.entries_.empty() ? 0 : 1);
  out.Put32(table.sourceNames_.empty() ? 0 : 1);
  out.Put32(table.currentSource_);
  out.Put32(table.position_);
  out.Put32(table.subposition_);
  out.Put32(static_cast<std::int32_t>(table.interval_.count()));

  out.Put32(static_cast<std::int32_t>(table.sourceNames_.size()));
  for (const std::string& name : table.sourceNames_) {
    poll.Step();
    out.PutText(name);
  }

  // References are written as the index of the entry that holds the node.
  TEntryIndex index;
  for (std::size_t i = 0; i < table.entries_.size(); ++i)
    for (const auto& p : table.entries_[i].presentations)
      for (const TManifoldDescription* c = p.get(); c != nullptr; c = c->GetNextPresentation())
        for (const TManifoldDescription* s = c; s != nullptr; s = s->GetNextSummand())
          index.emplace(s, static_cast<int>(i));

  out.Put32(static_cast<std::int32_t>(table.entries_.size()));
  for (const TManifoldTable::TEntry& entry : table.entries_) {
    const auto& list = entry.presentations;
    for (std::size_t p = 0; p < list.size(); ++p) {
      for (const TManifoldDescription* c = list[p].get(); c != nullptr; c = c->GetNextPresentation()) {
        int next = kNoPresentationFollows;
        if (c->GetNextPresentation() != nullptr) {
          next = kLinkedPresentationFollows;
        } else if (p + 1 < list.size()) {
          next = kListedPresentationFollows;
        }
        for (const TManifoldDescription* s = c; s != nullptr; s = s->GetNextSummand())
          WriteNode(*s, s == c ? next : kNoPresentationFollows, index, out, poll);
      }
    }
    out.Put32(entry.hasHomology ? 1 : 0);
    out.Put32(static_cast<std::int32_t>(entry.homology.size()));
    for (std::int32_t v : entry.homology) out.Put32(v);
    out.PutText(entry.text);
    out.PutText(entry.invariantText);
    out.Put32(static_cast<std::int32_t>(entry.duplicates.size()));
    for (int d : entry.duplicates) out.Put32(d);
  }

  if (table.sourceKind_ == kSourceHeegaard) WriteStore(*table.store_, out, poll);
}

void TBinaryTableFile::WriteNode(const TManifoldDescription& d, int nextPresentation, const TEntryIndex& index,
                                 TBinaryWriter& out, TStopPoll& poll) {
  poll.Step();
  std::int32_t image[kNodeWords] = {};
  image[kNodeReserved] = d.reserved_;
  image[kNodeName] = d.hasName_ ? 1 : 0;
  image[kNodeWord3] = d.word3_;
  image[kNodeText5] = d.hasText5_ ? 1 : 0;
  image[kNodeReferences] = d.references_.empty() ? 0 : 1;
  image[kNodeReferenceValues] = d.references_.empty() ? 0 : 1;
  image[kNodeMark] = d.mark_;
  image[kNodeFlag9] = d.flag9_;
  image[kNodeCode] = 1;
  image[kNodeMolecule] = d.molecule_ != nullptr ? 1 : 0;
  image[kNodeNextSummand] = d.nextSummand_ != nullptr ? 1 : 0;
  image[kNodeMoveLines] = d.moveLines_.empty() ? 0 : 1;
  image[kNodeSourceNames] = d.sources_.empty() ? 0 : 1;
  image[kNodeSourcePositions] = d.sources_.empty() ? 0 : 1;
  image[kNodeEntryText] = d.hasEntryText_ ? 1 : 0;
  image[kNodeSpineText] = d.hasSpineText_ ? 1 : 0;
  image[kNodeNextPresentation] = nextPresentation;
  for (std::int32_t w : image) out.Put32(w);

  if (d.hasName_) out.PutText(d.name_);
  for (std::int32_t w : d.code_.Words()) out.Put32(w);
  if (d.molecule_ != nullptr) WriteMolecule(*d.molecule_, out, poll);
  out.Put32(static_cast<std::int32_t>(d.moveLines_.size()));
  for (const std::string& line : d.moveLines_) {
    poll.Step();
    out.PutText(line);
  }
  out.Put32(static_cast<std::int32_t>(d.sources_.size()));
  for (const auto& s : d.sources_) out.Put32(s.nameIndex);
  out.Put32(static_cast<std::int32_t>(2 * d.sources_.size()));
  for (const auto& s : d.sources_) {
    out.Put32(s.position);
    out.Put32(s.subposition);
  }
  if (d.hasEntryText_) out.PutText(d.entryText_);
  if (d.hasSpineText_) out.PutText(d.spineText_);
  if (d.hasText5_) out.PutText(d.text5_);
  if (!d.references_.empty()) {
    PutWords(out, kResultRecordWords, 0);
    out.Put32(static_cast<std::int32_t>(d.references_.size()));
    for (const auto& r : d.references_) {
      const auto it = index.find(r.entry);
      out.Put32(it != index.end() ? it->second : -1);
    }
    out.Put32(static_cast<std::int32_t>(d.references_.size()));
    for (const auto& r : d.references_) out.Put32(r.value);
  }
}

void TBinaryTableFile::WriteMolecule(const TObjectTable& m, TBinaryWriter& out, TStopPoll& poll) {
  std::vector<const TObjectHeader*> vertices;
  std::vector<const TObjectHeader*> edges;
  for (int i = 0; i < m.Count(); ++i) {
    const TObjectHeader* object = m.At(i);
    if (ObjectKind(object) == kMoleculeVertexKind) vertices.push_back(object);
    if (ObjectKind(object) == kMoleculeEdgeKind) edges.push_back(object);
  }
  std::unordered_map<const TObjectHeader*, int> vertexIndex;
  std::unordered_map<const TObjectHeader*, int> edgeIndex;
  for (std::size_t i = 0; i < vertices.size(); ++i) vertexIndex.emplace(vertices[i], static_cast<int>(i));
  for (std::size_t i = 0; i < edges.size(); ++i) edgeIndex.emplace(edges[i], static_cast<int>(i));

  out.Put32(kMoleculeBlockSize);
  out.Put32(0);
  out.Put32(static_cast<std::int32_t>(vertices.size()));
  out.Put32(static_cast<std::int32_t>(edges.size()));
  // The image of the table: pointer words 0, then what the reader takes over.
  PutWords(out, 2, 0);
  for (int k = 0; k < kObjectKindCount; ++k) {
    const bool molecule = k == kMoleculeVertexKind || k == kMoleculeEdgeKind;
    out.Put32(molecule ? m.CountOfKind(k) : 0);
  }
  for (int k = 0; k < kObjectKindCount; ++k) out.Put32(m.HighestNumber(k));
  PutWords(out, 2 * kObjectKindCount, 0);
  out.Put32(m.CreationTag());
  PutWords(out, 3, 0);
  out.Put32(m.SourceKind());
  out.Put32(m.VertexCount());
  out.Put32(m.OtherBoundaryCount());
  out.Put32(m.TorusBoundaryCount());
  out.Put32(m.CounterA());
  out.Put32(m.CounterB());
  out.Put32(m.CounterC());
  for (int i = 0; i < kSerialCounters; ++i) out.Put32(m.SerialCounter(i));

  auto edgeOf = [&](const TObjectHeader* e) {
    const auto it = edgeIndex.find(e);
    return it != edgeIndex.end() ? it->second : -1;
  };
  auto vertexOf = [&](const TObjectHeader* v) {
    const auto it = vertexIndex.find(v);
    return it != vertexIndex.end() ? it->second : -1;
  };

  for (std::size_t i = 0; i < vertices.size(); ++i) {
    poll.Step();
    const TObjectHeader* object = vertices[i];
    const TMoleculeVertex* v = TMoleculeVertex::Of(object);
    const std::size_t start = out.Size();
    const int pairs = v->firstPairs.Count();
    const int ends = v->edgeList.Count();
    out.Put32(0);  // size, patched below
    out.Put32(static_cast<std::int32_t>(i));
    out.Put32(pairs);
    out.Put32(object->number);
    out.Put32(object->secondaryNumber);
    out.Put32(v->atomType);
    out.Put32(v->triple.first);
    out.Put32(v->triple.second);
    out.Put32(v->triple.third);
    out.Put32(v->pair[0]);
    out.Put32(v->pair[1]);
    out.Put32(v->baseEuler);
    out.Put32(v->baseOrientable);
    out.Put32(v->baseCircles);
    out.Put32(ends);
    for (int k = 0; k < ends; ++k) out.Put32(edgeOf(v->edgeList.At(k)));
    for (int k = 0; k < pairs; ++k) {
      out.Put32(static_cast<std::int32_t>(v->firstPairs.ValueAt(k)));
      out.Put32(static_cast<std::int32_t>(k < v->secondPairs.Count() ? v->secondPairs.ValueAt(k) : 0));
    }
    const char* name = ObjectNameText(object);
    out.PutText(name != nullptr ? name : "");
    out.Patch32(start, static_cast<std::int32_t>(out.Size() - start));
  }
  for (std::size_t i = 0; i < edges.size(); ++i) {
    poll.Step();
    const TObjectHeader* object = edges[i];
    const TMoleculeEdge* e = TMoleculeEdge::Of(object);
    const std::size_t start = out.Size();
    out.Put32(0);
    out.Put32(static_cast<std::int32_t>(i));
    out.Put32(object->number);
    out.Put32(object->secondaryNumber);
    out.Put32(e->edgeType);
    out.Put32(vertexOf(e->end1.Object()));
    out.Put32(vertexOf(e->end2.Object()));
    out.Put32(e->gluing.a);
    out.Put32(e->gluing.b);
    out.Put32(e->gluing.c);
    out.Put32(e->gluing.d);
    out.Put32(e->endSlots[0]);
    out.Put32(e->endSlots[1]);
    const char* name = ObjectNameText(object);
    out.PutText(name != nullptr ? name : "");
    out.Patch32(start, static_cast<std::int32_t>(out.Size() - start));
  }
}

void TBinaryTableFile::WriteStore(const THeegaardDiagramStore& store, TBinaryWriter& out, TStopPoll& poll) {
  out.Put32(kStoreMarker);
  out.Put32(store.SeriesCounter());
  const THeegaardDiagram& current = store.CurrentDiagram();
  out.Put32(current.Kind());
  const TDiagramRecord record = DiagramRecordOf(current);
  for (int k = 0; k < 8; k += 2) out.Put32(static_cast<std::int32_t>(record[k] | (std::uint32_t{record[k + 1]} << 16)));
  out.Put32(current.GetTag());
  out.Put32(current.GetTag2());
  out.Put32(0);
  const bool open = store.IsDiagramStoreOpen() != 0;
  const int buckets = THeegaardDiagramStore::kBucketCount;
  for (int b = 0; b < buckets; ++b) out.Put32(open ? store.BucketCapacity(b) : 0);
  for (int b = 0; b < buckets; ++b) out.Put32(open ? static_cast<std::int32_t>(store.Bucket(b).size()) : 0);
  if (!open) return;
  for (int b = 0; b < buckets; ++b) {
    for (const TDiagramRecord& r : store.Bucket(b)) {
      poll.Step();
      for (int k = 0; k < 8; k += 2) out.Put32(static_cast<std::int32_t>(r[k] | (std::uint32_t{r[k + 1]} << 16)));
    }
  }
}

// ---------------------------------------------------------------------------
// Reading

void TBinaryTableFile::Read(TBinaryCursor& in, TManifoldTable& fresh) {
  ThrowIfStopRequested();
  TStopPoll poll(256);
  if (in.Remaining() == 0) in.Fail("the file is empty");
  const std::string_view key = in.GetBytes(std::min<std::size_t>(kKeyBytes, in.Remaining()), "the key");
  if (key != std::string_view(kBinaryTableKey, kKeyBytes)) in.Fail("the file does not begin with \"BinFileVersion\"");
  const std::int32_t version = in.Get32("the version");
  if (version != kBinaryTableVersion) {
    in.Fail("the version is " + std::to_string(version) + ", only version " + std::to_string(kBinaryTableVersion) +
            " is read");
  }
  in.Get32("the word after the version");
  in.Skip(4 * 3 * kStateWords, "the invariant state");

  fresh.kind_ = in.GetIn("the table kind", kTableSorted, kTableArrivalOrder);
  fresh.ignoreReducible_ = in.GetIn("the ignore-reducible flag", 0, 1);
  fresh.ignoreTrivial_ = in.GetIn("the ignore-trivial flag", 0, 1);
  in.Get32("the report kind");  // derived from the entries
  in.Get32("the owner view word");
  fresh.sourceKind_ = in.GetIn("the source kind", 0, kSourceHeegaard);
  in.Skip(4 * 3, "the heap words");
  const std::int32_t hasEntries = in.GetIn("the entry-list word", 0, 1);
  const std::int32_t hasNames = in.GetIn("the source-name-list word", 0, 1);
  in.Skip(4 * 4, "the current source, positions and interval");

  const std::int32_t names = in.GetCount("the number of source names", kMinText);
  if ((names > 0) != (hasNames != 0)) in.Fail("the source-name-list word disagrees with the number of names");
  fresh.sourceNames_.reserve(static_cast<std::size_t>(names));
  for (std::int32_t i = 0; i < names; ++i) {
    poll.Step();
    fresh.sourceNames_.push_back(in.GetText("a source name"));
  }

  const std::int32_t entries = in.GetCount("the number of entries", kMinEntry);
  if ((entries > 0) != (hasEntries != 0)) in.Fail("the entry-list word disagrees with the number of entries");
  std::vector<TPendingReferences> pending;
  fresh.entries_.reserve(static_cast<std::size_t>(entries));
  for (std::int32_t i = 0; i < entries; ++i) {
    TManifoldTable::TEntry entry;
    TManifoldDescription* chainEnd = nullptr;  // where a linked presentation goes
    int follows = kListedPresentationFollows;
    while (follows != kNoPresentationFollows) {
      std::int32_t image[kNodeWords];
      std::unique_ptr<TManifoldDescription> head = ReadNode(in, names, image, pending, poll);
      const int next = image[kNodeNextPresentation];
      TManifoldDescription* last = head.get();
      while (image[kNodeNextSummand] != 0) {
        std::unique_ptr<TManifoldDescription> summand = ReadNode(in, names, image, pending, poll);
        if (image[kNodeNextPresentation] != 0) in.Fail("a summand says that another presentation follows");
        TManifoldDescription* s = summand.get();
        last->SetNextSummand(std::move(summand));
        last = s;
      }
      TManifoldDescription* placed = head.get();
      if (follows == kLinkedPresentationFollows) {
        chainEnd->SetNextPresentation(std::move(head));
      } else {
        entry.presentations.push_back(std::move(head));
      }
      chainEnd = placed;
      follows = next;
    }
    entry.hasHomology = in.GetIn("the homology flag", 0, 1) != 0;
    const std::int32_t homology = in.GetCount("the length of an entry's homology", kMinWord);
    entry.homology.reserve(static_cast<std::size_t>(homology));
    for (std::int32_t k = 0; k < homology; ++k) {
      poll.Step();
      entry.homology.push_back(in.Get32("a homology number"));
    }
    entry.text = in.GetText("an entry text");
    entry.invariantText = in.GetText("an entry's invariant text");
    const std::int32_t duplicates = in.GetCount("the number of an entry's duplicates", kMinWord);
    for (std::int32_t k = 0; k < duplicates; ++k) {
      poll.Step();
      entry.duplicates.push_back(in.GetIn("a duplicate's entry index", 0, entries - 1));
    }
    fresh.entries_.push_back(std::move(entry));
  }
  // References name entries by index; the head of that entry stands for it.
  for (const TPendingReferences& p : pending) {
    for (std::size_t k = 0; k < p.entries.size(); ++k) {
      const int e = p.entries[k];
      if (e >= entries) in.Fail("a reference names entry " + std::to_string(e) + " of " + std::to_string(entries));
      p.node->references_[k].entry = e < 0 ? nullptr : fresh.entries_[static_cast<std::size_t>(e)].presentations.front().get();
    }
  }

  if (fresh.sourceKind_ == kSourceHeegaard) ReadStore(in, *fresh.store_, poll);
  if (!in.AtEnd()) in.Fail(std::to_string(in.Remaining()) + " bytes follow the end of the table");
}

std::unique_ptr<TManifoldDescription> TBinaryTableFile::ReadNode(TBinaryCursor& in, int names,
                                                                 std::int32_t image[kNodeWords],
                                                                 std::vector<TPendingReferences>& pending,
                                                                 TStopPoll& poll) {
  poll.Step();
  for (int k = 0; k < kNodeWords; ++k) image[k] = in.Get32("a node image");
  if (image[kNodeNextPresentation] < kNoPresentationFollows || image[kNodeNextPresentation] > kListedPresentationFollows) {
    in.Fail("word 18 of a node image is " + std::to_string(image[kNodeNextPresentation]));
  }
  for (int k : {kNodeName, kNodeCodeList, kNodeResultRecord, kNodeText5, kNodeReferences, kNodeReferenceValues,
                kNodeCode, kNodeMolecule, kNodeNextSummand, kNodeMoveLines, kNodeSourceNames, kNodeSourcePositions,
                kNodeEntryText, kNodeSpineText}) {
    if (image[k] != 0 && image[k] != 1) in.Fail("word " + std::to_string(k) + " of a node image is not 0 or 1");
  }
  if (image[kNodeCodeList] != 0) in.Fail("a node has a code list, which this table does not keep");
  if (image[kNodeCode] != 1) in.Fail("a node has no piece code");
  if (image[kNodeReferences] != image[kNodeReferenceValues]) in.Fail("a node has references without values");

  auto d = std::make_unique<TManifoldDescription>();
  d->reserved_ = image[kNodeReserved];
  d->word3_ = image[kNodeWord3];
  d->mark_ = image[kNodeMark];
  d->flag9_ = image[kNodeFlag9];
  if (image[kNodeName] != 0) {
    d->hasName_ = true;
    d->name_ = in.GetText("a node's name");
  }
  ReadCode(in, d->code_, poll);
  if (image[kNodeMolecule] != 0) d->molecule_ = ReadMolecule(in, poll);
  // A spine record's exceptional atom points at the code again.
  d->AttachCodeToSpineRecordVertex();

  const std::int32_t lines = in.GetCount("the number of move lines", kMinText);
  if ((lines > 0) != (image[kNodeMoveLines] != 0)) in.Fail("the move-line word disagrees with the number of lines");
  for (std::int32_t k = 0; k < lines; ++k) {
    poll.Step();
    d->moveLines_.push_back(in.GetText("a move line"));
  }
  const std::int32_t sources = in.GetCount("the number of sources", kMinWord);
  if ((sources > 0) != (image[kNodeSourceNames] != 0)) in.Fail("the source word disagrees with the number of sources");
  std::vector<int> nameIndices;
  for (std::int32_t k = 0; k < sources; ++k) {
    poll.Step();
    nameIndices.push_back(in.GetIn("a source's name index", 0, names - 1));
  }
  const std::int32_t positions = in.GetCount("the number of source positions", kMinWord);
  if (positions != 2 * sources) in.Fail("a node has " + std::to_string(positions) + " source positions for " +
                                        std::to_string(sources) + " sources");
  if ((positions > 0) != (image[kNodeSourcePositions] != 0)) in.Fail("the position word disagrees with the sources");
  for (std::int32_t k = 0; k < sources; ++k) {
    poll.Step();
    const int position = in.Get32("a source position");
    const int subposition = in.Get32("a source subposition");
    d->sources_.push_back({nameIndices[static_cast<std::size_t>(k)], position, subposition});
  }
  if (image[kNodeEntryText] != 0) {
    d->hasEntryText_ = true;
    d->entryText_ = in.GetText("a node's entry text");
  }
  if (image[kNodeSpineText] != 0) {
    d->hasSpineText_ = true;
    d->spineText_ = in.GetText("a node's spine text");
  }
  if (image[kNodeText5] != 0) {
    d->hasText5_ = true;
    d->text5_ = in.GetText("a node's invariant text");
  }
  if (image[kNodeResultRecord] != 0 || image[kNodeReferences] != 0) {
    in.Skip(4 * kResultRecordWords, "a node's result record");
  }
  if (image[kNodeReferences] != 0) {
    const std::int32_t count = in.GetCount("the number of references", kMinWord);
    TPendingReferences refs{d.get(), {}};
    for (std::int32_t k = 0; k < count; ++k) {
      poll.Step();
      refs.entries.push_back(in.GetIn("a reference's entry index", -1, INT32_MAX));
    }
    const std::int32_t values = in.GetCount("the number of reference values", kMinWord);
    if (values != count) in.Fail("a node has " + std::to_string(values) + " reference values for " +
                                 std::to_string(count) + " references");
    for (std::int32_t k = 0; k < values; ++k) {
      poll.Step();
      d->references_.push_back({nullptr, in.Get32("a reference value")});
    }
    pending.push_back(std::move(refs));
  }
  return d;
}

void TBinaryTableFile::ReadCode(TBinaryCursor& in, TPieceCode& code, TStopPoll& poll) {
  const std::int32_t size = in.Get32("the size of a piece code");
  if (size < kCodeHeaderWords || static_cast<std::size_t>(size - 1) > in.Remaining() / 4) {
    in.Fail("a piece code of " + std::to_string(size) + " words does not fit (at least " +
            std::to_string(kCodeHeaderWords) + ", " + std::to_string(in.Remaining()) + " bytes left)");
  }
  code.Resize(size);
  for (int k = 1; k < size; ++k) {
    poll.Step();
    code.SetWord(k, in.Get32("a piece-code word"));
  }
  // The text block is read through a pointer: its offset must lie inside the
  // code and both of its texts must end there.
  const std::int32_t text = code.Word(kCodeTextOffset);
  if (text > 0) {
    const std::size_t bytes = 4 * static_cast<std::size_t>(size);
    const auto* base = reinterpret_cast<const char*>(code.Words().data());
    const std::size_t at = static_cast<std::size_t>(text);
    const void* first = at < bytes ? std::memchr(base + at, '\0', bytes - at) : nullptr;
    const std::size_t second = first == nullptr ? bytes : static_cast<std::size_t>(static_cast<const char*>(first) - base) + 1;
    if (first == nullptr || second >= bytes || std::memchr(base + second, '\0', bytes - second) == nullptr) {
      in.Fail("the text block of a piece code (offset " + std::to_string(text) + ") does not end inside the code");
    }
  }
}

std::unique_ptr<TObjectTable> TBinaryTableFile::ReadMolecule(TBinaryCursor& in, TStopPoll& poll) {
  in.GetIn("the size of a molecule block", kMoleculeBlockSize, kMoleculeBlockSize);
  in.Get32("a reserved molecule word");
  const std::int32_t vertexCount = in.GetCount("the number of molecule vertices", kMinVertexRecord);
  const std::int32_t edgeCount = in.GetCount("the number of molecule edges", kMinEdgeRecord);
  std::int32_t image[kMoleculeImageWords];
  for (std::int32_t& w : image) w = in.Get32("a molecule table image");
  const std::int32_t* counts = image + 2;
  const std::int32_t* highest = image + 2 + kObjectKindCount;
  for (int k = 0; k < kObjectKindCount; ++k) {
    const bool molecule = k == kMoleculeVertexKind || k == kMoleculeEdgeKind;
    const std::int32_t expected = k == kMoleculeVertexKind ? vertexCount : k == kMoleculeEdgeKind ? edgeCount : 0;
    if (counts[k] != expected) in.Fail("the molecule image counts " + std::to_string(counts[k]) + " objects of kind " +
                                       std::to_string(k) + ", the block holds " + std::to_string(expected));
    // New objects are numbered one above the highest number: it must leave
    // room for that.
    if (highest[k] < 0 || highest[k] == INT32_MAX || (!molecule && highest[k] != 0)) {
      in.Fail("the highest number " + std::to_string(highest[k]) + " of kind " + std::to_string(k) +
              " in a molecule image is not possible");
    }
  }

  auto m = std::make_unique<TObjectTable>();
  // Names come from the file, not from the numbering.
  TSuppressObjectNamesScope quiet(1);
  std::vector<THandle> vertices;
  std::vector<std::vector<int>> endLists;
  for (std::int32_t i = 0; i < vertexCount; ++i) {
    poll.Step();
    const std::size_t start = in.Offset();
    const std::int32_t size = in.Get32("the size of a vertex record");
    in.GetIn("a vertex record's index", i, i);
    const std::int32_t pairs = in.GetCount("the number of a vertex's pairs", 8);
    THandle v(m->CreateObject(kMoleculeVertexKind));
    TMoleculeVertex* data = TMoleculeVertex::Of(v);
    ObjectSetNumberSlot(v, 0, in.Get32("a vertex number"));
    ObjectSetNumberSlot(v, 1, in.Get32("a vertex's second number"));
    data->atomType = in.GetIn("an atom type", 0, kSeifertAtom);
    data->triple.first = in.Get32("a table key");
    data->triple.second = in.Get32("a table key");
    data->triple.third = static_cast<std::int16_t>(in.GetIn("a table key", INT16_MIN, INT16_MAX));
    data->pair[0] = in.Get32("a pair word");
    data->pair[1] = in.Get32("a pair word");
    data->baseEuler = in.Get32("a base Euler characteristic");
    data->baseOrientable = in.GetIn("a base orientability", 0, 1);
    data->baseCircles = in.GetIn("a number of boundary circles", 0, INT32_MAX);
    const std::int32_t ends = in.GetCount("the number of a vertex's edge ends", kMinWord);
    std::vector<int> list;
    for (std::int32_t k = 0; k < ends; ++k) {
      poll.Step();
      list.push_back(in.GetIn("an edge index of a vertex", 0, edgeCount - 1));
    }
    endLists.push_back(std::move(list));
    for (std::int32_t k = 0; k < pairs; ++k) {
      poll.Step();
      data->firstPairs.AppendValue(in.Get32("a pair"));
      data->secondPairs.AppendValue(in.Get32("a pair"));
    }
    const std::string name = in.GetText("a vertex name");
    if (!name.empty()) ObjectSetNameObject(v, NewNameObject(name.c_str(), 1));
    if (static_cast<std::size_t>(size) != in.Offset() - start) in.Fail("a vertex record's size word is wrong");
    vertices.push_back(v);
  }
  struct TEnds {
    int end1, end2;
  };
  std::vector<THandle> edges;
  std::vector<TEnds> edgeEnds;
  for (std::int32_t i = 0; i < edgeCount; ++i) {
    poll.Step();
    const std::size_t start = in.Offset();
    const std::int32_t size = in.Get32("the size of an edge record");
    in.GetIn("an edge record's index", i, i);
    THandle e(m->CreateObject(kMoleculeEdgeKind));
    TMoleculeEdge* data = TMoleculeEdge::Of(e);
    ObjectSetNumberSlot(e, 0, in.Get32("an edge number"));
    ObjectSetNumberSlot(e, 1, in.Get32("an edge's second number"));
    data->edgeType = in.GetIn("an edge type", 0, kVirtualMoleculeEdge);
    TEnds ends{};
    ends.end1 = in.GetIn("an edge's first end", -1, vertexCount - 1);
    ends.end2 = in.GetIn("an edge's second end", -1, vertexCount - 1);
    data->gluing.a = in.Get32("a gluing matrix");
    data->gluing.b = in.Get32("a gluing matrix");
    data->gluing.c = in.Get32("a gluing matrix");
    data->gluing.d = in.Get32("a gluing matrix");
    data->endSlots[0] = static_cast<std::int16_t>(in.GetIn("an end slot", INT16_MIN, INT16_MAX));
    data->endSlots[1] = static_cast<std::int16_t>(in.GetIn("an end slot", INT16_MIN, INT16_MAX));
    const std::string name = in.GetText("an edge name");
    if (!name.empty()) ObjectSetNameObject(e, NewNameObject(name.c_str(), 1));
    if (static_cast<std::size_t>(size) != in.Offset() - start) in.Fail("an edge record's size word is wrong");
    edges.push_back(e);
    edgeEnds.push_back(ends);
  }
  // Attach the edge ends in the order of each vertex's list, so that the
  // order of the edges at every atom is the one that was saved.
  std::vector<std::array<bool, 2>> attached(edges.size(), {false, false});
  for (std::size_t v = 0; v < vertices.size(); ++v) {
    for (int e : endLists[v]) {
      poll.Step();
      const TEnds& ends = edgeEnds[static_cast<std::size_t>(e)];
      auto& done = attached[static_cast<std::size_t>(e)];
      int end = 0;
      if (ends.end1 == static_cast<int>(v) && !done[0]) end = 1;
      else if (ends.end2 == static_cast<int>(v) && !done[1]) end = 2;
      if (end == 0) in.Fail("vertex " + std::to_string(v) + " lists edge " + std::to_string(e) + " more often than it ends there");
      done[static_cast<std::size_t>(end - 1)] = true;
      TEdge::SetEndVertex(edges[static_cast<std::size_t>(e)], vertices[v], end);
    }
  }
  for (std::size_t e = 0; e < edges.size(); ++e) {
    if ((edgeEnds[e].end1 >= 0 && !attached[e][0]) || (edgeEnds[e].end2 >= 0 && !attached[e][1])) {
      in.Fail("edge " + std::to_string(e) + " is missing from the edge list of one of its ends");
    }
  }

  for (int k = 0; k < kObjectKindCount; ++k) m->SetHighestNumber(k, highest[k]);
  m->SetCreationTag(image[66]);
  m->SetSourceKind(image[70]);
  m->SetVertexCount(image[71]);
  m->SetBoundaryCounts(image[72], image[73]);
  m->SetCounterA(image[74]);
  m->SetCounterB(image[75]);
  m->SetCounterC(image[76]);
  for (int i = 0; i < kSerialCounters; ++i) m->SetSerialCounter(i, image[77 + i]);
  return m;
}

void TBinaryTableFile::ReadStore(TBinaryCursor& in, THeegaardDiagramStore& store, TStopPoll& poll) {
  in.Get32("the diagram store marker");
  const std::int32_t counter = in.Get32("the series counter");
  const std::int32_t kind = in.Get32("the kind of the current diagram");
  TDiagramRecord numbers{};
  for (int k = 0; k < 8; k += 2) {
    const auto w = static_cast<std::uint32_t>(in.Get32("the current diagram"));
    numbers[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(w & 0xffffu);
    numbers[static_cast<std::size_t>(k + 1)] = static_cast<std::uint16_t>(w >> 16);
  }
  const std::int32_t level = in.GetIn("the level of the current diagram", INT16_MIN, INT16_MAX);
  const std::int32_t move = in.GetIn("the move code of the current diagram", INT16_MIN, INT16_MAX);
  in.Get32("a word of the current diagram");
  THeegaardDiagram current;
  const THeegaardDiagram unset;
  if (numbers != DiagramRecordOf(unset) || kind != unset.Kind()) {
    if (!current.SetFromSix(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5], numbers[6],
                            numbers[7]) ||
        DiagramRecordOf(current) != numbers) {
      in.Fail("the current diagram of the store is not a diagram");
    }
    current.SetKind(kind);
  }
  current.SetTag(level);
  current.SetTag2(move);

  const int n = THeegaardDiagramStore::kBucketCount;
  std::vector<std::int32_t> capacities(static_cast<std::size_t>(n));
  for (std::int32_t& c : capacities) c = in.GetIn("a bucket capacity", 0, INT32_MAX);
  std::vector<std::vector<TDiagramRecord>> buckets(static_cast<std::size_t>(n));
  std::vector<std::int32_t> counts(static_cast<std::size_t>(n));
  std::size_t total = 0;
  for (int b = 0; b < n; ++b) {
    const std::int32_t c = in.GetIn("a bucket count", 0, INT32_MAX);
    if (c > capacities[static_cast<std::size_t>(b)]) {
      in.Fail("bucket " + std::to_string(b) + " counts " + std::to_string(c) + " diagrams beyond its capacity " +
              std::to_string(capacities[static_cast<std::size_t>(b)]));
    }
    counts[static_cast<std::size_t>(b)] = c;
    total += static_cast<std::size_t>(c);
  }
  if (total > in.Remaining() / 16) {
    in.Fail("the buckets count " + std::to_string(total) + " diagrams, more than the data holds");
  }
  for (int b = 0; b < n; ++b) {
    auto& bucket = buckets[static_cast<std::size_t>(b)];
    bucket.reserve(static_cast<std::size_t>(counts[static_cast<std::size_t>(b)]));
    for (std::int32_t k = 0; k < counts[static_cast<std::size_t>(b)]; ++k) {
      poll.Step();
      TDiagramRecord r{};
      for (int j = 0; j < 8; j += 2) {
        const auto w = static_cast<std::uint32_t>(in.Get32("a diagram record"));
        r[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(w & 0xffffu);
        r[static_cast<std::size_t>(j + 1)] = static_cast<std::uint16_t>(w >> 16);
      }
      bucket.push_back(r);
    }
  }
  if (store.LoadBuckets(std::move(buckets), counter, current) == 0) {
    in.Fail("the diagram store's buckets are not sorted by arc sum and order");
  }
}

// ---------------------------------------------------------------------------
// The table's entry points

std::string TManifoldTable::SaveBinaryBytes() const {
  TBinaryWriter out;
  TBinaryTableFile::Write(*this, out);
  return out.Bytes();
}

long TManifoldTable::SaveBinary(const std::string& fileName) const {
  const std::string bytes = SaveBinaryBytes();
  // Written beside the file and moved over it only when complete, so a full
  // disk or a crash never leaves a truncated table in place of a good one.
  const std::string part = fileName + ".part";
  {
    std::ofstream file(part, std::ios::binary | std::ios::trunc);
    if (!file) return 0;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(part, ignored);
      return 0;
    }
  }
  std::error_code error;
  std::filesystem::rename(part, fileName, error);
  if (error) {
    std::filesystem::remove(part, error);
    return 0;
  }
  return static_cast<long>(bytes.size());
}

int TManifoldTable::LoadBinaryBytes(std::string_view bytes, const std::string& origin) {
  TManifoldTable fresh;
  try {
    TScope scope(fresh);
    TBinaryCursor in(bytes);
    TBinaryTableFile::Read(in, fresh);
  } catch (const TBinaryFormatError& error) {
    loadError_ = Message(9220, origin, error.what());
    return 0;
  } catch (const Out_of_Range& error) {
    loadError_ = Message(9220, origin, error.what());
    return 0;
  }
  kind_ = fresh.kind_;
  ignoreReducible_ = fresh.ignoreReducible_;
  ignoreTrivial_ = fresh.ignoreTrivial_;
  if (fresh.sourceKind_ == kSourceHeegaard) std::swap(store_, fresh.store_);
  sourceKind_ = fresh.sourceKind_;
  // The entries come with the heap they were read into; the old ones go
  // with theirs.
  entries_.swap(fresh.entries_);
  std::swap(context_, fresh.context_);
  sourceNames_.swap(fresh.sourceNames_);
  // The key index pointed into the entries just dropped.
  if (keyIndex_) UseKeyIndex();
  currentSource_ = -1;
  position_ = -1;
  subposition_ = -1;
  interval_ = std::chrono::milliseconds(0);
  lastInsertPosition_ = 0;
  loaded_ = true;
  duplicatesComputed_ = false;
  loadError_.clear();
  return 1;
}

int TManifoldTable::LoadBinary(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) {
    loadError_ = Message(9220, fileName, Message(9221));
    return 0;
  }
  std::ostringstream data;
  data << file.rdbuf();
  if (file.bad()) {
    loadError_ = Message(9220, fileName, Message(9221));
    return 0;
  }
  return LoadBinaryBytes(data.str(), fileName);
}

// The table of manifolds that one recognition run or one series fills.
//
// An entry is one manifold: the list of its presentations (one description
// per distinct spine description found), the first being the head by which
// the entries are sorted. Every leaf spine of the recognition search is
// described and looked up here; the answer (a lookup code) says whether the
// manifold was known, is new, or was rejected, and steers the search.
//
// The entries live in a heap context of the table's own: a description
// handed to the table is copied into it, so the table outlives the spines it
// was filled from and the heaps they were built in (a document replaces its
// heap with every parse).
//
// The table can save itself on a timer (AutoSave) into a folder of its own
// choosing; the clock and the writer are injectable so that tests need not
// wait and need no file format.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/packed_record_list.h"
#include "foundation/private_heap.h"
#include "recognition/heegaard_store.h"
#include "recognition/manifold_description.h"

class TSpine;

// The answers of a lookup. Code 2 is never returned.
enum : int {
  kLookupRecognised = 1,         // the entry is recognised (or, outside mode 3, rejected)
  kLookupEqualPresentation = 3,  // equal to a stored presentation: a source was added
  kLookupNotBetter = 4,          // compared with the given entry and not better
  kLookupTrivialRejected = 5,    // trivial manifold rejected (mode 3)
  kLookupReducibleRejected = 6,  // reducible manifold rejected (mode 3)
  kLookupNewTyped = 7,           // new entry of a recognised type
  kLookupNewUntyped = 8,         // new entry of an unrecognised spine
  kLookupNewWithSeifertAtom = 9, // as 8, with a Seifert atom in the molecule
  kLookupPresentationAdded = 10, // presentation added to the given entry
  kLookupJoined = 11,            // the given entry was joined with an equal one
};

// Table kinds: sorted, the table of one recognition command, arrival order.
enum : int { kTableSorted = 1, kTableSingleCommand = 2, kTableArrivalOrder = 3 };

// The series that fill a table (its source kind); a table of the Heegaard
// diagram series carries the diagram store in its table files.
enum : int { kSourceLinks = 4, kSourceCrystallizations = 6, kSourceExtendedHeegaard = 7, kSourceHeegaard = 8 };

// The recognition modes that change what a lookup answers.
enum : int {
  kModeTillFirst = 1,
  kModeTillMain = 2,
  kModeAllPresentations = 3,
  kModeSimplifyOnly = 4,
  kModeCompareOnly = 5,
};

// Describes a spine for the table: the pieces its labeled molecule records
// are assembled and recognised; the complexity is the spine's vertex count.
// The molecule of the spine is consumed (call it on a copy to keep it).
// With ignoreAddedBalls (the setting
// EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls) no summand counts
// the balls cut off, so that a manifold and its punctured copies describe
// alike.
std::unique_ptr<TManifoldDescription> DescribeSpine(TSpine& spine, bool ignoreAddedBalls = false);

// Vertices of the whole chain of spines.
int CountChainVertices(TSpine& spine);

class TManifoldTable {
 public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;
  // Writes the table to the path; the number of bytes written, 0 on failure.
  using TWriter = std::function<long(const TManifoldTable&, const std::string&)>;

  explicit TManifoldTable(int ignoreReducible = 0, int ignoreTrivial = 0);
  ~TManifoldTable();
  TManifoldTable(const TManifoldTable&) = delete;
  TManifoldTable& operator=(const TManifoldTable&) = delete;

  void SetKind(int kind) { kind_ = kind; }
  int GetKind() const { return kind_; }
  // The recognition mode in force: mode 3 reports rejections as such.
  void SetRecognitionMode(int mode) { mode_ = mode; }
  int GetRecognitionMode() const { return mode_; }
  int GetIgnoreReducible() const { return ignoreReducible_; }
  // The spines this table looks up are described without the balls cut off
  // (see DescribeSpine). Held in memory only: a table file does not keep it.
  void SetIgnoreAddedBalls(bool ignore) { ignoreAddedBalls_ = ignore; }
  bool IgnoresAddedBalls() const { return ignoreAddedBalls_; }
  int GetIgnoreTrivial() const { return ignoreTrivial_; }
  // Set by the series engine before its first lookup (0 when not set).
  void SetSourceKind(int kind) { sourceKind_ = kind; }
  int GetSourceKind() const { return sourceKind_; }
  // The Heegaard diagram store of a Heegaard diagram series; saved and
  // loaded with the table when the source kind is kSourceHeegaard.
  THeegaardDiagramStore& DiagramStore() { return *store_; }
  const THeegaardDiagramStore& DiagramStore() const { return *store_; }
  // 0 for an empty table; 2 when some entry is closed; else 1.
  int GetReportKind() const;

  // ---- Sources ----
  void SetCurrentSourceName(const std::string& name);
  void SetSourcePosition(int position, int subposition);
  const std::string* GetSourceName(int i) const;

  // ---- Queries ----
  int CountEntries() const { return static_cast<int>(entries_.size()); }
  // Typed presentations over all entries.
  int CountPresentations() const;
  int CountEntryPresentations(int i) const;
  // The head of entry i (presentation p of it); null out of range.
  TManifoldDescription* GetEntry(int i, int p = 0) const;
  int IsEntryRecognised(int i) const;
  // Where the last new presentation went in its entry (0 = the head).
  int LastInsertPosition() const { return lastInsertPosition_; }

  // ---- Lookups (the description is consumed; what is kept is a copy in
  // the table's own heap) ----
  // index receives the entry made or found, -1 when rejected.
  int LookUp(int& index, std::unique_ptr<TManifoldDescription> description);
  // Compares with entry index (which may change, or become -1).
  int CompareWithEntry(int& index, std::unique_ptr<TManifoldDescription> description);
  // The same for a spine; the spine's molecule is used up.
  int LookUpSpine(int& index, TSpine& spine);
  int CompareWithSpine(int& index, TSpine& spine);

  // ---- Changes ----
  // -1 out of range; else the new entry count.
  int RemoveEntry(int i);
  // 0 out of range or when the entry already has a text.
  int SetEntryText(int i, const std::string& text);
  const std::string* GetEntryText(int i) const;
  // The text compared by the duplicate search (an invariant of the entry).
  int SetEntryInvariantText(int i, const std::string& text);
  // The homology stored by MergeResult (torsion, then zeros for the free
  // rank); null when none was stored.
  const std::vector<std::int32_t>* GetEntryHomology(int i) const;
  // Entries found equal to entry i by the duplicate search.
  const std::vector<int>* GetEntryDuplicates(int i) const;
  // Completes the entry after a run, then auto-saves; returns what AutoSave
  // returns. The entry gets the homology of the spine as its invariants and,
  // when it is a Dehn filling of a table atom or a spine record (types 7, 8
  // and 18) without a volume state, the hyperbolic volume of the spine (or
  // the mark that its computation failed, which is not retried). A volume
  // moves the entry to its sorted place: index follows it. A table atom
  // with free or filled cusps (type 8) whose census words name a link of
  // three components marks the entry recognised. A stop request
  // during the volume leaves the state unknown (TComputationStopped).
  int MergeResult(int& index, TSpine& spine);
  // The volume computation MergeResult uses (ComputeSpineVolume unless a
  // test injects another); an empty function leaves the volume unknown.
  using TVolumeFunction = std::function<int(TSpine&, double&)>;
  void SetVolumeFunction(TVolumeFunction volume) { volume_ = std::move(volume); }
  // Set by a series with EnumerationOfManifoldsSearchForSurfaces: MergeResult
  // then searches a spine with as many vertices as its entry's complexity
  // for surfaces (SearchEntrySurfaces) and keeps what it finds with the
  // entry, one list per distinct result. Memory only: table files do not
  // keep the surfaces.
  void SetSearchForSurfaces(bool search) { searchForSurfaces_ = search; }
  bool SearchesForSurfaces() const { return searchForSurfaces_; }
  // The surface lists of entry i; null when none was searched.
  const TPackedRecordListSet* GetEntrySurfaces(int i) const;
  // Entries whose invariant texts are equal reference each other (value 2);
  // the number of classes. A set stop word ends the search and so does a
  // stop request (TComputationStopped is passed on); either way every list
  // is then left empty, DuplicatesComputed() is false and the answer is 0.
  // Auto-saves on the way (after each entry) hold the lists filled so far.
  int FindDuplicatesByInvariants(const std::atomic<int>* stop);
  // True when the duplicate lists are those of a finished search: not before
  // one, after a stopped one, a load or a new entry.
  bool DuplicatesComputed() const { return duplicatesComputed_; }

  // ---- Table files (binary_table_file.cpp) ----
  // Writes the whole table; the byte count, 0 when the file could not be
  // written (LoadError then says why). The file is replaced only once it
  // has been written in full.
  long SaveBinary(const std::string& fileName) const;
  // Replaces the table by the one in the file: 1 on success; 0 when the
  // file cannot be read or is not a sound table file, and then the table is
  // left exactly as it was and LoadError names the file and the fault. The
  // current source and the positions become -1, the auto-save interval 0.
  // A stop request ends the reading (TComputationStopped), also with the
  // table unchanged.
  int LoadBinary(const std::string& fileName);
  // The table as the bytes of a table file, and the reading of such bytes
  // (the same contract as LoadBinary; `origin` names the bytes in messages).
  std::string SaveBinaryBytes() const;
  int LoadBinaryBytes(std::string_view bytes, const std::string& origin);
  // "Unable to load table from '<file>'! " and the fault; empty after success.
  const std::string& LoadError() const { return loadError_; }
  // 1 after a successful load (cleared by the duplicate search).
  int WasLoaded() const { return loaded_ ? 1 : 0; }

  // ---- Lookups by key ----
  // From now on the lookups of this sorted table go through an index of the
  // presentations by a key that equal presentations share, and entries find
  // their place by binary search: the cost of a lookup no longer grows with
  // the table. For the long tables of a series; call it after a load (a
  // load replaces the entries the index was built from).
  void UseKeyIndex();

  // ---- Auto-save ----
  void SetAutoSaveInterval(std::chrono::milliseconds interval) { interval_ = interval; }
  void SetAutoSaveFolder(const std::string& folder) { folder_ = folder; }
  void SetClock(TClock clock) { clock_ = std::move(clock); }
  void SetWriter(TWriter writer) { writer_ = std::move(writer); }
  // The writer is SaveBinary unless a test injects another.
  // Nothing (0) when off or when the interval since the last save has not
  // passed; else writes "TableAutoSave%u.bin" (numbers 1, 0, 1, ...) and,
  // with a current source, "TableAutoSave.log"; returns the byte count.
  long AutoSave(int number);

 private:
  friend class TBinaryTableFile;

  struct TEntry {
    std::vector<std::unique_ptr<TManifoldDescription>> presentations;
    bool hasHomology = false;
    std::vector<std::int32_t> homology;
    std::string text;            // the spine text or a given text
    std::string invariantText;   // compared by the duplicate search
    std::vector<int> duplicates; // indices of entries found equal
    bool surfacesSearched = false;
    TPackedRecordListSet surfaces;
  };

  // Installs the table's heap context while it lives (nested scopes of one
  // table install it once).
  class TScope {
   public:
    explicit TScope(TManifoldTable& table);
    ~TScope();
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    TManifoldTable& table_;
    bool pushed_ = false;
  };
  // The description with its molecules copied into the table's heap (call
  // inside a TScope).
  static std::unique_ptr<TManifoldDescription> Adopt(std::unique_ptr<TManifoldDescription> d);

  int IsTrivial(TManifoldDescription& d) const;
  int RejectionCode(TManifoldDescription& d) const;
  int FindEqual(const TManifoldDescription& d, int& index, int& position) const;
  void AddSource(TManifoldDescription& d) const;
  int InsertEntry(int& index, std::unique_ptr<TManifoldDescription> node);
  int AddPresentation(int& index, std::unique_ptr<TManifoldDescription> node);
  int Classify(int index) const;
  // The presentations under which the node's manifold is also known (a lens
  // space that is Seifert fibred over RP^2) join its entry.
  void AddDerivedPresentations(int& index, TManifoldDescription& node);
  int PlaceEntry(int index);
  int JoinEntries(int a, int b);
  int FinishCode(int code, int index, const TManifoldDescription* described) const;

  void IndexPresentation(const TManifoldDescription& d);
  void UnindexEntry(const TEntry& entry);
  int FindEqualByKey(const TManifoldDescription& d, int& index, int& position) const;

  // The heap context of the entries (declared before them: it outlives them).
  std::unique_ptr<THeapContext> context_;
  int scopeDepth_ = 0;

  bool keyIndex_ = false;
  std::unordered_multimap<std::uint64_t, const TManifoldDescription*> byKey_;
  // The key each presentation was indexed under (its words may change later).
  std::unordered_map<const TManifoldDescription*, std::uint64_t> keyOf_;

  int kind_ = kTableSorted;
  int sourceKind_ = 0;
  std::unique_ptr<THeegaardDiagramStore> store_ = std::make_unique<THeegaardDiagramStore>();
  bool loaded_ = false;
  bool duplicatesComputed_ = false;
  std::string loadError_;
  int ignoreReducible_ = 0;
  int ignoreTrivial_ = 0;
  bool ignoreAddedBalls_ = false;
  int mode_ = kModeTillMain;
  std::vector<TEntry> entries_;
  std::vector<std::string> sourceNames_;
  int currentSource_ = -1;
  int position_ = -1;
  int subposition_ = -1;
  int lastInsertPosition_ = 0;
  int mergeCalls_ = 0;

  TVolumeFunction volume_;
  bool searchForSurfaces_ = false;

  std::chrono::milliseconds interval_{0};
  std::string folder_ = ".";
  TClock clock_ = [] { return std::chrono::steady_clock::now(); };
  TWriter writer_ = [](const TManifoldTable& table, const std::string& name) { return table.SaveBinary(name); };
  bool saved_ = false;
  std::chrono::steady_clock::time_point lastSave_{};
  unsigned saveNumber_ = 0;
};

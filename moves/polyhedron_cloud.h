// TPolyhedronCloud: the special spines reached from one spine by T-moves and
// inverse T-moves, breadth first, each kept once.
//
// Every spine reached is stored as the text of its cell presentation with
// the candidate marks of its objects (t_move.h), keyed by its isomorphism
// signature, so that a spine met again along another path is recognised.
// Layer r holds the spines first reached by r moves; a layer is expanded in
// order of complexity (number of vertices) in mode 1, so that the search
// looks at simpler spines first, and in index order in mode 2.
//
// Caveats: the number of spines of n vertices grows quickly with n, and
// T-moves raise n without end, so a cloud is only ever finite through its
// callers' limits (t_move_search.h). A cloud whose every spine has been
// expanded without a new one appearing is complete: ExpandNext then gives -1
// at once, never a loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TSpine;

class TPolyhedronCloud {
 public:
  // The marks of one stored spine. The complexity is a 32-bit count (no limit
  // of 255 vertices); the marks are marks 0 and 1 of every edge, then of every
  // cell, in number order.
  struct TMarksRecord {
    std::uint32_t complexity = 0;
    std::string edgeMarks;
    std::string cellMarks;
  };
  struct TPolyhedron {
    std::string signature;
    std::string cells;  // cell presentation, braced style
    TMarksRecord marks;
    int parent = -1;       // index of the spine it was made from; -1 for the source
    std::string moveText;  // "Source", "T(%u)" or "T^{-1}(%u)"
  };

  TPolyhedronCloud();
  ~TPolyhedronCloud();
  TPolyhedronCloud(const TPolyhedronCloud&) = delete;
  TPolyhedronCloud& operator=(const TPolyhedronCloud&) = delete;

  // 1: T-moves and inverse T-moves, each layer by complexity; 2: T-moves only,
  // in index order.
  void SetMode(int mode) { mode_ = mode; }
  int Mode() const { return mode_; }
  // The layer being expanded (0 before the first expansion).
  int Radius() const { return radius_; }
  int StartComplexity() const { return startComplexity_; }
  int Count() const { return static_cast<int>(polyhedra_.size()); }
  bool IsBuilt() const { return built_; }
  // No spine of the cloud can give a new one.
  bool IsComplete() const { return complete_; }

  // Makes the source: a copy of the spine, marked with the source flag, is
  // the polyhedron 0. capacity reserves room. False (nothing built) when the
  // spine has no signature (not connected or not special).
  bool Build(const TSpine& spine, std::size_t capacity);

  // The polyhedron index of the signature; -1 when absent.
  int IndexOf(const std::string& signature) const;
  bool Contains(const std::string& signature) const { return IndexOf(signature) >= 0; }
  // The polyhedron at the index; null past the count.
  const TPolyhedron* At(int index) const;

  // Adds the spine (which is renumbered and marked) unless its signature is
  // known. moveKind: 0 source, 1 T-move, 2 inverse (the parent is the current
  // spine, the move text uses the last candidate on it). Returns its index;
  // *added tells whether it is new. -1 when the spine has no signature.
  int AddPolyhedron(TSpine& spine, int moveKind, bool* added);

  // Expands until one new polyhedron is added and returns its index, with its
  // complexity in *complexity. -1 when the cloud is complete. Polls the stop
  // flag once per move tried (TComputationStopped; the cloud is then fit only
  // to be destroyed).
  int ExpandNext(int* complexity);
  // The next polyhedron of the layer to expand; -1 when the layer is done.
  int ChooseNextToExpand() const;

  // Sets the candidate marks of a spine: edges that are not loops get mark 0
  // 'a' (loops 'b' and 'd'); triangles without loops get mark 0 'a', other
  // cells 'b' with mark 1 'd'; with the source flag every mark 1 is 'd'. A
  // spine that cannot be thickened, or that the moves refuse, gets no
  // candidate cell (and no candidate edge when refused).
  void MarkTMoveCandidates(TSpine& spine, bool source);
  static TMarksRecord WriteMarks(TSpine& spine);
  // Restores by number order; false when the counts do not match.
  static bool RestoreMarks(const TMarksRecord& record, TSpine& spine);
  // Rebuilds a spine from a stored polyhedron (cells and marks).
  static bool LoadPolyhedron(const TPolyhedron& polyhedron, TSpine& spine);

  // Bytes held by the stored spines (texts and marks), for the benchmarks.
  std::size_t StoredBytes() const;

  // Writes the stored spines as explicit fields, one spine a line, into a
  // fresh folder of its own made inside `parent` (the system's temporary
  // folder by default), and empties the memory; SwapIn reads them back and
  // removes that folder, as does the destructor of a cloud still swapped out.
  // Nothing outside the fresh folder is ever removed. False on an I/O failure
  // or a field that cannot be written as one (the cloud is then left as it
  // was, in memory). The searches (t_move_search.h) swap a given cloud in.
  bool SwapOut(const std::filesystem::path& parent = {});
  // False when the file does not read back whole (the cloud stays swapped
  // out, its folder kept).
  bool SwapIn();
  const std::filesystem::path& SwapFolder() const { return swapFolder_; }
  bool IsSwappedOut() const { return !swapFolder_.empty(); }

 private:
  bool LoadCurrent(int index);
  bool ReadSwapFile();

  int mode_ = 1;
  bool built_ = false;
  bool complete_ = false;
  int startComplexity_ = -1;
  std::vector<TPolyhedron> polyhedra_;
  std::unordered_map<std::string, int> indexOfSignature_;
  int radius_ = 0;
  int layerStart_ = -1;
  int layerEnd_ = 0;
  int phase_ = 0;
  int current_ = -1;
  std::unique_ptr<TSpine> currentSpine_;
  int lastCandidate_ = -1;
  int thickenability_ = 0;  // 0 unknown, 1 yes, 2 no
  std::filesystem::path swapFolder_;
};

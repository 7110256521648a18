// The polyhedron cloud of the T-move searches (see polyhedron_cloud.h).
//
// Marks survive the passage through text because the spine is renumbered
// before it is written (numbers 1, 2, ... per kind in list order) and the
// reader keeps edge numbers and numbers cells in order, so number order
// before and after is the same order of the same objects.
#include "moves/polyhedron_cloud.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <system_error>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/spine.h"
#include "moves/t_move.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "presentations/triangulations/iso_signature.h"

namespace {

// Objects of a kind ordered by number.
std::vector<TObjectHeader*> ByNumber(const TSpine& spine, int kind) {
  std::vector<TObjectHeader*> list;
  for (int k = 0; k < spine.Objects().Count(); ++k)
    if (ObjectKind(spine.Objects().At(k)) == kind) list.push_back(spine.Objects().At(k));
  std::stable_sort(list.begin(), list.end(), [](TObjectHeader* a, TObjectHeader* b) {
    return ObjectNumber(a) < ObjectNumber(b);
  });
  return list;
}

std::string MarksOf(const std::vector<TObjectHeader*>& objects) {
  std::string marks;
  marks.reserve(2 * objects.size());
  for (TObjectHeader* object : objects) {
    THandle handle(object);
    marks.push_back(static_cast<char>(handle.Mark(0)));
    marks.push_back(static_cast<char>(handle.Mark(1)));
  }
  return marks;
}

void Restore(const std::string& marks, const std::vector<TObjectHeader*>& objects) {
  for (std::size_t i = 0; i < objects.size(); ++i) {
    THandle handle(objects[i]);
    handle.SetMark(0, static_cast<unsigned char>(marks[2 * i]));
    handle.SetMark(1, static_cast<unsigned char>(marks[2 * i + 1]));
  }
}

bool TriangleWithoutLoop(const TObjectHeader* cell) {
  if (TCell::Type(cell) != 1 || TCell::BoundaryLength(cell) != 3) return false;
  for (int i = 0; i < 3; ++i)
    if (TEdge::IsLoop(TCell::EdgeAt(cell, i))) return false;
  return true;
}

std::string SignatureOf(TSpine& spine) {
  TIsoSignature signature;
  return signature.Compute(spine, 1);
}

// Marks as two hexadecimal digits each, so that zero marks survive a text file.
std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

bool Unhex(const std::string& text, std::string& bytes) {
  if (text.size() % 2 != 0) return false;
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = digit(text[i]);
    const int low = digit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

}  // namespace

TPolyhedronCloud::TPolyhedronCloud() = default;

TPolyhedronCloud::~TPolyhedronCloud() {
  if (!swapFolder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(swapFolder_, ignored);
  }
}

bool TPolyhedronCloud::Build(const TSpine& spine, std::size_t capacity) {
  polyhedra_.clear();
  indexOfSignature_.clear();
  polyhedra_.reserve(capacity);
  currentSpine_ = std::make_unique<TSpine>();
  spine.CopyTo(*currentSpine_);
  if (currentSpine_->Next() != nullptr) return false;
  startComplexity_ = currentSpine_->Objects().CountOfKind(kVertexKind);
  MarkTMoveCandidates(*currentSpine_, true);
  bool added = false;
  if (AddPolyhedron(*currentSpine_, 0, &added) < 0) return false;
  radius_ = 0;
  layerStart_ = 0;
  layerEnd_ = 0;
  phase_ = 0;
  current_ = -1;
  built_ = true;
  complete_ = false;
  return true;
}

int TPolyhedronCloud::IndexOf(const std::string& signature) const {
  auto found = indexOfSignature_.find(signature);
  return found == indexOfSignature_.end() ? -1 : found->second;
}

const TPolyhedronCloud::TPolyhedron* TPolyhedronCloud::At(int index) const {
  return index < 0 || index >= Count() ? nullptr : &polyhedra_[index];
}

int TPolyhedronCloud::AddPolyhedron(TSpine& spine, int moveKind, bool* added) {
  if (added != nullptr) *added = false;
  std::string signature = SignatureOf(spine);
  if (signature.empty()) return -1;
  const int known = IndexOf(signature);
  if (known >= 0) return known;
  TPolyhedron polyhedron;
  polyhedron.signature = signature;
  if (moveKind == 0) {
    polyhedron.moveText = "Source";
  } else {
    polyhedron.parent = current_;
    polyhedron.moveText = FormatTMoveShort(*currentSpine_, moveKind, lastCandidate_);
  }
  spine.Objects().Renumber();
  MarkTMoveCandidates(spine, moveKind == 0);
  TString text;
  TBoundaryCurvesPresentation::Write(text, spine, kCellsBraced);
  polyhedron.cells = text.CStr();
  polyhedron.marks = WriteMarks(spine);
  const int index = Count();
  indexOfSignature_.emplace(signature, index);
  polyhedra_.push_back(std::move(polyhedron));
  if (added != nullptr) *added = true;
  return index;
}

void TPolyhedronCloud::MarkTMoveCandidates(TSpine& spine, bool source) {
  const bool movable = TMovesApplyTo(spine);
  if (thickenability_ != 1) {
    bool thickenable = spine.IsThickened();
    if (!thickenable) {
      // A copy is thickened, so that the spines of the cloud stay bare and
      // the moves need not rebuild a thickening each time.
      TSpine copy;
      spine.CopyTo(copy);
      thickenable = copy.Thicken(2) == 1;
    }
    thickenability_ = thickenable ? 1 : 2;
  }
  TStopPoll poll;
  for (int k = 0; k < spine.Objects().Count(); ++k) {
    poll.Step();
    THandle object(spine.Objects().At(k));
    if (object.Kind() == kEdgeKind) {
      if (TEdge::IsLoop(object) || !movable) {
        object.SetMark(0, 'b');
        object.SetMark(1, 'd');
      } else {
        object.SetMark(0, 'a');
      }
      if (source) object.SetMark(1, 'd');
    } else if (object.Kind() == kCellKind) {
      object.SetMark(0, 'b');
      if (!movable || thickenability_ != 1 || !TriangleWithoutLoop(object)) {
        object.SetMark(1, 'd');
      } else {
        object.SetMark(0, 'a');
      }
      if (source) object.SetMark(1, 'd');
    }
  }
}

TPolyhedronCloud::TMarksRecord TPolyhedronCloud::WriteMarks(TSpine& spine) {
  TMarksRecord record;
  record.complexity = static_cast<std::uint32_t>(spine.Objects().CountOfKind(kVertexKind));
  record.edgeMarks = MarksOf(ByNumber(spine, kEdgeKind));
  record.cellMarks = MarksOf(ByNumber(spine, kCellKind));
  return record;
}

bool TPolyhedronCloud::RestoreMarks(const TMarksRecord& record, TSpine& spine) {
  std::vector<TObjectHeader*> edges = ByNumber(spine, kEdgeKind);
  std::vector<TObjectHeader*> cells = ByNumber(spine, kCellKind);
  if (record.edgeMarks.size() != 2 * edges.size() || record.cellMarks.size() != 2 * cells.size())
    return false;
  Restore(record.edgeMarks, edges);
  Restore(record.cellMarks, cells);
  return true;
}

bool TPolyhedronCloud::LoadPolyhedron(const TPolyhedron& polyhedron, TSpine& spine) {
  TBoundaryCurvesPresentation presentation;
  if (presentation.Parse(polyhedron.cells.c_str()) == 0) return false;
  if (presentation.BuildSpine(spine) == 0) return false;
  spine.SetSourceKind(kSourceBoundaryCurves);
  return RestoreMarks(polyhedron.marks, spine);
}

bool TPolyhedronCloud::LoadCurrent(int index) {
  current_ = index;
  currentSpine_ = std::make_unique<TSpine>();
  phase_ = 1;
  lastCandidate_ = -1;
  return LoadPolyhedron(polyhedra_[index], *currentSpine_);
}

int TPolyhedronCloud::ChooseNextToExpand() const {
  auto complexity = [this](int i) { return polyhedra_[i].marks.complexity; };
  if (mode_ == 2) return current_ + 1 < layerEnd_ ? current_ + 1 : -1;
  int best = -1;
  if (current_ < layerStart_) {
    for (int i = layerStart_; i < layerEnd_; ++i)
      if (best < 0 || complexity(i) < complexity(best)) best = i;
    return best;
  }
  const std::uint32_t here = complexity(current_);
  for (int i = current_ + 1; i < layerEnd_; ++i)
    if (complexity(i) == here) return i;
  for (int i = layerStart_; i < layerEnd_; ++i)
    if (complexity(i) > here && (best < 0 || complexity(i) < complexity(best))) best = i;
  return best;
}

int TPolyhedronCloud::ExpandNext(int* complexity) {
  if (complexity != nullptr) *complexity = -1;
  if (!built_ || complete_ || IsSwappedOut()) return -1;
  if (phase_ == 0) {
    radius_ = 1;
    layerStart_ = 0;
    layerEnd_ = 1;
    if (!LoadCurrent(0)) {
      complete_ = true;
      return -1;
    }
  }
  for (;;) {
    ThrowIfStopRequested();
    int candidate = -1;
    if (phase_ == 1) {
      candidate = FindTMoveEdge(*currentSpine_, lastCandidate_);
      if (candidate < 0) {
        phase_ = 2;
        lastCandidate_ = -1;
      }
    }
    if (phase_ == 2) {
      candidate = mode_ == 1 ? FindInverseTMoveCell(*currentSpine_, lastCandidate_) : -1;
      if (candidate < 0) {
        int next = ChooseNextToExpand();
        if (next < 0) {
          // The layer is done; the spines it added form the next one.
          if (layerEnd_ >= Count()) {
            complete_ = true;
            return -1;
          }
          ++radius_;
          layerStart_ = layerEnd_;
          layerEnd_ = Count();
          next = ChooseNextToExpand();
        }
        if (next < 0 || !LoadCurrent(next)) {
          complete_ = true;
          return -1;
        }
        continue;
      }
    }
    lastCandidate_ = candidate;
    TSpine copy;
    currentSpine_->CopyTo(copy);
    THandle made = phase_ == 1 ? PerformTMove(copy, candidate) : PerformInverseTMove(copy, candidate);
    if (!made.IsValid()) continue;
    made.Release();
    bool added = false;
    const int index = AddPolyhedron(copy, phase_, &added);
    if (added) {
      if (complexity != nullptr) *complexity = static_cast<int>(polyhedra_[index].marks.complexity);
      return index;
    }
  }
}

std::size_t TPolyhedronCloud::StoredBytes() const {
  std::size_t bytes = 0;
  for (const TPolyhedron& p : polyhedra_)
    bytes += sizeof(TPolyhedron) + p.signature.capacity() + p.cells.capacity() +
             p.marks.edgeMarks.capacity() + p.marks.cellMarks.capacity() + p.moveText.capacity();
  return bytes + indexOfSignature_.size() * (sizeof(std::string) + sizeof(int) + 16);
}

bool TPolyhedronCloud::SwapOut(const std::filesystem::path& parent) {
  if (IsSwappedOut()) return false;
  // A tab or a line end inside a field would split its line when read back.
  for (const TPolyhedron& p : polyhedra_)
    for (const std::string* field : {&p.signature, &p.cells, &p.moveText})
      if (field->find_first_of("\t\r\n") != std::string::npos) return false;
  std::error_code error;
  std::filesystem::path base = parent.empty() ? std::filesystem::temp_directory_path(error) : parent;
  if (error) return false;
  // mkdtemp makes a folder no one else has, so removing it later removes
  // nothing of anyone else's.
  std::string pattern = (base / "sorvelin-cloud-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return false;
  const std::filesystem::path folder = pattern;
  {
    std::ofstream out(folder / "polyhedra.txt", std::ios::binary);
    out << polyhedra_.size() << '\n';
    for (const TPolyhedron& p : polyhedra_)
      out << p.signature << '\t' << p.cells << '\t' << p.marks.complexity << '\t'
          << Hex(p.marks.edgeMarks) << '\t' << Hex(p.marks.cellMarks) << '\t' << p.parent << '\t'
          << p.moveText << '\n';
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove_all(folder, error);
      return false;
    }
  }
  polyhedra_.clear();
  polyhedra_.shrink_to_fit();
  indexOfSignature_.clear();
  currentSpine_.reset();
  swapFolder_ = folder;
  return true;
}

bool TPolyhedronCloud::SwapIn() {
  if (!IsSwappedOut()) return false;
  try {
    return ReadSwapFile();
  } catch (const TComputationStopped&) {  // the cloud is still on disk as it was
    throw;
  } catch (const std::exception&) {  // a number field that does not read
    return false;
  }
}

bool TPolyhedronCloud::ReadSwapFile() {
  std::ifstream in(swapFolder_ / "polyhedra.txt", std::ios::binary);
  std::size_t count = 0;
  std::string line;
  if (!std::getline(in, line)) return false;
  count = std::stoul(line);
  std::vector<TPolyhedron> read;
  read.reserve(count);
  TStopPoll poll;
  while (read.size() < count && std::getline(in, line)) {
    poll.Step();
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    if (fields.size() != 7) return false;
    TPolyhedron p;
    p.signature = fields[0];
    p.cells = fields[1];
    p.marks.complexity = static_cast<std::uint32_t>(std::stoul(fields[2]));
    if (!Unhex(fields[3], p.marks.edgeMarks) || !Unhex(fields[4], p.marks.cellMarks)) return false;
    p.parent = std::stoi(fields[5]);
    p.moveText = fields[6];
    read.push_back(std::move(p));
  }
  if (read.size() != count) return false;
  // The spine being expanded is rebuilt before anything changes: when it
  // does not load, the cloud stays on disk as it was.
  std::unique_ptr<TSpine> current;
  if (current_ >= 0 && current_ < static_cast<int>(read.size())) {
    current = std::make_unique<TSpine>();
    if (!LoadPolyhedron(read[static_cast<std::size_t>(current_)], *current)) return false;
  }
  polyhedra_ = std::move(read);
  for (int i = 0; i < Count(); ++i) indexOfSignature_.emplace(polyhedra_[i].signature, i);
  std::error_code ignored;
  std::filesystem::remove_all(swapFolder_, ignored);
  swapFolder_.clear();
  if (current != nullptr) currentSpine_ = std::move(current);
  return true;
}

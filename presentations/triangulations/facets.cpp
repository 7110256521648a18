#include "presentations/triangulations/facets.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "foundation/text_scanners.h"
#include "presentations/triangulations/prepared_text.h"

namespace {

constexpr int kMessageMissingOpeningBracket = 9700;
constexpr int kMessageLabelNotANumber = 9701;
constexpr int kMessageMissingClosingBracket = 9702;
constexpr int kMessageFaceSharedByThree = 9703;
constexpr int kMessageNoEntries = 9704;
constexpr int kMessageUngluedFace = 9705;
constexpr int kMessageRepeatedLabel = 9706;

template <typename... Args>
void Report(int id, const Args&... args) {
  TString message;
  message.FormatResource(id, args...);
  ReportStatus(message, -1);
}

void Skip(std::string_view text, std::size_t& at, std::string_view characters) {
  while (at < text.size() && characters.find(text[at]) != std::string_view::npos) ++at;
}

// The text at a position, up to the next blank, for messages.
std::string TokenAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return "end of text";
  std::size_t end = at;
  while (end < text.size() && text[end] != ' ' && end - at < 24) ++end;
  return std::string(text.substr(at, end - at));
}

}  // namespace

TFacetsDescription::TFaceLabels TFacetsDescription::FaceLabelsOf(const TFacetSimplex& simplex,
                                                                 int face) {
  const int* labels = simplex.faceLabels[face];
  return {labels[0], labels[1], labels[2]};
}

int TFacetSimplex::SimplexFaceOfLabels(int a, int b, int c) const {
  int sorted[3] = {a, b, c};
  std::sort(sorted, sorted + 3);
  for (int f = 0; f < 4; ++f) {
    if (std::equal(sorted, sorted + 3, faceLabels[f])) return f;
  }
  return -1;
}

int TFacetSimplex::CornerOfLabel(int label) const {
  int corner = -1;
  for (int i = 0; i < 4; ++i) {
    if (labels[i] == label) corner = i;
  }
  return corner;
}

bool IsFacetsText(std::string_view text) {
  if (text.size() <= 20) return false;
  return PreparedText(text).starts_with("facets");
}

std::size_t TFacetsDescription::TFaceLabelsHash::operator()(const TFaceLabels& labels) const {
  std::size_t h = 0;
  for (int label : labels) h = h * 1000003u ^ std::hash<int>()(label);
  return h;
}

void TFacetsDescription::DropSimplices() {
  simplices_.clear();
  firstWithFace_.clear();
  openWithFace_.clear();
}

void TFacetsDescription::Clear() {
  DropSimplices();
  status_ = kNone;
}

int TFacetsDescription::AddSimplex(int a, int b, int c, int d) {
  if (status_ == kNone) status_ = kGood;
  if (status_ != kGood) return 0;
  TFacetSimplex simplex;
  const int labels[4] = {a, b, c, d};
  std::copy(labels, labels + 4, simplex.labels);
  std::copy(labels, labels + 4, refusedLabels_);
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      if (labels[i] == labels[j]) {
        // A repeated label would identify two corners of one face with one
        // corner of its partner: no consistent gluing exists.
        refusedLabel_ = labels[i];
        status_ = kRepeatedLabel;
        return 0;
      }
    }
  }
  for (int f = 0; f < 4; ++f) {
    for (int k = 0; k < 3; ++k) simplex.faceLabels[f][k] = labels[(f + 1 + k) % 4];
    std::sort(simplex.faceLabels[f], simplex.faceLabels[f] + 3);
  }
  simplex.index = SimplexCount();

  auto isComplete = [](const TFacetSimplex& s) {
    return s.neighbour[0] >= 0 && s.neighbour[1] >= 0 && s.neighbour[2] >= 0 && s.neighbour[3] >= 0;
  };
  // The gluings are found first and made only when none is refused, so a
  // refused simplex leaves the list as it was.
  struct TPending {
    int other;
    int otherFace;
    int face;
  };
  // Only the simplices that share a face with the new one can be glued to it
  // or refuse it; they are visited in list order, as a walk over the whole
  // list would meet them.
  std::vector<int> candidates;
  for (int f = 0; f < 4; ++f) {
    auto found = openWithFace_.find(FaceLabelsOf(simplex, f));
    if (found == openWithFace_.end()) continue;
    std::vector<int>& open = found->second;
    std::erase_if(open, [this](int i) { return simplices_[static_cast<std::size_t>(i)].complete != 0; });
    candidates.insert(candidates.end(), open.begin(), open.end());
  }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  std::vector<TPending> pending;
  for (int candidate : candidates) {
    const TFacetSimplex& other = simplices_[static_cast<std::size_t>(candidate)];
    if (pending.size() >= 4) break;
    if (other.complete || simplex.complete) continue;
    for (int fo = 0; fo < 4; ++fo) {
      int fn = 0;
      while (fn < 4 && !std::equal(other.faceLabels[fo], other.faceLabels[fo] + 3, simplex.faceLabels[fn])) ++fn;
      if (fn == 4) continue;
      if (other.neighbour[fo] >= 0 || simplex.neighbour[fn] >= 0) {
        std::copy(simplex.faceLabels[fn], simplex.faceLabels[fn] + 3, refusedFace_);
        status_ = kFaceSharedByThree;
        return 0;
      }
      simplex.neighbour[fn] = other.index;
      simplex.neighbourFace[fn] = fo;
      simplex.complete = isComplete(simplex) ? 1 : 0;
      pending.push_back({other.index, fo, fn});
      break;
    }
  }
  for (const TPending& p : pending) {
    TFacetSimplex& other = simplices_[static_cast<std::size_t>(p.other)];
    other.neighbour[p.otherFace] = simplex.index;
    other.neighbourFace[p.otherFace] = p.face;
    other.complete = isComplete(other) ? 1 : 0;
  }
  simplices_.push_back(simplex);
  for (int f = 0; f < 4; ++f) {
    TFaceLabels labels = FaceLabelsOf(simplex, f);
    firstWithFace_.try_emplace(labels, std::array<int, 2>{simplex.index, f});
    if (!simplex.complete) openWithFace_[labels].push_back(simplex.index);
  }
  return 1;
}

int TFacetsDescription::ReadEntry(const std::string& text, std::size_t& at) {
  if (at >= text.size()) return 0;
  // On failure the position goes back to the start of the entry (where a
  // caller reading a list inside other text goes on); the message names the
  // place where reading stopped.
  const std::size_t start = at;
  std::size_t cursorAt = at;
  auto fail = [&](int status) {
    status_ = status;
    errorAt_ = cursorAt;
    at = start;
    return 0;
  };
  if (text[cursorAt] == ',') ++cursorAt;
  if (cursorAt >= text.size() || text[cursorAt] != '[') return fail(kMissingOpeningBracket);
  ++cursorAt;
  // The scanners read up to a NUL, which ends the string.
  const char* const base = text.c_str() + cursorAt;
  const char* cursor = base;
  int labels[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    const char* end = cursor;
    if (!ParseInteger(labels[i], end, cursor)) {
      failedNumber_ = i + 1;
      while (*cursor == ' ') ++cursor;
      cursorAt += static_cast<std::size_t>(cursor - base);
      return fail(kLabelNotANumber);
    }
    cursor = end;
    if (*cursor == ',') ++cursor;
  }
  while (*cursor == ' ' || *cursor == '\t') ++cursor;
  cursorAt += static_cast<std::size_t>(cursor - base);
  if (*cursor != ']') return fail(kMissingClosingBracket);
  ++cursorAt;
  Skip(text, cursorAt, " \t,];");
  if (!AddSimplex(labels[0], labels[1], labels[2], labels[3])) return fail(status_);
  at = cursorAt;
  return 1;
}

void TFacetsDescription::ReportFailure(std::string_view text, std::size_t at) const {
  const unsigned entry = static_cast<unsigned>(simplices_.size()) + 1;
  switch (status_) {
    case kMissingOpeningBracket:
      Report(kMessageMissingOpeningBracket, entry, TokenAt(text, at));
      break;
    case kLabelNotANumber:
      Report(kMessageLabelNotANumber, failedNumber_, entry, TokenAt(text, at));
      break;
    case kMissingClosingBracket:
      Report(kMessageMissingClosingBracket, entry, TokenAt(text, at));
      break;
    case kFaceSharedByThree:
      Report(kMessageFaceSharedByThree, refusedFace_[0], refusedFace_[1], refusedFace_[2], entry,
             refusedLabels_[0], refusedLabels_[1], refusedLabels_[2], refusedLabels_[3]);
      break;
    case kNoEntries:
      Report(kMessageNoEntries);
      break;
    case kUngluedFace:
      for (const TFacetSimplex& s : simplices_) {
        for (int f = 0; f < 4; ++f) {
          if (s.neighbour[f] >= 0) continue;
          Report(kMessageUngluedFace, s.faceLabels[f][0], s.faceLabels[f][1], s.faceLabels[f][2],
                 s.index + 1, s.labels[0], s.labels[1], s.labels[2], s.labels[3]);
          return;
        }
      }
      break;
    case kRepeatedLabel:
      Report(kMessageRepeatedLabel, entry, refusedLabels_[0], refusedLabels_[1], refusedLabels_[2],
             refusedLabels_[3], refusedLabel_);
      break;
    default:
      break;
  }
}

int TFacetsDescription::Parse(std::string_view text, std::size_t* position, int type) {
  Clear();
  std::string body;
  std::size_t at = 0;
  if (type == 1) {
    if (!IsFacetsText(text)) return 0;
    body = PreparedText(text);
    at = 6;  // after the keyword
  } else {
    body.assign(text);
  }
  status_ = kGood;
  Skip(body, at, " \t:=");
  if (at >= body.size() || body[at] != '[') {
    status_ = kMissingOpeningBracket;
    errorAt_ = at;
  } else {
    if (type == 1) {
      ++at;
      Skip(body, at, " \t");
    }
    TStopPoll poll;
    try {
      while (ReadEntry(body, at)) poll.Step();
    } catch (...) {
      DropSimplices();
      throw;
    }
    if (type != 1 && (status_ == kMissingOpeningBracket || status_ == kMissingClosingBracket)) {
      // The list ended at something that is not an entry: the caller reads on there.
      status_ = kGood;
    }
    if (status_ == kGood) {
      if (simplices_.empty()) {
        status_ = kNoEntries;
      } else if (type == 1) {
        for (const TFacetSimplex& s : simplices_) {
          if (!s.complete) {
            status_ = kUngluedFace;
            break;
          }
        }
      }
    }
  }
  if (position != nullptr) *position = at;
  if (status_ != kGood) {
    ReportFailure(body, errorAt_);
    DropSimplices();
    return 0;
  }
  return 1;
}

int TFacetsDescription::FindFace(int a, int b, int c, int& simplex, int& face) const {
  TFaceLabels labels{a, b, c};
  std::sort(labels.begin(), labels.end());
  auto found = firstWithFace_.find(labels);
  if (found == firstWithFace_.end()) return 0;
  simplex = found->second[0];
  face = found->second[1];
  return 1;
}

int TFacetsDescription::ToTetrahedra(TTetrahedronList& tetrahedra) const {
  tetrahedra.Reset(SimplexCount());
  int glued = 0;
  for (const TFacetSimplex& s : simplices_) {
    for (int f = 0; f < 4; ++f) {
      const int other = s.neighbour[f];
      if (other < 0) continue;
      ++glued;
      if (other <= s.index) continue;
      const TFacetSimplex& n = Simplex(other);
      TVertexMap map{};
      for (int c = 0; c < 4; ++c) {
        map[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(c == f ? s.neighbourFace[f] : n.CornerOfLabel(s.labels[c]));
      }
      tetrahedra.Glue(s.index, f, other, map);
    }
  }
  return glued;
}

// Reading a singular triangulation text.
//
// The prepared, lower-cased text is read in one of two forms. Named gluings
// are read in two passes over the same text: the first creates the
// tetrahedra named on the left of each gluing in the order they appear (the
// order of the details, and so of the spine's vertices), the second creates
// those that appear only on the right and glues. The facets form reads the
// list of simplices first (glued where their labels agree) and then glues
// faces named by their labels. Either way the list of gluings ends at the
// word "end" (a tetrahedron may be called "end1" or "endpoint") or at the end
// of the text, and every face must end up glued exactly once.
#include <algorithm>
#include <string>
#include <unordered_map>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "foundation/text_scanners.h"
#include "model/handle.h"
#include "model/details_description.h"
#include "presentations/triangulations/facets.h"
#include "presentations/triangulations/prepared_text.h"
#include "presentations/triangulations/triangulation_description.h"
#include "presentations/triangulations/triangulation_details.h"

namespace {

constexpr int kMessageMissingParenthesis = 462;
constexpr int kMessageNameTooLong = 463;
constexpr int kMessageUnsuitableSymbol = 464;
constexpr int kMessageRepeatedSymbol = 465;
constexpr int kMessageVertexNotANumber = 466;
constexpr int kMessageVertexBelowOne = 467;
constexpr int kMessageNoSuchFace = 468;
constexpr int kMessageTetrahedronFaceRedefined = 469;
constexpr int kMessageFaceRedefined = 470;
constexpr int kMessageFaceGluedToItself = 471;
constexpr int kMessageTetrahedronFaceToItself = 472;
constexpr int kMessageGluingMissing = 474;
constexpr int kMessageMissingName = 9707;
constexpr int kMessageNotThreeVertices = 9708;

constexpr std::string_view kKeyword = "triangulation";
constexpr std::size_t kQuotedTextLimit = 60;

template <typename... Args>
void Report(int id, const Args&... args) {
  TString message;
  message.FormatResource(id, args...);
  ReportStatus(message, -1);
}

void Skip(std::string_view text, std::size_t& at, std::string_view characters) {
  while (at < text.size() && characters.find(text[at]) != std::string_view::npos) ++at;
}

// A piece of the text for a message, cut at a sensible length.
std::string Quoted(std::string_view text, std::size_t begin, std::size_t end) {
  end = std::min(end, text.size());
  if (begin >= end) return {};
  std::string quoted(text.substr(begin, std::min(end - begin, kQuotedTextLimit)));
  if (end - begin > kQuotedTextLimit) quoted += "...";
  return quoted;
}

// "end" as a word ends the list: at the end of the text, or followed by
// something that cannot continue a name ("end1" is a name) and is not a
// face, so that a tetrahedron may even be called "end".
bool AtListEnd(std::string_view text, std::size_t at) {
  if (at >= text.size()) return true;
  if (text.substr(at, 3) != "end") return false;
  std::size_t next = at + 3;
  if (next == text.size()) return true;
  const char c = text[next];
  if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
      static_cast<unsigned char>(c) >= 0x80) {
    return false;
  }
  Skip(text, next, " \t");
  return next >= text.size() || text[next] != '(';
}

struct TNamedFace {
  std::string name;
  int face = 0;
  int vertices[3] = {0, 0, 0};
  std::string asWritten;  // the face as written, for messages
};

struct TLabelFace {
  int labels[3] = {0, 0, 0};
  std::string text;
};

class TTriangulationReader {
 public:
  // The text is a string so that the number scanners, which read up to a
  // NUL, may work on it in place.
  TTriangulationReader(const std::string& text, TTetrahedronList& tetrahedra,
                       std::vector<std::string>& names)
      : text_(text), tetrahedra_(tetrahedra), names_(names) {
    for (std::size_t i = 0; i < names_.size(); ++i) byName_.try_emplace(names_[i], static_cast<int>(i));
  }

  int status = TTriangulationDescription::kGood;
  int counter = 0;

  // One named gluing at `at`; false at the end of the list or on failure.
  bool ReadNamedGluing(std::size_t& at, int pass) {
    Skip(text_, at, " ,\t\r\n");
    if (AtListEnd(text_, at)) return false;
    TNamedFace left;
    TNamedFace right;
    if (!ReadNamedFace(at, left)) return false;
    Skip(text_, at, ") -\t");
    if (!ReadNamedFace(at, right)) return false;
    Skip(text_, at, " )\t,");
    ++counter;
    if (pass == 1) {
      FindOrCreate(left.name);
      return true;
    }
    const int t1 = FindOrCreate(left.name);
    const int t2 = FindOrCreate(right.name);
    if (tetrahedra_.IsGlued(t1, left.face)) {
      return Fail(TTriangulationDescription::kTetrahedronFaceRedefined, kMessageTetrahedronFaceRedefined,
                  left.name, left.face + 1);
    }
    if (tetrahedra_.IsGlued(t2, right.face)) {
      return Fail(TTriangulationDescription::kTetrahedronFaceRedefined, kMessageTetrahedronFaceRedefined,
                  right.name, right.face + 1);
    }
    if (t1 == t2 && left.face == right.face) {
      return Fail(TTriangulationDescription::kTetrahedronFaceToItself, kMessageTetrahedronFaceToItself,
                  left.face + 1, left.name);
    }
    TVertexMap map{};
    map[static_cast<std::size_t>(left.face)] = static_cast<std::uint8_t>(right.face);
    for (int i = 0; i < 3; ++i) {
      map[static_cast<std::size_t>(left.vertices[i] - 1)] = static_cast<std::uint8_t>(right.vertices[i] - 1);
    }
    tetrahedra_.Glue(t1, left.face, t2, map);
    return true;
  }

  // One gluing of faces named by labels at `at`; false at the end or on failure.
  bool ReadLabelGluing(std::size_t& at, const TFacetsDescription& facets) {
    Skip(text_, at, " ,\t\r\n");
    if (AtListEnd(text_, at)) return false;
    TLabelFace left;
    TLabelFace right;
    if (!ReadLabelFace(at, left)) return false;
    Skip(text_, at, ") -\t");
    if (!ReadLabelFace(at, right)) return false;
    Skip(text_, at, " )\t,");
    int s1 = 0;
    int f1 = 0;
    int s2 = 0;
    int f2 = 0;
    if (!facets.FindFace(left.labels[0], left.labels[1], left.labels[2], s1, f1)) {
      return Fail(TTriangulationDescription::kNoSuchFace, kMessageNoSuchFace, left.text);
    }
    if (!facets.FindFace(right.labels[0], right.labels[1], right.labels[2], s2, f2)) {
      return Fail(TTriangulationDescription::kNoSuchFace, kMessageNoSuchFace, right.text);
    }
    if (tetrahedra_.IsGlued(s1, f1)) {
      return Fail(TTriangulationDescription::kFaceRedefined, kMessageFaceRedefined, left.text);
    }
    if (tetrahedra_.IsGlued(s2, f2)) {
      return Fail(TTriangulationDescription::kFaceRedefined, kMessageFaceRedefined, right.text);
    }
    if (s1 == s2 && f1 == f2) {
      return Fail(TTriangulationDescription::kFaceGluedToItself, kMessageFaceGluedToItself, left.text);
    }
    TVertexMap map{};
    map[static_cast<std::size_t>(f1)] = static_cast<std::uint8_t>(f2);
    for (int i = 0; i < 3; ++i) {
      map[static_cast<std::size_t>(facets.Simplex(s1).CornerOfLabel(left.labels[i]))] =
          static_cast<std::uint8_t>(facets.Simplex(s2).CornerOfLabel(right.labels[i]));
    }
    tetrahedra_.Glue(s1, f1, s2, map);
    ++counter;
    return true;
  }

 private:
  template <typename... Args>
  bool Fail(int newStatus, int message, const Args&... args) {
    status = newStatus;
    Report(message, args...);
    return false;
  }

  int FindOrCreate(const std::string& name) {
    auto found = byName_.find(name);
    if (found != byName_.end()) return found->second;
    names_.push_back(name);
    const int made = tetrahedra_.Add();
    byName_.emplace(name, made);
    return made;
  }

  // name "(" x "," y "," z ")": the face lacking one vertex 1..4.
  bool ReadNamedFace(std::size_t& at, TNamedFace& face) {
    const std::size_t start = at;
    const std::size_t paren = text_.find('(', at);
    if (paren == std::string_view::npos) {
      return Fail(TTriangulationDescription::kMissingParenthesis, kMessageMissingParenthesis,
                  counter + 1, Quoted(text_, at, text_.size()));
    }
    const std::size_t close = text_.find(')', paren);
    const std::size_t asWrittenEnd = close == std::string_view::npos ? text_.size() : close + 1;
    face.asWritten = Quoted(text_, start, asWrittenEnd);
    face.name = std::string(text_.substr(at, paren - at));
    if (face.name.empty()) {
      return Fail(TTriangulationDescription::kMissingName, kMessageMissingName, counter + 1,
                  face.asWritten);
    }
    if (face.name.size() > TTriangulationDescription::kMaxNameLength) {
      return Fail(TTriangulationDescription::kNameTooLong, kMessageNameTooLong, face.name,
                  static_cast<unsigned>(TTriangulationDescription::kMaxNameLength));
    }
    at = paren + 1;
    int count = 0;
    bool seen[4] = {false, false, false, false};
    for (;;) {
      Skip(text_, at, " \t,");
      if (at >= text_.size()) {
        return Fail(TTriangulationDescription::kNotThreeVertices, kMessageNotThreeVertices,
                    face.asWritten);
      }
      const char c = text_[at];
      if (c == ')') {
        ++at;
        break;
      }
      if (c < '1' || c > '4') {
        return Fail(TTriangulationDescription::kUnsuitableSymbol, kMessageUnsuitableSymbol,
                    face.asWritten, c);
      }
      if (seen[c - '1']) {
        return Fail(TTriangulationDescription::kRepeatedSymbol, kMessageRepeatedSymbol,
                    face.asWritten, c);
      }
      if (count == 3) {
        return Fail(TTriangulationDescription::kNotThreeVertices, kMessageNotThreeVertices,
                    face.asWritten);
      }
      seen[c - '1'] = true;
      face.vertices[count++] = c - '0';
      ++at;
    }
    if (count != 3) {
      return Fail(TTriangulationDescription::kNotThreeVertices, kMessageNotThreeVertices,
                  face.asWritten);
    }
    face.face = !seen[0] ? 0 : !seen[1] ? 1 : !seen[2] ? 2 : 3;
    return true;
  }

  // "(" a "," b "," c ")" with positive labels.
  bool ReadLabelFace(std::size_t& at, TLabelFace& face) {
    const std::size_t start = at;
    if (at >= text_.size() || text_[at] != '(') {
      return Fail(TTriangulationDescription::kMissingParenthesis, kMessageMissingParenthesis,
                  counter + 1, Quoted(text_, at, text_.size()));
    }
    const std::size_t close = text_.find(')', at);
    face.text = Quoted(text_, start, close == std::string_view::npos ? text_.size() : close + 1);
    ++at;
    const char* const base = text_.c_str() + at;
    const char* cursor = base;
    for (int i = 0; i < 3; ++i) {
      const char* end = cursor;
      if (!ParseInteger(face.labels[i], end, cursor)) {
        while (*cursor == ' ') ++cursor;
        std::size_t from = at + static_cast<std::size_t>(cursor - base);
        std::size_t to = from;
        while (to < text_.size() && text_[to] != ' ' && text_[to] != ',' && text_[to] != '\t') ++to;
        return Fail(TTriangulationDescription::kVertexNotANumber, kMessageVertexNotANumber,
                    Quoted(text_, from, to));
      }
      if (face.labels[i] < 1) {
        return Fail(TTriangulationDescription::kVertexBelowOne, kMessageVertexBelowOne, face.labels[i]);
      }
      cursor = end;
      while (*cursor == ' ' || *cursor == '\t') ++cursor;
      if (*cursor == ',') ++cursor;
    }
    while (*cursor == ' ' || *cursor == '\t') ++cursor;
    at += static_cast<std::size_t>(cursor - base);
    if (*cursor != ')') {
      return Fail(TTriangulationDescription::kUnsuitableSymbol, kMessageUnsuitableSymbol, face.text,
                  *cursor == '\0' ? ' ' : *cursor);
    }
    ++at;
    return true;
  }

  const std::string& text_;
  TTetrahedronList& tetrahedra_;
  std::vector<std::string>& names_;
  // The tetrahedra by name, beside names_: a gluing finds its tetrahedra in
  // constant time rather than by a walk over all names.
  std::unordered_map<std::string, int> byName_;
};

}  // namespace

bool IsTriangulationText(std::string_view text) {
  if (text.size() <= 43) return false;
  return PreparedText(text, true).starts_with(kKeyword);
}

int TTriangulationDescription::FromComplex(const TComplex& complex) {
  status_ = kGood;
  tetrahedra_.Clear();
  names_.clear();
  TDetailsDescription details;
  MuteTraceOutput();
  const int made = details.FromSpine(complex);
  UnmuteTraceOutput();
  if (!made || !TetrahedraFromDetails(details, tetrahedra_, &names_)) {
    tetrahedra_.Clear();
    names_.clear();
    return 0;
  }
  // The details go with this function; their names stay.
  for (int t = 0; t < tetrahedra_.Count(); ++t) {
    if (names_[static_cast<std::size_t>(t)].empty()) {
      names_[static_cast<std::size_t>(t)] = ObjectDisplayName(tetrahedra_.At(t).detail);
    }
    tetrahedra_.At(t).detail = nullptr;
  }
  return 1;
}

void TTriangulationDescription::SetTetrahedra(const TTetrahedronList& tetrahedra) {
  tetrahedra_ = tetrahedra;
  names_.assign(static_cast<std::size_t>(tetrahedra.Count()), std::string());
  status_ = kGood;
}

int TTriangulationDescription::Parse(std::string_view text) {
  status_ = kGood;
  tetrahedra_.Clear();
  names_.clear();
  if (!IsTriangulationText(text)) {
    status_ = kNoGluing;
    return 0;
  }
  const std::string prepared = PreparedText(text, true);
  std::size_t at = kKeyword.size();
  Skip(prepared, at, " \t\r\n");
  TTriangulationReader reader(prepared, tetrahedra_, names_);
  if (at < prepared.size() && prepared[at] == '[') {
    TFacetsDescription facets;
    std::size_t listEnd = 0;
    if (!facets.Parse(std::string_view(prepared).substr(at), &listEnd, 2)) {
      status_ = kFacetsFailed;
    } else {
      at += listEnd;
      reader.counter = facets.ToTetrahedra(tetrahedra_) / 2;
      names_.assign(static_cast<std::size_t>(tetrahedra_.Count()), std::string());
      TStopPoll poll;
      while (reader.ReadLabelGluing(at, facets)) poll.Step();
      status_ = reader.status;
    }
  } else {
    const std::size_t start = at;
    TStopPoll poll;
    while (reader.ReadNamedGluing(at, 1)) poll.Step();
    if (reader.status == kGood) {
      at = start;
      reader.counter = 0;
      while (reader.ReadNamedGluing(at, 0)) poll.Step();
    }
    status_ = reader.status;
  }
  if (status_ == kGood) {
    if (reader.counter == 0) {
      status_ = kNoGluing;
    } else {
      for (int t = 0; t < tetrahedra_.Count() && status_ == kGood; ++t) {
        for (int f = 0; f < 4; ++f) {
          if (tetrahedra_.IsGlued(t, f)) continue;
          status_ = kGluingMissing;
          TString message;
          const std::string& name = names_[static_cast<std::size_t>(t)];
          message.FormatResource(kMessageGluingMissing,
                                 name.empty() ? "v" + std::to_string(tetrahedra_.At(t).number) : name,
                                 f + 1);
          ReportStatus(message, -1);
          break;
        }
      }
    }
  }
  // On failure the tetrahedra read so far stay, for a report that shows what
  // is missing; nothing is built from them.
  return status_ == kGood ? 1 : 0;
}

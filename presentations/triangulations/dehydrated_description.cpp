#include "presentations/triangulations/dehydrated_description.h"

#include <optional>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/complex.h"
#include "model/object_header.h"
#include "model/details_description.h"
#include "presentations/triangulations/prepared_text.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/triangulation_details.h"

namespace {

constexpr int kMessageTarget = 9720;
constexpr int kMessagePermutation = 9721;
constexpr int kMessageNoNewTetrahedron = 9722;
constexpr int kMessageFaceGlued = 9723;
constexpr int kMessageNoFreeFace = 9724;
constexpr int kMessageWrongCount = 9725;
constexpr int kMessageNotADescription = 9726;

template <typename... Args>
std::string Message(int id, const Args&... args) {
  std::optional<std::string_view> text = StringTableText(id);
  return text ? FormatText(*text, args...) : std::string();
}

}  // namespace

std::string DehydrationErrorMessage(std::string_view prepared, TDehydrationError error,
                                    std::size_t position) {
  const std::string_view run = DehydrationRun(prepared);
  const std::string quoted(run.empty() ? prepared.substr(0, 40) : run);
  const unsigned at = static_cast<unsigned>(position) + 1;
  const char c = position < run.size() ? run[position] : ' ';
  const int n = run.empty() ? 0 : run[0] - 'a';
  switch (error) {
    case TDehydrationError::kNone:
      return {};
    case TDehydrationError::kNotADescription:
      return Message(kMessageNotADescription, quoted);
    case TDehydrationError::kTargetOutOfRange:
      return Message(kMessageTarget, quoted, at, c, n);
    case TDehydrationError::kPermutationOutOfRange:
      return Message(kMessagePermutation, quoted, at, c);
    case TDehydrationError::kNoNewTetrahedron:
      return Message(kMessageNoNewTetrahedron, quoted, at);
    case TDehydrationError::kFaceAlreadyGlued:
      return Message(kMessageFaceGlued, quoted, at, c);
    case TDehydrationError::kNoFreeFace:
      return Message(kMessageNoFreeFace, quoted, at);
    case TDehydrationError::kWrongCount: {
      int old = 0;
      for (int k = 0; k < 2 * n; ++k) {
        const std::size_t pair = 1 + 2 * static_cast<std::size_t>(k / 8);
        const int byte = 16 * (run[pair] - 'a') + (run[pair + 1] - 'a');
        old += ((byte >> (k % 8)) & 1) == 0 ? 1 : 0;
      }
      return Message(kMessageWrongCount, quoted, old, n + 1);
    }
  }
  return {};
}

int DehydrationToDetails(std::string_view text, TDetailsDescription& details) {
  const std::string prepared = PreparedText(text);
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  const TDehydrationError error = DecodeDehydration(prepared, tetrahedra, position);
  if (error != TDehydrationError::kNone) {
    ReportStatus(TString(DehydrationErrorMessage(prepared, error, position)), -1);
    return 0;
  }
  return DetailsFromTetrahedra(tetrahedra, details) ? 1 : 0;
}

const std::string& TDehydratedDescription::FromComplex(const TComplex& complex) {
  text_.clear();
  if (complex.Objects().CountOfKind(kVertexKind) > kMaxDehydratedTetrahedra) return text_;
  TDetailsDescription details;
  TTetrahedronList tetrahedra;
  if (details.FromSpine(complex) && TetrahedraFromDetails(details, tetrahedra)) {
    text_ = CanonicalDehydration(tetrahedra);
  }
  return text_;
}

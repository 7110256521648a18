#include "presentations/triangulations/iso_signature.h"

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/complex.h"
#include "model/details_description.h"
#include "presentations/triangulations/iso_sig_alphabet.h"
#include "presentations/triangulations/prepared_text.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/triangulation_description.h"
#include "presentations/triangulations/triangulation_details.h"

namespace {

constexpr int kMessageNotASignature = 9710;
constexpr int kMessageInvalidCharacter = 9711;
constexpr int kMessageInvalidAction = 9712;
constexpr int kMessageBoundaryFace = 9713;
constexpr int kMessageTooManyNew = 9714;
constexpr int kMessageDestination = 9715;
constexpr int kMessagePermutation = 9716;
constexpr int kMessageFaceGlued = 9717;
constexpr int kMessageNoFreeFace = 9718;
constexpr int kMessageWrongLength = 9719;

template <typename... Args>
std::string Message(int id, const Args&... args) {
  std::optional<std::string_view> text = StringTableText(id);
  return text ? FormatText(*text, args...) : std::string();
}

}  // namespace

std::string IsoSignatureErrorMessage(std::string_view word, TIsoSigError error, std::size_t position) {
  const std::string quoted(word);
  const unsigned at = static_cast<unsigned>(position) + 1;
  const char c = position < word.size() ? word[position] : ' ';
  const long n = IsoSignatureTetrahedronCount(quoted.c_str());
  switch (error) {
    case TIsoSigError::kNone:
      return {};
    case TIsoSigError::kNotASignature:
      return Message(kMessageNotASignature, quoted);
    case TIsoSigError::kInvalidCharacter:
      return Message(kMessageInvalidCharacter, quoted, at, c);
    case TIsoSigError::kInvalidAction:
      return Message(kMessageInvalidAction, quoted, at, c);
    case TIsoSigError::kBoundaryFace:
      return Message(kMessageBoundaryFace, quoted, at, c);
    case TIsoSigError::kTooManyNewTetrahedra:
      return Message(kMessageTooManyNew, quoted, at, c, n);
    case TIsoSigError::kDestinationOutOfRange:
      return Message(kMessageDestination, quoted, at, c, n);
    case TIsoSigError::kPermutationOutOfRange:
      return Message(kMessagePermutation, quoted, at, c);
    case TIsoSigError::kFaceAlreadyGlued:
      return Message(kMessageFaceGlued, quoted, at, c);
    case TIsoSigError::kNoFreeFace:
      return Message(kMessageNoFreeFace, quoted, at);
    case TIsoSigError::kWrongLength:
      return Message(kMessageWrongLength, quoted, static_cast<unsigned>(word.size()));
  }
  return {};
}

bool IsIsoSignatureText(std::string_view text) {
  const std::string prepared = PreparedText(text);
  // A signature is one word. Braces and '=' belong to the entries of a cell
  // presentation, never to a signature's alphabet: a printed spine whose
  // first cell name happens to have a signature's length stays a spine.
  if (prepared.find_first_of("{}=") != std::string::npos) return false;
  return IsIsoSignatureWord(FirstWord(prepared));
}

int IsoSignatureToDetails(std::string_view text, TDetailsDescription& details) {
  const std::string prepared = PreparedText(text);
  const std::string_view word = FirstWord(prepared);
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  const TIsoSigError error = DecodeIsoSignature(word, tetrahedra, position);
  if (error != TIsoSigError::kNone) {
    ReportStatus(TString(IsoSignatureErrorMessage(word, error, position)), -1);
    return 0;
  }
  return DetailsFromTetrahedra(tetrahedra, details) ? 1 : 0;
}

void TIsoSignature::Clear() {
  text_.clear();
  canonicalText_.clear();
}

const std::string& TIsoSignature::ComputeOfComplex(const TComplex& complex, int mode) {
  Clear();
  TDetailsDescription details;
  TTetrahedronList tetrahedra;
  if (!details.FromSpine(complex) || !TetrahedraFromDetails(details, tetrahedra)) return text_;
  TTetrahedronList canonical;
  text_ = CanonicalIsoSignature(tetrahedra, mode == 2 ? &canonical : nullptr);
  if (mode == 2 && !text_.empty()) {
    TTriangulationDescription description;
    description.SetTetrahedra(canonical);
    TOutput output;
    description.Write(output);
    canonicalText_.assign(output.Text(), output.TextLength());
  }
  return text_;
}

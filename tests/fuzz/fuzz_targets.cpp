#include "fuzz/fuzz_targets.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/heap_string.h"
#include "foundation/int_matrix.h"
#include "foundation/message_box.h"
#include "model/object_header.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "model/spine_consistency.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "presentations/crystallizations/canonical_graph_code.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallizations/crystallization_reader.h"
#include "presentations/triangulations/dehydrated_description.h"
#include "presentations/triangulations/iso_signature.h"
#include "shell/document_readers.h"
#include "shell/document_spine.h"
#include "shell/options.h"

namespace {

[[noreturn]] void Fail(const char* target, const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz target %s: %s\n%s\n", target, what, detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// The document text as a view holds it: a view's text has no NUL, so the
// text ends at the first one.
std::string DocumentText(std::string_view input) {
  const std::size_t nul = input.find('\0');
  return std::string(input.substr(0, nul));
}

const TDocumentReader& ReaderNamed(const char* notation) {
  for (const TDocumentReader& reader : DocumentReaders()) {
    if (std::string_view(reader.notation) == notation) return reader;
  }
  Fail(notation, "no reader of this notation", "");
}

// Every spine of the chain passes the consistency check.
void CheckConsistency(const char* target, TDocumentSpine& document, const std::string& text) {
  TDocumentSpine::TScope scope(document);
  if (document.Spine().IsEmpty()) return;
  ClearSpineValidationFailure();
  if (ValidateSpine(document.Spine()) != 1 || SpineValidationFailed()) {
    Fail(target, "the spine read fails the consistency check", text);
  }
}

struct TShape {
  int vertices = 0, edges = 0, cells = 0;
  bool operator==(const TShape&) const = default;
};

TShape ShapeOf(const TSpine& spine) {
  return {spine.Objects().CountOfKind(kVertexKind), spine.Objects().CountOfKind(kEdgeKind),
          spine.Objects().CountOfKind(kCellKind)};
}

std::string Describe(const TShape& shape) {
  return std::to_string(shape.vertices) + " vertices, " + std::to_string(shape.edges) +
         " edges, " + std::to_string(shape.cells) + " cells";
}

// Some notations describe a big object in a few characters: "heegaard 4000
// 30000 0 0 2 -2" asks for a diagram of 34000 arcs, and "framing 700" for a
// filling whose spine has some 700 cells per component. Building those is
// work in proportion to the object, not a reader that hangs, and thickening
// and homology then take quadratic and cubic time in it. The fuzzers look for
// readers that hang on small objects, so texts whose numbers ask for more
// than these budgets are passed over.
constexpr long kArcBudget = 64;      // the sum of a Heegaard diagram's numbers
constexpr long kFramingBudget = 48;  // each term of a framing p/q

// The magnitudes of the numbers in text[from, to), as the readers accept
// them: a number beyond the readers' 16-bit range is refused, so it costs
// nothing and is left out.
long SumOfNumbers(const std::string& text, std::size_t from, std::size_t to, long* largest) {
  long sum = 0;
  *largest = 0;
  for (std::size_t i = from; i < to;) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    long value = 0;
    for (; i < to && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
      if (value <= 65535) value = value * 10 + (text[i] - '0');
    }
    if (value > 65535) continue;
    sum += value;
    if (value > *largest) *largest = value;
  }
  return sum;
}

bool WithinWorkBudget(const std::string& text) {
  long largest = 0;
  const bool heegaard = ReaderNamed("heegaard").recognises(text.c_str()) ||
                        ReaderNamed("extended heegaard").recognises(text.c_str());
  if (heegaard && SumOfNumbers(text, 0, text.size(), &largest) > kArcBudget) return false;
  if (!ReaderNamed("link").recognises(text.c_str())) return true;
  // A framing's numbers run to the next keyword: "framing 13/5 end".
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t at = lower.find("framing"); at != std::string::npos;
       at = lower.find("framing", at + 1)) {
    std::size_t end = at + 7;
    while (end < lower.size() && !std::isalpha(static_cast<unsigned char>(lower[end]))) ++end;
    SumOfNumbers(lower, at + 7, end, &largest);
    if (largest > kFramingBudget) return false;
  }
  return true;
}

// Parses with the named reader after its recogniser accepted the text, checks
// the spine and returns whether one was built.
bool ReadAs(const char* target, const char* notation, TDocumentSpine& document,
            const std::string& text) {
  const TDocumentReader& reader = ReaderNamed(notation);
  if (reader.recognises != nullptr && !reader.recognises(text.c_str())) return false;
  if (!WithinWorkBudget(text)) return false;
  const TOptionValues options;
  const int built = document.ParseWithReader(reader, text.c_str(), options);
  CheckConsistency(target, document, text);
  return built == 1;
}

void ReadNotation(const char* notation, std::string_view input) {
  const std::string text = DocumentText(input);
  TDocumentSpine document;
  ReadAs(notation, notation, document, text);
}

// A connected spine written as a cell presentation reads back to a spine of
// the same shape.
void FuzzCells(std::string_view input) {
  const std::string text = DocumentText(input);
  TDocumentSpine document;
  if (!ReadAs("cells", "cells", document, text)) return;
  std::string written;
  TShape shape;
  {
    TDocumentSpine::TScope scope(document);
    TSpine& spine = document.Spine();
    if (spine.Next() != nullptr) return;
    TString out;
    TBoundaryCurvesPresentation::Write(out, spine, kCellsNumbered);
    written = out.CStr();
    shape = ShapeOf(spine);
  }
  TDocumentSpine again;
  if (!ReadAs("cells", "cells", again, written)) {
    Fail("cells", "the written presentation does not read back", text + "\n--- written:\n" + written);
  }
  TDocumentSpine::TScope scope(again);
  const TShape reread = ShapeOf(again.Spine());
  if (!(reread == shape)) {
    Fail("cells", "the written presentation reads back to another spine",
         text + "\n--- written:\n" + written + "\n--- " + Describe(shape) + " became " +
             Describe(reread));
  }
}

// A notation the spine can be written in: the text written for the spine
// read, read again, is written the same (for a signature or a dehydrated
// description, the two triangulations are isomorphic). `what` names the
// written text in a failure report.
template <typename WriteSpine>
void FuzzWrittenReadsBack(const char* target, const char* what, std::string_view input,
                          WriteSpine write) {
  const std::string text = DocumentText(input);
  TDocumentSpine document;
  if (!ReadAs(target, target, document, text)) return;
  std::string first;
  {
    TDocumentSpine::TScope scope(document);
    first = write(document.Spine());
  }
  if (first.empty()) return;
  TDocumentSpine again;
  if (!ReadAs(target, target, again, first)) {
    const std::string failure = std::string("the ") + what + " of the spine read does not read back";
    Fail(target, failure.c_str(), text + "\n--- " + first);
  }
  TDocumentSpine::TScope scope(again);
  const std::string second = write(again.Spine());
  if (second != first) {
    const std::string failure = std::string("the ") + what + " changes when read again";
    Fail(target, failure.c_str(),
         text + "\n--- " + first + "\n--- " + second);
  }
}

void FuzzIsoSignature(std::string_view input) {
  FuzzWrittenReadsBack("isosig", "signature", input,
                       [](TSpine& spine) { return TIsoSignature().Compute(spine, 1); });
}

void FuzzDehydrated(std::string_view input) {
  FuzzWrittenReadsBack("dehydrated", "description", input,
                       [](TSpine& spine) { return TDehydratedDescription().FromSpine(spine); });
}

// The canonical code of an accepted crystallization is accepted again and is
// its own canonical code.
void FuzzCrystallization(std::string_view input) {
  const std::string text = DocumentText(input);
  TDocumentSpine document;
  if (!ReadAs("crystallization", "crystallization", document, text)) return;
  TIntMatrix graph;
  if (ReadCrystallizationCode(text.c_str(), graph) != 1) {
    Fail("crystallization", "a code that built a spine is refused when read again", text);
  }
  if (CanonicalGraphCode(graph) != 1) return;
  const std::string canonical = CrystallizationCodeText(graph);
  TIntMatrix again;
  if (ReadCrystallizationCode(canonical.c_str(), again) != 1) {
    Fail("crystallization", "the canonical code is refused", text + "\n--- " + canonical);
  }
  CanonicalGraphCode(again);
  const std::string twice = CrystallizationCodeText(again);
  if (twice != canonical) {
    Fail("crystallization", "the canonical code is not canonical",
         text + "\n--- " + canonical + "\n--- " + twice);
  }
}

// The whole parse as the view runs it, and the same text parsed a second
// time in the same document (the parse cache), then the spine checked.
void FuzzDocument(std::string_view input) {
  const std::string text = DocumentText(input);
  if (!WithinWorkBudget(text)) return;
  TDocumentSpine document;
  const TOptionValues options;
  const int first = document.ParseDocumentText(text.c_str(), options);
  const int second = document.ParseDocumentText(text.c_str(), options);
  if (first != second) Fail("document", "a second parse of the same text differs", text);
  CheckConsistency("document", document, text);
}

void FuzzDetails(std::string_view input) { ReadNotation("details", input); }
void FuzzFacets(std::string_view input) { ReadNotation("facets", input); }
void FuzzTriangulation(std::string_view input) { ReadNotation("triangulation", input); }
void FuzzLink(std::string_view input) { ReadNotation("link", input); }
void FuzzHeegaard(std::string_view input) { ReadNotation("heegaard", input); }
void FuzzExtHeegaard(std::string_view input) { ReadNotation("extended heegaard", input); }

constexpr TFuzzTarget kTargets[] = {
    {"cells", FuzzCells},
    {"details", FuzzDetails},
    {"facets", FuzzFacets},
    {"triangulation", FuzzTriangulation},
    {"dehydrated", FuzzDehydrated},
    {"isosig", FuzzIsoSignature},
    {"link", FuzzLink},
    {"heegaard", FuzzHeegaard},
    {"extheegaard", FuzzExtHeegaard},
    {"crystallization", FuzzCrystallization},
    {"document", FuzzDocument},
};

}  // namespace

std::span<const TFuzzTarget> FuzzTargets() { return kTargets; }

const TFuzzTarget* FindFuzzTarget(std::string_view name) {
  for (const TFuzzTarget& target : kTargets) {
    if (name == target.name) return &target;
  }
  return nullptr;
}

void PrepareFuzzing() {
  SetMessageBoxHandler({});
  ClearMessageBoxLog();
  SuppressObjectNames.store(0);
}

#include "fuzz/fuzz_targets.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
#include "recognition/result_table.h"
#include "shell/command_line_arguments.h"
#include "shell/document_commands.h"
#include "shell/document_readers.h"
#include "shell/document_spine.h"
#include "shell/ini_file.h"
#include "shell/notation_keyword.h"
#include "shell/options.h"
#include "shell/options_ini.h"
#include "shell/quoted_text.h"

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
// A run with a larger budget (tests/fuzz/run.sh --large) sets
// SORVELIN_FUZZ_LARGE_BUDGET and allows bigger objects and longer work.
bool LargeBudget() {
  static const bool large = std::getenv("SORVELIN_FUZZ_LARGE_BUDGET") != nullptr;
  return large;
}
long ArcBudget() { return LargeBudget() ? 512 : 64; }      // the sum of a Heegaard diagram's numbers
long FramingBudget() { return LargeBudget() ? 400 : 48; }  // each term of a framing p/q

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
  if (heegaard && SumOfNumbers(text, 0, text.size(), &largest) > ArcBudget()) return false;
  if (!ReaderNamed("link").recognises(text.c_str())) return true;
  // A framing's numbers run to the next keyword: "framing 13/5 end".
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t at = lower.find("framing"); at != std::string::npos;
       at = lower.find("framing", at + 1)) {
    std::size_t end = at + 7;
    while (end < lower.size() && !std::isalpha(static_cast<unsigned char>(lower[end]))) ++end;
    SumOfNumbers(lower, at + 7, end, &largest);
    if (largest > FramingBudget()) return false;
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

// ---- The settings file ----

// Every reading of a settings file: its diagnostics quote short and escaped,
// the options section reads in every menu mode, and what is written reads
// back to the values written, the other lines kept.
void FuzzSettings(std::string_view input) {
  const TIniFile file(input);
  for (const TIniDiagnostic& diagnostic : file.Diagnostics()) {
    if (diagnostic.message.size() > 400) Fail("settings", "a diagnostic is not short", diagnostic.message);
  }
  for (int menuMode = 0; menuMode <= 2; ++menuMode) {
    TOptionValues values;
    for (const TIniDiagnostic& diagnostic : ReadOptionsSection(file, menuMode, values)) {
      for (char c : diagnostic.message) {
        if (static_cast<unsigned char>(c) < 0x20) {
          Fail("settings", "a diagnostic holds a control byte", diagnostic.message);
        }
      }
    }
    TIniFile written = file;
    WriteOptionsSection(written, menuMode, values);
    const std::string text = written.Text();
    const TIniFile again(text);
    TOptionValues reread;
    ReadOptionsSection(again, menuMode, reread);
    TOptionValues expected;
    for (const TOptionKey& key : OptionKeys()) {
      if (OptionKeyStoredInMenuMode(key, menuMode)) {
        SetOptionProfileValue(expected, key, OptionProfileValue(values, key));
      }
    }
    if (!(reread == expected)) Fail("settings", "the values written do not read back", text);
    // Reading drops the byte order marks at the start, so a written file
    // reads back as it is.
    const std::string twice = TIniFile(text).Text();
    if (TIniFile(twice).Text() != twice) {
      Fail("settings", "a written file changes when read again", text);
    }
  }
  // An integer read from a line is the integer written back.
  const std::string_view firstLine = input.substr(0, input.find_first_of("\r\n"));
  bool tooLarge = false;
  if (const std::optional<std::int64_t> value = ParseOptionInteger(firstLine, &tooLarge)) {
    if (tooLarge || ParseOptionInteger(std::to_string(*value)) != value) {
      Fail("settings", "an integer does not read back", std::string(firstLine));
    }
  }
}

// ---- The command line ----

// The bytes split at NUL into words, as the program gets them. A usage error
// quotes the words short and escaped; the --set texts apply or are refused
// leaving the values as they were.
void FuzzCommandLine(std::string_view input) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start <= input.size() && words.size() < 64;) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    words.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  const std::vector<std::string_view> views(words.begin(), words.end());
  const TCommandLineArguments arguments = ParseCommandLineArguments(views);
  for (char c : arguments.error) {
    if (static_cast<unsigned char>(c) < 0x20) Fail("cmdline", "an error holds a control byte", arguments.error);
  }
  if (arguments.menuMode < 0 || arguments.menuMode > 2) Fail("cmdline", "a menu mode out of range", "");
  TOptionValues values;
  for (const std::string& assignment : arguments.assignments) {
    const TOptionValues before = values;
    if (const std::optional<std::string> refused = ApplyOptionAssignment(values, assignment)) {
      if (!(values == before)) Fail("cmdline", "a refused --set changed the values", assignment);
      if (refused->size() > 400) Fail("cmdline", "a refusal is not short", *refused);
    }
  }
}

// ---- Commands after the parse ----

const std::atomic<int> kNoStop{0};

TCommandResult RunCommand(int id, const std::string& text) {
  const TOptionValues options;
  PrepareFuzzing();
  return RunCommandOnText(id, text, options, &kNoStop);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The covering test on its two sections: a refusal says why, and a test that
// ran shows its report.
void FuzzCovering(std::string_view input) {
  const std::string text = DocumentText(input);
  if (!WithinWorkBudget(text) || text.size() > 1024) return;
  const TCommandResult result = RunCommand(37, text);
  if (result.shown.empty()) Fail("covering", "the covering test shows nothing", text);
}

// The commands that work on whatever the parse accepted: the details and
// triangulation writers (whose texts read back to a spine of the same
// homology), the labeled molecule and the cell reductions.
void FuzzCommands(std::string_view input) {
  const std::string text = DocumentText(input);
  if (!WithinWorkBudget(text) || text.size() > 2048) return;
  const TCommandResult homology = RunCommand(23, text);
  if (homology.outcome != TCommandOutcome::kDone) return;
  for (int writer : {18, 19}) {
    const TCommandResult written = RunCommand(writer, text);
    if (written.outcome != TCommandOutcome::kDone) continue;
    const TCommandResult again = RunCommand(23, written.shown);
    if (again.outcome != TCommandOutcome::kDone ||
        FirstLine(again.shown) != FirstLine(homology.shown)) {
      Fail("commands", "a written presentation reads back to another homology",
           text + "\n--- written:\n" + written.shown + "\n--- " + homology.shown + "\n--- " +
               again.shown);
    }
  }
  RunCommand(40, text);
  const TCommandResult reduced = RunCommand(53, text);
  if (reduced.outcome == TCommandOutcome::kDone && reduced.shown.empty()) {
    Fail("commands", "the cell reductions show nothing", text);
  }
}

// ---- Raw documents ----

// The document as the bytes stand, NUL bytes and all, and long: the readers
// that take a length see every byte, those that take a C string stop at the
// first NUL; the quoted form of any text is short and free of control bytes.
void FuzzRawDocument(std::string_view input) {
  const std::string raw(input);
  const std::string quoted = QuotedText(raw);
  if (quoted.size() > 4 * kQuotedTextLimit + 3) Fail("rawdoc", "a quoted text is not short", quoted);
  for (char c : quoted) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) Fail("rawdoc", "a quoted text holds a control byte", quoted);
  }
  for (const TDocumentReader& reader : DocumentReaders()) {
    if (reader.recognises != nullptr) reader.recognises(raw.c_str());
  }
  MisreadNotationKeyword(raw.c_str());
  const TIniFile file(raw);
  if (!WithinWorkBudget(DocumentText(input))) return;
  TDocumentSpine document;
  const TOptionValues options;
  document.ParseDocumentText(raw.c_str(), options);
  CheckConsistency("rawdoc", document, DocumentText(input));
}

// ---- Binary table files ----

// Any bytes as a table file: refused with a message and the table kept as it
// was, or read into a table that saves and reads back to the same bytes.
void FuzzTable(std::string_view input) {
  TManifoldTable table;
  const std::string before = table.SaveBinaryBytes();
  if (table.LoadBinaryBytes(input, "fuzz.bin") == 0) {
    if (table.LoadError().empty()) Fail("table", "a refusal without a message", "");
    if (table.SaveBinaryBytes() != before) Fail("table", "a refused file changed the table", table.LoadError());
    return;
  }
  const std::string saved = table.SaveBinaryBytes();
  TManifoldTable again;
  if (again.LoadBinaryBytes(saved, "saved.bin") == 0) {
    Fail("table", "a table read from a file cannot read its own file", again.LoadError());
  }
  if (again.SaveBinaryBytes() != saved) Fail("table", "a saved table changes when read again", "");
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
    {"settings", FuzzSettings},
    {"cmdline", FuzzCommandLine},
    {"covering", FuzzCovering},
    {"commands", FuzzCommands},
    {"rawdoc", FuzzRawDocument},
    {"table", FuzzTable},
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

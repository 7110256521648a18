#include "series/series_runner.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/packed_record_list.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"
#include "model/object_header.h"
#include "model/object_table.h"
#include "model/quiet_scope.h"
#include "model/spine.h"
#include "invariants/surface_search.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/triangulations/dehydration_code.h"
#include "presentations/triangulations/iso_signature.h"
#include "recognition/atom_table.h"
#include "recognition/piece_code.h"
#include "recognition/recognition_driver.h"
#include "recognition/recognition_input.h"
#include "recognition/result_printer.h"
#include "recognition/result_table_printer.h"
#include "series/series_text.h"
#include "shell/check_before_moves.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/series_file_name.h"
#include "shell/spine_text_view.h"
#include "shell/string_text.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCannotReadId = 9240;
constexpr int kCutOnlyRefusedId = 9241;
constexpr int kNoSpinesId = 9242;
constexpr int kContainsId = 9243;
constexpr int kContainsOnlyId = 9244;
constexpr int kMinimalStatusId = 9245;
constexpr int kCutOnlyItemId = 9246;
constexpr int kLineStatusId = 9247;
constexpr int kDehydratedHandledId = 9248;
constexpr int kSignaturesHandledId = 9249;
constexpr int kCrystallizationsHandledId = 9250;
constexpr int kItemOfId = 9251;
constexpr int kEngineNotBuiltId = 9252;
constexpr int kCannotSaveId = 9253;
constexpr int kWorkFileId = 9678;

// The crystallization series copies its report here after every item, so
// that a long run that is killed leaves what it did.
constexpr const char* kWorkFileName = "Temp.out";

constexpr int kReportMinimal = 1;
constexpr int kReportCutOnly = 2;
constexpr int kReportNonseries = 3;

// Item modes of the walk.
constexpr int kItemRun = 0;
constexpr int kItemSkip = 1;
constexpr int kItemWhole = 2;

// Progress texts at most this often.
constexpr std::chrono::milliseconds kProgressInterval{250};

const char* EngineName(int kind) {
  switch (kind) {
    case kSeriesExtHeegaard: return "extended Heegaard diagram";
    case kSeriesHeegaard: return "Heegaard diagram";
    case kSeriesGraphCode: return "graph code";
    case kSeriesFraming: return "link framing";
    case kSeriesKnotTable: return "knot table";
    case kSeriesLinkTable: return "link table";
    default: return "";
  }
}

// Status texts stay off while an item is parsed and recognised.
class TStatusSilence {
 public:
  TStatusSilence() { SuppressStatus(); }
  ~TStatusSilence() { UnsuppressStatus(); }
  TStatusSilence(const TStatusSilence&) = delete;
  TStatusSilence& operator=(const TStatusSilence&) = delete;
};

// The lines of a text, each without its line end.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(at, end - at));
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    at = end;
  }
  return lines;
}

// Whether an entry may come from the item at this position (an entry
// without sources may too: a series without a source name records none).
bool HasSourcePosition(const TManifoldDescription& d, int position) {
  if (d.CountSources() == 0) return true;
  int name = 0;
  int at = 0;
  int sub = 0;
  for (int k = 0; d.GetSource(k, name, at, sub) != 0; ++k)
    if (at == position) return true;
  return false;
}

// The number after "_" in the table name of the atom an entry's molecule
// holds ("Q3_5" gives 5); 0 when it holds none the table names.
unsigned ExceptionalAtomNumber(const TManifoldDescription& d) {
  TObjectTable* molecule = d.GetMolecule();
  if (molecule == nullptr) return 0;
  TObjectHeader* atom = molecule->NthExceptionalAtom(0);
  TAtomTriple triple;
  if (atom == nullptr || TMoleculeVertex::Triple(atom, triple) == 0) return 0;
  const std::string name = LoadAtomTable().FormatAtomName(TWordQuintuple{triple.first, triple.second, triple.third, 0, 0});
  const std::size_t at = name.find('_');
  if (at == std::string::npos) return 0;
  unsigned number = 0;
  for (std::size_t k = at + 1; k < name.size() && name[k] >= '0' && name[k] <= '9' && number < 100000000U; ++k)
    number = number * 10 + static_cast<unsigned>(name[k] - '0');
  return number;
}

bool ReadWholeFile(const std::string& name, std::string& text) {
  std::ifstream file(name, std::ios::binary);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  text = buffer.str();
  return !file.bad();
}

}  // namespace

TSeriesRunner::TSeriesRunner(const TOptionValues& options, TOutput& output) : options_(options), output_(output) {}

TSeriesRunner::~TSeriesRunner() {
  TDocumentSpine::TScope scope(document_);
  table_.reset();
}

bool TSeriesRunner::StopSeen() const { return stopped_ || IsStopRequested() || SeriesStopFlag().load() != 0; }

void TSeriesRunner::Message(const std::string& text) {
  report_.AppendText(text.c_str());
  report_.NewLines(1);
  ShowStatusText(text.c_str());
}

void TSeriesRunner::LineError(const std::string& text) {
  ++lineErrors_;
  Message(text);
}

bool TSeriesRunner::ProgressDue() const {
  return !progressShown_ || std::chrono::steady_clock::now() - lastProgress_ >= kProgressInterval;
}

void TSeriesRunner::Progress(const std::string& text) {
  progressShown_ = true;
  lastProgress_ = std::chrono::steady_clock::now();
  ShowStatusText(text.c_str());
}

int TSeriesRunner::Recognise(const std::string& text, int position, std::string* report,
                             const std::function<bool(TSpine&)>& inspect) {
  if (StopSeen()) {
    stopped_ = true;
    return -1;
  }
  const int before = table_->CountEntries();
  ++itemsBegun_;
  if (observer_) observer_(itemsBegun_);
  try {
    TDocumentSpine::TScope scope(document_);
    TCommandRun run(document_, text, options_, false, &SeriesStopFlag(),
                    [this, &text] { return document_.ParseDocumentText(text.c_str(), options_, kViewModeSeries); });
    TStatusSilence silence;
    TQuietScope quiet;
    std::string homology;
    TSpine* spine = RecognitionInput(run, homology);
    if (spine == nullptr) {
      if (report != nullptr) *report = run.output.Text();
      return -1;
    }
    if (inspect && !inspect(*spine)) return -1;
    table_->SetSourcePosition(position, -1);
    table_->SetIgnoreAddedBalls(options_.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls != 0);
    table_->SetSearchForSurfaces(options_.EnumerationOfManifoldsSearchForSurfaces == 1);
    int mode = options_.EnumerationOfManifoldsRecognitionMode;
    if (mode < kModeTillFirst || mode > kModeCompareOnly) mode = kModeTillMain;
    TRecognitionDriver driver(*table_, mode);
    driver.SetStopFlag(&SeriesStopFlag());
    driver.SetSimplifyFirst(options_.OptionsTryToSimplifySpineBeforeRecognizing, options_.AllVariantsStepToMakeAll,
                            options_.AllVariantsStepToMakeAll);
    TSeriesSchedule schedule;
    schedule.step = options_.AllVariantsStepToMakeAll;
    schedule.useOnlyFirst = options_.AllVariantsUseOnlyFirstPossibilities;
    schedule.complicating = options_.AllVariantsEnableComplicatingMoves;
    schedule.maximal = options_.AllVariantsMaximalMode;
    schedule.timeLimit = std::chrono::milliseconds(options_.MaxAllVariantsTime);
    driver.SetSeriesSchedule(schedule);
    const TRecognitionOutcome outcome = driver.Recognize(*spine);
    // The entry made by this item gets the item as its text (SetEntryText
    // keeps a text the entry has).
    if (outcome.entryIndex >= 0) table_->SetEntryText(outcome.entryIndex, text);
    if (report != nullptr) {
      TOutput printed;
      if (const TManifoldDescription* d = table_->GetEntry(outcome.entryIndex); d != nullptr)
        PrintAssemblyResult(printed, *d, 2, homology,
                            options_.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls != 0,
                            options_.EnumerationOfManifoldsSearchForSurfaces == 1
                                ? EntrySurfacesText(*table_, outcome.entryIndex)
                                : std::string());
      *report = printed.Text();
    }
    return outcome.entryIndex;
  } catch (const TComputationStopped&) {
    // Undo the interrupted item: the entries it began have no text yet (an
    // entry gets its text when its item is done) and have this item's
    // position among their sources.
    for (int i = table_->CountEntries() - 1; i >= 0 && table_->CountEntries() > before; --i) {
      const std::string* entryText = table_->GetEntryText(i);
      if (entryText != nullptr && entryText->empty() && HasSourcePosition(*table_->GetEntry(i), position))
        table_->RemoveEntry(i);
    }
    stopped_ = true;
    return -1;
  }
}

int TSeriesRunner::Run(std::string_view text) {
  // Whatever way the run ends, its report goes into the output in one piece.
  struct TFlush {
    TReportText& report;
    TOutput& output;
    ~TFlush() {
      output.AppendText(report.Text());
      report.text.clear();
    }
  } flush{report_, output_};
  TDocumentSpine::TScope scope(document_);
  SeriesStopFlag().store(0);
  stopped_ = false;
  exceptionalAtoms_ = 0;
  reportType_ = options_.SeriesReportType;
  if (reportType_ < kReportMinimal || reportType_ > kReportNonseries) reportType_ = kReportMinimal;
  const int ignoreReducible = options_.EnumerationOfManifoldsIgnoreReducible;
  {
    std::unique_ptr<TManifoldTable> previous = std::move(table_);
  }
  table_ = std::make_unique<TManifoldTable>(ignoreReducible, ignoreReducible);

  TSeriesHeader header;
  if (reportType_ != kReportCutOnly) {
    header = ReadSeriesHeader(text);
    if (!header.error.empty()) {
      Message(header.error);
      return 0;
    }
    if (header.hasLoad) {
      table_ = std::make_unique<TManifoldTable>(ignoreReducible, ignoreReducible);
      bool loaded = false;
      try {
        loaded = table_->LoadBinary(header.loadName) != 0;
      } catch (const TComputationStopped&) {
        stopped_ = true;
        return 0;
      }
      if (!loaded) {
        Message(table_->LoadError());
        return 0;
      }
    }
    if (header.autoSaveSeconds > 0) {
      table_->SetAutoSaveInterval(std::chrono::seconds(header.autoSaveSeconds));
      // The auto-saves go beside the table the series saves, if it names one.
      if (header.hasSave) {
        const std::string folder = fs::path(header.saveName).parent_path().string();
        if (!folder.empty()) table_->SetAutoSaveFolder(folder);
      }
    }
  }
  if (options_.EnumerationOfManifoldsRecognitionMode == kModeCompareOnly) table_->SetKind(kTableArrivalOrder);
  // A series table grows long: its lookups go by key.
  table_->UseKeyIndex();
  const std::string_view series = text.substr(header.cursor);
  const int kind = DetectSeriesKind(series);
  if (kind != kSeriesFileList && reportType_ == kReportCutOnly) {
    Message(StringText(kCutOnlyRefusedId));
    return 0;
  }
  switch (kind) {
    case kSeriesFileList: {
      for (std::string_view line : SplitLines(series)) {
        if (StopSeen()) break;
        RunListLine(line);
      }
      break;
    }
    case kSeriesDehydrated:
    case kSeriesIsoSignature:
      RunLineSeries(kind, series);
      break;
    case kSeriesCrystallization:
      RunCrystallizations(series, std::string());
      break;
    case kSeriesExtHeegaard:
      if (RunExtHeegaard(series) == 0) return 0;
      break;
    case kSeriesGraphs:
      SeriesStopFlag().store(0);
      break;
    default:
      Message(FormatStringText(kEngineNotBuiltId, EngineName(kind)));
      return 0;
  }
  if (StopSeen()) stopped_ = true;
  if (!stopped_) {
    try {
      table_->FindDuplicatesByInvariants(&SeriesStopFlag());
    } catch (const TComputationStopped&) {
      stopped_ = true;
    }
  }
  if (header.hasSave) SaveTable(header.saveName);
  if (reportType_ != kReportCutOnly && lastFileClass_ != 3) {
    TResultTableStyle style;
    style.outputMode = options_.EnumerationOfManifoldsOutputMode;
    style.sourceSpines = kind != kSeriesExtHeegaard;
    style.sourceList = options_.EnumerationOfManifoldsOutputSourceSpineList == 1;
    style.ignoreAddedBalls = options_.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls != 0;
    style.surfaces = options_.EnumerationOfManifoldsSearchForSurfaces == 1;
    TOutput tableReport;
    PrintResultTable(tableReport, *table_, style);
    report_.AppendText(tableReport.Text());
    if (kind == kSeriesFileList) report_.NewLines(2);
  }
  report_.NewLines(1);
  return 1;
}

void TSeriesRunner::SaveTable(const std::string& name) {
  // A stopped series saves what it finished: the stop has been taken, and
  // the writer, which polls the flag, must not take it again half-way.
  const int stop = StopFlags().stop.exchange(0);
  long bytes = 0;
  try {
    bytes = table_->SaveBinary(name);
  } catch (const TComputationStopped&) {
    bytes = 0;
  }
  if (stop != 0) StopFlags().stop.store(stop);
  if (bytes == 0) Message(FormatStringText(kCannotSaveId, name) + " " + table_->LoadError());
}

void TSeriesRunner::RunListLine(std::string_view raw) {
  const TSeriesListLine line = ParseSeriesListLine(raw);
  if (line.empty) return;
  if (reportType_ != kReportMinimal) Message("% " + std::string(raw));
  if (!line.error.empty()) {
    LineError(line.error);
    return;
  }
  RunFile(line.name, line.first, line.last, line.rest);
}

void TSeriesRunner::RunFile(const std::string& name, long first, long last, const std::string& rest) {
  lastFileClass_ = ClassifySeriesFileName(name);
  std::string text;
  if (!ReadWholeFile(name, text) || text.empty()) {
    LineError(FormatStringText(kCannotReadId, name));
  } else {
    RunFileItems(name, text, first, last, rest);
  }
  if (reportType_ != kReportMinimal) report_.NewLines(1);
}

void TSeriesRunner::RunFileItems(const std::string& name, std::string_view text, long first, long last,
                                 std::string rest) {
  TDocumentSpine::TScope scope(document_);
  if (table_ == nullptr) {
    table_ = std::make_unique<TManifoldTable>(options_.EnumerationOfManifoldsIgnoreReducible,
                                              options_.EnumerationOfManifoldsIgnoreReducible);
  }
  const unsigned fileClass = ClassifySeriesFileName(name);
  if (fileClass == 2 || fileClass == 3) {
    report_.NewLines(1);
    report_.Tabs(1);
    report_.AppendText(name.c_str());
    report_.NewLines(2);
    if (fileClass == 2) {
      SeriesStopFlag().store(0);
      RunCrystallizations(text, name);
    }
    return;
  }
  if (reportType_ == kReportMinimal) table_->SetCurrentSourceName(name);
  TSeriesItemReader reader(text);
  if (first == 0) {
    RunItem(reader, kItemWhole, name, 0);
    return;
  }
  long i = 1;
  for (;;) {
    for (; i < first; ++i) {
      if (StopSeen()) return;
      if (!RunItem(reader, kItemSkip, name, static_cast<unsigned>(i))) {
        // How many the file holds: item i is the first that is missing.
        LineError(FormatStringText(kContainsId, name, static_cast<unsigned>(i - 1)));
        return;
      }
    }
    for (; last == 0 || i <= last; ++i) {
      if (StopSeen()) return;
      if (!RunItem(reader, kItemRun, name, static_cast<unsigned>(i))) {
        if (last != 0) {
          LineError(i == 1 ? FormatStringText(kNoSpinesId, name)
                         : FormatStringText(kContainsOnlyId, name, static_cast<unsigned>(i - 1)));
        }
        return;
      }
    }
    long n = 0;
    if (!TakeRestNumber(rest, n) || n <= 0) return;
    first = last = n;
    if (n < i) {
      reader.Rewind();
      i = 1;
    }
  }
}

bool TSeriesRunner::RunItem(TSeriesItemReader& reader, int mode, const std::string& name, unsigned number) {
  ThrowIfStopRequested();
  std::string item;
  const bool found = mode == kItemWhole ? reader.ReadRest(&item) : reader.ReadItem(mode == kItemSkip ? nullptr : &item);
  if (mode == kItemSkip) return found;
  if (reportType_ == kReportNonseries) report_.AppendText(item.c_str());
  if (!found) return false;
  if (reportType_ == kReportCutOnly) {
    report_.NewLines(1);
    report_.AppendText(("% " + FormatStringText(kCutOnlyItemId, name, number)).c_str());
    report_.NewLines(1);
    report_.AppendText(item.c_str());
    return true;
  }
  if (reportType_ == kReportMinimal && ProgressDue()) {
    // The counts are taken only when shown: a scan per item would make the
    // cost of an item grow with the table.
    unsigned unrecognised = 0;
    for (int e = 0; e < table_->CountEntries(); ++e)
      unrecognised += table_->GetEntry(e)->GetTypeCode() == kSpineRecordCode ? 1 : 0;
    Progress(FormatStringText(kMinimalStatusId, name, number == 0 ? 1U : number,
                              static_cast<unsigned>(table_->CountEntries()), unrecognised,
                              static_cast<unsigned>(table_->CountPresentations())));
  }
  std::string report;
  // Under Minimal an item the recognition cannot take (by the series' modes
  // and boundary restriction) is passed over, silently.
  std::function<bool(TSpine&)> check;
  if (reportType_ == kReportMinimal)
    check = [this](TSpine& spine) { return CheckBeforeSeriesMoves(spine, options_) != 0; };
  Recognise(item, static_cast<int>(number), &report, check);
  if (reportType_ == kReportNonseries && !stopped_) {
    report_.NewLines(1);
    report_.AppendText(report.c_str());
  }
  return true;
}

void TSeriesRunner::RunLineSeries(int kind, std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  auto accepted = [kind](std::string_view line) {
    return kind == kSeriesDehydrated ? IsDehydratedText(line) : IsIsoSignatureText(line);
  };
  unsigned total = 0;
  for (std::string_view line : lines) total += accepted(line) ? 1 : 0;
  unsigned handled = 0;
  unsigned trueType = 0;
  int previousComplexity = -1;
  for (std::string_view lineView : lines) {
    if (StopSeen()) break;
    if (!accepted(lineView)) continue;
    const std::string line(lineView);
    const unsigned i = handled + 1;
    std::string report;
    // The complexity heading and the true type need the spine itself.
    int complexity = 0;
    int cells = 0;
    bool surfacesOk = true;
    unsigned surfaces = 0;
    bool parsed = false;
    auto inspect = [&](TSpine& spine) {
      parsed = true;
      complexity = CountChainVertices(spine);
      cells = spine.Objects().CountOfKind(kCellKind);
      if (kind == kSeriesIsoSignature && cells > 1) {
        TPackedRecordList list;
        try {
          surfaces = SearchSurfacesIntoPackedList(spine, list);
        } catch (const std::invalid_argument&) {
          surfacesOk = false;
        }
      }
      return true;
    };
    if (ProgressDue())
      Progress(FormatStringText(kItemOfId, i, total) +
               FormatStringText(kLineStatusId, i, static_cast<unsigned>(previousComplexity < 0 ? 0 : previousComplexity),
                                static_cast<unsigned>(table_->CountEntries())));
    const int entry = Recognise(line, static_cast<int>(i), &report, inspect);
    if (stopped_) break;
    if (!parsed) continue;  // a line that gives no spine is not counted
    handled = i;
    if (kind == kSeriesIsoSignature && surfacesOk &&
        (cells == 1 || (cells > 1 && cells < 33 && surfaces == (1U << (cells - 1)) - 1U)))
      ++trueType;
    if (complexity != previousComplexity) {
      report_.NewLines(1);
      report_.AppendText(("\tComplexity " + std::to_string(complexity)).c_str());
      report_.NewLines(2);
      previousComplexity = complexity;
    }
    report_.AppendText((std::to_string(i) + ":\t" + line + "\t").c_str());
    // A list of descriptions in the order of the atom table checks itself:
    // the i-th line must give the atom numbered i, and the k-th molecule with
    // an atom of the table must hold the atom numbered k. "!!" marks a line
    // that does not.
    if (kind == kSeriesDehydrated && entry >= 0) {
      const TManifoldDescription& d = *table_->GetEntry(entry);
      if (const unsigned number = ExceptionalAtomNumber(d); number != 0) {
        const unsigned expected = d.GetTypeCode() == kTableAtomCode ? i : ++exceptionalAtoms_;
        if (number != expected) report_.AppendText("!!");
      }
    }
    report_.AppendText(report.c_str());
    if (report.empty() || report.back() != '\n') report_.NewLines(1);
  }
  if (kind == kSeriesDehydrated) {
    report_.NewLines(1);
    report_.AppendText((std::to_string(handled) + StringText(kDehydratedHandledId)).c_str());
    report_.NewLines(3);
  } else {
    report_.AppendText(FormatStringText(kSignaturesHandledId, handled, trueType).c_str());
  }
}

void TSeriesRunner::RunCrystallizations(std::string_view text, const std::string& name) {
  if (!name.empty()) table_->SetCurrentSourceName(name);
  // The work file starts empty; it receives the report from here on.
  std::ofstream work(kWorkFileName, std::ios::binary | std::ios::trunc);
  if (!work) Message(FormatStringText(kWorkFileId, kWorkFileName));
  std::size_t written = report_.text.size();
  auto copyToWorkFile = [&] {
    if (!work) return;
    work.write(report_.text.data() + written, static_cast<std::streamsize>(report_.text.size() - written));
    work.flush();
    written = report_.text.size();
    if (!work) Message(FormatStringText(kWorkFileId, kWorkFileName));
  };
  const std::vector<std::string_view> lines = SplitLines(text);
  unsigned total = 0;
  for (std::string_view line : lines) total += IsCrystallizationText(std::string(line).c_str()) != 0 ? 1 : 0;
  unsigned counter = 0;
  unsigned handled = 0;
  unsigned incorrect = 0;
  int previous = -1;
  for (std::string_view lineView : lines) {
    if (StopSeen()) break;
    const std::string line(lineView);
    TIntMatrix graph;
    if (IsCrystallizationText(line.c_str()) == 0) continue;
    ++counter;
    // The number of letters of a word: the code's n.
    std::string compact;
    for (char c : line)
      if (c != ' ' && c != '\t') compact += c;
    const int n = static_cast<int>((compact.size() - 2) / 3);
    std::string token = line.substr(0, line.find_first_of(" \t"));
    table_->SetCurrentSourceName(token);
    if (ProgressDue())
      Progress(FormatStringText(kItemOfId, counter, total) +
               FormatStringText(kLineStatusId, handled + 1, static_cast<unsigned>(n),
                                static_cast<unsigned>(table_->CountEntries())));
    std::string report;
    const int entry = Recognise(line, static_cast<int>(counter), &report);
    if (stopped_) break;
    if (entry < 0) {
      // A code whose spine cannot be built or recognised is counted apart.
      ++incorrect;
      continue;
    }
    ++handled;
    if (n != previous) {
      report_.NewLines(1);
      report_.AppendText(("\tComplexity " + std::to_string(2 * n)).c_str());
      report_.NewLines(2);
      previous = n;
    }
    report_.AppendText((std::to_string(handled) + ":\t" + line + "\r\n").c_str());
    report_.AppendText(report.c_str());
    report_.NewLines(2);
    copyToWorkFile();
  }
  report_.NewLines(1);
  report_.AppendText((std::to_string(handled) + StringText(kCrystallizationsHandledId) + std::to_string(incorrect)).c_str());
  report_.NewLines(3);
  copyToWorkFile();
}

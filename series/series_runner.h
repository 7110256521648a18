// The series runner: recognises many manifolds, one by one, into one result
// table, and ends with the table's report.
//
// A series text (series_text.h) is either a list of files of spines, whose
// items are recognised one by one, or a text that one series body walks as
// a whole: a list of isomorphism signatures, of dehydrated descriptions or
// of crystallization codes, one per line. The kinds whose engines this build
// lacks (Heegaard diagram search, graph codes, framings of links, knot and
// link tables) are recognised and refused with a message.
//
// Stopping: the runner polls the process-wide stop flag and the series stop
// flag. A stop ends the series after undoing the item it interrupted (an
// entry that item had begun is removed), so the table holds whole items
// only; the report of that table is still written, and Stopped() says so.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/output.h"
#include "recognition/report_text.h"
#include "recognition/result_table.h"
#include "shell/document_spine.h"
#include "shell/options.h"

class TSpine;
class TSeriesItemReader;

class TSeriesRunner {
 public:
  // The output receives the report; the options are copied.
  TSeriesRunner(const TOptionValues& options, TOutput& output);
  ~TSeriesRunner();
  TSeriesRunner(const TSeriesRunner&) = delete;
  TSeriesRunner& operator=(const TSeriesRunner&) = delete;

  // Runs the series text. Returns 1 when the series ran (its report, with
  // the table, is in the output), 0 when it was refused (the output holds
  // the reason: a header line that cannot be used, a kind whose engine is
  // not built, a report type the kind does not allow).
  int Run(std::string_view text);
  // Lines of the list that could not be run as asked (a bad line, a file
  // that cannot be read, items that are not there); the series goes on
  // past them, but its outcome is no clean success.
  int LineErrors() const { return lineErrors_; }

  // The series ended because the user asked it to stop.
  bool Stopped() const { return stopped_; }
  // The table of the run (null before Run).
  TManifoldTable* Table() { return table_.get(); }
  // Called before each item is recognised, with its number in the series.
  void SetItemObserver(std::function<void(unsigned)> observer) { observer_ = std::move(observer); }

  // ---- The walk over a file list (public for the tests) ----
  // Handles one line of a file list.
  void RunListLine(std::string_view line);
  // Walks the items of a loaded file text.
  void RunFileItems(const std::string& name, std::string_view text, long first, long last, std::string rest);

 private:
  void RunFile(const std::string& name, long first, long last, const std::string& rest);
  bool RunItem(TSeriesItemReader& reader, int mode, const std::string& name, unsigned number);
  void RunLineSeries(int kind, std::string_view text);
  void RunCrystallizations(std::string_view text, const std::string& name);
  // The range of extended Heegaard diagrams (ext_heegaard_series.cpp).
  int RunExtHeegaard(std::string_view text);
  // Recognises one presentation into the table; the entry index, or -1.
  // A stop undoes what the item began, sets Stopped() and returns -1.
  // inspect, when given, sees the parsed spine before the recognition; when
  // it answers false the spine is not recognised.
  int Recognise(const std::string& text, int position, std::string* report,
                const std::function<bool(TSpine&)>& inspect = {});
  void SaveTable(const std::string& name);
  void Message(const std::string& text);
  // A message that says a line of the list could not be run as asked.
  void LineError(const std::string& text);
  bool ProgressDue() const;
  void Progress(const std::string& text);
  bool StopSeen() const;

  const TOptionValues options_;  // a copy: the run outlives no caller's settings
  TOutput& output_;
  // The report as it grows; it goes into output_ when Run returns.
  TReportText report_;
  // Every item is parsed into this one document; the table's descriptions
  // live in its heap context, so the table goes first.
  TDocumentSpine document_;
  std::unique_ptr<TManifoldTable> table_;
  bool stopped_ = false;
  int lineErrors_ = 0;
  int reportType_ = 1;
  unsigned lastFileClass_ = 0;
  std::function<void(unsigned)> observer_;
  unsigned itemsBegun_ = 0;
  // Molecules with a table atom met by the dehydrated series of this run.
  unsigned exceptionalAtoms_ = 0;
  std::chrono::steady_clock::time_point lastProgress_{};
  bool progressShown_ = false;
};

// The process-wide status reporter. See status_reporter.h.
#include "foundation/status_reporter.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "foundation/output.h"

namespace {

using TSinkPointer = std::shared_ptr<const TStatusSink>;

struct TReporterState {
  std::mutex lock;           // guards lastText and the two sinks
  std::string lastText;
  TSinkPointer statusBar;
  TSinkPointer statusWindow;
  std::atomic<int> muted{0};
  std::atomic<unsigned> suppression{0};
  std::atomic<TOutput*> trace{nullptr};
  std::atomic<int> traceMuted{0};
  std::atomic<unsigned long> internalErrors{0};
};

TReporterState& State() {
  static TReporterState state;
  return state;
}

void StoreLastText(const char* text) {
  TReporterState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.lastText = text;
}

TSinkPointer StatusBar() {
  TReporterState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  return state.statusBar;
}

TSinkPointer StatusWindow() {
  TReporterState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  return state.statusWindow;
}

void Send(const TSinkPointer& sink, const char* text) {
  if (sink && *sink) (*sink)(text);
}

// The text with this id, or "" (reported as an internal error) when missing.
std::string TableText(int id) {
  TString text;
  text.LoadResource(id);
  return std::string(text.CStr());
}

template <typename... Args>
void ReportFormatted(int prefixId, int formatId, const Args&... args) {
  if (StatusSuppressionCount() != 0) return;
  TString message;
  message.FormatResource(formatId, args...);
  ReportStatus(message, prefixId);
}

}  // namespace

void ShowStatusText(const char* text) {
  if (text == nullptr) text = "";
  TReporterState& state = State();
  if (state.muted.load() == 0) StoreLastText(text);
  if (TSinkPointer window = StatusWindow()) {
    Send(window, text);
    return;
  }
  Send(StatusBar(), text);
  TraceAppend(text);
  TraceNewLine();
}

void ReportStatus(const TString& message, int prefixId) {
  if (StatusSuppressionCount() != 0) return;
  std::string shown = prefixId == -1 ? std::string() : TableText(prefixId);
  shown += message.CStr();
  ShowStatusText(shown.c_str());
}

void ReportStatusId(int id) {
  if (StatusSuppressionCount() != 0) return;
  TString message;
  message.LoadResource(id);
  ReportStatus(message, -1);
}

void ReportStatusIdId(int prefixId, int id) {
  if (StatusSuppressionCount() != 0) return;
  TString message;
  message.LoadResource(id);
  ReportStatus(message, prefixId);
}

void ReportStatusIdFormatU(int prefixId, int formatId, unsigned value) {
  ReportFormatted(prefixId, formatId, value);
}

void ReportStatusIdFormatII(int prefixId, int formatId, int first, int second) {
  ReportFormatted(prefixId, formatId, first, second);
}

void ReportStatusIdFormatIS(int prefixId, int formatId, int value, const char* text) {
  ReportFormatted(prefixId, formatId, value, text);
}

void ReportStatusIdFormatS(int prefixId, int formatId, const char* text) {
  ReportFormatted(prefixId, formatId, text);
}

void ReportStatusIdFormatSU(int prefixId, int formatId, const char* text, unsigned value) {
  ReportFormatted(prefixId, formatId, text, value);
}

void ReportStatusIdFormatSSSS(int prefixId, int formatId, const char* first, const char* second,
                              const char* third, const char* fourth) {
  ReportFormatted(prefixId, formatId, first, second, third, fourth);
}

void ReportInternalError(const char* sourceFile, unsigned line) {
  // Read the template directly: a missing text 155 must not recurse through
  // the missing-text report of TString.
  std::string_view templ = StringTableText(155).value_or("Internal error : %s %u");
  std::string text = FormatText(templ, sourceFile == nullptr ? "" : sourceFile, line);
  TReporterState& state = State();
  state.internalErrors.fetch_add(1);
  Send(StatusBar(), text.c_str());
  TraceAppend(text.c_str());
  if (state.muted.load() == 0) StoreLastText(text.c_str());
}

unsigned long InternalErrorCount() { return State().internalErrors.load(); }

void MuteStatusLog() { State().muted.store(1); }
void UnmuteStatusLog() { State().muted.store(0); }

void SuppressStatus() { State().suppression.fetch_add(1); }

void UnsuppressStatus() {
  std::atomic<unsigned>& counter = State().suppression;
  unsigned value = counter.load();
  while (value != 0 && !counter.compare_exchange_weak(value, value - 1)) {
  }
}

unsigned StatusSuppressionCount() { return State().suppression.load(); }

void GetLastStatusText(TString& result) {
  std::string copy;
  {
    TReporterState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    copy = state.lastText;
  }
  result.AssignBuffer(copy.data(), copy.size());
}

void ClearStatusLine() { Send(StatusBar(), ""); }

void SetTraceOutput(TOutput* output) { State().trace.store(output); }
TOutput* GetTraceOutput() { return State().trace.load(); }
void ClearTraceOutput() { State().trace.store(nullptr); }
void MuteTraceOutput() { State().traceMuted.store(1); }
void UnmuteTraceOutput() { State().traceMuted.store(0); }

void TraceAppend(const char* text) {
  TReporterState& state = State();
  TOutput* output = state.trace.load();
  if (output != nullptr && state.traceMuted.load() == 0) output->AppendText(text);
}

void TraceNewLine() {
  TReporterState& state = State();
  TOutput* output = state.trace.load();
  if (output != nullptr && state.traceMuted.load() == 0) output->NewLines(1);
}

void SetStatusBarSink(TStatusSink sink) {
  TSinkPointer pointer = sink ? std::make_shared<const TStatusSink>(std::move(sink)) : nullptr;
  TReporterState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.statusBar = std::move(pointer);
}

void SetStatusWindow(TStatusSink sink) {
  TSinkPointer pointer = sink ? std::make_shared<const TStatusSink>(std::move(sink)) : nullptr;
  TReporterState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.statusWindow = std::move(pointer);
}

void ClearStatusWindow() { SetStatusWindow(nullptr); }

bool HasStatusWindow() { return StatusWindow() != nullptr; }

// The status reporter: the one channel through which progress and short
// results reach the user while the model works, and the report by which the
// model announces a broken invariant without stopping (internal errors).
//
// Texts go to the main frame's status bar, or to the status line of the
// Simplify dialog while that dialog's search runs, and are copied to a trace
// output while a print command has installed one. The front end installs the
// status bar and the dialog as sinks (callbacks); without a sink a text is only
// stored and traced. Engines report from the worker thread, so the counters and
// flags are atomics and the last status text is guarded by a mutex. A sink is
// called on the reporting thread; a front end forwards to its own thread.
#pragma once

#include <functional>
#include <string>

#include "foundation/heap_string.h"

class TOutput;

// ---- Reports ----

// Shows a text at once: stores it as the last status text unless the log is
// muted; then, when a status window is registered, hands it to that window
// only; otherwise to the status bar and, unless muted, to the trace output
// followed by CR LF. Null counts as "".
void ShowStatusText(const char* text);
// Does nothing while status is suppressed. Otherwise shows the string-table
// text prefixId (none when prefixId is -1) followed by the message.
void ReportStatus(const TString& message, int prefixId);

// Composed reports: the message is the text formatId formatted with the
// arguments (or the text id alone), then ReportStatus(message, prefixId).
// A missing id gives an empty part (and is reported as an internal error).
void ReportStatusId(int id);
void ReportStatusIdId(int prefixId, int id);
void ReportStatusIdFormatU(int prefixId, int formatId, unsigned value);
void ReportStatusIdFormatII(int prefixId, int formatId, int first, int second);
void ReportStatusIdFormatIS(int prefixId, int formatId, int value, const char* text);
void ReportStatusIdFormatS(int prefixId, int formatId, const char* text);
void ReportStatusIdFormatSU(int prefixId, int formatId, const char* text, unsigned value);
void ReportStatusIdFormatSSSS(int prefixId, int formatId, const char* first, const char* second,
                              const char* third, const char* fourth);

// Reports "Internal error : <sourceFile> <line>" regardless of suppression and
// of a registered status window: to the status bar, to the trace output (no
// line break) unless muted, and as the last status text unless the log is
// muted. The caller carries on.
void ReportInternalError(const char* sourceFile, unsigned line);
// Number of internal errors reported since start-up.
unsigned long InternalErrorCount();

// ---- State ----

// While the log is muted, texts are shown but not stored as the last status text.
void MuteStatusLog();
void UnmuteStatusLog();

// While the counter is non-zero, ReportStatus and its variants show nothing.
// Unsuppressing at 0 leaves the counter at 0.
void SuppressStatus();
void UnsuppressStatus();
unsigned StatusSuppressionCount();

// Copies the last status text into result (in result's own heap).
void GetLastStatusText(TString& result);

// Sends "" to the status bar; nothing is stored or traced.
void ClearStatusLine();

// ---- Trace output (owned by the caller that installs it) ----
void SetTraceOutput(TOutput* output);
TOutput* GetTraceOutput();
void ClearTraceOutput();
void MuteTraceOutput();
void UnmuteTraceOutput();
// Append a text, or one CR LF, when an output is installed and not muted.
void TraceAppend(const char* text);
void TraceNewLine();

// ---- Sinks installed by the front end ----
using TStatusSink = std::function<void(const char* text)>;
// The main frame's status bar; an empty function removes it.
void SetStatusBarSink(TStatusSink sink);
// The Simplify dialog's status line while its search runs; an empty function
// (or ClearStatusWindow) removes it.
void SetStatusWindow(TStatusSink sink);
void ClearStatusWindow();
bool HasStatusWindow();

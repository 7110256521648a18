// The commands of the view that work on the document and answer at once: the
// Information menu, the style switches of the View menu and their kin.
//
// Both front ends run exactly these bodies: the desktop program from its
// menus, the command-line program by the commands' caption names. A body is
// given the document (its spine and the parse cache, TDocumentSpine), the
// document text and the settings; it parses when it needs the spine, composes
// its answer in run.output and says how the view shows it. The view
// (TSpineTextView::RunCommand) does the rest: information mode for a report,
// a new document text for a converted presentation.
//
// Adding a command: write `TCommandOutcome RunX(TCommandRun&)` beside its
// report and add the row {menu id, RunX} to the table in
// document_commands.cpp. A command without a row is not offered.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/output.h"
#include "shell/document_spine.h"
#include "shell/options.h"

// How a command ended; the command line's exit status follows from it.
enum class TCommandOutcome {
  kDone,     // the command ran and gave its result
  kRefused,  // the document gives no spine, or the command refused; the output says why
  kStopped,  // stopped by the user; nothing is shown
};

// How the view shows what a command composed.
enum class TCommandShow {
  kReport,        // a report, in information mode (read-only, the text is kept)
  kDocumentText,  // the document's new text (a converted presentation)
  kNothing,       // the view stays as it is (the command had nothing to show)
};

class TCommandRun {
 public:
  // text is copied (the readers want it zero-terminated). In information mode
  // the view shows a report, which is never parsed: Parse() then keeps the
  // spine of the text the report was made from.
  // parse: the view's parse of the text (TSpineTextView::ParseDocumentText);
  // without it the document parses the text itself, in view mode 1.
  TCommandRun(TDocumentSpine& document, std::string_view text, const TOptionValues& options,
              bool informationMode = false, const std::atomic<int>* stopFlag = nullptr,
              std::function<int()> parse = {});

  // The parse of the document text. Returns 1 when the spine is not empty
  // afterwards; 0 in information mode, where nothing is parsed and the spine
  // stays. Either way it installs the naming switch the spine's reader chose
  // (TDocumentSpine::SuppressNamesAfterParse) for the rest of the command.
  int Parse();
  // The parse was skipped or gave a spine: the current spine is not empty.
  bool HasSpine() { return !document_.Spine().IsEmpty(); }

  TDocumentSpine& Document() { return document_; }
  TSpine& Spine() { return document_.Spine(); }
  const char* Text() const { return text_.c_str(); }
  const TOptionValues& Options() const { return options_; }
  bool InformationMode() const { return informationMode_; }
  bool StopRequested() const { return stopFlag_ != nullptr && stopFlag_->load() != 0; }
  const std::atomic<int>* StopFlag() const { return stopFlag_; }

  TOutput output;
  TCommandShow show = TCommandShow::kReport;
  // The view's step counter (the number of the next "*** Step n ***" block
  // of the moves) and its transformed state; a command that changes the spine
  // by moves raises the counter and sets the state.
  unsigned stepCounter = 0;
  bool transformed = false;
  // The output holds only why the command refused, no report: the command
  // line prints it as an error. (A refusal after a parse that gave no spine
  // counts as such without being marked.)
  bool messageOnly = false;
  // Set by a front end that can show a report while the command still runs
  // (the desktop program's view, in information mode); empty otherwise.
  std::function<void(const std::string&)> showInterimReport;
  // Set by a front end that can sound a beep (the desktop program): a search
  // calls it with each report it shows on a hit. Empty otherwise.
  std::function<void()> beep;

 private:
  TDocumentSpine& document_;
  std::string text_;
  const TOptionValues& options_;
  bool informationMode_;
  const std::atomic<int>* stopFlag_;
  std::function<int()> parse_;
};

using TCommandBody = std::function<TCommandOutcome(TCommandRun& run)>;

// The commands of one program: bodies by menu id.
class TDocumentCommands {
 public:
  // Sets or (with an empty function) removes the body of a menu id.
  void Set(int id, TCommandBody body);
  // The body of a menu id, or null.
  const TCommandBody* Find(int id) const;
  bool Has(int id) const { return Find(id) != nullptr; }
  // The ids that have a body, ascending.
  std::vector<int> Ids() const;

 private:
  std::map<int, TCommandBody> bodies_;
};

// The commands built into the programs (the table in document_commands.cpp).
const TDocumentCommands& BuiltInDocumentCommands();

// What a command gave on a text: its outcome and what the view shows after it
// (the report, or the converted document; when the view stayed as it was, what
// the command composed, else the document itself).
struct TCommandResult {
  TCommandOutcome outcome = TCommandOutcome::kRefused;
  std::string shown;
  // shown is only the reason of a refusal (TCommandRun::messageOnly).
  bool message = false;
};

// Runs a command on a document text in a view of its own, as the command line
// does. An id without a body is refused with nothing shown; a stopped command
// shows nothing either.
// The document and view a command ran on, handed to a caller that wants them
// to outlive the call (a process that ends right after printing keeps them
// rather than tear a large spine down object by object).
struct TCommandDocument;
struct TCommandDocumentDeleter {
  void operator()(TCommandDocument* document) const;
};
using TKeptDocument = std::unique_ptr<TCommandDocument, TCommandDocumentDeleter>;

TCommandResult RunCommandOnText(int id, std::string_view text, const TOptionValues& options,
                                const std::atomic<int>* stopFlag = nullptr,
                                const TDocumentCommands& commands = BuiltInDocumentCommands(),
                                TKeptDocument* keep = nullptr);

// Message boxes raised from engine code.
//
// Engines and readers ask the user short questions ("Continue?") and show
// errors in message boxes. Engine code never opens a window: it calls
// ShowMessageBox, which hands the text to the handler the front end installed
// (the desktop program shows a dialog, the command-line program prints to
// standard error). Without a handler (tests, batch runs) the box's default
// button is the answer and the text is appended to a log that tests can read.
// The handler is called on the thread that raises the box.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class TMessageIcon { None, Information, Question, Warning, Error };
// The values are those of the classic message-box answers.
enum class TMessageResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

using TMessageBoxHandler =
    std::function<TMessageResult(std::string_view text, TMessageButtons buttons, TMessageIcon icon)>;

// Shows a message and returns the answer. Without a handler: the default button
// (the first: OK, Yes, Retry or Abort) and the text is logged.
TMessageResult ShowMessageBox(std::string_view text, TMessageButtons buttons = TMessageButtons::Ok,
                              TMessageIcon icon = TMessageIcon::None);

// Installs the front end's handler; an empty function removes it. Returns the
// previous handler so that a caller can restore it.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

// The texts answered by default (without a handler), oldest first; at most the
// last 1000 are kept.
std::vector<std::string> MessageBoxLog();
void ClearMessageBoxLog();

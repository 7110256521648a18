#include "shell/ask_many_components.h"

#include <string>

#include "foundation/status_reporter.h"

TMessageResult AskManyComponents(unsigned count) {
  const std::string text = "The spine contains " + std::to_string(count) +
                           " 2-components\r\nso computation may take very long time.\r\nContinue?";
  const TMessageResult answer =
      ShowMessageBox(text, TMessageButtons::OkCancel, TMessageIcon::Question);
  ShowStatusText("");
  return answer;
}

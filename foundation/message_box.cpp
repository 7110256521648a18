// Message boxes routed to the front end's handler, or answered by default.
#include "foundation/message_box.h"

#include <deque>
#include <memory>
#include <mutex>

namespace {

constexpr std::size_t kLogLimit = 1000;

struct TMessageBoxState {
  std::mutex lock;
  std::shared_ptr<const TMessageBoxHandler> handler;
  std::deque<std::string> log;
};

TMessageBoxState& State() {
  static TMessageBoxState state;
  return state;
}

TMessageResult DefaultAnswer(TMessageButtons buttons) {
  switch (buttons) {
    case TMessageButtons::YesNo:
    case TMessageButtons::YesNoCancel: return TMessageResult::Yes;
    case TMessageButtons::RetryCancel: return TMessageResult::Retry;
    case TMessageButtons::AbortRetryIgnore: return TMessageResult::Abort;
    case TMessageButtons::Ok:
    case TMessageButtons::OkCancel: break;
  }
  return TMessageResult::Ok;
}

}  // namespace

TMessageResult ShowMessageBox(std::string_view text, TMessageButtons buttons, TMessageIcon icon) {
  TMessageBoxState& state = State();
  std::shared_ptr<const TMessageBoxHandler> handler;
  {
    std::lock_guard<std::mutex> hold(state.lock);
    handler = state.handler;
    if (!handler) {
      state.log.emplace_back(text);
      if (state.log.size() > kLogLimit) state.log.pop_front();
      return DefaultAnswer(buttons);
    }
  }
  // Called without the lock: a handler may itself raise a box or install another.
  return (*handler)(text, buttons, icon);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  auto pointer = handler ? std::make_shared<const TMessageBoxHandler>(std::move(handler)) : nullptr;
  TMessageBoxState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  TMessageBoxHandler previous = state.handler ? *state.handler : TMessageBoxHandler();
  state.handler = std::move(pointer);
  return previous;
}

std::vector<std::string> MessageBoxLog() {
  TMessageBoxState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  return std::vector<std::string>(state.log.begin(), state.log.end());
}

void ClearMessageBoxLog() {
  TMessageBoxState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.log.clear();
}

#include "shell/covering_check.h"

#include <string>
#include <string_view>

#include "foundation/message_box.h"
#include "shell/spine_covering.h"

namespace {

constexpr std::string_view kPreimageMarker = "Preimage spine";
constexpr std::string_view kImageMarker = "Image spine";

// The position just after the line that holds text[at...].
std::size_t NextLine(std::string_view text, std::size_t at) {
  std::size_t end = text.find('\n', at);
  return end == std::string_view::npos ? text.size() : end + 1;
}

// A refusal: the message in a box and in the output, which holds only it (the
// command line prints it once, as an error).
int Refuse(TCommandRun& run, const std::string& message) {
  ShowMessageBox(message, TMessageButtons::Ok, TMessageIcon::Warning);
  run.output.AppendText(message.c_str());
  run.output.NewLines(1);
  run.show = TCommandShow::kNothing;
  run.messageOnly = true;
  return 0;
}

// Reads one of the two spines; 0 after a refusal.
int ReadSpine(TCommandRun& run, TDocumentSpine& spine, const std::string& text,
              const char* readFailure, const char* notSpecial) {
  if (spine.ParseDocumentText(text.c_str(), run.Options()) == 0) return Refuse(run, readFailure);
  TDocumentSpine::TScope scope(spine);
  if (spine.Spine().IsSpecial(1) == 0 &&
      ShowMessageBox(notSpecial, TMessageButtons::OkCancel, TMessageIcon::Question) !=
          TMessageResult::Ok) {
    run.show = TCommandShow::kNothing;
    return 0;
  }
  return 1;
}

}  // namespace

int CheckCovering(TCommandRun& run, bool* covered) {
  if (covered != nullptr) *covered = false;
  const std::string_view text = run.Text();
  const std::size_t preimageAt = text.find(kPreimageMarker);
  if (preimageAt == std::string_view::npos) {
    return Refuse(run, "Cannot find the string '" + std::string(kPreimageMarker) + "'");
  }
  const std::size_t preimageStart = NextLine(text, preimageAt);
  const std::size_t imageAt = text.find(kImageMarker, preimageStart);
  if (imageAt == std::string_view::npos) {
    // Say where the marker stands when it is there but cannot be used.
    const std::size_t anywhere = text.find(kImageMarker);
    if (anywhere != std::string_view::npos && anywhere < preimageAt) {
      return Refuse(run, "The string '" + std::string(kImageMarker) + "' stands before '" +
                             std::string(kPreimageMarker) +
                             "': the image spine follows the preimage spine");
    }
    if (anywhere != std::string_view::npos) {
      return Refuse(run, "The string '" + std::string(kImageMarker) + "' shares the line of '" +
                             std::string(kPreimageMarker) + "': each needs a line of its own");
    }
    return Refuse(run, "Cannot find the string '" + std::string(kImageMarker) + "'");
  }
  TDocumentSpine preimage;
  TDocumentSpine image;
  if (ReadSpine(run, preimage,
                std::string(text.substr(preimageStart, imageAt - preimageStart)),
                "Cannot initialize preimage spine", "Preimage spine is not special") == 0) {
    return 0;
  }
  if (ReadSpine(run, image, std::string(text.substr(NextLine(text, imageAt))),
                "Cannot initialize image spine", "Image spine is not special") == 0) {
    return 0;
  }
  run.output.AppendText(run.Text());
  // The test renumbers both spines; each works in its own heap context.
  TDocumentSpine::TScope preimageScope(preimage);
  int found = IsCoveringFor(preimage.Spine(), image.Spine(), run.output, nullptr, run.StopFlag());
  if (covered != nullptr) *covered = found == 1;
  return 1;
}

TCommandOutcome RunIsCoveringFor(TCommandRun& run) {
  bool covered = false;
  if (CheckCovering(run, &covered) == 0) return TCommandOutcome::kRefused;
  run.show = TCommandShow::kReport;
  return covered ? TCommandOutcome::kDone : TCommandOutcome::kRefused;
}

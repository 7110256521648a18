#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "shell/document_commands.h"
#include "shell/options.h"

namespace {

constexpr int kTillFirst = 48;
constexpr int kTryAll = 50;

int CountAfter(const std::string& shown, const std::string& what) {
  std::smatch m;
  if (!std::regex_search(shown, m, std::regex(what + R"( (\d+))"))) return -1;
  return std::stoi(m[1]);
}

}  // namespace

// 4-surgery on the trefoil (a prism manifold, Seifert over S^2 with fibres
// 2, 2, 3 and over RP^2): Till First stops after its first stage with the
// entry and its derived presentation; Try All, given a few seconds, meets
// the manifold again on spines with one ball fewer cut out and lists those
// presentations too. Its schedule does not end by itself on this spine, so
// the time limit ends it.
TEST(SurgeryKnownValuesSlow, TryAllFindsMorePresentationsThanTillFirst) {
  TOptionValues options;
  options.MaxAllVariantsTime = 8000;  // ms; a quarter of it once a presentation is found
  const std::string text = "link code 1 -2 3 -1 2 -3 framing 4 end\n";
  const TCommandResult first = RunCommandOnText(kTillFirst, text, options);
  const TCommandResult all = RunCommandOnText(kTryAll, text, options);
  ASSERT_EQ(first.outcome, TCommandOutcome::kDone);
  ASSERT_EQ(all.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(CountAfter(first.shown, "Presentations"), 2) << first.shown;
  EXPECT_GT(CountAfter(all.shown, "Presentations"), 2) << all.shown;
  EXPECT_NE(all.shown.find("Seifert manifold (RP^2,(1,3) )"), std::string::npos) << all.shown;
}

// The link commands of the Information menu (Casson-Walker invariant, Kauffman
// bracket, Alexander polynomial) as both programs run them on a document text.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "foundation/stop_flags.h"
#include "shell/document_commands.h"

namespace {

constexpr int kCassonWalker = 28;
constexpr int kKauffmanBracket = 29;
constexpr int kAlexander = 30;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(LinkInvariantCommandsTest, ReportTheDiagramAndItsValue) {
  struct Case {
    int id;
    const char* text;
    const char* value;
  };
  const Case cases[] = {
      {kCassonWalker, "link code 1 -2 3 -1 2 -3 framing 1 end", "\r\nCasson-Walker\r\n\r\nlambda=1/1=1\r\n"},
      {kCassonWalker, "link code 1 -2 framing 2 code 2 -1 framing 2 end", "\r\nlambda=1/36\r\n\r\n"},
      {kKauffmanBracket, "link signs 1 1 1 code 1 -2 3 -1 2 -3 end", "K(t)=-t^{-16}+t^{-12}+t^{-4}\r\n"},
      {kKauffmanBracket, "link dowkercode 4 6 8 2 end", "K(t)=t^{-8}-t^{-4}+1-t^4+t^8\r\n"},
      {kAlexander, "link code 1 -2 3 -1 2 -3 end", "\r\n\r\nt^{-1}-1+t\r\n\r\n"},
      {kAlexander, "link dowkercode 4 6 8 2 end", "-t^{-1}+3-t\r\n\r\n"},
      {kAlexander, "link code 1 -2 code 2 -1 end", "\r\n\r\n1\r\n\r\n"},
  };
  TOptionValues options;
  for (const Case& c : cases) {
    const TCommandResult r = RunCommandOnText(c.id, c.text, options);
    EXPECT_EQ(r.outcome, TCommandOutcome::kDone) << c.text << "\n" << r.shown;
    EXPECT_EQ(r.shown.rfind("link", 0), 0u) << r.shown;  // the diagram comes first
    EXPECT_TRUE(Contains(r.shown, c.value)) << c.text << "\n" << r.shown;
  }
}

TEST(LinkInvariantCommandsTest, TheBracketOfALinkShowsBothForms) {
  TOptionValues options;
  const TCommandResult link = RunCommandOnText(kKauffmanBracket, "link code 1 -2 code 2 -1 end", options);
  EXPECT_TRUE(Contains(link.shown, "\r\n\r\nUnoriented:\r\nK(t)=-t^{-4}-t^4\r\n\r\nStandard:\r\nK(t)="))
      << link.shown;
  const TCommandResult knot = RunCommandOnText(kKauffmanBracket, "link dowkercode 4 6 2 end", options);
  EXPECT_FALSE(Contains(knot.shown, "Unoriented:")) << knot.shown;
  EXPECT_TRUE(Contains(knot.shown, "Click Sorvelin|Initial State to restore original text\r\n"));
  const TCommandResult torus =
      RunCommandOnText(kKauffmanBracket, "link t^2 signs 1 code 1 -1 l1 t1 end", options);
  EXPECT_EQ(torus.outcome, TCommandOutcome::kDone) << torus.shown;
  EXPECT_TRUE(Contains(torus.shown, "\r\nK(t,z)=")) << torus.shown;
  EXPECT_TRUE(Contains(torus.shown, "\r\nK(t,z,H)=")) << torus.shown;
}

TEST(LinkInvariantCommandsTest, RefuseTextsThatAreNoUsableLink) {
  struct Case {
    int id;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {kCassonWalker, "1\n2\n1 2 -1 -2\n", "Computation of Casson-Walker is only realized for surgery presentations\r\n"},
      {kKauffmanBracket, "heegaard 0 5 1 0 2 0", "Gauss code is not specified\r\n"},
      {kAlexander, "", "Gauss code is not specified\r\n"},
      {kAlexander, "link code 1 -2 end", "\r\n\r\n\r\nClick Sorvelin|Initial State to restore original text\r\n"},
      {kAlexander, "link t^2 signs 1 code 1 -1 l1 t1 end", "only realized for diagrams in the plane"},
      {kCassonWalker, "link code 1 -2 3 -1 2 -3 framing 0 end", "is undefined because the H_1 group is infinite"},
  };
  TOptionValues options;
  for (const Case& c : cases) {
    const TCommandResult r = RunCommandOnText(c.id, c.text, options);
    EXPECT_EQ(r.outcome, TCommandOutcome::kRefused) << c.text << "\n" << r.shown;
    EXPECT_TRUE(Contains(r.shown, c.message)) << c.text << "\n" << r.shown;
  }
}

TEST(LinkInvariantCommandsTest, AStopEndsTheComputation) {
  // By the command's own flag (Ctrl+C in the command-line program) and by the
  // process-wide one.
  TOptionValues options;
  const std::atomic<int> stop{1};
  const char* texts[] = {"link dowkercode 4 6 8 2 framing 1 end", "link code 1 -2 framing 2 code 2 -1 framing 2 end"};
  for (int id : {kCassonWalker, kKauffmanBracket, kAlexander}) {
    for (const char* text : texts) {
      const TCommandResult r = RunCommandOnText(id, text, options, &stop);
      EXPECT_EQ(r.outcome, TCommandOutcome::kStopped) << id << " " << text;
      EXPECT_FALSE(Contains(r.shown, "K(t)=")) << r.shown;
      EXPECT_FALSE(Contains(r.shown, "lambda")) << r.shown;
    }
  }
  RequestStop();
  const TCommandResult r = RunCommandOnText(kKauffmanBracket, texts[0], options);
  StopFlags().stop.store(0);
  EXPECT_EQ(r.outcome, TCommandOutcome::kStopped);
}

}  // namespace

// Recognising several inputs parsed one after another into one document, as
// a view does when its text changes between two Recognize commands: every
// ordinary parse replaces the document's heap, so nothing the first
// recognition leaves behind may live on in it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/quiet_scope.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "recognition/recognition_driver.h"
#include "recognition/recognition_input.h"
#include "recognition/result_printer.h"
#include "recognition/result_table.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/move_commands.h"
#include "shell/options.h"
#include "support/census_table_support.h"

namespace {

// Parses each text into the same document with the ordinary parse and
// recognises it (a single command's table each, or one table for all); the
// report printed.
std::vector<std::string> RecogniseInOneDocument(const std::vector<std::string>& texts, int mode = kModeTillMain,
                                                bool oneTable = false) {
  const TOptionValues options;
  TDocumentSpine document;
  TManifoldTable shared;
  std::vector<std::string> names;
  for (const std::string& text : texts) {
    TDocumentSpine::TScope scope(document);
    TCommandRun run(document, text, options);
    std::string homology;
    TSpine* spine = RecognitionInput(run, homology);
    if (spine == nullptr) {
      names.emplace_back("(no spine)");
      continue;
    }
    PrepareMoves(options);
    TManifoldTable own;
    TManifoldTable& table = oneTable ? shared : own;
    table.SetKind(kTableSingleCommand);
    TRecognitionDriver driver(table, mode);
    // The first stages are enough to name these; the deep ones take long.
    driver.SetLastStage(3);
    TRecognitionOutcome outcome;
    {
      TQuietScope quiet;
      outcome = driver.Recognize(*spine);
    }
    TOutput printed;
    PrintRecognitionResult(printed, table, outcome, homology);
    names.emplace_back(printed.Text());
  }
  return names;
}

bool Names(const std::string& printed, const std::string& name) {
  return printed.find("\t" + name) != std::string::npos;
}

TEST(DocumentReuse, LensSpacesOneAfterAnotherInOneDocument) {
  const std::vector<std::string> texts = {"bkaajn", "cMcabbjqs", "dLQbcbchhjs", "bkaajn",
                                          "link code 1 -1 framing 7/2 end", "cMcabbjqw"};
  const std::vector<std::string> expected = {"L(5,2)", "L(8,3)", "L(6,1)", "L(5,2)", "L(7,2)", "L(7,2)"};
  for (const bool oneTable : {false, true}) {
    SCOPED_TRACE(oneTable);
    const std::vector<std::string> printed = RecogniseInOneDocument(texts, kModeTillMain, oneTable);
    ASSERT_EQ(printed.size(), expected.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
      EXPECT_TRUE(Names(printed[i], expected[i])) << texts[i] << "\n" << printed[i];
  }
}

TEST(DocumentReuse, CensusSignaturesOneAfterAnotherInOneDocument) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  ASSERT_FALSE(census.empty());
  // The small ones: each recognised on the spine left by the one before.
  std::vector<std::string> texts;
  for (const TClosedCensusEntry& e : census)
    if (e.tetrahedra <= 3) texts.push_back(e.signature);
  ASSERT_GE(texts.size(), 10u);
  for (const bool oneTable : {false, true}) {
    SCOPED_TRACE(oneTable);
    const std::vector<std::string> printed = RecogniseInOneDocument(texts, kModeTillFirst, oneTable);
    ASSERT_EQ(printed.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
      EXPECT_EQ(printed[i].find("(no spine)"), std::string::npos) << texts[i];
  }
}

}  // namespace

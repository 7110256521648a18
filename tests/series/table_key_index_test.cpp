// The key index of a series table answers every lookup as the scan does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/quiet_scope.h"
#include "model/spine.h"
#include "recognition/recognition_input.h"
#include "recognition/result_table.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "shell/spine_text_view.h"
#include "support/census_table_support.h"

namespace {

TEST(TableKeyIndex, LookupsAndPlacesAgreeWithTheScan) {
  // Closed and cusped manifolds, each looked up twice, in a mixed order.
  std::vector<std::string> texts = {"bkaajn", "cMcabbjqs", "eLAkbcbddhhjhk", "baaaabn"};
  for (const TCensusEntry& e : ReadCensusTable(FullCensusPath()))
    if (e.tetrahedra <= 3) texts.push_back(e.signature);
  const std::size_t distinct = texts.size();
  for (std::size_t i = distinct; i-- > 0;) texts.push_back(texts[i]);

  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  TManifoldTable scanned;
  TManifoldTable indexed;
  indexed.UseKeyIndex();
  TQuietScope quiet;
  // Parsed as a series parses: the heap that holds the tables is kept.
  auto parse = [&](const std::string& text) {
    return [&document, &options, &text] { return document.ParseDocumentText(text.c_str(), options, kViewModeSeries); };
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    TCommandRun run(document, text, options, false, nullptr, parse(text));
    std::string homology;
    TSpine* spine = RecognitionInput(run, homology);
    ASSERT_NE(spine, nullptr);
    int a = -1;
    int b = -1;
    TSpine first;
    spine->CopyTo(first);
    TSpine second;
    spine->CopyTo(second);
    const int codeA = scanned.LookUpSpine(a, first);
    const int codeB = indexed.LookUpSpine(b, second);
    EXPECT_EQ(codeA, codeB);
    EXPECT_EQ(a, b);
  }
  // The typed ones were found again (raw spine records stay apart), in both
  // tables alike.
  ASSERT_EQ(scanned.CountEntries(), indexed.CountEntries());
  EXPECT_LT(scanned.CountEntries(), static_cast<int>(texts.size()));
  for (int i = 0; i < scanned.CountEntries(); ++i) {
    EXPECT_EQ(scanned.CountEntryPresentations(i), indexed.CountEntryPresentations(i)) << i;
    EXPECT_EQ(scanned.GetEntry(i)->GetTypeCode(), indexed.GetEntry(i)->GetTypeCode()) << i;
    EXPECT_EQ(scanned.GetEntry(i)->GetComplexity(), indexed.GetEntry(i)->GetComplexity()) << i;
  }
  // Removing entries keeps the index sound: what is left is still found.
  while (indexed.CountEntries() > 1) indexed.RemoveEntry(0);
  int found = -1;
  TCommandRun run(document, texts[0], options, false, nullptr, parse(texts[0]));
  std::string homology;
  TSpine* spine = RecognitionInput(run, homology);
  ASSERT_NE(spine, nullptr);
  EXPECT_NE(indexed.LookUpSpine(found, *spine), 0);
}

}  // namespace

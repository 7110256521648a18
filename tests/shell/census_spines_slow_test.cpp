// The whole published cusped census through the spines the signatures build
// (label "slow"): the homology of each spine is the published one, and the
// signature of each spine is the one it was read from.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/output.h"
#include "presentations/triangulations/iso_signature.h"
#include "shell/document_spine.h"
#include "shell/spine_reports.h"
#include "support/census_table_support.h"

namespace {

std::vector<std::string> Summands(std::string group) {
  if (group.rfind("H_1=", 0) == 0) group = group.substr(4);
  group = group.substr(0, group.find('\r'));
  std::vector<std::string> summands;
  std::stringstream in(group);
  std::string summand;
  while (std::getline(in, summand, '+')) summands.push_back(summand);
  std::sort(summands.begin(), summands.end());
  return summands;
}

TEST(CensusSpinesSlow, EverySpineHasThePublishedHomologyAndSignature) {
  std::vector<TCensusEntry> entries = ReadCensusTable(FullCensusPath());
  if (entries.empty()) GTEST_SKIP() << "skipped: the census file " << FullCensusPath()
                                       << " is missing or empty (set SORVELIN_CENSUS_FILE)";
  int failures = 0;
  TOptionValues options;
  for (const TCensusEntry& entry : entries) {
    TDocumentSpine document;
    bool good = document.ParseDocumentText(entry.signature.c_str(), options) == 1;
    if (good) {
      TDocumentSpine::TScope scope(document);
      TOutput output;
      PrintHomologyGroupReport(document, output, 0);
      TIsoSignature signature;
      good = Summands(output.Text()) == Summands(entry.homology) &&
             signature.Compute(document.Spine(), 1) == entry.signature;
    }
    if (!good && ++failures <= 10) ADD_FAILURE() << entry.name << " " << entry.signature;
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace

// The contract around the commands, as the built program keeps it: a failure
// never exits 0, a text that is no presentation never comes back as an
// answer, reports go to standard output and reasons to standard error.
#include "cli/cli_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace cli_fixture;

// A spine of the twice punctured sphere: thickens, H_1 = 0.
const char kSphere[] = "1\n2\n1 2 -1 -2\n";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Texts that no notation reads become cell presentations. A complex that
// does not thicken gives no manifold: the reports on the manifold say so and
// the status is 1.
TEST_F(CliTest, ComplexesThatDoNotThickenGiveNoManifold) {
  for (const char* text : {"hello world\n", "aa*aa*aa\n", "bkaaj\n"}) {
    for (const char* command : {"homology-group", "labeled-molecule", "short-information"}) {
      TRunResult r = Run(command, text);
      EXPECT_EQ(r.exitCode, 1) << command << ": " << text;
      EXPECT_TRUE(Has(r.out, "Thicking error : Valency of vertex 'v1' is equal 2"))
          << command << ": " << text << "\n" << r.out;
    }
    TRunResult r = Run("homology-group", text);
    EXPECT_TRUE(Has(r.out, "The complex cannot be thickened")) << r.out;
    EXPECT_EQ(Run("boundary", text).exitCode, 1) << text;
  }
  // An answer and a refusal never come together: the homology command of a
  // complex that does not thicken prints no group. A disc, all that the
  // reductions leave of a lens space spine, is such a complex.
  for (const char* text : {"hello world\n", "Cell #28 = { -#24 }\n"}) {
    TRunResult r = Run("homology-group", text);
    EXPECT_EQ(r.exitCode, 1) << text;
    EXPECT_EQ(r.out.find("H_1="), std::string::npos) << text << r.out;
    EXPECT_TRUE(Has(r.out, "The complex cannot be thickened")) << text << r.out;
  }
  // Short Information describes the complex, its own homology included.
  EXPECT_TRUE(Has(Run("short-information", "hello world\n").out, "H_1=0\n"));
  // A cell presentation that thickens reads as before.
  TRunResult sphere = Run("homology-group", "1\n2\n1 2 -1 -2\n");
  EXPECT_EQ(sphere.exitCode, 0);
  EXPECT_FALSE(Has(sphere.out, "cannot be thickened")) << sphere.out;
}

// A text that opens with a notation's keyword was meant for that notation:
// the cell reader refuses it and says which rule the text broke.
TEST_F(CliTest, TextsWithANotationsKeywordAreNotReadAsCells) {
  struct TCase {
    const char* text;
    const char* reason;
  };
  const TCase cases[] = {
      {"link code 1 -2 3 -1 2 -3\n", "begins with the keyword 'link' but is no link text (a link text ends with the keyword "
       "'end')"},
      {"LINK code 1 -1\n", "begins with the keyword 'link'"},
      {"facets [[1,2,3,4]\n", "begins with the keyword 'facets'"},
      {"facets\n[[1,1,1,1]]\n", "begins with the keyword 'facets'"},
      {"triangulation\nT1(1,2,3) - T1(1,2,3)\nend\n",
       "(a triangulation text is longer than 43 characters)"},
      {"% a comment first\ndetails D1 = 1: D1_2\n", "begins with the keyword 'details'"},
  };
  for (const TCase& c : cases) {
    for (const char* command : {"homology-group", "boundary-curves", "graph-code"}) {
      TRunResult r = Run(command, c.text);
      EXPECT_EQ(r.exitCode, 1) << command << ": " << c.text;
      EXPECT_EQ(r.out, "") << command << ": " << c.text;
      EXPECT_TRUE(Has(r.err, c.reason)) << command << ": " << c.text << "\n" << r.err;
    }
  }
  TRunResult link = Run("homology-group", "link code 1 -2 3 -1 2 -3 end\n");
  EXPECT_EQ(link.exitCode, 0) << link.err;
  EXPECT_EQ(link.out.substr(0, link.out.find('\n')), "H_1=Z");
}

TEST_F(CliTest, ExtendedHeegaardDiagramsOutsideTheRulesAreRefused) {
  struct TCase {
    const char* text;
    const char* reason;
  };
  const TCase cases[] = {
      {"extheegaard 1 1 1 1 1 1", "breaks the parity rule"},
      {"extheegaard 3 3 3 2 1 2", "breaks the parity rule"},
      {"extheegaard 0 0 0 0 0 0", "needs three positive arc counts"},
      {"extheegaard -3 -3 -3 -2 -2 -2", "needs three positive arc counts"},
      {"heegaard 0 0 0 0 0 0", "has no arcs"},
  };
  for (const TCase& c : cases) {
    TRunResult r = Run("homology-group", c.text);
    EXPECT_EQ(r.exitCode, 1) << c.text;
    EXPECT_EQ(r.out, "") << c.text;
    EXPECT_TRUE(Has(r.err, c.reason)) << c.text << "\n" << r.err;
  }
  TRunResult regular = Run("homology-group", "extheegaard 3 1 1 0 0 2");
  EXPECT_EQ(regular.exitCode, 0) << regular.err;
}

TEST_F(CliTest, CommandsWithNothingToShowSayWhy) {
  TRunResult list = Run("transformation-list", kSphere);
  EXPECT_EQ(list.exitCode, 1);
  EXPECT_EQ(list.out, "");
  EXPECT_TRUE(Has(list.err, "no move has been made")) << list.err;

  // Every example has at least its connectedness line.
  for (int example = 1; example <= 12; ++example) {
    const std::string text = Run("--example " + std::to_string(example)).out;
    TRunResult code = Run("graph-code", text);
    if (code.exitCode != 0) continue;  // an example that is no spine: said on stderr
    EXPECT_TRUE(Has(code.out, "Spine is connected") || Has(code.out, "Spine is not connected"))
        << "example " << example << ":\n" << code.out;
  }
  TRunResult cellular = Run("graph-code", kSphere);
  EXPECT_EQ(cellular.exitCode, 0);
  EXPECT_TRUE(Has(cellular.out, "Graph code : none")) << cellular.out;

  // A details report that holds only the reader's errors is a failure.
  TRunResult details = Run("details", "1 2 3\n");
  EXPECT_EQ(details.exitCode, 1);
  EXPECT_TRUE(Has(details.out, "is not defined!")) << details.out;
  EXPECT_EQ(Run("details", kSphere).exitCode, 0);
}

TEST_F(CliTest, AReportThatCannotBeWrittenIsAFailure) {
  for (const char* redirection : {"> /dev/full", ">&-"}) {
    TRunResult r = RunWithOutput("homology-group", "1\n2\n1 2 -1 -2\n", redirection);
    EXPECT_EQ(r.exitCode, 1) << redirection;
    EXPECT_TRUE(Has(r.err, "cannot write the report")) << redirection << ": " << r.err;
    r = RunWithOutput("--list", "", redirection);
    EXPECT_EQ(r.exitCode, 1) << redirection;
  }
}

TEST_F(CliTest, CoveringTestSaysOnceWhatIsWrong) {
  struct TCase {
    const char* text;
    const char* message;
  };
  const TCase cases[] = {
      {"a a\n", "Cannot find the string 'Preimage spine'"},
      {"Preimage spine\na a\n", "Cannot find the string 'Image spine'"},
      {"Image spine\na a\nPreimage spine\na a\n",
       "The string 'Image spine' stands before 'Preimage spine': the image spine follows the "
       "preimage spine"},
      {"Preimage spine Image spine\na a\n",
       "The string 'Image spine' shares the line of 'Preimage spine': each needs a line of its own"},
  };
  for (const TCase& c : cases) {
    TRunResult r = Run("is-covering-for", c.text);
    EXPECT_EQ(r.exitCode, 1) << c.text;
    EXPECT_EQ(r.out, "") << c.text;
    EXPECT_EQ(r.err, std::string(c.message) + "\n") << c.text;
  }
}

TEST_F(CliTest, StatusTextsOnlyWhenVerbose) {
  const char* lens = "1\n2\n1 2 -1 -2\n";
  TRunResult quiet = Run("homology-group", lens);
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");
  TRunResult verbose = Run("--verbose homology-group", lens);
  EXPECT_EQ(verbose.exitCode, 0);
  EXPECT_EQ(verbose.out, quiet.out);
  EXPECT_TRUE(Has(verbose.err, "Spine is thickenable")) << verbose.err;
  EXPECT_EQ(Run("homology-group --verbose", lens).err, verbose.err);

  // A reader's error comes once, on standard error only.
  TRunResult link = Run("homology-group", "link code 1 -2 3 -1 2 -7 end\n");
  EXPECT_EQ(link.exitCode, 1);
  EXPECT_EQ(link.out, "");
  const std::string message = "contains entry -7";
  ASSERT_TRUE(Has(link.err, message)) << link.err;
  EXPECT_EQ(link.err.find(message), link.err.rfind(message)) << link.err;
}

TEST_F(CliTest, SignatureReportReadsBack) {
  TRunResult report = Run("isomorphism-signature", "bkaajn\n");
  ASSERT_EQ(report.exitCode, 0) << report.err;
  TRunResult again = Run("homology-group", report.out);
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out.substr(0, again.out.find('\n')), "H_1=Z_5");
}

TEST_F(CliTest, CommandLineMistakesAreUsageErrors) {
  struct TCase {
    const char* arguments;
    const char* message;
  };
  const TCase cases[] = {
      {"--reduce 7 homology-group", "--reduce needs 0 (full), 1 (standard) or 2"},
      {"--reduce -1 homology-group", "not '-1'"},
      {"homology-group --list", "'--list' takes the place of a command"},
      {"homology-group --example 1", "'--example' takes the place of a command"},
      {"--reduce 1 dialog-with-debugging",
       "'dialog-with-debugging' is not in the standard command set of --reduce 1"},
      {"--set ReportType=99999999999999999999 homology-group", "is too large"},
      {"--set ReportType=seven homology-group", "is not an integer"},
  };
  for (const TCase& c : cases) {
    TRunResult r = Run(c.arguments, kSphere);
    EXPECT_EQ(r.exitCode, 2) << c.arguments;
    EXPECT_EQ(r.out, "") << c.arguments;
    EXPECT_TRUE(Has(r.err, c.message)) << c.arguments << ": " << r.err;
  }
  // Options that belong to the run may follow the command.
  EXPECT_EQ(Run("homology-group --reduce 1", kSphere).exitCode, 0);
  EXPECT_EQ(Run("dialog-with-debugging", "a\n").exitCode, 0);
}

TEST_F(CliTest, SettingsFileMistakesNameTheLine) {
  const std::string text = kSphere;
  struct TCase {
    std::string file;
    std::string message;
  };
  const TCase cases[] = {
      {"[Options]\nReportTyp=1\n", "line 2: \"ReportTyp\" is no option key"},
      {"[Options]\nReportType=1\n\nReportType=2\n", "line 4: ReportType is set again (the value of line 2"},
      {"[Options]]\nReportType=1\n", "line 1: the section header \"[Options]]\" holds a stray bracket"},
      {"[Options]\nReportType=99999999999999999999\n", "line 2: the value \"99999999999999999999\" of ReportType is too large"},
      {"[Options]\nReportType=\x1b[31m\n", "line 2: the value \"\\x1B[31m\" of ReportType is not an integer"},
  };
  for (const TCase& c : cases) {
    const fs::path ini = WriteInput("settings.ini", c.file);
    TRunResult r = Run("--ini '" + ini.string() + "' homology-group", text);
    EXPECT_EQ(r.exitCode, 2) << c.file;
    EXPECT_EQ(r.out, "") << c.file;
    EXPECT_TRUE(Has(r.err, ini.string() + ": " + c.message)) << c.file << "\n" << r.err;
  }

  // A long value is quoted short; a binary file is refused, not echoed.
  const fs::path huge = WriteInput("huge.ini", "[Options]\nReportType=" + std::string(100000, '7') + "x\n");
  TRunResult r = Run("--ini '" + huge.string() + "' homology-group", text);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_LT(r.err.size(), 1000u) << r.err.substr(0, 2000);
  const fs::path binary = WriteInput("binary.ini", std::string("\x7f" "ELF\x02\x01\0\0\x1b[2J", 12));
  r = Run("--ini '" + binary.string() + "' homology-group", text);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Has(r.err, "is not a text file")) << r.err;
  EXPECT_FALSE(Has(r.err, "\x1b")) << r.err;

  // CR-only line ends are line ends: the value of line 2 is read (and refused).
  const fs::path oldMac = WriteInput("cr.ini", "[Options]\rReportType=seven\r");
  r = Run("--ini '" + oldMac.string() + "' homology-group", text);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Has(r.err, "line 2: the value \"seven\" of ReportType")) << r.err;
  const fs::path good = WriteInput("good.ini", "[Options]\rReportType=1\r\n[Other]\nAnything=at all\n");
  EXPECT_EQ(Run("--ini '" + good.string() + "' homology-group", text).exitCode, 0);
}

// A keyword out of its place is named with the order of a link text.
TEST_F(CliTest, LinkKeywordsOutOfOrderAreNamed) {
  for (const char* text : {"link code 1 -1 signs -1 framing 5 end",
                           "link code 1 -2 2 -1 signs 1 1 crossings 2 end"}) {
    TRunResult r = Run("homology-group", text);
    EXPECT_EQ(r.exitCode, 1) << text;
    EXPECT_TRUE(Has(r.err, "out of order: the order is link, [crossings N], [t^2 or k^2], "
                           "[signs ...], each component's code"))
        << text << "\n" << r.err;
  }
  TRunResult missing = Run("homology-group", "link t^2 code -1 2 t1 1 -2 l1 end");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(Has(missing.err, "Signs of double points should be explicitly specified"))
      << missing.err;
}

// The profile the desktop program keeps only gives warnings: a slip in it
// must not stop every run.
TEST_F(CliTest, TheProfileWarnsAndTheRunGoesOn) {
  fs::create_directories(directory_ / "config" / "Sorvelin");
  WriteInput("config/Sorvelin/Sorvelin.ini", "[Options]\nReportTyp=1\nReportType=seven\n");
  environment_ = "XDG_CONFIG_HOME='" + (directory_ / "config").string() + "' ";
  TRunResult r = Run("homology-group", kSphere);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "H_1=0");
  EXPECT_TRUE(Has(r.err, "Sorvelin.ini: line 2: \"ReportTyp\" is no option key")) << r.err;
  EXPECT_TRUE(Has(r.err, "Sorvelin.ini: line 3: the value \"seven\" of ReportType")) << r.err;
}

}  // namespace

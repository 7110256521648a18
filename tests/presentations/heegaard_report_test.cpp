// Reports of genus-2 Heegaard diagrams.
#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "presentations/heegaard_diagram.h"

namespace {

std::string Report(const char* text) {
  THeegaardDiagram diagram;
  TOutput output;
  diagram.PrintReport(output, 1, text);
  return output.Text();
}

TEST(HeegaardReport, SphereInFull) {
  EXPECT_EQ(Report("heegaard 0 1 1 0 0 0"),
            "Source diagram: 0 1 1 0 0 0\r\n"
            "Curves:\r\n"
            "\t0 1 0 0 0 0\tb\r\n"
            "\t0 0 1 0 0 0\tc\r\n"
            "\r\n"
            "Dual diagram: 0 1 1 0 0 0\r\n"
            "\r\n"
            "After change meridians: \r\n"
            "1 1 0 0 0 0\r\n"
            "Curves:\r\n"
            "\t1 0 0 0 0 0\taA\r\n"
            "\t0 1 0 0 0 0\tb\r\n"
            "\r\n\r\n");
}

TEST(HeegaardReport, InvalidDiagramGetsItsFirstLineOnly) {
  EXPECT_EQ(Report("heegaard 0 (1,1) 1 0 0 0"), "Source diagram: 0 (1,1) 1 0 0 0\r\n");
  EXPECT_EQ(Report("heegaard 0 1 1 x 0 0"), "");
  EXPECT_EQ(Report("not a diagram at all"), "");
}

TEST(HeegaardReport, StarFormGetsCurvesOnly) {
  const std::string report = Report("heegaard * 1 2 2 1 0 0");
  EXPECT_NE(report.find("Curves"), std::string::npos);
  EXPECT_EQ(report.find("Dual diagram"), std::string::npos);
  EXPECT_EQ(report.find("After change meridians"), std::string::npos);
}

TEST(HeegaardReport, ManyCurvesAreNumberedWithoutDual) {
  const std::string report = Report("heegaard 0 2 1 0 0 0");
  EXPECT_NE(report.find("Curves 3:\r\n1: \t0 1 0 0 0 0\tb\r\n2: "), std::string::npos);
  EXPECT_EQ(report.find("Dual diagram"), std::string::npos);
  EXPECT_NE(report.find("After change meridians: "), std::string::npos);
}

TEST(HeegaardReport, DualDiagramAndLoop) {
  const std::string report = Report("heegaard 1 (2,1) 0 0 1 0");
  EXPECT_NE(report.find("Dual diagram: 1 2 1 0 1 0\r\nCurves:"), std::string::npos);
  // Diagrams of the moves get nested reports.
  EXPECT_NE(report.find("After change meridians: \r\n0 3 1 0 1 0\r\nCurves:"), std::string::npos);
  EXPECT_NE(Report("heegaard 2 0 0 1 0 2").find("\r\n\r\nLoop on dual diagram\r\nAfter change"),
            std::string::npos);
}

}  // namespace

// Reports of genus-2 Heegaard diagrams.
#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/heegaard_diagram.h"

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

namespace {

std::string ExtReport(const char* text) {
  TOutput output;
  PrintExtHeegaardReport(output, text);
  return output.Text();
}

TEST(ExtHeegaardReport, EveryBuildCode) {
  // Twists B(0) = B(1) = 0 allow no move at those indices.
  TExtHeegaardDiagram source;
  source.Set(3, 1, 1, 0, 0, 2);
  TOutput third;
  PrintExtHeegaardParameters(third, *ExtMeridianMove(source, 2));
  EXPECT_EQ(ExtReport("extheegaard 3 1 1 0 0 2"),
            std::string("Source diagram: 3 1 1 0 0 2\r\n\r\n"
                        "Dual diagram: 3 1 1 0 0 2\r\n\r\n"
                        "After meridian moves:\r\n"
                        "1: Unable\r\n"
                        "2: Unable\r\n"
                        "3: ") +
                third.Text() + "\r\n\r\n");
  EXPECT_EQ(ExtReport("extheegaard 3 3 3 2 1 2"),
            "Source diagram: 3 3 3 2 1 2\r\n\r\nEven violation\r\n\r\n");
  EXPECT_EQ(ExtReport("extheegaard 3 1 1 0 0 0"),
            "Source diagram: 3 1 1 0 0 0\r\n\r\nWrong number of curves\r\n\r\n");
  EXPECT_EQ(ExtReport("extheegaard 3 3 3 2 2 4"),
            "Source diagram: 3 3 3 2 2 4\r\n\r\nThere exist loop on dual diagram\r\n\r\n");
  EXPECT_EQ(ExtReport("extheegaard 3 3"), "");
}

}  // namespace

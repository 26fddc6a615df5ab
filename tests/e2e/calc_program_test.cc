// Runs the built merid-calc as a user would: the exit status of each kind
// of run, the report on standard output, the file --svg writes, and the
// plot in docs/ being the program's current output.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace merid {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kTypical = {"7.1",  "12", "200",
                                           "2000", "50", "100"};

class CalcProgram : public testing::Test {
 protected:
  // merid-calc with `options` before the six inputs of the typical design.
  Ending typical(std::initializer_list<std::string> options) {
    std::vector<std::string> args(options);
    args.insert(args.end(), kTypical.begin(), kTypical.end());
    return calc(args);
  }

  Ending calc(const std::vector<std::string>& args) {
    Launch launch;
    launch.program = MERID_CALC_PROGRAM;
    launch.args = args;
    launch.dir = dir_.path();
    return run(launch);
  }

  TempDir dir_;
};

TEST_F(CalcProgram, TypicalDesignPrintsItsReport) {
  const Ending e = typical({});
  EXPECT_EQ(e.status, 0) << e.err;
  EXPECT_NE(e.out.find("   119.426      "), std::string::npos)
      << "no C1 of 119.426 pF in:\n"
      << e.out;
}

TEST_F(CalcProgram, InfeasibleDesignEndsWithStatusOne) {
  const Ending single = calc({"7.1", "5", "200", "2000", "50", "100"});
  EXPECT_EQ(single.status, 1) << single.err;
  const Ending bands = calc({"--bands", "5", "200", "2000", "50", "100"});
  EXPECT_EQ(bands.status, 1) << bands.err;
}

TEST_F(CalcProgram, InputOutsideItsRangeIsReportedWithStatusTwo) {
  const Ending e = calc({"7.1", "12", "200", "2000", "50", "0"});
  EXPECT_EQ(e.status, 2) << e.err;
  EXPECT_EQ(
      e.err.rfind("merid-calc: PIN = \"0\" is outside the accepted range", 0),
      0u)
      << e.err;
}

TEST_F(CalcProgram, BandTableInCsvSucceeds) {
  const Ending e =
      calc({"--bands", "--format", "csv", "12", "200", "2000", "50", "100"});
  EXPECT_EQ(e.status, 0) << e.err;
}

TEST_F(CalcProgram, SvgOfTheTypicalDesignIsThePlotInTheDocs) {
  const fs::path svg = dir_.path() / "typical.svg";
  const Ending e = typical({"--svg", svg.string()});
  ASSERT_EQ(e.status, 0) << e.err;
  const std::string plot = read_file(svg);
  EXPECT_EQ(plot.rfind("<?xml ", 0), 0u) << "--svg wrote no SVG document";
  EXPECT_TRUE(plot == read_file(MERID_DOCS_TYPICAL_SVG))
      << MERID_DOCS_TYPICAL_SVG
      << " is not the program's plot of the typical design; write it again "
         "with merid-calc --svg";
}

TEST_F(CalcProgram, SmithChartOfTheTypicalDesignIsTheChartInTheDocs) {
  const fs::path svg = dir_.path() / "typical_smith.svg";
  const Ending e = typical({"--smith", svg.string()});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(read_file(svg) == read_file(MERID_DOCS_TYPICAL_SMITH_SVG))
      << MERID_DOCS_TYPICAL_SMITH_SVG
      << " is not the program's chart of the typical design; write it again "
         "with merid-calc --smith";
}

TEST_F(CalcProgram, SvgPathThatCannotBeWrittenEndsWithStatusTwo) {
  const Ending e =
      typical({"--svg", (dir_.path() / "no/such/folder/x.svg").string()});
  EXPECT_EQ(e.status, 2) << e.err;
}

// The program in English: the screen's labels, both plots' words, a
// refused language.
TEST_F(CalcProgram, LangEnWritesTheTextAndThePlotsInEnglish) {
  const fs::path svg = dir_.path() / "en.svg";
  const fs::path smith = dir_.path() / "en_smith.svg";
  const Ending e = typical(
      {"--lang", "en", "--svg", svg.string(), "--smith", smith.string()});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_NE(e.out.find(" C1, pF\t\t\t=    119.426"), std::string::npos)
      << e.out;
  EXPECT_NE(read_file(svg).find("Frequency, MHz"), std::string::npos);
  EXPECT_NE(read_file(smith).find("Z in / RIN, RIN = 2000 ohm"),
            std::string::npos);
  for (const std::string& text : {e.out, read_file(svg), read_file(smith)}) {
    EXPECT_EQ(text.find("МГц"), std::string::npos);
  }
  const Ending refused = typical({"--lang", "fr"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "merid-calc: --lang \"fr\": choose ru or en\n");
}

}  // namespace
}  // namespace merid

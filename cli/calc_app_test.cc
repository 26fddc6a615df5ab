// Whole runs of merid-calc in memory, held against the dialogue's own
// calculation and screen.

#include "cli/calc_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "base/free_form.h"
#include "base/number_text.h"
#include "base/version.h"
#include "calc/pi_l.h"
#include "calc/synthesis.h"
#include "console/dialogue.h"
#include "console/input_reader.h"
#include "design/pi_l_network.h"
#include "output/console_writer.h"
#include "platform/platform.h"
#include "tests/support/json_test_reader.h"
#include "tests/support/string_io.h"
#include "text/messages.h"

namespace merid {
namespace {

// The dialogue's environment with nothing behind it: no screen to clear,
// no pause, no file.
class QuietEnv : public Env {
 public:
  void clear_screen() override {}
  void sleep_seconds(int) override {}
  Date local_date() override { return Date{2024, 1, 1}; }
  Status append_all_or_nothing(const std::string&, std::string_view) override {
    return Status{};
  }
};

struct CalcRun {
  ExitStatus status;
  std::string out;
  std::string err;
  std::vector<std::string> files;  // "path\nbytes" of each file written
};

CalcRun RunCalc(std::vector<std::string_view> args,
                std::string file_failure = {}) {
  StringSink out;
  StringSink err;
  CalcRun run;
  // Each name a file of its own; every write fails with `file_failure`
  // when there is one.
  class MemoryFiles : public FileWriter {
   public:
    MemoryFiles(CalcRun& run, const std::string& failure)
        : run_(run), failure_(failure) {}
    Status target(const std::string& name, ReplaceTarget& target) override {
      target = ReplaceTarget{name, false, 0, 0, 0};
      return {};
    }
    Status write(const ReplaceTarget& target, std::string_view bytes) override {
      if (!failure_.empty()) return failure(failure_);
      run_.files.push_back(target.path + "\n" + std::string(bytes));
      return {};
    }

   private:
    CalcRun& run_;
    const std::string& failure_;
  };
  MemoryFiles files(run, file_failure);
  run.status = run_calc(args, out, err, files);
  run.out = out.text();
  run.err = err.text();
  return run;
}

// The six inputs typed at the dialogue, and then menu choice 5.
std::string DialogueScreen(const std::array<std::string_view, 6>& typed) {
  std::string keys;
  for (const std::string_view line : typed) keys.append(line).append("\n");
  keys.append("5\n");
  StringSource source(keys);
  InputReader in(source);
  StringSink screen;
  ConsoleWriter out(screen, utf8_messages());
  QuietEnv env;
  run_dialogue(in, out, env);
  return screen.text();
}

// Designs as typed, spread over the ranges: a decimal comma and exponent
// forms, both resistance orders, both sweep windows, one, two and three
// S11 crossings.
constexpr std::array<std::array<std::string_view, 6>, 8> kTypedDesigns = {{
    {"7,1", "12", "200", "2000", "50", "100"},
    {"0.1", "5", "50", "300", "50", "1000"},
    {"150", "3", "100", "100", "50", "100"},
    {"14", "2", "100", "50", "55", "100"},
    {"1.5+1", "4.01", "999", "50", "300", "1e3"},
    {"29.7", "12", "999", "5000", "75", "1500"},
    {"3.5", "1.2", "2", "60", "50", "10"},
    {"50", "70", "999", "100000", "100", "0.011"},
}};

std::vector<std::string_view> Args(const std::array<std::string_view, 6>& in,
                                   std::vector<std::string_view> options) {
  options.insert(options.end(), in.begin(), in.end());
  return options;
}

// The design the dialogue computes from the same typed lines.
Design DialogueDesign(const std::array<std::string_view, 6>& typed) {
  Design d;
  float* inputs[] = {&d.f, &d.qn, &d.q0, &d.rin, &d.rout, &d.pin};
  for (std::size_t i = 0; i < typed.size(); ++i) {
    *inputs[i] = parse_real(typed[i]).value;
  }
  synthesis(d);
  return d;
}

TEST(RunCalc, TextIsTheDialoguesResultsScreen) {
  for (const auto& typed : kTypedDesigns) {
    SCOPED_TRACE(testing::Message()
                 << typed[0] << " " << typed[1] << " " << typed[2] << " "
                 << typed[3] << " " << typed[4] << " " << typed[5]);
    const CalcRun run = RunCalc(Args(typed, {}));
    ASSERT_EQ(run.status, ExitStatus::kSuccess) << run.err;
    const std::size_t peaks = run.out.find("\r\n\r\n Пиковые значения:\r\n");
    ASSERT_NE(peaks, std::string::npos);
    const std::string screen_block = run.out.substr(0, peaks + 2);
    EXPECT_NE(DialogueScreen(typed).find(screen_block), std::string::npos);
  }
}

TEST(RunCalc, JsonHoldsTheDialoguesBits) {
  for (const auto& typed : kTypedDesigns) {
    SCOPED_TRACE(typed[0]);
    const CalcRun run = RunCalc(Args(typed, {"--format", "json"}));
    ASSERT_EQ(run.status, ExitStatus::kSuccess) << run.err;
    const JsonObject json = ReadJsonObject(run.out);
    const Design d = DialogueDesign(typed);
    ASSERT_FALSE(d.infeasible);
    const Results& r = d.results;
    const std::pair<const char*, float> expected[] = {{"f", d.f},
                                                      {"fmhz", d.fmhz},
                                                      {"c1", r.c1},
                                                      {"c2", r.c2},
                                                      {"l", r.l},
                                                      {"eta", r.eta},
                                                      {"uin", r.uin},
                                                      {"uout", r.uout},
                                                      {"ul", r.ul},
                                                      {"pout", r.pout},
                                                      {"ploss", r.ploss},
                                                      {"qc1", r.qc1},
                                                      {"qc2", r.qc2},
                                                      {"ql", r.ql},
                                                      {"ic1", r.ic1},
                                                      {"ic2", r.ic2},
                                                      {"il", r.il},
                                                      {"ku", r.ku},
                                                      {"ki", r.ki},
                                                      {"s11", r.s11},
                                                      {"s22", r.s22},
                                                      {"bw_u", r.bw_u},
                                                      {"bw_i", r.bw_i},
                                                      {"bw_s11", r.bw_s11},
                                                      {"step", d.details.step}};
    for (const auto& [key, value] : expected) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(JsonFloat(json, key)),
                std::bit_cast<std::uint32_t>(value))
          << key;
    }
    EXPECT_EQ(JsonInt(json, "nstep"), d.details.nstep);
    EXPECT_EQ(JsonInt(json, "ns11"), d.details.ns11);
    EXPECT_EQ(JsonInt(json, "ncross"), d.details.ncross);
  }
}

TEST(RunCalc, PeaksAreRootTwoTimesTheRmsValues) {
  const CalcRun run = RunCalc(Args(kTypedDesigns[0], {"--format", "json"}));
  const JsonObject json = ReadJsonObject(run.out);
  const std::pair<const char*, const char*> pairs[] = {
      {"uc1_peak", "uin"}, {"uc2_peak", "uout"}, {"ul_peak", "ul"},
      {"ic1_peak", "ic1"}, {"ic2_peak", "ic2"},  {"il_peak", "il"}};
  for (const auto& [peak, rms] : pairs) {
    EXPECT_FLOAT_EQ(JsonFloat(json, peak), 1.41421356f * JsonFloat(json, rms))
        << peak;
  }
  // 447.214 V RMS at the input of the typical design.
  EXPECT_NE(run.out.find("\"uc1_peak\": 632.4555"), std::string::npos);
}

TEST(RunCalc, InfeasibleDesignWritesTheDialoguesMessageAndTheLeastQn) {
  std::string message = " ";
  message.append(utf8_messages()[Msg::kInfeasible1]).append("\r\n ");
  message.append(utf8_messages()[Msg::kInfeasible2]).append("\r\n");
  message.append(" Трансформацию дает нагруженная добротность от 6.75.\r\n");
  const std::vector<std::string_view> infeasible = {"7.1",  "5",  "200",
                                                    "2000", "50", "100"};
  const CalcRun text = RunCalc(infeasible);
  EXPECT_EQ(text.status, ExitStatus::kInfeasible);
  EXPECT_EQ(text.out, message);
  EXPECT_EQ(text.err, "");

  // The least loaded Q is the edge itself: at it the design is made, a
  // thousandth below it is not.
  EXPECT_EQ(RunCalc({"7.1", "6.75", "200", "2000", "50", "100"}).status,
            ExitStatus::kSuccess);
  EXPECT_EQ(RunCalc({"7.1", "6.749", "200", "2000", "50", "100"}).status,
            ExitStatus::kInfeasible);

  // Data readers get the inputs as data with qn_min, the message on
  // standard error, and no plot.
  std::vector<std::string_view> as_csv = infeasible;
  as_csv.insert(as_csv.begin(), {"--format", "csv", "--svg", "x.svg"});
  const CalcRun csv = RunCalc(as_csv);
  EXPECT_EQ(csv.status, ExitStatus::kInfeasible);
  EXPECT_TRUE(csv.out.starts_with("infeasible,qn_min,f,qn,"));
  EXPECT_NE(csv.out.find("\n1,6.75,7.1,5,200,2000,50,100,"), std::string::npos);
  EXPECT_EQ(csv.err, message);
  EXPECT_TRUE(csv.files.empty());
  std::vector<std::string_view> as_json = infeasible;
  as_json.insert(as_json.begin(), {"--format", "json"});
  const CalcRun json = RunCalc(as_json);
  EXPECT_TRUE(json.out.starts_with(
      "{\n  \"infeasible\": true,\n  \"qn_min\": 6.75,\n  \"f\": 7.1,"));
  EXPECT_NE(json.out.find("\"c1\": null"), std::string::npos);
}

TEST(RunCalc, InputWithTextAfterItsNumberIsTakenWithAWarning) {
  const CalcRun run = RunCalc({"7.1", "12", "200", "2 000", "50", "100"});
  EXPECT_EQ(run.status, ExitStatus::kSuccess);
  EXPECT_TRUE(run.err.starts_with(
      "merid-calc: warning: RIN = \"2 000\": a space ends the number, which "
      "reads 2; type 2000\n"));
  const CalcRun option =
      RunCalc({"--cmin", "5 0", "7.1", "12", "200", "2000", "50", "100"});
  EXPECT_TRUE(option.err.starts_with(
      "merid-calc: warning: --cmin \"5 0\": a space ends the number, which "
      "reads 5\n"));
  // A file name is no number, and blanks around a number are no text.
  const CalcRun whole = RunCalc({"--swr", " 2 ", "--svg", "2.svg", "7,1", "12",
                                 "200", "2000", "50", "100"});
  EXPECT_EQ(whole.err, "");
}

TEST(RunCalc, BadArgumentIsOneLineOnStandardErrorAndStatusTwo) {
  const CalcRun run = RunCalc({"7.1", "12", "200", "2000", "50", "0,001"});
  EXPECT_EQ(run.status, ExitStatus::kFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "merid-calc: PIN = \"0,001\" is outside the accepted range "
            "0.01 < PIN <= 100000 (W)\n");
}

TEST(RunCalc, SvgGoesToTheNamedFile) {
  const CalcRun run =
      RunCalc(Args(kTypedDesigns[0], {"--svg", "plot.svg", "--format=csv"}));
  EXPECT_EQ(run.status, ExitStatus::kSuccess);
  ASSERT_EQ(run.files.size(), 1u);
  EXPECT_EQ(run.files[0].rfind("plot.svg\n<?xml", 0), 0u);
  EXPECT_EQ(run.out.rfind("f,qn,q0,", 0), 0u);
}

TEST(RunCalc, PlotAndSmithChartGoToTheirFilesAndSwrToTheOutput) {
  const CalcRun run = RunCalc(Args(
      kTypedDesigns[0], {"--smith", "z.svg", "--svg", "p.svg", "--swr", "2"}));
  EXPECT_EQ(run.status, ExitStatus::kSuccess) << run.err;
  ASSERT_EQ(run.files.size(), 2u);
  EXPECT_EQ(run.files[0].rfind("p.svg\n<?xml", 0), 0u);
  EXPECT_EQ(run.files[1].rfind("z.svg\n<?xml", 0), 0u);
  EXPECT_NE(run.out.find("\r\n Нагрузка с КСВ 2 на любой фазе"),
            std::string::npos);
  EXPECT_NE(run.out.find("\r\n KU на 5F, дБ"), std::string::npos);
}

TEST(RunCalc, SvgThatCannotBeWrittenFailsWithTheReason) {
  const CalcRun run = RunCalc(Args(kTypedDesigns[0], {"--svg", "/no/such.svg"}),
                              "No such file or directory");
  EXPECT_EQ(run.status, ExitStatus::kFailure);
  EXPECT_EQ(run.err,
            "merid-calc: cannot write /no/such.svg: No such file or "
            "directory\n");
}

// Found by the calc fuzz target: the path of a plot that could not be
// written was echoed with its control bytes, which then acted on the
// terminal; they are now shown as \xNN, other bytes (a Cyrillic name) as
// they are.
TEST(RunCalc, UnwritableSvgPathEchoedControlBytes) {
  const CalcRun run =
      RunCalc(Args(kTypedDesigns[0], {"--svg", "/no/\x1b[2J\nграфик.svg"}),
              "No such file or directory");
  EXPECT_EQ(run.status, ExitStatus::kFailure);
  EXPECT_EQ(run.err,
            "merid-calc: cannot write /no/\\x1B[2J\\x0Aграфик.svg: No such "
            "file or directory\n");
}

TEST(RunCalc, HelpNamesEveryOptionInputAndField) {
  const CalcRun run = RunCalc({"--help"});
  EXPECT_EQ(run.status, ExitStatus::kSuccess);
  for (const char* word : {"--format",
                           "--bands",
                           "--svg",
                           "--version",
                           "--swr",
                           "--smith",
                           "--whole-window",
                           "ku3",
                           "ki5",
                           "s11_max",
                           "0.1 <= F <= 150 (MHz)",
                           "1.2*QN < Q0 <= 999",
                           "0.01 < PIN <= 100000 (W)",
                           "1.8-2",
                           "144-148",
                           "uc1_peak",
                           "ncross",
                           "Exit status",
                           "--cmin",
                           "--fixed-coil",
                           "--rin-from tube:EA,IA,CLASS",
                           "transistor:VCC,VSAT,P",
                           "qn_for_cmin",
                           "l_fixed",
                           "warnings",
                           "c1_below_cmin",
                           "bw_s11_one_crossing",
                           "double precision"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
}

// The lines of standard error, each without "merid-calc: warning: ".
std::vector<std::string> WarningLines(const std::string& err) {
  constexpr std::string_view kPrefix = "merid-calc: warning: ";
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < err.size()) {
    const std::size_t end = err.find('\n', start);
    const std::string line = err.substr(start, end - start);
    EXPECT_EQ(line.rfind(kPrefix, 0), 0u) << line;
    lines.push_back(line.substr(kPrefix.size()));
    start = end + 1;
  }
  return lines;
}

TEST(RunCalc, WarningsOnStandardErrorInJsonAndInCsv) {
  // Equal resistances at a low loaded Q: a voltage band from the bottom of
  // the window and one S11 crossing.
  const std::vector<std::string_view> design = {"14", "1.47", "200",
                                                "50", "50",   "100"};
  const CalcRun text = RunCalc(design);
  EXPECT_EQ(text.status, ExitStatus::kSuccess);
  EXPECT_EQ(text.out.find("warning"), std::string::npos);
  const std::vector<std::string> lines = WarningLines(text.err);
  ASSERT_EQ(lines.size(), 2u);

  std::vector<std::string_view> as_json = design;
  as_json.insert(as_json.begin(), "--format=json");
  const CalcRun json = RunCalc(as_json);
  EXPECT_EQ(json.err, "");
  const std::vector<JsonObject> warnings =
      ReadJsonArray(ReadJsonObject(json.out).at("warnings"));
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].at("code"), "bw_u_at_window_bottom");
  EXPECT_EQ(warnings[1].at("code"), "bw_s11_one_crossing");
  EXPECT_EQ(warnings[0].at("text"), lines[0]);
  EXPECT_EQ(warnings[1].at("text"), lines[1]);

  std::vector<std::string_view> as_csv = design;
  as_csv.insert(as_csv.begin(), "--format=csv");
  const std::string csv = RunCalc(as_csv).out;
  EXPECT_EQ(csv.substr(0, csv.find('\n')).substr(csv.find(",warnings")),
            ",warnings");
  EXPECT_EQ(csv.substr(csv.rfind(',')),
            ",bw_u_at_window_bottom bw_s11_one_crossing\n");
}

TEST(RunCalc, CminAddsItsMarginAndTheLoadedQThatReachesIt) {
  const CalcRun plain = RunCalc(Args(kTypedDesigns[0], {}));
  const CalcRun text = RunCalc(Args(kTypedDesigns[0], {"--cmin", "150"}));
  EXPECT_EQ(text.status, ExitStatus::kSuccess);
  // The design's own text comes first, unchanged.
  EXPECT_EQ(text.out.rfind(plain.out, 0), 0u);
  EXPECT_NE(text.out.find("Qn для C1 >= Cmin\t=     15.202\r\n"),
            std::string::npos);
  EXPECT_EQ(WarningLines(text.err),
            std::vector<std::string>{
                "C1 = 119.426 pF is below CMIN = 150 pF by 30.574 pF"});

  const JsonObject json = ReadJsonObject(
      RunCalc(Args(kTypedDesigns[0], {"--cmin=150", "--format=json"})).out);
  EXPECT_EQ(json.at("cmin"), "150");
  EXPECT_EQ(json.at("qn_for_cmin"), "15.202");
  EXPECT_DOUBLE_EQ(std::stod(json.at("c1_margin")),
                   static_cast<double>(JsonFloat(json, "c1")) - 150.0);
  const JsonObject none = ReadJsonObject(
      RunCalc(Args(kTypedDesigns[0], {"--cmin=5000", "--format=json"})).out);
  EXPECT_EQ(none.at("qn_for_cmin"), "null");
}

TEST(RunCalc, FixedCoilRowsCarryTheCoilAndTheirOwnLoadedQ) {
  const CalcRun run = RunCalc({"--bands", "--fixed-coil", "--format", "json",
                               "65", "200", "2000", "50", "100"});
  // 1.8 MHz would need a loaded Q above 70: that row has no network.
  EXPECT_EQ(run.status, ExitStatus::kInfeasible);
  const std::vector<JsonObject> rows = ReadJsonArray(run.out);
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[0].at("coil_fit"), "qn_above_range");
  EXPECT_EQ(rows[0].at("infeasible"), "true");
  EXPECT_EQ(rows[1].at("coil_fit"), "matched");
  EXPECT_EQ(rows[2].at("coil_fit"), "tap");
  EXPECT_EQ(rows[0].at("l_fixed"), rows[2].at("l"));
  EXPECT_EQ(rows[1].at("l_fixed"), rows[2].at("l"));
  EXPECT_GT(JsonFloat(rows[1], "qn"), 65.0f);
  EXPECT_EQ(rows[2].at("qn"), "65");

  const CalcRun text =
      RunCalc({"--bands", "--fixed-coil", "65", "200", "2000", "50", "100"});
  EXPECT_NE(text.out.find("1.800  с этой L нужна Qn выше допустимой\r\n"),
            std::string::npos);
}

TEST(RunCalc, RinFromTheRatingsIsMarkedAsAnEstimate) {
  const std::vector<std::string_view> tube = {
      "--rin-from", "tube:2500,0.4,AB", "7.1", "12", "200", "50", "100"};
  const CalcRun text = RunCalc(tube);
  EXPECT_EQ(text.status, ExitStatus::kSuccess);
  // Class AB's k from cosine pulses of 240 degrees over the 0.9 EA swing.
  EXPECT_NE(text.out.find(" лампа, класс AB: R вх. = Ea / (k * Ia) = 2500 / "
                          "(1.468 * 0.4) = 4258.070 Ом\r\n"),
            std::string::npos);
  // Qn 5 is too small for 4258 ohm into 50: the estimate still shows.
  const CalcRun infeasible = RunCalc(
      {"--rin-from", "tube:2500,0.4,AB", "7.1", "5", "200", "50", "100"});
  EXPECT_EQ(infeasible.status, ExitStatus::kInfeasible);
  EXPECT_NE(infeasible.out.find("= 4258.070 Ом\r\n"), std::string::npos);
  std::vector<std::string_view> as_json = tube;
  as_json.push_back("--format=json");
  const JsonObject json = ReadJsonObject(RunCalc(as_json).out);
  EXPECT_EQ(json.at("rin_from"), "tube");
  EXPECT_EQ(json.at("rin_k"), "1.4678011709713654");
  EXPECT_EQ(JsonFloat(json, "rin"),
            static_cast<float>(std::stod(json.at("rin_estimate"))));
}

TEST(RunCalc, BadOptionValueIsOneLineAndStatusTwo) {
  const CalcRun run = RunCalc(Args(kTypedDesigns[0], {"--cmin", "1e6"}));
  EXPECT_EQ(run.status, ExitStatus::kFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "merid-calc: --cmin: CMIN = \"1e6\" is outside the accepted "
            "range 0 <= CMIN <= 100000 (pF)\n");
}

TEST(RunCalc, VersionIsTheBanners) {
  EXPECT_EQ(RunCalc({"--version"}).out, "merid-calc 3.55\n");
  // The banner's text is typed by hand; the version comes from CMake.
  const std::string in_banner = "(версия " + std::string(kVersion) + ")";
  EXPECT_NE(utf8_messages()[Msg::kBanner].find(in_banner), std::string::npos);
}

TEST(RunCalc, NetworkPiIsTheDefaultsOutput) {
  for (const std::string_view format : {"text", "json", "csv"}) {
    const CalcRun plain = RunCalc(Args(kTypedDesigns[0], {"--format", format}));
    const CalcRun pi = RunCalc(
        Args(kTypedDesigns[0], {"--network", "pi", "--format", format}));
    EXPECT_EQ(pi.status, ExitStatus::kSuccess);
    EXPECT_EQ(pi.out, plain.out);
  }
}

TEST(RunCalc, PiLJsonAndCsvHoldTheSynthesisBits) {
  TankInputs inputs;
  static_cast<DesignInputs&>(inputs) =
      DesignInputs{7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  inputs.parameters[0] = 316.0f;
  const TankDesign d = pi_l_network().design(inputs);
  const CalcRun json =
      RunCalc(Args(kTypedDesigns[0], {"--network=pi-l", "--format", "json"}));
  ASSERT_EQ(json.status, ExitStatus::kSuccess) << json.err;
  const JsonObject object = ReadJsonObject(json.out);
  EXPECT_EQ(object.at("network"), "pi-l");
  for (const Field& field : pi_l_network().fields) {
    if (field.key.empty() || field.key == "network") continue;
    EXPECT_EQ(
        std::bit_cast<std::uint32_t>(JsonFloat(object, std::string(field.key))),
        std::bit_cast<std::uint32_t>(std::get<float>(d->value(field))))
        << field.key;
  }
  const CalcRun csv =
      RunCalc(Args(kTypedDesigns[0], {"--network", "pi-l", "--format", "csv"}));
  ASSERT_EQ(csv.status, ExitStatus::kSuccess);
  const std::size_t header_end = csv.out.find('\n');
  const std::string header = csv.out.substr(0, header_end);
  const std::string values = csv.out.substr(header_end + 1);
  EXPECT_EQ(header.substr(0, 13), "network,f,qn,");
  EXPECT_EQ(values.substr(0, 5), "pi-l,");
  EXPECT_EQ(std::count(header.begin(), header.end(), ','),
            std::count(values.begin(), values.end(), ','));
  EXPECT_EQ(values.back(), '\n');
}

TEST(RunCalc, PiLTextSaysWhereTheShuntOfTheLSectionStands) {
  const CalcRun down = RunCalc(Args(kTypedDesigns[0], {"--network", "pi-l"}));
  ASSERT_EQ(down.status, ExitStatus::kSuccess) << down.err;
  EXPECT_NE(down.out.find(" R пром., Ом\t\t=    316.000\r\n"),
            std::string::npos);
  EXPECT_NE(down.out.find("C ср. = C2' + CL"), std::string::npos);
  EXPECT_NE(down.out.find(" KU на 2F, дБ\t\t= "), std::string::npos);
  EXPECT_NE(down.out.find(" Пиковые значения:\r\n"), std::string::npos);
  EXPECT_EQ(down.out.find('\n'), down.out.find("\r\n") + 1);

  const CalcRun up = RunCalc(Args({"7.1", "10", "200", "12.5", "50", "100"},
                                  {"--network", "pi-l", "--rmid", "25"}));
  ASSERT_EQ(up.status, ExitStatus::kSuccess) << up.err;
  EXPECT_NE(up.out.find(" R пром., Ом\t\t=     25.000\r\n"), std::string::npos);
  EXPECT_NE(up.out.find("C ср. = C2': CL"), std::string::npos);
}

TEST(RunCalc, PiLInfeasibleForRinToRmidWritesTheDialoguesMessage) {
  const CalcRun run =
      RunCalc(Args({"7.1", "2", "200", "5000", "50", "100"},
                   {"--network", "pi-l", "--rmid", "500", "--format", "json"}));
  EXPECT_EQ(run.status, ExitStatus::kInfeasible);
  EXPECT_NE(run.out.find("\"network\": \"pi-l\""), std::string::npos);
  EXPECT_NE(run.out.find("\"qn_min\": "), std::string::npos);
  EXPECT_NE(run.err, "");
}

TEST(RunCalc, PiLRefusesRmidWithoutPiLAndBadValues) {
  const CalcRun rmid = RunCalc(Args(kTypedDesigns[0], {"--rmid", "300"}));
  EXPECT_EQ(rmid.status, ExitStatus::kFailure);
  EXPECT_NE(rmid.err.find("add --network pi-l"), std::string::npos);
  const CalcRun bad_rmid =
      RunCalc(Args(kTypedDesigns[0], {"--network", "pi-l", "--rmid", "0"}));
  EXPECT_EQ(bad_rmid.status, ExitStatus::kFailure);
  EXPECT_EQ(bad_rmid.err,
            "merid-calc: --rmid takes ROUT's range: ROUT = \"0\" is outside "
            "the accepted range 0.1 <= ROUT <= 100000 (ohm)\n");
  const CalcRun bad_network =
      RunCalc(Args(kTypedDesigns[0], {"--network", "pi-t"}));
  EXPECT_EQ(bad_network.err,
            "merid-calc: --network \"pi-t\": choose pi or pi-l\n");
}

TEST(RunCalc, PiLBandsKeepEachBandsCoilsAndSayWhereCminBinds) {
  const CalcRun run =
      RunCalc({"--network", "pi-l", "--bands", "--fixed-coil", "--cmin", "30",
               "--format", "json", "12", "200", "2000", "50", "100"});
  ASSERT_EQ(run.status, ExitStatus::kSuccess) << run.err;
  const std::vector<JsonObject> rows = ReadJsonArray(run.out);
  ASSERT_EQ(rows.size(), 33u);
  for (std::size_t band = 0; band < rows.size(); band += 3) {
    const JsonObject& top = rows[band + 2];
    EXPECT_EQ(top.at("coil_fit"), "tap");
    EXPECT_EQ(top.at("rmid"), "316");
    for (std::size_t i = band; i < band + 3; ++i) {
      SCOPED_TRACE(rows[i].at("band") + " " + rows[i].at("edge"));
      EXPECT_EQ(rows[i].at("network"), "pi-l");
      EXPECT_EQ(rows[i].at("l_fixed"), top.at("l1"));
      EXPECT_EQ(rows[i].at("l2"), top.at("l2"));
      EXPECT_NE(rows[i].at("qn_for_cmin"), "");
      // C1 below 30 pF is said where it happens, and only there.
      const bool below = JsonFloat(rows[i], "c1") < 30.0f;
      EXPECT_EQ(
          rows[i].at("warnings").find("c1_below_cmin") != std::string::npos,
          below);
    }
    EXPECT_EQ(rows[band].at("coil_fit"), "matched");
    EXPECT_LT(JsonFloat(rows[band], "rmid"), 316.0f);
    EXPECT_GT(JsonFloat(rows[band], "qn"), 12.0f);
  }

  const CalcRun csv = RunCalc({"--network", "pi-l", "--bands", "--format",
                               "csv", "12", "200", "2000", "50", "100"});
  ASSERT_EQ(csv.status, ExitStatus::kSuccess);
  EXPECT_EQ(csv.out.rfind("band,edge,infeasible,network,f,qn,", 0), 0u);
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 34);

  const CalcRun text = RunCalc({"--network", "pi-l", "--bands", "--cmin", "30",
                                "12", "200", "2000", "50", "100"});
  EXPECT_NE(text.out.find(" R пром., Ом\t\t=    316.000\r\n"),
            std::string::npos);
  EXPECT_NE(text.out.find("C ср., пФ    L2, мкГн  U пик С1, В  I пик L1, А"),
            std::string::npos);
  EXPECT_NE(text.err.find("merid-calc: warning: 6m low (50 MHz): C1 = "),
            std::string::npos);
}

TEST(RunCalc, PiLDrawsItsPlotAndChartAndWarnsOnStandardError) {
  const CalcRun run =
      RunCalc(Args(kTypedDesigns[0], {"--network", "pi-l", "--svg", "p.svg",
                                      "--smith", "z.svg", "--cmin", "120"}));
  ASSERT_EQ(run.status, ExitStatus::kSuccess) << run.err;
  ASSERT_EQ(run.files.size(), 2u);
  for (const std::string& file : run.files) {
    EXPECT_NE(file.find("П-L-контур: F = 7.1 МГц"), std::string::npos);
    EXPECT_NE(file.find("R пром. = 316 Ом"), std::string::npos);
  }
  EXPECT_NE(run.out.find(" Qn для C1 >= Cmin\t=     14.715\r\n"),
            std::string::npos);
  EXPECT_EQ(WarningLines(run.err),
            std::vector<std::string>{
                "C1 = 97.980 pF is below CMIN = 120 pF by 22.020 pF"});
}

// The bench's capacitors, --retune and a built tank: each refusal is
// status 2, nothing on standard output and one line naming what is wrong.
TEST(RunCalc, RangesRetuneAndElementsRefuseWithOneLine) {
  using Args = std::vector<std::string_view>;
  const Args design = {"7.1", "12", "200", "2000", "50", "100"};
  const Args built = {"7.1", "200", "2000", "50", "100"};
  const Args built_bands = {"200", "2000", "50", "100"};
  const std::string_view pi = "119.4,4.697,641.3";
  const std::string_view pi_l = "100,4,700,2,0";
  struct Refusal {
    Args options;
    const Args& numbers;
    const char* error;
  };
  const Refusal kRefusals[] = {
      {{"--c1-range", "10"},
       design,
       "--c1-range \"10\": give MIN,MAX in pF, as in 10,250"},
      {{"--c2-range", "250,10"},
       design,
       "--c2-range \"250,10\": MIN = 250 is above MAX = 10"},
      {{"--c1-range", "-1,10"},
       design,
       "--c1-range \"-1,10\": MIN = \"-1\" is outside the accepted range 0 "
       "<= MIN <= 100000 (pF)"},
      {{"--c1-range", "0,200000"},
       design,
       "--c1-range \"0,200000\": MAX = \"200000\" is outside the accepted "
       "range 0 <= MAX <= 100000 (pF)"},
      {{"--retune"},
       design,
       "--retune retunes the tank into the loads of --swr; add --swr"},
      {{"--elements", "119.4,4.697"},
       built,
       "--elements \"119.4,4.697\": the pi network takes 3 elements, "
       "C1,L,C2 (pF, uH, pF), got 2"},
      {{"--network", "pi-l", "--elements", pi},
       built,
       "--elements \"119.4,4.697,641.3\": the pi-L network takes 5 "
       "elements, C1,L1,CMID,L2,COUT (pF, uH, pF, uH, pF), got 3"},
      {{"--elements", "119.4,x,641.3"},
       built,
       "--elements \"119.4,x,641.3\": L = \"x\" is not a number; accepted "
       "range 0 < L <= 100000 (uH)"},
      {{"--elements", "0,4.697,641.3"},
       built,
       "--elements \"0,4.697,641.3\": C1 = \"0\" is outside the accepted "
       "range 0 < C1 <= 1000000 (pF)"},
      // Only pi-L's COUT may be 0: no output capacitor.
      {{"--network", "pi-l", "--elements", "100,4,0,2,0"},
       built,
       "--elements \"100,4,0,2,0\": CMID = \"0\" is outside the accepted "
       "range 0 < CMID <= 1000000 (pF)"},
      {{"--network", "pi-l", "--elements", "100,4,700,2,-1"},
       built,
       "--elements \"100,4,700,2,-1\": COUT = \"-1\" is outside the "
       "accepted range 0 <= COUT <= 1000000 (pF)"},
      {{"--elements", "119.4,200000,641.3"},
       built,
       "--elements \"119.4,200000,641.3\": L = \"200000\" is outside the "
       "accepted range 0 < L <= 100000 (uH)"},
      {{"--elements", "119.4,4.697,2e6"},
       built,
       "--elements \"119.4,4.697,2e6\": C2 = \"2e6\" is outside the "
       "accepted range 0 < C2 <= 1000000 (pF)"},
      {{"--elements="},
       built,
       "--elements needs the elements, as in 120,4.7,640"},
      {{"--bands", "--fixed-coil", "--elements", pi},
       built_bands,
       "--fixed-coil keeps a coil for a design; --elements gives every "
       "element"},
      {{"--elements", pi, "--cmin", "30"},
       built,
       "--cmin finds a loaded Q for a design; --elements gives C1"},
      {{"--network", "pi-l", "--elements", pi_l, "--rmid", "300"},
       built,
       "--rmid sets a design's middle resistance; --elements gives every "
       "element"},
      // The count: QN left out, and F with --bands, and RIN with --rin-from.
      {{"--elements", pi},
       design,
       "with --elements expected five numbers, F Q0 RIN ROUT PIN, got 6; "
       "see merid-calc --help"},
      {{"--bands", "--elements", pi},
       built,
       "--bands with --elements takes four numbers, Q0 RIN ROUT PIN, got 5; "
       "see merid-calc --help"},
      {{"--elements", pi, "--rin-from", "tube:2500,0.4,AB"},
       built,
       "with --elements expected four numbers, F Q0 ROUT PIN, got 5; see "
       "merid-calc --help"},
      {{"--bands", "--elements", pi, "--rin-from", "tube:2500,0.4,AB"},
       built_bands,
       "--bands with --elements takes three numbers, Q0 ROUT PIN, got 4; see "
       "merid-calc --help"},
  };
  for (const Refusal& r : kRefusals) {
    SCOPED_TRACE(r.error);
    Args args = r.options;
    args.insert(args.end(), r.numbers.begin(), r.numbers.end());
    const CalcRun run = RunCalc(args);
    EXPECT_EQ(run.status, ExitStatus::kFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("merid-calc: ") + r.error + "\n");
  }
}

TEST(RunCalc, HarmonicOptionsRefuseWithOneLine) {
  using Args = std::vector<std::string_view>;
  const Args design = {"28.5", "12", "200", "2000", "50", "1500"};
  const std::pair<Args, const char*> kRefusals[] = {
      {{"--conduction", "100"},
       "--conduction: DEG = \"100\" is outside the accepted range 120 <= DEG "
       "<= 360 (degrees)"},
      {{"--conduction", "400"},
       "--conduction: DEG = \"400\" is outside the accepted range 120 <= DEG "
       "<= 360 (degrees)"},
      {{"--conduction", "x"},
       "--conduction: DEG = \"x\" is not a number; accepted range 120 <= DEG "
       "<= 360 (degrees)"},
      {{"--coil-c", "-1"},
       "--coil-c: PF = \"-1\" is outside the accepted range 0 <= PF <= 10000 "
       "(pF)"},
      {{"--c1-lead", "-1"},
       "--c1-lead: NH = \"-1\" is outside the accepted range 0 <= NH <= 10000 "
       "(nH)"},
      {{"--limit", "eu"}, "--limit \"eu\": choose us"},
      {{"--limit", "us", "--limit-dbc", "50"},
       "--limit and --limit-dbc are two limits; give one"},
      // A margin with no limit, even beside another option of the group.
      {{"--margin", "3"},
       "--margin is how far below a limit; add --limit or --limit-dbc"},
      {{"--conduction", "180", "--margin", "3"},
       "--margin is how far below a limit; add --limit or --limit-dbc"},
      {{"--limit-dbc", "0"},
       "--limit-dbc: X = \"0\" is outside the accepted range 0 < X <= 200 (dB "
       "below the carrier)"},
  };
  for (const auto& [options, error] : kRefusals) {
    SCOPED_TRACE(error);
    Args args = options;
    args.insert(args.end(), design.begin(), design.end());
    const CalcRun run = RunCalc(args);
    EXPECT_EQ(run.status, ExitStatus::kFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("merid-calc: ") + error + "\n");
  }
}

// The text of the object that is the value of `key` in `json`, braces and
// all; empty when there is none.
std::string ObjectMember(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\": {");
  if (at == std::string::npos) return {};
  const std::size_t begin = json.find('{', at);
  int depth = 0;
  for (std::size_t i = begin; i < json.size(); ++i) {
    if (json[i] == '{') ++depth;
    if (json[i] == '}' && --depth == 0) {
      return json.substr(begin, i - begin + 1);
    }
  }
  return {};
}

// The worst margin of the pi network at loaded Q `qn` against the rule.
float WorstMarginAt(const std::string& qn) {
  const CalcRun run = RunCalc({"--format", "json", "--limit", "us", "28.5", qn,
                               "200", "2000", "50", "1500"});
  EXPECT_EQ(run.status, ExitStatus::kSuccess) << qn;
  return JsonFloat(ReadJsonObject(ObjectMember(run.out, "emissions")),
                   "worst_margin");
}

TEST(RunCalc, EmissionsObjectOnlyWhenAskedForAndItsSearchMeetsTheMargin) {
  const CalcRun plain_run =
      RunCalc({"--format", "json", "28.5", "12", "200", "2000", "50", "1500"});
  EXPECT_EQ(plain_run.out.find("emissions"), std::string::npos);
  const CalcRun csv =
      RunCalc({"--format", "csv", "28.5", "12", "200", "2000", "50", "1500"});
  EXPECT_EQ(csv.out.find("emissions_"), std::string::npos);
  EXPECT_EQ(csv.out.find(",h2_"), std::string::npos);

  const CalcRun run = RunCalc({"--format", "json", "--limit", "us", "28.5",
                               "12", "200", "2000", "50", "1500"});
  ASSERT_EQ(run.status, ExitStatus::kSuccess) << run.err;
  const JsonObject e = ReadJsonObject(ObjectMember(run.out, "emissions"));
  EXPECT_EQ(e.at("conduction"), "240");  // class AB's, without --rin-from
  EXPECT_EQ(e.at("rule"), "us");
  EXPECT_EQ(e.at("shortfall"), "null");
  EXPECT_EQ(e.count("rmid_for_limit"), 0u);
  const std::vector<JsonObject> harmonics = ReadJsonArray(e.at("harmonics"));
  ASSERT_EQ(harmonics.size(), 4u);
  float worst = INFINITY;
  for (std::size_t i = 0; i < harmonics.size(); ++i) {
    const JsonObject& h = harmonics[i];
    EXPECT_EQ(JsonInt(h, "n"), static_cast<int>(i + 2));
    EXPECT_FLOAT_EQ(JsonFloat(h, "f"), 28.5f * static_cast<float>(i + 2));
    EXPECT_EQ(h.at("limit_dbc"), "-43");  // below 30 MHz
    EXPECT_FLOAT_EQ(JsonFloat(h, "margin"), -43.0f - JsonFloat(h, "dbc"));
    EXPECT_EQ(h.at("pass"), JsonFloat(h, "margin") >= 0.0f ? "true" : "false");
    worst = std::min(worst, JsonFloat(h, "margin"));
  }
  EXPECT_FLOAT_EQ(JsonFloat(e, "worst_margin"), worst);
  // The loaded Q found meets the rule by 6 dB; 0.001 less does not.
  const float qn = JsonFloat(e, "qn_for_limit");
  ASSERT_LT(qn, 12.0f);
  EXPECT_GE(WorstMarginAt(fixed(qn, 3)), 6.0f);
  EXPECT_LT(WorstMarginAt(fixed(qn - 0.001, 3)), 6.0f);

  // The pi-L network searches RMID; this limit is out of its reach.
  const CalcRun pi_l =
      RunCalc({"--format", "json", "--network", "pi-l", "--limit-dbc", "60",
               "28.5", "12", "200", "2000", "50", "1500"});
  const JsonObject el = ReadJsonObject(ObjectMember(pi_l.out, "emissions"));
  EXPECT_EQ(el.at("rule"), "dbc");
  EXPECT_EQ(el.at("rmid_for_limit"), "null");
  EXPECT_EQ(el.count("qn_for_limit"), 0u);
  EXPECT_GT(JsonFloat(el, "shortfall"), 0.0f);
}

// Argument lines that together reach merid-calc's texts: both networks,
// the mismatched load retuned, the bench's ranges, the band tables with the
// fixed coil and Cmin, the harmonic limit, the estimates of RIN, given
// elements, infeasible designs and both plots.
const std::vector<std::vector<std::string_view>> kEveryText = {
    {"--swr", "2", "--retune", "--c1-range", "50,400", "--c2-range", "200,2000",
     "--svg", "p.svg", "--smith", "s.svg", "7.1", "12", "200", "2000", "50",
     "1000"},
    {"--bands", "--fixed-coil", "--cmin", "30", "12", "200", "2000", "50",
     "1000"},
    {"--bands", "--fixed-coil", "--cmin", "30", "--network", "pi-l", "12",
     "200", "2000", "50", "1000"},
    {"--bands", "--fixed-coil", "3", "200", "2000", "50", "1000"},
    {"--bands", "--c1-range", "50,400", "--c2-range", "200,2000", "--limit",
     "us", "12", "200", "2000", "50", "1000"},
    {"--limit", "us", "--svg", "p.svg", "--coil-c", "5", "--c1-lead", "20",
     "28", "12", "200", "2000", "50", "1000"},
    {"--limit-dbc", "60", "--rp", "5000", "--push-pull", "20", "--network",
     "pi-l", "28.5", "12", "200", "2000", "50", "1500"},
    {"--rin-from", "tube:2500,0.4,AB", "--cmin", "500", "7.1", "12", "200",
     "50", "1000"},
    {"--rin-from", "transistor:50,2,500", "7.1", "1.2", "200", "50", "500"},
    {"--elements", "200,5,1000", "7.1", "200", "2000", "50", "1000"},
    {"--elements", "20000,5,1000", "7.1", "200", "2000", "50", "1000"},
    {"--elements", "200,5,1000", "--bands", "200", "2000", "50", "1000"},
    {"--network", "pi-l", "--elements", "200,5,1000,3,0", "--svg", "p.svg",
     "7.1", "200", "2000", "50", "1000"},
    {"--network", "pi-l", "--rmid", "300", "--swr", "3", "--retune",
     "--c2-range", "100,2000", "--smith", "s.svg", "7.1", "12", "200", "2000",
     "50", "1000"},
    {"--network", "pi-l", "--rmid", "10", "7.1", "12", "200", "2000", "50",
     "1000"},
    {"--network", "pi-l", "7.1", "1.5", "200", "5000", "50", "1000"},
    {"7.1", "1.2", "200", "2000", "50", "1000"},
};

CalcRun RunIn(std::string_view language, std::vector<std::string_view> args) {
  args.insert(args.begin(), {"--lang", language});
  return RunCalc(args);
}

// A Cyrillic letter in UTF-8: U+0400 to U+04FF.
bool HasCyrillic(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead >= 0xD0 && lead <= 0xD3 && (next & 0xC0) == 0x80) return true;
  }
  return false;
}

// The lines of `text` without their CR LF ends.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != text.npos;
       start = end + 2) {
    lines.emplace_back(text.substr(start, end - start));
  }
  return lines;
}

// Each character of `line` as the terminal shows it, tabs expanded to
// stops of eight: whether a blank stands in the column.
std::vector<bool> Blanks(std::string_view line) {
  std::vector<bool> blank;
  for (const char c : line) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (c == '\t') {
      blank.resize((blank.size() / 8 + 1) * 8, true);
    } else {
      blank.push_back(c == ' ');
    }
  }
  return blank;
}

// The columns of the "="s that tabs lead to.
std::vector<std::size_t> EqualsColumns(std::string_view line) {
  std::vector<std::size_t> columns;
  std::size_t column = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (c == '=' && i > 0 && line[i - 1] == '\t') columns.push_back(column);
    column = c == '\t' ? (column / 8 + 1) * 8 : column + 1;
  }
  return columns;
}

// The columns where a word of `line` ends, up to `last`.
std::set<std::size_t> WordEnds(std::string_view line, std::size_t last) {
  const std::vector<bool> blank = Blanks(line);
  std::set<std::size_t> ends;
  for (std::size_t i = 0; i < blank.size() && i <= last; ++i) {
    if (!blank[i] && (i + 1 == blank.size() || blank[i + 1])) ends.insert(i);
  }
  return ends;
}

// Whether every value of the row `row` ends where a word of `heading` does:
// a column's heading stands right-aligned over its values.  The band's
// name, in the first six columns, stands left-aligned.
bool HeadsItsValues(std::string_view heading, std::string_view row) {
  const std::set<std::size_t> words = WordEnds(heading, SIZE_MAX);
  std::set<std::size_t> values = WordEnds(row, *words.rbegin());
  std::erase_if(values, [](std::size_t column) { return column < 6; });
  return std::includes(words.begin(), words.end(), values.begin(),
                       values.end());
}

// The first line after the heading `lines[heading]` whose columns under it
// hold numbers alone, past the band's name: a row with a network.
std::size_t FirstRowOfValues(const std::vector<std::string>& lines,
                             std::size_t heading) {
  const std::size_t width = lines[heading].size();
  for (std::size_t i = heading + 1; i < lines.size(); ++i) {
    const std::string_view under =
        std::string_view(lines[i]).substr(0, width).substr(
            std::min<std::size_t>(6, lines[i].size()));
    const bool numbers = std::all_of(under.begin(), under.end(), [](char c) {
      return c == ' ' || c == '.' || c == '-' || (c >= '0' && c <= '9');
    });
    if (numbers && !under.empty()) return i;
  }
  return lines.size();
}

TEST(RunCalcLanguage, EnglishHasNoRussianLetterAndTheSameStatus) {
  for (const auto& args : kEveryText) {
    const CalcRun en = RunIn("en", args);
    const CalcRun ru = RunIn("ru", args);
    SCOPED_TRACE(en.out);
    EXPECT_EQ(en.status, ru.status);
    EXPECT_FALSE(HasCyrillic(en.out));
    EXPECT_FALSE(HasCyrillic(en.err)) << en.err;
    ASSERT_EQ(en.files.size(), ru.files.size());
    for (const std::string& file : en.files) {
      EXPECT_FALSE(HasCyrillic(file)) << file.substr(0, file.find('\n'));
    }
    // Russian has them all, so a text that ran past the catalogue is seen.
    EXPECT_TRUE(HasCyrillic(ru.out));
  }
}

TEST(RunCalcLanguage, RussianIsTheDefaultWithTheWarningsInEnglish) {
  for (const auto& args : kEveryText) {
    const CalcRun plain = RunCalc(args);
    const CalcRun ru = RunIn("ru", args);
    EXPECT_EQ(ru.out, plain.out);
    EXPECT_EQ(ru.files, plain.files);
    EXPECT_FALSE(HasCyrillic(plain.err)) << plain.err;
  }
  // --lang ru asks for the warnings in Russian too.
  const CalcRun warned = RunIn("ru", kEveryText[9]);
  ASSERT_NE(warned.err, "");
  EXPECT_TRUE(HasCyrillic(warned.err)) << warned.err;
  // JSON and CSV say the same in either.
  for (const std::string_view format : {"json", "csv"}) {
    std::vector<std::string_view> args = kEveryText[9];
    args.insert(args.begin(), {"--format", format});
    const CalcRun en = RunIn("en", args);
    EXPECT_EQ(en.out, RunCalc(args).out);
    EXPECT_EQ(en.err, RunCalc(args).err);
  }
}

// Every English line stands where its Russian one does: the same lines,
// each "=" of the screen's columns in its column, and the words of a
// table's heading ending over its values.
TEST(RunCalcLanguage, EnglishKeepsTheRussianColumns) {
  for (const auto& args : kEveryText) {
    const std::vector<std::string> en = Lines(RunIn("en", args).out);
    const std::vector<std::string> ru = Lines(RunIn("ru", args).out);
    ASSERT_EQ(en.size(), ru.size());
    for (std::size_t i = 0; i < ru.size(); ++i) {
      SCOPED_TRACE(en[i]);
      // A label longer than its column pushes its "=" on, in either.
      const std::vector<std::size_t> at = EqualsColumns(ru[i]);
      if (!at.empty() && at[0] == 24) {
        EXPECT_EQ(EqualsColumns(en[i]), at);
      }
      // The Russian harmonics' heading stands a column right of its values
      // from W on, as it always has; the English one over them.
      if (ru[i].starts_with(" Диап.") || ru[i].starts_with("  n     F,")) {
        const std::size_t row = FirstRowOfValues(en, i);
        if (row < en.size()) {
          EXPECT_TRUE(HeadsItsValues(en[i], en[row])) << en[row];
        }
      }
    }
  }
}

TEST(RunCalcLanguage, EnglishWordsAndUnits) {
  const struct {
    std::vector<std::string_view> args;
    std::vector<std::string_view> lines;
  } kCases[] = {
      {{"7.1", "12", "200", "2000", "50", "1000"},
       {" F, MHz\t\t\t=      7.100", " RIN,  ohm\t\t=   2000.000",
        " C1, pF\t\t\t=    119.426      U in,  V RMS\t\t=   1414.214",
        " L, uH\t\t\t=      4.697      U on L, V RMS\t\t=   1585.728",
        " Peak values:",
        " U peak on C1, V\t=   2000.000      I peak in C1, A\t=     10.655"}},
      {{"--bands", "12", "200", "2000", "50", "1000"},
       {" Band       F, MHz      C1, pF      C2, pF       L, uH U peak C1, V"
        "  I peak L, A",
        " 160 m       1.800     471.071    2529.597      18.527     2000.000"
        "       10.702"}},
      {{"7.1", "1.2", "200", "2000", "50", "1000"},
       {" The loaded Q is too small for this",
        " impedance transformation ratio."}},
  };
  for (const auto& c : kCases) {
    const std::vector<std::string> lines = Lines(RunIn("en", c.args).out);
    for (const std::string_view line : c.lines) {
      EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end())
          << line;
    }
  }
}

TEST(RunCalcLanguage, BadLanguageIsOneLineAndStatusTwo) {
  for (const std::string_view value : {"de", "", "EN"}) {
    const CalcRun run =
        RunIn(value, {"7.1", "12", "200", "2000", "50", "1000"});
    EXPECT_EQ(run.status, ExitStatus::kFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, value.empty() ? "merid-calc: --lang needs ru or en\n"
                                     : concat({"merid-calc: --lang \"", value,
                                               "\": choose ru or en\n"}));
  }
}

}  // namespace
}  // namespace merid

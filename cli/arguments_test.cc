#include "design/arguments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace merid {
namespace {

struct ParsedArguments {
  bool ok;
  std::string error;
  Options options;
};

ParsedArguments Parse(std::vector<std::string_view> args) {
  ParsedArguments parsed;
  const Status status = parse_arguments(args, parsed.options);
  parsed.ok = status.ok();
  parsed.error = status.error;
  return parsed;
}

// Each input against the edges of its range, typed as at the dialogue.
struct InputCase {
  Input input;
  const char* text;
  float qn;  // the loaded Q accepted before (bounds Q0)
  bool accepted;
  float value;  // when accepted
};

constexpr InputCase kInputCases[] = {
    {Input::kF, "0.1", 0.0f, true, 0.1f},
    {Input::kF, "150", 0.0f, true, 150.0f},
    {Input::kF, "0.09", 0.0f, false, 0.0f},
    {Input::kF, "150.01", 0.0f, false, 0.0f},
    {Input::kF, "7,1", 0.0f, true, 7.1f},
    {Input::kF, "1.5+1", 0.0f, true, 15.0f},
    {Input::kF, "2*7.5", 0.0f, true, 7.5f},
    {Input::kF, "12 abc", 0.0f, true, 12.0f},
    {Input::kF, "1.5D1", 0.0f, true, 15.0f},
    {Input::kQn, "1.11", 0.0f, false, 0.0f},
    {Input::kQn, "1.12", 0.0f, true, 1.12f},
    {Input::kQn, "70", 0.0f, true, 70.0f},
    {Input::kQn, "70.5", 0.0f, false, 0.0f},
    // 1.2 * 10 is exactly 12 in single precision.
    {Input::kQ0, "12", 10.0f, false, 0.0f},
    {Input::kQ0, "12.01", 10.0f, true, 12.01f},
    {Input::kQ0, "999", 10.0f, true, 999.0f},
    {Input::kQ0, "999.5", 10.0f, false, 0.0f},
    {Input::kRin, "0.1", 0.0f, true, 0.1f},
    {Input::kRin, "0.09", 0.0f, false, 0.0f},
    {Input::kRout, "100000", 0.0f, true, 100000.0f},
    {Input::kRout, "100001", 0.0f, false, 0.0f},
    {Input::kPin, "0.01", 0.0f, false, 0.0f},
    {Input::kPin, "0.011", 0.0f, true, 0.011f},
    {Input::kPin, "1e5", 0.0f, true, 100000.0f},
    {Input::kPin, "100000.1", 0.0f, false, 0.0f},
    // Words that read as numbers but lie in no range.
    {Input::kPin, "NaN", 0.0f, false, 0.0f},
    {Input::kPin, "-nan", 0.0f, false, 0.0f},
    {Input::kF, "Inf", 0.0f, false, 0.0f},
    {Input::kF, "-2", 0.0f, false, 0.0f},
    // Not numbers at all.
    {Input::kF, "abc", 0.0f, false, 0.0f},
    {Input::kF, "12abc", 0.0f, false, 0.0f},
    {Input::kF, "1..5", 0.0f, false, 0.0f},
    {Input::kF, "", 0.0f, false, 0.0f},
    {Input::kF, "/", 0.0f, false, 0.0f},
    // Ten bytes are read whole; the dialogue would cut an eleventh.
    {Input::kF, "7.10000000", 0.0f, true, 7.1f},
    {Input::kF, "150.0000001", 0.0f, false, 0.0f},
    {Input::kF, "7.1       x", 0.0f, false, 0.0f},
};

TEST(ReadInput, AcceptsExactlyTheDialoguesRanges) {
  for (const InputCase& c : kInputCases) {
    SCOPED_TRACE(testing::Message()
                 << input_name(c.input) << " = \"" << c.text << "\"");
    float value = 0.0f;
    const Status read = read_input(c.input, c.text, c.qn, value);
    EXPECT_EQ(read.ok(), c.accepted) << read.error;
    if (c.accepted) {
      EXPECT_EQ(value, c.value);
    }
  }
}

struct MessageCase {
  std::vector<std::string_view> args;
  const char* error;
};

const MessageCase kMessageCases[] = {
    {{"200", "12", "200", "2000", "50", "100"},
     "F = \"200\" is outside the accepted range 0.1 <= F <= 150 (MHz)"},
    {{"7.1", "x", "200", "2000", "50", "100"},
     "QN = \"x\" is not a number; accepted range 1.11 < QN <= 70"},
    {{"7.1", "10", "12", "2000", "50", "100"},
     "Q0 = \"12\" is outside the accepted range 12 < Q0 <= 999 "
     "(1.2*QN < Q0 <= 999)"},
    {{"7.1", "12", "200", "0", "50", "100"},
     "RIN = \"0\" is outside the accepted range 0.1 <= RIN <= 100000 (ohm)"},
    {{"7.1", "12", "200", "2000", "1e6", "100"},
     "ROUT = \"1e6\" is outside the accepted range 0.1 <= ROUT <= 100000 "
     "(ohm)"},
    {{"7.1", "12", "200", "2000", "50", "NaN"},
     "PIN = \"NaN\" is outside the accepted range 0.01 < PIN <= 100000 (W)"},
    {{"7.100000001", "12", "200", "2000", "50", "100"},
     "F = \"7.100000001\" is longer than 10 characters; accepted range "
     "0.1 <= F <= 150 (MHz)"},
    // Typed bytes are quoted, never sent to the terminal as they are.
    {{"7\x1b[2J", "12", "200", "2000", "50", "100"},
     "F = \"7\\x1B[2J\" is not a number; accepted range 0.1 <= F <= 150 "
     "(MHz)"},
    // The first argument out of range is the one named.
    {{"7.1", "1", "1", "2000", "50", "100"},
     "QN = \"1\" is outside the accepted range 1.11 < QN <= 70"},
    {{"7.1", "12", "200", "2000", "50"},
     "expected six numbers, F QN Q0 RIN ROUT PIN, got 5; see merid-calc "
     "--help"},
    {{"--bands", "7.1", "12", "200", "2000", "50", "100"},
     "--bands takes five numbers, QN Q0 RIN ROUT PIN (the band table gives "
     "the frequencies), got 6; see merid-calc --help"},
    {{"--bands", "--svg", "a.svg", "12", "200", "2000", "50", "100"},
     "--svg plots one design and takes no --bands"},
    {{"--format", "xml", "7.1", "12", "200", "2000", "50", "100"},
     "--format \"xml\": choose text, json or csv"},
    {{"7.1", "12", "200", "2000", "50", "100", "--format"},
     "--format needs text, json or csv"},
    {{"--svg=", "7.1", "12", "200", "2000", "50", "100"},
     "--svg needs a file name"},
    {{"--plot", "7.1", "12", "200", "2000", "50", "100"},
     "unknown option \"--plot\"; see merid-calc --help"},
    {{"--swr", "0.99", "7.1", "12", "200", "2000", "50", "100"},
     "--swr \"0.99\": give an SWR from 1 to 10, as in 2 or 1,5"},
    {{"--swr=10.01", "7.1", "12", "200", "2000", "50", "100"},
     "--swr \"10.01\": give an SWR from 1 to 10, as in 2 or 1,5"},
    {{"7.1", "12", "200", "2000", "50", "100", "--swr"},
     "--swr \"\": give an SWR from 1 to 10, as in 2 or 1,5"},
    {{"--bands", "--swr", "2", "12", "200", "2000", "50", "100"},
     "--swr with --bands adds columns to --format json or csv only"},
    {{"--bands", "--smith", "a.svg", "12", "200", "2000", "50", "100"},
     "--smith charts one design and takes no --bands"},
    {{"--whole-window", "7.1", "12", "200", "2000", "50", "100"},
     "--whole-window sets the span of the --svg plot; add --svg"},
    // The amplifier options name the option, the value and its range.
    {{"--cmin", "-1", "7.1", "12", "200", "2000", "50", "100"},
     "--cmin: CMIN = \"-1\" is outside the accepted range 0 <= CMIN <= "
     "100000 (pF)"},
    {{"--cmin=pF", "7.1", "12", "200", "2000", "50", "100"},
     "--cmin: CMIN = \"pF\" is not a number; accepted range 0 <= CMIN <= "
     "100000 (pF)"},
    {{"--fixed-coil", "7.1", "12", "200", "2000", "50", "100"},
     "--fixed-coil keeps one coil across each band and needs --bands"},
    {{"--rin-from", "tube:2500,0.4,D", "7.1", "12", "200", "50", "100"},
     "--rin-from \"tube:2500,0.4,D\": CLASS = \"D\": choose A, AB, B or C"},
    {{"--rin-from", "tube:2500,0,AB", "7.1", "12", "200", "50", "100"},
     "--rin-from \"tube:2500,0,AB\": IA = \"0\" is outside the accepted "
     "range 0 < IA <= 1000 (A)"},
    {{"--rin-from", "tube:2500,0.4", "7.1", "12", "200", "50", "100"},
     "--rin-from \"tube:2500,0.4\": expected tube:EA,IA,CLASS"},
    {{"--rin-from", "transistor:13.8,14,100", "7.1", "12", "200", "50", "100"},
     "--rin-from \"transistor:13.8,14,100\": VSAT = 14 is outside the "
     "accepted range 0 <= VSAT < VCC = 13.8 (V)"},
    {{"--rin-from", "transistor:1,0.99,1000", "7.1", "12", "200", "50", "100"},
     "--rin-from \"transistor:1,0.99,1000\": the estimate RIN = 0.000 ohm "
     "is outside the accepted range 0.1 <= RIN <= 100000 (ohm)"},
    {{"--rin-from", "valve:1", "7.1", "12", "200", "50", "100"},
     "--rin-from \"valve:1\": choose tube:EA,IA,CLASS or "
     "transistor:VCC,VSAT,P"},
    {{"--rin-from=tube:2500,0.4,AB", "7.1", "12", "200", "2000", "50", "100"},
     "with --rin-from expected five numbers, F QN Q0 ROUT PIN (--rin-from "
     "gives RIN), got 6; see merid-calc --help"},
};

TEST(ParseArguments, RinFromTheRatingsTakesThePlaceOfRin) {
  const ParsedArguments tube = Parse(
      {"--rin-from", "tube:2500,0.4,AB", "7.1", "12", "200", "50", "100"});
  ASSERT_TRUE(tube.ok) << tube.error;
  // Class AB's k from cosine pulses of 240 degrees over the 0.9 EA swing.
  EXPECT_EQ(tube.options.inputs.rin,
            static_cast<float>(2500.0 / (1.4678011709713654 * 0.4f)));
  EXPECT_EQ(tube.options.inputs.rout, 50.0f);
  const ParsedArguments transistor =
      Parse({"--bands", "--rin-from=transistor:13.8,1.3,100", "12", "200", "50",
             "100", "--cmin", "12,5"});
  ASSERT_TRUE(transistor.ok) << transistor.error;
  const double swing = static_cast<double>(13.8f) - 1.3f;
  EXPECT_EQ(transistor.options.inputs.rin,
            static_cast<float>(swing * swing / 200.0));
  EXPECT_EQ(transistor.options.amplifier.cmin, 12.5f);
}

TEST(ParseArguments, OneLineNamingArgumentValueAndRange) {
  for (const MessageCase& c : kMessageCases) {
    const ParsedArguments parsed = Parse(c.args);
    EXPECT_FALSE(parsed.ok) << c.error;
    EXPECT_EQ(parsed.error, c.error);
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
  }
}

// An argument of 100,000 bytes was echoed whole; the report now shows its
// first 40 bytes (40 bytes exactly still whole) and "...".
TEST(ParseArguments, HugeArgumentWasEchoedWhole) {
  const std::string forty(40, '7');
  const std::string huge(100000, 'x');
  const std::string escaped = "\x01" + std::string(99999, 'y');
  EXPECT_EQ(Parse({forty, "12", "200", "2000", "50", "100"}).error,
            "F = \"" + forty +
                "\" is longer than 10 characters; accepted range 0.1 <= F <= "
                "150 (MHz)");
  EXPECT_EQ(Parse({"7.1", "12", "200", "2000", "50", huge}).error,
            "PIN = \"" + huge.substr(0, 40) +
                "\"... is longer than 10 characters; accepted range 0.01 < "
                "PIN <= 100000 (W)");
  EXPECT_EQ(Parse({"--" + huge}).error, "unknown option \"--" +
                                            huge.substr(0, 38) +
                                            "\"...; see merid-calc --help");
  EXPECT_EQ(Parse({"--format", escaped}).error,
            "--format \"\\x01" + escaped.substr(1, 39) +
                "\"...: choose text, json or csv");
}

TEST(ParseArguments, OptionsInAnyPlaceAndBothSpellings) {
  const ParsedArguments parsed =
      Parse({"7,1", "--format=csv", "12", "--svg", "plot.svg", "200", "2000",
             "50", "100"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const Options& o = parsed.options;
  EXPECT_EQ(o.format, OutputFormat::kCsv);
  EXPECT_EQ(o.svg_path, "plot.svg");
  EXPECT_FALSE(o.bands);
  EXPECT_EQ(o.inputs.f, 7.1f);
  EXPECT_EQ(o.inputs.qn, 12.0f);
  EXPECT_EQ(o.inputs.pin, 100.0f);
}

TEST(ParseArguments, SwrSmithAndWholeWindow) {
  const ParsedArguments parsed =
      Parse({"--swr", "2,5", "--smith=z.svg", "--svg", "p.svg",
             "--whole-window", "7.1", "12", "200", "2000", "50", "100"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.options.swr, 2.5f);
  EXPECT_EQ(parsed.options.smith_path, "z.svg");
  EXPECT_TRUE(parsed.options.whole_window);
  for (const char* edge : {"1", "10"}) {
    const ParsedArguments at_edge =
        Parse({"--swr", edge, "7.1", "12", "200", "2000", "50", "100"});
    EXPECT_TRUE(at_edge.ok) << at_edge.error;
  }
  EXPECT_EQ(Parse({"7.1", "12", "200", "2000", "50", "100"}).options.swr, 0.0f);
}

TEST(ParseArguments, BandsTakeTheFiveInputsAfterTheFrequency) {
  const ParsedArguments parsed =
      Parse({"--bands", "--format", "json", "12", "200", "2000", "50", "100"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_TRUE(parsed.options.bands);
  EXPECT_EQ(parsed.options.format, OutputFormat::kJson);
  EXPECT_EQ(parsed.options.inputs.qn, 12.0f);
  EXPECT_EQ(parsed.options.inputs.q0, 200.0f);
  EXPECT_EQ(parsed.options.inputs.rin, 2000.0f);
  EXPECT_EQ(parsed.options.inputs.rout, 50.0f);
  EXPECT_EQ(parsed.options.inputs.pin, 100.0f);
}

// A built tank's elements take the place of QN, which is NaN; only pi-L's
// COUT may be 0.
TEST(ParseArguments, ElementsTakeThePlaceOfTheLoadedQ) {
  const ParsedArguments pi = Parse(
      {"--elements", "119.4,4.697,641.3", "7.1", "200", "2000", "50", "100"});
  ASSERT_TRUE(pi.ok) << pi.error;
  const TankInputs& in = pi.options.inputs;
  ASSERT_TRUE(in.elements.has_value());
  EXPECT_EQ((*in.elements)[0], 119.4f);
  EXPECT_EQ((*in.elements)[1], 4.697f);
  EXPECT_EQ((*in.elements)[2], 641.3f);
  EXPECT_TRUE(std::isnan(in.qn));
  EXPECT_EQ(in.f, 7.1f);
  EXPECT_EQ(in.q0, 200.0f);
  EXPECT_EQ(in.pin, 100.0f);
  const ParsedArguments pi_l =
      Parse({"--network", "pi-l", "--bands", "--elements=100,4,700,2,0",
             "--rin-from", "tube:2500,0.4,B", "200", "50", "100"});
  ASSERT_TRUE(pi_l.ok) << pi_l.error;
  ASSERT_TRUE(pi_l.options.inputs.elements.has_value());
  EXPECT_EQ((*pi_l.options.inputs.elements)[3], 2.0f);
  EXPECT_EQ((*pi_l.options.inputs.elements)[4], 0.0f);
  EXPECT_EQ(pi_l.options.inputs.q0, 200.0f);
  EXPECT_EQ(pi_l.options.inputs.rout, 50.0f);
}

TEST(ParseArguments, CapacitorRangesAndRetune) {
  const ParsedArguments parsed =
      Parse({"--swr", "3", "--retune", "--c1-range", "10,250",
             "--c2-range=1500,1500", "7.1", "12", "200", "2000", "50", "100"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_TRUE(parsed.options.retune);
  const CapacitorRanges& c = parsed.options.amplifier.capacitors;
  ASSERT_TRUE(c.c1.has_value() && c.c2.has_value());
  EXPECT_EQ(c.c1->low, 10.0f);
  EXPECT_EQ(c.c1->high, 250.0f);
  EXPECT_EQ(c.c2->low, 1500.0f);  // MIN = MAX: a fixed capacitor
  EXPECT_EQ(c.c2->high, 1500.0f);
  EXPECT_FALSE(Parse({"7.1", "12", "200", "2000", "50", "100"})
                   .options.amplifier.capacitors.any());
}

// --help, -h and --version won wherever they stood, after "--" and as an
// option's value too: "--svg -h" printed the help and wrote no plot.  Now
// they ask for the help only where an option may stand.
TEST(ParseArguments, HelpAfterDoubleDashOrAsAValueWasTakenAsHelp) {
  const ParsedArguments after_dashes =
      Parse({"--", "7.1", "12", "200", "2000", "50", "--help"});
  EXPECT_FALSE(after_dashes.options.help);
  EXPECT_EQ(after_dashes.error,
            "PIN = \"--help\" is not a number; accepted range 0.01 < PIN <= "
            "100000 (W)");
  const ParsedArguments value =
      Parse({"--svg", "-h", "--smith", "--version", "7.1", "12", "200", "2000",
             "50", "100"});
  ASSERT_TRUE(value.ok) << value.error;
  EXPECT_FALSE(value.options.help);
  EXPECT_FALSE(value.options.version);
  EXPECT_EQ(value.options.svg_path, "-h");
  EXPECT_EQ(value.options.smith_path, "--version");
  const ParsedArguments numbers =
      Parse({"--", "7.1", "12", "200", "2000", "50", "--5"});
  EXPECT_EQ(numbers.error,
            "PIN = \"--5\" is not a number; accepted range 0.01 < PIN <= "
            "100000 (W)");
}

// A repeated option was taken silently, the last one winning: --svg a.svg
// --svg b.svg wrote only b.svg.
TEST(ParseArguments, RepeatedOptionWasTakenSilently) {
  const std::vector<std::vector<std::string_view>> kRepeats = {
      {"--swr", "2", "--swr", "3"},
      {"--svg", "a.svg", "--svg=b.svg"},
      {"--rin-from", "tube:2500,0.4,AB", "--rin-from", "tube:2500,0.4,B"},
      {"--whole-window", "--svg", "a.svg", "--whole-window"},
      {"--rmid", "300", "--network", "pi-l", "--rmid", "400"},
      {"--c1-range", "1,2", "--c1-range=3,4"},
      {"--elements", "1,2,3", "--elements", "1,2,3"},
  };
  for (std::vector<std::string_view> args : kRepeats) {
    const std::string name(args.back() == "--whole-window" ? args.back()
                                                           : args[0]);
    for (const char* n : {"7.1", "12", "200", "2000", "50", "100"}) {
      args.push_back(n);
    }
    const ParsedArguments parsed = Parse(args);
    EXPECT_FALSE(parsed.ok) << name;
    std::string want = name;
    want += " is given twice; give it once";
    EXPECT_EQ(parsed.error, want);
  }
}

// The values of --swr, --cmin and --rin-from were echoed whole (400,063
// bytes for one refused --swr); every echo now stops after 40 bytes.
TEST(ParseArguments, RefusedOptionValuesWereEchoedWhole) {
  const std::string huge(100000, '\x01');
  const std::string rin_from = "transistor:1,2," + huge;
  for (const std::vector<std::string_view>& option :
       std::vector<std::vector<std::string_view>>{{"--swr", huge},
                                                  {"--cmin", huge},
                                                  {"--rin-from", rin_from},
                                                  {"--c2-range", huge}}) {
    std::vector<std::string_view> args = option;
    for (const char* n : {"7.1", "12", "200", "2000", "50", "100"}) {
      args.push_back(n);
    }
    const ParsedArguments parsed = Parse(args);
    EXPECT_FALSE(parsed.ok);
    EXPECT_LT(parsed.error.size(), 500u) << option[0];
    EXPECT_NE(parsed.error.find("\\x01\"..."), std::string::npos)
        << parsed.error.substr(0, 200);
  }
}

TEST(ParseArguments, HelpAndVersionWinOverErrors) {
  EXPECT_TRUE(Parse({"--format", "xml", "--help"}).options.help);
  EXPECT_TRUE(Parse({"1", "--version"}).options.version);
  EXPECT_TRUE(Parse({"-h"}).ok);
}

// One option's value checked alone is refused in the words, and only in
// the cases, of the whole command line (the page checks each entry so).
TEST(CheckOption, RefusesAsTheCommandLineDoes) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {"--cmin", "0"},
      {"--cmin", "100000"},
      {"--cmin", "100001"},
      {"--cmin", "1 50"},
      {"--swr", "10"},
      {"--swr", "10.5"},
      {"--c1-range", "10,250"},
      {"--c1-range", "250,10"},
      {"--rin-from", "tube:2500,0.4,AB"},
      {"--rin-from", "tube:1"},
      {"--margin", "61"},
      {"--limit", "us"},
      {"--limit", "eu"},
      {"--network", "pi-l"},
      {"--network", "tee"},
      {"--conduction", "90"},
  };
  for (const auto& [name, value] : cases) {
    SCOPED_TRACE(std::string(name) + " " + std::string(value));
    const Status alone = check_option(name, value);
    const bool rin_from = name == "--rin-from";
    std::vector<std::string_view> args = {name, value, "7.1", "12", "200"};
    if (!rin_from) args.push_back("2000");
    args.insert(args.end(), {"50", "100"});
    const ParsedArguments whole = Parse(args);
    EXPECT_EQ(alone.ok(), whole.ok);
    EXPECT_EQ(alone.error, whole.error);
  }
  EXPECT_TRUE(check_option("--rmid", "500").ok());
  EXPECT_FALSE(check_option("--rmid", "0.01").ok());
  EXPECT_TRUE(check_option("--retune", "").ok());
  EXPECT_FALSE(check_option("--tee", "1").ok());
}

}  // namespace
}  // namespace merid

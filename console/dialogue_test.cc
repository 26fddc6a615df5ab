// Whole dialogues in memory: scripted keyboard lines, the console output in
// UTF-8 with a marker wherever the screen is cleared or the program pauses,
// and the results file in memory.

#include "console/dialogue.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "calc/synthesis.h"
#include "console/input_reader.h"
#include "design/pi_network.h"
#include "output/console_writer.h"
#include "output/results_screen.h"
#include "report/printer.h"
#include "tests/support/fake_env.h"
#include "tests/support/string_io.h"
#include "text/messages.h"

namespace merid {
namespace {

std::string Text(Msg m) { return std::string(utf8_messages()[m]); }
// A text line as the screen shows it.
std::string Line(Msg m) { return " " + Text(m) + "\r\n"; }

std::string ResultsFile() { return std::string(kResultsFileName); }

// Where the screen is cleared, and where the program pauses one second.
std::string Cls() { return std::string(kClearMarker); }
std::string Pause() { return std::string(kSleepMarker); }

// What stands after the results or the infeasible message: the menu lines,
// then the menu prompt.
std::string MenuLines() {
  return "\r\n" + Line(Msg::kMenu1) + Line(Msg::kMenu2) + Line(Msg::kMenu3) +
         Line(Msg::kMenu4) + "\r\n";
}
std::string Menu() { return MenuLines() + Text(Msg::kMenuPrompt); }

// "73!" for one second; the screen is then cleared.
std::string FarewellShown() { return "\r\n" + Line(Msg::kFarewell) + Pause(); }
std::string Farewell() { return FarewellShown() + Cls(); }

std::string Infeasible() {
  return "\r\n" + Line(Msg::kInfeasible1) + Line(Msg::kInfeasible2);
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class DialogueTest : public testing::Test {
 protected:
  DialogueTest() : out_(screen_, utf8_messages()), env_(&screen_) {}

  // Forgets the previous session: nothing typed, a blank screen, no file.
  void StartOver() {
    typed_.clear();
    line_end_ = "\n";
    screen_.clear();
    env_ = FakeEnv(&screen_);
    outcome_ = Status{};
  }

  void EndLinesWithCrLf() { line_end_ = "\r\n"; }
  void Type(std::string_view line) {
    typed_ += line;
    typed_ += line_end_;
  }
  void Type(std::initializer_list<std::string_view> lines) {
    for (const std::string_view line : lines) Type(line);
  }
  void TypeTypicalInputs() { Type({"7.1", "12", "200", "2000", "50", "100"}); }
  // Qn 5 is too small to turn 2000 ohm into 50.
  void TypeInfeasibleInputs() {
    Type({"7.1", "5", "200", "2000", "50", "100"});
  }
  void Choose(int choice) { Type(std::to_string(choice)); }

  // Runs the dialogue over everything typed; the input ends after it.
  void Run() {
    StringSource source(typed_);
    InputReader in(source);
    outcome_ = run_dialogue(in, out_, env_);
  }

  const std::string& Screen() const { return screen_.text(); }
  // What stood on the console between one clear and the next.
  std::vector<std::string> Screens() const {
    std::vector<std::string> screens(1);
    const std::string& text = Screen();
    for (std::size_t pos = 0; pos < text.size();) {
      if (text.compare(pos, kClearMarker.size(), kClearMarker) == 0) {
        screens.emplace_back();
        pos += kClearMarker.size();
      } else {
        screens.back() += text[pos++];
      }
    }
    return screens;
  }
  int TimesWritten(const std::string& bytes) const {
    int count = 0;
    for (std::size_t pos = Screen().find(bytes); pos != std::string::npos;
         pos = Screen().find(bytes, pos + bytes.size())) {
      ++count;
    }
    return count;
  }
  int TimesPrompted(Msg prompt) const { return TimesWritten(Text(prompt)); }
  bool Shows(const std::string& bytes) const { return TimesWritten(bytes) > 0; }

  bool Succeeded() const {
    return outcome_.code == ExitStatus::kSuccess && outcome_.error.empty();
  }
  bool FailedWithReport() const {
    return outcome_.code == ExitStatus::kFailure && !outcome_.error.empty();
  }

  std::string typed_;
  std::string line_end_ = "\n";
  StringSink screen_;
  ConsoleWriter out_;
  FakeEnv env_;
  Status outcome_;
};

TEST_F(DialogueTest, TypicalRunShowsPromptsThenResults) {
  TypeTypicalInputs();
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());
  const std::vector<std::string> screens = Screens();
  ASSERT_EQ(screens.size(), 4u);
  EXPECT_EQ(screens[0], "");  // nothing before the first clear
  EXPECT_EQ(screens[1], Line(Msg::kBanner) + Line(Msg::kBannerDashes) +
                            Text(Msg::kPromptF) + Text(Msg::kPromptQn) +
                            Text(Msg::kPromptQ0) + Text(Msg::kPromptRin) +
                            Text(Msg::kPromptRout) + Text(Msg::kPromptPin));
  const std::string inputs = Line(Msg::kInputHeading) +
                             Line(Msg::kInputDashes) +
                             " F, Мгц \t\t=      7.100\r\n"
                             " Qn\t\t\t=     12.000\r\n"
                             " Q0\t\t\t=    200.000\r\n"
                             " R вх.,  Ом\t \t=   2000.000\r\n"
                             " R вых., Ом\t\t=     50.000\r\n"
                             " P вх.,  Вт\t\t=    100.000\r\n";
  EXPECT_EQ(screens[2].substr(0, inputs.size()), inputs);
  EXPECT_TRUE(
      Shows(" C1, пФ \t\t=    119.426      U вх.,  В (эфф.)\t=    "
            "447.214\r\n"));
  EXPECT_TRUE(
      Shows(" КПД контура, %\t\t=     94.000      P вых., Вт\t\t=  "
            "   94.000\r\n"));
  EXPECT_TRUE(EndsWith(screens[2], Menu() + FarewellShown()));
  EXPECT_EQ(screens[3], "");
  EXPECT_FALSE(env_.has_file(ResultsFile()));
}

// Each row types `before`, then `candidate` at `prompt`, and then the
// input ends: an accepted value moves the dialogue on, a refused one brings
// the same prompt once more.
TEST_F(DialogueTest, RangeEdges) {
  using Lines = std::vector<std::string_view>;
  const Lines to_qn = {"7.1"};
  const Lines to_q0 = {"7.1", "10"};
  const Lines to_rin = {"7.1", "12", "200"};
  const Lines to_rout = {"7.1", "12", "200", "2000"};
  const Lines to_pin = {"7.1", "12", "200", "2000", "50"};
  const Lines new_f = {"7.1", "12", "200", "2000", "50", "100", "1"};
  const Lines new_qn_q0_200 = {"7.1", "12", "200", "2000", "50", "100", "2"};
  const Lines new_qn_q0_80 = {"7.1", "12", "80", "2000", "50", "100", "2"};
  const Lines new_qn_q0_50 = {"7.1", "12", "50", "2000", "50", "100", "2"};
  const struct {
    Lines before;
    std::string_view candidate;
    Msg prompt;
    bool accepted;
  } cases[] = {
      {{}, "0.1", Msg::kPromptF, true},
      {{}, "150", Msg::kPromptF, true},
      {{}, "0.09", Msg::kPromptF, false},
      {{}, "150.01", Msg::kPromptF, false},
      {{}, "NaN", Msg::kPromptF, false},
      {to_qn, "1.11", Msg::kPromptQn, false},
      {to_qn, "70", Msg::kPromptQn, true},
      {to_qn, "70.5", Msg::kPromptQn, false},
      {to_qn, "nan", Msg::kPromptQn, false},
      {to_q0, "12", Msg::kPromptQ0, false},  // 1.2 * 10 is exactly 12
      {to_q0, "12.01", Msg::kPromptQ0, true},
      {to_q0, "999", Msg::kPromptQ0, true},
      {to_q0, "999.5", Msg::kPromptQ0, false},
      {to_q0, "NaN", Msg::kPromptQ0, false},
      {to_rin, "0.1", Msg::kPromptRin, true},
      {to_rin, "0.09", Msg::kPromptRin, false},
      {to_rin, "NaN", Msg::kPromptRin, false},
      {to_rout, "100000", Msg::kPromptRout, true},
      {to_rout, "100001", Msg::kPromptRout, false},
      {to_rout, "NaN", Msg::kPromptRout, false},
      {to_pin, "0.01", Msg::kPromptPin, false},
      {to_pin, "0.011", Msg::kPromptPin, true},
      {to_pin, "NaN", Msg::kPromptPin, false},
      {new_f, "0.1", Msg::kNewF, true},
      {new_f, "150", Msg::kNewF, true},
      {new_f, "0.09", Msg::kNewF, false},
      {new_f, "150.01", Msg::kNewF, false},
      {new_f, "NaN", Msg::kNewF, false},
      {new_qn_q0_200, "1.11", Msg::kNewQn, true},
      {new_qn_q0_200, "1.1", Msg::kNewQn, false},
      {new_qn_q0_200, "100", Msg::kNewQn, true},
      {new_qn_q0_200, "100.5", Msg::kNewQn, false},
      {new_qn_q0_200, "NaN", Msg::kNewQn, false},
      {new_qn_q0_80, "70.5", Msg::kNewQn, true},
      {new_qn_q0_50, "47.5", Msg::kNewQn, true},
      {new_qn_q0_50, "47.6", Msg::kNewQn, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << Text(c.prompt) << c.candidate);
    StartOver();
    for (const std::string_view line : c.before) Type(line);
    Type(c.candidate);
    Run();
    EXPECT_EQ(TimesPrompted(c.prompt), c.accepted ? 1 : 2);
  }
}

TEST_F(DialogueTest, InfeasibleDesignGetsTheMessageUnderThePrompts) {
  TypeInfeasibleInputs();
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());
  EXPECT_TRUE(
      Shows(Text(Msg::kPromptPin) + Infeasible() + Menu() + Farewell()));
  EXPECT_EQ(env_.clears(), 2);  // at the start and at the end only
}

// After the message choices 1 and 3 start afresh; nothing is written.
TEST_F(DialogueTest, InfeasibleThenChoiceOneOrThreeStartsAgain) {
  for (const int choice : {1, 3}) {
    SCOPED_TRACE(choice);
    StartOver();
    TypeInfeasibleInputs();
    Choose(choice);
    TypeTypicalInputs();
    Choose(5);
    Run();
    EXPECT_TRUE(Succeeded());
    EXPECT_TRUE(Shows(Infeasible() + Menu() + Cls() + Line(Msg::kBanner)));
    EXPECT_EQ(TimesPrompted(Msg::kPromptF), 2);
    EXPECT_EQ(TimesPrompted(Msg::kPromptPin), 2);
    EXPECT_EQ(env_.appends(), 0);
  }
}

// The frequency stays as typed in MHz, although the failed calculation
// left it in Hz.
TEST_F(DialogueTest, InfeasibleThenChoiceTwoRecomputesWithTheTypedFrequency) {
  TypeInfeasibleInputs();
  Choose(2);
  Type("12");
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());
  // The choice clears the screen, and so does the results screen.
  EXPECT_TRUE(Shows(Infeasible() + Menu() +
                    "  Текущая  Qn\t\t=        5.000\r\n" + Text(Msg::kNewQn) +
                    Cls() + Cls() + Line(Msg::kInputHeading) +
                    Line(Msg::kInputDashes) +
                    " F, Мгц \t\t=      7.100\r\n"
                    " Qn\t\t\t=     12.000\r\n"));
}

TEST_F(DialogueTest, ChoicesOneAndTwoShowTheCurrentValueThenRecompute) {
  const struct {
    int choice;
    std::string_view typed;
    std::string current;
    Msg new_prompt;
    std::string new_input_line;
  } cases[] = {
      {1, "14.2", "  Текущая частота, МГц =        7.100\r\n", Msg::kNewF,
       " F, Мгц \t\t=     14.200\r\n"},
      {2, "20", "  Текущая  Qn\t\t=       12.000\r\n", Msg::kNewQn,
       " Qn\t\t\t=     20.000\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.choice);
    StartOver();
    TypeTypicalInputs();
    Choose(c.choice);
    Type(c.typed);
    Choose(5);
    Run();
    EXPECT_TRUE(Succeeded());
    EXPECT_TRUE(Shows(Menu() + c.current + Text(c.new_prompt) + Cls()));
    EXPECT_TRUE(Shows(c.new_input_line));
    EXPECT_EQ(TimesWritten(Menu()), 2);
  }
}

// `answers` are typed at the first menu prompt, then 5; `between` is what
// the console shows from that prompt to the farewell.
TEST_F(DialogueTest, MenuAnswersOutsideTheChoices) {
  const std::string prompt = Text(Msg::kMenuPrompt);
  const std::string complaint = Line(Msg::kBadInteger);
  const struct {
    std::vector<std::string_view> answers;
    std::string between;
  } cases[] = {
      // The prompt again, no message, no menu lines.
      {{"0", "6", "-1"}, prompt + prompt + prompt + prompt},
      // The message, then a new read without a prompt.
      {{"x", "2.5"}, prompt + complaint + complaint},
      // A blank line is passed over.
      {{""}, prompt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.between);
    StartOver();
    TypeTypicalInputs();
    for (const std::string_view answer : c.answers) Type(answer);
    Choose(5);
    Run();
    EXPECT_TRUE(Succeeded());
    EXPECT_TRUE(EndsWith(Screen(), MenuLines() + c.between + Farewell()));
    EXPECT_EQ(TimesWritten(Line(Msg::kMenu1)), 1);
  }
}

TEST_F(DialogueTest, FarewellPausesClearsAndSucceeds) {
  TypeTypicalInputs();
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());
  EXPECT_TRUE(EndsWith(
      Screen(), Text(Msg::kMenuPrompt) + "\r\n 73!\r\n" + Pause() + Cls()));
  EXPECT_EQ(env_.slept_seconds(), 1);
}

// Each choice 3 appends one more complete report and brings back the very
// screen that was shown before it.
TEST_F(DialogueTest, ChoiceThreeTwiceWritesTwoReportsAndRestoresTheScreen) {
  TypeTypicalInputs();
  Choose(3);
  Choose(3);
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());

  const std::vector<std::string> screens = Screens();
  ASSERT_EQ(screens.size(), 6u);
  const std::string written = Line(Msg::kWritten) + Pause();
  EXPECT_TRUE(EndsWith(screens[2], Menu() + written));
  EXPECT_EQ(screens[3], screens[2]);
  const std::string shown =
      screens[2].substr(0, screens[2].size() - written.size());
  EXPECT_EQ(screens[4], shown + FarewellShown());
  EXPECT_EQ(env_.slept_seconds(), 3);

  Design typical = make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  synthesis(typical);
  const std::string report =
      format_report(make_report_record(*pi_model(typical)), FakeEnv::kDate);
  EXPECT_EQ(env_.file(ResultsFile()), report + report);
}

TEST_F(DialogueTest, ChoiceFourAsksForAllSixAgain) {
  TypeTypicalInputs();
  Choose(4);
  TypeTypicalInputs();
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());
  for (const Msg prompt :
       {Msg::kPromptF, Msg::kPromptQn, Msg::kPromptQ0, Msg::kPromptRin,
        Msg::kPromptRout, Msg::kPromptPin}) {
    EXPECT_EQ(TimesPrompted(prompt), 2) << Text(prompt);
  }
  EXPECT_TRUE(Shows(Menu() + Cls() + Line(Msg::kBanner)));
}

TEST_F(DialogueTest, CrLfLinesReadLikeLf) {
  TypeTypicalInputs();
  Choose(3);
  Choose(5);
  Run();
  const std::string screen = Screen();
  const std::string report = env_.file(ResultsFile());

  StartOver();
  EndLinesWithCrLf();
  TypeTypicalInputs();
  Choose(3);
  Choose(5);
  Run();
  EXPECT_TRUE(Succeeded());
  EXPECT_EQ(Screen(), screen);
  EXPECT_EQ(env_.file(ResultsFile()), report);
}

// A real-entry line that holds no number ends the program at once; nothing
// more is written after the prompt.
TEST_F(DialogueTest, UnreadableRealEndsTheProgram) {
  for (const std::string_view line :
       {"abc", "12abc", "1..5", "", "   ", "/", ";", "3*"}) {
    SCOPED_TRACE(line);
    StartOver();
    Type("7.1");
    Type(line);
    Run();
    EXPECT_TRUE(FailedWithReport()) << outcome_.error;
    EXPECT_TRUE(EndsWith(Screen(), Text(Msg::kPromptQn)));
  }
}

TEST_F(DialogueTest, EndOfInputEndsTheProgram) {
  Type("7.1");
  Run();
  EXPECT_TRUE(FailedWithReport());
  EXPECT_TRUE(EndsWith(Screen(), Text(Msg::kPromptQn)));

  StartOver();
  TypeTypicalInputs();
  Run();
  EXPECT_TRUE(FailedWithReport());
  EXPECT_TRUE(EndsWith(Screen(), Menu()));
}

TEST_F(DialogueTest, FailedReportEndsTheProgramWithoutConfirmation) {
  env_.fail_appends("No space left on device");
  TypeTypicalInputs();
  Choose(3);
  Choose(5);
  Run();
  EXPECT_TRUE(FailedWithReport());
  EXPECT_NE(outcome_.error.find("rezultat.txt"), std::string::npos);
  EXPECT_NE(outcome_.error.find("No space left on device"), std::string::npos);
  EXPECT_TRUE(EndsWith(Screen(), Menu()));
  EXPECT_EQ(env_.slept_seconds(), 0);
  EXPECT_FALSE(env_.has_file(ResultsFile()));
}

}  // namespace
}  // namespace merid

#include "console/dialogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/inputs.h"
#include "calc/synthesis.h"
#include "console/number_entry.h"
#include "design/pi_network.h"
#include "output/results_screen.h"
#include "report/printer.h"

namespace merid {
namespace {

enum class Step {
  kNewCalculation,  // the banner and the six inputs
  kCalculate,       // synthesis; an infeasible design goes to the menu
  kResults,         // the results screen, and the record a report would take
  kMenu,            // the four choices and the exit
  kExit,            // the user left
  kFail,            // the dialogue cannot go on; `failure_` says why
};

enum MenuChoice : std::int32_t {
  kChangeFrequency = 1,
  kChangeLoadedQ = 2,
  kWriteResults = 3,
  kNewCalculation = 4,
  kLeave = 5,
};

class Dialogue {
 public:
  Dialogue(InputReader& in, ConsoleWriter& out, Env& env)
      : in_(in), out_(out), env_(env) {}

  Status run() {
    Step step = Step::kNewCalculation;
    for (;;) {
      switch (step) {
        case Step::kNewCalculation:
          step = new_calculation();
          break;
        case Step::kCalculate:
          step = calculate();
          break;
        case Step::kResults:
          step = results();
          break;
        case Step::kMenu:
          step = menu();
          break;
        case Step::kExit:
          return Status{};
        case Step::kFail:
          return failure_;
      }
    }
  }

 private:
  void clear_screen() {
    out_.flush();
    env_.clear_screen();
  }

  Step fail(std::string error) {
    failure_ = Status{ExitStatus::kFailure, std::move(error)};
    return Step::kFail;
  }

  // While `refused(value)`, writes `prompt` and reads `value`.  False when
  // the input could not be read; `failure_` then says why.
  template <typename Refused>
  bool ask(Msg prompt, float& value, Refused refused) {
    while (refused(value)) {
      out_.prompt(prompt);
      const RealEntry entry = chislo(in_);
      if (entry.status != EntryStatus::kValue) {
        fail(describe_failure(entry));
        return false;
      }
      value = entry.value;
    }
    return true;
  }

  Step new_calculation() {
    Design& d = design_;
    // Every prompt shows at least once, whatever was accepted before.
    d.f = d.qn = d.q0 = d.rin = d.rout = d.pin = 0.0f;
    clear_screen();
    out_.text_line(Msg::kBanner);
    out_.text_line(Msg::kBannerDashes);
    for (const InputRow& input : kInputs) {
      if (!ask(input.prompt, d.*input.member, [&](float value) {
            return refused(input.input, value, d.qn);
          })) {
        return Step::kFail;
      }
    }
    return Step::kCalculate;
  }

  Step calculate() {
    synthesis(design_);
    if (!design_.infeasible) return Step::kResults;
    out_.empty_line();
    out_.text_line(Msg::kInfeasible1);
    out_.text_line(Msg::kInfeasible2);
    return Step::kMenu;
  }

  Step results() {
    clear_screen();
    const TankDesign shown = pi_model(design_);
    show_results(out_, *shown);
    record_ = make_report_record(*shown);
    return Step::kMenu;
  }

  Step menu() {
    out_.empty_line();
    out_.text_line(Msg::kMenu1);
    out_.text_line(Msg::kMenu2);
    out_.text_line(Msg::kMenu3);
    out_.text_line(Msg::kMenu4);
    out_.empty_line();
    std::int32_t choice = 0;
    while (choice < kChangeFrequency || choice > kLeave) {
      out_.prompt(Msg::kMenuPrompt);
      const std::optional<std::int32_t> read = chislointeger(in_, out_);
      if (!read) return fail("end of input at the menu");
      choice = *read;
    }
    switch (choice) {
      case kChangeFrequency:
        return change_frequency();
      case kChangeLoadedQ:
        return change_loaded_q();
      case kWriteResults:
        return write_results();
      case kNewCalculation:
        return Step::kNewCalculation;
      default:
        return leave();
    }
  }

  Step change_frequency() {
    if (design_.infeasible) return Step::kNewCalculation;
    out_.value_line(Msg::kCurrentF, design_.f, kMenuFieldWidth);
    design_.f = 0.0f;
    if (!ask(Msg::kNewF, design_.f,
             [this](float f) { return refused(Input::kF, f, design_.qn); })) {
      return Step::kFail;
    }
    clear_screen();
    return Step::kCalculate;
  }

  // Open after an infeasible design too: the way to a feasible one without
  // typing the other inputs again.
  Step change_loaded_q() {
    Design& d = design_;
    out_.value_line(Msg::kCurrentQn, d.qn, kMenuFieldWidth);
    d.qn = 0.0f;
    // After an infeasible calculation f is still in Hz.
    d.f = d.fmhz;
    if (!ask(Msg::kNewQn, d.qn,
             [&d](float qn) { return new_loaded_q_refused(qn, d.q0); })) {
      return Step::kFail;
    }
    clear_screen();
    return Step::kCalculate;
  }

  Step write_results() {
    if (design_.infeasible) return Step::kNewCalculation;
    const Status appended = output_printer(record_, env_);
    if (!appended.ok()) return fail(appended.error);
    out_.text_line(Msg::kWritten);
    out_.flush();
    env_.sleep_seconds(1);
    return Step::kResults;
  }

  Step leave() {
    out_.empty_line();
    out_.text_line(Msg::kFarewell);
    out_.flush();
    env_.sleep_seconds(1);
    clear_screen();
    return Step::kExit;
  }

  InputReader& in_;
  ConsoleWriter& out_;
  Env& env_;
  Design design_;
  ReportRecord record_;
  Status failure_;
};

}  // namespace

Status run_dialogue(InputReader& in, ConsoleWriter& out, Env& env) {
  return Dialogue(in, out, env).run();
}

}  // namespace merid

#include "cli/calc_app.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/number_text.h"
#include "base/quoted.h"
#include "base/version.h"
#include "calc/mismatch.h"
#include "cli/help.h"
#include "design/amplifier_report.h"
#include "design/arguments.h"
#include "design/band_table.h"
#include "design/least_loaded_q.h"
#include "design/load_swr.h"
#include "design/network.h"
#include "output/data_output.h"
#include "output/response_plot.h"
#include "output/smith_chart.h"
#include "output/text_output.h"
#include "output/warning_text.h"

namespace merid {
namespace {

constexpr std::string_view kProgram = "merid-calc";

// JSON's and CSV's texts are English, whatever --lang says.
constexpr Language kDataLanguage = Language::kEnglish;

// "merid-calc: warning: ..." lines for standard error; `where` names a
// band table's row.
void write_warnings(ByteSink& err, const AmplifierReport& report,
                    const Options& options, std::string_view where) {
  for (const DesignWarning& w : report.warnings) {
    err.write(concat(
        {kProgram, ": warning: ", where,
         warning_text(w, options.amplifier, options.warning_language), "\n"}));
  }
}

// --bands of the design of `inputs`.
Status bands_run(const DesignModel& inputs, const Options& options,
                 ByteSink& out, ByteSink& err) {
  const std::vector<BandRow> rows =
      band_table(inputs, options.amplifier, swr_request(options));
  const DataContext context{options.amplifier, kDataLanguage};
  switch (options.format) {
    case OutputFormat::kText:
      write_band_table_text(out, inputs, rows, options.amplifier,
                            options.language);
      for (const BandRow& r : rows) {
        const std::string where =
            concat({r.band->name, " ", edge_name(r.edge), " (",
                    plain(r.design->inputs().f), " MHz): "});
        write_warnings(err, r.report, options, where);
      }
      break;
    case OutputFormat::kJson:
      out.write(band_table_json(rows, swr_request(options), context));
      break;
    case OutputFormat::kCsv:
      out.write(band_table_csv(rows, swr_request(options), context));
      break;
  }
  if (has_infeasible_row(rows)) return Status{ExitStatus::kInfeasible, {}};
  return Status{};
}

// The dialogue's message for an infeasible design and the least loaded Q
// that makes the transformation; for JSON and CSV readers that and the
// inputs as data, the message on standard error.
Status infeasible_run(const DesignModel& d, const Options& options,
                      ByteSink& out, ByteSink& err) {
  const std::optional<float> qn_min = least_feasible_loaded_q(d);
  const bool text = options.format == OutputFormat::kText;
  write_infeasible_text(text ? out : err, d, qn_min, options.language);
  const DataContext context{options.amplifier, kDataLanguage};
  switch (options.format) {
    case OutputFormat::kText:
      // The RIN the loaded Q could not reach, when it was estimated.
      write_rin_estimate_text(out, options.amplifier, options.language);
      break;
    case OutputFormat::kJson:
      out.write(infeasible_json(
          d, qn_min, amplifier_report(d, options.amplifier), context));
      break;
    case OutputFormat::kCsv:
      out.write(infeasible_csv(
          d, qn_min, amplifier_report(d, options.amplifier), context));
      break;
  }
  return Status{ExitStatus::kInfeasible, {}};
}

// `asked`: the figures under a mismatched load, when --swr asks for them.
void write_design(const DesignModel& d, const Options& options,
                  const AmplifierReport& report, const LoadSwr* asked,
                  ByteSink& out, ByteSink& err) {
  const DataContext context{options.amplifier, kDataLanguage};
  const Language language = options.language;
  switch (options.format) {
    case OutputFormat::kText:
      write_design_text(out, d, language);
      if (asked != nullptr) write_swr_text(out, d, *asked, language);
      write_amplifier_text(out, options.amplifier, report, language);
      write_parts_text(out, d, options.amplifier, report, language);
      write_emissions_text(out, d, options.amplifier, report, language);
      write_warnings(err, report, options, "");
      break;
    case OutputFormat::kJson:
      out.write(design_json(d, report, asked, context));
      break;
    case OutputFormat::kCsv:
      out.write(design_csv(d, report, asked, context));
      break;
  }
}

// A plot the options ask for: which, its option, and where its file
// lands.
struct Plot {
  enum class Kind { kResponses, kSmithChart };
  Kind kind;
  std::string_view option;
  const std::string* name;
  ReplaceTarget target;
};

// The plots the options ask for, each target found and checked, none
// written: a name that may not be written and two names of one file are
// refused before anything is.
Status find_plots(const Options& options, FileWriter& files,
                  std::vector<Plot>& plots) {
  const Plot asked[] = {
      {Plot::Kind::kResponses, "--svg", &options.svg_path, {}},
      {Plot::Kind::kSmithChart, "--smith", &options.smith_path, {}},
  };
  for (Plot plot : asked) {
    const std::string_view option = plot.option;
    const std::string* name = plot.name;
    if (name->empty()) continue;
    const Status found = files.target(*name, plot.target);
    if (!found.ok()) {
      return failure(
          concat({"cannot write ", shown_path(*name), ": ", found.error}));
    }
    for (const Plot& earlier : plots) {
      if (same_target(earlier.target, plot.target)) {
        return failure(concat({earlier.option, " ", shown_path(*earlier.name),
                               " and ", option, " ", shown_path(*name),
                               " are one file: give each plot its own"}));
      }
    }
    plots.push_back(std::move(plot));
  }
  return {};
}

// The plots of the feasible design `d` written to their targets; a line on
// `err` for each whose old file keeps other names, which a replacement
// leaves as they were.
Status write_plots(const Options& options, const DesignModel& d,
                   const LoadSwr* swr, const Emissions* emissions,
                   const std::vector<Plot>& plots, FileWriter& files,
                   ByteSink& err) {
  if (plots.empty()) return {};
  // The retuned tank's loads on the Smith chart.
  std::optional<LoadCircle> loads;
  if (swr != nullptr && swr->retuned) {
    loads = LoadCircle{swr->swr, swr->retuned->matched};
  }
  const ResponseCurves curves = d.response_curves();
  const DrawingSubject subject = d.drawing_subject(options.language);
  for (const Plot& plot : plots) {
    const PlotWindow window =
        options.whole_window ? PlotWindow::kWhole : PlotWindow::kBands;
    const std::string svg =
        plot.kind == Plot::Kind::kResponses
            ? response_plot_svg(subject, curves, options.language, window,
                                emissions)
            : smith_chart_svg(subject, curves, options.language,
                              loads ? &*loads : nullptr);
    const Status written = files.write(plot.target, svg);
    if (!written.ok()) {
      return failure(concat(
          {"cannot write ", shown_path(*plot.name), ": ", written.error}));
    }
    if (plot.target.links > 1) {
      err.write(concat({kProgram, ": note: ", shown_path(*plot.name),
                        " had other hard links; they keep the old plot\n"}));
    }
  }
  return {};
}

Status run(std::span<const std::string_view> args, ByteSink& out, ByteSink& err,
           FileWriter& files) {
  Options options;
  const Status parsed = parse_arguments(args, options);
  if (!parsed.ok()) return parsed;
  if (options.help) {
    out.write(help_text());
    return Status{};
  }
  if (options.version) {
    out.write(concat({kProgram, " ", kVersion, "\n"}));
    return Status{};
  }
  for (const std::string& why : options.misread) {
    err.write(concat({kProgram, ": warning: ", why, "\n"}));
  }
  const Network& network = *options.network;
  if (options.bands) {
    return bands_run(*network.uncalculated(options.inputs), options, out, err);
  }
  const TankDesign d = network.design(options.inputs);
  if (!d->feasible()) return infeasible_run(*d, options, out, err);
  std::vector<Plot> plots;
  const Status found = find_plots(options, files, plots);
  if (!found.ok()) return found;
  // --swr asks for the figures under a mismatched load.
  const std::optional<SwrRequest> request = swr_request(options);
  const std::optional<LoadSwr> swr =
      request ? std::optional<LoadSwr>(load_swr(*d, *request)) : std::nullopt;
  const LoadSwr* asked = swr ? &*swr : nullptr;
  const AmplifierReport report = amplifier_report(*d, options.amplifier);
  write_design(*d, options, report, asked, out, err);
  return write_plots(options, *d, asked,
                     report.emissions ? &*report.emissions : nullptr, plots,
                     files, err);
}

}  // namespace

Status PlatformFileWriter::target(const std::string& name,
                                  ReplaceTarget& target) {
  return replace_target(name, target);
}

Status PlatformFileWriter::write(const ReplaceTarget& target,
                                 std::string_view bytes) {
  return replace_file(target, bytes);
}

ExitStatus run_calc(std::span<const std::string_view> args, ByteSink& out,
                    ByteSink& err, FileWriter& files) {
  const Status result = run(args, out, err, files);
  out.flush();
  if (!result.error.empty()) {
    err.write(concat({kProgram, ": ", result.error, "\n"}));
  }
  err.flush();  // the warnings too
  return result.code;
}

}  // namespace merid

#include "cli/calc_app.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "base/number_text.h"
#include "base/quoted.h"
#include "base/version.h"
#include "calc/mismatch.h"
#include "cli/arguments.h"
#include "cli/help.h"
#include "design/amplifier_report.h"
#include "design/band_table.h"
#include "design/network.h"
#include "output/data_output.h"
#include "output/response_plot.h"
#include "output/smith_chart.h"
#include "output/text_output.h"
#include "output/warning_text.h"

namespace merid {
namespace {

constexpr std::string_view kProgram = "merid-calc";

// merid-calc's warnings and JSON texts are English.
constexpr Language kLanguage = Language::kEnglish;

// "merid-calc: warning: ..." lines for standard error; `where` names a
// band table's row.
void write_warnings(ByteSink& err, const AmplifierReport& report,
                    const Options& options, std::string_view where) {
  for (const DesignWarning& w : report.warnings) {
    err.write(concat({kProgram, ": warning: ", where,
                      warning_text(w, options.amplifier, kLanguage), "\n"}));
  }
}

// --bands of the design of `inputs`.
Status bands_run(const DesignModel& inputs, const Options& options,
                 ByteSink& out, ByteSink& err) {
  const std::vector<BandRow> rows = band_table(inputs, options.amplifier);
  const DataContext context{options.amplifier, kLanguage};
  switch (options.format) {
    case OutputFormat::kText:
      write_band_table_text(out, inputs, rows, options.amplifier);
      for (const BandRow& r : rows) {
        const std::string where =
            concat({r.band->name, " ", edge_name(r.edge), " (",
                    plain(r.design->inputs().f), " MHz): "});
        write_warnings(err, r.report, options, where);
      }
      break;
    case OutputFormat::kJson:
      out.write(band_table_json(rows, options.swr, context));
      break;
    case OutputFormat::kCsv:
      out.write(band_table_csv(rows, options.swr, context));
      break;
  }
  if (has_infeasible_row(rows)) return Status{ExitStatus::kInfeasible, {}};
  return Status{};
}

// The dialogue's message for an infeasible design, or for JSON and CSV
// readers nothing on standard output rather than Russian text.
Status infeasible_run(const DesignModel& d, const Options& options,
                      ByteSink& out, ByteSink& err) {
  const bool text = options.format == OutputFormat::kText;
  write_infeasible_text(text ? out : err, d);
  // The RIN the loaded Q could not reach, when it was estimated.
  if (text) write_rin_estimate_text(out, options.amplifier);
  return Status{ExitStatus::kInfeasible, {}};
}

void write_design(const DesignModel& d, const Options& options,
                  const AmplifierReport& report, ByteSink& out, ByteSink& err) {
  // --swr asks for the stresses under a mismatched load.
  const std::optional<SwrStresses> swr =
      options.swr >= kMinSwr ? d.swr_stresses(options.swr) : std::nullopt;
  const SwrStresses* asked = swr ? &*swr : nullptr;
  const DataContext context{options.amplifier, kLanguage};
  switch (options.format) {
    case OutputFormat::kText:
      write_design_text(out, d);
      if (asked != nullptr) write_swr_text(out, *asked);
      write_amplifier_text(out, options.amplifier, report);
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

// Writes `bytes` to `path`; the report of a failure names the file.
Status write_output_file(const FileWriter& write_file, const std::string& path,
                         std::string_view bytes) {
  const std::string failure = write_file(path, bytes);
  if (failure.empty()) return Status{};
  return Status{ExitStatus::kFailure,
                concat({"cannot write ", shown_path(path), ": ", failure})};
}

// The plot and the Smith chart that the options ask for, of the feasible
// design `d`.
Status write_drawings(const Options& options, const DesignModel& d,
                      const FileWriter& write_file) {
  if (options.svg_path.empty() && options.smith_path.empty()) {
    return Status{};
  }
  const ResponseCurves curves = d.response_curves();
  const DrawingSubject subject = d.drawing_subject();
  if (!options.svg_path.empty()) {
    const PlotWindow window =
        options.whole_window ? PlotWindow::kWhole : PlotWindow::kBands;
    const Status plot =
        write_output_file(write_file, options.svg_path,
                          response_plot_svg(subject, curves, window));
    if (!plot.ok()) return plot;
  }
  if (options.smith_path.empty()) return Status{};
  return write_output_file(write_file, options.smith_path,
                           smith_chart_svg(subject, curves));
}

Status run(std::span<const std::string_view> args, ByteSink& out, ByteSink& err,
           const FileWriter& write_file) {
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
  const Network& network = *options.network;
  if (options.bands) {
    return bands_run(*network.uncalculated(options.inputs), options, out, err);
  }
  const TankDesign d = network.design(options.inputs);
  if (!d->feasible()) return infeasible_run(*d, options, out, err);
  write_design(*d, options, amplifier_report(*d, options.amplifier), out, err);
  return write_drawings(options, *d, write_file);
}

// The file a write to `path` should replace: the end of its chain of
// symbolic links (which may not exist yet), or `path` itself.  Replacing
// the link with a regular file would cut it from what it points to.
std::filesystem::path landing_path(std::filesystem::path path) {
  constexpr int kMaxLinks = 40;  // a loop of links ends here
  for (int i = 0; i < kMaxLinks; ++i) {
    std::error_code error;
    if (!std::filesystem::is_symlink(
            std::filesystem::symlink_status(path, error)))
      break;
    const std::filesystem::path target =
        std::filesystem::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// A short name in `folder` (so the rename cannot cross file systems, and a
// target name of any legal length leaves room for it) that no file has yet.
std::filesystem::path temporary_name(const std::filesystem::path& folder) {
  std::random_device random;
  for (;;) {
    const std::uint64_t tag =
        (std::uint64_t{random()} << 32) ^ std::uint64_t{random()};
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, ".merid-%016llx.tmp",
                  static_cast<unsigned long long>(tag));
    const std::filesystem::path name = folder / leaf;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(name, error)))
      return name;
  }
}

// The permissions of the file at `path`; perms::unknown when there is none.
std::filesystem::perms old_permissions(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status =
      std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status))
    return std::filesystem::perms::unknown;
  return status.permissions();
}

// Writes `bytes` to the new file `path`, given `permissions` (unless
// unknown) before the first byte goes in; the reason in words when it fails.
std::string write_new_file(const std::filesystem::path& path,
                           std::string_view bytes,
                           std::filesystem::perms permissions) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) return std::strerror(errno);
  if (permissions != std::filesystem::perms::unknown) {
    std::error_code error;
    std::filesystem::permissions(path, permissions, error);
    if (error) {
      std::fclose(file);
      return error.message();
    }
  }
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int write_errno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written) return std::strerror(write_errno);
  if (!closed) return std::strerror(errno);
  return {};
}

}  // namespace

std::string write_whole_file(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target = landing_path(path);
  // A rename over a FIFO or a device would put a regular file in its place.
  std::error_code status_error;
  const std::filesystem::file_status status =
      std::filesystem::status(target, status_error);
  if (std::filesystem::exists(status) &&
      !std::filesystem::is_regular_file(status)) {
    return "not a regular file";
  }
  const std::filesystem::path temporary = temporary_name(target.parent_path());
  const std::string failure =
      write_new_file(temporary, bytes, old_permissions(target));
  std::error_code error;
  if (failure.empty()) {
    std::filesystem::rename(temporary, target, error);
    if (!error) return {};
  }
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return failure.empty() ? error.message() : failure;
}

ExitStatus run_calc(std::span<const std::string_view> args, ByteSink& out,
                    ByteSink& err, const FileWriter& write_file) {
  const Status result = run(args, out, err, write_file);
  out.flush();
  if (!result.error.empty()) {
    err.write(concat({kProgram, ": ", result.error, "\n"}));
  }
  err.flush();  // the warnings too
  return result.code;
}

}  // namespace merid

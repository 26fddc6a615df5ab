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

#include "base/design_fields.h"
#include "base/number_text.h"
#include "base/quoted.h"
#include "base/version.h"
#include "calc/mismatch.h"
#include "calc/pi_l.h"
#include "calc/synthesis.h"
#include "cli/amplifier_report.h"
#include "cli/analysis_output.h"
#include "cli/arguments.h"
#include "cli/band_table.h"
#include "cli/data_output.h"
#include "cli/pi_l_output.h"
#include "cli/response_curves.h"
#include "cli/response_plot.h"
#include "cli/smith_chart.h"
#include "cli/text_output.h"

namespace merid {
namespace {

constexpr std::string_view kProgram = "merid-calc";

std::string padded(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

constexpr std::string_view kUsage =
    "Usage: merid-calc [--format text|json|csv] [--swr S] [--svg FILE\n"
    "                  [--whole-window]] [--smith FILE] [--cmin PF]\n"
    "                  F QN Q0 RIN ROUT PIN\n"
    "       merid-calc --bands [--fixed-coil] [--format text|json|csv]\n"
    "                  [--swr S] [--cmin PF] QN Q0 RIN ROUT PIN\n"
    "       merid-calc ... --rin-from tube:EA,IA,CLASS ... (RIN left out)\n"
    "       merid-calc ... --rin-from transistor:VCC,VSAT,P ... (RIN left "
    "out)\n"
    "       merid-calc --network pi-l [--rmid OHM] ... (every option but\n"
    "                  --swr)\n"
    "       merid-calc --help | --version\n"
    "\n"
    "Calculates the pi-network output tank of an RF power amplifier (C1 from\n"
    "the amplifier side to ground, the series coil L, C2 from the load side\n"
    "to ground) exactly as merid-utf8 does, from six inputs given on the\n"
    "command line.\n"
    "\n"
    "Inputs, typed as at the dialogue (a decimal comma works, as in 7,1; at\n"
    "most 10 characters), each in the dialogue's accepted range:\n";

constexpr std::string_view kOutputHelp =
    "\n"
    "Output:\n"
    "  --format text  the default: the dialogue's results screen in UTF-8\n"
    "                 with its CR LF line ends (the six inputs and the 22\n"
    "                 results), then the peak values that component ratings\n"
    "                 need: the peak voltage across C1, C2 and L and the peak\n"
    "                 current in each, sqrt(2) times the RMS values, and KU\n"
    "                 and KI at 3F, 4F and 5F (the screen has them at 2F),\n"
    "                 from the same two drives in the same single-precision\n"
    "                 arithmetic as the screen's.\n"
    "  --format json  one JSON object of the fields listed below.\n"
    "  --format csv   a header line of the field names and one line of\n"
    "                 values.\n"
    "                 JSON and CSV write each number as the shortest text\n"
    "                 that reads back to the same single-precision value;\n"
    "                 a value that is not finite is null in JSON and inf or\n"
    "                 nan in CSV.  Their lines end in LF.\n"
    "  --bands        the design repeated at the lower edge, the centre and\n"
    "                 the upper edge of every amateur band below, with QN,\n"
    "                 Q0, RIN, ROUT and PIN fixed; each row is a calculation\n"
    "                 of its own.  As text, a table of F, C1, C2, L, the peak\n"
    "                 voltage across C1 and the peak current in L: the C1, C2\n"
    "                 and L columns give the range a band's tuning must\n"
    "                 cover.  As JSON an array of one object per row, as CSV\n"
    "                 one line per row; each row has band, edge (low, centre\n"
    "                 or high) and infeasible before the fields below, and a\n"
    "                 row that cannot be built is marked, not left out.\n"
    "                 With --swr only as json or csv, each row with its\n"
    "                 load_swr.  The bands, MHz:";

constexpr std::string_view kSwrHelp =
    "  --swr S        also the stresses under a mismatched load, 1 <= S <= 10\n"
    "                 (typed like the inputs): the designed tank at F with\n"
    "                 its load replaced by every impedance of SWR S against\n"
    "                 ROUT (reflection (S-1)/(S+1) at 360 evenly spaced\n"
    "                 phases, S*ROUT and ROUT/S exact among them, each\n"
    "                 extreme then refined between its neighbouring phases),\n"
    "                 for each drive: the matched one (RIN, open-circuit\n"
    "                 voltage twice sqrt(RIN PIN)) and the high-impedance\n"
    "                 one (11 RIN),\n"
    "                 the largest RMS and peak voltage across and current in\n"
    "                 C1, C2 and L, the largest power into the load and lost\n"
    "                 in the coil, and the limits of the input resistance,\n"
    "                 reactance and |S11| the amplifier sees.  Each load is\n"
    "                 analysed in the screen's single-precision arithmetic,\n"
    "                 so S = 1 gives the screen's currents and coil voltage\n"
    "                 to the bit; the voltages across C1 and C2 and the\n"
    "                 powers are those of the analysis, which the screen's\n"
    "                 nominal input and output voltages and output power\n"
    "                 match to rounding.\n"
    "                 As text two blocks under the peaks; as JSON the object\n"
    "                 load_swr (swr, then matched and high_impedance, each\n"
    "                 with the keys below); as CSV the columns load_swr,\n"
    "                 matched_KEY and high_impedance_KEY.\n";

constexpr std::string_view kSvgHelp =
    "  --svg FILE     also write FILE, an SVG plot against frequency: the\n"
    "                 voltage response (output voltage from a source of RIN,\n"
    "                 in dB relative to its value at F) and the current\n"
    "                 response (from a source of 11 RIN, in dB relative to\n"
    "                 its peak), on the left scale, and |S11| at the input on\n"
    "                 the right scale; the -1 dB and 0.1 lines, the working\n"
    "                 frequency, the three bands that the bandwidths measure\n"
    "                 (each a bar under the plot and its edges in its own\n"
    "                 dash), and KU and KI from 2F to 5F.  The axis spans the\n"
    "                 three bands and as much again on each side.  A plot is\n"
    "                 written whole or not at all (an old FILE stays as it\n"
    "                 was on failure); a FIFO or a device is refused.\n"
    "  --whole-window the plot spans the whole sweep window, 0 to 1.3 F\n"
    "                 (1.9 F for QN up to 4.01).\n"
    "  --smith FILE   also write FILE, an SVG Smith chart of the input\n"
    "                 impedance over the sweep window normalised to RIN,\n"
    "                 with F, the edges of both -1 dB bands and the circle\n"
    "                 |S11| = 0.1 marked.\n"
    "\n"
    "The amplifier behind the tank (these searches and estimates are new\n"
    "calculations, made in double precision where that is sounder; every\n"
    "design they report is the dialogue's own single-precision synthesis):\n"
    "  --cmin PF      the smallest C1 the amplifier side can have: the tube's\n"
    "                 or transistor's output capacitance, strays and the\n"
    "                 tuning capacitor's minimum, in pF, 0 <= PF <= 100000.\n"
    "                 Adds Cmin, the margin C1 - Cmin and the lowest loaded Q\n"
    "                 (in steps of 0.001, within the accepted range, found by\n"
    "                 bisection on the synthesis: C1 grows with the loaded Q)\n"
    "                 at which C1 >= Cmin, or says that none exists.  With\n"
    "                 --bands, per row, as a last column Qn(Cmin).\n"
    "  --fixed-coil   with --bands: a tapped coil keeps one inductance per\n"
    "                 band.  L is that of the design at the band's upper\n"
    "                 edge with QN; at the lower edge and the centre that L\n"
    "                 is kept and the loaded Q at which the synthesis gives\n"
    "                 it is found by bisection, so that the network still\n"
    "                 matches RIN.  Each row shows C1, C2 (the range of each\n"
    "                 capacitor on the band with that tap), the coil, the\n"
    "                 row's loaded Q and KU, and the peak stresses; a row no\n"
    "                 accepted loaded Q can match says so.\n"
    "  --rin-from tube:EA,IA,CLASS\n"
    "                 RIN estimated from the anode supply EA (V, 0 < EA <=\n"
    "                 100000), the anode current IA (A, 0 < IA <= 1000) and\n"
    "                 the class A, AB, B or C: RIN = EA / (k IA) with k 1.3,\n"
    "                 1.7, 1.9 or 2.0.  The numbers take a decimal point.\n"
    "  --rin-from transistor:VCC,VSAT,P\n"
    "                 RIN estimated from the supply VCC (V, 0 < VCC <= "
    "10000),\n"
    "                 the saturation voltage VSAT (V, 0 <= VSAT < VCC) and "
    "the\n"
    "                 output power P (W, 0 < P <= 100000): RIN = (VCC -\n"
    "                 VSAT)^2 / (2 P).  The estimate, which must lie in RIN's\n"
    "                 range, is used as RIN and the RIN argument is left out;\n"
    "                 the text output shows it with its rule.\n"
    "\n"
    "Warnings: a result that is physically meaningless or misleading is\n"
    "reported with the figure that shows it, on standard error as\n"
    "\"merid-calc: warning: ...\" lines in text mode, as the \"warnings\"\n"
    "array of {\"code\", \"text\"} objects in JSON and as the warnings column\n"
    "(the codes, parted by blanks) in CSV.  The codes:\n";

// The field list's names take this many columns after two blanks; a
// meaning of two lines goes on under its first.
constexpr std::size_t kFieldNameColumns = 14;

constexpr std::string_view kFieldsHelp =
    "\n"
    "Fields (JSON keys, CSV columns; \"with\" marks those an option adds):\n";

constexpr std::string_view kSwrFieldsHelp =
    "\n"
    "Fields of each drive under load_swr (with --swr):\n";

constexpr std::string_view kNetworkHelp =
    "\n"
    "The network:\n"
    "  --network pi   the default: the pi network above.\n"
    "  --network pi-l a pi section (C1, L1, C2') from RIN to RMID, exactly\n"
    "                 the pi network's single-precision synthesis with ROUT\n"
    "                 replaced by RMID and QN its loaded Q, then an L\n"
    "                 section (series L2, shunt CL) from RMID to ROUT with\n"
    "                 L2's loss at the same Q0, solved in double precision.\n"
    "                 CL stands across the larger of RMID and ROUT: with RMID\n"
    "                 >= ROUT it is at the middle node in parallel with C2',\n"
    "                 and the middle capacitor cmid to fit is their sum;\n"
    "                 with RMID < ROUT it is across the load (cout) and the\n"
    "                 middle node holds C2' alone.  Shows every element, the\n"
    "                 RMS and peak voltages and currents, reactive powers,\n"
    "                 the efficiency of the whole network, KU and KI at 2F\n"
    "                 to 5F (the same two drives), S11 and S22, analysed in\n"
    "                 single precision, and three bands over the pi\n"
    "                 section's sweep grid, each the run of neighbouring grid\n"
    "                 points within its limit: the voltage response within\n"
    "                 1 dB of its value at F, around F; the current response\n"
    "                 within 1 dB of its peak over the window's upper half,\n"
    "                 around that peak; |S11| <= 0.1, around F (what comes\n"
    "                 within a limit again far from F is no part of the\n"
    "                 band).  JSON and CSV have\n"
    "                 the fields listed last, then the amplifier fields and\n"
    "                 the warnings as above (not bw_s11_one_crossing: the\n"
    "                 S11 band here is no count of crossings; bw_s11_no_width\n"
    "                 when fewer than two points are within 0.1).  --svg and "
    "--smith draw\n"
    "                 its curves, --cmin takes C1 and the loaded Q of the pi\n"
    "                 section (at the design's RMID), and --bands makes its\n"
    "                 table of F, C1, L1, cmid, L2, cout (with RMID < ROUT)\n"
    "                 and the peaks across C1 and in L1.  --bands\n"
    "                 --fixed-coil keeps L1, L2 and cout of each band's top\n"
    "                 row: at a lower F the fixed L section shows the middle\n"
    "                 node a conductance G and a susceptance B; the pi\n"
    "                 section then goes from RIN to the row's rmid = 1/G at\n"
    "                 the loaded Q (found as for the pi network) whose L1 is\n"
    "                 the coil (lower than the top row's where the pi\n"
    "                 section's ratio shrinks), and cmid is its C2' less\n"
    "                 B/omega (with CL at the middle the row's cl), so C1 and\n"
    "                 cmid tune.  --swr is not offered with it yet (status\n"
    "                 2).\n"
    "  --rmid OHM     with --network pi-l, the intermediate resistance, in\n"
    "                 ROUT's range; the default is sqrt(RIN ROUT) rounded to\n"
    "                 three significant digits.\n";

constexpr std::string_view kPiLFieldsHelp =
    "\n"
    "Fields of --network pi-l (JSON keys, CSV columns, after network, which\n"
    "is pi-l):\n";

constexpr std::string_view kExitHelp =
    "\n"
    "Exit status: 0 done, warnings or not; 1 the loaded Q is too small for\n"
    "the transformation (the dialogue's two-line message follows, on\n"
    "standard error for json and csv; with --bands such rows are marked in\n"
    "the table, and so are rows that --fixed-coil cannot match); 2 a bad\n"
    "argument or option value (one line on standard error naming it, its\n"
    "value and its accepted range), a file that cannot be written, or\n"
    "standard output that cannot take the results (\"merid-calc: standard\n"
    "output: \" and the reason).\n";

// "160m 1.8-2, 80m 3.5-3.8, ..." in the help's right-hand column.
std::string band_list() {
  constexpr std::size_t kIndent = 17;
  constexpr std::size_t kLineWidth = 76;
  std::string out;
  std::size_t column = kLineWidth;  // start on a fresh line
  for (const AmateurBand& band : kAmateurBands) {
    const std::string item =
        concat({band.name, " ", plain(band.f[0]), "-", plain(band.f[2]),
                &band == &kAmateurBands.back() ? "" : ","});
    if (column + 1 + item.size() > kLineWidth) {
      out += "\n" + std::string(kIndent, ' ');
      column = kIndent;
    } else {
      out += " ";
      ++column;
    }
    out += item;
    column += item.size();
  }
  return out + "\n";
}

std::string help_text() {
  std::string out(kUsage);
  for (const InputRow& input : kInputs) {
    out += concat({"  ", padded(input.name, 6), padded(input.meaning, 32),
                   range_text(input.input, NAN), "\n"});
  }
  out += kOutputHelp;
  out += band_list();
  out += kSwrHelp;
  out += kSvgHelp;
  for (std::size_t i = 0; i < kWarningCodeCount; ++i) {
    const auto code = static_cast<WarningCode>(i);
    out += concat(
        {"  ", padded(warning_code(code), 23), warning_meaning(code), "\n"});
  }
  out += kFieldsHelp;
  for (const DesignField& field : design_fields()) {
    out += concat(
        {"  ", padded(field.name, kFieldNameColumns), field.meaning, "\n"});
  }
  for (const AmplifierField& field : amplifier_fields()) {
    out += concat(
        {"  ", padded(field.name, kFieldNameColumns), field.meaning, "\n"});
  }
  out += concat({"  ", padded("warnings", kFieldNameColumns),
                 "the design's warnings, as above\n"});
  out += kSwrFieldsHelp;
  for (const SwrField& field : swr_fields()) {
    out += concat({"  ", padded(field.name, 10), field.meaning, "\n"});
  }
  out += kNetworkHelp;
  out += kPiLFieldsHelp;
  for (const PiLField& field : pi_l_fields()) {
    out += concat({"  ", padded(field.name, 10), field.meaning, "\n"});
  }
  out += kExitHelp;
  return out;
}

// "merid-calc: warning: ..." lines for standard error; `where` names a
// band table's row.
void write_warnings(ByteSink& err, const AmplifierReport& report,
                    const Options& options, std::string_view where) {
  for (const DesignWarning& w : report.warnings) {
    err.write(concat({kProgram, ": warning: ", where,
                      warning_text(w, options.amplifier), "\n"}));
  }
}

std::string band_json(std::span<const AmplifierRow> rows,
                      const Options& options) {
  return band_table_json(rows, options.amplifier, options.swr);
}
std::string band_json(std::span<const PiLAmplifierRow> rows,
                      const Options& options) {
  return band_table_json(rows, options.amplifier);
}
std::string band_csv(std::span<const AmplifierRow> rows,
                     const Options& options) {
  return band_table_csv(rows, options.amplifier, options.swr);
}
std::string band_csv(std::span<const PiLAmplifierRow> rows,
                     const Options& options) {
  return band_table_csv(rows, options.amplifier);
}

// --bands of the pi or the pi-L network of `inputs`.
template <typename NetworkDesign>
Status bands_run(const NetworkDesign& inputs, const Options& options,
                 ByteSink& out, ByteSink& err) {
  const auto rows = amplifier_band_table(inputs, options.amplifier);
  switch (options.format) {
    case OutputFormat::kText:
      write_band_table_text(out, inputs, rows, options.amplifier);
      for (const auto& r : rows) {
        const std::string where =
            concat({r.row.band->name, " ", edge_name(r.row.edge), " (",
                    plain(shown_mhz(r.row.design)), " MHz): "});
        write_warnings(err, r.report, options, where);
      }
      break;
    case OutputFormat::kJson:
      out.write(band_json(rows, options));
      break;
    case OutputFormat::kCsv:
      out.write(band_csv(rows, options));
      break;
  }
  for (const auto& r : rows) {
    if (has_no_network(r)) return Status{ExitStatus::kInfeasible, {}};
  }
  return Status{};
}

// What the pi-L network adds to the message for an infeasible design: the
// transformation its pi section could not make.
void write_infeasible_note(ByteSink&, const Design&) {}
void write_infeasible_note(ByteSink& out, const PiLDesign& d) {
  write_pi_l_infeasible_note(out, d);
}

// The dialogue's message for an infeasible design, or for JSON and CSV
// readers nothing on standard output rather than Russian text.
template <typename NetworkDesign>
Status infeasible_run(const NetworkDesign& d, const Options& options,
                      ByteSink& out, ByteSink& err) {
  const bool text = options.format == OutputFormat::kText;
  write_infeasible_text(text ? out : err);
  write_infeasible_note(text ? out : err, d);
  // The RIN the loaded Q could not reach, when it was estimated.
  if (text) write_rin_estimate_text(out, options.amplifier);
  return Status{ExitStatus::kInfeasible, {}};
}

void write_design(const Design& d, const Options& options,
                  const AmplifierReport& report, ByteSink& out, ByteSink& err) {
  // --swr asks for the stresses under a mismatched load.
  const bool mismatch = options.swr >= kMinSwr;
  const SwrStresses swr =
      mismatch ? swr_stresses(d, options.swr) : SwrStresses{};
  const SwrStresses* asked = mismatch ? &swr : nullptr;
  switch (options.format) {
    case OutputFormat::kText:
      write_design_text(out, d);
      write_harmonics_text(out, d);
      if (mismatch) write_swr_text(out, swr);
      write_amplifier_text(out, options.amplifier, report);
      write_warnings(err, report, options, "");
      break;
    case OutputFormat::kJson:
      out.write(design_json(d, options.amplifier, report, asked));
      break;
    case OutputFormat::kCsv:
      out.write(design_csv(d, options.amplifier, report, asked));
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
// design `d` of either network.
template <typename NetworkDesign>
Status write_drawings(const Options& options, const NetworkDesign& d,
                      const FileWriter& write_file) {
  if (options.svg_path.empty() && options.smith_path.empty()) {
    return Status{};
  }
  const ResponseCurves curves = response_curves(d);
  const DrawingSubject subject = drawing_subject(d);
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

void write_design(const PiLDesign& d, const Options& options,
                  const AmplifierReport& report, ByteSink& out, ByteSink& err) {
  switch (options.format) {
    case OutputFormat::kText:
      write_pi_l_text(out, d);
      write_amplifier_text(out, options.amplifier, report);
      write_warnings(err, report, options, "");
      break;
    case OutputFormat::kJson:
      out.write(design_json(d, options.amplifier, report));
      break;
    case OutputFormat::kCsv:
      out.write(design_csv(d, options.amplifier, report));
      break;
  }
}

// One design of the pi or the pi-L network of `inputs`, or with --bands
// its band table.
template <typename NetworkDesign>
Status network_run(const NetworkDesign& inputs, const Options& options,
                   ByteSink& out, ByteSink& err, const FileWriter& write_file) {
  if (options.bands) return bands_run(inputs, options, out, err);
  const NetworkDesign d = calculated(inputs);
  if (d.infeasible) return infeasible_run(d, options, out, err);
  write_design(d, options, amplifier_report(d, options.amplifier), out, err);
  return write_drawings(options, d, write_file);
}

// The inputs of the pi-L network: the six numbers and RMID.
PiLDesign pi_l_inputs(const Options& options) {
  const Design& in = options.design;
  const float rmid =
      options.rmid > 0.0f ? options.rmid : default_rmid(in.rin, in.rout);
  return make_pi_l_design(in.f, in.qn, in.q0, in.rin, in.rout, in.pin, rmid);
}

Status run(std::span<const std::string_view> args, ByteSink& out, ByteSink& err,
           const FileWriter& write_file) {
  const ParsedArguments parsed = parse_arguments(args);
  if (!parsed.ok) return Status{ExitStatus::kFailure, parsed.error};
  const Options& options = parsed.options;
  if (options.help) {
    out.write(help_text());
    return Status{};
  }
  if (options.version) {
    out.write(concat({kProgram, " ", kVersion, "\n"}));
    return Status{};
  }
  if (options.network == Network::kPiL) {
    return network_run(pi_l_inputs(options), options, out, err, write_file);
  }
  return network_run(options.design, options, out, err, write_file);
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

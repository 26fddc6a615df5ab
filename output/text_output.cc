#include "output/text_output.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "base/number_text.h"
#include "calc/mismatch.h"
#include "design/emission_rules.h"
#include "design/load_swr.h"
#include "output/console_writer.h"
#include "output/results_screen.h"
#include "output/text_lines.h"
#include "text/amplifier_texts.h"
#include "text/calc_texts.h"
#include "text/line_format.h"
#include "text/messages.h"
#include "text/value_field.h"

namespace merid {
namespace {

// The band table: a name column, then values in screen-wide fields, each
// right-aligned in its column under its heading.
constexpr std::size_t kBandLabelColumns = 5;
constexpr std::size_t kQnForCminColumnWidth = 12;

std::string field_text(float value) {
  return value_field(value, kScreenFieldWidth);
}

std::string padded_left(std::string_view text, std::size_t width) {
  const std::size_t used = utf8_columns(text);
  std::string out(width > used ? width - used : 0, ' ');
  out.append(text);
  return out;
}

std::string padded_right(std::string_view text, std::size_t width) {
  std::string out(text);
  const std::size_t used = utf8_columns(text);
  out.append(width > used ? width - used : 0, ' ');
  return out;
}

std::string bare(std::string_view label) {
  return std::string(bare_label(label));
}

TextCell text_cell(const DesignModel& d, const Field& field,
                   std::string label) {
  return TextCell{field.key, std::move(label), field_text(d.number(field))};
}

// The rows of text block `block` of the network of `d`, in order, each of
// its one or two cells.
std::vector<std::vector<TextCell>> block_rows(const DesignModel& d,
                                              std::uint8_t block,
                                              Language language) {
  std::vector<std::array<const Field*, 2>> places;
  for (const Field& field : d.network().fields) {
    if (field.text.block != block) continue;
    if (places.size() <= field.text.row) places.resize(field.text.row + 1u);
    places[field.text.row][field.text.column] = &field;
  }
  std::vector<std::vector<TextCell>> rows;
  for (const auto& place : places) {
    std::vector<TextCell> row;
    for (const Field* field : place) {
      if (field != nullptr) {
        row.push_back(
            text_cell(d, *field, std::string(field->text.label(language))));
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

// The dialogue's screen of `d` as its two blocks.
void add_screen_views(const DesignModel& d, Language language,
                      std::vector<TextBlockView>& views) {
  const ScreenLayout& screen = *d.network().screen;
  const MessageTable& m = utf8_messages(language);
  const auto cell = [&](const Field* field) {
    return text_cell(d, *field, bare(m[field->screen.label]));
  };
  TextBlockView inputs{bare(m[Msg::kInputHeading]), {}, {}};
  for (const Field* field : screen.inputs) inputs.rows.push_back({cell(field)});
  TextBlockView results{bare(m[Msg::kResultsHeading]), {}, {}};
  for (const auto& [left, right] : screen.rows) {
    results.rows.push_back({cell(left), cell(right)});
  }
  views.push_back(std::move(inputs));
  views.push_back(std::move(results));
}

void write_rows(ByteSink& out, const std::vector<std::vector<TextCell>>& rows) {
  for (const std::vector<TextCell>& row : rows) {
    if (row.size() == 1) {
      write_line(out, labelled(row[0].label, row[0].value));
    } else if (row.size() == 2) {
      write_line(out, labelled_pair(row[0].label, row[0].value, row[1].label,
                                    row[1].value));
    }
  }
}

// Under the inputs of a band table of given elements: the elements.
void write_given_elements(ByteSink& out, const DesignModel& d,
                          Language language) {
  const std::optional<GivenElements>& given = d.inputs().elements;
  if (!given) return;
  write_line(out, {});
  write_line(out, calc_texts(language).given_heading);
  const std::span<const ElementRow> rows = d.network().elements;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    write_line(out, labelled_value(rows[i].label(language), (*given)[i]));
  }
}

// The input block of `d`, its network's first text block, with or without
// the frequency; an input not known (a built tank's loaded Q, before it is
// analysed) is left out.
void write_input_block(ByteSink& out, const DesignModel& d, bool with_frequency,
                       Language language) {
  const TextBlock& first = d.network().text_blocks.front();
  if (first.style == TextBlockStyle::kScreen) {
    ConsoleWriter screen(out, utf8_messages(language));
    show_fixed_inputs(screen, d);
    write_given_elements(out, d, language);
    return;
  }
  write_line(out, first.heading(language));
  ConsoleWriter(out, utf8_messages(language)).text_line(Msg::kInputDashes);
  std::vector<std::vector<TextCell>> rows = block_rows(d, 0, language);
  std::erase_if(rows, [&](const std::vector<TextCell>& row) {
    if (row.size() != 1) return false;
    const Field* field = find_field(d.network(), row[0].key);
    return (!with_frequency && row[0].key == "f") ||
           (field != nullptr && std::isnan(d.number(*field)));
  });
  write_rows(out, rows);
  write_given_elements(out, d, language);
}

}  // namespace

std::vector<TextBlockView> text_blocks(const DesignModel& d,
                                       Language language) {
  std::vector<TextBlockView> views;
  const std::span<const TextBlock> blocks = d.network().text_blocks;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TextBlock& block = blocks[i];
    if (block.style == TextBlockStyle::kScreen) {
      add_screen_views(d, language, views);
      continue;
    }
    std::vector<std::vector<TextCell>> rows =
        block_rows(d, static_cast<std::uint8_t>(i), language);
    for (std::vector<TextCell>& row : rows) {
      for (TextCell& cell : row) cell.label = bare(cell.label);
    }
    views.push_back(TextBlockView{
        bare(block.heading(language)), std::move(rows),
        block.note != nullptr ? bare(block.note(d)(language)) : std::string()});
  }
  return views;
}

void write_design_text(ByteSink& out, const DesignModel& d, Language language) {
  const CalcTexts& t = calc_texts(language);
  const std::span<const TextBlock> blocks = d.network().text_blocks;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TextBlock& block = blocks[i];
    switch (block.style) {
      case TextBlockStyle::kScreen: {
        ConsoleWriter screen(out, utf8_messages(language));
        show_results(screen, d);
        continue;
      }
      case TextBlockStyle::kInputs:
        write_input_block(out, d, true, language);
        continue;
      case TextBlockStyle::kResults:
        write_heading(out, block.heading(language));
        write_rows(out, block_rows(d, static_cast<std::uint8_t>(i), language));
        break;
    }
    if (block.note != nullptr) write_line(out, block.note(d)(language));
  }
  if (const std::optional<GivenFigures> given = given_figures(d)) {
    write_heading(out, t.given_input_heading);
    write_line(out, labelled_row(t.given_zin_r, given->zin.re, t.given_zin_x,
                                 given->zin.im));
    write_line(out, labelled_value(t.given_swr, given->swr));
    write_line(out, t.given_note);
  }
}

std::vector<std::string> infeasible_lines(const DesignModel& d,
                                          std::optional<float> qn_min,
                                          Language language) {
  std::vector<std::string> lines;
  // A tank of given elements is no loaded Q too small: its note alone.
  if (!d.inputs().elements) {
    const MessageTable& m = utf8_messages(language);
    // As the screen writes its text lines: a blank before each.
    for (const Msg line : {Msg::kInfeasible1, Msg::kInfeasible2}) {
      lines.push_back(concat({" ", m[line]}));
    }
  }
  const std::string note = d.infeasible_note(language);
  if (!note.empty()) lines.push_back(note);
  if (!d.inputs().elements) {
    const CalcTexts& t = calc_texts(language);
    lines.push_back(qn_min ? filled(t.qn_min, {plain(*qn_min)})
                           : std::string(t.qn_min_none));
  }
  return lines;
}

void write_infeasible_text(ByteSink& out, const DesignModel& d,
                           std::optional<float> qn_min, Language language) {
  for (const std::string& line : infeasible_lines(d, qn_min, language)) {
    write_line(out, line);
  }
}

namespace {

std::string_view swr_heading_end(SwrDrive drive, const CalcTexts& t) {
  switch (drive) {
    case SwrDrive::kMatched:
      return t.swr_heading_matched;
    case SwrDrive::kHighImpedance:
      return t.swr_heading_high_impedance;
    case SwrDrive::kLevelled:
      break;
  }
  return t.swr_heading_levelled;
}

std::string_view rating_source(std::string_view from, const CalcTexts& t) {
  if (from == swr_drive_name(SwrDrive::kMatched)) return t.swr_from_matched;
  if (from == swr_drive_name(SwrDrive::kHighImpedance)) {
    return t.swr_from_high_impedance;
  }
  if (from == swr_drive_name(SwrDrive::kLevelled)) return t.swr_from_levelled;
  return t.swr_from_retuned;
}

// A count in a value field's width.
std::string count_text(int n) {
  return padded_left(std::to_string(n),
                     static_cast<std::size_t>(kScreenFieldWidth));
}

// The rows of one case's figures in their places.
void write_swr_rows(ByteSink& out, std::span<const SwrField> fields,
                    const std::vector<float>& values, Language language) {
  std::vector<std::array<std::size_t, 2>> rows;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (rows.size() <= fields[i].row) rows.resize(fields[i].row + 1u);
    rows[fields[i].row][fields[i].column] = i;
  }
  for (const auto& [left, right] : rows) {
    write_line(out, labelled_row(fields[left].label(language), values[left],
                                 fields[right].label(language), values[right]));
  }
}

void write_retuned_text(ByteSink& out, const DesignModel& d, float swr,
                        const RetunedFigures& r, Language language) {
  const CalcTexts& t = calc_texts(language);
  const Network& network = d.network();
  write_heading(
      out, concat({t.swr_heading_start, plain(swr), t.swr_heading_retuned}));
  if (r.unmatched == kSwrPhases) {
    write_line(out, t.swr_none_matched);
    return;
  }
  const std::array<float, kTunedCapacitors> least = {r.least.c1, r.least.c2};
  const std::array<float, kTunedCapacitors> largest = {r.largest.c1,
                                                       r.largest.c2};
  for (std::size_t i = 0; i < kTunedCapacitors; ++i) {
    const std::string_view name = network.tuned_labels[i](language);
    write_line(out,
               labelled_row(concat({" ", name, t.tuned_least}), least[i],
                            concat({" ", name, t.tuned_largest}), largest[i]));
  }
  write_line(out, t.swr_phases_note);
  write_line(out, r.matchable
                      ? labelled_pair(t.swr_unmatched, count_text(r.unmatched),
                                      t.swr_matchable, count_text(*r.matchable))
                      : labelled(t.swr_unmatched, count_text(r.unmatched)));
  write_line(out, t.swr_note);
  write_swr_rows(out, network.swr_fields, r.values, language);
}

}  // namespace

void write_swr_text(ByteSink& out, const DesignModel& d, const LoadSwr& s,
                    Language language) {
  const CalcTexts& t = calc_texts(language);
  const std::span<const SwrField> fields = d.network().swr_fields;
  for (const DriveFigures& drive : s.drives) {
    write_heading(out, concat({t.swr_heading_start, plain(s.swr),
                               swr_heading_end(drive.drive, t)}));
    write_line(out, t.swr_note);
    write_swr_rows(out, fields, drive.values, language);
  }
  if (s.retuned) write_retuned_text(out, d, s.swr, *s.retuned, language);
  write_heading(out, concat({t.swr_rating_heading, plain(s.swr), ":"}));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!fields[i].rating) continue;
    write_line(out,
               concat({labelled_value(fields[i].label(language), s.rating[i]),
                       rating_source(s.rating_from[i], t)}));
  }
}

namespace {

// A power in W to three significant digits, as in 0.011 or 2.95e-07.
std::string watts_text(double w) {
  char buf[32];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, w, std::chars_format::general, 3)
          .ptr;
  return std::string(buf, end);
}

// The emission block's heading: the pulses, the source, a push-pull's
// balance.
std::string emissions_heading(const Emissions& e,
                              const EmissionOptions& options,
                              const CalcTexts& t) {
  std::string h =
      concat({t.emissions_heading, plain(static_cast<float>(e.conduction))});
  if (options.rp) {
    h += concat({t.emissions_rp, plain(*options.rp), t.ohm});
  } else {
    h += t.emissions_ideal;
  }
  if (options.push_pull_db) {
    h += concat({t.emissions_push_pull, plain(*options.push_pull_db), t.db});
  }
  return h + "):";
}

// One harmonic's row under the columns' heading.
std::string harmonic_row(const HarmonicEmission& h, const CalcTexts& t) {
  const auto field = [&t](double x) {
    return std::isinf(x)
               ? padded_left(t.emissions_none, kScreenFieldWidth)
               : value_field(static_cast<float>(x), kScreenFieldWidth);
  };
  std::string row = concat(
      {" ", std::to_string(h.n), "F ", field(h.f_mhz), " ", field(h.dbc), " ",
       padded_left(std::isinf(h.dbc) ? t.emissions_none : watts_text(h.watts),
                   12),
       " ", field(h.dbm)});
  if (h.limit_dbc) {
    row += concat({"   ", field(*h.limit_dbc), "  ", field(*h.margin),
                   *h.pass ? t.emissions_pass : t.emissions_fail});
  }
  return row;
}

}  // namespace

void write_emissions_text(ByteSink& out, const DesignModel& d,
                          const AmplifierOptions& options,
                          const AmplifierReport& report, Language language) {
  if (!report.emissions) return;
  const CalcTexts& t = calc_texts(language);
  const Emissions& e = *report.emissions;
  const EmissionOptions& eo = *options.emissions;
  write_heading(out, emissions_heading(e, eo, t));
  write_line(out, t.emissions_columns);
  for (const HarmonicEmission& h : e.harmonics)
    write_line(out, harmonic_row(h, t));
  write_line(out, t.emissions_model);
  write_line(out, labelled_value(t.emissions_carrier,
                                 static_cast<float>(e.carrier_watts)));
  if (e.coil_srf_mhz) {
    write_line(out, labelled_value(t.emissions_srf,
                                   static_cast<float>(*e.coil_srf_mhz)));
  }
  if (eo.limit_db) {
    write_line(out, concat({t.emissions_rule, t.emissions_own_rule,
                            plain(*eo.limit_db), t.emissions_db_below}));
  } else if (const EmissionRule* rule = find_emission_rule(eo.rule)) {
    const std::string_view text =
        language == Language::kEnglish ? rule->text : rule->text_ru;
    write_line(out, concat({t.emissions_rule, rule->name, " - ", text}));
  }
  if (!e.search) return;
  const LimitSearchSpace space = d.limit_search();
  const std::string margin = concat({" ", plain(eo.margin_db()), t.db});
  if (e.search->value) {
    write_line(out, labelled_value(concat({space.label(language), margin}),
                                   static_cast<float>(*e.search->value)));
  } else if (e.search->shortfall) {
    write_line(out, labelled_value(t.emissions_shortfall,
                                   static_cast<float>(*e.search->shortfall)));
  }
}

void write_parts_text(ByteSink& out, const DesignModel& d,
                      const AmplifierOptions& options,
                      const AmplifierReport& report, Language language) {
  if (!report.parts) return;
  const CalcTexts& t = calc_texts(language);
  const Network& network = d.network();
  const std::array<const std::optional<CapacitorRange>*, kTunedCapacitors>
      ranges = {&options.capacitors.c1, &options.capacitors.c2};
  write_heading(out, t.parts_heading);
  for (std::size_t i = 0; i < kTunedCapacitors; ++i) {
    const std::optional<CapacitorFit>& fit = report.parts->capacitors[i];
    if (!fit) continue;
    const std::string_view name = network.tuned_labels[i](language);
    const CapacitorRange& range = **ranges[i];
    write_line(
        out,
        labelled_pair(
            concat({" ", name, t.parts_have}),
            padded_left(concat({plain(range.low), " - ", plain(range.high)}),
                        kScreenFieldWidth),
            concat({" ", name, t.parts_miss}),
            concat({field_text(static_cast<float>(fit->miss)),
                    fit->fits ? t.parts_fits : t.parts_misses})));
  }
}

void write_rin_estimate_text(ByteSink& out, const AmplifierOptions& options,
                             Language language) {
  if (!options.rin_from) return;
  const AmplifierTexts& at = amplifier_texts(language);
  const RinEstimate& e = *options.rin_from;
  write_heading(out, at.rin_estimate_heading);
  const std::string r =
      concat({fixed(e.resistance, 3), calc_texts(language).ohm});
  if (e.device == RinEstimate::Device::kTube) {
    const double k = tube_class_factor(e.tube_class);
    write_line(
        out, concat({at.rin_tube, tube_class_name(e.tube_class),
                     at.rin_tube_rule, plain(e.ratings[0]), " / (", fixed(k, 3),
                     " * ", plain(e.ratings[1]), ") = ", r}));
    return;
  }
  write_line(out, concat({at.rin_transistor, "(", plain(e.ratings[0]), " - ",
                          plain(e.ratings[1]), ")^2 / (2 * ",
                          plain(e.ratings[2]), ") = ", r}));
}

void write_amplifier_text(ByteSink& out, const AmplifierOptions& options,
                          const AmplifierReport& report, Language language) {
  const AmplifierTexts& at = amplifier_texts(language);
  if (options.cmin) {
    write_heading(out, at.cmin_heading);
    write_line(
        out, labelled_row(at.cmin_label, *options.cmin, at.c1_margin_label,
                          static_cast<float>(report.c1_margin.value_or(NAN))));
    write_line(out,
               report.qn_for_cmin
                   ? labelled_value(at.qn_for_cmin_label, *report.qn_for_cmin)
                   : labelled(at.qn_for_cmin_label, at.no_qn_for_cmin));
  }
  write_rin_estimate_text(out, options, language);
}

namespace {

// Why a row has no network: a coil no accepted loaded Q matches, or a
// loaded Q too small for the transformation.
std::string_view infeasible_note(CoilFit coil, Language language) {
  const AmplifierTexts& at = amplifier_texts(language);
  switch (coil) {
    case CoilFit::kQnAboveRange:
      return at.coil_above_range_row;
    case CoilFit::kQnBelowRange:
      return at.coil_below_range_row;
    default:
      break;
  }
  return calc_texts(language).infeasible_row;
}

// How a row's coil came out, for the page's column: empty without a fixed
// coil.
std::string_view coil_fit_text(CoilFit fit, Language language) {
  const AmplifierTexts& at = amplifier_texts(language);
  switch (fit) {
    case CoilFit::kNone:
      break;
    case CoilFit::kTap:
      return at.coil_fit_tap;
    case CoilFit::kMatched:
      return at.coil_fit_matched;
    case CoilFit::kQnAboveRange:
      return at.coil_fit_above;
    case CoilFit::kQnBelowRange:
      return at.coil_fit_below;
  }
  return {};
}

// A column of the band table and how a row fills it.
struct ColumnSource {
  enum class Kind {
    kField,       // the row's value of `field`
    kCoil,        // the tapped coil under a fixed coil, else `field`
    kQnForCmin,   // the loaded Q that --cmin asks for
    kMiss,        // how far a tuned capacitor misses its bench range
    kSwrIn,       // given elements: the SWR the amplifier sees
    kMargin,      // the worst harmonic's margin to the limit
    kLimitValue,  // the loaded Q or RMID that meets the limit
  };
  BandTableColumn column;
  Kind kind;
  const Field* field = nullptr;
  std::size_t capacitor = 0;  // kMiss: which tuned capacitor
};

std::vector<ColumnSource> band_columns(const DesignModel& inputs,
                                       const AmplifierOptions& options,
                                       Language language) {
  const CalcTexts& t = calc_texts(language);
  const AmplifierTexts& at = amplifier_texts(language);
  std::vector<ColumnSource> columns;
  for (const BandColumn& c : inputs.network().band_columns) {
    if (c.use == BandColumn::Use::kFixedCoil && !options.fixed_coil) continue;
    if (c.shown != nullptr && !c.shown(inputs)) continue;
    using K = ColumnSource::Kind;
    columns.push_back({{std::string(c.heading(language)), c.width},
                       c.use == BandColumn::Use::kCoil ? K::kCoil : K::kField,
                       find_field(inputs.network(), c.key)});
  }
  if (inputs.inputs().elements) {
    columns.push_back({{std::string(t.band_swr_in_heading), kBandQnWidth},
                       ColumnSource::Kind::kSwrIn});
  }
  if (options.emissions && options.emissions->limited()) {
    columns.push_back({{std::string(t.band_margin_heading), kBandQnWidth},
                       ColumnSource::Kind::kMargin});
    const LimitSearchSpace space = inputs.limit_search();
    if (!space.key.empty()) {
      columns.push_back(
          {{std::string(space.band_heading(language)), kQnForCminColumnWidth},
           ColumnSource::Kind::kLimitValue});
    }
  }
  if (options.cmin) {
    columns.push_back(
        {{std::string(at.band_qn_for_cmin_heading), kQnForCminColumnWidth},
         ColumnSource::Kind::kQnForCmin});
  }
  const std::array<bool, kTunedCapacitors> ranged = {
      options.capacitors.c1.has_value(), options.capacitors.c2.has_value()};
  for (std::size_t i = 0; i < kTunedCapacitors; ++i) {
    if (!ranged[i]) continue;
    columns.push_back({{concat({inputs.network().tuned_labels[i](language),
                                t.band_miss_suffix}),
                        kBandValueWidth},
                       ColumnSource::Kind::kMiss,
                       nullptr,
                       i});
  }
  return columns;
}

BandTableCell band_cell(const BandRow& r, const ColumnSource& source,
                        Language language) {
  const AmplifierTexts& at = amplifier_texts(language);
  using K = ColumnSource::Kind;
  if (source.kind == K::kQnForCmin) {
    if (!r.report.qn_for_cmin)
      return BandTableCell{std::string(at.band_no_qn_for_cmin), false};
    return BandTableCell{field_text(*r.report.qn_for_cmin)};
  }
  if (source.kind == K::kMargin || source.kind == K::kLimitValue) {
    const std::optional<Emissions>& e = r.report.emissions;
    std::optional<double> x;
    if (e && source.kind == K::kMargin) x = e->worst_margin;
    if (e && source.kind == K::kLimitValue && e->search) x = e->search->value;
    if (!x) return BandTableCell{std::string(at.band_no_qn_for_cmin), false};
    return BandTableCell{field_text(static_cast<float>(*x))};
  }
  if (source.kind == K::kSwrIn) {
    const std::optional<GivenFigures> given = given_figures(*r.design);
    return BandTableCell{field_text(given ? given->swr : NAN)};
  }
  if (source.kind == K::kMiss) {
    const std::optional<CapacitorFit> fit =
        r.report.parts ? r.report.parts->capacitors[source.capacitor]
                       : std::nullopt;
    return BandTableCell{field_text(fit ? static_cast<float>(fit->miss) : NAN)};
  }
  if (source.kind == K::kCoil && r.report.coil != CoilFit::kNone) {
    return BandTableCell{field_text(r.report.l_fixed)};
  }
  return BandTableCell{field_text(r.design->number(*source.field))};
}

}  // namespace

BandTableView band_table_view(const DesignModel& inputs,
                              const std::vector<BandRow>& rows,
                              const AmplifierOptions& options,
                              Language language) {
  const std::vector<ColumnSource> sources =
      band_columns(inputs, options, language);
  BandTableView view;
  for (const ColumnSource& source : sources) {
    view.columns.push_back(source.column);
  }
  const AmateurBand* previous = nullptr;
  for (const BandRow& r : rows) {
    BandTableLine line{
        r.band != previous ? r.band->label(language) : std::string_view(),
        r.band->name,
        r.edge,
        {},
        {},
        field_text(r.design->inputs().f),
        coil_fit_text(r.report.coil, language)};
    previous = r.band;
    if (!r.design->feasible()) {
      line.note = r.design->inputs().elements
                      ? calc_texts(language).given_unresolved_row
                      : infeasible_note(r.report.coil, language);
    } else {
      for (const ColumnSource& source : sources) {
        line.cells.push_back(band_cell(r, source, language));
      }
    }
    view.lines.push_back(std::move(line));
  }
  return view;
}

void write_band_table_text(ByteSink& out, const DesignModel& inputs,
                           const std::vector<BandRow>& rows,
                           const AmplifierOptions& options, Language language) {
  const CalcTexts& t = calc_texts(language);
  write_input_block(out, inputs, false, language);
  write_heading(out, t.bands_heading);
  if (options.fixed_coil) {
    for (const LocalText line : inputs.network().fixed_coil_note) {
      write_line(out, line(language));
    }
  }
  const BandTableView view = band_table_view(inputs, rows, options, language);
  std::string header =
      concat({" ", padded_right(t.band_label_heading, kBandLabelColumns)});
  for (const BandTableColumn& column : view.columns) {
    header.append(padded_left(column.heading, column.width));
  }
  write_line(out, header);
  for (std::size_t i = 0; i < view.lines.size(); ++i) {
    const BandTableLine& line = view.lines[i];
    if (i > 0 && !line.band.empty()) write_line(out, {});
    std::string text =
        concat({" ", padded_right(line.band, kBandLabelColumns)});
    if (line.cells.empty()) {
      text.append(
          std::string(view.columns.front().width - kScreenFieldWidth, ' '));
      text.append(line.frequency);
      text.append(line.note);
    }
    for (std::size_t c = 0; c < line.cells.size(); ++c) {
      const BandTableCell& cell = line.cells[c];
      const std::size_t width = view.columns[c].width;
      // A value field, blanks before it to fill the column.
      text.append(cell.value
                      ? std::string(width - kScreenFieldWidth, ' ') + cell.text
                      : padded_left(cell.text, width));
    }
    write_line(out, text);
  }
  write_rin_estimate_text(out, options, language);
}

}  // namespace merid

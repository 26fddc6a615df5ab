#ifndef MERID_TEXT_CALC_TEXTS_H_
#define MERID_TEXT_CALC_TEXTS_H_

// merid-calc's own texts, UTF-8, one catalogue per language: the peak block
// and the band table of its text output, the harmonics and mismatch blocks,
// and the words of its plot and its Smith chart.  The dialogue's texts are
// the console message table; these are apart from it.  The Russian ones are
// what merid-calc has always written, byte for byte.

#include <array>
#include <string_view>
#include <type_traits>

#include "text/catalogue.h"
#include "text/language.h"

namespace merid {

struct CalcTexts {
  // Labels of merid-calc's text blocks, without the tabs and "= " that the
  // output adds so that each value lands in the screen's columns.  The С of
  // С1 and С2 is Cyrillic, as in "I в С1".
  std::string_view peaks_heading;
  std::string_view peak_uc1;
  std::string_view peak_uc2;
  std::string_view peak_ul;
  std::string_view peak_ic1;
  std::string_view peak_ic2;
  std::string_view peak_il;

  // The band table.
  std::string_view bands_heading;
  std::string_view infeasible_row;
  std::string_view band_label_heading;
  // Headings of the value columns.
  std::string_view band_f;
  std::string_view band_c1;
  std::string_view band_c2;
  std::string_view band_l;
  std::string_view band_uc1_peak;
  std::string_view band_il_peak;
  // Ohm after a resistance, wherever one is written.
  std::string_view ohm;

  // The bands' names in the table, from 160 m to 2 m.
  std::string_view band160m;
  std::string_view band80m;
  std::string_view band40m;
  std::string_view band30m;
  std::string_view band20m;
  std::string_view band17m;
  std::string_view band15m;
  std::string_view band12m;
  std::string_view band10m;
  std::string_view band6m;
  std::string_view band2m;

  // The plot.  The title is "П-контур: F = 7.1 МГц, Qn = 12, ..."; the pi-L
  // network's takes two lines, the second "R вх. = 2000 Ом, R пром. = 316
  // Ом, R вых. = 50 Ом".
  std::string_view plot_title_pi;
  std::string_view plot_title_f;
  std::string_view plot_title_qn;
  std::string_view plot_title_q0;
  std::string_view plot_title_rin;
  std::string_view plot_title_rout;
  std::string_view plot_title_rin_line;
  std::string_view plot_title_rmid;
  std::string_view plot_mhz;
  std::string_view plot_khz;
  std::string_view plot_frequency_axis;
  std::string_view plot_db_axis;
  std::string_view plot_s11_axis;
  std::string_view plot_band_not_found;
  std::string_view plot_limit_db;
  std::string_view plot_legend_voltage;
  std::string_view plot_legend_current;
  std::string_view plot_legend_s11;
  std::string_view plot_legend_limit_db;
  std::string_view plot_legend_f;
  std::string_view plot_voltage_band;
  std::string_view plot_current_band;
  std::string_view plot_s11_band;

  // The blocks under the peaks: the harmonics and the stresses under a
  // mismatched load.
  std::string_view harmonics_heading;
  std::string_view ku2;
  std::string_view ku3;
  std::string_view ku4;
  std::string_view ku5;
  std::string_view ki2;
  std::string_view ki3;
  std::string_view ki4;
  std::string_view ki5;

  // " Нагрузка с КСВ 3 на любой фазе, источник с R = R вх.:"
  std::string_view swr_heading_start;
  std::string_view swr_heading_matched;
  std::string_view swr_heading_high_impedance;
  std::string_view swr_heading_levelled;
  std::string_view swr_heading_retuned;
  std::string_view swr_note;

  // The retuned tank: the range of each tuned capacitor, " С1 мин., пФ", and
  // the phases it matches.
  std::string_view tuned_c1;
  std::string_view tuned_c2;
  std::string_view tuned_least;
  std::string_view tuned_largest;
  std::string_view swr_phases_note;
  std::string_view swr_unmatched;
  std::string_view swr_matchable;
  std::string_view swr_none_matched;

  // The largest stress of each part over every case, and the case.
  std::string_view swr_rating_heading;
  std::string_view swr_from_matched;
  std::string_view swr_from_high_impedance;
  std::string_view swr_from_levelled;
  std::string_view swr_from_retuned;

  // A tank of given elements (--elements): the elements under a band
  // table's inputs, and what the amplifier sees.
  std::string_view given_heading;
  std::string_view given_c1;
  std::string_view given_l;
  std::string_view given_c2;
  std::string_view given_input_heading;
  std::string_view given_zin_r;
  std::string_view given_zin_x;
  std::string_view given_swr;
  std::string_view band_swr_in_heading;
  std::string_view given_unresolved_row;
  std::string_view given_unresolved;
  std::string_view given_note;
  // Under an infeasible design's message: the least loaded Q that makes
  // the transformation ({0}), or that no accepted one does.
  std::string_view qn_min;
  std::string_view qn_min_none;

  // The harmonics at the load (the emission options): the heading with the
  // device's pulses and source, the columns, and the search for the limit.
  std::string_view emissions_heading;
  std::string_view emissions_ideal;
  std::string_view emissions_rp;
  std::string_view emissions_push_pull;
  std::string_view emissions_columns;
  std::string_view emissions_none;
  std::string_view db;
  std::string_view emissions_pass;
  std::string_view emissions_fail;
  std::string_view emissions_rule;
  std::string_view emissions_own_rule;
  std::string_view emissions_db_below;
  std::string_view emissions_carrier;
  std::string_view emissions_srf;
  std::string_view limit_qn_label;
  std::string_view emissions_shortfall;
  std::string_view emissions_model;
  std::string_view band_limit_qn_heading;
  std::string_view band_margin_heading;

  // The capacitors on the bench (--c1-range, --c2-range): " С1 есть, пФ"
  // with its range, and how far the design's value lies outside it.
  std::string_view parts_heading;
  std::string_view parts_have;
  std::string_view parts_miss;
  std::string_view parts_fits;
  std::string_view parts_misses;
  std::string_view band_miss_suffix;

  // The rows of one drive.
  std::string_view swr_uc1;
  std::string_view swr_uc2;
  std::string_view swr_ul;
  std::string_view swr_ic1;
  std::string_view swr_ic2;
  std::string_view swr_il;
  std::string_view swr_pload;
  std::string_view swr_ploss;
  std::string_view swr_r_min;
  std::string_view swr_r_max;
  std::string_view swr_x_min;
  std::string_view swr_x_max;
  std::string_view swr_s11_min;
  std::string_view swr_s11_max;

  std::string_view plot_emissions;
  std::string_view plot_emissions_limit;
  std::string_view plot_harmonics;

  // The Smith chart: the loads of --swr with --retune, "нагрузки с КСВ 3
  // (к R вых.)", and "не настраиваются: 56 из 360".
  std::string_view smith_loads;
  std::string_view smith_loads_to;
  std::string_view smith_unmatched;
  std::string_view smith_unmatched_of;

  // The Smith chart.
  std::string_view smith_normalised;
  std::string_view smith_curve_from;
  std::string_view smith_curve_to;
  std::string_view smith_voltage_edges;
  std::string_view smith_current_edges;
  std::array<std::string_view, 3> smith_reading;
};

// The catalogue of `language`.
const CalcTexts& calc_texts(Language language);

// How local_text() finds this catalogue.
inline const CalcTexts& catalogue(std::type_identity<CalcTexts>,
                                  Language language) {
  return calc_texts(language);
}

}  // namespace merid

#endif  // MERID_TEXT_CALC_TEXTS_H_

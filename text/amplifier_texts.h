#ifndef MERID_TEXT_AMPLIFIER_TEXTS_H_
#define MERID_TEXT_AMPLIFIER_TEXTS_H_

// merid-calc's texts for the amplifier options, UTF-8, one catalogue per
// language: the block of the minimum C1 and the estimate of RIN under the
// results, and the extra columns and row notes of the band table.  Labels
// stand without the tabs and "= " that the output adds.

#include <array>
#include <string_view>
#include <type_traits>

#include "text/catalogue.h"
#include "text/language.h"

namespace merid {

struct AmplifierTexts {
  // The minimum C1.
  std::string_view cmin_heading;
  std::string_view cmin_label;
  std::string_view c1_margin_label;
  std::string_view qn_for_cmin_label;
  std::string_view no_qn_for_cmin;

  // The estimate of R вх. from the amplifier's ratings.
  std::string_view rin_estimate_heading;
  std::string_view rin_tube;
  std::string_view rin_tube_rule;
  std::string_view rin_transistor;

  // The band table: column headings, and the note of a row the band's coil
  // cannot match.
  std::string_view band_qn_heading;
  std::string_view band_ku_heading;
  std::string_view band_qn_for_cmin_heading;
  std::string_view band_no_qn_for_cmin;
  std::string_view fixed_coil_heading;
  std::string_view fixed_coil_heading2;
  std::string_view coil_above_range_row;
  std::string_view coil_below_range_row;

  // How a band's row came out with the coil fixed, for the page's column.
  std::string_view coil_fit_heading;
  std::string_view coil_fit_tap;
  std::string_view coil_fit_matched;
  std::string_view coil_fit_above;
  std::string_view coil_fit_below;
};

// The catalogue of `language`.
const AmplifierTexts& amplifier_texts(Language language);

// How local_text() finds this catalogue.
inline const AmplifierTexts& catalogue(std::type_identity<AmplifierTexts>,
                                       Language language) {
  return amplifier_texts(language);
}

}  // namespace merid

#endif  // MERID_TEXT_AMPLIFIER_TEXTS_H_

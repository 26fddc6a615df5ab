#ifndef MERID_TEXT_PI_L_TEXTS_H_
#define MERID_TEXT_PI_L_TEXTS_H_

// merid-calc's texts of the pi-L network, UTF-8, one catalogue per
// language, labels without the tabs and "= " that the output adds to reach
// the screen's columns.  The С of the Russian С1 is Cyrillic, as on the
// results screen.

#include <array>
#include <string_view>
#include <type_traits>

#include "text/catalogue.h"
#include "text/language.h"

namespace merid {

struct PiLTexts {
  // The plot's title begins "П-L-контур: F = ...".
  std::string_view plot_title;

  std::string_view input_heading;
  std::string_view results_heading;
  std::string_view middle_sum;
  std::string_view middle_alone;

  // The input block.
  std::string_view f;
  std::string_view qn;
  std::string_view q0;
  std::string_view rin;
  std::string_view rout;
  std::string_view pin;
  std::string_view rmid;

  // The results block.
  std::string_view c1;
  std::string_view l1;
  std::string_view c2p;
  std::string_view cl;
  std::string_view cmid;
  std::string_view l2;
  std::string_view q_pi;
  std::string_view eta;
  std::string_view ploss;
  std::string_view qc1;
  std::string_view ql1;
  std::string_view qcmid;
  std::string_view ql2;
  std::string_view qcout;
  std::string_view s22;
  std::string_view bw_u;
  std::string_view uin;
  std::string_view ul1;
  std::string_view umid;
  std::string_view ul2;
  std::string_view uout;
  std::string_view cout;
  std::string_view ql;
  std::string_view pout;
  std::string_view s11;
  std::string_view ic1;
  std::string_view il1;
  std::string_view icmid;
  std::string_view il2;
  std::string_view icout;
  std::string_view bw_s11;
  std::string_view bw_i;

  // The peaks, beside the pi network's " U пик на С1, В" and " I пик в С1, А".
  std::string_view peak_ul1;
  std::string_view peak_ucmid;
  std::string_view peak_ul2;
  std::string_view peak_uout;
  std::string_view peak_il1;
  std::string_view peak_icmid;
  std::string_view peak_il2;
  std::string_view peak_icout;

  // Under a mismatched load, beside the pi network's labels.
  std::string_view swr_ploss;
  std::string_view tuned_cmid;
  // The RMID that meets the harmonic limit, in the text and the band table.
  std::string_view limit_rmid_label;
  std::string_view band_limit_rmid_heading;

  // Under the dialogue's message for an infeasible design:
  // " П-звено: R вх. = 5000 Ом -> R пром. = 500 Ом".
  std::string_view infeasible_note;
  std::string_view infeasible_to;

  // The band table: headings of the value columns, and how the coils are
  // kept.
  std::string_view band_l1;
  std::string_view band_cmid;
  std::string_view band_l2;
  std::string_view band_cout;
  std::string_view band_il1_peak;
  std::string_view band_rmid;
  std::string_view fixed_coil_heading;
  std::string_view fixed_coil_heading2;
};

// The catalogue of `language`.
const PiLTexts& pi_l_texts(Language language);

// How local_text() finds this catalogue.
inline const PiLTexts& catalogue(std::type_identity<PiLTexts>,
                                 Language language) {
  return pi_l_texts(language);
}

}  // namespace merid

#endif  // MERID_TEXT_PI_L_TEXTS_H_

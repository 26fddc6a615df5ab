#ifndef MERID_TEXT_CATALOGUE_H_
#define MERID_TEXT_CATALOGUE_H_

// A text of a catalogue as a table names it once for every language: the
// networks' tables (labels, headings, band names) hold these, and each
// output reads them in the language it writes.

#include <string_view>
#include <type_traits>

#include "text/language.h"

namespace merid {

// A text in the language asked for.
using LocalText = std::string_view (*)(Language language);

namespace catalogue_detail {
template <typename Member>
struct Owner;
template <typename Catalogue>
struct Owner<std::string_view Catalogue::*> {
  using type = Catalogue;
};
}  // namespace catalogue_detail

// The text `Member` (&CalcTexts::ohm) in `language`, read from the
// catalogue that its header's catalogue(std::type_identity<...>, Language)
// gives.
template <auto Member>
std::string_view local_text(Language language) {
  using Catalogue = typename catalogue_detail::Owner<decltype(Member)>::type;
  return catalogue(std::type_identity<Catalogue>{}, language).*Member;
}

}  // namespace merid

#endif  // MERID_TEXT_CATALOGUE_H_

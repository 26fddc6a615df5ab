#ifndef MERID_TEXT_LANGUAGE_H_
#define MERID_TEXT_LANGUAGE_H_

// The languages of the texts that come in more than one.

namespace merid {

enum class Language { kRussian, kEnglish };

}  // namespace merid

#endif  // MERID_TEXT_LANGUAGE_H_

#ifndef MERID_TEXT_UTF16_H_
#define MERID_TEXT_UTF16_H_

// UTF-8 text as UTF-16, for a console that takes wide characters.

#include <string>
#include <string_view>

namespace merid {

// `utf8` in UTF-16: code points above U+FFFF as surrogate pairs.  Each
// ill-formed part (a stray continuation byte, a sequence cut short, an
// overlong form, an encoded surrogate, a value above U+10FFFF) becomes one
// U+FFFD for its longest valid-looking prefix, so nothing after it is lost.
std::u16string utf8_to_utf16(std::string_view utf8);

}  // namespace merid

#endif  // MERID_TEXT_UTF16_H_

#ifndef MERID_FUZZ_CONSOLE_GRAMMAR_H_
#define MERID_FUZZ_CONSOLE_GRAMMAR_H_

// The console output of a dialogue read back as a sequence of the writer's
// forms, each built from a text of the message table and value fields.

#include <optional>
#include <string_view>
#include <vector>

#include "text/messages.h"

namespace merid::fuzz {

enum class Form {
  kEmptyLine,  // CR LF
  kTextLine,   // blank, text, CR LF
  kPrompt,     // text
  kValueLine,  // text, field, CR LF
  kRow,        // text, field, five blanks, text, field, CR LF
};

struct Token {
  Form form = Form::kEmptyLine;
  Msg msg = Msg::kBanner;
  Msg right = Msg::kBanner;  // kRow only
  std::string_view field;
  std::string_view right_field;  // kRow only
};

// True when `text` is a value field of `width`: all asterisks, or blanks
// and then NaN, [-]Infinity or [-]digits.ddd without a needless leading
// zero.
bool is_value_field(std::string_view text, std::size_t width);

// Reads `output` as forms; each text is used only in the forms the
// dialogue writes it in.  Empty when some byte belongs to no form.
std::optional<std::vector<Token>> parse_console(std::string_view output,
                                                const MessageTable& messages);

}  // namespace merid::fuzz

#endif  // MERID_FUZZ_CONSOLE_GRAMMAR_H_

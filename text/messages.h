#ifndef MERID_TEXT_MESSAGES_H_
#define MERID_TEXT_MESSAGES_H_

// The console message table: every text the dialogue writes, kept once as
// characters and emitted as CP866 or UTF-8 bytes.

#include <array>
#include <cstddef>
#include <string_view>

#include "text/language.h"

namespace merid {

// One entry per console text, in the order they appear on the screen.
enum class Msg : int {
  // Banner and the six input prompts.
  kBanner,
  kBannerDashes,
  kPromptF,
  kPromptQn,
  kPromptQ0,
  kPromptRin,
  kPromptRout,
  kPromptPin,
  // Input block of the results screen.
  kInputHeading,
  kInputDashes,
  kLabelF,
  kLabelQn,
  kLabelQ0,
  kLabelRin,
  kLabelRout,
  kLabelPin,
  // Results block: heading, dashes, then left and right label of each row.
  kResultsHeading,
  kResultsDashes,
  kLabelC1,
  kLabelUin,
  kLabelC2,
  kLabelUout,
  kLabelL,
  kLabelUl,
  kLabelEta,
  kLabelPout,
  kLabelQc1,
  kLabelPloss,
  kLabelQc2,
  kLabelKu,
  kLabelQl,
  kLabelKi,
  kLabelIc1,
  kLabelS11,
  kLabelIc2,
  kLabelS22,
  kLabelIl,
  kLabelBwU,
  kLabelBwS11,
  kLabelBwI,
  // Infeasible design, menu, menu choices 1 and 2, confirmation, farewell.
  kInfeasible1,
  kInfeasible2,
  kMenu1,
  kMenu2,
  kMenu3,
  kMenu4,
  kMenuPrompt,
  kCurrentF,
  kNewF,
  kCurrentQn,
  kNewQn,
  kWritten,
  kFarewell,
  // The integer entry's complaint about a line that is not an integer.
  kBadInteger,
  kCount
};

inline constexpr std::size_t kMessageCount =
    static_cast<std::size_t>(Msg::kCount);

// The 54 texts as bytes of one console encoding.
class MessageTable {
 public:
  constexpr explicit MessageTable(
      const std::array<std::string_view, kMessageCount>& texts)
      : texts_(texts) {}
  constexpr std::string_view operator[](Msg m) const {
    return texts_[static_cast<std::size_t>(m)];
  }

 private:
  std::array<std::string_view, kMessageCount> texts_;
};

// The texts as UTF-8 bytes, exactly as typed in the source.
const MessageTable& utf8_messages();
// The texts in `language` as UTF-8 bytes, for merid-calc's text output:
// the Russian ones are utf8_messages(), the dialogue's own.
const MessageTable& utf8_messages(Language language);
// The same characters as CP866 bytes, converted when the program is compiled.
const MessageTable& cp866_messages();

// The table of the running program's console encoding; each program links
// exactly one definition of it.
const MessageTable& console_messages();

}  // namespace merid

#endif  // MERID_TEXT_MESSAGES_H_

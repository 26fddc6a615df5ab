#ifndef MERID_BASE_ENTRY_READING_H_
#define MERID_BASE_ENTRY_READING_H_

// A typed number read strictly, for the page and for merid-calc's warning:
// accepted only when its whole text, after the blanks around it, is the
// one number that the free-form rules (base/free_form.h) read of it, at
// any length; otherwise what those rules would read and why it is refused.
// The free-form rules themselves stay as the dialogue and merid-calc have
// them.

#include <optional>
#include <string>
#include <string_view>

#include "text/language.h"

namespace merid {

// Why a text is not a number as it stands.
enum class EntryProblem {
  kNone,
  kEmpty,          // nothing but blanks
  kNotANumber,     // the rules read no number of it
  kSpaceInside,    // "2 500": a blank ends the number, which reads 2
  kGroupingComma,  // "1,000": the comma is the decimal point, it reads 1
  kSecondComma,    // "3,6,1": the second comma ends the number
  kTextAfter,      // "50 Ом": text after the number
  kRepeatCount,    // "2*5": a repeat count before the value, which reads 5
};

struct StrictEntry {
  EntryProblem problem = EntryProblem::kNone;
  // Accepted: the number.  Refused: what the free-form rules read of the
  // whole text, none when they read no number.
  std::optional<float> reading;
  // Where the number meant is plain, the text to type for it ("2500");
  // else empty.
  std::string suggestion;
  // The text is longer than the dialogue's line buffer, which reads only
  // its first 10 bytes; what they read there, none when no number.
  bool longer_than_dialogue = false;
  std::optional<float> dialogue_reading;

  bool accepted() const { return problem == EntryProblem::kNone; }
};

// `text` read strictly.  A whole number of any length is accepted: the
// 10-byte cut of the dialogue does not apply ("000000000007.1" is 7.1).
StrictEntry read_entry_strictly(std::string_view text);

// Why `entry` is refused and what it would read, one sentence without its
// full stop in `language` ("a space ends the number: it reads 2; type
// 2500"); empty when it is accepted.
std::string entry_problem_text(const StrictEntry& entry, Language language);

// The same of `text` alone, for a warning: empty when it is a number as it
// stands.
std::string entry_problem_text(std::string_view text, Language language);

}  // namespace merid

#endif  // MERID_BASE_ENTRY_READING_H_

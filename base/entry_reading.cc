#include "base/entry_reading.h"

#include <algorithm>

#include "base/free_form.h"
#include "base/number_text.h"
#include "text/page_texts.h"

namespace merid {
namespace {

std::optional<float> value_of(const RealEntry& entry) {
  if (entry.status != EntryStatus::kValue) return std::nullopt;
  return entry.value;
}

bool all_digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), is_digit);
}

// "1,000" and "-12,345": digits, not all zeros, a comma and three digits,
// as a thousands separator writes them.
bool looks_grouped(std::string_view text) {
  if (!text.empty() && is_sign(text.front())) text.remove_prefix(1);
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  const std::string_view whole = text.substr(0, comma);
  return all_digits(whole) &&
         whole.find_first_not_of('0') != std::string_view::npos &&
         text.size() - comma - 1 == 3 && all_digits(text.substr(comma + 1));
}

// "2 500", "12 345 678" and "1 500,5": digits in groups of three parted
// by blanks, as thousands are written in Russian, the first group of one
// to three digits after a sign, a decimal part after the last group.
bool grouped_by_blanks(std::string_view text) {
  if (!text.empty() && is_sign(text.front())) text.remove_prefix(1);
  std::size_t groups = 0;
  while (!text.empty()) {
    const std::size_t blank = text.find_first_of(" \t");
    std::string_view group = text.substr(0, blank);
    text = blank == std::string_view::npos
               ? std::string_view()
               : without_blanks_around(text.substr(blank));
    if (text.empty()) {
      const std::size_t point = group.find_first_of(".,");
      if (point != std::string_view::npos) {
        if (!all_digits(group.substr(point + 1))) return false;
        group = group.substr(0, point);
      }
    }
    const bool first = groups++ == 0;
    if (!all_digits(group) || group.size() > 3 ||
        (!first && group.size() != 3)) {
      return false;
    }
  }
  return groups > 1;
}

// `text` (blanks around it removed) whose first item the free-form rules
// end at `end`, a separator.
StrictEntry ended_early(std::string_view text, std::size_t end,
                        std::optional<float> reading) {
  StrictEntry e;
  e.reading = reading;
  if (!reading) {
    e.problem = EntryProblem::kNotANumber;
  } else if (text[end] == ',') {
    e.problem = EntryProblem::kSecondComma;
  } else if (is_blank(text[end]) &&
             is_digit(without_blanks_around(text.substr(end)).front())) {
    e.problem = EntryProblem::kSpaceInside;
    // A suggestion only where the blanks group thousands: "120 4.7 640"
    // is three numbers, not one.
    std::string joined(text);
    std::erase_if(joined, [](char c) { return is_blank(c); });
    if (grouped_by_blanks(text) && read_entry_strictly(joined).accepted()) {
      e.suggestion = joined;
    }
  } else {
    e.problem = EntryProblem::kTextAfter;
  }
  return e;
}

}  // namespace

StrictEntry read_entry_strictly(std::string_view text) {
  const std::string_view t = without_blanks_around(text);
  const bool longer = text.size() > kRealBufferSize;
  StrictEntry e;
  if (t.empty()) {
    e.problem = EntryProblem::kEmpty;
  } else {
    // The first comma is the decimal point; the item ends at the first
    // separator after it.
    std::string item(t);
    if (const std::size_t comma = item.find(','); comma != std::string::npos) {
      item[comma] = '.';
    }
    const auto separator = std::find_if(item.begin(), item.end(),
                                        [](char c) { return is_separator(c); });
    const std::optional<float> reading = value_of(parse_real(t));
    if (separator != item.end()) {
      e = ended_early(t, static_cast<std::size_t>(separator - item.begin()),
                      reading);
    } else if (!reading) {
      e.problem = EntryProblem::kNotANumber;
    } else if (item.find('*') != std::string::npos) {
      e.problem = EntryProblem::kRepeatCount;
      e.reading = reading;
    } else if (looks_grouped(t)) {
      e.problem = EntryProblem::kGroupingComma;
      e.reading = reading;
      std::string joined(t);
      std::erase(joined, ',');
      e.suggestion = joined;
    } else {
      e.reading = reading;
    }
  }
  e.longer_than_dialogue = longer;
  if (longer)
    e.dialogue_reading = value_of(parse_real(text.substr(0, kRealBufferSize)));
  return e;
}

std::string entry_problem_text(const StrictEntry& entry, Language language) {
  const PageTexts& t = page_texts(language);
  const std::string reading = entry.reading ? plain(*entry.reading) : "";
  std::string why;
  switch (entry.problem) {
    case EntryProblem::kNone:
      return {};
    case EntryProblem::kEmpty:
      why = t.no_value;
      break;
    case EntryProblem::kNotANumber:
      why = t.not_a_number;
      break;
    case EntryProblem::kSpaceInside:
      why = entry.suggestion.empty()
                ? filled(t.space_inside_plain, {reading})
                : filled(t.space_inside, {reading, entry.suggestion});
      break;
    case EntryProblem::kGroupingComma:
      why = filled(t.grouping_comma, {reading, entry.suggestion});
      break;
    case EntryProblem::kSecondComma:
      why = filled(t.second_comma, {reading});
      break;
    case EntryProblem::kTextAfter:
      why = filled(t.text_after, {reading});
      break;
    case EntryProblem::kRepeatCount:
      why = filled(t.repeat_count, {reading});
      break;
  }
  if (!entry.longer_than_dialogue) return why;
  const std::string bytes = std::to_string(kRealBufferSize);
  if (!entry.dialogue_reading) return why + filled(t.longer_unread, {bytes});
  return why + filled(t.longer_than_dialogue,
                      {bytes, plain(*entry.dialogue_reading)});
}

std::string entry_problem_text(std::string_view text, Language language) {
  return entry_problem_text(read_entry_strictly(text), language);
}

}  // namespace merid

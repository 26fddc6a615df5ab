#include "base/entry_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace merid {
namespace {

struct StrictCase {
  const char* text;
  EntryProblem problem;
  float reading;  // NaN: none
  const char* suggestion;
};

constexpr float kNone = NAN;

TEST(ReadEntryStrictly, WholeNumbersAndTheirRefusals) {
  const StrictCase cases[] = {
      {"7.1", EntryProblem::kNone, 7.1f, ""},
      {"  7,1\t", EntryProblem::kNone, 7.1f, ""},
      {"1.5e2", EntryProblem::kNone, 150.0f, ""},
      {"0,125", EntryProblem::kNone, 0.125f, ""},
      {"1,5", EntryProblem::kNone, 1.5f, ""},
      {"000000000007.1", EntryProblem::kNone, 7.1f, ""},
      {"7.10000000000001", EntryProblem::kNone, 7.1f, ""},
      {"", EntryProblem::kEmpty, kNone, ""},
      {"   ", EntryProblem::kEmpty, kNone, ""},
      {"abc", EntryProblem::kNotANumber, kNone, ""},
      {"50Ом", EntryProblem::kNotANumber, kNone, ""},
      {"2 500", EntryProblem::kSpaceInside, 2.0f, "2500"},
      {"2 500 000", EntryProblem::kSpaceInside, 2.0f, "2500000"},
      {"2 5x", EntryProblem::kSpaceInside, 2.0f, ""},
      // Blanks that group no thousands part numbers: nothing to suggest.
      {"120 4.7 640", EntryProblem::kSpaceInside, 120.0f, ""},
      {"2 5", EntryProblem::kSpaceInside, 2.0f, ""},
      {"1 500,5", EntryProblem::kSpaceInside, 1.0f, "1500,5"},
      {"1,000", EntryProblem::kGroupingComma, 1.0f, "1000"},
      {"-12,345", EntryProblem::kGroupingComma, -12.345f, "-12345"},
      {"3,6,1", EntryProblem::kSecondComma, 3.6f, ""},
      {"50 Ом", EntryProblem::kTextAfter, 50.0f, ""},
      {"50;", EntryProblem::kTextAfter, 50.0f, ""},
      {"2*5", EntryProblem::kRepeatCount, 5.0f, ""},
      {"x 5", EntryProblem::kNotANumber, kNone, ""},
  };
  for (const StrictCase& c : cases) {
    SCOPED_TRACE(c.text);
    const StrictEntry e = read_entry_strictly(c.text);
    EXPECT_EQ(e.problem, c.problem);
    EXPECT_EQ(e.accepted(), c.problem == EntryProblem::kNone);
    if (std::isnan(c.reading)) {
      EXPECT_FALSE(e.reading.has_value());
    } else {
      ASSERT_TRUE(e.reading.has_value());
      EXPECT_EQ(*e.reading, c.reading);
    }
    EXPECT_EQ(e.suggestion, c.suggestion);
  }
}

// The dialogue cuts a line at 10 bytes; the strict reading does not, and
// says what the cut would have read when it refuses.
TEST(ReadEntryStrictly, LongerThanTheDialoguesBuffer) {
  const StrictEntry whole = read_entry_strictly("000000000007.1");
  EXPECT_TRUE(whole.longer_than_dialogue);
  ASSERT_TRUE(whole.dialogue_reading.has_value());
  EXPECT_EQ(*whole.dialogue_reading, 0.0f);
  EXPECT_EQ(entry_problem_text(whole, Language::kEnglish), "");

  const StrictEntry cut = read_entry_strictly("2 500 000 000");
  EXPECT_EQ(entry_problem_text(cut, Language::kEnglish),
            "a space ends the number, which reads 2; type 2500000000; the "
            "dialogue reads only 10 characters: 2");
  EXPECT_EQ(entry_problem_text("123.456789x", Language::kEnglish),
            "not a number; the dialogue reads only 10 characters: 123.45679");
  EXPECT_FALSE(read_entry_strictly("7.1234567").longer_than_dialogue);
}

TEST(EntryProblemText, InBothLanguages) {
  EXPECT_EQ(entry_problem_text("2 500", Language::kRussian),
            "пробел заканчивает число, читается 2; наберите 2500");
  EXPECT_EQ(entry_problem_text("1,000", Language::kEnglish),
            "the comma is the decimal point, so it reads 1; for 1000 type "
            "1000");
  EXPECT_EQ(entry_problem_text("3,6,1", Language::kRussian),
            "вторая запятая заканчивает число, читается 3.6");
  EXPECT_EQ(entry_problem_text("50 Ом", Language::kEnglish),
            "text after the number, which reads 50; type the number alone");
  EXPECT_EQ(entry_problem_text("7,1", Language::kRussian), "");
}

}  // namespace
}  // namespace merid

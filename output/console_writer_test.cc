// Tests of the console writer: the three output forms and the results row,
// byte for byte in both console encodings.

#include "output/console_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/support/string_io.h"
#include "text/messages.h"

namespace merid {
namespace {

template <typename Write>
std::string written(const MessageTable& messages, Write write) {
  StringSink sink;
  ConsoleWriter out(sink, messages);
  write(out);
  return sink.text();
}

// The CP866 rows spell their Cyrillic letters as bytes, so they check the
// encoding as well as the layout.
TEST(ConsoleWriter, FormsInBothEncodings) {
  struct {
    const char* encoding;
    const MessageTable& messages;
    std::string_view confirmation;
    std::string_view current_frequency;
    std::string_view first_results_row;
  } const cases[] = {
      {"UTF-8", utf8_messages(), "  Данные записаны в файл rezultat.txt\r\n",
       "  Текущая частота, МГц =        7.100\r\n",
       " C1, пФ \t\t=    119.426      U вх.,  В (эфф.)\t=    447.214\r\n"},
      {"CP866", cp866_messages(),
       "  \x84\xA0\xAD\xAD\xEB\xA5 \xA7\xA0\xAF\xA8\xE1\xA0\xAD\xEB \xA2 "
       "\xE4\xA0\xA9\xAB rezultat.txt\r\n",
       "  \x92\xA5\xAA\xE3\xE9\xA0\xEF \xE7\xA0\xE1\xE2\xAE\xE2\xA0, "
       "\x8C\x83\xE6 =        7.100\r\n",
       " C1, \xAF\x94 \t\t=    119.426      U \xA2\xE5.,  \x82 "
       "(\xED\xE4\xE4.)\t=    447.214\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.encoding);
    const MessageTable& m = c.messages;
    EXPECT_EQ(written(m, [](ConsoleWriter& o) { o.text_line(Msg::kWritten); }),
              c.confirmation);
    EXPECT_EQ(written(m, [](ConsoleWriter& o) { o.text_line(Msg::kFarewell); }),
              " 73!\r\n");
    EXPECT_EQ(written(m, [](ConsoleWriter& o) { o.empty_line(); }), "\r\n");
    // A prompt is the text alone: the answer follows on the same line.
    EXPECT_EQ(written(m, [](ConsoleWriter& o) { o.prompt(Msg::kMenuPrompt); }),
              m[Msg::kMenuPrompt]);
    EXPECT_EQ(written(m,
                      [](ConsoleWriter& o) {
                        o.value_line(Msg::kLabelQn, 5.0f, kScreenFieldWidth);
                      }),
              " Qn\t\t\t=      5.000\r\n");
    EXPECT_EQ(written(m,
                      [](ConsoleWriter& o) {
                        o.value_line(Msg::kCurrentF, 7.1f, kMenuFieldWidth);
                      }),
              c.current_frequency);
    EXPECT_EQ(written(m,
                      [](ConsoleWriter& o) {
                        o.value_row(Msg::kLabelC1, 119.426f, Msg::kLabelUin,
                                    447.214f);
                      }),
              c.first_results_row);
  }
}

// A value too wide for its field fills that field alone; the other half of
// the row is written as usual.
TEST(ConsoleWriter, RowWithOneValueTooWide) {
  EXPECT_EQ(written(utf8_messages(),
                    [](ConsoleWriter& o) {
                      o.value_row(Msg::kLabelC1, 1.0e6f, Msg::kLabelUin,
                                  -0.0004f);
                    }),
            " C1, пФ \t\t= **********      U вх.,  В (эфф.)\t=     -0.000\r\n");
}

}  // namespace
}  // namespace merid

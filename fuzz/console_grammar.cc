#include "fuzz/console_grammar.h"

#include <algorithm>
#include <string>

namespace merid::fuzz {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBetweenColumns = "     ";
constexpr std::size_t kScreenWidth = 10;
constexpr std::size_t kMenuWidth = 12;

Msg msg_at(int index) { return static_cast<Msg>(index); }

bool in_range(Msg m, Msg first, Msg last) {
  return static_cast<int>(m) >= static_cast<int>(first) &&
         static_cast<int>(m) <= static_cast<int>(last);
}

bool is_prompt(Msg m) {
  return in_range(m, Msg::kPromptF, Msg::kPromptPin) || m == Msg::kMenuPrompt ||
         m == Msg::kNewF || m == Msg::kNewQn;
}

// The value lines and the widths of their fields; 0 for other texts.
std::size_t value_line_width(Msg m) {
  if (in_range(m, Msg::kLabelF, Msg::kLabelPin)) return kScreenWidth;
  if (m == Msg::kCurrentF || m == Msg::kCurrentQn) return kMenuWidth;
  return 0;
}

// The left label of a results row: every other text from C1 to S11's band.
bool is_row_left(Msg m) {
  const int offset = static_cast<int>(m) - static_cast<int>(Msg::kLabelC1);
  return in_range(m, Msg::kLabelC1, Msg::kLabelBwS11) && offset % 2 == 0;
}

bool is_text_line(Msg m) {
  return !is_prompt(m) && value_line_width(m) == 0 &&
         !in_range(m, Msg::kLabelC1, Msg::kLabelBwI);
}

bool all_of(std::string_view text, char c) {
  return std::all_of(text.begin(), text.end(), [c](char x) { return x == c; });
}

bool is_number(std::string_view body) {
  if (!body.empty() && body.front() == '-') body.remove_prefix(1);
  if (body == "Infinity") return true;
  const std::size_t point = body.find('.');
  if (point == std::string_view::npos || point == 0) return false;
  if (body.size() - point != 4) return false;
  const std::string_view whole = body.substr(0, point);
  if (whole.size() > 1 && whole.front() == '0') return false;
  const auto digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
  };
  return digits(whole) && digits(body.substr(point + 1));
}

// One parse step: the forms that can start at a position.
class Parser {
 public:
  Parser(std::string_view output, const MessageTable& messages)
      : out_(output), messages_(messages) {}

  // Each form that matches at `pos`, with the position after it.
  template <typename Visit>
  void forms_at(std::size_t pos, Visit visit) const {
    if (at(pos, kLineEnd)) visit(Token{}, pos + kLineEnd.size());
    for (int i = 0; i < static_cast<int>(Msg::kCount); ++i) {
      const Msg m = msg_at(i);
      const std::string_view text = messages_[m];
      if (is_text_line(m) && at(pos, " ") && at(pos + 1, text) &&
          at(pos + 1 + text.size(), kLineEnd)) {
        visit(Token{Form::kTextLine, m, m, {}, {}}, pos + 1 + text.size() + 2);
      }
      if (!at(pos, text)) continue;
      const std::size_t after = pos + text.size();
      if (is_prompt(m)) visit(Token{Form::kPrompt, m, m, {}, {}}, after);
      if (const std::size_t width = value_line_width(m); width > 0) {
        value_line(m, after, width, visit);
      }
      if (is_row_left(m)) row(m, after, visit);
    }
  }

 private:
  bool at(std::size_t pos, std::string_view text) const {
    return pos <= out_.size() && out_.substr(pos).starts_with(text);
  }
  std::string_view field(std::size_t pos, std::size_t width) const {
    if (pos + width > out_.size()) return {};
    const std::string_view text = out_.substr(pos, width);
    return is_value_field(text, width) ? text : std::string_view{};
  }

  template <typename Visit>
  void value_line(Msg m, std::size_t pos, std::size_t width,
                  Visit visit) const {
    const std::string_view value = field(pos, width);
    if (value.empty() || !at(pos + width, kLineEnd)) return;
    visit(Token{Form::kValueLine, m, m, value, {}}, pos + width + 2);
  }

  template <typename Visit>
  void row(Msg left, std::size_t pos, Visit visit) const {
    const Msg right = msg_at(static_cast<int>(left) + 1);
    const std::string_view left_value = field(pos, kScreenWidth);
    pos += kScreenWidth;
    if (left_value.empty() || !at(pos, kBetweenColumns)) return;
    pos += kBetweenColumns.size();
    if (!at(pos, messages_[right])) return;
    pos += messages_[right].size();
    const std::string_view right_value = field(pos, kScreenWidth);
    pos += kScreenWidth;
    if (right_value.empty() || !at(pos, kLineEnd)) return;
    visit(Token{Form::kRow, left, right, left_value, right_value}, pos + 2);
  }

  std::string_view out_;
  const MessageTable& messages_;
};

}  // namespace

bool is_value_field(std::string_view text, std::size_t width) {
  if (text.size() != width) return false;
  if (all_of(text, '*')) return true;
  const std::size_t body = text.find_first_not_of(' ');
  if (body == std::string_view::npos) return false;
  return text.substr(body) == "NaN" || is_number(text.substr(body));
}

std::optional<std::vector<Token>> parse_console(std::string_view output,
                                                const MessageTable& messages) {
  // Which positions a sequence of forms can reach, and the last form of one
  // such sequence: the texts are distinct, but a prompt may be a prefix of
  // some other line, so every reading is followed.
  struct Step {
    bool reached = false;
    std::size_t from = 0;
    Token token;
  };
  std::vector<Step> steps(output.size() + 1);
  steps[0].reached = true;
  const Parser parser(output, messages);
  for (std::size_t pos = 0; pos < output.size(); ++pos) {
    if (!steps[pos].reached) continue;
    parser.forms_at(pos, [&](const Token& token, std::size_t end) {
      if (end > output.size() || steps[end].reached) return;
      steps[end] = Step{true, pos, token};
    });
  }
  if (!steps[output.size()].reached) return std::nullopt;
  std::vector<Token> tokens;
  for (std::size_t pos = output.size(); pos > 0; pos = steps[pos].from) {
    tokens.push_back(steps[pos].token);
  }
  std::reverse(tokens.begin(), tokens.end());
  return tokens;
}

}  // namespace merid::fuzz

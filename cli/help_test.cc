// merid-calc --help against its manual page: every entry of the help must
// stand in the page word for word, so that the two cannot drift apart.

#include "cli/help.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace merid {
namespace {

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The arguments of a roff request, a quoted one kept whole.
std::vector<std::string> Arguments(std::string_view line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size()) break;
    std::string arg;
    if (line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) arg.push_back(line[i]);
      ++i;
    } else {
      for (; i < line.size() && line[i] != ' '; ++i) arg.push_back(line[i]);
    }
    args.push_back(arg);
  }
  return args;
}

// The characters the page writes as escapes.
std::string Unescaped(std::string text) {
  const std::pair<std::string_view, std::string_view> kEscapes[] = {
      {"\\-", "-"},   {"\\(<=", "<="}, {"\\(>=", ">="}, {"\\(mu", "*"},
      {"\\(em", "-"}, {"\\&", ""},     {"\\fB", ""},    {"\\fI", ""},
      {"\\fR", ""},   {"\\fP", ""},    {"\\e", "\\"},   {"\\(aq", "'"},
      {"\\ ", " "}};
  for (const auto& [from, to] : kEscapes) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  }
  return text;
}

// The running text of a page: requests that only set fonts give their
// arguments (the alternating ones joined without blanks), other requests
// nothing but a section's name.
std::string PageText(const std::string& page) {
  std::istringstream in(page);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] != '.') {
      out += line + "\n";
      continue;
    }
    const std::size_t space = line.find(' ');
    const std::string request = line.substr(1, space - 1);
    const std::string rest =
        space == std::string::npos ? "" : line.substr(space + 1);
    const std::vector<std::string> args = Arguments(rest);
    if (request == "B" || request == "I" || request == "SH" ||
        request == "SS") {
      for (const std::string& a : args) out += a + " ";
      out += "\n";
    } else if (request.size() == 2 &&
               std::string("BIR").find(request[0]) != std::string::npos) {
      for (const std::string& a : args) out += a;
      out += "\n";
    }
  }
  return Unescaped(out);
}

bool Contains(const std::vector<std::string>& page,
              const std::vector<std::string>& entry) {
  if (entry.empty()) return true;
  for (std::size_t i = 0; i + entry.size() <= page.size(); ++i) {
    std::size_t j = 0;
    while (j < entry.size() && page[i + j] == entry[j]) ++j;
    if (j == entry.size()) return true;
  }
  return false;
}

TEST(Help, EveryEntryStandsInTheManualPage) {
  std::ifstream file(MERID_CALC_MANUAL_PAGE);
  ASSERT_TRUE(file) << MERID_CALC_MANUAL_PAGE;
  std::stringstream page;
  page << file.rdbuf();
  const std::vector<std::string> words = Words(PageText(page.str()));
  ASSERT_GT(words.size(), 1000u);
  const std::vector<std::string> entries = help_entries();
  ASSERT_GT(entries.size(), 100u);
  for (const std::string& entry : entries) {
    EXPECT_TRUE(Contains(words, Words(entry)))
        << "merid-calc.1 lacks, word for word: " << entry;
  }
}

TEST(Help, PageTextReadsTheRequestsAsManDoes) {
  EXPECT_EQ(PageText(".TP\n.BI \\-\\-swr \" S\"\nalso \\(<= 10\n"),
            "--swr S\nalso <= 10\n");
  EXPECT_EQ(PageText(".B c1_margin\n.RB [ \\-\\-format\n"),
            "c1_margin \n[--format\n");
}

}  // namespace
}  // namespace merid

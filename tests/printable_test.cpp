// What minihost echoes of users' text: escaped and short.
#include "printable.h"

#include <gtest/gtest.h>

#include <string>

#include "case_names.h"

namespace {

struct PrintableCase {
  const char* what;
  std::string text;
  std::string printed;
};

void PrintTo(const PrintableCase& c, std::ostream* os) {
  *os << c.what;
}

class PrintableText : public testing::TestWithParam<PrintableCase> {};

TEST_P(PrintableText, EscapesWhatATerminalWouldObey) {
  EXPECT_EQ(minihost::Printable(GetParam().text), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(
    Minihost, PrintableText,
    testing::Values(PrintableCase{"plain text stays", "Left_arm", "Left_arm"},
                    PrintableCase{"an escape sequence", "a\x1b[31mb", "a\\x1b[31mb"},
                    PrintableCase{"tab, newline, carriage return", "\t\n\r", "\\x09\\x0a\\x0d"},
                    PrintableCase{"NUL and DEL", std::string("a\0\x7f", 3), "a\\x00\\x7f"},
                    PrintableCase{"a C1 control",
                                  "\xC2\x9B"
                                  "2J",
                                  "\\u009b2J"},
                    PrintableCase{"accents and emoji stay",
                                  "h\xC3\xBC"
                                  "fte\xF0\x9F\xA6\xB4",
                                  "h\xC3\xBC"
                                  "fte\xF0\x9F\xA6\xB4"},
                    PrintableCase{"bytes that are not UTF-8", "a\xC3(\xFF", "a\\xc3(\\xff"},
                    PrintableCase{"an encoded surrogate", "\xED\xA0\x80", "\\xed\\xa0\\x80"},
                    PrintableCase{"a truncated sequence", "ab\xE2\x82", "ab\\xe2\\x82"}),
    kelvane_test::PrintedName());

TEST(Excerpt, ShortensLongTextAndSaysHowLong) {
  EXPECT_EQ(minihost::Excerpt("short"), "short");
  EXPECT_EQ(minihost::Excerpt(std::string(40, 'x')), std::string(40, 'x'));
  EXPECT_EQ(minihost::Excerpt(std::string(41, 'x')), std::string(40, 'x') + "... (41 bytes)");
  EXPECT_EQ(minihost::Excerpt(std::string(100000, '7'), 8), "77777777... (100000 bytes)");
  // Characters, not bytes, are counted, and the cut never splits one.
  EXPECT_EQ(minihost::Excerpt("\xC3\xBC\xC3\xBC\xC3\xBC", 2), "\xC3\xBC\xC3\xBC... (6 bytes)");
  EXPECT_EQ(minihost::Excerpt("\x1b\x1b\x1b", 2), "\\x1b\\x1b... (3 bytes)");
}

}  // namespace

#include "string_replacer.h"

#include <gtest/gtest.h>
#include <xsihost/text.h>

#include <string>

#include "case_names.h"

namespace {

using kelvane::StringReplacer;
using xsihost::Str;
using xsihost::ToUtf8;

struct FindCase {
  const char* text;
  const char* pattern;
  int expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
  *os << "'" << c.pattern << "' in '" << c.text << "'";
}

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FirstOccurrence) {
  const FindCase& c = GetParam();
  EXPECT_EQ(StringReplacer(Str(c.text)).Find(Str(c.pattern)), c.expected)
      << "'" << c.pattern << "' in '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    StringReplacer, FindTest,
    testing::Values(FindCase{"Left_arm", "Left", 0}, FindCase{"armLeft", "Left", 3},
                    FindCase{"Lef", "Left", -1},    // pattern longer than text
                    FindCase{"Lef", "ft", -1},      // last start has too few units left
                    FindCase{"LeLeft", "Left", 2},  // restarts after a partial match
                    FindCase{"aaab", "aab", 1}, FindCase{"x_Left_Left", "Left", 2},
                    FindCase{"left", "Left", -1},  // case-sensitive
                    FindCase{"Left", "", -1}, FindCase{"", "", -1}, FindCase{"", "a", -1},
                    FindCase{"abc", "abc", 0}, FindCase{"abc", "c", 2},
                    FindCase{"aaa", "aa", 0}),  // overlapping occurrences: the first counts
    kelvane_test::PrintedName());

struct ReplaceCase {
  const char* text;
  const char* from;
  const char* to;
  const char* first;  // ReplaceFirst
  const char* all;    // ReplaceAll
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
  *os << "'" << c.from << "' to '" << c.to << "' in '" << c.text << "'";
}

class ReplaceTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTest, FirstAndAll) {
  const ReplaceCase& c = GetParam();
  const StringReplacer replacer(Str(c.text));
  EXPECT_EQ(ToUtf8(replacer.ReplaceFirst(Str(c.from), Str(c.to))), c.first);
  EXPECT_EQ(ToUtf8(replacer.ReplaceAll(Str(c.from), Str(c.to))), c.all);
}

INSTANTIATE_TEST_SUITE_P(
    StringReplacer, ReplaceTest,
    testing::Values(
        ReplaceCase{"x_Left_y_Left_z", "Left", "Right", "x_Right_y_Left_z", "x_Right_y_Right_z"},
        ReplaceCase{"Left_arm_Left", "Left", "Right", "Right_arm_Left", "Right_arm_Right"},
        // Removing the inner occurrence joins its neighbours into a new one.
        ReplaceCase{"armrename_temprename_temp_suffix_suffix", "rename_temp_suffix", "",
                    "armrename_temp_suffix", "arm"},
        ReplaceCase{"abcbc", "bc", "", "abc", "a"}, ReplaceCase{"aabb", "ab", "", "ab", ""},
        ReplaceCase{"aab", "ab", "a", "aa", "aa"},
        ReplaceCase{"Lef", "Left", "Right", "Lef", "Lef"},  // from longer than text
        ReplaceCase{"arm", "Left", "Right", "arm", "arm"},  // from absent
        ReplaceCase{"arm", "", "X", "arm", "arm"},          // empty from
        ReplaceCase{"L_R_x", "R_", "L_", "L_L_x", "L_L_x"},
        ReplaceCase{"xrename_temp_suffix12", "rename_temp_suffix1", "", "x2", "x2"},
        ReplaceCase{"xrename_temp_suffix2", "rename_temp_suffix1", "", "xrename_temp_suffix2",
                    "xrename_temp_suffix2"},
        // `to` not shorter than `from`: one pass, what was put in is not looked at again.
        ReplaceCase{"aab", "ab", "bba", "abba", "abba"},
        ReplaceCase{"aab", "ab", "ba", "aba", "aba"},
        ReplaceCase{"a_a", "a", "aa", "aa_a", "aa_aa"},
        ReplaceCase{"Left", "Left", "LeftLeft", "LeftLeft", "LeftLeft"},
        ReplaceCase{"xx", "x", "yxy", "yxyx", "yxyyxy"},
        // Overlapping occurrences: each pass takes the leftmost, and what is left may hold more.
        ReplaceCase{"aaa", "aa", "", "a", "a"}, ReplaceCase{"aaaa", "aa", "", "aa", ""},
        ReplaceCase{"aaa", "aa", "b", "ba", "ba"},
        // The same with a longer `to`, in one pass: the next search starts after the occurrence.
        ReplaceCase{"aaa", "aa", "xyz", "xyza", "xyza"},
        ReplaceCase{"aaaaa", "aa", "bbb", "bbbaaa", "bbbbbba"},
        // A join that forms away from the start of the text, after the first pass.
        ReplaceCase{"x_rename_temprename_temp_suffix1_suffix1", "rename_temp_suffix1", "",
                    "x_rename_temp_suffix1", "x_"},
        ReplaceCase{"L_armL_L__", "L_", "", "armL_L__", "arm_"},
        ReplaceCase{"zzaabcbc", "abc", "", "zzabc", "zz"}),
    kelvane_test::PrintedName());

TEST(StringReplacer, GrowingPairEndsWithOnePass) {
  // Rescanning "a...ab" with "ab" -> "bba" would double the b's for every a.
  const std::string text = std::string(60, 'a') + "b";
  const std::string all = ToUtf8(StringReplacer(Str(text)).ReplaceAll(Str("ab"), Str("bba")));
  EXPECT_EQ(all, std::string(59, 'a') + "bba");
}

// Names on each side of the room kept on the stack (128 units, with the end mark) and of the
// host string's short path (256 characters): a side token at each end, replaced both ways.
TEST(StringReplacer, NamesOfEveryLengthAroundItsBuffers) {
  for (const std::size_t length : {126, 127, 128, 129, 130, 254, 255, 256, 257, 258, 600}) {
    SCOPED_TRACE(length);
    const std::wstring middle(length - 4, L'a');
    const XSI::CString name((L"L_" + middle + L"L_").c_str());
    EXPECT_TRUE(StringReplacer(name).ReplaceAll(L"L_", L"Right_") ==
                XSI::CString((L"Right_" + middle + L"Right_").c_str()));
    EXPECT_TRUE(StringReplacer(name).ReplaceFirst(L"L_", L"R_") ==
                XSI::CString((L"R_" + middle + L"L_").c_str()));
    EXPECT_TRUE(StringReplacer(name).ReplaceAll(L"a", L"") == XSI::CString(L"L_L_"));
    EXPECT_EQ(StringReplacer(name).Find(L"aL_"), static_cast<XSI::LONG>(length - 3));
  }
}

TEST(StringReplacer, WorksOnSurrogatePairs) {
  // Replacing a whole pair, and a name with pairs around the token.
  const XSI::CString text(L"\U0001F9B4Left\U0001F9B4");
  EXPECT_EQ(StringReplacer(text).Find(L"Left"), 2);
  EXPECT_TRUE(StringReplacer(text).ReplaceAll(L"Left", L"Right") ==
              XSI::CString(L"\U0001F9B4Right\U0001F9B4"));
  EXPECT_TRUE(StringReplacer(text).ReplaceAll(L"\U0001F9B4", L"") == XSI::CString(L"Left"));
}

TEST(StringReplacer, KeepsLoneSurrogatesAsTheyAre) {
  const XSI::CString text = xsihost::FromUnits(u"\xDC00Left\xD800");
  EXPECT_EQ(xsihost::Units(StringReplacer(text).ReplaceFirst(L"Left", L"R")), u"\xDC00R\xD800");
}

}  // namespace

#include <gtest/gtest.h>
#include <xsi_string.h>
#include <xsihost/text.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using XSI::CString;

TEST(CString, CountsCodeUnitsNotCharacters) {
  // U+1F600 lies outside the Basic Multilingual Plane: two code units, a surrogate pair.
  const CString face(L"a\U0001F600b");
  ASSERT_EQ(face.Length(), 4u);
  EXPECT_EQ(face[0], u'a');
  EXPECT_EQ(face[1], 0xD83D);
  EXPECT_EQ(face[2], 0xDE00);
  EXPECT_EQ(face[3], u'b');
  EXPECT_EQ(CString(L"\u00e9t\u00e9").Length(), 3u);
}

TEST(CString, WideLiteralRoundTripsThroughUtf8) {
  const CString name(L"Gau\u00dfLeft_\U0001F9B4");
  EXPECT_EQ(xsihost::ToUtf8(name), "Gau\xC3\x9FLeft_\xF0\x9F\xA6\xB4");
  EXPECT_TRUE(xsihost::Str(xsihost::ToUtf8(name)) == name);
}

TEST(CString, IndexPastTheEndGivesZero) {
  const CString s(L"ab");
  EXPECT_EQ(s[2], 0);
  EXPECT_EQ(CString()[0], 0);
}

TEST(CString, ConcatenatesAndComparesExactly) {
  const CString left(L"Left");
  EXPECT_TRUE(left + L"Arm" == CString(L"LeftArm"));
  EXPECT_TRUE(L"Upper" + left == CString(L"UpperLeft"));
  EXPECT_TRUE(left + CString(L"") == left);
  EXPECT_TRUE(left != L"left");
  EXPECT_FALSE(left != L"Left");
  EXPECT_EQ(CString(L"").Length(), 0u);
}

TEST(CString, AssignmentSharesAndLetsGoOfTexts) {
  // The only holder of a text assigned to itself, by copy or by move, keeps it.
  CString name(L"LeftArm");
  CString& same = name;
  name = same;
  EXPECT_TRUE(name == L"LeftArm");
  name = std::move(same);
  EXPECT_TRUE(name == L"LeftArm");
  // A copy outlives the string it was assigned from; the string assigned to lets go of its old
  // text, and a moved-from string is empty.
  CString copy(L"Right");
  {
    const CString source(L"LeftLeg");
    copy = source;
  }
  EXPECT_TRUE(copy == L"LeftLeg");
  CString moved(L"Spine");
  copy = std::move(moved);
  EXPECT_TRUE(copy == L"Spine");
  EXPECT_EQ(moved.Length(), 0u);  // NOLINT(bugprone-use-after-move): moved-from is empty
}

TEST(CString, StopsAtNul) {
  const wchar_t text[] = {L'a', L'\0', L'b', L'\0'};
  EXPECT_EQ(CString(text).Length(), 1u);
  EXPECT_EQ(xsihost::FromUnits(u"x\0y").Length(), 1u);
}

TEST(Utf8, RejectsInvalidText) {
  XSI::CString out(L"kept");
  for (const char* bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"}) {
    EXPECT_FALSE(xsihost::FromUtf8(bad, out)) << bad;
  }
  EXPECT_FALSE(xsihost::FromUtf8(std::string_view("a\0b", 3), out));
  EXPECT_TRUE(out == L"kept");
}

TEST(Utf8, LoneSurrogateBecomesReplacementCharacter) {
  EXPECT_EQ(xsihost::ToUtf8(xsihost::FromUnits(u"a\xD800z")), "a\xEF\xBF\xBDz");
}

}  // namespace

// Every way of making a text gives the same CString, whichever width the host stores it in:
// one byte a unit below U+0100, two bytes from there on.
struct MadeText {
  const char* label;
  const wchar_t* wide;
  std::u16string units;
  const char* utf8;
};

class CStringWidths : public ::testing::TestWithParam<MadeText> {};

TEST_P(CStringWidths, EveryWayOfMakingATextGivesTheSameUnits) {
  const MadeText& t = GetParam();
  const CString fromWide(t.wide);
  const CString fromUtf8 = xsihost::Str(t.utf8);
  const CString fromUnits = xsihost::FromUnits(t.units);
  for (const CString* made : {&fromWide, &fromUtf8, &fromUnits}) {
    ASSERT_EQ(made->Length(), t.units.size()) << t.label;
    for (XSI::ULONG i = 0; i < made->Length(); ++i)
      EXPECT_EQ((*made)[i], t.units[i]) << t.label << " unit " << i;
    EXPECT_EQ(xsihost::Units(*made), t.units) << t.label;
  }
  EXPECT_TRUE(fromWide == fromUtf8 && fromUtf8 == fromUnits) << t.label;
  EXPECT_TRUE(fromWide == t.wide) << t.label;
  EXPECT_EQ(xsihost::ToUtf8(fromUnits), t.utf8) << t.label;
  // Joined with a narrow and with a wide text, on either side.
  for (const CString& other : {CString(L"ab"), CString(L"\u0394")}) {
    const std::u16string otherUnits = xsihost::Units(other);
    EXPECT_EQ(xsihost::Units(fromWide + other), t.units + otherUnits) << t.label;
    EXPECT_EQ(xsihost::Units(other + fromUtf8), otherUnits + t.units) << t.label;
    EXPECT_TRUE(fromUnits + other == xsihost::FromUnits(t.units + otherUnits)) << t.label;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CStringWidths,
    ::testing::Values(MadeText{"ascii", L"LeftArm", u"LeftArm", "LeftArm"},
                      MadeText{"latin1", L"\u00e9p\u00e9e\u00ff", u"\u00e9p\u00e9e\u00ff",
                               "\xC3\xA9p\xC3\xA9"
                               "e\xC3\xBF"},
                      MadeText{"justWide", L"a\u0100", u"a\u0100", "a\xC4\x80"},
                      MadeText{"euro", L"\u20ac1", u"\u20ac1",
                               "\xE2\x82\xAC"
                               "1"},
                      MadeText{"astral", L"L\U0001F9B4", u"L\U0001F9B4", "L\xF0\x9F\xA6\xB4"}),
    [](const ::testing::TestParamInfo<MadeText>& info) { return std::string(info.param.label); });

// Texts of many sizes made and let go of in turn keep their units: the host keeps texts in
// pools by size, and a text returned to the wrong pool would be handed out twice.
TEST(CString, TextsOfManySizesSurviveOthersComingAndGoing) {
  std::vector<std::pair<CString, std::u16string>> kept;
  for (int round = 0; round < 3; ++round) {
    std::vector<CString> dropped;
    for (std::u16string::size_type length = 1; length <= 300; ++length) {
      for (char16_t base : {u'a', u'\u0101'}) {
        std::u16string units(length, base);
        units[length / 2] = static_cast<char16_t>(base + round);
        CString text = xsihost::FromUnits(units);
        if (length % 2 == 0)
          kept.emplace_back(text, units);
        else
          dropped.push_back(text + CString(L"x"));
      }
    }
  }
  for (const auto& [text, units] : kept)
    ASSERT_EQ(xsihost::Units(text), units);
}

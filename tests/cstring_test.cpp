#include <gtest/gtest.h>
#include <xsi/sdk.h>
#include <xsihost/text.h>

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

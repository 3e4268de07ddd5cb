// The side-token rule on its own: where a token counts, and the name a run appended to.
#include "side_token.h"

#include <gtest/gtest.h>
#include <xsihost/text.h>

#include <string>

#include "report.h"
#include "scene_fixture.h"
#include "scoped_deletion.h"

namespace {

using kelvane::KnownLength;
using kelvane::SideToken;
using kelvane::WideText;

TEST(KnownLength, LeavesOutOnlyTheSuffixAndTheHostsNumber) {
  const WideText suffix(XSI::CString(L"rename_temp_suffix"));
  const std::pair<const wchar_t*, std::size_t> names[] = {
      {L"HandLeftrename_temp_suffix1", 8},
      {L"arename_temp_suffix12", 1},
      {L"rename_temp_suffix1", 0},
      {L"Left_rename_temp_suffix", 23},  // no number after the suffix: the whole name
      {L"Left2", 5},                     // a number, no suffix before it
      {L"a-1", 3},                       // the number ends at a unit below '0'
      {L"12", 2},                        // digits alone
      {L"Left_arename_temp_suffiy1", 25},
      {L"", 0},
  };
  for (const auto& [name, known] : names)
    EXPECT_EQ(KnownLength(WideText(XSI::CString(name)), suffix), known) << xsihost::ToUtf8(name);
}

TEST(SideToken, CountsWithinTheKnownUnitsOnly) {
  struct Case {
    const wchar_t* token;
    const wchar_t* name;
    std::size_t known;
    bool counts;
    const char* replaced;  // every counted token replaced by "#"
  };
  const Case cases[] = {
      {L"Left", L"HandLeftx1", 8, true, "Hand#x1"},  // the end of the known units is an end
      {L"Left", L"HandLeftx1", 10, false, "HandLeftx1"},
      {L"L_", L"xL_L_y", 6, true, "xL_#y"},
      {L"L_", L"L_", 1, false, "L_"},  // a token running into the appended tail is none
      {L"", L"L_arm", 5, false, "L_arm"},
      {L"Left", L"", 0, false, ""},
  };
  const SideToken mark(XSI::CString(L"#"));
  for (const Case& c : cases) {
    SCOPED_TRACE(xsihost::ToUtf8(c.token) + " in " + xsihost::ToUtf8(c.name));
    const SideToken token((XSI::CString(c.token)));
    const WideText name((XSI::CString(c.name)));
    EXPECT_EQ(token.CountsIn(name, c.known), c.counts);
    EXPECT_EQ(xsihost::ToUtf8(token.ReplacedIn(name, c.known, mark)), c.replaced);
  }
}

// What a run does after the host raised must not raise again when the log raises too: the
// first exception is the news.
TEST(Cleanup, KeepsQuietWhenTheLogRaisesToo) {
  kelvane_test::BuildScene("root L_a\n");
  xsihost::AddFault({"LogMessage", 1, true, xsihost::FaultMode::Raise});
  EXPECT_NO_THROW(kelvane::ReportQuietly(L"The host failed"));
  xsihost::AddFault({"DeleteObj", 1, true, xsihost::FaultMode::Raise});
  const XSI::CRef object = kelvane_test::Object("L_a");
  EXPECT_NO_THROW({ kelvane::ScopedDeletion leftOver(object, L"the copy", L"the copy"); });
  xsihost::ClearFaults();
  EXPECT_TRUE(object.IsValid());  // the host would not delete it, and could not say so
  EXPECT_EQ(kelvane_test::LogTexts(), std::vector<std::string>{});
}

}  // namespace

// minihost's answers to the modal dialog: fixed, and asked on a terminal.
#include "dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "scene_fixture.h"

namespace {

using namespace XSI;

class MinihostDialog : public testing::Test {
 protected:
  void SetUp() override {
    xsihost::Reset();
    property = kelvane_test::AddTwoChoices(L"Rule", L"EnumCtrl", L"Left,Right", L"L_,R_");
    request.property = property;
    request.title = L"Kelvane by TUV";
    request.controls.push_back(xsihost::DialogControl{
        L"EnumCtrl",
        L"Choice",
        L"Combo",
        {xsihost::DialogItem{L"Left,Right", LONG(4)}, xsihost::DialogItem{L"L_,R_", LONG(6)}}});
  }

  CValue Value() { return xsihost::ParameterValue(property, L"EnumCtrl"); }

  CRef property;
  xsihost::DialogRequest request;
  std::shared_ptr<minihost::DialogOutcome> outcome = std::make_shared<minihost::DialogOutcome>();
};

TEST_F(MinihostDialog, FixedAnswerSetsTheItemsValue) {
  EXPECT_EQ(minihost::AnswerWith("L_,R_", outcome)(request), xsihost::DialogAnswer::Confirm);
  EXPECT_TRUE(Value() == CValue(LONG(6)));
  EXPECT_EQ(minihost::AnswerWith("cancel", outcome)(request), xsihost::DialogAnswer::Cancel);
  EXPECT_TRUE(outcome->shown);
  EXPECT_EQ(outcome->error, "");
}

TEST_F(MinihostDialog, FixedAnswerThatNoItemHasCancels) {
  EXPECT_EQ(minihost::AnswerWith("Up,Down", outcome)(request), xsihost::DialogAnswer::Cancel);
  EXPECT_EQ(outcome->error, "the dialog has no choice 'Up,Down'");
  EXPECT_TRUE(Value() == CValue(LONG(4)));
}

struct TerminalCase {
  const char* typed;
  xsihost::DialogAnswer answer;
  LONG value;
};

void PrintTo(const TerminalCase& c, std::ostream* os) {
  *os << "typed '" << c.typed << "'";
}

class TerminalDialog : public MinihostDialog, public testing::WithParamInterface<TerminalCase> {};

TEST_P(TerminalDialog, ReadsTheChoice) {
  std::istringstream in(GetParam().typed);
  std::ostringstream out;
  EXPECT_EQ(minihost::AskOnTerminal(in, out, outcome)(request), GetParam().answer);
  EXPECT_TRUE(Value() == CValue(GetParam().value)) << GetParam().typed;
  const std::string shown =
      "== Kelvane by TUV ==\nChoice:\n  1) Left,Right  (default)\n  2) L_,R_\n";
  EXPECT_EQ(out.str().substr(0, shown.size()), shown);
}

INSTANTIATE_TEST_SUITE_P(
    MinihostDialog, TerminalDialog,
    testing::Values(TerminalCase{"2\n", xsihost::DialogAnswer::Confirm, 6},
                    TerminalCase{"L_,R_\n", xsihost::DialogAnswer::Confirm, 6},
                    TerminalCase{"\n", xsihost::DialogAnswer::Confirm, 4},
                    TerminalCase{"1\n", xsihost::DialogAnswer::Confirm, 4},
                    TerminalCase{"cancel\n", xsihost::DialogAnswer::Cancel, 4},
                    TerminalCase{"", xsihost::DialogAnswer::Cancel, 4},  // end of input
                    TerminalCase{"7\nbogus\n2\n", xsihost::DialogAnswer::Confirm, 6},
                    // Blanks around the answer and its case do not count.
                    TerminalCase{" 2 \n", xsihost::DialogAnswer::Confirm, 6},
                    TerminalCase{"l_,r_\n", xsihost::DialogAnswer::Confirm, 6},
                    TerminalCase{"\tLEFT,RIGHT\r\n", xsihost::DialogAnswer::Confirm, 4},
                    TerminalCase{"Cancel\n", xsihost::DialogAnswer::Cancel, 4},
                    TerminalCase{"  \n", xsihost::DialogAnswer::Confirm, 4}),
    kelvane_test::PrintedName());

// What the user typed is shown back escaped: an arrow key or Esc cannot garble the terminal.
TEST_F(MinihostDialog, ShowsAnUnknownAnswerEscaped) {
  std::istringstream in("\x1b[A\n2\n");
  std::ostringstream out;
  EXPECT_EQ(minihost::AskOnTerminal(in, out, outcome)(request), xsihost::DialogAnswer::Confirm);
  EXPECT_NE(out.str().find("No such choice: \\x1b[A\n"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
}

TEST_F(MinihostDialog, AFixedAnswerIgnoresBlanksAndCase) {
  EXPECT_EQ(minihost::AnswerWith(" l_,R_ ", outcome)(request), xsihost::DialogAnswer::Confirm);
  EXPECT_TRUE(Value() == CValue(LONG(6)));
  EXPECT_EQ(minihost::AnswerWith("CANCEL", outcome)(request), xsihost::DialogAnswer::Cancel);
  EXPECT_EQ(outcome->error, "");
}

}  // namespace

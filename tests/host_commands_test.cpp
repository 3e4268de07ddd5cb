// The stand-in host's commands and its bookkeeping, as the plug-in relies on them.
#include <gtest/gtest.h>
#include <xsi_application.h>
#include <xsi_customproperty.h>
#include <xsi_ppglayout.h>
#include <xsi_x3dobject.h>
#include <xsihost/host.h>
#include <xsihost/text.h>

#include "scene_fixture.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::Object;
using kelvane_test::SceneText;

constexpr const char* kArm = R"(model Rig
  null Chest 0 5 0
    root L_root 1 0 0
      bone L_bone1 2 0.5 0
        bone L_bone2 3 1 -1
      eff L_eff 4 0 0
  null Tail 0 -1 0
)";

CStatus Duplicate(const CString& target, CValue& result) {
  CValueArray arguments;
  arguments.Add(target);
  arguments.Add(true);
  for (LONG v : {1, 1, 0, 0, 0})
    arguments.Add(v);
  arguments.Add(true);
  return Application().ExecuteCommand(L"DuplicateSymmetry", arguments, result);
}

class HostCommands : public testing::Test {
 protected:
  void SetUp() override { BuildScene(kArm); }
};

TEST_F(HostCommands, DuplicateSymmetryCopiesMirroredUnderTheSameParent) {
  CValue result;
  EXPECT_EQ(Duplicate(L"B:Rig.L_root", result), CStatus::OK);
  EXPECT_EQ(SceneText(), R"(model Rig
  null Chest 0 5 0
    root L_root 1 0 0
      bone L_bone1 2 0.5 0
        bone L_bone2 3 1 -1
      eff L_eff 4 0 0
    root L_root1 -1 0 0
      bone L_bone11 -2 0.5 0
        bone L_bone21 -3 1 -1
      eff L_eff1 -4 0 0
  null Tail 0 -1 0
)");
  const CRef copy = Object("Rig.L_root1");
  EXPECT_TRUE(CRef(result) == copy);
  ASSERT_EQ(xsihost::Selected().size(), 1u);
  EXPECT_TRUE(xsihost::Selected()[0] == copy);
  EXPECT_TRUE(Selection()[0] == copy);
}

TEST_F(HostCommands, DuplicateSymmetryCopiesALeafAlone) {
  CValue result;
  EXPECT_EQ(Duplicate(L"B:Rig.L_eff", result), CStatus::OK);
  EXPECT_EQ(xsihost::Describe(Object("Rig.L_root")).children.size(), 3u);
  EXPECT_EQ(xsihost::ToUtf8(xsihost::Describe(Object("Rig.L_eff1")).type), "eff");
  EXPECT_EQ(xsihost::Describe(Object("Rig.L_eff1")).position->x, -4);
}

TEST_F(HostCommands, DuplicateSymmetryRefusesUnknownNamesAndChangesNothing) {
  xsihost::Select({Object("Rig.L_root")});
  const std::string before = SceneText();
  for (const wchar_t* target : {L"B:Rig.nothing", L"B:L_root", L"Rig.L_root", L"B:", L""}) {
    CValue result;
    EXPECT_NE(Duplicate(target, result), CStatus::OK);
    EXPECT_TRUE(result.IsEmpty());
  }
  EXPECT_EQ(SceneText(), before);
  ASSERT_EQ(xsihost::Selected().size(), 1u);
  EXPECT_TRUE(xsihost::Selected()[0] == Object("Rig.L_root"));
  EXPECT_EQ(xsihost::Log().back().severity, siErrorMsg);
}

TEST_F(HostCommands, DuplicateSymmetryTakesTheFirstOfEqualFullNames) {
  BuildScene("root a 1 0 0\nnull b\n  root a 2 0 0\n");
  CValue result;
  EXPECT_EQ(Duplicate(L"B:a", result), CStatus::OK);
  EXPECT_EQ(SceneText(), "root a 1 0 0\nnull b\n  root a 2 0 0\nroot a1 -1 0 0\n");
}

TEST_F(HostCommands, RefusedCommandFailsAndChangesNothing) {
  xsihost::RefuseCommand(L"DuplicateSymmetry");
  const std::string before = SceneText();
  CValue result;
  EXPECT_EQ(Duplicate(L"B:Rig.L_root", result), CStatus::Fail);
  EXPECT_EQ(SceneText(), before);
  xsihost::ClearRefusedCommands();
  EXPECT_EQ(Duplicate(L"B:Rig.L_root", result), CStatus::OK);
}

TEST_F(HostCommands, DeleteObjRemovesTheObjectAndWhatHangsUnderIt) {
  xsihost::Select({Object("Rig.L_bone2"), Object("Rig.Tail")});
  CValueArray arguments(1);
  arguments[0] = Object("Rig.L_bone1");
  CValue unused;
  EXPECT_EQ(Application().ExecuteCommand(L"DeleteObj", arguments, unused), CStatus::OK);
  EXPECT_EQ(SceneText(), R"(model Rig
  null Chest 0 5 0
    root L_root 1 0 0
      eff L_eff 4 0 0
  null Tail 0 -1 0
)");
  ASSERT_EQ(xsihost::Selected().size(), 1u);  // the deleted bone left the selection
  EXPECT_FALSE(arguments[0].operator CRef().IsValid());
  arguments[0] = xsihost::SceneRoot();
  EXPECT_NE(Application().ExecuteCommand(L"DeleteObj", arguments, unused), CStatus::OK);
}

TEST_F(HostCommands, UnknownCommandFails) {
  CValue result;
  EXPECT_EQ(Application().ExecuteCommand(L"Explode", CValueArray(), result), CStatus::Fail);
}

class Dialog : public testing::Test {
 protected:
  void SetUp() override {
    BuildScene("root a\n");
    property = kelvane_test::AddTwoChoices(L"Pick", L"P", L"four", L"six");
  }

  CValue Inspect() {
    CValueArray arguments(5);
    arguments[0] = property.GetRef();
    arguments[2] = L"Title";
    arguments[3] = LONG(4);
    arguments[4] = false;
    CValue result;
    EXPECT_EQ(Application().ExecuteCommand(L"InspectObj", arguments, result), CStatus::OK);
    return result;
  }

  CustomProperty property;
};

TEST_F(Dialog, WithoutResponderConfirmsTheCurrentValues) {
  EXPECT_FALSE(static_cast<bool>(Inspect()));
  EXPECT_TRUE(property.GetParameterValue(L"P") == CValue(LONG(4)));
}

TEST_F(Dialog, ResponderSeesTheLayoutAndSetsValues) {
  xsihost::DialogRequest seen;
  xsihost::SetDialogResponder([&](const xsihost::DialogRequest& request) {
    seen = request;
    xsihost::SetParameterValue(request.property, L"P", LONG(6));
    return xsihost::DialogAnswer::Confirm;
  });
  EXPECT_FALSE(static_cast<bool>(Inspect()));
  EXPECT_EQ(xsihost::ToUtf8(seen.title), "Title");
  ASSERT_EQ(seen.controls.size(), 1u);
  EXPECT_EQ(xsihost::ToUtf8(seen.controls[0].label), "Choice");
  EXPECT_EQ(xsihost::ToUtf8(seen.controls[0].style), "Combo");
  ASSERT_EQ(seen.controls[0].items.size(), 2u);
  EXPECT_EQ(xsihost::ToUtf8(seen.controls[0].items[1].label), "six");
  EXPECT_TRUE(property.GetParameterValue(L"P", DBL_MAX) == CValue(LONG(6)));
}

TEST_F(Dialog, CancelReturnsTrue) {
  xsihost::SetDialogResponder(
      [](const xsihost::DialogRequest&) { return xsihost::DialogAnswer::Cancel; });
  EXPECT_TRUE(static_cast<bool>(Inspect()));
}

TEST(FullNames, NameTheEnclosingModelsBelowTheSceneRoot) {
  BuildScene(R"(model Outer
  model Inner
    null Group
      root L_root
        property Notes
  root top
model Solo
root free
)");
  EXPECT_EQ(xsihost::ToUtf8(SIObject(Object("Outer.Inner.L_root")).GetFullName()),
            "Outer.Inner.L_root");
  EXPECT_EQ(xsihost::ToUtf8(SIObject(Object("Outer.Inner.Group")).GetName()), "Group");
  EXPECT_EQ(xsihost::ToUtf8(SIObject(Object("Outer.Inner")).GetFullName()), "Outer.Inner");
  EXPECT_EQ(xsihost::ToUtf8(SIObject(Object("Outer.top")).GetFullName()), "Outer.top");
  EXPECT_EQ(xsihost::ToUtf8(SIObject(Object("Solo")).GetFullName()), "Solo");
  EXPECT_EQ(xsihost::ToUtf8(SIObject(Object("free")).GetFullName()), "free");
  const CRef notes = xsihost::Describe(Object("Outer.Inner.L_root")).properties.at(0);
  EXPECT_EQ(xsihost::ToUtf8(SIObject(notes).GetFullName()), "Outer.Inner.L_root.Notes");
  EXPECT_FALSE(xsihost::Describe(xsihost::FindByFullName(L"Inner.L_root")).valid);
}

TEST(Selection, EmptySelectionGivesAnInvalidReferenceWithEmptyType) {
  BuildScene("root a\n");
  xsihost::Select({});
  const CRef first = Application().GetSelection()[0];
  EXPECT_FALSE(first.IsValid());
  EXPECT_EQ(X3DObject(first).GetType().Length(), 0u);
  EXPECT_EQ(X3DObject(first).GetName().Length(), 0u);
  EXPECT_EQ(X3DObject(first).GetChildren().GetCount(), 0);
  EXPECT_NE(SIObject(first).PutName(L"x"), CStatus::OK);
}

TEST(Selection, IsLive) {
  BuildScene("root a\nroot b\n");
  Selection selection = Application().GetSelection();
  xsihost::Select({Object("a"), Object("b")});
  EXPECT_EQ(selection.GetCount(), 2);
  xsihost::Select({Object("b")});
  EXPECT_TRUE(selection[0] == Object("b"));
  EXPECT_FALSE(selection[1].IsValid());
}

TEST(Names, EmptyNameIsRefused) {
  BuildScene("root a\n");
  SIObject a(Object("a"));
  EXPECT_EQ(a.PutName(L""), CStatus::Fail);
  EXPECT_EQ(xsihost::ToUtf8(a.GetName()), "a");
  EXPECT_EQ(SIObject(xsihost::SceneRoot()).PutName(L"x"), CStatus::AccessDenied);
}

TEST(Reset, InvalidatesOldReferences) {
  BuildScene("root a\n");
  const CRef old = Object("a");
  xsihost::Reset();
  BuildScene("root a\n");
  EXPECT_FALSE(old.IsValid());
  EXPECT_TRUE(Object("a").IsValid());
}

}  // namespace

namespace {

// A host command given wrong arguments fails as the host fails it: an error naming the command
// and the argument, and nothing changes.
struct BadArguments {
  const char* what;
  const wchar_t* command;
  std::vector<CValue> arguments;  // a ref argument is filled in by the test when empty-marked
  const char* error;
};

void PrintTo(const BadArguments& c, std::ostream* os) {
  *os << c.what;
}

class HostCommandArguments : public testing::TestWithParam<BadArguments> {};

TEST_P(HostCommandArguments, AreCheckedBeforeAnythingChanges) {
  BuildScene(kArm);
  const CRef property = xsihost::AddCustomProperty(Object("Rig.L_root"), L"Notes");
  xsihost::Select({Object("Rig.L_root")});
  bool asked = false;
  xsihost::SetDialogResponder([&](const xsihost::DialogRequest&) {
    asked = true;
    return xsihost::DialogAnswer::Cancel;
  });
  const std::string before = SceneText();
  CValueArray arguments;
  for (const CValue& v : GetParam().arguments)
    arguments.Add(v.GetType() == CValue::siRef ? CValue(property) : v);
  CValue result;
  EXPECT_NE(Application().ExecuteCommand(GetParam().command, arguments, result), CStatus::OK);
  EXPECT_TRUE(result.IsEmpty());
  EXPECT_FALSE(asked);
  EXPECT_EQ(SceneText(), before);
  EXPECT_TRUE(xsihost::Describe(property).valid);
  ASSERT_EQ(xsihost::Selected().size(), 1u);
  ASSERT_FALSE(xsihost::Log().empty());
  EXPECT_EQ(xsihost::ToUtf8(xsihost::Log().back().message), GetParam().error);
  EXPECT_EQ(xsihost::Log().back().severity, siErrorMsg);
}

// A stand-in for "some property": the test puts the property in every ref position.
const CValue kProperty = CValue(xsihost::SceneRoot());
const CValue kTarget = CValue(L"B:Rig.L_root");

INSTANTIATE_TEST_SUITE_P(
    Host, HostCommandArguments,
    testing::Values(
        BadArguments{"DuplicateSymmetry with seven arguments",
                     L"DuplicateSymmetry",
                     {kTarget, true, LONG(1), LONG(1), LONG(0), LONG(0), LONG(0)},
                     "DuplicateSymmetry: takes 8 arguments, got 7"},
        BadArguments{"DuplicateSymmetry with nine arguments",
                     L"DuplicateSymmetry",
                     {kTarget, true, LONG(1), LONG(1), LONG(0), LONG(0), LONG(0), true, true},
                     "DuplicateSymmetry: takes 8 arguments, got 9"},
        BadArguments{"DuplicateSymmetry with an object for its target",
                     L"DuplicateSymmetry",
                     {kProperty, true, LONG(1), LONG(1), LONG(0), LONG(0), LONG(0), true},
                     "DuplicateSymmetry: argument 1 must be a string, not an object"},
        BadArguments{"DuplicateSymmetry with an integer for a boolean",
                     L"DuplicateSymmetry",
                     {kTarget, LONG(1), LONG(1), LONG(1), LONG(0), LONG(0), LONG(0), true},
                     "DuplicateSymmetry: argument 2 must be a boolean, not an integer"},
        BadArguments{"DuplicateSymmetry with another value than the stand-in models",
                     L"DuplicateSymmetry",
                     {kTarget, true, LONG(1), LONG(2), LONG(0), LONG(0), LONG(0), true},
                     "DuplicateSymmetry: argument 4 must be int 1 (the only value the stand-in "
                     "models), not int 2"},
        BadArguments{"DuplicateSymmetry with its last flag false",
                     L"DuplicateSymmetry",
                     {kTarget, true, LONG(1), LONG(1), LONG(0), LONG(0), LONG(0), false},
                     "DuplicateSymmetry: argument 8 must be bool true (the only value the "
                     "stand-in models), not bool false"},
        BadArguments{
            "DeleteObj without arguments", L"DeleteObj", {}, "DeleteObj: takes 1 arguments, got 0"},
        BadArguments{"DeleteObj with a name",
                     L"DeleteObj",
                     {CValue(L"Rig.Notes")},
                     "DeleteObj: argument 1 must be an object, not a string"},
        BadArguments{"DeleteObj with two objects",
                     L"DeleteObj",
                     {kProperty, kProperty},
                     "DeleteObj: takes 1 arguments, got 2"},
        BadArguments{"InspectObj with four arguments",
                     L"InspectObj",
                     {kProperty, CValue(), CValue(L"T"), LONG(4)},
                     "InspectObj: takes 5 arguments, got 4"},
        BadArguments{"InspectObj with a boolean mode",
                     L"InspectObj",
                     {kProperty, CValue(), CValue(L"T"), true, false},
                     "InspectObj: argument 4 must be an integer, not a boolean"},
        BadArguments{"InspectObj with an integer title",
                     L"InspectObj",
                     {kProperty, CValue(), LONG(7), LONG(4), false},
                     "InspectObj: argument 3 must be a string, not an integer"},
        BadArguments{"InspectObj without its last flag",
                     L"InspectObj",
                     {kProperty, CValue(), CValue(L"T"), LONG(4), CValue()},
                     "InspectObj: argument 5 must be a boolean, not empty"}),
    kelvane_test::PrintedName());

TEST(InspectObjMode, OnlyTheModalModeWaitsForTheUser) {
  BuildScene(kArm);
  const CRef property = xsihost::AddCustomProperty(Object("Rig.L_root"), L"Notes");
  int asked = 0;
  xsihost::SetDialogResponder([&](const xsihost::DialogRequest&) {
    ++asked;
    return xsihost::DialogAnswer::Cancel;
  });
  for (LONG mode : {0, 1, 2, 3, 5}) {
    CValueArray arguments(5);
    arguments[0] = property;
    arguments[2] = L"T";
    arguments[3] = mode;
    arguments[4] = false;
    CValue cancelled;
    EXPECT_EQ(Application().ExecuteCommand(L"InspectObj", arguments, cancelled), CStatus::OK);
    EXPECT_EQ(cancelled, CValue(false)) << "mode " << mode;
  }
  EXPECT_EQ(asked, 0);
  CValueArray modal(5);
  modal[0] = property;
  modal[3] = LONG(4);
  modal[4] = false;
  CValue cancelled;
  EXPECT_EQ(Application().ExecuteCommand(L"InspectObj", modal, cancelled), CStatus::OK);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(cancelled, CValue(true));
}

TEST(CommandCalls, AreRecordedWithTheirArgumentsAlsoWhenRefused) {
  BuildScene(kArm);
  xsihost::ArmFaultOn("DeleteObj", 1, xsihost::FaultMode::Refuse);
  CValueArray arguments(1);
  arguments[0] = Object("Rig.L_eff");
  CValue unused;
  EXPECT_EQ(Application().ExecuteCommand(L"DeleteObj", arguments, unused), CStatus::Fail);
  EXPECT_TRUE(xsihost::Describe(Object("Rig.L_eff")).valid);
  CValue result;
  Duplicate(L"B:Rig.L_eff", result);
  const auto& calls = xsihost::CommandCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(xsihost::ToUtf8(calls[0].name), "DeleteObj");
  ASSERT_EQ(calls[0].arguments.size(), 1u);
  EXPECT_EQ(xsihost::ValueText(calls[0].arguments[0]), "ref Rig.L_eff");
  std::vector<std::string> texts;
  for (const CValue& v : calls[1].arguments)
    texts.push_back(xsihost::ValueText(v));
  EXPECT_EQ(texts, (std::vector<std::string>{"string \"B:Rig.L_eff\"", "bool true", "int 1",
                                             "int 1", "int 0", "int 0", "int 0", "bool true"}));
}

// The ways a host can fail, as faults: each fires where it is aimed and nowhere else.
TEST(Faults, PersistentFaultsHitEveryLaterCallOfTheirKind) {
  BuildScene("root a\nroot b\nroot c\n");
  xsihost::ClearFaults();
  xsihost::AddFault({"PutName", 2, true, xsihost::FaultMode::Refuse});
  EXPECT_EQ(SIObject(Object("a")).PutName(L"a2"), CStatus::OK);
  EXPECT_EQ(SIObject(Object("b")).GetName(), CString(L"b"));  // another kind: not counted
  EXPECT_EQ(SIObject(Object("b")).PutName(L"b2"), CStatus::Fail);
  EXPECT_EQ(SIObject(Object("c")).PutName(L"c2"), CStatus::Fail);
  EXPECT_EQ(SceneText(), "root a2\nroot b\nroot c\n");
  EXPECT_EQ(xsihost::FiredFaults().size(), 2u);
  EXPECT_EQ(xsihost::LastFault().operation, "SIObject::PutName");
}

TEST(Faults, TwoFaultsFireEachOnItsOwnCall) {
  BuildScene("root a\n");
  xsihost::ClearFaults();
  xsihost::AddFault({"", 2, false, xsihost::FaultMode::Refuse});
  xsihost::AddFault({"", 3, false, xsihost::FaultMode::Raise});
  const CRef a = Object("a");
  EXPECT_EQ(SIObject(a).PutName(L"x"), CStatus::OK);            // 1
  EXPECT_EQ(SIObject(a).PutName(L"y"), CStatus::Fail);          // 2: refused
  EXPECT_THROW(SIObject(a).PutName(L"z"), xsihost::HostFault);  // 3: raises
  EXPECT_EQ(SIObject(a).PutName(L"w"), CStatus::OK);            // 4
  EXPECT_EQ(xsihost::FiredFaults().size(), 2u);
}

TEST(Faults, DuplicateSymmetryCanFailInEachWayAHostLeavesThings) {
  struct Case {
    xsihost::FaultMode mode;
    CStatus::Code status;
    std::vector<std::string> selected;  // full names afterwards
  };
  for (const Case& c :
       {Case{xsihost::FaultMode::Refuse, CStatus::Fail, {"Rig.L_root"}},
        Case{xsihost::FaultMode::RefuseClearingSelection, CStatus::Fail, {}},
        Case{xsihost::FaultMode::SucceedSelectingOther, CStatus::OK, {"Rig.L_bone1"}},
        Case{xsihost::FaultMode::FailAfterRunning, CStatus::Fail, {"Rig.L_root1"}}}) {
    BuildScene(kArm);
    xsihost::Select({Object("Rig.L_root")});
    const std::string before = SceneText();
    xsihost::ArmFaultOn("DuplicateSymmetry", 1, c.mode);
    CValue result;
    EXPECT_EQ(Duplicate(L"B:Rig.L_root", result), c.status);
    if (c.mode != xsihost::FaultMode::FailAfterRunning) {
      EXPECT_EQ(SceneText(), before);
    }
    std::vector<std::string> selected;
    for (const CRef& ref : xsihost::Selected())
      selected.push_back(xsihost::ToUtf8(xsihost::Describe(ref).fullName));
    EXPECT_EQ(selected, c.selected);
  }
}

TEST(Faults, TargetsAreNamedExactly) {
  for (const char* name : {"", "Bogus", "putname", "SIObject::", "PutName@3"})
    EXPECT_FALSE(xsihost::IsFaultTarget(name)) << name;
}

}  // namespace

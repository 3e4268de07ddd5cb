// The stand-in host's commands and its bookkeeping, as the plug-in relies on them.
#include <gtest/gtest.h>
#include <xsi/sdk.h>
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

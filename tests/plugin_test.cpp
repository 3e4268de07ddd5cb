// The built kelvane.so, loaded and called as the host does.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "plugin_fixture.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::LoadedPlugin;
using kelvane_test::LogTexts;
using kelvane_test::Object;
using kelvane_test::Pick;
using kelvane_test::RenameRuleLeft;
using kelvane_test::SceneText;
using xsihost::ToUtf8;

constexpr const char* kRig = R"(model Rig
  root LeftArm 1 0 0
    bone LeftUpper 2 0 0
    eff LeftHand 3 0 0
  root L_leg 1 -5 0
    eff L_foot 1 -9 0
  bone Spine 0 2 0
)";

using Registration = LoadedPlugin;

TEST_F(Registration, RegistersIdentityCommandAndMenu) {
  const xsihost::RegistrarInfo info = plugin.Registration();
  EXPECT_EQ(ToUtf8(info.name), "kelvanePlugin");
  EXPECT_EQ(ToUtf8(info.author), "tuv");
  EXPECT_EQ(ToUtf8(info.email), "");
  EXPECT_EQ(ToUtf8(info.url), "");
  EXPECT_EQ(info.major, 1);
  EXPECT_EQ(info.minor, 0);
  ASSERT_EQ(info.commands.size(), 1u);
  EXPECT_EQ(ToUtf8(info.commands[0].name), "kelvane");
  EXPECT_EQ(ToUtf8(info.commands[0].scriptName), "kelvane");
  EXPECT_EQ(ToUtf8(info.commands[0].description), "");
  EXPECT_TRUE(info.commands[0].returnValueEnabled);  // set by kelvane_Init
  ASSERT_EQ(info.menus.size(), 1u);
  EXPECT_EQ(ToUtf8(info.menus[0].name), "kelvane_Menu");
  EXPECT_EQ(info.menus[0].anchor, 26);
  EXPECT_FALSE(info.menus[0].displayName);
  EXPECT_FALSE(info.menus[0].dynamic);
  ASSERT_EQ(info.menus[0].items.size(), 1u);  // added by kelvane_Menu_Init
  EXPECT_EQ(ToUtf8(info.menus[0].items[0].label), "kelvane");
  EXPECT_EQ(ToUtf8(info.menus[0].items[0].command), "kelvane");
  EXPECT_TRUE(LogTexts().empty());
}

TEST_F(Registration, UnloadMessageUsesTheNameTheRegistrarReportsThen) {
  SIObject(plugin.Registrar()).PutName(L"renamedPlugin");
  EXPECT_TRUE(plugin.Unload());
  EXPECT_EQ(LogTexts(), std::vector<std::string>{"renamedPlugin has been unloaded."});
  EXPECT_EQ(xsihost::Log().back().severity, siInfoMsg);
  EXPECT_FALSE(plugin.Unload());  // a second unload does nothing
  EXPECT_EQ(LogTexts().size(), 1u);
}

TEST_F(Registration, LoadingTwiceRegistersTheSameAgain) {
  const xsihost::RegistrarInfo first = plugin.Registration();
  plugin.Unload();
  std::string error;
  ASSERT_TRUE(plugin.Load(kelvane_test::PluginPath(), error)) << error;
  const xsihost::RegistrarInfo second = plugin.Registration();
  EXPECT_EQ(ToUtf8(second.name), ToUtf8(first.name));
  EXPECT_EQ(second.commands.size(), 1u);
  ASSERT_EQ(second.menus.size(), 1u);
  EXPECT_EQ(second.menus[0].items.size(), 1u);
  plugin.Unload();
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{"kelvanePlugin has been unloaded.",
                                                  "kelvanePlugin has been unloaded."}));
}

TEST(Library, ExportsExactlyTheFiveEntryPoints) {
  const std::set<std::string> symbols = kelvane_test::ExportedSymbols(kelvane_test::PluginPath());
  EXPECT_EQ(symbols, (std::set<std::string>{"XSILoadPlugin", "XSIUnloadPlugin", "kelvane_Init",
                                            "kelvane_Execute", "kelvane_Menu_Init"}));
}

TEST(Library, MissingLibraryOrEntryPointIsNamed) {
  xsihost::PluginLoader loader;
  std::string error;
  EXPECT_FALSE(loader.Load("/nonexistent/kelvane.so", error));
  EXPECT_NE(error.find("/nonexistent/kelvane.so"), std::string::npos) << error;
  EXPECT_FALSE(loader.Execute("kelvane").ran);
  // The SDK library is a shared library without XSILoadPlugin.
  EXPECT_FALSE(loader.Load(kelvane_test::SdkPath(), error));
  EXPECT_NE(error.find("XSILoadPlugin"), std::string::npos) << error;
}

class Execute : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    BuildScene(kRig);
  }
  xsihost::ExecuteResult Run() {
    xsihost::ExecuteResult result = plugin.Execute("kelvane");
    EXPECT_TRUE(result.ran) << result.error;
    EXPECT_TRUE(result.returnValue == CValue(true));
    for (const auto& entry : xsihost::Log()) {
      if (!result.raised) {
        EXPECT_EQ(entry.severity, siInfoMsg) << ToUtf8(entry.message);
      }
    }
    if (!LogTexts().empty()) {
      EXPECT_EQ(LogTexts()[0], "kelvane_Execute called");
    }
    EXPECT_FALSE(RenameRuleLeft());
    return result;
  }
};

TEST_F(Execute, NotARootOrNothingSelectedSaysSelectRoot) {
  const std::string before = SceneText();
  for (auto selection : {std::vector<CRef>{Object("Rig.Spine")}, std::vector<CRef>{},
                         std::vector<CRef>{Object("Rig.LeftUpper"), Object("Rig.LeftArm")}}) {
    xsihost::ClearLog();
    xsihost::Select(selection);
    bool dialogShown = false;
    xsihost::SetDialogResponder([&](const xsihost::DialogRequest&) {
      dialogShown = true;
      return xsihost::DialogAnswer::Confirm;
    });
    EXPECT_EQ(Run().status, CStatus::OK);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"kelvane_Execute called", "Select Root"}));
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(SceneText(), before);
  }
}

TEST_F(Execute, DialogOffersTheTwoRules) {
  xsihost::Select({Object("Rig.LeftArm")});
  xsihost::DialogRequest seen;
  CValue valueShown;
  xsihost::SetDialogResponder([&](const xsihost::DialogRequest& request) {
    seen = request;
    EXPECT_TRUE(RenameRuleLeft());  // the property exists while the dialog shows
    EXPECT_EQ(ToUtf8(SIObject(request.property).GetName()), "Rule of Rename");
    valueShown = xsihost::ParameterValue(request.property, L"EnumCtrl");
    return xsihost::DialogAnswer::Cancel;
  });
  Run();
  EXPECT_EQ(ToUtf8(seen.title), "Kelvane by TUV");
  EXPECT_TRUE(valueShown == CValue(LONG(4)));
  ASSERT_EQ(seen.controls.size(), 1u);
  const xsihost::DialogControl& control = seen.controls[0];
  EXPECT_EQ(ToUtf8(control.scriptName), "EnumCtrl");
  EXPECT_EQ(ToUtf8(control.label), "Choice");
  EXPECT_EQ(ToUtf8(control.style), ToUtf8(siControlCombo));
  ASSERT_EQ(control.items.size(), 2u);
  EXPECT_EQ(ToUtf8(control.items[0].label), "Left,Right");
  EXPECT_TRUE(control.items[0].value == CValue(LONG(4)));
  EXPECT_EQ(ToUtf8(control.items[1].label), "L_,R_");
  EXPECT_TRUE(control.items[1].value == CValue(LONG(6)));
}

TEST_F(Execute, CancelMakesNoCopy) {
  xsihost::Select({Object("Rig.LeftArm")});
  const std::string before = SceneText();
  xsihost::SetDialogResponder(
      [](const xsihost::DialogRequest&) { return xsihost::DialogAnswer::Cancel; });
  EXPECT_EQ(Run().status, CStatus::OK);
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{"kelvane_Execute called", "User cancelled"}));
  EXPECT_EQ(SceneText(), before);
}

struct RuleCase {
  const char* what;
  bool answer;  // false: no responder, the dialog confirms the default
  LONG value;
  const char* select;
  const char* copy;  // the lines of the copy, under Rig
};

void PrintTo(const RuleCase& c, std::ostream* os) {
  *os << c.what;
}

class ExecuteRule : public Execute, public testing::WithParamInterface<RuleCase> {};

TEST_P(ExecuteRule, BuildsTheRenamedCopy) {
  const RuleCase& c = GetParam();
  xsihost::Select({Object(c.select), Object("Rig.L_leg")});  // only the first counts
  if (c.answer)
    xsihost::SetDialogResponder(Pick(c.value));
  EXPECT_EQ(Run().status, CStatus::OK);
  EXPECT_EQ(LogTexts(), std::vector<std::string>{"kelvane_Execute called"});
  std::string expected = kRig;
  EXPECT_EQ(SceneText(), expected + c.copy);
}

INSTANTIATE_TEST_SUITE_P(
    Execute, ExecuteRule,
    testing::Values(
        RuleCase{"default is Left,Right", false, 0, "Rig.LeftArm",
                 "  root RightArm -1 0 0\n    bone RightUpper -2 0 0\n    eff RightHand -3 0 0\n"},
        RuleCase{"Left,Right", true, 4, "Rig.LeftArm",
                 "  root RightArm -1 0 0\n    bone RightUpper -2 0 0\n    eff RightHand -3 0 0\n"},
        RuleCase{"L_,R_ on a Left chain keeps the names", true, 6, "Rig.LeftArm",
                 "  root LeftArm -1 0 0\n    bone LeftUpper -2 0 0\n    eff LeftHand -3 0 0\n"},
        RuleCase{"L_,R_", true, 6, "Rig.L_leg", "  root R_leg -1 -5 0\n    eff R_foot -1 -9 0\n"},
        RuleCase{"any other value is L_,R_", true, 5, "Rig.L_leg",
                 "  root R_leg -1 -5 0\n    eff R_foot -1 -9 0\n"}),
    kelvane_test::PrintedName());

TEST_F(Execute, RefusedDuplicationLeavesTheSceneAsItWas) {
  xsihost::Select({Object("Rig.LeftArm")});
  const std::string before = SceneText();
  xsihost::RefuseCommand(L"DuplicateSymmetry");
  EXPECT_EQ(Run().status, CStatus::OK);
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{
                            "kelvane_Execute called",
                            "The host refused to duplicate \"Rig.LeftArm\" (DuplicateSymmetry).",
                            "No mirrored copy was made."}));
  EXPECT_EQ(SceneText(), before);
}

std::vector<std::vector<std::string>> CommandCallTexts() {
  std::vector<std::vector<std::string>> calls;
  for (const xsihost::CommandCall& call : xsihost::CommandCalls()) {
    calls.push_back({ToUtf8(call.name)});
    calls.back().insert(calls.back().end(), call.texts.begin(), call.texts.end());
  }
  return calls;
}

TEST_F(Execute, GivesTheHostCommandsExactlyTheirArguments) {
  xsihost::Select({Object("Rig.L_leg")});
  xsihost::SetDialogResponder(Pick(6));
  Run();
  const std::vector<std::string> inspect = {"InspectObj", "ref Rule of Rename",
                                            "empty",      "string \"Kelvane by TUV\"",
                                            "int 4",      "bool false"};
  const std::vector<std::string> deleteRule = {"DeleteObj", "ref Rule of Rename"};
  EXPECT_EQ(CommandCallTexts(),
            (std::vector<std::vector<std::string>>{
                inspect,
                deleteRule,
                {"DuplicateSymmetry", "string \"B:Rig.L_legrename_temp_suffix\"", "bool true",
                 "int 1", "int 1", "int 0", "int 0", "int 0", "bool true"}}));

  BuildScene(kRig);
  xsihost::Select({Object("Rig.L_leg")});
  xsihost::SetDialogResponder(
      [](const xsihost::DialogRequest&) { return xsihost::DialogAnswer::Cancel; });
  Run();
  EXPECT_EQ(CommandCallTexts(), (std::vector<std::vector<std::string>>{inspect, deleteRule}));
}

// Without the whole dialog the user chose nothing: the run stops, says why, and changes nothing.
TEST_F(Execute, ADialogTheHostWillNotShowMakesNoCopy) {
  struct Case {
    const char* operation;
    const char* refusal;
  };
  for (const Case& c : {
           Case{"AddProperty",
                "The host refused to create the property \"Rule of Rename\" (AddProperty)."},
           Case{"AddParameter",
                "The host refused to add the parameter \"EnumCtrl\" to \"Rule of Rename\" "
                "(AddParameter)."},
           Case{"AddEnumControl",
                "The host refused to add the choice \"EnumCtrl\" to the page of \"Rule of "
                "Rename\" (AddEnumControl)."},
           Case{"InspectObj",
                "The host refused to show the dialog \"Kelvane by TUV\" (InspectObj)."},
       }) {
    BuildScene(kRig);
    xsihost::Select({Object("Rig.LeftArm")});
    const std::string before = SceneText();
    xsihost::ArmFaultOn(c.operation, 1, xsihost::FaultMode::Refuse);
    EXPECT_EQ(Run().status, CStatus::OK);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"kelvane_Execute called", c.refusal,
                                                    "No mirrored copy was made."}));
    EXPECT_EQ(SceneText(), before);
    for (const xsihost::CommandCall& call : xsihost::CommandCalls())
      EXPECT_NE(ToUtf8(call.name), "DuplicateSymmetry") << c.operation;
  }
}

TEST_F(Execute, APropertyTheHostWillNotDeleteIsNamedInTheLog) {
  xsihost::Select({Object("Rig.L_leg")});
  xsihost::SetDialogResponder(Pick(6));
  xsihost::ArmFaultOn("DeleteObj", 1, xsihost::FaultMode::Refuse);
  const xsihost::ExecuteResult result = plugin.Execute("kelvane");
  EXPECT_FALSE(result.raised);
  EXPECT_TRUE(RenameRuleLeft());
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{
                            "kelvane_Execute called",
                            "The host did not delete the temporary property \"Rule of Rename\" "
                            "(DeleteObj): delete it by hand."}));
  // The copy itself does not depend on the property: the run completes.
  EXPECT_TRUE(xsihost::Describe(Object("Rig.R_leg")).valid);
}

// A raise anywhere after the property exists: the property and any copy leave the scene, and
// the exception reaches the host.
TEST_F(Execute, RaiseAfterThePropertyExistsLeavesTheSceneAsItWas) {
  struct Point {
    const char* operation;
    std::uint64_t call;
  };
  for (Point point :
       {Point{"CustomProperty::AddParameter", 1}, Point{"PPGLayout::AddEnumControl", 1},
        Point{"Application::ExecuteCommand", 1},  // InspectObj
        Point{"ProjectItem::GetParameterValue", 1},
        Point{"Application::ExecuteCommand", 2},     // DeleteObj itself
        Point{"SIObject::PutName", 9},               // renaming the copies
        Point{"Application::ExecuteCommand", 3}}) {  // DuplicateSymmetry
    BuildScene(kRig);
    xsihost::Select({Object("Rig.LeftArm")});
    xsihost::ArmFaultOn(point.operation, point.call, xsihost::FaultMode::Raise);
    const xsihost::ExecuteResult result = Run();
    EXPECT_TRUE(result.raised) << point.operation << " #" << point.call;
    EXPECT_EQ(xsihost::LastFault().operation, point.operation);
    EXPECT_EQ(SceneText(), kRig) << point.operation << " #" << point.call;
    EXPECT_EQ(xsihost::Log().back().severity, siErrorMsg);  // the host reported it
  }
}

TEST_F(Execute, CallbacksSurviveAContextWithoutSource) {
  for (const char* callback : {"kelvane_Init", "kelvane_Menu_Init", "kelvane_Execute"}) {
    const xsihost::ExecuteResult result = plugin.CallCallback(callback, CRef());
    EXPECT_TRUE(result.ran) << callback;
    EXPECT_FALSE(result.raised) << callback;
    EXPECT_EQ(result.status, CStatus::OK) << callback;
  }
}

TEST(ExecuteBeforeLoad, RunsNothing) {
  xsihost::PluginLoader loader;
  const xsihost::ExecuteResult result = loader.Execute("kelvane");
  EXPECT_FALSE(result.ran);
  EXPECT_EQ(result.error, "no plug-in is loaded");
  EXPECT_FALSE(loader.CallCallback("kelvane_Execute", CRef()).ran);
  EXPECT_FALSE(loader.Unload());
}

}  // namespace

namespace {

using DeepChain = kelvane_test::LoadedPlugin;

TEST_F(DeepChain, MirrorsAChainTenThousandDeep) {
  const int depth = 10000;
  xsihost::Reset();
  XSI::CRef node =
      xsihost::AddObject(xsihost::SceneRoot(), L"root", L"L_0", xsihost::Position{1, 0, 0});
  xsihost::Select({node});
  for (int i = 1; i < depth; ++i) {
    node = xsihost::AddObject(node, L"bone", xsihost::Str("L_" + std::to_string(i)),
                              xsihost::Position{1.0 + i, 0, 0});
  }
  xsihost::SetDialogResponder(kelvane_test::Pick(6));
  const xsihost::ExecuteResult result = plugin.Execute("kelvane");
  ASSERT_TRUE(result.ran && !result.raised) << result.error;
  const std::vector<XSI::CRef> top = xsihost::Describe(xsihost::SceneRoot()).children;
  ASSERT_EQ(top.size(), 2u);
  const char* prefixes[] = {"L_", "R_"};
  for (int side = 0; side < 2; ++side) {
    XSI::CRef walk = top[side];
    for (int i = 0; i < depth; ++i) {
      const xsihost::ObjectInfo info = xsihost::Describe(walk);
      ASSERT_EQ(kelvane_test::NameOf(walk), prefixes[side] + std::to_string(i));
      ASSERT_EQ(info.position->x, side == 0 ? 1.0 + i : -1.0 - i);
      ASSERT_EQ(info.children.size(), i + 1 < depth ? 1u : 0u);
      if (i + 1 < depth)
        walk = info.children[0];
    }
  }
}

}  // namespace

#include "symmetric_copy.h"

#include <gtest/gtest.h>

#include <string>

#include "scene_fixture.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::LogTexts;
using kelvane_test::Object;
using kelvane_test::SceneText;

struct CopyCase {
  const char* what;
  const char* scene;
  const char* select;
  const wchar_t* from;
  const wchar_t* to;
  const char* expected;  // the whole scene afterwards
};

void PrintTo(const CopyCase& c, std::ostream* os) {
  *os << c.what;
}

class SymmetricCopy : public testing::TestWithParam<CopyCase> {};

TEST_P(SymmetricCopy, RenamesTheCopyAndKeepsEverythingElse) {
  const CopyCase& c = GetParam();
  BuildScene(c.scene);
  xsihost::Select({Object(c.select)});
  kelvane::BuildSymmetricCopy(c.from, c.to);
  EXPECT_EQ(SceneText(), c.expected);
  EXPECT_EQ(LogTexts(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Chains, SymmetricCopy,
    testing::Values(
        CopyCase{
            "worked example, L_ to R_",
            "root L_root 1 0 0\n  bone L_bone1 2 0 0\n    bone L_bone2 3 0 0\n  eff L_eff 4 0 0\n",
            "L_root", L"L_", L"R_",
            "root L_root 1 0 0\n  bone L_bone1 2 0 0\n    bone L_bone2 3 0 0\n"
            "  eff L_eff 4 0 0\n"
            "root R_root -1 0 0\n  bone R_bone1 -2 0 0\n    bone R_bone2 -3 0 0\n"
            "  eff R_eff -4 0 0\n"},
        CopyCase{"worked example from the right side",
                 "root R_root\n  bone R_bone1\n    bone R_bone2\n  eff R_eff\n", "R_root", L"L_",
                 L"R_",
                 "root R_root\n  bone R_bone1\n    bone R_bone2\n  eff R_eff\n"
                 "root L_root\n  bone L_bone1\n    bone L_bone2\n  eff L_eff\n"},
        CopyCase{"Left and Right inside names",
                 "model Rig\n  root ArmLeft\n    bone LeftUpper\n    eff Left_Left_eff\n",
                 "Rig.ArmLeft", L"Left", L"Right",
                 "model Rig\n  root ArmLeft\n    bone LeftUpper\n    eff Left_Left_eff\n"
                 "  root ArmRight\n    bone RightUpper\n    eff Right_Right_eff\n"},
        CopyCase{"a root without children", "null c\n  root L_only 2 1 0\n", "L_only", L"L_", L"R_",
                 "null c\n  root L_only 2 1 0\n  root R_only -2 1 0\n"},
        CopyCase{"names without a token keep their names", "root spine\n  bone neck\n", "spine",
                 L"Left", L"Right", "root spine\n  bone neck\nroot spine\n  bone neck\n"},
        CopyCase{"tokens are case-sensitive", "root left_arm\n  bone LEFT\n", "left_arm", L"Left",
                 L"Right", "root left_arm\n  bone LEFT\nroot left_arm\n  bone LEFT\n"},
        CopyCase{"a name with both tokens follows the current direction, which carries over",
                 "root r\n  bone L_R_a\n  bone L_R_b\n  bone L_c\n", "r", L"L_", L"R_",
                 "root r\n  bone L_R_a\n  bone L_R_b\n  bone L_c\n"
                 "root r\n  bone L_L_a\n  bone R_R_b\n  bone R_c\n"},
        CopyCase{"mixed sides in one chain each flip", "root L_r\n  bone R_a\n  bone L_b\n", "L_r",
                 L"L_", L"R_",
                 "root L_r\n  bone R_a\n  bone L_b\nroot R_r\n  bone L_a\n  bone R_b\n"},
        CopyCase{"a source named with the suffix text keeps its name exactly",
                 "root arename_temp_suffixb\n  bone rename_temp_suffix\n", "arename_temp_suffixb",
                 L"L_", L"R_",
                 "root arename_temp_suffixb\n  bone rename_temp_suffix\n"
                 "root arename_temp_suffixb\n  bone rename_temp_suffix\n"},
        CopyCase{"a token in the enclosing model's name does not count",
                 "model R_rig\n  root L_root\n    bone L_a\n    bone L_b\n", "R_rig.L_root", L"L_",
                 L"R_",
                 "model R_rig\n  root L_root\n    bone L_a\n    bone L_b\n"
                 "  root R_root\n    bone R_a\n    bone R_b\n"},
        CopyCase{"objects outside the chain stay as they are",
                 "model Rig\n  null L_hip\n    root L_leg\n      eff L_foot\n    null L_other\n"
                 "root L_second\n",
                 "Rig.L_leg", L"L_", L"R_",
                 "model Rig\n  null L_hip\n    root L_leg\n      eff L_foot\n    null L_other\n"
                 "    root R_leg\n      eff R_foot\nroot L_second\n"}),
    kelvane_test::PrintedName());

// ---- Real rig shapes ----

// A chain whose every name starts with `side`, in the scene format: a hand with five fingers of
// three joints each (the root has five children), or a 60-joint biped half whose branches have
// three to six children and three of whose names are over 256 code units long.
std::string Rig(const std::string& shape, const std::string& side) {
  std::string text;
  // "L_" + "hand", or "Left" + "Hand": a word token stands before a capital.
  auto add = [&](int depth, std::string name) {
    if (side == "Left")
      name[0] = static_cast<char>(name[0] - 'a' + 'A');
    text += std::string(2 * static_cast<std::size_t>(depth), ' ') +
            (depth == 0 ? "root " : "bone ") + side + name + "\n";
  };
  auto hand = [&](int depth) {
    add(depth, "hand");
    for (const char* finger : {"thumb", "index", "middle", "ring", "pinky"}) {
      for (int joint = 1; joint <= 3; ++joint)
        add(depth + joint, finger + std::to_string(joint));
    }
  };
  if (shape == "hand") {
    hand(0);
    return text;
  }
  const std::string longName(300, 'n');
  add(0, "pelvis");
  add(1, "spine1");
  add(2, "spine2");
  add(3, "neck");
  add(4, "head");
  for (const char* part : {"jaw", "eye", "brow", "ear"})
    add(5, part);
  add(3, "clavicle");
  add(4, "upperarm_" + longName);
  add(5, "forearm");
  hand(6);
  add(3, "chest_" + longName);
  for (const char* leg : {"hip", "thigh_twist"}) {
    add(1, leg);
    add(2, "knee");
    add(3, "ankle");
    for (const std::string& part : {std::string("ball"), std::string("heel"), "toe_" + longName})
      add(4, part);
  }
  for (const char* tail : {"tail1", "tail2", "tail3", "tail4", "tail5"})
    add(1, tail);
  for (int i = 0; i < 24; ++i)
    add(2, "tail5_" + std::to_string(i));
  return text;
}

std::string Flipped(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

TEST(RigShapes, AHandAndABipedHalfMirrorWithEitherRule) {
  for (const char* shape : {"hand", "biped"}) {
    for (const bool leftRight : {true, false}) {
      const std::string from = leftRight ? "Left" : "L_";
      const std::string to = leftRight ? "Right" : "R_";
      SCOPED_TRACE(std::string(shape) + " named with " + from);
      const std::string source = Rig(shape, from);
      BuildScene(source);
      const bool hand = std::string(shape) == "hand";
      xsihost::Select({Object(leftRight ? (hand ? "LeftHand" : "LeftPelvis")
                                        : (hand ? "L_hand" : "L_pelvis"))});
      EXPECT_TRUE(
          kelvane::BuildSymmetricCopy(leftRight ? L"Left" : L"L_", leftRight ? L"Right" : L"R_"));
      EXPECT_EQ(SceneText(), source + Flipped(source, from, to));
      EXPECT_EQ(LogTexts(), std::vector<std::string>{});
    }
  }
}

// Side tokens flip only where they stand as tokens of the name, under either rule: the copy's
// name for a chain root of each everyday name.
TEST(SideTokens, FlipOnlyWhereTheyStandAsTokens) {
  struct Case {
    const char* name;
    const char* leftRight;   // the copy's name with "Left,Right"
    const char* underscore;  // with "L_,R_"
  };
  const Case cases[] = {
      {"CTRL_L_arm", "CTRL_L_arm", "CTRL_R_arm"},
      {"SKEL_R_ankle", "SKEL_R_ankle", "SKEL_L_ankle"},
      {"COL_L_hand", "COL_L_hand", "COL_R_hand"},
      {"MDL_body", "MDL_body", "MDL_body"},
      {"L_arm", "L_arm", "R_arm"},
      {"arm_L_1", "arm_L_1", "arm_R_1"},
      {"Char:L_arm", "Char:L_arm", "Char:R_arm"},
      {"spine_3L_x", "spine_3L_x", "spine_3R_x"},
      {"xL_arm", "xL_arm", "xL_arm"},
      {"LeftArm", "RightArm", "LeftArm"},
      {"upperLeftArm", "upperRightArm", "upperLeftArm"},
      {"Lefty", "Lefty", "Lefty"},
      {"Leftover", "Leftover", "Leftover"},
      {"RightLeftover", "LeftLeftover", "RightLeftover"},
      {"Righteous_L_eye", "Righteous_L_eye", "Righteous_R_eye"},
      {"HandLeft", "HandRight", "HandLeft"},
      {"Left2", "Right2", "Left2"},
      {"Left_Lefty", "Right_Lefty", "Left_Lefty"},
      {"L_R_x", "L_R_x", "L_L_x"},
      {"L_Left", "L_Right", "R_Left"},
      {"\xC3\xA9L_arm", "\xC3\xA9L_arm", "\xC3\xA9R_arm"},  // a non-ASCII letter before
      {"\xC3\x9C"
       "berLeft",
       "\xC3\x9C"
       "berRight",
       "\xC3\x9C"
       "berLeft"},
      {"Left\xC3\xA9", "Right\xC3\xA9", "Left\xC3\xA9"},  // a non-ASCII letter after
  };
  for (const Case& c : cases) {
    for (const bool leftRight : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (leftRight ? " with Left,Right" : " with L_,R_"));
      BuildScene(std::string("root ") + c.name + "\n");
      xsihost::Select({Object(c.name)});
      kelvane::BuildSymmetricCopy(leftRight ? L"Left" : L"L_", leftRight ? L"Right" : L"R_");
      EXPECT_EQ(SceneText(), std::string("root ") + c.name + "\nroot " +
                                 (leftRight ? c.leftRight : c.underscore) + "\n");
    }
  }
}

// The side of a copy is judged without what the run appended to its name, also when the host
// numbers a copy with something other than "1".
TEST(SideTokens, AreJudgedWithoutTheAppendedSuffix) {
  const std::pair<const char*, const char*> numbered[] = {
      {"1", "HandRight"}, {"2", "HandRightrename_temp_suffix2"}, {"17", "HandRight7"}};
  for (const auto& [number, copy] : numbered) {
    SCOPED_TRACE(number);
    BuildScene("root HandLeft\n");
    xsihost::SetCopyNumber(xsihost::Str(number));
    xsihost::Select({Object("HandLeft")});
    kelvane::BuildSymmetricCopy(L"Left", L"Right");
    EXPECT_EQ(SceneText(), std::string("root HandLeft\nroot ") + copy + "\n");
  }
}

TEST(SymmetricCopyNumbers, RemovesOnlyTheSuffixFollowedByOne) {
  BuildScene("root L_x\n");
  xsihost::Select({Object("L_x")});
  xsihost::SetCopyNumber(L"12");
  kelvane::BuildSymmetricCopy(L"L_", L"R_");
  EXPECT_EQ(SceneText(), "root L_x\nroot R_x2\n");

  BuildScene("root L_x\n");
  xsihost::Select({Object("L_x")});
  xsihost::SetCopyNumber(L"2");
  kelvane::BuildSymmetricCopy(L"L_", L"R_");
  EXPECT_EQ(SceneText(), "root L_x\nroot R_xrename_temp_suffix2\n");
}

TEST(SymmetricCopyFaults, NoCopyMeansNothingRenamed) {
  BuildScene("model M\n  root L_root\n    bone L_a\n  root R_root\n");
  const std::string before = SceneText();
  xsihost::Select({Object("M.L_root")});
  xsihost::RefuseCommand(L"DuplicateSymmetry");
  kelvane::BuildSymmetricCopy(L"L_", L"R_");
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{
                            "The host refused to duplicate \"M.L_root\" (DuplicateSymmetry).",
                            "No mirrored copy was made."}));
  EXPECT_EQ(xsihost::Log().back().severity, siInfoMsg);
}

// A raise at any point while the sources carry the temporary suffix leaves them with their
// own names, and the exception reaches the caller.
TEST(SymmetricCopyFaults, RaiseWhileSuffixedPutsTheNamesBack) {
  for (const char* operation :
       {"Application::ExecuteCommand", "SIObject::GetFullName", "SIObject::PutName"}) {
    for (std::uint64_t k : {1, 2, 3, 4}) {
      BuildScene("model Rig\n  root L_root\n    bone L_bone1\n      bone L_bone2\n    eff L_eff\n");
      const std::string before = SceneText();
      xsihost::Select({Object("Rig.L_root")});
      xsihost::ArmFaultOn(operation, k, xsihost::FaultMode::Raise);
      bool raised = false;
      try {
        kelvane::BuildSymmetricCopy(L"L_", L"R_");
      } catch (const xsihost::HostFault&) {
        raised = true;
      }
      if (!raised)
        continue;  // that operation is called fewer than k times
      const std::string after = SceneText();
      // The sources are untouched; a copy, if made before the raise, may stand beside them.
      EXPECT_EQ(after.substr(0, before.size()), before) << operation << " #" << k;
      EXPECT_EQ(after.find("L_rootrename"), std::string::npos) << operation << " #" << k;
    }
  }
}

TEST(SymmetricCopyFaults, RaiseDuringDuplicationPropagatesAndRestores) {
  BuildScene("root L_root\n  bone L_a\n");
  xsihost::Select({Object("L_root")});
  xsihost::ArmFaultOn("Application::ExecuteCommand", 1, xsihost::FaultMode::Raise);
  EXPECT_THROW(kelvane::BuildSymmetricCopy(L"L_", L"R_"), xsihost::HostFault);
  EXPECT_EQ(SceneText(), "root L_root\n  bone L_a\n");
}

// Two chains whose roots share the full name "L_root" (their parents are not models), the
// second selected, and the host refusing the rename that gives that root the temporary suffix.
// "DuplicateSymmetry" would then find the other chain by that name and copy it: the run must
// stop before it, with the names put back and the refusal in the log.
TEST(SymmetricCopyFaults, ARefusedSuffixRenameStopsBeforeTheDuplication) {
  BuildScene("null A\n  root L_root\n    bone L_bone1\nnull B\n  root L_root\n    bone L_bone1\n");
  const std::string before = SceneText();
  const CRef second = xsihost::Describe(Object("B")).children[0];
  xsihost::Select({second});
  xsihost::ArmFaultOn("PutName", 2, xsihost::FaultMode::Refuse);  // bone first, then the root
  EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(LogTexts(),
            (std::vector<std::string>{
                "The host refused to rename \"L_root\" to \"L_rootrename_temp_suffix\" (PutName).",
                "No mirrored copy was made."}));
  EXPECT_TRUE(xsihost::CommandCalls().empty());
}

// What "DuplicateSymmetry" leaves selected is renamed only when it is a copy of the selected
// chain: none of the sources, and named after the suffixed root.
TEST(SymmetricCopyFaults, OnlyACopyOfTheSelectedChainIsRenamed) {
  struct Case {
    const char* scene;
    const char* selected;  // what the host selects after "succeeding"
  };
  for (const Case& c : {Case{"root L_root\n  bone L_a\nroot L_other\n", "L_a"},
                        Case{"root L_root\nnull L_rootX\n", "L_rootX"}}) {
    BuildScene(c.scene);
    const std::string before = SceneText();
    xsihost::Select({Object("L_root")});
    xsihost::ArmFaultOn("DuplicateSymmetry", 1, xsihost::FaultMode::SucceedSelectingOther);
    EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
    EXPECT_EQ(kelvane_test::NameOf(xsihost::Selected()[0]), c.selected);
    EXPECT_EQ(SceneText(), before);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{
                              "DuplicateSymmetry left no mirrored copy of \"L_root\" selected.",
                              "No mirrored copy was made."}));
  }
}

TEST(SymmetricCopyFaults, ARefusedDuplicationThatEmptiedTheSelectionRenamesNothing) {
  BuildScene("root L_root\n  bone L_a\n");
  const std::string before = SceneText();
  xsihost::Select({Object("L_root")});
  xsihost::ArmFaultOn("DuplicateSymmetry", 1, xsihost::FaultMode::RefuseClearingSelection);
  EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(LogTexts().back(), "No mirrored copy was made.");
}

// A duplication that made its copy but reported failure: the run stops, and the copy goes.
TEST(SymmetricCopyFaults, ACopyFromAFailedDuplicationIsDeleted) {
  BuildScene("root L_root\n  bone L_a\n");
  const std::string before = SceneText();
  xsihost::Select({Object("L_root")});
  xsihost::ArmFaultOn("DuplicateSymmetry", 1, xsihost::FaultMode::FailAfterRunning);
  EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{
                            "The host refused to duplicate \"L_root\" (DuplicateSymmetry).",
                            "No mirrored copy was made."}));
}

// A rename of a copy that the host refuses undoes the whole run: the copy is deleted.
TEST(SymmetricCopyFaults, ARefusedCopyRenameDeletesTheCopy) {
  BuildScene("root L_root\n  bone L_a\n");
  const std::string before = SceneText();
  xsihost::Select({Object("L_root")});
  // PutName 1-2 give the sources the suffix, 3-4 take it off, 5 is the first copy's rename.
  xsihost::ArmFaultOn("PutName", 5, xsihost::FaultMode::Refuse);
  EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(LogTexts(), (std::vector<std::string>{"The host refused to rename "
                                                  "\"L_arename_temp_suffix1\" to "
                                                  "\"R_arename_temp_suffix1\" (PutName).",
                                                  "No mirrored copy was made."}));
  ASSERT_EQ(xsihost::CommandCalls().size(), 2u);
  EXPECT_EQ(xsihost::ToUtf8(xsihost::CommandCalls()[1].name), "DeleteObj");
}

// Where the host refuses the undoing too, the log says what is left and how to mend it.
TEST(SymmetricCopyFaults, WhatTheHostWouldNotUndoIsNamedInTheLog) {
  BuildScene("model M\n  root L_root\n    bone L_a\n");
  xsihost::Select({Object("M.L_root")});
  xsihost::ClearFaults();
  xsihost::AddFault({"PutName", 3, true, xsihost::FaultMode::Refuse});  // every restore
  xsihost::AddFault({"DeleteObj", 1, true, xsihost::FaultMode::Refuse});
  EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
  EXPECT_EQ(SceneText(),
            "model M\n  root L_rootrename_temp_suffix\n    bone L_arename_temp_suffix\n"
            "  root L_rootrename_temp_suffix1\n    bone L_arename_temp_suffix1\n");
  EXPECT_EQ(LogTexts(),
            (std::vector<std::string>{
                "The host did not give \"L_arename_temp_suffix\" its name back (PutName): "
                "rename it \"L_a\" by hand.",
                "The host did not give \"L_rootrename_temp_suffix\" its name back (PutName): "
                "rename it \"L_root\" by hand.",
                "The host did not delete the mirrored copy \"M.L_rootrename_temp_suffix1\" "
                "(DeleteObj): delete it by hand."}));
  for (const auto& entry : xsihost::Log())
    EXPECT_EQ(entry.severity, siInfoMsg);
}

// A copy whose name would become empty: the host refuses that name, so the run is undone.
TEST(SymmetricCopyFaults, ACopyNameTheHostRefusesUndoesTheRun) {
  BuildScene("root rename_temp_suffix1\n");
  const std::string before = SceneText();
  xsihost::Select({Object("rename_temp_suffix1")});
  EXPECT_FALSE(kelvane::BuildSymmetricCopy(L"L_", L"R_"));
  EXPECT_EQ(SceneText(), before);
  EXPECT_EQ(LogTexts(),
            (std::vector<std::string>{"The host refused to rename "
                                      "\"rename_temp_suffix1rename_temp_suffix1\" to \"\" "
                                      "(PutName).",
                                      "No mirrored copy was made."}));
}

}  // namespace

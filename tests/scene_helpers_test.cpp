#include "scene_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene_fixture.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::NameOf;
using kelvane_test::Object;

std::vector<std::string> Names(const CRefArray& refs) {
  std::vector<std::string> names;
  for (LONG i = 0; i < refs.GetCount(); ++i)
    names.push_back(NameOf(refs[i]));
  return names;
}

TEST(CollectDescendants, ChildrenFirstThenEachChildsWholeList) {
  BuildScene(R"(root root
  bone A
    bone A1
      bone A1x
    bone A2
  bone B
    bone B1
)");
  EXPECT_EQ(Names(kelvane::CollectDescendants(Object("root"))),
            (std::vector<std::string>{"A", "B", "A1", "A2", "A1x", "B1"}));
}

TEST(CollectDescendants, TakesEveryChildWhateverItsType) {
  BuildScene("root r\n  model m\n    null n\n  eff e\n    property p\n");
  EXPECT_EQ(Names(kelvane::CollectDescendants(Object("r"))),
            (std::vector<std::string>{"m", "e", "n"}));
}

TEST(CollectDescendants, LeafAndInvalidGiveNothing) {
  BuildScene("root r\n");
  EXPECT_EQ(kelvane::CollectDescendants(Object("r")).GetCount(), 0);
  EXPECT_EQ(kelvane::CollectDescendants(CRef()).GetCount(), 0);
}

TEST(CollectDescendants, DeepChainInHierarchyOrder) {
  xsihost::Reset();
  CRef node = xsihost::AddObject(xsihost::SceneRoot(), L"root", L"n0");
  const CRef root = node;
  const int depth = 20000;
  for (int i = 1; i <= depth; ++i) {
    node = xsihost::AddObject(node, L"bone", xsihost::Str("n" + std::to_string(i)));
  }
  const CRefArray all = kelvane::CollectDescendants(root);
  ASSERT_EQ(all.GetCount(), depth);
  EXPECT_EQ(NameOf(all[0]), "n1");
  EXPECT_EQ(NameOf(all[depth - 1]), "n" + std::to_string(depth));
}

TEST(Renaming, AppendAndReplaceWriteTheOwnName) {
  BuildScene("model M\n  root L_a\n");
  const CRef a = Object("M.L_a");
  kelvane::AppendToName(CValue(a), L"_x");
  EXPECT_EQ(NameOf(a), "L_a_x");
  kelvane::AppendToName(CValue(a), L"");
  EXPECT_EQ(NameOf(a), "L_a_x");
  kelvane::ReplaceInName(CValue(a), L"L_", L"R_");
  EXPECT_EQ(NameOf(a), "R_a_x");
  kelvane::ReplaceInName(CValue(a), L"missing", L"y");
  EXPECT_EQ(NameOf(a), "R_a_x");
  kelvane::ReplaceInName(CValue(a), L"a", L"aa");  // `to` holding `from` ends
  EXPECT_EQ(NameOf(a), "R_aa_x");
}

TEST(Renaming, WritesBackEvenWhenNothingChanged) {
  BuildScene("root a\n");
  const CRef a = Object("a");
  xsihost::ResetOperationCount();
  xsihost::ArmFault(2, xsihost::FaultMode::Raise);  // 1: GetName, 2: PutName
  EXPECT_THROW(kelvane::ReplaceInName(CValue(a), L"zz", L"y"), xsihost::HostFault);
  EXPECT_EQ(xsihost::LastFault().operation, "SIObject::PutName");
}

TEST(RunHostCommand, PassesTheEightArgumentsAndGivesTheResult) {
  BuildScene("root L_r 1 2 3\n");
  const CValue result = kelvane::RunHostCommand(L"DuplicateSymmetry", L"B:L_r", true, LONG(1),
                                                LONG(1), LONG(0), LONG(0), LONG(0), true);
  EXPECT_TRUE(CRef(result) == Object("L_r1"));
  EXPECT_TRUE(kelvane::RunHostCommand(L"Nope", CValue(), CValue(), CValue(), CValue(), CValue(),
                                      CValue(), CValue(), CValue())
                  .IsEmpty());
}

}  // namespace

// Every host operation of a run, made to raise and made to refuse, one at a time: the user's
// scene must come out intact every time.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::NameOf;
using kelvane_test::Object;
using kelvane_test::Pick;
using kelvane_test::RenameRuleLeft;
using kelvane_test::SceneText;

struct Rig {
  const char* what;
  const char* scene;
  const char* root;  // full name of the chain root to select
  LONG rule;         // 4: "Left,Right", 6: "L_,R_"
};

const Rig kRigs[] = {
    {"worked example",
     "model Rig\n  null Chest 0 5 0\n    root L_root 1 0 0\n"
     "      bone L_bone1 2 0 0\n        bone L_bone2 3 0 0\n"
     "      eff L_eff 4 0 0\n  null Other\n",
     "Rig.L_root", 6},
    {"chain in nested models",
     "model R_body\n  model Arms\n    root LeftArm 1 0 0\n"
     "      bone LeftUpper 2 0 0\n        bone LeftLower 3 0 0\n"
     "          property Notes\n      eff LeftHand 4 0 0\n"
     "  root RightLeg\n",
     "R_body.Arms.LeftArm", 4},
    {"names with both tokens",
     "root L_R_root\n  bone R_L_a\n    bone L_R_b\n  bone L_c\n"
     "  eff rename_temp_suffix1\n",
     "L_R_root", 6},
    {"lonely root", "null Top\n  root L_alone 2 2 2\n", "L_alone", 6},
};

struct Snapshot {
  std::map<std::uint64_t, xsihost::ObjectInfo> objects;
};

Snapshot Take() {
  Snapshot s;
  for (const CRef& ref : xsihost::SceneOrder())
    s.objects[xsihost::ObjectId(ref)] = xsihost::Describe(ref);
  return s;
}

class FaultSweep : public kelvane_test::LoadedPlugin {
 protected:
  // Builds the rig, selects its root and answers the dialog; gives the ids of the chain.
  std::set<std::uint64_t> Prepare(const Rig& rig) {
    BuildScene(rig.scene);
    const CRef root = Object(rig.root);
    xsihost::Select({root});
    xsihost::SetDialogResponder(Pick(rig.rule));
    std::set<std::uint64_t> chain;
    std::vector<CRef> pending{root};
    while (!pending.empty()) {
      const xsihost::ObjectInfo info = xsihost::Describe(pending.back());
      chain.insert(xsihost::ObjectId(pending.back()));
      pending.pop_back();
      pending.insert(pending.end(), info.children.begin(), info.children.end());
    }
    return chain;
  }

  // Checks the promise after a run with a fault; gives the failures as text, empty if none.
  static std::string Check(const Snapshot& before, const std::set<std::uint64_t>& chain,
                           xsihost::FaultMode mode, const xsihost::ExecuteResult& result) {
    const xsihost::FaultReport report = xsihost::LastFault();
    std::string failures;
    auto fail = [&](const std::string& what) { failures += "\n  " + what; };
    if (!report.fired)
      fail("the fault did not fire");
    if (!result.ran)
      fail("the command did not run: " + result.error);
    if (mode == xsihost::FaultMode::Raise && !result.raised)
      fail("the host did not see the raise");
    const bool refused = mode == xsihost::FaultMode::Refuse;
    const bool refusedRename = refused && report.operation == "SIObject::PutName";
    const bool refusedDelete = refused && report.operation == "Application::ExecuteCommand" &&
                               report.command == "DeleteObj";

    const Snapshot after = Take();
    int keptSuffix = 0;
    for (const auto& [id, old] : before.objects) {
      auto it = after.objects.find(id);
      const std::string oldName = xsihost::ToUtf8(old.name);
      if (it == after.objects.end()) {
        fail("object '" + oldName + "' disappeared");
        continue;
      }
      const xsihost::ObjectInfo& now = it->second;
      const std::string newName = xsihost::ToUtf8(now.name);
      if (newName != oldName) {
        if (refusedRename && chain.count(id) != 0 && newName == oldName + "rename_temp_suffix") {
          ++keptSuffix;  // the host refused the very rename that gives it back
        } else {
          fail("object '" + oldName + "' is now named '" + newName + "'");
        }
      }
      if (now.type != old.type || now.parent != old.parent ||
          now.position.has_value() != old.position.has_value()) {
        fail("object '" + oldName + "' changed");
      }
    }
    if (keptSuffix > 1)
      fail("more than one source kept the suffix");

    // What is new may only be one copy of the chain (with its properties) beside the chain.
    std::uint64_t sourceParent = 0;
    for (std::uint64_t id : chain) {
      const xsihost::ObjectInfo& source = before.objects.at(id);
      if (chain.count(xsihost::ObjectId(source.parent)) == 0) {
        sourceParent = xsihost::ObjectId(source.parent);
      }
    }
    size_t copies = 0;
    for (const auto& [id, now] : after.objects) {
      if (before.objects.count(id) != 0)
        continue;
      const std::uint64_t parent = xsihost::ObjectId(now.parent);
      const bool underCopy = before.objects.count(parent) == 0 && after.objects.count(parent) != 0;
      if (now.isProperty) {
        const bool ruleLeft = xsihost::ToUtf8(now.name) == "Rule of Rename";
        if (!underCopy && !(ruleLeft && refusedDelete)) {
          fail("property '" + xsihost::ToUtf8(now.name) + "' was left behind");
        }
        continue;
      }
      ++copies;
      if (!underCopy && parent != sourceParent) {
        fail("new object '" + xsihost::ToUtf8(now.name) + "' outside the copy");
      }
    }
    if (copies != 0 && copies != chain.size())
      fail("the copy is not the whole chain");
    return failures;
  }
};

TEST_F(FaultSweep, EveryHostOperationRaisingOrRefusingLeavesTheSceneIntact) {
  std::uint64_t points = 0;
  for (const Rig& rig : kRigs) {
    // A run without a fault counts the host operations and gives the expected result.
    Prepare(rig);
    xsihost::ResetOperationCount();
    ASSERT_FALSE(plugin.Execute("kelvane").raised);
    const std::uint64_t n = xsihost::OperationCount();
    const std::string expected = SceneText();
    ASSERT_GT(n, 10u) << rig.what;
    points += n;

    for (std::uint64_t k = 1; k <= n; ++k) {
      for (auto mode : {xsihost::FaultMode::Raise, xsihost::FaultMode::Refuse}) {
        const std::set<std::uint64_t> chain = Prepare(rig);
        const Snapshot before = Take();
        xsihost::ArmFault(k, mode);
        const xsihost::ExecuteResult result = plugin.Execute("kelvane");
        const std::string failures = Check(before, chain, mode, result);
        EXPECT_EQ(failures, "") << rig.what << ", operation " << k << " ("
                                << xsihost::LastFault().operation << ") "
                                << (mode == xsihost::FaultMode::Raise ? "raising" : "refusing");
        // The process is fine for the next run.
        Prepare(rig);
        ASSERT_FALSE(plugin.Execute("kelvane").raised);
        ASSERT_EQ(SceneText(), expected) << rig.what << " after fault " << k;
      }
    }
  }
  std::cout << "fault sweep: " << points << " fault points x 2 modes on " << std::size(kRigs)
            << " rigs: all intact\n";
}

}  // namespace

// Every host operation of a run, made to raise and made to refuse, one at a time: the user's
// scene must come out intact every time.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "plugin_fixture.h"
#include "scene_invariants.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::Object;
using kelvane_test::Pick;
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

class FaultSweep : public kelvane_test::LoadedPlugin {
 protected:
  // Builds the rig, selects its root and answers the dialog; gives the ids of the chain.
  std::set<std::uint64_t> Prepare(const Rig& rig) {
    BuildScene(rig.scene);
    const CRef root = Object(rig.root);
    xsihost::Select({root});
    xsihost::SetDialogResponder(Pick(rig.rule));
    return kelvane_test::ChainOf(root);
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
        const kelvane_test::Snapshot before = kelvane_test::Take();
        xsihost::ArmFault(k, mode);
        const xsihost::ExecuteResult result = plugin.Execute("kelvane");
        const std::string failures =
            kelvane_test::CheckIntact(before, chain, {true, mode, result.ran, result.raised});
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

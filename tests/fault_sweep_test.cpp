// The command on small rigs against a host that fails in every way the stand-in can: each host
// operation of a run raising or refusing, a host that goes on refusing or raising from some
// call on, two faults in one run, and "DuplicateSymmetry" leaving things in each way it can.
// After every run the scene must be exactly what the reference model says: the mirrored copy
// for a run that completes, the scene as it was for one that does not, plus only what the log
// says the host would not undo.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "plugin_fixture.h"
#include "reference_model.h"
#include "scene_invariants.h"

namespace {

using namespace XSI;
using kelvane_test::BuildScene;
using kelvane_test::Object;
using kelvane_test::Pick;
using xsihost::Fault;
using xsihost::FaultMode;

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
     "  eff arename_temp_suffixb\n",
     "L_R_root", 6},
    {"lonely root", "null Top\n  root L_alone 2 2 2\n", "L_alone", 6},
    {"a hand with five fingers, prefixes ending in L_",
     "model Rig\n  root L_hand 5 0 0\n"
     "    bone L_thumb1 6 1 0\n      bone L_thumb2 7 1 0\n        bone CTRL_L_thumb3 8 1 0\n"
     "    bone L_index1 6 2 0\n      bone L_index2 7 2 0\n        bone CTRL_L_index3 8 2 0\n"
     "    bone L_middle1 6 3 0\n      bone L_middle2 7 3 0\n        bone SKEL_L_middle3 8 3 0\n"
     "    bone L_ring1 6 4 0\n      bone L_ring2 7 4 0\n        bone L_ring3 8 4 0\n"
     "    bone L_pinky1 6 5 0\n      bone L_pinky2 7 5 0\n        bone COL_pinky3 8 5 0\n",
     "Rig.L_hand", 6},
};

std::string Describe(const std::vector<Fault>& faults) {
  std::string text;
  for (const Fault& f : faults) {
    text += (f.mode == FaultMode::Raise ? " raise " : " refuse ") +
            (f.operation.empty() ? std::string("operation") : f.operation) + " #" +
            std::to_string(f.call) + (f.persistent ? "+" : "");
  }
  return text;
}

class FaultSweep : public kelvane_test::LoadedPlugin {
 protected:
  // Runs the command on `rig` with `faults` armed and checks the outcome against the model.
  // Gives whether any fault fired.
  bool RunAndCheck(const Rig& rig, const std::vector<Fault>& faults) {
    BuildScene(rig.scene);
    const CRef root = Object(rig.root);
    xsihost::Select({root});
    xsihost::SetDialogResponder(Pick(rig.rule));
    const kelvane_model::Node before = kelvane_model::Capture();
    xsihost::ClearFaults();
    for (const Fault& fault : faults)
      xsihost::AddFault(fault);

    const xsihost::ExecuteResult result = plugin.Execute("kelvane");
    ++runs;
    const std::vector<xsihost::FaultReport> fired = xsihost::FiredFaults();
    xsihost::ClearFaults();

    std::string where = std::string(rig.what) + ":" + Describe(faults) + "\n  fired:";
    for (const xsihost::FaultReport& f : fired)
      where += " " + f.operation + (f.command.empty() ? "" : "(" + f.command + ")");
    where += "\n  log:";
    for (const xsihost::LogEntry& entry : xsihost::Log())
      where += "\n    " + xsihost::ToUtf8(entry.message);
    EXPECT_TRUE(result.ran) << where;
    bool raise = false;
    bool logFaulted = false;
    for (const xsihost::FaultReport& f : fired) {
      raise = raise || f.mode == FaultMode::Raise;
      logFaulted = logFaulted || f.operation == "Application::LogMessage";
    }
    EXPECT_EQ(result.raised, raise) << where;
    if (!result.raised) {
      EXPECT_EQ(result.status, CStatus::OK) << where;
    }
    const kelvane_model::Run run{xsihost::ObjectId(root), rig.rule, fired};
    const kelvane_model::Prediction prediction = kelvane_model::Predict(before, run);
    EXPECT_EQ(kelvane_model::Compare(prediction.scene, before, run, !logFaulted), "") << where;

    // The host never saw a bad argument, and a run that gave up said so.
    bool saidNoCopy = false;
    for (const xsihost::LogEntry& entry : xsihost::Log()) {
      const std::string text = xsihost::ToUtf8(entry.message);
      if (entry.severity == siErrorMsg) {
        EXPECT_TRUE(result.raised && text.find("injected fault") != std::string::npos)
            << where << ": " << text;
      } else {
        EXPECT_EQ(entry.severity, siInfoMsg) << where << ": " << text;
      }
      saidNoCopy = saidNoCopy || text == "No mirrored copy was made." ||
                   text.find("did not delete the mirrored copy") != std::string::npos;
    }
    if (!raise && !logFaulted && !prediction.completes) {
      EXPECT_TRUE(saidNoCopy) << where;
    }
    return !fired.empty();
  }

  std::uint64_t CleanRunOperations(const Rig& rig) {
    BuildScene(rig.scene);
    xsihost::Select({Object(rig.root)});
    xsihost::SetDialogResponder(Pick(rig.rule));
    xsihost::ResetOperationCount();
    EXPECT_FALSE(plugin.Execute("kelvane").raised);
    return xsihost::OperationCount();
  }

  std::uint64_t runs = 0;
};

constexpr FaultMode kModes[] = {FaultMode::Raise, FaultMode::Refuse};

TEST_F(FaultSweep, EachOperationRaisingOrRefusingOnce) {
  for (const Rig& rig : kRigs) {
    const std::uint64_t n = CleanRunOperations(rig);
    ASSERT_GT(n, 10u) << rig.what;
    for (std::uint64_t k = 1; k <= n; ++k) {
      for (FaultMode mode : kModes)
        EXPECT_TRUE(RunAndCheck(rig, {Fault{"", k, false, mode}})) << rig.what << " #" << k;
    }
  }
  std::cout << "single faults: " << runs << " runs on " << std::size(kRigs) << " rigs\n";
}

TEST_F(FaultSweep, AHostThatGoesOnFailingFromSomeCallOn) {
  for (const Rig& rig : kRigs) {
    for (const std::string& kind : xsihost::FaultTargets()) {
      const bool hostCommand =
          kind == "DuplicateSymmetry" || kind == "DeleteObj" || kind == "InspectObj";
      if (kind.find("::") == std::string::npos && !hostCommand)
        continue;  // a method name alone: the same calls as its name with the class
      for (FaultMode mode : kModes) {
        for (std::uint64_t call = 1; RunAndCheck(rig, {Fault{kind, call, true, mode}}); ++call) {
        }
      }
    }
  }
  std::cout << "persistent faults: " << runs << " runs on " << std::size(kRigs) << " rigs\n";
}

TEST_F(FaultSweep, TwoFaultsInOneRun) {
  for (const Rig& rig : kRigs) {
    const std::uint64_t n = CleanRunOperations(rig);
    for (std::uint64_t k = 1; k <= n; ++k) {
      for (std::uint64_t later = k + 1; later <= n; ++later) {
        for (FaultMode first : kModes) {
          for (FaultMode second : kModes)
            RunAndCheck(rig, {Fault{"", k, false, first}, Fault{"", later, false, second}});
        }
      }
    }
  }
  std::cout << "pairs of faults: " << runs << " runs on " << std::size(kRigs) << " rigs\n";
}

TEST_F(FaultSweep, DuplicationFailingInEachWay) {
  for (const Rig& rig : kRigs) {
    BuildScene(rig.scene);
    const std::uint64_t sources = kelvane_test::ChainOf(Object(rig.root)).size();
    for (FaultMode mode : {FaultMode::Raise, FaultMode::Refuse, FaultMode::RefuseClearingSelection,
                           FaultMode::SucceedSelectingOther, FaultMode::FailAfterRunning}) {
      EXPECT_TRUE(RunAndCheck(rig, {Fault{"DuplicateSymmetry", 1, false, mode}})) << rig.what;
      // The undoing refused as well: the names and the property stay, and the log says so.
      RunAndCheck(rig, {Fault{"DuplicateSymmetry", 1, false, mode},
                        Fault{"PutName", sources + 1, true, FaultMode::Refuse},
                        Fault{"DeleteObj", 1, true, FaultMode::Refuse}});
    }
  }
}

}  // namespace

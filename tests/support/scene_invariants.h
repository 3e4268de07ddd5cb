// What must hold of a scene after any run of the kelvane command, whatever the host did: the
// user's objects keep their names, nothing is left behind, only one copy of the chain is new.
#pragma once

#include <xsihost/host.h>
#include <xsihost/text.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kelvane_test {

// Every object and property of the scene, by id.
struct Snapshot {
  std::map<std::uint64_t, xsihost::ObjectInfo> objects;
};

inline Snapshot Take() {
  Snapshot s;
  for (const XSI::CRef& ref : xsihost::SceneOrder()) {
    s.objects[xsihost::ObjectId(ref)] = xsihost::Describe(ref);
  }
  return s;
}

// The ids of `root` and everything below it.
inline std::set<std::uint64_t> ChainOf(const XSI::CRef& root) {
  std::set<std::uint64_t> chain;
  std::vector<XSI::CRef> pending{root};
  while (!pending.empty()) {
    const xsihost::ObjectInfo info = xsihost::Describe(pending.back());
    chain.insert(xsihost::ObjectId(pending.back()));
    pending.pop_back();
    pending.insert(pending.end(), info.children.begin(), info.children.end());
  }
  return chain;
}

struct RunOutcome {
  bool faulted = false;  // a fault was armed for the run
  xsihost::FaultMode mode = xsihost::FaultMode::Raise;
  bool ran = false;     // the command's callback was called
  bool raised = false;  // an exception reached the host
};

// Checks the scene now against `before` (taken just before the run, `chain` being the selected
// chain) and what the run did; gives the failures as text, empty if none.
inline std::string CheckIntact(const Snapshot& before, const std::set<std::uint64_t>& chain,
                               const RunOutcome& run) {
  const xsihost::FaultReport report = xsihost::LastFault();
  std::string failures;
  auto fail = [&](const std::string& what) { failures += "\n  " + what; };
  if (run.faulted && !report.fired)
    fail("the fault did not fire");
  if (!run.ran)
    fail("the command did not run");
  if (run.faulted && run.mode == xsihost::FaultMode::Raise && report.fired && !run.raised) {
    fail("the host did not see the raise");
  }
  if (!run.faulted && run.raised)
    fail("a run without fault raised");
  const bool refused = run.faulted && run.mode == xsihost::FaultMode::Refuse && report.fired;
  const bool refusedRename = refused && report.operation == "SIObject::PutName";
  const bool refusedDelete =
      refused && report.operation == "Application::ExecuteCommand" && report.command == "DeleteObj";

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

}  // namespace kelvane_test

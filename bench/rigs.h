// Generated rigs for the benchmarks.
#pragma once

#include <xsihost/host.h>
#include <xsihost/text.h>

#include <cmath>
#include <string>
#include <vector>

namespace kelvane_bench {

// A new scene with a chain of `count` objects named with "Left": a root and, below it, levels
// of `fanout` children each, at most four levels deep in all (wide), or one object under the
// other (deep). Gives the root.
inline XSI::CRef BuildRig(int count, bool deep) {
  xsihost::Reset();
  const XSI::CRef rig = xsihost::AddObject(xsihost::SceneRoot(), L"model", L"Rig");
  const XSI::CRef root = xsihost::AddObject(rig, L"root", L"LeftRoot", xsihost::Position{1, 0, 0});
  int made = 1;
  auto add = [&](const XSI::CRef& parent) {
    const std::string name = "LeftBone" + std::to_string(made);
    ++made;
    return xsihost::AddObject(parent, L"bone", xsihost::Str(name),
                              xsihost::Position{1.0 + made, 0, 0});
  };
  if (deep) {
    XSI::CRef node = root;
    while (made < count)
      node = add(node);
    return root;
  }
  const int fanout = static_cast<int>(std::ceil(std::cbrt(static_cast<double>(count))));
  std::vector<XSI::CRef> level{root};
  for (int depth = 1; depth < 4 && made < count; ++depth) {
    std::vector<XSI::CRef> next;
    for (const XSI::CRef& parent : level) {
      for (int i = 0; i < fanout && made < count; ++i)
        next.push_back(add(parent));
    }
    level = std::move(next);
  }
  return root;
}

// The arguments the plug-in gives "DuplicateSymmetry", for the root that BuildRig makes.
inline XSI::CValueArray DuplicateRigArguments() {
  XSI::CValueArray arguments;
  arguments.Add(L"B:Rig.LeftRoot");
  arguments.Add(true);
  for (XSI::LONG v : {1, 1, 0, 0, 0})
    arguments.Add(v);
  arguments.Add(true);
  return arguments;
}

}  // namespace kelvane_bench

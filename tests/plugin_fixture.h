// Shared helpers for the tests that load the built kelvane.so.
#pragma once

#include <gtest/gtest.h>
#include <xsihost/host.h>
#include <xsihost/loader.h>

#include <string>

#include "built_files.h"
#include "scene_fixture.h"

namespace kelvane_test {

// Whether the scene root still holds the dialog's temporary property.
inline bool RenameRuleLeft() {
  for (const XSI::CRef& p : xsihost::Describe(xsihost::SceneRoot()).properties) {
    if (NameOf(p) == "Rule of Rename")
      return true;
  }
  return false;
}

// A dialog answer that picks the item with this value.
inline xsihost::DialogResponder Pick(XSI::LONG value) {
  return [value](const xsihost::DialogRequest& request) {
    xsihost::SetParameterValue(request.property, L"EnumCtrl", value);
    return xsihost::DialogAnswer::Confirm;
  };
}

class LoadedPlugin : public testing::Test {
 protected:
  void SetUp() override {
    xsihost::Reset();
    std::string error;
    ASSERT_TRUE(plugin.Load(PluginPath(), error)) << error;
    xsihost::ClearLog();
  }

  xsihost::PluginLoader plugin;
};

}  // namespace kelvane_test

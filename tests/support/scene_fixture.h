// Shared test helpers: scenes written in minihost's scene format.
#pragma once

#include <gtest/gtest.h>
#include <xsi_application.h>
#include <xsi_customproperty.h>
#include <xsi_ppglayout.h>
#include <xsihost/host.h>
#include <xsihost/text.h>

#include <string>
#include <vector>

#include "case_names.h"
#include "scene_format.h"
#include "scene_host.h"

namespace kelvane_test {

// Empties the host and builds the scene; a malformed text fails the calling test.
inline std::vector<XSI::CRef> BuildScene(const std::string& text) {
  minihost::Scene scene;
  std::string error;
  EXPECT_TRUE(minihost::ParseScene(text, "test", scene, error)) << error;
  return minihost::BuildScene(scene);
}

// The whole scene as text, every object with its type, name and position.
inline std::string SceneText() {
  return minihost::PrintScene(minihost::CaptureScene());
}

inline XSI::CRef Object(const std::string& fullName) {
  XSI::CRef ref = xsihost::FindByFullName(xsihost::Str(fullName));
  EXPECT_TRUE(xsihost::Describe(ref).valid) << "no object " << fullName;
  return ref;
}

inline std::string NameOf(const XSI::CRef& ref) {
  return xsihost::ToUtf8(xsihost::Describe(ref).name);
}

// Adds under the scene root a custom property `name` with the integer parameter `parameter`
// (default 4, from 4 to 6) shown as a combo box labelled "Choice" with the items `first` (4)
// and `second` (6), as a dialog of two choices.
inline XSI::CustomProperty AddTwoChoices(const wchar_t* name, const wchar_t* parameter,
                                         const wchar_t* first, const wchar_t* second) {
  using namespace XSI;
  CustomProperty property;
  Application().GetActiveSceneRoot().AddProperty(L"CustomProperty", false, name, property);
  Parameter created;
  property.AddParameter(parameter, CValue::siInt4, siPersistable, L"", L"", LONG(4), LONG(4),
                        LONG(6), LONG(4), LONG(6), created);
  CValueArray items(4);
  items[0] = first;
  items[1] = LONG(4);
  items[2] = second;
  items[3] = LONG(6);
  property.GetPPGLayout().AddEnumControl(parameter, items, L"Choice", siControlCombo);
  return property;
}

// The log messages in order.
inline std::vector<std::string> LogTexts() {
  std::vector<std::string> texts;
  for (const auto& entry : xsihost::Log())
    texts.push_back(xsihost::ToUtf8(entry.message));
  return texts;
}

}  // namespace kelvane_test

// SceneItem: an object of the scene that can hold properties.
#pragma once

#include <xsi_decl.h>
#include <xsi_projectitem.h>
#include <xsi_status.h>
#include <xsi_value.h>

namespace XSI {

class Property;

// An object of the scene that properties can be added to.
class XSISDKAPI SceneItem : public ProjectItem {
 public:
  SceneItem();
  SceneItem(const CRef& ref);  // NOLINT: views convert from references
  // Adds a property under this object; "CustomProperty" is the only preset known. On success
  // `property` refers to the new property. `branch` is accepted and has no effect here.
  //   CustomProperty rule;
  //   sceneRoot.AddProperty(L"CustomProperty", false, L"Rule of Rename", rule);
  CStatus AddProperty(const CValue& preset, bool branch, const CString& name, Property& property);
};

}  // namespace XSI

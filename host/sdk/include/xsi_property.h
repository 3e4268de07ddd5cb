// Property: a property of a scene object.
#pragma once

#include <xsi_decl.h>
#include <xsi_sceneitem.h>

namespace XSI {

// A property held by a scene object.
class XSISDKAPI Property : public SceneItem {
 public:
  Property();
  Property(const CRef& ref);  // NOLINT: views convert from references
};

}  // namespace XSI

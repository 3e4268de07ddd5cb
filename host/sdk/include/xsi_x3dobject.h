// X3DObject: an object of the 3D scene, with children.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>
#include <xsi_sceneitem.h>

namespace XSI {

// An object of the 3D scene (a chain root, a bone, a model, ...).
class XSISDKAPI X3DObject : public SceneItem {
 public:
  X3DObject();
  X3DObject(const CRef& ref);  // NOLINT: views convert from references
  // The direct children, in the host's order (properties are not children); empty for a leaf.
  CRefArray GetChildren() const;
};

}  // namespace XSI

// Model: a model, which groups objects.
#pragma once

#include <xsi_decl.h>
#include <xsi_x3dobject.h>

namespace XSI {

// A model: an object that groups others; the scene root is one.
class XSISDKAPI Model : public X3DObject {
 public:
  Model();
  Model(const CRef& ref);  // NOLINT: views convert from references
};

}  // namespace XSI

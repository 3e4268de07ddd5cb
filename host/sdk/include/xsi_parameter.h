// Parameter: a parameter of a property.
#pragma once

#include <xsi_decl.h>
#include <xsi_projectitem.h>

namespace XSI {

// One parameter of a property.
class XSISDKAPI Parameter : public ProjectItem {
 public:
  Parameter();
  Parameter(const CRef& ref);  // NOLINT: views convert from references
};

}  // namespace XSI

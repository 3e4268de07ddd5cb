// MenuItem: an item of a menu.
#pragma once

#include <xsi_decl.h>
#include <xsi_siobject.h>

namespace XSI {

// An item of a menu.
class XSISDKAPI MenuItem : public SIObject {
 public:
  MenuItem();
  MenuItem(const CRef& ref);  // NOLINT: views convert from references
};

}  // namespace XSI

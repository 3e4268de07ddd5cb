// Menu: a menu a plug-in registered.
#pragma once

#include <xsi_decl.h>
#include <xsi_menuitem.h>

namespace XSI {

// A menu that a plug-in registered.
class XSISDKAPI Menu : public MenuItem {
 public:
  Menu();
  Menu(const CRef& ref);  // NOLINT: views convert from references
  // Adds an item labelled `label` that runs `command`; on success `item` refers to it.
  CStatus AddCommandItem(const CString& label, const CString& command, MenuItem& item);
};

}  // namespace XSI

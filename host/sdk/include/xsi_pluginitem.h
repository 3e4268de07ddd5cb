// PluginItem: a command or menu as the registrar gives it back.
#pragma once

#include <xsi_decl.h>
#include <xsi_siobject.h>

namespace XSI {

// What the registrar gives back for a registered command or menu.
class XSISDKAPI PluginItem : public SIObject {
 public:
  PluginItem();
  PluginItem(const CRef& ref);  // NOLINT: views convert from references
};

}  // namespace XSI

// PluginRegistrar: the plug-in's registration record.
#pragma once

#include <xsi_decl.h>
#include <xsi_pluginitem.h>
#include <xsi_siobject.h>

namespace XSI {

// The plug-in's registration record, handed to XSILoadPlugin and XSIUnloadPlugin. Its name
// (SIObject::PutName, GetName) is the plug-in's name.
class XSISDKAPI PluginRegistrar : public SIObject {
 public:
  PluginRegistrar();
  PluginRegistrar(const CRef& ref);  // NOLINT: views convert from references
  CStatus PutAuthor(const CString& author);
  CStatus PutEmail(const CString& email);
  CStatus PutURL(const CString& url);
  CStatus PutVersion(LONG major, LONG minor);
  // Registers a command; its callbacks are named `name` followed by "_Init" and "_Execute".
  PluginItem RegisterCommand(const CString& name, const CString& scriptName);
  // Registers a menu at `anchor`; its callback is named `name` followed by "_Init".
  PluginItem RegisterMenu(siMenuAnchorPoints anchor, const CString& name, bool displayName,
                          bool dynamic);
};

}  // namespace XSI

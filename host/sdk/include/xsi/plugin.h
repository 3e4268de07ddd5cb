// Views used while the host loads a plug-in and calls its callbacks.
#pragma once

#include <xsi/cstring.h>
#include <xsi/objects.h>
#include <xsi/ref.h>
#include <xsi/status.h>
#include <xsi/types.h>
#include <xsi/value.h>

namespace XSI {

// The context a callback receives: its source (the command or menu) and named attributes.
class XSISDKAPI Context : public SIObject {
 public:
  using SIObject::SIObject;
  // The command or menu the callback belongs to; invalid when the host gave none.
  CRef GetSource() const;
  CStatus PutAttribute(const CString& name, const CValue& value);
  // Empty when the attribute was never put.
  CValue GetAttribute(const CString& name) const;
};

class XSISDKAPI Command : public SIObject {
 public:
  using SIObject::SIObject;
  CStatus PutDescription(const CString& description);
  CStatus EnableReturnValue(bool enable);
};

class XSISDKAPI MenuItem : public SIObject {
 public:
  using SIObject::SIObject;
};

class XSISDKAPI Menu : public MenuItem {
 public:
  using MenuItem::MenuItem;
  // Adds an item that runs `command`; on success `item` refers to it.
  CStatus AddCommandItem(const CString& label, const CString& command, MenuItem& item);
};

// What the registrar gives back for a registered command or menu.
class XSISDKAPI PluginItem : public SIObject {
 public:
  using SIObject::SIObject;
};

// The plug-in's registration record, handed to XSILoadPlugin and XSIUnloadPlugin. Its name
// (SIObject::PutName, GetName) is the plug-in's name.
class XSISDKAPI PluginRegistrar : public SIObject {
 public:
  using SIObject::SIObject;
  CStatus PutAuthor(const CString& author);
  CStatus PutEmail(const CString& email);
  CStatus PutURL(const CString& url);
  CStatus PutVersion(LONG major, LONG minor);
  PluginItem RegisterCommand(const CString& name, const CString& scriptName);
  PluginItem RegisterMenu(siMenuAnchorPoints anchor, const CString& name, bool displayName,
                          bool dynamic);
};

}  // namespace XSI

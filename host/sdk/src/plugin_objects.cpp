// The SDK face's callback contexts, commands, menus and registrar, on the machinery.
#include <xsi/plugin.h>

#include "machinery.h"

namespace XSI {

namespace host = xsihost::machinery;
using host::Allowed;
using host::Enter;
using host::Op;

CRef Context::GetSource() const {
  Enter("Context::GetSource", Op::Query);
  return host::SourceOf(m_ref);
}

CStatus Context::PutAttribute(const CString& name, const CValue& value) {
  if (!Allowed("Context::PutAttribute", Op::Change))
    return CStatus::Fail;
  return host::PutAttribute(m_ref, name, value);
}

CValue Context::GetAttribute(const CString& name) const {
  Enter("Context::GetAttribute", Op::Query);
  return host::AttributeOf(m_ref, name);
}

CStatus Command::PutDescription(const CString& description) {
  if (!Allowed("Command::PutDescription", Op::Change))
    return CStatus::Fail;
  return host::SetDescription(m_ref, description);
}

CStatus Command::EnableReturnValue(bool enable) {
  if (!Allowed("Command::EnableReturnValue", Op::Change))
    return CStatus::Fail;
  return host::SetReturnValue(m_ref, enable);
}

CStatus Menu::AddCommandItem(const CString& label, const CString& command, MenuItem& item) {
  if (!Allowed("Menu::AddCommandItem", Op::Change))
    return CStatus::Fail;
  CRef created;
  const CStatus status = host::AddMenuItem(m_ref, label, command, created);
  if (status.Succeeded())
    item = MenuItem(created);
  return status;
}

CStatus PluginRegistrar::PutAuthor(const CString& author) {
  if (!Allowed("PluginRegistrar::PutAuthor", Op::Change))
    return CStatus::Fail;
  return host::SetRegistrarText(m_ref, host::RegistrarText::Author, author);
}

CStatus PluginRegistrar::PutEmail(const CString& email) {
  if (!Allowed("PluginRegistrar::PutEmail", Op::Change))
    return CStatus::Fail;
  return host::SetRegistrarText(m_ref, host::RegistrarText::Email, email);
}

CStatus PluginRegistrar::PutURL(const CString& url) {
  if (!Allowed("PluginRegistrar::PutURL", Op::Change))
    return CStatus::Fail;
  return host::SetRegistrarText(m_ref, host::RegistrarText::Url, url);
}

CStatus PluginRegistrar::PutVersion(LONG major, LONG minor) {
  if (!Allowed("PluginRegistrar::PutVersion", Op::Change))
    return CStatus::Fail;
  return host::SetRegistrarVersion(m_ref, major, minor);
}

PluginItem PluginRegistrar::RegisterCommand(const CString& name, const CString& scriptName) {
  if (!Allowed("PluginRegistrar::RegisterCommand", Op::Change))
    return PluginItem();
  return PluginItem(host::RegisterCommand(m_ref, name, scriptName));
}

PluginItem PluginRegistrar::RegisterMenu(siMenuAnchorPoints anchor, const CString& name,
                                         bool displayName, bool dynamic) {
  if (!Allowed("PluginRegistrar::RegisterMenu", Op::Change))
    return PluginItem();
  return PluginItem(
      host::RegisterMenu(m_ref, static_cast<LONG>(anchor), name, displayName, dynamic));
}

}  // namespace XSI

// The SDK face's callback contexts, commands, menus and registrar, on the machinery.
#include <xsi_command.h>
#include <xsi_context.h>
#include <xsi_menu.h>
#include <xsi_menuitem.h>
#include <xsi_pluginitem.h>
#include <xsi_pluginregistrar.h>

#include "machinery.h"

namespace XSI {

using xsihost::machinery::Allowed;
using xsihost::machinery::Bound;
using xsihost::machinery::Enter;
using xsihost::machinery::Machinery;
using xsihost::machinery::Op;
using xsihost::machinery::RegistrarText;

Context::Context() = default;
Context::Context(const CRef& ref) : SIObject(ref) {}
Command::Command() = default;
Command::Command(const CRef& ref) : SIObject(ref) {}
MenuItem::MenuItem() = default;
MenuItem::MenuItem(const CRef& ref) : SIObject(ref) {}
Menu::Menu() = default;
Menu::Menu(const CRef& ref) : MenuItem(ref) {}
PluginItem::PluginItem() = default;
PluginItem::PluginItem(const CRef& ref) : SIObject(ref) {}
PluginRegistrar::PluginRegistrar() = default;
PluginRegistrar::PluginRegistrar(const CRef& ref) : SIObject(ref) {}

CRef Context::GetSource() const {
  Machinery& host = Bound();
  Enter(host, "Context::GetSource", Op::Query);
  return host.SourceOf(m_ref);
}

CStatus Context::PutAttribute(const CString& name, const CValue& value) {
  Machinery& host = Bound();
  if (!Allowed(host, "Context::PutAttribute", Op::Change))
    return CStatus::Fail;
  return host.PutAttribute(m_ref, name, value);
}

CValue Context::GetAttribute(const CString& name) const {
  Machinery& host = Bound();
  Enter(host, "Context::GetAttribute", Op::Query);
  return host.AttributeOf(m_ref, name);
}

CStatus Command::PutDescription(const CString& description) {
  Machinery& host = Bound();
  if (!Allowed(host, "Command::PutDescription", Op::Change))
    return CStatus::Fail;
  return host.SetDescription(m_ref, description);
}

CStatus Command::EnableReturnValue(bool enable) {
  Machinery& host = Bound();
  if (!Allowed(host, "Command::EnableReturnValue", Op::Change))
    return CStatus::Fail;
  return host.SetReturnValue(m_ref, enable);
}

CStatus Menu::AddCommandItem(const CString& label, const CString& command, MenuItem& item) {
  Machinery& host = Bound();
  if (!Allowed(host, "Menu::AddCommandItem", Op::Change))
    return CStatus::Fail;
  CRef created;
  const CStatus status = host.AddMenuItem(m_ref, label, command, created);
  if (status.Succeeded())
    item = MenuItem(created);
  return status;
}

CStatus PluginRegistrar::PutAuthor(const CString& author) {
  Machinery& host = Bound();
  if (!Allowed(host, "PluginRegistrar::PutAuthor", Op::Change))
    return CStatus::Fail;
  return host.SetRegistrarText(m_ref, RegistrarText::Author, author);
}

CStatus PluginRegistrar::PutEmail(const CString& email) {
  Machinery& host = Bound();
  if (!Allowed(host, "PluginRegistrar::PutEmail", Op::Change))
    return CStatus::Fail;
  return host.SetRegistrarText(m_ref, RegistrarText::Email, email);
}

CStatus PluginRegistrar::PutURL(const CString& url) {
  Machinery& host = Bound();
  if (!Allowed(host, "PluginRegistrar::PutURL", Op::Change))
    return CStatus::Fail;
  return host.SetRegistrarText(m_ref, RegistrarText::Url, url);
}

CStatus PluginRegistrar::PutVersion(LONG major, LONG minor) {
  Machinery& host = Bound();
  if (!Allowed(host, "PluginRegistrar::PutVersion", Op::Change))
    return CStatus::Fail;
  return host.SetRegistrarVersion(m_ref, major, minor);
}

PluginItem PluginRegistrar::RegisterCommand(const CString& name, const CString& scriptName) {
  Machinery& host = Bound();
  if (!Allowed(host, "PluginRegistrar::RegisterCommand", Op::Change))
    return PluginItem();
  return PluginItem(host.RegisterCommand(m_ref, name, scriptName));
}

PluginItem PluginRegistrar::RegisterMenu(siMenuAnchorPoints anchor, const CString& name,
                                         bool displayName, bool dynamic) {
  Machinery& host = Bound();
  if (!Allowed(host, "PluginRegistrar::RegisterMenu", Op::Change))
    return PluginItem();
  return PluginItem(
      host.RegisterMenu(m_ref, static_cast<LONG>(anchor), name, displayName, dynamic));
}

}  // namespace XSI

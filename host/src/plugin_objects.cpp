#include <xsi/plugin.h>

#include "state.h"

namespace XSI {

using xsihost::detail::Allowed;
using xsihost::detail::Create;
using xsihost::detail::Enter;
using xsihost::detail::Find;
using xsihost::detail::FindKind;
using xsihost::detail::Kind;
using xsihost::detail::Object;
using xsihost::detail::Op;
using xsihost::detail::RefOf;

CRef Context::GetSource() const {
  Enter("Context::GetSource", Op::Query);
  const Object* o = FindKind(m_ref, Kind::Context);
  return o != nullptr && Find(o->More().source) != nullptr ? RefOf(o->More().source) : CRef();
}

CStatus Context::PutAttribute(const CString& name, const CValue& value) {
  if (!Allowed("Context::PutAttribute", Op::Change))
    return CStatus::Fail;
  Object* o = FindKind(m_ref, Kind::Context);
  if (o == nullptr)
    return CStatus::Fail;
  for (auto& attribute : o->More().attributes) {
    if (attribute.first == name) {
      attribute.second = value;
      return CStatus::OK;
    }
  }
  o->More().attributes.emplace_back(name, value);
  return CStatus::OK;
}

CValue Context::GetAttribute(const CString& name) const {
  Enter("Context::GetAttribute", Op::Query);
  const Object* o = FindKind(m_ref, Kind::Context);
  if (o == nullptr)
    return CValue();
  for (const auto& attribute : o->More().attributes) {
    if (attribute.first == name)
      return attribute.second;
  }
  return CValue();
}

CStatus Command::PutDescription(const CString& description) {
  if (!Allowed("Command::PutDescription", Op::Change))
    return CStatus::Fail;
  Object* o = FindKind(m_ref, Kind::Command);
  if (o == nullptr)
    return CStatus::Fail;
  o->More().description = description;
  return CStatus::OK;
}

CStatus Command::EnableReturnValue(bool enable) {
  if (!Allowed("Command::EnableReturnValue", Op::Change))
    return CStatus::Fail;
  Object* o = FindKind(m_ref, Kind::Command);
  if (o == nullptr)
    return CStatus::Fail;
  o->More().returnValueEnabled = enable;
  return CStatus::OK;
}

CStatus Menu::AddCommandItem(const CString& label, const CString& command, MenuItem& item) {
  if (!Allowed("Menu::AddCommandItem", Op::Change))
    return CStatus::Fail;
  Object* menu = FindKind(m_ref, Kind::Menu);
  if (menu == nullptr)
    return CStatus::Fail;
  menu->More().items.push_back(xsihost::MenuItemInfo{label, command});
  Object& created = Create(Kind::MenuItem);
  created.name = label;
  created.More().scriptName = command;
  created.parent = menu->id;
  menu->children.push_back(created.id);
  item = MenuItem(RefOf(created.id));
  return CStatus::OK;
}

namespace {

// Runs a change on the registrar; Fail when the view is no registrar or the host refuses.
template <typename Change>
CStatus ChangeRegistrar(const CRef& ref, const char* operation, Change change) {
  if (!Allowed(operation, Op::Change))
    return CStatus::Fail;
  Object* o = FindKind(ref, Kind::Registrar);
  if (o == nullptr)
    return CStatus::Fail;
  change(*o);
  return CStatus::OK;
}

}  // namespace

CStatus PluginRegistrar::PutAuthor(const CString& author) {
  return ChangeRegistrar(m_ref, "PluginRegistrar::PutAuthor",
                         [&](Object& o) { o.More().author = author; });
}

CStatus PluginRegistrar::PutEmail(const CString& email) {
  return ChangeRegistrar(m_ref, "PluginRegistrar::PutEmail",
                         [&](Object& o) { o.More().email = email; });
}

CStatus PluginRegistrar::PutURL(const CString& url) {
  return ChangeRegistrar(m_ref, "PluginRegistrar::PutURL", [&](Object& o) { o.More().url = url; });
}

CStatus PluginRegistrar::PutVersion(LONG major, LONG minor) {
  return ChangeRegistrar(m_ref, "PluginRegistrar::PutVersion", [&](Object& o) {
    o.More().major = major;
    o.More().minor = minor;
  });
}

PluginItem PluginRegistrar::RegisterCommand(const CString& name, const CString& scriptName) {
  PluginItem item;
  ChangeRegistrar(m_ref, "PluginRegistrar::RegisterCommand", [&](Object& registrar) {
    Object& command = Create(Kind::Command);
    command.name = name;
    command.type = L"Command";
    command.More().scriptName = scriptName;
    command.parent = registrar.id;
    registrar.More().commands.push_back(command.id);
    item = PluginItem(RefOf(command.id));
  });
  return item;
}

PluginItem PluginRegistrar::RegisterMenu(siMenuAnchorPoints anchor, const CString& name,
                                         bool displayName, bool dynamic) {
  PluginItem item;
  ChangeRegistrar(m_ref, "PluginRegistrar::RegisterMenu", [&](Object& registrar) {
    Object& menu = Create(Kind::Menu);
    menu.name = name;
    menu.type = L"Menu";
    menu.More().anchor = static_cast<LONG>(anchor);
    menu.More().displayName = displayName;
    menu.More().dynamic = dynamic;
    menu.parent = registrar.id;
    registrar.More().menus.push_back(menu.id);
    item = PluginItem(RefOf(menu.id));
  });
  return item;
}

}  // namespace XSI

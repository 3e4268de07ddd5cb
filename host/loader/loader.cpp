#include <xsi_pluginregistrar.h>
#include <xsihost/loader.h>
#include <xsihost/text.h>

#include <exception>

#include "dynamic_library.h"

namespace xsihost {

namespace {

using LoadEntry = XSI::CStatus (*)(XSI::PluginRegistrar&);
using UnloadEntry = XSI::CStatus (*)(const XSI::PluginRegistrar&);
using Callback = XSI::CStatus (*)(XSI::CRef&);

}  // namespace

PluginLoader::PluginLoader() : m_library(std::make_unique<detail::DynamicLibrary>()) {}

PluginLoader::~PluginLoader() {
  Unload();
}

bool PluginLoader::IsLoaded() const {
  return m_library->IsOpen();
}

void* PluginLoader::Symbol(const std::string& name) const {
  return m_library->Symbol(name);
}

bool PluginLoader::Load(const std::string& path, std::string& error) {
  if (IsLoaded())
    Unload();
  std::string reason;
  if (!m_library->Open(path, reason)) {
    error = "cannot load plug-in " + path + ": " + reason;
    return false;
  }
  m_path = path;
  auto load = reinterpret_cast<LoadEntry>(Symbol("XSILoadPlugin"));
  if (load == nullptr) {
    error = "plug-in " + path + " has no entry point XSILoadPlugin";
    Close();
    return false;
  }
  m_registrar = CreateRegistrar();
  try {
    XSI::PluginRegistrar registrar(m_registrar);
    load(registrar);
    const RegistrarInfo info = DescribeRegistrar(m_registrar);
    for (const CommandInfo& command : info.commands) {
      CallCallback(ToUtf8(command.name) + "_Init", command.ref);
    }
    for (const MenuInfo& menu : info.menus)
      CallCallback(ToUtf8(menu.name) + "_Init", menu.ref);
  } catch (const std::exception& e) {
    error = "plug-in " + path + " raised while loading: " + e.what();
    Close();
    return false;
  }
  return true;
}

RegistrarInfo PluginLoader::Registration() const {
  return IsLoaded() ? DescribeRegistrar(m_registrar) : RegistrarInfo();
}

ExecuteResult PluginLoader::Execute(const std::string& command) {
  ExecuteResult result;
  if (!IsLoaded()) {
    result.error = "no plug-in is loaded";
    return result;
  }
  for (const CommandInfo& info : DescribeRegistrar(m_registrar).commands) {
    if (ToUtf8(info.name) == command || ToUtf8(info.scriptName) == command) {
      return CallCallback(ToUtf8(info.name) + "_Execute", info.ref);
    }
  }
  result.error = "plug-in " + m_path + " registered no command " + command;
  return result;
}

ExecuteResult PluginLoader::CallCallback(const std::string& symbol, const XSI::CRef& source) {
  ExecuteResult result;
  auto callback = reinterpret_cast<Callback>(Symbol(symbol));
  if (callback == nullptr) {
    result.error = !IsLoaded() ? "no plug-in is loaded"
                               : "plug-in " + m_path + " has no entry point " + symbol;
    return result;
  }
  XSI::CRef context = CreateContext(source);
  result.ran = true;
  try {
    result.status = callback(context);
  } catch (const std::exception& e) {
    result.raised = true;
    result.error = symbol + " raised: " + e.what();
  } catch (...) {
    result.raised = true;
    result.error = symbol + " raised an unknown exception";
  }
  result.returnValue = ContextAttribute(context, XSI::CString(L"ReturnValue"));
  Destroy(context);
  if (result.raised)
    LogHostMessage(Str(result.error), XSI::siErrorMsg);
  return result;
}

bool PluginLoader::Unload() {
  if (!IsLoaded())
    return false;
  if (auto unload = reinterpret_cast<UnloadEntry>(Symbol("XSIUnloadPlugin"))) {
    try {
      unload(XSI::PluginRegistrar(m_registrar));
    } catch (const std::exception& e) {
      LogHostMessage(Str(std::string("XSIUnloadPlugin raised: ") + e.what()), XSI::siErrorMsg);
    }
  }
  Close();
  return true;
}

void PluginLoader::Close() {
  Destroy(m_registrar);
  m_registrar = XSI::CRef();
  m_library->Close();
}

}  // namespace xsihost

#include <dlfcn.h>
#include <xsihost/loader.h>
#include <xsihost/text.h>

#include <exception>

namespace xsihost {

namespace {

using LoadEntry = XSI::CStatus (*)(XSI::PluginRegistrar&);
using UnloadEntry = XSI::CStatus (*)(const XSI::PluginRegistrar&);
using Callback = XSI::CStatus (*)(XSI::CRef&);

std::string DlError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown error";
}

}  // namespace

PluginLoader::~PluginLoader() {
  Unload();
}

void* PluginLoader::Symbol(const std::string& name) const {
  return m_handle != nullptr ? dlsym(m_handle, name.c_str()) : nullptr;
}

bool PluginLoader::Load(const std::string& path, std::string& error) {
  if (m_handle != nullptr)
    Unload();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    error = "cannot load plug-in " + path + ": " + DlError();
    return false;
  }
  m_handle = handle;
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
  return m_handle != nullptr ? DescribeRegistrar(m_registrar) : RegistrarInfo();
}

ExecuteResult PluginLoader::Execute(const std::string& command) {
  ExecuteResult result;
  if (m_handle == nullptr) {
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
    result.error = m_handle == nullptr ? "no plug-in is loaded"
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
  if (m_handle == nullptr)
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
  dlclose(m_handle);
  m_handle = nullptr;
}

}  // namespace xsihost

// Loads a plug-in library the way the host does and calls its entry points.
#pragma once

#include <xsi_decl.h>
#include <xsi_ref.h>
#include <xsi_status.h>
#include <xsi_string.h>
#include <xsi_value.h>
#include <xsihost/api.h>
#include <xsihost/host.h>

#include <memory>
#include <string>

namespace xsihost {

namespace detail {
class DynamicLibrary;
}

struct ExecuteResult {
  bool ran = false;         // the callback was called (and returned or raised)
  bool raised = false;      // the callback let an exception pass
  XSI::CStatus status;      // what the callback returned
  XSI::CValue returnValue;  // the context's "ReturnValue" afterwards
  std::string error;        // why it did not run, or what it raised
};

// One plug-in library. Load() opens it (dlopen with RTLD_NOW | RTLD_LOCAL, or LoadLibraryExW;
// the library's own folder is searched for what it depends on), calls XSILoadPlugin with a
// fresh registrar, then <command>_Init for each registered command and <menu>_Init for each
// registered menu, each with a context whose source is that command or menu. Unload() calls
// XSIUnloadPlugin with the same registrar and closes the library. Both may be repeated: each
// Load() is a new registration.
//
// A library that cannot be opened, or lacks XSILoadPlugin, fails Load() with a message naming
// it; an _Init callback that the library does not define is skipped, as the host does.
// Exceptions from the plug-in are caught here and reported, the way the host reports a
// script error, and logged at siErrorMsg.
class PluginLoader {
 public:
  PluginLoader();
  PluginLoader(const PluginLoader&) = delete;
  PluginLoader& operator=(const PluginLoader&) = delete;
  ~PluginLoader();

  bool Load(const std::string& path, std::string& error);
  bool IsLoaded() const;
  // What the plug-in registered, read after its _Init callbacks; empty when not loaded.
  RegistrarInfo Registration() const;
  // The registrar of the current loading; invalid when not loaded.
  XSI::CRef Registrar() const { return m_registrar; }

  // Runs <command>_Execute for a registered command, found by name or scripting name. Without
  // a loaded library, or for an unknown command, nothing runs and `error` says why.
  ExecuteResult Execute(const std::string& command);

  // Calls the callback `symbol` with a context whose source is `source` (possibly invalid), the
  // way a careless host might. Without a loaded library nothing runs.
  ExecuteResult CallCallback(const std::string& symbol, const XSI::CRef& source);

  // Calls XSIUnloadPlugin and closes the library. False, doing nothing, when nothing is loaded.
  bool Unload();

 private:
  void* Symbol(const std::string& name) const;
  void Close();

  std::unique_ptr<detail::DynamicLibrary> m_library;
  std::string m_path;
  XSI::CRef m_registrar;
};

}  // namespace xsihost

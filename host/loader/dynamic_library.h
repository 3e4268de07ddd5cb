// A dynamic library opened at run time: one interface, one file per platform
// (dynamic_library_posix.cpp, dynamic_library_windows.cpp). Knows nothing of the SDK, so that
// the platform's own headers never meet the SDK's.
#pragma once

#include <string>

namespace xsihost::detail {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;
  ~DynamicLibrary() { Close(); }

  // Opens the library at `path` (UTF-8) exactly: a name without a folder is not searched for
  // in the system's places. The libraries it depends on are looked for in its own folder
  // first, the way a host finds a plug-in's companions. False with `error` set (the system's
  // reason) when it cannot be opened; a library already open is closed first.
  bool Open(const std::string& path, std::string& error);
  bool IsOpen() const { return m_handle != nullptr; }
  // The address of the exported symbol `name`, or nullptr.
  void* Symbol(const std::string& name) const;
  // Closes the library; nothing happens when none is open.
  void Close();

 private:
  void* m_handle = nullptr;
};

}  // namespace xsihost::detail

// Dynamic libraries on Linux and other POSIX systems: dlopen. A library's own folder is searched
// for its dependencies through the $ORIGIN in its run path.
#include <dlfcn.h>

#include "dynamic_library.h"

namespace xsihost::detail {

bool DynamicLibrary::Open(const std::string& path, std::string& error) {
  Close();
  // dlopen searches for a name without a slash; a path with one is taken as it is.
  const std::string exact = path.find('/') == std::string::npos ? "./" + path : path;
  m_handle = dlopen(exact.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "unknown error";
    return false;
  }
  return true;
}

void* DynamicLibrary::Symbol(const std::string& name) const {
  return m_handle != nullptr ? dlsym(m_handle, name.c_str()) : nullptr;
}

void DynamicLibrary::Close() {
  if (m_handle != nullptr)
    dlclose(m_handle);
  m_handle = nullptr;
}

}  // namespace xsihost::detail

// Dynamic libraries on Windows: LoadLibraryExW with the library's own folder searched for its
// dependencies (the counterpart of $ORIGIN), GetProcAddress, FreeLibrary, and the system's
// reason from FormatMessageW.
#include <windows.h>

#include <filesystem>

#include "dynamic_library.h"

namespace xsihost::detail {

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty())
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty())
    return "error " + std::to_string(code);
  return Utf8(text);
}

}  // namespace

bool DynamicLibrary::Open(const std::string& path, std::string& error) {
  Close();
  // An absolute path, so that the loader takes this file and searches its folder for the
  // libraries it depends on.
  std::error_code ec;
  const std::filesystem::path exact = std::filesystem::absolute(std::filesystem::u8path(path), ec);
  HMODULE module = LoadLibraryExW(
      exact.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr) {
    error = SystemMessage(GetLastError());
    return false;
  }
  m_handle = module;
  return true;
}

void* DynamicLibrary::Symbol(const std::string& name) const {
  if (m_handle == nullptr)
    return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name.c_str()));
}

void DynamicLibrary::Close() {
  if (m_handle != nullptr)
    FreeLibrary(static_cast<HMODULE>(m_handle));
  m_handle = nullptr;
}

}  // namespace xsihost::detail

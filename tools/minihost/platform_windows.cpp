// minihost's platform needs on Windows: UTF-16 command lines and paths turned into UTF-8 and
// back, its own path, whether standard input is a console, and binary standard streams.
// clang-format off
#include <windows.h>  // first: the other Windows headers need what it defines
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include "platform.h"

namespace minihost {

namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (length == 0)
    return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty())
    return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& path) {
  return std::filesystem::path(Wide(path));
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

std::string ExecutablePath() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  return length != 0 && length < path.size() ? Utf8(path.data(), static_cast<int>(length))
                                             : std::string();
}

bool StandardInputIsTerminal() {
  // A console answers GetConsoleMode; the null device and files do not (isatty would say yes
  // for NUL, and minihost would wait for an answer that never comes).
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

TerminalNames Terminal() {
  return {"CONIN$", "CONOUT$"};
}

std::vector<std::string> CommandLineArguments(int, char**) {
  // The narrow argv holds the command line in the ANSI code page, which cannot hold every
  // name: the UTF-16 command line can.
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> out;
  for (int i = 1; i < count; ++i)
    out.push_back(Utf8(arguments[i], static_cast<int>(wcslen(arguments[i]))));
  LocalFree(arguments);
  return out;
}

void PrepareStandardStreams() {
  // Text mode would turn every "\n" into "\r\n": minihost's output is the same on every system.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

}  // namespace minihost

// The tests' platform needs on Windows (and under Wine).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_platform.h"

namespace kelvane_test {

CommandOutcome RunCommandLine(const std::string& commandLine) {
  const std::string outPath = TemporaryFile("out");
  const std::string errPath = TemporaryFile("err");
  // cmd takes away the first and the last quote of what follows /c: one more pair keeps the
  // quotes of the command line.
  const std::string command =
      "\"" + commandLine + " >" + ShellQuoted(outPath) + " 2>" + ShellQuoted(errPath) + "\"";
  CommandOutcome outcome;
  // The wide call: std::system would pass the line through the ANSI code page, which cannot
  // hold every name.
  outcome.status = _wsystem(std::filesystem::u8path(command).c_str());
  outcome.out = ReadWholeFile(outPath);
  outcome.err = ReadWholeFile(errPath);
  std::filesystem::remove(std::filesystem::u8path(outPath));
  std::filesystem::remove(std::filesystem::u8path(errPath));
  return outcome;
}

std::string ShellQuoted(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path)
    quoted += c == '/' ? '\\' : c;  // cmd reads a word that starts with '/' as a switch
  return quoted + "\"";
}

std::string TemporaryFile(const std::string& stem) {
  static unsigned next = 0;
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  for (;;) {
    const std::filesystem::path path =
        folder / ("kelvane-" + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(next++));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return path.u8string();
    }
  }
}

const char* NullDevice() {
  return "NUL";
}

bool HasPosixShell() {
  return false;
}

std::string ProgramFolder() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return std::filesystem::path(path).parent_path().u8string();
}

std::optional<bool> IsModuleLoaded(const std::string& fileName) {
  return GetModuleHandleW(std::filesystem::u8path(fileName).c_str()) != nullptr;
}

std::optional<std::size_t> OpenHandles() {
  DWORD count = 0;
  // Wine answers 0 whatever the process holds: that is no answer.
  if (!GetProcessHandleCount(GetCurrentProcess(), &count) || count == 0)
    return std::nullopt;
  return count;
}

std::set<std::string> ExportedSymbols(const std::string& path) {
  std::set<std::string> names;
  HMODULE module =
      LoadLibraryExW(std::filesystem::u8path(path).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (module == nullptr)
    return names;
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (directory.Size != 0) {
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* nameOffsets = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
      names.insert(reinterpret_cast<const char*>(base + nameOffsets[i]));
  }
  FreeLibrary(module);
  return names;
}

}  // namespace kelvane_test

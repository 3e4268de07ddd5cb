// What the tests need of the operating system, one file per platform (test_platform_posix.cpp,
// test_platform_windows.cpp): running a program, temporary files, the null device, and looking
// into modules. Where a platform cannot answer a question (Wine cannot count a process's
// handles), the answer is empty and the test says so and skips that check.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

namespace kelvane_test {

struct CommandOutcome {
  int status = -1;  // the program's exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `commandLine` (a program and its arguments, quoted for the system's shell, which also
// takes "<FILE" redirections) with standard output and error captured.
CommandOutcome RunCommandLine(const std::string& commandLine);

// `path` as the system's shell takes it as one word.
std::string ShellQuoted(const std::string& path);

// The whole content of the file at `path` (UTF-8); "" when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A new, empty file in the system's temporary folder, named after `stem`; gives its path.
std::string TemporaryFile(const std::string& stem);

// The null device, for "<" redirections: "/dev/null" or "NUL".
const char* NullDevice();

// Whether the POSIX shell and tools that the Unix-behaviour tests drive (sh, printf, script,
// /dev/full) are here.
bool HasPosixShell();

// The folder of the running test program; on Windows the plug-in, minihost and the SDK are
// beside it.
std::string ProgramFolder();

// Whether a module whose file name is `fileName` is loaded in this process now; empty when the
// platform cannot tell.
std::optional<bool> IsModuleLoaded(const std::string& fileName);

// How many files, sockets or handles the process holds open; empty when the platform cannot
// tell.
std::optional<std::size_t> OpenHandles();

// The names that the library at `path` exports: its dynamic symbols on Linux, its export table
// on Windows. Empty when it cannot be read.
std::set<std::string> ExportedSymbols(const std::string& path);

}  // namespace kelvane_test

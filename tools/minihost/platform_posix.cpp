// minihost's platform needs on Linux and other POSIX systems.
#include <unistd.h>

#include "platform.h"

namespace minihost {

std::filesystem::path PathFromUtf8(const std::string& path) {
  return std::filesystem::path(path);
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

std::string ExecutablePath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) != 0;
}

TerminalNames Terminal() {
  return {"/dev/tty", "/dev/tty"};
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

}  // namespace minihost

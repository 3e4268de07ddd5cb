// The tests' platform needs on Linux.
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "test_platform.h"

namespace kelvane_test {

CommandOutcome RunCommandLine(const std::string& commandLine) {
  const std::string outPath = TemporaryFile("out");
  const std::string errPath = TemporaryFile("err");
  const std::string command = "{ " + commandLine + "; } >" + outPath + " 2>" + errPath;
  const int raw = std::system(command.c_str());
  CommandOutcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = ReadWholeFile(outPath);
  outcome.err = ReadWholeFile(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return outcome;
}

std::string ShellQuoted(const std::string& path) {
  std::string quoted = "'";
  for (char c : path)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string TemporaryFile(const std::string& stem) {
  std::string path = "/tmp/kelvane-" + stem + "-XXXXXX";
  const int fd = mkstemp(path.data());
  if (fd >= 0)
    close(fd);
  return path;
}

const char* NullDevice() {
  return "/dev/null";
}

bool HasPosixShell() {
  return true;
}

std::string ProgramFolder() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  const std::string self = length > 0 ? std::string(path, static_cast<size_t>(length)) : "";
  return self.substr(0, self.find_last_of('/'));
}

std::optional<bool> IsModuleLoaded(const std::string& fileName) {
  std::ifstream maps("/proc/self/maps");
  if (!maps)
    return std::nullopt;
  for (std::string line; std::getline(maps, line);) {
    if (line.size() > fileName.size() &&
        line.compare(line.size() - fileName.size() - 1, std::string::npos, "/" + fileName) == 0)
      return true;
  }
  return false;
}

std::optional<std::size_t> OpenHandles() {
  DIR* dir = opendir("/proc/self/fd");
  if (dir == nullptr)
    return std::nullopt;
  std::size_t count = 0;
  while (readdir(dir) != nullptr)
    ++count;
  closedir(dir);
  return count;
}

std::set<std::string> ExportedSymbols(const std::string& path) {
  const std::string command = "nm -D --defined-only " + ShellQuoted(path);
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::set<std::string> symbols;
  if (!pipe)
    return symbols;
  char line[1024];
  while (fgets(line, sizeof line, pipe.get()) != nullptr) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name)
      symbols.insert(name);
  }
  return symbols;
}

}  // namespace kelvane_test

// Where the tests find what the build made: the plug-in, minihost, the SDK library, and the
// example scenes. A name the build gives without a folder (as it does on Windows, where every
// program and library lands in bin/) is beside the running test program.
#pragma once

#include <string>

#include "test_platform.h"

namespace kelvane_test {

inline std::string BuiltFile(const std::string& path) {
  const bool hasFolder = path.find_first_of("/\\") != std::string::npos;
  return hasFolder ? path : ProgramFolder() + "/" + path;
}

inline std::string PluginPath() {
  return BuiltFile(KELVANE_PLUGIN_PATH);
}
inline std::string MinihostPath() {
  return BuiltFile(KELVANE_MINIHOST_PATH);
}
inline std::string SdkPath() {
  return BuiltFile(KELVANE_SDK_PATH);
}
// The plug-in's file name alone: "kelvane.so" or "kelvane.dll".
inline std::string PluginFileName() {
  const std::string path = PluginPath();
  return path.substr(path.find_last_of("/\\") + 1);
}
inline std::string ExamplesFolder() {
  return KELVANE_EXAMPLES_DIR;
}

}  // namespace kelvane_test

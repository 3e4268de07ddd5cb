// minihost's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace minihost {

struct Options {
  std::optional<std::string> scene;  // no file: the built-in example rig
  std::optional<std::string> plugin;
  std::vector<std::string> select;
  bool noSelect = false;
  std::optional<std::string> answer;
  std::vector<std::string> fail;
  std::optional<std::string> svg;
  bool info = false;
  bool help = false;
};

// Parses the arguments after the program name. On error returns false with `error` set.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

extern const char* const kUsage;

}  // namespace minihost

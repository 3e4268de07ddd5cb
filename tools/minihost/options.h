// minihost's command line.
#pragma once

#include <xsihost/host.h>

#include <optional>
#include <string>
#include <vector>

namespace minihost {

struct Options {
  std::optional<std::string> scene;  // no file: the built-in example rig; "-": standard input
  std::optional<std::string> plugin;
  std::vector<std::string> select;
  bool noSelect = false;
  std::optional<std::string> answer;
  std::vector<xsihost::Fault> faults;  // --fail and --raise, in order
  std::optional<std::string> svg;
  bool list = false;
  bool info = false;
  bool version = false;
  bool help = false;
};

// Parses the arguments after the program name: options in any order, OPTION VALUE or
// OPTION=VALUE, "--" before a scene file whose name begins with "-". On error (an unknown
// option, a missing value, options that do not go together) returns false with `error` set.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// An answer as minihost compares it with the dialog's items: without the blanks around it, in
// lower case. NormalizedAnswer(" L_,R_ ") is "l_,r_".
std::string NormalizedAnswer(const std::string& answer);

// The help text, with the names that --fail and --raise accept.
std::string Usage();

// Reads the value of --fail or --raise: a host operation by its SDK method name, alone or with
// its class, or a host command's name, optionally followed by "@K" (the K-th call of the run)
// or "@K+" (the K-th and every later call). Without "@", every call. On a bad value returns
// false with `error` set.
bool ParseFault(const std::string& value, xsihost::FaultMode mode, xsihost::Fault& fault,
                std::string& error);

}  // namespace minihost

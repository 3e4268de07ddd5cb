// Runs the command (or the bare duplication) once on a generated rig, for counting its
// instructions with callgrind (bench/instructions): one_run command|duplicate wide|deep N
#include <xsi_application.h>
#include <xsihost/host.h>
#include <xsihost/loader.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rigs.h"

// The measured work, kept out of line so that callgrind can count it alone.
__attribute__((noinline)) void MeasuredCommand(xsihost::PluginLoader& plugin) {
  plugin.Execute("kelvane");
}

__attribute__((noinline)) void MeasuredDuplicate(const XSI::CValueArray& arguments) {
  XSI::CValue result;
  XSI::Application().ExecuteCommand(L"DuplicateSymmetry", arguments, result);
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: one_run command|duplicate wide|deep N\n");
    return 2;
  }
  const bool command = std::strcmp(argv[1], "command") == 0;
  const bool deep = std::strcmp(argv[2], "deep") == 0;
  const XSI::CRef root = kelvane_bench::BuildRig(std::atoi(argv[3]), deep);
  if (command) {
    xsihost::PluginLoader plugin;
    std::string error;
    if (!plugin.Load(KELVANE_PLUGIN_PATH, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    xsihost::Select({root});
    MeasuredCommand(plugin);
  } else {
    MeasuredDuplicate(kelvane_bench::DuplicateRigArguments());
  }
  return 0;
}

// minihost: a command-line stand-in for the XSI host that loads the kelvane plug-in, runs its
// command on a scene file and prints what happened.
#include <unistd.h>
#include <xsihost/host.h>
#include <xsihost/loader.h>
#include <xsihost/text.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>

#include "dialog.h"
#include "example_rig.h"
#include "options.h"
#include "scene_file.h"
#include "svg.h"

namespace {

constexpr int kRan = 0;
constexpr int kPluginFailed = 1;
constexpr int kBadInput = 2;

std::string BesideExecutable(const std::string& file) {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0)
    return file;
  std::string self(path, static_cast<size_t>(length));
  return self.substr(0, self.find_last_of('/') + 1) + file;
}

bool ReadFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

void PrintLog() {
  for (const auto& entry : xsihost::Log()) {
    std::cerr << "[" << xsihost::SeverityTag(entry.severity) << "] "
              << xsihost::ToUtf8(entry.message) << "\n";
  }
  xsihost::ClearLog();
}

void PrintRegistration(const xsihost::RegistrarInfo& info) {
  using xsihost::ToUtf8;
  std::cout << "plug-in: " << ToUtf8(info.name) << "\n"
            << "author: " << ToUtf8(info.author) << "\n"
            << "version: " << info.major << "." << info.minor << "\n";
  for (const auto& command : info.commands) {
    std::cout << "command: " << ToUtf8(command.name) << " (scripting name "
              << ToUtf8(command.scriptName)
              << ", returns a value: " << (command.returnValueEnabled ? "yes" : "no") << ")\n";
  }
  for (const auto& menu : info.menus) {
    std::cout << "menu: " << ToUtf8(menu.name) << " at anchor " << menu.anchor << "\n";
    for (const auto& item : menu.items) {
      std::cout << "  item: " << ToUtf8(item.label) << " -> " << ToUtf8(item.command) << "\n";
    }
  }
}

int Run(const minihost::Options& options) {
  std::string text, error;
  const std::string fileName = options.scene.value_or("(built-in example rig)");
  if (options.scene) {
    if (!ReadFile(*options.scene, text, error)) {
      std::cerr << "minihost: " << error << "\n";
      return kBadInput;
    }
  } else {
    text = minihost::kExampleRig;
  }
  minihost::Scene scene;
  if (!minihost::ParseScene(text, fileName, scene, error)) {
    std::cerr << "minihost: " << error << "\n";
    return kBadInput;
  }
  const std::vector<XSI::CRef> refs = minihost::BuildScene(scene);

  std::vector<XSI::CRef> selection;
  for (const std::string& name : options.select) {
    XSI::CRef ref = xsihost::FindByFullName(xsihost::Str(name));
    if (!xsihost::Describe(ref).valid) {
      std::cerr << "minihost: --select " << name << ": no object with that full name in "
                << fileName << "\n";
      return kBadInput;
    }
    selection.push_back(ref);
  }
  if (options.select.empty() && !options.noSelect) {
    for (size_t i = 0; i < scene.size(); ++i) {
      if (!scene[i].isProperty && scene[i].type == "root") {
        selection.push_back(refs[i]);
        break;
      }
    }
  }
  xsihost::Select(selection);

  auto outcome = std::make_shared<minihost::DialogOutcome>();
  if (options.answer) {
    xsihost::SetDialogResponder(minihost::AnswerWith(*options.answer, outcome));
  } else if (isatty(STDIN_FILENO)) {
    xsihost::SetDialogResponder(minihost::AskOnTerminal(std::cin, std::cerr, outcome));
  }

  std::set<std::uint64_t> before;
  for (const XSI::CRef& ref : xsihost::SceneOrder())
    before.insert(xsihost::ObjectId(ref));

  xsihost::PluginLoader plugin;
  const std::string path = options.plugin.value_or(BesideExecutable("kelvane.so"));
  if (!plugin.Load(path, error)) {
    PrintLog();
    std::cerr << "minihost: " << error << "\n";
    return kPluginFailed;
  }
  if (options.info) {
    PrintRegistration(plugin.Registration());
    plugin.Unload();
    PrintLog();
    return kRan;
  }

  // The faults count the host operations of the run itself, not those of loading the plug-in.
  xsihost::ClearFaults();
  for (const xsihost::Fault& fault : options.faults)
    xsihost::AddFault(fault);
  const xsihost::ExecuteResult result = plugin.Execute("kelvane");
  xsihost::ClearFaults();
  plugin.Unload();
  PrintLog();
  std::cout << minihost::PrintScene(minihost::CaptureScene());
  if (options.svg) {
    std::ofstream out(*options.svg, std::ios::binary);
    out << minihost::DrawSvg(before);
    if (!out) {
      std::cerr << "minihost: cannot write " << *options.svg << "\n";
      return kBadInput;
    }
  }
  if (!result.ran || result.raised) {
    std::cerr << "minihost: " << result.error << "\n";
    return kPluginFailed;
  }
  if (!outcome->error.empty()) {
    std::cerr << "minihost: --answer: " << outcome->error << "\n";
    return kBadInput;
  }
  return kRan;
}

}  // namespace

int main(int argc, char** argv) {
  minihost::Options options;
  std::string error;
  if (!minihost::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::cerr << "minihost: " << error << "\n"
              << "Try 'minihost --help'.\n";
    return kBadInput;
  }
  if (options.help) {
    std::cout << minihost::Usage();
    return kRan;
  }
  return Run(options);
}

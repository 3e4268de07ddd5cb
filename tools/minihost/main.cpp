// minihost: a command-line stand-in for the XSI host that loads the kelvane plug-in, runs its
// command on a scene file and prints what happened.
#include <xsihost/host.h>
#include <xsihost/loader.h>
#include <xsihost/text.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <system_error>

#include "dialog.h"
#include "example_rig.h"
#include "input.h"
#include "notes.h"
#include "options.h"
#include "platform.h"
#include "printable.h"
#include "scene_format.h"
#include "scene_host.h"
#include "scene_walk.h"
#include "suggest.h"
#include "svg.h"

namespace {

constexpr int kRan = 0;
constexpr int kPluginFailed = 1;
constexpr int kBadInput = 2;
constexpr int kOutputFailed = 3;

std::string BesideExecutable(const std::string& file) {
  const std::string self = minihost::ExecutablePath();
  if (self.empty())
    return file;
  return (minihost::PathFromUtf8(self).parent_path() / minihost::PathFromUtf8(file)).u8string();
}

void PrintLogEntry(const xsihost::LogEntry& entry) {
  std::cerr << "[" << xsihost::SeverityTag(entry.severity) << "] "
            << minihost::Printable(xsihost::ToUtf8(entry.message)) << "\n"
            << std::flush;
}

// Writes `text` to standard output; false with `error` set when the system did not take it all.
bool WriteStandardOutput(const std::string& text, std::string& error) {
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (std::fflush(stdout) == 0 && written)
    return true;
  error = std::string("cannot write standard output: ") + std::strerror(errno != 0 ? errno : EIO);
  return false;
}

std::string RegistrationText(const xsihost::RegistrarInfo& info) {
  auto text = [](const XSI::CString& s) { return minihost::Printable(xsihost::ToUtf8(s)); };
  std::string out = "plug-in: " + text(info.name) + "\nauthor: " + text(info.author) +
                    "\nversion: " + std::to_string(info.major) + "." + std::to_string(info.minor) +
                    "\n";
  for (const auto& command : info.commands) {
    out += "command: " + text(command.name) + " (scripting name " + text(command.scriptName) +
           ", returns a value: " + (command.returnValueEnabled ? "yes" : "no") + ")\n";
  }
  for (const auto& menu : info.menus) {
    out += "menu: " + text(menu.name) + " at anchor " + std::to_string(menu.anchor) + "\n";
    for (const auto& item : menu.items)
      out += "  item: " + text(item.label) + " -> " + text(item.command) + "\n";
  }
  return out;
}

// The objects that --select names, in order; false with `error` set for a name that no object
// has, or that several share.
bool ResolveSelection(const std::vector<std::string>& wanted, const std::string& fileName,
                      std::vector<XSI::CRef>& selection, std::string& error) {
  if (wanted.empty())
    return true;
  // One pass over the scene finds every wanted name.
  std::map<std::string, std::vector<XSI::CRef>> found;
  for (const std::string& name : wanted)
    found[name];
  minihost::VisitFullNames([&](const xsihost::SceneEntry& entry, const std::string& fullName) {
    if (entry.isProperty)
      return;
    const auto it = found.find(fullName);
    if (it != found.end())
      it->second.push_back(entry.ref);
  });
  for (const std::string& name : wanted) {
    const std::vector<XSI::CRef>& refs = found[name];
    if (refs.size() > 1) {
      error = "--select " + minihost::Excerpt(name) + ": " + std::to_string(refs.size()) +
              " objects in " + minihost::Printable(fileName) +
              " have that full name, and a full name must name one (rename all but one)";
      return false;
    }
    if (refs.empty()) {
      error = "--select " + minihost::Excerpt(name) + ": no object with that full name in " +
              minihost::Printable(fileName);
      // The objects whose own name it is, then the names a slip of the keyboard away.
      std::vector<std::string> owners, names;
      minihost::VisitFullNames([&](const xsihost::SceneEntry& entry, const std::string& full) {
        if (entry.isProperty)
          return;
        names.push_back(full);
        if (full.size() > name.size() && full[full.size() - name.size() - 1] == '.' &&
            full.compare(full.size() - name.size(), name.size(), name) == 0)
          owners.push_back(full);
      });
      std::vector<std::string> suggestions = owners;
      if (suggestions.empty())
        suggestions = minihost::Closest(name, names, 3);
      suggestions.resize(std::min<std::size_t>(suggestions.size(), 3));
      error += suggestions.empty() ? " (--list shows every full name)"
                                   : minihost::DidYouMean(suggestions);
      return false;
    }
    selection.push_back(refs.front());
  }
  return true;
}

// Whether `a` and `b` are the same file (false when either does not exist).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(minihost::PathFromUtf8(a), minihost::PathFromUtf8(b), ec);
}

void Note(const std::string& note) {
  if (!note.empty())
    std::cerr << "minihost: " << note << "\n";
}

// The scene as minihost read it into the host, and what it noticed on the way.
struct ReadScene {
  std::string fileName;
  XSI::CRef firstRoot;             // the default selection
  std::vector<std::string> types;  // each type of object once, in the order met
};

// Reads the scene file (or the built-in rig) into the host; kRan, or the exit status.
int ReadIntoHost(const minihost::Options& options, ReadScene& scene) {
  std::string text, error;
  scene.fileName = !options.scene          ? "(built-in example rig)"
                   : *options.scene == "-" ? "(standard input)"
                                           : *options.scene;
  if (!options.scene) {
    text = minihost::kExampleRig;
  } else if (!minihost::ReadSceneFile(*options.scene, text, error)) {
    std::cerr << "minihost: " << error << "\n";
    return kBadInput;
  }
  minihost::SceneBuilder builder;
  std::set<std::string> seen;
  const bool parsed = minihost::ParseScene(
      text, minihost::Printable(scene.fileName),
      [&](const minihost::SceneLine& line) {
        const XSI::CRef ref = builder.Add(line);
        if (line.isProperty)
          return;
        if (!scene.firstRoot.IsValid() && line.type == "root")
          scene.firstRoot = ref;
        if (seen.size() < 1000 && seen.insert(line.type).second)
          scene.types.push_back(line.type);
      },
      error);
  if (!parsed) {
    std::cerr << "minihost: " << error << "\n";
    return kBadInput;
  }
  return kRan;
}

// --list: each object's full name and type, names written as the scene format writes them.
int List() {
  std::string error;
  minihost::ChunkedWriter listing(stdout);
  minihost::VisitFullNames([&](const xsihost::SceneEntry& entry, const std::string& fullName) {
    if (entry.isProperty)
      return;
    listing.Text() += minihost::Printable(minihost::NameAsWritten(fullName)) + " " +
                      minihost::Printable(xsihost::ToUtf8(*entry.type)) + "\n";
    listing.Flush();
  });
  if (!listing.Finish(error)) {
    std::cerr << "minihost: cannot write standard output: " << error << "\n";
    return kOutputFailed;
  }
  return kRan;
}

// Selects what --select names, or the first chain root; notes what the command will not use.
int Select(const minihost::Options& options, const ReadScene& scene) {
  std::vector<XSI::CRef> selection;
  std::string error;
  if (!ResolveSelection(options.select, scene.fileName, selection, error)) {
    std::cerr << "minihost: " << error << "\n";
    return kBadInput;
  }
  if (options.select.empty() && !options.noSelect) {
    if (scene.firstRoot.IsValid())
      selection.push_back(scene.firstRoot);
    else
      Note(minihost::NoteWithoutRoot(scene.fileName, scene.types));
  }
  Note(minihost::NoteUnusedSelection(options.select));
  xsihost::Select(selection);
  return kRan;
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens the picture's file before the run, so that a path that cannot be written is known
// before anything happens, and it can never be the scene file itself.
int OpenPicture(const minihost::Options& options, File& file) {
  if (!options.svg)
    return kRan;
  if (options.scene && SameFile(*options.svg, *options.scene)) {
    std::cerr << "minihost: --svg " << minihost::Printable(*options.svg)
              << " is the scene file: it would be overwritten\n";
    return kBadInput;
  }
  errno = 0;
  file.reset(minihost::OpenFile(*options.svg, "wb"));
  if (!file) {
    std::cerr << "minihost: cannot write " << minihost::Printable(*options.svg) << ": "
              << std::strerror(errno != 0 ? errno : ENOENT) << "\n";
    return kBadInput;
  }
  return kRan;
}

// Who answers the dialog: --answer, or the person at the terminal, which the dialog talks to
// itself so that standard error can go to a file and still hold the log alone.
struct Dialog {
  std::shared_ptr<minihost::DialogOutcome> outcome = std::make_shared<minihost::DialogOutcome>();
  std::ifstream terminalIn;
  std::ofstream terminalOut;
};

void SetUpDialog(const minihost::Options& options, Dialog& dialog) {
  if (options.answer) {
    xsihost::SetDialogResponder(minihost::AnswerWith(*options.answer, dialog.outcome));
  } else if (minihost::StandardInputIsTerminal()) {
    const minihost::TerminalNames terminal = minihost::Terminal();
    dialog.terminalIn.open(terminal.input);
    dialog.terminalOut.open(terminal.output);
    if (dialog.terminalIn && dialog.terminalOut) {
      xsihost::SetDialogResponder(
          minihost::AskOnTerminal(dialog.terminalIn, dialog.terminalOut, dialog.outcome));
    } else {
      xsihost::SetDialogResponder(minihost::AskOnTerminal(std::cin, std::cerr, dialog.outcome));
    }
  }
}

// Writes the picture of the scene after the run; false, said, when the file did not take it.
bool WritePicture(const minihost::Options& options, File& file,
                  const std::vector<std::uint64_t>& before, bool ran) {
  const std::string svg = minihost::DrawSvg(before, ran);
  errno = 0;
  const bool written = std::fwrite(svg.data(), 1, svg.size(), file.get()) == svg.size();
  if (std::fclose(file.release()) != 0 || !written) {
    std::cerr << "minihost: cannot write " << minihost::Printable(*options.svg) << ": "
              << std::strerror(errno != 0 ? errno : EIO) << "\n";
    return false;
  }
  return true;
}

int Run(const minihost::Options& options) {
  ReadScene scene;
  if (const int status = ReadIntoHost(options, scene); status != kRan)
    return status;
  if (options.list)
    return List();
  if (const int status = Select(options, scene); status != kRan)
    return status;
  File picture(nullptr, std::fclose);
  if (const int status = OpenPicture(options, picture); status != kRan)
    return status;
  Dialog dialog;
  SetUpDialog(options, dialog);
  xsihost::SetLogListener(PrintLogEntry);

  const std::vector<std::uint64_t> before = minihost::SceneIds();
  const minihost::TextFilter ownNamesBefore = minihost::OwnNames();

  std::string error;
  xsihost::PluginLoader plugin;
  const std::string path = options.plugin ? *options.plugin : BesideExecutable(KELVANE_PLUGIN_FILE);
  if (!plugin.Load(path, error)) {
    std::cerr << "minihost: " << minihost::Printable(error) << "\n";
    return kPluginFailed;
  }
  if (options.info) {
    const std::string registration = RegistrationText(plugin.Registration());
    plugin.Unload();
    if (!WriteStandardOutput(registration, error)) {
      std::cerr << "minihost: " << error << "\n";
      return kOutputFailed;
    }
    return kRan;
  }

  // The faults count the host operations of the run itself, not those of loading the plug-in.
  xsihost::ClearFaults();
  for (const xsihost::Fault& fault : options.faults)
    xsihost::AddFault(fault);
  const xsihost::ExecuteResult result = plugin.Execute("kelvane");
  xsihost::ClearFaults();
  plugin.Unload();
  Note(minihost::NoteKeptNames(before, ownNamesBefore));

  minihost::ChunkedWriter output(stdout);
  minihost::WriteScene(output);
  const bool printed = output.Finish(error);
  if (!printed)
    std::cerr << "minihost: cannot write standard output: " << error << "\n";
  if (picture && !WritePicture(options, picture, before, result.ran && !result.raised))
    return kOutputFailed;
  if (!result.ran || result.raised) {
    std::cerr << "minihost: " << minihost::Printable(result.error) << "\n";
    return kPluginFailed;
  }
  if (!printed)
    return kOutputFailed;
  if (!dialog.outcome->error.empty()) {
    std::cerr << "minihost: --answer: " << dialog.outcome->error << "\n";
    return kBadInput;
  }
  return kRan;
}

}  // namespace

int main(int argc, char** argv) {
  minihost::PrepareStandardStreams();
  minihost::Options options;
  std::string error;
  if (!minihost::ParseOptions(minihost::CommandLineArguments(argc, argv), options, error)) {
    std::cerr << "minihost: " << error << "\n"
              << "Try 'minihost --help'.\n";
    return kBadInput;
  }
  if (options.help || options.version) {
    const std::string text = options.help
                                 ? minihost::Usage()
                                 : std::string("minihost (kelvane) ") + KELVANE_VERSION + "\n";
    if (!WriteStandardOutput(text, error)) {
      std::cerr << "minihost: " << error << "\n";
      return kOutputFailed;
    }
    return kRan;
  }
  return Run(options);
}

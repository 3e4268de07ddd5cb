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
#include <unordered_set>

#include "dialog.h"
#include "example_rig.h"
#include "input.h"
#include "options.h"
#include "platform.h"
#include "printable.h"
#include "scene_file.h"
#include "scene_walk.h"
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

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
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
      // The closest names, when the name is short enough to be a slip of the keyboard.
      std::multimap<std::size_t, std::string> closest;
      if (name.size() <= 256) {
        minihost::VisitFullNames([&](const xsihost::SceneEntry& entry, const std::string& full) {
          if (entry.isProperty)
            return;
          const std::size_t distance = EditDistance(name, full);
          if (distance <= std::max<std::size_t>(2, name.size() / 3))
            closest.emplace(distance, full);
        });
      }
      std::string suggestions;
      for (auto it = closest.begin(); it != closest.end() && std::distance(closest.begin(), it) < 3;
           ++it) {
        suggestions += (suggestions.empty() ? "" : ", ") + minihost::Excerpt(it->second);
      }
      error += suggestions.empty() ? " (--list shows every full name)"
                                   : "; did you mean " + suggestions + "?";
      return false;
    }
    selection.push_back(refs.front());
  }
  return true;
}

// Whether every object that is not in `before` has the full name of an object that was there
// before the run (whose names `namesBefore` holds); false when there is no new object. Old
// objects keep their names through a run, so a match is confirmed against the names they have
// now.
bool NewObjectsTookOldNames(const std::vector<std::uint64_t>& before,
                            const minihost::TextFilter& namesBefore) {
  std::size_t made = 0;
  bool mayAll = true;
  std::unordered_set<std::string> newNames;  // kept while every new name may be an old one
  minihost::VisitFullNames(
      [&](const xsihost::SceneEntry& entry) {
        const bool isNew = !minihost::IsIn(before, xsihost::ObjectId(entry.ref));
        made += isNew ? 1 : 0;
        return isNew && mayAll;
      },
      [&](const xsihost::SceneEntry&, const std::string& fullName) {
        mayAll = namesBefore.MayHold(fullName);
        if (mayAll)
          newNames.insert(fullName);
        else
          newNames.clear();
      });
  if (made == 0 || !mayAll)
    return false;
  minihost::VisitFullNames(
      [&](const xsihost::SceneEntry& entry) {
        return minihost::IsIn(before, xsihost::ObjectId(entry.ref));
      },
      [&](const xsihost::SceneEntry&, const std::string& fullName) { newNames.erase(fullName); });
  return newNames.empty();
}

// Whether `a` and `b` are the same file (false when either does not exist).
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(minihost::PathFromUtf8(a), minihost::PathFromUtf8(b), ec);
}

int Run(const minihost::Options& options) {
  std::string text, error;
  const std::string fileName = !options.scene          ? "(built-in example rig)"
                               : *options.scene == "-" ? "(standard input)"
                                                       : *options.scene;
  if (options.scene) {
    if (!minihost::ReadSceneFile(*options.scene, text, error)) {
      std::cerr << "minihost: " << error << "\n";
      return kBadInput;
    }
  } else {
    text = minihost::kExampleRig;
  }
  // The scene goes into the host as it is read; the first chain root is the default selection.
  minihost::SceneBuilder builder;
  XSI::CRef firstRoot;
  const bool parsed = minihost::ParseScene(
      text, minihost::Printable(fileName),
      [&](const minihost::SceneLine& line) {
        const XSI::CRef ref = builder.Add(line);
        if (!firstRoot.IsValid() && !line.isProperty && line.type == "root")
          firstRoot = ref;
      },
      error);
  if (!parsed) {
    std::cerr << "minihost: " << error << "\n";
    return kBadInput;
  }
  std::string().swap(text);  // the file's text is in the host now

  if (options.list) {
    minihost::ChunkedWriter listing(stdout);
    minihost::VisitFullNames([&](const xsihost::SceneEntry& entry, const std::string& fullName) {
      if (entry.isProperty)
        return;
      listing.Text() += minihost::Printable(fullName) + " " +
                        minihost::Printable(xsihost::ToUtf8(*entry.type)) + "\n";
      listing.Flush();
    });
    if (!listing.Finish(error)) {
      std::cerr << "minihost: cannot write standard output: " << error << "\n";
      return kOutputFailed;
    }
    return kRan;
  }

  std::vector<XSI::CRef> selection;
  if (!ResolveSelection(options.select, fileName, selection, error)) {
    std::cerr << "minihost: " << error << "\n";
    return kBadInput;
  }
  if (options.select.empty() && !options.noSelect && firstRoot.IsValid())
    selection.push_back(firstRoot);
  xsihost::Select(selection);

  // The picture's file is opened before the run, so that a path that cannot be written is
  // known before anything happens, and it can never be the scene file itself.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> svgFile(nullptr, std::fclose);
  if (options.svg) {
    if (options.scene && SameFile(*options.svg, *options.scene)) {
      std::cerr << "minihost: --svg " << minihost::Printable(*options.svg)
                << " is the scene file: it would be overwritten\n";
      return kBadInput;
    }
    errno = 0;
    svgFile.reset(minihost::OpenFile(*options.svg, "wb"));
    if (!svgFile) {
      std::cerr << "minihost: cannot write " << minihost::Printable(*options.svg) << ": "
                << std::strerror(errno != 0 ? errno : ENOENT) << "\n";
      return kBadInput;
    }
  }

  // The dialog talks to the person at the terminal itself, so that standard error can go to a
  // file and still hold the log alone.
  auto outcome = std::make_shared<minihost::DialogOutcome>();
  std::ifstream terminalIn;
  std::ofstream terminalOut;
  if (options.answer) {
    xsihost::SetDialogResponder(minihost::AnswerWith(*options.answer, outcome));
  } else if (minihost::StandardInputIsTerminal()) {
    const minihost::TerminalNames terminal = minihost::Terminal();
    terminalIn.open(terminal.input);
    terminalOut.open(terminal.output);
    if (terminalIn && terminalOut) {
      xsihost::SetDialogResponder(minihost::AskOnTerminal(terminalIn, terminalOut, outcome));
    } else {
      xsihost::SetDialogResponder(minihost::AskOnTerminal(std::cin, std::cerr, outcome));
    }
  }
  xsihost::SetLogListener(PrintLogEntry);

  const std::vector<std::uint64_t> before = minihost::SceneIds();
  minihost::TextFilter namesBefore(before.size());
  minihost::VisitFullNames(
      [&](const xsihost::SceneEntry&, const std::string& fullName) { namesBefore.Add(fullName); });

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

  if (NewObjectsTookOldNames(before, namesBefore)) {
    std::cerr << "minihost: note: the rule flipped no name: every new object has the full name "
                 "of an object that was there before (does the chain use the other rule?)\n";
  }

  minihost::ChunkedWriter output(stdout);
  minihost::WriteScene(output);
  const bool printed = output.Finish(error);
  if (!printed)
    std::cerr << "minihost: cannot write standard output: " << error << "\n";
  if (svgFile) {
    const std::string svg = minihost::DrawSvg(before, result.ran && !result.raised);
    errno = 0;
    const bool written = std::fwrite(svg.data(), 1, svg.size(), svgFile.get()) == svg.size();
    if (std::fclose(svgFile.release()) != 0 || !written) {
      std::cerr << "minihost: cannot write " << minihost::Printable(*options.svg) << ": "
                << std::strerror(errno != 0 ? errno : EIO) << "\n";
      return kOutputFailed;
    }
  }
  if (!result.ran || result.raised) {
    std::cerr << "minihost: " << minihost::Printable(result.error) << "\n";
    return kPluginFailed;
  }
  if (!printed)
    return kOutputFailed;
  if (!outcome->error.empty()) {
    std::cerr << "minihost: --answer: " << outcome->error << "\n";
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

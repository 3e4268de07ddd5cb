#include "options.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "printable.h"
#include "suggest.h"

namespace minihost {

namespace {

const char* const kUsage = R"(Usage: minihost [OPTIONS] [SCENE]

Loads the kelvane plug-in as the XSI host does, runs its command "kelvane" on SCENE (a scene
file; "-" reads standard input; without one, a built-in left arm rig), and prints the scene
afterwards on standard output and the host log on standard error.

Options (each OPTION VALUE may also be written OPTION=VALUE; "--" ends the options):
  --plugin PATH       the plug-in library (default: )" KELVANE_PLUGIN_FILE R"( beside minihost)
  --select FULLNAME   select this object; repeat to select several, in order
                      (default: the first object of type "root" in the scene)
  --no-select         run with nothing selected
  --answer CHOICE     answer the dialog with "Left,Right" (or 1), "L_,R_" (or 2) or cancel
                      (case and blanks around it do not matter; default: ask on the
                      terminal, or take the default item when standard input is not a
                      terminal)
  --fail OP[@K[+]]    make the host refuse OP: every call, the K-th call of the run
                      (@K), or the K-th and every later one (@K+); repeatable. OP is
                      a host operation by its SDK method name (PutName, GetName,
                      ExecuteCommand, AddProperty, ...) or a host command's name
                      (DuplicateSymmetry, DeleteObj, InspectObj)
  --raise OP[@K[+]]   the same, but the operation raises an exception
  --svg FILE          also draw the scene after the run as an SVG picture (a file: not
                      "-", since standard output carries the scene)
  --list              print each object's full name and type, one a line, and exit
  --info              print what the plug-in registered and exit
  --version           print minihost's version and exit
  -h, --help          show this help

Exit status: 0 when the command ran (also when it said "Select Root", "User cancelled"
or that the host refused something), 1 when the plug-in did not load or raised, 2 for bad
options, an unreadable or malformed scene, or a --select that names no object or several,
3 when the output could not be written.
)";

// Options that ask for different things at once are a mistake the user should hear of.
bool CheckConflicts(Options& options, std::string& error) {
  if (options.noSelect && !options.select.empty()) {
    error = "--no-select and --select do not go together";
    return false;
  }
  if (options.answer) {
    const std::string answer = NormalizedAnswer(*options.answer);
    // What the dialog on the terminal takes: an item's text or its number, or cancel.
    if (answer != "cancel" && answer != "left,right" && answer != "l_,r_" && answer != "1" &&
        answer != "2") {
      error = "--answer takes \"Left,Right\" (or 1), \"L_,R_\" (or 2) or cancel, not " +
              Excerpt(*options.answer);
      return false;
    }
  }
  if (options.svg && *options.svg == "-") {
    error = "--svg -: standard output carries the scene after the run; give the picture a file";
    return false;
  }
  // --info, --list and --version each print one thing and exit: they take nothing of a run.
  const std::pair<bool, const char*> exits[] = {
      {options.version, "--version"}, {options.info, "--info"}, {options.list, "--list"}};
  const std::pair<bool, const char*> runOnly[] = {{options.svg.has_value(), "--svg"},
                                                  {options.answer.has_value(), "--answer"},
                                                  {!options.select.empty(), "--select"},
                                                  {options.noSelect, "--no-select"},
                                                  {!options.faults.empty(), "--fail/--raise"}};
  const char* exiting = nullptr;
  for (const auto& [given, name] : exits) {
    if (!given)
      continue;
    if (exiting != nullptr) {
      error = std::string(exiting) + " and " + name + " do not go together";
      return false;
    }
    exiting = name;
  }
  if (exiting == nullptr || options.help)
    return true;
  for (const auto& [given, name] : runOnly) {
    if (given) {
      error = std::string(exiting) + " does not run the command: " + name + " has no use with it";
      return false;
    }
  }
  return true;
}

}  // namespace

std::string NormalizedAnswer(const std::string& answer) {
  const auto first = answer.find_first_not_of(" \t");
  if (first == std::string::npos)
    return "";
  const auto last = answer.find_last_not_of(" \t");
  std::string out = answer.substr(first, last - first + 1);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Usage() {
  std::string text = kUsage;
  text += "\nNames that --fail and --raise accept:\n ";
  size_t column = 1;
  for (const std::string& name : xsihost::FaultTargets()) {
    if (name.find("::") != std::string::npos)
      continue;  // every one also stands alone
    if (column + name.size() + 1 > 90) {
      text += "\n ";
      column = 1;
    }
    text += " " + name;
    column += name.size() + 1;
  }
  return text + "\n";
}

bool ParseFault(const std::string& value, xsihost::FaultMode mode, xsihost::Fault& fault,
                std::string& error) {
  const std::string option = mode == xsihost::FaultMode::Raise ? "--raise" : "--fail";
  const auto at = value.find('@');
  fault = xsihost::Fault{value.substr(0, at), 1, true, mode};
  if (!xsihost::IsFaultTarget(fault.operation)) {
    const std::string suggestions =
        DidYouMean(Closest(fault.operation, xsihost::FaultTargets(), 3));
    error = option + " " + Excerpt(value) + ": no host operation or command named '" +
            Excerpt(fault.operation) + "'" +
            (suggestions.empty() ? " (see --help for the names)" : suggestions);
    return false;
  }
  if (at == std::string::npos)
    return true;
  std::string call = value.substr(at + 1);
  fault.persistent = !call.empty() && call.back() == '+';
  if (fault.persistent)
    call.pop_back();
  const bool digits = !call.empty() && call.size() <= 9 &&
                      call.find_first_not_of("0123456789") == std::string::npos;
  fault.call = digits ? std::stoull(call) : 0;
  if (fault.call == 0) {
    error = option + " " + value + ": after '@' comes the call, a whole number from 1, as in " +
            fault.operation + "@3 or " + fault.operation + "@3+";
    return false;
  }
  return true;
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
  // The options that take a value, and where it goes.
  auto assign = [&](const std::string& name, const std::string& value) {
    if (name == "--plugin") {
      options.plugin = value;
    } else if (name == "--answer") {
      options.answer = value;
    } else if (name == "--svg") {
      options.svg = value;
    } else if (name == "--select") {
      options.select.push_back(value);
    } else if (name == "--fail" || name == "--raise") {
      xsihost::Fault fault;
      const auto mode = name == "--raise" ? xsihost::FaultMode::Raise : xsihost::FaultMode::Refuse;
      if (!ParseFault(value, mode, fault, error))
        return false;
      options.faults.push_back(fault);
    }
    return true;
  };
  const std::vector<std::string> valued = {"--plugin", "--answer", "--svg",
                                           "--select", "--fail",   "--raise"};
  const std::vector<std::pair<std::string, bool Options::*>> flags = {
      {"--no-select", &Options::noSelect}, {"--list", &Options::list}, {"--info", &Options::info},
      {"--version", &Options::version},    {"--help", &Options::help}, {"-h", &Options::help}};
  bool operandsOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool option = !operandsOnly && arg.size() > 1 && arg[0] == '-';
    if (!option) {
      if (options.scene) {
        error = "only one scene file, got " + Printable(*options.scene) + " and " + Printable(arg);
        return false;
      }
      options.scene = arg;
      continue;
    }
    if (arg == "--") {
      operandsOnly = true;
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
      std::string value;
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        error = "option " + name + " needs a value";
        return false;
      }
      if (!assign(name, value))
        return false;
      continue;
    }
    auto flag =
        std::find_if(flags.begin(), flags.end(), [&](const auto& f) { return f.first == arg; });
    if (flag == flags.end()) {
      error =
          equals != std::string::npos && std::any_of(flags.begin(), flags.end(),
                                                     [&](const auto& f) { return f.first == name; })
              ? "option " + name + " takes no value"
              : "unknown option " + Excerpt(arg);
      return false;
    }
    options.*(flag->second) = true;
  }
  return CheckConflicts(options, error);
}

}  // namespace minihost

#include "options.h"

namespace minihost {

namespace {

const char* const kUsage = R"(Usage: minihost [OPTIONS] [SCENE]

Loads the kelvane plug-in as the XSI host does, runs its command "kelvane" on SCENE (without one,
on a built-in left arm rig), and prints the scene afterwards on stdout and the host log on stderr.

Options:
  --plugin PATH       the plug-in library (default: kelvane.so beside minihost)
  --select FULLNAME   select this object; repeat to select several, in order
                      (default: the first object of type "root" in the scene)
  --no-select         run with nothing selected
  --answer CHOICE     answer the dialog with "Left,Right", "L_,R_" or cancel
                      (default: ask on the terminal, or take the default item when
                      standard input is not a terminal)
  --fail OP[@K[+]]    make the host refuse OP: every call, the K-th call of the run
                      (@K), or the K-th and every later one (@K+); repeatable. OP is
                      a host operation by its SDK method name (PutName, GetName,
                      ExecuteCommand, AddProperty, ...) or a host command's name
                      (DuplicateSymmetry, DeleteObj, InspectObj)
  --raise OP[@K[+]]   the same, but the operation raises an exception
  --svg FILE          also draw the scene after the run as an SVG picture
  --info              print what the plug-in registered and exit
  -h, --help          show this help

Exit status: 0 when the command ran, 1 when the plug-in did not load or run, 2 for bad
options, an unreadable or malformed scene, or an unknown --select.
)";

}  // namespace

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
    error = option + " " + value + ": no host operation or command named '" + fault.operation +
            "' (see --help for the names)";
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
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--info") {
      options.info = true;
    } else if (arg == "--no-select") {
      options.noSelect = true;
    } else if (arg == "--plugin" || arg == "--answer" || arg == "--svg" || arg == "--select" ||
               arg == "--fail" || arg == "--raise") {
      if (!value(v))
        return false;
      if (arg == "--plugin")
        options.plugin = v;
      if (arg == "--answer")
        options.answer = v;
      if (arg == "--svg")
        options.svg = v;
      if (arg == "--select")
        options.select.push_back(v);
      if (arg == "--fail" || arg == "--raise") {
        xsihost::Fault fault;
        const auto mode = arg == "--raise" ? xsihost::FaultMode::Raise : xsihost::FaultMode::Refuse;
        if (!ParseFault(v, mode, fault, error))
          return false;
        options.faults.push_back(fault);
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (options.scene) {
      error = "only one scene file, got " + *options.scene + " and " + arg;
      return false;
    } else {
      options.scene = arg;
    }
  }
  if (options.noSelect && !options.select.empty()) {
    error = "--no-select and --select do not go together";
    return false;
  }
  if (options.answer && *options.answer != "cancel" && *options.answer != "Left,Right" &&
      *options.answer != "L_,R_") {
    error = "--answer takes \"Left,Right\", \"L_,R_\" or cancel, not " + *options.answer;
    return false;
  }
  return true;
}

}  // namespace minihost

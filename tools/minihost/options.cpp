#include "options.h"

namespace minihost {

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
  --fail COMMAND      make the host refuse this host command; repeatable
  --svg FILE          also draw the scene after the run as an SVG picture
  --info              print what the plug-in registered and exit
  -h, --help          show this help

Exit status: 0 when the command ran, 1 when the plug-in did not load or run, 2 for bad
options, an unreadable or malformed scene, or an unknown --select.
)";

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
               arg == "--fail") {
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
      if (arg == "--fail")
        options.fail.push_back(v);
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

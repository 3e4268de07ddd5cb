// minihost as a rigger runs it: the built binary, its exit status, stdout and stderr.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "scene_file.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs minihost with `arguments` (already quoted for the shell), standard input from /dev/null.
Outcome Minihost(const std::string& arguments) {
  char errPath[] = "/tmp/minihost-err-XXXXXX";
  const int fd = mkstemp(errPath);
  close(fd);
  const std::string command =
      std::string(KELVANE_MINIHOST_PATH) + " " + arguments + " </dev/null 2>" + errPath;
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    outcome.out.append(buffer, n);
  const int raw = pclose(pipe);
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.err = Slurp(errPath);
  std::remove(errPath);
  return outcome;
}

std::string WriteTemp(const std::string& text) {
  char path[] = "/tmp/minihost-scene-XXXXXX";
  const int fd = mkstemp(path);
  close(fd);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Minihost, MirrorsTheExampleRigWithRightNames) {
  const Outcome run = Minihost("");
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* line :
       {"      root LeftShoulder 1.2 14.5 0\n", "      root RightShoulder -1.2 14.5 0\n",
        "            bone RightHand -6.8 11 0\n", "        eff RightHandEff"}) {
    EXPECT_TRUE(Contains(run.out, line)) << line << "\n" << run.out;
  }
  EXPECT_FALSE(Contains(run.out, "rename_temp_suffix"));
  EXPECT_FALSE(Contains(run.out, "Rule of Rename"));
  EXPECT_EQ(run.err, "[info] kelvane_Execute called\n[info] kelvanePlugin has been unloaded.\n");
  // The output is a scene file again.
  minihost::Scene scene;
  std::string error;
  EXPECT_TRUE(minihost::ParseScene(run.out, "stdout", scene, error)) << error;
}

TEST(Minihost, RunsOnASceneFileWithAnAnswerAndASelection) {
  const std::string examples = KELVANE_EXAMPLES_DIR;
  const Outcome run = Minihost(examples +
                               "/biped.scene --select Character.Skeleton.RightShoulder"
                               " --answer Left,Right");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "        root LeftShoulder 1.5 14 0\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "          eff LeftWrist 6.5 11 0\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "      root LeftHip 1 9 0\n")) << run.out;

  const Outcome worked = Minihost(examples + "/worked_example.scene --answer L_,R_");
  ASSERT_EQ(worked.status, 0) << worked.err;
  EXPECT_TRUE(Contains(worked.out,
                       "    root R_root -1 12 0\n      bone R_bone1 -2 11 0\n"
                       "        bone R_bone2 -3 9 0\n      eff R_eff -4 8 0\n"))
      << worked.out;
}

TEST(Minihost, CancelNoSelectionAndRefusalAreNormalRuns) {
  const std::string scene = WriteTemp("root L_a 1 0 0\n");
  for (const char* options : {"--answer cancel", "--no-select", "--fail DuplicateSymmetry"}) {
    const Outcome run = Minihost(scene + " " + options);
    EXPECT_EQ(run.status, 0) << options << run.err;
    EXPECT_EQ(run.out, "root L_a 1 0 0\n") << options;
  }
  EXPECT_TRUE(Contains(Minihost(scene + " --answer cancel").err, "[info] User cancelled\n"));
  EXPECT_TRUE(Contains(Minihost(scene + " --no-select").err, "[info] Select Root\n"));
  EXPECT_TRUE(Contains(Minihost(scene + " --fail DuplicateSymmetry").err,
                       "[info] No mirrored copy was made.\n"));
  std::remove(scene.c_str());
}

TEST(Minihost, BadInputExitsNonZeroWithAMessage) {
  const std::string bad = WriteTemp("root a\n\tbone b\n");
  struct Case {
    std::string arguments;
    int status;
    std::string message;
  };
  for (const Case& c :
       {Case{bad, 2, bad + ":2: tab in the indentation"},
        Case{"/nonexistent.scene", 2, "cannot read /nonexistent.scene"},
        Case{"--select Nobody", 2, "--select Nobody: no object"},
        Case{"--plugin /nonexistent.so", 1, "/nonexistent.so"},
        Case{"--bogus", 2, "unknown option --bogus"}, Case{"--answer maybe", 2, "--answer takes"},
        Case{"--select", 2, "option --select needs a value"},
        Case{"a.scene b.scene", 2, "only one scene file"},
        Case{"--fail Bogus", 2, "--fail Bogus: no host operation or command named 'Bogus'"},
        Case{"--raise PutName@0", 2, "--raise PutName@0: after '@' comes the call"},
        Case{"--fail PutName@", 2, "--fail PutName@: after '@' comes the call"},
        Case{"--fail PutName@3x", 2, "after '@' comes the call"},
        Case{"--fail PutName@99999999999", 2, "after '@' comes the call"}}) {
    const Outcome run = Minihost(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_TRUE(Contains(run.err, c.message)) << c.arguments << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.arguments;
  }
  std::remove(bad.c_str());
}

TEST(Minihost, InfoAndHelp) {
  const Outcome info = Minihost("--info");
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out,
            "plug-in: kelvanePlugin\nauthor: tuv\nversion: 1.0\n"
            "command: kelvane (scripting name kelvane, returns a value: yes)\n"
            "menu: kelvane_Menu at anchor 26\n  item: kelvane -> kelvane\n");
  const Outcome help = Minihost("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Contains(help.out, "Usage: minihost [OPTIONS] [SCENE]"));
  EXPECT_TRUE(Contains(help.out, "Names that --fail and --raise accept:"));
  for (const char* name : {" PutName", " GetName", " ExecuteCommand", " DuplicateSymmetry"})
    EXPECT_TRUE(Contains(help.out, name)) << name;
}

// The host's faults from the command line: which call of the run, once or from then on, and
// refused or raised. A run that does not complete leaves the scene as it was.
TEST(Minihost, FaultsFromTheCommandLine) {
  const std::string scene = WriteTemp("model Rig\n  root L_root 1 0 0\n    bone L_a 2 0 0\n");
  const char* const original = "model Rig\n  root L_root 1 0 0\n    bone L_a 2 0 0\n";
  struct Case {
    const char* options;
    int status;
    const char* out;
    const char* err;
  };
  for (const Case& c : {
           Case{"--fail PutName@2", 0, original,
                "[info] The host refused to rename \"L_root\" to \"L_rootrename_temp_suffix\" "
                "(PutName).\n[info] No mirrored copy was made.\n"},
           Case{"--fail SIObject::PutName@5", 0, original,
                "[info] The host refused to rename \"L_arename_temp_suffix1\" to "
                "\"R_arename_temp_suffix1\" (PutName).\n"},
           Case{"--fail PutName@3+", 0,
                "model Rig\n  root L_rootrename_temp_suffix 1 0 0\n"
                "    bone L_arename_temp_suffix 2 0 0\n",
                "its name back (PutName): rename it \"L_a\" by hand.\n"},
           Case{"--raise DuplicateSymmetry", 1, original,
                "minihost: kelvane_Execute raised: injected fault: Application::ExecuteCommand "
                "raised\n"},
           Case{"--fail DeleteObj --fail GetName@1", 0,
                "property \"Rule of Rename\"\nmodel Rig\n  root L_root 1 0 0\n    bone L_a 2 0 0\n"
                "  root R_root -1 0 0\n    bone R_a -2 0 0\n",
                "The host did not delete the temporary property \"Rule of Rename\""},
           Case{"--fail PutName@9", 0,
                "model Rig\n  root L_root 1 0 0\n    bone L_a 2 0 0\n"
                "  root R_root -1 0 0\n    bone R_a -2 0 0\n",
                "[info] kelvane_Execute called\n[info] kelvanePlugin has been unloaded.\n"},
       }) {
    const Outcome run = Minihost(scene + " --answer L_,R_ " + c.options);
    EXPECT_EQ(run.status, c.status) << c.options << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.options;
    EXPECT_TRUE(Contains(run.err, c.err)) << c.options << ": " << run.err;
  }
  std::remove(scene.c_str());
}

TEST(Minihost, DrawsBothSidesInTheSvg) {
  char path[] = "/tmp/minihost-svg-XXXXXX";
  close(mkstemp(path));
  const Outcome run = Minihost(std::string("--svg ") + path);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string svg = Slurp(path);
  std::remove(path);
  EXPECT_TRUE(Contains(svg, "<svg"));
  EXPECT_TRUE(Contains(svg, ">LeftHand</text>"));
  EXPECT_TRUE(Contains(svg, ">RightHand</text>"));
  EXPECT_TRUE(Contains(svg, "stroke-dasharray"));                                // the mirror plane
  EXPECT_TRUE(Contains(svg, "fill=\"#d9480f\" text-anchor=\"end\">RightHand"));  // made by the run
  EXPECT_TRUE(Contains(svg, "fill=\"#1f5fbf\" text-anchor=\"start\">LeftHand"));
}

}  // namespace

// minihost as a rigger runs it: the built binary, its exit status, stdout and stderr.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "built_files.h"
#include "scene_format.h"
#include "scene_host.h"
#include "test_platform.h"

namespace {

using Outcome = kelvane_test::CommandOutcome;

void Remove(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(std::filesystem::u8path(path), ec);
}

// Runs minihost with `arguments` (already quoted for the system's shell), standard input from
// the null device.
Outcome Minihost(const std::string& arguments) {
  return kelvane_test::RunCommandLine(kelvane_test::ShellQuoted(kelvane_test::MinihostPath()) +
                                      " " + arguments + " <" + kelvane_test::NullDevice());
}

std::string WriteTemp(const std::string& text) {
  const std::string path = kelvane_test::TemporaryFile("scene");
  std::ofstream(std::filesystem::u8path(path), std::ios::binary) << text;
  return path;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Runs a POSIX shell command line in which "$M" is minihost.
Outcome Shell(const std::string& line) {
  return kelvane_test::RunCommandLine(
      "M=" + kelvane_test::ShellQuoted(kelvane_test::MinihostPath()) + "; " + line);
}

// The tests of behaviour only a POSIX system has (devices like /dev/full, a terminal through
// script, shell pipes) say so and skip elsewhere.
#define SKIP_WITHOUT_POSIX_SHELL()    \
  if (!kelvane_test::HasPosixShell()) \
  GTEST_SKIP() << "needs a POSIX shell and its tools (sh, printf, script, /dev/full, /proc)"

bool HasRawControlCharacter(const std::string& text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\n') || u == 0x7F)
      return true;
  }
  return false;
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
  const std::string examples = kelvane_test::ExamplesFolder();
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
  Remove(scene.c_str());
}

// Paths are UTF-8 on every system: a scene in a folder named with accents reads and runs.
TEST(Minihost, ReadsASceneWhosePathIsNotAscii) {
  const std::string folder = kelvane_test::TemporaryFile("r\xC3\xBCstung");
  Remove(folder);
  const std::filesystem::path where = std::filesystem::u8path(folder);
  std::filesystem::create_directory(where);
  const std::string scene = folder +
                            "/H\xC3\xBC"
                            "fte \xE2\x86\x94 links.scene";
  std::ofstream(std::filesystem::u8path(scene), std::ios::binary) << "root L_a 1 0 0\n";
  const Outcome run = Minihost("--answer L_,R_ " + kelvane_test::ShellQuoted(scene));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "root L_a 1 0 0\nroot R_a -1 0 0\n");
  const Outcome bad = Minihost(kelvane_test::ShellQuoted(folder + "/missing-\xC3\xA4.scene"));
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(Contains(bad.err, "missing-\xC3\xA4.scene")) << bad.err;
  std::filesystem::remove_all(where);
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
  Remove(bad.c_str());
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
  Remove(scene.c_str());
}

TEST(Minihost, DrawsBothSidesInTheSvg) {
  const std::string path = kelvane_test::TemporaryFile("svg");
  const Outcome run = Minihost("--svg " + kelvane_test::ShellQuoted(path));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string svg = kelvane_test::ReadWholeFile(path);
  Remove(path);
  EXPECT_TRUE(Contains(svg, "<svg"));
  EXPECT_TRUE(Contains(svg, ">LeftHand</text>"));
  EXPECT_TRUE(Contains(svg, ">RightHand</text>"));
  EXPECT_TRUE(Contains(svg, "stroke-dasharray"));                                // the mirror plane
  EXPECT_TRUE(Contains(svg, "fill=\"#d9480f\" text-anchor=\"end\">RightHand"));  // made by the run
  EXPECT_TRUE(Contains(svg, "fill=\"#1f5fbf\" text-anchor=\"start\">LeftHand"));
}

// On a 1,000-object rig, labels crowd: each one placed stands inside the picture, below the
// legend, clear of every other; the rest are left out and counted, and every dot is drawn.
// A wide rig of 1,019 objects (mirrored: 2,038 dots), and a crowd of 12 at the top of the
// picture whose labels would climb into the legend if they could.
std::string CrowdedRig(bool wide) {
  std::string rig = "model Rig\n  root LeftArm 0 0 0\n";
  if (!wide) {
    for (int top = 0; top < 12; ++top)
      rig += "    bone LeftTop" + std::to_string(top) + " 0." + std::to_string(top) + " 1000 0\n";
    return rig;
  }
  for (int top = 0; top < 8; ++top)
    rig += "    bone LeftTop" + std::to_string(top) + " " + std::to_string(1 + top) + " 40 0\n";
  for (int a = 0; a < 10; ++a) {
    rig += "    bone LeftA" + std::to_string(a) + " " + std::to_string(2 + a) + " " +
           std::to_string(a) + " 0\n";
    for (int b = 0; b < 10; ++b) {
      rig += "      bone LeftB" + std::to_string(a * 10 + b) + " " + std::to_string(3 + a + b) +
             " " + std::to_string(a - b) + " 0\n";
      for (int c = 0; c < 9; ++c)
        rig += "        bone LeftC" + std::to_string((a * 10 + b) * 9 + c) + " " +
               std::to_string(4 + a + b + c) + " " + std::to_string(a - b + c) + " 0\n";
    }
  }
  return rig;
}

// Where labels crowd, each one placed stands inside the picture, below the legend, clear of
// every other; the rest are left out and counted, and every dot is drawn.
TEST(Minihost, SvgLabelsNeverOverlap) {
  struct Box {
    double left, top, right, bottom;
  };
  for (const auto& [wide, objects, fewestLabels] :
       {std::tuple(true, 1019u, 50u), std::tuple(false, 13u, 8u)}) {
    SCOPED_TRACE(wide ? "a wide rig" : "a crowd at the top");
    const std::string scene = WriteTemp(CrowdedRig(wide));
    const std::string path = kelvane_test::TemporaryFile("svg");
    const Outcome run =
        Minihost(scene + " --answer Left,Right --svg " + kelvane_test::ShellQuoted(path));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string svg = kelvane_test::ReadWholeFile(path);
    Remove(path);
    Remove(scene);
    // Each label's box, from its line: <text x=".." y=".." fill=".." text-anchor="..">name.
    std::vector<Box> labels;
    std::istringstream lines(svg);
    for (std::string line; std::getline(lines, line);) {
      const auto anchor = line.find("text-anchor=\"");
      if (line.rfind("  <text x=\"", 0) != 0 || anchor == std::string::npos)
        continue;
      const double x = std::stod(line.substr(line.find("x=\"") + 3));
      const double y = std::stod(line.substr(line.find("y=\"") + 3));
      std::string text = line.substr(line.find('>', anchor) + 1);
      if (text.rfind("<title>", 0) == 0)
        text = text.substr(text.find("</title>") + 8);
      text = text.substr(0, text.find("</text>"));
      const double width = 7.5 * static_cast<double>(text.size()) + 2;
      const double left = line.compare(anchor + 13, 5, "start") == 0 ? x : x - width;
      labels.push_back({left, y + 4 - 16, left + width, y + 4});
    }
    const std::string made = "made by the run: " + std::to_string(objects) + " objects</tspan>; ";
    const auto legend = svg.find(made);
    ASSERT_NE(legend, std::string::npos) << svg.substr(0, 600);
    const std::size_t leftOut = std::stoul(svg.substr(legend + made.size()));
    EXPECT_EQ(svg.compare(svg.find(' ', legend + made.size()), 17, " labels left out<"), 0);
    std::size_t circles = 0;
    for (auto at = svg.find("<circle "); at != std::string::npos; at = svg.find("<circle ", at + 1))
      ++circles;
    EXPECT_EQ(circles, 2 * objects);
    EXPECT_EQ(labels.size() + leftOut, circles);  // every dot labelled or counted
    EXPECT_GE(labels.size(), fewestLabels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const Box& a = labels[i];
      EXPECT_TRUE(a.left >= 0 && a.right <= 800 && a.top >= 30 && a.bottom <= 600) << i;
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        const Box& b = labels[j];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
            << "labels " << i << " and " << j << " overlap";
      }
    }
  }
}

// ---- minihost as a dependable Unix tool ----

// What is not a readable text file is refused before anything runs, with the reason.
// Runs minihost on the scene `text` given on standard input ("-"), with `options`.
Outcome MinihostReading(const std::string& text, const std::string& options = "") {
  const std::string scene = WriteTemp(text);
  const Outcome run =
      kelvane_test::RunCommandLine(kelvane_test::ShellQuoted(kelvane_test::MinihostPath()) + " " +
                                   options + " - <" + kelvane_test::ShellQuoted(scene));
  Remove(scene);
  return run;
}

// Where riggers trip, minihost says so: notes beside a run that goes ahead, clear errors for a
// scene or an option it cannot take, and the names that were meant.
TEST(Minihost, SaysWhereRiggersTrip) {
  struct Case {
    const char* what;
    std::string scene;
    std::string options;
    int status;
    std::string err;  // a part of standard error
    std::string out;  // a part of standard output
  };
  const Case cases[] = {
      {"a copy without a side token keeps its source's name",
       "model Rig\n  root L_arm\n    bone elbow\n    bone wrist\n", "--answer L_,R_", 0,
       "minihost: note: 2 of the 3 new objects kept the full name of an object that was there "
       "before (no side token in it to flip), so --select cannot tell them apart: Rig.elbow, "
       "Rig.wrist\n",
       "  root R_arm\n"},
      {"no name flipped", "root L_arm\n", "--answer Left,Right", 0,
       "minihost: note: the rule flipped no name", "root L_arm\nroot L_arm\n"},
      {"no root, a type that was meant to be one", "Root L_a 1 0 0\n", "--answer L_,R_", 0,
       "has no object of type \"root\" to select, so the command will say \"Select Root\" (is "
       "\"Root\" meant to be root?)\n[info] kelvane_Execute called\n[info] Select Root\n",
       "Root L_a 1 0 0\n"},
      {"an empty scene", "", "--answer L_,R_", 0, "has no object of type \"root\" to select", ""},
      {"objects selected after the first", "root L_a\nroot L_b\nroot L_c\n",
       "--select L_a --select L_b --select L_c --answer L_,R_", 0,
       "minihost: note: the command mirrors the first selected object, L_a, alone; it does not "
       "use L_b, L_c\n",
       "root R_a\n"},
      {"a '.' in a name", "root a.b\n", "", 2,
       ":1: '.' in the name 'a.b': '.' separates the names of a full name\n", ""},
      {"an unquoted space in a name", "root L a 1 0 0\n", "", 2,
       ":1: a name with a space must be quoted: \"L a\"\n", ""},
      {"non-breaking spaces as indentation",
       "root a\n\xC2\xA0\xC2\xA0"
       "bone L_a\n",
       "", 2, ":2: indentation with a non-breaking space (U+00A0): indent with spaces", ""},
      {"a '#' inside a name", "root a\n  bone L_a#x 1 0 0\n", "", 2,
       ":2: '#' right after the name 'L_a' starts a comment: put a space before the comment, "
       "or quote the name\n",
       ""},
      {"--list writes names as the scene format does", "model Rig\n  root \"L a\"\n", "--list", 0,
       "", "Rig model\n\"Rig.L a\" root\n"},
      {"--select by an object's own name", "model Hero\n  model Skel\n    root LeftClavicle\n",
       "--select LeftClavicle", 2,
       "no object with that full name in (standard input); did you mean "
       "Hero.Skel.LeftClavicle?\n",
       ""},
      {"--fail by a name in the wrong case", "root L_a\n", "--fail putname", 2,
       "--fail putname: no host operation or command named 'putname'; did you mean PutName?\n", ""},
      {"--answer by the item's number, as the dialog takes it", "root L_a\n", "--answer 2", 0, "",
       "root L_a\nroot R_a\n"},
      {"--svg - would mix the picture into the scene", "root L_a\n", "--svg -", 2,
       "--svg -: standard output carries the scene after the run; give the picture a file\n", ""},
  };
  for (const Case& c : cases) {
    const Outcome run = MinihostReading(c.scene, c.options);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
    EXPECT_TRUE(Contains(run.err, c.err)) << c.what << "\n" << run.err;
    EXPECT_TRUE(Contains(run.out, c.out)) << c.what << "\n" << run.out;
  }
}

// What is not a readable scene is refused before anything runs, with the reason.
TEST(MinihostInput, WhatIsNotAReadableSceneIsRefused) {
  const std::string folder = kelvane_test::TemporaryFile("folder");
  Remove(folder);
  std::filesystem::create_directory(std::filesystem::u8path(folder));
  const Outcome directory = Minihost(kelvane_test::ShellQuoted(folder));
  EXPECT_EQ(directory.status, 2);
  EXPECT_EQ(directory.err, "minihost: cannot read " + folder + ": it is a directory\n");
  EXPECT_EQ(directory.out, "");
  std::filesystem::remove(std::filesystem::u8path(folder));

  struct Case {
    std::string text;
    const char* message;
  };
  for (const Case& c : {
           Case{"root a\rroot b\r",
                "minihost: (standard input):1: carriage return inside the line (line ends must "
                "be LF or CRLF)\n"},
           Case{"ro\033[31mot a\n",
                "minihost: (standard input):1: control character \\x1b in the type\n"},
           Case{std::string("root a\n  bone \0b\n", 17),
                "minihost: (standard input):2: NUL byte: this is not a text file\n"},
       }) {
    const Outcome run = MinihostReading(c.text);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "") << c.message;
  }
}

// Devices: one that fails, one that never ends, and a stream past the size minihost reads.
TEST(MinihostInput, DevicesAndEndlessInputAreRefused) {
  SKIP_WITHOUT_POSIX_SHELL();
  struct Case {
    const char* line;
    const char* message;
  };
  for (const Case& c : {
           Case{"$M /proc/self/mem </dev/null",
                "minihost: cannot read /proc/self/mem: Input/output error\n"},
           Case{"timeout 10 $M /dev/zero </dev/null",
                "minihost: /dev/zero:1: NUL byte: this is not a text file\n"},
           Case{"yes 'null a' | head -c 300000000 | timeout 60 $M -",
                "minihost: cannot read -: larger than 256 MiB, the most minihost reads\n"},
       }) {
    const Outcome run = Shell(c.line);
    EXPECT_EQ(run.status, 2) << c.line;
    EXPECT_EQ(run.err, c.message) << c.line;
    EXPECT_EQ(run.out, "") << c.line;
  }
}

// The most minihost reads is 256 MiB: a file of exactly that is read, one byte more is not.
TEST(MinihostInput, ReadsUpToItsSizeLimitExactly) {
  constexpr std::size_t kLimit = std::size_t{256} << 20;
  for (const std::size_t size : {kLimit, kLimit + 1}) {
    // Comment lines of 1 MiB, the last one cut to make the size.
    std::string text;
    text.reserve(size);
    const std::string line = "#" + std::string((1 << 20) - 2, '-') + "\n";
    while (text.size() + line.size() < size)
      text += line;
    text += "#" + std::string(size - text.size() - 1, '-');
    const Outcome run = MinihostReading(text, "--list");
    if (size == kLimit) {
      EXPECT_EQ(run.status, 0) << run.err;
    } else {
      EXPECT_EQ(run.status, 2);
      EXPECT_EQ(run.err, "minihost: cannot read -: larger than 256 MiB, the most minihost reads\n");
    }
  }
}

TEST(MinihostInput, ByteOrderMarkCrlfAndStandardInputAreRead) {
  const Outcome run =
      MinihostReading("\xEF\xBB\xBFmodel Rig\r\n  root L_a 1 0 0\r\n", "--answer L_,R_");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "model Rig\n  root L_a 1 0 0\n  root R_a -1 0 0\n");
}

// A long or hostile value never reaches the terminal whole or raw.
TEST(MinihostInput, MessagesQuoteShortEscapedExcerpts) {
  const Outcome number = MinihostReading("root a 1 2 " + std::string(100000, '7') + "x\n");
  EXPECT_EQ(number.status, 2);
  EXPECT_LT(number.err.size(), 200u) << number.err.substr(0, 300);
  EXPECT_TRUE(Contains(number.err, "... (100001 bytes)' is not a decimal number")) << number.err;

  const Outcome huge = MinihostReading("root a 1 2 1e309\n");
  EXPECT_TRUE(Contains(huge.err, "'1e309' is out of range")) << huge.err;

  // Long enough to bury a message, short enough for every system's command line.
  const Outcome select = Minihost("--select " + std::string(5000, 'q'));
  EXPECT_EQ(select.status, 2);
  EXPECT_LT(select.err.size(), 300u);

  const Outcome typed = MinihostReading("root a\n  bone b\x1b]0;x\x07\n");
  EXPECT_EQ(typed.status, 2);
  EXPECT_FALSE(HasRawControlCharacter(typed.err)) << typed.err;
}

TEST(MinihostInput, ControlCharactersOnTheCommandLineAreEscaped) {
  SKIP_WITHOUT_POSIX_SHELL();
  const Outcome escape = Shell(
      "$M --select $(printf 'Rig.\\033[31mred') --answer $(printf "
      "'\\033[2J') </dev/null");
  EXPECT_EQ(escape.status, 2);
  EXPECT_TRUE(Contains(escape.err, "\\x1b")) << escape.err;
  EXPECT_FALSE(HasRawControlCharacter(escape.err)) << escape.err;
}

TEST(MinihostSelect, ANameThatSeveralObjectsShareIsAnError) {
  const std::string scene = WriteTemp("null a\n  root L_root\nnull b\n  root L_root\n");
  const Outcome run = Minihost(scene + " --select L_root");
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(Contains(run.err, "--select L_root: 2 objects in " + scene + " have that full name"))
      << run.err;
  EXPECT_EQ(run.out, "");
  Remove(scene.c_str());
}

TEST(MinihostSelect, ListAndSuggestionsFindTheName) {
  const std::string scene = WriteTemp(
      "model Rig\n  root LeftArm\n    property Notes\n"
      "    bone LeftUpper\n  root LeftLeg\n");
  const Outcome list = Minihost(scene + " --list");
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "Rig model\nRig.LeftArm root\nRig.LeftUpper bone\nRig.LeftLeg root\n");
  const Outcome typo = Minihost(scene + " --select Rig.LeftAm");
  EXPECT_EQ(typo.status, 2);
  EXPECT_TRUE(Contains(typo.err, "did you mean Rig.LeftArm, Rig.LeftLeg?")) << typo.err;
  const Outcome far = Minihost(scene + " --select Nothing.Like.It");
  EXPECT_TRUE(Contains(far.err, "(--list shows every full name)")) << far.err;
  Remove(scene.c_str());
}

TEST(MinihostRun, SaysWhenTheRuleFlippedNoName) {
  const std::string scene = WriteTemp("root L_a 1 0 0\n");
  const Outcome same = Minihost(scene + " --answer Left,Right");
  EXPECT_EQ(same.status, 0);
  EXPECT_TRUE(Contains(same.err, "minihost: note: the rule flipped no name")) << same.err;
  const Outcome flipped = Minihost(scene + " --answer L_,R_");
  EXPECT_FALSE(Contains(flipped.err, "note:")) << flipped.err;
  Remove(scene.c_str());
}

// Output that the system does not take is an error, not a silent success.
TEST(MinihostOutput, WriteErrorsAreReported) {
  SKIP_WITHOUT_POSIX_SHELL();
  const std::string example = std::string(kelvane_test::ExamplesFolder()) + "/worked_example.scene";
  struct Case {
    std::string line;
    const char* reason;
  };
  for (const Case& c :
       {Case{"$M " + example + " --answer L_,R_ </dev/null >/dev/full", "No space left on device"},
        Case{"$M " + example + " --answer L_,R_ </dev/null >&-", "Bad file descriptor"},
        Case{"$M --list </dev/null >/dev/full", "No space left on device"},
        Case{"$M --version </dev/null >/dev/full", "No space left on device"}}) {
    const Outcome run = Shell(c.line);
    EXPECT_EQ(run.status, 3) << c.line;
    EXPECT_TRUE(
        Contains(run.err, std::string("minihost: cannot write standard output: ") + c.reason))
        << c.line << ": " << run.err;
  }
}

TEST(MinihostOutput, APictureThatCannotBeWrittenStopsTheRunBeforeItStarts) {
  const std::string scene = WriteTemp("root L_a 1 0 0\n");
  struct Case {
    std::string options;
    std::string message;
  };
  for (const Case& c :
       {Case{"--svg /nonexistent/dir/x.svg",
             "minihost: cannot write /nonexistent/dir/x.svg: No such file or directory\n"},
        Case{"--svg=", "minihost: cannot write : "},
        Case{"--svg " + scene, "minihost: --svg " + scene +
                                   " is the scene file: it would be "
                                   "overwritten\n"}}) {
    const Outcome run = Minihost(scene + " --answer L_,R_ " + c.options);
    EXPECT_EQ(run.status, 2) << c.options;
    EXPECT_EQ(run.err.substr(0, c.message.size()), c.message) << c.options;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "") << c.options;
  }
  EXPECT_EQ(kelvane_test::ReadWholeFile(scene), "root L_a 1 0 0\n");
  Remove(scene.c_str());
}

// With standard input a terminal, the dialog talks to the terminal itself: standard error,
// sent to a file, holds the log alone, one message a line, and the log comes as it happens.
TEST(MinihostDialog, TalksThroughTheTerminal) {
  SKIP_WITHOUT_POSIX_SHELL();
  const std::string scene = WriteTemp("root L_a 1 0 0\n");
  const Outcome tty =
      Shell("printf ' L_,r_ \\n' | script -qec \"$M " + scene + " 2>" + scene + ".log\" /dev/null");
  EXPECT_EQ(tty.status, 0) << tty.err;
  EXPECT_TRUE(Contains(tty.out, "== Kelvane by TUV ==")) << tty.out;
  EXPECT_TRUE(Contains(tty.out, "root R_a -1 0 0")) << tty.out;
  EXPECT_EQ(kelvane_test::ReadWholeFile(scene + ".log"),
            "[info] kelvane_Execute called\n[info] kelvanePlugin has been unloaded.\n");
  Remove((scene + ".log").c_str());

  const Outcome both = Shell("printf 'cancel\\n' | script -qec \"$M " + scene + "\" /dev/null");
  const auto called = both.out.find("[info] kelvane_Execute called");
  const auto dialog = both.out.find("== Kelvane by TUV ==");
  ASSERT_NE(called, std::string::npos) << both.out;
  EXPECT_LT(called, dialog) << both.out;
  EXPECT_TRUE(Contains(both.out, "[info] User cancelled")) << both.out;
  Remove(scene.c_str());
}

TEST(MinihostOptions, EveryFormAUnixUserExpects) {
  SKIP_WITHOUT_POSIX_SHELL();
  const std::string example = std::string(kelvane_test::ExamplesFolder()) + "/worked_example.scene";
  const std::string right = "    root R_root -1 12 0\n";
  const std::string minihost = kelvane_test::MinihostPath();
  const std::string bin = minihost.substr(0, minihost.find_last_of('/'));
  const std::string dashed = WriteTemp("root L_a\n");
  const std::string dashName = dashed.substr(0, dashed.find_last_of('/') + 1) + "-dash.scene";
  std::rename(dashed.c_str(), dashName.c_str());
  struct Case {
    std::string line;
    int status;
    std::string out;  // a part of standard output
  };
  for (const Case& c : {
           Case{"$M --answer=L_,R_ " + example + " </dev/null", 0, right},
           Case{"$M --answer=' l_,r_ ' " + example + " </dev/null", 0, right},
           Case{"cat " + example + " | $M --answer L_,R_ -", 0, right},
           Case{"cd " + dashName.substr(0, dashName.find_last_of('/')) +
                    " && $M --answer L_,R_ -- -dash.scene </dev/null",
                0, "root R_a\n"},
           Case{
               "cd " + bin + " && $M --plugin kelvane.so --answer L_,R_ " + example + " </dev/null",
               0, right},
           Case{"$M --version", 0, "minihost (kelvane) 1.0\n"},
       }) {
    const Outcome run = Shell(c.line);
    EXPECT_EQ(run.status, c.status) << c.line << "\n" << run.err;
    EXPECT_TRUE(Contains(run.out, c.out)) << c.line << "\n" << run.out;
  }
  Remove(dashName.c_str());

  // A plug-in named without a folder is that file in the current folder, never a library
  // found elsewhere (such as the one beside minihost).
  const Outcome elsewhere = Shell("cd /tmp && $M --plugin kelvane.so </dev/null");
  EXPECT_EQ(elsewhere.status, 1);
  EXPECT_TRUE(Contains(elsewhere.err, "./kelvane.so")) << elsewhere.err;
}

TEST(MinihostOptions, ConflictsAreErrors) {
  struct Case {
    const char* options;
    const char* message;
  };
  for (const Case& c : {
           Case{"--info --svg x.svg", "--info does not run the command: --svg has no use with it"},
           Case{"--list --answer cancel",
                "--list does not run the command: --answer has no use with it"},
           Case{"--info --list", "--info and --list do not go together"},
           Case{"--no-select --select a", "--no-select and --select do not go together"},
           Case{"--list=yes", "option --list takes no value"},
           Case{"--answer=",
                "--answer takes \"Left,Right\" (or 1), \"L_,R_\" (or 2) or cancel, not "},
       }) {
    const Outcome run = Minihost(c.options);
    EXPECT_EQ(run.status, 2) << c.options;
    EXPECT_TRUE(Contains(run.err, std::string("minihost: ") + c.message)) << run.err;
    EXPECT_FALSE(Contains(run.err, "[info]")) << c.options;
  }
}

// The picture on rigs a rigger draws: labels stay apart and off the plane's line, long names
// are shortened with the whole name as a tooltip, huge coordinates still give numbers.
TEST(MinihostPicture, LabelsStayApartAndEveryNumberIsANumber) {
  const std::string svgPath = kelvane_test::TemporaryFile("svg");
  const std::string longName(100000, 'n');
  const std::string scene =
      WriteTemp("root L_a 1.7e308 -1.7e308 0\n  bone L_b -1.7e308 1.7e308 0\n  bone " + longName +
                " 0 0 0\n");
  const Outcome run =
      Minihost(scene + " --answer cancel --svg " + kelvane_test::ShellQuoted(svgPath));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string svg = kelvane_test::ReadWholeFile(svgPath);
  EXPECT_FALSE(Contains(svg, "nan")) << svg.substr(0, 2000);
  EXPECT_FALSE(Contains(svg, "inf"));
  EXPECT_TRUE(Contains(svg, std::string(40, 'n') + "...</text>"));
  EXPECT_TRUE(Contains(svg, "<title>" + longName + "</title>"));
  EXPECT_TRUE(Contains(svg, "the run made nothing"));
  EXPECT_FALSE(Contains(svg, "made by the run"));

  // Every label of the biped against every other: no two boxes overlap.
  const Outcome biped = Minihost(std::string(kelvane_test::ExamplesFolder()) +
                                 "/biped.scene --select Character.Skeleton.LeftHip "
                                 "--answer Left,Right --svg " +
                                 svgPath);
  ASSERT_EQ(biped.status, 0) << biped.err;
  const std::string drawn = kelvane_test::ReadWholeFile(svgPath);
  struct Label {
    double left, right, top, bottom;
  };
  std::vector<Label> labels;
  const std::string start = "<text x=\"";
  for (auto at = drawn.find(start); at != std::string::npos; at = drawn.find(start, at + 1)) {
    double x = 0, y = 0;
    char anchor[8] = {};
    if (std::sscanf(drawn.c_str() + at,
                    "<text x=\"%lf\" y=\"%lf\" fill=\"#%*6s\" "
                    "text-anchor=\"%7[a-z]\"",
                    &x, &y, anchor) != 3)
      continue;  // the legend and the plane's label
    const auto open = drawn.find('>', at) + 1;
    const double width = 7.5 * static_cast<double>(drawn.find('<', open) - open);
    const bool start = std::string(anchor) == "start";
    labels.push_back({start ? x : x - width, start ? x + width : x, y - 12, y});
  }
  ASSERT_EQ(labels.size(), 15u);
  for (size_t i = 0; i < labels.size(); ++i) {
    for (size_t j = i + 1; j < labels.size(); ++j) {
      const Label& a = labels[i];
      const Label& b = labels[j];
      EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
          << "labels " << i << " and " << j << " overlap";
    }
  }
  // The plane's label stands beside its dashed line, not on it.
  double lineX = 0, labelX = 0;
  const auto line = drawn.find("<line x1=\"");
  const auto label = drawn.rfind("<text x=\"", drawn.find(">x = 0</text>"));
  ASSERT_NE(line, std::string::npos);
  ASSERT_NE(label, std::string::npos);
  ASSERT_EQ(std::sscanf(drawn.c_str() + line, "<line x1=\"%lf\"", &lineX), 1);
  ASSERT_EQ(std::sscanf(drawn.c_str() + label, "<text x=\"%lf\"", &labelX), 1);
  EXPECT_TRUE(Contains(drawn.substr(line, 120), "stroke-dasharray"));
  EXPECT_GE(labelX, lineX + 3);
  EXPECT_FALSE(Contains(drawn.substr(label, 80), "text-anchor=\"middle\""));
  Remove(svgPath.c_str());
  Remove(scene.c_str());
}

}  // namespace

#include "scene_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scene_fixture.h"
#include "scene_host.h"

namespace {

using minihost::ParseScene;
using minihost::PrintScene;

TEST(SceneFile, RoundTripsThroughTheHostUnchanged) {
  const std::string text = R"(property SceneNotes
model Rig
  property RigInfo
  root L_root 1 0 0
    bone L_bone1 2 0.25 -3
      bone "with space" 3 0 0
      bone "~ and space, the ends of the printable" 3 0 0
      bone "quote\"back\\slash#hash" 1e+21 -1.5e-07 0
    eff L_eff 4 0 0
  null "" 0 0 0
)"
                           "root Gau\xC3\x9F\xF0\x9F\xA6\xB4 0.1 0.2 0.30000000000000004\n";
  // An empty quoted name is an error; drop that line for the round trip.
  std::string valid = text;
  valid.erase(valid.find("  null \"\" 0 0 0\n"), std::string("  null \"\" 0 0 0\n").size());
  kelvane_test::BuildScene(valid);
  EXPECT_EQ(kelvane_test::SceneText(), valid);
}

TEST(SceneFile, CanonicalFormOfNumbersAndNames) {
  minihost::Scene scene;
  std::string error;
  ASSERT_TRUE(
      ParseScene("root   \"plain\"   -0 +2.50 1E3   # trailing comment\r\n", "f", scene, error))
      << error;
  EXPECT_EQ(PrintScene(scene), "root plain 0 2.5 1000\n");
}

TEST(SceneFile, SkipsBlankLinesAndComments) {
  minihost::Scene scene;
  std::string error;
  ASSERT_TRUE(ParseScene("\n# top\n   \nroot a\n\t# tabbed comment\n  # deep comment\n   \n", "f",
                         scene, error))
      << error;
  ASSERT_EQ(scene.size(), 1u);
  EXPECT_EQ(scene[0].lineNumber, 4);
}

TEST(SceneFile, PropertiesBelongToTheObjectAbove) {
  kelvane_test::BuildScene("root a\n  property p\n  bone b\n");
  const auto info = xsihost::Describe(kelvane_test::Object("a"));
  ASSERT_EQ(info.properties.size(), 1u);
  EXPECT_EQ(kelvane_test::NameOf(info.properties[0]), "p");
  ASSERT_EQ(info.children.size(), 1u);
  EXPECT_EQ(kelvane_test::NameOf(info.children[0]), "b");
}

struct BadScene {
  std::string text;
  const char* error;
};

void PrintTo(const BadScene& c, std::ostream* os) {
  *os << c.error;
}

class MalformedScene : public testing::TestWithParam<BadScene> {};

TEST_P(MalformedScene, ErrorNamesFileAndLine) {
  minihost::Scene scene;
  std::string error;
  EXPECT_FALSE(ParseScene(GetParam().text, "rig.scene", scene, error));
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    SceneFile, MalformedScene,
    testing::Values(
        BadScene{"root a\n\troot b\n",
                 "rig.scene:2: tab in the indentation (indent with two spaces per level)"},
        BadScene{"root a\n   bone b\n", "rig.scene:2: indentation is not a multiple of two spaces"},
        BadScene{"root a\n    bone b\n",
                 "rig.scene:2: more than one level deeper than the line before"},
        BadScene{"  root a\n", "rig.scene:1: the first object must not be indented"},
        BadScene{"root\n", "rig.scene:1: missing name after 'root'"},
        BadScene{"root a 1 2\n", "rig.scene:1: a position needs three numbers X Y Z"},
        BadScene{"root a 1 2 3 4\n", "rig.scene:1: unexpected text after the position"},
        BadScene{"root a 1 x 3\n", "rig.scene:1: 'x' is not a decimal number"},
        BadScene{"root a 1 2 inf\n", "rig.scene:1: 'inf' is not a decimal number"},
        BadScene{"root a 1 2 1e999\n",
                 "rig.scene:1: '1e999' is out of range (a double holds about 1e-308 to 1e308)"},
        BadScene{"root a 1 2 1e309\n",
                 "rig.scene:1: '1e309' is out of range (a double holds about 1e-308 to 1e308)"},
        BadScene{"root a 0x1 2 3\n", "rig.scene:1: '0x1' is not a decimal number"},
        BadScene{"root \"a\n", "rig.scene:1: missing closing quote"},
        BadScene{"root \"a\\n\"\n",
                 "rig.scene:1: unknown escape in quoted name (only \\\" and \\\\)"},
        BadScene{"root \"\"\n", "rig.scene:1: empty name"},
        BadScene{"root a\"b\"\n", "rig.scene:1: unexpected character after the name"},
        BadScene{"root \"a\"b\n", "rig.scene:1: unexpected character after the name"},
        BadScene{"\"root\" a\n", "rig.scene:1: expected a type word at the start of the line"},
        BadScene{"root a\x01\n", "rig.scene:1: control character \\x01 in the name"},
        BadScene{"root a\x1f\n", "rig.scene:1: control character \\x1f in the name"},
        BadScene{"root a\x7f\n", "rig.scene:1: control character \\x7f in the name"},
        BadScene{"ro\x1b[31mot a\n", "rig.scene:1: control character \\x1b in the type"},
        BadScene{std::string("root a\0b\n", 9), "rig.scene:1: NUL byte: this is not a text file"},
        BadScene{"root a\rroot b\r",
                 "rig.scene:1: carriage return inside the line (line ends "
                 "must be LF or CRLF)"},
        BadScene{"root a 1 2 " + std::string(100000, '7') + "x\n",
                 "rig.scene:1: '7777777777777777777777777777777777777777... (100001 bytes)' is "
                 "not a decimal number"},
        BadScene{"root \xC3\n", "rig.scene:1: not valid UTF-8 text"},
        BadScene{"property p 1 2 3\n", "rig.scene:1: a property has no position"},
        BadScene{"root a\n  property p\n    bone b\n", "rig.scene:3: a property has no children"},
        BadScene{"# fine\n\nroot a\nroot\n", "rig.scene:4: missing name after 'root'"}),
    kelvane_test::PrintedName());

TEST(SceneFile, ByteOrderMarkAndCrlfLineEndsAreRead) {
  minihost::Scene scene;
  std::string error;
  ASSERT_TRUE(ParseScene("\xEF\xBB\xBFmodel Rig\r\n  root a 1 2 3\r\n", "f", scene, error))
      << error;
  ASSERT_EQ(scene.size(), 2u);
  EXPECT_EQ(scene[0].type, "model");
  EXPECT_EQ(minihost::PrintScene(scene), "model Rig\n  root a 1 2 3\n");
  // A mark opening another line is an error (printed first, it would be taken for the file's);
  // inside a name it is an ordinary character.
  EXPECT_FALSE(ParseScene("# rig\n\xEF\xBB\xBFmodel Rig\n", "f", scene, error));
  EXPECT_EQ(error, "f:2: a byte-order mark (U+FEFF) may only open the file");
  ASSERT_TRUE(ParseScene("root a\xEF\xBB\xBF\n", "f", scene, error)) << error;
  EXPECT_EQ(scene[0].name, "a\xEF\xBB\xBF");
}

TEST(SceneFile, FormatNumberIsShortestAndExact) {
  for (double v : {0.1, 1.0 / 3, -2.5, 1e-300, 123456789.125, 5e-324}) {
    const std::string text = minihost::FormatNumber(v);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
  }
  EXPECT_EQ(minihost::FormatNumber(-0.0), "0");
  EXPECT_EQ(minihost::FormatNumber(0.1), "0.1");
  EXPECT_EQ(minihost::FormatNumber(-7), "-7");
}

// Whole numbers take a quicker road in and out of the file; it must end where the general one
// does: the shortest text ("1e+06", not "1000000"), and the same value read back.
TEST(SceneFile, WholeNumbersReadAndPrintAsTheGeneralFormDoes) {
  const double kExact = 9007199254740992.0;  // 2^53
  for (double v : {1.0, -1.0, 7.0, 10.0, 1000000.0, -1000000.0, 1234567.0, 120.0, 999999999999999.0,
                   1e15, kExact - 1, kExact, kExact + 2, -kExact + 1, 1e20, 123456789012345.0}) {
    char general[64];
    const auto [end, ec] = std::to_chars(general, general + sizeof general, v);
    ASSERT_EQ(ec, std::errc());
    EXPECT_EQ(minihost::FormatNumber(v), std::string(general, end)) << v;
  }
  for (const char* word : {"0012", "+5", "-0", "123456789012345", "1234567890123456", "-42"}) {
    minihost::Scene scene;
    std::string error;
    ASSERT_TRUE(ParseScene(std::string("root a ") + word + " 0 0\n", "f", scene, error)) << error;
    ASSERT_TRUE(scene[0].position.has_value());
    const std::string_view digits = word[0] == '+' ? word + 1 : word;
    double general = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), general);
    EXPECT_EQ(scene[0].position->x, general) << word;
    EXPECT_EQ(std::signbit(scene[0].position->x), std::signbit(general)) << word;
  }
}

}  // namespace

// The scene file format of minihost: one object per line, nesting by indentation.
//
//     # comment; blank lines are ignored
//     model Rig
//       root L_root 1 0 0
//         bone L_bone1 2 0 0
//         property Notes
//
// Two spaces of indentation per level, at most one level deeper than the line before, no tabs
// in the indentation. A line is `TYPE NAME` or `TYPE NAME X Y Z`; NAME is a word without
// spaces, quotes or '#', or a double-quoted string with \" and \\ escapes. `property NAME` is a
// custom property of the object above it. A '#' outside a quoted name starts a comment.
#pragma once

#include <xsihost/host.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace minihost {

struct SceneLine {
  int depth = 0;
  bool isProperty = false;
  std::string type;  // "property" for a property
  std::string name;  // UTF-8
  std::optional<xsihost::Position> position;
  int lineNumber = 0;  // in the file it came from; 0 for scenes read from the host

  bool operator==(const SceneLine& other) const;
};

using Scene = std::vector<SceneLine>;

// Parses a whole file. On error returns false and sets `error` to "FILE:LINE: what is wrong";
// `scene` is then unspecified.
bool ParseScene(std::string_view text, const std::string& fileName, Scene& scene,
                std::string& error);
// The same, handing each line to `onLine` as it is read instead of keeping the scene: the way
// to read a large file. On error `onLine` has seen the lines before the wrong one.
bool ParseScene(std::string_view text, const std::string& fileName,
                const std::function<void(const SceneLine&)>& onLine, std::string& error);

// The scene as text that ParseScene reads back to the same scene: names quoted only when they
// must be, numbers in their shortest exact form, -0 as 0.
std::string PrintScene(const Scene& scene);

// `name` as the scene format writes it: as it is when it is a word, otherwise in double quotes
// with `"` and `\` escaped. NameAsWritten("with space") is "\"with space\"".
std::string NameAsWritten(std::string_view name);

// The shortest text that reads back as exactly `value`; -0 prints as 0.
std::string FormatNumber(double value);

// Appends one line of a scene file to `out`, as PrintScene writes it.
void AppendSceneLine(std::string& out, int depth, bool isProperty, std::string_view type,
                     std::string_view name, const xsihost::Position* position);

}  // namespace minihost

// Reading the scene file that minihost runs on.
#pragma once

#include <cstddef>
#include <string>

namespace minihost {

// The most minihost reads of a scene: a rig of millions of objects fits well within it.
constexpr std::size_t kMaxSceneBytes = std::size_t{256} << 20;

// Reads the file at `path` whole into `text`; "-" reads standard input. Gives false with
// `error` set ("cannot read PATH: REASON") for a file that cannot be opened or read (a
// directory, a device that fails), or one larger than kMaxSceneBytes. Stops reading at the
// first NUL byte, which no scene file holds, so that the parser reports the line and a
// device like /dev/zero is not read without end.
bool ReadSceneFile(const std::string& path, std::string& text, std::string& error);

}  // namespace minihost

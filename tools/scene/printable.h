// Text from users' files and command lines, made safe to print: a control character written to
// a terminal can recolour it, move the cursor or worse, and a value of a megabyte buries the
// message it stands in.
#pragma once

#include <string>
#include <string_view>

namespace minihost {

// `text` with every control character (C0, DEL, C1) and every byte that is not part of valid
// UTF-8 written as an escape, "\x1b" or "\u009b"; a backslash stays as it is. The rest of the
// text is unchanged. Example: Printable("a\x1b[31mb") is "a\\x1b[31mb".
std::string Printable(std::string_view text);

// A short, printable excerpt of `text` for a message: Printable(text) when `text` has at most
// `most` characters, otherwise its first `most` characters, "...", and how long it is. Example:
// Excerpt(std::string(100000, '7'), 8) is "77777777... (100000 bytes)".
std::string Excerpt(std::string_view text, std::size_t most = 40);

}  // namespace minihost

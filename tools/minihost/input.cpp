#include "input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform.h"
#include "printable.h"

namespace minihost {

bool ReadSceneFile(const std::string& path, std::string& text, std::string& error) {
  const bool standardInput = path == "-";
  auto fail = [&](const std::string& reason) {
    error = "cannot read " + Printable(path) + ": " + reason;
    return false;
  };
  std::error_code ec;
  if (!standardInput && std::filesystem::is_directory(PathFromUtf8(path), ec))
    return fail("it is a directory");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> owned(nullptr, std::fclose);
  std::FILE* in = stdin;
  if (!standardInput) {
    errno = 0;
    owned.reset(OpenFile(path, "rb"));
    if (!owned)
      return fail(std::strerror(errno));
    in = owned.get();
  }
  text.clear();
  // A file's size is known: room for it at once, instead of growing and copying as it comes.
  if (!standardInput) {
    const auto size = std::filesystem::file_size(PathFromUtf8(path), ec);
    if (!ec && size < kMaxSceneBytes)
      text.reserve(static_cast<std::size_t>(size) + 1);
  }
  char chunk[1 << 16];
  while (true) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, in);
    const void* nul = std::memchr(chunk, '\0', n);
    if (nul != nullptr) {
      text.append(chunk, static_cast<std::size_t>(static_cast<const char*>(nul) - chunk) + 1);
      return true;
    }
    if (text.size() + n > kMaxSceneBytes)
      return fail("larger than " + std::to_string(kMaxSceneBytes >> 20) +
                  " MiB, the most minihost reads");
    text.append(chunk, n);
    if (n < sizeof chunk) {
      if (std::ferror(in) != 0)
        return fail(std::strerror(errno != 0 ? errno : EIO));
      if (std::feof(in) != 0)
        return true;
    }
  }
}

}  // namespace minihost

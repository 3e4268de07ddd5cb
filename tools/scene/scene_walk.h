// Reading the host's scene as minihost shows it: full names, and the scene as scene-file text,
// one object at a time, so that a scene of a million objects is never copied whole.
#pragma once

#include <xsihost/host.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace minihost {

// Calls `visit` on every scene object and property in scene order with its full name in UTF-8,
// the name by which --select and the host's commands know it: the enclosing models below the
// scene root and the own name, joined by "."; a property's is its owner's followed by "." and
// its own (a property of the scene root: its own name).
void VisitFullNames(
    const std::function<void(const xsihost::SceneEntry&, const std::string& fullName)>& visit);
// The same for the entries that `wants` picks; the others cost no full name.
void VisitFullNames(
    const std::function<bool(const xsihost::SceneEntry&)>& wants,
    const std::function<void(const xsihost::SceneEntry&, const std::string& fullName)>& visit);

// The xsihost::ObjectId of every scene object and property, sorted: a record of what was there,
// for IsIn().
std::vector<std::uint64_t> SceneIds();
bool IsIn(const std::vector<std::uint64_t>& sorted, std::uint64_t value);

// A set of texts kept as a Bloom filter: MayHold() is true for every text added, and false for
// all but about one in a hundred others. Two bytes a text, whatever its length.
class TextFilter {
 public:
  explicit TextFilter(std::size_t expected);
  void Add(std::string_view text);
  bool MayHold(std::string_view text) const;

 private:
  std::vector<std::uint64_t> m_bits;
};

// Text written to a file in pieces of about a megabyte. Write errors are kept, not thrown.
class ChunkedWriter {
 public:
  explicit ChunkedWriter(std::FILE* file) : m_file(file) {}
  // The text to append to; call Flush() now and then to write what is there.
  std::string& Text() { return m_text; }
  // Writes the text when a megabyte or more is waiting.
  void Flush() {
    if (m_text.size() >= (1u << 20))
      WriteNow();
  }
  // Writes what is left and flushes the file; false, with `error` set, if any write failed.
  bool Finish(std::string& error);

 private:
  void WriteNow();
  std::FILE* m_file;
  std::string m_text;
  int m_errno = 0;
  bool m_failed = false;
};

// Writes the host's scene to `writer` as a scene file that minihost reads back.
void WriteScene(ChunkedWriter& writer);

}  // namespace minihost

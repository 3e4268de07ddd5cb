#include "string_replacer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace kelvane {

using XSI::CString;
using XSI::LONG;
using XSI::ULONG;

namespace {

// A text being put together, in wide characters: on the stack for a name's length, on the heap
// beyond, so that a name is rebuilt without an allocation of its own. A wide character of a
// code unit's value becomes that one unit again in a host string.
class WideText {
 public:
  WideText() = default;
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  std::size_t Size() const { return m_size; }
  wchar_t operator[](std::size_t index) const { return Data()[index]; }
  void Clear() { m_size = 0; }
  // Appends the code units [begin, end) of `text`.
  template <typename Text>
  WideText& Append(const Text& text, std::size_t begin, std::size_t end) {
    wchar_t* out = Room(m_size + (end - begin)) + m_size;
    for (std::size_t i = begin; i < end; ++i)
      *out++ = static_cast<wchar_t>(text[static_cast<ULONG>(i)]);
    m_size += end - begin;
    return *this;
  }
  CString ToString() {
    Room(m_size + 1)[m_size] = L'\0';
    return CString(Data());
  }

 private:
  static constexpr std::size_t kInline = 128;
  const wchar_t* Data() const { return m_heap.empty() ? m_inline : m_heap.data(); }
  // Room for `size` characters, keeping those there.
  wchar_t* Room(std::size_t size) {
    if (m_heap.empty() && size <= kInline)
      return m_inline;
    if (m_heap.empty())
      m_heap.assign(m_inline, m_size);
    if (m_heap.size() < size)
      m_heap.resize(std::max(size, 2 * m_heap.size()));
    return &m_heap[0];
  }

  wchar_t m_inline[kInline];
  std::wstring m_heap;
  std::size_t m_size = 0;
};

std::size_t SizeOf(const CString& text) {
  return text.Length();
}
std::size_t SizeOf(const WideText& text) {
  return text.Size();
}

// First index at or after `start` where `pattern` occurs in `text` (a CString or a WideText),
// or -1. An empty pattern is never found; neither is one longer than what is left.
//
// Each window of the pattern's length is judged by its last code unit (Horspool's search): when
// that unit does not end the pattern, the window moves on by how far the unit's last place in
// the pattern lies from the pattern's end, or by the whole length if it has none, since no
// nearer start could match. So a long pattern, like the temporary suffix, is looked for a few
// windows a name instead of at every unit. Windows are tried left to right, and none is skipped
// that could hold a match: the first occurrence is found, as a unit-by-unit search would.
template <typename Text>
LONG FindFrom(const Text& text, const CString& pattern, std::size_t start) {
  const std::size_t length = SizeOf(text);
  const std::size_t patternLength = pattern.Length();
  if (patternLength == 0 || patternLength > length)
    return -1;
  const std::size_t last = patternLength - 1;
  // Shifts by the unit's low byte: units that share one take the smallest shift, which is safe.
  std::uint8_t shift[256];
  std::memset(shift, static_cast<int>(std::min<std::size_t>(patternLength, 255)), sizeof shift);
  for (std::size_t k = 0; k < last; ++k)
    shift[pattern[static_cast<ULONG>(k)] & 0xFF] =
        static_cast<std::uint8_t>(std::min<std::size_t>(last - k, 255));
  const auto end = static_cast<wchar_t>(pattern[static_cast<ULONG>(last)]);
  for (std::size_t i = start; i + patternLength <= length;) {
    const auto unit = static_cast<wchar_t>(text[static_cast<ULONG>(i + last)]);
    if (unit == end) {
      std::size_t k = 0;
      while (k < last && static_cast<wchar_t>(text[static_cast<ULONG>(i + k)]) ==
                             static_cast<wchar_t>(pattern[static_cast<ULONG>(k)])) {
        ++k;
      }
      if (k == last)
        return static_cast<LONG>(i);
    }
    i += shift[static_cast<std::uint32_t>(unit) & 0xFF];
  }
  return -1;
}

}  // namespace

StringReplacer::StringReplacer(CString text) : m_text(std::move(text)) {}

LONG StringReplacer::Find(CString pattern) const {
  return FindFrom(m_text, pattern, 0);
}

CString StringReplacer::ReplaceFirst(CString from, CString to) const {
  if (from.Length() > m_text.Length())
    return m_text;
  const LONG p = FindFrom(m_text, from, 0);
  if (p == -1)
    return m_text;
  const auto at = static_cast<std::size_t>(p);
  WideText result;
  result.Append(m_text, 0, at).Append(to, 0, to.Length());
  return result.Append(m_text, at + from.Length(), m_text.Length()).ToString();
}

CString StringReplacer::ReplaceAll(CString from, CString to) const {
  const std::size_t fromLength = from.Length();
  const LONG first = FindFrom(m_text, from, 0);
  if (first == -1)
    return m_text;
  if (to.Length() >= fromLength) {
    // One pass: copy up to each occurrence, put `to` in, go on after the occurrence.
    WideText result;
    std::size_t done = 0;
    for (LONG p = first; p != -1; p = FindFrom(m_text, from, done)) {
      const auto at = static_cast<std::size_t>(p);
      result.Append(m_text, done, at).Append(to, 0, to.Length());
      done = at + fromLength;
    }
    return result.Append(m_text, done, m_text.Length()).ToString();
  }
  // Replace the first occurrence until none is left. The text before a replaced occurrence held
  // no occurrence, so the next one cannot start earlier than fromLength - 1 units before it: the
  // search resumes there, which finds exactly what a search from the start would find. Each
  // pass rebuilds the text, shorter, in the other buffer.
  WideText buffers[2];
  std::size_t at = static_cast<std::size_t>(first);
  buffers[0].Append(m_text, 0, at).Append(to, 0, to.Length());
  buffers[0].Append(m_text, at + fromLength, m_text.Length());
  int current = 0;
  for (;;) {
    const std::size_t resume = at + 1 > fromLength ? at + 1 - fromLength : 0;
    const LONG p = FindFrom(buffers[current], from, resume);
    if (p == -1)
      return buffers[current].ToString();
    at = static_cast<std::size_t>(p);
    const WideText& before = buffers[current];
    WideText& next = buffers[1 - current];
    next.Clear();
    next.Append(before, 0, at).Append(to, 0, to.Length());
    next.Append(before, at + fromLength, before.Size());
    current = 1 - current;
  }
}

}  // namespace kelvane

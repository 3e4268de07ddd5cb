#include "string_replacer.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace kelvane {

using XSI::CString;
using XSI::LONG;
using XSI::ULONG;

namespace {

// Code units or wide characters on the stack for a name's length, on the heap beyond, so that
// names are taken apart and put together without allocations of their own.
template <typename Char>
class Buffer {
 public:
  Buffer() = default;
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  std::basic_string_view<Char> View() const { return {m_data, m_size}; }
  void Clear() { m_size = 0; }
  // Room for `count` more at the end; Grow(count) then makes them part of the text.
  Char* End(std::size_t count) {
    if (m_size + count > m_capacity)
      Reserve(std::max(m_size + count, 2 * m_capacity));
    return m_data + m_size;
  }
  void Grow(std::size_t count) { m_size += count; }
  template <typename From>
  Buffer& Append(std::basic_string_view<From> more) {
    Char* out = End(more.size());
    for (std::size_t i = 0; i < more.size(); ++i)
      out[i] = static_cast<Char>(more[i]);
    Grow(more.size());
    return *this;
  }

 private:
  static constexpr std::size_t kInline = 128;
  void Reserve(std::size_t capacity) {
    auto larger = std::make_unique<Char[]>(capacity);
    std::copy(m_data, m_data + m_size, larger.get());
    m_heap = std::move(larger);
    m_data = m_heap.get();
    m_capacity = capacity;
  }

  Char m_inline[kInline];
  std::unique_ptr<Char[]> m_heap;
  Char* m_data = m_inline;
  std::size_t m_size = 0;
  std::size_t m_capacity = kInline;
};

// Copies the code units of `text` to `out`, which has room for them. The host string gives its
// units one at a time, each with a range check; in this loop the check is seen to hold, and the
// copy runs as a block copy.
void CopyUnits(const CString& text, char16_t* out) {
  const ULONG length = text.Length();
  for (ULONG i = 0; i < length; ++i)
    out[i] = text[i];
}

// The code units of a host string, copied out once so that searching and cutting run on plain
// memory.
class Units {
 public:
  explicit Units(const CString& text) {
    const ULONG length = text.Length();
    CopyUnits(text, m_units.End(length));
    m_units.Grow(length);
  }
  std::u16string_view View() const { return m_units.View(); }

 private:
  Buffer<char16_t> m_units;
};

// The host string of a text put together in wide characters: each holds one code unit's value,
// which the host string turns back into that one unit.
CString ToString(Buffer<wchar_t>& wide) {
  *wide.End(1) = L'\0';
  return CString(wide.View().data());
}

CString ToString(std::u16string_view units) {
  Buffer<wchar_t> wide;
  wide.Append(units);
  return ToString(wide);
}

// First index at or after `start` where `pattern` occurs in `text`, or -1: each start position
// in turn whose unit is the pattern's first is compared on, unit by unit, up to the first
// difference. An empty pattern is never found; a start position with fewer units left than the
// pattern has is never tried.
LONG FindFrom(std::u16string_view text, std::u16string_view pattern, std::size_t start) {
  if (pattern.empty() || pattern.size() > text.size())
    return -1;
  const char16_t first = pattern[0];
  const std::size_t lastStart = text.size() - pattern.size();
  for (std::size_t i = start; i <= lastStart; ++i) {
    if (text[i] != first)
      continue;
    std::size_t matched = 1;
    while (matched < pattern.size() && text[i + matched] == pattern[matched])
      ++matched;
    if (matched == pattern.size())
      return static_cast<LONG>(i);
  }
  return -1;
}

}  // namespace

StringReplacer::StringReplacer(CString text) : m_text(std::move(text)) {}

LONG StringReplacer::Find(CString pattern) const {
  return FindFrom(Units(m_text).View(), Units(pattern).View(), 0);
}

CString StringReplacer::ReplaceFirst(CString from, CString to) const {
  if (from.Length() > m_text.Length())
    return m_text;
  const Units textUnits(m_text);
  const std::u16string_view text = textUnits.View();
  const LONG p = FindFrom(text, Units(from).View(), 0);
  if (p == -1)
    return m_text;
  const auto at = static_cast<std::size_t>(p);
  Buffer<wchar_t> result;
  result.Append(text.substr(0, at)).Append(Units(to).View());
  return ToString(result.Append(text.substr(at + from.Length())));
}

CString StringReplacer::ReplaceAll(CString from, CString to) const {
  const Units textUnits(m_text);
  const Units fromUnits(from);
  const std::u16string_view text = textUnits.View();
  const std::u16string_view pattern = fromUnits.View();
  const LONG first = FindFrom(text, pattern, 0);
  if (first == -1)
    return m_text;
  const Units toUnits(to);
  const std::u16string_view replacement = toUnits.View();
  if (replacement.size() >= pattern.size()) {
    // One pass: copy up to each occurrence, put `to` in, go on after the occurrence.
    Buffer<wchar_t> result;
    std::size_t done = 0;
    for (LONG p = first; p != -1; p = FindFrom(text, pattern, done)) {
      const auto at = static_cast<std::size_t>(p);
      result.Append(text.substr(done, at - done)).Append(replacement);
      done = at + pattern.size();
    }
    return ToString(result.Append(text.substr(done)));
  }
  // Replace the first occurrence until none is left. The text before a replaced occurrence held
  // no occurrence, so the next one cannot start earlier than the pattern's length - 1 units
  // before it: the search resumes there, which finds exactly what a search from the start
  // would find. Each pass rebuilds the text, shorter, in the other buffer.
  Buffer<char16_t> buffers[2];
  std::u16string_view current = text;
  int next = 0;
  for (LONG p = first; p != -1;) {
    const auto at = static_cast<std::size_t>(p);
    Buffer<char16_t>& rebuilt = buffers[next];
    rebuilt.Clear();
    rebuilt.Append(current.substr(0, at)).Append(replacement);
    rebuilt.Append(current.substr(at + pattern.size()));
    current = rebuilt.View();
    next = 1 - next;
    const std::size_t resume = at + 1 > pattern.size() ? at + 1 - pattern.size() : 0;
    p = FindFrom(current, pattern, resume);
  }
  return ToString(current);
}

}  // namespace kelvane

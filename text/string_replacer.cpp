#include "string_replacer.h"

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <memory>
#include <utility>

namespace kelvane {

using XSI::CString;
using XSI::LONG;
using XSI::ULONG;

namespace {

// Copies the code units of `text` to `out`, which has room for them, each as the wide
// character of its value. The host string gives its units one at a time, each with a range
// check; in this loop the check is seen to hold, and the copy runs as a block copy.
void CopyUnits(const CString& text, wchar_t* out) {
  const ULONG length = text.Length();
  for (ULONG i = 0; i < length; ++i)
    out[i] = static_cast<wchar_t>(text[i]);
}

// Wide characters, one a code unit, on the stack for a name's length and on the heap beyond, so
// that names are taken apart and put together without allocations of their own. Each holds one
// code unit's value: the host string turns such a character back into that one unit.
class WideText {
 public:
  WideText() = default;
  // The code units of `text`.
  explicit WideText(const CString& text) {
    const ULONG length = text.Length();
    CopyUnits(text, End(length));
    m_size = length;
  }
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  const wchar_t* Data() const { return m_data; }
  wchar_t* Data() { return m_data; }
  std::size_t Size() const { return m_size; }
  void Append(const wchar_t* more, std::size_t count) {
    std::copy(more, more + count, End(count));
    m_size += count;
  }
  // Replaces the `count` units at `at` by the `length` units of `with` (not more than `count`),
  // moving what follows to close the gap.
  void ReplaceShorter(std::size_t at, std::size_t count, const wchar_t* with, std::size_t length) {
    std::copy(with, with + length, m_data + at);
    std::copy(m_data + at + count, m_data + m_size, m_data + at + length);
    m_size -= count - length;
  }
  // The host string of the text.
  CString ToString() {
    *End(1) = L'\0';
    return CString(m_data);
  }

 private:
  static constexpr std::size_t kInline = 128;
  // Room for `count` more at the end.
  wchar_t* End(std::size_t count) {
    if (m_size + count > m_capacity) {
      const std::size_t capacity = std::max(m_size + count, 2 * m_capacity);
      auto larger = std::make_unique<wchar_t[]>(capacity);
      std::copy(m_data, m_data + m_size, larger.get());
      m_heap = std::move(larger);
      m_data = m_heap.get();
      m_capacity = capacity;
    }
    return m_data + m_size;
  }

  wchar_t m_inline[kInline];
  std::unique_ptr<wchar_t[]> m_heap;
  wchar_t* m_data = m_inline;
  std::size_t m_size = 0;
  std::size_t m_capacity = kInline;
};

// First index at or after `start` where `pattern` occurs in `text`, or -1: each start position
// in turn whose unit is the pattern's first is compared on, up to the first difference. An
// empty pattern is never found; a start position with fewer units left than the pattern has is
// never tried.
LONG FindFrom(const WideText& text, const WideText& pattern, std::size_t start) {
  const std::size_t length = pattern.Size();
  if (length == 0 || length > text.Size())
    return -1;
  const wchar_t* units = text.Data();
  const wchar_t* wanted = pattern.Data();
  const std::size_t lastStart = text.Size() - length;
  for (std::size_t i = start; i <= lastStart; ++i) {
    const wchar_t* first = std::wmemchr(units + i, wanted[0], lastStart - i + 1);
    if (first == nullptr)
      return -1;
    i = static_cast<std::size_t>(first - units);
    if (std::wmemcmp(first + 1, wanted + 1, length - 1) == 0)
      return static_cast<LONG>(i);
  }
  return -1;
}

}  // namespace

StringReplacer::StringReplacer(CString text) : m_text(std::move(text)) {}

LONG StringReplacer::Find(CString pattern) const {
  return FindFrom(WideText(m_text), WideText(pattern), 0);
}

CString StringReplacer::ReplaceFirst(CString from, CString to) const {
  if (from.Length() > m_text.Length())
    return m_text;
  const WideText text(m_text);
  const WideText pattern(from);
  const LONG p = FindFrom(text, pattern, 0);
  if (p == -1)
    return m_text;
  const auto at = static_cast<std::size_t>(p);
  const WideText replacement(to);
  WideText result;
  result.Append(text.Data(), at);
  result.Append(replacement.Data(), replacement.Size());
  const std::size_t after = at + pattern.Size();
  result.Append(text.Data() + after, text.Size() - after);
  return result.ToString();
}

CString StringReplacer::ReplaceAll(CString from, CString to) const {
  WideText text(m_text);
  const WideText pattern(from);
  const LONG first = FindFrom(text, pattern, 0);
  if (first == -1)
    return m_text;
  const WideText replacement(to);
  const std::size_t length = pattern.Size();
  if (replacement.Size() >= length) {
    // One pass: copy up to each occurrence, put `to` in, go on after the occurrence.
    WideText result;
    std::size_t done = 0;
    for (LONG p = first; p != -1; p = FindFrom(text, pattern, done)) {
      const auto at = static_cast<std::size_t>(p);
      result.Append(text.Data() + done, at - done);
      result.Append(replacement.Data(), replacement.Size());
      done = at + length;
    }
    result.Append(text.Data() + done, text.Size() - done);
    return result.ToString();
  }
  // Replace the first occurrence until none is left, in place. The text before a replaced
  // occurrence held no occurrence, so the next one cannot start earlier than the pattern's
  // length - 1 units before it: the search resumes there, which finds exactly what a search
  // from the start would find.
  for (LONG p = first; p != -1;) {
    const auto at = static_cast<std::size_t>(p);
    text.ReplaceShorter(at, length, replacement.Data(), replacement.Size());
    p = FindFrom(text, pattern, at + 1 > length ? at + 1 - length : 0);
  }
  return text.ToString();
}

}  // namespace kelvane

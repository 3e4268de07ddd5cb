// Name text as wide characters, one a code unit: what StringReplacer and the side-token rule
// take names apart and put them together in, without allocations of their own for a name.
#pragma once

#include <xsi_decl.h>
#include <xsi_string.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <memory>

namespace kelvane {

// Copies the code units of `text` to `out`, which has room for them, each as the wide
// character of its value. The host string gives its units one at a time, each with a range
// check; in this loop the check is seen to hold, and the copy runs as a block copy.
inline void CopyUnits(const XSI::CString& text, wchar_t* out) {
  const XSI::ULONG length = text.Length();
  for (XSI::ULONG i = 0; i < length; ++i)
    out[i] = static_cast<wchar_t>(text[i]);
}

// Wide characters, one a code unit, on the stack for a name's length and on the heap beyond, so
// that names are taken apart and put together without allocations of their own. Each holds one
// code unit's value: the host string turns such a character back into that one unit.
class WideText {
 public:
  WideText() = default;
  // The code units of `text`.
  explicit WideText(const XSI::CString& text) {
    const XSI::ULONG length = text.Length();
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
  XSI::CString ToString() {
    *End(1) = L'\0';
    return XSI::CString(m_data);
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
inline XSI::LONG FindFrom(const WideText& text, const WideText& pattern, std::size_t start) {
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
      return static_cast<XSI::LONG>(i);
  }
  return -1;
}

// ReplaceAll on text already taken apart: `text` holds the units of `original` (and may be
// changed); gives `original` itself when `pattern` does not occur, and `to` is read only when
// it does. See StringReplacer::ReplaceAll for what is replaced.
XSI::CString ReplaceAllIn(const XSI::CString& original, WideText& text, const WideText& pattern,
                          const XSI::CString& to);

}  // namespace kelvane

// StringReplacer against a plain reference on std::u16string: Find, ReplaceFirst and ReplaceAll
// must agree on every input.
//
// Input: one mode byte, then 16-bit code units. The units are split into text, from and to at
// the first two 0xFFFF units. Mode bit 0 maps every unit to 'a'..'c', so that patterns occur and
// join often; otherwise units are taken as they are (0 becomes 1: host strings hold no NUL).
#include <xsihost/text.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "string_replacer.h"

namespace {

long ReferenceFind(const std::u16string& text, const std::u16string& pattern, size_t from = 0) {
  if (pattern.empty())
    return -1;
  const size_t at = text.find(pattern, from);
  return at == std::u16string::npos ? -1 : static_cast<long>(at);
}

std::u16string ReferenceReplaceFirst(const std::u16string& text, const std::u16string& from,
                                     const std::u16string& to) {
  const long at = ReferenceFind(text, from);
  if (at < 0)
    return text;
  std::u16string result = text;
  result.replace(static_cast<size_t>(at), from.size(), to);
  return result;
}

std::u16string ReferenceReplaceAll(const std::u16string& text, const std::u16string& from,
                                   const std::u16string& to) {
  if (from.empty())
    return text;
  if (to.size() >= from.size()) {
    std::u16string result;
    size_t done = 0;
    for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, done)) {
      result += text.substr(done, at - done) + to;
      done = at + from.size();
    }
    return result + text.substr(done);
  }
  // Replace the first occurrence, searching from the start each time.
  std::u16string result = text;
  for (size_t at = result.find(from); at != std::u16string::npos; at = result.find(from)) {
    result.replace(at, from.size(), to);
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1)
    return 0;
  const bool smallAlphabet = (data[0] & 1) != 0;
  std::u16string parts[3];
  int part = 0;
  for (size_t i = 1; i + 1 < size && part < 3; i += 2) {
    char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0xFFFF && part < 2) {
      ++part;
      continue;
    }
    if (smallAlphabet)
      unit = static_cast<char16_t>(u'a' + unit % 3);
    if (unit == 0)
      unit = 1;
    parts[part].push_back(unit);
  }
  const std::u16string& text = parts[0];
  const std::u16string& from = parts[1];
  const std::u16string& to = parts[2];
  if (text.size() > 512 || from.size() > 64 || to.size() > 64)
    return 0;

  const kelvane::StringReplacer replacer(xsihost::FromUnits(text));
  const XSI::CString cFrom = xsihost::FromUnits(from), cTo = xsihost::FromUnits(to);
  if (replacer.Find(cFrom) != ReferenceFind(text, from))
    std::abort();
  if (xsihost::Units(replacer.ReplaceFirst(cFrom, cTo)) != ReferenceReplaceFirst(text, from, to)) {
    std::abort();
  }
  if (xsihost::Units(replacer.ReplaceAll(cFrom, cTo)) != ReferenceReplaceAll(text, from, to)) {
    std::abort();
  }
  return 0;
}

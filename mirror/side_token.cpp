#include "side_token.h"

namespace kelvane {

namespace {

bool IsAsciiLetter(wchar_t unit) {
  return (unit >= L'A' && unit <= L'Z') || (unit >= L'a' && unit <= L'z');
}

bool IsLowercaseAscii(wchar_t unit) {
  return unit >= L'a' && unit <= L'z';
}

}  // namespace

SideToken::SideToken(const XSI::CString& token)
    : m_units(token), m_prefix(m_units.Size() > 0 && m_units.Data()[m_units.Size() - 1] == L'_') {}

std::size_t SideToken::Next(const WideText& name, std::size_t known, std::size_t start) const {
  const std::size_t length = m_units.Size();
  const wchar_t* units = name.Data();
  // Searched in the known units alone: a token running on into the appended tail is none.
  for (std::size_t at = start; length != 0 && at + length <= known; ++at) {
    const wchar_t* found = std::wmemchr(units + at, m_units.Data()[0], known - length - at + 1);
    if (found == nullptr)
      break;
    at = static_cast<std::size_t>(found - units);
    if (std::wmemcmp(found, m_units.Data(), length) != 0)
      continue;
    const bool counts = m_prefix ? at == 0 || !IsAsciiLetter(units[at - 1])
                                 : at + length == known || !IsLowercaseAscii(units[at + length]);
    if (counts)
      return at;
  }
  return known;
}

bool SideToken::CountsIn(const WideText& name, std::size_t known) const {
  return Next(name, known, 0) != known;
}

XSI::CString SideToken::ReplacedIn(const WideText& name, std::size_t known,
                                   const SideToken& other) const {
  WideText result;
  std::size_t done = 0;
  // Each occurrence is judged by its neighbours in the name as it was: a replacement changes
  // no neighbour's kind ("_" stays "_", a capital stays a capital), so this is what judging
  // after each replacement would give.
  for (std::size_t at = Next(name, known, 0); at != known;
       at = Next(name, known, at + m_units.Size())) {
    result.Append(name.Data() + done, at - done);
    result.Append(other.m_units.Data(), other.m_units.Size());
    done = at + m_units.Size();
  }
  result.Append(name.Data() + done, name.Size() - done);
  return result.ToString();
}

std::size_t KnownLength(const WideText& name, const WideText& suffix) {
  std::size_t end = name.Size();
  while (end > 0 && name.Data()[end - 1] >= L'0' && name.Data()[end - 1] <= L'9')
    --end;
  if (end == name.Size() || end < suffix.Size())
    return name.Size();
  const std::size_t start = end - suffix.Size();
  return std::wmemcmp(name.Data() + start, suffix.Data(), suffix.Size()) == 0 ? start : name.Size();
}

}  // namespace kelvane

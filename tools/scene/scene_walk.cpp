#include "scene_walk.h"

#include <xsihost/text.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "scene_format.h"

namespace minihost {

void VisitFullNames(
    const std::function<bool(const xsihost::SceneEntry&)>& wants,
    const std::function<void(const xsihost::SceneEntry&, const std::string& fullName)>& visit) {
  // prefixes[d]: what precedes the own name of an object at depth d ("Rig." inside model Rig);
  // owners[d]: the own name of the last object met at depth d, for its properties.
  std::vector<std::string> prefixes(1);
  std::vector<const XSI::CString*> owners;
  std::string fullName;
  xsihost::VisitScene([&](const xsihost::SceneEntry& entry) {
    const auto depth = static_cast<std::size_t>(entry.depth);
    if (!entry.isProperty) {
      owners.resize(depth + 1);
      owners[depth] = entry.name;
      prefixes.resize(depth + 2);
      if (*entry.type == L"model") {
        prefixes[depth + 1] = prefixes[depth];
        xsihost::AppendUtf8(*entry.name, prefixes[depth + 1]);
        prefixes[depth + 1] += '.';
      } else {
        prefixes[depth + 1] = prefixes[depth];
      }
    }
    if (!wants(entry))
      return;
    fullName.clear();
    if (!entry.isProperty) {
      fullName = prefixes[depth];
    } else if (depth > 0) {
      fullName = prefixes[depth - 1];
      xsihost::AppendUtf8(*owners[depth - 1], fullName);
      fullName += '.';
    }
    xsihost::AppendUtf8(*entry.name, fullName);
    visit(entry, fullName);
  });
}

void VisitFullNames(
    const std::function<void(const xsihost::SceneEntry&, const std::string& fullName)>& visit) {
  VisitFullNames([](const xsihost::SceneEntry&) { return true; }, visit);
}

std::vector<std::uint64_t> SceneIds() {
  std::vector<std::uint64_t> ids;
  xsihost::VisitScene(
      [&](const xsihost::SceneEntry& entry) { ids.push_back(xsihost::ObjectId(entry.ref)); });
  // A scene just read has its ids in scene order already, most often.
  if (!std::is_sorted(ids.begin(), ids.end()))
    std::sort(ids.begin(), ids.end());
  return ids;
}

namespace {

// Three places in the filter for a text, from one hash (double hashing).
template <typename Visit>
void Places(std::string_view text, std::size_t bits, Visit visit) {
  const std::uint64_t hash = std::hash<std::string_view>()(text);
  const std::uint64_t step = (hash >> 32) | 1;
  for (std::uint64_t k = 0; k < 3; ++k)
    visit(static_cast<std::size_t>((hash + k * step) % bits));
}

}  // namespace

TextFilter::TextFilter(std::size_t expected) : m_bits((expected * 16 + 63) / 64 + 1) {}

void TextFilter::Add(std::string_view text) {
  Places(text, m_bits.size() * 64,
         [&](std::size_t at) { m_bits[at / 64] |= std::uint64_t{1} << (at % 64); });
}

bool TextFilter::MayHold(std::string_view text) const {
  bool all = true;
  Places(text, m_bits.size() * 64,
         [&](std::size_t at) { all = all && (m_bits[at / 64] >> (at % 64) & 1) != 0; });
  return all;
}

bool IsIn(const std::vector<std::uint64_t>& sorted, std::uint64_t value) {
  return std::binary_search(sorted.begin(), sorted.end(), value);
}

void ChunkedWriter::WriteNow() {
  errno = 0;
  if (!m_failed && std::fwrite(m_text.data(), 1, m_text.size(), m_file) != m_text.size()) {
    m_failed = true;
    m_errno = errno;
  }
  m_text.clear();
}

bool ChunkedWriter::Finish(std::string& error) {
  WriteNow();
  errno = 0;
  if (std::fflush(m_file) != 0 && !m_failed) {
    m_failed = true;
    m_errno = errno;
  }
  if (!m_failed)
    return true;
  error = std::strerror(m_errno != 0 ? m_errno : EIO);
  return false;
}

void WriteScene(ChunkedWriter& writer) {
  std::string type, name;
  XSI::CString lastType;
  xsihost::VisitScene([&](const xsihost::SceneEntry& entry) {
    if (type.empty() || *entry.type != lastType) {
      // A scene has a handful of types, most often one line after the other.
      lastType = *entry.type;
      type.clear();
      xsihost::AppendUtf8(lastType, type);
    }
    name.clear();
    xsihost::AppendUtf8(*entry.name, name);
    AppendSceneLine(writer.Text(), entry.depth, entry.isProperty, type, name, entry.position);
    writer.Flush();
  });
}

}  // namespace minihost

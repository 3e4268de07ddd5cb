#include "suggest.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "printable.h"

namespace minihost {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::vector<std::string> Closest(const std::string& typed, const std::vector<std::string>& names,
                                 std::size_t most) {
  std::vector<std::string> closest;
  if (typed.size() > 256)
    return closest;
  const std::string wanted = Lower(typed);
  const std::size_t reach = std::max<std::size_t>(2, typed.size() / 3);
  std::multimap<std::size_t, const std::string*> ranked;
  for (const std::string& name : names) {
    const std::size_t distance = EditDistance(wanted, Lower(name));
    if (distance <= reach)
      ranked.emplace(distance, &name);
  }
  // A name that differs in case alone is surely the one meant: it stands alone.
  const std::size_t nearest = ranked.empty() ? 0 : ranked.begin()->first;
  for (auto it = ranked.begin(); it != ranked.end() && closest.size() < most; ++it) {
    if (nearest == 0 && it->first != 0)
      break;
    closest.push_back(*it->second);
  }
  return closest;
}

std::string DidYouMean(const std::vector<std::string>& suggestions) {
  std::string text;
  for (const std::string& name : suggestions)
    text += (text.empty() ? "; did you mean " : ", ") + Excerpt(name);
  return text.empty() ? text : text + "?";
}

}  // namespace minihost

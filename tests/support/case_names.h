// Readable, stable names for the cases of parameterised tests, so that a failing case can be
// named on the command line (`ctest -R`, `--rerun-failed`) and two runs can be compared.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kelvane_test {

// "<index>_<words>": the case's number, then the letters and digits of `text` with every run of
// anything else as one '_', at most 60 of them. CaseName("'ft' in 'Lef'", 3) is "3_ft_in_Lef".
inline std::string CaseName(const std::string& text, std::size_t index) {
  std::string name = std::to_string(index);
  bool gap = true;
  for (unsigned char c : text) {
    if (name.size() >= 64)
      break;
    if (std::isalnum(c) != 0) {
      if (gap)
        name += '_';
      name += static_cast<char>(c);
      gap = false;
    } else {
      gap = true;
    }
  }
  return name;
}

// Names each case after what its PrintTo prints.
struct PrintedName {
  template <typename Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    return CaseName(testing::PrintToString(info.param), info.index);
  }
};

}  // namespace kelvane_test

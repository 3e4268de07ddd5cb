// StringReplacer::ReplaceAll on typical names, against std::u16string.
#include <benchmark/benchmark.h>
#include <xsihost/text.h>

#include <string>
#include <vector>

#include "string_replacer.h"

namespace {

const char* const kNames[] = {"LeftUpperArmrename_temp_suffix1", "L_bone12rename_temp_suffix1",
                              "Character_LeftHand_Thumb3", "spine04", "L_R_mixed_L_"};

std::u16string ReferenceReplaceAll(std::u16string text, const std::u16string& from,
                                   const std::u16string& to) {
  for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at = at + 1 > from.size() ? at + 1 - from.size() : 0;
  }
  return text;
}

void BM_ReplaceAll(benchmark::State& state) {
  std::vector<XSI::CString> names;
  for (const char* n : kNames)
    names.push_back(xsihost::Str(n));
  const XSI::CString pairs[][2] = {
      {L"Left", L"Right"}, {L"L_", L"R_"}, {L"rename_temp_suffix1", L""}};
  for (auto _ : state) {
    for (const XSI::CString& name : names) {
      const kelvane::StringReplacer replacer(name);
      for (const auto& pair : pairs)
        benchmark::DoNotOptimize(replacer.ReplaceAll(pair[0], pair[1]));
    }
  }
  state.SetItemsProcessed(state.iterations() * std::size(kNames) * 3);
}

void BM_ReplaceAllReference(benchmark::State& state) {
  std::vector<std::u16string> names;
  for (const char* n : kNames)
    names.push_back(xsihost::Units(xsihost::Str(n)));
  const std::u16string pairs[][2] = {
      {u"Left", u"Right"}, {u"L_", u"R_"}, {u"rename_temp_suffix1", u""}};
  for (auto _ : state) {
    for (const std::u16string& name : names) {
      for (const auto& pair : pairs) {
        benchmark::DoNotOptimize(ReferenceReplaceAll(name, pair[0], pair[1]));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * std::size(kNames) * 3);
}

BENCHMARK(BM_ReplaceAll);
BENCHMARK(BM_ReplaceAllReference);

}  // namespace

BENCHMARK_MAIN();

// The libFuzzer entry of one target, chosen when building (VEXMOOR_FUZZ_TARGET). A
// broken promise aborts, so libFuzzer keeps the input as a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzTarget* target = FindFuzzTarget(VEXMOOR_FUZZ_TARGET);
  if (target == nullptr) std::abort();
  const std::string problem = target->check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "==vexmoor fuzz== %s: %s\n", VEXMOOR_FUZZ_TARGET, problem.c_str());
    std::abort();
  }
  return 0;
}

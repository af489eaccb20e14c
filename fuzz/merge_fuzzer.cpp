// Joining arbitrary series parts, as `merge` does.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qsim::fuzz::MergeAnyParts({reinterpret_cast<const char*>(data), size});
  return 0;
}

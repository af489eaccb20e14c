// The compute command, from reading to the report, on arbitrary model texts.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qsim::fuzz::ComputeAnyText({reinterpret_cast<const char*>(data), size});
  return 0;
}

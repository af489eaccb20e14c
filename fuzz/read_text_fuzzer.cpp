// Reads arbitrary bytes as a model file under both decimal separators.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qsim::fuzz::ReadAnyText({reinterpret_cast<const char*>(data), size});
  return 0;
}

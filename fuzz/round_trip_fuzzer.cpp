// Read, write, read, write: the two written texts must be equal.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/harness/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const auto fault = qsim::fuzz::RoundTripFault({reinterpret_cast<const char*>(data), size})) {
    std::fprintf(stderr, "round trip fault:\n%s", fault->c_str());
    std::abort();
  }
  return 0;
}

// The traffic analysis and its text, on arbitrary model texts, as read and as
// checked.
#include <cstddef>
#include <cstdint>

#include "fuzz/harness/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qsim::fuzz::AnalyzeAnyText({reinterpret_cast<const char*>(data), size});
  return 0;
}

#include "engine/philox_stream.h"

#include <gtest/gtest.h>

#include "engine/random_generator.h"

namespace qsim {
namespace {

// Random123's known answer for Philox4x32-10 with counter and key of zeros: the
// first four draws of stream (0, 0).
TEST(PhiloxStreamTest, GivesRandom123sKnownAnswer) {
  PhiloxStream zeros(0, 0);
  for (std::uint32_t word : {0x6627e8d5u, 0xe169c58du, 0xbc57ac4cu, 0x9b00dbd8u})
    EXPECT_EQ(zeros.Next(), word);
}

TEST(PhiloxStreamTest, EveryDrawIsAddressableAndStreamsDiffer) {
  PhiloxStream stream(7, 3);
  RandomGenerator random(PhiloxStream(7, 3));
  for (std::uint64_t n = 0; n < 10; ++n) {
    const std::uint32_t bits = stream.At(n);
    EXPECT_EQ(stream.Next(), bits);
    EXPECT_EQ(random.NextUniform(), bits / 4294967296.0);
  }
  EXPECT_EQ(stream.draws(), 10u);
  EXPECT_NE(PhiloxStream(7, 4).At(0), PhiloxStream(7, 3).At(0));
  EXPECT_NE(PhiloxStream(8, 3).At(0), PhiloxStream(7, 3).At(0));
}

}  // namespace
}  // namespace qsim

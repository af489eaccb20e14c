#pragma once

#include <Random123/philox.h>

#include <cstdint>

namespace qsim {

// The random stream of one run of a series: 32-bit draws from Philox4x32-10
// (Random123), keyed by the series seed and the replication, whose counter is the
// draw number. Draw n is word n mod 4 of the block at counter n div 4, so any draw
// of any stream can be computed on its own: a run's results depend on its seed
// and replication only, not on which thread, process or machine ran it, nor on
// what ran before.
class PhiloxStream {
 public:
  PhiloxStream(std::uint32_t series_seed, std::uint32_t replication)
      : key_{{series_seed, replication}} {}

  std::uint32_t Next() {
    const auto word = static_cast<unsigned>(draws_ & 3u);
    if (word == 0)
      block_ = Block(draws_ >> 2);
    ++draws_;
    return block_[word];
  }

  // The draw at `index` of the stream, without moving it.
  std::uint32_t At(std::uint64_t index) const { return Block(index >> 2)[index & 3u]; }

  std::uint64_t draws() const { return draws_; }

 private:
  using Philox = r123::Philox4x32;

  Philox::ctr_type Block(std::uint64_t block) const {
    const Philox::ctr_type counter = {
        {static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(block >> 32), 0, 0}};
    return Philox()(counter, key_);
  }

  Philox::key_type key_;
  Philox::ctr_type block_ = {{0, 0, 0, 0}};
  std::uint64_t draws_ = 0;
};

}  // namespace qsim

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "engine/request_record.h"
#include "engine/simulation.h"

namespace qsim {

// Runs random models and compares a digest of every event taken and every
// statistic with the digests recorded from the first engine, whose handlers
// searched every place and channel. Faster structures must make exactly the same
// choices: the same place, ticket, channel and retry time, bit for bit.
namespace {

// FNV-1a over 64-bit words.
class Digest {
 public:
  void Add(std::uint64_t word) {
    for (int byte = 0; byte < 8; ++byte) {
      value_ = (value_ ^ ((word >> (8 * byte)) & 0xFF)) * 0x100000001b3u;
    }
  }
  void Add(double value) { Add(std::bit_cast<std::uint64_t>(value)); }
  void Add(std::int32_t value) {
    Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(value)));
  }
  std::uint64_t value() const { return value_; }

 private:
  std::uint64_t value_ = 0xcbf29ce484222325u;
};

class DigestObserver : public EventObserver {
 public:
  explicit DigestObserver(Digest& digest) : digest_(digest) {}
  void RunStarted() override {}
  void EventTaken(const EventNode& event) override {
    digest_.Add(event.time);
    digest_.Add(event.element);
    digest_.Add(static_cast<std::int32_t>(event.kind));
    if (event.kind == EventKind::ServiceStart) {
      digest_.Add(event.from_queue);
      digest_.Add(event.from_slot);
    }
    if (event.kind != EventKind::Generation && event.kind != EventKind::QueueExit)
      digest_.Add(event.request->number);
  }
  void RunFinished() override {}

 private:
  Digest& digest_;
};

// A random sound model on the first eight slots of each kind: the laws, lengths,
// channel counts and disciplines vary widely, so that equal times, full queues,
// busy devices, blocking and negative durations all occur.
class RandomModel {
 public:
  explicit RandomModel(unsigned seed) : random_(seed) {}

  void Fill(ModelStore& store) {
    store.ClearForNewModel();
    const int generators = Pick(1, 3);
    const int queues = Pick(1, 6);
    const int devices = Pick(1, 6);
    for (int slot = 1; slot <= generators; ++slot) {
      GeneratorRecord& g = store.generator(slot);
      g.exists = true;
      g.la = Pick(1, 30);
      g.rasp = Law();
      g.disp = Spread();
      g.prior = Pick(0, 3);
      Routes(g, TargetKind::Queue, queues, TargetKind::Queue, queues);
    }
    for (int slot = 1; slot <= queues; ++slot) {
      QueueRecord& q = store.queue(slot);
      q.exists = true;
      q.len = Pick(0, 3) == 0 ? Pick(20, 200) : Pick(1, 4);
      q.discip = static_cast<QueueDiscipline>(Pick(0, 3));
      Routes(q, TargetKind::Device, devices, TargetKind::Device, devices);
    }
    for (int slot = 1; slot <= devices; ++slot) {
      DeviceRecord& d = store.device(slot);
      d.exists = true;
      d.k = Pick(0, 2) == 0 ? Pick(8, 50) : Pick(1, 3);
      d.v = 0.05 * Pick(1, 60);
      d.rasp = Law();
      d.disp = Spread();
      Routes(d, TargetKind::Queue, queues, TargetKind::Terminator, 1);
    }
    RunSettings& settings = store.settings;
    settings.by_time = Pick(0, 1) == 1;
    settings.end_time = Pick(1, 40);
    settings.simulate = Pick(1, 3000);
    settings.process_all = Pick(0, 2) == 0;
    settings.retry_interval = 0.05 * Pick(0, 10);
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  DistributionKind Law() { return static_cast<DistributionKind>(Pick(0, 8)); }
  double Spread() {
    static constexpr std::array<double, 5> kSpreads = {0, 0.1, 0.5, 2, 10};
    return kSpreads[Pick(0, 4)];
  }

  // One to three routes, the first to a target of `kind`, the others to `kind`
  // or `other`; the probabilities add up to 1.
  template <typename Record>
  void Routes(Record& r, TargetKind kind, int count, TargetKind other, int other_count) {
    r.transfer = Pick(1, 3);
    for (int i = 1; i <= r.transfer; ++i) {
      const bool first_kind = i == 1 || Pick(0, 1) == 0;
      r.transitions[i] = {i < r.transfer ? 0.25 : 1.0 - 0.25 * (r.transfer - 1),
                          first_kind ? kind : other, Pick(1, first_kind ? count : other_count)};
    }
  }

  std::mt19937 random_;
};

std::uint64_t RunDigest(unsigned seed) {
  auto store = std::make_unique<ModelStore>();
  RandomModel(seed).Fill(*store);
  RandomGenerator random;
  Simulation simulation(*store, random);
  Digest digest;
  DigestObserver observer(digest);
  RunControls controls;
  controls.max_events = 20000;
  controls.stall_events = 5000;
  const RunResult result = simulation.RunSimulation(&observer, controls);
  digest.Add(static_cast<std::int32_t>(result.outcome));
  digest.Add(result.now);
  for (int slot = 1; slot <= 8; ++slot) {
    const GeneratorRecord& g = store->generator(slot);
    for (const double value : {g.stats.sum_stay, g.stats.max_stay, g.stats.min_stay})
      digest.Add(value);
    digest.Add(g.stats.served);
    digest.Add(g.stats.unserved);
    const QueueRecord& q = store->queue(slot);
    for (const double value : {q.stats.len_area, q.stats.max_wait, q.stats.sum_wait})
      digest.Add(value);
    for (const std::int32_t value : {q.stats.entries, q.stats.zero_entries, q.stats.max_len})
      digest.Add(value);
    const DeviceRecord& d = store->device(slot);
    for (const double value : {d.stats.busy_area, d.stats.service_sum})
      digest.Add(value);
    digest.Add(d.stats.max_busy);
    digest.Add(d.stats.starts);
  }
  return digest.value();
}

// Recorded from the first engine, model by model (seed 0, 1, ...), and recorded
// again, with the same events, when the end of a run came to count the requests
// on their way to their next event as left inside (their generator's unserved
// count and stays changed, nothing else).
constexpr std::array<std::uint64_t, 160> kRecordedDigests = {
    0x012d4864146c6f39u, 0x73f80a645877c3ceu, 0xef39f4b3566dabf6u, 0x351d46e1844d653du,
    0x3b5dd3d2fa3e3d39u, 0x5098b75bcf57e982u, 0xab320845eb4c0ea7u, 0x5322e1dc0778fa71u,
    0x92ada48230ec4455u, 0xad299249ba26541bu, 0x5a4a337093192638u, 0xe201f8c84dc7aec0u,
    0x630418abe251f87du, 0x33da199732eff1a5u, 0xfbdd02b4ad709aefu, 0x6840a41737027334u,
    0x3ffc2bbe89e908c3u, 0xab0b7e0570403819u, 0xc63e9e4771a7c815u, 0xc59d3367b2cc94e0u,
    0xca8c0138ea20d938u, 0xfbcc4f95c8f1d0dfu, 0x98f99f003dca9966u, 0xf7f7ceccf67d039cu,
    0xcdeaa90e5d7d0772u, 0x65d02f0294e14175u, 0x976382c39a7d3e12u, 0x3b97ed75902bc81cu,
    0xf7ee8d81f74a233fu, 0x08b486d9277093b1u, 0x40b010368f2651d7u, 0x36090f423bae5711u,
    0x9bf1d4ea59672386u, 0xb56f3e0322bcf483u, 0x7061a5302c993cfbu, 0x07115566259ac6e6u,
    0xbed4800a61faa89eu, 0xf9f801e10f63beecu, 0x5dc87eb9addaf506u, 0xe73edafd64521493u,
    0x7963ce02b8ea8b0fu, 0x50575428c150f1edu, 0xc7b216c595638519u, 0x814c75af4ce536e2u,
    0x05eb08d66cc0581fu, 0x39927e2407ed2a55u, 0x6c97e914461bad94u, 0x1e7659f2b9f0bee6u,
    0x089a409fc32059b2u, 0x3c60beee6eca40b4u, 0x54ecd5f63d943544u, 0xeb40a5ac393ffbabu,
    0xc2f9c14a6e31919bu, 0xee6fc21ddba4b464u, 0x4d9dafda92e64f17u, 0xadd9c1b59e421870u,
    0xb3d1c2d4a2b61e12u, 0xdaa7a7d111741d3cu, 0xbd2645b9b85a506cu, 0x85b884cee6c29058u,
    0xbd73693848168a4bu, 0x3019ed03d9084ec1u, 0x8cce140876ab8bbfu, 0x32e8aef59498f8f0u,
    0x7176026eb52f49c2u, 0x8ef99e609dcbe3d9u, 0xd512230a7177bc68u, 0x4677b42cbad53e8eu,
    0x2d48bd09e41a4495u, 0xb00d8f396029b4afu, 0xceeee99ab5f44531u, 0x8133197c09e77da2u,
    0xcd44be11f2425174u, 0x4766d42afbbf14dcu, 0x53976b0827544867u, 0xba9173cb94ef4841u,
    0x9ec814f351c1be55u, 0x1e041013953f7ab8u, 0xfe28f2639192e801u, 0xdc41debd4f9119bfu,
    0xefca0d7dfa99279cu, 0x3f8c28cf8d9afc90u, 0x771e5ecd716b1b2fu, 0x7e1188b053e643d9u,
    0xb175cb05fb3a7e72u, 0xc80a5aa5c6c5aa43u, 0x822fe1234f1e60e9u, 0x07604b23a93be38bu,
    0x8c0d3afa66fe7b6fu, 0x3d25b12f69735c29u, 0xd2bf411f5c6d5edcu, 0xbe3fb45544e1fa96u,
    0xb16af58c0ad710fdu, 0x7321a94c50426d1fu, 0xd934c07211e1e33au, 0xe2e2242a4e633777u,
    0xc244613c82ed9d3fu, 0x918562af306fe50du, 0xcf06f823fd85f07au, 0x0b8758733817517eu,
    0x658df96441b23d42u, 0xdf65d77e1fbe0ce6u, 0xeff2d2abe0bf3de4u, 0xf050b6df58aefab4u,
    0x1d8b945381858ee0u, 0x703ca9607f5da1c9u, 0x1e1ff155d63a2532u, 0xbd90de8daf2ab8f9u,
    0xaf51a681d7f7244bu, 0x9432969426ab98a8u, 0x385d08a35d00bc2cu, 0x69a4cadc82d48016u,
    0xb203eab4c7232a90u, 0xba5c66deb9bc1f9eu, 0x036dc372ded59e39u, 0xf9c67cd9e8a1bee2u,
    0xf7cbda43c96ecf5cu, 0x655789493ed45474u, 0xa32d66cbe1fe3d5au, 0xa8f90b4a62e9a6c2u,
    0xa31b6a985f32e461u, 0x4321da09fe54ef27u, 0xbd524ff83bedeb1au, 0xdd1ccbca6e3ea164u,
    0x42798711df6f4b1cu, 0xb4a2adaf406794deu, 0x218f2e37997ba152u, 0x4f290b1c08db73d7u,
    0xb84e4e96ca57b660u, 0x40715bffc0e316b5u, 0xa90bc7abcc981402u, 0xa74acb82f2f8312bu,
    0x6e4e9361c91741d4u, 0xde088e015bcb626du, 0xc7713b776fa4aceau, 0x1d342705fa633021u,
    0x095882d6434a219eu, 0x4b52fa0f494b7893u, 0x82513b29c45425c1u, 0xb865f768bcd9e721u,
    0xbcd2ef42abc0c004u, 0xd17626fff1307d5fu, 0x24897d926ac0ffaeu, 0x0e009451f254ee01u,
    0x5fd827efc7e0e863u, 0xc261acb01f6cfd00u, 0xc8d36b6ba0d1026au, 0x4f49319b371f082au,
    0x3ea06a9dab1f5f5fu, 0x277f4cdcb9879e79u, 0xa3042666f8acdeddu, 0x64dbe42dad6e1678u,
    0x48e2fae2ccb53c23u, 0xd73ce527724a9509u, 0xea9f4b7da7867c82u, 0x61e41d51ef194b4eu,
    0xf116849586228b14u, 0xab1f997e7fc4bbf5u, 0xab9d654deb0d770eu, 0xa23ee2b5e46e551cu,
};

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(value));
  return text;
}

TEST(RunDigestTest, RandomModelsRunAsRecorded) {
  for (unsigned seed = 0; seed < kRecordedDigests.size(); ++seed)
    EXPECT_EQ(Hex(RunDigest(seed)), Hex(kRecordedDigests[seed])) << "model " << seed;
}

}  // namespace
}  // namespace qsim

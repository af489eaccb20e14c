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

// Recorded from the first engine, model by model (seed 0, 1, ...).
constexpr std::array<std::uint64_t, 160> kRecordedDigests = {
    0x8a311e53b2ff13e0u, 0x20cf44d18b2a0991u, 0x5f32f9610040d6b1u, 0x03e294ed476053dfu,
    0xb07339617e5482f1u, 0xd99f1183d4baf717u, 0xab320845eb4c0ea7u, 0x5322e1dc0778fa71u,
    0x2ba3f9a1bca7a37fu, 0x657f80e7dcdf646eu, 0xe59ca928289e8193u, 0x4227127b5de122f1u,
    0x6a9471733281c98bu, 0x33da199732eff1a5u, 0xc2d35650753d18dau, 0x6840a41737027334u,
    0x024098446d6ae42eu, 0x632fe96cf1a586acu, 0xc63e9e4771a7c815u, 0x9459b9a4a23e82e3u,
    0xca8c0138ea20d938u, 0x3f626b817c042110u, 0x3007e783dc0cc030u, 0x454a8c5efdfdeb05u,
    0xcdeaa90e5d7d0772u, 0x1912c56f2fd45b0eu, 0x90105c46ec2679bbu, 0xa659723df6361c26u,
    0x1bdb77f16e032775u, 0x08b486d9277093b1u, 0xf8c6314e6b8f64f5u, 0x8f592e80b91be54bu,
    0x6c34b3eb81b5b059u, 0x01513e0e99be3dbbu, 0x34bf73819ec4773cu, 0x6269084e6905f8e9u,
    0x6f0168e5a8c4e92du, 0x0b9b2cd4f79d0917u, 0x6872dc80f1ae3949u, 0xe73edafd64521493u,
    0xf382c569b703c800u, 0x4589bbb520db942eu, 0x61d52bac6cab864fu, 0x814c75af4ce536e2u,
    0xfda474e9596967b1u, 0x01a702c8aa1e6396u, 0x3f2bb8f21703a9f4u, 0x1e7659f2b9f0bee6u,
    0xfca9e967522b1d7bu, 0x4bcce61d7eff84d9u, 0x16a449bf2c7f0348u, 0x22a8aa0ebc195252u,
    0x2e6d690e885273deu, 0x6bc42ad000f8099eu, 0x51e5b3626d35fea1u, 0xadd9c1b59e421870u,
    0xb3d1c2d4a2b61e12u, 0x0ec674bd2c368d66u, 0x32c8eec4eae36295u, 0xc1771b914000831bu,
    0x2f044722de5b7e18u, 0xddd55eedb4f79efau, 0xeb05a6e274d29badu, 0x96d65050c49fc61du,
    0x295aaf74997de7b0u, 0xd1c198a4d790c7e3u, 0xca47460812b3af80u, 0xd94784df07cdfd79u,
    0x5ef03a20873bc032u, 0x66161dfd4325195fu, 0x6038d33a89aef974u, 0xe0f70583c9acd25au,
    0x8cb498a03da5de00u, 0x4766d42afbbf14dcu, 0x6f871fc40384871du, 0x772b0a98dea643cau,
    0x03eb1badefda409fu, 0x4c2bbc4d241dd3a8u, 0x22cdf338a7565dffu, 0x1636cbe2f64eb1d6u,
    0x3befd05217cd6b7au, 0xe10722cc3b440e67u, 0xfdcdf877c6916242u, 0x7e1188b053e643d9u,
    0xb175cb05fb3a7e72u, 0xfb3a8450d365168eu, 0x822fe1234f1e60e9u, 0x328b8e6b4d403bbeu,
    0xc3a58d963220f011u, 0x34a460b6b19b434du, 0xd2bf411f5c6d5edcu, 0x3ff2b452011544bau,
    0xb16af58c0ad710fdu, 0x018efda5af0b54a4u, 0x47e6bc4b9762ae7fu, 0xe2e2242a4e633777u,
    0xc244613c82ed9d3fu, 0xfa5a04f3a185400bu, 0xcf06f823fd85f07au, 0x6b8c95ead0b5a858u,
    0x9ea031fc417932bbu, 0xdf65d77e1fbe0ce6u, 0xcb1cd63314b61032u, 0xf050b6df58aefab4u,
    0x54371d9875759682u, 0xbe92495928258b56u, 0xd8852695be2e69d7u, 0xf685eed3fb34d2e7u,
    0xaf51a681d7f7244bu, 0x7de0a2f14d44c919u, 0xf26bf3baf9f31d78u, 0xda4a0940f16ed1aau,
    0x0f53185a959c83cdu, 0x5fe43cc3847fa2e9u, 0xaeb9f1bded1e8e5eu, 0x1dea4ad4e8ac5977u,
    0x4fcd4ae2799e82bcu, 0xad55fa2c919a052du, 0x770f9436e784a3e8u, 0xdf2d40512ff1b5cau,
    0xa31b6a985f32e461u, 0x2b9d1c381de9e278u, 0xbd524ff83bedeb1au, 0xb367cedac7220aa6u,
    0x42798711df6f4b1cu, 0x552859a0a93065e7u, 0x218f2e37997ba152u, 0x4f290b1c08db73d7u,
    0xb84e4e96ca57b660u, 0x40715bffc0e316b5u, 0x44b81c5e413edb89u, 0xda5f56d4ffe45656u,
    0x16cff2a08eb54c06u, 0x0b1117e8bec4dabau, 0x1851a6d00919f4bfu, 0x3be4e908aaba44b4u,
    0xef256adb6c9bb731u, 0x4b52fa0f494b7893u, 0xbbd62d677ce81150u, 0xe91522c4da5fd918u,
    0x846e1e3ec36b03d1u, 0xa62a482ceea251c2u, 0x7b977679567545fbu, 0x0e009451f254ee01u,
    0xb2798202fed1b73cu, 0x4929279ddc701de9u, 0xc8d36b6ba0d1026au, 0x8ddd87ee852cb445u,
    0x63ba65547bb1baf1u, 0x3cd3b329f8c4eeb2u, 0x11cfdec1f0dfe7d3u, 0x90271a8b84f73903u,
    0x2145a6c7cfb46a2du, 0x19440a3d9970e9fdu, 0xd5884f3d8eb3f0f2u, 0x900033677817414bu,
    0x161fe42a26bd4c48u, 0xab9671e9cd4d772du, 0xe78c63b47c597a99u, 0xf91db2df6654bdd2u,
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

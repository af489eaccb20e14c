#include "language/model_text_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "language/model_text_reader.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;
const NumberFormat kComma{','};

std::unique_ptr<ModelStore> NewStore() {
  return std::make_unique<ModelStore>();
}

// The example of one generator, one queue and one device, as a store.
std::unique_ptr<ModelStore> SingleDeviceModel() {
  auto store = NewStore();
  GeneratorRecord& g = store->generator(1);
  g.exists = true;
  g.name.assign("Gen");
  g.xc = 100;
  g.yc = 50;
  g.la = 2;
  g.rasp = kExponential;
  g.transfer = 1;
  g.transitions[1] = {1, TargetKind::Queue, 1};
  QueueRecord& q = store->queue(1);
  q.exists = true;
  q.name.assign("Q");
  q.xc = 200;
  q.yc = 50;
  q.len = 10;
  q.discip = kFifo;
  q.transfer = 1;
  q.transitions[1] = {1, TargetKind::Device, 1};
  DeviceRecord& d = store->device(1);
  d.exists = true;
  d.name.assign("D");
  d.xc = 300;
  d.yc = 50;
  d.k = 2;
  d.v = 0.5;
  d.rasp = kExponential;
  d.transfer = 1;
  d.transitions[1] = {1, TargetKind::Terminator, 1};
  store->term_x = 400;
  store->term_y = 50;
  store->settings.simulate = 1000;
  return store;
}

const Lines kSingleDeviceText = {"generator 1;",
                                 "name Gen;",
                                 "xc 100;",
                                 "yc 50;",
                                 "la 2;",
                                 "prior 0;",
                                 "rasp 3;",
                                 "disp 0;",
                                 "transfer 1;",
                                 "1 queue 1;",
                                 "",
                                 "queue 1;",
                                 "name Q;",
                                 "xc 200;",
                                 "yc 50;",
                                 "len 10;",
                                 "discip fifo;",
                                 "transfer 1;",
                                 "1 device 1;",
                                 "",
                                 "device 1;",
                                 "name D;",
                                 "xc 300;",
                                 "yc 50;",
                                 "k 2;",
                                 "v 0,5;",
                                 "rasp 3;",
                                 "disp 0;",
                                 "transfer 1;",
                                 "1 terminator;",
                                 "",
                                 "term_crd 400 50;",
                                 "simulate 1000;"};

TEST(WriterTest, WritesTheSingleDeviceExample) {
  EXPECT_EQ(WriteModelText(*SingleDeviceModel(), kComma), kSingleDeviceText);
}

TEST(WriterTest, TheExampleReadAndWrittenComesBackIdentical) {
  Lines lines = kSingleDeviceText;
  auto store = NewStore();
  ReadModelText(lines, *store, kComma);
  EXPECT_EQ(lines, kSingleDeviceText);
  EXPECT_EQ(WriteModelText(*store, kComma), kSingleDeviceText);
}

TEST(WriterTest, EmptyStoreIsTheModelLevelLinesOnly) {
  auto store = NewStore();
  store->term_x = -3;
  store->term_y = 8;
  store->settings.simulate = 5;
  EXPECT_EQ(WriteModelText(*store, kComma), (Lines{"term_crd -3 8;", "simulate 5;"}));
  store->settings.by_time = true;
  store->settings.end_time = 0.25;
  store->settings.process_all = true;
  store->settings.retry_interval = 1e-5;
  EXPECT_EQ(WriteModelText(*store, kComma),
            (Lines{"term_crd -3 8;", "process_all 1E-5;", "by_time 0,25;"}));
}

TEST(WriterTest, BlocksAreInterleavedBySlot) {
  auto store = NewStore();
  store->device(1).exists = true;
  store->generator(2).exists = true;
  store->queue(1).exists = true;
  Lines headers;
  for (const std::string& line : WriteModelText(*store, kComma)) {
    if (line.starts_with("generator") || line.starts_with("queue") || line.starts_with("device")) {
      headers.push_back(line);
    }
  }
  EXPECT_EQ(headers, (Lines{"queue 1;", "device 1;", "generator 2;"}));
}

TEST(WriterTest, TargetWordsFollowTheBlockNotTheKind) {
  auto store = NewStore();
  GeneratorRecord& g = store->generator(1);
  g.exists = true;
  g.transfer = 1;
  g.transitions[1] = {0.5, TargetKind::Device, 4};
  DeviceRecord& d = store->device(1);
  d.exists = true;
  d.transfer = 3;
  d.transitions[1] = {0.5, TargetKind::Queue, 2};
  d.transitions[2] = {0.25, TargetKind::None, 2};
  d.transitions[3] = {0.25, TargetKind::Terminator, 99};
  const Lines text = WriteModelText(*store, kComma);
  EXPECT_EQ(text[9], "0,5 queue 4;");
  EXPECT_EQ(text[19], "transfer 3;");
  EXPECT_EQ(text[20], "0,5 queue 2;");
  EXPECT_EQ(text[21], "0,25 terminator;");  // the entry of kind none has no line
  EXPECT_EQ(text[22], "");
}

TEST(WriterTest, DisciplineOutsideTheCodesHasNoLine) {
  auto store = NewStore();
  store->queue(1).exists = true;
  store->queue(1).discip = 7;
  const Lines text = WriteModelText(*store, kComma);
  EXPECT_EQ(text[5], "transfer 0;");
}

TEST(WriterTest, LongRealsAreRoundedTo15Digits) {
  auto store = NewStore();
  store->device(1).exists = true;
  store->device(1).v = 1.0 / 3;
  Lines text = WriteModelText(*store, kComma);
  EXPECT_EQ(text[5], "v 0,333333333333333;");
  auto again = NewStore();
  ReadModelText(text, *again, kComma);
  EXPECT_EQ(WriteModelText(*again, kComma), text);
}

// An intensity reads as a real and is written back as read; a whole one is
// written as ever, so stored files keep their text.
TEST(WriterTest, AnIntensityIsARealAndAWholeOneKeepsItsText) {
  for (const char* la : {"la 2,5;", "la 2;", "la 0,125;"}) {
    Lines text = {"generator 1;", la};
    auto store = NewStore();
    ReadModelText(text, *store, kComma);
    EXPECT_EQ(WriteModelText(*store, kComma)[4], la);
  }
}

// Random models whose names hold no separator: write, read into a fresh store,
// write again; the two texts are equal.
class RandomModel {
 public:
  explicit RandomModel(unsigned seed) : random_(seed) {}

  std::unique_ptr<ModelStore> Make() {
    auto store = NewStore();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      if (Chance(0.1))
        FillGenerator(store->generator(slot));
      if (Chance(0.1))
        FillQueue(store->queue(slot));
      if (Chance(0.1))
        FillDevice(store->device(slot));
    }
    store->term_x = Int();
    store->term_y = Int();
    RunSettings& s = store->settings;
    s.simulate = Int();
    s.by_time = Chance(0.5);
    s.end_time = Real();
    s.process_all = Chance(0.5);
    s.retry_interval = Real();
    return store;
  }

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  int Int() { return std::uniform_int_distribution<int>(INT32_MIN, INT32_MAX)(random_); }
  int Count() { return std::uniform_int_distribution<int>(0, kMaxTransitions)(random_); }
  double Real() {
    switch (std::uniform_int_distribution<int>(0, 3)(random_)) {
      case 0:
        return 0;
      case 1:
        return std::uniform_int_distribution<int>(-1000, 1000)(random_) / 8.0;
      case 2:
        return std::uniform_real_distribution<double>(0, 1)(random_);
      default:
        return std::uniform_real_distribution<double>(-1e300, 1e300)(random_);
    }
  }
  ElementName Name() {
    std::string name;
    const int length = std::uniform_int_distribution<int>(0, 30)(random_);
    while (static_cast<int>(name.size()) < length) {
      const char c = static_cast<char>(std::uniform_int_distribution<int>(0x21, 0xFF)(random_));
      if (c != ';')
        name += c;
    }
    return ElementName(name);
  }
  template <typename Record>
  void FillCommon(Record& r) {
    r.exists = true;
    r.name = Name();
    r.xc = Int();
    r.yc = Int();
    r.transfer = Count();
  }
  void FillGenerator(GeneratorRecord& g) {
    FillCommon(g);
    g.la = Int();
    g.prior = Int();
    g.disp = Real();
    g.rasp = static_cast<DistributionKind>(Int());
    for (int i = 1; i <= g.transfer; ++i)
      g.transitions[i] = {Real(), TargetKind::Queue, Int()};
  }
  void FillQueue(QueueRecord& q) {
    FillCommon(q);
    q.len = Int();
    q.discip = static_cast<QueueDiscipline>(std::uniform_int_distribution<int>(0, 3)(random_));
    for (int i = 1; i <= q.transfer; ++i)
      q.transitions[i] = {Real(), TargetKind::Device, Int()};
  }
  void FillDevice(DeviceRecord& d) {
    FillCommon(d);
    d.k = Int();
    d.v = Real();
    d.disp = Real();
    d.rasp = static_cast<DistributionKind>(Int());
    for (int i = 1; i <= d.transfer; ++i) {
      const bool to_queue = Chance(0.5);
      d.transitions[i] = {Real(), to_queue ? TargetKind::Queue : TargetKind::Terminator,
                          to_queue ? Int() : 1};
    }
  }

  std::mt19937 random_;
};

TEST(WriterTest, WritingWhatWasReadGivesTheSameTextForRandomModels) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    const auto model = RandomModel(seed).Make();
    for (const NumberFormat format : {NumberFormat{','}, NumberFormat{'.'}}) {
      Lines first = WriteModelText(*model, format);
      const Lines written = first;
      auto store = NewStore();
      ReadModelText(first, *store, format);
      ASSERT_EQ(first, written) << "the reader changed a canonical line, seed " << seed;
      ASSERT_EQ(WriteModelText(*store, format), written) << "seed " << seed;
    }
  }
}

}  // namespace
}  // namespace qsim

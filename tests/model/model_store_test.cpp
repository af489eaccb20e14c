#include "model/model_store.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace qsim {
namespace {

TEST(ModelStoreTest, SlotsOutsideTheTablesAreRefused) {
  auto store = std::make_unique<ModelStore>();
  EXPECT_NO_THROW(store->generator(1));
  EXPECT_NO_THROW(store->device(150));
  EXPECT_THROW(store->generator(0), std::out_of_range);
  EXPECT_THROW(store->queue(151), std::out_of_range);
  EXPECT_THROW(store->device(-1), std::out_of_range);
  EXPECT_THROW(store->generator(1).transitions[0], std::out_of_range);
  EXPECT_THROW(store->generator(1).transitions[31], std::out_of_range);
  EXPECT_NO_THROW(store->generator(1).transitions[30]);
}

TEST(ModelStoreTest, ScatteredSlotsAreCountedByKind) {
  auto store = std::make_unique<ModelStore>();
  store->generator(3).exists = true;
  store->queue(40).exists = true;
  store->device(150).exists = true;
  store->device(1).exists = true;
  EXPECT_EQ(store->CountInUse(ElementKind::Generator), 1);
  EXPECT_EQ(store->CountInUse(ElementKind::Queue), 1);
  EXPECT_EQ(store->CountInUse(ElementKind::Device), 2);
}

TEST(ModelStoreTest, NamesKeepTheirFirst25Characters) {
  ElementName name("abcdefghijklmnopqrstuvwxyz0123");
  EXPECT_EQ(name.view(), "abcdefghijklmnopqrstuvwxy");
  name.assign("short");
  EXPECT_EQ(name.view(), "short");
}

TEST(ModelStoreTest, ClearExistsKeepsEverythingElse) {
  auto store = std::make_unique<ModelStore>();
  QueueRecord& q = store->queue(7);
  q.exists = true;
  q.name.assign("Q");
  q.len = 12;
  q.transfer = 1;
  q.transitions[1] = {1, TargetKind::Device, 4};
  store->ClearExists();
  EXPECT_FALSE(q.exists);
  EXPECT_EQ(q.name.view(), "Q");
  EXPECT_EQ(q.len, 12);
  EXPECT_EQ(q.transitions[1].index, 4);
}

TEST(ModelStoreTest, ClearForNewModelKeepsRoutesDisciplinesLawsAndSettings) {
  auto store = std::make_unique<ModelStore>();
  GeneratorRecord& g = store->generator(2);
  QueueRecord& q = store->queue(2);
  DeviceRecord& d = store->device(2);
  g = {};
  g.exists = true;
  g.la = 5;
  g.rasp = 3;
  g.transfer = 1;
  g.transitions[1] = {0.5, TargetKind::Queue, 9};
  q.exists = true;
  q.discip = kPriorityLifo;
  q.len = 8;
  q.stats.max_len = 3;
  d.exists = true;
  d.rasp = 2;
  d.k = 4;
  d.stats.starts = 17;
  store->term_x = 11;
  store->term_y = 22;
  store->settings.simulate = 500;
  store->settings.by_time = true;
  store->settings.end_time = 7.5;
  store->settings.process_all = true;
  store->settings.retry_interval = 0.25;

  store->ClearForNewModel();

  EXPECT_FALSE(g.exists);
  EXPECT_EQ(g.la, 0);
  EXPECT_EQ(g.rasp, 0);
  EXPECT_EQ(g.transfer, 0);
  EXPECT_EQ(g.transitions[1].index, 9);
  EXPECT_FALSE(q.exists);
  EXPECT_EQ(q.len, 0);
  EXPECT_EQ(q.stats.max_len, 0);
  EXPECT_EQ(q.discip, kPriorityLifo);
  EXPECT_EQ(d.k, 0);
  EXPECT_EQ(d.stats.starts, 0);
  EXPECT_EQ(d.rasp, 2);
  EXPECT_EQ(store->term_x, 11);
  EXPECT_EQ(store->term_y, 22);
  EXPECT_EQ(store->settings.simulate, 500);
  EXPECT_TRUE(store->settings.by_time);
  EXPECT_EQ(store->settings.end_time, 7.5);
  EXPECT_TRUE(store->settings.process_all);
  EXPECT_EQ(store->settings.retry_interval, 0.25);
}

TEST(ModelStoreTest, DialogOptionsStartAtTheirDefaults) {
  const RunSettings settings;
  EXPECT_TRUE(settings.check_model);
  EXPECT_TRUE(settings.report_include_input);
  EXPECT_FALSE(settings.report_include_picture);
  EXPECT_TRUE(settings.report_name_auto);
  EXPECT_TRUE(settings.report_open_after);
  EXPECT_FALSE(settings.protocol_enabled);
  EXPECT_TRUE(settings.protocol_name_auto);
  EXPECT_FALSE(settings.protocol_open_after);
}

}  // namespace
}  // namespace qsim

#include "model/store_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace qsim {
namespace {

// A snapshot gives the definitions back byte for byte and, taken after another
// one, holds only the records whose definitions changed; the statistics of the
// last run are no part of it.
TEST(StoreSnapshotTest, RestoresEveryDefinitionAndSharesUnchangedRecords) {
  auto store = std::make_unique<ModelStore>();
  store->queue(3).exists = true;
  store->queue(3).len = 7;
  store->device(150).k = 2;
  store->term_x = 40;
  store->settings.simulate = 12;
  const auto kept = std::make_unique<ModelStore>(*store);
  const StoreSnapshot first(*store, nullptr);
  store->queue(3).len = 9;
  store->queue(4).stats.entries = 5;
  store->now = 2.5;
  const StoreSnapshot second(*store, &first);
  EXPECT_EQ(second.SharedRecords(first), 3 * kSlotCount - 1);
  store->device(150).k = 5;
  store->term_x = 0;
  store->settings.simulate = 0;
  first.RestoreInto(*store);
  EXPECT_EQ(store->queue(4).stats.entries, 5);
  EXPECT_EQ(store->now, 2.5);
  store->queue(4).stats = {};
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    EXPECT_EQ(std::memcmp(&store->queue(slot), &kept->queue(slot), sizeof(QueueRecord)), 0);
    EXPECT_EQ(std::memcmp(&store->device(slot), &kept->device(slot), sizeof(DeviceRecord)), 0);
  }
  EXPECT_EQ(store->term_x, 40);
  EXPECT_EQ(store->settings.simulate, 12);
  second.RestoreInto(*store);
  EXPECT_EQ(store->queue(3).len, 9);
}

}  // namespace
}  // namespace qsim

#pragma once

#include "model/model_store.h"

namespace qsim::test_support {

// Puts an element in use at a canvas position, for tests of the picture and the
// editing tools.
inline GeneratorRecord& PlaceGenerator(ModelStore& store, int slot, int x, int y) {
  GeneratorRecord& generator = store.generator(slot);
  generator.exists = true;
  generator.xc = x;
  generator.yc = y;
  return generator;
}

inline QueueRecord& PlaceQueue(ModelStore& store, int slot, int x, int y) {
  QueueRecord& queue = store.queue(slot);
  queue.exists = true;
  queue.xc = x;
  queue.yc = y;
  return queue;
}

inline DeviceRecord& PlaceDevice(ModelStore& store, int slot, int x, int y, int k) {
  DeviceRecord& device = store.device(slot);
  device.exists = true;
  device.xc = x;
  device.yc = y;
  device.k = k;
  return device;
}

}  // namespace qsim::test_support

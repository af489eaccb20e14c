#include "model/route_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "foundation/code_page.h"

namespace qsim {
namespace {

// Generator 1 -> queue 1 -> device 1 -> terminator: every route sound.
std::unique_ptr<ModelStore> SoundChain() {
  auto store = std::make_unique<ModelStore>();
  GeneratorRecord& g = store->generator(1);
  g.exists = true;
  g.transfer = 1;
  g.transitions[1] = {1, TargetKind::Queue, 1};
  QueueRecord& q = store->queue(1);
  q.exists = true;
  q.transfer = 1;
  q.transitions[1] = {1, TargetKind::Device, 1};
  DeviceRecord& d = store->device(1);
  d.exists = true;
  d.transfer = 1;
  d.transitions[1] = {1, TargetKind::Terminator, 0};
  return store;
}

struct RouteCase {
  const char* name;
  std::function<void(ModelStore&)> change;
  std::optional<std::string> fault;  // UTF-8
};

TEST(RouteCheckTest, FindsTheFirstRouteThatLeadsNowhere) {
  const RouteCase cases[] = {
      {"sound chain", [](ModelStore&) {}, std::nullopt},
      {"target slot beyond the tables",
       [](ModelStore& s) { s.generator(1).transitions[1].index = 151; },
       "Генератор 1: переход 1 ведет в несуществующую очередь 151"},
      {"empty target slot", [](ModelStore& s) { s.queue(1).transitions[1].index = 2; },
       "Очередь 1: переход 1 ведет в несуществующее устройство 2"},
      {"forbidden kind",
       [](ModelStore& s) {
         s.generator(1).transitions[1] = {1, TargetKind::Device, 1};
       },
       "Генератор 1: переход 1 ведет в элемент недопустимого типа (код 3)"},
      {"second transition",
       [](ModelStore& s) {
         s.device(1).transfer = 2;
         s.device(1).transitions[2] = {0, TargetKind::Queue, 9};
       },
       "Устройство 1: переход 2 ведет в несуществующую очередь 9"},
      {"generator without transitions", [](ModelStore& s) { s.generator(1).transfer = 0; },
       "Генератор 1 не имеет переходов"},
      {"reached device without transitions", [](ModelStore& s) { s.device(1).transfer = 0; },
       "Устройство 1 не имеет переходов"},
      {"unreached queue without transitions",
       [](ModelStore& s) {
         s.queue(5).exists = true;
         s.queue(5).transfer = 0;
       },
       std::nullopt},
      {"transition of an unused element",
       [](ModelStore& s) {
         s.device(7).transfer = 1;
         s.device(7).transitions[1] = {1, TargetKind::Queue, 100};
       },
       std::nullopt},
      {"lowest slot first, generators before queues",
       [](ModelStore& s) {
         s.queue(1).transitions[1].index = 3;
         s.generator(2).exists = true;
         s.generator(2).transfer = 0;
       },
       "Очередь 1: переход 1 ведет в несуществующее устройство 3"},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<ModelStore> store = SoundChain();
    c.change(*store);
    const std::optional<std::string> fault = FindRouteFault(*store);
    ASSERT_EQ(fault.has_value(), c.fault.has_value()) << Cp1251ToUtf8(fault.value_or(""));
    if (fault) {
      EXPECT_EQ(Cp1251ToUtf8(*fault), *c.fault);
    }
  }
}

TEST(RouteCheckTest, TheTerminatorNeedsNoSlotButOnlyDevicesLeadToIt) {
  const std::unique_ptr<ModelStore> store = SoundChain();
  const TransitionEntry to_terminator{1, TargetKind::Terminator, 0};
  EXPECT_EQ(CheckTransition(*store, ElementKind::Device, to_terminator), TransitionFault::None);
  EXPECT_EQ(CheckTransition(*store, ElementKind::Queue, to_terminator),
            TransitionFault::ForbiddenKind);
  EXPECT_EQ(CheckTransition(*store, ElementKind::Generator, {1, TargetKind::None, 1}),
            TransitionFault::ForbiddenKind);
}

}  // namespace
}  // namespace qsim

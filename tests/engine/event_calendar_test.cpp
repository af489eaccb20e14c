#include "engine/event_calendar.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/binary_event_heap.h"
#include "tests/support/linked_list_calendar.h"

namespace qsim {
namespace {

EventNode At(double time, int element) {
  EventNode event;
  event.time = time;
  event.element = element;
  return event;
}

std::string Drain(EventCalendar& calendar) {
  std::string order;
  while (!calendar.empty())
    order += static_cast<char>('A' + calendar.TakeFirst().element);
  return order;
}

TEST(EventCalendarTest, TheFirstEntryIsNeverDisplacedByItsOwnTime) {
  EventCalendar calendar;
  calendar.Schedule(At(1, 0));  // A
  calendar.Schedule(At(1, 1));  // B
  calendar.Schedule(At(1, 2));  // C
  calendar.Schedule(At(1, 3));  // D
  EXPECT_EQ(calendar.size(), 4u);
  EXPECT_EQ(Drain(calendar), "ADCB");
}

TEST(EventCalendarTest, LaterAndEarlierEvents) {
  EventCalendar calendar;
  calendar.Schedule(At(2, 0));   // A
  calendar.Schedule(At(5, 1));   // B, after everything
  calendar.Schedule(At(1, 2));   // C, before everything
  calendar.Schedule(At(2, 3));   // D, same time as A, which is now second
  calendar.Schedule(At(-3, 4));  // E, earlier than "now"
  EXPECT_EQ(Drain(calendar), "ECDAB");
}

TEST(EventCalendarTest, ADisplacedFirstEntryStaysAheadOfItsTime) {
  EventCalendar calendar;
  calendar.Schedule(At(5, 0));  // A
  calendar.Schedule(At(5, 1));  // B
  calendar.Schedule(At(5, 2));  // C: A, C, B
  calendar.Schedule(At(3, 3));  // D: D, A, C, B
  calendar.Schedule(At(5, 4));  // E: D, E, A, C, B
  EXPECT_EQ(Drain(calendar), "DEACB");
}

TEST(EventCalendarTest, HandlerSchedulingAtTheCurrentTime) {
  // After taking an event at t, X then Y scheduled at t before a later first entry.
  EventCalendar calendar;
  calendar.Schedule(At(0, 0));
  calendar.Schedule(At(9, 1));
  calendar.TakeFirst();
  calendar.Schedule(At(0, 23));  // X
  calendar.Schedule(At(0, 24));  // Y
  EXPECT_EQ(calendar.TakeFirst().element, 23);
  EXPECT_EQ(calendar.TakeFirst().element, 24);
  // When the first entry has the current time: first entry, Y, X.
  calendar.Clear();
  calendar.Schedule(At(0, 0));
  calendar.Schedule(At(0, 23));
  calendar.Schedule(At(0, 24));
  EXPECT_EQ(Drain(calendar), "AYX");
}

// Random operations on many equal times, against the literal linked list, for
// the calendar, its first binary heap, and a heap that runs out of stamps every
// few thousand pushes.
template <typename Calendar>
class CalendarStressTest : public ::testing::Test {};

using Calendars =
    ::testing::Types<EventCalendar, BinaryHeapCalendar, BasicEventCalendar<EventHeap<4096>>>;
TYPED_TEST_SUITE(CalendarStressTest, Calendars);

TYPED_TEST(CalendarStressTest, AgreesWithTheLinkedList) {
  std::mt19937 random(2024);
  TypeParam calendar;
  LinkedListCalendar shadow;
  std::uniform_int_distribution<int> times(-5, 40);
  int next_id = 0;
  double now = 0;
  for (int operation = 0; operation < 300000; ++operation) {
    // Phases that grow and shrink the calendar, so it changes form often; the last
    // third grows it to a heap of a couple of thousand events.
    const int phase = operation < 200000 ? 500 : 10000;
    const int schedule_weight = (operation / phase) % 2 == 0 ? 6 : 4;
    const int choice = std::uniform_int_distribution<int>(0, 9)(random);
    if (choice < schedule_weight || shadow.empty()) {
      // Mostly at the current time, sometimes later, sometimes earlier than all.
      double time = now;
      if (choice >= 3)
        time = now + times(random) / 4.0;
      EventNode event = At(time, next_id++);
      calendar.Schedule(event);
      shadow.Schedule(event);
    } else {
      ASSERT_EQ(calendar.First().element, shadow.First().element) << "operation " << operation;
      const EventNode taken = calendar.TakeFirst();
      const EventNode expected = shadow.TakeFirst();
      ASSERT_EQ(taken.element, expected.element) << "operation " << operation;
      ASSERT_EQ(taken.time, expected.time);
      now = taken.time;
    }
    ASSERT_EQ(calendar.size(), shadow.size());
    if (operation % 100000 == 99999) {
      calendar.Clear();
      shadow.Clear();
    }
  }
  while (!shadow.empty())
    ASSERT_EQ(calendar.TakeFirst().element, shadow.TakeFirst().element);
  EXPECT_TRUE(calendar.empty());
}

}  // namespace
}  // namespace qsim

#include "engine/event_calendar.h"

namespace qsim {

void EventCalendar::Push(const EventNode& event) {
  const Entry entry{event, next_stamp_++};
  std::size_t hole = rest_.size();
  rest_.push_back(entry);
  while (hole > 0) {
    const std::size_t parent = (hole - 1) / 2;
    if (!Earlier(entry, rest_[parent]))
      break;
    rest_[hole] = rest_[parent];
    hole = parent;
  }
  rest_[hole] = entry;
}

EventNode EventCalendar::PopRest() {
  const EventNode top = rest_.front().event;
  const Entry last = rest_.back();
  rest_.pop_back();
  const std::size_t size = rest_.size();
  if (size == 0)
    return top;
  std::size_t hole = 0;
  for (;;) {
    std::size_t child = 2 * hole + 1;
    if (child >= size)
      break;
    if (child + 1 < size && Earlier(rest_[child + 1], rest_[child]))
      ++child;
    if (!Earlier(rest_[child], last))
      break;
    rest_[hole] = rest_[child];
    hole = child;
  }
  rest_[hole] = last;
  return top;
}

}  // namespace qsim

#include "engine/event_calendar.h"

namespace qsim {

void EventCalendar::ClearSmall() {
  small_ = true;
  size_ = 0;
  head_ = kNone;
  free_ = 0;
  next_ = FreeChain();
}

void EventCalendar::MoveToHeap() {
  const std::size_t size = size_;
  first_ = nodes_[head_];
  rest_.clear();
  // Stamps that decrease along the list keep its order among equal times.
  std::uint64_t stamp = next_stamp_ + size;
  next_stamp_ += size + 1;
  for (std::uint8_t node = next_[head_]; node != kNone; node = next_[node]) {
    PushEntry({nodes_[node], --stamp});
  }
  ClearSmall();
  small_ = false;
  size_ = size;
}

void EventCalendar::MoveToList() {
  const std::size_t size = size_;
  ClearSmall();
  // Entries come out in calendar order: each goes behind the previous one.
  std::uint8_t tail = kNone;
  const auto append = [&](const EventNode& event) {
    const std::uint8_t node = free_;
    free_ = next_[node];
    nodes_[node] = event;
    next_[node] = kNone;
    (tail == kNone ? head_ : next_[tail]) = node;
    tail = node;
  };
  append(first_);
  while (!rest_.empty())
    append(PopRest());
  size_ = size;
}

void EventCalendar::PushEntry(const Entry& entry) {
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

#include "engine/waiting_order.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

namespace qsim {
namespace {

// Random arrivals, departures and returns of earlier tickets, under every
// discipline, against an ordered map of what a search of the places would choose.
TEST(WaitingOrderTest, ServesWhatASearchOfThePlacesWouldChoose) {
  for (QueueDiscipline discip : {kFifo, kLifo, kPriorityFifo, kPriorityLifo}) {
    const bool by_priority = discip == kPriorityFifo || discip == kPriorityLifo;
    const bool latest = discip == kLifo || discip == kPriorityLifo;
    std::mt19937 random(7 + discip);
    WaitingOrder order;
    order.Reset(discip);
    // (priority, ticket served first) -> place; tickets are negated for the latest first.
    std::map<std::tuple<int, int>, int> shadow;
    std::map<int, std::tuple<int, int>> taken;  // place -> (priority, ticket) of a request out
    int ticket = 0;
    for (int step = 0; step < 20000; ++step) {
      const int choice = std::uniform_int_distribution<int>(0, 2)(random);
      if (choice == 0 && shadow.size() < kMaxQueuePlaces - taken.size()) {
        const int place = static_cast<int>(shadow.size() + taken.size()) + 1;
        const int priority = std::uniform_int_distribution<int>(-1, 1)(random);
        order.Add(place, priority, ++ticket);
        shadow[{by_priority ? priority : 0, latest ? -ticket : ticket}] = place;
      } else if (choice == 1 && !shadow.empty()) {
        const auto first = shadow.begin();
        ASSERT_EQ(order.TakeFirst(), first->second) << "discipline " << int{discip};
        const auto [level, rank] = first->first;
        taken[first->second] = {level, latest ? -rank : rank};
        shadow.erase(first);
      } else if (!taken.empty()) {
        // A request sent back keeps its place's number and its ticket.
        const auto back = std::next(taken.begin(), random() % taken.size());
        const auto [level, old_ticket] = back->second;
        order.Add(back->first, level, old_ticket);
        shadow[{level, latest ? -old_ticket : old_ticket}] = back->first;
        taken.erase(back);
      }
    }
  }
}

}  // namespace
}  // namespace qsim

#pragma once

#include <memory>
#include <vector>

#include "engine/event_node.h"

namespace qsim {

// The calendar as a plain singly linked list searched from its first entry on
// every insertion. It defines the order that EventCalendar must keep, and serves
// as the shadow of the calendar's stress test and the baseline of the benchmarks.
// Nodes are recycled through a free list, so the comparison measures the search,
// not the allocator.
class LinkedListCalendar {
 public:
  void Schedule(const EventNode& event) {
    Node* node = NewNode(event);
    if (head_ == nullptr) {
      head_ = node;
    } else if (event.time < head_->event.time) {
      node->next = head_;
      head_ = node;
    } else {
      // Before the first entry after the head whose time is >= the new one.
      Node* before = head_;
      while (before->next != nullptr && before->next->event.time < event.time) {
        before = before->next;
      }
      node->next = before->next;
      before->next = node;
    }
    ++size_;
  }

  bool empty() const { return head_ == nullptr; }
  std::size_t size() const { return size_; }
  const EventNode& First() const { return head_->event; }

  EventNode TakeFirst() {
    Node* node = head_;
    head_ = node->next;
    node->next = free_;
    free_ = node;
    --size_;
    return node->event;
  }

  void Clear() {
    while (!empty())
      TakeFirst();
  }

 private:
  struct Node {
    EventNode event;
    Node* next = nullptr;
  };

  Node* NewNode(const EventNode& event) {
    Node* node = free_;
    if (node != nullptr) {
      free_ = node->next;
    } else {
      storage_.push_back(std::make_unique<Node>());
      node = storage_.back().get();
    }
    node->event = event;
    node->next = nullptr;
    return node;
  }

  Node* head_ = nullptr;
  Node* free_ = nullptr;
  std::size_t size_ = 0;
  std::vector<std::unique_ptr<Node>> storage_;
};

}  // namespace qsim

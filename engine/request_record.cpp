#include "engine/request_record.h"

namespace qsim {

void RequestPool::Grow() {
  chunks_.push_back(std::make_unique<RequestRecord[]>(kChunkSize));
  free_.reserve(capacity());
  RequestRecord* chunk = chunks_.back().get();
  for (std::size_t i = kChunkSize; i > 0; --i)
    free_.push_back(&chunk[i - 1]);
}

void RequestPool::Reset() {
  free_.clear();
  for (auto chunk = chunks_.rbegin(); chunk != chunks_.rend(); ++chunk) {
    for (std::size_t i = kChunkSize; i > 0; --i)
      free_.push_back(&(*chunk)[i - 1]);
  }
}

}  // namespace qsim

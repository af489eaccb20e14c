#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace qsim {

// One request travelling through the model.
struct RequestRecord {
  std::int32_t number = 0;    // ordinal in the run, in order of generation
  std::int32_t source = 0;    // slot of the generator that made it
  double birth = 0;           // model time of its generation
  double stamp = 0;           // entry into its current queue, then its service start
  bool refused = false;       // leaves the system unserved
  std::int32_t priority = 0;  // smaller is served earlier by the priority disciplines
  std::int32_t ticket = 0;    // its queue ticket while it asks a device for service
  std::int32_t channel = 0;   // its channel while a device holds it
};

// Owns the requests of a run. Records are handed out from chunks that are kept
// for the life of the pool, so once a run has reached its largest population it
// allocates nothing more, and pointers stay valid until Reset.
class RequestPool {
 public:
  RequestRecord* Acquire() {
    if (free_.empty())
      Grow();
    RequestRecord* request = free_.back();
    free_.pop_back();
    *request = RequestRecord{};
    return request;
  }

  void Release(RequestRecord* request) { free_.push_back(request); }

  // Takes back every request handed out, including those still referenced by
  // the tables of a finished run.
  void Reset();

  std::size_t in_use() const { return capacity() - free_.size(); }
  std::size_t capacity() const { return chunks_.size() * kChunkSize; }

 private:
  static constexpr std::size_t kChunkSize = 1024;

  void Grow();

  std::vector<std::unique_ptr<RequestRecord[]>> chunks_;
  std::vector<RequestRecord*> free_;
};

}  // namespace qsim

#include "mpi/mpi_sweep.h"

#include <mpi.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "commands/parallel_series.h"
#include "foundation/code_page.h"
#include "mpi/run_result_message.h"

namespace qsim::mpi {
namespace {

// Tags of the messages: results done with a request for the next run; the last
// results of a rank whose threads have all ended; the run handed out (-1: none).
constexpr int kRequestTag = 1;
constexpr int kFinishedTag = 2;
constexpr int kRunTag = 3;

constexpr std::int64_t kNoRun = -1;

// The message that `status` announced.
std::string Receive(MPI_Status& status) {
  int size = 0;
  MPI_Get_count(&status, MPI_BYTE, &size);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  MPI_Recv(bytes.data(), size, MPI_BYTE, status.MPI_SOURCE, status.MPI_TAG, MPI_COMM_WORLD,
           MPI_STATUS_IGNORE);
  return bytes;
}

void Send(const std::string& bytes, int tag) {
  MPI_Send(bytes.data(), static_cast<int>(bytes.size()), MPI_BYTE, 0, tag, MPI_COMM_WORLD);
}

// A rank above 0: asks rank 0 for each run and sends back what its threads did.
void Work(const cli::SweepArguments& sweep, const ModelStore& model) {
  RunResults done_since_asked;
  bool exhausted = false;
  const auto next = [&]() -> std::optional<std::int64_t> {
    if (exhausted)
      return std::nullopt;
    Send(PackRunResults(done_since_asked), kRequestTag);
    done_since_asked.clear();
    std::int64_t run = kNoRun;
    MPI_Recv(&run, 1, MPI_INT64_T, 0, kRunTag, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
    exhausted = run == kNoRun;
    return exhausted ? std::nullopt : std::optional(run);
  };
  const auto done = [&](std::int64_t run, SeriesRunResult result) {
    done_since_asked.emplace_back(run, std::move(result));
  };
  RunSeriesOnThreads(model, sweep.series, sweep.format, SeriesThreadCount(sweep.jobs), {}, next,
                     done);
  Send(PackRunResults(done_since_asked), kFinishedTag);
}

using Clock = std::chrono::steady_clock;

// When each rank was last heard from, for --rank-timeout.
class RankWatch {
 public:
  RankWatch(int ranks, int timeout_seconds)
      : heard_(static_cast<std::size_t>(ranks), Clock::now()),
        done_(static_cast<std::size_t>(ranks), false),
        timeout_(timeout_seconds) {}

  void Heard(int rank, bool done) {
    heard_[static_cast<std::size_t>(rank)] = Clock::now();
    done_[static_cast<std::size_t>(rank)] = done;
  }

  // A rank above 0, not yet done, silent for longer than the timeout; 0 for none.
  int Silent() const {
    if (timeout_.count() == 0)
      return 0;
    for (std::size_t rank = 1; rank < heard_.size(); ++rank) {
      if (!done_[rank] && Clock::now() - heard_[rank] > timeout_)
        return static_cast<int>(rank);
    }
    return 0;
  }

 private:
  std::vector<Clock::time_point> heard_;
  std::vector<bool> done_;
  std::chrono::seconds timeout_;
};

// Rank 0: answers the other ranks while its own threads take runs from the same
// queue.
std::vector<std::optional<SeriesRunResult>> Dispatch(const cli::SweepArguments& sweep,
                                                     const ModelStore& model, int ranks) {
  SeriesRunQueue queue(sweep.series, sweep.shard.value_or(SeriesShard{}));
  std::mutex lock;
  std::exception_ptr failure;
  std::atomic<bool> abandoned{false};
  RunControls own_controls;
  own_controls.cancel = &abandoned;
  std::thread own_runs([&] {
    try {
      RunSeriesOnThreads(
          model, sweep.series, sweep.format, SeriesThreadCount(sweep.jobs), own_controls,
          [&]() -> std::optional<std::int64_t> {
            const std::lock_guard guard(lock);
            return abandoned ? std::nullopt : queue.Next();
          },
          [&](std::int64_t run, SeriesRunResult result) {
            const std::lock_guard guard(lock);
            queue.Done(run, std::move(result));
          });
    } catch (...) {
      failure = std::current_exception();
    }
  });
  RankWatch watch(ranks, sweep.rank_timeout_seconds);
  for (int finished = 0; finished < ranks - 1;) {
    int waiting = 0;
    MPI_Status status;
    MPI_Iprobe(MPI_ANY_SOURCE, MPI_ANY_TAG, MPI_COMM_WORLD, &waiting, &status);
    if (!waiting) {
      if (const int silent = watch.Silent()) {
        abandoned = true;
        own_runs.join();
        throw RankTimeout(silent, sweep.rank_timeout_seconds);
      }
      // A blocking receive would keep a core busy polling, which the runs need.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    const RunResults results = UnpackRunResults(Receive(status));
    watch.Heard(status.MPI_SOURCE, status.MPI_TAG == kFinishedTag);
    const std::lock_guard guard(lock);
    for (const auto& [run, result] : results)
      queue.Done(run, result);
    if (status.MPI_TAG == kFinishedTag) {
      ++finished;
      continue;
    }
    const std::int64_t run = queue.Next().value_or(kNoRun);
    MPI_Send(&run, 1, MPI_INT64_T, status.MPI_SOURCE, kRunTag, MPI_COMM_WORLD);
  }
  own_runs.join();
  if (failure)
    std::rethrow_exception(failure);
  return queue.TakeResults();
}

}  // namespace

RankTimeout::RankTimeout(int rank, int seconds)
    : QsimError(std::string("Процесс "_cp) + std::to_string(rank) +
                std::string(" не отвечает дольше "_cp) + std::to_string(seconds) +
                std::string(" с (--rank-timeout); серия прервана, таблица не записана"_cp)) {}

std::optional<std::vector<std::optional<SeriesRunResult>>> RunMpiSweep(
    const cli::SweepArguments& sweep, const ModelStore& model) {
  CheckSeries(model, sweep.series);
  int rank = 0;
  int ranks = 1;
  MPI_Comm_rank(MPI_COMM_WORLD, &rank);
  MPI_Comm_size(MPI_COMM_WORLD, &ranks);
  if (rank != 0) {
    Work(sweep, model);
    return std::nullopt;
  }
  return Dispatch(sweep, model, ranks);
}

}  // namespace qsim::mpi

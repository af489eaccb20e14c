#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/parameter_sweep.h"
#include "engine/random_generator.h"
#include "engine/run_controls.h"
#include "engine/simulation.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// A series of runs of one model: `replications` runs at every value of the range,
// or of the model as it is (a series of one point) without a range. Run i is
// replication i mod replications of point i div replications. Replication r draws
// from the stream (seed, r) at every point, so the points differ by the parameter
// alone (common random numbers).
struct SeriesDefinition {
  std::optional<SweepRange> range;
  int replications = 1;
  std::uint32_t seed = 0;
};

// The most replications of a point, and the most runs of a series: every run
// keeps its statistics until the table is written, and a thread of the series
// holds a copy of the store.
inline constexpr int kMaxReplications = 100000;
inline constexpr std::int64_t kMaxSeriesRuns = 1'000'000;

std::int64_t SeriesPointCount(const SeriesDefinition& series);
std::int64_t SeriesRunCount(const SeriesDefinition& series);
// The parameter's value at `point`, whole-number fields rounded; 0 without a range.
// The first and the last point are the range's ends exactly.
double SeriesPointValue(const SeriesDefinition& series, std::int64_t point);

// Refuses a series that cannot be run on the model: an unusable range
// (SweepRangeFault), or replications or runs beyond the limits above. Throws
// QsimError.
void CheckSeries(const ModelStore& model, const SeriesDefinition& series);

enum class SeriesRunStatus {
  Finished,  // values hold the run's statistics
  Stopped,   // a limit of the controls or the cancel flag ended the run; see message
  Failed,    // the model check blocked the run, or a route leads nowhere; see message
};

// What one run of a series gave; nothing in it depends on where it ran.
struct SeriesRunResult {
  SeriesRunStatus status = SeriesRunStatus::Finished;
  std::string message;                        // Windows-1251, for Stopped and Failed
  std::vector<std::optional<double>> values;  // in the order of SweepColumns
  std::string warning;                        // DurationWarning of a finished run; empty for none
};

// Runs single runs of a series on a copy of the model of its own, through the same
// engine as the run command, without protocol or report: the model with the
// point's value, after the model check's corrections, and the replication's stream.
// One runner per thread.
class SeriesRunner {
 public:
  SeriesRunner(const ModelStore& model, const SeriesDefinition& series, const NumberFormat& format);
  ~SeriesRunner();
  SeriesRunner(const SeriesRunner&) = delete;
  SeriesRunner& operator=(const SeriesRunner&) = delete;

  SeriesRunResult Run(std::int64_t run, const RunControls& controls);

  // The model a run of `point` starts from; throws QsimError when the check blocks.
  const ModelStore& PreparePoint(std::int64_t point);

 private:
  const ModelStore& model_;
  SeriesDefinition series_;
  NumberFormat format_;
  std::unique_ptr<ModelStore> store_;
  RandomGenerator random_;
  Simulation simulation_;
};

// The points of a series from the results of its runs (indexed by run; none for a
// run not done), in run order: a point's statistics over its replications in
// replication order, so the same results give the same bits however the runs were
// spread. The points end before the first point with a run that was not done or
// stopped; `stop` then names the first run that stopped and why. Throws QsimError
// with the message of the first run that failed before that.
struct SeriesStop {
  std::int64_t run = 0;
  std::string message;  // Windows-1251
};
struct SeriesSummary {
  std::vector<SweepPoint> points;
  std::optional<SeriesStop> stop;
};
SeriesSummary SummariseSeries(const SeriesDefinition& series,
                              const std::vector<std::optional<SeriesRunResult>>& results);

}  // namespace qsim

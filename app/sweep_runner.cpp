#include "app/sweep_runner.h"

#include <atomic>

#include "app/progress_dialog.h"
#include "foundation/qsim_error.h"

namespace qsim::gui {
namespace {

void RefuseUnusableRanges(const ModelStore& store, const std::vector<SweepRange>& ranges,
                          const std::vector<std::string>& titles) {
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    if (const auto fault = SweepRangeFault(store, ranges[i]))
      throw QsimError(titles.at(i) + ": " + *fault);
  }
}

// Runs the ranges one after another on the calling thread; a cancelled range
// ends the series.
void RunRanges(const ModelStore& store, const std::vector<SweepRange>& ranges,
               const std::vector<std::string>& titles, int replications, const NumberFormat& format,
               const RunControls& controls, RunProgressDialog& progress, SweepOutcome& outcome) {
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    SweepSeries series{titles.at(i), ranges[i], SweepColumns(store), {}};
    series.points =
        RunSweep(store, ranges[i], replications, format, controls,
                 [&](const SeriesProgress& where) { progress.PostSeriesProgress(where); });
    outcome.cancelled = controls.cancel->load();
    if (!series.points.empty())
      outcome.series.push_back(std::move(series));
    if (outcome.cancelled)
      return;
  }
}

}  // namespace

SweepOutcome RunSweepSeries(const ModelStore& store, const std::vector<SweepRange>& ranges,
                            const std::vector<std::string>& titles, int replications,
                            const NumberFormat& format, RunProgressDialog& progress) {
  RefuseUnusableRanges(store, ranges, titles);
  RunControls controls;
  SweepOutcome outcome;
  progress.RunOnWorker(
      [&] { RunRanges(store, ranges, titles, replications, format, controls, progress, outcome); },
      controls, format);
  return outcome;
}

}  // namespace qsim::gui

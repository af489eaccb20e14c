#pragma once

#include <string>
#include <vector>

#include "commands/parallel_series.h"
#include "commands/parameter_sweep.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim::gui {

class RunProgressDialog;

// The results of one range of a series: what the sweep dialog listed for it, the
// statistics columns of the model, and the points run.
struct SweepSeries {
  std::string title;  // Windows-1251
  SweepRange range;
  std::vector<std::string> columns;
  std::vector<SweepPoint> points;
};

// What a series of ranges gave: the ranges run in full, then the one that was
// cancelled with the points done before the cancel, if any.
struct SweepOutcome {
  std::vector<SweepSeries> series;
  bool cancelled = false;
};

// Runs every range of `ranges` (titled by the matching entry of `titles`) in turn,
// the runs of each on every core, from a worker thread while `progress` blocks
// the windows and shows the point and runs done; the user can cancel the series
// there. Ranges that the model cannot take are refused before anything
// runs. The store is exactly as before when this returns or throws.
//
// REQUIRES: called on the GUI thread; nothing else touches `store` until it
// returns. Throws QsimError as RunSweep does.
SweepOutcome RunSweepSeries(const ModelStore& store, const std::vector<SweepRange>& ranges,
                            const std::vector<std::string>& titles, int replications,
                            const NumberFormat& format, RunProgressDialog& progress);

}  // namespace qsim::gui

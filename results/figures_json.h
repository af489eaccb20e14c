#pragma once

#include <ostream>

#include "results/run_figures.h"

namespace qsim {

// Writes the figures of a run as one JSON object (UTF-8), for scripts:
//   {"warmup": {"method": "auto"|"none"|"fixed", "time": t}, "confidence": 0.95,
//    "precision_reached": false,
//    "run": {"model_time", "events", "generated", "served", "refused", "in_system_at_end"},
//    "network": {"throughput", "mean_in_system", "mean_time_in_system": FIGURE,
//                "littles_law_gap": x},
//    "queues": [{"slot", "name", "mean_length", "mean_wait", "refusal_probability",
//                "throughput": FIGURE, "waits_by_priority": [{"priority": p, "mean_wait":
//                FIGURE}], "wait_percentiles": PERCENTILES}],
//    "devices": [{"slot", "name", "utilisation", "throughput", "mean_service_time": FIGURE}],
//    "generators": [{"slot", "name", "throughput", "mean_time_in_system": FIGURE,
//                    "time_in_system_percentiles": PERCENTILES}]}
// where FIGURE is {"mean": x, "half_width": h} (h null without an interval, the
// whole null without a value) and PERCENTILES {"p50", "p90", "p95", "p99"} or null.
// Numbers are the shortest texts that read back to the same doubles.
void WriteFiguresJson(std::ostream& out, const RunFigures& figures);

}  // namespace qsim

#pragma once

#include <string>
#include <vector>

#include "commands/parallel_series.h"
#include "commands/series_run.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// A part of a series run as a shard (UTF-8 text): a first line that names the
// part, the series it belongs to and its size; a header row ("run", "value", then
// the statistics columns); then one row per finished run of the shard with its
// run number, the point's value and each statistic exactly (the shortest text that
// reads back to the same bits; empty without a value). The series is identified by
// a fingerprint of the model and the definition, so parts of different series do
// not merge.
std::string SeriesPartCsv(const ModelStore& model, const SeriesDefinition& series,
                          const SeriesShard& shard,
                          const std::vector<std::optional<SeriesRunResult>>& results);

// Joins the parts of one series, given in any order, into the CSV of the whole
// series (SweepCsv), byte for byte what the series run in one piece writes.
// `names` name the parts in messages. Throws QsimError (Windows-1251) for a text
// that is not a part, parts of different series, a part missing or given twice,
// and a run missing from the parts.
std::string MergeSeriesParts(const std::vector<std::string>& parts,
                             const std::vector<std::string>& names);

}  // namespace qsim

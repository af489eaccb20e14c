#include "fuzz/harness/fuzz_harness.h"

#include <memory>
#include <sstream>
#include <vector>

#include "commands/parameter_sweep.h"
#include "commands/series_parts.h"
#include "editor/model_drawing.h"
#include "editor/raster_canvas.h"
#include "engine/simulation.h"
#include "foundation/overloaded.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "language/model_validation.h"
#include "language/text_file.h"
#include "results/analysis_text.h"
#include "results/protocol_writer.h"
#include "results/report_writer.h"
#include "results/traffic_analysis.h"

namespace qsim::fuzz {
namespace {

using Lines = std::vector<std::string>;

constexpr NumberFormat kFormats[] = {NumberFormat{'.'}, NumberFormat{','}};

// Enough events for every element behaviour to be reached in a small model, few
// enough that an input takes milliseconds; the stall limit is lower, so that
// stalled runs end by it.
constexpr std::int64_t kEventLimit = 3000;
constexpr std::int64_t kStallLimit = 1000;

// A clock that stands still, with fixed date and time formats.
class StillPlatform : public Platform {
 public:
  LocalDateTime Now() const override { return {2026, 12, 7, 6, 16, 23}; }
  std::string ShortDate(const LocalDateTime&) const override { return "07.12.2026"; }
  std::string LongTime(const LocalDateTime&) const override { return "6:16:23"; }
  void OpenDocument(const std::string&) override {}
};

const ModelStore& ZeroStore() {
  static const auto zero = std::make_unique<const ModelStore>();
  return *zero;
}

// Hands out one of two stores, alternately, each as the program starts with:
// every field zero, false or empty. Making a store of 260 KB afresh for every
// input would take most of the fuzzing time. Reading, checking, writing and
// drawing change only the slots they mark in use and the model-level fields, so
// resetting those is enough; a run changes every slot, and RunAndReport restores
// the whole store after it.
ModelStore& FreshStore() {
  static const std::unique_ptr<ModelStore> stores[2] = {std::make_unique<ModelStore>(),
                                                        std::make_unique<ModelStore>()};
  static int next = 0;
  ModelStore& store = *stores[next];
  next = 1 - next;
  store.ForEachElement(
      Overloaded{[](int slot, GeneratorRecord& g) { g = ZeroStore().generator(slot); },
                 [](int slot, QueueRecord& q) { q = ZeroStore().queue(slot); },
                 [](int slot, DeviceRecord& d) { d = ZeroStore().device(slot); }});
  store.term_x = store.term_y = 0;
  store.settings = ZeroStore().settings;
  return store;
}

Lines LinesOf(std::string_view bytes) {
  return SplitLines(std::string(bytes));
}

// Reads as the compute command does, process_all reset first; false when the text
// does not read.
bool Read(Lines& lines, ModelStore& store, const NumberFormat& format) {
  store.settings.process_all = false;
  try {
    ReadModelText(lines, store, format);
    return true;
  } catch (const QsimError&) {
    return false;
  }
}

// True when the writer prints every transition of every device in use; a device
// transition of another kind is left out while still counted, which is beyond
// what reading the text back can restore.
bool WithinWriterLimits(const ModelStore& store) {
  bool within = true;
  store.ForEachDevice([&](int, const DeviceRecord& d) {
    for (int i = 1; i <= d.transfer; ++i) {
      const TargetKind kind = d.transitions[i].kind;
      within = within && (kind == TargetKind::Queue || kind == TargetKind::Terminator);
    }
  });
  return within;
}

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

std::optional<std::string> RoundTripFaultWith(std::string_view bytes, const NumberFormat& format) {
  Lines lines = LinesOf(bytes);
  ModelStore& first = FreshStore();
  if (!Read(lines, first, format) || !WithinWriterLimits(first))
    return std::nullopt;
  Lines written = WriteModelText(first, format);
  const Lines expected = written;
  ModelStore& second = FreshStore();
  if (!Read(written, second, format)) {
    return std::string("the written text does not read back:\n") + Joined(expected);
  }
  const Lines rewritten = WriteModelText(second, format);
  if (rewritten != expected) {
    return std::string("written:\n") + Joined(expected) + "written again:\n" + Joined(rewritten);
  }
  return std::nullopt;
}

RasterCanvas& Canvas() {
  static RasterCanvas canvas;
  return canvas;
}

// Runs the model held in the store and writes its protocol, report and text.
void RunAndReport(ModelStore& store, const NumberFormat& format) {
  RandomGenerator random;
  Simulation simulation(store, random);
  std::ostringstream protocol;
  ProtocolWriter writer(protocol, "", format);
  RunControls controls;
  controls.max_events = kEventLimit;
  controls.stall_events = kStallLimit;
  try {
    const RunResult result = simulation.RunSimulation(&writer, controls);
    if (result.outcome == RunOutcome::Finished) {
      std::ostringstream report;
      WriteReport(report, store, "", StillPlatform().Now(), StillPlatform(), format);
    } else {
      RunOutcomeMessage(result, format, ReportOfRun::None);
    }
  } catch (const QsimError&) {
    // A model whose routes lead nowhere is refused before the run.
  }
  DrawModel(store, Canvas());
  EraseModel(store, Canvas());
  WriteModelText(store, format);
  store = ZeroStore();
}

void ComputeWith(std::string_view bytes, const NumberFormat& format, bool check_model) {
  Lines lines = LinesOf(bytes);
  ModelStore& store = FreshStore();
  if (!Read(lines, store, format))
    return;
  if (check_model && ValidateModel(store, format).blocking) {
    WriteModelText(store, format);
    return;
  }
  RunAndReport(store, format);
}

void AnalyzeAndPredict(ModelStore& store, const NumberFormat& format) {
  const TrafficAnalysis analysis = AnalyzeTraffic(store);
  for (const double now : {0.0, 1.0}) {
    store.now = now;
    AnalysisText(store, analysis, format);
  }
  store.now = 0;
  SweepPredictions(store);
}

}  // namespace

void AnalyzeAnyText(std::string_view bytes) {
  const NumberFormat format{'.'};
  Lines lines = LinesOf(bytes);
  ModelStore& store = FreshStore();
  if (!Read(lines, store, format))
    return;
  AnalyzeAndPredict(store, format);
  ValidateModel(store, format);
  AnalyzeAndPredict(store, format);
}

void MergeAnyParts(std::string_view bytes) {
  std::vector<std::string> parts;
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find('\f', start)) != std::string_view::npos;
       start = end + 1) {
    parts.emplace_back(bytes.substr(start, end - start));
  }
  parts.emplace_back(bytes.substr(start));
  for (std::size_t i = 0; i < parts.size(); ++i)
    names.push_back("part" + std::to_string(i));
  try {
    MergeSeriesParts(parts, names);
  } catch (const QsimError&) {
    // What a user sees for parts that do not join.
  }
}

void ReadAnyText(std::string_view bytes) {
  for (const NumberFormat& format : kFormats) {
    Lines lines = LinesOf(bytes);
    Read(lines, FreshStore(), format);
  }
}

std::optional<std::string> RoundTripFault(std::string_view bytes) {
  for (const NumberFormat& format : kFormats) {
    if (auto fault = RoundTripFaultWith(bytes, format))
      return fault;
  }
  return std::nullopt;
}

void ComputeAnyText(std::string_view bytes) {
  for (const bool check_model : {true, false})
    ComputeWith(bytes, NumberFormat{'.'}, check_model);
  ComputeWith(bytes, NumberFormat{','}, true);
}

}  // namespace qsim::fuzz

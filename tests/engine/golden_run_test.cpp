#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "engine/simulation.h"
#include "foundation/code_page.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "language/text_file.h"
#include "results/protocol_writer.h"
#include "results/report_statistics.h"
#include "results/run_warnings.h"
#include "tests/support/json_value.h"

namespace qsim {
namespace {

using test_support::JsonValue;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Our protocol (Windows-1251, CR LF) as UTF-8 lines.
std::vector<std::string> ProtocolLines(const std::string& cp1251) {
  return SplitLines(Cp1251ToUtf8(cp1251));
}

// Compares the cells of one row with the golden values named by `keys`; "DIV0"
// stands for our mark of a cell whose divisor is zero.
void ExpectCells(const std::vector<std::string>& cells, const JsonValue& golden,
                 const std::vector<const char*>& keys) {
  ASSERT_EQ(cells.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::string expected = golden[keys[i]].text;
    if (expected == "DIV0")
      expected = Cp1251ToUtf8(kNoValueMark);
    EXPECT_EQ(Cp1251ToUtf8(cells[i]), expected) << golden["name"].text << ", " << keys[i];
  }
}

void ExpectStatistics(const ModelStore& store, const JsonValue& run, const NumberFormat& format) {
  for (const JsonValue& g : run["generators"].items) {
    const int slot = std::stoi(g["slot"].text);
    ExpectCells(GeneratorStatisticsCells(slot, store.generator(slot), format), g,
                {"name", "served", "unserved", "mean_stay", "min_stay", "max_stay"});
  }
  for (const JsonValue& q : run["queues"].items) {
    const int slot = std::stoi(q["slot"].text);
    ExpectCells(QueueStatisticsCells(slot, store.queue(slot), store.now, format), q,
                {"name", "max_len", "entries", "zero_entries", "mean_len", "mean_wait",
                 "mean_wait_nonzero", "max_wait"});
  }
  for (const JsonValue& d : run["devices"].items) {
    const int slot = std::stoi(d["slot"].text);
    ExpectCells(DeviceStatisticsCells(slot, store.device(slot), store.now, format), d,
                {"name", "starts", "utilisation", "mean_service", "mean_busy", "max_busy"});
  }
}

class GoldenRunTest : public ::testing::TestWithParam<const char*> {
 protected:
  std::string Path(const std::string& extension) const {
    return std::string(QSIM_GOLDEN_DIR) + "/" + GetParam() + extension;
  }
};

// Each run is what one press of the run command does: read the text (with
// process_all reset), run, and regenerate the text from the store.
TEST_P(GoldenRunTest, ReproducesEveryRunAndTheLastProtocol) {
  const NumberFormat format{'.'};
  std::vector<std::string> text = ReadTextLines(Path(".txt"));
  const JsonValue expected = test_support::ParseJson(ReadFile(Path(".stats.json")));
  auto store = std::make_unique<ModelStore>();
  RandomGenerator random;
  Simulation simulation(*store, random);
  std::string protocol;
  for (const JsonValue& run : expected["runs"].items) {
    store->settings.process_all = false;
    ReadModelText(text, *store, format);
    std::ostringstream out;
    ProtocolWriter writer(out, "", format);
    const RunResult result = simulation.RunSimulation(&writer);
    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    EXPECT_EQ(std::to_string(result.events), run["events"].text);
    EXPECT_EQ(result.protocol_written, run["protocol_created"].boolean);
    EXPECT_EQ(std::to_string(store->generated), run["total"].text);
    EXPECT_EQ(NumberText(store->now, format), run["model_time"].text);
    ExpectStatistics(*store, run, format);
    // Only the case of every law has laws wide enough to draw negative durations.
    EXPECT_EQ(DurationWarning(*store).empty(), std::string(GetParam()) != "06_all_laws");
    protocol = out.str();
    text = WriteModelText(*store, format);
  }
  const std::vector<std::string> ours = ProtocolLines(protocol);
  const std::vector<std::string> golden = SplitLines(ReadFile(Path(".protocol.txt")));
  ASSERT_GE(ours.size(), 2u);
  ASSERT_EQ(ours.size(), golden.size());
  for (std::size_t i = 2; i < golden.size(); ++i) {
    ASSERT_EQ(ours[i], golden[i]) << "protocol line " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenRunTest,
                         ::testing::Values("01_constant_count", "03_refusals", "06_all_laws",
                                           "08_three_generators"));

}  // namespace
}  // namespace qsim

#include "results/figures_report.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "foundation/code_page.h"
#include "results/figures_json.h"
#include "results/report_writer.h"
#include "results/svg_plots.h"
#include "tests/support/fake_platform.h"
#include "tests/support/json_value.h"

namespace qsim {
namespace {

const NumberFormat kComma{','};

struct SignificantCase {
  double value;
  const char* text;
};

class Significant : public ::testing::TestWithParam<SignificantCase> {};

TEST_P(Significant, RoundsToFourSignificantDigits) {
  EXPECT_EQ(SignificantText(GetParam().value, kComma), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, Significant,
                         ::testing::Values(SignificantCase{3.14159, "3,142"},
                                           SignificantCase{-2.71828, "-2,718"},
                                           SignificantCase{0.000123456, "0,0001235"},
                                           SignificantCase{1234567, "1235000"},
                                           SignificantCase{99999, "100000"},
                                           SignificantCase{0, "0"}, SignificantCase{12.5, "12,5"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// A run of one queue of two priority values, one device and one generator.
RunFigures SmallFigures() {
  RunFigures f;
  f.warmup_time = 2.5;
  f.cell_width = 0.5;
  f.run = {.model_time = 20,
           .events = 70,
           .generated = 12,
           .served = 9,
           .refused = 2,
           .in_system_at_end = 1};
  f.network.throughput = Estimate{0.6, 0.05};
  f.network.littles_law_gap = 0.001;
  QueueFigures q;
  q.slot = 3;
  q.name = "Очередь"_cp;
  q.mean_length = Estimate{12.5, 0.5};
  q.mean_wait = Estimate{4, std::nullopt};
  q.waits_by_priority = {{0, Estimate{1, 0.25}}, {1, std::nullopt}};
  q.waits.Add(2);
  q.wait_percentiles = Percentiles{1, 2, 3, 4};
  q.mean_lengths = {0, 1, 2, 1};
  f.queues.push_back(q);
  f.devices.push_back({.slot = 1, .name = "D"});
  f.generators.push_back({.slot = 2, .name = "G", .throughput = Estimate{0.5, 0.01}});
  return f;
}

std::string Section(const RunFigures& figures) {
  std::ostringstream out(std::ios::binary);
  WriteFiguresSection(out, figures, kComma);
  return Cp1251ToUtf8(out.str());
}

TEST(FiguresSection, WritesValueAndHalfWidthTheAccountingAndThePlots) {
  const std::string section = Section(SmallFigures());
  for (const char* text : {"<u>Точность и дополнительные показатели:</u>",
                           "<td>3. Очередь</td><td>12,5 &plusmn; 0,5</td><td>4</td><td>—</td>",
                           "отброшено модельное время 2,5 из 20",
                           "сгенерировано 12 = обслужено 9 + получили отказ 2 + "
                           "остались в системе в конце 1",
                           "<tr><td>3. Очередь</td><td>1</td><td>—</td></tr>", "<td>0,1 %</td>",
                           "<polyline", "<rect"}) {
    EXPECT_NE(section.find(text), std::string::npos) << text;
  }
  RunFigures one_priority = SmallFigures();
  one_priority.queues[0].waits_by_priority.clear();
  EXPECT_EQ(Section(one_priority).find("по приоритетам"), std::string::npos);

  // A long run's time keeps its integer digits; Little's gap of an exact run is 0.
  RunFigures long_run = SmallFigures();
  long_run.run.model_time = 10075.7300615416;
  long_run.network.littles_law_gap = 9.2e-16;
  const std::string long_section = Section(long_run);
  EXPECT_NE(long_section.find("из 10075,73:"), std::string::npos);
  EXPECT_NE(long_section.find("<td>0 %</td>"), std::string::npos);

  EXPECT_EQ(Section(SmallFigures()).find("точност"), std::string::npos);
  RunFigures precise = SmallFigures();
  precise.precision = 0.02;
  precise.precision_marks = {.mean_wait = false, .mean_length = true, .utilisation = true};
  for (const bool reached : {true, false}) {
    precise.precision_reached = reached;
    const std::string says =
        std::string(reached ? "Моделирование остановлено по достигнутой точности"
                            : "Точность не достигнута до конца прогона") +
        ": относительная полуширина интервалов не более 2 % (средняя длина очередей, загрузка "
        "устройств); модельное время 20, событий 70.";
    EXPECT_NE(Section(precise).find(says), std::string::npos) << says;
  }
}

// The section comes after every table and the report's own lines stay as they were.
TEST(FiguresSection, FollowsTheReportsTablesWhichStayAsTheyWere) {
  ModelStore store;
  FakePlatform platform;
  std::ostringstream plain(std::ios::binary);
  std::ostringstream with(std::ios::binary);
  const RunFigures figures = SmallFigures();
  WriteReport(plain, store, "", platform.Now(), platform, kComma);
  WriteReport(with, store, "", platform.Now(), platform, kComma, "", {.figures = &figures});
  const std::string tail = R"(<p align="center"><font size="2")";
  const std::size_t end_of_tables = plain.str().find(tail);
  ASSERT_NE(end_of_tables, std::string::npos);
  std::ostringstream section(std::ios::binary);
  WriteFiguresSection(section, figures, kComma);
  EXPECT_EQ(with.str(), plain.str().substr(0, end_of_tables) + section.str() +
                            plain.str().substr(end_of_tables));
}

// Bars are shares of every wait; the zeros and the tail beyond the upper end are
// left out of them, the zeros given apart.
TEST(WaitHistogram, SharesOfAllWaitsWithoutZerosAndTail) {
  LogHistogram waits;
  for (double wait : {0.0, 0.0, 1.0, 2.0, 3.0, 100.0})
    waits.Add(wait);
  const std::vector<double> bars = HistogramBars(waits, 3.5);
  ASSERT_EQ(bars.size(), static_cast<std::size_t>(kHistogramBars));
  EXPECT_NEAR(std::accumulate(bars.begin(), bars.end(), 0.0), 50, 1e-9);
  EXPECT_NEAR(bars[8], 100.0 / 6, 1e-9);  // 1 in [0.93, 1.05)
  EXPECT_NEAR(ZeroPercent(waits), 100.0 / 3, 1e-9);
  EXPECT_EQ(ZeroPercent(LogHistogram{}), 0);
}

TEST(FiguresJson, CarriesEveryFigureAsMeanAndHalfWidth) {
  std::ostringstream out;
  WriteFiguresJson(out, SmallFigures());
  const test_support::JsonValue json = test_support::ParseJson(out.str());
  EXPECT_EQ(json["warmup"]["method"].text, "auto");
  EXPECT_EQ(json["warmup"]["time"].text, "2.5");
  EXPECT_EQ(json["run"]["in_system_at_end"].text, "1");
  const test_support::JsonValue& queue = json["queues"].items.at(0);
  EXPECT_EQ(queue["name"].text, "Очередь");
  EXPECT_EQ(queue["mean_length"]["mean"].text, "12.5");
  EXPECT_EQ(queue["mean_wait"]["half_width"].type, test_support::JsonValue::Type::Null);
  EXPECT_EQ(queue["refusal_probability"].type, test_support::JsonValue::Type::Null);
  EXPECT_EQ(queue["wait_percentiles"]["p99"].text, "4");
  EXPECT_EQ(queue["waits_by_priority"].items.at(0)["mean_wait"]["half_width"].text, "0.25");
  EXPECT_EQ(json["devices"].items.at(0)["slot"].text, "1");
  EXPECT_EQ(json["generators"].items.at(0)["throughput"]["half_width"].text, "0.01");
  EXPECT_EQ(json["network"]["littles_law_gap"].text, "0.001");
}

}  // namespace
}  // namespace qsim

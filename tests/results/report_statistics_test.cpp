#include "results/report_statistics.h"

#include <gtest/gtest.h>

namespace qsim {
namespace {

using Cells = std::vector<std::string>;
const NumberFormat kPoint{'.'};
const std::string kMark = "\x97";  // an em dash in Windows-1251

TEST(ReportStatisticsTest, TheMarkIsAnEmDash) {
  EXPECT_EQ(kNoValueMark, kMark);
}

TEST(ReportStatisticsTest, GeneratorMeansCoverEveryRemovedRequest) {
  GeneratorRecord g;
  g.name.assign("Src");
  g.stats.served = 3;
  g.stats.unserved = 1;
  g.stats.sum_stay = 10;
  g.stats.min_stay = 0.5;
  g.stats.max_stay = 4.25;
  EXPECT_EQ(GeneratorStatisticsCells(7, g, kPoint),
            (Cells{"7. Src", "3", "1", "2.5", "0.5", "4.25"}));
}

TEST(ReportStatisticsTest, AGeneratorWithoutRemovalsHasNoMeanStay) {
  GeneratorRecord g;
  g.stats.min_stay = 1e11;
  EXPECT_EQ(GeneratorStatisticsCells(1, g, kPoint),
            (Cells{"1. ", "0", "0", kMark, "100000000000", "0"}));
}

TEST(ReportStatisticsTest, GeneratorMeansUseTheDecimalSeparator) {
  GeneratorRecord g;
  g.stats.served = 3;
  g.stats.sum_stay = 1;
  EXPECT_EQ(GeneratorStatisticsCells(1, g, NumberFormat{','})[3], "0,333333333333333");
}

TEST(ReportStatisticsTest, QueueMeansDivideByTimeEntriesAndWaitingEntries) {
  QueueRecord q;
  q.name.assign("Q");
  q.stats.max_len = 4;
  q.stats.entries = 12;
  q.stats.zero_entries = 1;
  q.stats.len_area = 33;
  q.stats.sum_wait = 33;
  q.stats.max_wait = 5.5;
  EXPECT_EQ(QueueStatisticsCells(2, q, 20, kPoint),
            (Cells{"2. Q", "4", "12", "1", "1.65", "2.75", "2.99999999997273", "5.5"}));
}

TEST(ReportStatisticsTest, AQueueWhoseWaitsWereAllZeroHasMeanWaitsZero) {
  QueueRecord q;
  q.stats.max_len = 1;
  q.stats.entries = 5;
  q.stats.zero_entries = 5;
  EXPECT_EQ(QueueStatisticsCells(1, q, 8, kPoint),
            (Cells{"1. ", "1", "5", "5", "0", "0", "0", "0"}));
}

TEST(ReportStatisticsTest, AQueueThatNoRequestEnteredShowsZeros) {
  QueueRecord q;
  q.stats.len_area = 3;  // left from nothing; the means are 0 without entries
  q.stats.sum_wait = 3;
  EXPECT_EQ(QueueStatisticsCells(1, q, 0, kPoint),
            (Cells{"1. ", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(ReportStatisticsTest, AQueueMeanLengthAtModelTimeZeroIsMarked) {
  QueueRecord q;
  q.stats.entries = 2;
  q.stats.zero_entries = 2;
  EXPECT_EQ(QueueStatisticsCells(1, q, 0, kPoint),
            (Cells{"1. ", "0", "2", "2", kMark, "0", "0", "0"}));
}

TEST(ReportStatisticsTest, DeviceUtilisationIsPerChannel) {
  DeviceRecord d;
  d.name.assign("D");
  d.k = 4;
  d.stats.starts = 6;
  d.stats.service_sum = 30;
  d.stats.busy_area = 28;
  d.stats.max_busy = 3;
  EXPECT_EQ(DeviceStatisticsCells(9, d, 10, kPoint), (Cells{"9. D", "6", "0.75", "5", "2.8", "3"}));
}

TEST(ReportStatisticsTest, ADeviceWithoutStartsHasNoMeanServiceTime) {
  DeviceRecord d;
  d.k = 1;
  EXPECT_EQ(DeviceStatisticsCells(1, d, 10, kPoint), (Cells{"1. ", "0", "0", kMark, "0", "0"}));
}

TEST(ReportStatisticsTest, DeviceMeansOverModelTimeZeroOrNoChannelsAreMarked) {
  DeviceRecord d;
  d.k = 2;
  d.stats.starts = 1;
  d.stats.service_sum = 1;
  EXPECT_EQ(DeviceStatisticsCells(1, d, 0, kPoint), (Cells{"1. ", "1", kMark, "1", kMark, "0"}));
  d.k = 0;
  EXPECT_EQ(DeviceStatisticsCells(1, d, 4, kPoint)[2], kMark);
}

TEST(ReportStatisticsTest, TheNameCellIsHtmlText) {
  DeviceRecord d;
  d.name.assign("<b>&");
  EXPECT_EQ(DeviceStatisticsCells(150, d, 1, kPoint)[0], "150. &lt;b&gt;&amp;");
}

}  // namespace
}  // namespace qsim

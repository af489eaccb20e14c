#include "results/run_warnings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/code_page.h"
#include "language/model_text_reader.h"
#include "language/text_file.h"

namespace qsim {
namespace {

struct WarningCase {
  const char* name;
  std::int32_t generator_1;  // zero or negative durations of generator 1 (named Gen)
  std::int32_t device_1;     // of device 1 (no name)
  std::int32_t device_7;     // of device 7 (named D7)
  std::int64_t past_events;
  std::string warning;  // UTF-8
};

TEST(RunWarningsTest, CountsEveryElementLargestFirstAndTheEventsInThePast) {
  const std::string head = "Внимание: в ходе расчета получено ";
  const std::string tail =
      ". Закон распределения с таким разбросом дает недопустимые значения; результаты неверны.";
  const WarningCase cases[] = {
      {"a sound run", 0, 0, 0, 0, ""},
      {"one element", 0, 0, 1234567, 0,
       head + "1 234 567 отрицательных или нулевых длительностей (устройство 7 (D7): 1 234 567)" +
           tail},
      {"largest first, ties in slot order", 40, 2311, 40, 0,
       head + "2 391 отрицательных или нулевых длительностей (устройство 1: 2 311; генератор 1 " +
           "(Gen): 40; устройство 7 (D7): 40)" + tail},
      {"events in the past alone", 0, 0, 0, 12,
       "Внимание: в ходе расчета 12 событий назначено на время раньше текущего; результаты "
       "неверны."},
      {"both", 3, 0, 0, 5000,
       head + "3 отрицательных или нулевых длительностей (генератор 1 (Gen): 3)" + tail +
           " Событий, назначенных на время раньше текущего: 5 000."},
  };
  for (const WarningCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto store = std::make_unique<ModelStore>();
    store->generator(1).exists = true;
    store->generator(1).name.assign("Gen");
    store->generator(1).stats.bad_durations = c.generator_1;
    store->device(1).exists = true;
    store->device(1).stats.bad_durations = c.device_1;
    store->device(7).exists = true;
    store->device(7).name.assign("D7");
    store->device(7).stats.bad_durations = c.device_7;
    store->device(9).stats.bad_durations = 99;  // not in use: not counted
    store->past_events = c.past_events;
    EXPECT_EQ(Cp1251ToUtf8(DurationWarning(*store)), c.warning);
  }
}

// The overload warning (UTF-8) for a generator of intensity `la` before one queue
// and a device of k channels and mean service time v.
std::string OverloadWarningFor(const std::string& la, const std::string& v, const std::string& k,
                               bool refusals) {
  std::vector<std::string> text =
      SplitLines("generator 1;\nla " + la +
                 ";\nrasp 5;\ntransfer 1;\n1 queue 1;\nqueue 1;\nlen 10;\n"
                 "transfer 1;\n1 device 1;\ndevice 1;\nname D;\nk " +
                 k + ";\nv " + v + ";\nrasp 5;\ntransfer 1;\n1 terminator;\n" +
                 (refusals ? "" : "process_all 0.1;"));
  auto store = std::make_unique<ModelStore>();
  ReadModelText(text, *store, NumberFormat{'.'});
  return Cp1251ToUtf8(OverloadWarning(*store, AnalyzeTraffic(*store), NumberFormat{','}));
}

TEST(RunWarningsTest, OverloadIsWarnedOfOnlyWhereTheQueueCannotRefuse) {
  EXPECT_EQ(OverloadWarningFor("3", "0.5", "1", false),
            "Загрузка канала устройства 1 (D) равна 1,5, не меньше 1: в системе без отказов "
            "очередь к нему будет расти без предела.");
  EXPECT_NE(OverloadWarningFor("2", "0.5", "1", false), "");  // load 1 exactly
  EXPECT_EQ(OverloadWarningFor("3", "0.5", "1", true), "");   // the full queue refuses
  EXPECT_EQ(OverloadWarningFor("3", "0.5", "2", false), "");  // 0.75 per channel
  EXPECT_EQ(OverloadWarningFor("1", "0.5", "1", false), "");
}

}  // namespace
}  // namespace qsim

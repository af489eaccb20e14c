#include "engine/simulation.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <sstream>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "language/text_file.h"
#include "results/protocol_writer.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

// Model texts are written with "." and without the lines a test does not need.
class SimulationTest : public ::testing::Test {
 protected:
  // Reads the model and runs it; returns the protocol as UTF-8 lines without the
  // header.
  Lines Run(Lines text, const RunControls& controls = {}) {
    store_->settings.process_all = false;
    ReadModelText(text, *store_, NumberFormat{'.'});
    std::ostringstream out;
    ProtocolWriter writer(out, "", NumberFormat{'.'});
    result_ = simulation_.RunSimulation(&writer, controls);
    Lines lines = SplitLines(Cp1251ToUtf8(out.str()));
    if (lines.size() >= 2)
      lines.erase(lines.begin(), lines.begin() + 2);
    return lines;
  }

  // Numbers of the requests in the order their services ended.
  static std::vector<int> ServiceOrder(const Lines& protocol) {
    std::vector<int> order;
    const std::string mark = "конец обслуживания заявки N";
    for (const std::string& line : protocol) {
      const std::size_t at = line.find(mark);
      if (at != std::string::npos)
        order.push_back(std::stoi(line.substr(at + mark.size())));
    }
    return order;
  }

  static Lines Generator(int slot, int la, int prior, int rasp, int queue) {
    return {"generator " + std::to_string(slot) + ";",
            "la " + std::to_string(la) + ";",
            "prior " + std::to_string(prior) + ";",
            "rasp " + std::to_string(rasp) + ";",
            "transfer 1;",
            "1 queue " + std::to_string(queue) + ";"};
  }
  static Lines Queue(int slot, int len, const std::string& discip, int device) {
    return {"queue " + std::to_string(slot) + ";", "len " + std::to_string(len) + ";",
            "discip " + discip + ";", "transfer 1;", "1 device " + std::to_string(device) + ";"};
  }
  static Lines Device(int slot, int k, const std::string& v, const std::string& route) {
    return {"device " + std::to_string(slot) + ";",
            "k " + std::to_string(k) + ";",
            "v " + v + ";",
            "rasp 4;",
            "transfer 1;",
            "1 " + route + ";"};
  }
  static Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts)
      all.insert(all.end(), part.begin(), part.end());
    return all;
  }

  // One constant source into one queue and one device.
  static Lines Line(int len, int k, const std::string& v, const std::string& stop) {
    return Join({Generator(1, 1, 0, 4, 1),
                 Queue(1, len, "fifo", 1),
                 Device(1, k, v, "terminator"),
                 {stop}});
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  RandomGenerator random_;
  Simulation simulation_{*store_, random_};
  RunResult result_;
};

TEST_F(SimulationTest, CountModeByHand) {
  const Lines protocol = Run(Line(5, 1, "0.5", "simulate 2;"));
  EXPECT_EQ(protocol,
            (Lines{"0 Очередь №1 - вход заявки N1;", "0 Очередь №1 - выход заявки;",
                   "0 Устройство №1 - пост. на обсл. из очереди №1 заявки N1;",
                   "0.5 Устройство №1 - конец обслуживания заявки N1;",
                   "0.5 Удаление из системы заявки N1;", "1 Генератор №1 - генерация заявки;",
                   "1 Очередь №1 - вход заявки N2;", "1 Очередь №1 - выход заявки;",
                   "1 Устройство №1 - пост. на обсл. из очереди №1 заявки N2;",
                   "1.5 Устройство №1 - конец обслуживания заявки N2;",
                   "1.5 Удаление из системы заявки N2;", "2 Генератор №1 - генерация заявки;"}));
  EXPECT_EQ(result_.events, 12);
  EXPECT_EQ(store_->generated, 2);
  EXPECT_EQ(store_->now, 2);
  const GeneratorRecord& g = store_->generator(1);
  EXPECT_EQ(g.stats.served, 2);
  EXPECT_EQ(g.stats.unserved, 0);
  EXPECT_EQ(g.stats.sum_stay, 1);
  EXPECT_EQ(g.stats.min_stay, 0.5);
  EXPECT_EQ(g.stats.max_stay, 0.5);
  const QueueRecord& q = store_->queue(1);
  EXPECT_EQ(q.stats.entries, 2);
  EXPECT_EQ(q.stats.zero_entries, 2);
  EXPECT_EQ(q.stats.max_len, 1);
  EXPECT_EQ(q.stats.len_area, 0);
  const DeviceRecord& d = store_->device(1);
  EXPECT_EQ(d.stats.starts, 2);
  EXPECT_EQ(d.stats.service_sum, 1);
  EXPECT_EQ(d.stats.busy_area, 1);
  EXPECT_EQ(d.stats.max_busy, 1);
}

TEST_F(SimulationTest, TimeModeStopsAfterTheFirstLaterEvent) {
  const Lines protocol = Run(Line(5, 1, "0.5", "by_time 2.2;"));
  EXPECT_EQ(protocol.back(), "2.5 Устройство №1 - конец обслуживания заявки N3;");
  EXPECT_EQ(store_->now, 2.5);
  EXPECT_EQ(store_->generated, 3);
  // The third request was on its way to the terminator at the stopping instant:
  // it is counted as left inside.
  EXPECT_EQ(store_->generator(1).stats.served, 2);
  EXPECT_EQ(store_->generator(1).stats.unserved, 1);
}

TEST_F(SimulationTest, CountModeWithMoreGeneratorsThanRequests) {
  Run(Join({Generator(1, 1, 0, 4, 1),
            Generator(2, 1, 0, 4, 1),
            Generator(3, 1, 0, 4, 1),
            Queue(1, 5, "fifo", 1),
            Device(1, 3, "1", "terminator"),
            {"simulate 2;"}}));
  EXPECT_EQ(store_->generated, 2);
  EXPECT_EQ(store_->generator(1).stats.served, 1);
  EXPECT_EQ(store_->generator(2).stats.served, 1);
  EXPECT_EQ(store_->generator(3).stats.served, 0);
  EXPECT_EQ(store_->generator(3).stats.min_stay, 1e11);
}

TEST_F(SimulationTest, EqualTimeArrivalsFromThreeGenerators) {
  const Lines protocol = Run(Join({Generator(1, 1, 0, 4, 1),
                                   Generator(2, 1, 0, 4, 1),
                                   Generator(3, 1, 0, 4, 1),
                                   Queue(1, 5, "fifo", 1),
                                   Device(1, 3, "1", "terminator"),
                                   {"simulate 3;"}}));
  Lines entries;
  for (const std::string& line : protocol) {
    if (line.find("вход") != std::string::npos)
      entries.push_back(line);
  }
  EXPECT_EQ(entries, (Lines{"0 Очередь №1 - вход заявки N1;", "0 Очередь №1 - вход заявки N3;",
                            "0 Очередь №1 - вход заявки N2;"}));
}

TEST_F(SimulationTest, AFullQueueRefuses) {
  const Lines protocol = Run(Line(1, 1, "10", "simulate 3;"));
  // R1 is served at once, R2 waits, R3 finds the queue full at time 2.
  EXPECT_NE(std::find(protocol.begin(), protocol.end(), "2 Удаление из системы заявки N3;"),
            protocol.end());
  const GeneratorRecord& g = store_->generator(1);
  EXPECT_EQ(g.stats.served, 2);
  EXPECT_EQ(g.stats.unserved, 1);
  EXPECT_EQ(g.stats.min_stay, 0);
  EXPECT_EQ(store_->queue(1).stats.entries, 2);
  EXPECT_EQ(store_->queue(1).stats.max_len, 1);
}

TEST_F(SimulationTest, ABusyDeviceSendsTheRequestBackWithItsTicket) {
  const Lines protocol = Run(Line(1, 1, "10", "simulate 2;"));
  // R2 asks at time 1, is turned back, and retries right after the release at 10.
  EXPECT_EQ(protocol[4], "1 Очередь №1 - вход заявки N2;");
  EXPECT_EQ(protocol[5], "1 Очередь №1 - выход заявки;");
  EXPECT_EQ(protocol[6], "1 Устройство №1 - пост. на обсл. из очереди №1 заявки N2;");
  EXPECT_EQ(protocol[10], "10.00000000001 Очередь №1 - выход заявки;");
  const QueueRecord& q = store_->queue(1);
  EXPECT_EQ(q.stats.entries, 2);
  EXPECT_EQ(q.stats.max_len, 1);
  EXPECT_EQ(q.stats.zero_entries, 1);
  EXPECT_DOUBLE_EQ(q.stats.sum_wait, 9.00000000001);
}

TEST_F(SimulationTest, WithoutRefusalsAFullQueueIsRetried) {
  const Lines protocol = Run(Join({Line(1, 1, "10", "simulate 3;"), {"process_all 0.5;"}}));
  EXPECT_NE(std::find(protocol.begin(), protocol.end(), "2.5 Очередь №1 - вход заявки N3;"),
            protocol.end());
  const GeneratorRecord& g = store_->generator(1);
  EXPECT_EQ(g.stats.served, 3);
  EXPECT_EQ(g.stats.unserved, 0);
}

TEST_F(SimulationTest, ADeviceBlocksWhileItsNextQueueIsFull) {
  const Lines protocol = Run(Join({Generator(1, 1, 0, 4, 1),
                                   Queue(1, 5, "fifo", 1),
                                   Device(1, 1, "0.5", "queue 2"),
                                   Queue(2, 1, "fifo", 2),
                                   Device(2, 1, "10", "terminator"),
                                   {"process_all 2;", "simulate 3;"}}));
  // R3 finishes at device 1 at 2.5 while queue 2 holds R2, which device 2 takes
  // right after 10.5: R3 retries every 2 and gets through at 12.5.
  Lines blocked;
  for (const std::string& line : protocol) {
    if (line.find("Устройство №1 - конец обслуживания заявки N3") != std::string::npos) {
      blocked.push_back(line.substr(0, line.find(' ')));
    }
  }
  EXPECT_EQ(blocked, (Lines{"2.5", "4.5", "6.5", "8.5", "10.5", "12.5"}));
  EXPECT_EQ(store_->generator(1).stats.served, 3);
  // The blocked time counts as service time.
  EXPECT_EQ(store_->device(1).stats.service_sum, 0.5 + 0.5 + 10.5);
}

TEST_F(SimulationTest, DisciplinesChooseTheNextRequest) {
  // Two sources with priorities 2 and 1; the device is busy for 100 from time 0,
  // so requests 2..6 wait and then leave one by one in the discipline's order.
  const auto order = [this](const std::string& discip) {
    return ServiceOrder(Run(Join({Generator(1, 1, 2, 4, 1),
                                  Generator(2, 1, 1, 4, 1),
                                  Queue(1, 10, discip, 1),
                                  Device(1, 1, "100", "terminator"),
                                  {"simulate 6;"}})));
  };
  // Arrivals in ticket order: R1 (priority 2) and R2 (1) at 0; R3 (1) and R4 (2)
  // at 1; R5 (2) and R6 (1) at 2. The first choice is made between R1 and R2.
  EXPECT_EQ(order("fifo"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(order("lifo"), (std::vector<int>{2, 6, 5, 4, 3, 1}));
  EXPECT_EQ(order("pfifo"), (std::vector<int>{2, 3, 6, 1, 4, 5}));
  EXPECT_EQ(order("plifo"), (std::vector<int>{2, 6, 3, 5, 4, 1}));
}

TEST_F(SimulationTest, WhatRemainsAtTheEndIsUnserved) {
  Run(Line(10, 1, "3", "by_time 5;"));
  // Request 1 was served; 2 is in service, 3..6 wait (6 arrives at 5).
  const GeneratorRecord& g = store_->generator(1);
  EXPECT_EQ(store_->generated, 7);
  EXPECT_EQ(g.stats.served, 1);
  EXPECT_EQ(g.stats.served + g.stats.unserved, 7);  // request 7, still travelling, left inside
  EXPECT_EQ(store_->queue(1).stats.max_len, 4);
}

TEST_F(SimulationTest, ARequestReturningToATakenPlaceIsNotLost) {
  // Three sources fill a one-place queue at time 0 before a device that has no
  // channel: request 2 takes the place request 1 left, and request 1 comes back.
  Run(Join({Generator(1, 1, 0, 4, 1),
            Generator(2, 1, 0, 4, 1),
            Generator(3, 1, 0, 4, 1),
            Queue(1, 1, "fifo", 1),
            Device(1, 0, "1", "terminator"),
            {"simulate 3;"}}));
  int removed = 0;
  for (int slot = 1; slot <= 3; ++slot) {
    removed += store_->generator(slot).stats.served + store_->generator(slot).stats.unserved;
  }
  EXPECT_EQ(removed, 3);
}

TEST_F(SimulationTest, ValuesBeyondTheTablesAreClamped) {
  Run(Join({{"generator 1;", "la 1000;", "rasp 4;", "transfer 1;", "1 queue 1;"},
            Queue(1, 500, "fifo", 1),
            Device(1, 80, "1000", "terminator"),
            {"simulate 400;"}}));
  EXPECT_EQ(store_->device(1).stats.max_busy, 50);
  EXPECT_EQ(store_->queue(1).stats.max_len, 200);
  // 50 in service and 200 waiting; the other 150 found the queue full.
  EXPECT_EQ(store_->generator(1).stats.unserved, 150);
  EXPECT_EQ(store_->generator(1).stats.served, 250);
}

TEST_F(SimulationTest, ASilentGeneratorEndsTheRun) {
  Run(Join({{"generator 1;", "la 0;", "rasp 4;", "transfer 1;", "1 queue 1;"},
            Queue(1, 5, "fifo", 1),
            Device(1, 1, "1", "terminator"),
            {"by_time 100;"}}));
  EXPECT_EQ(result_.outcome, RunOutcome::Finished);
  EXPECT_EQ(store_->generated, 1);
  EXPECT_EQ(store_->now, 1);
}

TEST_F(SimulationTest, LongServicesStillRetryAfterTheRelease) {
  // 1e-11 is lost when added to 300000; the retry must still follow the release.
  Run(Line(5, 1, "300000", "simulate 3;"));
  EXPECT_EQ(store_->generator(1).stats.served, 3);
  EXPECT_EQ(store_->device(1).stats.starts, 3);
}

TEST_F(SimulationTest, ARunThatCannotEndIsStoppedByItsLimits) {
  const Lines model = Join({Line(1, 1, "10", "simulate 5;"), {"process_all 0;"}});
  RunControls limited;
  limited.max_events = 100000;
  Run(model, limited);
  EXPECT_EQ(result_.outcome, RunOutcome::EventLimit);
  EXPECT_EQ(result_.events, 100000);

  std::atomic<bool> cancel{false};
  RunControls cancellable;
  cancellable.cancel = &cancel;
  std::int64_t reports = 0;
  cancellable.progress = [&](const RunProgress& progress) {
    ++reports;
    EXPECT_EQ(progress.now, 2);
    if (progress.events >= 50000)
      cancel = true;
  };
  Run(model, cancellable);
  EXPECT_EQ(result_.outcome, RunOutcome::Cancelled);
  EXPECT_GT(reports, 10);
}

TEST_F(SimulationTest, ARunWhoseTimeStandsStillStalls) {
  // The second request retries the full queue at time 2 forever.
  RunControls controls;
  controls.stall_events = 1000;
  Run(Join({Line(1, 1, "10", "simulate 5;"), {"process_all 0;"}}), controls);
  EXPECT_EQ(result_.outcome, RunOutcome::Stalled);
  EXPECT_EQ(result_.now, 2);
  // Events up to time 2, then a thousand that leave it there.
  EXPECT_LT(result_.events, 1020);
  EXPECT_GT(result_.events, 1000);
  // What waited, held a channel or retried the full queue left unserved.
  EXPECT_EQ(store_->generator(1).stats.served + store_->generator(1).stats.unserved, 3);
}

TEST_F(SimulationTest, ARunWhoseTimeGoesBackStalls) {
  RunControls controls;
  controls.stall_events = 1000;
  Run(Join({Line(1, 1, "10", "by_time 100;"), {"process_all -1;"}}), controls);
  EXPECT_EQ(result_.outcome, RunOutcome::Stalled);
  EXPECT_LT(result_.now, -900);
}

TEST_F(SimulationTest, TheStallLimitHoldsByDefault) {
  Lines text = Join({Line(1, 1, "10", "simulate 5;"), {"process_all 0;"}});
  ReadModelText(text, *store_, NumberFormat{'.'});
  result_ = simulation_.RunSimulation(nullptr);
  EXPECT_EQ(result_.outcome, RunOutcome::Stalled);
  EXPECT_GT(result_.events, kStallEvents);
  EXPECT_LT(result_.events, kStallEvents + 20);
}

TEST_F(SimulationTest, OnlyMoreEventsAtOneInstantThanTheStallLimitStall) {
  // Three sources make a request each at time 0, served at once: five events per
  // request at time 0, then the sources' silent Generation events at time 1.
  const Lines model = Join({Generator(1, 1, 0, 4, 1),
                            Generator(2, 1, 0, 4, 1),
                            Generator(3, 1, 0, 4, 1),
                            Queue(1, 5, "fifo", 1),
                            Device(1, 3, "0", "terminator"),
                            {"simulate 3;"}});
  RunControls controls;
  controls.stall_events = 16;
  Run(model, controls);
  EXPECT_EQ(result_.outcome, RunOutcome::Finished);
  EXPECT_EQ(result_.events, 18);
  controls.stall_events = 15;
  Run(model, controls);
  EXPECT_EQ(result_.outcome, RunOutcome::Stalled);
  EXPECT_EQ(result_.events, 15);
  EXPECT_EQ(result_.now, 0);
}

TEST_F(SimulationTest, RequestsThatPileUpEndTheRun) {
  // A thousand requests a time unit retry a queue that empties once in a million.
  RunControls controls;
  controls.max_requests = 100;
  Run(Join({{"generator 1;", "la 1000;", "rasp 4;", "transfer 1;", "1 queue 1;"},
            Queue(1, 1, "fifo", 1),
            Device(1, 1, "1000000", "terminator"),
            {"by_time 1000;", "process_all 1;"}}),
      controls);
  EXPECT_EQ(result_.outcome, RunOutcome::TooManyRequests);
  EXPECT_EQ(result_.live_requests, 101);
  EXPECT_EQ(store_->generated, 101);
  EXPECT_LT(result_.now, 1);
}

TEST(RunOutcomeMessageTest, SaysWhyARunStopped) {
  const NumberFormat comma{','};
  RunResult result;
  result.events = 1234;
  result.now = 2.5;
  result.live_requests = 101;
  const auto message = [&](RunOutcome outcome, ReportOfRun report = ReportOfRun::Written) {
    result.outcome = outcome;
    return Cp1251ToUtf8(RunOutcomeMessage(result, comma, report));
  };
  EXPECT_EQ(message(RunOutcome::Finished), "");
  EXPECT_EQ(message(RunOutcome::Cancelled),
            "Моделирование прервано в момент 2,5; отчет — за время от 0 до 2,5");
  EXPECT_EQ(message(RunOutcome::EventLimit),
            "Моделирование остановлено: выполнено 1234 событий, предельное их число (параметры "
            "моделирования); отчет — за время от 0 до 2,5");
  // Commands that write no report (analyze, bench, a series) never promise one.
  EXPECT_EQ(message(RunOutcome::EventLimit, ReportOfRun::None),
            "Моделирование остановлено: выполнено 1234 событий, предельное их число (параметры "
            "моделирования); отчет не записан");
  EXPECT_EQ(message(RunOutcome::Stalled),
            "Моделирование остановлено: модельное время перестало расти (время 2,5, выполнено "
            "1234 событий); отчет не записан");
  EXPECT_EQ(message(RunOutcome::TooManyRequests),
            "Моделирование остановлено: в модели одновременно 101 заявок, больше предельного их "
            "числа; отчет не записан");
}

TEST_F(SimulationTest, NoRunTakesMoreEventsThanItsCountersHold) {
  EXPECT_EQ(EventLimit(RunControls{}), std::numeric_limits<std::int32_t>::max());
  RunControls controls;
  controls.max_events = 5;
  EXPECT_EQ(EventLimit(controls), 5);
  controls.max_events = std::int64_t{1} << 40;
  EXPECT_EQ(EventLimit(controls), kMaxRunEvents);
}

TEST_F(SimulationTest, AModelWithoutGeneratorsSimulatesNothing) {
  const Lines protocol = Run({"queue 1;", "transfer 0;", "simulate 10;"});
  EXPECT_TRUE(protocol.empty());
  EXPECT_FALSE(result_.protocol_written);
  EXPECT_EQ(store_->generated, 0);
  EXPECT_EQ(store_->now, 0);
}

TEST_F(SimulationTest, RoutesThatLeadNowhereAreRefusedBeforeTheRun) {
  store_->generator(1).stats.served = 77;
  const auto fault = [this](const Lines& text) {
    try {
      Run(text);
    } catch (const QsimError& error) {
      return Cp1251ToUtf8(error.message());
    }
    return std::string("no error");
  };
  EXPECT_EQ(fault(Join({Generator(1, 1, 0, 4, 7), Queue(1, 5, "fifo", 1),
                        Device(1, 1, "1", "terminator")})),
            "Генератор 1: переход 1 ведет в несуществующую очередь 7");
  EXPECT_EQ(fault(Join({Generator(1, 1, 0, 4, 1), Queue(1, 5, "fifo", 1),
                        Device(1, 1, "1", "queue 151")})),
            "Устройство 1: переход 1 ведет в несуществующую очередь 151");
  EXPECT_EQ(fault(Join({Generator(1, 1, 0, 4, 1), {"queue 1;", "len 1;", "transfer 0;"}})),
            "Очередь 1 не имеет переходов");
  EXPECT_EQ(store_->generator(1).stats.served, 77);  // nothing was run
}

}  // namespace
}  // namespace qsim

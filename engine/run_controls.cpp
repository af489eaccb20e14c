#include "engine/run_controls.h"

#include "foundation/code_page.h"

namespace qsim {

std::string RunOutcomeMessage(const RunResult& result, const NumberFormat& format,
                              ReportOfRun report) {
  const std::string events = IntegerText(result.events);
  const std::string partial_report =
      report == ReportOfRun::Written
          ? std::string("; отчет — за время от 0 до "_cp) + NumberText(result.now, format)
          : std::string("; отчет не записан"_cp);
  switch (result.outcome) {
    case RunOutcome::Finished:
      return {};
    case RunOutcome::Cancelled:
      return std::string("Моделирование прервано в момент "_cp) + NumberText(result.now, format) +
             partial_report;
    case RunOutcome::EventLimit:
      return std::string("Моделирование остановлено: выполнено "_cp) + events +
             std::string(" событий, предельное их число (параметры моделирования)"_cp) +
             partial_report;
    case RunOutcome::Stalled:
      return std::string("Моделирование остановлено: модельное время перестало расти (время "_cp) +
             NumberText(result.now, format) + std::string(", выполнено "_cp) + events +
             std::string(" событий); отчет не записан"_cp);
    case RunOutcome::TooManyRequests:
      return std::string("Моделирование остановлено: в модели одновременно "_cp) +
             IntegerText(result.live_requests) +
             std::string(" заявок, больше предельного их числа; отчет не записан"_cp);
  }
  return {};
}

}  // namespace qsim

#include "results/figures_report.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/code_page.h"
#include "results/batch_means.h"
#include "results/html_text.h"
#include "results/report_statistics.h"
#include "results/svg_plots.h"

namespace qsim {

std::string SignificantText(double value, const NumberFormat& format) {
  if (value == 0 || !std::isfinite(value))
    return NumberText(value, format);
  const double scale = std::pow(10.0, 3 - std::floor(std::log10(std::abs(value))));
  return NumberText(std::round(value * scale) / scale, format);
}

std::string EstimateText(const std::optional<Estimate>& estimate, const NumberFormat& format,
                         std::string_view plus_minus) {
  if (!estimate)
    return std::string(kNoValueMark);
  std::string text = SignificantText(estimate->mean, format);
  if (estimate->half_width)
    text += std::string(plus_minus) + SignificantText(*estimate->half_width, format);
  return text;
}

namespace {

class FiguresSection {
 public:
  FiguresSection(std::ostream& out, const RunFigures& figures, const NumberFormat& format)
      : out_(out), figures_(figures), format_(format) {}

  void Write(bool with_plots) {
    Line(R"(<p align="left"><u>Точность и дополнительные показатели:</u></p>)"_cp);
    Warmup();
    Accounting();
    Network();
    Queues();
    Priorities();
    Devices();
    Generators();
    IntervalMethod();
    if (with_plots)
      Plots();
  }

 private:
  template <typename... Texts>
  void Line(const Texts&... texts) {
    (out_ << ... << texts) << "\r\n";
  }
  std::string Value(const std::optional<Estimate>& estimate) const {
    return EstimateText(estimate, format_, " &plusmn; ");
  }
  std::string Number(double value) const { return SignificantText(value, format_); }
  std::string Percent(double level) const { return Number(level * 100) + " %"; }
  // A model time keeps every digit before the point: 4 significant digits would
  // print a run that ended at 10075.73 as ending at 10080.
  std::string Time(double time) const {
    return std::abs(time) >= 1000 ? NumberText(std::round(time * 100) / 100, format_)
                                  : Number(time);
  }
  // To a hundredth of a per cent: the gap of an exact run is a residue of rounding
  // (1E-13 %), which says nothing more than 0.
  std::string Gap(double gap) const { return Number(std::round(gap * 10000) / 100) + " %"; }

  // What the warm-up removed and, for a run that was to stop at a precision, how it ended.
  void Warmup() {
    std::string warmup;
    switch (figures_.warmup) {
      case WarmupMethod::Auto:
        warmup =
            "найден по числу заявок в системе: он длится, пока это число впервые не "
            "достигнет установившегося уровня (среднего по части прогона, которую "
            "оставляет правило MSER-5)"_cp;
        break;
      case WarmupMethod::None:
        warmup = "не отбрасывается"_cp;
        break;
      case WarmupMethod::Fixed:
        warmup = "задан пользователем"_cp;
        break;
    }
    Line(R"(<p align="left">Начальный период (прогрев): )"_cp, warmup,
         "; отброшено модельное время "_cp, Time(figures_.warmup_time), " из "_cp,
         Time(figures_.run.model_time),
         ": прогон начинается с пустой системы, и его начало занижает средние.</p>"_cp);
    if (figures_.precision > 0) {
      Line(R"(<p align="left">)",
           figures_.precision_reached ? "Моделирование остановлено по достигнутой точности: "_cp
                                      : "Точность не достигнута до конца прогона: "_cp,
           "относительная полуширина интервалов не более "_cp, Percent(figures_.precision), " ("_cp,
           MarkedFigures(figures_.precision_marks), "); модельное время "_cp,
           Time(figures_.run.model_time), ", событий "_cp, IntegerText(figures_.run.events),
           ".</p>");
    }
  }

  // How the intervals and percentiles are found; after the tables, which come first.
  void IntervalMethod() {
    Line(R"(<p align="left">Доверительные интервалы уровня )"_cp, Percent(figures_.confidence),
         " по методу групповых средних одного прогона: после прогрева "_cp,
         IntegerText(kInitialBatches),
         " групп подряд идущих интервалов модельного времени, соседние группы объединяются "
         "попарно, пока корреляция соседних групп больше "_cp,
         NumberText(kLag1Limit, format_), " (не менее "_cp, IntegerText(kFewestBatches),
         " групп); средние по заявкам — как отношение сумм. Процентили — по гистограмме "
         "с логарифмическими интервалами (погрешность не более "_cp,
         NumberText(0.8, format_), " %) после прогрева, округленного до 1/16 прогона.</p>"_cp);
  }

  // The figures a precision run waited for, in words.
  static std::string MarkedFigures(const PrecisionMarks& marks) {
    std::string words;
    auto add = [&words](bool marked, std::string_view what) {
      if (!marked)
        return;
      if (!words.empty())
        words += ", ";
      words += what;
    };
    add(marks.mean_wait, "среднее ожидание в очередях"_cp);
    add(marks.mean_length, "средняя длина очередей"_cp);
    add(marks.utilisation, "загрузка устройств"_cp);
    add(marks.mean_time_in_system, "среднее время пребывания заявок источников"_cp);
    return words;
  }

  void Accounting() {
    const RunCounts& run = figures_.run;
    Line(R"(<p align="left">Учет заявок: сгенерировано )"_cp, IntegerText(run.generated),
         " = обслужено "_cp, IntegerText(run.served), " + получили отказ "_cp,
         IntegerText(run.refused), " + остались в системе в конце "_cp,
         IntegerText(run.in_system_at_end), ".</p>");
  }

  void TableHead(std::string_view caption, const std::vector<std::string>& headings) {
    Line(R"(<p align="left"><i>)", caption, "</i></p>");
    std::string row = R"(<p align="left"><table border="1"><tr>)";
    for (const std::string& heading : headings)
      row += "<th>" + heading + "</th>";
    Line(row, "</tr>");
  }
  void Row(const std::vector<std::string>& cells) {
    std::string row = "<tr>";
    for (const std::string& cell : cells)
      row += "<td>" + cell + "</td>";
    Line(row, "</tr>");
  }
  std::string Name(int slot, const std::string& name) const {
    return IntegerText(slot) + ". " + HtmlText(name);
  }
  void PercentileCells(std::vector<std::string>& cells, const std::optional<Percentiles>& p) {
    for (double value : {p ? p->p50 : 0, p ? p->p90 : 0, p ? p->p95 : 0, p ? p->p99 : 0})
      cells.push_back(p ? Number(value) : std::string(kNoValueMark));
  }

  void Network() {
    const NetworkFigures& n = figures_.network;
    TableHead("Сеть в целом:"_cp, {std::string("Пропускная способность"_cp),
                                   std::string("Среднее число заявок в системе"_cp),
                                   std::string("Среднее время пребывания в системе"_cp),
                                   std::string("Закон Литтла L = &lambda;W: расхождение"_cp)});
    Row({Value(n.throughput), Value(n.mean_in_system), Value(n.mean_time_in_system),
         n.littles_law_gap ? Gap(*n.littles_law_gap) : std::string(kNoValueMark)});
    Line("</table></p>");
  }

  void Queues() {
    TableHead("Очереди:"_cp,
              {std::string("Наименование"_cp), std::string("Средняя длина"_cp),
               std::string("Среднее время ожидания"_cp), std::string("Вероятность отказа"_cp),
               std::string("Пропускная способность"_cp), std::string("Ожидание: 50 %"_cp), "90 %",
               "95 %", "99 %"});
    for (const QueueFigures& q : figures_.queues) {
      std::vector<std::string> cells{Name(q.slot, q.name), Value(q.mean_length), Value(q.mean_wait),
                                     Value(q.refusal_probability), Value(q.throughput)};
      PercentileCells(cells, q.wait_percentiles);
      Row(cells);
    }
    Line("</table></p>");
  }

  void Priorities() {
    if (figures_.queues.empty() || figures_.queues.front().waits_by_priority.empty())
      return;
    TableHead("Среднее время ожидания по приоритетам заявок:"_cp,
              {std::string("Очередь"_cp), std::string("Приоритет"_cp),
               std::string("Среднее время ожидания"_cp)});
    for (const QueueFigures& q : figures_.queues) {
      for (const auto& [priority, wait] : q.waits_by_priority)
        Row({Name(q.slot, q.name), IntegerText(priority), Value(wait)});
    }
    Line("</table></p>");
  }

  void Devices() {
    TableHead(
        "Обслуживающие устройства:"_cp,
        {std::string("Наименование"_cp), std::string("Загрузка канала"_cp),
         std::string("Пропускная способность"_cp), std::string("Среднее время обслуживания"_cp)});
    for (const DeviceFigures& d : figures_.devices) {
      Row({Name(d.slot, d.name), Value(d.utilisation), Value(d.throughput),
           Value(d.mean_service_time)});
    }
    Line("</table></p>");
  }

  void Generators() {
    TableHead("Генераторы заявок:"_cp,
              {std::string("Наименование"_cp), std::string("Пропускная способность"_cp),
               std::string("Среднее время пребывания обслуженных заявок"_cp),
               std::string("Пребывание: 50 %"_cp), "90 %", "95 %", "99 %"});
    for (const GeneratorFigures& g : figures_.generators) {
      std::vector<std::string> cells{Name(g.slot, g.name), Value(g.throughput),
                                     Value(g.mean_time_in_system)};
      PercentileCells(cells, g.time_in_system_percentiles);
      Row(cells);
    }
    Line("</table></p>");
  }

  void Plots() {
    for (const QueueFigures& q : figures_.queues) {
      if (q.mean_lengths.empty())
        continue;
      Line(R"(<p align="left"><i>Очередь )"_cp, Name(q.slot, q.name),
           ": средняя длина на интервалах модельного времени по "_cp, Number(figures_.cell_width),
           "</i></p>");
      const double top = *std::max_element(q.mean_lengths.begin(), q.mean_lengths.end());
      Line("<p>",
           StepPlotSvg(q.mean_lengths, figures_.cell_width, Time(figures_.run.model_time),
                       Number(top)),
           "</p>");
      if (!q.wait_percentiles)
        continue;
      Line(R"(<p align="left"><i>Очередь )"_cp, Name(q.slot, q.name),
           ": доля заявок по времени ожидания после прогрева, до 99-го процентиля, %; "
           "без ожидания — "_cp,
           Number(ZeroPercent(q.waits)), " %</i></p>");
      const double upper = q.wait_percentiles->p99;
      const std::vector<double> bars = HistogramBars(q.waits, upper);
      Line("<p>",
           HistogramSvg(bars, Number(upper),
                        Number(*std::max_element(bars.begin(), bars.end())) + " %"),
           "</p>");
    }
  }

  std::ostream& out_;
  const RunFigures& figures_;
  const NumberFormat& format_;
};

}  // namespace

void WriteFiguresSection(std::ostream& out, const RunFigures& figures, const NumberFormat& format,
                         bool with_plots) {
  FiguresSection(out, figures, format).Write(with_plots);
}

}  // namespace qsim

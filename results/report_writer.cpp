#include "results/report_writer.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "foundation/atomic_file.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/element_captions.h"
#include "results/bitmap_file.h"
#include "results/figures_report.h"
#include "results/html_text.h"
#include "results/report_statistics.h"
#include "results/run_warnings.h"

namespace qsim {
namespace {

std::string Int(std::int64_t value) {
  return IntegerText(value);
}

// "<tr><td>" + the cells separated by "</td><td>" + "</td></tr>".
std::string TableRow(const std::vector<std::string>& cells) {
  std::string row = "<tr><td>";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0)
      row += "</td><td>";
    row += cells[i];
  }
  return row + "</td></tr>";
}

// The user's date, and the time unless it is exactly midnight.
std::string CalculationTime(const LocalDateTime& when, const Platform& platform) {
  std::string text = platform.ShortDate(when);
  if (when.hour != 0 || when.minute != 0 || when.second != 0)
    text += " " + platform.LongTime(when);
  return text;
}

class ReportWriter {
 public:
  ReportWriter(std::ostream& out, const ModelStore& store, const NumberFormat& format)
      : out_(out), store_(store), format_(format) {}

  // The code page is declared ahead of the first Cyrillic text: a browser that
  // must guess it (as those of Linux desktops do) shows the Russian texts garbled.
  // A run stopped before its end says so first of all.
  void Head(const std::string& calculation_time, std::optional<double> interrupted_at) {
    Line(
        R"(<HTML><HEAD><META http-equiv="Content-Type" content="text/html; charset=windows-1251">)"
        "<TITLE>"_cp,
        "Система имитационного моделирования - Результаты расчета модели.</TITLE></HEAD><BODY>"_cp);
    if (interrupted_at) {
      Line(R"(<p align="center"><font color="#CC0000"><b>Расчет прерван в момент )"_cp,
           Real(*interrupted_at), ": показатели за время от 0 до "_cp, Real(*interrupted_at),
           "</b></font></p>");
    }
    Line(R"(<p align="center"><b>Расчет модели (выполнен )"_cp, calculation_time, ").</b></p>");
  }

  void SavedModel(const std::string& model_file_name) {
    if (model_file_name.empty()) {
      Line(R"(<p align="center"><b>Рассчитанная модель не сохранена!!!</b></p>)"_cp);
    } else {
      Line(R"(<p align="center">Рассчитанная модель хранится в файле: <b>)"_cp,
           HtmlText(model_file_name), ".</b></p>");
    }
  }

  // The picture lines; the source is the absolute path of the bitmap file.
  void Picture(const std::string& source) {
    Line(R"(<p align="center"><img src=")", HtmlText(Utf8ToCp1251(source)), R"("></p>)");
    Line(R"(<p align="center"><i>Изображение модели.</i></p>)"_cp);
  }

  void InputData() {
    Line(R"(<p align="left"><u>Исходные данные:</u></p>)"_cp);
    GeneratorInputs();
    QueueInputs();
    DeviceInputs();
  }

  void ComputedData() {
    Line(R"(<p align="left"><u>Рассчитанные данные:</u></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><td>Всего прошло заявок: </td><td>)"_cp,
         Int(store_.generated), "</td></tr>");
    Line("<tr><td>Время моделирования: </td><td>"_cp, Real(store_.now), "</td></tr></table>");
    GeneratorStatistics();
    QueueStatistics();
    DeviceStatistics();
    Warning();
  }

  // Results of a run whose laws gave impossible durations are not to be trusted;
  // the report says so in red where its results end.
  void Warning() {
    const std::string warning = DurationWarning(store_);
    if (!warning.empty())
      Line(R"(<p align="left"><font color="#CC0000">)", HtmlText(warning), "</font></p>");
  }

  void Tail() {
    Line(R"(<p align="center"><font size="2" color="#333333">)"
         "Отчет составлен системой имитационного моделирования qsim: "_cp,
         "исходные данные модели и результаты ее расчета.</font></p>"_cp);
    Line("</BODY></html>");
  }

 private:
  template <typename... Texts>
  void Piece(const Texts&... texts) {
    (out_ << ... << texts);
  }
  template <typename... Texts>
  void Line(const Texts&... texts) {
    Piece(texts..., "\r\n");
  }

  std::string Real(double value) const { return NumberText(value, format_); }

  void GeneratorInputs() {
    Line(R"(<p align="left"><i>Генераторы заявок:</i></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><th>Номер</th><th>Наименование</th>)"
         "<th>Интенсивность</th><th>Дисперсия</th><th>Распределение</th><th>Приоритет</th>"
         "<th>Выходы</th></tr>"_cp);
    store_.ForEachGenerator([&](int i, const GeneratorRecord& g) {
      Line("<tr><td>", Int(i), "</td><td>", HtmlText(g.name.view()), "</td><td>", Real(g.la),
           "</td><td>", Real(g.disp), "</td><td>", DistributionName(g.rasp), "</td><td>",
           Int(g.prior), "</td><td>");
      Transitions(g);
    });
    Line("</table></p>");
  }

  void QueueInputs() {
    Line(R"(<p align="left"><i>Очереди:</i></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><th>Номер</th><th>Наименование</th>)"
         "<th>Длина</th><th>Дисциплина обслуживания</th><th>Выходы</th></tr>"_cp);
    store_.ForEachQueue([&](int i, const QueueRecord& q) {
      Line("<tr><td>", Int(i), "</td><td>", HtmlText(q.name.view()), "</td><td>", Int(q.len),
           "</td><td>", DisciplineCaption(q.discip), "</td><td>");
      Transitions(q);
    });
    Line("</table></p>");
  }

  void DeviceInputs() {
    Line(R"(<p align="left"><i>Обслуживающие устройства:</i></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><th>Номер</th><th>Наименование</th>)"
         "<th>Число каналов</th><th>Дисперсия</th><th>Распределение</th>"
         "<th>Среднее время обсл.</th><th>Выходы</th></tr>"_cp);
    store_.ForEachDevice([&](int i, const DeviceRecord& d) {
      Line("<tr><td>", Int(i), "</td><td>", HtmlText(d.name.view()), "</td><td>", Int(d.k),
           "</td><td>", Real(d.disp), "</td><td>", DistributionName(d.rasp), "</td><td>", Real(d.v),
           "</td><td>");
      Transitions(d);
    });
    Line("</table></p>");
  }

  // The routes of an element on one line that closes its row. The same words
  // serve every kind of element; the kind code names the real target.
  template <typename Record>
  void Transitions(const Record& record) {
    for (int i = 1; i <= record.transfer; ++i) {
      const TransitionEntry& route = record.transitions[i];
      Piece("в ус-во №"_cp, Int(route.index), " тип "_cp, Int(static_cast<int>(route.kind)),
            " c вер. "_cp, Real(route.prob), "<br>");
    }
    Line("</td></tr>");
  }

  // The heading row of a computed table ends without a line break, so the first
  // element row continues the heading's line.
  void GeneratorStatistics() {
    Line(R"(<p align="left"><i>Генераторы заявок:</i></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><th>Наименование</th>)"
         "<th>Обслуженных заявок</th><th>Необслуженных заявок</th>"
         "<th>Среднее время пребывания заявок в системе</th>"_cp);
    Piece(
        "<th>Минимальное время пребывания заявки в системе</th>"
        "<th>Максимальное время пребывания заявки в системе</th>"_cp);
    Piece("</tr>");
    store_.ForEachGenerator([&](int i, const GeneratorRecord& g) {
      Line(TableRow(GeneratorStatisticsCells(i, g, format_)));
    });
    Line("</table></p>");
  }

  void QueueStatistics() {
    Line(R"(<p align="left"><i>Очереди:</i></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><th>Наименование</th>)"
         R"(<th>Максимальная длина очереди</th><th>Общее количество входов</th>)"
         R"(<th>Количество "нулевых" входов</th><th>Средняя длина очереди</th>)"
         R"(<th>Среднее время ожидания в очереди</th>)"_cp);
    Piece(R"(<th>Среднее время ожидания в очереди без учета "нулевых" входов</th>)"
          R"(<th>Максимальное время ожидания в очереди</th></tr>)"_cp);
    store_.ForEachQueue([&](int i, const QueueRecord& q) {
      Line(TableRow(QueueStatisticsCells(i, q, store_.now, format_)));
    });
    Line("</table></p>");
  }

  // The last heading begins with a Latin M, as the report has always shown it.
  void DeviceStatistics() {
    Line(R"(<p align="left"><i>Обслуживающие устройства:</i></p>)"_cp);
    Line(R"(<p align="left"><table border="1"><tr><th>Наименование</th>)"
         "<th>Количество входов</th><th>Коэффициент использования</th>"
         "<th>Среднее время обслуживания заявки в устройстве</th><th>"_cp);
    Piece("Среднее число занятых каналов</th><th>Mаксимальное число занятых каналов</th></tr>"_cp);
    store_.ForEachDevice([&](int i, const DeviceRecord& d) {
      Line(TableRow(DeviceStatisticsCells(i, d, store_.now, format_)));
    });
    Line("</table></p>");
  }

  std::ostream& out_;
  const ModelStore& store_;
  const NumberFormat& format_;
};

}  // namespace

void WriteReport(std::ostream& out, const ModelStore& store, const std::string& model_file_name,
                 const LocalDateTime& when, const Platform& platform, const NumberFormat& format,
                 const std::string& picture_source, const ReportAdditions& additions) {
  ReportWriter writer(out, store, format);
  writer.Head(CalculationTime(when, platform), additions.interrupted_at);
  writer.SavedModel(model_file_name);
  if (!picture_source.empty())
    writer.Picture(picture_source);
  if (store.settings.report_include_input)
    writer.InputData();
  writer.ComputedData();
  if (additions.figures != nullptr)
    WriteFiguresSection(out, *additions.figures, format);
  writer.Tail();
}

std::string ReportPath(const std::string& reports_folder, const RunSettings& settings,
                       const LocalDateTime& when, const std::string& suffix) {
  return GeneratedFilePath(reports_folder, settings.report_name_auto, settings.report_file_name,
                           "report_", when, suffix, ".htm");
}

WrittenFile WriteReportFile(const std::string& reports_folder, const ModelStore& store,
                            const std::string& model_file_name, const Platform& platform,
                            const NumberFormat& format, const std::string& suffix,
                            const RgbImageView* picture, const ReportAdditions& additions) {
  const LocalDateTime when = platform.Now();
  const RunSettings& settings = store.settings;
  AtomicFile report = OpenGeneratedFile(reports_folder, settings.report_name_auto,
                                        settings.report_file_name, "report_", when, suffix, ".htm");
  std::optional<AtomicFile> bitmap;
  std::string picture_source;
  if (settings.report_include_picture && picture != nullptr) {
    bitmap.emplace(report.path() + ".bmp");
    WriteBitmap(bitmap->stream(), *picture);
    picture_source = std::filesystem::absolute(report.path()).string() + ".bmp";
  }
  WriteReport(report.stream(), store, model_file_name, when, platform, format, picture_source,
              additions);
  // The picture first: a report in place always finds its picture.
  if (bitmap)
    bitmap->Commit();
  report.Commit();
  return {report.path(), report.replaces()};
}

}  // namespace qsim

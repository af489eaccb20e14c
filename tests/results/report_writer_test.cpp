#include "results/report_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/text_file.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_folder.h"

namespace qsim {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
const NumberFormat kComma{','};

// One generator, one queue and one device in a line, after a run of 12 requests
// with constant laws that ended at model time 20.
std::unique_ptr<ModelStore> SmallRunModel() {
  auto store = std::make_unique<ModelStore>();
  GeneratorRecord& g = store->generator(1);
  g.exists = true;
  g.name.assign("Src");
  g.la = 1;
  g.disp = 0.25;
  g.rasp = kConstant;
  g.prior = 2;
  g.transfer = 1;
  g.transitions[1] = {1, TargetKind::Queue, 1};
  g.stats.served = 12;
  g.stats.sum_stay = 51;
  g.stats.min_stay = 1.5;
  g.stats.max_stay = 7;
  QueueRecord& q = store->queue(1);
  q.exists = true;
  q.name.assign("Очередь"_cp);
  q.len = 5;
  q.discip = kPriorityFifo;
  q.transfer = 1;
  q.transitions[1] = {1, TargetKind::Device, 1};
  q.stats.max_len = 4;
  q.stats.entries = 12;
  q.stats.zero_entries = 1;
  q.stats.len_area = 33;
  q.stats.sum_wait = 33;
  q.stats.max_wait = 5.5;
  DeviceRecord& d = store->device(1);
  d.exists = true;
  d.name.assign("Dev");
  d.k = 1;
  d.v = 1.5;
  d.rasp = kConstant;
  d.transfer = 1;
  d.transitions[1] = {1, TargetKind::Terminator, 1};
  d.stats.starts = 12;
  d.stats.service_sum = 18;
  d.stats.busy_area = 18;
  d.stats.max_busy = 1;
  store->generated = 12;
  store->now = 20;
  return store;
}

class ReportTest : public ::testing::Test {
 protected:
  // The report's bytes.
  std::string Bytes(const std::string& model_file_name = "models/line.txt") {
    std::ostringstream out(std::ios::binary);
    WriteReport(out, *store_, model_file_name, platform_.Now(), platform_, kComma);
    return out.str();
  }

  // The report's lines in UTF-8; every line must end in CR LF.
  Lines Report(const std::string& model_file_name = "models/line.txt") {
    const std::string bytes = Bytes(model_file_name);
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(Cp1251ToUtf8(bytes.substr(start, end - start)));
    EXPECT_EQ(start, bytes.size()) << "the last line has no line break";
    for (const std::string& line : lines)
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    return lines;
  }

  std::unique_ptr<ModelStore> store_ = SmallRunModel();
  FakePlatform platform_;
};

const char* const kHeadLine =
    R"(<HTML><HEAD><META http-equiv="Content-Type" content="text/html; charset=windows-1251">)"
    "<TITLE>Система имитационного моделирования - Результаты расчета модели.</TITLE></HEAD>"
    "<BODY>";
const char* const kCreditLine =
    R"(<p align="center"><font size="2" color="#333333">Отчет составлен системой имитационного )"
    "моделирования qsim: исходные данные модели и результаты ее расчета.</font></p>";

TEST_F(ReportTest, TheWholeReportOfASmallRun) {
  const Lines expected = {
      kHeadLine,
      R"(<p align="center"><b>Расчет модели (выполнен 07.12.2026 6:16:23).</b></p>)",
      R"(<p align="center">Рассчитанная модель хранится в файле: <b>models/line.txt.</b></p>)",
      R"(<p align="left"><u>Исходные данные:</u></p>)",
      R"(<p align="left"><i>Генераторы заявок:</i></p>)",
      R"(<p align="left"><table border="1"><tr><th>Номер</th><th>Наименование</th>)"
      "<th>Интенсивность</th><th>Дисперсия</th><th>Распределение</th><th>Приоритет</th>"
      "<th>Выходы</th></tr>",
      "<tr><td>1</td><td>Src</td><td>1</td><td>0,25</td><td>Постоянное</td><td>2</td><td>",
      "в ус-во №1 тип 1 c вер. 1<br></td></tr>",
      "</table></p>",
      R"(<p align="left"><i>Очереди:</i></p>)",
      R"(<p align="left"><table border="1"><tr><th>Номер</th><th>Наименование</th>)"
      "<th>Длина</th><th>Дисциплина обслуживания</th><th>Выходы</th></tr>",
      "<tr><td>1</td><td>Очередь</td><td>5</td><td>FIFO с отн. приоритетом</td><td>",
      "в ус-во №1 тип 3 c вер. 1<br></td></tr>",
      "</table></p>",
      R"(<p align="left"><i>Обслуживающие устройства:</i></p>)",
      R"(<p align="left"><table border="1"><tr><th>Номер</th><th>Наименование</th>)"
      "<th>Число каналов</th><th>Дисперсия</th><th>Распределение</th>"
      "<th>Среднее время обсл.</th><th>Выходы</th></tr>",
      "<tr><td>1</td><td>Dev</td><td>1</td><td>0</td><td>Постоянное</td><td>1,5</td><td>",
      "в ус-во №1 тип 5 c вер. 1<br></td></tr>",
      "</table></p>",
      R"(<p align="left"><u>Рассчитанные данные:</u></p>)",
      R"(<p align="left"><table border="1"><tr><td>Всего прошло заявок: </td><td>12</td></tr>)",
      "<tr><td>Время моделирования: </td><td>20</td></tr></table>",
      R"(<p align="left"><i>Генераторы заявок:</i></p>)",
      R"(<p align="left"><table border="1"><tr><th>Наименование</th><th>Обслуженных заявок</th>)"
      "<th>Необслуженных заявок</th><th>Среднее время пребывания заявок в системе</th>",
      "<th>Минимальное время пребывания заявки в системе</th>"
      "<th>Максимальное время пребывания заявки в системе</th></tr>"
      "<tr><td>1. Src</td><td>12</td><td>0</td><td>4,25</td><td>1,5</td><td>7</td></tr>",
      "</table></p>",
      R"(<p align="left"><i>Очереди:</i></p>)",
      R"(<p align="left"><table border="1"><tr><th>Наименование</th>)"
      "<th>Максимальная длина очереди</th><th>Общее количество входов</th>"
      R"(<th>Количество "нулевых" входов</th><th>Средняя длина очереди</th>)"
      "<th>Среднее время ожидания в очереди</th>",
      R"(<th>Среднее время ожидания в очереди без учета "нулевых" входов</th>)"
      "<th>Максимальное время ожидания в очереди</th></tr>"
      "<tr><td>1. Очередь</td><td>4</td><td>12</td><td>1</td><td>1,65</td><td>2,75</td>"
      "<td>2,99999999997273</td><td>5,5</td></tr>",
      "</table></p>",
      R"(<p align="left"><i>Обслуживающие устройства:</i></p>)",
      R"(<p align="left"><table border="1"><tr><th>Наименование</th><th>Количество входов</th>)"
      "<th>Коэффициент использования</th>"
      "<th>Среднее время обслуживания заявки в устройстве</th><th>",
      "Среднее число занятых каналов</th><th>Mаксимальное число занятых каналов</th></tr>"
      "<tr><td>1. Dev</td><td>12</td><td>0,9</td><td>1,5</td><td>0,9</td><td>1</td></tr>",
      "</table></p>",
      kCreditLine,
      "</BODY></html>"};
  EXPECT_EQ(Report(), expected);
}

TEST_F(ReportTest, ImpossibleDurationsAreWarnedOfInRedBeforeTheCreditLine) {
  store_->device(1).stats.bad_durations = 2311;
  store_->generator(1).stats.bad_durations = 40;
  store_->device(1).name.assign("<D>");
  const Lines report = Report();
  ASSERT_GE(report.size(), 4u);
  EXPECT_EQ(report[report.size() - 4], "</table></p>");
  EXPECT_EQ(report[report.size() - 3],
            R"(<p align="left"><font color="#CC0000">Внимание: в ходе расчета получено 2 351 )"
            "отрицательных или нулевых длительностей (устройство 1 (&lt;D&gt;): 2 311; "
            "генератор 1 (Src): 40). Закон распределения с таким разбросом дает недопустимые "
            "значения; результаты неверны.</font></p>");
  EXPECT_EQ(report[report.size() - 2], kCreditLine);
}

TEST_F(ReportTest, TheFileDeclaresItsCodePageAndIsWindows1251) {
  const std::string bytes = Bytes();
  const std::string head =
      "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=windows-1251\"><TITLE>\xD1\xE8\xF1\xF2\xE5\xEC\xE0 ";
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_NE(bytes.find("\xB9"
                       "1 \xF2\xE8\xEF 1 c \xE2\xE5\xF0. 1<br>"),
            std::string::npos);  // "№1 тип 1 c вер. 1" with a Latin c
  EXPECT_NE(bytes.find("<th>M\xE0\xEA\xF1"), std::string::npos);  // Latin M, Cyrillic "акс"
  EXPECT_EQ(bytes.substr(bytes.size() - 16), "</BODY></html>\r\n");
}

TEST_F(ReportTest, NamesWithMarkupAreShownAsText) {
  store_->generator(1).name.assign("<script>alert(1)</script>");
  store_->queue(1).name.assign("a&b \"c\"");
  const Lines report = Report("C:/m<b>\"&\".txt");
  EXPECT_EQ(report[2], R"(<p align="center">Рассчитанная модель хранится в файле: )"
                       "<b>C:/m&lt;b&gt;&quot;&amp;&quot;.txt.</b></p>");
  EXPECT_EQ(report[6],
            "<tr><td>1</td><td>&lt;script&gt;alert(1)&lt;/script&gt;</td><td>1</td><td>0,25</td>"
            "<td>Постоянное</td><td>2</td><td>");
  EXPECT_EQ(report[11],
            "<tr><td>1</td><td>a&amp;b &quot;c&quot;</td><td>5</td>"
            "<td>FIFO с отн. приоритетом</td><td>");
  const std::string bytes = Bytes();
  EXPECT_EQ(bytes.find("<script>"), std::string::npos);
  EXPECT_NE(bytes.find("<td>1. &lt;script&gt;alert(1)&lt;/script&gt;</td>"), std::string::npos);
}

TEST_F(ReportTest, AModelNeverSavedIsSaidToBeUnsaved) {
  EXPECT_EQ(Report("")[2], R"(<p align="center"><b>Рассчитанная модель не сохранена!!!</b></p>)");
}

TEST_F(ReportTest, AtExactlyMidnightOnlyTheDateIsShown) {
  platform_ = FakePlatform({2027, 1, 2, 0, 0, 0});
  EXPECT_EQ(Report()[1], R"(<p align="center"><b>Расчет модели (выполнен 02.01.2027).</b></p>)");
  platform_ = FakePlatform({2027, 1, 2, 0, 0, 1});
  EXPECT_EQ(Report()[1],
            R"(<p align="center"><b>Расчет модели (выполнен 02.01.2027 0:00:01).</b></p>)");
}

TEST_F(ReportTest, WithoutInputDataTheHeadIsFollowedByTheComputedData) {
  store_->settings.report_include_input = false;
  const Lines report = Report();
  ASSERT_EQ(report.size(), 20u);
  EXPECT_EQ(report[3], R"(<p align="left"><u>Рассчитанные данные:</u></p>)");
}

TEST_F(ReportTest, RoutesShareTheSecondLineOfTheirRow) {
  GeneratorRecord& g = store_->generator(1);
  g.transfer = 3;
  g.transitions[2] = {0.125, TargetKind::Queue, 7};
  g.transitions[3] = {1e-5, TargetKind::Queue, 150};
  store_->device(1).transfer = 0;
  const Lines report = Report();
  EXPECT_EQ(report[7],
            "в ус-во №1 тип 1 c вер. 1<br>в ус-во №7 тип 1 c вер. 0,125<br>"
            "в ус-во №150 тип 1 c вер. 1E-5<br></td></tr>");
  EXPECT_EQ(report[16],
            "<tr><td>1</td><td>Dev</td><td>1</td><td>0</td><td>Постоянное</td>"
            "<td>1,5</td><td>");
  EXPECT_EQ(report[17], "</td></tr>");
}

TEST_F(ReportTest, ElementsAreListedBySlotAndUnusedSlotsAreSkipped) {
  store_->generator(150) = store_->generator(1);
  store_->generator(150).name.assign("Last");
  store_->generator(3) = store_->generator(1);
  store_->generator(3).name.assign("Third");
  store_->generator(1).exists = false;
  const Lines report = Report();
  EXPECT_EQ(report[6].substr(0, 28), "<tr><td>3</td><td>Third</td>");
  EXPECT_EQ(report[8].substr(0, 29), "<tr><td>150</td><td>Last</td>");
  EXPECT_EQ(report[10], "</table></p>");
  EXPECT_NE(report[26].find("</tr><tr><td>3. Third</td><td>12</td>"), std::string::npos);
  EXPECT_EQ(report[27].substr(0, 22), "<tr><td>150. Last</td>");
  EXPECT_EQ(report[28], "</table></p>");
}

TEST_F(ReportTest, AComputedTableWithoutElementsClosesOnItsHeadingLine) {
  store_->device(1).exists = false;
  const Lines report = Report();
  EXPECT_EQ(report[report.size() - 3],
            "Среднее число занятых каналов</th><th>Mаксимальное число занятых каналов</th></tr>"
            "</table></p>");
}

TEST(ReportPathTest, AutomaticNamesCarryTheStamp) {
  RunSettings settings;
  EXPECT_EQ(ReportPath("/opt/qsim/reports", settings, {2026, 12, 7, 6, 16, 23}),
            "/opt/qsim/reports/report_07_12_2026_06_16_23.htm");
}

TEST(ReportPathTest, AChosenNameGetsTheExtension) {
  RunSettings settings;
  settings.report_name_auto = false;
  settings.report_file_name = "run1";
  EXPECT_EQ(ReportPath("reports", settings, {2026, 12, 7, 6, 16, 23}), "reports/run1.htm");
}

class ReportFileTest : public ReportTest {
 protected:
  void SetUp() override {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  const fs::path folder_ = TestFolder("qsim_report_file_");
};

TEST_F(ReportFileTest, TheFileHoldsTheReportAndReplacesAnOldOne) {
  store_->settings.report_name_auto = false;
  store_->settings.report_file_name = "r";
  std::ofstream(folder_ / "r.htm") << "an older and much longer report than the new one";
  const WrittenFile written =
      WriteReportFile(folder_.string(), *store_, "models/line.txt", platform_, kComma);
  EXPECT_EQ(written.path, (folder_ / "r.htm").string());
  EXPECT_TRUE(written.replaced);
  std::ifstream in(written.path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), Bytes());
}

TEST_F(ReportFileTest, TheClockNamesTheFileAndDatesTheReport) {
  platform_ = FakePlatform({2031, 3, 4, 5, 6, 7});
  const WrittenFile written = WriteReportFile(folder_.string(), *store_, "", platform_, kComma);
  const std::string& path = written.path;
  EXPECT_EQ(path, (folder_ / "report_04_03_2031_05_06_07.htm").string());
  EXPECT_FALSE(written.replaced);
  EXPECT_EQ(Cp1251ToUtf8(ReadTextLines(path)[1]),
            R"(<p align="center"><b>Расчет модели (выполнен 04.03.2031 5:06:07).</b></p>)");
}

TEST_F(ReportFileTest, AMissingFolderIsAnError) {
  const std::string folder = (folder_ / "none").string();
  try {
    WriteReportFile(folder, *store_, "", platform_, kComma);
    FAIL() << "no error";
  } catch (const QsimError& error) {
    EXPECT_EQ(error.message(), "Cannot create file \"" + folder +
                                   "/report_07_12_2026_06_16_23.htm\". No such file or directory");
  }
  EXPECT_FALSE(fs::exists(folder));
}

}  // namespace
}  // namespace qsim

#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "commands/compute_command.h"
#include "foundation/number_format.h"

class QChartView;
class QComboBox;
class QLabel;
class QTextBrowser;

namespace qsim::gui {

// «Результаты моделирования»: after every run that finished, the figures the report
// adds after its tables, with their intervals, the length over model time and the
// waits of the queue chosen, as charts, and links to the report and the protocol.
// It stays open beside the main window; the next run replaces what it shows. Qt
// object names: `RunResultsWindow`, `FiguresText`, `QueueChoice`, `WaitNote`,
// `LengthChart`, `WaitChart`, `RunFileLinks`.
class RunResultsWindow : public QDialog {
  Q_OBJECT

 public:
  // `open_document` opens a file the window links to.
  RunResultsWindow(std::function<void(const std::string&)> open_document, QWidget* parent);

  // Shows the figures of a finished run and brings the window forward; nothing for
  // a run without figures.
  void ShowRun(const ComputeOutcome& outcome, const NumberFormat& format);

 private:
  void ShowQueue(int index);
  void OpenLink(const QString& link);

  std::function<void(const std::string&)> open_document_;
  QTextBrowser* text_;
  QComboBox* queue_choice_;
  QLabel* wait_note_;  // what the histogram of waits leaves out
  QChartView* length_chart_;
  QChartView* wait_chart_;
  QLabel* links_;
  std::optional<RunFigures> figures_;
  NumberFormat format_;
  std::string report_path_;
  std::string protocol_path_;
};

}  // namespace qsim::gui

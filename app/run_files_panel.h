#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class QPushButton;

namespace qsim {
struct ComputeOutcome;
}

namespace qsim::gui {

// What the status bar says of a file a run wrote: "Отчет: " or "Протокол: " (`what`),
// the file's name, and " (предыдущий заменен)" when it took the place of an earlier
// file of that name. `path` is in the file system's encoding.
QString RunFileText(const QString& what, const std::string& path, bool replaced);

// The status bar's links to the files of the last run (`RunFilesPanel`): `ReportLink`
// and `ProtocolLink`, each hidden until a run writes its file and opening it when
// clicked.
class RunFilesPanel : public QWidget {
  Q_OBJECT

 public:
  // Opens a document with the desktop shell.
  using Opener = std::function<void(const std::string& path)>;

  RunFilesPanel(Opener open, QWidget* parent);

  // Shows the files of a run that took place; a file it did not write is no longer
  // shown, since the one shown before is not this run's.
  void ShowRun(const ComputeOutcome& outcome);

 private:
  QPushButton* NewLink(const char* name, const std::string& path);
  void ShowFile(QPushButton& link, const QString& what, const std::string& path, bool replaced);

  Opener open_;
  std::string report_path_;
  std::string protocol_path_;
  QPushButton* report_;
  QPushButton* protocol_;
};

}  // namespace qsim::gui

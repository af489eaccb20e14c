#include "app/run_files_panel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>

#include "commands/compute_command.h"

namespace qsim::gui {
namespace {

QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

QString RunFileText(const QString& what, const std::string& path, bool replaced) {
  QString text = what + QFileInfo(PathText(path)).fileName();
  if (replaced)
    text += QStringLiteral(" (предыдущий заменен)");
  return text;
}

RunFilesPanel::RunFilesPanel(Opener open, QWidget* parent)
    : QWidget(parent),
      open_(std::move(open)),
      report_(NewLink("ReportLink", report_path_)),
      protocol_(NewLink("ProtocolLink", protocol_path_)) {
  setObjectName(QStringLiteral("RunFilesPanel"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(report_);
  layout->addWidget(protocol_);
}

// A flat button that looks like a link: the status bar has room for no more.
QPushButton* RunFilesPanel::NewLink(const char* name, const std::string& path) {
  auto* link = new QPushButton(this);
  link->setObjectName(QLatin1String(name));
  link->setFlat(true);
  link->setCursor(Qt::PointingHandCursor);
  link->setStyleSheet(QStringLiteral(
      "QPushButton { color: palette(link); text-decoration: underline; border: none; "
      "padding: 0 4px; }"));
  link->hide();
  connect(link, &QPushButton::clicked, this, [this, &path] { open_(path); });
  return link;
}

void RunFilesPanel::ShowRun(const ComputeOutcome& outcome) {
  report_path_ = outcome.report_path;
  protocol_path_ = outcome.protocol_path;
  ShowFile(*report_, QStringLiteral("Отчет: "), report_path_, outcome.report_replaced);
  ShowFile(*protocol_, QStringLiteral("Протокол: "), protocol_path_, outcome.protocol_replaced);
}

void RunFilesPanel::ShowFile(QPushButton& link, const QString& what, const std::string& path,
                             bool replaced) {
  link.setVisible(!path.empty());
  if (path.empty())
    return;
  link.setText(RunFileText(what, path, replaced));
  link.setToolTip(QStringLiteral("Открыть ") + QDir::toNativeSeparators(PathText(path)));
}

}  // namespace qsim::gui

#include "gui_test_support.h"

#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <csignal>

#include "app/main_window.h"
#include "app/object_names.h"

namespace qsim::gui {
namespace {

// Every window of the tests starts as at a first start of the program: the
// settings are read from and written to a folder of this process, never the
// user's.
struct SettingsOfTheTests {
  SettingsOfTheTests() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  }
  QTemporaryDir folder;
};
const SettingsOfTheTests settings_of_the_tests;

}  // namespace

TestProgramFolder::TestProgramFolder() {
  QDir root(folder_.path());
  for (const char* name : {"models", "reports", "help"})
    root.mkdir(QLatin1String(name));
  QFile help(folder_.path() + QStringLiteral("/help/index.html"));
  help.open(QIODevice::WriteOnly);
  help.write("<html></html>");
}

QStringList TestProgramFolder::ReportFiles() const {
  return QDir(reports()).entryList(QDir::Files, QDir::Name);
}

// The model texts of the tests are written with the decimal point.
ShownMainWindow::ShownMainWindow()
    // The user's settings of a test are its own, so stored recent files of the
    // user or of another test never show.
    : window((QLocale::setDefault(QLocale::c()),
              QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                                 folder.path() + QStringLiteral("/settings")),
              std::make_unique<MainWindow>(folder.path()))) {
  window->platform().SetDocumentOpener([opened = opened](const QString& path) {
    opened->append(path);
    return true;
  });
  window->show();
}

ShownMainWindow::~ShownMainWindow() = default;

QPlainTextEdit& ShownMainWindow::text_pane() const {
  return *window->findChild<QPlainTextEdit*>(QLatin1String(names::kTextPane));
}

QWidget& ShownMainWindow::canvas() const {
  return *window->findChild<QWidget*>(QLatin1String(names::kCanvas));
}

void ShownMainWindow::PointAtCanvas(QPoint p) const {
  QCursor::setPos(canvas().mapToGlobal(p));
}

void ShownMainWindow::ClickCanvas(QPoint p) const {
  PointAtCanvas(p);
  QTest::mouseClick(&canvas(), Qt::LeftButton, {}, p);
}

void ShownMainWindow::DoubleClickCanvas(QPoint p) const {
  PointAtCanvas(p);
  QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, p);
}

void ShownMainWindow::MoveOnCanvas(QPoint p) const {
  PointAtCanvas(p);
  QTest::mouseMove(&canvas(), p);
}

QWidget& ShownMainWindow::editing_bar() const {
  return *window->findChild<QToolBar*>(QLatin1String(names::kEditingBar));
}

QString ShownMainWindow::pane_text() const {
  return text_pane().toPlainText();
}

QString ShownMainWindow::line_count() const {
  return window->findChild<QLabel*>(QLatin1String(names::kLineCountPanel))->text();
}

void ShownMainWindow::TypeModel(const QString& text) const {
  window->ShowCodeEditor();
  text_pane().setPlainText(text);
}

std::unique_ptr<QTimer> CloseNextMessageBox(std::shared_ptr<SeenMessageBox> seen) {
  return OnModal<QMessageBox>([seen](QMessageBox* box) {
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    if (box->defaultButton() != nullptr)
      box->defaultButton()->click();
    else
      box->accept();
  });
}

std::unique_ptr<QTimer> AnswerNextQuestion(QMessageBox::StandardButton answer,
                                           std::shared_ptr<bool> asked) {
  return OnModal<QMessageBox>([answer, asked](QMessageBox* box) {
    *asked = true;
    box->button(answer)->click();
  });
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &saved_);
  const rlimit limited{bytes, saved_.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limited);
  saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);
  std::signal(SIGXFSZ, saved_handler_);
}

bool IsBlank(const RasterCanvas& picture) {
  const auto bytes = picture.image().bytes;
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 255; });
}

QString ExampleText(const char* name) {
  return QString::fromUtf8(FileBytes(QStringLiteral(QSIM_EXAMPLES_DIR "/") + QLatin1String(name)));
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

}  // namespace qsim::gui

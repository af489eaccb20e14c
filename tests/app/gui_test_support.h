#pragma once

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <functional>
#include <memory>
#include <string>

#include "editor/raster_canvas.h"

class QPlainTextEdit;

namespace qsim::gui {

class MainWindow;

// A program folder of its own for a test: `models`, `reports` and `help` inside
// a temporary folder.
class TestProgramFolder {
 public:
  TestProgramFolder();
  QString path() const { return folder_.path(); }
  QString models() const { return folder_.path() + QStringLiteral("/models"); }
  QString reports() const { return folder_.path() + QStringLiteral("/reports"); }
  QStringList ReportFiles() const;

 private:
  QTemporaryDir folder_;
};

// A main window shown on the offscreen screen, over its own program folder, that
// records the documents it asks the desktop shell to open.
struct ShownMainWindow {
  ShownMainWindow();
  ~ShownMainWindow();

  QPlainTextEdit& text_pane() const;
  QWidget& canvas() const;
  // The pointer on the canvas at `p` (canvas widget coordinates): the editor reads
  // the pointer's screen position as well as the event's, so both are set.
  void PointAtCanvas(QPoint p) const;
  void ClickCanvas(QPoint p) const;
  void DoubleClickCanvas(QPoint p) const;
  void MoveOnCanvas(QPoint p) const;
  QWidget& editing_bar() const;
  QString pane_text() const;
  QString line_count() const;
  // Switches to the code editor and types `text` into the pane.
  void TypeModel(const QString& text) const;

  TestProgramFolder folder;
  std::unique_ptr<MainWindow> window;
  std::shared_ptr<QStringList> opened = std::make_shared<QStringList>();
};

// Calls `act` with the first modal window of type T that appears, from inside the
// event loop that shows it. Set it up before the command that opens the window;
// the watch ends when `act` has run or when the returned timer is destroyed, so
// however slowly the window comes, it is not missed.
template <typename T>
[[nodiscard]] std::unique_ptr<QTimer> OnModal(std::function<void(T*)> act) {
  auto poll = std::make_unique<QTimer>();
  QTimer* timer = poll.get();
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible())
      return;
    timer->stop();
    act(window);
  });
  timer->start(5);
  return poll;
}

// What a message box showed; `text` stays empty when none came.
struct SeenMessageBox {
  QString title;
  QString text;
  int icon = 0;  // QMessageBox::Icon
};

// Closes the next message box with its default button and records what it showed.
[[nodiscard]] std::unique_ptr<QTimer> CloseNextMessageBox(std::shared_ptr<SeenMessageBox> seen);

// Answers the next question box (the save prompt) with `answer`; `asked` tells
// whether one came.
[[nodiscard]] std::unique_ptr<QTimer> AnswerNextQuestion(
    QMessageBox::StandardButton answer, std::shared_ptr<bool> asked = std::make_shared<bool>());

// Limits the size of the files this process writes while it lives; a write
// beyond the limit fails instead of raising a signal.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int) = nullptr;
};

// True when every pixel of the picture is white.
bool IsBlank(const RasterCanvas& picture);

// The model text of a bundled example, with the decimal point.
QString ExampleText(const char* name);

// A file's bytes.
QByteArray FileBytes(const QString& path);

}  // namespace qsim::gui

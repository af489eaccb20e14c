#include "app/window_dialogs.h"

#include <QFileDialog>

#include "app/about_dialog.h"
#include "app/analysis_window.h"
#include "app/device_dialog.h"
#include "app/example_gallery.h"
#include "app/findings_dialog.h"
#include "app/generator_dialog.h"
#include "app/object_names.h"
#include "app/probability_dialog.h"
#include "app/progress_dialog.h"
#include "app/queue_dialog.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/transition_dialog.h"

namespace qsim::gui {
namespace {

QFileDialog* NewModelFileDialog(QWidget* window, const QString& title, const char* name) {
  auto* dialog =
      new QFileDialog(window, title, QString(),
                      QStringLiteral("Текстовые описания моделей (*.txt);;Все файлы (*)"));
  dialog->setObjectName(QLatin1String(name));
  return dialog;
}

QFileDialog* NewOpenDialog(QWidget* window) {
  QFileDialog* dialog =
      NewModelFileDialog(window, QStringLiteral("Открыть описание модели"), names::kOpenDialog);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  return dialog;
}

QFileDialog* NewSaveDialog(QWidget* window) {
  QFileDialog* dialog =
      NewModelFileDialog(window, QStringLiteral("Сохранить описание модели"), names::kSaveDialog);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("txt"));
  // The save command asks itself: the model's own file is replaced without a question.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  return dialog;
}

}  // namespace

WindowDialogs::WindowDialogs(QWidget* window, const ModelStore& store, const NumberFormat& format,
                             const QString& reports_folder)
    : open(NewOpenDialog(window)),
      save(NewSaveDialog(window)),
      queue(new QueueDialog(window)),
      device(new DeviceDialog(format, window)),
      probability(new ProbabilityDialog(format, window)),
      transition(new TransitionDialog(window)),
      about(new AboutDialog(window)),
      settings(new SettingsDialog(window)),
      generator(new GeneratorDialog(format, window)),
      findings(new FindingsDialog(window)),
      progress(new RunProgressDialog(window)),
      sweep(new SweepDialog(store, format, reports_folder, window)),
      analysis(new AnalysisWindow(window)),
      examples(new ExampleGallery(window)) {}

EditorDialogs WindowDialogs::editor() const {
  return {*generator, *queue, *device, *probability, *transition};
}

void WindowDialogs::RememberModelFolder(const QString& folder) const {
  open->setDirectory(folder);
  save->setDirectory(folder);
}

}  // namespace qsim::gui

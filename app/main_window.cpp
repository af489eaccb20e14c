#include "app/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QToolBar>

#include "app/about_dialog.h"
#include "app/analysis_window.h"
#include "app/canvas_scroll_area.h"
#include "app/canvas_view.h"
#include "app/code_editor.h"
#include "app/compute_runner.h"
#include "app/diagram_overlay.h"
#include "app/error_box.h"
#include "app/example_gallery.h"
#include "app/gui_text.h"
#include "app/model_file.h"
#include "app/object_names.h"
#include "app/overwrite_question.h"
#include "app/recent_files.h"
#include "app/run_files_panel.h"
#include "app/run_results_window.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/text_pane.h"
#include "app/window_dialogs.h"
#include "app/window_memory.h"
#include "app/window_titles.h"
#include "editor/hit_test.h"
#include "editor/model_drawing.h"
#include "foundation/code_page.h"
#include "foundation/qsim_error.h"
#include "language/model_text_reader.h"
#include "language/model_text_writer.h"
#include "results/analysis_text.h"
#include "results/run_warnings.h"
#include "results/traffic_analysis.h"

namespace qsim::gui {
namespace {

// The report's picture: the model as the run left it, drawn afresh when the
// report asks for it (on the thread of the run), so that a run from the code
// editor, whose canvas is blank, shows the model too.
std::function<RgbImageView()> ReportPicture(const ModelStore& store) {
  auto canvas = std::make_shared<std::unique_ptr<RasterCanvas>>();
  return [&store, canvas] {
    *canvas = std::make_unique<RasterCanvas>();
    DrawModel(store, **canvas);
    return (*canvas)->image();
  };
}

// A command ended by the user before it changed anything.
struct CommandCancelled {};

QString LineNumbers(const std::vector<int>& lines) {
  QStringList numbers;
  for (const int line : lines)
    numbers.append(QString::number(line));
  return numbers.join(QStringLiteral(", "));
}

}  // namespace

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (activated_)
    return;
  activated_ = true;
  FirstActivation();
}

// Fills the canvas and switches to the visual editor, which reads the initial
// text (no keyword in it) and rewrites it as the text of the empty model.
void MainWindow::FirstActivation() {
  document_.store().settings.by_time = false;
  document_.store().settings.end_time = 0;
  dialogs_->RememberModelFolder(
      QFile::decodeName(QByteArray::fromStdString(platform_.layout().examples)));
  picture_->FillRect(0, 0, RasterCanvas::kWidth, RasterCanvas::kHeight, kWhite);
  ShowVisualEditor();
  confirm_dropped_lines_ = true;  // the initial text is meant to go
  canvas_area_->ZoomAt(RecallWindow().zoom, QPoint());
  document_.MarkSaved();
  document_.StartHistory();
  ShowDocumentText();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  RememberWindow({saveGeometry(), canvas_->zoom(), labels_option_->isChecked()});
  event->accept();
}

bool MainWindow::GuardCommand(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const QsimError& error) {
    ShowErrorBox(this, error);
    return false;
  } catch (const CommandCancelled&) {
    return false;
  }
}

ComputeEnvironment MainWindow::Environment() {
  ComputeEnvironment environment{.store = document_.store(),
                                 .simulation = simulation_,
                                 .platform = platform_,
                                 .format = document_.format(),
                                 .model_file_name = ToCp1251(model_file_name_),
                                 .reports_folder = platform_.layout().reports,
                                 .picture = ReportPicture(document_.store())};
  environment.controls.max_events = document_.store().settings.max_events;
  return environment;
}

// Has the document read its text with the core's compute command and shows what
// it made of the lines: the canonical text, or after a reading error the lines as
// read so far, with the cursor on the failing one.
ComputeOutcome MainWindow::Compute(ComputeMode mode) {
  if (ConfirmDroppedLines(document_.lines()))
    document_.KeepTypedLinesAtNextReading();
  ComputeEnvironment environment = Environment();
  ComputeOutcome outcome;
  const auto read = [&](std::vector<std::string>& text) {
    outcome = RunComputeCommand(text, mode, environment, *dialogs_->findings, *dialogs_->progress);
  };
  try {
    if (mode == ComputeMode::ParseOnly)
      document_.ReadSameModel(read);
    else
      document_.ReadText(read);
  } catch (const QsimError&) {
    ShowDocumentText();
    if (document_.failed_line() > 0 && !text_pane_->isHidden())
      PutCursorOnLine(*text_pane_, document_.failed_line());
    throw;
  }
  SetPaneLines(*text_pane_, document_.lines());  // the canonical text, exactly
  ShowDocumentText();
  return outcome;
}

// Lines the reader does not take whole vanish when the text is written anew
// from the store, so the user is asked first. Cancelled, the command ends and
// the pane keeps its lines as after a failed reading, at the first of them.
// Returns true when lines are to go.
bool MainWindow::ConfirmDroppedLines(const std::vector<std::string>& lines) {
  if (!confirm_dropped_lines_)
    return false;
  const std::vector<int> dropped = LinesNotTakenWhole(lines, document_.format());
  if (dropped.empty())
    return false;
  const QString numbers = LineNumbers(dropped);
  statusBar()->showMessage(QStringLiteral("Не будут прочитаны строки: ") + numbers);
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(),
                  (dropped.size() == 1 ? QStringLiteral("Строка ") : QStringLiteral("Строки ")) +
                      numbers +
                      QStringLiteral(" описания модели не будут прочитаны целиком (заметки, "
                                     "ошибки в ключевых словах, лишние слова после значений) и "
                                     "пропадут из описания. Продолжить?"),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setObjectName(QLatin1String(names::kDroppedLinesBox));
  box.button(QMessageBox::Ok)->setText(QStringLiteral("Продолжить"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::Cancel);
  if (box.exec() == QMessageBox::Ok)
    return true;
  document_.StopReadingAt(dropped.front());
  ShowDocumentText();
  if (!text_pane_->isHidden())
    PutCursorOnLine(*text_pane_, dropped.front());
  throw CommandCancelled{};
}

// Reads the text into the store and rewrites it in canonical form.
void MainWindow::ParseText() {
  Compute(ComputeMode::ParseOnly);
}

void MainWindow::RunModel() {
  GuardCommand([this] { RunAndRedraw(); });
}

// The model check may correct what the picture shows (a channel count), so in the
// visual editor the picture is brought up to date after the run, also after an error.
void MainWindow::RunAndRedraw() {
  if (!text_pane_->isHidden()) {
    ReportRun(Compute(ComputeMode::Run));
    return;
  }
  const auto drawn = std::make_unique<ModelStore>(document_.store());
  ComputeOutcome outcome;
  try {
    outcome = Compute(ComputeMode::Run);
  } catch (const QsimError&) {
    if (document_.failed_line() == 0)  // a half-read store is not drawn
      RedrawOver(*drawn);
    throw;
  }
  RedrawOver(*drawn);
  ReportRun(outcome);
}

void MainWindow::RedrawOver(const ModelStore& drawn) {
  EraseModel(drawn, *picture_);
  DrawModel(document_.store(), *picture_);
  canvas_->update();
}

// A run that stopped says why (the report, when there is one, covers the time up to
// the stop); a finished run whose laws gave impossible durations says that its
// results cannot be trusted, and is remembered for the analysis.
void MainWindow::ReportRun(const ComputeOutcome& outcome) {
  if (!outcome.simulated)
    return;
  panels_.run_files->ShowRun(outcome);
  if (outcome.run.outcome != RunOutcome::Finished) {
    ShowMessage(
        QMessageBox::Information, "RunStoppedBox",
        FromCp1251(RunOutcomeMessage(outcome.run, document_.format(), ReportOfRun::Written)) +
            QLatin1Char('.'));
    return;
  }
  document_.MarkRun();
  results_window_->ShowRun(outcome, document_.format());
  const std::string warning = DurationWarning(document_.store());
  if (!warning.empty())
    ShowMessage(QMessageBox::Warning, "DurationWarningBox", FromCp1251(warning));
}

void MainWindow::ShowMessage(QMessageBox::Icon icon, const char* name, const QString& text) {
  QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::Ok, this);
  box.setObjectName(QString::fromLatin1(name));
  box.exec();
}

// The analysis of the model as the text describes it; the values of the last run
// stand beside the predictions only while the text is the one that was run.
void MainWindow::OpenAnalysis() {
  GuardCommand([this] {
    ParseText();
    const ModelStore& store = document_.store();
    const TrafficAnalysis analysis = AnalyzeTraffic(store);
    if (document_.IsRunText()) {
      dialogs_->analysis->ShowLines(AnalysisText(store, analysis, document_.format()));
      return;
    }
    const auto unrun = std::make_unique<ModelStore>(store);
    unrun->now = 0;
    dialogs_->analysis->ShowLines(AnalysisText(*unrun, analysis, document_.format()));
  });
}

void MainWindow::OpenSettingsDialog() {
  GuardCommand([this] {
    ParseText();
    RunSettings& settings = document_.store().settings;
    dialogs_->settings->Fill(settings, document_.format());
    if (dialogs_->settings->exec() != QDialog::Accepted) {
      // Undo takes the options back from the dialog: it holds them as they were.
      dialogs_->settings->Fill(settings, document_.format());
      return;
    }
    // The accuracy first: a value it refuses leaves the model's settings alone.
    dialogs_->settings->CopyAccuracy(settings, document_.format());
    dialogs_->settings->CopyOptions(settings);
    dialogs_->settings->CopyRunSettings(settings, document_.format());
    document_.CommitEdit(std::string("изменение параметров моделирования"_cp));
    ShowDocumentText();
  });
}

// The dialog works on the store, so the text is read into it first.
void MainWindow::OpenSweepDialog() {
  GuardCommand([this] {
    ParseText();
    dialogs_->sweep->exec();
  });
}

void MainWindow::OpenSweepResults() {
  if (!dialogs_->sweep->ShowLastResults())
    ShowMessage(QMessageBox::Information, "NoSweepResultsBox",
                QStringLiteral("Серия расчетов еще не проводилась."));
}

void MainWindow::ShowCodeEditor() {
  if (text_pane_->isHidden()) {
    // Outside a command of its own the pane shows the store, as the canvas does.
    document_.RegenerateSameModel();
    ShowDocumentText();
  }
  EraseModel(document_.store(), *picture_);
  ShowView(false);
  if (document_.failed_line() > 0)
    PutCursorOnLine(*text_pane_, document_.failed_line());
}

void MainWindow::ShowVisualEditor() {
  tools_->StopMoving();
  GuardCommand([this] {
    ParseText();
    ShowView(true);
    DrawModel(document_.store(), *picture_);
    canvas_->update();
  });
  ShowEditorState();
}

void MainWindow::ShowView(bool visual) {
  text_pane_->setVisible(!visual);
  canvas_area_->setVisible(visual);
  canvas_->setVisible(visual);
  editing_bar_->setVisible(visual);
}

void MainWindow::NewModel() {
  if (MaybeSave())
    ClearModel();
}

// Empties the text and the model; the run settings and the terminator's position
// stay. The view is not switched and nothing is drawn.
void MainWindow::ClearModel() {
  model_file_name_.clear();
  SetCaption(PlainCaption());
  EraseModel(document_.store(), *picture_);
  document_.NewModel();
  ShowDocumentText();
  canvas_->update();
}

// The model file dialogs start in the examples folder, then where a model was
// last opened or saved.
void MainWindow::OpenModel() {
  if (!MaybeSave() || dialogs_->open->exec() != QDialog::Accepted)
    return;
  OpenChosenFile(dialogs_->open->selectedFiles().value(0));
}

void MainWindow::OpenRecentFile(const QString& path) {
  if (MaybeSave())
    OpenChosenFile(path);
}

void MainWindow::OpenChosenFile(const QString& path) {
  dialogs_->RememberModelFolder(QFileInfo(path).absolutePath());
  if (GuardCommand([this, &path] { LoadModel(path); }))
    RememberRecentFile(path);
  // What the file held is what the pane shows now, however far the command got.
  document_.MarkSaved();
  document_.StartHistory();
  ShowDocumentText();
}

// The menu lists the files as they stand when it opens.
void MainWindow::ListRecentFiles() {
  recent_menu_->clear();
  for (const QString& path : RecentFiles()) {
    QAction* item = recent_menu_->addAction(QDir::toNativeSeparators(path));
    connect(item, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
  }
  recent_menu_->setEnabled(!recent_menu_->isEmpty());
}

void MainWindow::OpenExample() {
  if (!MaybeSave())
    return;
  const QString path = dialogs_->examples->Choose(
      QFile::decodeName(QByteArray::fromStdString(platform_.layout().examples)));
  if (path.isEmpty())
    return;
  GuardCommand([this, &path] { LoadExample(path); });
  document_.MarkSaved();
  document_.StartHistory();
  ShowDocumentText();
}

// An example opens as a new model, never saved: saving it asks for a name, so the
// bundled file stays as it is. Examples are written with a decimal point; the pane
// shows them in the user's own number form.
void MainWindow::LoadExample(const QString& path) {
  std::vector<std::string> lines = ReadModelFile(path);
  const auto example = std::make_unique<ModelStore>();
  ReadModelText(lines, *example, NumberFormat{'.'});
  EraseModel(document_.store(), *picture_);
  ClearModel();
  document_.SetLines(WriteModelText(*example, document_.format()));
  ShowDocumentText();
  ParseText();
  if (text_pane_->isHidden()) {
    DrawModel(document_.store(), *picture_);
    canvas_->update();
  }
}

// The picture is drawn only in the visual editor: the canvas stays blank while
// the code editor is shown, so that the next switch draws on a clean canvas.
void MainWindow::LoadModel(const QString& path) {
  EraseModel(document_.store(), *picture_);
  ClearModel();
  model_file_name_ = path;
  SetCaption(CaptionAfterOpen(path));
  document_.SetLines(ReadModelFile(path));
  ShowDocumentText();
  ParseText();
  if (text_pane_->isHidden()) {
    DrawModel(document_.store(), *picture_);
    canvas_->update();
  }
}

void MainWindow::SaveModel() {
  SaveToChosenFile();
}

// Returns true when the model was written.
bool MainWindow::SaveToChosenFile() {
  QFileDialog& dialog = *dialogs_->save;
  if (!model_file_name_.isEmpty())
    dialog.selectFile(model_file_name_);
  QString path;
  do {
    if (dialog.exec() != QDialog::Accepted)
      return false;
    path = dialog.selectedFiles().value(0);
  } while (!MayReplaceFile(this, path, model_file_name_));
  dialogs_->RememberModelFolder(QFileInfo(path).absolutePath());
  model_file_name_ = path;
  SetCaption(CaptionAfterSave(path));
  if (text_pane_->isHidden()) {
    document_.Regenerate();
    ShowDocumentText();
  }
  return GuardCommand([this, &path] {
    WriteModelFile(path, document_.lines());
    document_.MarkSaved();
    ShowCaption();
    RememberRecentFile(path);
  });
}

// Asks before a command throws away a text that differs from the one last opened
// or saved. Returns false when the command is not to go on.
bool MainWindow::MaybeSave() {
  if (!document_.IsModified())
    return true;
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(),
                  QStringLiteral("Описание модели изменено. Сохранить изменения?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("SavePrompt"));
  box.button(QMessageBox::Save)->setText(QStringLiteral("Сохранить"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("Не сохранять"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  if (answer == QMessageBox::Save)
    return SaveToChosenFile();
  return answer == QMessageBox::Discard;
}

void MainWindow::SetCaption(const QString& caption) {
  caption_ = caption;
  ShowCaption();
}

// An asterisk leads the caption while the model differs from its file; it goes
// when an edit or an undo brings the text back to the saved one.
void MainWindow::ShowCaption() {
  setWindowTitle(document_.IsModified() ? QLatin1Char('*') + caption_ : caption_);
}

void MainWindow::ShowHelp() {
  platform_.OpenDocument(platform_.layout().help_page);
}

void MainWindow::ShowAbout() {
  dialogs_->about->exec();
}

}  // namespace qsim::gui

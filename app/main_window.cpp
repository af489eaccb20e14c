#include "app/main_window.h"

#include <QCloseEvent>
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

#include <algorithm>

#include "app/about_dialog.h"
#include "app/analysis_window.h"
#include "app/canvas_scroll_area.h"
#include "app/canvas_view.h"
#include "app/canvas_zoom.h"
#include "app/code_editor.h"
#include "app/compute_runner.h"
#include "app/diagram_overlay.h"
#include "app/edit_history.h"
#include "app/error_box.h"
#include "app/gui_text.h"
#include "app/model_file.h"
#include "app/overwrite_question.h"
#include "app/run_files_panel.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/text_pane.h"
#include "app/window_memory.h"
#include "app/window_titles.h"
#include "editor/hit_test.h"
#include "editor/link_paths.h"
#include "editor/model_drawing.h"
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
  store_->settings.by_time = false;
  store_->settings.end_time = 0;
  RememberModelFolder(QFile::decodeName(QByteArray::fromStdString(platform_.layout().examples)));
  picture_->FillRect(0, 0, RasterCanvas::kWidth, RasterCanvas::kHeight, kWhite);
  ShowVisualEditor();
  confirm_dropped_lines_ = true;  // the initial text is meant to go
  canvas_area_->ZoomAt(RecallWindow().zoom, QPoint());
  saved_text_ = text_pane_->toPlainText();
  history_->Clear();
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
  ComputeEnvironment environment{.store = *store_,
                                 .simulation = simulation_,
                                 .platform = platform_,
                                 .format = format_,
                                 .model_file_name = ToCp1251(model_file_name_),
                                 .reports_folder = platform_.layout().reports,
                                 .picture = ReportPicture(*store_)};
  environment.controls.max_events = kDefaultMaxEvents;
  return environment;
}

// Runs the core's compute command on the pane's lines and puts back what it made
// of them: the canonical text, or after a reading error the lines as read so far.
ComputeOutcome MainWindow::Compute(ComputeMode mode) {
  const std::vector<std::string> read = PaneLines(*text_pane_);
  const bool drops_lines = ConfirmDroppedLines(read);
  std::vector<std::string> text = read;
  ComputeEnvironment environment = Environment();
  ComputeOutcome outcome;
  try {
    outcome = RunComputeCommand(text, mode, environment, *findings_dialog_, *progress_);
  } catch (const QsimError& error) {
    failed_line_ = error.line();  // 0: the text was read, what came after failed
    if (text != read)
      SetPaneLines(*text_pane_, text);
    MarkFailedLine();
    if (failed_line_ > 0 && !text_pane_->isHidden())
      PutCursorOnLine(*text_pane_, failed_line_);
    throw;
  }
  failed_line_ = 0;
  MarkFailedLine();
  if (drops_lines) {
    // The typed text is a step of its own, so that undo brings the lines back.
    history_->Record(QStringLiteral("изменение текста модели"));
    SetPaneLines(*text_pane_, text);
    history_->Record(QStringLiteral("удаление непрочитанных строк"));
    return outcome;
  }
  SetPaneLines(*text_pane_, text);
  RecordTakenText(read);
  return outcome;
}

// Lines the reader does not take whole vanish when the text is written anew
// from the store, so the user is asked first. Cancelled, the command ends and
// the pane keeps its lines as after a failed reading, at the first of them.
// Returns true when lines are to go.
bool MainWindow::ConfirmDroppedLines(const std::vector<std::string>& lines) {
  if (!confirm_dropped_lines_)
    return false;
  const std::vector<int> dropped = LinesNotTakenWhole(lines, format_);
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
  box.setObjectName(QStringLiteral("DroppedLinesBox"));
  box.button(QMessageBox::Ok)->setText(QStringLiteral("Продолжить"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
  box.setDefaultButton(QMessageBox::Cancel);
  if (box.exec() == QMessageBox::Ok)
    return true;
  failed_line_ = dropped.front();
  MarkFailedLine();
  if (!text_pane_->isHidden())
    PutCursorOnLine(*text_pane_, failed_line_);
  throw CommandCancelled{};
}

// Reads the text into the store and rewrites it in canonical form. That is the
// same model, so a text that was saved stays saved.
void MainWindow::ParseText() {
  const bool was_saved = text_pane_->toPlainText() == saved_text_;
  Compute(ComputeMode::ParseOnly);
  if (was_saved)
    saved_text_ = text_pane_->toPlainText();
}

void MainWindow::RunModelClick() {
  GuardCommand([this] { RunModel(); });
}

// The model check may correct what the picture shows (a channel count), so in the
// visual editor the picture is brought up to date after the run, also after an error.
void MainWindow::RunModel() {
  if (!text_pane_->isHidden()) {
    ReportRun(Compute(ComputeMode::Run));
    return;
  }
  const auto drawn = std::make_unique<ModelStore>(*store_);
  ComputeOutcome outcome;
  try {
    outcome = Compute(ComputeMode::Run);
  } catch (const QsimError&) {
    if (failed_line_ == 0)  // a half-read store is not drawn
      RedrawOver(*drawn);
    throw;
  }
  RedrawOver(*drawn);
  ReportRun(outcome);
}

void MainWindow::RedrawOver(const ModelStore& drawn) {
  EraseModel(drawn, *picture_);
  DrawModel(*store_, *picture_);
  canvas_->update();
}

// A run that stopped says why; a finished run whose laws gave impossible durations
// says that its results cannot be trusted, and is remembered for the analysis.
void MainWindow::ReportRun(const ComputeOutcome& outcome) {
  if (!outcome.simulated)
    return;
  run_files_->ShowRun(outcome);
  if (outcome.run.outcome != RunOutcome::Finished) {
    ShowMessage(QMessageBox::Information, "RunStoppedBox",
                FromCp1251(RunOutcomeMessage(outcome.run, format_)) + QLatin1Char('.'));
    return;
  }
  run_text_ = text_pane_->toPlainText();
  const std::string warning = DurationWarning(*store_);
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
    const TrafficAnalysis analysis = AnalyzeTraffic(*store_);
    if (text_pane_->toPlainText() == run_text_) {
      analysis_window_->ShowLines(AnalysisText(*store_, analysis, format_));
      return;
    }
    const auto unrun = std::make_unique<ModelStore>(*store_);
    unrun->now = 0;
    analysis_window_->ShowLines(AnalysisText(*unrun, analysis, format_));
  });
}

void MainWindow::OpenSettingsDialog() {
  GuardCommand([this] {
    ParseText();
    settings_dialog_->Fill(store_->settings, format_);
    settings_dialog_->exec();
    settings_dialog_->CopyOptions(store_->settings);
    settings_dialog_->CopyRunSettings(store_->settings, format_);
    RegenerateText();
    history_->Record(QStringLiteral("изменение параметров моделирования"));
  });
}

// The dialog works on the store, so the text is read into it first.
void MainWindow::OpenSweepDialog() {
  GuardCommand([this] {
    ParseText();
    sweep_dialog_->exec();
    history_->Keep();
  });
}

void MainWindow::ShowCodeEditor() {
  if (text_pane_->isHidden()) {
    // Outside a command of its own the pane shows the store, as the canvas does.
    const bool was_saved = text_pane_->toPlainText() == saved_text_;
    RegenerateText();
    if (was_saved)
      saved_text_ = text_pane_->toPlainText();
  }
  EraseModel(*store_, *picture_);
  ShowView(false);
  if (failed_line_ > 0)
    PutCursorOnLine(*text_pane_, failed_line_);
}

// Rewrites the text from the store in whichever editor is shown; after a failed
// reading the pane's lines are all there is of the model, and they stay.
void MainWindow::RegenerateText() {
  if (failed_line_ > 0)
    return;
  SetPaneLines(*text_pane_, WriteModelText(*store_, format_));
}

// Before an edit of the picture after a failed reading: the edit would change a
// half-read store, so the text is read first, and failing again ends the edit.
// The canvas of a failed reading is blank, so a reading that succeeds draws.
void MainWindow::ReadFailedTextAgain() {
  if (failed_line_ == 0)
    return;
  ParseText();
  DrawModel(*store_, *picture_);
  canvas_->update();
}

void MainWindow::ShowVisualEditor() {
  tools_->StopMoving();
  GuardCommand([this] {
    ParseText();
    ShowView(true);
    DrawModel(*store_, *picture_);
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

void MainWindow::NewModelClick() {
  if (MaybeSave())
    NewModel();
}

// Empties the text and the model; the run settings and the terminator's position
// stay. The view is not switched and nothing is drawn.
void MainWindow::NewModel() {
  text_pane_->clear();
  failed_line_ = 0;  // the empty text of the empty model
  MarkFailedLine();
  model_file_name_.clear();
  setWindowTitle(PlainCaption());
  EraseModel(*store_, *picture_);
  store_->ClearForNewModel();
  canvas_->update();
  saved_text_ = text_pane_->toPlainText();
  history_->Clear();
}

void MainWindow::OpenModelClick() {
  if (!MaybeSave() || open_dialog_->exec() != QDialog::Accepted)
    return;
  const QString path = open_dialog_->selectedFiles().value(0);
  RememberModelFolder(QFileInfo(path).absolutePath());
  GuardCommand([this, &path] { OpenModel(path); });
  // What the file held is what the pane shows now, however far the command got.
  saved_text_ = text_pane_->toPlainText();
  history_->Clear();
}

// The picture is drawn only in the visual editor: the canvas stays blank while
// the code editor is shown, so that the next switch draws on a clean canvas.
void MainWindow::OpenModel(const QString& path) {
  EraseModel(*store_, *picture_);
  NewModel();
  model_file_name_ = path;
  setWindowTitle(CaptionAfterOpen(path));
  SetPaneLines(*text_pane_, ReadModelFile(path));
  ParseText();
  if (text_pane_->isHidden()) {
    DrawModel(*store_, *picture_);
    canvas_->update();
  }
}

void MainWindow::SaveModelClick() {
  SaveModel();
}

// Returns true when the model was written.
bool MainWindow::SaveModel() {
  if (!model_file_name_.isEmpty())
    save_dialog_->selectFile(model_file_name_);
  QString path;
  do {
    if (save_dialog_->exec() != QDialog::Accepted)
      return false;
    path = save_dialog_->selectedFiles().value(0);
  } while (!MayReplaceFile(this, path, model_file_name_));
  RememberModelFolder(QFileInfo(path).absolutePath());
  model_file_name_ = path;
  setWindowTitle(CaptionAfterSave(path));
  if (text_pane_->isHidden())
    RegenerateText();
  return GuardCommand([this, &path] {
    WriteModelFile(path, PaneLines(*text_pane_));
    saved_text_ = text_pane_->toPlainText();
  });
}

// Both model file dialogs start in the examples folder, then where a model was last
// opened or saved.
void MainWindow::RememberModelFolder(const QString& folder) {
  open_dialog_->setDirectory(folder);
  save_dialog_->setDirectory(folder);
}

// Asks before a command throws away a text that differs from the one last opened
// or saved. Returns false when the command is not to go on.
bool MainWindow::MaybeSave() {
  if (text_pane_->toPlainText() == saved_text_)
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
    return SaveModel();
  return answer == QMessageBox::Discard;
}

void MainWindow::HelpClick() {
  platform_.OpenDocument(platform_.layout().help_page);
}

void MainWindow::AboutClick() {
  about_dialog_->exec();
}

void MainWindow::CanvasClicked() {
  CanvasEdit([this] { tools_->Click(canvas_->PointerToCanvas()); });
}

void MainWindow::CanvasDoubleClicked() {
  CanvasEdit([this] { tools_->DoubleClick(canvas_->PointerToCanvas(), LineTolerance()); });
}

// With the move tool armed the drag is its click; with no tool armed it picks up
// what lies under the press.
void MainWindow::CanvasDragStarted(QPoint from) {
  const CanvasPoint p{from.x(), from.y()};
  if (tools_->CanPickAt(p))
    CanvasEdit([this, p] { tools_->Click(p); });
  else if (!tools_->AnyToolArmed())
    CanvasEdit([this, p] { tools_->PickUp(p); });
}

void MainWindow::CanvasEdit(const std::function<void()>& edit) {
  GuardCommand([this, &edit] {
    ReadFailedTextAgain();
    edit();
  });
  ShowEditorState();
}

int MainWindow::LineTolerance() const {
  return std::max(1, 3 * kNoZoom / canvas_->zoom());
}

void MainWindow::CanvasContextMenu(QPoint at, QPoint screen) {
  if (tools_->state().dragging)
    return;
  const CanvasPoint p{at.x(), at.y()};
  QMenu menu(this);
  const auto add = [this, &menu](const QString& text, const char* name,
                                 const std::function<void()>& edit) {
    QAction* action = menu.addAction(text, this, [this, edit] { CanvasEdit(edit); });
    action->setObjectName(QLatin1String(name));
  };
  if (const ElementHit hit = FindElementAt(*store_, p); hit.slot != 0) {
    menu.setObjectName(QStringLiteral("ElementMenu"));
    add(QStringLiteral("Параметры..."), "ParametersItem",
        [this, hit] { tools_->EditElement(hit); });
    add(QStringLiteral("Соединить..."), "ConnectItem", [this, hit] { tools_->ConnectFrom(hit); });
    add(QStringLiteral("Удалить"), "DeleteItem", [this, hit] { tools_->DeleteElementAt(hit); });
  } else if (const TransitionHit line = FindTransitionAt(*store_, p, LineTolerance());
             line.slot != 0) {
    menu.setObjectName(QStringLiteral("TransitionMenu"));
    add(QStringLiteral("Вероятность..."), "ProbabilityItem",
        [this, line] { tools_->EditProbability(line); });
    add(QStringLiteral("Удалить переход"), "DisconnectItem",
        [this, line] { tools_->DisconnectTransition(line); });
  } else {
    return;
  }
  menu.exec(screen);
}

void MainWindow::DeleteSelection() {
  CanvasEdit([this] { tools_->DeleteSelection(); });
}

void MainWindow::AbandonConnect() {
  tools_->DisarmAll();
  ShowEditorState();
}

// After every edit and tool change: the element under the pointer as the store
// now describes it, and the connection in progress with its chosen source.
void MainWindow::ShowEditorState() {
  element_panel_->setText(FromCp1251(tools_->DescribeAt(canvas_->PointerToCanvas())));
  hint_panel_->setText(FromCp1251(tools_->Hint()));
  std::optional<ElementHit> framed = tools_->ConnectSource();
  if (!framed)
    framed = tools_->Selection();
  canvas_->SetHighlight(framed ? std::optional(ElementBox(*store_, framed->kind, framed->slot))
                               : std::nullopt);
  ShowMoveUnderWay();
}

// The element under the pointer is named in the status bar, and its lines stand
// out on the canvas.
void MainWindow::CanvasPointerMoved() {
  const CanvasPoint p = canvas_->PointerToCanvas();
  element_panel_->setText(FromCp1251(tools_->PointerMoved(p)));
  if (overlay_->SetPointed(FindElementAt(*store_, p)))
    canvas_->update();
}

void MainWindow::MarkFailedLine() {
  text_pane_->SetFailedLine(failed_line_);
}

void MainWindow::UpdateLineCount() {
  line_count_panel_->setText(QStringLiteral("Всего строк: ") +
                             QString::number(CountedLines(*text_pane_)));
}

}  // namespace qsim::gui

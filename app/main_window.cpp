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
#include <QToolBar>

#include "app/about_dialog.h"
#include "app/analysis_window.h"
#include "app/canvas_scroll_area.h"
#include "app/canvas_view.h"
#include "app/compute_runner.h"
#include "app/edit_history.h"
#include "app/error_box.h"
#include "app/example_gallery.h"
#include "app/gui_text.h"
#include "app/model_file.h"
#include "app/overwrite_question.h"
#include "app/recent_files.h"
#include "app/run_files_panel.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/text_pane.h"
#include "app/window_titles.h"
#include "editor/hit_test.h"
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
  MarkSaved();
  history_->Clear();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (MaybeSave())
    event->accept();
  else
    event->ignore();
}

bool MainWindow::GuardCommand(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const QsimError& error) {
    ShowErrorBox(this, error);
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
  environment.controls.max_events = store_->settings.max_events;
  return environment;
}

// Runs the core's compute command on the pane's lines and puts back what it made
// of them: the canonical text, or after a reading error the lines as read so far.
ComputeOutcome MainWindow::Compute(ComputeMode mode) {
  const std::vector<std::string> read = PaneLines(*text_pane_);
  std::vector<std::string> text = read;
  ComputeEnvironment environment = Environment();
  ComputeOutcome outcome;
  try {
    outcome = RunComputeCommand(text, mode, environment, *findings_dialog_, *progress_);
  } catch (const QsimError& error) {
    failed_line_ = error.line();  // 0: the text was read, what came after failed
    if (text != read)
      SetPaneLines(*text_pane_, text);
    if (failed_line_ > 0 && !text_pane_->isHidden())
      PutCursorOnLine(*text_pane_, failed_line_);
    throw;
  }
  failed_line_ = 0;
  SetPaneLines(*text_pane_, text);
  RecordTakenText(read);
  return outcome;
}

// Reads the text into the store and rewrites it in canonical form. That is the
// same model, so a text that was saved stays saved.
void MainWindow::ParseText() {
  const bool was_saved = text_pane_->toPlainText() == saved_text_;
  Compute(ComputeMode::ParseOnly);
  if (was_saved)
    MarkSaved();
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

// A run that stopped says why (the report, when there is one, covers the time up to
// the stop); a finished run whose laws gave impossible durations says that its
// results cannot be trusted, and is remembered for the analysis.
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
    if (settings_dialog_->exec() != QDialog::Accepted)
      return;
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

void MainWindow::OpenSweepResults() {
  if (!sweep_dialog_->ShowLastResults())
    ShowMessage(QMessageBox::Information, "NoSweepResultsBox",
                QStringLiteral("Серия расчетов еще не проводилась."));
}

void MainWindow::ShowCodeEditor() {
  if (text_pane_->isHidden()) {
    // Outside a command of its own the pane shows the store, as the canvas does.
    const bool was_saved = text_pane_->toPlainText() == saved_text_;
    RegenerateText();
    if (was_saved)
      MarkSaved();
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
  model_file_name_.clear();
  SetCaption(PlainCaption());
  EraseModel(*store_, *picture_);
  store_->ClearForNewModel();
  canvas_->update();
  MarkSaved();
  history_->Clear();
}

void MainWindow::OpenModelClick() {
  if (!MaybeSave() || open_dialog_->exec() != QDialog::Accepted)
    return;
  OpenChosenFile(open_dialog_->selectedFiles().value(0));
}

void MainWindow::OpenRecentFile(const QString& path) {
  if (MaybeSave())
    OpenChosenFile(path);
}

void MainWindow::OpenChosenFile(const QString& path) {
  RememberModelFolder(QFileInfo(path).absolutePath());
  if (GuardCommand([this, &path] { OpenModel(path); }))
    RememberRecentFile(path);
  // What the file held is what the pane shows now, however far the command got.
  MarkSaved();
  history_->Clear();
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

// The picture is drawn only in the visual editor: the canvas stays blank while
// the code editor is shown, so that the next switch draws on a clean canvas.
void MainWindow::OpenModel(const QString& path) {
  EraseModel(*store_, *picture_);
  NewModel();
  model_file_name_ = path;
  SetCaption(CaptionAfterOpen(path));
  SetPaneLines(*text_pane_, ReadModelFile(path));
  ParseText();
  if (text_pane_->isHidden()) {
    DrawModel(*store_, *picture_);
    canvas_->update();
  }
}

void MainWindow::OpenExampleClick() {
  if (!MaybeSave())
    return;
  const QString path = example_gallery_->Choose(
      QFile::decodeName(QByteArray::fromStdString(platform_.layout().examples)));
  if (path.isEmpty())
    return;
  GuardCommand([this, &path] { OpenExample(path); });
  MarkSaved();
  history_->Clear();
}

// An example opens as a new model, never saved: saving it asks for a name, so the
// bundled file stays as it is. Examples are written with a decimal point; the pane
// shows them in the user's own number form.
void MainWindow::OpenExample(const QString& path) {
  std::vector<std::string> lines = ReadModelFile(path);
  const auto example = std::make_unique<ModelStore>();
  ReadModelText(lines, *example, NumberFormat{'.'});
  EraseModel(*store_, *picture_);
  NewModel();
  SetPaneLines(*text_pane_, WriteModelText(*example, format_));
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
  SetCaption(CaptionAfterSave(path));
  if (text_pane_->isHidden())
    RegenerateText();
  return GuardCommand([this, &path] {
    WriteModelFile(path, PaneLines(*text_pane_));
    MarkSaved();
    RememberRecentFile(path);
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
  GuardCommand([this] {
    ReadFailedTextAgain();
    tools_->Click(canvas_->PointerToCanvas());
  });
  ShowEditorState();
}

void MainWindow::CanvasDoubleClicked() {
  GuardCommand([this] {
    ReadFailedTextAgain();
    tools_->DoubleClick(canvas_->PointerToCanvas());
  });
  ShowEditorState();
}

void MainWindow::CanvasDragStarted(QPoint from) {
  const CanvasPoint p{from.x(), from.y()};
  if (!tools_->CanPickAt(p))
    return;
  GuardCommand([this, p] {
    ReadFailedTextAgain();
    tools_->Click(p);
  });
  ShowEditorState();
}

void MainWindow::AbandonConnect() {
  tools_->AbandonConnect();
  ShowEditorState();
}

// After every edit and tool change: the element under the pointer as the store
// now describes it, and the connection in progress with its chosen source.
void MainWindow::ShowEditorState() {
  element_panel_->setText(FromCp1251(tools_->DescribeAt(canvas_->PointerToCanvas())));
  hint_panel_->setText(FromCp1251(tools_->Hint()));
  const std::optional<ElementHit> source = tools_->ConnectSource();
  canvas_->SetHighlight(source ? std::optional(ElementBox(*store_, source->kind, source->slot))
                               : std::nullopt);
  ShowMoveUnderWay();
}

void MainWindow::CanvasPointerMoved() {
  element_panel_->setText(FromCp1251(tools_->PointerMoved(canvas_->PointerToCanvas())));
}

// The pane's text is what the model is; it is saved when it is the text last
// opened, saved or started anew.
void MainWindow::MarkSaved() {
  saved_text_ = text_pane_->toPlainText();
  ShowCaption();
}

void MainWindow::SetCaption(const QString& caption) {
  caption_ = caption;
  ShowCaption();
}

// An asterisk leads the caption while the model differs from its file; it goes
// when an edit or an undo brings the text back to the saved one.
void MainWindow::ShowCaption() {
  const bool modified = text_pane_->toPlainText() != saved_text_;
  setWindowTitle(modified ? QLatin1Char('*') + caption_ : caption_);
}

void MainWindow::UpdateLineCount() {
  line_count_panel_->setText(QStringLiteral("Всего строк: ") +
                             QString::number(CountedLines(*text_pane_)));
}

}  // namespace qsim::gui

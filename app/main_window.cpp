#include "app/main_window.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/about_dialog.h"
#include "app/canvas_view.h"
#include "app/compute_runner.h"
#include "app/device_dialog.h"
#include "app/editor_window_ui.h"
#include "app/error_box.h"
#include "app/findings_dialog.h"
#include "app/generator_dialog.h"
#include "app/gui_text.h"
#include "app/model_file.h"
#include "app/probability_dialog.h"
#include "app/progress_dialog.h"
#include "app/queue_dialog.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/text_pane.h"
#include "app/tool_icons.h"
#include "app/transition_dialog.h"
#include "app/window_titles.h"
#include "editor/model_drawing.h"
#include "foundation/qsim_error.h"
#include "language/model_text_writer.h"

namespace qsim::gui {
namespace {

NumberFormat LocaleNumberFormat() {
  const std::string separator = ToCp1251(QLocale().decimalPoint());
  return NumberFormat{separator.size() == 1 ? separator[0] : '.'};
}

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

QString ModelFileFilter() {
  return QStringLiteral("Текстовые описания моделей (*.txt);;Все файлы (*)");
}

}  // namespace

MainWindow::MainWindow(const QString& program_folder, QWidget* parent)
    : QMainWindow(parent),
      store_(std::make_unique<ModelStore>()),
      simulation_(*store_, random_),
      picture_(std::make_unique<RasterCanvas>()),
      platform_(program_folder),
      format_(LocaleNumberFormat()),
      text_pane_(new QPlainTextEdit(this)),
      canvas_(new CanvasView(*picture_, this)) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(PlainCaption());
  resize(782, 513);
  text_pane_->setObjectName(QStringLiteral("Memo2"));
  text_pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_pane_->setPlainText(
      QStringLiteral("Поле для ручного ввода и редактирования описания модели"));
  connect(text_pane_, &QPlainTextEdit::textChanged, this, &MainWindow::UpdateLineCount);
  auto* central = new QWidget(this);
  auto* views = new QVBoxLayout(central);
  views->setContentsMargins(0, 0, 0, 0);
  views->addWidget(text_pane_);
  views->addWidget(canvas_);
  setCentralWidget(central);
  const Commands commands = NewCommands();
  BuildMainMenu(commands);
  BuildCommandBar(commands);
  BuildEditingBar();
  BuildStatusBar();
  BuildFileDialogs();
  queue_dialog_ = new QueueDialog(this);
  device_dialog_ = new DeviceDialog(this);
  probability_dialog_ = new ProbabilityDialog(this);
  transition_dialog_ = new TransitionDialog(this);
  about_dialog_ = new AboutDialog(this);
  settings_dialog_ = new SettingsDialog(this);
  generator_dialog_ = new GeneratorDialog(this);
  findings_dialog_ = new FindingsDialog(this);
  progress_ = new RunProgressDialog(this);
  sweep_dialog_ = new SweepDialog(*store_, simulation_, format_, this);
  BuildEditor();
  settings_dialog_->CopyOptions(store_->settings);
  ShowView(false);
  UpdateLineCount();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::NewCommand(const QString& text, const QString& tool_tip, ToolIcon icon,
                                const char* name, void (MainWindow::*command)()) {
  auto* action = new QAction(MakeToolIcon(icon), text, this);
  action->setObjectName(QLatin1String(name));
  action->setToolTip(tool_tip);
  connect(action, &QAction::triggered, this, command);
  return action;
}

MainWindow::Commands MainWindow::NewCommands() {
  Commands c;
  c.new_model = NewCommand(QStringLiteral("Новый"), QStringLiteral("Новая модель"),
                           ToolIcon::NewModel, "NewModelButton", &MainWindow::NewModelClick);
  c.open = NewCommand(QStringLiteral("Открыть"), QStringLiteral("Открыть модель"),
                      ToolIcon::OpenModel, "OpenModelButton", &MainWindow::OpenModelClick);
  c.save = NewCommand(QStringLiteral("Сохранить"), QStringLiteral("Сохранить модель"),
                      ToolIcon::SaveModel, "SaveModelButton", &MainWindow::SaveModelClick);
  c.settings = NewCommand(QStringLiteral("Параметры моделирования"),
                          QStringLiteral("Параметры моделирования"), ToolIcon::Settings,
                          "ToolButton10", &MainWindow::OpenSettingsDialog);
  c.run = NewCommand(QStringLiteral("Начать моделирование"), QStringLiteral("Начать моделирование"),
                     ToolIcon::Run, "RunButton", &MainWindow::RunModelClick);
  c.sweep = NewCommand(QStringLiteral("Расчет по изменяемым параметрам"),
                       QStringLiteral("Расчет по изменяемым параметрам"), ToolIcon::Sweep,
                       "ToolButton22", &MainWindow::OpenSweepDialog);
  c.code = NewCommand(QStringLiteral("Редактор кода"), QStringLiteral("Редактор кода"),
                      ToolIcon::CodeEditor, "ToolButton11", &MainWindow::ShowCodeEditor);
  c.visual =
      NewCommand(QStringLiteral("Визуальный редактор"), QStringLiteral("Визуальный редактор"),
                 ToolIcon::VisualEditor, "ToolButton7", &MainWindow::ShowVisualEditor);
  c.about = NewCommand(QStringLiteral("о программе"), QStringLiteral("о программе"),
                       ToolIcon::About, "AboutButton", &MainWindow::AboutClick);
  c.help = NewCommand(QStringLiteral("Справка"), QStringLiteral("Справка"), ToolIcon::Help,
                      "HelpItem", &MainWindow::HelpClick);
  c.exit = new QAction(MakeToolIcon(ToolIcon::Exit), QStringLiteral("Выход"), this);
  c.exit->setObjectName(QStringLiteral("ExitItem"));
  connect(c.exit, &QAction::triggered, this, &QWidget::close);
  c.new_model->setShortcut(QKeySequence::New);
  c.open->setShortcut(QKeySequence::Open);
  c.save->setShortcut(QKeySequence::Save);
  c.exit->setShortcut(QKeySequence::Quit);
  c.run->setShortcut(Qt::Key_F9);
  c.help->setShortcut(QKeySequence::HelpContents);
  return c;
}

void MainWindow::BuildMainMenu(const Commands& c) {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->addActions({c.new_model, c.open, c.save});
  file->addSeparator();
  file->addAction(c.exit);
  QMenu* compute = menuBar()->addMenu(QStringLiteral("Расчет"));
  compute->addAction(c.run);
  compute->addSeparator();
  compute->addAction(c.settings);
  compute->addAction(c.sweep);
  menuBar()->addMenu(QStringLiteral("Интерфейс"))->addActions({c.code, c.visual});
  menuBar()->addMenu(QStringLiteral("Справка"))->addActions({c.help, c.about});
}

void MainWindow::BuildCommandBar(const Commands& c) {
  QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  bar->setIconSize(QSize(16, 16));
  bar->addActions({c.new_model, c.open, c.save});
  bar->addSeparator();
  bar->addActions({c.settings, c.run});
  bar->addAction(c.sweep);
  bar->addSeparator();
  bar->addActions({c.code, c.visual});
  bar->addSeparator();
  bar->addAction(c.about);
}

void MainWindow::BuildEditingBar() {
  editing_bar_ = new QToolBar(QStringLiteral("ToolBar2"), this);
  editing_bar_->setObjectName(QStringLiteral("ToolBar2"));
  editing_bar_->setMovable(false);
  editing_bar_->setIconSize(QSize(16, 16));
  addToolBar(Qt::BottomToolBarArea, editing_bar_);
  struct Tool {
    EditorTool tool;
    ToolIcon icon;
    const char* tip;
    const char* name;
  };
  // In the order of `EditorTool`, which is their order on the bar.
  const Tool tools[] = {
      {EditorTool::AddGenerator, ToolIcon::AddGenerator, "Добавить генератор заявок",
       "ToolButton14"},
      {EditorTool::AddQueue, ToolIcon::AddQueue, "Добавить очередь", "ToolButton12"},
      {EditorTool::AddDevice, ToolIcon::AddDevice, "Добавить устройство", "ToolButton13"},
      {EditorTool::Connect, ToolIcon::Connect, "Соединить элементы", "ToolButton15"},
      {EditorTool::Disconnect, ToolIcon::Disconnect, "Разъединить элементы", "ToolButton16"},
      {EditorTool::Move, ToolIcon::Move, "Переместить элемент", "ToolButton17"},
      {EditorTool::Delete, ToolIcon::Delete, "Удалить элемент", "ToolButton18"},
  };
  for (std::size_t i = 0; i < std::size(tools); ++i) {
    const Tool& tool = tools[i];
    if (tool.tool == EditorTool::Connect || tool.tool == EditorTool::Move ||
        tool.tool == EditorTool::Delete)
      editing_bar_->addSeparator();
    QAction* button = editing_bar_->addAction(MakeToolIcon(tool.icon), QString());
    button->setObjectName(QLatin1String(tool.name));
    button->setToolTip(QString::fromUtf8(tool.tip));
    button->setCheckable(true);
    connect(button, &QAction::triggered, this,
            [this, which = tool.tool] { tools_->Toggle(which); });
    editing_bar_->widgetForAction(button)->setFixedSize(32, 25);
    tool_buttons_[i] = button;
  }
}

void MainWindow::BuildStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  line_count_panel_ = new QLabel(this);
  line_count_panel_->setObjectName(QStringLiteral("Panel0"));
  line_count_panel_->setFixedWidth(100);
  element_panel_ = new QLabel(this);
  element_panel_->setObjectName(QStringLiteral("Panel1"));
  element_panel_->setMinimumWidth(50);
  statusBar()->addWidget(line_count_panel_);
  statusBar()->addWidget(element_panel_, 1);
}

void MainWindow::BuildEditor() {
  const EditorDialogs dialogs{*generator_dialog_, *queue_dialog_, *device_dialog_,
                              *probability_dialog_, *transition_dialog_};
  editor_ui_ = std::make_unique<EditorWindowUi>(*store_, *picture_, *canvas_, dialogs, format_,
                                                [this] { RegenerateText(); });
  editor_ui_->SetToolButtons(tool_buttons_);
  tools_ = std::make_unique<EditorTools>(*store_, *editor_ui_, format_);
  connect(canvas_, &CanvasView::Clicked, this, &MainWindow::CanvasClicked);
  connect(canvas_, &CanvasView::DoubleClicked, this, &MainWindow::CanvasDoubleClicked);
  connect(canvas_, &CanvasView::PointerMoved, this, &MainWindow::CanvasPointerMoved);
}

void MainWindow::BuildFileDialogs() {
  open_dialog_ = new QFileDialog(this, QStringLiteral("Открыть описание модели"), QString(),
                                 ModelFileFilter());
  open_dialog_->setObjectName(QStringLiteral("OpenDialog1"));
  open_dialog_->setAcceptMode(QFileDialog::AcceptOpen);
  open_dialog_->setFileMode(QFileDialog::ExistingFile);
  save_dialog_ = new QFileDialog(this, QStringLiteral("Сохранить описание модели"), QString(),
                                 ModelFileFilter());
  save_dialog_->setObjectName(QStringLiteral("SaveDialog1"));
  save_dialog_->setAcceptMode(QFileDialog::AcceptSave);
  save_dialog_->setDefaultSuffix(QStringLiteral("txt"));
  save_dialog_->setOption(QFileDialog::DontConfirmOverwrite);
}

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
  text_only_ = false;
  store_->settings.by_time = false;
  store_->settings.end_time = 0;
  const QString models = platform_.program_folder() + QStringLiteral("/models");
  open_dialog_->setDirectory(models);
  save_dialog_->setDirectory(models);
  picture_->FillRect(0, 0, RasterCanvas::kWidth, RasterCanvas::kHeight, kWhite);
  ShowVisualEditor();
  saved_text_ = text_pane_->toPlainText();
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
                                 .reports_folder = platform_.ProgramFolder() + "/reports",
                                 .picture = ReportPicture(*store_)};
  environment.controls.max_events = kDefaultMaxEvents;
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
  } catch (const QsimError&) {
    if (text != read)
      SetPaneLines(*text_pane_, text);
    throw;
  }
  SetPaneLines(*text_pane_, text);
  return outcome;
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
    ReportStoppedRun(Compute(ComputeMode::Run));
    return;
  }
  const auto drawn = std::make_unique<ModelStore>(*store_);
  ComputeOutcome outcome;
  try {
    outcome = Compute(ComputeMode::Run);
  } catch (const QsimError&) {
    RedrawOver(*drawn);
    throw;
  }
  RedrawOver(*drawn);
  ReportStoppedRun(outcome);
}

void MainWindow::RedrawOver(const ModelStore& drawn) {
  EraseModel(drawn, *picture_);
  DrawModel(*store_, *picture_);
  canvas_->update();
}

void MainWindow::ReportStoppedRun(const ComputeOutcome& outcome) {
  if (!outcome.simulated || outcome.run.outcome == RunOutcome::Finished)
    return;
  QMessageBox box(QMessageBox::Information, ApplicationTitle(),
                  FromCp1251(RunOutcomeMessage(outcome.run, format_)) + QLatin1Char('.'),
                  QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("RunStoppedBox"));
  box.exec();
}

void MainWindow::OpenSettingsDialog() {
  GuardCommand([this] {
    ParseText();
    settings_dialog_->Fill(store_->settings, format_);
    settings_dialog_->exec();
    settings_dialog_->CopyOptions(store_->settings);
    settings_dialog_->CopyRunSettings(store_->settings, format_);
    RegenerateText();
  });
}

// The dialog works on the store, so the text is read into it first.
void MainWindow::OpenSweepDialog() {
  GuardCommand([this] {
    ParseText();
    sweep_dialog_->exec();
  });
}

void MainWindow::ShowCodeEditor() {
  if (text_pane_->isHidden()) {
    // Outside a command of its own the pane shows the store, as the canvas does.
    const bool was_saved = !text_only_ && text_pane_->toPlainText() == saved_text_;
    SetPaneLines(*text_pane_, WriteModelText(*store_, format_));
    if (was_saved)
      saved_text_ = text_pane_->toPlainText();
  }
  if (text_only_)
    return;
  EraseModel(*store_, *picture_);
  ShowView(false);
}

// Rewrites the text from the store in whichever editor is shown.
void MainWindow::RegenerateText() {
  const bool pane_shown = !text_pane_->isHidden();
  const bool had_focus = text_pane_->hasFocus();
  text_pane_->hide();
  text_only_ = true;
  ShowCodeEditor();
  text_only_ = false;
  if (!pane_shown)
    return;
  text_pane_->show();
  if (had_focus)
    text_pane_->setFocus();
}

void MainWindow::ShowVisualEditor() {
  tools_->StopMoving();
  GuardCommand([this] {
    ParseText();
    ShowView(true);
    DrawModel(*store_, *picture_);
    canvas_->update();
  });
}

void MainWindow::ShowView(bool visual) {
  text_pane_->setVisible(!visual);
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
  model_file_name_.clear();
  setWindowTitle(PlainCaption());
  EraseModel(*store_, *picture_);
  store_->ClearForNewModel();
  canvas_->update();
  saved_text_ = text_pane_->toPlainText();
}

void MainWindow::OpenModelClick() {
  if (!MaybeSave() || open_dialog_->exec() != QDialog::Accepted)
    return;
  const QString path = open_dialog_->selectedFiles().value(0);
  GuardCommand([this, &path] { OpenModel(path); });
  // What the file held is what the pane shows now, however far the command got.
  saved_text_ = text_pane_->toPlainText();
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
  if (save_dialog_->exec() != QDialog::Accepted)
    return false;
  const QString path = save_dialog_->selectedFiles().value(0);
  model_file_name_ = path;
  setWindowTitle(CaptionAfterSave(path));
  if (text_pane_->isHidden())
    RegenerateText();
  return GuardCommand([this, &path] {
    WriteModelFile(path, PaneLines(*text_pane_));
    saved_text_ = text_pane_->toPlainText();
  });
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
  platform_.OpenDocument(platform_.ProgramFolder() + "/help/index.html");
}

void MainWindow::AboutClick() {
  about_dialog_->exec();
}

void MainWindow::CanvasClicked() {
  GuardCommand([this] { tools_->Click(canvas_->PointerToCanvas()); });
}

void MainWindow::CanvasDoubleClicked() {
  GuardCommand([this] { tools_->DoubleClick(canvas_->PointerToCanvas()); });
}

void MainWindow::CanvasPointerMoved() {
  element_panel_->setText(FromCp1251(tools_->PointerMoved(canvas_->PointerToCanvas())));
}

void MainWindow::UpdateLineCount() {
  line_count_panel_->setText(QStringLiteral("Всего строк: ") +
                             QString::number(CountedLines(*text_pane_)));
}

}  // namespace qsim::gui

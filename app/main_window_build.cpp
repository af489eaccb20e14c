// Building the main window: its views, commands, menu, tool bars, status bar,
// file dialogs and dialogs. The commands themselves are in main_window.cpp.
#include "app/main_window.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/about_dialog.h"
#include "app/analysis_window.h"
#include "app/canvas_scroll_area.h"
#include "app/canvas_view.h"
#include "app/code_editor.h"
#include "app/device_dialog.h"
#include "app/diagram_overlay.h"
#include "app/edit_history.h"
#include "app/editor_window_ui.h"
#include "app/findings_dialog.h"
#include "app/generator_dialog.h"
#include "app/gui_text.h"
#include "app/probability_dialog.h"
#include "app/progress_dialog.h"
#include "app/queue_dialog.h"
#include "app/run_files_panel.h"
#include "app/settings_dialog.h"
#include "app/sweep_dialog.h"
#include "app/tool_icons.h"
#include "app/transition_dialog.h"
#include "app/window_memory.h"
#include "app/window_size.h"
#include "app/window_titles.h"
#include "editor/hit_test.h"

namespace qsim::gui {
namespace {

NumberFormat LocaleNumberFormat() {
  const std::string separator = ToCp1251(QLocale().decimalPoint());
  return NumberFormat{separator.size() == 1 ? separator[0] : '.'};
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
      text_pane_(new CodeEditor(this)),
      canvas_(new CanvasView(*picture_, this)) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(PlainCaption());
  BuildViews();
  BuildDiagram();
  const Commands commands = NewCommands();
  BuildMainMenu(commands);
  BuildCommandBar(commands);
  BuildEditingBar();
  SetStatusTips(commands);
  BuildStatusBar();
  BuildFileDialogs();
  BuildDialogs();
  BuildEditor();
  settings_dialog_->CopyOptions(store_->settings);
  ShowView(false);
  UpdateLineCount();
  resize(OpeningSize(*this, QSize(782, 513)));
  RestoreWindow();
}

MainWindow::~MainWindow() = default;

// The text pane and the canvas share the client area; one of them is shown.
void MainWindow::BuildViews() {
  text_pane_->setObjectName(QStringLiteral("Memo2"));
  text_pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_pane_->setPlainText(
      QStringLiteral("Поле для ручного ввода и редактирования описания модели"));
  connect(text_pane_, &QPlainTextEdit::textChanged, this, &MainWindow::UpdateLineCount);
  auto* central = new QWidget(this);
  auto* views = new QVBoxLayout(central);
  views->setContentsMargins(0, 0, 0, 0);
  views->addWidget(text_pane_);
  canvas_area_ = new CanvasScrollArea(canvas_, central);
  views->addWidget(canvas_area_);
  setCentralWidget(central);
}

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
  c.analysis = new QAction(QStringLiteral("Анализ модели"), this);
  c.analysis->setObjectName(QStringLiteral("AnalysisItem"));
  connect(c.analysis, &QAction::triggered, this, &MainWindow::OpenAnalysis);
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
  BuildEditMenu();
  QMenu* compute = menuBar()->addMenu(QStringLiteral("Расчет"));
  compute->addAction(c.run);
  compute->addSeparator();
  compute->addAction(c.settings);
  compute->addAction(c.sweep);
  compute->addAction(c.analysis);
  QMenu* views = menuBar()->addMenu(QStringLiteral("Интерфейс"));
  views->addActions({c.code, c.visual});
  views->addSeparator();
  views->addAction(labels_option_);
  views->addActions(canvas_area_->zoom_actions());
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
    connect(button, &QAction::triggered, this, [this, which = tool.tool] {
      tools_->Toggle(which);
      ShowEditorState();
    });
    editing_bar_->widgetForAction(button)->setFixedSize(32, 25);
    tool_buttons_[i] = button;
  }
}

// What each command and tool does, in the status bar while the pointer is on it.
void MainWindow::SetStatusTips(const Commands& c) {
  const std::pair<QAction*, const char*> tips[] = {
      {c.new_model, "Начать новую модель: очистить описание и схему"},
      {c.open, "Открыть описание модели из файла"},
      {c.save, "Сохранить описание модели в файл"},
      {c.settings, "Число заявок или время моделирования, отказы, протокол и отчет"},
      {c.run, "Прочитать описание, проверить модель, выполнить расчет и открыть отчет"},
      {c.sweep, "Серия расчетов при изменении одного параметра модели"},
      {c.code, "Показать текстовое описание модели"},
      {c.visual, "Показать схему модели"},
      {c.about, "Сведения о программе"},
      {tool_buttons_[0], "Щелкните по схеме там, где встанет новый генератор заявок"},
      {tool_buttons_[1], "Щелкните по схеме там, где встанет новая очередь"},
      {tool_buttons_[2], "Щелкните по схеме там, где встанет новое обслуживающее устройство"},
      {tool_buttons_[3],
       "Щелкните по элементу, из которого выходит переход, затем по элементу, в который он ведет"},
      {tool_buttons_[4], "Щелкните по элементу, чтобы удалить один из его переходов"},
      {tool_buttons_[5], "Щелкните по элементу, затем по месту, куда его поставить"},
      {tool_buttons_[6], "Щелкните по элементу, чтобы удалить его вместе с переходами в него"},
  };
  for (const auto& [action, tip] : tips)
    action->setStatusTip(QString::fromUtf8(tip));
}

void MainWindow::BuildDiagram() {
  overlay_ = std::make_unique<DiagramOverlay>(*store_, format_);
  canvas_->SetOverlay(overlay_.get());
  labels_option_ = new QAction(QStringLiteral("Подписи на схеме"), this);
  labels_option_->setObjectName(QStringLiteral("DiagramLabelsItem"));
  labels_option_->setStatusTip(
      QStringLiteral("Показывать на схеме имена элементов и вероятности переходов"));
  labels_option_->setCheckable(true);
  labels_option_->setChecked(overlay_->labels_shown());
  connect(labels_option_, &QAction::toggled, this, [this](bool shown) {
    overlay_->SetLabelsShown(shown);
    canvas_->update();
  });
  // Room around the glyphs for their input and output lines, the detours
  // below them and the names.
  canvas_area_->SetModelBounds([this] {
    const CanvasBox box = ModelExtent(*store_);
    const QRect picture(0, 0, RasterCanvas::kWidth, RasterCanvas::kHeight);
    const QRect model(QPoint(int(std::max<std::int64_t>(box.left - 30, 0)),
                             int(std::max<std::int64_t>(box.top - 30, 0))),
                      QPoint(int(std::min<std::int64_t>(box.right + 40, picture.right())),
                             int(std::min<std::int64_t>(box.bottom + 45, picture.bottom()))));
    return model.isValid() ? model : picture;
  });
}

// The size and place of the last start, where the screen still shows them.
void MainWindow::RestoreWindow() {
  const WindowMemory memory = RecallWindow();
  if (!memory.geometry.isEmpty())
    restoreGeometry(memory.geometry);
  labels_option_->setChecked(memory.labels_shown);
}

void MainWindow::BuildStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  line_count_panel_ = new QLabel(this);
  line_count_panel_->setObjectName(QStringLiteral("Panel0"));
  // Wide enough for a count of six digits in the platform's font.
  const int widest_count =
      line_count_panel_->fontMetrics().horizontalAdvance(QStringLiteral("Всего строк: 999999"));
  line_count_panel_->setMinimumWidth(std::max(100, widest_count));
  element_panel_ = new QLabel(this);
  element_panel_->setObjectName(QStringLiteral("Panel1"));
  element_panel_->setMinimumWidth(50);
  statusBar()->addWidget(line_count_panel_);
  statusBar()->addWidget(element_panel_);
  // The hint takes what room the two panels leave, so they show their whole texts.
  hint_panel_ = new QLabel(this);
  hint_panel_->setObjectName(QStringLiteral("HintPanel"));
  hint_panel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(hint_panel_, 2);
  run_files_ =
      new RunFilesPanel([this](const std::string& path) { platform_.OpenDocument(path); }, this);
  statusBar()->addPermanentWidget(run_files_);
  statusBar()->addPermanentWidget(canvas_area_->zoom_panel());
}

void MainWindow::BuildEditor() {
  const EditorDialogs dialogs{*generator_dialog_, *queue_dialog_, *device_dialog_,
                              *probability_dialog_, *transition_dialog_};
  editor_ui_ = std::make_unique<EditorWindowUi>(
      *store_, *picture_, *canvas_, dialogs, format_, [this] { RegenerateText(); },
      [this](const std::string& edit) { history_->Record(FromCp1251(edit)); });
  editor_ui_->SetToolButtons(tool_buttons_);
  tools_ = std::make_unique<EditorTools>(*store_, *editor_ui_, format_);
  connect(canvas_, &CanvasView::Clicked, this, &MainWindow::CanvasClicked);
  connect(canvas_, &CanvasView::DoubleClicked, this, &MainWindow::CanvasDoubleClicked);
  connect(canvas_, &CanvasView::PointerMoved, this, &MainWindow::CanvasPointerMoved);
  connect(canvas_, &CanvasView::DragStarted, this, &MainWindow::CanvasDragStarted);
  connect(canvas_, &CanvasView::ContextMenuAsked, this, &MainWindow::CanvasContextMenu);
  auto* delete_key = new QShortcut(QKeySequence::Delete, canvas_);
  delete_key->setObjectName(QStringLiteral("DeleteSelectionShortcut"));
  delete_key->setContext(Qt::WindowShortcut);
  connect(delete_key, &QShortcut::activated, this, &MainWindow::DeleteSelection);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), canvas_);
  escape->setObjectName(QStringLiteral("AbandonConnectShortcut"));
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &MainWindow::AbandonConnect);
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
  // The save command asks itself: the model's own file is replaced without a question.
  save_dialog_->setOption(QFileDialog::DontConfirmOverwrite);
}

// Every dialog is made once, hidden, and reused, so its controls keep their
// values between openings; they are made in this order.
void MainWindow::BuildDialogs() {
  queue_dialog_ = new QueueDialog(this);
  device_dialog_ = new DeviceDialog(format_, this);
  probability_dialog_ = new ProbabilityDialog(format_, this);
  transition_dialog_ = new TransitionDialog(this);
  about_dialog_ = new AboutDialog(this);
  settings_dialog_ = new SettingsDialog(this);
  generator_dialog_ = new GeneratorDialog(format_, this);
  findings_dialog_ = new FindingsDialog(this);
  progress_ = new RunProgressDialog(this);
  sweep_dialog_ = new SweepDialog(
      *store_, format_, QFile::decodeName(QByteArray::fromStdString(platform_.layout().reports)),
      this);
  analysis_window_ = new AnalysisWindow(this);
}

}  // namespace qsim::gui

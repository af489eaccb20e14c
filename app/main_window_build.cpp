// Building the main window: its views, commands, menus, tool bars, status bar
// and dialogs. The commands themselves are in main_window.cpp.
#include "app/main_window.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/canvas_scroll_area.h"
#include "app/canvas_view.h"
#include "app/code_editor.h"
#include "app/diagram_overlay.h"
#include "app/editor_window_ui.h"
#include "app/gui_text.h"
#include "app/object_names.h"
#include "app/run_files_panel.h"
#include "app/run_results_window.h"
#include "app/settings_dialog.h"
#include "app/tool_icons.h"
#include "app/undo_menu.h"
#include "app/window_dialogs.h"
#include "app/window_memory.h"
#include "app/window_size.h"
#include "app/window_titles.h"
#include "editor/hit_test.h"

namespace qsim::gui {
namespace {

// A locale whose separator model files cannot hold reads and writes with ".".
NumberFormat LocaleNumberFormat() {
  return NumberFormat{ModelFileSeparator(QLocale().decimalPoint().toStdString()).value_or('.')};
}

}  // namespace

MainWindow::MainWindow(const QString& program_folder, QWidget* parent)
    : QMainWindow(parent),
      document_(LocaleNumberFormat()),
      simulation_(document_.store(), random_),
      picture_(std::make_unique<RasterCanvas>()),
      platform_(program_folder),
      text_pane_(new CodeEditor(this)),
      canvas_(new CanvasView(*picture_, this)) {
  setObjectName(QLatin1String(names::kMainWindow));
  caption_ = PlainCaption();
  setWindowTitle(caption_);
  BuildViews();
  BuildDiagram();
  const Commands commands = NewCommands();
  BuildMainMenu(commands);
  BuildCommandBar(commands);
  BuildEditingBar();
  SetStatusTips(commands);
  BuildStatusBar();
  dialogs_ = std::make_unique<WindowDialogs>(
      this, document_.store(), document_.format(),
      QFile::decodeName(QByteArray::fromStdString(platform_.layout().reports)));
  BuildEditor();
  dialogs_->settings->CopyOptions(document_.store().settings);
  ShowView(false);
  TakeTypedText();
  document_.StartHistory();
  undo_menu_->Show(document_);
  resize(OpeningSize(*this, QSize(782, 513)));
  RestoreWindow();
}

MainWindow::~MainWindow() = default;

// The text pane and the canvas share the client area; one of them is shown.
void MainWindow::BuildViews() {
  text_pane_->setObjectName(QLatin1String(names::kTextPane));
  text_pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_pane_->setPlainText(
      QStringLiteral("Поле для ручного ввода и редактирования описания модели"));
  connect(text_pane_, &QPlainTextEdit::textChanged, this, &MainWindow::TakeTypedText);
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
                           ToolIcon::NewModel, names::kNewModelCommand, &MainWindow::NewModel);
  c.open = NewCommand(QStringLiteral("Открыть"), QStringLiteral("Открыть модель"),
                      ToolIcon::OpenModel, names::kOpenModelCommand, &MainWindow::OpenModel);
  c.examples = new QAction(QStringLiteral("Примеры..."), this);
  c.examples->setObjectName(QLatin1String(names::kExamplesCommand));
  connect(c.examples, &QAction::triggered, this, &MainWindow::OpenExample);
  c.save = NewCommand(QStringLiteral("Сохранить"), QStringLiteral("Сохранить модель"),
                      ToolIcon::SaveModel, names::kSaveModelCommand, &MainWindow::SaveModel);
  c.settings = NewCommand(QStringLiteral("Параметры моделирования"),
                          QStringLiteral("Параметры моделирования"), ToolIcon::Settings,
                          names::kSettingsCommand, &MainWindow::OpenSettingsDialog);
  c.run = NewCommand(QStringLiteral("Начать моделирование"), QStringLiteral("Начать моделирование"),
                     ToolIcon::Run, names::kRunCommand, &MainWindow::RunModel);
  c.sweep = NewCommand(QStringLiteral("Расчет по изменяемым параметрам"),
                       QStringLiteral("Расчет по изменяемым параметрам"), ToolIcon::Sweep,
                       names::kSweepCommand, &MainWindow::OpenSweepDialog);
  c.sweep_results = new QAction(QStringLiteral("Результаты серии"), this);
  c.sweep_results->setObjectName(QLatin1String(names::kSweepResultsCommand));
  connect(c.sweep_results, &QAction::triggered, this, &MainWindow::OpenSweepResults);
  c.analysis = new QAction(QStringLiteral("Анализ модели"), this);
  c.analysis->setObjectName(QLatin1String(names::kAnalysisCommand));
  connect(c.analysis, &QAction::triggered, this, &MainWindow::OpenAnalysis);
  c.code = NewCommand(QStringLiteral("Редактор кода"), QStringLiteral("Редактор кода"),
                      ToolIcon::CodeEditor, names::kCodeEditorCommand, &MainWindow::ShowCodeEditor);
  c.visual = NewCommand(QStringLiteral("Визуальный редактор"),
                        QStringLiteral("Визуальный редактор"), ToolIcon::VisualEditor,
                        names::kVisualEditorCommand, &MainWindow::ShowVisualEditor);
  c.about = NewCommand(QStringLiteral("о программе"), QStringLiteral("о программе"),
                       ToolIcon::About, names::kAboutCommand, &MainWindow::ShowAbout);
  c.help = NewCommand(QStringLiteral("Справка"), QStringLiteral("Справка"), ToolIcon::Help,
                      names::kHelpCommand, &MainWindow::ShowHelp);
  c.exit = new QAction(MakeToolIcon(ToolIcon::Exit), QStringLiteral("Выход"), this);
  c.exit->setObjectName(QLatin1String(names::kExitCommand));
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
  menuBar()->setObjectName(QLatin1String(names::kMainMenu));
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->addActions({c.new_model, c.open, c.examples, c.save});
  recent_menu_ = file->addMenu(QStringLiteral("Последние файлы"));
  recent_menu_->setObjectName(QLatin1String(names::kRecentFilesMenu));
  connect(recent_menu_, &QMenu::aboutToShow, this, &MainWindow::ListRecentFiles);
  file->addSeparator();
  file->addAction(c.exit);
  BuildEditMenu();
  QMenu* compute = menuBar()->addMenu(QStringLiteral("Расчет"));
  compute->addAction(c.run);
  compute->addSeparator();
  compute->addAction(c.settings);
  compute->addAction(c.sweep);
  compute->addAction(c.sweep_results);
  compute->addAction(c.analysis);
  QMenu* views = menuBar()->addMenu(QStringLiteral("Интерфейс"));
  views->addActions({c.code, c.visual});
  views->addSeparator();
  views->addAction(labels_option_);
  views->addActions(canvas_area_->zoom_actions());
  menuBar()->addMenu(QStringLiteral("Справка"))->addActions({c.help, c.about});
}

void MainWindow::BuildCommandBar(const Commands& c) {
  QToolBar* bar = addToolBar(QLatin1String(names::kCommandBar));
  bar->setObjectName(QLatin1String(names::kCommandBar));
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
  editing_bar_ = new QToolBar(QLatin1String(names::kEditingBar), this);
  editing_bar_->setObjectName(QLatin1String(names::kEditingBar));
  editing_bar_->setMovable(false);
  editing_bar_->setIconSize(QSize(16, 16));
  addToolBar(Qt::BottomToolBarArea, editing_bar_);
  struct Tool {
    EditorTool tool;
    ToolIcon icon;
    const char* tip;
  };
  // In the order of `EditorTool`, which is their order on the bar.
  const Tool tools[kEditorToolCount] = {
      {EditorTool::AddGenerator, ToolIcon::AddGenerator, "Добавить генератор заявок"},
      {EditorTool::AddQueue, ToolIcon::AddQueue, "Добавить очередь"},
      {EditorTool::AddDevice, ToolIcon::AddDevice, "Добавить устройство"},
      {EditorTool::Connect, ToolIcon::Connect, "Соединить элементы"},
      {EditorTool::Disconnect, ToolIcon::Disconnect, "Разъединить элементы"},
      {EditorTool::Move, ToolIcon::Move, "Переместить элемент"},
      {EditorTool::Delete, ToolIcon::Delete, "Удалить элемент"},
  };
  for (std::size_t i = 0; i < kEditorToolCount; ++i) {
    const Tool& tool = tools[i];
    if (tool.tool == EditorTool::Connect || tool.tool == EditorTool::Move ||
        tool.tool == EditorTool::Delete)
      editing_bar_->addSeparator();
    QAction* button = editing_bar_->addAction(MakeToolIcon(tool.icon), QString());
    button->setObjectName(QLatin1String(names::kEditorTools[i]));
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
  overlay_ = std::make_unique<DiagramOverlay>(document_.store(), document_.format());
  canvas_->SetOverlay(overlay_.get());
  labels_option_ = new QAction(QStringLiteral("Подписи на схеме"), this);
  labels_option_->setObjectName(QLatin1String(names::kDiagramLabelsItem));
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
    const CanvasBox box = ModelExtent(document_.store());
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
  statusBar()->setObjectName(QLatin1String(names::kStatusBar));
  panels_.line_count = new QLabel(this);
  panels_.line_count->setObjectName(QLatin1String(names::kLineCountPanel));
  // Wide enough for a count of six digits in the platform's font.
  const int widest_count =
      panels_.line_count->fontMetrics().horizontalAdvance(QStringLiteral("Всего строк: 999999"));
  panels_.line_count->setMinimumWidth(std::max(100, widest_count));
  panels_.element = new QLabel(this);
  panels_.element->setObjectName(QLatin1String(names::kElementPanel));
  panels_.element->setMinimumWidth(50);
  statusBar()->addWidget(panels_.line_count);
  statusBar()->addWidget(panels_.element);
  // The hint takes what room the two panels leave, so they show their whole texts.
  panels_.hint = new QLabel(this);
  panels_.hint->setObjectName(QLatin1String(names::kHintPanel));
  panels_.hint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(panels_.hint, 2);
  panels_.run_files =
      new RunFilesPanel([this](const std::string& path) { platform_.OpenDocument(path); }, this);
  statusBar()->addPermanentWidget(panels_.run_files);
  results_window_ =
      new RunResultsWindow([this](const std::string& path) { platform_.OpenDocument(path); }, this);
  statusBar()->addPermanentWidget(canvas_area_->zoom_panel());
}

void MainWindow::BuildEditor() {
  editor_ui_ = std::make_unique<EditorWindowUi>(document_, *text_pane_, *picture_, *canvas_,
                                                dialogs_->editor());
  editor_ui_->SetToolButtons(tool_buttons_);
  tools_ = std::make_unique<EditorTools>(document_.store(), *editor_ui_, document_.format());
  connect(canvas_, &CanvasView::Clicked, this, &MainWindow::CanvasClicked);
  connect(canvas_, &CanvasView::DoubleClicked, this, &MainWindow::CanvasDoubleClicked);
  connect(canvas_, &CanvasView::PointerMoved, this, &MainWindow::CanvasPointerMoved);
  connect(canvas_, &CanvasView::DragStarted, this, &MainWindow::CanvasDragStarted);
  connect(canvas_, &CanvasView::ContextMenuAsked, this, &MainWindow::CanvasContextMenu);
  auto* delete_key = new QShortcut(QKeySequence::Delete, canvas_);
  delete_key->setObjectName(QLatin1String(names::kDeleteSelectionShortcut));
  delete_key->setContext(Qt::WindowShortcut);
  connect(delete_key, &QShortcut::activated, this, &MainWindow::DeleteSelection);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), canvas_);
  escape->setObjectName(QStringLiteral("AbandonConnectShortcut"));
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &MainWindow::AbandonConnect);
}

// The undo history is the document's; the menu shows what undo and redo would do.
void MainWindow::BuildEditMenu() {
  undo_menu_ = new UndoMenu(this);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("Правка"));
  edit->setObjectName(QLatin1String(names::kEditMenu));
  edit->addActions({undo_menu_->undo_action(), undo_menu_->redo_action()});
  connect(undo_menu_->undo_action(), &QAction::triggered, this, &MainWindow::Undo);
  connect(undo_menu_->redo_action(), &QAction::triggered, this, &MainWindow::Redo);
}

}  // namespace qsim::gui

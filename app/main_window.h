#pragma once

#include <QCoreApplication>
#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <functional>
#include <memory>

#include "app/qt_platform.h"
#include "commands/compute_command.h"
#include "commands/model_document.h"
#include "editor/editor_tools.h"
#include "editor/raster_canvas.h"
#include "engine/random_generator.h"
#include "engine/simulation.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace qsim::gui {

class CanvasScrollArea;
class CanvasView;
class CodeEditor;
class DiagramOverlay;
class EditorWindowUi;
class RunFilesPanel;
class RunResultsWindow;
class UndoMenu;
struct WindowDialogs;
enum class ToolIcon;

// The main window: shows the model document in two views (the text pane and the
// canvas, one shown at a time), owns the picture, and carries every command. A
// command that fails shows the error box and ends; what it changed before the
// failure stays changed.
//
// The document keeps the store and the text in step; the window shows the
// document's lines in the pane and hands it what is typed. The canvas is blank
// while the code editor is shown; in the visual editor every change of what the
// picture shows is erased with the store as it was and drawn with the store as
// it is. The Qt object names, by which tests and screenshots find the parts, are
// in app/object_names.h.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `program_folder`: the folder of the executable, from which the platform finds
  // help, examples and reports (see InstallLayout).
  explicit MainWindow(const QString& program_folder = QCoreApplication::applicationDirPath(),
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  const ModelDocument& document() const { return document_; }
  const ModelStore& store() const { return document_.store(); }
  const RasterCanvas& picture() const { return *picture_; }
  const QString& model_file_name() const { return model_file_name_; }
  QtPlatform& platform() { return platform_; }

 public Q_SLOTS:
  // The file commands ask before they throw away a modified text.
  void NewModel();
  void OpenModel();
  // «Примеры...»: the gallery of the bundled examples; the chosen one opens as a
  // new model.
  void OpenExample();
  void SaveModel();
  void RunModel();  // the compute command in run mode
  void OpenSettingsDialog();
  void OpenSweepDialog();
  // «Результаты серии»: the results of the last series, or a word that there are none.
  void OpenSweepResults();
  void OpenAnalysis();
  void ShowCodeEditor();
  void ShowVisualEditor();
  void ShowHelp();
  void ShowAbout();
  // The canvas: a dialog field that does not convert ends the handler with the
  // error box.
  void CanvasClicked();
  void CanvasDoubleClicked();
  void CanvasPointerMoved();
  // A drag with the move tool armed picks up what lies where it began; its
  // release, a click, drops it.
  void CanvasDragStarted(QPoint from);
  // Escape in the visual editor: disarms every tool and forgets a connection
  // in progress.
  void AbandonConnect();
  // With no tool armed: the context menu of the element or transition at
  // picture point `at`, and Delete, which deletes the chosen element.
  void CanvasContextMenu(QPoint at, QPoint screen);
  void DeleteSelection();
  // Undo and redo of the model. A text typed in the code editor is taken in
  // first, as a step of its own; undo during a move puts the element back.
  void Undo();
  void Redo();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The commands that the menu and the command bar share.
  struct Commands {
    QAction* new_model;
    QAction* open;
    QAction* examples;
    QAction* save;
    QAction* settings;
    QAction* run;
    QAction* sweep;
    QAction* sweep_results;
    QAction* analysis;
    QAction* code;
    QAction* visual;
    QAction* about;
    QAction* help;
    QAction* exit;
  };
  // The status bar: the line count, the element under the pointer, what the
  // connect tool asks for, and the files of the last run.
  struct StatusPanels {
    QLabel* line_count = nullptr;
    QLabel* element = nullptr;
    QLabel* hint = nullptr;
    RunFilesPanel* run_files = nullptr;
  };

  // Building the window (main_window_build.cpp).
  QAction* NewCommand(const QString& text, const QString& tool_tip, ToolIcon icon, const char* name,
                      void (MainWindow::*command)());
  Commands NewCommands();
  void BuildViews();
  void BuildMainMenu(const Commands& c);
  void BuildEditMenu();
  void BuildCommandBar(const Commands& c);
  void BuildEditingBar();
  void SetStatusTips(const Commands& c);
  // The names and probabilities over the picture, with their option in the
  // view menu, and the box of the whole model for zooming to fit it.
  void BuildDiagram();
  void RestoreWindow();
  void BuildStatusBar();
  void BuildEditor();

  // The commands (main_window.cpp).
  void FirstActivation();
  bool GuardCommand(const std::function<void()>& command);
  ComputeOutcome Compute(ComputeMode mode);
  bool ConfirmDroppedLines(const std::vector<std::string>& lines);
  ComputeEnvironment Environment();
  void ParseText();
  void RunAndRedraw();
  void RedrawOver(const ModelStore& drawn);
  void ReportRun(const ComputeOutcome& outcome);
  void ShowMessage(QMessageBox::Icon icon, const char* name, const QString& text);
  void ClearModel();
  void LoadModel(const QString& path);
  void LoadExample(const QString& path);
  void OpenChosenFile(const QString& path);
  void OpenRecentFile(const QString& path);
  void ListRecentFiles();
  void SetCaption(const QString& caption);
  void ShowCaption();
  bool SaveToChosenFile();
  bool MaybeSave();
  void ShowView(bool visual);

  // The canvas (main_window_canvas.cpp).
  void ReadFailedTextAgain();
  void ShowEditorState();
  // How far from a transition's line a pointer may be to pick it, in picture
  // pixels: three screen pixels at every scale.
  int LineTolerance() const;
  // Runs a canvas edit as a command: the text is read first after a failed reading.
  void CanvasEdit(const std::function<void()>& edit);

  // The document in the pane and the history (main_window_document.cpp).
  void ShowDocumentText();
  void TakeTypedText();
  void PutBack(void (ModelDocument::*put_back)());
  void ShowMoveUnderWay();

  ModelDocument document_;
  RandomGenerator random_;
  Simulation simulation_;
  std::unique_ptr<RasterCanvas> picture_;
  QtPlatform platform_;

  QString model_file_name_;
  // The caption without the mark of a model that differs from its file.
  QString caption_;
  bool activated_ = false;
  // Off while the window takes in its initial text, which is meant to go.
  bool confirm_dropped_lines_ = false;

  CodeEditor* text_pane_;
  CanvasView* canvas_;
  CanvasScrollArea* canvas_area_ = nullptr;
  QToolBar* editing_bar_ = nullptr;
  StatusPanels panels_;
  std::array<QAction*, kEditorToolCount> tool_buttons_{};
  std::unique_ptr<WindowDialogs> dialogs_;
  RunResultsWindow* results_window_ = nullptr;  // the figures of the last run
  UndoMenu* undo_menu_ = nullptr;
  std::unique_ptr<DiagramOverlay> overlay_;
  QAction* labels_option_ = nullptr;
  QMenu* recent_menu_ = nullptr;  // «Последние файлы»
  std::unique_ptr<EditorWindowUi> editor_ui_;
  std::unique_ptr<EditorTools> tools_;
};

}  // namespace qsim::gui

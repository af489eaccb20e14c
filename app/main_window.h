#pragma once

#include <QCoreApplication>
#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <functional>
#include <memory>

#include "app/qt_platform.h"
#include "commands/compute_command.h"
#include "editor/editor_tools.h"
#include "editor/raster_canvas.h"
#include "engine/random_generator.h"
#include "engine/simulation.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QToolBar;

namespace qsim::gui {

class CanvasScrollArea;
class CanvasView;
class CodeEditor;
class DiagramOverlay;
class EditHistory;
struct ModelState;
class EditorWindowUi;
class RunProgressDialog;
class SettingsDialog;
class GeneratorDialog;
class QueueDialog;
class RunFilesPanel;
class DeviceDialog;
class ProbabilityDialog;
class TransitionDialog;
class AboutDialog;
class FindingsDialog;
class SweepDialog;
class AnalysisWindow;
enum class ToolIcon;

// The main window: owns the model store, the picture and the two views of the
// model (the text pane and the canvas, one shown at a time), and carries every
// command. A command that fails shows the error box and ends; what it changed
// before the failure stays changed.
//
// The store and the text pane are kept in step: a command that needs the store
// to match the text reads the text first (the compute command in parse-only
// mode), and every change made outside the text is written into the store and
// the text regenerated from it. The canvas is blank while the code editor is
// shown; in the visual editor every change of what the picture shows is erased
// with the store as it was and drawn with the store as it is.
//
// Qt object names, by which tests and screenshots find the parts: `TForm1` the
// window, `Memo2` the text pane, `Image1` the canvas in `CanvasScrollArea`, `MainMenu1` the menu,
// `ToolBar1` the command bar, `ToolBar2` the editing tools, `StatusBar1` with
// `Panel0` (line count) and `Panel1` (element under the pointer) and `HintPanel` (what the connect
// tool asks for), `OpenDialog1` and `SaveDialog1` the file dialogs. Commands: `ToolButton10`
// settings, `ToolButton22` parameter sweep, `ToolButton11` code editor, `ToolButton7` visual
// editor; the editing tools are `ToolButton14`, `ToolButton12`, `ToolButton13`, `ToolButton15` to
// `ToolButton18` in the order of `EditorTool`.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `program_folder`: the folder of the executable, from which the platform finds
  // help, examples and reports (see InstallLayout).
  explicit MainWindow(const QString& program_folder = QCoreApplication::applicationDirPath(),
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  const ModelStore& store() const { return *store_; }
  const RasterCanvas& picture() const { return *picture_; }
  const QString& model_file_name() const { return model_file_name_; }
  QtPlatform& platform() { return platform_; }

 public Q_SLOTS:
  void NewModelClick();
  void OpenModelClick();
  void SaveModelClick();
  void RunModelClick();  // the compute command in run mode
  void OpenSettingsDialog();
  void OpenSweepDialog();
  void OpenAnalysis();
  void ShowCodeEditor();
  void ShowVisualEditor();
  void HelpClick();
  void AboutClick();
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
  void UndoClick();
  void RedoClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window (main_window_build.cpp).
  QAction* NewCommand(const QString& text, const QString& tool_tip, ToolIcon icon, const char* name,
                      void (MainWindow::*command)());
  // The commands that the menu and the command bar share.
  struct Commands {
    QAction* new_model;
    QAction* open;
    QAction* save;
    QAction* settings;
    QAction* run;
    QAction* sweep;
    QAction* analysis;
    QAction* code;
    QAction* visual;
    QAction* about;
    QAction* help;
    QAction* exit;
  };
  Commands NewCommands();
  void BuildViews();
  void BuildMainMenu(const Commands& c);
  void BuildCommandBar(const Commands& c);
  void BuildEditingBar();
  void SetStatusTips(const Commands& c);
  // The names and probabilities over the picture, with their option in the
  // view menu, and the box of the whole model for zooming to fit it.
  void BuildDiagram();
  void RestoreWindow();
  void BuildStatusBar();
  void BuildEditor();
  void BuildFileDialogs();
  void BuildDialogs();
  // The undo history and its menu (main_window_history.cpp).
  void BuildEditMenu();
  void RecordTakenText(const std::vector<std::string>& read);
  void RestoreModel(const ModelState& state);
  void ShowMoveUnderWay();

  // The commands (main_window.cpp).
  void FirstActivation();
  bool GuardCommand(const std::function<void()>& command);
  ComputeOutcome Compute(ComputeMode mode);
  bool ConfirmDroppedLines(const std::vector<std::string>& lines);
  ComputeEnvironment Environment();
  void ParseText();
  void RunModel();
  void RedrawOver(const ModelStore& drawn);
  void ReportRun(const ComputeOutcome& outcome);
  void ShowMessage(QMessageBox::Icon icon, const char* name, const QString& text);
  void RegenerateText();
  void ReadFailedTextAgain();
  void NewModel();
  void OpenModel(const QString& path);
  bool SaveModel();
  void RememberModelFolder(const QString& folder);
  bool MaybeSave();
  void ShowView(bool visual);
  void UpdateLineCount();
  void ShowEditorState();
  // How far from a transition's line a pointer may be to pick it, in picture
  // pixels: three screen pixels at every scale.
  int LineTolerance() const;
  // Runs a canvas edit as a command: the text is read first after a failed reading.
  void CanvasEdit(const std::function<void()>& edit);
  // The pane marks the line the last reading failed on.
  void MarkFailedLine();

  std::unique_ptr<ModelStore> store_;
  RandomGenerator random_;
  Simulation simulation_;
  std::unique_ptr<RasterCanvas> picture_;
  QtPlatform platform_;
  NumberFormat format_;

  QString model_file_name_;
  bool activated_ = false;
  // The pane's text when the model was last opened, saved or started anew.
  QString saved_text_;
  // The pane's text right after the last finished run.
  QString run_text_;
  // The line the last reading of the text failed on; 0 once a reading succeeded.
  // Meanwhile the store is half read: the pane keeps its lines, nothing is
  // regenerated from the store, and every command reads the text again first.
  int failed_line_ = 0;
  // Off while the window takes in its initial text, which is meant to go.
  bool confirm_dropped_lines_ = false;

  CodeEditor* text_pane_;
  CanvasView* canvas_;
  CanvasScrollArea* canvas_area_ = nullptr;
  QToolBar* editing_bar_ = nullptr;
  QLabel* line_count_panel_ = nullptr;
  QLabel* element_panel_ = nullptr;
  QLabel* hint_panel_ = nullptr;
  RunFilesPanel* run_files_ = nullptr;
  std::array<QAction*, 7> tool_buttons_{};
  QFileDialog* open_dialog_ = nullptr;
  QFileDialog* save_dialog_ = nullptr;
  QueueDialog* queue_dialog_ = nullptr;
  DeviceDialog* device_dialog_ = nullptr;
  ProbabilityDialog* probability_dialog_ = nullptr;
  TransitionDialog* transition_dialog_ = nullptr;
  AboutDialog* about_dialog_ = nullptr;
  SettingsDialog* settings_dialog_ = nullptr;
  GeneratorDialog* generator_dialog_ = nullptr;
  FindingsDialog* findings_dialog_ = nullptr;
  SweepDialog* sweep_dialog_ = nullptr;
  AnalysisWindow* analysis_window_ = nullptr;
  RunProgressDialog* progress_ = nullptr;
  std::unique_ptr<DiagramOverlay> overlay_;
  QAction* labels_option_ = nullptr;
  std::unique_ptr<EditorWindowUi> editor_ui_;
  std::unique_ptr<EditorTools> tools_;
  EditHistory* history_ = nullptr;
};

}  // namespace qsim::gui

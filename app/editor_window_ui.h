#pragma once

#include <QString>

#include <array>
#include <functional>

#include "commands/model_document.h"
#include "editor/editor_tools.h"
#include "editor/raster_canvas.h"

class QAction;
class QPlainTextEdit;
class QWidget;

namespace qsim::gui {

class GeneratorDialog;
class QueueDialog;
class DeviceDialog;
class ProbabilityDialog;
class TransitionDialog;

// The dialogs of the visual editor, created once by the main window.
struct EditorDialogs {
  GeneratorDialog& generator;
  QueueDialog& queue;
  DeviceDialog& device;
  ProbabilityDialog& probability;
  TransitionDialog& transition;
};

// The editing tools' view of the main window: the element dialogs over the
// document's store, the drawing passes on the picture shown by the canvas, the
// document's commit point with the text pane that shows its lines, the message
// box and the buttons of the bottom tool bar. The element dialogs let the user
// go only once every field converts, or by cancelling.
class EditorWindowUi : public EditorUi {
 public:
  // REQUIRES: every reference outlives the object.
  EditorWindowUi(ModelDocument& document, QPlainTextEdit& text_pane, RasterCanvas& picture,
                 QWidget& canvas, const EditorDialogs& dialogs);

  // The tool buttons, in the order of `EditorTool`.
  void SetToolButtons(const std::array<QAction*, kEditorToolCount>& buttons) { buttons_ = buttons; }

  bool EditGenerator(GeneratorRecord& record, const std::string& caption) override;
  bool EditQueue(QueueRecord& record, const std::string& caption) override;
  bool EditDevice(DeviceRecord& record, const std::string& caption) override;
  std::optional<std::string> AskProbability(const std::string& caption,
                                            const std::string& suggested) override;
  std::optional<int> ChooseTransition(const std::string& caption,
                                      const std::vector<std::string>& items) override;
  void ShowMessage(const std::string& text) override;
  void Redraw(const std::function<void()>& change) override;
  void ApplyEdit(const std::string& name, const std::function<void()>& change) override;
  void SetToolDown(EditorTool tool, bool down) override;

 private:
  ModelDocument& document_;
  QPlainTextEdit& text_pane_;
  RasterCanvas& picture_;
  QWidget& canvas_;
  EditorDialogs dialogs_;
  std::array<QAction*, kEditorToolCount> buttons_{};
};

}  // namespace qsim::gui

#pragma once

#include <QString>

#include <array>
#include <functional>

#include "editor/editor_tools.h"
#include "editor/raster_canvas.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

class QAction;
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
// store, the drawing passes on the picture shown by the canvas, the message box
// and the buttons of the bottom tool bar. The element dialogs let the user go
// only once every field converts, or by cancelling.
class EditorWindowUi : public EditorUi {
 public:
  // REQUIRES: every reference outlives the object. `regenerate_text` rewrites
  // the text pane from the store without switching views; `record_edit` takes
  // a finished edit, by its name, into the undo history.
  EditorWindowUi(ModelStore& store, RasterCanvas& picture, QWidget& canvas,
                 const EditorDialogs& dialogs, const NumberFormat& format,
                 std::function<void()> regenerate_text,
                 std::function<void(const std::string&)> record_edit);

  // The seven tool buttons, in the order of `EditorTool`.
  void SetToolButtons(const std::array<QAction*, 7>& buttons) { buttons_ = buttons; }

  bool EditGenerator(GeneratorRecord& record, const std::string& caption) override;
  bool EditQueue(QueueRecord& record, const std::string& caption) override;
  bool EditDevice(DeviceRecord& record, const std::string& caption) override;
  std::optional<std::string> AskProbability(const std::string& caption,
                                            const std::string& suggested) override;
  std::optional<int> ChooseTransition(const std::string& caption,
                                      const std::vector<std::string>& items) override;
  void ShowMessage(const std::string& text) override;
  void EraseModel() override;
  void DrawModel() override;
  void RefreshAfterEdit(const std::string& edit) override;
  void SetToolDown(EditorTool tool, bool down) override;

 private:
  ModelStore& store_;
  RasterCanvas& picture_;
  QWidget& canvas_;
  EditorDialogs dialogs_;
  NumberFormat format_;
  std::function<void()> regenerate_text_;
  std::function<void(const std::string&)> record_edit_;
  std::array<QAction*, 7> buttons_{};
};

}  // namespace qsim::gui

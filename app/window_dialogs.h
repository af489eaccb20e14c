#pragma once

#include <QString>

#include "app/editor_window_ui.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

class QFileDialog;
class QWidget;

namespace qsim::gui {

class AboutDialog;
class AnalysisWindow;
class DeviceDialog;
class ExampleGallery;
class FindingsDialog;
class GeneratorDialog;
class ProbabilityDialog;
class QueueDialog;
class RunProgressDialog;
class SettingsDialog;
class SweepDialog;
class TransitionDialog;

// The main window's dialogs. Every one is made once, hidden, as a child of the
// window, and reused, so its controls keep their values between openings; they
// are made in the order of the members.
struct WindowDialogs {
  // REQUIRES: `store` and `format` outlive the dialogs. `reports_folder`: where
  // the sweep's results are offered for saving.
  WindowDialogs(QWidget* window, const ModelStore& store, const NumberFormat& format,
                const QString& reports_folder);

  // The dialogs the visual editor's tools ask.
  EditorDialogs editor() const;
  // Both model file dialogs start where a model was last opened or saved.
  void RememberModelFolder(const QString& folder) const;

  QFileDialog* open;
  QFileDialog* save;
  QueueDialog* queue;
  DeviceDialog* device;
  ProbabilityDialog* probability;
  TransitionDialog* transition;
  AboutDialog* about;
  SettingsDialog* settings;
  GeneratorDialog* generator;
  FindingsDialog* findings;
  RunProgressDialog* progress;
  SweepDialog* sweep;
  AnalysisWindow* analysis;
  ExampleGallery* examples;
};

}  // namespace qsim::gui

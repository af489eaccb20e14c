#include "app/window_memory.h"

#include <QSettings>

namespace qsim::gui {
namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kZoom = QStringLiteral("window/zoom");
const QString kLabels = QStringLiteral("window/diagram_labels");

}  // namespace

WindowMemory RecallWindow() {
  const QSettings settings;
  WindowMemory memory;
  memory.geometry = settings.value(kGeometry).toByteArray();
  memory.zoom = settings.value(kZoom, memory.zoom).toInt();
  memory.labels_shown = settings.value(kLabels, memory.labels_shown).toBool();
  return memory;
}

void RememberWindow(const WindowMemory& memory) {
  QSettings settings;
  settings.setValue(kGeometry, memory.geometry);
  settings.setValue(kZoom, memory.zoom);
  settings.setValue(kLabels, memory.labels_shown);
}

}  // namespace qsim::gui

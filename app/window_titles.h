#pragma once

#include <QString>

namespace qsim::gui {

// The application's title: the task bar, message boxes and the error box.
inline QString ApplicationTitle() {
  return QStringLiteral("Система имитационного моделирования вычислительных систем");
}

// The main window's caption at start-up and after a new model.
inline QString PlainCaption() {
  return QStringLiteral("Система имитационного моделирования v 1.0");
}

// After a model file was opened; this form has no space before the version.
inline QString CaptionAfterOpen(const QString& path) {
  return QStringLiteral("Система имитационного моделирования v1.0 - ") + path;
}

inline QString CaptionAfterSave(const QString& path) {
  return PlainCaption() + QStringLiteral(" - ") + path;
}

}  // namespace qsim::gui

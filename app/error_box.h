#pragma once

#include <QString>

#include "foundation/qsim_error.h"

class QWidget;

namespace qsim::gui {

// The application's error box: a stop icon, the application title, the message
// with a full stop appended, after "Строка N: " for an error of model text line N.
// Returns when the user has closed it.
void ShowErrorBox(QWidget* parent, const QString& message);
void ShowErrorBox(QWidget* parent, const QsimError& error);

}  // namespace qsim::gui

#pragma once

#include <QString>

class QWidget;

namespace qsim::gui {

// Whether to run a model whose queues would grow without bound: `warning` says
// why, in a box ("OverloadPrompt") with «Продолжить» and «Отмена» (the default, and
// what Escape gives).
bool MayRunOverloaded(QWidget* parent, const QString& warning);

}  // namespace qsim::gui

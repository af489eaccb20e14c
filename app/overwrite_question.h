#pragma once

#include <QString>

class QWidget;

namespace qsim::gui {

// Whether a model may be saved as `path`: yes when no file of that name exists or
// when it is `own_file`, the file the model came from; otherwise the user is asked
// ("OverwritePrompt") whether to replace the other file.
bool MayReplaceFile(QWidget* parent, const QString& path, const QString& own_file);

}  // namespace qsim::gui

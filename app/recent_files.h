#pragma once

#include <QString>
#include <QStringList>

namespace qsim::gui {

// The model files last opened or saved, newest first, at most kRecentFiles of
// them, kept between starts in the user's settings (QSettings, key
// "recent_files"). Paths are absolute; a file that has gone stays listed until
// the list pushes it out, and opening it says that it cannot be opened.
inline constexpr int kRecentFiles = 5;

QStringList RecentFiles();

// Puts `path` first, without a second entry for the same file.
void RememberRecentFile(const QString& path);

}  // namespace qsim::gui

#pragma once

#include <QString>

#include <string>
#include <vector>

namespace qsim::gui {

// The lines of a model file (Windows-1251 bytes), split at CR LF, CR or LF.
// Throws QsimError "Cannot open file "<path>". <reason>".
std::vector<std::string> ReadModelFile(const QString& path);

// Writes `lines`, each ended by CR LF. The file is replaced only once it is
// written whole: a failed save leaves the old file as it was. Throws QsimError
// "Cannot create file "<path>". <reason>".
void WriteModelFile(const QString& path, const std::vector<std::string>& lines);

}  // namespace qsim::gui

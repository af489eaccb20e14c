#pragma once

#include <functional>
#include <string>

namespace qsim {

// The folders of the user's desktop that an installed program writes into.
struct UserFolders {
  std::string documents;  // the desktop's documents folder; empty when it names none
  std::string home;
};

// Where the program finds its help page and bundled examples, and where it writes
// reports and protocols. Paths are local 8-bit text without a trailing separator.
struct InstallLayout {
  std::string reports;
  std::string examples;
  std::string help_page;
};

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);

// Tells an installed program, in `<prefix>/bin` with `<prefix>/share/qsim` beside it,
// from one run in its build folder, which keeps `help`, `models` and `reports` beside
// the program. An installed program reads help and examples from `<prefix>/share/qsim`
// and writes into `<documents>/qsim/reports`, or `<home>/qsim/reports` when the
// desktop names no documents folder or it does not exist. Folders that are not
// absolute paths count as not named; with neither, `reports` is empty.
InstallLayout FindInstallLayout(
    const std::string& program_folder, const UserFolders& user,
    const std::function<bool(const std::string&)>& is_folder = IsFolder);

// Makes the reports folder, with its parents, when it is missing: the user's,
// which a first run needs, or the one beside the program, which the user may have
// deleted. Throws QsimError "Не удалось создать папку отчетов "<folder>": <reason>"
// (Windows-1251) when it cannot be made, and "Не найдена папка для отчетов: ..."
// when `folder` is empty (none could be found).
void MakeReportsFolder(const std::string& folder);

}  // namespace qsim

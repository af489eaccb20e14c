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
  // The reports folder is the user's own and is made when a run first needs it.
  // In the build folder it is made by the build, beside the program.
  bool user_reports = false;
};

// True when `path` names an existing folder.
bool IsFolder(const std::string& path);

// Tells an installed program, in `<prefix>/bin` with `<prefix>/share/qsim` beside it,
// from one run in its build folder, which keeps `help`, `models` and `reports` beside
// the program. An installed program reads help and examples from `<prefix>/share/qsim`
// and writes into `<documents>/qsim/reports`, or `<home>/qsim/reports` when the
// desktop names no documents folder or it does not exist.
InstallLayout FindInstallLayout(
    const std::string& program_folder, const UserFolders& user,
    const std::function<bool(const std::string&)>& is_folder = IsFolder);

// Makes the user's reports folder, with its parents, when it is missing. Throws
// QsimError "Cannot create file "<folder>". <reason>" when it cannot be made.
void MakeReportsFolder(const InstallLayout& layout);

}  // namespace qsim

#include "foundation/install_layout.h"

#include <filesystem>
#include <system_error>

#include "foundation/qsim_error.h"

namespace qsim {
namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

InstallLayout FindInstallLayout(const std::string& program_folder, const UserFolders& user,
                                const std::function<bool(const std::string&)>& is_folder) {
  const std::string share =
      (fs::path(program_folder) / ".." / "share" / "qsim").lexically_normal().string();
  if (!is_folder(share))
    return {.reports = program_folder + "/reports",
            .examples = program_folder + "/models",
            .help_page = program_folder + "/help/index.html"};
  const bool documents = !user.documents.empty() && is_folder(user.documents);
  return {.reports = (documents ? user.documents : user.home) + "/qsim/reports",
          .examples = share + "/examples",
          .help_page = share + "/help/index.html",
          .user_reports = true};
}

void MakeReportsFolder(const InstallLayout& layout) {
  if (!layout.user_reports)
    return;
  std::error_code error;
  fs::create_directories(layout.reports, error);
  if (error)
    throw QsimError("Cannot create file \"" + layout.reports + "\". " + error.message());
}

}  // namespace qsim

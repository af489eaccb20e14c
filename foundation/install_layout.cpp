#include "foundation/install_layout.h"

#include <filesystem>
#include <system_error>

#include "foundation/atomic_file.h"
#include "foundation/code_page.h"
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
  // As the XDG rule has it, a folder that is not an absolute path is not one: a
  // relative one would follow the working folder, and an unset HOME is not "/".
  const auto usable = [](const std::string& path) { return fs::path(path).is_absolute(); };
  const bool documents = usable(user.documents) && is_folder(user.documents);
  const std::string base = documents ? user.documents : usable(user.home) ? user.home : "";
  return {.reports = base.empty() ? std::string() : base + "/qsim/reports",
          .examples = share + "/examples",
          .help_page = share + "/help/index.html"};
}

void MakeReportsFolder(const std::string& folder) {
  if (folder.empty()) {
    throw QsimError(
        std::string("Не найдена папка для отчетов: ни XDG_DOCUMENTS_DIR, ни HOME "
                    "не задают абсолютный путь"_cp));
  }
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    throw QsimError(std::string("Не удалось создать папку отчетов \""_cp) + Utf8ToCp1251(folder) +
                    "\": " + FileFaultText(error));
  }
}

}  // namespace qsim

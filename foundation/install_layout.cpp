#include "foundation/install_layout.h"

#include <filesystem>
#include <system_error>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace fs = std::filesystem;
namespace {

// Why a folder could not be made, in the user's words where the cause is common.
std::string FolderFault(const std::error_code& error) {
  if (error == std::errc::not_a_directory || error == std::errc::file_exists)
    return std::string("на ее месте или на пути к ней лежит файл"_cp);
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
    return std::string("нет прав на запись"_cp);
  if (error == std::errc::read_only_file_system)
    return std::string("диск доступен только для чтения"_cp);
  if (error == std::errc::no_space_on_device)
    return std::string("нет места на диске"_cp);
  return error.message();
}

}  // namespace

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
          .help_page = share + "/help/index.html"};
}

void MakeReportsFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    throw QsimError(std::string("Не удалось создать папку отчетов \""_cp) + Utf8ToCp1251(folder) +
                    "\": " + FolderFault(error));
  }
}

}  // namespace qsim

#include "foundation/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

// Stamped names collide only within one second; far fewer writers than this ever
// share one.
constexpr int kMaxFreshNameTries = 10000;

[[noreturn]] void ThrowCannotCreate(const std::string& path, int error) {
  throw QsimError("Cannot create file \"" + path + "\". " + std::strerror(error));
}

// The mode a new file gets from the user's umask, as an ordinary create gives it.
mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
  struct stat target {};
  if (::stat(path_.c_str(), &target) == 0) {
    replaces_ = true;
    if (!S_ISREG(target.st_mode)) {
      // A device or a pipe is not replaced but written: renaming over it would
      // take away what the user named.
      out_.open(path_, std::ios::binary | std::ios::trunc);
      if (!out_)
        ThrowCannotCreate(path_, errno);
      return;
    }
  }
  OpenTemporary();
}

AtomicFile::AtomicFile(std::string path, FreshName) : path_(std::move(path)), owns_name_(true) {
  OpenTemporary();
}

AtomicFile AtomicFile::Fresh(const std::string& stem, const std::string& extension) {
  for (int n = 1; n <= kMaxFreshNameTries; ++n) {
    const std::string path = stem + (n == 1 ? "" : "_" + std::to_string(n)) + extension;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode());
    if (fd >= 0) {
      ::close(fd);
      try {
        return AtomicFile(path, FreshName{});
      } catch (...) {
        std::remove(path.c_str());
        throw;
      }
    }
    if (errno != EEXIST)
      ThrowCannotCreate(path, errno);
  }
  ThrowCannotCreate(stem + extension, EEXIST);
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::move(other.temporary_)),
      out_(std::move(other.out_)),
      replaces_(other.replaces_),
      owns_name_(other.owns_name_),
      done_(other.done_) {
  other.done_ = true;
}

AtomicFile::~AtomicFile() {
  Abandon();
}

void AtomicFile::OpenTemporary() {
  const std::filesystem::path target(path_);
  const std::string folder =
      target.has_parent_path() ? target.parent_path().string() : std::string(".");
  std::string pattern = folder + "/." + target.filename().string() + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0)
    ThrowCannotCreate(path_, errno);
  struct stat existing {};
  const bool kept_mode = !owns_name_ && ::stat(path_.c_str(), &existing) == 0;
  ::fchmod(fd, kept_mode ? existing.st_mode & 07777 : NewFileMode());
  ::close(fd);
  temporary_ = name.data();
  out_.open(temporary_, std::ios::binary | std::ios::trunc);
  if (!out_) {
    const int error = errno;
    std::remove(temporary_.c_str());
    temporary_.clear();
    ThrowCannotCreate(path_, error);
  }
}

void AtomicFile::CheckWritten() {
  if (!out_)
    FailWrite(errno);
}

void AtomicFile::Commit() {
  out_.flush();
  CheckWritten();
  out_.close();
  CheckWritten();
  if (!temporary_.empty()) {
    const int fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
      const int error = errno;
      if (fd >= 0)
        ::close(fd);
      FailWrite(error);
    }
    ::close(fd);
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0)
      FailWrite(errno);
  }
  done_ = true;
}

void AtomicFile::FailWrite(int error) {
  Abandon();
  throw QsimError(
      std::string("Не удалось записать файл \""_cp) + Utf8ToCp1251(path_) +
      "\": " + FileFaultText(std::error_code(error != 0 ? error : EIO, std::generic_category())));
}

void AtomicFile::Abandon() noexcept {
  if (done_)
    return;
  done_ = true;
  out_.close();
  if (!temporary_.empty())
    std::remove(temporary_.c_str());
  if (owns_name_)
    std::remove(path_.c_str());
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  file.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.Commit();
}

std::string FileFaultText(const std::error_code& error) {
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

}  // namespace qsim

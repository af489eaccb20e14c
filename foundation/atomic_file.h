#pragma once

#include <fstream>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

namespace qsim {

// A file written whole or not at all. The bytes go to a temporary file in the
// target's folder, which is flushed to the disk and renamed over the target only
// by Commit; until then, and for ever when a write fails, the target keeps what it
// held. A target that exists and is not a regular file (/dev/full, a pipe) cannot
// be replaced and is written in place, with every write still checked.
//
// Paths are in the file system's encoding. Errors throw QsimError: a file that
// cannot be created "Cannot create file "<path>". <reason>", a write that fails
// "Не удалось записать файл "<path>": <reason>" (Windows-1251).
class AtomicFile {
 public:
  // Writes `path`, replacing the file there on Commit.
  explicit AtomicFile(std::string path);

  // Writes a file of a name nobody else has: stem + extension, else
  // stem + "_2" + extension, stem + "_3" + extension, ... The name is taken at once
  // by an exclusive create, so that two writers of one second, in one process or
  // in two, never write the same file; abandoned, the name is given back.
  static AtomicFile Fresh(const std::string& stem, const std::string& extension);

  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&&) = delete;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // Abandons the file unless it was committed.
  ~AtomicFile();

  std::ostream& stream() { return out_; }
  // The target's path.
  const std::string& path() const { return path_; }
  // Whether the target existed before this file took its name.
  bool replaces() const { return replaces_; }

  // Throws the write error when the stream failed; for writers that stream a long
  // file, so that a full disk ends them early.
  void CheckWritten();
  // Flushes, syncs and puts the file in the target's place.
  void Commit();

 private:
  struct FreshName {};
  AtomicFile(std::string path, FreshName);
  void OpenTemporary();
  [[noreturn]] void FailWrite(int error);
  void Abandon() noexcept;

  std::string path_;
  std::string temporary_;  // empty when the target is written in place
  std::ofstream out_;
  bool replaces_ = false;
  bool owns_name_ = false;  // the target is our empty placeholder until committed
  bool done_ = false;
};

// Writes `bytes` as the file at `path` through an AtomicFile.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Why a file or folder could not be written, in the user's words where the cause
// is common (Windows-1251).
std::string FileFaultText(const std::error_code& error);

}  // namespace qsim

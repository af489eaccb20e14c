#pragma once

#include <QString>

#include <functional>
#include <string>

#include "results/platform.h"

namespace qsim::gui {

// The desktop's services for the core, over Qt. Safe to call from the thread that
// runs a simulation: documents are handed to the desktop shell from the GUI thread.
class QtPlatform : public Platform {
 public:
  // Opens a document (an absolute local path) with the desktop shell.
  using DocumentOpener = std::function<void(const QString& path)>;

  // `program_folder` holds `reports` and `models`: the folder of the executable,
  // or a stand-in folder in tests.
  explicit QtPlatform(const QString& program_folder);

  LocalDateTime Now() const override;
  std::string ShortDate(const LocalDateTime& when) const override;
  std::string LongTime(const LocalDateTime& when) const override;
  std::string ProgramFolder() const override;
  // Queued to the GUI thread when called from another thread, so the document
  // opens once the command that asked for it has finished.
  void OpenDocument(const std::string& path) override;

  const QString& program_folder() const { return program_folder_; }
  // Replaces the desktop shell, for tests. REQUIRES: no run in progress.
  void SetDocumentOpener(DocumentOpener opener) { opener_ = std::move(opener); }

 private:
  QString program_folder_;
  DocumentOpener opener_;
};

}  // namespace qsim::gui

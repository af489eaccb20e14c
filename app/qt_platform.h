#pragma once

#include <QString>

#include <functional>
#include <string>

#include "desktop/qt_core_platform.h"

namespace qsim::gui {

// The desktop's services for the desktop program: those of Qt Core, and documents
// handed to the desktop shell. Safe to call from the thread that runs a simulation:
// documents are handed to the shell from the GUI thread.
class QtPlatform : public desktop::QtCorePlatform {
 public:
  // Opens a document (an absolute local path) with the desktop shell; false when
  // the shell cannot.
  using DocumentOpener = std::function<bool(const QString& path)>;

  // `program_folder`: the folder of the executable, or a stand-in folder in tests.
  explicit QtPlatform(const QString& program_folder);

  // Queued to the GUI thread when called from another thread, so the document
  // opens once the command that asked for it has finished. A document the shell
  // cannot open is named, with its path, in a message box (`CannotOpenBox`), so
  // that the user can open it by hand.
  void OpenDocument(const std::string& path) override;

  // Replaces the desktop shell, for tests. REQUIRES: no run in progress.
  void SetDocumentOpener(DocumentOpener opener) { opener_ = std::move(opener); }

 private:
  DocumentOpener opener_;
};

}  // namespace qsim::gui

#pragma once

#include "desktop/qt_core_platform.h"

namespace qsim::cli {

// The desktop as the command line sees it: the clock, locale and folder of Qt Core,
// and xdg-open for documents.
class CliPlatform : public desktop::QtCorePlatform {
 public:
  // REQUIRES: the QCoreApplication exists (it knows the executable's folder).
  CliPlatform();

  // Starts xdg-open on the document and does not wait for it; a desktop without
  // xdg-open opens nothing, and the command goes on.
  void OpenDocument(const std::string& path) override;
};

}  // namespace qsim::cli

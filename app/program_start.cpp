#include "app/program_start.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/tool_icons.h"
#include "app/window_titles.h"

namespace qsim::gui {

void PrepareApplication(QApplication& application) {
  QApplication::setApplicationName(ApplicationTitle());
  // Where the window's size, place and scale are remembered between starts.
  QApplication::setOrganizationName(QStringLiteral("qsim"));
  QApplication::setWindowIcon(MakeToolIcon(ToolIcon::VisualEditor));
  // The program speaks Russian whatever the user's locale.
  auto* qt_texts = new QTranslator(&application);
  if (qt_texts->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(qt_texts);
  }
}

}  // namespace qsim::gui

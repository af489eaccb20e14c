#include <QApplication>

#include "app/main_window.h"
#include "app/program_start.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  qsim::gui::PrepareApplication(application);
  qsim::gui::MainWindow window;
  window.show();
  return QApplication::exec();
}

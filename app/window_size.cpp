#include "app/window_size.h"

#include <QScreen>
#include <QWidget>

namespace qsim::gui {

namespace {

// The window system adds its title bar and borders outside the window's own size.
constexpr QSize kDecoration(16, 40);

}  // namespace

QSize OpeningSize(const QWidget& window, QSize wanted) {
  const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
  QSize size = wanted;
  if (const QScreen* screen = window.screen())
    size = size.boundedTo(screen->availableGeometry().size() - kDecoration);
  return size.expandedTo(least);
}

}  // namespace qsim::gui

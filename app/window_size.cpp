#include "app/window_size.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

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

void CentreOverOwner(QWidget& dialog) {
  const QWidget* owner = dialog.parentWidget();
  if (owner == nullptr)
    return;
  const QRect frame = owner->window()->frameGeometry();
  QRect placed(QPoint(), dialog.size());
  placed.moveCenter(frame.center());
  if (const QScreen* screen = owner->window()->screen()) {
    const QRect room = screen->availableGeometry();
    placed.moveLeft(std::clamp(placed.left(), room.left(),
                               std::max(room.left(), room.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), room.top(),
                              std::max(room.top(), room.bottom() - placed.height())));
  }
  dialog.move(placed.topLeft());
}

}  // namespace qsim::gui

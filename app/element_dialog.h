#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qsim::gui {

// What the five small dialogs of the visual editor share: a fixed client size
// and screen position, controls at fixed pixel places, a small font, no
// title-bar buttons and one button `Button1` that closes the dialog. There is no
// cancel: neither Escape nor Enter closes the dialog, and the caller takes
// whatever the controls hold when it closes.
class ElementDialog : public QDialog {
  Q_OBJECT

 public:
  // The caller sets the caption anew at every use.
  ElementDialog(const char* name, QSize client, QPoint screen_position, QWidget* parent);

 public Q_SLOTS:
  // Escape would close the dialog through here; it stays open.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

  QLabel* AddLabel(const QString& text, int top);
  QLineEdit* AddEdit(const char* name, QPoint at, int width);
  // An editable list: a typed text that is no item chooses none.
  QComboBox* AddComboBox(QPoint at, int width);
  // The list of the five laws of intervals, in the order of their codes.
  QComboBox* AddDistributionList(QPoint at, int width);
  // The button `Button1` that closes the dialog.
  QPushButton* AddOkButton(const QString& text, QRect at);

 private:
  QPoint screen_position_;
};

// The position of the item that the list shows, or -1 when its text is no item.
int ChosenPosition(const QComboBox& list);

// Chooses the item at `position`; a position that is no item leaves the list empty.
void ChoosePosition(QComboBox& list, int position);

}  // namespace qsim::gui

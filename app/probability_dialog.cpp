#include "app/probability_dialog.h"

#include <QLineEdit>

#include "app/gui_text.h"
#include "app/object_names.h"
#include "foundation/qsim_error.h"

namespace qsim::gui {

ProbabilityDialog::ProbabilityDialog(const NumberFormat& format, QWidget* parent)
    : ElementDialog(names::kProbabilityDialog, QSize(321, 43), parent),
      format_(format),
      probability_edit_(AddEdit("Edit1", 89)) {
  AddRow(QStringLiteral("Значение вероятности :"), probability_edit_);
  AddOkButton(QStringLiteral("ОК"), QSize(89, 17));
  AddCancelButton(QSize(89, 17));
  FitToContents();
}

std::optional<QString> ProbabilityDialog::Ask(const QString& caption, const QString& suggested) {
  setWindowTitle(caption);
  probability_edit_->setText(suggested);
  if (exec() != QDialog::Accepted)
    return std::nullopt;
  return probability_edit_->text();
}

// The conversion error is where the text meets the user, so it is caught here.
std::optional<ElementDialog::BadField> ProbabilityDialog::FirstBadField() const {
  try {
    ParseReal(ToCp1251(probability_edit_->text()), format_);
  } catch (const QsimError& error) {
    return BadField{probability_edit_, MessageText(error)};
  }
  return std::nullopt;
}

}  // namespace qsim::gui

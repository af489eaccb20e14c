#pragma once

#include <QGroupBox>

#include <array>

#include "foundation/number_format.h"
#include "model/accuracy_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace qsim::gui {

// The page «Точность» of the settings dialog: the warm-up left out of the figures
// beyond the report's tables, the precision at which a run stops, the level of the
// intervals and the seed of a run. Its controls keep their values between
// openings, as the dialog's other options do. Qt object names: `AccuracyPage`,
// `WarmupChoice` with `WarmupTimeEdit`, `PrecisionBox` with `PrecisionEdit` (per
// cent) and the figures it waits for (`MarkWaitBox`, `MarkLengthBox`,
// `MarkUtilisationBox`, `MarkStayBox`), `ConfidenceEdit` (per cent), `SeedBox`
// with `SeedEdit`.
class AccuracyPage : public QGroupBox {
  Q_OBJECT

 public:
  AccuracyPage();

  // Shows `settings`, so that a dialog closed with «Отмена» shows them again.
  void Fill(const AccuracySettings& settings, const NumberFormat& format);

  // The settings the controls hold. Throws QsimError, with `settings` unchanged,
  // for a number that does not convert or is out of its range.
  void Copy(AccuracySettings& settings, const NumberFormat& format) const;

 private:
  void ApplyRules();

  QComboBox* warmup_choice_;
  QLineEdit* warmup_time_edit_;
  QCheckBox* precision_box_;
  QLineEdit* precision_edit_;
  QLabel* marks_label_;
  std::array<QCheckBox*, kPrecisionMarkNames.size()> mark_boxes_;
  QLineEdit* confidence_edit_;
  QCheckBox* seed_box_;
  QLineEdit* seed_edit_;
};

}  // namespace qsim::gui

#include "app/accuracy_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/gui_text.h"
#include "foundation/qsim_error.h"

namespace qsim::gui {
namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

// A share given in per cent, above 0 and below 100.
double Share(const QLineEdit& edit, const NumberFormat& format, const char* what) {
  const double percent = ParseReal(ToCp1251(edit.text()), format);
  if (!(percent > 0 && percent < 100)) {
    throw QsimError(
        ToCp1251(QString::fromUtf8(what) + QStringLiteral(" должна быть больше 0 и меньше 100 %")));
  }
  return percent / 100;
}

}  // namespace

AccuracyPage::AccuracyPage()
    : warmup_choice_(Named(new QComboBox, "WarmupChoice")),
      warmup_time_edit_(Named(new QLineEdit(QStringLiteral("0")), "WarmupTimeEdit")),
      precision_box_(Named(
          new QCheckBox(QStringLiteral("Остановить при относительной полуширине интервалов, % :")),
          "PrecisionBox")),
      precision_edit_(Named(new QLineEdit(QStringLiteral("2")), "PrecisionEdit")),
      marks_label_(new QLabel(QStringLiteral("по показателям :"))),
      // In the order of kPrecisionMarkNames.
      mark_boxes_{
          Named(new QCheckBox(QStringLiteral("среднее ожидание в очередях")), "MarkWaitBox"),
          Named(new QCheckBox(QStringLiteral("средняя длина очередей")), "MarkLengthBox"),
          Named(new QCheckBox(QStringLiteral("загрузка устройств")), "MarkUtilisationBox"),
          Named(new QCheckBox(QStringLiteral("среднее время пребывания заявок")), "MarkStayBox")},
      confidence_edit_(Named(new QLineEdit(QStringLiteral("95")), "ConfidenceEdit")),
      seed_box_(
          Named(new QCheckBox(QStringLiteral("Поток случайных чисел серии, ключ :")), "SeedBox")),
      seed_edit_(Named(new QLineEdit(QStringLiteral("0")), "SeedEdit")) {
  setObjectName(QStringLiteral("AccuracyPage"));
  warmup_choice_->addItems({QStringLiteral("найти автоматически (MSER-5)"),
                            QStringLiteral("не отбрасывать"),
                            QStringLiteral("до момента времени :")});
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Начальный период :")), 0, 0);
  grid->addWidget(warmup_choice_, 0, 1);
  grid->addWidget(warmup_time_edit_, 0, 2);
  grid->addWidget(precision_box_, 1, 0, 1, 2);
  grid->addWidget(precision_edit_, 1, 2);
  auto* marks = new QVBoxLayout;
  marks->setContentsMargins(24, 0, 0, 0);
  marks->addWidget(marks_label_);
  for (QCheckBox* box : mark_boxes_) {
    marks->addWidget(box);
    connect(box, &QCheckBox::toggled, this, &AccuracyPage::ApplyRules);
  }
  grid->addLayout(marks, 2, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Доверительная вероятность, % :")), 3, 0, 1, 2);
  grid->addWidget(confidence_edit_, 3, 2);
  grid->addWidget(seed_box_, 4, 0, 1, 2);
  grid->addWidget(seed_edit_, 4, 2);
  connect(warmup_choice_, &QComboBox::currentIndexChanged, this, &AccuracyPage::ApplyRules);
  connect(precision_box_, &QCheckBox::toggled, this, &AccuracyPage::ApplyRules);
  connect(seed_box_, &QCheckBox::toggled, this, &AccuracyPage::ApplyRules);
  Fill(AccuracySettings{}, NumberFormat{});
}

void AccuracyPage::Fill(const AccuracySettings& settings, const NumberFormat& format) {
  warmup_choice_->setCurrentIndex(static_cast<int>(settings.warmup));
  warmup_time_edit_->setText(FromCp1251(NumberText(settings.warmup_time, format)));
  precision_box_->setChecked(settings.precision > 0);
  // An unchecked precision keeps the last value shown, as a proposal.
  if (settings.precision > 0)
    precision_edit_->setText(FromCp1251(NumberText(settings.precision * 100, format)));
  for (std::size_t i = 0; i < mark_boxes_.size(); ++i)
    mark_boxes_[i]->setChecked(settings.marks.*kPrecisionMarkNames[i].mark);
  confidence_edit_->setText(FromCp1251(NumberText(settings.confidence * 100, format)));
  seed_box_->setChecked(settings.seed.has_value());
  if (settings.seed)
    seed_edit_->setText(QString::number(*settings.seed));
  ApplyRules();
}

void AccuracyPage::ApplyRules() {
  warmup_time_edit_->setEnabled(warmup_choice_->currentIndex() == 2);
  precision_edit_->setEnabled(precision_box_->isChecked());
  marks_label_->setEnabled(precision_box_->isChecked());
  for (QCheckBox* box : mark_boxes_)
    box->setEnabled(precision_box_->isChecked());
  seed_edit_->setEnabled(seed_box_->isChecked());
}

void AccuracyPage::Copy(AccuracySettings& settings, const NumberFormat& format) const {
  AccuracySettings copied;
  copied.warmup = static_cast<WarmupMethod>(warmup_choice_->currentIndex());
  if (copied.warmup == WarmupMethod::Fixed) {
    copied.warmup_time = ParseReal(ToCp1251(warmup_time_edit_->text()), format);
    if (!(copied.warmup_time >= 0))
      throw QsimError(ToCp1251(QStringLiteral("Начальный период не может быть отрицательным")));
  }
  if (precision_box_->isChecked()) {
    copied.precision = Share(*precision_edit_, format, "Точность");
    for (std::size_t i = 0; i < mark_boxes_.size(); ++i)
      copied.marks.*kPrecisionMarkNames[i].mark = mark_boxes_[i]->isChecked();
    if (!copied.marks.Any()) {
      throw QsimError(
          ToCp1251(QStringLiteral("Отметьте показатели, точности которых ждать при остановке")));
    }
  }
  copied.confidence = Share(*confidence_edit_, format, "Доверительная вероятность");
  if (seed_box_->isChecked()) {
    bool ok = false;
    copied.seed = seed_edit_->text().toUInt(&ok);
    if (!ok) {
      throw QsimError(
          ToCp1251(QStringLiteral("Ключ потока должен быть целым числом от 0 до 4294967295")));
    }
  }
  settings = copied;
}

}  // namespace qsim::gui

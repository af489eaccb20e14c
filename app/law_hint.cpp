#include "app/law_hint.h"

#include <iterator>

#include "model/element_kinds.h"

namespace qsim::gui {
namespace {

struct Law {
  const char* hint;
  bool uses_spread;
};

// In the order of the law codes.
constexpr Law kLaws[] = {
    {"Среднее m, от m(1 − disp) до m(1 + disp); при disp > 1 бывают отрицательные", true},
    {"Среднее m, кратно m/30, от 0 до 57·m/30, бывает 0; дисперсия не нужна", false},
    {"Среднее m, разброс около 0,66·m·disp; бывают нулевые и отрицательные", true},
    {"Старый закон: среднее m(1 − disp), не m; при disp > 0 бывают отрицательные", true},
    {"Всегда ровно m; дисперсия не нужна", false},
    {"Показательный со средним m; дисперсия не нужна; отрицательных нет", false},
    {"Эрланга со средним m, коэф. вариации около disp; отрицательных нет", true},
    {"Логнормальный со средним m, коэф. вариации disp; отрицательных нет", true},
};
static_assert(std::size(kLaws) == std::size_t(kLastDistribution) + 1);

bool IsLaw(int law) {
  return law >= 0 && law < int(std::size(kLaws));
}

}  // namespace

QString LawHint(int law) {
  return IsLaw(law) ? QString::fromUtf8(kLaws[law].hint) : QString();
}

QString LawHintLegend() {
  return QStringLiteral(
      "m — среднее: у генератора 1 / интенсивность, у устройства среднее время обслуживания;\n"
      "disp — значение поля «Дисперсия»");
}

bool LawUsesSpread(int law) {
  return !IsLaw(law) || kLaws[law].uses_spread;
}

}  // namespace qsim::gui

#include "language/element_captions.h"

#include "foundation/code_page.h"

namespace qsim {

std::string_view DistributionName(DistributionKind kind) {
  switch (kind) {
    case kUniform:
      return "Равномерное"_cp;
    case kPoisson:
      return "Пуассона"_cp;
    case kGaussian:
      return "Гаусса"_cp;
    case kExponential:
      return "Экспоненциальное"_cp;
    case kPureExponential:
      return "Показательное"_cp;
    case kErlang:
      return "Эрланга"_cp;
    case kLognormal:
      return "Логнормальное"_cp;
    default:
      return "Постоянное"_cp;
  }
}

std::string_view DisciplineCaption(QueueDiscipline discipline) {
  switch (discipline) {
    case kFifo:
      return "FIFO";
    case kLifo:
      return "LIFO";
    case kPriorityFifo:
      return "FIFO с отн. приоритетом"_cp;
    case kPriorityLifo:
      return "LIFO с отн. приоритетом"_cp;
    default:
      return "";
  }
}

}  // namespace qsim

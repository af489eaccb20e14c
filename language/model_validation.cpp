#include "language/model_validation.h"

#include <algorithm>
#include <string_view>

#include "foundation/code_page.h"
#include "foundation/overloaded.h"
#include "model/route_check.h"

namespace qsim {
namespace {

constexpr bool kBlocks = true;
constexpr bool kWarns = false;

// Transitions an element holds; a count beyond the table is held to it.
template <typename Record>
int TransitionCount(const Record& record) {
  return std::clamp(record.transfer, 0, kMaxTransitions);
}

// Sum of the probabilities of an element's routes, added in route order; an
// element without routes has sum 0.
template <typename Record>
double ProbabilitySum(const Record& record) {
  double sum = 0;
  for (int i = 1; i <= TransitionCount(record); ++i)
    sum += record.transitions[i].prob;
  return sum;
}

bool HasRouteToTerminator(const DeviceRecord& device) {
  for (int i = 1; i <= TransitionCount(device); ++i) {
    if (device.transitions[i].kind == TargetKind::Terminator)
      return true;
  }
  return false;
}

class Validator {
 public:
  Validator(ModelStore& store, const NumberFormat& format) : store_(store), format_(format) {}

  ValidationResult Run() {
    store_.ForEachElement(
        Overloaded{[this](int slot, GeneratorRecord& g) { CheckGenerator(slot, g); },
                   [this](int slot, QueueRecord& q) { CheckQueue(slot, q); },
                   [this](int slot, DeviceRecord& d) { CheckDevice(slot, d); }});
    CheckModel();
    result_.caption = std::string("Обнаруженные неточности в модели (всего :"_cp) +
                      IntegerText(static_cast<std::int64_t>(result_.findings.size())) + ")";
    return std::move(result_);
  }

 private:
  void CheckGenerator(int slot, GeneratorRecord& g) {
    ++generators_;
    const std::string_view place = "В генераторе "_cp;
    if (g.la <= 0) {
      g.la = 1;
      ElementFinding(place, slot, "не указана интесивность потока. Исправлено на 1."_cp, kWarns);
    }
    CheckSum(place, slot, ProbabilitySum(g));
    CheckTransitions(place, slot, g, ElementKind::Generator);
  }

  void CheckQueue(int slot, QueueRecord& q) {
    ++queues_;
    const std::string_view place = "В очереди "_cp;
    if (q.len < 1) {
      q.len = 1;
      ElementFinding(place, slot, "не указана длина. Исправлено на 1."_cp, kWarns);
    }
    if (q.len > kMaxQueueLength) {
      q.len = kMaxQueueLength;
      ElementFinding(place, slot,
                     std::string("указанная длина превышает макс. допустимую. Исправлено на "_cp) +
                         IntegerText(kMaxQueueLength) + ".",
                     kWarns);
    }
    CheckSum(place, slot, ProbabilitySum(q));
    CheckTransitions(place, slot, q, ElementKind::Queue);
  }

  void CheckDevice(int slot, DeviceRecord& d) {
    ++devices_;
    const std::string_view place = "В устройстве "_cp;
    if (d.k < 1) {
      d.k = 1;
      ElementFinding(place, slot, "не указано число каналов. Исправлено на 1."_cp, kWarns);
    }
    if (d.k > kMaxChannels) {
      d.k = kMaxChannels;
      ElementFinding(
          place, slot,
          std::string("указанное число каналов превышает макс. допустимое. Исправлено на "_cp) +
              IntegerText(kMaxChannels) + ".",
          kWarns);
    }
    if (d.v <= 0)
      ElementFinding(place, slot, "не указано время обслуживания."_cp, kWarns);
    CheckSum(place, slot, ProbabilitySum(d));
    has_exit_ = has_exit_ || HasRouteToTerminator(d);
    CheckTransitions(place, slot, d, ElementKind::Device);
  }

  // Sums of 1 and above are accepted: the route draw always finds a route then.
  void CheckSum(std::string_view place, int slot, double sum) {
    if (sum < 1) {
      ElementFinding(place, slot,
                     std::string("сумма вер-тей переходов меньше 1. (равна "_cp) +
                         NumberText(sum, format_) + ").",
                     kBlocks);
    }
  }

  // Every transition that leads nowhere blocks the run: its requests would reach
  // records that hold no element. Transitions are checked whatever their
  // probability, as the run checks them.
  template <typename Record>
  void CheckTransitions(std::string_view place, int slot, const Record& r, ElementKind kind) {
    for (int i = 1; i <= TransitionCount(r); ++i) {
      const TransitionFault fault = CheckTransition(store_, kind, r.transitions[i]);
      if (fault != TransitionFault::None) {
        ElementFinding(place, slot, TransitionFaultText(i, r.transitions[i], fault) + ".", kBlocks);
      }
    }
  }

  void CheckModel() {
    RunSettings& settings = store_.settings;
    if (!has_exit_)
      Finding("Система не имеет выхода (нет перехода в терминатор заявок)."_cp, kBlocks);
    if (generators_ == 0)
      Finding("В системе нет ни одного источника заявок."_cp, kBlocks);
    if (queues_ == 0)
      Finding("В системе нет ни одной очереди."_cp, kBlocks);
    if (devices_ == 0)
      Finding("В системе нет ни одного обслуживающего устройства."_cp, kBlocks);
    if (settings.simulate <= 0 && !settings.by_time) {
      settings.simulate = 100;
      Finding("Не указано число заявок которые должны пройти через модель. Исправлено на 100."_cp,
              kWarns);
    }
    if (settings.end_time <= 0 && settings.by_time) {
      settings.end_time = 10;
      Finding("Не указано время моделирования. Исправлено на 10."_cp, kWarns);
    }
  }

  // "N. <place><slot> <text>"
  void ElementFinding(std::string_view place, int slot, std::string_view text, bool blocks) {
    Finding(std::string(place) + IntegerText(slot) + " " + std::string(text), blocks);
  }

  // "N. <text>", N counting from 1.
  void Finding(std::string_view text, bool blocks) {
    const auto number = static_cast<std::int64_t>(result_.findings.size()) + 1;
    result_.findings.push_back(IntegerText(number) + ". " + std::string(text));
    result_.blocking = result_.blocking || blocks;
  }

  ModelStore& store_;
  const NumberFormat& format_;
  ValidationResult result_;
  int generators_ = 0;
  int queues_ = 0;
  int devices_ = 0;
  bool has_exit_ = false;
};

}  // namespace

ValidationResult ValidateModel(ModelStore& store, const NumberFormat& format) {
  return Validator(store, format).Run();
}

}  // namespace qsim

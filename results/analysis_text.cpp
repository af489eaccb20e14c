#include "results/analysis_text.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "foundation/code_page.h"
#include "foundation/display_number.h"
#include "results/report_statistics.h"

namespace qsim {
namespace {

// The heading in Windows-1251 bytes (clang 14, which builds the fuzz targets,
// crashes on it converted at compile time here): "Анализ модели: интенсивности из
// уравнений потоков, без учета отказов; средние длительности законов 0-4 — их
// действительные средние (для закона 3 это m(1 - disp))."
constexpr std::string_view kHeading =
    "\xC0\xED\xE0\xEB\xE8\xE7 \xEC\xEE\xE4\xE5\xEB\xE8: "
    "\xE8\xED\xF2\xE5\xED\xF1\xE8\xE2\xED\xEE\xF1\xF2\xE8 \xE8\xE7 "
    "\xF3\xF0\xE0\xE2\xED\xE5\xED\xE8\xE9 "
    "\xEF\xEE\xF2\xEE\xEA\xEE\xE2, \xE1\xE5\xE7 \xF3\xF7\xE5\xF2\xE0 "
    "\xEE\xF2\xEA\xE0\xE7\xEE\xE2; \xF1\xF0\xE5\xE4\xED\xE8\xE5 "
    "\xE4\xEB\xE8\xF2\xE5\xEB\xFC\xED\xEE\xF1\xF2\xE8 "
    "\xE7\xE0\xEA\xEE\xED\xEE\xE2 0-4 \x97 \xE8\xF5 "
    "\xE4\xE5\xE9\xF1\xF2\xE2\xE8\xF2\xE5\xEB\xFC\xED\xFB\xE5 "
    "\xF1\xF0\xE5\xE4\xED\xE8\xE5 (\xE4\xEB\xFF "
    "\xE7\xE0\xEA\xEE\xED\xE0 3 \xFD\xF2\xEE m(1 - disp)).";

// The pieces (strings, Windows-1251 literals) one after another.
template <typename... Pieces>
std::string Cat(const Pieces&... pieces) {
  std::string text;
  (text.append(std::string_view(pieces)), ...);
  return text;
}

std::string Element(std::string_view kind, int slot, const ElementName& name) {
  std::string text = Cat(kind, IntegerText(slot));
  if (!name.view().empty())
    text += " (" + std::string(name.view()) + ")";
  return text;
}

class AnalysisWriter {
 public:
  AnalysisWriter(const ModelStore& store, const NumberFormat& format, bool all_digits)
      : store_(store), format_(format), all_digits_(all_digits), simulated_(store.now > 0) {}

  std::string Queue(const QueueTraffic& queue) const {
    return Cat(Element("Очередь "_cp, queue.slot, store_.queue(queue.slot).name),
               ": интенсивность входящего потока "_cp, Real(queue.arrival_rate));
  }

  std::string Device(const DeviceTraffic& device) const {
    std::string line =
        Cat(Element("Устройство "_cp, device.slot, store_.device(device.slot).name),
            ": интенсивность входящего потока "_cp, Real(device.arrival_rate),
            "; среднее время обслуживания "_cp, Real(device.mean_service), "; каналов "_cp,
            IntegerText(device.channels), "; загрузка канала "_cp, Real(device.load));
    if (device.overloaded())
      line += "; перегружено"_cp;
    return line;
  }

  std::string Prediction(const DeviceTraffic& device, const QueuePrediction& p) const {
    const QueueRecord& q = store_.queue(device.queue_slot);
    const std::string system =
        Cat("M/M/", IntegerText(device.channels),
            p.erlang_c ? std::string(" (Эрланг C)"_cp) : Cat("/", IntegerText(p.capacity)));
    const std::optional<double> refusals =
        q.stats.entries + q.stats.refusals > 0
            ? std::optional<double>(static_cast<double>(q.stats.refusals) /
                                    (q.stats.entries + q.stats.refusals))
            : std::nullopt;
    return Cat("  ", system, ": вероятность отказа "_cp, Real(p.refusal_probability),
               Simulated(refusals), "; средняя длина очереди "_cp, Real(p.mean_queue_length),
               Simulated(MeanQueueLength(q, store_.now)), "; среднее время ожидания "_cp,
               Real(p.mean_wait), Simulated(MeanWait(q)));
  }

 private:
  // Requests that circle without end have infinite rates, and an infinite rate
  // times a zero mean none at all; neither is a number to print.
  std::string Real(double value) const {
    if (std::isnan(value))
      return std::string("не определена"_cp);
    if (std::isinf(value))
      return std::string(value > 0 ? "бесконечность"_cp : "минус бесконечность"_cp);
    return all_digits_ ? NumberText(value, format_) : ShortNumberText(value, format_);
  }

  // " (моделирование: 0,49)" after a run; nothing before one.
  std::string Simulated(std::optional<double> value) const {
    if (!simulated_)
      return "";
    // Two returns rather than a conditional: GCC 12 at -O2 takes the conditional
    // for a read of an empty optional (-Wmaybe-uninitialized).
    if (!value)
      return Cat(" (моделирование: —)"_cp);
    return Cat(" (моделирование: "_cp, Real(*value), ")");
  }

  const ModelStore& store_;
  const NumberFormat& format_;
  bool all_digits_;
  bool simulated_;
};

}  // namespace

std::vector<std::string> AnalysisText(const ModelStore& store, const TrafficAnalysis& analysis,
                                      const NumberFormat& format, bool all_digits) {
  const AnalysisWriter writer(store, format, all_digits);
  std::vector<std::string> lines = {std::string(kHeading)};
  for (const QueueTraffic& queue : analysis.queues)
    lines.push_back(writer.Queue(queue));
  for (const DeviceTraffic& device : analysis.devices) {
    lines.push_back(writer.Device(device));
    if (device.prediction)
      lines.push_back(writer.Prediction(device, *device.prediction));
  }
  return lines;
}

}  // namespace qsim

#include "results/analysis_text.h"

#include <optional>
#include <string_view>

#include "foundation/code_page.h"
#include "results/report_statistics.h"

namespace qsim {
namespace {

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
  AnalysisWriter(const ModelStore& store, const NumberFormat& format)
      : store_(store), format_(format), simulated_(store.now > 0) {}

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
            ? std::optional<double>(static_cast<double>(q.stats.refusals) / (q.stats.entries + q.stats.refusals))
            : std::nullopt;
    return Cat("  ", system, ": вероятность отказа "_cp, Real(p.refusal_probability),
               Simulated(refusals), "; средняя длина очереди "_cp, Real(p.mean_queue_length),
               Simulated(MeanQueueLength(q, store_.now)), "; среднее время ожидания "_cp,
               Real(p.mean_wait), Simulated(MeanWait(q)));
  }

 private:
  std::string Real(double value) const { return NumberText(value, format_); }

  // " (моделирование: 0,49)" after a run; nothing before one.
  std::string Simulated(std::optional<double> value) const {
    if (!simulated_)
      return "";
    return Cat(" (моделирование: "_cp, value ? Real(*value) : std::string("—"_cp), ")");
  }

  const ModelStore& store_;
  const NumberFormat& format_;
  bool simulated_;
};

}  // namespace

std::vector<std::string> AnalysisText(const ModelStore& store, const TrafficAnalysis& analysis,
                                      const NumberFormat& format) {
  const AnalysisWriter writer(store, format);
  std::vector<std::string> lines = {
      std::string("Анализ модели: интенсивности из уравнений потоков, без учета отказов; "
                  "средние длительности законов 0-4 — их действительные средние "
                  "(для закона 3 это m(1 - disp))."_cp)};
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

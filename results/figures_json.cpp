#include "results/figures_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "foundation/code_page.h"

namespace qsim {
namespace {

std::string Number(double value) {
  if (!std::isfinite(value))
    return "null";
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Text(const std::string& cp1251) {
  std::string quoted = "\"";
  for (const char c : Cp1251ToUtf8(cp1251)) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Figure(const std::optional<Estimate>& estimate) {
  if (!estimate)
    return "null";
  return "{\"mean\": " + Number(estimate->mean) +
         ", \"half_width\": " + (estimate->half_width ? Number(*estimate->half_width) : "null") +
         "}";
}

std::string PercentilesText(const std::optional<Percentiles>& p) {
  if (!p)
    return "null";
  return "{\"p50\": " + Number(p->p50) + ", \"p90\": " + Number(p->p90) +
         ", \"p95\": " + Number(p->p95) + ", \"p99\": " + Number(p->p99) + "}";
}

const char* MethodName(WarmupMethod method) {
  switch (method) {
    case WarmupMethod::None:
      return "none";
    case WarmupMethod::Fixed:
      return "fixed";
    case WarmupMethod::Auto:
      break;
  }
  return "auto";
}

std::string Element(int slot, const std::string& name) {
  return "{\"slot\": " + std::to_string(slot) + ", \"name\": " + Text(name);
}

// The items of an array, one a line, each made by `item`.
template <typename Items, typename Item>
void Array(std::ostream& out, const char* key, const Items& items, Item item, bool last = false) {
  out << " \"" << key << "\": [";
  for (std::size_t i = 0; i < items.size(); ++i)
    out << (i == 0 ? "\n  " : ",\n  ") << item(items[i]);
  out << (items.empty() ? "]" : "\n ]") << (last ? "\n" : ",\n");
}

}  // namespace

void WriteFiguresJson(std::ostream& out, const RunFigures& f) {
  const RunCounts& run = f.run;
  out << "{\n \"warmup\": {\"method\": \"" << MethodName(f.warmup)
      << "\", \"time\": " << Number(f.warmup_time) << "},\n";
  out << " \"confidence\": " << Number(f.confidence) << ",\n";
  out << " \"precision\": " << Number(f.precision) << ",\n \"precision_figures\": [";
  const char* separator = "";
  for (const PrecisionMarkName& mark : kPrecisionMarkNames) {
    if (f.precision > 0 && f.precision_marks.*mark.mark) {
      out << separator << '"' << mark.name << '"';
      separator = ", ";
    }
  }
  out << "],\n";
  out << " \"precision_reached\": " << (f.precision_reached ? "true" : "false") << ",\n";
  out << " \"run\": {\"model_time\": " << Number(run.model_time) << ", \"events\": " << run.events
      << ", \"generated\": " << run.generated << ", \"served\": " << run.served
      << ", \"refused\": " << run.refused << ", \"in_system_at_end\": " << run.in_system_at_end
      << "},\n";
  const NetworkFigures& n = f.network;
  out << " \"network\": {\"throughput\": " << Figure(n.throughput)
      << ", \"mean_in_system\": " << Figure(n.mean_in_system)
      << ", \"mean_time_in_system\": " << Figure(n.mean_time_in_system)
      << ", \"littles_law_gap\": " << (n.littles_law_gap ? Number(*n.littles_law_gap) : "null")
      << "},\n";
  Array(out, "queues", f.queues, [](const QueueFigures& q) {
    std::string priorities = "[";
    for (const auto& [priority, wait] : q.waits_by_priority) {
      priorities += (priorities.size() > 1 ? ", " : "") + std::string("{\"priority\": ") +
                    std::to_string(priority) + ", \"mean_wait\": " + Figure(wait) + "}";
    }
    return Element(q.slot, q.name) + ", \"mean_length\": " + Figure(q.mean_length) +
           ", \"mean_wait\": " + Figure(q.mean_wait) +
           ", \"refusal_probability\": " + Figure(q.refusal_probability) +
           ", \"throughput\": " + Figure(q.throughput) + ", \"waits_by_priority\": " + priorities +
           "], \"wait_percentiles\": " + PercentilesText(q.wait_percentiles) + "}";
  });
  Array(out, "devices", f.devices, [](const DeviceFigures& d) {
    return Element(d.slot, d.name) + ", \"utilisation\": " + Figure(d.utilisation) +
           ", \"throughput\": " + Figure(d.throughput) +
           ", \"mean_service_time\": " + Figure(d.mean_service_time) + "}";
  });
  Array(
      out, "generators", f.generators,
      [](const GeneratorFigures& g) {
        return Element(g.slot, g.name) + ", \"throughput\": " + Figure(g.throughput) +
               ", \"mean_time_in_system\": " + Figure(g.mean_time_in_system) +
               ", \"time_in_system_percentiles\": " +
               PercentilesText(g.time_in_system_percentiles) + "}";
      },
      true);
  out << "}\n";
}

}  // namespace qsim

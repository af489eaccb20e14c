#include "results/traffic_analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qsim {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Node numbers of the traffic equations: queues 0..149, devices 150..299.
constexpr int kNodes = 2 * kSlotCount;
int QueueNode(int slot) {
  return slot - 1;
}
int DeviceNode(int slot) {
  return kSlotCount + slot - 1;
}

// The share of requests a run sends along each transition. A run takes the first
// transition whose running sum of probabilities reaches its draw u in [0, 1), and
// the last one when none does; so a transition gets the part of [0, 1) that its
// running sum adds to the largest sum before it.
template <typename Record, typename Use>
void ForEachRouteShare(const Record& r, Use use) {
  const int count = std::clamp(r.transfer, 0, kMaxTransitions);
  double sum = 0;
  double reached = 0;
  for (int i = 1; i <= count; ++i) {
    sum += r.transitions[i].prob;
    const double now_reached = i == count ? 1 : std::max(reached, std::clamp(sum, 0.0, 1.0));
    if (now_reached > reached)
      use(r.transitions[i], now_reached - reached);
    reached = now_reached;
  }
}

// Solves (I - routes^T) rates = offered by Gaussian elimination with partial
// pivoting; false when the system is singular (requests that never leave).
bool SolveTraffic(std::vector<double>& routes, std::vector<double>& rates) {
  std::vector<double> a(kNodes * kNodes);
  for (int i = 0; i < kNodes; ++i) {
    for (int j = 0; j < kNodes; ++j)
      a[i * kNodes + j] = (i == j ? 1 : 0) - routes[j * kNodes + i];
  }
  for (int col = 0; col < kNodes; ++col) {
    int pivot = col;
    for (int row = col + 1; row < kNodes; ++row) {
      if (std::abs(a[row * kNodes + col]) > std::abs(a[pivot * kNodes + col]))
        pivot = row;
    }
    if (std::abs(a[pivot * kNodes + col]) < 1e-12)
      return false;
    if (pivot != col) {
      std::swap_ranges(a.begin() + pivot * kNodes, a.begin() + (pivot + 1) * kNodes,
                       a.begin() + col * kNodes);
      std::swap(rates[pivot], rates[col]);
    }
    for (int row = col + 1; row < kNodes; ++row) {
      const double factor = a[row * kNodes + col] / a[col * kNodes + col];
      if (factor == 0)
        continue;
      for (int j = col; j < kNodes; ++j)
        a[row * kNodes + j] -= factor * a[col * kNodes + j];
      rates[row] -= factor * rates[col];
    }
  }
  for (int row = kNodes - 1; row >= 0; --row) {
    double value = rates[row];
    for (int j = row + 1; j < kNodes; ++j)
      value -= a[row * kNodes + j] * rates[j];
    rates[row] = value / a[row * kNodes + row];
  }
  return true;
}

// Rates offered to every queue and device, indexed by node.
std::vector<double> NodeRates(const ModelStore& store) {
  std::vector<double> routes(kNodes * kNodes, 0.0);  // routes[from * kNodes + to]
  std::vector<double> rates(kNodes, 0.0);            // first what the generators offer
  bool finite = true;
  store.ForEachGenerator([&](int, const GeneratorRecord& g) {
    const double mean = LawMean(g.rasp, 1.0 / g.la, g.disp);
    const double rate = mean > 0 ? 1 / mean : kInfinity;
    finite = finite && std::isfinite(rate);
    ForEachRouteShare(g, [&](const TransitionEntry& to, double share) {
      if (to.kind == TargetKind::Queue && store.InUse(ElementKind::Queue, to.index))
        rates[QueueNode(to.index)] += rate * share;
    });
  });
  store.ForEachQueue([&](int slot, const QueueRecord& q) {
    ForEachRouteShare(q, [&](const TransitionEntry& to, double share) {
      if (to.kind == TargetKind::Device && store.InUse(ElementKind::Device, to.index))
        routes[QueueNode(slot) * kNodes + DeviceNode(to.index)] += share;
    });
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    ForEachRouteShare(d, [&](const TransitionEntry& to, double share) {
      if (to.kind == TargetKind::Queue && store.InUse(ElementKind::Queue, to.index))
        routes[DeviceNode(slot) * kNodes + QueueNode(to.index)] += share;
    });
  });
  if (!finite || !SolveTraffic(routes, rates))
    std::fill(rates.begin(), rates.end(), kInfinity);
  return rates;
}

// The one queue that feeds the device, when that queue leads nowhere else and
// nothing else leads to the device; 0 otherwise.
int SoleFeeder(const ModelStore& store, int device_slot) {
  int feeder = 0;
  bool sole = true;
  store.ForEachQueue([&](int slot, const QueueRecord& q) {
    bool feeds = false;
    bool elsewhere = false;
    ForEachRouteShare(q, [&](const TransitionEntry& to, double) {
      const bool here = to.kind == TargetKind::Device && to.index == device_slot;
      feeds = feeds || here;
      elsewhere = elsewhere || !here;
    });
    if (!feeds)
      return;
    sole = sole && feeder == 0 && !elsewhere;
    feeder = slot;
  });
  return sole ? feeder : 0;
}

// True when only generators of law 5 lead into the queue.
bool FedByPoissonSources(const ModelStore& store, int queue_slot) {
  bool poisson = true;
  const auto check = [&](bool from_generator, DistributionKind law) {
    return [&, from_generator, law](const TransitionEntry& to, double) {
      if (to.kind == TargetKind::Queue && to.index == queue_slot)
        poisson = poisson && from_generator && law == kPureExponential;
    };
  };
  store.ForEachGenerator(
      [&](int, const GeneratorRecord& g) { ForEachRouteShare(g, check(true, g.rasp)); });
  store.ForEachDevice(
      [&](int, const DeviceRecord& d) { ForEachRouteShare(d, check(false, d.rasp)); });
  return poisson;
}

// True when a channel of the device may hold a served request: without refusals it
// keeps one whose next queue is full until there is room (blocking), and serves
// nobody meanwhile.
bool MayBlock(const ModelStore& store, const DeviceRecord& d) {
  bool to_queue = false;
  ForEachRouteShare(d, [&](const TransitionEntry& to, double) {
    to_queue = to_queue || to.kind == TargetKind::Queue;
  });
  return store.settings.process_all && to_queue;
}

std::optional<QueuePrediction> Predict(const ModelStore& store, const DeviceTraffic& device) {
  const DeviceRecord& d = store.device(device.slot);
  if (device.queue_slot == 0 || d.rasp != kPureExponential || MayBlock(store, d) ||
      !FedByPoissonSources(store, device.queue_slot) || !(device.arrival_rate > 0) ||
      !std::isfinite(device.arrival_rate) || !(d.v > 0) || d.k < 1) {
    return std::nullopt;
  }
  const double mu = 1 / d.v;
  if (store.settings.process_all)
    return ErlangCPrediction(device.arrival_rate, mu, d.k);
  return MmckPrediction(device.arrival_rate, mu, d.k, d.k + store.queue(device.queue_slot).len);
}

}  // namespace

double LawMean(DistributionKind kind, double mean, double disp) {
  return kind == kExponential ? mean * (1 - disp) : mean;
}

QueuePrediction MmckPrediction(double lambda, double mu, int c, int capacity) {
  const double offered = lambda / mu;
  // Unnormalised state probabilities, rescaled on the way when they grow large.
  std::vector<double> weight(capacity + 1);
  weight[0] = 1;
  for (int n = 1; n <= capacity; ++n) {
    weight[n] = weight[n - 1] * offered / std::min(n, c);
    if (weight[n] > 1e250) {
      for (int m = 0; m <= n; ++m)
        weight[m] *= 1e-250;
    }
  }
  double total = 0;
  for (const double w : weight)
    total += w;
  QueuePrediction p{.capacity = capacity};
  for (int n = c + 1; n <= capacity; ++n)
    p.mean_queue_length += (n - c) * weight[n] / total;
  p.refusal_probability = weight[capacity] / total;
  p.mean_wait = p.mean_queue_length / (lambda * (1 - p.refusal_probability));
  return p;
}

std::optional<QueuePrediction> ErlangCPrediction(double lambda, double mu, int c) {
  const double offered = lambda / mu;
  const double rho = offered / c;
  if (!(rho < 1))
    return std::nullopt;
  double term = 1;  // offered^n / n!
  double below_c = 0;
  for (int n = 0; n < c; ++n) {
    below_c += term;
    term *= offered / (n + 1);
  }
  const double waiting = term / (1 - rho);  // offered^c / (c! (1 - rho))
  const double wait_probability = waiting / (below_c + waiting);
  QueuePrediction p{.erlang_c = true};
  p.mean_queue_length = wait_probability * rho / (1 - rho);
  p.mean_wait = p.mean_queue_length / lambda;
  return p;
}

TrafficAnalysis AnalyzeTraffic(const ModelStore& store) {
  const std::vector<double> rates = NodeRates(store);
  TrafficAnalysis analysis;
  store.ForEachQueue([&](int slot, const QueueRecord&) {
    analysis.queues.push_back({slot, rates[QueueNode(slot)]});
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    DeviceTraffic device{.slot = slot,
                         .arrival_rate = rates[DeviceNode(slot)],
                         .mean_service = LawMean(d.rasp, d.v, d.disp),
                         .channels = d.k,
                         .prediction = std::nullopt};
    device.load = device.arrival_rate * device.mean_service / std::max(d.k, 1);
    device.queue_slot = SoleFeeder(store, slot);
    device.prediction = Predict(store, device);
    analysis.devices.push_back(device);
  });
  return analysis;
}

}  // namespace qsim

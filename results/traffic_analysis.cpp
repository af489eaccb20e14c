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
// pivoting over the nodes in use (ascending; `routes` indexed by their positions
// among them); false when the system is singular (requests that never leave).
// The other nodes receive nothing and would only add unit rows that no step of the
// elimination touches, so leaving them out changes no bit of the result and makes
// a small model's solution cheap.
bool SolveTraffic(const std::vector<int>& nodes, const std::vector<double>& routes,
                  std::vector<double>& rates) {
  const std::size_t n = nodes.size();
  std::vector<double> a(n * n);
  std::vector<double> b(n);
  for (std::size_t i = 0; i < n; ++i) {
    b[i] = rates[nodes[i]];
    for (std::size_t j = 0; j < n; ++j)
      a[i * n + j] = (i == j ? 1 : 0) - routes[j * n + i];
  }
  for (std::size_t col = 0; col < n; ++col) {
    std::size_t pivot = col;
    for (std::size_t row = col + 1; row < n; ++row) {
      if (std::abs(a[row * n + col]) > std::abs(a[pivot * n + col]))
        pivot = row;
    }
    if (std::abs(a[pivot * n + col]) < 1e-12)
      return false;
    if (pivot != col) {
      std::swap_ranges(a.begin() + pivot * n, a.begin() + (pivot + 1) * n, a.begin() + col * n);
      std::swap(b[pivot], b[col]);
    }
    for (std::size_t row = col + 1; row < n; ++row) {
      const double factor = a[row * n + col] / a[col * n + col];
      if (factor == 0)
        continue;
      for (std::size_t j = col; j < n; ++j)
        a[row * n + j] -= factor * a[col * n + j];
      b[row] -= factor * b[col];
    }
  }
  for (std::size_t row = n; row-- > 0;) {
    double value = b[row];
    for (std::size_t j = row + 1; j < n; ++j)
      value -= a[row * n + j] * b[j];
    b[row] = value / a[row * n + row];
  }
  for (std::size_t i = 0; i < n; ++i)
    rates[nodes[i]] = b[i];
  return true;
}

// Rates offered to every queue and device, indexed by node.
std::vector<double> NodeRates(const ModelStore& store) {
  // The nodes in use, ascending, and the position of each among them.
  std::vector<int> nodes;
  store.ForEachQueue([&](int slot, const QueueRecord&) { nodes.push_back(QueueNode(slot)); });
  store.ForEachDevice([&](int slot, const DeviceRecord&) { nodes.push_back(DeviceNode(slot)); });
  std::vector<std::size_t> position(kNodes, 0);
  for (std::size_t i = 0; i < nodes.size(); ++i)
    position[nodes[i]] = i;
  const std::size_t n = nodes.size();
  std::vector<double> routes(n * n, 0.0);  // routes[from * n + to], by position
  std::vector<double> rates(kNodes, 0.0);  // first what the generators offer
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
        routes[position[QueueNode(slot)] * n + position[DeviceNode(to.index)]] += share;
    });
  });
  store.ForEachDevice([&](int slot, const DeviceRecord& d) {
    ForEachRouteShare(d, [&](const TransitionEntry& to, double share) {
      if (to.kind == TargetKind::Queue && store.InUse(ElementKind::Queue, to.index))
        routes[position[DeviceNode(slot)] * n + position[QueueNode(to.index)]] += share;
    });
  });
  if (!finite || !SolveTraffic(nodes, routes, rates))
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
  // A device or queue beyond the store's capacities is one the model check would
  // correct first; its figures would size the state probabilities without bound.
  const int places = device.queue_slot == 0 ? 0 : store.queue(device.queue_slot).len;
  if (device.queue_slot == 0 || d.rasp != kPureExponential || d.k > kMaxChannels || places < 1 ||
      places > kMaxQueueLength || MayBlock(store, d) ||
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

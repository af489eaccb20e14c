#pragma once

#include <optional>
#include <vector>

#include "model/model_store.h"

namespace qsim {

// The true mean of a duration drawn by RandomGenerator::Variate. The laws 0..4 keep
// their historic formulas, so their mean is not always the one asked for: the
// shifted logarithm of law 3 has mean m (1 - disp); the Poisson law, cut at 57,
// has mean m up to 1e-6 of it; every other law has mean m (law 7 only for m > 0).
double LawMean(DistributionKind kind, double mean, double disp);

// What queueing theory predicts for a queue and the device it alone feeds.
struct QueuePrediction {
  bool erlang_c = false;           // infinite waiting room (no refusals); else M/M/c/K
  int capacity = 0;                // K = channels + places; 0 for Erlang C
  double refusal_probability = 0;  // of an arriving request
  double mean_queue_length = 0;    // requests waiting, time average
  double mean_wait = 0;            // per request that entered the queue
};

// M/M/c/K: Poisson arrivals of rate lambda, c exponential channels of rate mu, room
// for K requests in all. REQUIRES: lambda > 0, mu > 0, 1 <= c <= K.
QueuePrediction MmckPrediction(double lambda, double mu, int c, int capacity);

// M/M/c with unlimited room (Erlang C); nothing when c mu <= lambda, where the
// queue grows without bound. REQUIRES: lambda > 0, mu > 0, c >= 1.
std::optional<QueuePrediction> ErlangCPrediction(double lambda, double mu, int c);

struct QueueTraffic {
  int slot = 0;
  double arrival_rate = 0;  // offered requests per unit of model time
};

struct DeviceTraffic {
  int slot = 0;
  double arrival_rate = 0;  // offered requests per unit of model time
  double mean_service = 0;  // LawMean of the device's law
  int channels = 0;
  double load = 0;  // per channel: arrival_rate * mean_service / channels
  bool overloaded() const { return !(load < 1); }
  int queue_slot = 0;  // the one queue that feeds it and only it, or 0
  // Where the queue and the device form an M/M/c/K (or M/M/c) system: the queue is
  // fed only by generators of the exponential law 5, the queue leads only to this
  // device, nothing else leads to the device, the device serves by law 5, and it is
  // never blocked (without refusals, a device that leads to a queue may be).
  std::optional<QueuePrediction> prediction;
};

// The traffic equations of the model's routes: every generator in use offers
// 1 / LawMean of its intervals, and every element passes what it receives on by
// the probabilities with which a run picks its routes (a transition beyond a sum of
// 1 is never taken, the last one takes what the sum leaves below 1). Losses at
// full queues are not subtracted: the rates are what is offered. In a network whose
// requests can circle without end, or with a generator whose intervals have no
// positive mean, every rate is infinite.
struct TrafficAnalysis {
  std::vector<QueueTraffic> queues;    // in slot order
  std::vector<DeviceTraffic> devices;  // in slot order
};

TrafficAnalysis AnalyzeTraffic(const ModelStore& store);

}  // namespace qsim

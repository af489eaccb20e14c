#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/element_run_state.h"
#include "engine/event_node.h"
#include "engine/event_observer.h"
#include "engine/random_generator.h"
#include "engine/release_tree.h"
#include "engine/request_record.h"
#include "engine/route_table.h"
#include "engine/run_controls.h"
#include "engine/run_statistics.h"
#include "engine/slot_bits.h"
#include "engine/waiting_order.h"
#include "model/model_store.h"

namespace qsim {

// The event loop of a run and the behaviour of generators, queues, devices and the
// terminator, over any calendar with EventCalendar's interface (the benchmarks
// compare calendars through it). Works on the store in place: it reads the model
// definition and settings and writes the run statistics, `now` and `generated`;
// what the elements hold while the run goes on is the engine's own.
//
// Values a run must not see are clamped once at its start: a queue offers at most
// 200 places and a device at most 50 channels, and fewer than none count as none.
// An event whose time is not finite is never scheduled: a generator whose interval
// is infinite (intensity 0) falls silent, and a request whose service never ends
// stays in its channel until the run ends.
//
// A run also ends, without reaching its stop condition, at the event limit of its
// controls (never above kMaxRunEvents), when its model time stalls (stall_events
// events in a row that do not advance it), when more than max_requests requests
// are alive at once, or when it is cancelled. It ends as finished, before its stop
// condition, once controls.precise_enough says its figures are precise enough.
//
// controls.statistics, when given, is told every change it watches during the
// event loop, after the handler's draws, so a watched run is the same run.
//
// REQUIRES: every route of every element in use is sound (FindRouteFault).
template <typename Calendar>
class SimulationEngine {
 public:
  SimulationEngine(ModelStore& store, RandomGenerator& random)
      : store_(store),
        random_(random),
        generators_(&store.generator(1)),
        queues_(&store.queue(1)),
        devices_(&store.device(1)),
        queue_run_(kSlotCount + 1),
        device_run_(kSlotCount + 1),
        releases_(kSlotCount + 1) {}

  RunResult Run(EventObserver* observer, const RunControls& controls) {
    statistics_ = controls.statistics;
    StartRun();
    RunResult result;
    if (!calendar_.empty()) {
      if (observer != nullptr)
        observer->RunStarted();
      result.protocol_written = observer != nullptr;
      result.outcome = TakeEvents(observer, controls, result);
      if (observer != nullptr)
        observer->RunFinished();
    }
    result.now = now();
    result.live_requests = LiveRequests();
    if (statistics_ != nullptr)
      statistics_->CatchUp(now());
    statistics_ = nullptr;  // the end-of-run removals are no departures
    RemoveWhatRemains();
    return result;
  }

  const Calendar& calendar() const { return calendar_; }

 private:
  std::int64_t LiveRequests() const { return static_cast<std::int64_t>(pool_.in_use()); }

  static constexpr double kNoStay = 1e11;  // min_stay of a generator with no removal
  static constexpr double kRetryAfterRelease = 1e-11;
  static constexpr std::int64_t kControlInterval = 4096;
  // The element a refused request's removal names: the terminator has no slot,
  // and the model text numbers it 1. Nothing reads a removal's element.
  static constexpr int kTerminatorElement = 1;
  // Devices of more channels keep their earliest release in a ReleaseTree; for
  // fewer a search is cheaper than keeping the tree at every service start.
  static constexpr int kSearchedChannels = 8;

  // The records of a slot. REQUIRES: 1 <= slot <= kSlotCount, which holds for the
  // slots of generators in use and of every target of a sound route.
  GeneratorRecord& Generator(int slot) { return generators_[slot - 1]; }
  QueueRecord& Queue(int slot) { return queues_[slot - 1]; }
  DeviceRecord& Device(int slot) { return devices_[slot - 1]; }
  double now() const { return store_.now; }

  void Schedule(const EventNode& event) {
    if (!std::isfinite(event.time))
      return;
    if (event.time < now())
      ++store_.past_events;
    calendar_.Schedule(event);
  }

  // An event at the current time, which is finite (it is the time of an event that
  // was scheduled) and not in the past.
  void ScheduleNow(int element, EventKind kind, RequestRecord* request = nullptr,
                   int from_queue = 0, int from_slot = 0) {
    calendar_.Schedule({now(), element, request, from_queue, from_slot, kind});
  }

  void StartRun() {
    calendar_.Clear();
    pool_.Reset();
    store_.generated = 0;
    store_.now = 0;
    store_.past_events = 0;
    for (int slot = 1; slot <= kSlotCount; ++slot)
      ResetRunFields(slot);
    GatherRoutes();
    if (statistics_ != nullptr)
      statistics_->Start(store_);
    store_.ForEachGenerator([this](int slot, const GeneratorRecord&) { OnGeneration(slot); });
  }

  // Every slot starts the run with no statistics and nothing held. Of a queue's
  // places and a device's channels only those the run accepts into are emptied:
  // the places beyond a queue's length are empty already (each run ends by
  // removing whatever it holds), and a channel's release time is read only while
  // the channel is busy, so it may keep what the last run left.
  void ResetRunFields(int slot) {
    Generator(slot).stats = GeneratorRunStats{};
    Generator(slot).stats.min_stay = kNoStay;

    QueueRecord& q = Queue(slot);
    QueueRunState& qs = queue_run_[slot];
    q.stats = QueueRunStats{};
    capacity_[slot] = std::clamp(q.len, 0, kMaxQueueLength);
    place_limit_[slot] = capacity_[slot];
    qs.cur_len = 0;
    qs.last_change = 0;
    std::fill_n(qs.tickets.begin() + 1, capacity_[slot], 0);
    std::fill_n(qs.slots.begin() + 1, capacity_[slot], nullptr);
    occupied_[slot].Clear();
    waiting_[slot].Reset(q.discip);

    DeviceRecord& d = Device(slot);
    DeviceRunState& ds = device_run_[slot];
    d.stats = DeviceRunStats{};
    channel_count_[slot] = std::clamp(d.k, 0, kMaxChannels);
    ds.free_channels = channel_count_[slot];
    ds.last_change = 0;
    std::fill_n(ds.channels.begin() + 1, channel_count_[slot], nullptr);
    busy_[slot].Clear();
    if (channel_count_[slot] > kSearchedChannels)
      releases_[slot].Reset(channel_count_[slot], ds.release_time);
  }

  // Routes of generators, queues and devices in this order, slot by slot, so that
  // the route number of an element follows from its kind and slot.
  void GatherRoutes() {
    routes_.Clear();
    for (int slot = 1; slot <= kSlotCount; ++slot)
      routes_.Add(Generator(slot).transitions, Generator(slot).transfer);
    for (int slot = 1; slot <= kSlotCount; ++slot)
      routes_.Add(Queue(slot).transitions, Queue(slot).transfer);
    for (int slot = 1; slot <= kSlotCount; ++slot)
      routes_.Add(Device(slot).transitions, Device(slot).transfer);
  }
  static int RouteNumber(const GeneratorRecord&, int slot) { return slot - 1; }
  static int RouteNumber(const QueueRecord&, int slot) { return kSlotCount + slot - 1; }
  static int RouteNumber(const DeviceRecord&, int slot) { return 2 * kSlotCount + slot - 1; }

  // Takes events until the stop condition holds or a limit of `controls` is
  // reached. An event whose time is not later than the one before it leaves model
  // time standing; stall_events of them in a row mean time has stopped advancing.
  // A run that meets its stop condition at that event has finished all the same.
  RunOutcome TakeEvents(EventObserver* observer, const RunControls& controls, RunResult& result) {
    std::int64_t& events = result.events;
    const RunSettings& settings = store_.settings;
    const std::int64_t limit = EventLimit(controls);
    std::int64_t standing = 0;
    for (;;) {
      if (events >= limit)
        return RunOutcome::EventLimit;
      if (LiveRequests() > controls.max_requests)
        return RunOutcome::TooManyRequests;
      const EventNode event = calendar_.TakeFirst();
      standing = event.time > now() ? 0 : standing + 1;
      store_.now = event.time;
      if (observer != nullptr)
        observer->EventTaken(event);
      Dispatch(event);
      if (++events % kControlInterval == 0) {
        if (Interrupted(controls, events))
          return RunOutcome::Cancelled;
        if (controls.precise_enough && controls.precise_enough()) {
          result.precision_reached = true;
          return RunOutcome::Finished;
        }
      }
      if (calendar_.empty() || (settings.by_time && now() > settings.end_time))
        return RunOutcome::Finished;
      if (standing >= controls.stall_events)
        return RunOutcome::Stalled;
    }
  }

  bool Interrupted(const RunControls& controls, std::int64_t events) const {
    if (controls.progress)
      controls.progress(ProgressOf(store_, events));
    return controls.cancel != nullptr && controls.cancel->load(std::memory_order_relaxed);
  }

  void Dispatch(const EventNode& e) {
    switch (e.kind) {
      case EventKind::Generation:
        return OnGeneration(e.element);
      case EventKind::QueueEntry:
        return OnQueueEntry(e.element, e.request);
      case EventKind::QueueExit:
        return OnQueueExit(e.element);
      case EventKind::ServiceStart:
        return OnServiceStart(e.element, e.from_queue, e.from_slot, e.request);
      case EventKind::ServiceEnd:
        return OnServiceEnd(e.element, e.request);
      case EventKind::Removal:
        return OnRemoval(e.request);
    }
  }

  // Draws the route of a request leaving the element in the slot: the first
  // transition whose running sum of probabilities reaches the draw. A draw beyond
  // the whole sum (the probabilities add up to less than 1) takes the last
  // transition.
  template <typename Record>
  const RouteTable::Route& PickRoute(const Record& r, int slot) {
    return routes_.Choose(RouteNumber(r, slot), random_.NextUniform());
  }

  void SendAlongRoute(const RouteTable::Route& route, RequestRecord* request, int from_queue = 0,
                      int from_slot = 0) {
    ScheduleNow(route.index, static_cast<EventKind>(route.kind), request, from_queue, from_slot);
  }

  void OnGeneration(int slot) {
    GeneratorRecord& g = Generator(slot);
    const RunSettings& settings = store_.settings;
    if (store_.generated >= settings.simulate && !settings.by_time)
      return;
    // In a run by time the count could outgrow 32 bits; the sources then fall silent.
    if (store_.generated == std::numeric_limits<std::int32_t>::max())
      return;
    ++store_.generated;
    if (statistics_ != nullptr)
      statistics_->Generated(now());
    RequestRecord* request = pool_.Acquire();
    request->number = store_.generated;
    request->source = slot;
    request->birth = now();
    request->refused = false;
    request->priority = g.prior;
    SendAlongRoute(PickRoute(g, slot), request);
    const double interval = random_.Variate(g.rasp, 1.0 / g.la, g.disp);
    g.stats.bad_durations += !(interval > 0);
    Schedule({now() + interval, slot, nullptr, 0, 0, EventKind::Generation});
  }

  void OnQueueEntry(int slot, RequestRecord* request) {
    QueueRecord& q = Queue(slot);
    QueueRunState& qs = queue_run_[slot];
    if (qs.cur_len < capacity_[slot]) {
      const int place = occupied_[slot].LowestFree(capacity_[slot]);
      ++qs.cur_len;
      q.stats.len_area += (now() - qs.last_change) * (qs.cur_len - 1);
      ++q.stats.entries;
      qs.last_change = now();
      if (qs.cur_len > q.stats.max_len)
        q.stats.max_len = qs.cur_len;
      qs.slots[place] = request;
      qs.tickets[place] = q.stats.entries;
      occupied_[slot].Take(place);
      waiting_[slot].Add(place, request->priority, q.stats.entries);
      request->stamp = now();
      ScheduleNow(slot, EventKind::QueueExit);
      if (statistics_ != nullptr)
        statistics_->Arrived(slot, now(), true, qs.cur_len);
    } else if (!store_.settings.process_all) {
      ++q.stats.refusals;
      if (statistics_ != nullptr)
        statistics_->Arrived(slot, now(), false, qs.cur_len);
      request->refused = true;
      ScheduleNow(kTerminatorElement, EventKind::Removal, request);
    } else {
      Schedule(
          {now() + store_.settings.retry_interval, slot, request, 0, 0, EventKind::QueueEntry});
    }
  }

  void OnQueueExit(int slot) {
    QueueRecord& q = Queue(slot);
    QueueRunState& qs = queue_run_[slot];
    if (qs.cur_len < 1)
      return;
    const int place = waiting_[slot].TakeFirst();
    const RouteTable::Route& route = PickRoute(q, slot);
    RequestRecord* request = qs.slots[place];
    request->ticket = qs.tickets[place];
    qs.slots[place] = nullptr;
    occupied_[slot].Free(place);
    --qs.cur_len;
    q.stats.len_area += (now() - qs.last_change) * (qs.cur_len + 1);
    qs.last_change = now();
    if (statistics_ != nullptr)
      statistics_->QueueLength(slot, now(), qs.cur_len);
    SendAlongRoute(route, request, slot, place);
  }

  void OnServiceStart(int slot, int from_queue, int from_place, RequestRecord* request) {
    DeviceRecord& d = Device(slot);
    DeviceRunState& ds = device_run_[slot];
    if (ds.free_channels <= 0) {
      Schedule({RetryTime(EarliestRelease(slot)), from_queue, nullptr, 0, 0, EventKind::QueueExit});
      ReturnToQueue(from_queue, from_place, request);
      return;
    }
    const int k = channel_count_[slot];
    const int channel = busy_[slot].LowestFree(k);
    busy_[slot].Take(channel);
    --ds.free_channels;
    ds.channels[channel] = request;
    request->channel = channel;
    d.stats.busy_area += (now() - ds.last_change) * (k - ds.free_channels - 1);
    ds.last_change = now();
    QueueRecord& q = Queue(from_queue);
    const double wait = now() - request->stamp;
    if (wait == 0)
      ++q.stats.zero_entries;
    q.stats.sum_wait += wait;
    if (wait > q.stats.max_wait)
      q.stats.max_wait = wait;
    request->stamp = now();
    const double service = random_.Variate(d.rasp, d.v, d.disp);
    d.stats.bad_durations += !(service > 0);
    ds.release_time[channel] = now() + service;
    NoteRelease(slot, channel);
    ++d.stats.starts;
    if (k - ds.free_channels > d.stats.max_busy)
      d.stats.max_busy = k - ds.free_channels;
    Schedule({ds.release_time[channel], slot, request, 0, 0, EventKind::ServiceEnd});
    if (statistics_ != nullptr)
      statistics_->ServiceStarted(slot, from_queue, now(), wait, request->priority,
                                  k - ds.free_channels);
  }

  double EarliestRelease(int slot) const {
    if (channel_count_[slot] > kSearchedChannels)
      return releases_[slot].Earliest();
    double earliest = std::numeric_limits<double>::infinity();
    for (int channel = 1; channel <= channel_count_[slot]; ++channel) {
      earliest = std::min(earliest, device_run_[slot].release_time[channel]);
    }
    return earliest;
  }

  void NoteRelease(int slot, int channel) {
    if (channel_count_[slot] > kSearchedChannels)
      releases_[slot].Set(channel, device_run_[slot].release_time[channel]);
  }

  // Right after the earliest release. From about 2^17 on, adding 1e-11 no longer
  // changes a double, and a retry at the release time itself could be taken before
  // the release and repeat forever; the retry then comes at the next double instead.
  static double RetryTime(double release) {
    const double retry = release + kRetryAfterRelease;
    return retry > release ? retry : std::nextafter(release, INFINITY);
  }

  // A request that found every channel busy waits again with the ticket it got on
  // arrival. Its old place is normally still empty; if another arrival took it in
  // the meantime, the request takes the lowest empty place, or a place beyond the
  // queue's length, so that no waiting request is ever overwritten.
  void ReturnToQueue(int slot, int place, RequestRecord* request) {
    QueueRunState& qs = queue_run_[slot];
    if (qs.slots[place] != nullptr)
      place = occupied_[slot].LowestFree(place_limit_[slot]);
    if (place == 0) {
      if (place_limit_[slot] == kMaxQueuePlaces) {
        // Beyond every place there is: the request leaves unserved.
        request->refused = true;
        ScheduleNow(kTerminatorElement, EventKind::Removal, request);
        return;
      }
      place = ++place_limit_[slot];
    }
    qs.slots[place] = request;
    qs.tickets[place] = request->ticket;
    occupied_[slot].Take(place);
    waiting_[slot].Add(place, request->priority, request->ticket);
    ++qs.cur_len;
    Queue(slot).stats.len_area += (now() - qs.last_change) * (qs.cur_len - 1);
    qs.last_change = now();
    if (statistics_ != nullptr)
      statistics_->QueueLength(slot, now(), qs.cur_len);
  }

  void OnServiceEnd(int slot, RequestRecord* request) {
    DeviceRecord& d = Device(slot);
    DeviceRunState& ds = device_run_[slot];
    const int k = channel_count_[slot];
    const int channel = request->channel;
    if (channel < 1 || channel > k || ds.channels[channel] != request)
      return;  // every ServiceEnd belongs to a request in a channel
    const RouteTable::Route& route = PickRoute(d, slot);
    const RunSettings& settings = store_.settings;
    if (settings.process_all && route.kind == TargetKind::Queue &&
        queue_run_[route.index].cur_len >= capacity_[route.index]) {
      ds.release_time[channel] = now() + settings.retry_interval;
      NoteRelease(slot, channel);
      Schedule({ds.release_time[channel], slot, request, 0, 0, EventKind::ServiceEnd});
      return;
    }
    SendAlongRoute(route, request);
    ds.channels[channel] = nullptr;
    busy_[slot].Free(channel);
    ++ds.free_channels;
    d.stats.service_sum += now() - request->stamp;
    d.stats.busy_area += (now() - ds.last_change) * (k - ds.free_channels + 1);
    ds.last_change = now();
    if (statistics_ != nullptr)
      statistics_->ServiceEnded(slot, now(), now() - request->stamp, k - ds.free_channels);
  }

  void OnRemoval(RequestRecord* request) {
    GeneratorRecord& g = Generator(request->source);
    if (request->refused) {
      ++g.stats.unserved;
    } else {
      ++g.stats.served;
    }
    const double stay = now() - request->birth;
    g.stats.sum_stay += stay;
    if (stay > g.stats.max_stay)
      g.stats.max_stay = stay;
    if (stay < g.stats.min_stay)
      g.stats.min_stay = stay;
    if (statistics_ != nullptr)
      statistics_->Departed(request->source, now(), stay, request->refused);
    pool_.Release(request);
  }

  // Whatever still waits in a place or holds a channel leaves unserved, slot by
  // slot, the queue's places before the device's channels; then, in calendar
  // order, every request on its way to its next event (one that arrives, asks a
  // device for service or is about to be removed at the stopping instant or
  // later), so that every request generated is counted once. A ServiceEnd's
  // request is held by its channel and counted there.
  void RemoveWhatRemains() {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      for (int place = 1; place <= place_limit_[slot]; ++place) {
        RemoveUnserved(queue_run_[slot].slots[place]);
      }
      for (int channel = 1; channel <= channel_count_[slot]; ++channel) {
        RemoveUnserved(device_run_[slot].channels[channel]);
      }
    }
    while (!calendar_.empty()) {
      EventNode event = calendar_.TakeFirst();
      if (event.kind != EventKind::ServiceEnd)
        RemoveUnserved(event.request);
    }
  }

  void RemoveUnserved(RequestRecord*& holder) {
    if (holder == nullptr)
      return;
    holder->refused = true;
    OnRemoval(holder);
    holder = nullptr;
  }

  ModelStore& store_;
  RandomGenerator& random_;
  RunStatistics* statistics_ = nullptr;  // during the event loop of a run only
  GeneratorRecord* generators_;          // the store's tables, slot 1 first
  QueueRecord* queues_;
  DeviceRecord* devices_;
  Calendar calendar_;
  RouteTable routes_;
  RequestPool pool_;
  // Per slot, fixed at the start of a run: the places a queue accepts arrivals
  // into, the places it scans (more only when a returning request needs one), and
  // a device's channels.
  std::array<int, kSlotCount + 1> capacity_{};
  std::array<int, kSlotCount + 1> place_limit_{};
  std::array<int, kSlotCount + 1> channel_count_{};
  // Per slot, indexed by slot number (index 0 unused): what a queue and a device
  // hold while the run goes on. Kept from run to run with the engine, reset at
  // each start; on the heap, as they are too large for a thread's stack.
  std::vector<QueueRunState> queue_run_;
  std::vector<DeviceRunState> device_run_;
  // Per slot, in step with the states above: the taken places of a queue
  // and the order its waiting requests are served in, the busy channels of a
  // device and, for many channels, their earliest release.
  std::array<SlotBits<kMaxQueuePlaces>, kSlotCount + 1> occupied_;
  std::array<WaitingOrder, kSlotCount + 1> waiting_;
  std::array<SlotBits<kMaxChannels>, kSlotCount + 1> busy_;
  std::vector<ReleaseTree> releases_;
};

}  // namespace qsim

#pragma once

#include <cstdint>
#include <memory>

#include "engine/event_calendar.h"
#include "engine/event_observer.h"
#include "engine/random_generator.h"
#include "engine/run_controls.h"
#include "model/model_store.h"

namespace qsim {

template <typename Calendar>
class SimulationEngine;

// Runs a model held in the store. One Simulation lives as long as the store it
// works on; its calendar and request pool are reused from run to run.
class Simulation {
 public:
  Simulation(ModelStore& store, RandomGenerator& random);
  ~Simulation();
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // Resets the run state, lets every generator make its first request at time 0,
  // takes the events in calendar order until the stop condition holds (the
  // calendar runs empty, or an event later than the end time was handled), and
  // removes as unserved whatever still waits or is held by a channel. `protocol`
  // (may be null) sees every event taken. The run ends early at a limit of
  // `controls` (RunOutcome says which).
  //
  // Throws QsimError, before anything is changed, when a route of the model leads
  // nowhere (see FindRouteFault).
  RunResult RunSimulation(EventObserver* protocol, const RunControls& controls = {});

  // As RunSimulation, drawing from replication 0 of the series stream of `seed`
  // (as a series of that seed does); the program's own generator stays where it was.
  RunResult RunSeeded(std::uint32_t seed, EventObserver* protocol,
                      const RunControls& controls = {});

 private:
  ModelStore& store_;
  RandomGenerator& random_;
  std::unique_ptr<SimulationEngine<EventCalendar>> engine_;
};

}  // namespace qsim

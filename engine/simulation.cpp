#include "engine/simulation.h"

#include "engine/simulation_engine.h"
#include "foundation/qsim_error.h"
#include "foundation/vector_state.h"
#include "model/route_check.h"

namespace qsim {

Simulation::Simulation(ModelStore& store, RandomGenerator& random)
    : store_(store),
      random_(random),
      engine_(std::make_unique<SimulationEngine<EventCalendar>>(store, random)) {}

Simulation::~Simulation() = default;

RunResult Simulation::RunSimulation(EventObserver* protocol, const RunControls& controls) {
  if (const auto fault = FindRouteFault(store_))
    throw QsimError(*fault);
  ClearUpperVectorState();
  return engine_->Run(protocol, controls);
}

RunResult Simulation::RunSeeded(std::uint32_t seed, EventObserver* protocol,
                                const RunControls& controls) {
  const RandomGenerator own = random_;
  random_ = RandomGenerator(PhiloxStream(seed, 0));
  try {
    const RunResult result = RunSimulation(protocol, controls);
    random_ = own;
    return result;
  } catch (...) {
    random_ = own;
    throw;
  }
}

}  // namespace qsim

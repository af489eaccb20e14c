#include "engine/simulation.h"

#include "engine/simulation_engine.h"
#include "foundation/qsim_error.h"
#include "foundation/vector_state.h"
#include "model/route_check.h"

namespace qsim {

Simulation::Simulation(ModelStore& store, RandomGenerator& random)
    : store_(store), engine_(std::make_unique<SimulationEngine<EventCalendar>>(store, random)) {}

Simulation::~Simulation() = default;

RunResult Simulation::RunSimulation(EventObserver* protocol, const RunControls& controls) {
  if (const auto fault = FindRouteFault(store_))
    throw QsimError(*fault);
  ClearUpperVectorState();
  return engine_->Run(protocol, controls);
}

}  // namespace qsim

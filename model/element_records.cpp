#include "model/element_records.h"

namespace qsim {
namespace {

template <typename Record>
void ResetCommonDefinition(Record& r) {
  r.name.clear();
  r.xc = r.yc = 0;
  r.transfer = 0;
  r.transitions = TransitionTable{};
}

}  // namespace

void ResetDefinition(GeneratorRecord& g) {
  ResetCommonDefinition(g);
  g.la = 0;
  g.prior = 0;
  g.disp = 0;
  g.rasp = 0;
}

void ResetDefinition(QueueRecord& q) {
  ResetCommonDefinition(q);
  q.len = 0;
  q.discip = kFifo;
}

void ResetDefinition(DeviceRecord& d) {
  ResetCommonDefinition(d);
  d.k = 0;
  d.v = d.disp = 0;
  d.rasp = 0;
}

}  // namespace qsim

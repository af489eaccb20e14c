#include "editor/element_fields.h"

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

// A law typed into the list rather than chosen from it has no code; it is refused
// instead of being stored as a code that no law has.
DistributionKind LawAt(int position) {
  if (position < kUniform || position > kLastDistribution) {
    throw QsimError(std::string("Выберите распределение из списка"_cp));
  }
  return static_cast<DistributionKind>(position);
}

// Codes outside the list show no item.
int PositionOf(DistributionKind kind) {
  return kind <= kLastDistribution ? kind : -1;
}

}  // namespace

GeneratorFields FieldsOf(const GeneratorRecord& g, const NumberFormat& format) {
  return {IntegerText(g.la), PositionOf(g.rasp), NumberText(g.disp, format), IntegerText(g.prior),
          g.name.str()};
}

QueueFields FieldsOf(const QueueRecord& q) {
  std::optional<int> discipline;
  if (q.discip <= kPriorityLifo)
    discipline = q.discip;
  return {IntegerText(q.len), discipline, q.name.str()};
}

DeviceFields FieldsOf(const DeviceRecord& d, const NumberFormat& format) {
  return {NumberText(d.v, format), NumberText(d.disp, format), PositionOf(d.rasp), IntegerText(d.k),
          d.name.str()};
}

void StoreFields(GeneratorRecord& g, const GeneratorFields& fields, FieldOrder order,
                 const NumberFormat& format) {
  if (order == FieldOrder::DoubleClick)
    g.name.assign(fields.name);
  g.la = ParseInteger(fields.la);
  g.rasp = LawAt(fields.distribution);
  g.disp = ParseReal(fields.disp, format);
  g.prior = ParseInteger(fields.prior);
  if (order == FieldOrder::Placement)
    g.name.assign(fields.name);
}

void StoreFields(QueueRecord& q, const QueueFields& fields) {
  q.name.assign(fields.name);
  q.len = ParseInteger(fields.len);
  if (fields.discipline)
    q.discip = static_cast<QueueDiscipline>(*fields.discipline);
}

void StoreFields(DeviceRecord& d, const DeviceFields& fields, const NumberFormat& format) {
  d.name.assign(fields.name);
  d.v = ParseReal(fields.v, format);
  d.disp = ParseReal(fields.disp, format);
  d.rasp = LawAt(fields.distribution);
  d.k = ParseInteger(fields.k);
}

}  // namespace qsim

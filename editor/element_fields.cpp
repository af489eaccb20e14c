#include "editor/element_fields.h"

#include "foundation/code_page.h"
#include "foundation/qsim_error.h"

namespace qsim {
namespace {

// Codes outside the list show no item.
int PositionOf(DistributionKind kind) {
  return kind <= kLastDistribution ? kind : -1;
}

// The fault of a field whose conversion throws: the dialog's check is where the
// conversion error of a field meets the user, so it is caught here.
template <typename Convert>
std::optional<FieldFault> FaultOf(DialogField field, Convert convert) {
  try {
    convert();
  } catch (const QsimError& error) {
    return FieldFault{field, error.what()};
  }
  return std::nullopt;
}

std::optional<FieldFault> IntegerFault(DialogField field, const std::string& text) {
  return FaultOf(field, [&text] { ParseInteger(text); });
}

std::optional<FieldFault> RealFault(DialogField field, const std::string& text,
                                    const NumberFormat& format) {
  return FaultOf(field, [&text, &format] { ParseReal(text, format); });
}

// A list with no item chosen has no law; it is refused instead of being stored
// as a code that no law has.
std::optional<FieldFault> LawFault(int position) {
  if (position >= kUniform && position <= kLastDistribution)
    return std::nullopt;
  return FieldFault{DialogField::Rasp, std::string("Выберите распределение из списка"_cp)};
}

void ThrowIf(const std::optional<FieldFault>& fault) {
  if (fault)
    throw QsimError(fault->message);
}

}  // namespace

GeneratorFields FieldsOf(const GeneratorRecord& g, const NumberFormat& format) {
  return {NumberText(g.la, format), PositionOf(g.rasp), NumberText(g.disp, format), IntegerText(g.prior),
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

std::optional<FieldFault> FirstFault(const GeneratorFields& fields, const NumberFormat& format) {
  if (auto fault = RealFault(DialogField::La, fields.la, format))
    return fault;
  if (auto fault = LawFault(fields.distribution))
    return fault;
  if (auto fault = RealFault(DialogField::Disp, fields.disp, format))
    return fault;
  return IntegerFault(DialogField::Prior, fields.prior);
}

std::optional<FieldFault> FirstFault(const QueueFields& fields) {
  return IntegerFault(DialogField::Len, fields.len);
}

std::optional<FieldFault> FirstFault(const DeviceFields& fields, const NumberFormat& format) {
  if (auto fault = RealFault(DialogField::V, fields.v, format))
    return fault;
  if (auto fault = RealFault(DialogField::Disp, fields.disp, format))
    return fault;
  if (auto fault = LawFault(fields.distribution))
    return fault;
  return IntegerFault(DialogField::K, fields.k);
}

void StoreFields(GeneratorRecord& g, const GeneratorFields& fields, const NumberFormat& format) {
  ThrowIf(FirstFault(fields, format));
  g.la = ParseReal(fields.la, format);
  g.rasp = static_cast<DistributionKind>(fields.distribution);
  g.disp = ParseReal(fields.disp, format);
  g.prior = ParseInteger(fields.prior);
  g.name.assign(fields.name);
}

void StoreFields(QueueRecord& q, const QueueFields& fields) {
  ThrowIf(FirstFault(fields));
  q.len = ParseInteger(fields.len);
  if (fields.discipline)
    q.discip = static_cast<QueueDiscipline>(*fields.discipline);
  q.name.assign(fields.name);
}

void StoreFields(DeviceRecord& d, const DeviceFields& fields, const NumberFormat& format) {
  ThrowIf(FirstFault(fields, format));
  d.v = ParseReal(fields.v, format);
  d.disp = ParseReal(fields.disp, format);
  d.rasp = static_cast<DistributionKind>(fields.distribution);
  d.k = ParseInteger(fields.k);
  d.name.assign(fields.name);
}

}  // namespace qsim

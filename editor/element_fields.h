#pragma once

#include <optional>
#include <string>

#include "foundation/number_format.h"
#include "model/element_records.h"

namespace qsim {

// The element dialogs' fields as the user sees and edits them (Windows-1251
// texts), and how they go back into a record. Storing stops at the first field
// that does not convert (QsimError): the fields stored before it keep their new
// values, the later ones their old ones.

// Which field a generator dialog stores first: adding a generator stores the
// intensity first, editing an existing one the name.
enum class FieldOrder { Placement, DoubleClick };

struct GeneratorFields {
  std::string la;
  int distribution = 0;  // position in the list of laws; -1: a typed text, no item
  std::string disp;
  std::string prior;
  std::string name;
};

struct QueueFields {
  std::string len;
  std::optional<int> discipline;  // the checked button, 0..3; none checked: none
  std::string name;
};

struct DeviceFields {
  std::string v;
  std::string disp;
  int distribution = 0;
  std::string k;
  std::string name;
};

GeneratorFields FieldsOf(const GeneratorRecord& g, const NumberFormat& format);
QueueFields FieldsOf(const QueueRecord& q);
DeviceFields FieldsOf(const DeviceRecord& d, const NumberFormat& format);

// Placement order: la, law, disp, prior, name; double-click order: name first.
void StoreFields(GeneratorRecord& g, const GeneratorFields& fields, FieldOrder order,
                 const NumberFormat& format);
// name, len, discipline (kept when no button is checked).
void StoreFields(QueueRecord& q, const QueueFields& fields);
// name, v, disp, law, k.
void StoreFields(DeviceRecord& d, const DeviceFields& fields, const NumberFormat& format);

}  // namespace qsim

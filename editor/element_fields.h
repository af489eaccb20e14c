#pragma once

#include <optional>
#include <string>

#include "foundation/number_format.h"
#include "model/element_records.h"

namespace qsim {

// The element dialogs' fields as the user sees and edits them (Windows-1251
// texts), and how they go back into a record. A record takes all of its fields
// or none: a dialog is accepted only when every field converts, so that one bad
// field never leaves the element half edited.

struct GeneratorFields {
  std::string la;
  int distribution = 0;  // position in the list of laws; -1: no item chosen
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

// A dialog field that has to convert, named by the record field it fills.
enum class DialogField { La, Rasp, Disp, Prior, Len, V, K };

// The first field, in the order the fields are stored, that does not convert,
// with the conversion's message (Windows-1251).
struct FieldFault {
  DialogField field;
  std::string message;
};

GeneratorFields FieldsOf(const GeneratorRecord& g, const NumberFormat& format);
QueueFields FieldsOf(const QueueRecord& q);
DeviceFields FieldsOf(const DeviceRecord& d, const NumberFormat& format);

// None when every field converts. Generator: la, law, disp, prior; queue: len;
// device: v, disp, law, k.
std::optional<FieldFault> FirstFault(const GeneratorFields& fields, const NumberFormat& format);
std::optional<FieldFault> FirstFault(const QueueFields& fields);
std::optional<FieldFault> FirstFault(const DeviceFields& fields, const NumberFormat& format);

// Stores every field, the name cut to 25 characters; the queue's discipline is
// kept when no button is checked. When a field does not convert, throws the
// first fault's message (QsimError) and leaves the record as it was.
void StoreFields(GeneratorRecord& g, const GeneratorFields& fields, const NumberFormat& format);
void StoreFields(QueueRecord& q, const QueueFields& fields);
void StoreFields(DeviceRecord& d, const DeviceFields& fields, const NumberFormat& format);

}  // namespace qsim

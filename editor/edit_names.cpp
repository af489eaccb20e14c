#include "editor/edit_names.h"

#include "foundation/code_page.h"

namespace qsim {
namespace {

std::string Text(std::string_view cp1251) {
  return std::string(cp1251);
}

std::string TargetText(ElementKind source, TargetKind target, int to) {
  if (source == ElementKind::Generator)
    return Text("очередь "_cp) + std::to_string(to);
  if (source == ElementKind::Queue)
    return Text("устройство "_cp) + std::to_string(to);
  if (target == TargetKind::Queue)
    return Text("очередь "_cp) + std::to_string(to);
  if (target == TargetKind::Terminator)
    return Text("терминатор заявок"_cp);
  return Text("элемент с кодом "_cp) + std::to_string(static_cast<int>(target));
}

}  // namespace

std::string KindGenitive(ElementKind kind) {
  switch (kind) {
    case ElementKind::Generator:
      return Text("генератора "_cp);
    case ElementKind::Queue:
      return Text("очереди "_cp);
    case ElementKind::Device:
      break;
  }
  return Text("устройства "_cp);
}

std::string RouteText(ElementKind source, int from, TargetKind target, int to) {
  return Text("из "_cp) + KindGenitive(source) + std::to_string(from) + Text(" в "_cp) +
         TargetText(source, target, to);
}

std::string PlacementName(ElementKind kind, int slot) {
  return Text("размещение "_cp) + KindGenitive(kind) + std::to_string(slot);
}

std::string ParametersEditName(ElementKind kind, int slot) {
  return Text("изменение параметров "_cp) + KindGenitive(kind) + std::to_string(slot);
}

std::string DeletionName(ElementKind kind, int slot) {
  return Text("удаление "_cp) + KindGenitive(kind) + std::to_string(slot);
}

std::string ConnectionName(ElementKind source, int from, TargetKind target, int to) {
  return Text("добавление перехода "_cp) + RouteText(source, from, target, to);
}

std::string ProbabilityEditName(ElementKind source, int from, TargetKind target, int to) {
  return Text("изменение вероятности перехода "_cp) + RouteText(source, from, target, to);
}

std::string DisconnectionName(ElementKind source, int from, TargetKind target, int to) {
  return Text("удаление перехода "_cp) + RouteText(source, from, target, to);
}

std::string MoveName(DragKind kind, int slot) {
  switch (kind) {
    case DragKind::Generator:
      return Text("перемещение "_cp) + KindGenitive(ElementKind::Generator) + std::to_string(slot);
    case DragKind::Queue:
      return Text("перемещение "_cp) + KindGenitive(ElementKind::Queue) + std::to_string(slot);
    case DragKind::Device:
      return Text("перемещение "_cp) + KindGenitive(ElementKind::Device) + std::to_string(slot);
    case DragKind::Terminator:
      break;
  }
  return Text("перемещение терминатора заявок"_cp);
}

}  // namespace qsim

#include "editor/editor_tools.h"

#include "editor/model_edits.h"
#include "foundation/code_page.h"

namespace qsim {
namespace {

std::string Text(std::string_view cp1251) {
  return std::string(cp1251);
}

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

std::string ConnectCaption(ElementKind source, int from, ElementKind target, int to) {
  if (source == ElementKind::Generator) {
    return Text("Переход из генератора "_cp) + std::to_string(from) + Text(" в очередь "_cp) +
           std::to_string(to);
  }
  if (source == ElementKind::Queue) {
    return Text("Переход из очереди "_cp) + std::to_string(from) + Text(" в устройство "_cp) +
           std::to_string(to);
  }
  if (target == ElementKind::Queue) {
    return Text("Переход из устройства "_cp) + std::to_string(from) + Text(" в очередь "_cp) +
           std::to_string(to);
  }
  return Text("Переход из устройства "_cp) + std::to_string(from) + Text(" в терминатор заявок"_cp);
}

// The element dialogs' captions, the same for adding and for editing.
std::string GeneratorCaption(int slot) {
  return Text("Параметры генератора заявок: "_cp) + std::to_string(slot);
}
std::string QueueCaption(int slot) {
  return Text("Параметры очереди: "_cp) + std::to_string(slot);
}
std::string DeviceCaption(int slot) {
  return Text("Параметры обслуживающего устройства: "_cp) + std::to_string(slot);
}

DragKind DragKindOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::Generator:
      return DragKind::Generator;
    case ElementKind::Queue:
      return DragKind::Queue;
    case ElementKind::Device:
      break;
  }
  return DragKind::Device;
}

}  // namespace

void EditorTools::Toggle(EditorTool tool) {
  bool* flag = nullptr;
  switch (tool) {
    case EditorTool::AddGenerator:
      flag = &state_.add_generator;
      break;
    case EditorTool::AddQueue:
      flag = &state_.add_queue;
      break;
    case EditorTool::AddDevice:
      flag = &state_.add_device;
      break;
    case EditorTool::Connect:
      flag = &state_.connect_armed;
      break;
    case EditorTool::Disconnect:
      flag = &state_.disconnect_armed;
      break;
    case EditorTool::Move:
      flag = &state_.move_armed;
      break;
    case EditorTool::Delete:
      flag = &state_.delete_armed;
      break;
  }
  *flag = !*flag;
  ui_.SetToolDown(tool, *flag);
}

void EditorTools::Click(CanvasPoint p) {
  if (state_.dragging)
    Drop(p);
  Place(EditorTool::AddGenerator, state_.add_generator, ElementKind::Generator, p);
  Place(EditorTool::AddQueue, state_.add_queue, ElementKind::Queue, p);
  Place(EditorTool::AddDevice, state_.add_device, ElementKind::Device, p);
  const ElementHit hit = FindElementAt(store_, p);
  if (InTerminatorBox(store_, p))
    TerminatorClicked();
  if (hit.slot != 0)
    ElementClicked(hit);
}

// The drop also regenerates the text, so that a run right after a move reads the
// element where the user left it.
void EditorTools::Drop(CanvasPoint p) {
  ui_.EraseModel();
  MoveDragged(p);
  ui_.RefreshAfterEdit();
  state_.dragging = false;
  ui_.SetToolDown(EditorTool::Move, false);
}

void EditorTools::MoveDragged(CanvasPoint p) {
  switch (state_.drag_kind) {
    case DragKind::Queue:
      return MoveElement(store_, ElementKind::Queue, state_.selected, p.x, p.y);
    case DragKind::Device:
      return MoveElement(store_, ElementKind::Device, state_.selected, p.x, p.y);
    case DragKind::Generator:
      return MoveElement(store_, ElementKind::Generator, state_.selected, p.x, p.y);
    case DragKind::Terminator:
      store_.term_x = p.x;
      store_.term_y = p.y;
      return;
  }
}

void EditorTools::Place(EditorTool tool, bool& armed, ElementKind kind, CanvasPoint p) {
  if (!armed)
    return;
  const std::optional<int> slot = FreeSlot(store_, kind);
  if (!slot) {
    static const std::string kLimit[] = {
        Text("Количество генераторов в сети не должно превышать "_cp),
        Text("Количество очередей в сети не должно превышать "_cp),
        Text("Количество устройств в сети не должно превышать "_cp)};
    ui_.ShowMessage(kLimit[static_cast<int>(kind)] + std::to_string(kSlotCount));
  } else {
    if (kind == ElementKind::Generator) {
      ui_.EditGeneratorSlot(*slot, GeneratorCaption(*slot), FieldOrder::Placement);
    } else if (kind == ElementKind::Queue) {
      ui_.EditQueueSlot(*slot, QueueCaption(*slot));
    } else {
      ui_.EditDeviceSlot(*slot, DeviceCaption(*slot));
    }
    MoveElement(store_, kind, *slot, p.x, p.y);
    switch (kind) {
      case ElementKind::Generator:
        store_.generator(*slot).exists = true;
        break;
      case ElementKind::Queue:
        store_.queue(*slot).exists = true;
        break;
      case ElementKind::Device:
        store_.device(*slot).exists = true;
        break;
    }
    ui_.RefreshAfterEdit();
  }
  armed = false;
  ui_.SetToolDown(tool, false);
}

void EditorTools::TerminatorClicked() {
  if (state_.move_armed) {
    state_.dragging = true;
    state_.move_armed = false;
    state_.drag_kind = DragKind::Terminator;
  }
  if (state_.connect_source == ElementKind::Device && !state_.connect_armed) {
    Connect(ElementKind::Device, 0);  // the terminator, which has no slot
  }
}

void EditorTools::ElementClicked(const ElementHit& hit) {
  if (state_.move_armed) {
    state_.dragging = true;
    state_.move_armed = false;
    state_.selected = hit.slot;
    state_.drag_kind = DragKindOf(hit.kind);
  }
  if (state_.connect_armed) {
    state_.connect_source = hit.kind;
    state_.connect_armed = false;
    state_.selected = hit.slot;
  }
  const bool recorded = state_.connect_source.has_value() && !state_.connect_armed;
  if (recorded) {
    const ElementKind source = *state_.connect_source;
    if ((source == ElementKind::Generator && hit.kind == ElementKind::Queue) ||
        (source == ElementKind::Queue && hit.kind == ElementKind::Device) ||
        (source == ElementKind::Device && hit.kind == ElementKind::Queue)) {
      Connect(hit.kind, hit.slot);
    }
  }
  if (state_.disconnect_armed)
    Disconnect(hit);
  if (state_.delete_armed)
    Delete(hit);
}

// Connects the recorded source to a queue or device slot, or (a device target
// kind with slot 0) to the terminator. The probability is converted before
// anything changes, so a text that is not a number leaves no half-made
// transition; an element already holding 30 transitions gets none more.
void EditorTools::Connect(ElementKind target_kind, int target_slot) {
  const ElementKind source = *state_.connect_source;
  const int from = state_.selected;
  if (TransferOf(store_, source, from) >= kMaxTransitions) {
    ui_.ShowMessage(Text("Из "_cp) + KindGenitive(source) + std::to_string(from) +
                    Text(" уже выходит 30 переходов: больше добавить нельзя"_cp));
  } else {
    const std::string suggested = NumberText(SuggestedProbability(store_, source, from), format_);
    const std::string text =
        ui_.AskProbability(ConnectCaption(source, from, target_kind, target_slot), suggested);
    const double probability = ParseReal(text, format_);
    const TargetKind target = target_slot == 0                    ? TargetKind::Terminator
                              : target_kind == ElementKind::Queue ? TargetKind::Queue
                                                                  : TargetKind::Device;
    ui_.EraseModel();
    AppendTransition(store_, source, from, target, target_slot == 0 ? 1 : target_slot, probability);
    ui_.RefreshAfterEdit();
  }
  ui_.SetToolDown(EditorTool::Connect, false);
  state_.connect_source.reset();
}

void EditorTools::Disconnect(const ElementHit& hit) {
  const std::vector<std::string> items = TransitionItems(store_, hit.kind, hit.slot, format_);
  if (items.empty())
    return;
  const std::string caption =
      Text("Удаление перехода из "_cp) + KindGenitive(hit.kind) + std::to_string(hit.slot);
  const std::optional<int> chosen = ui_.ChooseTransition(caption, items);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(items.size()))
    return;
  ui_.EraseModel();
  RemoveTransition(store_, hit.kind, hit.slot, *chosen + 1);
  ui_.RefreshAfterEdit();
  ui_.SetToolDown(EditorTool::Disconnect, false);
  state_.disconnect_armed = false;
}

void EditorTools::Delete(const ElementHit& hit) {
  ui_.EraseModel();
  DeleteElement(store_, hit.kind, hit.slot);
  ui_.RefreshAfterEdit();
  ui_.SetToolDown(EditorTool::Delete, false);
  state_.delete_armed = false;
}

void EditorTools::DoubleClick(CanvasPoint p) {
  const ElementHit hit = FindElementAt(store_, p);
  if (hit.slot == 0)
    return;
  switch (hit.kind) {
    case ElementKind::Generator:
      ui_.EditGeneratorSlot(hit.slot, GeneratorCaption(hit.slot), FieldOrder::DoubleClick);
      break;
    case ElementKind::Queue:
      ui_.EditQueueSlot(hit.slot, QueueCaption(hit.slot));
      break;
    case ElementKind::Device:
      ui_.EditDeviceSlot(hit.slot, DeviceCaption(hit.slot));
      break;
  }
  ui_.RefreshAfterEdit();
}

std::string EditorTools::PointerMoved(CanvasPoint p) {
  const ElementHit hit = FindElementAt(store_, p);
  if (state_.dragging) {
    ui_.EraseModel();
    MoveDragged(p);
    ui_.DrawModel();
  }
  return hit.slot == 0 ? std::string() : ElementDescription(store_, hit.kind, hit.slot);
}

void EditorTools::StopMoving() {
  state_.move_armed = false;
  state_.dragging = false;
  ui_.SetToolDown(EditorTool::Move, false);
}

}  // namespace qsim

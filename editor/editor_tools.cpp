#include "editor/editor_tools.h"

#include "editor/edit_names.h"
#include "editor/model_edits.h"
#include "foundation/code_page.h"

namespace qsim {
namespace {

std::string Text(std::string_view cp1251) {
  return std::string(cp1251);
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

// Why a click on an element of `target` kind made no transition from `source`.
std::string WrongTarget(ElementKind source) {
  switch (source) {
    case ElementKind::Generator:
      return Text("Переход из генератора может вести только в очередь"_cp);
    case ElementKind::Queue:
      return Text("Переход из очереди может вести только в устройство"_cp);
    case ElementKind::Device:
      break;
  }
  return Text("Переход из устройства может вести только в очередь или в терминатор заявок"_cp);
}

// A transition into the terminator has no target slot; its index is stored as
// 1, as the reader stores it.
constexpr int kTerminatorIndex = 1;

TargetKind TargetOf(ElementKind kind) {
  return kind == ElementKind::Queue ? TargetKind::Queue : TargetKind::Device;
}

bool CanConnect(ElementKind source, ElementKind target) {
  return (source == ElementKind::Generator && target == ElementKind::Queue) ||
         (source == ElementKind::Queue && target == ElementKind::Device) ||
         (source == ElementKind::Device && target == ElementKind::Queue);
}

// The dialog works on a copy, so that a cancelled one leaves the slot as it was;
// an accepted one replaces the record as one edit. A placed
// element starts from a fresh record, whatever its slot held before.
template <typename Record, typename Edit>
bool EditRecord(Record& record, const CanvasPoint* placed, const std::string& name, EditorUi& ui,
                Edit edit) {
  Record copy = record;
  if (placed != nullptr) {
    ResetDefinition(copy);
    copy.xc = placed->x;
    copy.yc = placed->y;
    copy.exists = true;
  }
  if (!edit(copy))
    return false;
  ui.ApplyEdit(name, [&] { record = copy; });
  return true;
}

// The flag that a tool's button sets; `State` is const or not.
template <typename State>
auto& FlagOf(State& state, EditorTool tool) {
  switch (tool) {
    case EditorTool::AddGenerator:
      return state.add_generator;
    case EditorTool::AddQueue:
      return state.add_queue;
    case EditorTool::AddDevice:
      return state.add_device;
    case EditorTool::Connect:
      return state.connect_armed;
    case EditorTool::Disconnect:
      return state.disconnect_armed;
    case EditorTool::Move:
      return state.move_armed;
    case EditorTool::Delete:
      break;
  }
  return state.delete_armed;
}

}  // namespace

bool EditorTools::IsArmed(EditorTool tool) const {
  if (tool == EditorTool::Connect)
    return state_.connect_armed || state_.connect_source.has_value();
  if (tool == EditorTool::Move)
    return state_.move_armed || state_.dragging;
  return FlagOf(state_, tool);
}

bool EditorTools::AnyToolArmed() const {
  for (int tool = 0; tool <= static_cast<int>(EditorTool::Delete); ++tool) {
    if (IsArmed(static_cast<EditorTool>(tool)))
      return true;
  }
  return false;
}

// One tool at a time: arming a tool disarms every other, and a move under way
// ends where the element stands, as an edit of its own.
void EditorTools::Toggle(EditorTool tool) {
  const bool arm = !IsArmed(tool);
  DisarmAll();
  if (!arm)
    return;
  FlagOf(state_, tool) = true;
  ui_.SetToolDown(tool, true);
  if (state_.connect_armed)
    hint_ = Text("Выберите элемент, из которого выходит переход"_cp);
}

void EditorTools::DisarmAll() {
  AbandonConnect();
  if (state_.dragging) {
    ui_.ApplyEdit(MoveName(state_.drag_kind, state_.selected), [] {});
    state_.dragging = false;
  }
  for (int i = 0; i <= static_cast<int>(EditorTool::Delete); ++i) {
    const auto tool = static_cast<EditorTool>(i);
    FlagOf(state_, tool) = false;
    ui_.SetToolDown(tool, false);
  }
}

void EditorTools::AbandonConnect() {
  state_.connect_armed = false;
  state_.connect_source.reset();
  ui_.SetToolDown(EditorTool::Connect, false);
  hint_.clear();
}

std::optional<ElementHit> EditorTools::ConnectSource() const {
  if (!state_.connect_source || state_.connect_armed)
    return std::nullopt;
  return ElementHit{state_.selected, *state_.connect_source};
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
  // What the click leaves under the pointer is chosen, once no tool waits.
  if (!AnyToolArmed()) {
    const ElementHit chosen = FindElementAt(store_, p);
    selection_ = chosen.slot != 0 ? std::optional(chosen) : std::nullopt;
  }
}

// The drop also regenerates the text, so that a run right after a move reads the
// element where the user left it.
void EditorTools::Drop(CanvasPoint p) {
  ui_.ApplyEdit(MoveName(state_.drag_kind, state_.selected), [&] { MoveDragged(p); });
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
  } else if (!EditSlot(kind, *slot, &p)) {
    return;  // cancelled: nothing placed, the tool stays armed
  }
  armed = false;
  ui_.SetToolDown(tool, false);
}

// Shows the element's dialog; `placed`: a new element at that point.
bool EditorTools::EditSlot(ElementKind kind, int slot, const CanvasPoint* placed) {
  const std::string name =
      placed != nullptr ? PlacementName(kind, slot) : ParametersEditName(kind, slot);
  switch (kind) {
    case ElementKind::Generator:
      return EditRecord(store_.generator(slot), placed, name, ui_, [&](GeneratorRecord& record) {
        return ui_.EditGenerator(record, GeneratorCaption(slot));
      });
    case ElementKind::Queue:
      return EditRecord(store_.queue(slot), placed, name, ui_, [&](QueueRecord& record) {
        return ui_.EditQueue(record, QueueCaption(slot));
      });
    case ElementKind::Device:
      break;
  }
  return EditRecord(store_.device(slot), placed, name, ui_, [&](DeviceRecord& record) {
    return ui_.EditDevice(record, DeviceCaption(slot));
  });
}

void EditorTools::TerminatorClicked() {
  if (state_.move_armed) {
    state_.dragging = true;
    state_.move_armed = false;
    state_.drag_kind = DragKind::Terminator;
  }
  if (!state_.connect_source || state_.connect_armed)
    return;
  if (state_.connect_source == ElementKind::Device)
    Connect(TargetKind::Terminator, kTerminatorIndex);
  else
    hint_ = WrongTarget(*state_.connect_source);
}

void EditorTools::ElementClicked(const ElementHit& hit) {
  if (state_.move_armed) {
    state_.dragging = true;
    state_.move_armed = false;
    state_.selected = hit.slot;
    state_.drag_kind = DragKindOf(hit.kind);
  }
  if (state_.connect_armed)
    RecordSource(hit);
  else if (state_.connect_source)
    ConnectTo(hit);
  if (state_.disconnect_armed)
    Disconnect(hit);
  if (state_.delete_armed)
    Delete(hit);
}

void EditorTools::RecordSource(const ElementHit& hit) {
  state_.connect_source = hit.kind;
  state_.connect_armed = false;
  state_.selected = hit.slot;
  hint_ = Text("Выберите элемент, в который ведет переход"_cp);
}

void EditorTools::ConnectTo(const ElementHit& hit) {
  if (CanConnect(*state_.connect_source, hit.kind))
    Connect(TargetOf(hit.kind), hit.slot);
  else
    hint_ = WrongTarget(*state_.connect_source);
}

// Connects the recorded source to a queue or device slot, or to the terminator.
// The probability is converted before anything changes, so a text that is not a
// number leaves no half-made transition; an element already holding 30
// transitions gets none more.
void EditorTools::Connect(TargetKind target, int target_slot) {
  const ElementKind source = *state_.connect_source;
  const int from = state_.selected;
  if (TransferOf(store_, source, from) >= kMaxTransitions) {
    ui_.ShowMessage(Text("Из "_cp) + KindGenitive(source) + std::to_string(from) +
                    Text(" уже выходит 30 переходов: больше добавить нельзя"_cp));
  } else {
    const std::string suggested = NumberText(SuggestedProbability(store_, source, from), format_);
    const std::optional<std::string> text = ui_.AskProbability(
        Text("Переход "_cp) + RouteText(source, from, target, target_slot), suggested);
    if (!text)
      return;  // cancelled: the source stays recorded
    const double probability = ParseReal(*text, format_);
    ui_.ApplyEdit(ConnectionName(source, from, target, target_slot), [&] {
      AppendTransition(store_, source, from, target, target_slot, probability);
    });
  }
  AbandonConnect();
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
  const TransitionEntry removed = TransitionsOf(store_, hit.kind, hit.slot)[*chosen + 1];
  ui_.ApplyEdit(DisconnectionName(hit.kind, hit.slot, removed.kind, removed.index),
                [&] { RemoveTransition(store_, hit.kind, hit.slot, *chosen + 1); });
  ui_.SetToolDown(EditorTool::Disconnect, false);
  state_.disconnect_armed = false;
}

void EditorTools::Delete(const ElementHit& hit) {
  ui_.ApplyEdit(DeletionName(hit.kind, hit.slot),
                [&] { DeleteElement(store_, hit.kind, hit.slot); });
  ui_.SetToolDown(EditorTool::Delete, false);
  state_.delete_armed = false;
}

bool EditorTools::CanPickAt(CanvasPoint p) const {
  return state_.move_armed && (FindElementAt(store_, p).slot != 0 || InTerminatorBox(store_, p));
}

void EditorTools::DoubleClick(CanvasPoint p, int line_tolerance) {
  const ElementHit hit = FindElementAt(store_, p);
  if (hit.slot != 0) {
    EditSlot(hit.kind, hit.slot, nullptr);
    return;
  }
  const TransitionHit line = FindTransitionAt(store_, p, line_tolerance);
  if (line.slot != 0)
    EditProbability(line);
}

bool EditorTools::PickUp(CanvasPoint p) {
  if (AnyToolArmed())
    return false;
  const ElementHit hit = FindElementAt(store_, p);
  if (hit.slot != 0) {
    state_.selected = hit.slot;
    state_.drag_kind = DragKindOf(hit.kind);
  } else if (InTerminatorBox(store_, p)) {
    state_.drag_kind = DragKind::Terminator;
  } else {
    return false;
  }
  state_.dragging = true;
  return true;
}

std::optional<ElementHit> EditorTools::Selection() const {
  if (selection_ && store_.InUse(selection_->kind, selection_->slot))
    return selection_;
  return std::nullopt;
}

void EditorTools::DeleteSelection() {
  if (const std::optional<ElementHit> chosen = Selection())
    DeleteElementAt(*chosen);
}

void EditorTools::EditElement(const ElementHit& hit) {
  EditSlot(hit.kind, hit.slot, nullptr);
}

void EditorTools::ConnectFrom(const ElementHit& hit) {
  DisarmAll();
  RecordSource(hit);
  ui_.SetToolDown(EditorTool::Connect, true);
}

void EditorTools::DeleteElementAt(const ElementHit& hit) {
  DisarmAll();
  Delete(hit);
  selection_.reset();
}

void EditorTools::EditProbability(const TransitionHit& hit) {
  TransitionEntry& route = TransitionsOf(store_, hit.source, hit.slot)[hit.number];
  const std::optional<std::string> text = ui_.AskProbability(
      Text("Переход "_cp) + RouteText(hit.source, hit.slot, route.kind, route.index),
      NumberText(route.prob, format_));
  if (!text)
    return;
  const double probability = ParseReal(*text, format_);
  ui_.ApplyEdit(ProbabilityEditName(hit.source, hit.slot, route.kind, route.index),
                [&] { route.prob = probability; });
}

void EditorTools::DisconnectTransition(const TransitionHit& hit) {
  const TransitionEntry removed = TransitionsOf(store_, hit.source, hit.slot)[hit.number];
  ui_.ApplyEdit(DisconnectionName(hit.source, hit.slot, removed.kind, removed.index),
                [&] { RemoveTransition(store_, hit.source, hit.slot, hit.number); });
}

std::string EditorTools::PointerMoved(CanvasPoint p) {
  const std::string description = DescribeAt(p);
  if (state_.dragging) {
    ui_.Redraw([&] { MoveDragged(p); });
  }
  return description;
}

std::string EditorTools::DescribeAt(CanvasPoint p) const {
  const ElementHit hit = FindElementAt(store_, p);
  return hit.slot == 0 ? std::string() : ElementDescription(store_, hit.kind, hit.slot);
}

void EditorTools::StopMoving() {
  state_.move_armed = false;
  state_.dragging = false;
  ui_.SetToolDown(EditorTool::Move, false);
}

}  // namespace qsim

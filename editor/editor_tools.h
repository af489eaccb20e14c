#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/hit_test.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// The tools of the visual editor's bottom tool bar, in their order on the bar.
enum class EditorTool { AddGenerator, AddQueue, AddDevice, Connect, Disconnect, Move, Delete };
inline constexpr std::size_t kEditorToolCount = 7;

// What is being dragged by the move tool.
enum class DragKind { Queue, Device, Generator, Terminator };

// The armed tools and the connection or move in progress. Tools are independent
// flags: several may be armed, and one click runs every stage they ask for.
struct EditorToolState {
  bool add_generator = false;
  bool add_queue = false;
  bool add_device = false;
  bool connect_armed = false;                 // waits for the source element
  std::optional<ElementKind> connect_source;  // recorded source of a connection
  bool disconnect_armed = false;
  bool delete_armed = false;
  bool move_armed = false;  // waits for the element to pick up
  bool dragging = false;    // the picked element follows the pointer
  DragKind drag_kind = DragKind::Queue;
  int selected = 0;  // the moved element's slot, or the connect source's
};

// What the tools need from the window: the element dialogs, the two small
// dialogs, messages, the drawing passes and the tool buttons. Texts are
// Windows-1251. Every dialog can be cancelled, and a cancelled dialog changes
// nothing.
class EditorUi {
 public:
  virtual ~EditorUi() = default;
  // Fill the dialog from the record and show it; when the user accepts it (only
  // possible once every field converts), store the fields into the record and
  // return true. Cancelled: false, the record untouched.
  virtual bool EditGenerator(GeneratorRecord& record, const std::string& caption) = 0;
  virtual bool EditQueue(QueueRecord& record, const std::string& caption) = 0;
  virtual bool EditDevice(DeviceRecord& record, const std::string& caption) = 0;
  // The probability text the user accepted (it converts to a real); none when
  // the dialog was cancelled.
  virtual std::optional<std::string> AskProbability(const std::string& caption,
                                                    const std::string& suggested) = 0;
  // The position (from 0) of the chosen item; none when the dialog was cancelled.
  virtual std::optional<int> ChooseTransition(const std::string& caption,
                                              const std::vector<std::string>& items) = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  // Runs `change` on the store between the two drawing passes: the picture is
  // erased while the store still describes it and drawn from the store changed.
  virtual void Redraw(const std::function<void()>& change) = 0;
  // An edit of the model: `change` redrawn as above, then committed as the step
  // `name` ("удаление очереди 2"), which regenerates the model text and lets the
  // user undo it.
  virtual void ApplyEdit(const std::string& name, const std::function<void()>& change) = 0;
  virtual void SetToolDown(EditorTool tool, bool down) = 0;
};

// The mouse side of the visual editor, working on the store in place.
class EditorTools {
 public:
  EditorTools(ModelStore& store, EditorUi& ui, const NumberFormat& format)
      : store_(store), ui_(ui), format_(format) {}

  // A tool button: toggles its flag and sets the button to match. A connection
  // in progress ends when its button is raised or another tool is chosen.
  void Toggle(EditorTool tool);

  // Forgets the connection in progress (Escape): no source, the button raised.
  void AbandonConnect();

  // A click at the canvas point: the drop, the three additions, then what the
  // element or terminator under the point asks of the armed tools.
  void Click(CanvasPoint p);

  // True when a click at the point would pick something up for moving: a drag
  // that starts there is that click, and its release the drop.
  bool CanPickAt(CanvasPoint p) const;

  // A double click: edits the element under the point in its dialog. The click
  // that comes before it has already run.
  void DoubleClick(CanvasPoint p);

  // A pointer move: drags what is being moved; returns the description of the
  // element under the pointer (empty over empty canvas and the terminator).
  std::string PointerMoved(CanvasPoint p);

  // The description of the element under the point, as the status bar shows it.
  std::string DescribeAt(CanvasPoint p) const;

  // The recorded source of a connection in progress, if any.
  std::optional<ElementHit> ConnectSource() const;

  // What the connect tool asks for next, or why the last click connected
  // nothing; empty when no connection is under way.
  const std::string& Hint() const { return hint_; }

  // Leaving and re-entering the visual editor ends a move.
  void StopMoving();

  const EditorToolState& state() const { return state_; }

 private:
  void Drop(CanvasPoint p);
  void Place(EditorTool tool, bool& armed, ElementKind kind, CanvasPoint p);
  bool EditSlot(ElementKind kind, int slot, const CanvasPoint* placed);
  void RecordSource(const ElementHit& hit);
  void ConnectTo(const ElementHit& hit);
  void TerminatorClicked();
  void ElementClicked(const ElementHit& hit);
  void Connect(TargetKind target, int target_slot);
  void Disconnect(const ElementHit& hit);
  void Delete(const ElementHit& hit);
  void MoveDragged(CanvasPoint p);

  ModelStore& store_;
  EditorUi& ui_;
  NumberFormat format_;
  EditorToolState state_;
  std::string hint_;
};

}  // namespace qsim

#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/hit_test.h"
#include "editor/link_paths.h"
#include "foundation/number_format.h"
#include "model/model_store.h"

namespace qsim {

// The tools of the visual editor's bottom tool bar, in their order on the bar.
enum class EditorTool { AddGenerator, AddQueue, AddDevice, Connect, Disconnect, Move, Delete };
inline constexpr std::size_t kEditorToolCount = 7;

// What is being dragged by the move tool.
enum class DragKind { Queue, Device, Generator, Terminator };

// The armed tool and the connection or move in progress. At most one tool is
// armed at a time; one click runs every stage that the armed tool asks for.
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

  // A tool button: arms the tool, or disarms it when it was armed, and sets the
  // buttons to match. Every other tool is disarmed first: a connection in
  // progress ends, a move ends where the element stands.
  void Toggle(EditorTool tool);

  // True while the tool's button is down: armed, or its connection or move under way.
  bool IsArmed(EditorTool tool) const;
  bool AnyToolArmed() const;

  // Escape: every tool disarmed, as Toggle does before it arms one.
  void DisarmAll();

  // Forgets the connection in progress (Escape): no source, the button raised.
  void AbandonConnect();

  // A click at the canvas point: the drop, the three additions, then what the
  // element or terminator under the point asks of the armed tools.
  void Click(CanvasPoint p);

  // True when a click at the point would pick something up for moving: a drag
  // that starts there is that click, and its release the drop.
  bool CanPickAt(CanvasPoint p) const;

  // A double click: edits the element under the point in its dialog, or else
  // the probability of the transition whose line passes within
  // `line_tolerance` pixels. The click that comes before it has already run.
  void DoubleClick(CanvasPoint p, int line_tolerance = 2);

  // Direct manipulation, with no tool armed. A drag that starts on an element
  // or the terminator picks it up as the move tool does, and the click that
  // ends it drops it; true when something was picked up.
  bool PickUp(CanvasPoint p);
  // The element that the last click with no tool armed chose, while it exists.
  std::optional<ElementHit> Selection() const;
  // Deletes the chosen element as the delete tool does; nothing when none is chosen.
  void DeleteSelection();
  // The commands of an element's context menu: its dialog, a connection from
  // it (the next click on a target ends it, as with the connect tool) and its
  // deletion.
  void EditElement(const ElementHit& hit);
  void ConnectFrom(const ElementHit& hit);
  void DeleteElementAt(const ElementHit& hit);
  // The commands of a transition's context menu: its probability in the
  // probability dialog, and its removal as the disconnect tool removes it.
  void EditProbability(const TransitionHit& hit);
  void DisconnectTransition(const TransitionHit& hit);

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
  std::optional<ElementHit> selection_;
  std::string hint_;
};

}  // namespace qsim

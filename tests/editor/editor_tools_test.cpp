#include "editor/editor_tools.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editor/model_edits.h"
#include "foundation/code_page.h"
#include "tests/support/placed_elements.h"

namespace qsim {
namespace {

using Lines = std::vector<std::string>;

// Records what the tools asked of the window, in UTF-8, and answers from a script.
class FakeUi : public EditorUi {
 public:
  bool EditGenerator(GeneratorRecord& record, const std::string& caption) override {
    return Edit(record, caption, "la " + std::to_string(record.la));
  }
  bool EditQueue(QueueRecord& record, const std::string& caption) override {
    return Edit(record, caption, "len " + std::to_string(record.len));
  }
  bool EditDevice(DeviceRecord& record, const std::string& caption) override {
    return Edit(record, caption, "k " + std::to_string(record.k));
  }
  std::optional<std::string> AskProbability(const std::string& caption,
                                            const std::string& suggested) override {
    Log(caption + " [" + suggested + "]");
    return probability;
  }
  std::optional<int> ChooseTransition(const std::string& caption, const Lines& items) override {
    std::string line = caption;
    for (const std::string& item : items)
      line += " | " + item;
    Log(line);
    return choice;
  }
  void ShowMessage(const std::string& text) override { Log("message: " + text); }
  void Redraw(const std::function<void()>& change) override {
    ++erased;
    change();
    ++drawn;
  }
  void ApplyEdit(const std::string&, const std::function<void()>& change) override {
    ++erased;
    change();
    ++refreshed;
  }
  void SetToolDown(EditorTool tool, bool down) override { buttons[static_cast<int>(tool)] = down; }

  Lines log;
  // What the element dialogs were filled with: name, transitions, a parameter.
  Lines given;
  bool accept = true;            // the element dialogs: OK, or cancelled
  std::string new_name = "new";  // what OK stores as the name
  std::optional<std::string> probability = "1";
  std::optional<int> choice = 0;
  int erased = 0;
  int drawn = 0;
  int refreshed = 0;
  bool buttons[kEditorToolCount] = {};

 private:
  void Log(const std::string& cp1251) { log.push_back(Cp1251ToUtf8(cp1251)); }

  template <typename Record>
  bool Edit(Record& record, const std::string& caption, const std::string& parameter) {
    Log(caption);
    given.push_back(record.name.str() + ", transfer " + std::to_string(record.transfer) + ", " +
                    parameter);
    if (accept)
      record.name.assign(new_name);
    return accept;
  }
};

class EditorToolsTest : public ::testing::Test {
 protected:
  GeneratorRecord& AddGenerator(int slot, int x, int y) {
    return test_support::PlaceGenerator(*store_, slot, x, y);
  }
  QueueRecord& AddQueue(int slot, int x, int y) {
    return test_support::PlaceQueue(*store_, slot, x, y);
  }
  DeviceRecord& AddDevice(int slot, int x, int y, int k) {
    return test_support::PlaceDevice(*store_, slot, x, y, k);
  }

  std::unique_ptr<ModelStore> store_ = std::make_unique<ModelStore>();
  FakeUi ui_;
  EditorTools tools_{*store_, ui_, NumberFormat{','}};
};

TEST_F(EditorToolsTest, HitBoxesAndTheirOrder) {
  AddGenerator(5, 100, 100);
  AddQueue(7, 100, 100);
  EXPECT_EQ(FindElementAt(*store_, {105, 105}).kind, ElementKind::Queue);
  store_->queue(7).exists = false;
  AddQueue(5, 100, 100);
  const ElementHit hit = FindElementAt(*store_, {100, 100});
  EXPECT_EQ(hit.slot, 5);
  EXPECT_EQ(hit.kind, ElementKind::Generator);
  AddDevice(1, 300, 300, 3);
  EXPECT_EQ(FindElementAt(*store_, {315, 290}).slot, 1);
  EXPECT_EQ(FindElementAt(*store_, {315, 320}).slot, 1);
  EXPECT_EQ(FindElementAt(*store_, {316, 320}).slot, 0);
  EXPECT_EQ(FindElementAt(*store_, {315, 321}).slot, 0);
  store_->device(1).k = 1;
  EXPECT_EQ(FindElementAt(*store_, {315, 299}).slot, 0);
  EXPECT_EQ(FindElementAt(*store_, {315, 310}).slot, 1);
  store_->device(1).k = 0;  // a new device: picked with the one-channel box
  EXPECT_EQ(FindElementAt(*store_, {315, 310}).slot, 1);
  EXPECT_EQ(FindElementAt(*store_, {315, 311}).slot, 0);
  EXPECT_EQ(FindElementAt(*store_, {315, 299}).slot, 0);
  store_->term_x = 500;
  store_->term_y = 500;
  EXPECT_EQ(FindElementAt(*store_, {505, 505}).slot, 0);
  EXPECT_TRUE(InTerminatorBox(*store_, {515, 510}));
}

TEST_F(EditorToolsTest, AClickWithNoToolChangesNothing) {
  AddQueue(1, 10, 10);
  tools_.Click({12, 12});
  tools_.Click({500, 500});
  EXPECT_TRUE(ui_.log.empty());
  EXPECT_EQ(ui_.erased + ui_.refreshed, 0);
}

// One tool at a time: a tool left armed (its dialog cancelled, or Escape
// pressed) is disarmed by the next, and the click runs only the last one.
TEST_F(EditorToolsTest, ArmingAToolDisarmsEveryOther) {
  AddGenerator(1, 10, 10);
  struct Case {
    EditorTool first;
    bool cancel_first;  // click once with the first tool and cancel its dialog
    bool escape;
    EditorTool second;
    Lines log;
  };
  const Case cases[] = {
      {EditorTool::AddGenerator,
       true,
       false,
       EditorTool::AddDevice,
       {"Параметры генератора заявок: 2", "Параметры обслуживающего устройства: 1"}},
      {EditorTool::Disconnect, false, true, EditorTool::Connect, {}},
      {EditorTool::Delete, false, false, EditorTool::Move, {}},
  };
  for (const Case& c : cases) {
    ui_.log.clear();
    tools_.Toggle(c.first);
    if (c.cancel_first) {
      ui_.accept = false;
      tools_.Click({12, 12});
      ui_.accept = true;
    }
    if (c.escape)
      tools_.DisarmAll();
    tools_.Toggle(c.second);
    tools_.Click({12, 12});
    EXPECT_EQ(ui_.log, c.log);
    EXPECT_FALSE(ui_.buttons[static_cast<int>(c.first)]);
    EXPECT_FALSE(tools_.IsArmed(c.first));
    tools_.DisarmAll();
  }
  EXPECT_TRUE(store_->generator(1).exists);
  EXPECT_FALSE(store_->generator(2).exists);
  EXPECT_FALSE(tools_.AnyToolArmed());
}

TEST_F(EditorToolsTest, ARecordedSourceIsShownAndForgottenWhenTheConnectIsLeft) {
  AddGenerator(1, 10, 10);
  const int connect = static_cast<int>(EditorTool::Connect);
  // How a connection in progress is left: another tool, the connect button
  // raised, Escape.
  const std::function<void()> leave[] = {[&] { tools_.Toggle(EditorTool::Connect); },
                                         [&] { tools_.AbandonConnect(); },
                                         [&] { tools_.Toggle(EditorTool::AddQueue); }};
  for (const auto& way : leave) {
    tools_.Toggle(EditorTool::Connect);
    EXPECT_EQ(Cp1251ToUtf8(tools_.Hint()), "Выберите элемент, из которого выходит переход");
    tools_.Click({12, 12});
    ASSERT_TRUE(tools_.ConnectSource());
    EXPECT_EQ(tools_.ConnectSource()->slot, 1);
    EXPECT_EQ(Cp1251ToUtf8(tools_.Hint()), "Выберите элемент, в который ведет переход");
    EXPECT_TRUE(ui_.buttons[connect]);
    way();
    EXPECT_FALSE(tools_.ConnectSource());
    EXPECT_FALSE(tools_.state().connect_armed);
    EXPECT_FALSE(ui_.buttons[connect]);
    EXPECT_EQ(tools_.Hint(), "");
  }
  tools_.Click({200, 10});  // the queue tool armed by the last way
  EXPECT_EQ(ui_.log, (Lines{"Параметры очереди: 1"}));
  EXPECT_EQ(store_->generator(1).transfer, 0);
}

TEST_F(EditorToolsTest, AFullTableShowsItsLimit) {
  for (int slot = 1; slot <= kSlotCount; ++slot)
    AddDevice(slot, 0, 0, 1);
  tools_.Toggle(EditorTool::AddDevice);
  tools_.Click({900, 900});
  EXPECT_EQ(ui_.log, (Lines{"message: Количество устройств в сети не должно превышать 150"}));
  EXPECT_FALSE(tools_.state().add_device);
}

TEST_F(EditorToolsTest, ConnectSuggestsWhatTheSumLacks) {
  GeneratorRecord& g = AddGenerator(1, 10, 10);
  g.transfer = 1;
  g.transitions[1] = {0.75, TargetKind::Queue, 1};
  AddQueue(2, 100, 10);
  AddDevice(3, 200, 10, 1);
  tools_.Toggle(EditorTool::Connect);
  tools_.Click({10, 10});
  tools_.Click({200, 10});  // a device: no transition from a generator
  EXPECT_TRUE(ui_.log.empty());
  EXPECT_EQ(Cp1251ToUtf8(tools_.Hint()), "Переход из генератора может вести только в очередь");
  EXPECT_TRUE(tools_.ConnectSource());
  tools_.Click({100, 10});
  EXPECT_EQ(ui_.log, (Lines{"Переход из генератора 1 в очередь 2 [0,25]"}));
  EXPECT_EQ(g.transfer, 2);
  EXPECT_EQ(g.transitions[2].index, 2);
  EXPECT_EQ(g.transitions[2].prob, 1);
}

TEST_F(EditorToolsTest, ADeviceConnectsToTheTerminator) {
  AddDevice(2, 10, 10, 1);
  store_->term_x = 300;
  store_->term_y = 300;
  ui_.probability = "0,5";
  tools_.Toggle(EditorTool::Connect);
  tools_.Click({10, 10});
  tools_.Click({305, 305});
  EXPECT_EQ(ui_.log, (Lines{"Переход из устройства 2 в терминатор заявок [1]"}));
  EXPECT_EQ(store_->device(2).transitions[1].kind, TargetKind::Terminator);
  EXPECT_EQ(store_->device(2).transitions[1].prob, 0.5);
}

TEST_F(EditorToolsTest, ACancelledProbabilityLeavesTheConnectAsItWas) {
  AddGenerator(1, 10, 10);
  AddQueue(1, 100, 10);
  ui_.probability = std::nullopt;
  tools_.Toggle(EditorTool::Connect);
  tools_.Click({10, 10});
  tools_.Click({100, 10});
  EXPECT_EQ(store_->generator(1).transfer, 0);
  EXPECT_EQ(ui_.erased, 0);
  EXPECT_EQ(tools_.state().connect_source, ElementKind::Generator);
  EXPECT_TRUE(ui_.buttons[static_cast<int>(EditorTool::Connect)]);
}

TEST_F(EditorToolsTest, CancelledElementDialogsChangeNothing) {
  AddQueue(1, 10, 10).name.assign("Q");
  ui_.accept = false;
  tools_.DoubleClick({12, 12});
  tools_.Toggle(EditorTool::AddQueue);
  tools_.Click({300, 300});
  EXPECT_EQ(ui_.log, (Lines{"Параметры очереди: 1", "Параметры очереди: 2"}));
  EXPECT_EQ(store_->queue(1).name.view(), "Q");
  EXPECT_FALSE(store_->queue(2).exists);
  EXPECT_EQ(ui_.erased + ui_.refreshed, 0);
  EXPECT_TRUE(tools_.state().add_queue);  // the tool stays as it was
}

TEST_F(EditorToolsTest, APlacedElementStartsFromAFreshRecord) {
  QueueRecord& old = AddQueue(1, 10, 10);
  old.len = 9;
  old.name.assign("old");
  old.transfer = 1;
  old.transitions[1] = {1, TargetKind::Device, 1};
  old.exists = false;  // what a hand-written text may leave in a free slot
  tools_.Toggle(EditorTool::AddQueue);
  tools_.Click({300, 300});
  EXPECT_EQ(ui_.given, (Lines{", transfer 0, len 0"}));
  EXPECT_TRUE(old.exists);
  EXPECT_EQ(old.name.view(), "new");
  EXPECT_EQ(old.transfer, 0);
  EXPECT_EQ(old.xc, 300);
}

TEST_F(EditorToolsTest, ThirtyTransitionsAreTheLimit) {
  GeneratorRecord& g = AddGenerator(1, 10, 10);
  g.transfer = 30;
  AddQueue(1, 100, 10);
  tools_.Toggle(EditorTool::Connect);
  tools_.Click({10, 10});
  tools_.Click({100, 10});
  EXPECT_EQ(ui_.log,
            (Lines{"message: Из генератора 1 уже выходит 30 переходов: больше добавить нельзя"}));
  EXPECT_EQ(g.transfer, 30);
}

TEST_F(EditorToolsTest, DisconnectListsTransitionsAndRemovesTheChosenOne) {
  DeviceRecord& d = AddDevice(1, 10, 10, 1);
  tools_.Toggle(EditorTool::Disconnect);
  tools_.Click({10, 10});  // no transitions: nothing, still armed
  EXPECT_TRUE(tools_.state().disconnect_armed);
  d.transfer = 2;
  d.transitions[1] = {0.5, TargetKind::Queue, 4};
  d.transitions[2] = {0.5, TargetKind::Terminator, 1};
  ui_.choice = std::nullopt;
  tools_.Click({10, 10});
  EXPECT_EQ(d.transfer, 2);  // cancelled: nothing removed, still armed
  EXPECT_TRUE(tools_.state().disconnect_armed);
  ui_.choice = 0;
  tools_.Click({10, 10});
  EXPECT_EQ(ui_.log.back(),
            "Удаление перехода из устройства 1 | очередь 4 с вер. 0,5 | терминатор с вер. 0,5");
  EXPECT_EQ(d.transfer, 1);
  EXPECT_EQ(d.transitions[1].kind, TargetKind::Terminator);
  EXPECT_FALSE(tools_.state().disconnect_armed);
}

TEST_F(EditorToolsTest, DeletingAQueueRemovesTheTransitionsIntoIt) {
  GeneratorRecord& g = AddGenerator(1, 500, 500);
  g.transfer = 3;
  g.transitions[1] = {0.25, TargetKind::Queue, 4};
  g.transitions[2] = {0.25, TargetKind::Queue, 4};
  g.transitions[3] = {0.5, TargetKind::Queue, 2};
  DeviceRecord& d = AddDevice(1, 600, 600, 1);
  d.transfer = 2;
  d.transitions[1] = {0.5, TargetKind::Queue, 4};
  d.transitions[2] = {0.5, TargetKind::Terminator, 4};
  AddQueue(4, 10, 10).len = 9;
  tools_.Toggle(EditorTool::Delete);
  tools_.Click({10, 10});
  EXPECT_FALSE(store_->queue(4).exists);
  EXPECT_EQ(store_->queue(4).len, 0);
  EXPECT_EQ(g.transfer, 1);
  EXPECT_EQ(g.transitions[1].index, 2);
  EXPECT_EQ(d.transfer, 1);
  EXPECT_EQ(d.transitions[1].kind, TargetKind::Terminator);
  EXPECT_FALSE(tools_.state().delete_armed);
}

TEST_F(EditorToolsTest, DeletingADeviceTouchesOnlyQueueTransitions) {
  QueueRecord& q2 = AddQueue(2, 500, 500);
  q2.transfer = 2;
  q2.transitions[1] = {0.5, TargetKind::Device, 2};
  q2.transitions[2] = {0.5, TargetKind::Device, 3};
  AddDevice(2, 10, 10, 1);
  tools_.Toggle(EditorTool::Delete);
  tools_.Click({10, 10});
  EXPECT_TRUE(q2.exists);
  EXPECT_EQ(q2.transfer, 1);
  EXPECT_EQ(q2.transitions[1].index, 3);
}

TEST_F(EditorToolsTest, AFreedSlotIsTakenFirst) {
  AddQueue(1, 0, 0);
  AddQueue(2, 100, 100);
  AddQueue(3, 200, 200);
  tools_.Toggle(EditorTool::Delete);
  tools_.Click({100, 100});
  tools_.Toggle(EditorTool::AddQueue);
  tools_.Click({300, 300});
  EXPECT_EQ(ui_.log.back(), "Параметры очереди: 2");
  EXPECT_EQ(store_->queue(2).xc, 300);
}

TEST_F(EditorToolsTest, MovingFollowsThePointerAndDropsAtTheClick) {
  AddQueue(4, 10, 10).name.assign("Q1");
  EXPECT_EQ(Cp1251ToUtf8(tools_.PointerMoved({12, 12})), "Очередь 4 (Q1)");
  EXPECT_EQ(tools_.PointerMoved({400, 400}), "");
  EXPECT_FALSE(tools_.CanPickAt({12, 12}));
  tools_.Toggle(EditorTool::Move);
  EXPECT_TRUE(tools_.CanPickAt({12, 12}));
  EXPECT_FALSE(tools_.CanPickAt({400, 400}));
  tools_.Click({12, 12});
  EXPECT_TRUE(tools_.state().dragging);
  EXPECT_TRUE(ui_.buttons[static_cast<int>(EditorTool::Move)]);
  tools_.PointerMoved({50, 60});
  EXPECT_EQ(store_->queue(4).xc, 50);
  EXPECT_EQ(ui_.drawn, 1);
  tools_.Click({70, 80});
  EXPECT_EQ(store_->queue(4).xc, 70);
  EXPECT_EQ(store_->queue(4).yc, 80);
  EXPECT_FALSE(tools_.state().dragging);
  EXPECT_FALSE(ui_.buttons[static_cast<int>(EditorTool::Move)]);
  EXPECT_EQ(ui_.refreshed, 1);  // the drop regenerates the text
}

TEST_F(EditorToolsTest, TheTerminatorCanBeMovedButNotDeleted) {
  store_->term_x = 100;
  store_->term_y = 100;
  tools_.Toggle(EditorTool::Delete);
  tools_.Click({105, 105});
  EXPECT_TRUE(tools_.state().delete_armed);
  tools_.Toggle(EditorTool::Move);
  tools_.Click({105, 105});
  tools_.Click({20, 30});
  EXPECT_EQ(store_->term_x, 20);
  EXPECT_EQ(store_->term_y, 30);
}

TEST_F(EditorToolsTest, DoubleClickEditsTheElementUnderThePoint) {
  AddGenerator(2, 10, 10);
  AddDevice(1, 100, 100, 0);
  store_->term_x = 300;
  store_->term_y = 300;
  tools_.DoubleClick({305, 305});  // the terminator is no element
  tools_.DoubleClick({500, 500});
  EXPECT_TRUE(ui_.log.empty());
  tools_.DoubleClick({12, 12});
  tools_.DoubleClick({100, 100});  // a device without channels too
  EXPECT_EQ(ui_.log,
            (Lines{"Параметры генератора заявок: 2", "Параметры обслуживающего устройства: 1"}));
  EXPECT_EQ(store_->device(1).name.view(), "new");
  EXPECT_EQ(ui_.refreshed, 2);
}

}  // namespace
}  // namespace qsim

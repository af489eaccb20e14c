#include "app/editor_window_ui.h"

#include <QAction>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <utility>

#include "app/device_dialog.h"
#include "app/generator_dialog.h"
#include "app/gui_text.h"
#include "app/probability_dialog.h"
#include "app/queue_dialog.h"
#include "app/transition_dialog.h"
#include "app/window_titles.h"
#include "editor/model_drawing.h"

namespace qsim::gui {

EditorWindowUi::EditorWindowUi(ModelStore& store, RasterCanvas& picture, QWidget& canvas,
                               const EditorDialogs& dialogs, const NumberFormat& format,
                               std::function<void()> regenerate_text)
    : store_(store),
      picture_(picture),
      canvas_(canvas),
      dialogs_(dialogs),
      format_(format),
      regenerate_text_(std::move(regenerate_text)) {}

void EditorWindowUi::EditGeneratorSlot(int slot, const std::string& caption, FieldOrder order) {
  GeneratorRecord& generator = store_.generator(slot);
  dialogs_.generator.Fill(FromCp1251(caption), FieldsOf(generator, format_));
  dialogs_.generator.exec();
  EraseModel();
  StoreFields(generator, dialogs_.generator.Fields(), order, format_);
}

void EditorWindowUi::EditQueueSlot(int slot, const std::string& caption) {
  QueueRecord& queue = store_.queue(slot);
  dialogs_.queue.Fill(FromCp1251(caption), FieldsOf(queue));
  dialogs_.queue.exec();
  EraseModel();
  StoreFields(queue, dialogs_.queue.Fields());
}

void EditorWindowUi::EditDeviceSlot(int slot, const std::string& caption) {
  DeviceRecord& device = store_.device(slot);
  dialogs_.device.Fill(FromCp1251(caption), FieldsOf(device, format_));
  dialogs_.device.exec();
  EraseModel();
  StoreFields(device, dialogs_.device.Fields(), format_);
}

std::string EditorWindowUi::AskProbability(const std::string& caption,
                                           const std::string& suggested) {
  return ToCp1251(dialogs_.probability.Ask(FromCp1251(caption), FromCp1251(suggested)));
}

std::optional<int> EditorWindowUi::ChooseTransition(const std::string& caption,
                                                    const std::vector<std::string>& items) {
  QStringList shown;
  for (const std::string& item : items)
    shown.append(FromCp1251(item));
  return dialogs_.transition.Choose(FromCp1251(caption), shown);
}

void EditorWindowUi::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), FromCp1251(text), QMessageBox::Ok,
                  canvas_.window());
  box.setObjectName(QStringLiteral("EditorMessageBox"));
  box.exec();
}

void EditorWindowUi::EraseModel() {
  qsim::EraseModel(store_, picture_);
  canvas_.update();
}

void EditorWindowUi::DrawModel() {
  qsim::DrawModel(store_, picture_);
  canvas_.update();
}

void EditorWindowUi::RefreshAfterEdit() {
  regenerate_text_();
  DrawModel();
}

void EditorWindowUi::SetToolDown(EditorTool tool, bool down) {
  buttons_[static_cast<int>(tool)]->setChecked(down);
}

}  // namespace qsim::gui

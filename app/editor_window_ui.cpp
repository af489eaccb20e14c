#include "app/editor_window_ui.h"

#include <QAction>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

#include "app/device_dialog.h"
#include "app/generator_dialog.h"
#include "app/gui_text.h"
#include "app/probability_dialog.h"
#include "app/queue_dialog.h"
#include "app/text_pane.h"
#include "app/transition_dialog.h"
#include "app/window_titles.h"
#include "editor/element_fields.h"
#include "editor/model_drawing.h"

namespace qsim::gui {

EditorWindowUi::EditorWindowUi(ModelDocument& document, QPlainTextEdit& text_pane,
                               RasterCanvas& picture, QWidget& canvas, const EditorDialogs& dialogs)
    : document_(document),
      text_pane_(text_pane),
      picture_(picture),
      canvas_(canvas),
      dialogs_(dialogs) {}

bool EditorWindowUi::EditGenerator(GeneratorRecord& record, const std::string& caption) {
  dialogs_.generator.Fill(FromCp1251(caption), FieldsOf(record, document_.format()));
  if (dialogs_.generator.exec() != QDialog::Accepted)
    return false;
  StoreFields(record, dialogs_.generator.Fields(), document_.format());
  return true;
}

bool EditorWindowUi::EditQueue(QueueRecord& record, const std::string& caption) {
  dialogs_.queue.Fill(FromCp1251(caption), FieldsOf(record));
  if (dialogs_.queue.exec() != QDialog::Accepted)
    return false;
  StoreFields(record, dialogs_.queue.Fields());
  return true;
}

bool EditorWindowUi::EditDevice(DeviceRecord& record, const std::string& caption) {
  dialogs_.device.Fill(FromCp1251(caption), FieldsOf(record, document_.format()));
  if (dialogs_.device.exec() != QDialog::Accepted)
    return false;
  StoreFields(record, dialogs_.device.Fields(), document_.format());
  return true;
}

std::optional<std::string> EditorWindowUi::AskProbability(const std::string& caption,
                                                          const std::string& suggested) {
  const std::optional<QString> text =
      dialogs_.probability.Ask(FromCp1251(caption), FromCp1251(suggested));
  if (!text)
    return std::nullopt;
  return ToCp1251(*text);
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

void EditorWindowUi::Redraw(const std::function<void()>& change) {
  EraseModel(document_.store(), picture_);
  change();
  DrawModel(document_.store(), picture_);
  canvas_.update();
}

void EditorWindowUi::ApplyEdit(const std::string& name, const std::function<void()>& change) {
  Redraw(change);
  document_.CommitEdit(name);
  SetPaneLines(text_pane_, document_.lines());
}

void EditorWindowUi::SetToolDown(EditorTool tool, bool down) {
  buttons_[static_cast<int>(tool)]->setChecked(down);
}

}  // namespace qsim::gui

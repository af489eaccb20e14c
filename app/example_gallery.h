#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace qsim::gui {

// The gallery of the bundled examples («Примеры...» in «Файл»): the examples of a
// folder by title (the model files that describe themselves, ExampleHeader), in
// the order of their file names; the chosen one's description and picture show
// before it opens. The examples are read with a decimal point, as they are
// written.
//
// Qt object names: `ExamplesDialog`, `ExamplesList`, `ExampleDescription`,
// `ExamplePicture`, `OpenExampleButton`.
class ExampleGallery : public QDialog {
  Q_OBJECT

 public:
  explicit ExampleGallery(QWidget* parent);

  // Lists the examples of `folder` and shows the gallery modally. Returns the
  // path of the example to open, or an empty text when none is chosen.
  QString Choose(const QString& folder);

 private:
  struct Example {
    QString path;
    QString title;
    QString description;
  };
  void ListExamples(const QString& folder);
  void ShowExample(int row);

  std::vector<Example> examples_;
  QListWidget* list_;
  QPlainTextEdit* description_;
  QLabel* picture_;
};

}  // namespace qsim::gui

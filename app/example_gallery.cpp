#include "app/example_gallery.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "app/gui_text.h"
#include "app/model_file.h"
#include "editor/model_drawing.h"
#include "editor/raster_canvas.h"
#include "foundation/qsim_error.h"
#include "language/example_header.h"
#include "language/model_text_reader.h"

namespace qsim::gui {
namespace {

const QSize kPictureSize(440, 260);
// Room around the outermost glyph centres, so that whole glyphs are shown.
constexpr int kGlyphMargin = 60;

// The part of the canvas that the model's glyphs take, from its top-left corner.
QRect ModelArea(const ModelStore& store) {
  int right = store.term_x;
  int bottom = store.term_y;
  const auto widen = [&](int, const auto& record) {
    right = std::max(right, int(record.xc));
    bottom = std::max(bottom, int(record.yc));
  };
  store.ForEachGenerator(widen);
  store.ForEachQueue(widen);
  store.ForEachDevice(widen);
  return QRect(0, 0, std::min(right + kGlyphMargin, RasterCanvas::kWidth),
               std::min(bottom + kGlyphMargin, RasterCanvas::kHeight));
}

// The example drawn as the visual editor draws it; a null pixmap when it does not read.
QPixmap ExamplePicture(const QString& path) {
  try {
    std::vector<std::string> lines = ReadModelFile(path);
    auto store = std::make_unique<ModelStore>();
    ReadModelText(lines, *store, NumberFormat{'.'});
    const auto canvas = std::make_unique<RasterCanvas>();
    DrawModel(*store, *canvas);
    const RgbImageView view = canvas->image();
    const QImage image(view.bytes.data(), view.width, view.height, view.width * 3,
                       QImage::Format_RGB888);
    return QPixmap::fromImage(image.copy(ModelArea(*store)))
        .scaled(kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  } catch (const QsimError&) {
    return {};
  }
}

}  // namespace

ExampleGallery::ExampleGallery(QWidget* parent)
    : QDialog(parent),
      list_(new QListWidget),
      description_(new QPlainTextEdit),
      picture_(new QLabel) {
  setObjectName(QStringLiteral("ExamplesDialog"));
  setWindowTitle(QStringLiteral("Примеры"));
  list_->setObjectName(QStringLiteral("ExamplesList"));
  description_->setObjectName(QStringLiteral("ExampleDescription"));
  description_->setReadOnly(true);
  picture_->setObjectName(QStringLiteral("ExamplePicture"));
  picture_->setMinimumSize(kPictureSize);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setStyleSheet(QStringLiteral("background: white"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Open)->setText(QStringLiteral("Открыть"));
  buttons->button(QDialogButtonBox::Open)->setObjectName(QStringLiteral("OpenExampleButton"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::currentRowChanged, this, &ExampleGallery::ShowExample);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* shown = new QVBoxLayout;
  shown->addWidget(picture_);
  shown->addWidget(description_);
  auto* columns = new QHBoxLayout;
  columns->addWidget(list_, 2);
  columns->addLayout(shown, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);
}

QString ExampleGallery::Choose(const QString& folder) {
  ListExamples(folder);
  list_->setCurrentRow(examples_.empty() ? -1 : 0);
  if (exec() != QDialog::Accepted || list_->currentRow() < 0)
    return {};
  return examples_[std::size_t(list_->currentRow())].path;
}

void ExampleGallery::ListExamples(const QString& folder) {
  examples_.clear();
  list_->clear();
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
    const QString path = dir.filePath(name);
    try {
      const ExampleHeader header = ReadExampleHeader(ReadModelFile(path));
      if (header.title.empty())
        continue;
      QStringList description;
      for (const std::string& line : header.description)
        description << FromCp1251(line);
      examples_.push_back({path, FromCp1251(header.title), description.join(QLatin1Char(' '))});
    } catch (const QsimError&) {
      continue;  // a file that cannot be read is no example
    }
    list_->addItem(examples_.back().title);
  }
}

void ExampleGallery::ShowExample(int row) {
  if (row < 0 || std::size_t(row) >= examples_.size()) {
    description_->clear();
    picture_->clear();
    return;
  }
  description_->setPlainText(examples_[std::size_t(row)].description);
  picture_->setPixmap(ExamplePicture(examples_[std::size_t(row)].path));
}

}  // namespace qsim::gui

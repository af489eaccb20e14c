#include <QCommandLineParser>

#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "editor/model_drawing.h"
#include "editor/raster_canvas.h"
#include "results/bitmap_file.h"

namespace qsim::cli {

// Writes the picture of a model file, drawn onto a white canvas, as a bitmap file.
int DrawCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  AddNumberOptions(parser);
  const QStringList files =
      ParseCommandLine(parser, arguments, 2, "draw MODEL.txt OUT.bmp [--decimal-separator SEP]");
  const NumberFormat format = NumberFormatFrom(parser);

  const auto store = ReadModelFile(files[0], format);
  auto canvas = std::make_unique<RasterCanvas>();
  DrawModel(*store, *canvas);
  SaveBitmapFile(LocalPath(files[1]), canvas->image());
  return kExitOk;
}

}  // namespace qsim::cli

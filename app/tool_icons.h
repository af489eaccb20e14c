#pragma once

#include <QIcon>

namespace qsim::gui {

// The pictures of the commands and the editing tools.
enum class ToolIcon {
  NewModel,
  OpenModel,
  SaveModel,
  Settings,
  Run,
  Sweep,
  CodeEditor,
  VisualEditor,
  About,
  Help,
  Exit,
  AddGenerator,
  AddQueue,
  AddDevice,
  Connect,
  Disconnect,
  Move,
  Delete,
};

// The desktop theme's icon where the theme has one that fits, else a 16-pixel
// picture of our own. The editing tools always show our own pictures of the glyphs.
QIcon MakeToolIcon(ToolIcon icon);

}  // namespace qsim::gui

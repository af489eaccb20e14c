#pragma once

#include <array>

namespace qsim::gui::names {

// The Qt object names of the windows and of the controls that tests and
// screenshots find. Where a control has a given name of the form definitions
// (`TForm3`, `Memo2`, `ToolButton17`), that name is kept; the constants say the
// role, so that code and tests read by role.

// The main window and its views.
inline constexpr char kMainWindow[] = "TForm1";
inline constexpr char kTextPane[] = "Memo2";
inline constexpr char kCanvas[] = "Image1";
inline constexpr char kMainMenu[] = "MainMenu1";
inline constexpr char kCommandBar[] = "ToolBar1";
inline constexpr char kEditingBar[] = "ToolBar2";
inline constexpr char kStatusBar[] = "StatusBar1";
inline constexpr char kLineCountPanel[] = "Panel0";
inline constexpr char kElementPanel[] = "Panel1";
inline constexpr char kHintPanel[] = "HintPanel";
inline constexpr char kOpenDialog[] = "OpenDialog1";
inline constexpr char kSaveDialog[] = "SaveDialog1";

// The commands of the menu and the command bar.
inline constexpr char kNewModelCommand[] = "NewModelButton";
inline constexpr char kOpenModelCommand[] = "OpenModelButton";
inline constexpr char kExamplesCommand[] = "ExamplesItem";
inline constexpr char kRecentFilesMenu[] = "RecentFilesMenu";
inline constexpr char kSaveModelCommand[] = "SaveModelButton";
inline constexpr char kSettingsCommand[] = "ToolButton10";
inline constexpr char kRunCommand[] = "RunButton";
inline constexpr char kSweepCommand[] = "ToolButton22";
inline constexpr char kAnalysisCommand[] = "AnalysisItem";
inline constexpr char kSweepResultsCommand[] = "SweepResultsItem";
inline constexpr char kCodeEditorCommand[] = "ToolButton11";
inline constexpr char kVisualEditorCommand[] = "ToolButton7";
inline constexpr char kAboutCommand[] = "AboutButton";
inline constexpr char kHelpCommand[] = "HelpItem";
inline constexpr char kExitCommand[] = "ExitItem";
inline constexpr char kEditMenu[] = "EditMenu";
inline constexpr char kUndoItem[] = "UndoItem";
inline constexpr char kRedoItem[] = "RedoItem";

// The editing tools on the bottom bar, in the order of `EditorTool`.
inline constexpr char kAddGeneratorTool[] = "ToolButton14";
inline constexpr char kAddQueueTool[] = "ToolButton12";
inline constexpr char kAddDeviceTool[] = "ToolButton13";
inline constexpr char kConnectTool[] = "ToolButton15";
inline constexpr char kDisconnectTool[] = "ToolButton16";
inline constexpr char kMoveTool[] = "ToolButton17";
inline constexpr char kDeleteTool[] = "ToolButton18";
inline constexpr std::array<const char*, 7> kEditorTools = {
    kAddGeneratorTool, kAddQueueTool, kAddDeviceTool, kConnectTool,
    kDisconnectTool,   kMoveTool,     kDeleteTool};

// The diagram's option, its context menus and the Delete key; the question
// before a rewrite drops lines.
inline constexpr char kDiagramLabelsItem[] = "DiagramLabelsItem";
inline constexpr char kElementMenu[] = "ElementMenu";
inline constexpr char kParametersItem[] = "ParametersItem";
inline constexpr char kConnectItem[] = "ConnectItem";
inline constexpr char kDeleteItem[] = "DeleteItem";
inline constexpr char kTransitionMenu[] = "TransitionMenu";
inline constexpr char kProbabilityItem[] = "ProbabilityItem";
inline constexpr char kDisconnectItem[] = "DisconnectItem";
inline constexpr char kDeleteSelectionShortcut[] = "DeleteSelectionShortcut";
inline constexpr char kDroppedLinesBox[] = "DroppedLinesBox";

// The element dialogs' hint on the chosen law and the ranges beside fields.
inline constexpr char kLawHint[] = "LawHint";
inline constexpr char kChannelsRange[] = "ChannelsRange";
inline constexpr char kLengthRange[] = "LengthRange";

// The dialogs, in the order the window makes them.
inline constexpr char kQueueDialog[] = "TForm4";
inline constexpr char kDeviceDialog[] = "TForm5";
inline constexpr char kProbabilityDialog[] = "TForm6";
inline constexpr char kTransitionDialog[] = "TForm7";
inline constexpr char kAboutDialog[] = "TForm8";
inline constexpr char kSettingsDialog[] = "TForm2";
inline constexpr char kGeneratorDialog[] = "TForm3";
inline constexpr char kFindingsDialog[] = "TForm9";
inline constexpr char kSweepDialog[] = "TForm10";

// The findings dialog: its text, back to editing, go on with the run.
inline constexpr char kFindingsText[] = "Memo1";
inline constexpr char kBackToEditingButton[] = "Button1";
inline constexpr char kContinueButton[] = "Button2";

}  // namespace qsim::gui::names

#pragma once

#include <QKeySequence>
#include <QList>
#include <QStyle>

#include <functional>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QToolBar;
class QWidget;

namespace Korvane {

// Command ids of the main window's menu and toolbar.
enum CommandId : int {
    CmdFileNew = 57600,
    CmdFileOpen = 57601,
    CmdFileSave = 57603,
    CmdFileSaveAs = 57604,
    CmdFilePrint = 57607,
    CmdEditCopy = 57634,
    CmdEditCut = 57635,
    CmdEditPaste = 57637,
    CmdEditUndo = 57643,
    CmdAppAbout = 57664,
    CmdAppExit = 57665,
    CmdViewToolbar = 59392,
    CmdViewStatusBar = 59393,
    CmdViewFrameMonitor = 33000, // ours: the frame monitor dock
    CmdPortConfig = 32773,
    CmdOpenClose = 32815,
    CmdShareMqtt = 33001,     // ours: Config → Share over MQTT
    CmdViewClassroom = 33002, // ours: View → Classroom
};

// A place in a menu the window fills itself: a list that changes, or an action made elsewhere.
enum class MenuPlace { None, Separator, RecentFiles, FrameMonitor, Languages, Products };

// One row of the main window's commands: the menu it is in (none: the toolbar's only), its
// caption and status tip (untranslated; shown through the window's translation), shortcut and
// picture, and whether it starts enabled or is a check box. A row with a place instead of an
// id is where the window puts something of its own.
struct CommandRow {
    const char* menu;
    int id = 0;
    const char* text = nullptr;
    const char* statusTip = nullptr;
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    const char* themeIcon = nullptr;
    QStyle::StandardPixmap icon = QStyle::SP_CustomBase; // SP_CustomBase: no picture
    bool enabled = true;
    bool checkable = false;
    MenuPlace place = MenuPlace::None;
};

// The main window's commands, menu by menu, in the order they are shown.
std::span<const CommandRow> MainCommands();
// The toolbar's commands, left to right; 0 is a separator.
std::span<const int> ToolbarCommands();

// The menus and toolbar made from the table: each command's action (found by its id), its
// caption shown again in the language in use, what it does given by the window.
class CCommandTable {
  public:
    using Fill = std::function<void(MenuPlace place, QMenu* menu)>;
    // Makes the menus on bar and the actions of the toolbar (owned by owner), filling the
    // places by fill.
    CCommandTable(QWidget* owner, QMenuBar* bar, QToolBar* toolbar, const Fill& fill);

    QAction* Action(int id) const;
    // Runs then whenever the command is triggered (checked: its state).
    void OnTriggered(int id, std::function<void(bool checked)> then) const;
    // A caption of the window's own for an action made elsewhere (a dock's toggle).
    void Caption(QAction* action, const char* text);
    // Shows every caption again through the translation in use.
    void Retranslate() const;

  private:
    struct Captioned {
        QAction* action;
        const char* text;
        const char* statusTip;
    };
    QWidget* m_owner;
    std::vector<Captioned> m_captions;
};

} // namespace Korvane

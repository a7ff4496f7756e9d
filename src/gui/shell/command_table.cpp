#include "gui/shell/command_table.h"

#include "gui/common/control_ids.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QWidget>

namespace Korvane {

namespace {

// The window's captions are translated in its own context.
constexpr const char kContext[] = "Korvane::CMainFrame";

constexpr const char* kFile = QT_TRANSLATE_NOOP("Korvane::CMainFrame", "File(&F)");
constexpr const char* kEdit = QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Edit(&E)");
constexpr const char* kView = QT_TRANSLATE_NOOP("Korvane::CMainFrame", "View(&V)");
constexpr const char* kProducts = QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Product Select");
constexpr const char* kConfig = QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Config");
constexpr const char* kHelp = QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Help(&H)");

const CommandRow kCommands[] = {
    {kFile, CmdFileNew, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "New(&N)"),
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Create a new document"), QKeySequence::New, nullptr,
     QStyle::SP_FileIcon},
    {kFile, CmdFileOpen, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Open(&O)..."),
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Open an existing document"), QKeySequence::Open,
     nullptr, QStyle::SP_DialogOpenButton},
    {kFile, CmdFileSave, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Save(&S)"),
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Save the active document"), QKeySequence::Save,
     nullptr, QStyle::SP_DialogSaveButton},
    {kFile, CmdFileSaveAs, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Save As(&A)...")},
    {kFile, 0, nullptr, nullptr, {}, nullptr, {}, true, false, MenuPlace::Separator},
    {kFile, 0, nullptr, nullptr, {}, nullptr, {}, true, false, MenuPlace::RecentFiles},
    {kFile, CmdAppExit, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Exit(&X)")},

    {kEdit, CmdEditUndo, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Undo(&U)"), nullptr,
     QKeySequence::Undo, nullptr, QStyle::SP_CustomBase, false},
    {kEdit, 0, nullptr, nullptr, {}, nullptr, {}, true, false, MenuPlace::Separator},
    {kEdit, CmdEditCut, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Cut(&T)"), nullptr,
     QKeySequence::Cut, "edit-cut", QStyle::SP_TrashIcon, false},
    {kEdit, CmdEditCopy, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Copy(&C)"), nullptr,
     QKeySequence::Copy, "edit-copy", QStyle::SP_FileDialogNewFolder, false},
    {kEdit, CmdEditPaste, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Paste(&P)"), nullptr,
     QKeySequence::Paste, "edit-paste", QStyle::SP_FileDialogContentsView, false},

    {kView,
     CmdViewToolbar,
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Toolbar(&T)"),
     nullptr,
     {},
     nullptr,
     QStyle::SP_CustomBase,
     true,
     true},
    {kView,
     CmdViewStatusBar,
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Status Bar(&S)"),
     nullptr,
     {},
     nullptr,
     QStyle::SP_CustomBase,
     true,
     true},
    {kView, 0, nullptr, nullptr, {}, nullptr, {}, true, false, MenuPlace::FrameMonitor},
    {kView,
     0,
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Language(&L)"),
     nullptr,
     {},
     nullptr,
     {},
     true,
     false,
     MenuPlace::Languages},
    {kView, CmdViewClassroom, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Classroom...")},

    {kProducts, 0, nullptr, nullptr, {}, nullptr, {}, true, false, MenuPlace::Products},

    {kConfig, CmdPortConfig, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Bluetooth/COM Config")},
    {kConfig, CmdShareMqtt, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Share over MQTT...")},

    {kHelp,
     CmdAppAbout,
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "About Korvane(&A)..."),
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Show the program's version"),
     {},
     nullptr,
     QStyle::SP_MessageBoxInformation},

    // The toolbar's own.
    {nullptr,
     CmdFilePrint,
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Print"),
     nullptr,
     {},
     nullptr,
     QStyle::SP_FileDialogDetailedView,
     false},
    {nullptr, CmdOpenClose, QT_TRANSLATE_NOOP("Korvane::CMainFrame", "Open/Close"),
     QT_TRANSLATE_NOOP("Korvane::CMainFrame", "打开或者关闭串口!")},
};

const int kToolbar[] = {CmdFileNew,   CmdFileOpen, CmdFileSave,  0,
                        CmdEditCut,   CmdEditCopy, CmdEditPaste, 0,
                        CmdFilePrint, CmdAppAbout, CmdOpenClose};

// The open/close button's picture: a plug between two line ends, 16 by 15 pixels.
QIcon OpenCloseIcon() {
    QPixmap pm(16, 15);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(60, 120, 200));
    p.drawRect(4, 3, 8, 8);
    p.drawLine(0, 7, 4, 7);
    p.drawLine(12, 5, 15, 5);
    p.drawLine(12, 9, 15, 9);
    return QIcon(pm);
}

QIcon IconOf(const CommandRow& row, QStyle* style) {
    if (row.id == CmdOpenClose)
        return OpenCloseIcon();
    if (row.icon == QStyle::SP_CustomBase)
        return QIcon();
    const QIcon standard = style->standardIcon(row.icon);
    return row.themeIcon ? QIcon::fromTheme(QString::fromLatin1(row.themeIcon), standard)
                         : standard;
}

} // namespace

std::span<const CommandRow> MainCommands() {
    return kCommands;
}

std::span<const int> ToolbarCommands() {
    return kToolbar;
}

CCommandTable::CCommandTable(QWidget* owner, QMenuBar* bar, QToolBar* toolbar, const Fill& fill)
    : m_owner(owner) {
    QMenu* menu = nullptr;
    const char* menuTitle = nullptr;
    for (const CommandRow& row : kCommands) {
        QAction* action = nullptr;
        if (row.menu) {
            if (row.menu != menuTitle) {
                menuTitle = row.menu;
                menu = bar->addMenu(QString());
                Caption(menu->menuAction(), row.menu);
            }
            switch (row.place) {
            case MenuPlace::None:
                action = menu->addAction(IconOf(row, owner->style()), QString());
                break;
            case MenuPlace::Separator:
                menu->addSeparator();
                continue;
            case MenuPlace::Languages: {
                // A sub-menu of its own caption, filled by the window.
                QMenu* sub = menu->addMenu(QString());
                Caption(sub->menuAction(), row.text);
                fill(row.place, sub);
                continue;
            }
            default:
                fill(row.place, menu);
                continue;
            }
        } else {
            action = new QAction(IconOf(row, owner->style()), QString(), owner);
        }
        SetCommandId(action, row.id);
        m_captions.push_back({action, row.text, row.statusTip});
        if (row.key != QKeySequence::UnknownKey)
            action->setShortcut(row.key);
        action->setEnabled(row.enabled);
        if (row.checkable) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    for (int id : kToolbar) {
        if (id == 0)
            toolbar->addSeparator();
        else
            toolbar->addAction(Action(id));
    }
}

QAction* CCommandTable::Action(int id) const {
    return FindCommand(m_owner, id);
}

void CCommandTable::OnTriggered(int id, std::function<void(bool checked)> then) const {
    if (QAction* action = Action(id))
        QObject::connect(action, &QAction::triggered, m_owner, std::move(then));
}

void CCommandTable::Caption(QAction* action, const char* text) {
    m_captions.push_back({action, text, nullptr});
}

void CCommandTable::Retranslate() const {
    for (const Captioned& c : m_captions) {
        c.action->setText(QCoreApplication::translate(kContext, c.text));
        if (c.statusTip)
            c.action->setStatusTip(QCoreApplication::translate(kContext, c.statusTip));
    }
}

} // namespace Korvane

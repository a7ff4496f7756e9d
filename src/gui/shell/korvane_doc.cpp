#include "gui/shell/korvane_doc.h"

#include "core/settings/station_settings.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"

#include <QFile>
#include <QMenu>

namespace Korvane {

CKorvaneDoc::CKorvaneDoc(CMainFrame* frame) : QObject(frame), m_frame(frame) {}

void CKorvaneDoc::OnNew() {
    m_path.clear();
    m_frame->RefreshPanels();
}

void CKorvaneDoc::OnOpen() {
    AskOpenFile(m_frame, tr("Open"), QString(), QString(), [this](const QString& path) {
        if (!path.isEmpty())
            OpenFile(path);
    });
}

void CKorvaneDoc::OpenFile(const QString& path) {
    // The document has no content: opening only renews it and remembers the name.
    m_path = path;
    AddRecent(path);
    m_frame->RefreshPanels();
}

void CKorvaneDoc::OnSave() {
    if (m_path.isEmpty()) {
        OnSaveAs();
        return;
    }
    SaveTo(m_path);
}

void CKorvaneDoc::OnSaveAs() {
    AskSaveFile(m_frame, tr("Save As"), QString(), QString(), [this](const QString& path) {
        if (!path.isEmpty())
            SaveTo(path);
    });
}

bool CKorvaneDoc::SaveTo(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    m_path = path;
    AddRecent(path);
    return true;
}

QStringList CKorvaneDoc::RecentFiles() const {
    return m_frame->Settings().RecentFiles();
}

void CKorvaneDoc::AddRecent(const QString& path) {
    QStringList list = RecentFiles();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kRecentCount)
        list.removeLast();
    m_frame->Settings().SetRecentFiles(list);
    RefreshRecentActions();
}

void CKorvaneDoc::BuildRecentMenu(QMenu* fileMenu, QAction* before) {
    m_fileMenu = fileMenu;
    m_recentAnchor = before;
    RefreshRecentActions();
}

void CKorvaneDoc::RefreshRecentActions() {
    if (!m_fileMenu)
        return;
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList list = RecentFiles();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        QAction* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), m_fileMenu);
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
        m_fileMenu->insertAction(m_recentAnchor, a);
        m_recentActions << a;
    }
    if (!list.isEmpty()) {
        QAction* sep = m_fileMenu->insertSeparator(m_recentAnchor);
        m_recentActions << sep;
    }
}

} // namespace Korvane

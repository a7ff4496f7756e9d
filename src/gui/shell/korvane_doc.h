#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace Korvane {

class CMainFrame;

// The document of the station holds nothing: New and Open renew the empty document, Save
// writes an empty file. It keeps the recent-file list (4 names) in the user's settings.
class CKorvaneDoc : public QObject {
    Q_OBJECT
  public:
    explicit CKorvaneDoc(CMainFrame* frame);

    void OnNew();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OpenFile(const QString& path);
    bool SaveTo(const QString& path);

    QStringList RecentFiles() const;
    // Fills the recent-file entries in the File menu before the given action.
    void BuildRecentMenu(QMenu* fileMenu, QAction* before);

    static constexpr int kRecentCount = 4;

  private:
    void AddRecent(const QString& path);
    void RefreshRecentActions();

    CMainFrame* m_frame;
    QString m_path;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr;
    QList<QAction*> m_recentActions;
};

} // namespace Korvane

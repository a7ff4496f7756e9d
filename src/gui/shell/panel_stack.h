#pragma once

#include <QHash>
#include <QStackedWidget>

namespace Korvane {

class CPanelBase;
class CPanelHost;

// The window's panels, one per dialog id, made on first use and afterwards only hidden and
// shown (a hidden panel keeps its values, its timers and its video). Owns them.
class CPanelStack : public QStackedWidget {
    Q_OBJECT
  public:
    CPanelStack(CPanelHost* host, QWidget* parent);

    // Shows the panel of a dialog id, making it (and running its initial update) on first use;
    // the panel it takes the place of is told it leaves.
    CPanelBase* Show(int dialogId);
    CPanelBase* Current() const;
    // The panel of a dialog id, or null when it has not been made.
    CPanelBase* PanelFor(int dialogId) const { return m_panels.value(dialogId, nullptr); }
    QList<CPanelBase*> Panels() const { return m_panels.values(); }

  private:
    CPanelHost* m_host;
    QHash<int, CPanelBase*> m_panels; // by dialog id
};

} // namespace Korvane

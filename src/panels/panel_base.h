#pragma once

#include <QByteArray>
#include <QWidget>

class QLabel;

namespace Korvane {

// Base of every product panel. Each panel class has one dialog id and at most one live
// instance, which records itself in a process-wide slot so routed frames can find it.
class CPanelBase : public QWidget {
    Q_OBJECT
  public:
    CPanelBase(int dialogId, QWidget* parent);
    ~CPanelBase() override;

    int DialogId() const { return m_dialogId; }

    // A serial frame routed to this panel (on the UI thread); message is the route number.
    virtual void OnRoutedFrame(int message, const QByteArray& frame);
    // Runs when the panel is first created and again when the empty document is renewed.
    virtual void OnInitialUpdate() {}
    // The headless demo: shows what the panel does, as a user would, without a user.
    virtual void StartDemo() {}

    // The live panel of a dialog id, or null.
    static CPanelBase* ForDialog(int dialogId);

  private:
    int m_dialogId;
};

// Shows the logo (bitmap 357) in a picture control sized 200 by 30 pixels.
void ShowLogo(QLabel* picture);

// Creates the panel class of a dialog id (a placeholder for products without a panel yet).
CPanelBase* CreatePanel(int dialogId, QWidget* parent);

} // namespace Korvane

#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace Korvane {

// Gives every key press aimed at a panel or at any of its child controls to the panel first,
// then lets it go on as usual (so a focused button still handles its own keys). A key event
// that bubbles from a child up to its parents is handed to the panel once only.
class CKeyPreFilter : public QObject {
    Q_OBJECT
  public:
    CKeyPreFilter(QWidget* panel, std::function<void(QKeyEvent*)> onKeyDown);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(QKeyEvent*)> m_onKeyDown;
    const QEvent* m_lastEvent = nullptr;
    int m_lastKey = 0;
    quint64 m_lastTimestamp = 0;
};

} // namespace Korvane

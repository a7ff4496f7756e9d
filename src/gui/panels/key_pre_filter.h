#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QWidget;

namespace Korvane {

// Gives every key press aimed at a panel or at any of its child controls (also controls added
// later) to the panel first, exactly once, then lets it go on as usual, so a focused button
// still handles its own keys. Keys typed into a text-entry control (line edit, text edit,
// spin box, editable combo box) stay in the control: typing never drives the car; a focused
// slider keeps the keys it moves by.
class CKeyPreFilter : public QObject {
    Q_OBJECT
  public:
    CKeyPreFilter(QWidget* panel, std::function<void(QKeyEvent*)> onKeyDown);
    ~CKeyPreFilter() override;

    // True for the controls whose keys are text, not commands.
    static bool IsTextEntry(const QWidget* widget);
    // True for the keys a focused slider moves by (arrows, page keys, Home, End): on a slider
    // they move it and do not drive the car; other keys still do.
    static bool IsSliderKey(int key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_panel;
    std::function<void(QKeyEvent*)> m_onKeyDown;
    // The key event seen last and the widget it was seen at. A key event that a child
    // ignores travels on to the child's parents as the same object: seen again at an
    // ancestor of that widget, it is the same press and is not handed over again.
    const QEvent* m_lastEvent = nullptr;
    QPointer<QWidget> m_lastWidget;
};

} // namespace Korvane

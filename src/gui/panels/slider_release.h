#pragma once

#include <QEvent>
#include <QObject>
#include <QSlider>
#include <QTimer>

#include <functional>

namespace Korvane {

// Lets a slider report that the user let go of it, after a drag or a click on its channel
// (moving it with the keyboard is not a release).
class CSliderRelease : public QObject {
  public:
    CSliderRelease(QSlider* slider, std::function<void()> onRelease)
        : QObject(slider), m_onRelease(std::move(onRelease)) {
        slider->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, this, m_onRelease); // after the slider took the release
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_onRelease;
};

} // namespace Korvane

#pragma once

#include <QEvent>
#include <QObject>
#include <QSlider>
#include <QTimer>

#include <functional>

namespace Korvane {

// Lets a slider report that the user let go of it: after a drag or a click on its channel, and
// equally once a value set with the keyboard, the wheel or by assistive technology has settled
// (no further change for kSettleMs), so that each way of moving it sends its frame once. The
// panel's own writes to the slider block its signals and are not a release.
class CSliderRelease : public QObject {
  public:
    static constexpr int kSettleMs = 250;

    CSliderRelease(QSlider* slider, std::function<void()> onRelease)
        : QObject(slider), m_onRelease(std::move(onRelease)) {
        slider->installEventFilter(this);
        m_settle.setSingleShot(true);
        m_settle.setInterval(kSettleMs);
        connect(&m_settle, &QTimer::timeout, this, [this] { m_onRelease(); });
        connect(slider, &QAbstractSlider::valueChanged, this, [this, slider] {
            if (!slider->isSliderDown())
                m_settle.start(); // not a drag: it counts once the value settles
        });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_settle.stop(); // the release says it (a click on the channel moved it too)
            QTimer::singleShot(0, this, m_onRelease); // after the slider took the release
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_onRelease;
    QTimer m_settle;
};

} // namespace Korvane

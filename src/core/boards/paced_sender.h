#pragma once

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

namespace Korvane {

// Runs a panel's sending actions in order, with pauses between some of them, without ever
// blocking the window. An action given while nothing waits runs at once; while a pause is
// pending, actions queue up and run after it, in the order they were given (a click made
// during the LCD's pauses sends after the LCD's frames, as a device expects).
class CPacedSender : public QObject {
    Q_OBJECT
  public:
    explicit CPacedSender(QObject* parent = nullptr);

    // Runs action now, or after the pending pauses and the actions queued before it. Actions
    // and pauses given while an action runs belong to it: they come before anything queued
    // after it (a click's own LCD lines go out before the next click's frames).
    void Run(std::function<void()> action);
    // Makes whatever is given after this wait ms after the actions given before it.
    void Pause(int ms);

    // Whether actions are waiting for a pause to end.
    bool Busy() const { return m_timer.isActive() || !m_queue.empty(); }
    // Drops everything that waits (the panel goes away).
    void Clear();

  private:
    struct Item {
        std::function<void()> action; // empty: a pause of pauseMs
        int pauseMs = 0;
    };
    void Drain();

    void Add(Item item);

    std::deque<Item> m_queue;
    std::deque<Item> m_fromAction; // given by the action that runs now
    QTimer m_timer;
    bool m_draining = false;
    bool m_inAction = false;
};

} // namespace Korvane

#pragma once

#include "core/link/transport.h"

#include <QByteArray>
#include <QObject>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Korvane {

// Cuts the received byte stream into "$...#" frames of at most 81 characters.
// A "$" inside a frame is an ordinary character; bytes outside a frame are ignored.
class CFrameAssembler {
  public:
    CFrameAssembler() { m_pending.reserve(128); }

    // Feeds one byte; returns true when it completed a frame (then LastFrame() holds it).
    bool Feed(char b);

    // Feeds a chunk; calls onFrame for every frame it completes, in order.
    template <typename F> void FeedChunk(const QByteArray& chunk, F&& onFrame) {
        for (char b : chunk)
            if (Feed(b))
                onFrame(m_lastFrame);
    }

    const QByteArray& LastFrame() const { return m_lastFrame; }
    bool Collecting() const { return m_collecting; }
    // Forgets a frame in progress (the link was closed, lost or opened anew).
    void Reset() {
        m_collecting = false;
        m_count = 0;
        m_pending.clear();
    }

  private:
    bool m_collecting = false;
    int m_count = 0;
    QByteArray m_pending;
    QByteArray m_lastFrame;
};

// One frame as the link assembled it, with the time its last byte arrived (ArrivalClockNs).
struct StampedFrame {
    QByteArray bytes;
    qint64 arrivalNs = 0;
};

// First-in-first-out queue of completed frames between the UI thread and the router thread.
// Bounded: beyond the capacity the oldest frame is dropped and counted.
class CFrameQueue {
  public:
    explicit CFrameQueue(std::size_t capacity = 10000) : m_capacity(capacity) {}

    void Append(StampedFrame frame);
    // Waits until frames are queued or Wake() was called; moves every queued frame into out.
    // Returns false when woken with nothing queued.
    bool TakeAll(std::deque<StampedFrame>& out);
    // Releases a waiter of TakeAll (used to stop the router).
    void Wake();

    std::size_t Count() const;
    quint64 Dropped() const;

  private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<StampedFrame> m_frames;
    std::size_t m_capacity;
    quint64 m_dropped = 0;
    bool m_woken = false;
};

// One frame on its way to a panel: the route it takes, its bytes and its arrival time.
struct RoutedFrame {
    int message = 0; // RouteMessage
    QByteArray frame;
    qint64 arrivalNs = 0;
};

// The router thread: takes frames from the queue in arrival order, picks the panel message(s)
// by the product its window has selected at that moment, and hands them to the UI thread in
// batches. Each window has its own router, so one window's product never routes another's
// frames.
// The hand-over (the outbox) is bounded: when the UI thread is behind, the router waits, the
// queue fills, and the queue drops its oldest frames (counted).
class CFrameRouter : public QObject {
    Q_OBJECT
  public:
    // The deliver function runs on the thread of this object (the UI thread); batchDone runs
    // after each batch, so that receivers can write their controls once per batch.
    CFrameRouter(CFrameQueue& queue, std::function<void(const RoutedFrame&)> deliver,
                 std::function<void()> batchDone = {}, QObject* parent = nullptr);
    ~CFrameRouter() override;

    void Start();
    // Stops and joins the router thread; frames still queued stay undelivered.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }
    // The product whose routes apply from now on (-1: none, nothing is delivered). Set on the
    // UI thread, read by the router for each frame.
    void SetProduct(int product) { m_product.store(product, std::memory_order_relaxed); }
    int CurrentProduct() const { return m_product.load(std::memory_order_relaxed); }

    // Delivers what the router has handed over so far (also runs by itself from the event
    // loop), at most kMaxPerTurn frames before it lets the event loop run again. Deliveries
    // never nest: called while a delivery is running (a handler that runs a modal box), it
    // returns at once, and the frames wait, in order, until the running handler returns.
    Q_INVOKABLE void DrainOutbox();

    std::size_t OutboxCount();
    static constexpr std::size_t kOutboxCapacity = 10000;
    static constexpr int kMaxPerTurn = 2000;

  private:
    void Run();

    CFrameQueue& m_queue;
    std::function<void(const RoutedFrame&)> m_deliver;
    std::function<void()> m_batchDone;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_product{-1};
    bool m_delivering = false; // UI thread only

    std::mutex m_outboxMutex;
    std::condition_variable m_outboxRoom;
    std::deque<RoutedFrame> m_outbox; // routed, not yet delivered on the UI thread
    bool m_drainPosted = false;
};

} // namespace Korvane

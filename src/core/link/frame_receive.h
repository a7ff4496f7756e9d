#pragma once

#include "core/link/transport.h"

#include <QByteArray>
#include <QObject>
#include <QVector>

#include <deque>
#include <functional>
#include <vector>

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

// First-in-first-out queue of completed frames between the assembler and the router, both on
// the link's thread. Bounded: beyond the capacity the oldest frame is dropped and counted.
// When the first frame comes into an empty queue (or one whose taker has not come back yet),
// the waker is called once, so the taker runs once per burst, not once per frame.
class CFrameQueue {
  public:
    explicit CFrameQueue(std::size_t capacity = 10000) : m_capacity(capacity) {}

    void Append(StampedFrame frame);
    // Moves up to n of the oldest frames into out; returns how many stay queued. The waker is
    // called again by the next Append only once the queue was taken empty.
    std::size_t TakeUpTo(std::size_t n, std::vector<StampedFrame>& out);
    void SetWaker(std::function<void()> waker) { m_waker = std::move(waker); }
    // Appends without waking: for an owner that drains the queue itself once its chunk of
    // frames is in (the link), so that a frame waits for no turn of the event loop.
    void AppendUntold(StampedFrame frame);

    std::size_t Count() const { return m_frames.size(); }
    quint64 Dropped() const { return m_dropped; }

  private:
    std::deque<StampedFrame> m_frames;
    std::size_t m_capacity;
    quint64 m_dropped = 0;
    bool m_woken = false;
    std::function<void()> m_waker;
};

// One frame on its way to a panel: the route it takes, its bytes and its arrival time.
struct RoutedFrame {
    int message = 0; // RouteMessage
    QByteArray frame;
    qint64 arrivalNs = 0;
};

// The router: takes frames from the queue in arrival order as soon as the chunk that brought
// them has been read (or, for frames queued otherwise, in the next turn of the event loop),
// picks the panel message(s) by the product its window has selected at that moment, and
// delivers them in batches (all frames of a burst in one turn, at most kMaxPerTurn, so input
// and painting are never held up by a backlog). Each window has its own router, so one
// window's product never routes another's frames. Routing is a look-up in the product's row:
// it runs on the link's thread, where the frames are assembled and delivered.
class CFrameRouter : public QObject {
    Q_OBJECT
  public:
    // The deliver function runs on the thread of this object (the UI thread); batchDone runs
    // after each batch, so that receivers can write their controls once per batch.
    CFrameRouter(CFrameQueue& queue, std::function<void(const RoutedFrame&)> deliver,
                 std::function<void()> batchDone = {}, QObject* parent = nullptr);
    ~CFrameRouter() override;

    // Deliveries begin (frames already queued go in the next turn).
    void Start();
    // Deliveries end; frames still queued stay undelivered.
    void Stop();
    bool IsRunning() const { return m_running; }
    // The product whose routes apply from now on (-1: none, nothing is delivered).
    void SetProduct(int product) { m_product = product; }
    int CurrentProduct() const { return m_product; }

    // Delivers what is queued (also runs by itself from the event loop), at most kMaxPerTurn
    // frames before it lets the event loop run again. Deliveries never nest: called while a
    // delivery is running (a handler that runs a modal box), it returns at once, and the
    // frames wait, in order, until the running handler returns.
    Q_INVOKABLE void DrainOutbox();
    // Asks for a delivery in the next turn of the event loop (once, however often asked).
    void DrainNextTurn();

    static constexpr int kMaxPerTurn = 2000;

  private:
    void Post();

    CFrameQueue& m_queue;
    std::function<void(const RoutedFrame&)> m_deliver;
    std::function<void()> m_batchDone;
    int m_product = -1;
    bool m_running = false;
    bool m_delivering = false;
    bool m_turnAsked = false;          // a DrainOutbox is posted and has not run yet
    std::vector<StampedFrame> m_batch; // reused from turn to turn
};

} // namespace Korvane

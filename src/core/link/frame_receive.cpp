#include "core/link/frame_receive.h"

#include "core/link/frames.h"
#include "core/products/catalogue.h"

namespace Korvane {

bool CFrameAssembler::Feed(char b) {
    if (!m_collecting && m_count == 0) {
        if (b != '$')
            return false;
        m_collecting = true;
        m_count = 0;
    }
    if (m_collecting) {
        m_pending.append(b);
        ++m_count;
        if (b == '#') {
            m_lastFrame = m_pending;
            m_pending.clear();
            m_count = 0;
            m_collecting = false;
            return true;
        }
    }
    if (m_count >= kMaxIncomingFrame) {
        // The 81st character was not "#": drop the frame and wait for the next "$".
        m_pending.clear();
        m_count = 0;
        m_collecting = false;
    }
    return false;
}

void CFrameQueue::Append(StampedFrame frame) {
    {
        std::lock_guard lock(m_mutex);
        if (m_frames.size() >= m_capacity) {
            m_frames.pop_front();
            ++m_dropped;
        }
        m_frames.push_back(std::move(frame));
    }
    m_wake.notify_one();
}

bool CFrameQueue::TakeAll(std::deque<StampedFrame>& out) {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_frames.empty() || m_woken; });
    m_woken = false;
    if (m_frames.empty())
        return false;
    if (out.empty()) {
        out.swap(m_frames);
    } else {
        for (auto& f : m_frames)
            out.push_back(std::move(f));
        m_frames.clear();
    }
    return true;
}

void CFrameQueue::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_wake.notify_all();
}

std::size_t CFrameQueue::Count() const {
    std::lock_guard lock(m_mutex);
    return m_frames.size();
}

quint64 CFrameQueue::Dropped() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

CFrameRouter::CFrameRouter(CFrameQueue& queue, std::function<void(const RoutedFrame&)> deliver,
                           std::function<void()> batchDone, QObject* parent)
    : QObject(parent), m_queue(queue), m_deliver(std::move(deliver)),
      m_batchDone(std::move(batchDone)) {}

CFrameRouter::~CFrameRouter() {
    Stop();
}

void CFrameRouter::Start() {
    if (m_thread.joinable())
        return;
    m_stop = false;
    m_thread = std::thread([this] { Run(); });
}

void CFrameRouter::Stop() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_outboxMutex);
        m_stop = true;
    }
    m_outboxRoom.notify_all();
    m_queue.Wake();
    m_thread.join();
}

void CFrameRouter::Run() {
    std::deque<StampedFrame> frames;
    while (!m_stop) {
        if (!m_queue.TakeAll(frames))
            continue;
        std::unique_lock lock(m_outboxMutex);
        for (const StampedFrame& frame : frames) {
            // Each frame goes by the product selected when it is routed.
            const Routes r = RoutesFor(m_product.load(std::memory_order_relaxed), frame.bytes);
            for (int i = 0; i < r.count; ++i) {
                m_outboxRoom.wait(lock,
                                  [this] { return m_stop || m_outbox.size() < kOutboxCapacity; });
                if (m_stop)
                    return;
                m_outbox.push_back({r.message[i], frame.bytes, frame.arrivalNs});
                if (!m_drainPosted) { // one wake-up of the UI thread per batch
                    m_drainPosted = true;
                    // By name: the wake-up carries no data of ours across threads.
                    QMetaObject::invokeMethod(this, "DrainOutbox", Qt::QueuedConnection);
                }
            }
        }
        frames.clear();
    }
}

std::size_t CFrameRouter::OutboxCount() {
    std::lock_guard lock(m_outboxMutex);
    return m_outbox.size();
}

void CFrameRouter::DrainOutbox() {
    if (m_delivering)
        return; // the running delivery takes these frames, in order, when its handler returns
    m_delivering = true;
    std::vector<RoutedFrame> batch;
    {
        std::lock_guard lock(m_outboxMutex);
        const std::size_t n = std::min<std::size_t>(m_outbox.size(), kMaxPerTurn);
        batch.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            batch.push_back(std::move(m_outbox.front()));
            m_outbox.pop_front();
        }
        m_drainPosted = true; // while this runs, the router need not wake the UI thread
    }
    m_outboxRoom.notify_all();
    for (const RoutedFrame& rf : batch)
        m_deliver(rf);
    if (m_batchDone && !batch.empty())
        m_batchDone();
    bool more = false;
    {
        std::lock_guard lock(m_outboxMutex);
        more = !m_outbox.empty();
        m_drainPosted = more;
    }
    m_delivering = false;
    // The rest in a later turn, so that input and painting are not held up by a backlog.
    if (more)
        QMetaObject::invokeMethod(this, "DrainOutbox", Qt::QueuedConnection);
}

} // namespace Korvane

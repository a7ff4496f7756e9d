#include "frame_receive.h"

#include "../app/catalogue.h"
#include "frames.h"

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

void CFrameQueue::Append(const QByteArray& frame) {
    {
        std::lock_guard lock(m_mutex);
        if (m_frames.size() >= m_capacity) {
            m_frames.pop_front();
            ++m_dropped;
        }
        m_frames.push_back(frame);
    }
    m_wake.notify_one();
}

bool CFrameQueue::TakeAll(std::deque<QByteArray>& out) {
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
                           QObject* parent)
    : QObject(parent), m_queue(queue), m_deliver(std::move(deliver)) {}

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
    m_stop = true;
    m_queue.Wake();
    m_thread.join();
}

void CFrameRouter::Run() {
    std::deque<QByteArray> frames;
    std::vector<RoutedFrame> routed;
    while (!m_stop) {
        if (!m_queue.TakeAll(frames))
            continue;
        for (const QByteArray& frame : frames) {
            // Each frame goes by the product selected when it is routed.
            const Routes r = RoutesFor(ProductIndex().load(std::memory_order_relaxed), frame);
            for (int i = 0; i < r.count; ++i)
                routed.push_back({r.message[i], frame});
        }
        frames.clear();
        if (routed.empty())
            continue;
        bool post = false;
        {
            std::lock_guard lock(m_outboxMutex);
            post = m_outbox.empty(); // one wake-up of the UI thread per batch
            for (auto& rf : routed)
                m_outbox.push_back(std::move(rf));
        }
        routed.clear();
        if (post)
            QMetaObject::invokeMethod(this, &CFrameRouter::DrainOutbox, Qt::QueuedConnection);
    }
}

void CFrameRouter::DrainOutbox() {
    std::vector<RoutedFrame> batch;
    {
        std::lock_guard lock(m_outboxMutex);
        batch.swap(m_outbox);
    }
    for (const RoutedFrame& rf : batch)
        m_deliver(rf);
}

} // namespace Korvane

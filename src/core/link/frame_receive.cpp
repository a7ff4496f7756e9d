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
    AppendUntold(std::move(frame));
    if (!m_woken) {
        m_woken = true;
        if (m_waker)
            m_waker();
    }
}

void CFrameQueue::AppendUntold(StampedFrame frame) {
    if (m_frames.size() >= m_capacity) {
        m_frames.pop_front();
        ++m_dropped;
    }
    m_frames.push_back(std::move(frame));
}

std::size_t CFrameQueue::TakeUpTo(std::size_t n, std::vector<StampedFrame>& out) {
    n = std::min(n, m_frames.size());
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(std::move(m_frames.front()));
        m_frames.pop_front();
    }
    if (m_frames.empty())
        m_woken = false;
    return m_frames.size();
}

CFrameRouter::CFrameRouter(CFrameQueue& queue, std::function<void(const RoutedFrame&)> deliver,
                           std::function<void()> batchDone, QObject* parent)
    : QObject(parent), m_queue(queue), m_deliver(std::move(deliver)),
      m_batchDone(std::move(batchDone)) {
    m_queue.SetWaker([this] {
        if (m_running)
            Post();
    });
}

CFrameRouter::~CFrameRouter() {
    m_queue.SetWaker({});
}

void CFrameRouter::Post() {
    if (m_turnAsked)
        return;
    m_turnAsked = true;
    QMetaObject::invokeMethod(this, &CFrameRouter::DrainOutbox, Qt::QueuedConnection);
}

void CFrameRouter::DrainNextTurn() {
    if (m_running)
        Post();
}

void CFrameRouter::Start() {
    if (m_running)
        return;
    m_running = true;
    if (m_queue.Count() > 0)
        Post();
}

void CFrameRouter::Stop() {
    m_running = false;
}

void CFrameRouter::DrainOutbox() {
    m_turnAsked = false;
    if (m_delivering || !m_running)
        return; // a running delivery takes these frames, in order, when its handler returns
    m_delivering = true;
    m_batch.clear();
    const std::size_t left = m_queue.TakeUpTo(kMaxPerTurn, m_batch);
    bool delivered = false;
    for (const StampedFrame& frame : m_batch) {
        // Each frame goes by the product selected when it is routed.
        const Routes r = RoutesFor(m_product, frame.bytes);
        for (int i = 0; i < r.count; ++i) {
            m_deliver({r.message[i], frame.bytes, frame.arrivalNs});
            delivered = true;
        }
    }
    if (m_batchDone && delivered)
        m_batchDone();
    m_delivering = false;
    // The rest in a later turn (also what came while the handlers ran), so that input and
    // painting are not held up by a backlog.
    if ((left > 0 || m_queue.Count() > 0) && m_running)
        Post();
}

} // namespace Korvane

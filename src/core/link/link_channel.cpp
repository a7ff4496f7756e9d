#include "core/link/link_channel.h"

#include "core/link/frames.h"

#include <QDateTime>
#include <QMetaMethod>

#include <algorithm>

namespace Korvane {

qint64 WallClockMsAt(qint64 arrivalNs) {
    // One pair of readings of both clocks, taken once: every later moment is placed from it,
    // so wall-clock times keep the monotonic clock's order (a clock step never reorders).
    static const std::pair<qint64, qint64> kAnchor{ArrivalClockNs(),
                                                   QDateTime::currentMSecsSinceEpoch()};
    return kAnchor.second + (arrivalNs - kAnchor.first) / 1000000;
}

void CLinkChannel::MarkOrigin(const QByteArray& frame, CommandOrigin origin) {
    if (m_originMarks.size() >= 64)
        m_originMarks.pop_front();
    m_originMarks.push_back({frame, origin, ArrivalClockNs()});
}

CommandOrigin CLinkChannel::TakeOriginMark(const QByteArray& frame) {
    const qint64 now = ArrivalClockNs();
    while (!m_originMarks.empty() && now - m_originMarks.front().markedNs > 2'000'000'000)
        m_originMarks.pop_front();
    for (auto it = m_originMarks.begin(); it != m_originMarks.end(); ++it)
        if (it->frame == frame) {
            const CommandOrigin origin = it->origin;
            m_originMarks.erase(it);
            return origin;
        }
    return CommandOrigin::User;
}

void CLinkChannel::Trace(TraceDirection direction, const QByteArray& frame, qint64 arrivalNs,
                         CommandOrigin origin) {
    static const QMetaMethod kTraced = QMetaMethod::fromSignal(&CLinkChannel::traced);
    if (!isSignalConnected(kTraced))
        return;
    const qint64 at = arrivalNs >= 0 ? arrivalNs : ArrivalClockNs();
    const qint64 sinceOpenMs = m_openedNs >= 0 ? std::max<qint64>(0, at - m_openedNs) / 1000000 : 0;
    emit traced({direction, TraceName(), frame, sinceOpenMs, origin, at, WallClockMsAt(at)});
}

CLinkChannel::CLinkChannel(std::unique_ptr<CTransport> transport, QObject* parent)
    : QObject(parent), m_transport(std::move(transport)) {
    m_transport->setParent(nullptr); // owned here, not by the object tree
    connect(m_transport.get(), &CTransport::opened, this, &CLinkChannel::OnOpened);
    connect(m_transport.get(), &CTransport::openFailed, this, &CLinkChannel::OnOpenFailed);
    connect(m_transport.get(), &CTransport::bytesReceived, this, &CLinkChannel::OnBytes);
    connect(m_transport.get(), &CTransport::lost, this, &CLinkChannel::OnLost);
    connect(m_transport.get(), &CTransport::frameWritten, this, [this](const QByteArray& frame) {
        Trace(TraceDirection::Sent, frame, -1, TakeOriginMark(frame));
        emit frameSent(frame);
    });
}

CLinkChannel::~CLinkChannel() = default;

QString CLinkChannel::TraceName() const {
    const QString tag = m_transport->TraceTag();
    return tag.isEmpty() ? Description() : tag + QLatin1Char(' ') + Description();
}

void CLinkChannel::Open(bool quiet) {
    m_assembler.Reset();
    m_held = false;
    m_opening = true;
    if (!quiet)
        SetState(LinkState::Opening);
    m_transport->Open();
}

void CLinkChannel::Close() {
    m_opening = false;
    m_transport->Close();
    m_assembler.Reset();
    SetState(LinkState::Closed);
}

bool CLinkChannel::Send(const QByteArray& frame) {
    if (m_state != LinkState::Open || frame.size() > kMaxOutgoingFrame)
        return false;
    if (frame.isEmpty())
        return true; // nothing to put on the line (an LCD show with both lines empty)
    return m_transport->Write(frame);
}

void CLinkChannel::SetState(LinkState state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void CLinkChannel::OnOpened() {
    m_opening = false;
    m_openedNs = ArrivalClockNs();
    m_assembler.Reset();
    SetState(LinkState::Open);
    emit openFinished(true, QString());
}

void CLinkChannel::OnOpenFailed(const QString& reason) {
    m_opening = false;
    SetState(LinkState::Failed);
    emit openFinished(false, reason);
}

void CLinkChannel::OnBytes(const QByteArray& chunk, qint64 arrivalNs) {
    m_assembler.FeedChunk(chunk, [this, arrivalNs](const QByteArray& frame) {
        Trace(TraceDirection::Received, frame, arrivalNs);
        emit frameReceived(frame, arrivalNs);
    });
    emit chunkAssembled();
    // Everything of the chunk has been handled (a handler may have closed the link meanwhile).
    if (m_state != LinkState::Open)
        return;
    if (m_hasRoom && !m_hasRoom()) {
        m_held = true; // the owner is behind: the device waits until it has caught up
        return;
    }
    m_transport->Consumed();
}

void CLinkChannel::ResumeReceive() {
    if (!m_held)
        return;
    m_held = false;
    if (m_state == LinkState::Open)
        m_transport->Consumed();
}

void CLinkChannel::OnLost(const QString& reason) {
    m_assembler.Reset();
    m_transport->Close();
    SetState(LinkState::Failed);
    emit lost(reason);
}

} // namespace Korvane

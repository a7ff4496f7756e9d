#pragma once

#include "core/link/frame_receive.h"
#include "core/link/transport.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>

namespace Korvane {

enum class LinkState { Closed, Opening, Open, Failed };

// Direction of a traced frame.
enum class TraceDirection { Sent, Received };
// One frame as a link wrote or assembled it, with the link's description (the port name for the
// serial link, "tcp <address:port>" for a control connection) and the time since it opened.
struct TracedFrame {
    TraceDirection direction;
    QString link;
    QByteArray bytes;
    qint64 sinceOpenMs = 0;
    bool remote = false; // sent for a remote command (over MQTT), not by the user here
};
// Taps see every frame of every link, on the UI thread, in order (the frame monitor is one).
using LinkTap = std::function<void(const TracedFrame&)>;
// Adds a tap; the number returned removes it again.
int AddLinkTap(LinkTap tap);
void RemoveLinkTap(int handle);

// The frame rules on top of one transport, the same for every link: outgoing frames of at most
// 1024 bytes, incoming bytes cut into frames by its own assembler (reset at every open and
// loss, so a half frame never glues onto the bytes of the next connection), the trace, and
// the link state with loss handling. Lives on the UI thread.
class CLinkChannel : public QObject {
    Q_OBJECT
  public:
    explicit CLinkChannel(std::unique_ptr<CTransport> transport, QObject* parent = nullptr);
    ~CLinkChannel() override;

    // Where the next Open() goes.
    void SetTarget(const LinkTarget& target) { m_transport->SetTarget(target); }
    // Starts opening. The state becomes Opening, unless quiet (a retry after a loss keeps the
    // state it has until the attempt succeeds).
    void Open(bool quiet = false);
    void Close();
    // Hands one frame to the transport; false when the link is not open or the frame is
    // longer than kMaxOutgoingFrame (nothing is written then).
    bool Send(const QByteArray& frame);
    // The next time this frame is written, its trace says it was sent for a remote command.
    // Marks nobody claims are forgotten after 2 s (at most 64 are kept).
    void MarkRemote(const QByteArray& frame);

    // The owner's word on whether it can take more frames now. While it says no, the chunk
    // just fed is not acknowledged, so the transport reads nothing more; ResumeReceive()
    // acknowledges it once the owner has room again.
    void SetReceiveGate(std::function<bool()> hasRoom) { m_hasRoom = std::move(hasRoom); }
    void ResumeReceive();
    bool ReceiveHeld() const { return m_held; }

    LinkState State() const { return m_state; }
    bool IsOpen() const { return m_state == LinkState::Open; }
    bool IsOpening() const { return m_opening; }
    CTransport& Transport() { return *m_transport; }
    QString Description() const { return m_transport->Description(); }

  signals:
    void stateChanged(Korvane::LinkState state);
    // The outcome of an Open(): true when the link is open.
    void openFinished(bool ok, const QString& reason);
    // Every complete frame, in arrival order, with the time the read that completed it
    // arrived (ArrivalClockNs, taken where the transport read the bytes).
    void frameReceived(const QByteArray& frame, qint64 arrivalNs);
    // A frame was written in full.
    void frameSent(const QByteArray& frame);
    // The open link went away; the state is Failed.
    void lost(const QString& reason);

  private:
    QString TraceName() const;
    // arrivalNs: when a received frame arrived; a sent frame is traced as it is written.
    void Trace(TraceDirection direction, const QByteArray& frame, qint64 arrivalNs = -1,
               bool remote = false);
    // Whether a written frame was marked remote (and forgets the mark).
    bool TakeRemoteMark(const QByteArray& frame);
    std::deque<std::pair<QByteArray, qint64>> m_remoteMarks; // frame, when marked (ns)
    void SetState(LinkState state);
    void OnOpened();
    void OnOpenFailed(const QString& reason);
    void OnBytes(const QByteArray& chunk, qint64 arrivalNs);
    void OnLost(const QString& reason);

    std::unique_ptr<CTransport> m_transport;
    CFrameAssembler m_assembler;
    LinkState m_state = LinkState::Closed;
    bool m_opening = false;
    std::function<bool()> m_hasRoom;
    bool m_held = false;
    qint64 m_openedNs = -1; // ArrivalClockNs when the link opened: traced frames' time
};

} // namespace Korvane

#pragma once

#include "core/link/frame_receive.h"
#include "core/link/transport.h"

#include <QObject>

#include <deque>
#include <memory>

namespace Korvane {

enum class LinkState { Closed, Opening, Open, Failed };

// Direction of a traced frame.
enum class TraceDirection { Sent, Received };
// Who asked for a frame to be sent: the user here (a click, a key, a typed frame), the arm
// dialog, a remote command over MQTT, a script, or a session being replayed.
enum class CommandOrigin { User, ArmDialog, Remote, Script, Replay };
// One frame as a link wrote or assembled it, with the link's description (the port name for the
// serial link, "tcp <address:port>" for a control connection) and its time on the station's
// one clock: arrivalNs (ArrivalClockNs, when the read that completed it arrived, or when it
// was written) and the wall-clock time of that moment.
struct TracedFrame {
    TraceDirection direction;
    QString link;
    QByteArray bytes;
    qint64 sinceOpenMs = 0;                     // since this link opened
    CommandOrigin origin = CommandOrigin::User; // a sent frame's; a received one's is User
    qint64 arrivalNs = 0;
    qint64 wallMs = 0;
    bool Remote() const { return origin == CommandOrigin::Remote; }
};

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
    // The next time this frame is written, its trace names this origin (marks are taken in
    // the order they were made, as frames are written; a frame nobody marked is the user's). Marks
    // nobody claims are forgotten after 2 s (at most 64 are kept).
    void MarkOrigin(const QByteArray& frame, CommandOrigin origin);

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
    // Every frame of a chunk read has been told by frameReceived.
    void chunkAssembled();
    // A frame was written in full.
    void frameSent(const QByteArray& frame);
    // The open link went away; the state is Failed.
    void lost(const QString& reason);
    // Every frame written or assembled, in order, with its time (the station's trace, frame
    // monitor and sharing listen here, each to the links of its own window).
    void traced(const Korvane::TracedFrame& frame);

  private:
    QString TraceName() const;
    // arrivalNs: when a received frame arrived; a sent frame is traced as it is written.
    void Trace(TraceDirection direction, const QByteArray& frame, qint64 arrivalNs = -1,
               CommandOrigin origin = CommandOrigin::User);
    // The origin a written frame was marked with (and forgets the mark); User when none.
    CommandOrigin TakeOriginMark(const QByteArray& frame);
    struct OriginMark {
        QByteArray frame;
        CommandOrigin origin;
        qint64 markedNs;
    };
    std::deque<OriginMark> m_originMarks;
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

// The serial driver and link manager against real pseudo-terminals.
#include "core/link/link_manager.h"
#include "core/products/catalogue.h"
#include "feed_transport.h"
#include "link_wait.h"
#include "pty_pair.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Korvane;

namespace {

// Every frame the link manager assembles from what the port read.
struct Assembled {
    explicit Assembled(CLinkManager& link) {
        QObject::connect(&link, &CLinkManager::frameAssembled, &link,
                         [this](const QByteArray& f) { frames << f; });
    }
    QList<QByteArray> frames;
};

// A link fed in process, for product 5, that records the number in the first field of every
// frame delivered.
struct FedLink {
    CFeedTransport* feed = new CFeedTransport;
    CLinkManager link{std::unique_ptr<CTransport>(feed)};
    QList<int> delivered;
    FedLink() {
        link.SetProduct(5);
        link.SetDeliver([this](const RoutedFrame& rf) {
            delivered << rf.frame.mid(1, rf.frame.indexOf(',') - 1).toInt();
        });
    }
};

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT
  private slots:
    void openFailsForMissingPort() {
        CLinkManager link;
        QSignalSpy states(&link, &CLinkManager::stateChanged);
        QVERIFY(!OpenNow(link, QStringLiteral("/dev/korvane-no-such-port"), 9600));
        QCOMPARE(link.State(), LinkState::Failed);
        QVERIFY(!link.IsOpen());
        QVERIFY(!link.Send("$1#"));
        QVERIFY(!OpenNow(link, QString(), 9600));
        // Each attempt shows that it is opening, then that it failed.
        QCOMPARE(states.size(), 4);
        QCOMPARE(states[0][0].value<LinkState>(), LinkState::Opening);
        QCOMPARE(states[1][0].value<LinkState>(), LinkState::Failed);
        QCOMPARE(states[2][0].value<LinkState>(), LinkState::Opening);
        QCOMPARE(states[3][0].value<LinkState>(), LinkState::Failed);
    }

    void openSendCloseReopen() {
        PtyPair pty;
        CLinkManager link;
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        QCOMPARE(link.State(), LinkState::Open);
        QCOMPARE(link.PortName(), pty.SlavePath());
        QCOMPARE(link.Baud(), 115200);

        // Exactly the frame's bytes: nothing before or after.
        QVERIFY(link.Send("$1,0,0,0,0,0,0,0,0#"));
        QCOMPARE(pty.ReadAtLeast(19), QByteArray("$1,0,0,0,0,0,0,0,0#"));
        QCOMPARE(pty.ReadFor(50), QByteArray());

        link.CloseLink();
        QCOMPARE(link.State(), LinkState::Closed);
        QVERIFY(!link.Send("$2#"));
        QCOMPARE(pty.ReadFor(50), QByteArray());

        // The open/close command reopens the stored port and baud rate.
        QVERIFY(link.ToggleLink());
        QCOMPARE(link.State(), LinkState::Opening);
        QTRY_COMPARE(link.State(), LinkState::Open);
        QVERIFY(link.Send("$3#"));
        QCOMPARE(pty.ReadAtLeast(3), QByteArray("$3#"));
        QVERIFY(link.ToggleLink());
        QCOMPARE(link.State(), LinkState::Closed);
    }

    void toggleWithoutStoredPortDoesNothing() {
        CLinkManager link;
        QVERIFY(!link.ToggleLink());
        QCOMPARE(link.State(), LinkState::Closed);
    }

    void reopenWhileOpenSwitchesPort() {
        PtyPair a, b;
        CLinkManager link;
        QVERIFY(OpenNow(link, a.SlavePath(), 9600));
        QVERIFY(OpenNow(link, b.SlavePath(), 19200));
        QVERIFY(link.Send("$B#"));
        QCOMPARE(b.ReadAtLeast(3), QByteArray("$B#"));
        QCOMPARE(a.ReadFor(30), QByteArray());
        QCOMPARE(link.Baud(), 19200);
    }

    void backToBackFramesKeepTheirOrder() {
        PtyPair pty;
        CLinkManager link;
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        QByteArray expected;
        for (int i = 0; i < 300; ++i) {
            const QByteArray f = "$" + QByteArray::number(i) + ",0,0,0,0,0,0,0,0,0#";
            QVERIFY(link.Send(f));
            expected += f;
        }
        QCOMPARE(pty.ReadAtLeast(expected.size()), expected);
    }

    void oversizedFrameIsRefused() {
        PtyPair pty;
        CLinkManager link;
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        const QByteArray big = "$" + QByteArray(1023, '0') + "#"; // 1025 bytes
        QVERIFY(!link.Send(big));
        const QByteArray limit = "$" + QByteArray(1022, '0') + "#"; // 1024 bytes
        QVERIFY(link.Send(limit));
        QCOMPARE(pty.ReadAtLeast(1024), limit);
    }

    void readsWhileWritingLoseNothing() {
        PtyPair pty;
        CLinkManager link;
        Assembled rx(link);
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        QByteArray incoming;
        QList<QByteArray> expected;
        for (int i = 0; i < 500; ++i) {
            const QByteArray f = "$0,0,0,0,0,0,0,0,0,0,0," + QByteArray::number(i) + ",0#";
            expected << f;
            incoming += "junk" + f;
        }
        QByteArray sent;
        for (int i = 0; i < 500; ++i) {
            const QByteArray f = "$" + QByteArray::number(i) + "#";
            link.Send(f);
            sent += f;
            if (i % 50 == 0)
                pty.Write(incoming.mid(i / 50 * (incoming.size() / 10), incoming.size() / 10));
        }
        pty.Write(incoming.mid(10 * (incoming.size() / 10)));
        QCOMPARE(pty.ReadAtLeast(sent.size()), sent);
        QVERIFY(QTest::qWaitFor([&] { return rx.frames.size() >= 500; }, 5000));
        QCOMPARE(rx.frames, expected);
    }

    void severalFramesInOneRead() {
        PtyPair pty;
        CLinkManager link;
        Assembled rx(link);
        QVERIFY(OpenNow(link, pty.SlavePath(), 9600));
        pty.Write("$1#$2#$3#");
        QVERIFY(QTest::qWaitFor([&] { return rx.frames.size() == 3; }, 3000));
        QCOMPARE(rx.frames, (QList<QByteArray>{"$1#", "$2#", "$3#"}));
    }

    void unpluggedPortIsNoticedOnceAndReopened() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tty"));
        auto* pty = new PtyPair;
        QVERIFY(QFile::link(pty->SlavePath(), path));
        CLinkManager link;
        QVERIFY(OpenNow(link, path, 115200));
        QSignalSpy states(&link, &CLinkManager::stateChanged);

        pty->Close(); // the adapter goes away
        QVERIFY(QTest::qWaitFor([&] { return link.State() == LinkState::Failed; }, 3000));
        QTest::qWait(100);
        QCOMPARE(states.size(), 1); // reported once
        QVERIFY(!link.IsOpen());
        QVERIFY(!link.Send("$1#"));
        QVERIFY(link.IsRetrying());

        // The adapter comes back under the same name: the link reopens by itself.
        PtyPair back;
        QFile::remove(path);
        QVERIFY(QFile::link(back.SlavePath(), path));
        QVERIFY(QTest::qWaitFor([&] { return link.State() == LinkState::Open; },
                                3 * CLinkManager::kRetryIntervalMs));
        QVERIFY(!link.IsRetrying());
        QVERIFY(link.Send("$back#"));
        QCOMPARE(back.ReadAtLeast(6), QByteArray("$back#"));
        delete pty;
    }

    void closeStopsRetrying() {
        auto* pty = new PtyPair;
        CLinkManager link;
        QVERIFY(OpenNow(link, pty->SlavePath(), 115200));
        delete pty;
        QVERIFY(QTest::qWaitFor([&] { return link.IsRetrying(); }, 3000));
        link.CloseLink();
        QVERIFY(!link.IsRetrying());
        QCOMPARE(link.State(), LinkState::Closed);
    }

    void aSlowOpenLeavesTheThreadRunning() {
        // A Bluetooth port can take seconds to connect: the UI thread's timers run on.
        auto* slow = new CFeedTransport(2000);
        CLinkManager link{std::unique_ptr<CTransport>(slow)};
        int ticks = 0;
        QTimer clock;
        clock.setInterval(10);
        connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start();
        QSignalSpy done(&link, &CLinkManager::openFinished);
        link.OpenLink(QStringLiteral("slow"), 9600);
        QCOMPARE(link.State(), LinkState::Opening);
        QVERIFY(!link.Send("$1#")); // not open yet
        QVERIFY(done.wait(5000));
        QVERIFY(done.first().first().toBool());
        QCOMPARE(link.State(), LinkState::Open);
        QVERIFY2(ticks >= 50, qPrintable(QString::number(ticks))); // about 200 in 2 s
        // The real port answers asynchronously too: the call returns before the port does.
        PtyPair pty;
        CLinkManager serial;
        serial.OpenLink(pty.SlavePath(), 9600);
        QCOMPARE(serial.State(), LinkState::Opening);
        QTRY_COMPARE(serial.State(), LinkState::Open);
    }

    void aHalfFrameNeverGluesOntoTheNextOpen() {
        PtyPair pty;
        CLinkManager link;
        Assembled rx(link);
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        pty.Write("$0,0,0,0,0,0,0,0,0,0,0,1");
        QTest::qWait(50);
        link.CloseLink();
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        pty.Write("7,0#$0,0,0,0,0,0,0,0,0,0,0,42,0#");
        QTRY_COMPARE(rx.frames.size(), 1);
        QCOMPARE(rx.frames[0], QByteArray("$0,0,0,0,0,0,0,0,0,0,0,42,0#"));
    }

    void aHalfFrameNeverGluesOntoTheBytesAfterALoss() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tty"));
        auto* pty = new PtyPair;
        QVERIFY(QFile::link(pty->SlavePath(), path));
        CLinkManager link;
        Assembled rx(link);
        QVERIFY(OpenNow(link, path, 115200));
        pty->Write("$0,0,0,0,0,0,0,0,0,0,0,1");
        QTest::qWait(50);
        delete pty; // unplugged in the middle of a frame
        QTRY_COMPARE(link.State(), LinkState::Failed);
        PtyPair back;
        QFile::remove(path);
        QVERIFY(QFile::link(back.SlavePath(), path));
        QTRY_VERIFY_WITH_TIMEOUT(link.State() == LinkState::Open,
                                 3 * CLinkManager::kRetryIntervalMs);
        back.Write("7,0#$0,0,0,0,0,0,0,0,0,0,0,42,0#");
        QTRY_COMPARE(rx.frames.size(), 1);
        QCOMPARE(rx.frames[0], QByteArray("$0,0,0,0,0,0,0,0,0,0,0,42,0#"));
    }

    void aFailedWriteIsALossNotASend() {
        QList<QByteArray> traced;
        auto* pty = new PtyPair;
        CLinkManager link;
        connect(&link.Channel(), &CLinkChannel::traced, this, [&traced](const TracedFrame& f) {
            if (f.direction == TraceDirection::Sent)
                traced << f.bytes;
        });
        QSignalSpy sent(&link, &CLinkManager::frameSent);
        QVERIFY(OpenNow(link, pty->SlavePath(), 115200));
        QVERIFY(link.Send("$ok#"));
        QTRY_COMPARE(sent.size(), 1);
        delete pty; // both ends gone: writes fail with an I/O error
        for (int i = 0; i < 20 && link.IsOpen(); ++i) {
            link.Send("$lost#");
            QTest::qWait(20);
        }
        QTRY_COMPARE(link.State(), LinkState::Failed);
        QVERIFY(link.IsRetrying());
        // Only the frame that was written is reported as sent.
        QCOMPARE(traced, QList<QByteArray>{"$ok#"});
        QCOMPARE(sent.size(), 1);
    }

    void theWorkerReadsOnlyWhatTheOwnerTook() {
        // Back-pressure: the port hands over one chunk and reads no more until it is taken,
        // so a flood stays in the operating system's buffer, not in our memory.
        PtyPair pty;
        CSerialPort port;
        QList<QByteArray> chunks;
        connect(&port, &CTransport::bytesReceived, [&chunks](const QByteArray& c) { chunks << c; });
        QSignalSpy opened(&port, &CTransport::opened);
        port.SetPort(pty.SlavePath(), 115200);
        port.Open();
        QVERIFY(opened.wait(3000));
        pty.Write("$first#");
        QTRY_COMPARE(chunks.size(), 1);
        pty.Write("$second#");
        QTest::qWait(100);
        QCOMPARE(chunks.size(), 1); // not taken yet: nothing more is read
        port.Consumed();
        QTRY_COMPARE(chunks.size(), 2);
        QCOMPARE(chunks.join(), QByteArray("$first#$second#"));
    }

    void deliveriesNeverNest() {
        // A handler that runs a nested event loop (a modal box) while frames keep arriving:
        // the newer frames wait until it returns, and all arrive in order.
        PtyPair pty;
        CLinkManager link;
        link.SetProduct(5);
        int depth = 0;
        int deepest = 0;
        QList<int> order;
        link.SetDeliver([&](const RoutedFrame& rf) {
            ++depth;
            deepest = std::max(deepest, depth);
            order << rf.frame.mid(1, rf.frame.indexOf(',') - 1).toInt();
            if (order.size() == 1) {
                QTimer::singleShot(0, [&pty] {
                    for (int i = 2; i <= 50; ++i)
                        pty.Write("$" + QByteArray::number(i) + ",0#");
                });
                QEventLoop box; // what QMessageBox::exec would run
                QTimer::singleShot(300, &box, &QEventLoop::quit);
                box.exec();
            }
            --depth;
        });
        QVERIFY(OpenNow(link, pty.SlavePath(), 115200));
        pty.Write("$1,0#");
        QTRY_COMPARE(order.size(), 50);
        QCOMPARE(deepest, 1);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(order[i], i + 1);
    }

    void aBusyStationHoldsTheDeviceBackInsteadOfDropping() {
        // Each read brings more frames than one turn of the UI thread delivers, so frames pile
        // up between the assembler and the panels. The port is then left unread until they
        // have gone down: nothing is dropped, everything arrives in order.
        FedLink fed;
        CFeedTransport* feed = fed.feed;
        CLinkManager& link = fed.link;
        const QList<int>& delivered = fed.delivered;
        QVERIFY(OpenNow(link, QStringLiteral("feed"), 0));
        constexpr int kChunks = 40, kPerChunk = 6000;
        for (int c = 0; c < kChunks; ++c) {
            QByteArray chunk;
            for (int i = c * kPerChunk; i < (c + 1) * kPerChunk; ++i)
                chunk += "$" + QByteArray::number(i) + ",0#";
            feed->Queue(chunk);
        }
        QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), kChunks * kPerChunk, 20000);
        QCOMPARE(link.DroppedFrames(), quint64(0));
        QVERIFY(std::is_sorted(delivered.begin(), delivered.end()));
        QVERIFY(!feed->HasPending());
    }

    void framesDroppedWhenBehindAreCountedAndReported() {
        // A handler holds the UI thread (the first frame's) while 50 000 frames arrive from a
        // device that does not wait: the queue drops its oldest frames, and every frame is
        // either delivered, in order, or counted as dropped.
        CFeedTransport* feed = new CFeedTransport;
        CLinkManager link{std::unique_ptr<CTransport>(feed)};
        link.SetProduct(5);
        constexpr int kFrames = 50000;
        QList<int> delivered;
        link.SetDeliver([&](const RoutedFrame& rf) {
            delivered << rf.frame.mid(1, rf.frame.indexOf(',') - 1).toInt();
            if (delivered.size() == 1)
                for (int i = 1; i <= kFrames; ++i)
                    feed->Feed("$" + QByteArray::number(i) + ",0#");
        });
        QSignalSpy reported(&link, &CLinkManager::framesDropped);
        QVERIFY(OpenNow(link, QStringLiteral("feed"), 0));
        feed->Feed("$0,0#");
        QTRY_VERIFY(reported.size() > 0 &&
                    delivered.size() + int(link.DroppedFrames()) == kFrames + 1);
        constexpr int kQueue = 10000; // the queue's capacity
        QVERIFY(int(link.DroppedFrames()) >= kFrames - kQueue);
        QCOMPARE(reported.last().first().toULongLong(), link.DroppedFrames());
        QVERIFY(std::is_sorted(delivered.begin(), delivered.end()));
        QCOMPARE(delivered.last(), kFrames); // the newest survive
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "test_serial_link.moc"

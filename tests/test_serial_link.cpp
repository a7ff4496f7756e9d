// The serial driver and link manager against real pseudo-terminals.
#include "link/link_manager.h"
#include "link_wait.h"
#include "pty_pair.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "test_serial_link.moc"

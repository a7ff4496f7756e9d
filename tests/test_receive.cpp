// The receive path: frame assembler, bounded queue and router.
#include "core/link/frame_receive.h"
#include "core/products/catalogue.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Korvane;

namespace {

QList<QByteArray> Assemble(const QByteArray& bytes) {
    CFrameAssembler a;
    QList<QByteArray> frames;
    a.FeedChunk(bytes, [&](const QByteArray& f) { frames << f; });
    return frames;
}

QByteArray FrameOfLength(int n) {
    QByteArray f = "$";
    f += QByteArray(n - 2, 'x');
    f += '#';
    return f;
}

// Collects what the router hands to the UI thread.
struct Sink {
    QList<RoutedFrame> got;
    std::function<void(const RoutedFrame&)> Fn() {
        return [this](const RoutedFrame& rf) { got << rf; };
    }
    bool WaitFor(int n, int ms = 3000) {
        return QTest::qWaitFor([&] { return got.size() >= n; }, ms);
    }
};

} // namespace

class TestReceive : public QObject {
    Q_OBJECT
  private slots:
    void assemblerCutsFrames() {
        QCOMPARE(Assemble("xy$51,K1#zw"), QList<QByteArray>{"$51,K1#"});
        QCOMPARE(Assemble("$ab$cd#"), QList<QByteArray>{"$ab$cd#"});
        QCOMPARE(Assemble("##$1#$2#"), (QList<QByteArray>{"$1#", "$2#"}));
        QCOMPARE(Assemble(""), QList<QByteArray>{});
        QCOMPARE(Assemble("$unterminated"), QList<QByteArray>{});
    }

    void assemblerKeepsStateAcrossChunks() {
        CFrameAssembler a;
        QList<QByteArray> frames;
        auto take = [&](const QByteArray& f) { frames << f; };
        a.FeedChunk("$0,0,", take);
        QVERIFY(a.Collecting());
        a.FeedChunk("12,0#$9", take);
        a.FeedChunk("#", take);
        QCOMPARE(frames, (QList<QByteArray>{"$0,0,12,0#", "$9#"}));
    }

    void assemblerLengthLimit() {
        const QByteArray ok = FrameOfLength(81);
        QCOMPARE(Assemble(ok), QList<QByteArray>{ok});
        // One longer: dropped, and its rest up to the next "$" ignored.
        const QByteArray tooLong = FrameOfLength(82);
        QCOMPARE(Assemble(tooLong + "$ok#"), QList<QByteArray>{"$ok#"});
        // The dropped tail may even contain "#": it is outside any frame by then.
        QCOMPARE(Assemble("$" + QByteArray(80, 'a') + "bb#$2#"), QList<QByteArray>{"$2#"});
    }

    void queueIsFifoAndBounded() {
        CFrameQueue q(3);
        for (const char* f : {"$1#", "$2#", "$3#", "$4#", "$5#"})
            q.Append({f, 0});
        QCOMPARE(q.Count(), 3u);
        QCOMPARE(q.Dropped(), 2u);
        std::vector<StampedFrame> out;
        QCOMPARE(q.TakeUpTo(2, out), 1u);
        QCOMPARE(q.TakeUpTo(5, out), 0u);
        QList<QByteArray> taken;
        for (const StampedFrame& f : out)
            taken << f.bytes;
        QCOMPARE(taken, (QList<QByteArray>{"$3#", "$4#", "$5#"}));
        QCOMPARE(q.Count(), 0u);
    }

    void queueWakesItsTakerOncePerBurst() {
        CFrameQueue q;
        int wakes = 0;
        q.SetWaker([&wakes] { ++wakes; });
        for (int i = 0; i < 100; ++i)
            q.Append({"$1#", i});
        QCOMPARE(wakes, 1);
        std::vector<StampedFrame> out;
        QCOMPARE(q.TakeUpTo(60, out), 40u);
        q.Append({"$2#", 100}); // the taker has not finished: no second wake-up
        QCOMPARE(wakes, 1);
        QCOMPARE(q.TakeUpTo(100, out), 0u);
        q.Append({"$3#", 101}); // taken empty: the next frame wakes it again
        QCOMPARE(wakes, 2);
    }

    void routerDeliversInOrderByProduct() {
        CFrameQueue q;
        Sink sink;
        CFrameRouter router(q, sink.Fn());
        router.Start();
        router.SetProduct(0);
        q.Append({"$51,K1#", 1});
        q.Append({"$AR,K2#", 2}); // not for the 8051 board: dropped
        q.Append({"$51,END#", 3});
        // Frames are routed in order, so once the last has come, the dropped one never will.
        QVERIFY(sink.WaitFor(2));
        QCOMPARE(sink.got.size(), 2);
        QCOMPARE(sink.got[0].message, int(MsgBoard51));
        QCOMPARE(sink.got[0].frame, QByteArray("$51,K1#"));
        QCOMPARE(sink.got[0].arrivalNs, 1); // the arrival time travels with the frame
        QCOMPARE(sink.got[1].frame, QByteArray("$51,END#"));
        QCOMPARE(sink.got[1].arrivalNs, 3);

        sink.got.clear();
        router.SetProduct(8);
        q.Append({"$AP1,LV2#", 4});
        q.Append({"$AP3#", 5}); // no "LV": no telemetry message
        q.Append({"$LV9#", 6});
        QVERIFY(sink.WaitFor(4));
        QCOMPARE(sink.got.size(), 4);
        QCOMPARE(sink.got[0].message, int(MsgBalancePid));
        QCOMPARE(sink.got[1].message, int(MsgBalanceTelemetry));
        QCOMPARE(sink.got[1].frame, QByteArray("$AP1,LV2#"));
        QCOMPARE(sink.got[1].arrivalNs, 4);
        QCOMPARE(sink.got[2].message, int(MsgBalancePid));
        QCOMPARE(sink.got[2].frame, QByteArray("$AP3#"));
        QCOMPARE(sink.got[3].message, int(MsgBalanceTelemetry));
        QCOMPARE(sink.got[3].frame, QByteArray("$LV9#"));
    }

    void burstArrivesCompleteAndInOrder() {
        CFrameQueue q;
        Sink sink;
        CFrameRouter router(q, sink.Fn());
        router.SetProduct(5);
        router.Start();
        const int n = 5000;
        for (int i = 0; i < n; ++i)
            q.Append({"$" + QByteArray::number(i) + "#"});
        QVERIFY(sink.WaitFor(n));
        for (int i = 0; i < n; ++i)
            QCOMPARE(sink.got[i].frame, "$" + QByteArray::number(i) + "#");
    }

    void frameGoesByProductSelectedWhenRouted() {
        CFrameQueue q;
        Sink sink;
        CFrameRouter router(q, sink.Fn());
        router.SetProduct(5);
        for (int i = 0; i < 10; ++i)
            q.Append({"$0,0,0,0,0,0,0,0,0,0,0,9,0#"});
        router.SetProduct(14); // switched while the frames wait
        router.Start();
        QVERIFY(sink.WaitFor(10));
        for (const RoutedFrame& rf : sink.got)
            QCOMPARE(rf.message, int(MsgTricycle));
    }

    void aBurstIsDeliveredInTurnsAsOneBatchEach() {
        // 5000 frames in one burst: delivered in turns of at most kMaxPerTurn frames, the
        // batch's end told once a turn, and other events run between the turns.
        CFrameQueue q;
        Sink sink;
        QList<int> seenAtBatch;
        CFrameRouter router(q, sink.Fn(), [&] { seenAtBatch << int(sink.got.size()); });
        router.SetProduct(5);
        router.Start();
        for (int i = 0; i < 5000; ++i)
            q.Append({"$" + QByteArray::number(i) + "#"});
        QVERIFY(sink.got.isEmpty()); // nothing before the event loop's next turn
        bool between = false;
        QTimer::singleShot(0, [&] { between = seenAtBatch.size() == 1; });
        QVERIFY(sink.WaitFor(5000));
        QCOMPARE(seenAtBatch, (QList<int>{2000, 4000, 5000}));
        QVERIFY(between);
    }

    void stopDeliversNothingMoreAndStartGoesOn() {
        CFrameQueue q;
        Sink sink;
        auto* router = new CFrameRouter(q, sink.Fn());
        router->SetProduct(5);
        router->Start();
        for (int i = 0; i < 1000; ++i)
            q.Append({"$1#"});
        router->Stop(); // the turn it had asked for delivers nothing
        QVERIFY(!router->IsRunning());
        QCoreApplication::processEvents();
        QCOMPARE(sink.got.size(), 0);
        router->Start(); // what waited goes now, in order
        QVERIFY(sink.WaitFor(1000));
        for (int i = 0; i < 5; ++i)
            q.Append({"$2#"});
        delete router; // a turn it had asked for dies with it: nothing is delivered
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(sink.got.size(), 1000);
        q.Append({"$3#"}); // a queue that outlives its router calls no one
        QCOMPARE(q.Count(), 6u);
    }
};

QTEST_GUILESS_MAIN(TestReceive)
#include "test_receive.moc"

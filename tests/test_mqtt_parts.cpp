// The bridge's parts on their own: its session's timing (on a clock the test moves), its
// outbox, and its name look-up (with the system's resolver and with stand-ins for it).
#include "core/mqtt/mqtt_outbox.h"
#include "core/mqtt/mqtt_session.h"
#include "core/mqtt/name_lookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <netdb.h>
#include <poll.h>

#include <chrono>
#include <optional>

using namespace Korvane;
using namespace std::chrono_literals;

namespace {

// The children this process has now (each thread's list, joined).
QStringList Children() {
    QStringList out;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(task + QStringLiteral("/children")));
        if (f.open(QIODevice::ReadOnly))
            out << QString::fromLatin1(f.readAll()).split(u' ', Qt::SkipEmptyParts);
    }
    return out;
}

// Runs a look-up to its end, polling its pipe as the bridge does.
CNameLookup::Result Finish(CNameLookup& lookup) {
    while (lookup.Read() == CNameLookup::Result::Asking) {
        pollfd fd{lookup.Fd(), POLLIN, 0};
        ::poll(&fd, 1, 1000);
    }
    return lookup.Current();
}

// PATH begins with a folder whose "getent" is the given script, while this lives.
class StandInResolver {
  public:
    explicit StandInResolver(const QByteArray& script) : m_path(qgetenv("PATH")) {
        QFile f(m_dir.filePath(QStringLiteral("getent")));
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n" + script);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
    }
    ~StandInResolver() { qputenv("PATH", m_path); }

  private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

} // namespace

class TestMqttParts : public QObject {
    Q_OBJECT
  private slots:
    void theBackOffDoublesUpToItsLongestAndStartsAgainAfterAConnection() {
        auto now = CMqttSession::Clock::time_point{} + 1h;
        CMqttSession session({500ms, 4000ms, 5000ms}, [&now] { return now; });
        QVERIFY(session.AttemptDue()); // the first attempt is at once
        QList<qint64> waits;
        for (int i = 0; i < 6; ++i) {
            session.Connecting();
            session.Failed();
            QVERIFY(!session.AttemptDue());
            waits << session.UntilAttempt().count();
            now += session.UntilAttempt() - 1ms;
            QVERIFY(!session.AttemptDue());
            now += 1ms;
            QVERIFY(session.AttemptDue());
        }
        QCOMPARE(waits, (QList<qint64>{500, 1000, 2000, 4000, 4000, 4000}));
        session.Connecting();
        session.Connected();
        QCOMPARE(session.CurrentPhase(), CMqttSession::Phase::Connected);
        QCOMPARE(session.UntilAttempt().count(), 0);
        // A connection lost after it was made waits the first step again.
        session.Failed();
        QCOMPARE(session.UntilAttempt().count(), 500);
    }

    void aBrokerThatDoesNotAnswerIsOverdueOnlyAfterItsTime() {
        auto now = CMqttSession::Clock::time_point{};
        CMqttSession session({500ms, 30000ms, 5000ms}, [&now] { return now; });
        QVERIFY(!session.AnswerOverdue()); // not connecting: nothing to be late for
        session.LookingUp();
        now += 60s; // a slow name server does not count against the broker
        QVERIFY(!session.AnswerOverdue());
        session.Connecting();
        now += 5000ms;
        QVERIFY(!session.AnswerOverdue());
        now += 1ms;
        QVERIFY(session.AnswerOverdue());
        session.Connected();
        now += 1h;
        QVERIFY(!session.AnswerOverdue());
    }

    void eachFailureInARowTriesTheNextAddress() {
        auto now = CMqttSession::Clock::time_point{};
        CMqttSession session({500ms, 30000ms, 5000ms}, [&now] { return now; });
        QList<size_t> tried;
        for (int i = 0; i < 5; ++i) {
            tried << session.AddressIndex(3);
            session.Failed();
        }
        QCOMPARE(tried, (QList<size_t>{0, 1, 2, 0, 1}));
        QCOMPARE(session.AddressIndex(0), size_t(0)); // no address: no division by zero
        session.Connected();
        QCOMPARE(session.AddressIndex(3), size_t(0));
    }

    void theOutboxSendsTheStatusFirstAndKeepsTheNewest() {
        CMqttOutbox outbox(3);
        CMqttOutbox::Message m;
        QVERIFY(!outbox.Take(m));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(outbox.Push("t/rx", QByteArray::number(i)), i >= 3);
        QCOMPARE(outbox.Dropped(), 2u);
        outbox.SetStatus("{\"online\":true}");
        QVERIFY(outbox.Take(m));
        QVERIFY(m.status);
        QCOMPARE(m.payload, QByteArray("{\"online\":true}"));
        QStringList payloads;
        while (outbox.Take(m)) {
            QVERIFY(!m.status);
            QCOMPARE(m.topic, QByteArray("t/rx"));
            payloads << QString::fromLatin1(m.payload);
        }
        QCOMPARE(payloads, (QStringList{"2", "3", "4"}));
        // A new connection: the status once more, and only once.
        outbox.StatusDueAgain();
        QVERIFY(outbox.Take(m) && m.status);
        QVERIFY(!outbox.Take(m));
    }

    void aFreshStartEmptiesTheQueueButKeepsTheStatusAndSubscriptions() {
        CMqttOutbox outbox(10);
        CMqttOutbox::Message m;
        outbox.StatusDueAgain();
        QVERIFY(!outbox.Take(m)); // no status yet: nothing is due
        outbox.Push("t/rx", "old");
        outbox.AddSubscription(QStringLiteral("t/cmd"));
        outbox.SetStatus("s");
        QVERIFY(outbox.Take(m) && m.status);
        outbox.Clear();
        QCOMPARE(outbox.Size(), size_t(0));
        QVERIFY(outbox.Take(m) && m.status && m.payload == "s");
        QVERIFY(!outbox.Take(m));
        QCOMPARE(outbox.TakeSubscriptions(), QStringList{QStringLiteral("t/cmd")});
        QVERIFY(outbox.TakeSubscriptions().isEmpty());
        // No limit: nothing is dropped.
        outbox.SetLimit(0);
        for (int i = 0; i < 20000; ++i)
            outbox.Push("t/rx", "x");
        QCOMPARE(outbox.Size(), size_t(20000));
        QCOMPARE(outbox.Dropped(), 0u);
    }

    void theSystemsResolverFindsAndRefusesNames() {
        CNameLookup local("localhost");
        QCOMPARE(Finish(local), CNameLookup::Result::Found);
        const auto& found = local.Addresses();
        QVERIFY(std::find(found.begin(), found.end(), QByteArray("127.0.0.1")) != found.end() ||
                std::find(found.begin(), found.end(), QByteArray("::1")) != found.end());
        // Each address once, although the resolver names it for every kind of socket.
        QCOMPARE(QSet<QByteArray>(found.begin(), found.end()).size(), qsizetype(found.size()));
        QCOMPARE(local.Fd(), -1);

        CNameLookup unknown("no-such-broker.invalid");
        QCOMPARE(Finish(unknown), CNameLookup::Result::NotFound);
        QCOMPARE(unknown.Reason(), QString::fromLocal8Bit(gai_strerror(EAI_NONAME)));
        // A name is never read as an option of the resolver's program.
        CNameLookup dashed("--help");
        QCOMPARE(Finish(dashed), CNameLookup::Result::NotFound);
        QVERIFY(Children().isEmpty()); // every asker was reaped
    }

    void anAnswerThatComesInPiecesIsReadWhole() {
        StandInResolver resolver("echo '10.0.0.7      STREAM broker'; sleep 0.2;"
                                 "echo '10.0.0.7      DGRAM'; echo 'fd00::7 STREAM'\n");
        CNameLookup lookup("broker");
        QCOMPARE(lookup.Read(), CNameLookup::Result::Asking);
        QCOMPARE(Finish(lookup), CNameLookup::Result::Found);
        QCOMPARE(lookup.Addresses(),
                 (std::vector<QByteArray>{QByteArray("10.0.0.7"), QByteArray("fd00::7")}));
    }

    void aResolverThatFailsIsNotTakenForAnUnknownName() {
        StandInResolver resolver("exit 1\n");
        CNameLookup lookup("broker");
        QCOMPARE(Finish(lookup), CNameLookup::Result::NotFound);
        QCOMPARE(lookup.Reason(), QString::fromLocal8Bit(gai_strerror(EAI_FAIL)));
    }

    void aLookupDroppedWhileAskingLeavesNothingBehind() {
        StandInResolver resolver("exec sleep 60\n");
        std::optional<CNameLookup> lookup(std::in_place, "broker");
        QCOMPARE(lookup->Read(), CNameLookup::Result::Asking);
        QCOMPARE(Children().size(), 1);
        lookup.reset(); // the resolver is stopped and reaped: no process, no zombie
        QVERIFY(Children().isEmpty());
    }

    void noResolverProgramIsAFailureNotACrash() {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        CNameLookup lookup("broker");
        qputenv("PATH", path);
        QCOMPARE(Finish(lookup), CNameLookup::Result::NotFound);
        QVERIFY(!lookup.Reason().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMqttParts)
#include "test_mqtt_parts.moc"

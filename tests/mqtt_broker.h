#pragma once
// A real Mosquitto broker on a free loopback port, started and stopped by the test, and
// mosquitto_sub / mosquitto_pub as the other clients: nothing of the MQTT path is imitated.

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

struct MqttBroker {
    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;

    ~MqttBroker() { Stop(); }

    QString caFile; // set by MakeTls: the test's own certificate authority

    // Makes a certificate authority and a certificate for 127.0.0.1 signed by it (openssl);
    // the next Start listens with TLS.
    bool MakeTls() {
        auto run = [this](const QStringList& args) {
            QProcess p;
            p.setWorkingDirectory(dir.path());
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(QStringLiteral("openssl"), args);
            return p.waitForFinished(30000) && p.exitCode() == 0;
        };
        QFile ext(dir.filePath(QStringLiteral("server.ext")));
        if (!ext.open(QIODevice::WriteOnly))
            return false;
        ext.write("subjectAltName=IP:127.0.0.1\n");
        ext.close();
        const bool made =
            run({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                 "/CN=Korvane test CA", "-keyout", "ca.key", "-out", "ca.crt"}) &&
            run({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1", "-keyout",
                 "server.key", "-out", "server.csr"}) &&
            run({"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                 "-CAcreateserial", "-days", "2", "-extfile", "server.ext", "-out", "server.crt"});
        if (made) {
            // The broker drops root's rights when it starts (to the mosquitto user): it must
            // be able to read its key and certificates in the test's folder.
            const auto readable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ReadGroup | QFileDevice::ReadOther;
            QFile::setPermissions(dir.path(), readable | QFileDevice::ExeOwner |
                                                  QFileDevice::ExeGroup | QFileDevice::ExeOther);
            for (const char* name : {"ca.crt", "server.crt", "server.key"})
                QFile::setPermissions(dir.filePath(QLatin1String(name)), readable);
            caFile = dir.filePath(QStringLiteral("ca.crt"));
            tls = true;
        }
        return made;
    }
    bool tls = false;

    // Starts the broker (on the same port again after a Stop, when it had one).
    bool Start() {
        if (port == 0) {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, 0))
                return false;
            port = probe.serverPort();
        }
        const QString conf = dir.filePath(QStringLiteral("mosquitto.conf"));
        QFile f(conf);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n")
                    .arg(port)
                    .toUtf8());
        if (tls)
            f.write(QStringLiteral("cafile %1\ncertfile %2\nkeyfile %3\n")
                        .arg(caFile, dir.filePath(QStringLiteral("server.crt")),
                             dir.filePath(QStringLiteral("server.key")))
                        .toUtf8());
        f.close();
        process.setProcessChannelMode(QProcess::MergedChannels);
        output.clear();
        process.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), conf});
        if (!process.waitForStarted(5000))
            return false;
        // Ready once it says so (after its listener is open).
        return QTest::qWaitFor(
            [this] {
                output += process.readAll();
                return output.contains(" running");
            },
            5000);
    }
    QByteArray output; // what the broker said
    void Stop() {
        if (process.state() == QProcess::NotRunning)
            return;
        process.kill();
        process.waitForFinished(5000);
    }
    QString Url() const {
        return QStringLiteral("%1://127.0.0.1:%2").arg(tls ? "mqtts" : "mqtt").arg(port);
    }
};

// mosquitto_sub, printing "topic payload" lines.
struct MqttWatch {
    QProcess process;
    QStringList lines;
    QByteArray partial;

    bool Start(const MqttBroker& broker, const QString& topic, const QStringList& more = {}) {
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            partial += process.readAllStandardOutput();
            for (qsizetype nl; (nl = partial.indexOf('\n')) >= 0;) {
                lines << QString::fromUtf8(partial.left(nl));
                partial.remove(0, nl + 1);
            }
        });
        process.start(QStringLiteral("mosquitto_sub"),
                      QStringList{QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                                  QStringLiteral("-p"), QString::number(broker.port),
                                  QStringLiteral("-t"), topic, QStringLiteral("-v"),
                                  QStringLiteral("-q"), QStringLiteral("1")} +
                          more);
        return process.waitForStarted(5000);
    }
    ~MqttWatch() {
        process.kill();
        process.waitForFinished(2000);
    }
    // The lines on a topic, payload only.
    QStringList On(const QString& topic) const {
        QStringList out;
        for (const QString& l : lines)
            if (l.startsWith(topic + QLatin1Char(' ')))
                out << l.mid(topic.size() + 1);
        return out;
    }
    // Every topic seen, once each.
    QStringList Topics() const {
        QStringList out;
        for (const QString& l : lines)
            if (const QString t = l.section(QLatin1Char(' '), 0, 0); !out.contains(t))
                out << t;
        return out;
    }
    bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
        return QTest::qWaitFor(done, ms);
    }
    // Waits until the subscription is in: a probe published on topic (which the watch's filter
    // must match) comes back. The probes are then forgotten.
    bool WaitSubscribed(const MqttBroker& broker, const QString& topic) {
        const bool seen = QTest::qWaitFor(
            [&] {
                QProcess::execute(QStringLiteral("mosquitto_pub"),
                                  {QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                                   QStringLiteral("-p"), QString::number(broker.port),
                                   QStringLiteral("-t"), topic, QStringLiteral("-m"),
                                   QStringLiteral("probe")});
                return QTest::qWaitFor([&] { return !On(topic).isEmpty(); }, 200);
            },
            10000);
        lines.clear();
        return seen;
    }
};

// One message from mosquitto_pub.
inline bool MqttPublish(const MqttBroker& broker, const QString& topic, const QByteArray& payload) {
    return QProcess::execute(QStringLiteral("mosquitto_pub"),
                             {QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                              QStringLiteral("-p"), QString::number(broker.port),
                              QStringLiteral("-t"), topic, QStringLiteral("-m"),
                              QString::fromUtf8(payload)}) == 0;
}

#pragma once
// The device simulator as a separate process, for end-to-end tests of any product: starts
// korvane-sim, waits for the line that names its port, reads its log of received frames and
// its printed lines, and ends it when the fixture goes.

#include "core/products/catalogue.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

class SimProcess {
  public:
    ~SimProcess() { Stop(); }

    // Starts the simulator for a product with extra options; false when it did not come up.
    bool Start(int product, QStringList extra = {}) {
        Stop();
        // A camera on a free port unless a test asks for one: tests run side by side, and two
        // simulated cars must never both want the default 8080.
        if (!extra.contains(QStringLiteral("--video-port")))
            extra << QStringLiteral("--video-port") << QStringLiteral("0");
        m_port = m_dir.filePath(QStringLiteral("tty%1").arg(product));
        m_log = m_dir.filePath(QStringLiteral("received%1.log").arg(m_runs++));
        m_process.start(
            QStringLiteral(KORVANE_SIM_PATH),
            QStringList{"--product", QString::number(product), "--link", m_port, "--log", m_log} +
                extra);
        if (!m_process.waitForStarted(5000))
            return false;
        const QByteArray line = ReadLine(5000);
        if (line != ("PORT " + m_port).toLocal8Bit())
            return false;
        m_controlPort = 0;
        if (Korvane::IsValidProduct(product) && Korvane::Product(product).network) {
            // the Raspberry Pi cars' control service
            const QByteArray control = ReadLine(5000);
            if (!control.startsWith("CONTROL "))
                return false;
            m_controlPort = quint16(control.mid(8).toUInt());
            const QByteArray video = ReadLine(5000);
            if (!video.startsWith("VIDEO "))
                return false;
            m_videoUrl = QString::fromLatin1(video.mid(6));
        }
        return true;
    }

    // The TCP control service's port (Raspberry Pi cars; start with "--control-port 0").
    quint16 ControlPort() const { return m_controlPort; }
    // The camera's snapshot address (Raspberry Pi cars; start with "--video-port 0").
    QString VideoUrl() const { return m_videoUrl; }
    // A command on the simulator's standard input ("fault refuse", "fault split 1", ...);
    // waits until the simulator has taken it.
    bool Command(const QByteArray& line) {
        m_process.write(line + '\n');
        for (QByteArray printed = ReadLine(3000); !printed.isEmpty(); printed = ReadLine(3000))
            if (printed.startsWith("FAULT "))
                return true;
        return false;
    }

    // A device command on the simulator's standard input ("keys 12+3=", "dump"); no answer
    // is awaited.
    void Say(const QByteArray& line) { m_process.write(line + '\n'); }
    // Waits for a printed line that contains text and returns it (empty after the time);
    // lines before it are passed over.
    QByteArray WaitPrinted(const QByteArray& text, int timeoutMs = 3000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            const QByteArray line = ReadLine(int(std::max<qint64>(1, timeoutMs - t.elapsed())));
            if (line.contains(text))
                return line;
        }
        return {};
    }

    void Stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }

    // The station's port to open.
    QString Port() const { return m_port; }
    // Every frame the simulated device received so far, one per line.
    QString Log() const {
        QFile f(m_log);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
    // The next line the simulator printed (its acknowledgements), or empty after the time.
    QByteArray ReadLine(int timeoutMs = 3000) {
        if (!QTest::qWaitFor([&] { return m_process.canReadLine(); }, timeoutMs))
            return {};
        const QByteArray line = m_process.readLine().trimmed();
        m_printed += line + '\n';
        return line;
    }
    // Every line read from the simulator so far.
    QByteArray Printed() const { return m_printed; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QProcess& Process() { return m_process; }

  private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_port;
    QString m_log;
    int m_runs = 0;
    quint16 m_controlPort = 0;
    QString m_videoUrl;
    QByteArray m_printed;
};

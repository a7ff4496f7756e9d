// korvane-sim: stands in for a product's firmware on a pseudo-terminal.
#include "device.h"
#include "link/frame_receive.h"
#include "pty_transport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <cstdio>

using namespace KorvaneSim;

namespace {

void OnSignal(int) {
    QCoreApplication::quit();
}

struct Options {
    int product = 5;
    int baud = 115200;
    double rate = -1; // telemetry frames per second; below 0: the device's own default
    QString script;
    QString logPath;
    QString linkPath;
    bool quiet = false;
};

bool Parse(QCoreApplication& app, Options* o) {
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Simulated Korvane product on a pseudo-terminal."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("product"), QStringLiteral("Product index to simulate (default 5)."),
         QStringLiteral("N")},
        {QStringLiteral("baud"), QStringLiteral("Baud rate of the line (default 115200)."),
         QStringLiteral("B")},
        {QStringLiteral("rate"),
         QStringLiteral(
             "Telemetry frames per second (default: 5 for cars, 20 for balance cars; 0: none)."),
         QStringLiteral("R")},
        {QStringLiteral("script"),
         QStringLiteral("File of frames to send at start, one per line; 'sleep MS' pauses."),
         QStringLiteral("FILE")},
        {QStringLiteral("log"), QStringLiteral("Append every received frame to FILE."),
         QStringLiteral("FILE")},
        {QStringLiteral("link"), QStringLiteral("Make PATH a symbolic link to the port."),
         QStringLiteral("PATH")},
        {QStringLiteral("quiet"), QStringLiteral("Print only the port line.")},
    });
    p.process(app);
    bool ok = true;
    if (p.isSet(QStringLiteral("product")))
        o->product = p.value(QStringLiteral("product")).toInt(&ok);
    if (!ok || !CreateDevice(o->product)) {
        std::fprintf(stderr, "korvane-sim: no simulated device for product \"%s\"\n",
                     qPrintable(p.value(QStringLiteral("product"))));
        return false;
    }
    if (p.isSet(QStringLiteral("baud")))
        o->baud = p.value(QStringLiteral("baud")).toInt(&ok);
    if (!ok || o->baud <= 0) {
        std::fprintf(stderr, "korvane-sim: bad --baud\n");
        return false;
    }
    if (p.isSet(QStringLiteral("rate"))) {
        o->rate = p.value(QStringLiteral("rate")).toDouble(&ok);
        ok = ok && o->rate >= 0;
    }
    if (!ok) {
        std::fprintf(stderr, "korvane-sim: bad --rate\n");
        return false;
    }
    o->script = p.value(QStringLiteral("script"));
    o->logPath = p.value(QStringLiteral("log"));
    o->linkPath = p.value(QStringLiteral("link"));
    o->quiet = p.isSet(QStringLiteral("quiet"));
    return true;
}

// Sends the script's frames in order, honouring its pauses.
void RunScript(const QStringList& lines, int at, PtyTransport* port) {
    for (int i = at; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QStringLiteral("sleep "))) {
            QTimer::singleShot(line.mid(6).toInt(), port,
                               [lines, i, port] { RunScript(lines, i + 1, port); });
            return;
        }
        port->Send(line.toLatin1());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvane-sim"));
    Options o;
    if (!Parse(app, &o))
        return 2;

    PtyTransport port;
    QString error;
    if (!port.Open(o.baud, o.linkPath, &error)) {
        std::fprintf(stderr, "korvane-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("PORT %s\n", qPrintable(o.linkPath.isEmpty() ? port.SlavePath() : o.linkPath));
    std::fflush(stdout);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    std::unique_ptr<Device> device = CreateDevice(o.product);
    if (o.rate < 0)
        o.rate = device->DefaultRate();
    QFile logFile(o.logPath);
    if (!o.logPath.isEmpty() && !logFile.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "korvane-sim: cannot write %s\n", qPrintable(o.logPath));
        return 1;
    }
    QObject::connect(device.get(), &Device::send, &port, &PtyTransport::Send);
    qint64 framesSent = 0;
    QObject::connect(device.get(), &Device::send, &app, [&framesSent] { ++framesSent; });
    QObject::connect(device.get(), &Device::log, &app, [&o](const QString& line) {
        if (!o.quiet) {
            std::printf("%s\n", qPrintable(line));
            std::fflush(stdout);
        }
    });

    Korvane::CFrameAssembler assembler;
    QObject::connect(&port, &Transport::received, &app, [&](const QByteArray& bytes) {
        assembler.FeedChunk(bytes, [&](const QByteArray& frame) {
            if (logFile.isOpen()) {
                logFile.write(frame + '\n');
                logFile.flush();
            }
            device->OnFrame(frame);
        });
    });

    // Telemetry: as many frames as the rate asks for, however coarse the timer is.
    QElapsedTimer clock;
    clock.start();
    qint64 sent = 0;
    QTimer telemetry;
    if (o.rate > 0) {
        telemetry.setTimerType(Qt::PreciseTimer);
        telemetry.setInterval(std::max(1, int(1000.0 / o.rate)));
        QObject::connect(&telemetry, &QTimer::timeout, &app, [&] {
            const qint64 due = qint64(clock.nsecsElapsed() * 1e-9 * o.rate);
            for (; sent < due; ++sent)
                device->Tick(1.0 / o.rate);
        });
        telemetry.start();
    }

    if (!o.script.isEmpty()) {
        QFile f(o.script);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "korvane-sim: cannot read %s\n", qPrintable(o.script));
            return 1;
        }
        const QStringList lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
        RunScript(lines, 0, &port);
    }
    const int rc = app.exec();
    // How many frames the device sent, for tools that check that none was lost.
    std::printf("SENT %lld\n", static_cast<long long>(framesSent));
    std::fflush(stdout);
    return rc;
}

// korvane-sim: stands in for a product's firmware on a pseudo-terminal.
#include "core/link/frame_receive.h"
#include "core/products/catalogue.h"
#include "device.h"
#include "pty_transport.h"
#include "tcp_control_service.h"
#include "video_server.h"
#include "wifi_cars.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

using namespace KorvaneSim;

namespace {

// SIGTERM and SIGINT end the simulator through a self-pipe: the handler only writes one byte
// (async-signal-safe), and the event loop reads it and quits in the ordinary way.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char b = 1;
    const int saved = errno;
    (void)!::write(g_signalPipe[1], &b, 1);
    errno = saved;
}

bool InstallSignalHandlers(QObject* parent) {
    if (::pipe(g_signalPipe) != 0)
        return false;
    for (int fd : g_signalPipe)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [] {
        char b;
        (void)!::read(g_signalPipe[0], &b, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &sa, nullptr) == 0 && sigaction(SIGINT, &sa, nullptr) == 0;
}

struct Options {
    int product = 5;
    int baud = 115200;
    double rate = -1; // telemetry frames per second; below 0: the device's own default
    QString script;
    QString logPath;
    QString linkPath;
    bool quiet = false;
    int controlPort = 8888; // Raspberry Pi cars: the TCP control service (0: a free port)
    int videoPort = 8080;   // and the camera's HTTP server (0: a free port)
    QString videoFault;
    double fps = 30;
    QString controlBind = QStringLiteral("127.0.0.1");
    QString controlFault;
};

// The products that also offer the TCP control service.
bool HasControlService(int product) {
    return Korvane::IsValidProduct(product) && Korvane::Product(product).network;
}

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
         QStringLiteral("File of frames to send at start, one per line; 'sleep MS' pauses, "
                        "'wait-frame' waits for the next frame from the station."),
         QStringLiteral("FILE")},
        {QStringLiteral("log"), QStringLiteral("Append every received frame to FILE."),
         QStringLiteral("FILE")},
        {QStringLiteral("link"), QStringLiteral("Make PATH a symbolic link to the port."),
         QStringLiteral("PATH")},
        {QStringLiteral("quiet"), QStringLiteral("Print only the port line.")},
        {QStringLiteral("control-port"),
         QStringLiteral("Raspberry Pi cars: port of the TCP control service (default 8888; 0: "
                        "any free port, printed as CONTROL <port>)."),
         QStringLiteral("PORT")},
        {QStringLiteral("control-bind"),
         QStringLiteral("Address the control service listens on (default 127.0.0.1)."),
         QStringLiteral("ADDRESS")},
        {QStringLiteral("video-port"),
         QStringLiteral("Raspberry Pi cars: port of the camera's HTTP server (default 8080; 0: "
                        "any free port, printed as VIDEO <address>)."),
         QStringLiteral("PORT")},
        {QStringLiteral("fps"),
         QStringLiteral("Raspberry Pi cars: pictures per second of the camera (default 30; 0: "
                        "a new picture for every request)."),
         QStringLiteral("FPS")},
        {QStringLiteral("video-fault"),
         QStringLiteral("Fault mode of the camera server (none, 404, 500, garbage, truncated, "
                        "huge-length, stall, huge-picture, refuse, many-scans, stream-drip, "
                        "stream-headerless); also 'video MODE' on "
                        "standard input while running."),
         QStringLiteral("MODE")},
        {QStringLiteral("control-fault"),
         QStringLiteral("Fault mode of the control service (none, refuse, close, close-after N, "
                        "reset, split N, bunch, junk, flood, deaf, hang); also 'fault MODE' on "
                        "standard input while running."),
         QStringLiteral("MODE")},
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
    if (p.isSet(QStringLiteral("control-port"))) {
        o->controlPort = p.value(QStringLiteral("control-port")).toInt(&ok);
        if (!ok || o->controlPort < 0 || o->controlPort > 65535) {
            std::fprintf(stderr, "korvane-sim: bad --control-port\n");
            return false;
        }
    }
    if (p.isSet(QStringLiteral("control-bind")))
        o->controlBind = p.value(QStringLiteral("control-bind"));
    o->controlFault = p.value(QStringLiteral("control-fault"));
    o->videoFault = p.value(QStringLiteral("video-fault"));
    if (p.isSet(QStringLiteral("fps"))) {
        o->fps = p.value(QStringLiteral("fps")).toDouble(&ok);
        if (!ok || o->fps < 0) {
            std::fprintf(stderr, "korvane-sim: bad --fps\n");
            return false;
        }
    }
    if (p.isSet(QStringLiteral("video-port"))) {
        o->videoPort = p.value(QStringLiteral("video-port")).toInt(&ok);
        if (!ok || o->videoPort < 0 || o->videoPort > 65535) {
            std::fprintf(stderr, "korvane-sim: bad --video-port\n");
            return false;
        }
    }
    return true;
}

// Plays a script: frames to send, one per line; "sleep MS" pauses; "wait-frame" waits until
// the next frame from the station has arrived (the first one, at the start of the script);
// any other line is a device command (as on standard input).
class ScriptPlayer : public QObject {
  public:
    ScriptPlayer(const QStringList& lines, PtyTransport* port,
                 std::function<bool(const QString&)> command)
        : QObject(port), m_lines(lines), m_port(port), m_command(std::move(command)) {}

    void Run(int at) {
        for (int i = at; i < m_lines.size(); ++i) {
            const QString line = m_lines[i].trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
                continue;
            if (line.startsWith(QStringLiteral("sleep "))) {
                QTimer::singleShot(line.mid(6).toInt(), this, [this, i] { Run(i + 1); });
                return;
            }
            if (line == QStringLiteral("wait-frame")) {
                if (m_framesSeen > m_framesUsed) { // it came before the script got here
                    ++m_framesUsed;
                    continue;
                }
                m_waitingAt = i + 1;
                return;
            }
            if (line.startsWith(QLatin1Char('$')))
                m_port->Send(line.toLatin1());
            else if (!m_command(line))
                std::fprintf(stderr, "korvane-sim: unknown script line: %s\n", qPrintable(line));
        }
    }

    void OnFrame() {
        ++m_framesSeen;
        if (m_waitingAt < 0)
            return;
        ++m_framesUsed;
        const int at = std::exchange(m_waitingAt, -1);
        Run(at);
    }

  private:
    QStringList m_lines;
    PtyTransport* m_port;
    std::function<bool(const QString&)> m_command;
    int m_waitingAt = -1;
    int m_framesSeen = 0;
    int m_framesUsed = 0;
};

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
    if (!InstallSignalHandlers(&app)) {
        std::fprintf(stderr, "korvane-sim: cannot install signal handlers\n");
        return 1;
    }

    std::unique_ptr<Device> device = CreateDevice(o.product);
    if (o.rate < 0)
        o.rate = device->DefaultRate();
    QFile logFile(o.logPath);
    if (!o.logPath.isEmpty() && !logFile.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "korvane-sim: cannot write %s\n", qPrintable(o.logPath));
        return 1;
    }
    std::unique_ptr<TcpControlService> control;
    std::unique_ptr<VideoServer> video;
    // What the device says goes over the control connection while a client is on it (the
    // Raspberry Pi cars), else over the serial line.
    QObject::connect(device.get(), &Device::send, &port, [&](const QByteArray& frame) {
        if (control && control->HasClient())
            control->Send(frame);
        else
            port.Send(frame);
    });
    qint64 framesSent = 0;
    QObject::connect(device.get(), &Device::send, &app, [&framesSent] { ++framesSent; });
    QObject::connect(device.get(), &Device::log, &app, [&o](const QString& line) {
        if (!o.quiet) {
            std::printf("%s\n", qPrintable(line));
            std::fflush(stdout);
        }
    });

    ScriptPlayer* script = nullptr;
    // Each link has its own assembler; frames from either reach the same device.
    auto listen = [&](Transport* link) {
        auto assembler = std::make_shared<Korvane::CFrameAssembler>();
        QObject::connect(link, &Transport::received, &app, [&, assembler](const QByteArray& bytes) {
            device->OnRawBytes(bytes);
            assembler->FeedChunk(bytes, [&](const QByteArray& frame) {
                if (logFile.isOpen()) {
                    logFile.write(frame + '\n');
                    logFile.flush();
                }
                device->OnFrame(frame);
                if (script)
                    script->OnFrame();
            });
        });
    };
    listen(&port);

    // The Raspberry Pi cars' control service on TCP: the same frames both ways.
    if (HasControlService(o.product)) {
        control = std::make_unique<TcpControlService>();
        QString controlError;
        if (!control->Listen(QHostAddress(o.controlBind), quint16(o.controlPort), &controlError)) {
            std::fprintf(stderr, "korvane-sim: control service: %s\n", qPrintable(controlError));
            return 1;
        }
        if (!o.controlFault.isEmpty() && !control->SetFault(o.controlFault)) {
            std::fprintf(stderr, "korvane-sim: unknown fault mode %s\n",
                         qPrintable(o.controlFault));
            return 2;
        }
        std::printf("CONTROL %u\n", unsigned(control->Port()));
        std::fflush(stdout);
        QObject::connect(control.get(), &TcpControlService::clientChanged, &app, [&o](bool up) {
            if (!o.quiet) {
                std::printf("%s\n", up ? "control client connected" : "control client gone");
                std::fflush(stdout);
            }
        });
        listen(control.get());

        // The camera: each request gets a fresh picture of what the car sees.
        auto* car = qobject_cast<WifiCarDevice*>(device.get());
        video = std::make_unique<VideoServer>([car](int seq) {
            const auto light = car->Light();
            return DrawCameraPicture(seq, 640, 480, car->CameraAngle(), light[0], light[1],
                                     light[2]);
        });
        video->SetFps(o.fps);
        if (!video->Listen(QHostAddress(o.controlBind), quint16(o.videoPort), &controlError)) {
            std::fprintf(stderr, "korvane-sim: camera server: %s\n", qPrintable(controlError));
            return 1;
        }
        if (!o.videoFault.isEmpty() && !video->SetFault(o.videoFault)) {
            std::fprintf(stderr, "korvane-sim: unknown video fault %s\n", qPrintable(o.videoFault));
            return 2;
        }
        std::printf("VIDEO http://%s:%u/?action=snapshot\n", qPrintable(o.controlBind),
                    unsigned(video->Port()));
        std::fflush(stdout);
    }
    // Commands on standard input while running: "fault MODE [N]", "video MODE", and the
    // device's own commands (a board's "keys 12+3=", "irkey 1", "dump"...).
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, &app, [&] {
        char line[256];
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0) {
            commands.setEnabled(false); // end of input: nothing more to take
            return;
        }
        const QString text = QString::fromUtf8(line, int(n)).trimmed();
        for (const QString& command : text.split(QLatin1Char('\n'))) {
            const QString c = command.trimmed();
            if (c.startsWith(QStringLiteral("fault ")) && control &&
                control->SetFault(c.mid(6).trimmed())) {
                std::printf("FAULT %s\n", qPrintable(c.mid(6).trimmed()));
                std::fflush(stdout);
            } else if (c.startsWith(QStringLiteral("video ")) && video &&
                       video->SetFault(c.mid(6).trimmed())) {
                std::printf("FAULT video %s\n", qPrintable(c.mid(6).trimmed()));
                std::fflush(stdout);
            } else if (!c.isEmpty() && !device->Command(c)) {
                std::fprintf(stderr, "korvane-sim: unknown command: %s\n", qPrintable(c));
            }
        }
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
        script = new ScriptPlayer(lines, &port,
                                  [&device](const QString& line) { return device->Command(line); });
        script->Run(0);
    }
    const int rc = app.exec();
    // How many frames the device sent, for tools that check that none was lost.
    std::printf("SENT %lld\n", static_cast<long long>(framesSent));
    if (video)
        std::printf("VIDEO REQUESTS %d, at most %d at once\n", video->Requests(),
                    video->MostInFlight());
    std::fflush(stdout);
    return rc;
}

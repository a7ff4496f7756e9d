#include "video_server.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>

#include <sys/socket.h>

namespace KorvaneSim {

QByteArray DrawCameraPicture(int seq, int width, int height, double cameraAngle, int red, int green,
                             int blue) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int horizon = std::clamp(int(height * (0.2 + 0.6 * cameraAngle / 180.0)), 0, height);
    p.fillRect(0, 0, width, horizon, QColor(120, 170, 230)); // sky
    for (int y = horizon; y < height; y += 24) // a floor of stripes that scroll with seq
        p.fillRect(0, y, width, 12,
                   ((y / 24 + seq) % 2) ? QColor(90, 80, 60) : QColor(140, 120, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(red, green, blue));
    p.drawEllipse(QPoint(width / 2, horizon + (height - horizon) / 2), width / 8, width / 8);
    // The sequence number: 16 blocks, white for 1, black for 0, along the top edge.
    const int block = width / 16;
    for (int bit = 0; bit < 16; ++bit)
        p.fillRect(bit * block, 0, block, block, (seq >> (15 - bit)) & 1 ? Qt::white : Qt::black);
    p.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    writer.setText(QStringLiteral("Description"), QString::number(seq));
    writer.write(image);
    return jpeg;
}

QByteArray ManyScanPicture(qint64 cap) {
    // A flat progressive picture of 4096 by 4096 whose last scan is repeated until the body
    // nears the cap (at most 20 000 times): a decoder makes a pass over the whole picture for
    // each scan, which takes minutes.
    QImage image(4096, 4096, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA");
    if (lastScan < 0 || !jpeg.endsWith("\xFF\xD9"))
        return jpeg;
    const QByteArray scan = jpeg.mid(lastScan, jpeg.size() - 2 - lastScan);
    const qint64 room = cap - jpeg.size();
    const qint64 copies = std::min<qint64>(20000, room / scan.size());
    QByteArray hostile = jpeg.left(jpeg.size() - 2);
    hostile.reserve(qsizetype(hostile.size() + copies * scan.size() + 2));
    for (qint64 i = 0; i < copies; ++i)
        hostile += scan;
    return hostile + "\xFF\xD9";
}

int ReadSequenceBlocks(const QImage& picture) {
    if (picture.width() < 16)
        return -1;
    const int block = picture.width() / 16;
    int seq = 0;
    for (int bit = 0; bit < 16; ++bit) {
        const QColor c = picture.pixelColor(bit * block + block / 2, block / 2);
        seq = seq * 2 + (c.lightness() > 128 ? 1 : 0);
    }
    return seq;
}

VideoServer::VideoServer(std::function<QByteArray(int)> picture, QObject* parent)
    : QObject(parent), m_picture(std::move(picture)) {
    m_clock.start();
}

QByteArray VideoServer::NextPicture() {
    // The camera takes pictures on its own clock, fps times a second; a request gets the one
    // taken last (unpaced: a new picture for every request).
    if (m_fps <= 0) {
        m_lastPicture = m_picture(m_seq++);
        return m_lastPicture;
    }
    const qint64 slot = qint64(m_clock.nsecsElapsed() * 1e-9 * m_fps);
    if (m_lastPicture.isEmpty() || slot != m_lastPictureNs) {
        m_lastPicture = m_picture(m_seq++);
        m_lastPictureNs = slot;
    }
    return m_lastPicture;
}

void VideoServer::StartStream(QTcpSocket* socket) {
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: multipart/x-mixed-replace;boundary=korvane\r\n"
                  "Cache-Control: no-cache\r\n\r\n");
    if (m_fault == QLatin1String("stream-drip")) {
        // The stream's first part, one byte a second.
        const QByteArray jpeg = m_picture(m_seq++);
        const QByteArray part = "--korvane\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                                QByteArray::number(jpeg.size()) + "\r\n\r\n" + jpeg + "\r\n";
        auto* timer = new QTimer(socket);
        timer->setInterval(1000);
        connect(timer, &QTimer::timeout, socket, [socket, part, at = qsizetype(0)]() mutable {
            if (at < part.size())
                socket->write(part.mid(at++, 1));
        });
        timer->start();
        return;
    }
    // The stream's own cadence: a new picture each time; parts without headers in
    // "stream-headerless" (the picture right after the boundary line).
    const bool headerless = m_fault == QLatin1String("stream-headerless");
    auto writePart = [this, socket, headerless] {
        const QByteArray jpeg = m_picture(m_seq++);
        socket->write(headerless
                          ? "--korvane\r\n" + jpeg + "\r\n"
                          : "--korvane\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                                QByteArray::number(jpeg.size()) + "\r\n\r\n" + jpeg + "\r\n");
    };
    if (m_fps <= 0) {
        // Unpaced: the next picture as soon as the last one has left, as fast as the client
        // reads, without spinning while it does not.
        connect(socket, &QTcpSocket::bytesWritten, socket, [socket, writePart] {
            if (socket->bytesToWrite() == 0)
                writePart();
        });
        writePart();
        return;
    }
    auto* timer = new QTimer(socket);
    timer->setInterval(int(1000 / m_fps));
    connect(timer, &QTimer::timeout, socket, [socket, writePart] {
        if (socket->bytesToWrite() > 4 * 1024 * 1024)
            return; // the client is behind: skip pictures rather than pile them up
        writePart();
    });
    timer->start();
}

bool VideoServer::Listen(const QHostAddress& address, quint16 port, QString* error) {
    m_address = address;
    m_server = new QTcpServer(this);
    if (!m_server->listen(address, port)) {
        *error = m_server->errorString();
        return false;
    }
    m_port = m_server->serverPort();
    connect(m_server, &QTcpServer::newConnection, this, &VideoServer::OnNewConnection);
    return true;
}

quint16 VideoServer::Port() const {
    return m_port;
}

bool VideoServer::SetFault(const QString& mode) {
    static const QStringList kModes = {"none",        "404",          "500",
                                       "garbage",     "truncated",    "short-body",
                                       "endless",     "stall",        "stall-body",
                                       "drip",        "close",        "reset",
                                       "huge-length", "huge-picture", "refuse",
                                       "many-scans",  "stream-drip",  "stream-headerless"};
    // "redirect=<url>": every request is answered "302 Found" towards the address given (another
    // host, another scheme, or this camera again for a loop).
    if (!kModes.contains(mode) && !mode.startsWith(QLatin1String("redirect=")))
        return false;
    m_fault = mode;
    if (mode == QLatin1String("refuse")) {
        // The car is gone: no new connection, and the open ones end.
        m_server->close();
        for (QTcpSocket* socket : m_server->findChildren<QTcpSocket*>())
            socket->abort();
    } else if (!m_server->isListening()) {
        m_server->listen(m_address, m_port);
    }
    return true;
}

void VideoServer::OnNewConnection() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void VideoServer::OnRequest(QTcpSocket* socket) {
    // Requests are small: wait for the end of the headers.
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    for (qsizetype end = pending.indexOf("\r\n\r\n"); end >= 0; end = pending.indexOf("\r\n\r\n")) {
        const QByteArray head = pending.left(end);
        pending.remove(0, end + 4);
        ++m_requests;
        m_mostInFlight = std::max(m_mostInFlight, ++m_inFlight);
        const bool close = head.toLower().contains("connection: close");
        if (head.startsWith("GET /?action=stream ") &&
            (m_fault == QLatin1String("none") || m_fault.startsWith(QLatin1String("stream-")))) {
            StartStream(socket);
            continue;
        }
        if (!head.startsWith("GET /?action=snapshot ") &&
            !head.startsWith("GET /?action=stream ")) {
            socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
            --m_inFlight;
            continue;
        }
        Answer(socket, close);
    }
    socket->setProperty("pending", pending);
}

void VideoServer::Answer(QTcpSocket* socket, bool close) {
    auto done = [this] { --m_inFlight; };
    if (m_fault == QLatin1String("stall")) {
        connect(socket, &QObject::destroyed, this, done);
        return; // never answers
    }
    if (m_fault.startsWith(QLatin1String("redirect="))) {
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + m_fault.mid(9).toLatin1() +
                      "\r\nContent-Length: 0\r\n\r\n");
        done();
        return;
    }
    if (m_fault == QLatin1String("404") || m_fault == QLatin1String("500")) {
        socket->write(m_fault == QLatin1String("404")
                          ? "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"
                          : "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n");
        done();
        return;
    }
    if (m_fault == QLatin1String("close") || m_fault == QLatin1String("reset")) {
        if (m_fault == QLatin1String("reset")) {
            linger l{1, 0};
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &l, sizeof l);
            socket->abort();
        } else {
            socket->disconnectFromHost();
        }
        done();
        return;
    }
    QByteArray body = NextPicture();
    qint64 length = body.size();
    if (m_fault == QLatin1String("endless") || m_fault == QLatin1String("drip") ||
        m_fault == QLatin1String("stall-body") || m_fault == QLatin1String("short-body")) {
        const QString fault = m_fault;
        socket->write(
            fault == QLatin1String("endless")
                ? QByteArray("HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\n"
                             "Connection: close\r\n\r\n")
                : "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                      QByteArray::number(body.size() +
                                         (fault == QLatin1String("short-body") ? 1000 : 0)) +
                      "\r\n\r\n");
        if (fault == QLatin1String("short-body")) {
            socket->write(body);
            socket->disconnectFromHost();
        } else if (fault == QLatin1String("stall-body")) {
            socket->write(body.left(body.size() / 2)); // and nothing more
        } else {
            // Endless: a megabyte every 10 ms; drip: one byte a second.
            auto* timer = new QTimer(socket);
            const bool endless = fault == QLatin1String("endless");
            timer->setInterval(endless ? 10 : 1000);
            connect(timer, &QTimer::timeout, socket,
                    [socket, endless, body, at = qsizetype(0)]() mutable {
                        if (endless) {
                            if (socket->bytesToWrite() < 4 * 1024 * 1024)
                                socket->write(QByteArray(1024 * 1024, 'z'));
                        } else if (at < body.size()) {
                            socket->write(body.mid(at++, 1));
                        }
                    });
            timer->start();
        }
        done();
        return;
    }
    if (m_fault == QLatin1String("garbage")) {
        body = QByteArray(body.size(), 'x');
    } else if (m_fault == QLatin1String("truncated")) {
        body.chop(body.size() / 2);
        length = body.size();
    } else if (m_fault == QLatin1String("huge-length")) {
        length = 1LL << 34;
    } else if (m_fault == QLatin1String("many-scans")) {
        static const QByteArray manyScans = ManyScanPicture(8 * 1024 * 1024);
        body = manyScans;
        length = body.size();
    } else if (m_fault == QLatin1String("huge-picture")) {
        // Patch the frame header (SOF0) to declare 30000 by 30000 pixels.
        const qsizetype sof = body.indexOf("\xFF\xC0");
        if (sof >= 0 && sof + 9 < body.size()) {
            body[sof + 5] = char(30000 >> 8);
            body[sof + 6] = char(30000 & 0xFF);
            body[sof + 7] = char(30000 >> 8);
            body[sof + 8] = char(30000 & 0xFF);
        }
    }
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nCache-Control: no-cache\r\n"
                      "Content-Length: " +
                      QByteArray::number(length) + "\r\n";
    head += close ? "Connection: close\r\n\r\n" : "\r\n";
    socket->write(head + (m_fault == QLatin1String("huge-length") ? QByteArray() : body));
    done();
    if (close)
        socket->disconnectFromHost();
}

} // namespace KorvaneSim

#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace KorvaneSim {

// The Raspberry Pi cars' camera server on loopback: "/?action=snapshot" answers one JPEG
// (HTTP/1.1, keep-alive unless the client asks to close), "/?action=stream" a
// multipart/x-mixed-replace stream of pictures at the camera's rate, anything else 404. Each
// picture carries a sequence number, drawn as large black and white blocks that survive JPEG and
// written as the JPEG's comment. Fault modes, switchable while running: none, 404, 500,
// garbage, truncated, short-body (Content-Length longer than the body, then close), endless
// (a body that never ends), huge-length (Content-Length far above any cap), stall (never
// answers), stall-body (stops inside the body), drip (one byte a second), close, reset,
// huge-picture (a small JPEG declaring 30000 by 30000 pixels), refuse, redirect=<url> (302 Found
// towards that address), many-scans (a progressive 4096 by 4096 JPEG of thousands of scans,
// under the fetch cap); for the stream address stream-drip (the first part one byte a second)
// and stream-headerless (parts without headers).
class VideoServer : public QObject {
    Q_OBJECT
  public:
    // picture(seq) draws the picture with that sequence number (the device's view).
    explicit VideoServer(std::function<QByteArray(int seq)> picture, QObject* parent = nullptr);
    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 Port() const;
    bool SetFault(const QString& mode);
    // Pictures per second of the camera (0: a new picture for every request at once).
    void SetFps(double fps) { m_fps = fps; }
    int Requests() const { return m_requests; }
    int MostInFlight() const { return m_mostInFlight; }

  private:
    void OnNewConnection();
    void OnRequest(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, bool close);
    void StartStream(QTcpSocket* socket);
    QByteArray NextPicture();

    std::function<QByteArray(int)> m_picture;
    QElapsedTimer m_clock;
    QTcpServer* m_server = nullptr;
    QHostAddress m_address;
    quint16 m_port = 0;
    QString m_fault = QStringLiteral("none");
    int m_seq = 0;
    int m_requests = 0;
    int m_inFlight = 0;
    int m_mostInFlight = 0;
    double m_fps = 30;
    qint64 m_lastPictureNs = 0; // the camera's frame slot of the last picture
    QByteArray m_lastPicture;
};

// A JPEG of the given size showing a floor, a horizon at the camera's angle, a spot in the
// searchlight's colour and the sequence number as 16 blocks.
QByteArray DrawCameraPicture(int seq, int width, int height, double cameraAngle, int red, int green,
                             int blue);
// A progressive 4096 by 4096 JPEG whose last scan is repeated until the body nears cap bytes.
QByteArray ManyScanPicture(qint64 cap);
// The sequence number read back from such a picture's blocks (-1 when it cannot be read).
int ReadSequenceBlocks(const class QImage& picture);

} // namespace KorvaneSim

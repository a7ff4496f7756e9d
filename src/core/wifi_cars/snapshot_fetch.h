#pragma once

#include "core/wifi_cars/mjpeg_parts.h"

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

namespace Korvane {

// Outcomes of one snapshot fetch: 0 is a picture, every other value a failure.
enum FetchResult : int {
    FetchOk = 0,
    FetchBadUrl = -1,    // not an http address
    FetchBadStatus = -4, // the server answered, but not with 200
    FetchEmptyUrl = -5,
    FetchNetworkError = -8, // refused, unreachable, reset, closed early
    FetchTooLarge = -9,     // a body above the cap (announced or read)
    FetchTimedOut = -10,    // no byte for too long, or the whole fetch took too long
    FetchAborted = -11,     // stopped by the owner
    FetchMalformed = -12,   // a stream whose parts cannot be told apart
};

// Fetches one snapshot at a time over HTTP, never blocking: no proxy (the car's own access
// point), no disk cache, keep-alive reuse of the connection, only http and https addresses,
// an inactivity time-out, an overall deadline and a cap on the body.
class CSnapshotFetcher : public QObject {
    Q_OBJECT
  public:
    explicit CSnapshotFetcher(QObject* parent = nullptr);
    ~CSnapshotFetcher() override;

    // Starts a fetch (aborting one in flight); finished() tells the outcome. An address whose
    // query asks for "action=stream" is read as a multipart stream: every picture in it comes
    // as partReceived(), until the stream fails or is aborted (then finished() with a failure).
    // Each picture of a stream, the first included, must come within the deadline.
    void Fetch(const QString& url);
    static bool IsStreamUrl(const QString& url);
    // Ends the fetch in flight at once; finished() is not emitted for it.
    void Abort();
    bool Busy() const { return m_reply != nullptr; }

    void SetLimits(int inactivityMs, int deadlineMs, qint64 maxBody);

    static constexpr int kInactivityMs = 3000;
    static constexpr int kDeadlineMs = 5000;
    static constexpr qint64 kMaxBody = 8 * 1024 * 1024;

  signals:
    void finished(int result, const QByteArray& body);
    void partReceived(const QByteArray& picture);

  private:
    void OnMetaData();
    void OnReadyRead();
    void OnFinished();
    void End(int result);

    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    CMjpegSplitter m_parts;
    QTimer m_inactivity;
    QTimer m_deadline;
    int m_inactivityMs = kInactivityMs;
    qint64 m_maxBody = kMaxBody;
    bool m_stream = false;
};

} // namespace Korvane

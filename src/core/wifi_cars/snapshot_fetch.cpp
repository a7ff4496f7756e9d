#include "core/wifi_cars/snapshot_fetch.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace Korvane {

bool IsCompleteJpeg(const QByteArray& bytes) {
    return bytes.size() >= 4 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 &&
           uchar(bytes[bytes.size() - 2]) == 0xFF && uchar(bytes[bytes.size() - 1]) == 0xD9;
}

CSnapshotFetcher::CSnapshotFetcher(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)) {
    m_manager->setProxy(QNetworkProxy::NoProxy);
    m_inactivity.setSingleShot(true);
    m_inactivity.setInterval(kInactivityMs);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kDeadlineMs);
    connect(&m_inactivity, &QTimer::timeout, this, [this] { End(FetchTimedOut); });
    connect(&m_deadline, &QTimer::timeout, this, [this] { End(FetchTimedOut); });
}

CSnapshotFetcher::~CSnapshotFetcher() {
    Abort();
}

void CSnapshotFetcher::SetLimits(int inactivityMs, int deadlineMs, qint64 maxBody) {
    m_inactivityMs = inactivityMs;
    m_inactivity.setInterval(inactivityMs);
    m_deadline.setInterval(deadlineMs);
    m_maxBody = maxBody;
}

bool CSnapshotFetcher::IsStreamUrl(const QString& url) {
    return QUrl(url.trimmed()).query().contains(QLatin1String("action=stream"));
}

void CSnapshotFetcher::Fetch(const QString& urlText) {
    Abort();
    m_stream = IsStreamUrl(urlText);
    if (urlText.trimmed().isEmpty()) {
        emit finished(FetchEmptyUrl, {});
        return;
    }
    const QUrl url(urlText.trimmed(), QUrl::StrictMode);
    // Only web addresses: the network manager would read file:, data: and qrc: too.
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        emit finished(FetchBadUrl, {});
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Korvane PC"));
    // A camera answers with its picture: a redirect is never followed (it could lead to
    // another host, another scheme, or round in a loop); it is a failed fetch like any other
    // answer that is no picture.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    m_body.clear();
    m_reply = m_manager->get(request);
    m_reply->setReadBufferSize(64 * 1024);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &CSnapshotFetcher::OnMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &CSnapshotFetcher::OnReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &CSnapshotFetcher::OnFinished);
    m_inactivity.start();
    m_deadline.start();
}

void CSnapshotFetcher::OnMetaData() {
    m_inactivity.start();
    if (m_stream) {
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status == 200)
            m_deadline.stop(); // a stream has no end; the inactivity time-out still holds
        return;
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_maxBody)
        End(FetchTooLarge); // refused before a byte of it is read
}

void CSnapshotFetcher::OnReadyRead() {
    if (!m_reply)
        return;
    m_inactivity.start();
    m_body += m_reply->readAll();
    if (m_stream)
        TakeParts();
    if (m_reply && m_body.size() > m_maxBody)
        End(FetchTooLarge);
}

void CSnapshotFetcher::TakeParts() {
    // Each part: headers (with Content-Length, as camera servers send it), a blank line, the
    // picture. Without a length the picture runs from its start to its end marker.
    for (;;) {
        const qsizetype headersEnd = m_body.indexOf("\r\n\r\n");
        if (headersEnd < 0)
            return;
        const QByteArray headers = m_body.left(headersEnd).toLower();
        const qsizetype at = headers.lastIndexOf("content-length:");
        const qsizetype from = headersEnd + 4;
        QByteArray picture;
        qsizetype next = -1;
        if (at >= 0) {
            const qsizetype lineEnd = headers.indexOf("\r\n", at);
            const qint64 length =
                headers.mid(at + 15, lineEnd < 0 ? -1 : lineEnd - at - 15).trimmed().toLongLong();
            if (length <= 0 || length > m_maxBody) {
                End(FetchTooLarge);
                return;
            }
            if (m_body.size() < from + length)
                return; // the rest of this picture is still coming
            picture = m_body.mid(from, length);
            next = from + length;
        } else {
            const qsizetype end = m_body.indexOf("\xFF\xD9", from);
            if (end < 0)
                return;
            picture = m_body.mid(from, end + 2 - from);
            next = end + 2;
        }
        m_body.remove(0, next);
        emit partReceived(picture);
        if (!m_reply)
            return; // the owner stopped the stream
    }
}

void CSnapshotFetcher::OnFinished() {
    if (!m_reply)
        return;
    if (m_stream) { // a stream that ends is a failure: the camera went away
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        End(status != 0 && status != 200 ? FetchBadStatus : FetchNetworkError);
        return;
    }
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() != QNetworkReply::NoError && status == 0) {
        End(FetchNetworkError);
        return;
    }
    if (status != 200) {
        End(FetchBadStatus);
        return;
    }
    if (m_reply->error() != QNetworkReply::NoError) { // cut short after the headers
        End(FetchNetworkError);
        return;
    }
    m_body += m_reply->readAll();
    End(m_body.size() > m_maxBody ? FetchTooLarge : FetchOk);
}

void CSnapshotFetcher::End(int result) {
    if (!m_reply)
        return;
    QByteArray body;
    if (result == FetchOk)
        body.swap(m_body);
    Abort();
    emit finished(result, body);
}

void CSnapshotFetcher::Abort() {
    if (!m_reply)
        return;
    m_inactivity.stop();
    m_deadline.stop();
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    m_body.clear();
}

} // namespace Korvane

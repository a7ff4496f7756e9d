#include "core/wifi_cars/snapshot_fetch.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace Korvane {

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
    m_parts = CMjpegSplitter(m_maxBody);
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
    if (m_stream && m_parts.Buffered() == 0) {
        m_parts.Reset(CMjpegSplitter::BoundaryOf(
            m_reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()));
    }
    if (m_stream)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_maxBody)
        End(FetchTooLarge); // refused before a byte of it is read
}

void CSnapshotFetcher::OnReadyRead() {
    if (!m_reply)
        return;
    m_inactivity.start();
    if (!m_stream) {
        m_body += m_reply->readAll();
        if (m_body.size() > m_maxBody)
            End(FetchTooLarge);
        return;
    }
    // A stream has no end: a byte now and then keeps it open, but each picture must come
    // within the deadline, or the stream has failed.
    QList<QByteArray> pictures;
    const CMjpegSplitter::Status status = m_parts.Feed(m_reply->readAll(), pictures);
    for (const QByteArray& picture : pictures) {
        m_deadline.start();
        emit partReceived(picture);
        if (!m_reply)
            return; // the owner stopped the stream
    }
    if (status != CMjpegSplitter::Status::Ok)
        End(status == CMjpegSplitter::Status::TooLarge ? FetchTooLarge : FetchMalformed);
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
    m_parts.Reset();
}

} // namespace Korvane

#include "snapshot_fetch.h"

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

void CSnapshotFetcher::Fetch(const QString& urlText) {
    Abort();
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
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_maxBody)
        End(FetchTooLarge); // refused before a byte of it is read
}

void CSnapshotFetcher::OnReadyRead() {
    if (!m_reply)
        return;
    m_inactivity.start();
    m_body += m_reply->readAll();
    if (m_body.size() > m_maxBody)
        End(FetchTooLarge);
}

void CSnapshotFetcher::OnFinished() {
    if (!m_reply)
        return;
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
    m_inactivity.stop();
    m_deadline.stop();
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    QByteArray body;
    if (result == FetchOk)
        body.swap(m_body);
    m_body.clear();
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

#include "gui/wifi_cars/snapshot_video.h"

#include <QCoreApplication>
#include <QEvent>

#include "core/wifi_cars/jpeg_check.h"
#include "gui/common/message_seam.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QThread>

namespace Korvane {

QImage DecodeSnapshot(const QByteArray& bytes) {
    // What no camera sends is refused before the decoder sees it: the walk over the markers
    // bounds the decoder's work (size, scans, segments), so a decode never holds a stop or the
    // exit for long.
    const JpegFacts facts = CheckJpeg(bytes);
    if (facts.verdict != JpegVerdict::Decodable)
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAllocationLimit(CSnapshotVideo::kDecodeLimitMb);
    // The picture is stretched into an area far smaller than 2048 pixels: a larger one is
    // decoded at half scale, which skips most of the decoder's work.
    const int scale = JpegScaleDenominator(facts);
    // (The reader reduces by the whole ratio of the sizes, so the sizes are rounded down.)
    if (scale > 1)
        reader.setScaledSize(QSize(facts.width / scale, facts.height / scale));
    return reader.read();
}

CVideoArea::CVideoArea(QWidget* parent) : QFrame(parent) {
    setAccessibleName(tr("Video"));
    setAccessibleDescription(tr("No picture"));
    m_repaint.setSingleShot(true);
    m_repaint.setTimerType(Qt::PreciseTimer);
    connect(&m_repaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void CVideoArea::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setAccessibleName(tr("Video"));
        setAccessibleDescription(m_picture.isNull() ? tr("No picture") : tr("Live camera picture"));
    }
    QFrame::changeEvent(event);
}

void CVideoArea::SetPicture(const QImage& picture) {
    m_picture = picture;
    ++m_pictures;
    setAccessibleDescription(picture.isNull() ? tr("No picture") : tr("Live camera picture"));
    ScheduleRepaint();
    emit pictureChanged();
}

void CVideoArea::ScheduleRepaint() {
    if (m_repaint.isActive())
        return; // the newest picture is painted when the pending repaint comes
    // A screen shows one picture per refresh: pictures that come faster replace the one
    // waiting to be painted instead of each being painted (and stretched) on the UI thread.
    // Paints may come a quarter of a refresh early, so that a camera at the screen's rate
    // whose pictures arrive with some jitter still has each of them painted.
    const qreal hz = screen() ? screen()->refreshRate() : 60;
    const int gapMs = int(750 / std::clamp<qreal>(hz, 30, 240));
    const qint64 left = m_sincePaint.isValid() ? gapMs - m_sincePaint.elapsed() : 0;
    if (left <= 0)
        update();
    else
        m_repaint.start(int(left));
}

void CVideoArea::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    m_sincePaint.start();
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(contentsRect(), m_picture); // stretched: the aspect ratio is not kept
}

CSnapshotVideo::CSnapshotVideo(const VideoTexts& texts, QWidget* panel,
                               std::function<QString()> address, QAbstractButton* toggle,
                               CVideoArea* area)
    : QObject(panel), m_texts(texts), m_panel(panel), m_address(std::move(address)),
      m_toggle(toggle), m_area(area) {
    connect(&m_fetcher, &CSnapshotFetcher::finished, this, &CSnapshotVideo::OnFetched);
    connect(&m_fetcher, &CSnapshotFetcher::partReceived, this, [this](const QByteArray& body) {
        if (m_starting) { // the first picture of a stream starts the video once it decodes
            DecodeFirst(body);
            return;
        }
        m_backoffMs = 0;
        OnPicture(body);
    });
    m_decoders = std::clamp(QThread::idealThreadCount(), 1, 3);
    m_decodePool.setMaxThreadCount(m_decoders);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &CSnapshotVideo::FetchNext);
}

CSnapshotVideo::~CSnapshotVideo() {
    m_running = false;
    m_fetcher.Abort();
    {
        std::lock_guard lock(m_mailbox.mutex);
        m_mailbox.waiting = {};
    }
    m_decodePool.waitForDone(); // a decode in progress ends before the panel goes
}

QString CSnapshotVideo::Translated(const char* text) {
    return QCoreApplication::translate("Korvane::CSnapshotVideo", text);
}

void CSnapshotVideo::Retranslate() {
    m_toggle->setText(
        Translated(m_running || m_starting ? m_texts.stopCaption : m_texts.startCaption));
}

void CSnapshotVideo::Toggle() {
    if (m_running || m_starting) {
        Stop();
        return;
    }
    // The first fetch decides whether the video starts; the window goes on meanwhile, and the
    // button, with its stop caption, can end the start as it would end the video.
    m_starting = true;
    m_undecodable = false;
    m_toggle->setText(Translated(m_texts.stopCaption));
    ++m_generation;
    ++m_requests;
    m_fetcher.Fetch(m_address());
}

void CSnapshotVideo::Stop() {
    ++m_generation; // nothing of this run is shown any more
    m_running = false;
    m_starting = false;
    m_firstDecoding = false;
    m_retry.stop();
    m_fetcher.Abort();
    {
        std::lock_guard lock(m_mailbox.mutex);
        m_mailbox.waiting = {};
    }
    m_fetchHeld = false;
    m_lastBody.clear();
    m_toggle->setText(Translated(m_texts.startCaption));
}

void CSnapshotVideo::FetchNext() {
    if (!m_running || m_fetcher.Busy())
        return;
    ++m_requests;
    m_fetcher.Fetch(m_address()); // a new address takes effect with the next fetch
}

void CSnapshotVideo::DecodeFirst(const QByteArray& body) {
    if (m_firstDecoding)
        return; // the first part of a stream is being decoded; later ones wait for the answer
    m_firstDecoding = true;
    m_lastBody = body;
    Decode({body, m_generation, ++m_nextTicket});
}

void CSnapshotVideo::FailFirst() {
    m_starting = false;
    m_firstDecoding = false;
    m_fetcher.Abort();
    m_lastBody.clear();
    m_toggle->setText(Translated(m_texts.startCaption));
    ShowMessage(Translated(m_texts.failure), m_panel, MessageIcon::Warning);
}

void CSnapshotVideo::OnFetched(int result, const QByteArray& body) {
    if (m_starting) {
        // The first fetch starts the video only with a picture that decodes: an answer that
        // is no picture (a web page, garbage, a body cut short) is a failure like no answer.
        if (result != FetchOk) {
            if (!m_firstDecoding)
                FailFirst();
            return;
        }
        DecodeFirst(body);
        return;
    }
    if (!m_running)
        return;
    if (result != FetchOk || m_undecodable) {
        // The car is gone or failing (no answer, or pictures that cannot be decoded): ask again
        // after a pause, growing to 2 s. The last picture stays on screen; nothing new is drawn
        // until a picture is decoded again.
        if (result == FetchOk)
            OnPicture(body); // a new picture that decodes ends the pauses
        m_backoffMs = std::clamp(m_backoffMs ? m_backoffMs * 2 : 500, 500, 2000);
        m_retry.start(m_backoffMs);
        return;
    }
    m_backoffMs = 0;
    const bool same = body == m_lastBody;
    OnPicture(body);
    if (same) // the camera has not taken a new picture yet: ask again a moment later
        m_retry.start(kSamePictureWaitMs);
    else if (!PictureWaiting())
        FetchNext(); // the next fetch overlaps this decode
    else // every decoder is busy and a picture waits: the next fetch starts when one is free,
        m_fetchHeld = true; // so that no picture is fetched only to be dropped
}

void CSnapshotVideo::OnPicture(const QByteArray& body) {
    if (!m_running)
        return;
    // A camera slower than the fetches answers the same picture again: nothing new to decode.
    if (body == m_lastBody)
        return;
    m_lastBody = body;
    Decode({body, m_generation, ++m_nextTicket});
}

void CSnapshotVideo::Decode(Job job) {
    {
        std::lock_guard lock(m_mailbox.mutex);
        if (m_mailbox.running >= m_decoders) {
            m_mailbox.waiting = std::move(job); // the newest waits; an older one is dropped
            return;
        }
        ++m_mailbox.running;
    }
    m_decodePool.start([this, job = std::move(job)]() mutable { RunDecoder(std::move(job)); });
}

bool CSnapshotVideo::PictureWaiting() {
    std::lock_guard lock(m_mailbox.mutex);
    return !m_mailbox.waiting.body.isEmpty();
}

// On a decoding thread: decodes the job, then the body waiting, until none waits. The body is
// taken before the picture is handed over, so that the UI thread, when it gets the picture,
// already sees that no picture waits and starts the next fetch.
void CSnapshotVideo::RunDecoder(Job job) {
    for (;;) {
        QImage picture = DecodeSnapshot(job.body);
        Job next;
        {
            std::lock_guard lock(m_mailbox.mutex);
            next = std::exchange(m_mailbox.waiting, {});
            if (next.body.isEmpty())
                --m_mailbox.running;
        }
        // The video outlives its decoders (its destructor waits for them), so the call is
        // posted to a live object; one still queued when the video goes is dropped with it.
        QMetaObject::invokeMethod(
            this,
            [this, generation = job.generation, ticket = job.ticket, picture = std::move(picture)] {
                OnDecoded(generation, ticket, picture);
            },
            Qt::QueuedConnection);
        if (next.body.isEmpty())
            return;
        job = std::move(next);
    }
}

void CSnapshotVideo::OnDecoded(quint64 generation, quint64 ticket, const QImage& picture) {
    if (m_starting && m_firstDecoding && generation == m_generation) {
        m_firstDecoding = false;
        if (picture.isNull()) {
            FailFirst();
            return;
        }
        m_starting = false;
        m_running = true;
        m_backoffMs = 0;
        m_shownTicket = ticket;
        m_area->SetPicture(picture);
        if (!m_fetcher.Busy()) // a stream goes on by itself; snapshots are asked for again
            FetchNext();
        return;
    }
    if (m_running && generation == m_generation) {
        const bool recovered = m_undecodable && !picture.isNull();
        m_undecodable = picture.isNull();
        if (recovered && m_retry.isActive()) { // the camera's pictures decode again
            m_retry.stop();
            m_backoffMs = 0;
            FetchNext();
        }
    }
    if (m_running && generation == m_generation && ticket > m_shownTicket && !picture.isNull()) {
        m_shownTicket = ticket;
        m_area->SetPicture(picture);
    }
    if (m_running && m_fetchHeld && !PictureWaiting()) {
        m_fetchHeld = false;
        if (!m_retry.isActive())
            FetchNext(); // held back while the picture waited
    }
}

} // namespace Korvane

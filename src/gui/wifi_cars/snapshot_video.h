#pragma once

#include "core/wifi_cars/snapshot_fetch.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <mutex>

class QAbstractButton;

namespace Korvane {

// The video area (control 1313): paints the newest picture stretched to its rectangle with
// smooth scaling, the aspect ratio not kept, at most once per screen refresh (a picture that
// comes sooner replaces the one waiting); tells assistive technology whether a picture is
// shown.
class CVideoArea : public QFrame {
    Q_OBJECT
  public:
    explicit CVideoArea(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    bool HasPicture() const { return !m_picture.isNull(); }
    const QImage& Picture() const { return m_picture; }
    int Pictures() const { return m_pictures; }

  signals:
    void pictureChanged();

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void ScheduleRepaint();

    QImage m_picture;
    int m_pictures = 0;
    QTimer m_repaint;
    QElapsedTimer m_sincePaint;
};

// What differs between the two panels' video.
struct VideoTexts {
    const char* failure;
    const char* startCaption;
    const char* stopCaption;
};

// The live picture of a Raspberry Pi car: snapshots fetched one after another (or the parts
// of an MJPEG stream address ...?action=stream), decoded off the UI thread, painted on it.
// Nothing waits on the UI thread; stop takes effect at once; at most one request is in flight;
// a failing car is asked again after a pause that grows to 2 s.
class CSnapshotVideo : public QObject {
    Q_OBJECT
  public:
    // address: the camera's address as it is now, asked at every fetch (a new one takes effect
    // with the next).
    CSnapshotVideo(const VideoTexts& texts, QWidget* panel, std::function<QString()> address,
                   QAbstractButton* toggle, CVideoArea* area);
    ~CSnapshotVideo() override;

    void Toggle();
    // The button's caption again in the language in use.
    void Retranslate();
    bool IsRunning() const { return m_running; }
    bool IsStarting() const { return m_starting; }
    CSnapshotFetcher& Fetcher() { return m_fetcher; }
    int Requests() const { return m_requests; }

    // The largest picture the decoder will allocate, in megabytes.
    static constexpr int kDecodeLimitMb = 64;
    // The pause before asking again when the camera answered the picture it gave last time.
    static constexpr int kSamePictureWaitMs = 4;

  private:
    static QString Translated(const char* text);
    // A body and the numbers that say whether its picture is still wanted when it is decoded.
    struct Job {
        QByteArray body;
        quint64 generation = 0;
        quint64 ticket = 0;
    };
    void FetchNext();
    void OnFetched(int result, const QByteArray& body);
    // The first picture, decoded before the video starts; a failure ends the start.
    void DecodeFirst(const QByteArray& body);
    void FailFirst();
    void OnPicture(const QByteArray& body);
    void Decode(Job job);
    void RunDecoder(Job job);
    void OnDecoded(quint64 generation, quint64 ticket, const QImage& picture);
    bool PictureWaiting();
    void Stop();

    const VideoTexts& m_texts;
    QWidget* m_panel;
    std::function<QString()> m_address;
    QAbstractButton* m_toggle;
    CVideoArea* m_area;
    CSnapshotFetcher m_fetcher;
    // Decoding runs on the video's own threads, one per core (at most three), at the normal
    // priority: lowered, they lost every contest with other programs on a busy desktop. A decoder
    // that finishes a picture takes the body waiting itself, without a round trip through the UI
    // thread. Only values cross threads: bodies in, pictures out through queued calls; results
    // carry the number of their body, and only a picture newer than the one shown is shown.
    struct Mailbox {
        std::mutex mutex;
        Job waiting; // the newest body no decoder has taken yet
        int running = 0;
    };
    Mailbox m_mailbox;
    int m_decoders = 1;
    QThreadPool m_decodePool;
    bool m_fetchHeld = false;   // a picture waited, so the next fetch waits for a decoder
    bool m_undecodable = false; // the last picture decoded was none: the camera is failing
    quint64 m_nextTicket = 0;
    quint64 m_shownTicket = 0;
    QByteArray m_lastBody; // the last body taken, to skip the same picture fetched again
    QTimer m_retry;
    int m_backoffMs = 0;
    bool m_running = false;
    bool m_starting = false;
    bool m_firstDecoding = false; // the first picture is being decoded: it decides the start
    quint64 m_generation = 0;     // a stop makes results of the old run worthless
    int m_requests = 0;
};

// Decodes a whole JPEG held in memory, with the allocation limit lowered so that a small body
// that declares a huge picture cannot exhaust memory; a null picture for anything else.
QImage DecodeSnapshot(const QByteArray& bytes);

} // namespace Korvane

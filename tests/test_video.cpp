// The live camera picture of the Raspberry Pi cars against the simulator's camera server.
#include "core/wifi_cars/snapshot_fetch.h"
#include "core/wifi_cars/wifi_control_client.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"
#include "gui/wifi_cars/snapshot_video.h"
#include "gui/wifi_cars/wifi_car_panel.h"
#include "process_memory.h"
#include "sim_process.h"
#include "station_fixture.h"
#include "video_server.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace Korvane;

class TestVideo : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<StationOnPty> m_station;
    CWifiCarPanel* m_panel = nullptr;
    CVideoArea* m_area = nullptr;
    QAbstractButton* m_toggle = nullptr;

    void Start(int product, const QStringList& simOptions = {}) {
        m_sim = std::make_unique<SimProcess>();
        QVERIFY(m_sim->Start(
            product,
            QStringList{"--rate", "20", "--control-port", "0", "--video-port", "0"} + simOptions));
        m_station = std::make_unique<StationOnPty>();
        QVERIFY(m_station->Start(product, QSize(1200, 860)));
        m_panel = qobject_cast<CWifiCarPanel*>(m_station->frame->CurrentPanel());
        QVERIFY(m_panel);
        m_area = qobject_cast<CVideoArea*>(FindControl(m_panel, 1313));
        m_toggle = qobject_cast<QAbstractButton*>(FindControl(m_panel, 1309));
        QVERIFY(m_area && m_toggle);
        qobject_cast<QLineEdit*>(FindControl(m_panel, 1306))->setText(m_sim->VideoUrl());
    }
    int Sequence() { return KorvaneSim::ReadSequenceBlocks(m_area->Picture()); }

    // Mean absolute difference per colour channel of two pictures of one size.
    static double MeanDifference(const QImage& a, const QImage& b) {
        qint64 sum = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                       std::abs(qBlue(p) - qBlue(q));
            }
        }
        return double(sum) / (3.0 * a.width() * a.height());
    }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }
    void cleanup() {
        m_station.reset();
        m_sim.reset();
    }

    void picturesFlowAndStopIsImmediate() {
        Start(13);
        QCOMPARE(m_toggle->text(), QStringLiteral("Connect video"));
        m_toggle->click();
        // While the first fetch runs the button already offers to stop.
        QVERIFY(m_toggle->isEnabled() && m_panel->Video().IsStarting());
        QCOMPARE(m_toggle->text(), QStringLiteral("Disconnect video"));
        QTRY_VERIFY(m_panel->Video().IsRunning());
        QTRY_VERIFY(m_area->Pictures() >= 3);
        const int first = Sequence();
        QTRY_VERIFY(m_area->Pictures() >= 8);
        QVERIFY2(Sequence() > first,
                 qPrintable(QStringLiteral("%1 %2").arg(first).arg(Sequence())));
        QCOMPARE(m_area->accessibleDescription(), QStringLiteral("Live camera picture"));
        // The whole picture fills the area, stretched smoothly, the aspect ratio not kept.
        QCOMPARE(m_area->Picture().size(), QSize(640, 480));
        const QRect inside = m_area->contentsRect();
        QVERIFY(inside.width() * 3 != inside.height() * 4);
        const QImage painted = m_area->grab(inside).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected =
            m_area->Picture()
                .scaled(inside.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(painted.size(), expected.size());
        QVERIFY2(MeanDifference(painted, expected) < 6,
                 qPrintable(QString::number(MeanDifference(painted, expected))));
        // Stop: the caption at once, and no picture after the click.
        m_toggle->click();
        QCOMPARE(m_toggle->text(), QStringLiteral("Connect video"));
        const int shown = m_area->Pictures();
        QTest::qWait(300);
        QCOMPARE(m_area->Pictures(), shown);
        QVERIFY(m_area->HasPicture()); // the last picture stays
        // Restart right away, and again: never two requests in flight at the server.
        m_toggle->click();
        m_toggle->click();
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= shown + 3);
        m_toggle->click();
        m_sim->Stop();
        const QByteArray out = m_sim->Process().readAllStandardOutput();
        QVERIFY2(out.contains("at most 1 at once"), out.right(200).constData());
        QVERIFY(m_messages.isEmpty());
    }

    void aFailingFirstFetchSaysSoAndTheWindowGoesOn() {
        Start(15);
        auto* address = qobject_cast<QLineEdit*>(FindControl(m_panel, 1306));
        const QString good = address->text();
        // No answer, or an answer that is no picture that decodes (garbage, a JPEG cut short,
        // a body shorter than it said, a picture declaring 30000 by 30000 pixels): the video
        // does not start, and the user is told.
        for (const QByteArray& mode :
             {QByteArray("video 404"), QByteArray("video refuse"), QByteArray("video garbage"),
              QByteArray("video truncated"), QByteArray("video short-body"),
              QByteArray("video huge-picture")}) {
            QVERIFY(m_sim->Command(mode));
            m_toggle->click();
            QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 8000);
            QCOMPARE(m_messages.takeLast(), QStringLiteral("下载失败"));
            QCOMPARE(LastMessageIcon(), MessageIcon::Warning);
            QCOMPARE(m_toggle->text(), QStringLiteral("连接视频"));
            QVERIFY(!m_panel->Video().IsRunning() && m_toggle->isEnabled());
        }
        // Not a web address: refused without a request.
        for (const char* bad : {"", "file:///etc/passwd", "data:,x", "qrc:/icons/327"}) {
            address->setText(QString::fromLatin1(bad));
            m_toggle->click();
            QTRY_COMPARE(m_messages.size(), 1);
            m_messages.clear();
            QVERIFY(!m_panel->Video().IsRunning());
        }
        // A server that never answers: our time-out ends it; the UI runs meanwhile.
        address->setText(good);
        QVERIFY(m_sim->Command("video stall"));
        m_panel->Video().Fetcher().SetLimits(300, 600, CSnapshotFetcher::kMaxBody);
        int ticks = 0;
        QTimer clock;
        clock.setInterval(10);
        connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start();
        m_toggle->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 3000);
        QVERIFY2(ticks >= 15, qPrintable(QString::number(ticks)));
    }

    void hostileBodiesDrawNothingAndAGoneCarIsNotHammered() {
        Start(13);
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= 2);
        const double before = ResidentMb();
        for (const QByteArray& mode :
             {QByteArray("video truncated"), QByteArray("video garbage"),
              QByteArray("video huge-picture"), QByteArray("video huge-length")}) {
            QVERIFY(m_sim->Command(mode));
            QTest::qWait(100); // pictures fetched before the switch may still arrive
            const int shown = m_area->Pictures();
            const int requests = m_panel->Video().Requests();
            QTest::qWait(900);
            QVERIFY2(m_area->Pictures() == shown, mode.constData());
            QVERIFY(m_panel->Video().IsRunning());
            // A camera whose pictures do not decode is failing: asked again after pauses.
            const int asked = m_panel->Video().Requests() - requests;
            QVERIFY2(asked <= 5, qPrintable(mode + ' ' + QByteArray::number(asked)));
        }
        // A picture declaring 30000 by 30000 pixels never got its 3.6 GB.
        QVERIFY2(ResidentMb() - before < 100, qPrintable(QString::number(ResidentMb() - before)));
        // The car gone: a few requests a second at most, the last picture stays.
        QVERIFY(m_sim->Command("video refuse"));
        QTest::qWait(200);
        const int requestsBefore = m_panel->Video().Requests();
        QTest::qWait(2000);
        const int asked = m_panel->Video().Requests() - requestsBefore;
        QVERIFY2(asked <= 6, qPrintable(QString::number(asked)));
        QVERIFY(m_area->HasPicture());
        // Back: pictures again, without a restart.
        QVERIFY(m_sim->Command("video none"));
        const int shown = m_area->Pictures();
        QTRY_VERIFY_WITH_TIMEOUT(m_area->Pictures() > shown, 5000);
        QVERIFY(m_messages.isEmpty());
    }

    void redirectsAreNeverFollowed() {
        // A camera answering with a redirect: to another host (which serves pictures), to
        // another scheme, or to itself. No picture of the other host is shown, the other host
        // is never asked, and the camera is asked again only after pauses.
        Start(13);
        KorvaneSim::VideoServer foreign(
            [](int seq) { return KorvaneSim::DrawCameraPicture(seq, 160, 120, 90, 255, 0, 0); });
        QString error;
        QVERIFY2(foreign.Listen(QHostAddress(QStringLiteral("127.0.0.2")), 0, &error),
                 qPrintable(error));
        const QByteArray there =
            QStringLiteral("http://127.0.0.2:%1/?action=snapshot").arg(foreign.Port()).toLatin1();
        QVERIFY(m_sim->Command("video redirect=" + there));
        m_toggle->click(); // the first answer is no picture: the video does not start
        QTRY_COMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.takeLast(), QStringLiteral("Download Fail!"));
        QVERIFY(!m_panel->Video().IsRunning() && !m_area->HasPicture());

        QVERIFY(m_sim->Command("video none"));
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= 1);
        for (const QByteArray& target :
             {there, QByteArray("ftp://127.0.0.1/x.jpg"), m_sim->VideoUrl().toLatin1()}) {
            QVERIFY(m_sim->Command("video redirect=" + target));
            QTest::qWait(100); // pictures fetched before the switch may still arrive
            const int shown = m_area->Pictures();
            const int requests = m_panel->Video().Requests();
            QTest::qWait(900);
            QCOMPARE(m_area->Pictures(), shown);
            const int asked = m_panel->Video().Requests() - requests;
            QVERIFY2(asked <= 5, qPrintable(target + ' ' + QByteArray::number(asked)));
        }
        QCOMPARE(foreign.Requests(), 0);
        QVERIFY(m_messages.isEmpty());
    }

    void aNewAddressHiddenPanelAndTheSearchlight() {
        Start(13);
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= 2);
        auto* address = qobject_cast<QLineEdit*>(FindControl(m_panel, 1306));
        const QString good = address->text();
        address->setText(QStringLiteral("http://127.0.0.1:1/?action=snapshot")); // nobody there
        QTest::qWait(300);
        const int shown = m_area->Pictures();
        QTest::qWait(500);
        QCOMPARE(m_area->Pictures(), shown);
        address->setText(good); // taken at the next fetch, no restart
        QTRY_VERIFY_WITH_TIMEOUT(m_area->Pictures() > shown, 5000);
        // Another product shown: the hidden panel's video goes on.
        m_station->frame->SelectProduct(5);
        const int hidden = m_area->Pictures();
        QTRY_VERIFY(m_area->Pictures() > hidden + 2);
        m_station->frame->SelectProduct(13);
        // "Red" over the control connection lights the car's searchlight: the camera sees a
        // red spot (control and video end to end).
        qobject_cast<QLineEdit*>(FindControl(m_panel, 1307))->setText(QStringLiteral("127.0.0.1"));
        qobject_cast<QLineEdit*>(FindControl(m_panel, 1308))
            ->setText(QString::number(m_sim->ControlPort()));
        qobject_cast<QAbstractButton*>(FindControl(m_panel, 1310))->click();
        QTRY_VERIFY(m_panel->Client().IsConnected());
        qobject_cast<QAbstractButton*>(FindControl(m_panel, 1267))->click();
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const QImage& p = m_area->Picture();
                const QColor c = p.pixelColor(p.width() / 2, p.height() * 3 / 4);
                return c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }(),
            5000);
    }

    void theStreamAddressShowsEveryPart() {
        Start(15);
        auto* address = qobject_cast<QLineEdit*>(FindControl(m_panel, 1306));
        address->setText(
            m_sim->VideoUrl().replace(QStringLiteral("snapshot"), QStringLiteral("stream")));
        m_toggle->click();
        QTRY_COMPARE(m_toggle->text(), QStringLiteral("断开视频"));
        QTRY_VERIFY(m_area->Pictures() >= 3);
        const int first = Sequence();
        QTRY_VERIFY(m_area->Pictures() >= 10);
        QVERIFY(Sequence() > first);
        m_toggle->click(); // stop ends the stream at once
        const int shown = m_area->Pictures();
        QTest::qWait(300);
        QCOMPARE(m_area->Pictures(), shown);
        QVERIFY(m_messages.isEmpty());
    }

    void everyBadAnswerEndsWithinItsDeadline() {
        Start(13);
        m_panel->Video().Fetcher().SetLimits(400, 900, 2 * 1024 * 1024);
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= 2);
        const double before = ResidentMb();
        int ticks = 0;
        QTimer clock;
        clock.setInterval(10);
        connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start();
        for (const char* mode :
             {"short-body", "endless", "stall-body", "drip", "close", "reset", "500"}) {
            QVERIFY(m_sim->Command(QByteArray("video ") + mode));
            QTest::qWait(150);
            const int shown = m_area->Pictures();
            const int requests = m_panel->Video().Requests();
            // Each fetch ends (time-out, cap or error) and the video asks again later.
            QTRY_VERIFY_WITH_TIMEOUT(m_panel->Video().Requests() > requests, 4000);
            QVERIFY2(m_area->Pictures() == shown, mode);
            QVERIFY(m_panel->Video().IsRunning());
        }
        // An endless body was cut at the cap: memory stayed bounded.
        QVERIFY2(ResidentMb() - before < 100, qPrintable(QString::number(ResidentMb() - before)));
        QVERIFY2(ticks > 100, qPrintable(QString::number(ticks))); // the window went on
        QVERIFY(m_sim->Command("video none"));
        const int shown = m_area->Pictures();
        QTRY_VERIFY_WITH_TIMEOUT(m_area->Pictures() > shown, 5000);
    }

    // A body cut short is a failure, never a picture, however the connection ended; the
    // connection is usable again afterwards.
    void aBodyCutShortIsNeverAPicture() {
        KorvaneSim::VideoServer server(
            [](int seq) { return KorvaneSim::DrawCameraPicture(seq, 160, 120, 90, 0, 0, 0); });
        QString error;
        QVERIFY2(server.Listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
        server.SetFps(0);
        const QString url =
            QStringLiteral("http://127.0.0.1:%1/?action=snapshot").arg(server.Port());
        CSnapshotFetcher fetcher;
        fetcher.SetLimits(400, 900, CSnapshotFetcher::kMaxBody);
        QList<int> results;
        connect(&fetcher, &CSnapshotFetcher::finished,
                [&](int result, const QByteArray&) { results << result; });
        for (const char* mode : {"none", "short-body", "close", "stall-body", "none"}) {
            QVERIFY(server.SetFault(QString::fromLatin1(mode)));
            for (int i = 0; i < 8; ++i) {
                const qsizetype before = results.size();
                fetcher.Fetch(url);
                QTRY_COMPARE_WITH_TIMEOUT(results.size(), before + 1, 3000);
                QVERIFY2((results.last() == FetchOk) == (QByteArray(mode) == "none"),
                         qPrintable(QStringLiteral("%1: %2").arg(mode).arg(results.last())));
            }
        }
    }

    // Pictures coming faster than the screen refreshes are not each painted: the newest
    // replaces the one waiting, and the last one is always painted.
    void picturesFasterThanTheScreenPaintAtItsRate() {
        CVideoArea area;
        area.resize(320, 240);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        struct Painted : QObject {
            CVideoArea* area = nullptr;
            int paints = 0;
            QRgb last = 0; // the picture the last paint drew
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) {
                    ++paints;
                    last = area->Picture().pixel(0, 0);
                }
                return false;
            }
        } painted;
        painted.area = &area;
        area.installEventFilter(&painted);
        const qreal hz = area.screen()->refreshRate();
        QElapsedTimer clock;
        clock.start();
        int given = 0;
        while (clock.elapsed() < 300) {
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(given++ % 360, 255, 255));
            area.SetPicture(picture);
            QCoreApplication::processEvents();
        }
        const double refreshes = clock.elapsed() * hz / 1000.0;
        QVERIFY2(given > 2 * refreshes, qPrintable(QString::number(given)));
        // At most one paint per three quarters of a refresh (pictures arrive with jitter).
        QVERIFY2(painted.paints >= 2 && painted.paints <= refreshes * 4 / 3 + 2,
                 qPrintable(
                     QStringLiteral("%1 paints, %2 refreshes").arg(painted.paints).arg(refreshes)));
        QCOMPARE(area.Pictures(), given);
        const QRgb newest = QColor::fromHsv((given - 1) % 360, 255, 255).rgb();
        QTRY_COMPARE(painted.last, newest);
        const int settled = painted.paints;
        QTest::qWait(100);
        QCOMPARE(painted.paints, settled); // nothing more to paint
        QCOMPARE(area.grab(area.contentsRect()).toImage().pixel(10, 10), newest);
    }

    void aStreamWithoutPicturesFailsAndAStartCanBeStopped() {
        Start(13);
        auto* address = qobject_cast<QLineEdit*>(FindControl(m_panel, 1306));
        address->setText(
            m_sim->VideoUrl().replace(QStringLiteral("snapshot"), QStringLiteral("stream")));
        m_panel->Video().Fetcher().SetLimits(3000, 1500, CSnapshotFetcher::kMaxBody);
        // "200 OK", then one byte a second: no picture within the deadline is a failed start.
        QVERIFY(m_sim->Command("video stream-drip"));
        m_toggle->click();
        QVERIFY(m_toggle->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 6000);
        QCOMPARE(m_messages.takeLast(), QStringLiteral("Download Fail!"));
        QCOMPARE(m_toggle->text(), QStringLiteral("Connect video"));
        QVERIFY(!m_panel->Video().IsRunning() && !m_panel->Video().IsStarting());
        // The button stops a start it made: no message, no picture, the stream closed.
        m_toggle->click();
        QVERIFY(m_panel->Video().IsStarting());
        QTest::qWait(200);
        m_toggle->click();
        QCOMPARE(m_toggle->text(), QStringLiteral("Connect video"));
        QVERIFY(!m_panel->Video().IsStarting() && !m_panel->Video().Fetcher().Busy());
        QTest::qWait(2000);
        QVERIFY(m_messages.isEmpty());
        QVERIFY(!m_area->HasPicture());
        // Parts without headers: each picture is taken from its start marker.
        QVERIFY(m_sim->Command("video stream-headerless"));
        m_toggle->click();
        QTRY_VERIFY(m_panel->Video().IsRunning());
        QTRY_VERIFY(m_area->Pictures() >= 3);
        QVERIFY(m_messages.isEmpty());
    }

    void aPictureOfThousandsOfScansIsRefusedAtOnce() {
        // Decoding it would take minutes: refused before decoding, as a first picture and while
        // the video runs; neither a stop nor closing the window waits for it.
        Start(13);
        QVERIFY(m_sim->Command("video many-scans"));
        m_toggle->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 8000);
        QCOMPARE(m_messages.takeLast(), QStringLiteral("Download Fail!"));
        QVERIFY(m_sim->Command("video none"));
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= 2);
        QVERIFY(m_sim->Command("video many-scans"));
        QTest::qWait(1500); // bodies of 8 MB fetched and refused, one after another
        QVERIFY(m_panel->Video().IsRunning());
        // After a stop, a good camera's pictures come back at once.
        m_toggle->click();
        QVERIFY(m_sim->Command("video none"));
        const int shown = m_area->Pictures();
        m_toggle->click();
        QTRY_VERIFY_WITH_TIMEOUT(m_area->Pictures() > shown, 3000);
        QVERIFY(m_sim->Command("video many-scans"));
        QTest::qWait(500);
        QElapsedTimer closing;
        closing.start();
        m_station.reset();
        m_panel = nullptr;
        qInfo("closed in %lld ms with refused pictures in flight", closing.elapsed());
        QVERIFY(m_messages.isEmpty());
    }

    void closingTheWindowWithAFetchInFlight() {
        Start(13);
        m_toggle->click();
        QTRY_VERIFY(m_area->Pictures() >= 1);
        m_station.reset(); // fetch and decode in flight: no crash, nothing left behind
        m_panel = nullptr;
        QTest::qWait(100);
    }
};

QTEST_MAIN(TestVideo)
#include "test_video.moc"

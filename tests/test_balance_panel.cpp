// The balance car panel as a user drives it, over a real serial link.
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/balance_waveform_pane.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/serial_cars/chart_wave.h"
#include "gui/shell/main_frame.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>
#include <QWheelEvent>

#include <cmath>

using namespace Korvane;

class TestBalancePanel : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;
    std::unique_ptr<StationOnPty> m_station;
    CMainFrame* m_frame = nullptr;
    PtyPair* m_pty = nullptr;
    CBalenceFormView* m_panel = nullptr;

    template <typename T = QWidget> T* Control(int id) {
        T* w = qobject_cast<T*>(FindControl(m_panel, id));
        if (!w)
            qFatal("no control %d", id);
        return w;
    }
    void Click(int id) {
        auto* b = Control<QAbstractButton>(id);
        // A check box takes clicks on its box and caption only, not on the rest of its row.
        const QPoint at =
            qobject_cast<QCheckBox*>(b) ? QPoint(8, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, at);
    }
    QString LabelText(int id) { return Control<QLabel>(id)->text(); }
    void Route(const QByteArray& bytes) { m_pty->Write(bytes); }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() {
        m_messages.clear();
        m_station = std::make_unique<StationOnPty>();
        m_frame = m_station->frame.get();
        m_pty = m_station->pty.get();
        QVERIFY(m_station->Start(8, QSize(1100, 720)));
        m_panel = qobject_cast<CBalenceFormView*>(m_frame->CurrentPanel());
        QVERIFY(m_panel);
    }
    void cleanup() { m_station.reset(); }

    void drivingButtonsAndKeys() {
        Click(1033);
        Click(1008);
        QTest::keyClick(m_panel, Qt::Key_S);
        QTest::keyClick(Control(1006), Qt::Key_S); // through a child: same key, nothing new
        QTest::keyClick(Control(1013), Qt::Key_A);
        QCOMPARE(m_pty->ReadAtLeast(5 * 21), QByteArray("$1,0,0,0,0,0,0,0,0,0#"
                                                        "$0,2,0,0,0,0,0,0,0,0#"
                                                        "$2,0,0,0,0,0,0,0,0,0#"
                                                        "$3,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(m_pty->ReadFor(10), QByteArray());
    }

    void plusMinusLimits() {
        auto* angleP = Control<QSlider>(1013);
        QCOMPARE(angleP->maximum(), 10000);
        Click(1021); // minus at 0
        QCOMPARE(m_messages, QStringList{QStringLiteral("It's minimized!")});
        Click(1017);
        QCOMPARE(angleP->value(), 1);
        QCOMPARE(LabelText(1040), QStringLiteral("P:0.01"));
        auto* speedI = Control<QSlider>(1016);
        speedI->setValue(10000);
        Click(1020); // plus at the top
        QCOMPARE(m_messages.last(), QStringLiteral("It's up to the Max!"));
        QCOMPARE(speedI->value(), 10000);
        QCOMPARE(LabelText(1043), QStringLiteral("I:100.00"));
        QCOMPARE(m_pty->ReadFor(30), QByteArray()); // none of them sends
    }

    void updateButtonsSendGainTexts() {
        Control<QSlider>(1013)->setValue(1234);
        Control<QSlider>(1014)->setValue(50);
        Click(1026);
        QCOMPARE(m_pty->ReadAtLeast(36), QByteArray("$0,0,0,0,1,0,AP12.34,AD0.50,VP0,VI0#"));
        Control<QSlider>(1015)->setValue(300);
        Control<QSlider>(1016)->setValue(7);
        Click(1027);
        QCOMPARE(m_pty->ReadAtLeast(35), QByteArray("$0,0,0,0,1,0,AP0,AD0,VP3.00,VI0.07#"));
    }

    void sliderReleaseFollowsDragMode() {
        auto* speedP = Control<QSlider>(1015);
        QTest::mouseClick(speedP, Qt::LeftButton, {},
                          QPoint(speedP->width() - 5, speedP->height() / 2));
        QVERIFY(speedP->value() > 0);
        QCOMPARE(LabelText(1042), QStringLiteral("P:") + GainText(speedP->value()));
        QCOMPARE(m_pty->ReadFor(50), QByteArray()); // mode 0: nothing sent

        Click(1038);
        QCOMPARE(m_messages.takeLast(),
                 QStringLiteral("Current mode updates PID for drag slider!"));
        auto* angleD = Control<QSlider>(1014);
        Control<QSlider>(1013)->setValue(2500);
        QTest::mouseClick(angleD, Qt::LeftButton, {},
                          QPoint(angleD->width() - 5, angleD->height() / 2));
        const QByteArray expected =
            AngleUpdateFrame(QStringLiteral("25.00"), GainText(angleD->value()));
        QCOMPARE(m_pty->ReadAtLeast(expected.size()), expected);
        QCOMPARE(m_pty->ReadFor(30), QByteArray()); // one frame only

        Click(1038);
        QCOMPARE(m_messages.takeLast(),
                 QStringLiteral("The current mode is manual button update PID!"));
    }

    void pidReplyOverTheLink() {
        m_panel->Model().SetReplyTickMs(20);
        Click(1025);
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$0,0,1,0,0,0,0,0,0,0#"));
        QVERIFY(m_panel->Model().AwaitingPidReply());
        Route("$AP0.29,AD150,VP3.5,VI0.10#");
        QTRY_COMPARE(Control<QSlider>(1013)->value(), 28);
        QCOMPARE(LabelText(1040), QStringLiteral("P:0.28"));
        QCOMPARE(Control<QSlider>(1014)->value(), 10000);
        QCOMPARE(LabelText(1041), QStringLiteral("D:100.00"));
        QCOMPARE(LabelText(1042), QStringLiteral("P:3.50"));
        QCOMPARE(LabelText(1043), QStringLiteral("I:0.10"));
        QVERIFY(!m_panel->Model().AwaitingPidReply());
        // Let twice as many ticks of the reply interval pass as a timeout needs, counted,
        // not guessed from a wall-clock wait: no timeout follows a reply.
        int ticks = 0;
        QTimer clock;
        clock.setInterval(20);
        connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start();
        QTRY_VERIFY(ticks >= 2 * CReplyWatch::kTimeoutTicks);
        QVERIFY(m_messages.isEmpty());

        // Missing VP: only the angle gains change.
        Route("$AP1.00,AD2.00,VX#");
        QTRY_COMPARE(Control<QSlider>(1013)->value(), 100);
        QCOMPARE(Control<QSlider>(1014)->value(), 200);
        QCOMPARE(Control<QSlider>(1015)->value(), 350);
    }

    void queryWithoutReplyTimesOutEachTime() {
        m_panel->Model().SetReplyTickMs(10);
        const QString timeout = QStringLiteral(
            "Receive PID timeout, please check the communication connection, or retry to get!");
        Click(1025);
        QTRY_COMPARE(m_messages, QStringList{timeout});
        QVERIFY(!m_panel->Model().AwaitingPidReply());
        Click(1025);
        QTRY_COMPARE(m_messages, (QStringList{timeout, timeout}));
        // With the port closed the send fails, and the timeout still follows.
        m_frame->CloseLink();
        Click(1025);
        QTRY_COMPARE(m_messages.size(), 4);
        QCOMPARE(m_messages[2],
                 QStringLiteral("The serial port is not open or has been disconnected. "
                                "Please reconnect!"));
        QCOMPARE(m_messages[3], timeout);
    }

    void defaultRecoveryKeepsTheWindowResponsive() {
        QSignalSpy sent(&m_frame->Station(), &CStation::commandSent);
        QElapsedTimer t;
        t.start();
        Click(1028);
        // The click returns before the query: the gap is a timer, not a wait.
        QCOMPARE(sent.size(), 1);
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$0,0,2,0,0,0,0,0,0,0#"));
        const qint64 first = t.elapsed();
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$0,0,1,0,0,0,0,0,0,0#"));
        QVERIFY2(t.elapsed() - first >= CBalenceFormView::kRecoveryGapMs - 40,
                 qPrintable(QString::number(t.elapsed() - first)));
        QVERIFY(m_panel->Model().AwaitingPidReply());
    }

    void telemetryReachesTextsAndHistories() {
        Route("$LV10,RV-10,AC0.02,GY1.25,CSB77,VT7.80#");
        QTRY_COMPARE(Control<QLineEdit>(1011)->text(), QStringLiteral("1.25"));
        QCOMPARE(LabelText(1046), QStringLiteral("10"));
        QCOMPARE(LabelText(1047), QStringLiteral("-10"));
        QCOMPARE(Control<QLineEdit>(1009)->text(), QStringLiteral("77"));
        QCOMPARE(Control<QLineEdit>(1010)->text(), QStringLiteral("7.80"));
        QCOMPARE(Control<QLineEdit>(1012)->text(), QStringLiteral("0.02"));
        QCOMPARE(m_panel->Telemetry().gyroscopeHistory.back(), 1.25);

        // PID values and telemetry in one frame: both, PID first.
        Route("$AP5.00,AD1.00,VP1.00,VI1.00,LV3,RV4,AC0,GY9,CSB1,VT2#");
        QTRY_COMPARE(LabelText(1046), QStringLiteral("3"));
        QCOMPARE(Control<QSlider>(1013)->value(), 500);
    }

    void displayOpenAndChartBinding() {
        Route("$LV0,RV0,AC0.50,GY3,CSB0,VT8#");
        QTRY_COMPARE(m_panel->Telemetry().gyroscopeHistory.back(), 3.0);
        m_panel->Waveform()->FlushChart();
        for (int s = 0; s < 3; ++s)
            QCOMPARE(m_panel->Chart()->Series(s)->count(), 0); // nothing plotted

        Click(1030); // plot gyroscope: nothing changes until the next frame
        m_panel->Waveform()->FlushChart();
        QCOMPARE(m_panel->Chart()->Series(0)->count(), 0);

        Click(1032); // display open: all samples zero, waveform on
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$0,0,0,1,0,0,0,0,0,0#"));
        for (const auto* h :
             {&m_panel->Telemetry().gyroscopeHistory, &m_panel->Telemetry().accelerationHistory,
              &m_panel->Telemetry().voltageHistory})
            for (size_t i = 0; i < h->size(); ++i)
                QCOMPARE((*h)[i], 0.0);

        Route("$LV0,RV0,AC0.50,GY4.5,CSB0,VT8#");
        QTRY_COMPARE(m_panel->Telemetry().gyroscopeHistory.back(), 4.5);
        m_panel->Waveform()->FlushChart();
        const QList<QPointF> pts = m_panel->Chart()->Series(0)->points();
        QCOMPARE(pts.size(), 500);
        for (int j = 0; j < 499; ++j)
            QCOMPARE(pts[j], QPointF(j, 0.0));
        QCOMPARE(pts[499], QPointF(499, 4.5));
        QCOMPARE(m_panel->Chart()->Series(1)->count(), 0);
        QCOMPARE(m_panel->Chart()->Series(2)->count(), 0);

        Click(1032);
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$0,0,0,2,0,0,0,0,0,0#"));
    }

    void chartRedrawsAreCoalesced() {
        Click(1029);
        const int before = m_panel->Chart()->Refreshes();
        QByteArray burst;
        for (int i = 0; i < 200; ++i)
            burst += "$LV0,RV0,AC" + QByteArray::number(i) + ",GY0,CSB0,VT0#";
        Route(burst);
        QTRY_COMPARE(m_panel->Telemetry().accelerationHistory.back(), 199.0);
        QTRY_VERIFY(m_panel->Chart()->Series(1)->count() == 500 &&
                    m_panel->Chart()->Series(1)->at(499).y() == 199.0);
        // Every frame reached the history, but the chart was not redrawn 200 times.
        QCOMPARE(m_panel->Telemetry().accelerationHistory[300], 0.0);
        QCOMPARE(m_panel->Telemetry().accelerationHistory[301], 1.0);
        QCOMPARE(m_panel->Telemetry().accelerationHistory[498], 198.0);
        QVERIFY(m_panel->Chart()->Refreshes() - before < 100);
    }

    void chartLooksAsSpecified() {
        CTchart_wave* chart = qobject_cast<CTchart_wave*>(FindControl(m_panel, 1045));
        QVERIFY(chart);
        QCOMPARE(chart->chart()->title(), QStringLiteral("Wave shape display"));
        QCOMPARE(chart->chart()->titleBrush().color(), QColor(0, 255, 0));
        QCOMPARE(chart->SeriesCount(), 3);
        const char* titles[] = {"Gyroscope", "Acceleration", "Battery voltage"};
        const QColor colours[] = {QColor(255, 0, 0), QColor(0, 255, 64), QColor(0, 128, 0)};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(chart->Series(i)->name(), QString::fromLatin1(titles[i]));
            QCOMPARE(chart->Series(i)->pen().color(), colours[i]);
            QVERIFY(!chart->Series(i)->pointsVisible());
        }
    }

    void absurdNumbersKeepTheChartFinite() {
        // "inf" is what Arduino firmware prints for an overflowed float; a pair of +-1e308
        // would overflow the span of the axis. The y axis stays a finite range throughout.
        Click(1029);
        Click(1030);
        Route("$LV0,RV0,AC1e308,GYinf,CSB0,VT0#");
        QTRY_COMPARE(Control<QLineEdit>(1011)->text(), QStringLiteral("inf"));
        Route("$LV0,RV0,AC-1e308,GY2,CSB0,VT0#");
        QTRY_COMPARE(Control<QLineEdit>(1011)->text(), QStringLiteral("2"));
        m_panel->Waveform()->FlushChart();
        auto* y = qobject_cast<QValueAxis*>(m_panel->Chart()->chart()->axes(Qt::Vertical).first());
        QVERIFY(y);
        QVERIFY(std::isfinite(y->min()) && std::isfinite(y->max()) && y->min() < y->max());
        QCOMPARE(m_panel->Telemetry().gyroscopeHistory[498], 0.0); // inf counted as 0
        // Ordinary values afterwards are fitted again.
        for (int i = 0; i < 500; ++i)
            Route("$LV0,RV0,AC1,GY3,CSB0,VT0#");
        QTRY_COMPARE(m_panel->Telemetry().accelerationHistory[0], 1.0);
        m_panel->Waveform()->FlushChart();
        QVERIFY(y->max() <= 10 && y->min() >= 0);
        // A constant huge value on every series: the axis follows it, finite, never flat.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("invalid range")));
        for (int i = 0; i < 510; ++i)
            Route("$LV1,RV1,AC1e17,GY1e17,CSB1,VT1e17#");
        QTRY_COMPARE(m_panel->Telemetry().accelerationHistory[0], 1e17);
        m_panel->Waveform()->FlushChart();
        QVERIFY(std::isfinite(y->min()) && std::isfinite(y->max()) && y->min() < y->max());
        QVERIFY(y->min() <= 1e17 && 1e17 <= y->max());
    }

    void waveformPauseZoomHistoryAndPicture() {
        Click(1032); // waveform on
        m_pty->ReadAtLeast(21);
        Click(1030); // plot the gyroscope
        Route("$LV0,RV0,AC0,GY1,CSB0,VT8#");
        QTRY_COMPARE(m_panel->Telemetry().gyroscopeHistory.back(), 1.0);
        m_panel->Waveform()->FlushChart();
        const QList<QPointF> before = m_panel->Chart()->Series(0)->points();
        QVERIFY(!before.isEmpty());
        QCOMPARE(before.last().y(), 1.0);
        // Paused: the picture stands while frames keep being read.
        m_panel->Waveform()->PauseButton()->click();
        QVERIFY(m_panel->Waveform()->IsPaused());
        Route("$LV0,RV0,AC0,GY2,CSB0,VT8#");
        QTRY_COMPARE(m_panel->Telemetry().gyroscopeHistory.back(), 2.0);
        m_panel->Waveform()->FlushChart(); // a refresh the frame asked for would be drawn now
        QCOMPARE(m_panel->Chart()->Series(0)->points(), before);
        m_panel->Waveform()->PauseButton()->click();
        QTRY_COMPARE(m_panel->Chart()->Series(0)->points().last().y(), 2.0);

        // The wheel zooms the time axis around the pointer; Fit shows everything again.
        CTchart_wave* chart = m_panel->Chart();
        const QPointF middle = chart->chart()->plotArea().center();
        QWheelEvent wheel(middle, chart->mapToGlobal(middle.toPoint()), {}, QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart->viewport(), &wheel);
        QVERIFY(chart->ViewLast() - chart->ViewFirst() < 499);
        m_panel->Waveform()->FlushChart();
        QVERIFY(chart->Series(0)->points().size() < 500);
        QCOMPARE(chart->chart()->axes(Qt::Horizontal).first()->property("min").toDouble(),
                 double(chart->ViewFirst()));
        m_panel->Waveform()->FitButton()->click();
        QVERIFY(chart->IsFitted());
        // A smooth wheel sends parts of a notch: they add up. A touchpad may send pixels only.
        for (int i = 0; i < 4; ++i) {
            QWheelEvent part(middle, chart->mapToGlobal(middle.toPoint()), {}, QPoint(0, 30),
                             Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
            QApplication::sendEvent(chart->viewport(), &part);
        }
        QVERIFY2(chart->ViewLast() - chart->ViewFirst() <= 420,
                 qPrintable(QString::number(chart->ViewLast() - chart->ViewFirst())));
        m_panel->Waveform()->FitButton()->click();
        for (int i = 0; i < 3; ++i) {
            QWheelEvent pixels(middle, chart->mapToGlobal(middle.toPoint()), QPoint(0, 20),
                               QPoint(0, 0), Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
            QApplication::sendEvent(chart->viewport(), &pixels);
        }
        QVERIFY(chart->ViewLast() - chart->ViewFirst() < 499);
        m_panel->Waveform()->FitButton()->click();
        QVERIFY(chart->IsFitted());

        // A longer history keeps what was there and reduces to the plot's columns.
        m_panel->Waveform()->HistoryBox()->setCurrentIndex(
            m_panel->Waveform()->HistoryBox()->count() - 1);
        QCOMPARE(m_panel->Telemetry().HistoryLength(), size_t(100000));
        QCOMPARE(chart->DataLength(), 100000);
        QCOMPARE(m_panel->Telemetry().gyroscopeHistory.back(), 2.0);
        m_panel->Waveform()->FlushChart();
        QVERIFY(chart->Series(0)->points().size() <= 2 * chart->PlotColumns());
        QCOMPARE(chart->Series(0)->points().last(), QPointF(99999, 2.0));

        // The readout tells the three values under the pointer.
        const QPoint at = chart->chart()->mapToPosition(QPointF(99999, 2.0)).toPoint();
        QMouseEvent move(QEvent::MouseMove, at, chart->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart->viewport(), &move);
        QVERIFY2(m_panel->Waveform()->Readout()->text().contains(QStringLiteral("gyroscope 2")),
                 qPrintable(m_panel->Waveform()->Readout()->text()));

        // The picture as PNG.
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("wave.png"));
        SetSaveFileAnswer([&](const QString&) { return png; });
        m_panel->Waveform()->SavePictureButton()->click();
        SetSaveFileAnswer({});
        QTRY_VERIFY(QFile::exists(png)); // written once the file is chosen
        QImage picture(png);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), chart->size() * chart->devicePixelRatioF());
        QVERIFY(m_messages.isEmpty());
    }

    void samePanelForBothProducts() {
        Control<QSlider>(1015)->setValue(4321);
        m_frame->SelectProduct(9);
        QCOMPARE(m_frame->CurrentPanel(), m_panel);
        m_frame->SelectProduct(5);
        m_frame->SelectProduct(8);
        QCOMPARE(Control<QSlider>(1015)->value(), 4321);
        QCOMPARE(LabelText(1042), QStringLiteral("P:43.21"));
    }
};

QTEST_MAIN(TestBalancePanel)
#include "test_balance_panel.moc"

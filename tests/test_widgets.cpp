// The display widgets rendered into images: segment display, coloured button, animated
// picture, lamp; and what they tell assistive technology.
#include "gif_fixtures.h"
#include "gui/widgets/button_ex.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "gui/widgets/picture_ex.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Korvane;

namespace {

const QColor kPanelOff(200, 200, 200);
const QColor kPanelOn(255, 0, 0);

QString Described(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Description) : QString();
}

QByteArray Resource(int id) {
    QFile f(QStringLiteral(":/gif/%1").arg(id));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestWidgets : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { Q_INIT_RESOURCE(korvane); }

    void segmentDisplayDrawsZeros() {
        CDigiStatic digi;
        digi.resize(196, 83);
        digi.SetDisplayText("0000");
        const QImage img = digi.Render();
        for (int c = 0; c < 4; ++c) {
            const int x = 49 * c;
            QCOMPARE(img.pixelColor(x + 24, 41), QColor(0, 52, 0));  // middle bar: off
            QCOMPARE(img.pixelColor(x + 24, 7), QColor(0, 255, 0));  // top: on
            QCOMPARE(img.pixelColor(x + 7, 24), QColor(0, 255, 0));  // upper left: on
            QCOMPARE(img.pixelColor(x + 24, 75), QColor(0, 255, 0)); // bottom: on
            QCOMPARE(img.pixelColor(x + 24, 24), QColor(0, 0, 0));   // inside: background
        }
        QCOMPARE(Described(&digi), QStringLiteral("0000"));
    }

    void segmentDisplayColonAndPanelColours() {
        CDigiStatic digi;
        digi.resize(214, 83);
        digi.SetDisplayText("12:30");
        digi.SetSegmentColours(kPanelOff, kPanelOn);
        const QImage img = digi.Render();
        const int colon = 2 * 49;
        QCOMPARE(img.pixelColor(colon + 8, 27), kPanelOn);  // upper dot lit
        QCOMPARE(img.pixelColor(colon + 8, 54), kPanelOn);  // lower dot lit
        QCOMPARE(img.pixelColor(colon + 8, 72), kPanelOff); // point unlit
        // Outlines: 0.25 x black + 0.75 x fill.
        QCOMPARE(img.pixelColor(colon + 4, 68), QColor(150, 150, 150));
        QCOMPARE(img.pixelColor(colon + 4, 23), QColor(191, 0, 0));
        // The last cell, "0", ends at 214: no margin.
        QCOMPARE(img.pixelColor(4 * 49 + 18 - 49 + 24, 7), kPanelOn);
    }

    void segmentDisplayCentresAndScales() {
        CDigiStatic digi;
        digi.resize(400, 83); // "8" is 49 units: margins left and right
        digi.SetDisplayText("8");
        QImage img = digi.Render();
        const int x0 = (400 - 49) / 2;
        QCOMPARE(img.pixelColor(x0 + 24, 41), QColor(0, 255, 0));
        QCOMPARE(img.pixelColor(x0 - 5, 41), QColor(0, 0, 0));
        digi.resize(98, 166); // scale 2
        img = digi.Render();
        QCOMPARE(img.pixelColor(2 * 24 + 24, 2 * 41), QColor(0, 255, 0));
    }

    void segmentDisplayTextRules() {
        CDigiStatic digi;
        digi.resize(100, 83);
        digi.setText(QStringLiteral("7")); // the static's own caption, shown for "?"
        digi.Render();
        QCOMPARE(digi.Cells().size(), size_t(1));
        QCOMPARE(digi.Cells()[0]->LitMask(), quint16(0x25));

        const int before = digi.RepaintRequests();
        digi.SetDisplayText("a");
        digi.SetDisplayText("a");
        QCOMPARE(digi.RepaintRequests(), before + 1); // same text twice: one request
        digi.Render();
        QCOMPARE(digi.Cells()[0]->LitMask(), quint16(0x3BC0));
        digi.SetSegmentColours(QColor(0, 52, 0), QColor(0, 255, 0)); // unchanged colours
        QCOMPARE(digi.RepaintRequests(), before + 1);

        digi.SetDisplayText(""); // nothing but the background
        const QImage empty = digi.Render();
        for (int y = 0; y < empty.height(); y += 5)
            for (int x = 0; x < empty.width(); x += 5)
                QCOMPARE(empty.pixelColor(x, y), QColor(0, 0, 0));
    }

    void segmentDisplayTransparent() {
        CDigiStatic digi;
        digi.resize(49, 83);
        digi.SetDisplayText("1");
        digi.EnableTransparentBackground();
        QImage behind(49, 83, QImage::Format_ARGB32_Premultiplied);
        behind.fill(QColor(10, 20, 200));
        const QImage img = digi.Render(&behind);
        QCOMPARE(img.pixelColor(24, 24), QColor(10, 20, 200)); // background shows through
        QCOMPARE(img.pixelColor(40, 24), QColor(0, 255, 0));   // upper right lit
        QCOMPARE(img.pixelColor(7, 24), QColor(0, 52, 0));     // upper left unlit
        QCOMPARE(img.size(), QSize(49, 83));                   // full rectangle kept
    }

    void buttonFaceHoverAndDisabled() {
        CButtonEx button(QStringLiteral("OK"));
        button.resize(80, 30);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QEvent away(QEvent::Leave); // wherever the pointer was when the window appeared
        QApplication::sendEvent(&button, &away);
        QImage img = button.grab().toImage();
        QCOMPARE(img.pixelColor(10, 15), QColor(243, 243, 243));
        QCOMPARE(img.pixelColor(40, 0), QColor(192, 192, 192));

        button.SetFaceColor(QColor(255, 0, 0));
        img = button.grab().toImage();
        QCOMPARE(img.pixelColor(10, 15), QColor(255, 0, 0));
        QCOMPARE(button.Caption(), QStringLiteral("OK"));
        QCOMPARE(Described(&button), QStringLiteral("red")); // in words, never "#ff0000"

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&button, &enter);
        QCOMPARE(button.ButtonState(), CButtonEx::Hot);
        QCOMPARE(button.grab().toImage().pixelColor(40, 0), QColor(Qt::white));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        QCOMPARE(button.grab().toImage().pixelColor(40, 0), QColor(192, 192, 192));

        button.setEnabled(false);
        img = button.grab().toImage();
        QCOMPARE(button.ButtonState(), CButtonEx::Disabled);
        QCOMPARE(img.pixelColor(40, 0), QColor(255, 0, 0)); // border in the face colour
        QCOMPARE(button.CaptionColour(),
                 button.palette().color(QPalette::Disabled, QPalette::Text));
        button.setEnabled(true);
        button.grab();
        QCOMPARE(button.ButtonState(), CButtonEx::Normal);
    }

    void buttonCaption() {
        CButtonEx button(QStringLiteral("A caption far too long for this button"));
        button.resize(60, 24);
        button.grab();
        QVERIFY(button.ShownCaption().endsWith(QChar(0x2026)));
        QVERIFY(button.fontMetrics().horizontalAdvance(button.ShownCaption()) <= 54);
        button.setText(QStringLiteral("Changed"));
        button.grab();
        QCOMPARE(button.Caption(), QStringLiteral("A caption far too long for this button"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&button);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Changed"));
    }

    void picturesLoad() {
        CPictureEx picture;
        QVERIFY(picture.LoadResourcePicture(339));
        QVERIFY(!picture.IsGif());
        QCOMPARE(picture.PictureSize(), QSize(120, 120));
        picture.StartPlayback();
        QVERIFY(!picture.IsPlaying()); // a still picture starts no animation
        QCOMPARE(picture.Surface().pixelColor(60, 60), QColor(200, 60, 40)); // the hub

        const struct { int id, delay; } fans[] = {{336, 100}, {337, 50}, {338, 200}};
        for (const auto& fan : fans) {
            QVERIFY(picture.LoadResourcePicture(fan.id));
            QVERIFY(picture.IsGif());
            QCOMPARE(picture.FrameCount(), 12);
            QCOMPARE(picture.size(), QSize(120, 120));
            for (int f = 0; f < 12; ++f)
                QCOMPARE(picture.FrameDelayMs(f), fan.delay);
        }
        QVERIFY(!picture.LoadResourcePicture(999));
        QCOMPARE(picture.FrameCount(), 0);
    }

    void playbackTimingAndStop() {
        CPictureEx picture;
        QSignalSpy shown(&picture, &CPictureEx::frameShown);
        QVERIFY(picture.LoadResourcePicture(337));
        picture.StartPlayback();
        QVERIFY(picture.IsPlaying());
        QCOMPARE(Described(&picture), QStringLiteral("playing"));
        QCOMPARE(picture.CurrentDelayMs(), 50);
        // A frame is never cut short (a busy machine may only make it later).
        QElapsedTimer clock;
        clock.start();
        QVERIFY(shown.wait(2000));
        QVERIFY(shown.wait(2000));
        QVERIFY2(clock.elapsed() >= 2 * 50 - 2, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(picture.CurrentDelayMs(), 50);
        QVERIFY(shown.last().at(0).toInt() >= 1); // it moves on

        picture.StopPlayback(); // at once, the frame stays
        const int frame = picture.CurrentFrame();
        const QImage kept = picture.Surface();
        QTest::qWait(120);
        QCOMPARE(picture.CurrentFrame(), frame);
        QCOMPARE(picture.Surface(), kept);
        QCOMPARE(Described(&picture), QStringLiteral("stopped"));

        QVERIFY(picture.LoadResourcePicture(338));
        picture.StartPlayback();
        QCOMPARE(picture.CurrentDelayMs(), 200);
        clock.start();
        QVERIFY(shown.wait(2000));
        QVERIFY2(clock.elapsed() >= 200 - 2, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(picture.LoadResourcePicture(339)); // a new load stops the old animation
        QVERIFY(!picture.IsPlaying());
        const int count = int(shown.size());
        QTest::qWait(250);
        QCOMPARE(int(shown.size()), count);
    }

    void shortDelaysAndClearBeforeFirstFrame() {
        CPictureEx picture;
        QVERIFY(picture.LoadPictureData(GifFixtures::TwoFrames()));
        QCOMPARE(picture.FrameCount(), 2);
        QCOMPARE(picture.FrameDelayMs(0), 100); // no graphic control extension
        QCOMPARE(picture.FrameDelayMs(1), 100); // 3 hundredths
        QSignalSpy shown(&picture, &CPictureEx::frameShown);
        picture.StartPlayback();
        QCOMPARE(picture.Surface().pixelColor(0, 0), QColor(0, 0, 0));
        QVERIFY(shown.wait(2000)); // frame 1: the white pixel joins the black one
        QCOMPARE(picture.Surface().pixelColor(0, 0), QColor(0, 0, 0));
        QCOMPARE(picture.Surface().pixelColor(1, 0), QColor(255, 255, 255));
        QVERIFY(shown.wait(2000)); // frame 0 again, on a cleared surface
        QCOMPARE(shown.last().at(0).toInt(), 0);
        QCOMPARE(picture.Surface().pixelColor(1, 0), picture.BackgroundColour());
        QCOMPARE(picture.Surface().pixelColor(0, 0), QColor(0, 0, 0));
    }

    void damagedPictures() {
        CPictureEx picture;
        const QByteArray fan = Resource(336);
        QVERIFY(!fan.isEmpty());
        for (qsizetype n : {qsizetype(0), qsizetype(3), qsizetype(12), qsizetype(40),
                            fan.size() / 3, fan.size() / 2, fan.size() - 2}) {
            const bool ok = picture.LoadPictureData(fan.left(n));
            QVERIFY(!ok || picture.FrameCount() < 12);
        }
        QByteArray huge = GifFixtures::Header(60000, 60000) + GifFixtures::Pixel(0, 0, true) +
                          GifFixtures::Pixel(0, 0, false) + ";";
        QVERIFY(!picture.LoadPictureData(huge));
        QByteArray noImages = GifFixtures::Header(4, 4) + GifFixtures::Comment() + ";";
        QVERIFY(!picture.LoadPictureData(noImages));
        QVERIFY(!picture.LoadPictureData("not a picture at all"));
        QVERIFY(!picture.IsPlaying());
    }

    void lampStates() {
        CLamp lamp;
        QCOMPARE(Described(&lamp), QStringLiteral("off"));
        QCOMPARE(lamp.pixmap().toImage().pixelColor(6, 6), QColor(127, 127, 127));
        QCOMPARE(lamp.pixmap().toImage().pixelColor(0, 0).alpha(), 0); // transparent corner
        lamp.SetOn(true);
        QCOMPARE(Described(&lamp), QStringLiteral("on"));
        QCOMPARE(lamp.pixmap().toImage().pixelColor(6, 6), QColor(237, 28, 36));
    }
};

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"

// The three basic robot car panels, driven as a user would, with a real serial link.
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/shell/main_frame.h"
#include "link_wait.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

using namespace Korvane;

namespace {
const char* const kNotOpen =
    "The serial port is not open or has been disconnected. Please reconnect!";
}

class TestBasicCars : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;
    std::unique_ptr<StationOnPty> m_station;
    CMainFrame* m_frame = nullptr;
    PtyPair* m_pty = nullptr;

    CBasicCarPanel* Show(int product) {
        m_frame->SelectProduct(product);
        return qobject_cast<CBasicCarPanel*>(m_frame->CurrentPanel());
    }
    QAbstractButton* Button(int id) {
        return qobject_cast<QAbstractButton*>(FindControl(m_frame->CurrentPanel(), id));
    }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() {
        m_messages.clear();
        m_station = std::make_unique<StationOnPty>();
        m_frame = m_station->frame.get();
        m_pty = m_station->pty.get();
        QVERIFY(m_station->Start());
    }
    void cleanup() { m_station.reset(); }

    void buttonsSendTheirFrames_data() {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("id");
        QTest::addColumn<QByteArray>("frame");
        struct Row {
            int product, id;
            const char* frame;
        };
        const Row rows[] = {
            // Birch Robot Car, dialog 313
            {5, 1193, "$1,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1199, "$2,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1197, "$3,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1198, "$4,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1206, "$0,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1200, "$0,1,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1205, "$0,2,0,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1211, "$0,0,1,0,0,0,0,0,0,0,0,0,0#"},
            {5, 1214, "$0,0,0,1,0,0,0,0,0,0,0,0,0#"},
            {5, 1213, "$0,0,0,0,1,0,0,0,0,0,0,0,0#"},
            {5, 1202, "$0,0,0,0,0,1,0,0,0,0,0,0,0#"},
            {5, 1208, "$0,0,0,0,0,0,1,0,0,0,0,0,0#"},
            {5, 1212, "$0,0,0,0,0,0,0,1,0,0,0,0,0#"},
            {5, 1209, "$0,0,0,0,0,0,0,0,1,0,0,0,0#"},
            {5, 1210, "$0,0,0,0,0,0,0,0,0,1,0,0,0#"},
            {5, 1207, "$0,0,0,0,0,0,0,0,0,0,1,0,0#"},
            // Vantrel Robot Car, dialog 315: the same ids mean other things here
            {6, 1195, "$1,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1203, "$2,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1201, "$3,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1202, "$4,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1196, "$0,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1204, "$0,1,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1206, "$0,2,0,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1207, "$0,0,1,0,0,0,0,0,0,0,0,0,0#"},
            {6, 1208, "$0,0,0,1,0,0,0,0,0,0,0,0,0#"},
            {6, 1209, "$0,0,0,0,1,0,0,0,0,0,0,0,0#"},
            // Alder Robot Car, dialog 101
            {7, 1001, "$1,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1004, "$2,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1002, "$3,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1003, "$4,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1012, "$0,0,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1005, "$0,1,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1006, "$0,2,0,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1007, "$0,0,1,0,0,0,0,0,0,0,0,0,0#"},
            {7, 1010, "$0,0,0,1,0,0,0,0,0,0,0,0,0#"},
            {7, 1011, "$0,0,0,0,1,0,0,0,0,0,0,0,0#"},
            {7, 1008, "$0,0,0,0,0,0,0,0,1,0,0,0,0#"},
            {7, 1009, "$0,0,0,0,0,0,0,0,0,1,0,0,0#"},
        };
        for (const Row& r : rows)
            QTest::addRow("%d/%d", r.product, r.id) << r.product << r.id << QByteArray(r.frame);
    }
    void buttonsSendTheirFrames() {
        QFETCH(int, product);
        QFETCH(int, id);
        QFETCH(QByteArray, frame);
        QVERIFY(Show(product));
        QAbstractButton* b = Button(id);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(m_pty->ReadAtLeast(27), frame);
        QCOMPARE(m_pty->ReadFor(5), QByteArray());
    }

    void captionsMatchTheirActions() {
        Show(5);
        QCOMPARE(Button(1202)->text(), QStringLiteral("左"));
        QCOMPARE(Button(1207)->text(), QStringLiteral("中"));
        QCOMPARE(Button(1212)->text(), QStringLiteral("唱歌"));
        Show(6);
        QCOMPARE(Button(1202)->text(), QStringLiteral("右"));
        QCOMPARE(Button(1196)->text(), QStringLiteral("停"));
        Show(7);
        QCOMPARE(Button(1009)->text(), QStringLiteral("灭火"));
    }

    void clickingTwiceSendsTwice() {
        Show(5);
        QTest::mouseClick(Button(1193), Qt::LeftButton);
        QTest::mouseClick(Button(1193), Qt::LeftButton);
        QCOMPARE(m_pty->ReadAtLeast(54), QByteArray("$1,0,0,0,0,0,0,0,0,0,0,0,0#"
                                                    "$1,0,0,0,0,0,0,0,0,0,0,0,0#"));
    }

    void keysSendTenFieldFramesOnChange() {
        CBasicCarPanel* panel = Show(5);
        for (int k : {Qt::Key_W, Qt::Key_W, Qt::Key_S, Qt::Key_S, Qt::Key_Space, Qt::Key_Space,
                      Qt::Key_Up, Qt::Key_Down})
            QTest::keyClick(panel, Qt::Key(k));
        QCOMPARE(m_pty->ReadAtLeast(63), QByteArray("$1,0,0,0,0,0,0,0,0,0#"
                                                    "$2,0,0,0,0,0,0,0,0,0#"
                                                    "$0,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(m_pty->ReadFor(10), QByteArray());
        // Letters count whatever the case; auto-repeat of a held key sends nothing more.
        QTest::keyClick(panel, Qt::Key_A, Qt::ShiftModifier);
        QTest::keyPress(panel, Qt::Key_Left);
        QTest::keyPress(panel, Qt::Key_Left, Qt::NoModifier, -1);
        QCOMPARE(m_pty->ReadAtLeast(42), QByteArray("$3,0,0,0,0,0,0,0,0,0#$0,1,0,0,0,0,0,0,0,0#"));
        QCOMPARE(m_pty->ReadFor(10), QByteArray());
    }

    void keysReachThePanelThroughAFocusedButton() {
        CBasicCarPanel* panel = Show(6);
        QAbstractButton* forward = Button(1195);
        forward->setFocus();
        QTest::keyClick(forward, Qt::Key_D);
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$4,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(panel->LastKeyState(), 5);
        // Space goes to both: the stop key and the focused button's own click.
        QTest::keyClick(forward, Qt::Key_Space);
        const QByteArray got = m_pty->ReadAtLeast(21 + 27);
        QCOMPARE(got, QByteArray("$0,0,0,0,0,0,0,0,0,0#$1,0,0,0,0,0,0,0,0,0,0,0,0#"));
    }

    void buttonsDoNotTouchTheKeyState() {
        CBasicCarPanel* panel = Show(7);
        QTest::keyClick(panel, Qt::Key_W);
        QTest::mouseClick(Button(1012), Qt::LeftButton); // stop button
        QTest::keyClick(panel, Qt::Key_W);               // still state 2: nothing
        QCOMPARE(m_pty->ReadAtLeast(48), QByteArray("$1,0,0,0,0,0,0,0,0,0#"
                                                    "$0,0,0,0,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(m_pty->ReadFor(10), QByteArray());
    }

    void closedPortKeepsTheKeyState() {
        CBasicCarPanel* panel = Show(5);
        m_frame->CloseLink();
        QTest::keyClick(panel, Qt::Key_W);
        QTest::mouseClick(Button(1193), Qt::LeftButton);
        QCOMPARE(m_messages, (QStringList{kNotOpen, kNotOpen}));
        QCOMPARE(panel->LastKeyState(), 2);
        QVERIFY(OpenNow(m_frame->Link(), m_pty->SlavePath(), 115200));
        QTest::keyClick(panel, Qt::Key_W);
        QCOMPARE(m_pty->ReadFor(30), QByteArray());
        QTest::keyClick(panel, Qt::Key_S);
        QCOMPARE(m_pty->ReadAtLeast(21), QByteArray("$2,0,0,0,0,0,0,0,0,0#"));
    }

    void distanceArrivesFromTheCar_data() {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("labelId");
        QTest::newRow("Birch") << 5 << 1194;
        QTest::newRow("Vantrel") << 6 << 1210;
        QTest::newRow("Alder") << 7 << 1192;
    }
    void distanceArrivesFromTheCar() {
        QFETCH(int, product);
        QFETCH(int, labelId);
        Show(product);
        auto* label = qobject_cast<QLabel*>(FindControl(m_frame->CurrentPanel(), labelId));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("0cm"));
        m_pty->Write("noise$1,0,0,0,0,0,0,0,0,0,0,57,0#");
        QTRY_COMPARE(label->text(), QStringLiteral("57"));
        // Too short, or an empty twelfth field: unchanged.
        m_pty->Write("$0,0,0,0,0,0,0,0,0,0,0,#$0,0,0,0,0,0,0,0,0,0,0,,0#");
        m_pty->Write("$0,0,0,0,0,0,0,0,0,0,0,7,#");
        QTRY_COMPARE(label->text(), QStringLiteral("7"));
    }

    void distanceSurvivesSwitchingAway() {
        Show(5);
        m_pty->Write("$0,0,0,0,0,0,0,0,0,0,0,88,0#");
        auto* label = qobject_cast<QLabel*>(FindControl(m_frame->CurrentPanel(), 1194));
        QTRY_COMPARE(label->text(), QStringLiteral("88"));
        Show(6);
        m_pty->Write("$0,0,0,0,0,0,0,0,0,0,0,12,0#"); // goes to the Vantrel panel now
        auto* other = qobject_cast<QLabel*>(FindControl(m_frame->CurrentPanel(), 1210));
        QTRY_COMPARE(other->text(), QStringLiteral("12"));
        Show(5);
        QCOMPARE(label->text(), QStringLiteral("88"));
    }

    void logoIsShownAt200By30() {
        for (int product : {5, 6, 7}) {
            Show(product);
            const int ids[] = {1233, 1234, 1232};
            auto* logo =
                qobject_cast<QLabel*>(FindControl(m_frame->CurrentPanel(), ids[product - 5]));
            QVERIFY(logo);
            QCOMPARE(logo->size(), QSize(200, 30));
            QCOMPARE(logo->pixmap().size(), QSize(200, 30));
            QVERIFY(!logo->accessibleName().isEmpty());
        }
    }

    void alderPanelShrinksTheWindowOnly() {
        m_frame->resize(1600, 1200);
        Show(7);
        QTRY_VERIFY(m_frame->width() < 1600 && m_frame->height() < 1200);

        CMainFrame small;
        small.resize(320, 240);
        small.show();
        QVERIFY(QTest::qWaitForWindowExposed(&small));
        const QSize before = small.size();
        small.SelectProduct(7);
        // What the selection posted (the layout's requests, the fit) is done.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        // Only the layout's own minimum may make it larger; the fit never grows it.
        QCOMPARE(small.size(), before.expandedTo(small.minimumSizeHint()));
    }
};

QTEST_MAIN(TestBasicCars)
#include "test_basic_cars.moc"

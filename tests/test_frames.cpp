// Frame texts, the driving keys, distance parsing, port texts and the product catalogue.
#include "core/link/frames.h"
#include "core/link/port_text.h"
#include "core/products/catalogue.h"

#include <QTest>

using namespace Korvane;

class TestFrames : public QObject {
    Q_OBJECT
  private slots:
    void buttonFramesHaveThirteenFieldsAndOneCommand() {
        QSet<QByteArray> seen;
        for (int i = 0; i < kCarActionCount; ++i) {
            const QByteArray f = CarButtonFrame(CarAction(i));
            QCOMPARE(FieldCount(f), 13);
            QCOMPARE(f.size(), 27);
            const QList<QByteArray> fields = f.mid(1, f.size() - 2).split(',');
            int nonZero = 0;
            for (const QByteArray& v : fields)
                nonZero += v != "0";
            QVERIFY2(nonZero <= 1, f.constData());
            QCOMPARE(fields[11], QByteArray("0"));
            QCOMPARE(fields[12], QByteArray("0"));
            QVERIFY2(!seen.contains(f), "two actions share a frame");
            seen.insert(f);
        }
        QCOMPARE(CarButtonFrame(CarAction::Stop), QByteArray("$0,0,0,0,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(CarButtonFrame(CarAction::SecondRowLeft),
                 QByteArray("$0,0,0,0,0,1,0,0,0,0,0,0,0#"));
        QCOMPARE(CarButtonFrame(CarAction::SecondRowCentre),
                 QByteArray("$0,0,0,0,0,0,0,0,0,0,1,0,0#"));
        QCOMPARE(CarButtonFrame(CarAction::Right), QByteArray("$4,0,0,0,0,0,0,0,0,0,0,0,0#"));
    }

    void drivingKeysGiveTenFieldFrames() {
        const int keys[] = {Qt::Key_Space, Qt::Key_W,    Qt::Key_S,    Qt::Key_A,
                            Qt::Key_D,     Qt::Key_Left, Qt::Key_Right};
        for (int k : keys) {
            const DrivingKey* dk = FindDrivingKey(k);
            QVERIFY(dk);
            QCOMPARE(FieldCount(dk->frame), 10);
            QCOMPARE(qstrlen(dk->frame), 21u);
        }
        QVERIFY(!FindDrivingKey(Qt::Key_Up));
        QVERIFY(!FindDrivingKey(Qt::Key_Down));
        QCOMPARE(QByteArray(FindDrivingKey(Qt::Key_W)->frame), QByteArray("$1,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(QByteArray(FindDrivingKey(Qt::Key_Right)->frame),
                 QByteArray("$0,2,0,0,0,0,0,0,0,0#"));
    }

    void repeatedKeysAreSuppressed() {
        CDrivingKeys keys;
        QList<QByteArray> sent;
        for (int k :
             {Qt::Key_W, Qt::Key_W, Qt::Key_S, Qt::Key_S, Qt::Key_Space, Qt::Key_Space, Qt::Key_Up})
            if (auto f = keys.OnKeyDown(k))
                sent << *f;
        QCOMPARE(sent, (QList<QByteArray>{"$1,0,0,0,0,0,0,0,0,0#", "$2,0,0,0,0,0,0,0,0,0#",
                                          "$0,0,0,0,0,0,0,0,0,0#"}));
        QCOMPARE(keys.LastKeyState(), 1);
    }

    void distanceField_data() {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("distance"); // empty: unchanged
        QTest::newRow("23 characters") << QByteArray("$0,0,0,0,0,0,0,0,0,0,0,") << QByteArray();
        QTest::newRow("7 then comma") << QByteArray("$0,0,0,0,0,0,0,0,0,0,0,7,") << QByteArray("7");
        QTest::newRow("empty field") << QByteArray("$0,0,0,0,0,0,0,0,0,0,0,,0#") << QByteArray();
        QTest::newRow("no comma after")
            << QByteArray("$0,0,0,0,0,0,0,0,0,0,0,123#") << QByteArray();
        QTest::newRow("simulator frame")
            << QByteArray("$1,0,0,0,0,0,0,0,0,0,0,114,0#") << QByteArray("114");
        QTest::newRow("short") << QByteArray("$1#") << QByteArray();
    }
    void distanceField() {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, distance);
        const auto got = DistanceFromFrame(frame);
        if (distance.isEmpty())
            QVERIFY(!got.has_value());
        else
            QCOMPARE(got.value(), distance);
    }

    void portAndBaudTexts() {
        QCOMPARE(LeadingNumber(QStringLiteral("115200")), 115200);
        QCOMPARE(LeadingNumber(QStringLiteral("  9600 baud")), 9600);
        QCOMPARE(LeadingNumber(QStringLiteral("fast")), 0);
        QCOMPARE(LeadingNumber(QStringLiteral("99999999999")), 0);
#ifdef Q_OS_WIN
        QCOMPARE(PortNameFromText(QStringLiteral("COM12")), QStringLiteral("COM12"));
        QCOMPARE(PortNameFromText(QStringLiteral("12")), QStringLiteral("COM0"));
#else
        QCOMPARE(PortNameFromText(QStringLiteral(" /dev/ttyUSB0 ")),
                 QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(PortNameFromText(QStringLiteral("rfcomm0")), QStringLiteral("rfcomm0"));
#endif
    }

    void catalogueTable() {
        const int radios[] = {1058, 1059, 1060, 1061, 1062, 1034, 1035, 1036,
                              1038, 1037, 1039, 1041, 1040, 1042, 1043, 1044};
        const int panels[] = {324, 324, 324, 330, 330, 313, 315, 101,
                              311, 311, 345, 345, 345, 345, 349, 349};
        // The sixteen products the devices know; a build may list more after them.
        QVERIFY(ProductCount() >= int(std::size(radios)));
        for (int i = 0; i < int(std::size(radios)); ++i) {
            QCOMPARE(Product(i).radioId, radios[i]);
            QCOMPARE(Product(i).panelId, panels[i]);
        }
        QSet<int> commands, radioIds;
        for (int i = 0; i < ProductCount(); ++i) {
            QCOMPARE(Product(i).index, i);
            commands.insert(Product(i).menuCommandId);
            radioIds.insert(Product(i).radioId);
        }
        QCOMPARE(commands.size(), ProductCount());
        QCOMPARE(radioIds.size(), ProductCount());
        QCOMPARE(Product(12).menuCommandId, 32823);
        QCOMPARE(QByteArray(Product(15).label), QByteArray("Pendrix Robot Car (Raspberry Pi)"));
        QVERIFY(!IsValidProduct(ProductCount()));
        QVERIFY(!IsValidProduct(-1));
    }

    void windowTitle() {
        QCOMPARE(WindowTitle(12), QStringLiteral("Korvane PC V4.0 \u2014 Tavo 4WD Car (STM32)"));
        QCOMPARE(WindowTitle(ProductCount()), QStringLiteral("Korvane PC V4.0"));
        QCOMPARE(WindowTitle(-1), QStringLiteral("Korvane PC V4.0"));
    }

    void routesByProduct() {
        auto msgs = [](int product, const char* frame) {
            const Routes r = RoutesFor(product, frame);
            QList<int> out;
            for (int i = 0; i < r.count; ++i)
                out << r.message[i];
            return out;
        };
        QCOMPARE(msgs(0, "$51,K1#"), QList<int>{MsgBoard51});
        QCOMPARE(msgs(0, "$AR,K1#"), QList<int>{});
        QCOMPARE(msgs(3, "$51,K1#"), QList<int>{});
        QCOMPARE(msgs(4, "$AR,K1#"), QList<int>{MsgKitAR});
        QCOMPARE(msgs(5, "$x#"), QList<int>{MsgBirchCar});
        QCOMPARE(msgs(6, "$x#"), QList<int>{MsgVantrelCar});
        QCOMPARE(msgs(7, "$x#"), QList<int>{MsgAlderCar});
        QCOMPARE(msgs(9, "$AP1,LV2#"), (QList<int>{MsgBalancePid, MsgBalanceTelemetry}));
        QCOMPARE(msgs(8, "$AP1#"), QList<int>{MsgBalancePid});
        QCOMPARE(msgs(8, "$ap1,lv2#"), QList<int>{}); // case-sensitive
        QCOMPARE(msgs(13, "$x#"), QList<int>{Msg4WDCar});
        QCOMPARE(msgs(14, "$x#"), QList<int>{MsgTricycle});
        QCOMPARE(msgs(ProductCount(), "$51#"), QList<int>{});
        for (int m = MsgBalancePid; m <= MsgTricycle; ++m)
            QVERIFY(PanelForMessage(m) != 0);
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "test_frames.moc"

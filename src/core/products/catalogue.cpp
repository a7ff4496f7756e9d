#include "core/products/catalogue.h"

#include <QCoreApplication>

namespace Korvane {

namespace {

// Routes of the products: the boards and kits take only their own tagged frames, the balance
// cars PID replies ("AP") and telemetry ("LV"), every other car every frame.
constexpr RouteRule k51 = {MsgBoard51, "51"};
constexpr RouteRule kAR = {MsgKitAR, "AR"};
constexpr RouteRule kNone = {RouteMessage(0), nullptr};
constexpr RouteRule kBalancePid = {MsgBalancePid, "AP"};
constexpr RouteRule kBalanceTelemetry = {MsgBalanceTelemetry, "LV"};
constexpr RouteRule k4WD = {Msg4WDCar, nullptr};
constexpr RouteRule kTricycle = {MsgTricycle, nullptr};

// The access points the cars' Raspberry Pi images set up.
constexpr char k4WDAccessPoint[] = "192.168.4.1";
constexpr char kTricycleAccessPoint[] = "10.3.141.1";

const ProductInfo kProducts[] = {
    {.index = 0,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Alder Development Board"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Development Board"),
     .menuCommandId = 32794,
     .radioId = 1058,
     .panelId = PanelBoard51,
     .panelClass = "CDevelop51FormView",
     .routes = {k51, kNone},
     .boardTag = "51",
     .dotMatrixPrefix = "$51,DMX",
     .simDevice = "board51"},
    {.index = 1,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Alder Compact Development Board"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Development Board"),
     .menuCommandId = 32795,
     .radioId = 1059,
     .panelId = PanelBoard51,
     .panelClass = "CDevelop51FormView",
     .routes = {k51, kNone},
     .boardTag = "51",
     .dotMatrixPrefix = "$51,DMX",
     .simDevice = "board51"},
    {.index = 2,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Alder Development Kit"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Development Kit"),
     .menuCommandId = 32804,
     .radioId = 1060,
     .panelId = PanelBoard51,
     .panelClass = "CDevelop51FormView",
     .routes = {k51, kNone},
     .boardTag = "51",
     .dotMatrixPrefix = "$51,DMX",
     .simDevice = "board51"},
    {.index = 3,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Birch Basic Kit"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Development Kit"),
     .menuCommandId = 32805,
     .radioId = 1061,
     .panelId = PanelKitAR,
     .panelClass = "CDevelopARFormView",
     .routes = {kAR, kNone},
     .boardTag = "AR",
     .dotMatrixPrefix = "$AR,DMX",
     .simDevice = "kitAR"},
    {.index = 4,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Birch Sensor Kit"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Development Kit"),
     .menuCommandId = 32806,
     .radioId = 1062,
     .panelId = PanelKitAR,
     .panelClass = "CDevelopARFormView",
     .routes = {kAR, kNone},
     .boardTag = "AR",
     .dotMatrixPrefix = "$AR,DMX",
     .simDevice = "kitAR"},
    {.index = 5,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Birch Robot Car"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Smart Robot Car"),
     .menuCommandId = 32807,
     .radioId = 1034,
     .panelId = PanelBirchCar,
     .panelClass = "CArduinoCarFormView",
     .routes = {{MsgBirchCar, nullptr}, kNone},
     .simDevice = "basicCar"},
    {.index = 6,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Vantrel Robot Car"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Smart Robot Car"),
     .menuCommandId = 32808,
     .radioId = 1035,
     .panelId = PanelVantrelCar,
     .panelClass = "CVantrelCarFormView",
     .routes = {{MsgVantrelCar, nullptr}, kNone},
     .simDevice = "basicCar"},
    {.index = 7,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Alder Robot Car"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Smart Robot Car"),
     .menuCommandId = 32809,
     .radioId = 1036,
     .panelId = PanelAlderCar,
     .panelClass = "CKorvaneView",
     .routes = {{MsgAlderCar, nullptr}, kNone},
     .simDevice = "basicCar"},
    {.index = 8,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Birch Balance Car"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Balance Car"),
     .menuCommandId = 32810,
     .radioId = 1038,
     .panelId = PanelBalance,
     .panelClass = "CBalenceFormView",
     .routes = {kBalancePid, kBalanceTelemetry},
     .simDevice = "balanceCar"},
    {.index = 9,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Cedar Balance Car"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Balance Car"),
     .menuCommandId = 32811,
     .radioId = 1037,
     .panelId = PanelBalance,
     .panelClass = "CBalenceFormView",
     .routes = {kBalancePid, kBalanceTelemetry},
     .simDevice = "balanceCar"},
    {.index = 10,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car (Arduino)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car"),
     .menuCommandId = 32821,
     .radioId = 1039,
     .panelId = Panel4WD,
     .panelClass = "CTavo4WDCarFormView",
     .routes = {k4WD, kNone},
     .accessPointAddress = k4WDAccessPoint,
     .simDevice = "fourWdCar"},
    {.index = 11,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car (51)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car"),
     .menuCommandId = 32822,
     .radioId = 1041,
     .panelId = Panel4WD,
     .panelClass = "CTavo4WDCarFormView",
     .routes = {k4WD, kNone},
     .accessPointAddress = k4WDAccessPoint,
     .simDevice = "fourWdCar"},
    {.index = 12,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car (STM32)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car"),
     .menuCommandId = 32823,
     .radioId = 1040,
     .panelId = Panel4WD,
     .panelClass = "CTavo4WDCarFormView",
     .routes = {k4WD, kNone},
     .accessPointAddress = k4WDAccessPoint,
     .simDevice = "fourWdCar"},
    {.index = 13,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car (Raspberry Pi)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car"),
     .menuCommandId = 32824,
     .radioId = 1042,
     .panelId = Panel4WD,
     .panelClass = "CTavo4WDCarFormView",
     .routes = {k4WD, kNone},
     .accessPointAddress = k4WDAccessPoint,
     .network = true,
     .simDevice = "fourWdCar"},
    {.index = 14,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car (STM32)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car"),
     .menuCommandId = 32828,
     .radioId = 1043,
     .panelId = PanelPendrix,
     .panelClass = "CPendrixFormView",
     .routes = {kTricycle, kNone},
     .accessPointAddress = kTricycleAccessPoint,
     .simDevice = "tricycleCar"},
    {.index = 15,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car (Raspberry Pi)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car"),
     .menuCommandId = 32829,
     .radioId = 1044,
     .panelId = PanelPendrix,
     .panelClass = "CPendrixFormView",
     .routes = {kTricycle, kNone},
     .accessPointAddress = kTricycleAccessPoint,
     .network = true,
     .simDevice = "tricycleCar"},
#ifdef KORVANE_EXTRA_TEST_PRODUCT
    // A test build's 17th product, a third tricycle car: one row, and nothing else changes.
    {.index = 16,
     .label = QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car (Test Variant)"),
     .menuGroup = QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car"),
     .menuCommandId = 32830,
     .radioId = 1045,
     .panelId = PanelPendrix,
     .panelClass = "CPendrixFormView",
     .routes = {kTricycle, kNone},
     .accessPointAddress = kTricycleAccessPoint,
     .simDevice = "tricycleCar"},
#endif
};

const char* const kMenuGroups[] = {QT_TRANSLATE_NOOP("Korvane::Product", "Development Board"),
                                   QT_TRANSLATE_NOOP("Korvane::Product", "Development Kit"),
                                   QT_TRANSLATE_NOOP("Korvane::Product", "Smart Robot Car"),
                                   QT_TRANSLATE_NOOP("Korvane::Product", "Balance Car"),
                                   QT_TRANSLATE_NOOP("Korvane::Product", "Tavo 4WD Car"),
                                   QT_TRANSLATE_NOOP("Korvane::Product", "Pendrix Robot Car")};

} // namespace

int ProductCount() {
    return int(std::size(kProducts));
}

const ProductInfo& Product(int index) {
    Q_ASSERT(IsValidProduct(index));
    return kProducts[index];
}

bool IsValidProduct(int index) {
    return index >= 0 && index < int(std::size(kProducts));
}

const char* const* MenuGroups(int* count) {
    *count = int(std::size(kMenuGroups));
    return kMenuGroups;
}

QString ProductText(const char* text) {
    return QCoreApplication::translate("Korvane::Product", text);
}

QString ProductLabel(int index) {
    return IsValidProduct(index) ? ProductText(kProducts[index].label) : QString();
}

QString WindowTitle(int index) {
    QString title = QStringLiteral("Korvane PC V4.0");
    if (IsValidProduct(index))
        title += QStringLiteral(" \u2014 ") + ProductLabel(index);
    return title;
}

Routes RoutesFor(int productIndex, const QByteArray& frame) {
    Routes r;
    if (!IsValidProduct(productIndex))
        return r;
    for (const RouteRule& rule : kProducts[productIndex].routes) {
        if (rule.message == 0)
            break;
        // Case-sensitive, anywhere in the frame, delimiters included.
        if (!rule.mustContain || frame.contains(rule.mustContain))
            r.message[r.count++] = rule.message;
    }
    return r;
}

int PanelForMessage(int message) {
    for (const ProductInfo& p : kProducts)
        for (const RouteRule& rule : p.routes)
            if (rule.message != 0 && rule.message == message)
                return p.panelId;
    return 0;
}

} // namespace Korvane

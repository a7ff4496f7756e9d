#include "catalogue.h"

namespace Korvane {

namespace {

// Routes of the products: the boards and kits take only their own tagged frames, the balance
// cars PID replies ("AP") and telemetry ("LV"), every other car every frame.
constexpr RouteRule k51 = {MsgBoard51, "51"};
constexpr RouteRule kAR = {MsgKitAR, "AR"};
constexpr RouteRule kNone = {RouteMessage(0), nullptr};

const ProductInfo kProducts[kProductCount] = {
    {0,
     "Alder Development Board",
     "Development Board",
     32794,
     1058,
     PanelBoard51,
     "CDevelop51FormView",
     {k51, kNone}},
    {1,
     "Alder Compact Development Board",
     "Development Board",
     32795,
     1059,
     PanelBoard51,
     "CDevelop51FormView",
     {k51, kNone}},
    {2,
     "Alder Development Kit",
     "Development Kit",
     32804,
     1060,
     PanelBoard51,
     "CDevelop51FormView",
     {k51, kNone}},
    {3,
     "Birch Basic Kit",
     "Development Kit",
     32805,
     1061,
     PanelKitAR,
     "CDevelopARFormView",
     {kAR, kNone}},
    {4,
     "Birch Sensor Kit",
     "Development Kit",
     32806,
     1062,
     PanelKitAR,
     "CDevelopARFormView",
     {kAR, kNone}},
    {5,
     "Birch Robot Car",
     "Smart Robot Car",
     32807,
     1034,
     PanelBirchCar,
     "CArduinoCarFormView",
     {{MsgBirchCar, nullptr}, kNone}},
    {6,
     "Vantrel Robot Car",
     "Smart Robot Car",
     32808,
     1035,
     PanelVantrelCar,
     "CVantrelCarFormView",
     {{MsgVantrelCar, nullptr}, kNone}},
    {7,
     "Alder Robot Car",
     "Smart Robot Car",
     32809,
     1036,
     PanelAlderCar,
     "CKorvaneView",
     {{MsgAlderCar, nullptr}, kNone}},
    {8,
     "Birch Balance Car",
     "Balance Car",
     32810,
     1038,
     PanelBalance,
     "CBalenceFormView",
     {{MsgBalancePid, "AP"}, {MsgBalanceTelemetry, "LV"}}},
    {9,
     "Cedar Balance Car",
     "Balance Car",
     32811,
     1037,
     PanelBalance,
     "CBalenceFormView",
     {{MsgBalancePid, "AP"}, {MsgBalanceTelemetry, "LV"}}},
    {10,
     "Tavo 4WD Car (Arduino)",
     "Tavo 4WD Car",
     32821,
     1039,
     Panel4WD,
     "CTavo4WDCarFormView",
     {{Msg4WDCar, nullptr}, kNone}},
    {11,
     "Tavo 4WD Car (51)",
     "Tavo 4WD Car",
     32822,
     1041,
     Panel4WD,
     "CTavo4WDCarFormView",
     {{Msg4WDCar, nullptr}, kNone}},
    {12,
     "Tavo 4WD Car (STM32)",
     "Tavo 4WD Car",
     32823,
     1040,
     Panel4WD,
     "CTavo4WDCarFormView",
     {{Msg4WDCar, nullptr}, kNone}},
    {13,
     "Tavo 4WD Car (Raspberry Pi)",
     "Tavo 4WD Car",
     32824,
     1042,
     Panel4WD,
     "CTavo4WDCarFormView",
     {{Msg4WDCar, nullptr}, kNone}},
    {14,
     "Pendrix Robot Car (STM32)",
     "Pendrix Robot Car",
     32828,
     1043,
     PanelPendrix,
     "CPendrixFormView",
     {{MsgTricycle, nullptr}, kNone}},
    {15,
     "Pendrix Robot Car (Raspberry Pi)",
     "Pendrix Robot Car",
     32829,
     1044,
     PanelPendrix,
     "CPendrixFormView",
     {{MsgTricycle, nullptr}, kNone}},
};

const char* const kMenuGroups[] = {"Development Board", "Development Kit", "Smart Robot Car",
                                   "Balance Car",       "Tavo 4WD Car",    "Pendrix Robot Car"};

} // namespace

const ProductInfo& Product(int index) {
    Q_ASSERT(IsValidProduct(index));
    return kProducts[index];
}

bool IsValidProduct(int index) {
    return index >= 0 && index < kProductCount;
}

const char* const* MenuGroups(int* count) {
    *count = int(std::size(kMenuGroups));
    return kMenuGroups;
}

std::atomic<int>& ProductIndex() {
    static std::atomic<int> index{0};
    return index;
}

QString WindowTitle(int index) {
    QString title = QStringLiteral("Korvane PC V4.0");
    if (IsValidProduct(index))
        title += QStringLiteral(" \u2014 ") + QString::fromLatin1(kProducts[index].label);
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

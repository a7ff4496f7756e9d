#include "catalogue.h"

namespace Korvane {

namespace {

const ProductInfo kProducts[kProductCount] = {
    {0, "Alder Development Board", "Development Board", 32794, 1058, PanelBoard51,
     "CDevelop51FormView"},
    {1, "Alder Compact Development Board", "Development Board", 32795, 1059, PanelBoard51,
     "CDevelop51FormView"},
    {2, "Alder Development Kit", "Development Kit", 32804, 1060, PanelBoard51,
     "CDevelop51FormView"},
    {3, "Birch Basic Kit", "Development Kit", 32805, 1061, PanelKitAR, "CDevelopARFormView"},
    {4, "Birch Sensor Kit", "Development Kit", 32806, 1062, PanelKitAR, "CDevelopARFormView"},
    {5, "Birch Robot Car", "Smart Robot Car", 32807, 1034, PanelBirchCar, "CArduinoCarFormView"},
    {6, "Vantrel Robot Car", "Smart Robot Car", 32808, 1035, PanelVantrelCar,
     "CVantrelCarFormView"},
    {7, "Alder Robot Car", "Smart Robot Car", 32809, 1036, PanelAlderCar, "CKorvaneView"},
    {8, "Birch Balance Car", "Balance Car", 32810, 1038, PanelBalance, "CBalenceFormView"},
    {9, "Cedar Balance Car", "Balance Car", 32811, 1037, PanelBalance, "CBalenceFormView"},
    {10, "Tavo 4WD Car (Arduino)", "Tavo 4WD Car", 32821, 1039, Panel4WD, "CTavo4WDCarFormView"},
    {11, "Tavo 4WD Car (51)", "Tavo 4WD Car", 32822, 1041, Panel4WD, "CTavo4WDCarFormView"},
    {12, "Tavo 4WD Car (STM32)", "Tavo 4WD Car", 32823, 1040, Panel4WD, "CTavo4WDCarFormView"},
    {13, "Tavo 4WD Car (Raspberry Pi)", "Tavo 4WD Car", 32824, 1042, Panel4WD,
     "CTavo4WDCarFormView"},
    {14, "Pendrix Robot Car (STM32)", "Pendrix Robot Car", 32828, 1043, PanelPendrix,
     "CPendrixFormView"},
    {15, "Pendrix Robot Car (Raspberry Pi)", "Pendrix Robot Car", 32829, 1044, PanelPendrix,
     "CPendrixFormView"},
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
    auto add = [&r](RouteMessage m) { r.message[r.count++] = m; };
    switch (productIndex) {
    case 0:
    case 1:
    case 2:
        if (frame.contains("51"))
            add(MsgBoard51);
        break;
    case 3:
    case 4:
        if (frame.contains("AR"))
            add(MsgKitAR);
        break;
    case 5:
        add(MsgBirchCar);
        break;
    case 6:
        add(MsgVantrelCar);
        break;
    case 7:
        add(MsgAlderCar);
        break;
    case 8:
    case 9:
        if (frame.contains("AP"))
            add(MsgBalancePid);
        if (frame.contains("LV"))
            add(MsgBalanceTelemetry);
        break;
    case 10:
    case 11:
    case 12:
    case 13:
        add(Msg4WDCar);
        break;
    case 14:
    case 15:
        add(MsgTricycle);
        break;
    default:
        break;
    }
    return r;
}

int PanelForMessage(int message) {
    switch (message) {
    case MsgBalancePid:
    case MsgBalanceTelemetry:
        return PanelBalance;
    case MsgBoard51:
        return PanelBoard51;
    case MsgKitAR:
        return PanelKitAR;
    case MsgAlderCar:
        return PanelAlderCar;
    case MsgBirchCar:
        return PanelBirchCar;
    case MsgVantrelCar:
        return PanelVantrelCar;
    case Msg4WDCar:
        return Panel4WD;
    case MsgTricycle:
        return PanelPendrix;
    default:
        return 0;
    }
}

} // namespace Korvane

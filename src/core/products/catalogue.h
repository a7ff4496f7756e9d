#pragma once

#include <QByteArray>
#include <QString>

namespace Korvane {

// Messages by which routed serial frames reach a panel.
enum RouteMessage : int {
    MsgBalancePid = 0x464,
    MsgBalanceTelemetry = 0x465,
    MsgBoard51 = 0x466,
    MsgKitAR = 0x467,
    MsgAlderCar = 0x468,
    MsgBirchCar = 0x469,
    MsgVantrelCar = 0x46A,
    Msg4WDCar = 0x46B,
    MsgTricycle = 0x46C,
};

// Dialog ids of the panel classes; one panel class per id.
enum PanelId : int {
    PanelBoard51 = 324,
    PanelKitAR = 330,
    PanelBirchCar = 313,
    PanelVantrelCar = 315,
    PanelAlderCar = 101,
    PanelBalance = 311,
    Panel4WD = 345,
    PanelPendrix = 349,
};

// One receive route: serial frames that contain the text (every frame when it is null) reach
// the panel as this message.
struct RouteRule {
    RouteMessage message;
    const char* mustContain;
};

// Everything the station knows about one product: family code asks the row, never compares
// product numbers.
struct ProductInfo {
    int index;
    const char* label;
    const char* menuGroup;
    int menuCommandId;
    int radioId; // the product's radio in the selection dialog
    int panelId;
    const char* panelClass;
    // Receive routes, tested in this order; a frame may take both (balance cars).
    RouteRule routes[2] = {};
    // Training boards and kits: the tag of their frames ("51", "AR") and the dot-matrix
    // frames' prefix; null for the cars.
    const char* boardTag = nullptr;
    const char* dotMatrixPrefix = nullptr;
    // Wi-Fi cars: the address of the car's own access point (control service and camera);
    // network is true for the product that is reached over TCP (a Raspberry Pi on board),
    // the others of the family take the same panel over the serial link.
    const char* accessPointAddress = nullptr;
    bool network = false;
    // The device the simulator plays for this product.
    const char* simDevice = nullptr;
};

// The products, in index order: as many as the table has rows.
int ProductCount();
const ProductInfo& Product(int index);
bool IsValidProduct(int index);

// Menu groups in menu order ("Development Board", ..., "Pendrix Robot Car").
const char* const* MenuGroups(int* count);

// A product's label or menu group in the language in use (the table keeps the originals).
QString ProductText(const char* text);
QString ProductLabel(int index);

// "Korvane PC V4.0 — <label>", or the fixed part alone for an index outside the table.
QString WindowTitle(int index);

// Panel message(s) a serial frame produces for the given product, in delivery order.
// At most two (balance cars: PID values then telemetry).
struct Routes {
    int count = 0;
    RouteMessage message[2] = {};
};
Routes RoutesFor(int productIndex, const QByteArray& frame);

// The dialog id of the panel that receives a routed message; 0 for none.
int PanelForMessage(int message);

} // namespace Korvane

#pragma once

#include "core/link/frames.h"
#include "core/panels/panel_model.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <any>
#include <functional>
#include <memory>

namespace Korvane {

// One frame a window's station received and read, once: what it carried, named with its
// units (distance_cm, battery_v, tracking...; numbers as numbers, flags as booleans), where
// it came from and when, on the station's one clock.
struct FrameRecord {
    int product = -1;
    int route = 0; // the route message it reached its family by
    QByteArray bytes;
    QString link;
    qint64 arrivalNs = 0; // ArrivalClockNs of the read that completed it
    qint64 wallMs = 0;    // the wall-clock time of that moment
    QJsonObject fields;   // empty when the frame carried no reading
    QString notice;       // what the frame asks the user to be told (a board's zero divisor)
    std::any detail;      // the family's own typed record (the balance car's telemetry row...)
};

// Everything core knows about one panel family: its model, how a routed frame is read into
// the model and a record, and its command table (the keys a user or a remote caller may
// press, the frames a remote caller may send, the frame that stops a car). One descriptor
// per family, registered from its own folder.
struct FamilyDescriptor {
    int panelId = 0;
    const char* name = nullptr;
    // The family's model for a product (made once per window, when the product is chosen).
    std::function<std::unique_ptr<CPanelModel>(int product)> makeModel;
    // Reads one routed frame into the model and the record (fields, notice, detail).
    std::function<void(CPanelModel& model, FrameRecord& record)> read;
    // The driving keys of a product of the family (none for most).
    std::function<DrivingKeyTable(int product)> keys = [](int) { return DrivingKeyTable{}; };
    // Whether a frame is one the family's panel sends by itself (a button's, a key's): the
    // frames a remote caller may send.
    std::function<bool(int product, const QByteArray& frame)> sendsFrame =
        [](int, const QByteArray&) { return false; };
    // A car's frame that stops it; empty for the boards.
    std::function<QByteArray(int product)> stopFrame = [](int) { return QByteArray(); };
};

// Called by each family's registration function (see RegisterFamilies).
void RegisterFamily(FamilyDescriptor family);
// Registers every family once; the list is in core/station/families.cpp.
void RegisterFamilies();
const FamilyDescriptor* FindFamily(int panelId);
// The family of a product (null for an index outside the table).
const FamilyDescriptor* FamilyOfProduct(int product);

// A device's number text as a telemetry number ("57", "12.5", "57cm" and "29.3℃" read as
// numbers), or the text itself when it is none.
QJsonValue TelemetryNumber(const QString& text);
QJsonValue TelemetryNumber(const QByteArray& text);

// Reads one frame as a product's family would in a window of its own, with a fresh model:
// what such a frame carries (tests, tools).
FrameRecord ReadFrameFresh(int product, int route, const QByteArray& frame);

} // namespace Korvane

#pragma once

#include "core/link/link_manager.h"
#include "core/panels/family.h"
#include "core/wifi_cars/wifi_car_model.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

namespace Korvane {

class CWifiControlClient;

// One window's station, without widgets: its product, its links (the serial link, and the
// control connection of each Raspberry Pi car it has served), the model of each family it
// has served, and the one door every command goes out by. Every frame of its links, sent or
// received, is told once by frameTraced, on the one clock of the station, and nothing of
// another window's links ever is. Every routed frame is read once, by its family, into the
// family's model and a record (frameRead); the panel, the sharing and the recorders take the
// record and the model. A product switched away from keeps its control connection and its
// model. Lives on the UI thread.
class CStation : public QObject {
    Q_OBJECT
  public:
    explicit CStation(std::unique_ptr<CTransport> serial, QObject* parent = nullptr);
    ~CStation() override;

    CLinkManager& SerialLink() { return m_serial; }
    const CLinkManager& SerialLink() const { return m_serial; }

    // The window's product (-1 before the first selection): the serial link's routes, and the
    // link commands go by.
    void SetProduct(int index);
    int CurrentProduct() const { return m_product; }

    // The control connection for a Wi-Fi car, made on first use and kept while the station
    // lives (its panel binds to it).
    CWifiControlClient& ControlClient(WifiCar car);
    // The control connection of the current product while it is opening or open; null when
    // there is none.
    const CWifiControlClient* ActiveControl() const;

    // The link that counts for the current product, for status reports: kind ("serial",
    // "tcp"), name (port, or address:port) and state ("closed", "opening", "open", "failed").
    struct LinkStatus {
        QString kind, name, state;
    };
    LinkStatus CurrentLink() const;

    // The one door for commands: a frame with who asked for it. It goes over the current
    // product's control connection while that takes frames, else down the serial link.
    enum class SendResult { Sent, NotOpen, NotTaken };
    SendResult Send(const QByteArray& frame, CommandOrigin origin);

    // The model of a family (by its panel id), made on first use: a product's model exists
    // from the moment it is selected, shown or not.
    CPanelModel* Model(int panelId);
    template <class M> M& ModelOf(int panelId) { return static_cast<M&>(*Model(panelId)); }

    // A key pressed by the user or named by a remote caller: the current family's key table
    // and its repeat rule decide which frame, if any, goes out. NotTaken for a key the family
    // has no frame for, or that repeats the last one.
    SendResult PressKey(int qtKey, CommandOrigin origin);
    // The state of the last key that sent a frame for a family (0 before any), and back to 0.
    int LastKeyState(int panelId) const;
    void ResetKeys(int panelId) { m_keys.erase(panelId); }
    // The keys of the current product (none when it has no driving keys).
    DrivingKeyTable Keys() const;
    // Whether a remote caller may send this frame to the current product: one its panel sends
    // by itself (a button's, a key's).
    bool SendsFrame(const QByteArray& frame) const;
    // The current product's family (null before the first selection).
    const FamilyDescriptor* Family() const { return FamilyOfProduct(m_product); }

    // ArrivalClockNs when the station began: the zero of its frames' times.
    qint64 StartNs() const { return m_startNs; }

    static QString LinkStateWord(LinkState state);

  signals:
    // Every frame written or assembled on any of this station's links, in order.
    void frameTraced(const Korvane::TracedFrame& frame);
    void productChanged(int index);
    // A link's state changed (the serial link's, or a control connection's).
    void linkChanged();
    // A frame the door took, after it went to its link (for the window's own reactions).
    void commandSent(const QByteArray& frame, Korvane::CommandOrigin origin);
    // One routed frame, read into its family's model (whose fields are told at the batch's
    // end) and into this record.
    void frameRead(const Korvane::FrameRecord& record);
    // The frames read so far have all been told: each model has told the fields they set.
    void batchRead();

  private:
    void Listen(CLinkChannel& channel);
    CWifiControlClient* ControlFor(int product) const;
    void Read(int route, const QByteArray& frame, qint64 arrivalNs, const QString& link);
    void EndBatch();

    CLinkManager m_serial;
    int m_product = -1;
    std::map<WifiCar, std::unique_ptr<CWifiControlClient>> m_controls;
    std::map<int, std::unique_ptr<CPanelModel>> m_models; // by panel id
    std::map<int, CDrivingKeys> m_keys;                   // by panel id
    QList<CPanelModel*> m_inBatch;
    QTimer m_controlBatch; // ends the batch of a burst of frames from a control connection
    qint64 m_startNs;
};

} // namespace Korvane

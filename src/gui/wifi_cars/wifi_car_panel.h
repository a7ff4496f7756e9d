#pragma once

#include "core/link/frames.h"
#include "core/wifi_cars/wifi_car_model.h"
#include "core/wifi_cars/wifi_panel_model.h"
#include "gui/panels/panel_base.h"

#include <QHash>
#include <QTimer>

#include <array>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSlider;

namespace Korvane {

class CButtonEx;
class CLamp;
class CSnapshotVideo;
class CVideoArea;
class CWifiControlClient;

// The controls both Wi-Fi panels have, by their meaning.
struct WifiCarControls {
    QSlider* angleSlider = nullptr; // 1280: servo angle (4WD) or heading calibration (tricycle)
    std::array<QSlider*, 3> colourSliders{};  // 1277, 1278, 1279
    CButtonEx* swatch = nullptr;              // 1296
    QLabel* colourLabel = nullptr;            // 1297
    QProgressBar* batteryBar = nullptr;       // 1270
    QLabel* batteryText = nullptr;            // 1298
    std::array<CLamp*, 4> tracking{};         // 1281 to 1284
    QLineEdit* videoAddress = nullptr;        // 1306
    QAbstractButton* videoButton = nullptr;   // 1309
    CVideoArea* videoArea = nullptr;          // 1313
    QLineEdit* controlAddress = nullptr;      // 1307
    QLineEdit* controlPort = nullptr;         // 1308
    QAbstractButton* controlButton = nullptr; // 1310
    QLabel* statusLine = nullptr;             // 1311
    QList<QAbstractButton*> cameraButtons;    // pressed and held: the camera moves

    // The controls both forms name alike; the angle slider and the camera buttons differ.
    template <typename Form> static WifiCarControls FromForm(Form* ui) {
        WifiCarControls c;
        c.colourSliders = {ui->redSlider, ui->greenSlider, ui->blueSlider};
        c.swatch = ui->swatchButton;
        c.colourLabel = ui->colourLabel;
        c.batteryBar = ui->batteryBar;
        c.batteryText = ui->batteryText;
        c.tracking = {ui->trackingL1, ui->trackingL2, ui->trackingR1, ui->trackingR2};
        c.videoAddress = ui->videoAddressEdit;
        c.videoButton = ui->videoButton;
        c.videoArea = ui->videoArea;
        c.controlAddress = ui->controlAddressEdit;
        c.controlPort = ui->controlPortEdit;
        c.controlButton = ui->controlButton;
        c.statusLine = ui->statusLine;
        return c;
    }
};

// What the 4WD and the tricycle panel share: buttons with fixed frames, the driving keys, the
// camera buttons (every press paired with one stop), the searchlight, the battery and the
// tracking lamps, the control client with its send route, and parsing the cars' sensor texts
// from the serial link and from TCP alike into the panel's CWifiCarModel, whose fields the
// controls show once per batch of frames.
class CWifiCarPanel : public CPanelBase {
    Q_OBJECT
  public:
    CWifiCarPanel(WifiCar car, int dialogId, CPanelHost* host, QWidget* parent);
    ~CWifiCarPanel() override;

    void OnInitialUpdate() override;
    void StartDemo() override;

    CWifiControlClient& Client() { return *m_client; }
    CSnapshotVideo& Video() { return *m_video; }
    int LastKeyState() const { return Host()->Station().LastKeyState(DialogId()); }
    // The default address of the car's own access point.
    QString AccessPointAddress() const;

  protected:
    // Called by each panel once its form is set up.
    void BindCommon(const WifiCarControls& controls);
    // The common controls' own captions and names, and the connection's and video's state
    // captions, in the language in use.
    void RetranslateCommon();
    // Sends through the window's station, which takes the route (TCP for the Raspberry Pi
    // product when connected, else the window's serial link).
    bool Send(const QByteArray& frame, CommandOrigin origin = CommandOrigin::User);
    // A button with a fixed frame was clicked.
    virtual void OnButton(int controlId);
    CWifiCarModel& Model() { return m_model; }
    WifiCar Car() const { return m_car; }
    const WifiCarControls& Controls() const { return m_c; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnProductChanged(int index) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BindClient();
    void OnColourSliderReleased();
    void CameraPress(QAbstractButton* button);
    void CameraRelease();
    // Keeps the addresses typed in the fields for this product, for the next start.
    void RememberTyped();

    WifiCar m_car;
    WifiCarControls m_c;
    CWifiControlClient* m_client = nullptr; // the station's, for this car
    CSnapshotVideo* m_video = nullptr;
    QAbstractButton* m_cameraHeld = nullptr; // the camera button whose stop is still due
    CWifiCarModel& m_model;                  // the station's
};

} // namespace Korvane

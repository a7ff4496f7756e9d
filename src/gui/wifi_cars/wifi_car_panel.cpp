#include "gui/wifi_cars/wifi_car_panel.h"

#include "core/settings/station_settings.h"

#include "core/products/catalogue.h"
#include "core/station/station.h"
#include "core/wifi_cars/wifi_control_client.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/panels/key_pre_filter.h"
#include "gui/panels/slider_release.h"
#include "gui/widgets/button_ex.h"
#include "gui/widgets/lamp.h"
#include "gui/wifi_cars/snapshot_video.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QWindow>

namespace Korvane {

namespace {

// The fields the user types addresses into, and where each is remembered per product.
const std::pair<int, CStationSettings::CarField> kTypedFields[] = {
    {WifiField::ControlAddress, CStationSettings::CarField::ControlAddress},
    {WifiField::ControlPort, CStationSettings::CarField::ControlPort},
    {WifiField::VideoAddress, CStationSettings::CarField::VideoAddress}};

void SetSliderQuietly(QSlider* slider, int value) {
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
}

} // namespace

CWifiCarPanel::CWifiCarPanel(WifiCar car, int dialogId, CPanelHost* host, QWidget* parent)
    : CPanelBase(dialogId, host, parent), m_car(car), m_model(StationModel<CWifiCarModel>()) {
    SetModel(&m_model);
    setFocusPolicy(Qt::StrongFocus);
    m_client = &host->Station().ControlClient(car);
    // A camera button whose release never comes (the window lost the focus, a popup took
    // the mouse) still gets its stop.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (m_cameraHeld && (!focus || focus != window()->windowHandle()))
            CameraRelease();
    });
}

CWifiCarPanel::~CWifiCarPanel() = default;

void CWifiCarPanel::BindCommon(const WifiCarControls& controls) {
    using namespace WifiField;
    m_c = controls;
    // The values are the model's; how they read is the panel's.
    for (int f : {BatteryVolts, BatteryPercent})
        OnField(f, [this] {
            const QVariant volts = m_model.Value(BatteryVolts);
            Put(m_c.batteryText,
                volts.isValid() ? BatteryLabel(volts.toDouble(), m_model.Number(BatteryPercent))
                                : QString());
        });
    OnField(BatteryBar, [this] { m_c.batteryBar->setValue(m_model.Number(BatteryBar)); });
    for (int i = 0; i < 4; ++i)
        BindLamp(m_c.tracking[i], Tracking0 + i);
    for (int f : {Red, Green, Blue})
        OnField(f, [this] {
            const int rgb[3] = {m_model.Number(Red), m_model.Number(Green), m_model.Number(Blue)};
            for (int i = 0; i < 3; ++i)
                SetSliderQuietly(m_c.colourSliders[i], rgb[i]);
            m_c.swatch->SetFaceColor(QColor(rgb[0], rgb[1], rgb[2]));
            Put(m_c.colourLabel, ColourLabel(rgb[0], rgb[1], rgb[2]));
        });
    // The angle is the user's, moved by some buttons as well.
    connect(m_c.angleSlider, &QSlider::valueChanged, this,
            [this](int value) { m_model.Set(Angle, value); });
    OnField(Angle, [this] { SetSliderQuietly(m_c.angleSlider, m_model.Number(Angle)); });
    BindInput(m_c.controlAddress, ControlAddress);
    BindInput(m_c.controlPort, ControlPort);
    BindInput(m_c.videoAddress, VideoAddress);
    BindClient();

    // Every button with a fixed frame of this car.
    const auto buttons = findChildren<QAbstractButton*>();
    for (QAbstractButton* b : buttons) {
        const int id = b->property("ctrlId").toInt();
        const bool position = Traits(m_car).servoPositions && id >= WifiControl::ServoLeft &&
                              id <= WifiControl::ServoRight;
        if (!WifiButtonFrame(m_car, id).isEmpty() || position)
            connect(b, &QAbstractButton::clicked, this, [this, id] { OnButton(id); });
    }
    for (QAbstractButton* camera : m_c.cameraButtons)
        camera->installEventFilter(this);

    new CSliderRelease(m_c.angleSlider,
                       [this] { Send(PtzFrame(m_car, m_model.Number(WifiField::Angle))); });
    // The searchlight's colour follows its sliders (the swatch and label with it); the car is
    // told when a slider is let go.
    for (int i = 0; i < 3; ++i) {
        connect(m_c.colourSliders[i], &QSlider::valueChanged, this, [this, i](int value) {
            int rgb[3] = {m_model.Number(Red), m_model.Number(Green), m_model.Number(Blue)};
            rgb[i] = value;
            m_model.SetColour(rgb[0], rgb[1], rgb[2]);
        });
        new CSliderRelease(m_c.colourSliders[i], [this] { OnColourSliderReleased(); });
    }

    static const VideoTexts kFourWdVideo = {
        QT_TRANSLATE_NOOP("Korvane::CSnapshotVideo", "Download Fail!"),
        QT_TRANSLATE_NOOP("Korvane::CSnapshotVideo", "Connect video"),
        QT_TRANSLATE_NOOP("Korvane::CSnapshotVideo", "Disconnect video")};
    static const VideoTexts kPendrixVideo = {
        QT_TRANSLATE_NOOP("Korvane::CSnapshotVideo", "下载失败"),
        QT_TRANSLATE_NOOP("Korvane::CSnapshotVideo", "连接视频"),
        QT_TRANSLATE_NOOP("Korvane::CSnapshotVideo", "断开视频")};
    m_video = new CSnapshotVideo(
        m_car == WifiCar::FourWd ? kFourWdVideo : kPendrixVideo, this,
        [this] { return m_model.Text(WifiField::VideoAddress); }, m_c.videoButton, m_c.videoArea);
    connect(m_c.videoButton, &QAbstractButton::clicked, this, &CWifiCarPanel::RememberTyped);
    connect(m_c.videoButton, &QAbstractButton::clicked, m_video, &CSnapshotVideo::Toggle);
    RetranslateCommon();

    new CKeyPreFilter(this, [this](QKeyEvent* e) { PressKey(e->key()); });
}

void CWifiCarPanel::RetranslateCommon() {
    m_c.swatch->setAccessibleName(tr("Searchlight colour"));
    m_c.colourLabel->setAccessibleDescription(tr("Searchlight colour"));
    m_c.statusLine->setAccessibleDescription(tr("Control connection"));
    m_c.batteryText->setAccessibleDescription(tr("Battery"));
    static const char* const kLamp[4] = {"L1", "L2", "R1", "R2"};
    for (int i = 0; i < 4; ++i)
        m_c.tracking[i]->setAccessibleName(tr("Tracking sensor %1").arg(QLatin1String(kLamp[i])));
    // What the connection and the video show now, in the language in use (a form's caption
    // came back with its design-time text).
    m_client->Retranslate();
    m_c.statusLine->setText(m_client->Status());
    m_c.controlButton->setText(m_client->ToggleCaption());
    m_video->Retranslate();
}

void CWifiCarPanel::BindClient() {
    // The client says what its controls show; the panel only passes the user's clicks and
    // what is typed in the address fields when the button is clicked.
    m_c.statusLine->setTextFormat(Qt::PlainText);
    connect(m_c.controlButton, &QAbstractButton::clicked, this, [this] {
        RememberTyped();
        m_client->Toggle(m_model.Text(WifiField::ControlAddress),
                         m_model.Text(WifiField::ControlPort));
    });
    connect(m_client, &CWifiControlClient::statusChanged, m_c.statusLine, &QLabel::setText);
    connect(m_client, &CWifiControlClient::toggleCaptionChanged, m_c.controlButton,
            &QAbstractButton::setText);
    connect(m_client, &CWifiControlClient::toggleEnabledChanged, m_c.controlButton,
            &QWidget::setEnabled);
    for (QLineEdit* field : {m_c.controlAddress, m_c.controlPort})
        connect(m_client, &CWifiControlClient::fieldsEditableChanged, field, &QWidget::setEnabled);
    connect(m_client, &CWifiControlClient::notice, this,
            [this](const QString& text, CWifiControlClient::Notice kind) {
                ShowMessage(text, this,
                            kind == CWifiControlClient::Notice::Warning ? MessageIcon::Warning
                                                                        : MessageIcon::None);
            });
}

void CWifiCarPanel::OnInitialUpdate() {
    // The address fields start with the car's defaults and afterwards belong to the user:
    // nothing the panel writes ever replaces what was typed there.
    const QString address = AccessPointAddress();
    for (auto [field, text] :
         {std::pair{WifiField::VideoAddress,
                    QStringLiteral("http://%1:8080/?action=snapshot").arg(address)},
          std::pair{WifiField::ControlAddress, address},
          std::pair{WifiField::ControlPort, QStringLiteral("8888")}})
        if (m_model.Text(field).isEmpty())
            m_model.Set(field, text);
    m_c.angleSlider->setRange(0, 180);
    m_c.angleSlider->setTickPosition(QSlider::TicksAbove);
    m_c.angleSlider->setTickInterval(45);
    for (QSlider* s : m_c.colourSliders)
        s->setRange(0, 255);
    m_c.batteryBar->setRange(0, 100);
    m_c.swatch->SetFaceColor(QColor(m_model.Number(WifiField::Red),
                                    m_model.Number(WifiField::Green),
                                    m_model.Number(WifiField::Blue)));
    Host()->Station().ResetKeys(DialogId());
}

bool CWifiCarPanel::Send(const QByteArray& frame, CommandOrigin origin) {
    return Host()->SendCommand(frame, origin);
}

void CWifiCarPanel::OnButton(int controlId) {
    static const struct {
        int control, r, g, b;
    } kColours[] = {{WifiControl::White, 255, 255, 255},
                    {WifiControl::Red, 255, 0, 0},
                    {WifiControl::Green, 0, 255, 0},
                    {WifiControl::Blue, 0, 0, 255}};
    for (const auto& c : kColours)
        if (c.control == controlId)
            m_model.SetColour(c.r, c.g, c.b);
    Send(WifiButtonFrame(m_car, controlId));
}

void CWifiCarPanel::OnColourSliderReleased() {
    // The colour the user let go at.
    using namespace WifiField;
    Send(ColourFrame(m_car, m_model.Number(Red), m_model.Number(Green), m_model.Number(Blue)));
}

bool CWifiCarPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !m_c.cameraButtons.contains(button))
        return CPanelBase::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // the second press of a double click is a press too
        // (unless the platform has already sent it as a press just before)
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && button->isEnabled() &&
            m_cameraHeld != button)
            CameraPress(button);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            CameraRelease();
        break;
    case QEvent::Hide:
    case QEvent::UngrabMouse:
        CameraRelease();
        break;
    default:
        break;
    }
    return false;
}

void CWifiCarPanel::hideEvent(QHideEvent* event) {
    CameraRelease();
    CPanelBase::hideEvent(event);
}

void CWifiCarPanel::CameraPress(QAbstractButton* button) {
    CameraRelease(); // every press has exactly one stop
    // A press that did not go out (the link is closed: the user has been told) has no stop
    // due, so the release sends nothing and says nothing a second time.
    if (Send(CameraPressFrame(m_car, button->property("ctrlId").toInt())))
        m_cameraHeld = button;
    m_model.Set(WifiField::Angle, 0);
}

void CWifiCarPanel::CameraRelease() {
    if (!m_cameraHeld)
        return;
    m_cameraHeld = nullptr;
    Send(CameraStopFrame(m_car));
}

void CWifiCarPanel::OnProductChanged(int index) {
    // What the user typed for this product last time comes back.
    const CStationSettings& settings = Host()->Settings();
    for (const auto& [field, remembered] : kTypedFields)
        if (const QString text = settings.CarText(index, remembered); !text.isEmpty())
            m_model.Set(field, text);
}

void CWifiCarPanel::RememberTyped() {
    if (!IsValidProduct(CurrentProduct()))
        return;
    CStationSettings& settings = Host()->Settings();
    for (const auto& [field, remembered] : kTypedFields)
        settings.SetCarText(CurrentProduct(), remembered, m_model.Text(field));
}

QString CWifiCarPanel::AccessPointAddress() const {
    // The panel's products share their access point; before the first selection, the
    // family's first product tells it.
    for (int i = IsValidProduct(CurrentProduct()) ? CurrentProduct() : 0; i < ProductCount(); ++i)
        if (Product(i).panelId == DialogId() && Product(i).accessPointAddress)
            return QString::fromLatin1(Product(i).accessPointAddress);
    return {};
}

void CWifiCarPanel::StartDemo() {
    // As a user would: for the Raspberry Pi product connect the control service first (the
    // address and port are in the fields), then drive, light the searchlight red and stop.
    const bool network = IsValidProduct(CurrentProduct()) && Product(CurrentProduct()).network;
    if (network) {
        m_c.controlButton->click();
        m_c.videoButton->click(); // and watch the camera
    }
    auto press = [this](int key) { PressKey(key); };
    const int start = network ? 800 : 0;
    QTimer::singleShot(start, this, [press] { press(Qt::Key_W); });
    QTimer::singleShot(start + 500, this, [press] { press(Qt::Key_A); });
    QTimer::singleShot(start + 900, this, [this] {
        for (QAbstractButton* b : findChildren<QAbstractButton*>())
            if (b->property("ctrlId").toInt() == WifiControl::Red)
                b->click();
    });
    QTimer::singleShot(start + 1400, this, [press] { press(Qt::Key_Space); });
}

} // namespace Korvane

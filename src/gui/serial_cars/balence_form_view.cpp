#include "gui/serial_cars/balence_form_view.h"

#include "core/products/catalogue.h"
#include "core/serial_cars/serial_car_frames.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/panels/key_pre_filter.h"
#include "gui/panels/slider_release.h"
#include "gui/serial_cars/balance_waveform_pane.h"
#include "gui/serial_cars/chart_wave.h"
#include "ui_balence_form_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Korvane {

CBalenceFormView::CBalenceFormView(CPanelHost* host, QWidget* parent)
    : CPanelBase(PanelBalance, host, parent), m_ui(new Ui::CBalenceFormView),
      m_model(StationModel<CBalanceCarModel>()) {
    m_ui->setupUi(this);
    setFocusPolicy(Qt::StrongFocus);
    SetModel(&m_model);

    m_waveform = new CBalanceWaveformPane(m_model, Host(), m_ui->chartHost);
    auto* chartLayout = new QVBoxLayout(m_ui->chartHost);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(m_waveform);

    QAbstractButton* const drive[kBalanceDriveCount] = {
        m_ui->forwardButton, m_ui->backButton,     m_ui->leftButton,     m_ui->rightButton,
        m_ui->stopButton,    m_ui->spinLeftButton, m_ui->spinRightButton};
    for (int d = 0; d < kBalanceDriveCount; ++d) {
        const QByteArray frame(kBalanceDriveFrames[d]);
        connect(drive[d], &QAbstractButton::clicked, this, [this, frame] { SendFrame(frame); });
    }

    m_sliders[AngleP] = m_ui->anglePSlider;
    m_sliders[AngleD] = m_ui->angleDSlider;
    m_sliders[SpeedP] = m_ui->speedPSlider;
    m_sliders[SpeedI] = m_ui->speedISlider;
    m_gainLabels[AngleP] = m_ui->anglePLabel;
    m_gainLabels[AngleD] = m_ui->angleDLabel;
    m_gainLabels[SpeedP] = m_ui->speedPLabel;
    m_gainLabels[SpeedI] = m_ui->speedILabel;
    for (int g = 0; g < GainCount; ++g)
        m_gainLabels[g]->setTextFormat(Qt::PlainText);
    QAbstractButton* const plus[GainCount] = {m_ui->anglePPlus, m_ui->angleDPlus, m_ui->speedPPlus,
                                              m_ui->speedIPlus};
    QAbstractButton* const minus[GainCount] = {m_ui->anglePMinus, m_ui->angleDMinus,
                                               m_ui->speedPMinus, m_ui->speedIMinus};
    std::copy(std::begin(plus), std::end(plus), m_plus);
    std::copy(std::begin(minus), std::end(minus), m_minus);
    static const char* const kPrefix[GainCount] = {"P:", "D:", "P:", "I:"};
    for (int g = 0; g < GainCount; ++g) {
        // The slider is the gain's control; the label shows it in two decimals.
        const int field = BalanceField::AngleP + g;
        connect(m_sliders[g], &QSlider::valueChanged, this,
                [this, field](int value) { m_model.Set(field, value); });
        OnField(field, [this, g, field] {
            const int position = m_model.Number(field);
            if (m_sliders[g]->value() != position) {
                const QSignalBlocker quiet(m_sliders[g]);
                m_sliders[g]->setValue(position);
            }
            Put(m_gainLabels[g], QString::fromLatin1(kPrefix[g]) + GainText(position));
        });
        new CSliderRelease(m_sliders[g], [this, g] { OnSliderReleased(g); });
        connect(plus[g], &QAbstractButton::clicked, this, [this, g] { StepGain(g, +1); });
        connect(minus[g], &QAbstractButton::clicked, this, [this, g] { StepGain(g, -1); });
    }

    connect(m_ui->queryButton, &QAbstractButton::clicked, this, &CBalenceFormView::QueryPid);
    connect(m_ui->defaultButton, &QAbstractButton::clicked, this,
            &CBalenceFormView::DefaultRecovery);
    connect(m_ui->updateAngleButton, &QAbstractButton::clicked, this,
            &CBalenceFormView::UpdateAngle);
    connect(m_ui->updateSpeedButton, &QAbstractButton::clicked, this,
            &CBalenceFormView::UpdateSpeed);
    using namespace BalanceField;
    BindCheck(m_ui->dragUpdatesCheck, DragUpdates, [this] { OnDragUpdates(); });
    BindCheck(m_ui->displayOpenCheck, DisplayOpen, [this] { OnDisplayOpen(); });
    // What to plot: the chart shows the choice with the next telemetry frame.
    BindCheck(m_ui->plotAccelerationCheck, PlotAcceleration);
    BindCheck(m_ui->plotGyroscopeCheck, PlotGyroscope);
    BindCheck(m_ui->plotVoltageCheck, PlotVoltage);
    // The telemetry fields only show what the car sent.
    BindOutput(m_ui->leftSpeedLabel, LeftSpeed);
    BindOutput(m_ui->rightSpeedLabel, RightSpeed);
    BindOutput(m_ui->distanceEdit, Distance);
    BindOutput(m_ui->voltageEdit, Voltage);
    BindOutput(m_ui->gyroscopeEdit, Gyroscope);
    BindOutput(m_ui->accelerationEdit, Acceleration);

    // A PID query of the user's that the car never answered.
    connect(&m_model, &CBalanceCarModel::pidReplyMissing, this, [this] {
        ShowMessage(tr("Receive PID timeout, please check the communication "
                       "connection, or retry to get!"),
                    this);
    });

    new CKeyPreFilter(this, [this](QKeyEvent* e) { PressKey(e->key()); });
    ShowOwnTexts();
}

CBalenceFormView::~CBalenceFormView() = default;

CTchart_wave* CBalenceFormView::Chart() const {
    return m_waveform->Chart();
}

void CBalenceFormView::RetranslateUi() {
    m_ui->retranslateUi(this);
    ShowOwnTexts();
}

void CBalenceFormView::ShowOwnTexts() {
    // The gain labels show "P:12.34"; which loop a gain belongs to is told by the description.
    const QString meaning[GainCount] = {
        tr("Angle loop, proportional gain"), tr("Angle loop, derivative gain"),
        tr("Speed loop, proportional gain"), tr("Speed loop, integral gain")};
    for (int g = 0; g < GainCount; ++g) {
        m_gainLabels[g]->setAccessibleDescription(meaning[g]);
        // Four "+" and four "-" buttons: each says which gain it moves.
        m_plus[g]->setAccessibleDescription(tr("%1: up by 0.01").arg(meaning[g]));
        m_minus[g]->setAccessibleDescription(tr("%1: down by 0.01").arg(meaning[g]));
    }
    m_waveform->ShowOwnTexts();
}

void CBalenceFormView::OnInitialUpdate() {
    for (QSlider* s : m_sliders)
        s->setRange(0, kGainPositionMax);
    ShowLogo(m_ui->logoPicture);
}

void CBalenceFormView::StartDemo() {
    // Ask for the gains, plot the tilt and the acceleration, switch the display on, then
    // drive off and stop again so that the car has something to balance.
    m_ui->queryButton->click();
    for (QAbstractButton* box :
         {m_ui->plotAccelerationCheck, m_ui->plotGyroscopeCheck, m_ui->displayOpenCheck})
        box->click();
    QTimer::singleShot(800, m_ui->forwardButton, &QAbstractButton::click);
    QTimer::singleShot(2000, m_ui->backButton, &QAbstractButton::click);
    QTimer::singleShot(2800, m_ui->stopButton, &QAbstractButton::click);
}

void CBalenceFormView::BindCheck(QAbstractButton* box, int field, std::function<void()> then) {
    // Every user change of a check box counts, by mouse, keyboard or assistive technology
    // (whose "toggle" action emits toggled, not clicked); the model's changes are shown with
    // signals blocked, so they send nothing.
    connect(box, &QAbstractButton::toggled, this, [this, field, then](bool on) {
        m_model.Set(field, on);
        if (then)
            then();
    });
    OnField(field, [this, box, field] {
        const QSignalBlocker quiet(box);
        box->setChecked(m_model.Flag(field));
    });
}

void CBalenceFormView::StepGain(int gain, int delta) {
    const int field = BalanceField::AngleP + gain;
    const int position = m_model.Number(field);
    if (delta > 0 && position >= kGainPositionMax) {
        ShowMessage(tr("It's up to the Max!"), this);
        return;
    }
    if (delta < 0 && position <= 0) {
        ShowMessage(tr("It's minimized!"), this);
        return;
    }
    m_model.Set(field, position + delta);
}

void CBalenceFormView::OnSliderReleased(int gain) {
    if (!m_model.Flag(BalanceField::DragUpdates))
        return;
    if (gain == AngleP || gain == AngleD)
        UpdateAngle();
    else
        UpdateSpeed();
}

void CBalenceFormView::UpdateAngle() {
    using namespace BalanceField;
    SendFrame(AngleUpdateFrame(GainText(m_model.Number(AngleP)), GainText(m_model.Number(AngleD))));
}

void CBalenceFormView::UpdateSpeed() {
    using namespace BalanceField;
    SendFrame(SpeedUpdateFrame(GainText(m_model.Number(SpeedP)), GainText(m_model.Number(SpeedI))));
}

void CBalenceFormView::OnLinkLost() {
    m_waveform->StopRecording(); // unplugged: the file is closed, complete
}

void CBalenceFormView::QueryPid() {
    SendFrame(BalanceFrames::kQueryPid);
    m_model.ExpectPidReply();
}

void CBalenceFormView::DefaultRecovery() {
    SendFrame(BalanceFrames::kDefaultPid);
    // The car needs a moment to restore its gains before it is asked for them; the window
    // stays responsive meanwhile.
    QTimer::singleShot(kRecoveryGapMs, this, [this] {
        SendFrame(BalanceFrames::kQueryPid);
        m_model.ExpectPidReply();
    });
}

void CBalenceFormView::OnDisplayOpen() {
    if (m_model.Flag(BalanceField::DisplayOpen)) {
        m_model.Telemetry().Clear();
        SendFrame(BalanceFrames::kWaveOn);
    } else {
        SendFrame(BalanceFrames::kWaveOff);
    }
}

void CBalenceFormView::OnDragUpdates() {
    ShowMessage(m_model.Flag(BalanceField::DragUpdates)
                    ? tr("Current mode updates PID for drag slider!")
                    : tr("The current mode is manual button update PID!"),
                this);
}

void CBalenceFormView::OnFrameRead(const FrameRecord& record) {
    if (record.route == MsgBalanceTelemetry)
        m_waveform->TelemetryArrived();
}

void CBalenceFormView::OnRoutedBatchDone() {
    m_waveform->BatchDone();
}

} // namespace Korvane

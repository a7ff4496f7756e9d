#include "gui/serial_cars/balence_form_view.h"

#include "core/settings/station_settings.h"

#include <QFileInfo>

#include "core/products/catalogue.h"
#include "core/serial_cars/serial_car_frames.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/panels/key_pre_filter.h"
#include "gui/panels/slider_release.h"
#include "gui/serial_cars/chart_wave.h"
#include "ui_balence_form_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace Korvane {

namespace {} // namespace

CBalenceFormView::CBalenceFormView(CPanelHost* host, QWidget* parent)
    : CPanelBase(PanelBalance, host, parent), m_ui(new Ui::CBalenceFormView),
      m_model(StationModel<CBalanceCarModel>()) {
    m_ui->setupUi(this);
    setFocusPolicy(Qt::StrongFocus);
    SetModel(&m_model);

    m_chart = new CTchart_wave(m_ui->chartHost);
    m_chart->setObjectName(QStringLiteral("waveChart"));
    SetControlId(m_chart, 1045);
    auto* chartLayout = new QVBoxLayout(m_ui->chartHost);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    BuildWaveformTools();
    chartLayout->addWidget(m_chart);
    connect(m_recordButton, &QToolButton::toggled, this, &CBalenceFormView::OnRecord);
    connect(&m_model.Recorder(), &CTelemetryRecorder::rowsWritten, this,
            &CBalenceFormView::UpdateRecordingStatus);
    connect(&m_model.Recorder(), &CTelemetryRecorder::failed, this, [this](const QString& reason) {
        StopRecording();
        ShowMessage(tr("The recording stopped: %1").arg(reason), this, MessageIcon::Warning);
    });

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

    m_replyTimer.setInterval(kReplyTickMs);
    connect(&m_replyTimer, &QTimer::timeout, this, &CBalenceFormView::OnReplyTick);
    m_chartTimer.setSingleShot(true);
    connect(&m_chartTimer, &QTimer::timeout, this, &CBalenceFormView::RefreshChart);

    new CKeyPreFilter(this, [this](QKeyEvent* e) { PressKey(e->key()); });
    ShowOwnTexts();
}

CBalenceFormView::~CBalenceFormView() = default;

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
    const struct {
        QAbstractButton* button;
        QString text;
        QString description;
    } tools[] = {
        {m_pauseButton, tr("Pause"), tr("Hold the picture; frames are still read and recorded")},
        {m_fitButton, tr("Fit"), tr("Show the whole history again after zooming with the wheel")},
        {m_savePictureButton, tr("Save picture..."), tr("Save the waveform as a PNG picture")},
        {m_recordButton, tr("Record..."), tr("Record every telemetry frame to a CSV file")},
    };
    for (const auto& t : tools) {
        t.button->setText(t.text);
        t.button->setAccessibleDescription(t.description);
    }
    m_historyCaption->setText(tr("History:"));
    for (int i = 0; i < m_historyBox->count(); ++i)
        m_historyBox->setItemText(i, tr("%1 samples").arg(m_historyBox->itemData(i).toInt()));
    m_readout->setAccessibleDescription(tr("Values under the pointer"));
    UpdateRecordingStatus();
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

void CBalenceFormView::BuildWaveformTools() {
    // Tools the waveform adds to the car's own controls; off until the user turns them on.
    auto* tools = new QHBoxLayout;
    auto tool = [this, tools](const QString& name) {
        auto* b = new QToolButton(m_ui->chartHost);
        b->setObjectName(name);
        tools->addWidget(b);
        return b;
    };
    m_pauseButton = tool(QStringLiteral("pauseButton"));
    m_pauseButton->setCheckable(true);
    m_fitButton = tool(QStringLiteral("fitButton"));
    m_historyCaption = new QLabel(m_ui->chartHost);
    m_historyBox = new QComboBox(m_ui->chartHost);
    m_historyBox->setObjectName(QStringLiteral("historyBox"));
    for (int n : {500, 1000, 5000, 10000, 50000, CBalanceTelemetry::kMaxSamples})
        m_historyBox->addItem(QString(), n);
    m_historyCaption->setBuddy(m_historyBox);
    tools->addWidget(m_historyCaption);
    tools->addWidget(m_historyBox);
    m_savePictureButton = tool(QStringLiteral("savePictureButton"));
    m_recordButton = tool(QStringLiteral("recordButton"));
    m_recordButton->setCheckable(true);
    m_readout = new QLabel(m_ui->chartHost);
    m_readout->setTextFormat(Qt::PlainText);
    tools->addWidget(m_readout, 1);
    qobject_cast<QVBoxLayout*>(m_ui->chartHost->layout())->addLayout(tools);

    connect(m_pauseButton, &QToolButton::toggled, this, &CBalenceFormView::OnPause);
    connect(m_fitButton, &QToolButton::clicked, m_chart, &CTchart_wave::Fit);
    connect(m_historyBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        OnHistoryLength(m_historyBox->itemData(index).toInt());
        Host()->Settings().SetHistoryLength(m_historyBox->itemData(index).toInt());
    });
    // The length chosen last time, when it is one of the choices.
    if (const int remembered = m_historyBox->findData(Host()->Settings().HistoryLength());
        remembered >= 0)
        m_historyBox->setCurrentIndex(remembered);
    connect(m_savePictureButton, &QToolButton::clicked, this, &CBalenceFormView::SavePicture);
    connect(m_chart, &CTchart_wave::viewChanged, this, &CBalenceFormView::ScheduleChartRefresh);
    connect(m_chart, &CTchart_wave::pointerAt, this, &CBalenceFormView::ShowReadout);
}

void CBalenceFormView::OnPause(bool paused) {
    m_paused = paused;
    if (paused)
        m_frozen = m_model.Telemetry(); // the picture stands; the telemetry goes on underneath
    else
        ScheduleChartRefresh();
}

void CBalenceFormView::OnHistoryLength(int length) {
    m_model.Telemetry().SetHistoryLength(size_t(length));
    m_frozen.SetHistoryLength(size_t(length));
    m_chart->SetDataLength(int(m_model.Telemetry().HistoryLength()));
}

void CBalenceFormView::ShowReadout(int sample) {
    const CBalanceTelemetry& shown = m_paused ? m_frozen : m_model.Telemetry();
    if (sample < 0 || size_t(sample) >= shown.HistoryLength()) {
        m_readout->clear();
        return;
    }
    const size_t i = size_t(sample);
    // A gap (the frame did not carry the value) reads as a dash.
    const auto value = [](double v) {
        return std::isnan(v) ? QStringLiteral("\u2014") : QString::number(v, 'g', 6);
    };
    m_readout->setText(tr("#%1  gyroscope %2  acceleration %3  voltage %4")
                           .arg(sample)
                           .arg(value(shown.gyroscopeHistory[i]),
                                value(shown.accelerationHistory[i]),
                                value(shown.voltageHistory[i])));
}

void CBalenceFormView::SavePicture() {
    AskSaveFile(this, tr("Save picture"), tr("PNG pictures (*.png);;All files (*)"),
                Host()->Settings().RecordingFolder(), [this](const QString& path) {
                    if (path.isEmpty())
                        return;
                    FlushChart();
                    if (!m_chart->grab().save(path, "PNG"))
                        ShowMessage(tr("The picture could not be saved to %1").arg(path), this,
                                    MessageIcon::Warning);
                    else
                        Host()->Settings().SetRecordingFolder(QFileInfo(path).absolutePath());
                });
}

void CBalenceFormView::OnRecord(bool on) {
    if (!on) {
        StopRecording();
        return;
    }
    // The button stays down while the user picks the file; a cancel lets it up again.
    AskSaveFile(this, tr("Record telemetry"), tr("CSV files (*.csv);;All files (*)"),
                Host()->Settings().RecordingFolder(),
                [this](const QString& path) { StartRecording(path); });
}

void CBalenceFormView::StartRecording(const QString& path) {
    if (!m_recordButton->isChecked() || m_model.Recorder().IsRecording())
        return; // let up meanwhile
    QString error;
    if (path.isEmpty() || !m_model.StartRecording(path, &error)) {
        const QSignalBlocker quiet(m_recordButton);
        m_recordButton->setChecked(false);
        if (!path.isEmpty())
            ShowMessage(tr("The recording could not be written to %1: %2").arg(path, error), this,
                        MessageIcon::Warning);
        return;
    }
    Host()->Settings().SetRecordingFolder(QFileInfo(path).absolutePath());
    UpdateRecordingStatus();
}

void CBalenceFormView::StopRecording() {
    m_model.Recorder().Stop();
    const QSignalBlocker quiet(m_recordButton);
    m_recordButton->setChecked(false);
    Host()->ShowStatusText(QString());
}

void CBalenceFormView::UpdateRecordingStatus() {
    if (m_model.Recorder().IsRecording())
        Host()->ShowStatusText(tr("Recording %1: %2 rows")
                                   .arg(m_model.Recorder().Path())
                                   .arg(m_model.Recorder().Rows()));
}

void CBalenceFormView::OnLinkLost() {
    StopRecording(); // unplugged: the file is closed, complete
}

void CBalenceFormView::QueryPid() {
    m_replyWatch.Start();
    SendFrame(BalanceFrames::kQueryPid);
    m_replyTimer.start();
}

void CBalenceFormView::DefaultRecovery() {
    m_replyWatch.Start();
    SendFrame(BalanceFrames::kDefaultPid);
    // The car needs a moment to restore its gains before it is asked for them; the window
    // stays responsive meanwhile.
    QTimer::singleShot(kRecoveryGapMs, this, [this] {
        SendFrame(BalanceFrames::kQueryPid);
        m_replyTimer.start();
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

void CBalenceFormView::OnReplyTick() {
    switch (m_replyWatch.OnTick()) {
    case CReplyWatch::Tick::KeepRunning:
        break;
    case CReplyWatch::Tick::Stop:
        m_replyTimer.stop();
        break;
    case CReplyWatch::Tick::Timeout:
        m_replyTimer.stop();
        ShowMessage(tr("Receive PID timeout, please check the communication "
                       "connection, or retry to get!"),
                    this);
        break;
    }
}

void CBalenceFormView::OnFrameRead(const FrameRecord& record) {
    if (record.route == MsgBalancePid) {
        m_replyTimer.stop();
        m_replyWatch.OnReply();
    } else if (record.route == MsgBalanceTelemetry) {
        m_telemetryPending = true;
    }
}

void CBalenceFormView::OnRoutedBatchDone() {
    // A batch of frames has been read in order: the controls have shown the newest values.
    if (std::exchange(m_telemetryPending, false) && !m_paused)
        ScheduleChartRefresh();
}

void CBalenceFormView::ScheduleChartRefresh() {
    if (m_chartTimer.isActive())
        return; // a redraw is already due; it will show the newest histories
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : kChartIntervalMs;
    m_chartTimer.start(int(std::max<qint64>(0, kChartIntervalMs - since)));
}

void CBalenceFormView::FlushChart() {
    if (!m_chartTimer.isActive())
        return;
    m_chartTimer.stop();
    RefreshChart();
}

void CBalenceFormView::RefreshChart() {
    m_sinceRefresh.start();
    QElapsedTimer took;
    took.start();
    m_chart->CountRefresh();
    // Series 0 gyroscope, 1 acceleration, 2 battery voltage; an unplotted series stays empty.
    // Each is reduced to the plot's pixel columns first: a long history draws as fast as a
    // short one, and a spike in any column is still drawn.
    const CBalanceTelemetry& shown = m_paused ? m_frozen : m_model.Telemetry();
    using namespace BalanceField;
    const struct {
        bool plotted;
        const CBalanceTelemetry::History& history;
    } series[3] = {{m_model.Flag(PlotGyroscope), shown.gyroscopeHistory},
                   {m_model.Flag(PlotAcceleration), shown.accelerationHistory},
                   {m_model.Flag(PlotVoltage), shown.voltageHistory}};
    for (int i = 0; i < 3; ++i) {
        if (!series[i].plotted) {
            if (m_chart->Series(i)->count() != 0)
                m_chart->ClearPoints(i);
            continue;
        }
        ReduceMinMax(series[i].history, size_t(m_chart->ViewFirst()), size_t(m_chart->ViewLast()),
                     m_chart->PlotColumns(), &m_points[i]);
        m_chart->SetPoints(i, m_points[i]);
    }
    m_chart->RescaleAxes();
    emit chartRefreshed(took.nsecsElapsed());
}

} // namespace Korvane

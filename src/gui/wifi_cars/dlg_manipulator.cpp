#include "gui/wifi_cars/dlg_manipulator.h"

#include "core/wifi_cars/wifi_car_model.h"
#include "gui/common/message_seam.h"
#include "ui_dlg_manipulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIntValidator>
#include <QKeyEvent>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStandardPaths>

namespace Korvane {

namespace {
QString ListFilter() {
    return CDlgManipulator::tr("Arm step lists (*.json);;All files (*)");
}
} // namespace

CDlgManipulator::CDlgManipulator(const ArmPose& start, std::function<bool(const QByteArray&)> send,
                                 const QString& storePath, QWidget* parent)
    : QDialog(parent), m_ui(new Ui::CDlgManipulator), m_send(std::move(send)),
      m_storePath(storePath), m_limiter([this](const ArmPose& pose) { SendPose(pose); }),
      m_player([this](const ArmPose& pose) { return SendPose(pose); }) {
    m_ui->setupUi(this);
    QSlider* sliders[6] = {m_ui->joint1Slider, m_ui->joint2Slider, m_ui->joint3Slider,
                           m_ui->joint4Slider, m_ui->joint5Slider, m_ui->joint6Slider};
    QLineEdit* fields[6] = {m_ui->joint1Edit, m_ui->joint2Edit, m_ui->joint3Edit,
                            m_ui->joint4Edit, m_ui->joint5Edit, m_ui->joint6Edit};
    for (int j = 0; j < 6; ++j) {
        m_sliders[j] = sliders[j];
        m_fields[j] = fields[j];
        // The joints' range on the panel, as the "180°" and "0°" labels say.
        m_sliders[j]->setRange(0, kArmJointMax);
        m_sliders[j]->setValue(std::clamp(start[size_t(j)], 0, kArmJointMax));
        m_fields[j]->setText(QString::number(m_sliders[j]->value()));
        connect(m_sliders[j], &QSlider::valueChanged, this, [this, j](int value) {
            m_fields[j]->setText(QString::number(value));
            OnSliderMoved();
        });
        connect(m_fields[j], &QLineEdit::editingFinished, this, [this, j] { OnValueEdited(j); });
    }
    // The list keeps the order taught: sorting would scramble a sequence.
    m_ui->stepList->setSortingEnabled(false);
    m_ui->delayEdit->setValidator(new QIntValidator(0, ArmStepList::kMaxDelayMs, m_ui->delayEdit));
    ShowOwnTexts();
    // No button is pressed by Enter: a run never starts by accident.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(m_ui->startButton, &QPushButton::clicked, this, &CDlgManipulator::OnStart);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &CDlgManipulator::OnSaveStep);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &CDlgManipulator::OnDelete);
    connect(m_ui->runButton, &QPushButton::clicked, this, &CDlgManipulator::OnRun);
    connect(m_ui->stopButton, &QPushButton::clicked, this, &CDlgManipulator::OnEmergencyStop);
    // The file dialogs do not block: the click (also an assistive technology's press) returns
    // at once, and the list is read or written when the user has answered.
    connect(m_ui->openListButton, &QPushButton::clicked, this, &CDlgManipulator::OnOpenList);
    connect(m_ui->saveListButton, &QPushButton::clicked, this, &CDlgManipulator::OnSaveListAs);
    connect(m_ui->delayEdit, &QLineEdit::editingFinished, this, [this] {
        if (const auto delay = DelayFromField()) {
            m_list.delayMs = *delay;
            KeepList();
        }
    });
    connect(&m_player, &CArmPlayer::stepStarted, this,
            [this](int index) { m_ui->stepList->setCurrentRow(index); });
    connect(&m_player, &CArmPlayer::ended, this, &CDlgManipulator::OnRunEnded);
    LoadKeptList();
}

CDlgManipulator::~CDlgManipulator() = default;

QString CDlgManipulator::DefaultStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/arm-steps.json");
}

void CDlgManipulator::ShowOwnTexts() {
    for (int j = 0; j < 6; ++j) {
        m_sliders[j]->setAccessibleName(tr("Joint %1").arg(j + 1));
        m_fields[j]->setAccessibleName(tr("Joint %1 angle").arg(j + 1));
    }
    m_ui->stepList->setAccessibleName(tr("Taught steps"));
    m_ui->delayEdit->setAccessibleDescription(tr("Milliseconds, 0 to 60000"));
    m_ui->realTimeCheck->setAccessibleDescription(tr("Every slider move is sent to the arm"));
}

void CDlgManipulator::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        ShowOwnTexts();
    }
    QDialog::changeEvent(event);
}

ArmPose CDlgManipulator::Pose() const {
    ArmPose pose{};
    for (int j = 0; j < 6; ++j)
        pose[size_t(j)] = m_sliders[j]->value();
    return pose;
}

bool CDlgManipulator::SendPose(const ArmPose& pose) {
    if (!m_send(ArmFrame(pose)))
        return false;
    emit poseSent(pose);
    return true;
}

void CDlgManipulator::OnSliderMoved() {
    // Live control sends every move, at most 20 poses a second; a run plays its own poses.
    if (m_ui->realTimeCheck->isChecked() && !m_player.IsRunning())
        m_limiter.Offer(Pose());
}

void CDlgManipulator::OnValueEdited(int joint) {
    bool ok = false;
    const int value = m_fields[joint]->text().trimmed().toInt(&ok);
    if (!ok || value < 0 || value > kArmJointMax) {
        // Back to what the slider holds first: the box below must not see a bad value again.
        m_fields[joint]->setText(QString::number(m_sliders[joint]->value()));
        ShowMessage(tr("A joint angle is a whole number from 0 to 180."), this,
                    MessageIcon::Warning);
        return;
    }
    m_sliders[joint]->setValue(value); // sends when live control is on
}

void CDlgManipulator::OnStart() {
    if (m_unsaved && !m_list.steps.isEmpty()) {
        AskYesNo(this,
                 tr("Discard the %n taught step(s) not saved to a file?", nullptr,
                    int(m_list.steps.size())),
                 [this](bool yes) {
                     if (yes)
                         StartNewList();
                 });
        return;
    }
    StartNewList();
}

void CDlgManipulator::StartNewList() {
    m_player.Stop();
    m_list.steps.clear();
    m_unsaved = false;
    ShowSteps();
    KeepList();
}

void CDlgManipulator::OnSaveStep() {
    if (m_list.steps.size() >= ArmStepList::kMaxSteps) {
        ShowMessage(tr("A list holds at most %1 steps.").arg(ArmStepList::kMaxSteps), this,
                    MessageIcon::Warning);
        return;
    }
    m_list.steps.append(Pose());
    m_unsaved = true;
    ShowSteps();
    m_ui->stepList->setCurrentRow(int(m_list.steps.size()) - 1);
    KeepList();
}

void CDlgManipulator::OnDelete() {
    const int row = m_ui->stepList->currentRow();
    if (row < 0 || row >= m_list.steps.size() || m_player.IsRunning())
        return;
    m_list.steps.removeAt(row);
    m_unsaved = true;
    ShowSteps();
    m_ui->stepList->setCurrentRow(std::min(row, int(m_list.steps.size()) - 1));
    KeepList();
}

std::optional<int> CDlgManipulator::DelayFromField() {
    bool ok = false;
    const int delay = m_ui->delayEdit->text().trimmed().toInt(&ok);
    if (!ok || delay < 0 || delay > ArmStepList::kMaxDelayMs)
        return std::nullopt;
    return delay;
}

void CDlgManipulator::OnRun() {
    if (m_player.IsRunning() || m_list.steps.isEmpty())
        return;
    const auto delay = DelayFromField();
    if (!delay) {
        ShowMessage(tr("The delay between steps is a whole number of milliseconds from 0 to "
                       "60000."),
                    this, MessageIcon::Warning);
        return;
    }
    m_list.delayMs = *delay;
    m_limiter.Cancel();
    SetRunning(true);
    m_player.Run(m_list.steps, *delay);
}

void CDlgManipulator::OnRunEnded() {
    SetRunning(false);
}

void CDlgManipulator::SetRunning(bool running) {
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->startButton), static_cast<QWidget*>(m_ui->saveButton),
          static_cast<QWidget*>(m_ui->deleteButton), static_cast<QWidget*>(m_ui->runButton),
          static_cast<QWidget*>(m_ui->openListButton)})
        w->setEnabled(!running);
}

void CDlgManipulator::OnEmergencyStop() {
    m_player.Stop();
    m_limiter.Cancel();
    m_send(QByteArray(kStopFrame));
}

void CDlgManipulator::ShowSteps() {
    const QSignalBlocker quiet(m_ui->stepList);
    m_ui->stepList->clear();
    for (const ArmPose& pose : m_list.steps)
        m_ui->stepList->addItem(ArmStepText(pose));
    m_ui->delayEdit->setText(QString::number(m_list.delayMs));
}

void CDlgManipulator::KeepList() {
    if (m_storePath.isEmpty())
        return;
    QDir().mkpath(QFileInfo(m_storePath).absolutePath());
    QSaveFile file(m_storePath);
    // Keeping the list is a convenience: a folder that cannot be written costs only that.
    if (file.open(QIODevice::WriteOnly))
        file.write(ArmStepsToJson(m_list)), file.commit();
}

void CDlgManipulator::LoadKeptList() {
    QFile file(m_storePath);
    if (!m_storePath.isEmpty() && file.exists() && file.open(QIODevice::ReadOnly)) {
        QString error;
        if (auto list = ArmStepsFromJson(file.read(4 * 1024 * 1024), &error))
            m_list = *list;
        else
            ShowMessage(tr("The last step list could not be read: %1").arg(error), this,
                        MessageIcon::Warning);
    }
    ShowSteps();
}

void CDlgManipulator::OnOpenList() {
    AskOpenFile(this, tr("Open step list"), ListFilter(), QString(),
                [this](const QString& path) { OpenList(path); });
}

void CDlgManipulator::OpenList(const QString& path) {
    if (path.isEmpty())
        return;
    QFile file(path);
    QString error;
    std::optional<ArmStepList> list;
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else if (file.size() > 4 * 1024 * 1024)
        error = tr("the file is too large for a step list");
    else
        list = ArmStepsFromJson(file.readAll(), &error);
    if (!list) {
        ShowMessage(tr("The step list %1 could not be read: %2").arg(path, error), this,
                    MessageIcon::Warning);
        return;
    }
    m_player.Stop();
    m_list = *list;
    m_unsaved = false;
    ShowSteps();
    KeepList();
}

void CDlgManipulator::OnSaveListAs() {
    AskSaveFile(this, tr("Save step list"), ListFilter(), QString(),
                [this](const QString& path) { SaveList(path); });
}

void CDlgManipulator::SaveList(const QString& path) {
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ArmStepsToJson(m_list)) < 0 ||
        !file.commit()) {
        ShowMessage(
            tr("The step list could not be written to %1: %2").arg(path, file.errorString()), this,
            MessageIcon::Warning);
        return;
    }
    m_unsaved = false;
}

void CDlgManipulator::done(int result) {
    // Closing (Escape, the close box) ends a run at once; the list stays kept.
    m_player.Stop();
    m_limiter.Cancel();
    QDialog::done(result);
}

void CDlgManipulator::keyPressEvent(QKeyEvent* event) {
    // Enter never starts anything: in a value field it only takes the value (editingFinished),
    // elsewhere it does nothing. Escape closes, as in every dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace Korvane

#pragma once

#include "core/wifi_cars/arm_steps.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLineEdit;
class QSlider;

namespace Ui {
class CDlgManipulator;
}

namespace Korvane {

// The 4WD car's advanced arm control: six joint sliders (0 to 180) with value fields, live
// control ("Drag the real-time control switch"), a list of taught poses ("Start" begins one,
// "Save" appends the pose, "Delete" removes the selected step), "Run" plays the list with the
// delay between steps and "Emergency stop" ends a run and stops the car. It sends through the
// panel's route, so the link's rules and messages apply. The list is kept in a JSON file and
// comes back when the dialog opens again; "Open list..." and "Save list as..." beside the list
// read and write other files.
class CDlgManipulator : public QDialog {
    Q_OBJECT
  public:
    // start: the panel's arm pose; send: the panel's route (false when the frame did not go
    // out); storePath: where the last list is kept.
    CDlgManipulator(const ArmPose& start, std::function<bool(const QByteArray&)> send,
                    const QString& storePath, QWidget* parent = nullptr);
    ~CDlgManipulator() override;

    // Where the station keeps the last list: the user's application data folder.
    static QString DefaultStorePath();

    ArmPose Pose() const;
    const ArmStepList& List() const { return m_list; }
    bool IsRunning() const { return m_player.IsRunning(); }

    static constexpr char kStopFrame[] = "$0,0,0,0,0,0,0,0,0#";

  signals:
    // A pose went out; the panel's own arm sliders follow it.
    void poseSent(const Korvane::ArmPose& pose);

  public slots:
    void done(int result) override;

  protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ShowOwnTexts();
    bool SendPose(const ArmPose& pose);
    void OnSliderMoved();
    void OnValueEdited(int joint);
    void OnStart();
    void OnSaveStep();
    void OnDelete();
    void OnRun();
    void OnEmergencyStop();
    void StartNewList();
    void OnOpenList();
    void OpenList(const QString& path);
    void OnSaveListAs();
    void SaveList(const QString& path);
    void OnRunEnded();
    std::optional<int> DelayFromField();
    void ShowSteps();
    void KeepList();
    void LoadKeptList();
    void SetRunning(bool running);

    std::unique_ptr<Ui::CDlgManipulator> m_ui;
    std::function<bool(const QByteArray&)> m_send;
    QString m_storePath;
    QSlider* m_sliders[6] = {};
    QLineEdit* m_fields[6] = {};
    ArmStepList m_list;
    bool m_unsaved = false; // steps taught since the list was last written to or read from a file
    CPoseLimiter m_limiter;
    CArmPlayer m_player;
};

} // namespace Korvane

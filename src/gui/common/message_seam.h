#pragma once

#include <QString>

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace Korvane {

// The icon a message box shows.
enum class MessageIcon { Information, Warning, None };

using MessageObserver = std::function<void(const QString& text)>;
using FileChosen = std::function<void(const QString& path)>;
using SaveFileAnswer = std::function<QString(const QString& caption)>;
using QuestionAnswer = std::function<bool(const QString& text)>;

// The station's one way of telling the user something and of asking: made once by the program
// (main makes one before the first window, a test program or benchmark one for its tests) and
// torn down with it. While none lives, messages are plain boxes and questions plain dialogs;
// answers (tests, the headless demo) can be installed only in one that lives. What it holds
// is its own: the answers, the icon last shown, and each window's open device message.
class CMessageSeam {
  public:
    CMessageSeam();
    ~CMessageSeam();
    CMessageSeam(const CMessageSeam&) = delete;
    CMessageSeam& operator=(const CMessageSeam&) = delete;
    // The seam that lives now, or none.
    static CMessageSeam* Current();

    // A window's open device message: its box (none with an observer), its text and repeats.
    struct DeviceMessage {
        QPointer<QWidget> window;
        QPointer<QWidget> box;
        bool open = false;
        QString text;
        int repeats = 0;
    };
    // The device message of window (made on first use; those of closed windows are dropped).
    DeviceMessage& DeviceMessageOf(QWidget* window);
    std::vector<DeviceMessage>& DeviceMessages() { return m_device; }

    MessageObserver observer;
    SaveFileAnswer saveAnswer;
    SaveFileAnswer openAnswer;
    QuestionAnswer question;
    MessageIcon lastIcon = MessageIcon::Information;

  private:
    std::vector<DeviceMessage> m_device;
    CMessageSeam* m_before = nullptr; // the seam this one stands in for while it lives
};

// Every message the station shows to the user goes through here. By default it is a box with
// an OK button, modal to its window but without a nested event loop: the call returns at once.
// An observer (tests, the headless demo) sees the text instead.
void ShowMessage(const QString& text, QWidget* parent = nullptr,
                 MessageIcon icon = MessageIcon::Information);
// The same, waiting for the user's OK: only where nothing else could run anyway (a message
// before the station's window exists, after which it stops).
void ShowMessageAndWait(const QString& text, MessageIcon icon = MessageIcon::Information);

// A message a device causes (a board's keypad dividing by zero): shown without waiting, so
// the window and the device's frames go on, and once while it is open: the same message again
// is counted in the open box ("Repeated 3 more times.") and never queues up another box. Each
// window has its own: one window's device never closes another's message. With an observer
// installed, the message counts as open until CloseDeviceMessages().
void ShowDeviceMessage(const QString& text, QWidget* parent);
// The repeats counted on the open device message of parent's window (0 when none is open).
int DeviceMessageRepeats(QWidget* parent);
// Closes the open device message of parent's window (of every window without one), as the
// user's OK does.
void CloseDeviceMessages(QWidget* parent = nullptr);

// Installs an observer that replaces the modal box; an empty function restores the box.
// This and the other answers below need a CMessageSeam that lives.
void SetMessageObserver(MessageObserver observer);
// The icon of the last message shown (for tests that check which box a text comes in).
MessageIcon LastMessageIcon();

// Asks the user for a file to write (a save dialog, starting in folder when given) without
// waiting for the answer: the dialog opens window-modal and the call returns at once; then gets
// the path chosen, or an empty one when the user cancels. It is not called when parent goes
// first. Tests and the headless demo install the answer instead; then gets it from the event
// loop, after the call has returned, as it would get the user's.
void AskSaveFile(QWidget* parent, const QString& caption, const QString& filter,
                 const QString& folder, FileChosen then);
void SetSaveFileAnswer(SaveFileAnswer answer);
// The same for a file to read (an open dialog).
void AskOpenFile(QWidget* parent, const QString& caption, const QString& filter,
                 const QString& folder, FileChosen then);
void SetOpenFileAnswer(SaveFileAnswer answer);

// Asks a yes/no question without waiting for the answer; then gets true for yes (No is the
// default). Tests and the headless demo install the answer; it comes from the event loop.
void AskYesNo(QWidget* parent, const QString& text, std::function<void(bool yes)> then);
void SetQuestionAnswer(QuestionAnswer answer);

} // namespace Korvane

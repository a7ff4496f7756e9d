#include "gui/common/message_seam.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace Korvane {

namespace {
// The window a message box belongs to: the parent's window, or the window that opened a dialog
// (a dialog may close and go right after saying something, and its message must stay).
QWidget* LastingWindow(QWidget* parent) {
    QWidget* window = parent ? parent->window() : QApplication::activeWindow();
    while (qobject_cast<QDialog*>(window) && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

MessageObserver& Observer() {
    static MessageObserver observer;
    return observer;
}
MessageIcon g_lastIcon = MessageIcon::Information;
SaveFileAnswer& SaveAnswer() {
    static SaveFileAnswer answer;
    return answer;
}
SaveFileAnswer& OpenAnswer() {
    static SaveFileAnswer answer;
    return answer;
}
QuestionAnswer& Question() {
    static QuestionAnswer answer;
    return answer;
}

// The open device message: its box (none with an observer), its text and its repeats.
struct DeviceMessage {
    QPointer<QMessageBox> box;
    bool open = false;
    QString text;
    int repeats = 0;
};
DeviceMessage& OpenDeviceMessage() {
    static DeviceMessage message;
    return message;
}
} // namespace

void ShowDeviceMessage(const QString& text, QWidget* parent) {
    DeviceMessage& m = OpenDeviceMessage();
    const bool stillOpen = Observer() ? m.open : (m.box && m.box->isVisible());
    if (stillOpen && m.text == text) {
        ++m.repeats;
        if (m.box)
            m.box->setInformativeText(QCoreApplication::translate(
                "Korvane", "Repeated %n more time(s).", nullptr, m.repeats));
        return;
    }
    CloseDeviceMessages();
    m.open = true;
    m.text = text;
    m.repeats = 0;
    g_lastIcon = MessageIcon::Warning;
    if (Observer()) {
        Observer()(text);
        return;
    }
    if (!parent)
        parent = QApplication::activeWindow();
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Korvane"), text,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    m.box = box;
    box->open(); // no nested event loop: deliveries go on while it is shown
}

int DeviceMessageRepeats() {
    return OpenDeviceMessage().open ? OpenDeviceMessage().repeats : 0;
}

void CloseDeviceMessages() {
    DeviceMessage& m = OpenDeviceMessage();
    if (m.box)
        m.box->close();
    m.box = nullptr;
    m.open = false;
    m.repeats = 0;
}

namespace {
// An installed answer comes as the user's would: after the call has returned.
void AnswerLater(QWidget* parent, const QString& caption, SaveFileAnswer answer, FileChosen then) {
    QObject* context = parent ? static_cast<QObject*>(parent) : qApp;
    QMetaObject::invokeMethod(
        context,
        [caption, answer = std::move(answer), then = std::move(then)] { then(answer(caption)); },
        Qt::QueuedConnection);
}

// A file dialog that does not block: opened window-modal, deleted when it closes, its answer
// handed to then (an empty path for a cancel).
void OpenFileDialog(QWidget* parent, const QString& caption, const QString& filter,
                    const QString& folder, QFileDialog::AcceptMode mode, FileChosen then) {
    auto* dialog = new QFileDialog(parent, caption, folder, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    auto answered = std::make_shared<bool>(false);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [then, answered](const QString& path) {
                         *answered = true;
                         then(path);
                     });
    QObject::connect(dialog, &QDialog::finished, dialog, [then, answered](int) {
        if (!*answered)
            then(QString());
    });
    dialog->open();
}
} // namespace

void AskOpenFile(QWidget* parent, const QString& caption, const QString& filter,
                 const QString& folder, FileChosen then) {
    if (OpenAnswer()) {
        AnswerLater(parent, caption, OpenAnswer(), std::move(then));
        return;
    }
    OpenFileDialog(parent, caption, filter, folder, QFileDialog::AcceptOpen, std::move(then));
}

void SetOpenFileAnswer(SaveFileAnswer answer) {
    OpenAnswer() = std::move(answer);
}

void AskYesNo(QWidget* parent, const QString& text, std::function<void(bool yes)> then) {
    if (Question()) {
        QObject* context = parent ? static_cast<QObject*>(parent) : qApp;
        QMetaObject::invokeMethod(
            context, [text, answer = Question(), then = std::move(then)] { then(answer(text)); },
            Qt::QueuedConnection);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Korvane"), text,
                                QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, then = std::move(then)](int) {
        then(box->clickedButton() == box->button(QMessageBox::Yes));
    });
    box->open();
}

void SetQuestionAnswer(QuestionAnswer answer) {
    Question() = std::move(answer);
}

void AskSaveFile(QWidget* parent, const QString& caption, const QString& filter,
                 const QString& folder, FileChosen then) {
    if (SaveAnswer()) {
        AnswerLater(parent, caption, SaveAnswer(), std::move(then));
        return;
    }
    OpenFileDialog(parent, caption, filter, folder, QFileDialog::AcceptSave, std::move(then));
}

void SetSaveFileAnswer(SaveFileAnswer answer) {
    SaveAnswer() = std::move(answer);
}

void ShowMessage(const QString& text, QWidget* parent, MessageIcon icon) {
    g_lastIcon = icon;
    if (Observer()) {
        Observer()(text);
        return;
    }
    // Shown without a nested event loop: the call (a click, an assistive technology's action)
    // returns at once and the window goes on; the box closes itself when the user is done.
    auto* box =
        new QMessageBox(icon == MessageIcon::Warning ? QMessageBox::Warning
                        : icon == MessageIcon::None  ? QMessageBox::NoIcon
                                                     : QMessageBox::Information,
                        QStringLiteral("Korvane"), text, QMessageBox::Ok, LastingWindow(parent));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void ShowMessageAndWait(const QString& text, MessageIcon icon) {
    g_lastIcon = icon;
    if (Observer()) {
        Observer()(text);
        return;
    }
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    QStringLiteral("Korvane"), text, QMessageBox::Ok);
    box.exec();
}

void SetMessageObserver(MessageObserver observer) {
    Observer() = std::move(observer);
}

MessageIcon LastMessageIcon() {
    return g_lastIcon;
}

} // namespace Korvane

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

CMessageSeam* g_current = nullptr; // set and cleared by the seam itself

// The seam's answers, or none while no seam lives.
const MessageObserver& Observer() {
    static const MessageObserver none;
    return g_current ? g_current->observer : none;
}
const SaveFileAnswer& SaveAnswer() {
    static const SaveFileAnswer none;
    return g_current ? g_current->saveAnswer : none;
}
const SaveFileAnswer& OpenAnswer() {
    static const SaveFileAnswer none;
    return g_current ? g_current->openAnswer : none;
}
const QuestionAnswer& Question() {
    static const QuestionAnswer none;
    return g_current ? g_current->question : none;
}
void NoteIcon(MessageIcon icon) {
    if (g_current)
        g_current->lastIcon = icon;
}
CMessageSeam& Required(const char* what) {
    if (!g_current)
        qFatal("%s needs a message seam: make a CMessageSeam first", what);
    return *g_current;
}
} // namespace

CMessageSeam::CMessageSeam() : m_before(g_current) {
    g_current = this;
}

CMessageSeam::~CMessageSeam() {
    for (DeviceMessage& m : m_device)
        if (m.box)
            m.box->close();
    g_current = m_before;
}

CMessageSeam* CMessageSeam::Current() {
    return g_current;
}

CMessageSeam::DeviceMessage& CMessageSeam::DeviceMessageOf(QWidget* window) {
    std::erase_if(m_device, [](const DeviceMessage& m) { return !m.window; });
    for (DeviceMessage& m : m_device)
        if (m.window == window)
            return m;
    m_device.push_back({window, nullptr, false, QString(), 0});
    return m_device.back();
}

void ShowDeviceMessage(const QString& text, QWidget* parent) {
    QWidget* window = parent ? parent->window() : QApplication::activeWindow();
    if (!g_current) {
        // Nothing to count repeats in: a plain box.
        ShowMessage(text, window, MessageIcon::Warning);
        return;
    }
    CMessageSeam::DeviceMessage& m = g_current->DeviceMessageOf(window);
    const bool stillOpen = Observer() ? m.open : (m.box && m.box->isVisible());
    if (stillOpen && m.text == text) {
        ++m.repeats;
        if (auto* box = qobject_cast<QMessageBox*>(m.box.data()))
            box->setInformativeText(QCoreApplication::translate(
                "Korvane", "Repeated %n more time(s).", nullptr, m.repeats));
        return;
    }
    if (m.box)
        m.box->close();
    m.box = nullptr;
    m.open = true;
    m.text = text;
    m.repeats = 0;
    g_current->lastIcon = MessageIcon::Warning;
    if (Observer()) {
        Observer()(text);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Korvane"), text,
                                QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    m.box = box;
    box->open(); // no nested event loop: deliveries go on while it is shown
}

int DeviceMessageRepeats(QWidget* parent) {
    if (!g_current)
        return 0;
    const CMessageSeam::DeviceMessage& m =
        g_current->DeviceMessageOf(parent ? parent->window() : nullptr);
    return m.open ? m.repeats : 0;
}

void CloseDeviceMessages(QWidget* parent) {
    if (!g_current)
        return;
    QWidget* window = parent ? parent->window() : nullptr;
    for (CMessageSeam::DeviceMessage& m : g_current->DeviceMessages()) {
        if (window && m.window != window)
            continue;
        if (m.box)
            m.box->close();
        m.box = nullptr;
        m.open = false;
        m.repeats = 0;
    }
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
    Required("SetOpenFileAnswer").openAnswer = std::move(answer);
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
    Required("SetQuestionAnswer").question = std::move(answer);
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
    Required("SetSaveFileAnswer").saveAnswer = std::move(answer);
}

void ShowMessage(const QString& text, QWidget* parent, MessageIcon icon) {
    NoteIcon(icon);
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
    NoteIcon(icon);
    if (Observer()) {
        Observer()(text);
        return;
    }
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    QStringLiteral("Korvane"), text, QMessageBox::Ok);
    box.exec();
}

void SetMessageObserver(MessageObserver observer) {
    Required("SetMessageObserver").observer = std::move(observer);
}

MessageIcon LastMessageIcon() {
    return g_current ? g_current->lastIcon : MessageIcon::Information;
}

} // namespace Korvane

#include "gui/common/message_seam.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace Korvane {

namespace {
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
} // namespace

QString AskOpenFileName(QWidget* parent, const QString& caption, const QString& filter) {
    if (OpenAnswer())
        return OpenAnswer()(caption);
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

void SetOpenFileAnswer(SaveFileAnswer answer) {
    OpenAnswer() = std::move(answer);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    if (Question())
        return Question()(text);
    return QMessageBox::question(parent, QStringLiteral("Korvane"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void SetQuestionAnswer(QuestionAnswer answer) {
    Question() = std::move(answer);
}

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    if (SaveAnswer())
        return SaveAnswer()(caption);
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
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
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning
                    : icon == MessageIcon::None  ? QMessageBox::NoIcon
                                                 : QMessageBox::Information,
                    QStringLiteral("Korvane"), text, QMessageBox::Ok, parent);
    box.exec();
}

void SetMessageObserver(MessageObserver observer) {
    Observer() = std::move(observer);
}

MessageIcon LastMessageIcon() {
    return g_lastIcon;
}

} // namespace Korvane

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
} // namespace

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

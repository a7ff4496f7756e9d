#include "message_seam.h"

#include <QApplication>
#include <QMessageBox>

namespace Korvane {

namespace {
MessageObserver& Observer() {
    static MessageObserver observer;
    return observer;
}
MessageIcon g_lastIcon = MessageIcon::Information;
} // namespace

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

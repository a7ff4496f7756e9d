#include "message_seam.h"

#include <QApplication>
#include <QMessageBox>

namespace Korvane {

namespace {
MessageObserver& Observer() {
    static MessageObserver observer;
    return observer;
}
} // namespace

void ShowMessage(const QString& text, QWidget* parent) {
    if (Observer()) {
        Observer()(text);
        return;
    }
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox::information(parent, QStringLiteral("Korvane"), text, QMessageBox::Ok);
}

void SetMessageObserver(MessageObserver observer) {
    Observer() = std::move(observer);
}

} // namespace Korvane

#pragma once
// A training board's panel in the station, with its serial link open on a fresh
// pseudo-terminal whose other end plays the board.
#include "gui/common/control_ids.h"
#include "gui/widgets/lamp.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>

template <class Panel> struct BoardOnPty {
    StationOnPty station;
    Panel* panel = nullptr;

    bool Start(int product) {
        if (!station.Start(product, QSize(1300, 800)))
            return false;
        panel = qobject_cast<Panel*>(station.frame->CurrentPanel());
        return panel != nullptr;
    }
    template <class T = QWidget> T* Get(int id) {
        return qobject_cast<T*>(Korvane::FindControl(panel, id));
    }
    QAbstractButton* Button(int id) { return Get<QAbstractButton>(id); }
    QLineEdit* Edit(int id) { return Get<QLineEdit>(id); }
    QString Label(int id) { return Get<QLabel>(id)->text(); }
    Korvane::CLamp* Lamp(int id) { return Get<Korvane::CLamp>(id); }
    bool Lit(int id) { return Lamp(id)->IsOn(); }
    // What the station wrote, once at least `bytes` have come.
    QByteArray Sent(qsizetype bytes) { return station.pty->ReadAtLeast(bytes); }
    // The board sends frames; the panel has handled them when its serial receive text (1090)
    // shows the last one.
    void Says(const QByteArray& frames, const QString& lastShown) {
        station.pty->Write(frames);
        QTRY_COMPARE(Edit(1090)->text(), lastShown);
    }
    // The index of the one lit lamp among ids, -1 for none, 99 for more than one.
    template <size_t N> int LitLamp(const int (&ids)[N]) {
        int lit = -1;
        for (size_t i = 0; i < N; ++i)
            if (Lit(ids[i]))
                lit = lit < 0 ? int(i) : 99;
        return lit;
    }
};

// What assistive technology says of a widget.
inline QString Said(QWidget* w, QAccessible::Text t) {
    return QAccessible::queryAccessibleInterface(w)->text(t);
}

// Edits of a panel that assistive technology could not name (a date edit's inner line aside).
inline QStringList UnnamedEdits(QWidget* panel) {
    QStringList unnamed;
    for (QLineEdit* e : panel->findChildren<QLineEdit*>())
        if (!qobject_cast<QDateEdit*>(e->parentWidget()) && Said(e, QAccessible::Name).isEmpty())
            unnamed << e->objectName();
    return unnamed;
}

// Buttons of a panel that sound like another one (same name and description).
inline QStringList AlikeButtons(QWidget* panel) {
    QSet<QString> heard;
    QStringList alike;
    for (QAbstractButton* button : panel->findChildren<QAbstractButton*>()) {
        const QString said = Said(button, QAccessible::Name) + QLatin1Char('|') +
                             Said(button, QAccessible::Description);
        if (heard.contains(said))
            alike << said;
        heard.insert(said);
    }
    return alike;
}

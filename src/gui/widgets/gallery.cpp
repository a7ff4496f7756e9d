#include "gui/widgets/gallery.h"

#include <QCoreApplication>

#include "gui/widgets/button_ex.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "gui/widgets/picture_ex.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace Korvane {

namespace {

// The gallery is shown in the language chosen at start.
QString GalleryText(const char* text) {
    return QCoreApplication::translate("Korvane::Gallery", text);
}

} // namespace

namespace {

QWidget* Captioned(QWidget* w, const QString& caption) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(w, 0, Qt::AlignHCenter);
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    return box;
}

CDigiStatic* Digi(const QByteArray& text, int w, int h, bool panelColours) {
    auto* d = new CDigiStatic;
    d->setFixedSize(w, h);
    d->SetDisplayText(text);
    if (panelColours)
        d->SetSegmentColours(QColor(200, 200, 200), QColor(255, 0, 0));
    return d;
}

} // namespace

QWidget* CreateWidgetGallery() {
    auto* window = new QWidget;
    window->setWindowTitle(
        GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Korvane PC widget gallery")));
    auto* layout = new QVBoxLayout(window);

    auto* segments =
        new QGroupBox(GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Segment display")));
    auto* sl = new QGridLayout(segments);
    sl->addWidget(Captioned(Digi("0123456789", 300, 50, false), "digits"), 0, 0);
    sl->addWidget(Captioned(Digi("12:30", 150, 58, false), "colon, point unlit"), 0, 1);
    sl->addWidget(Captioned(Digi("-8.8", 120, 50, true), "panel colours"), 0, 2);
    sl->addWidget(Captioned(Digi("KORVANE", 280, 50, false), "letters"), 1, 0);
    sl->addWidget(Captioned(Digi("(+*/\\)'", 200, 50, false), "punctuation"), 1, 1);
    auto* backdrop = new QLabel;
    backdrop->setFixedSize(150, 58);
    backdrop->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #2050a0, stop:1 #20a080);"));
    auto* transparent = Digi("25.6", 150, 58, true);
    transparent->setParent(backdrop);
    transparent->EnableTransparentBackground();
    sl->addWidget(Captioned(backdrop, "transparent"), 1, 2);
    layout->addWidget(segments);

    auto* buttons =
        new QGroupBox(GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Coloured button")));
    auto* bl = new QHBoxLayout(buttons);
    auto* normal = new CButtonEx(GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Normal")));
    auto* red = new CButtonEx(GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Red face")));
    red->SetFaceColor(QColor(255, 0, 0));
    auto* hot = new CButtonEx(GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Pointer over")));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(hot, &enter);
    auto* disabled = new CButtonEx(GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Disabled")));
    disabled->setEnabled(false);
    auto* longCaption = new CButtonEx(
        GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "A caption too long for the button")));
    auto* swatch = new CButtonEx(QStringLiteral("R:000,G:128,B:255"));
    swatch->SetFaceColor(QColor(0, 128, 255));
    for (CButtonEx* b : {normal, red, hot, disabled, longCaption, swatch}) {
        b->setFixedSize(110, 30);
        bl->addWidget(b);
    }
    layout->addWidget(buttons);

    auto* pictures = new QGroupBox(
        GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "Animated picture and lamps")));
    auto* pl = new QHBoxLayout(pictures);
    const struct {
        int id;
        const char* caption;
    } fans[] = {{339, "339 at rest"}, {336, "336 normal"}, {337, "337 fast"}, {338, "338 slow"}};
    for (const auto& fan : fans) {
        auto* picture = new CPictureEx;
        picture->LoadResourcePicture(fan.id);
        picture->StartPlayback();
        pl->addWidget(Captioned(picture, QString::fromLatin1(fan.caption)));
    }
    auto* off = new CLamp;
    auto* on = new CLamp;
    on->SetOn(true);
    pl->addWidget(Captioned(off, GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "lamp off"))));
    pl->addWidget(Captioned(on, GalleryText(QT_TRANSLATE_NOOP("Korvane::Gallery", "lamp on"))));
    layout->addWidget(pictures);
    return window;
}

} // namespace Korvane

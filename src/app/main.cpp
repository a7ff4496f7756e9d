#include "core/mqtt/mqtt_bridge.h"
#include "core/wifi_cars/picture_memory.h"
#include "gui/common/language.h"
#include "gui/common/message_seam.h"
#include "gui/shell/startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Options are checked before the window system is touched, so a bad value is reported
    // even where no display is available.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    Korvane::StartOptions options;
    QString error;
    if (!Korvane::ParseStartOptions(args, &options, &error)) {
        std::fprintf(stderr, "korvane: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    if (!options.exitText.isEmpty()) {
        std::fputs(options.exitText.toLocal8Bit().constData(), stdout);
        return 0;
    }
    Korvane::KeepPictureMemory();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("应用程序向导生成的本地应用程序"));
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    // The desktop finds the menu entry (and its icon) for the window by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.KorvanePC"));
    if (Korvane::CannotAskForProduct(options)) {
        // Nobody could answer the product dialog: it would wait for ever.
        std::fprintf(stderr, "korvane: no display to ask for the product on; give --product N\n");
        return 2;
    }
    // What every window uses, set up before the first and torn down after the last: the
    // messages and questions to the user, the translations, and libmosquitto (which lives as
    // long as any window may share and say goodbye).
    const Korvane::CMessageSeam messages;
    const Korvane::CTranslations translations;
    const Korvane::CMqttLibrary mqtt;
    return Korvane::RunStation(options);
}

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Korvane {

// What the command line asks for, on top of the usual start (which asks for the product).
struct StartOptions {
    int product = -1;       // --product N: skip the selection dialog
    QString port;           // --port NAME: open the serial link at start
    int baud = 9600;        // --baud B
    bool demo = false;      // --demo: drive the car with a short key sequence
    bool gallery = false;   // --gallery: show the display widgets instead of the station
    bool trace = false;     // --trace: print every frame sent and received
    bool monitor = false;   // --monitor: open the frame monitor at start
    QString screenshot;     // --screenshot FILE: save the main window when quitting
    int quitAfterMs = 0;    // --quit-after MS
    QString exitText;       // --help, --version: print this and exit 0
    QString controlAddress; // --control-address: typed into the Wi-Fi panel's address field
    QString controlPort;    // --control-port: typed into its port field
    QString videoAddress;   // --video-address: typed into its video address field
    QString language;       // --language original|en|zh_CN (empty: the one chosen last)
    QString mqtt;           // --mqtt URL: share the station on this broker
    QString stationName;    // --station-name NAME: the name it is shared under
    bool classroom = false; // --classroom: only the classroom view (needs a broker)
    std::optional<QString> classroomRoot; // --classroom-root ROOT: the level stations are under
};

// Parses the arguments (program name first) by the table of options: each option's name,
// value, help text and what its value sets (and why a value is refused). On a bad value
// returns false with a message. --help and --version fill exitText.
bool ParseStartOptions(const QStringList& args, StartOptions* options, QString* error);

} // namespace Korvane

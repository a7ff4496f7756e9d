// libFuzzer target: bytes from a balance car, through the frame assembler and the telemetry
// parser into the recorder's CSV file. Whatever arrives, the file is the header, comment lines of
// gains and rows of a time and six cells that are empty or plain numbers: nothing a spreadsheet
// would run, no control byte, nothing but ASCII.
#include "core/link/frame_receive.h"
#include "core/link/transport.h"
#include "core/serial_cars/balance_model.h"
#include "core/serial_cars/telemetry_recorder.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace Korvane;

namespace {
QTemporaryDir* g_dir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv); // the recorder's flush timer needs one
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QString path = g_dir->filePath(QStringLiteral("rows.csv"));
    CTelemetryRecorder recorder;
    QString error;
    if (!recorder.Start(path, &error))
        std::abort();
    recorder.SetGains(QStringLiteral("AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
    CFrameAssembler assembler;
    qint64 arrival = ArrivalClockNs();
    assembler.FeedChunk(QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size)),
                        [&](const QByteArray& frame) {
                            recorder.AddRow(ParseBalanceTelemetry(frame, arrival += 1000));
                        });
    recorder.Stop();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray text = file.readAll();
    static const QRegularExpression row(
        QStringLiteral(R"(^\d+\.\d{3}(,(-?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?)?){6}$)"));
    const QList<QByteArray> lines = text.split('\n');
    if (lines.first() != CTelemetryRecorder::kHeader || !text.endsWith('\n'))
        std::abort();
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        for (const char c : line)
            if (uchar(c) < 0x20 || uchar(c) > 0x7E)
                std::abort();
        if (line.startsWith("# gains "))
            continue;
        if (!row.match(QString::fromLatin1(line)).hasMatch())
            std::abort();
    }
    return 0;
}

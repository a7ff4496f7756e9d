// The camera's worst pictures under the fetch cap (8 MiB): how long each takes to be decoded or
// refused, and how long closing the window waits when the decoders are busy with them.
//   bench_decode [runs per body, default 5]
#include "bench_util.h"
#include "core/wifi_cars/jpeg_check.h"
#include "core/wifi_cars/snapshot_fetch.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"
#include "gui/wifi_cars/snapshot_video.h"
#include "gui/wifi_cars/wifi_car_panel.h"
#include "video_server.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QImageWriter>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

using namespace Korvane;
using namespace Bench;

namespace {

constexpr qint64 kCap = CSnapshotFetcher::kMaxBody;

QByteArray Encode(const QImage& image, int quality, bool progressive) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return jpeg;
}

QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = random.generate();
    }
    return image;
}

// Noise at the highest quality whose body stays under the cap: the most data for the decoder.
QByteArray DensestUnderCap(int width, int height, bool progressive) {
    const QImage image = Noise(width, height);
    QByteArray best;
    for (int quality = 100; quality >= 10; quality -= 5) {
        best = Encode(image, quality, progressive);
        if (best.size() <= kCap)
            break;
    }
    return best;
}

// The body with its last scan repeated up to the number of scans the check lets through.
QByteArray WithMostScans(QByteArray jpeg) {
    const qsizetype last = jpeg.lastIndexOf("\xFF\xDA");
    const QByteArray scan = jpeg.mid(last, jpeg.size() - 2 - last);
    jpeg.chop(2);
    while (CheckJpeg(jpeg + scan + "\xFF\xD9").verdict == JpegVerdict::Decodable &&
           jpeg.size() + scan.size() + 2 <= kCap)
        jpeg += scan;
    return jpeg + "\xFF\xD9";
}

const char* VerdictName(JpegVerdict v) {
    switch (v) {
    case JpegVerdict::Decodable:
        return "decoded";
    case JpegVerdict::NotJpeg:
        return "refused: not a JPEG";
    case JpegVerdict::Malformed:
        return "refused: malformed";
    case JpegVerdict::Unsupported:
        return "refused: unsupported";
    case JpegVerdict::TooLarge:
        return "refused: too large";
    case JpegVerdict::TooManyScans:
        return "refused: too many scans";
    case JpegVerdict::TooManySegments:
        return "refused: too many segments";
    case JpegVerdict::BodyTooLong:
        return "refused: body too long";
    }
    return "?";
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const CMessageSeam seam;
    SetMessageObserver([](const QString&) {});

    struct Body {
        const char* name;
        QByteArray bytes;
    };
    std::printf("making the bodies...\n");
    std::fflush(stdout);
    QImage flat(4096, 4096, QImage::Format_RGB32);
    flat.fill(QColor(90, 120, 150));
    QByteArray padded = Encode(flat, 90, false);
    padded.insert(padded.size() - 2, QByteArray(int(kCap - padded.size()), '\x11'));
    const std::vector<Body> bodies = {
        {"progressive 4096x4096, 20000 scans", KorvaneSim::ManyScanPicture(kCap)},
        {"baseline 4096x4096 noise", DensestUnderCap(4096, 4096, false)},
        {"baseline 4095x4095 noise", DensestUnderCap(4095, 4095, false)},
        {"baseline 2048x2048 noise", DensestUnderCap(2048, 2048, false)},
        {"baseline 2048x4096 noise", DensestUnderCap(2048, 4096, false)},
        {"progressive 1920x1088 noise", DensestUnderCap(1920, 1088, true)},
        {"progressive 1920x1088 noise, most scans",
         WithMostScans(DensestUnderCap(1920, 1088, true))},
        {"baseline 4096x4096 flat, padded to cap", padded},
        {"camera 640x480", KorvaneSim::DrawCameraPicture(1, 640, 480, 90, 255, 0, 0)},
    };

    std::printf("%-42s %9s %-28s %10s %10s\n", "body", "MB", "outcome", "best ms", "worst ms");
    double longest = 0;
    QByteArray worstBody;
    for (const Body& body : bodies) {
        double best = 1e9, worst = 0;
        bool decoded = false;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            decoded = !DecodeSnapshot(body.bytes).isNull();
            const double ms = t.nsecsElapsed() / 1e6;
            best = std::min(best, ms);
            worst = std::max(worst, ms);
        }
        const JpegFacts facts = CheckJpeg(body.bytes);
        std::printf("%-42s %9.2f %-28s %10.1f %10.1f%s\n", body.name, body.bytes.size() / 1048576.0,
                    VerdictName(facts.verdict), best, worst,
                    facts.verdict == JpegVerdict::Decodable && !decoded ? "  (decoder failed)"
                                                                        : "");
        std::fflush(stdout);
        if (worst > longest) {
            longest = worst;
            worstBody = body.bytes;
        }
    }
    std::printf("longest decode-or-refuse: %.1f ms\n\n", longest);

    // Closing the window while every decoder works on the slowest body: the camera answers it
    // to every request, as fast as it is asked.
    QThread serverThread;
    // Each answer differs (a comment with its number), so that each is decoded.
    KorvaneSim::VideoServer server([&worstBody](int seq) {
        QByteArray numbered = worstBody;
        numbered.insert(2, QByteArray("\xFF\xFE\x00\x06", 4) +
                               QByteArray::number(seq % 10000).rightJustified(4, '0'));
        return numbered;
    });
    server.SetFps(0);
    QString error;
    if (!server.Listen(QHostAddress::LocalHost, 0, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    server.moveToThread(&serverThread);
    serverThread.start();
    const QString url = QStringLiteral("http://127.0.0.1:%1/?action=snapshot").arg(server.Port());
    std::vector<double> exits, stops;
    int shown = 0;
    for (int i = 0; i < runs * 4; ++i) {
        auto frame = std::make_unique<CMainFrame>();
        frame->SelectProduct(13);
        frame->show();
        auto* panel = static_cast<CWifiCarPanel*>(frame->CurrentPanel());
        qobject_cast<QLineEdit*>(FindControl(panel, 1306))->setText(url);
        auto* toggle = qobject_cast<QAbstractButton*>(FindControl(panel, 1309));
        auto* area = qobject_cast<CVideoArea*>(FindControl(panel, 1313));
        toggle->click();
        RunFor(1500 + 37 * i); // pictures fetched and decoded one after another
        // A stop returns at once; closing waits for the decodes in progress.
        QElapsedTimer t;
        t.start();
        toggle->click();
        stops.push_back(t.nsecsElapsed() / 1e3);
        toggle->click();
        RunFor(300 + 13 * i); // from 300 ms on, spread over a fetch and a decode
        shown += area->Pictures();
        t.start();
        frame.reset();
        exits.push_back(t.nsecsElapsed() / 1e3);
    }
    std::printf("pictures shown before the closes: %d\n", shown);
    Report("stop with decodes in progress", stops);
    Report("closing the window, decodes in progress", exits);
    serverThread.quit();
    serverThread.wait();
    return 0;
}

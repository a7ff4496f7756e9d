// The camera's bytes before any decoding: the walk over a JPEG's markers that refuses what no
// camera sends, and the cutting of an MJPEG stream into pictures, on byte fixtures; then the
// decoder behind them.
#include "core/wifi_cars/jpeg_check.h"
#include "core/wifi_cars/mjpeg_parts.h"
#include "gui/wifi_cars/snapshot_video.h"
#include "video_server.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtTest>

using namespace Korvane;

namespace {

QByteArray Encode(const QImage& image, bool progressive = false, int quality = 80) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return jpeg;
}

QByteArray Picture(int width, int height, bool progressive = false) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7, y * 5, (x ^ y) & 0xFF));
    return Encode(image, progressive);
}

// The picture with the frame header's height and width replaced.
QByteArray Declaring(QByteArray jpeg, int width, int height) {
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

QByteArray Part(const QByteArray& picture, bool withLength = true) {
    QByteArray part = "--frame\r\nContent-Type: image/jpeg\r\n";
    if (withLength)
        part += "Content-Length: " + QByteArray::number(picture.size()) + "\r\n";
    return part + "\r\n" + picture + "\r\n";
}

QList<QByteArray> SplitInPieces(CMjpegSplitter& splitter, const QByteArray& stream, int piece) {
    QList<QByteArray> pictures;
    for (qsizetype at = 0; at < stream.size(); at += piece)
        splitter.Feed(
            QByteArrayView(stream).sliced(at, std::min<qsizetype>(piece, stream.size() - at)),
            pictures);
    return pictures;
}

} // namespace

class TestCameraBytes : public QObject {
    Q_OBJECT

  private slots:
    void cameraPicturesPassTheCheck() {
        const QByteArray baseline = Picture(640, 480);
        const JpegFacts facts = CheckJpeg(baseline);
        QCOMPARE(facts.verdict, JpegVerdict::Decodable);
        QCOMPARE(facts.width, 640);
        QCOMPARE(facts.height, 480);
        QCOMPARE(facts.components, 3);
        QCOMPARE(facts.scans, 1);
        QVERIFY(!facts.progressive);
        // A progressive picture of an ordinary size, with the scans its encoder writes.
        const JpegFacts progressive = CheckJpeg(Picture(320, 240, true));
        QCOMPARE(progressive.verdict, JpegVerdict::Decodable);
        QVERIFY(progressive.progressive && progressive.scans > 1);
        // Grey pictures have one component; the simulator's camera pictures pass too.
        QImage grey(64, 48, QImage::Format_Grayscale8);
        grey.fill(90);
        QCOMPARE(CheckJpeg(Encode(grey)).components, 1);
        QCOMPARE(CheckJpeg(KorvaneSim::DrawCameraPicture(3, 640, 480, 90, 255, 0, 0)).verdict,
                 JpegVerdict::Decodable);
    }

    void whatNoCameraSendsIsRefused() {
        const QByteArray good = Picture(160, 120);
        QCOMPARE(CheckJpeg({}).verdict, JpegVerdict::NotJpeg);
        QCOMPARE(CheckJpeg(QByteArray(good.size(), 'x')).verdict, JpegVerdict::NotJpeg);
        QCOMPARE(CheckJpeg("<html>camera</html>").verdict, JpegVerdict::NotJpeg);
        // Sizes: above the bound, zero (the height would come later in the data), the largest.
        QCOMPARE(CheckJpeg(Declaring(good, 30000, 30000)).verdict, JpegVerdict::TooLarge);
        QCOMPARE(CheckJpeg(Declaring(good, 65535, 65535)).verdict, JpegVerdict::TooLarge);
        QCOMPARE(CheckJpeg(Declaring(good, 4097, 100)).verdict, JpegVerdict::TooLarge);
        QCOMPARE(CheckJpeg(Declaring(good, 160, 0)).verdict, JpegVerdict::TooLarge);
        QCOMPARE(CheckJpeg(Declaring(good, 4096, 4096)).verdict, JpegVerdict::Decodable);
        // Progressive: only small.
        QCOMPARE(CheckJpeg(Picture(1920, 1200, true)).verdict, JpegVerdict::TooLarge);
        // Thousands of scans, under the fetch cap.
        const QByteArray manyScans = KorvaneSim::ManyScanPicture(2 * 1024 * 1024);
        QCOMPARE(CheckJpeg(manyScans).verdict, JpegVerdict::TooLarge);
        QByteArray manySmallScans = Picture(320, 240, true);
        const qsizetype lastScan = manySmallScans.lastIndexOf("\xFF\xDA");
        const QByteArray scan = manySmallScans.mid(lastScan, manySmallScans.size() - 2 - lastScan);
        manySmallScans.chop(2);
        for (int i = 0; i < 20; ++i)
            manySmallScans += scan;
        manySmallScans += "\xFF\xD9";
        QCOMPARE(CheckJpeg(manySmallScans).verdict, JpegVerdict::TooManyScans);
        // A second scan in a baseline picture of one component.
        QImage grey(64, 48, QImage::Format_Grayscale8);
        grey.fill(90);
        QByteArray twoScans = Encode(grey);
        const qsizetype sos = twoScans.indexOf("\xFF\xDA");
        twoScans.insert(twoScans.size() - 2, twoScans.mid(sos, twoScans.size() - 2 - sos));
        QCOMPARE(CheckJpeg(twoScans).verdict, JpegVerdict::TooManyScans);
        // Arithmetic coding, lossless, 12 bits: not what a camera sends.
        for (const char frame : {'\xC9', '\xC3'}) {
            QByteArray other = good;
            other[other.indexOf("\xFF\xC0") + 1] = frame;
            QCOMPARE(CheckJpeg(other).verdict, JpegVerdict::Unsupported);
        }
        QByteArray twelveBits = good;
        twelveBits[twelveBits.indexOf("\xFF\xC0") + 4] = 12;
        QCOMPARE(CheckJpeg(twelveBits).verdict, JpegVerdict::Unsupported);
        // Segments: hundreds of comments.
        QByteArray comments = good.left(2);
        for (int i = 0; i < 300; ++i)
            comments += QByteArray("\xFF\xFE\x00\x05"
                                   "abc",
                                   7);
        QCOMPARE(CheckJpeg(comments + good.mid(2)).verdict, JpegVerdict::TooManySegments);
        // A megabyte of scan data for a picture of 16 by 16.
        QImage tiny(16, 16, QImage::Format_RGB32);
        tiny.fill(Qt::red);
        QByteArray padded = Encode(tiny);
        padded.insert(padded.size() - 2, QByteArray(1024 * 1024, '\x11'));
        QCOMPARE(CheckJpeg(padded).verdict, JpegVerdict::BodyTooLong);
    }

    void brokenStructureIsRefusedWhereverItIsCut() {
        const QByteArray good = Picture(96, 64);
        // Every cut short body: no end marker, or a segment running past the end.
        for (qsizetype size = 0; size < good.size() - 1; size += 7)
            QVERIFY2(CheckJpeg(good.left(size)).verdict != JpegVerdict::Decodable,
                     qPrintable(QString::number(size)));
        QCOMPARE(CheckJpeg(good + "trailing").verdict, JpegVerdict::Malformed);
        QByteArray longSegment = good;
        longSegment[4] = '\xFF'; // the first segment's length runs past the end
        longSegment[5] = '\xFF';
        QVERIFY(CheckJpeg(longSegment).verdict != JpegVerdict::Decodable);
        // No scan at all: a start, a frame header, an end.
        const qsizetype sos = good.indexOf("\xFF\xDA");
        QCOMPARE(CheckJpeg(good.left(sos) + "\xFF\xD9").verdict, JpegVerdict::Unsupported);
    }

    void largePicturesAreDecodedAtAReducedScale() {
        JpegFacts facts;
        for (auto [width, height, scale] :
             {std::tuple{640, 480, 1}, std::tuple{2048, 2048, 1}, std::tuple{2050, 16, 2},
              std::tuple{4096, 4096, 2}, std::tuple{16, 4096, 2}, std::tuple{4095, 4095, 8},
              std::tuple{4094, 2049, 8}, std::tuple{4092, 16, 2}}) {
            facts.width = width;
            facts.height = height;
            QCOMPARE(JpegScaleDenominator(facts), scale);
        }
        const QImage large = DecodeSnapshot(Picture(4096, 2160));
        QCOMPARE(large.size(), QSize(2048, 1080));
        QCOMPARE(DecodeSnapshot(Picture(4092, 16)).size(), QSize(2046, 8));
        QCOMPARE(DecodeSnapshot(Picture(4095, 24)).size(), QSize(511, 3));
        QCOMPARE(DecodeSnapshot(Picture(640, 480)).size(), QSize(640, 480));
        QVERIFY(DecodeSnapshot(Declaring(Picture(64, 64), 30000, 30000)).isNull());
    }

    void streamPartsComeOutWhateverTheChunks() {
        const QList<QByteArray> pictures = {Picture(64, 48), Picture(32, 32), Picture(80, 8)};
        QByteArray withLength, withoutLength, headerless;
        for (const QByteArray& p : pictures) {
            withLength += Part(p);
            withoutLength += Part(p, false);
            headerless += "--frame\r\n" + p + "\r\n";
        }
        struct Case {
            const char* name;
            QByteArray boundary;
            QByteArray stream;
        };
        // A boundary closes a part without a length: the last part waits for the next one.
        for (const Case& c : {Case{"length", "frame", withLength},
                              Case{"length, no boundary named", {}, withLength},
                              Case{"boundary", "frame", withoutLength + "--frame\r\n"},
                              Case{"end marker", {}, withoutLength},
                              Case{"headerless", "frame", headerless + "--frame\r\n"},
                              Case{"headerless, end marker", {}, headerless}}) {
            for (int piece : {1, 2, 7, 100, 1 << 20}) {
                CMjpegSplitter splitter;
                splitter.Reset(c.boundary);
                const QList<QByteArray> got = SplitInPieces(splitter, c.stream, piece);
                QVERIFY2(got == pictures, qPrintable(QStringLiteral("%1, pieces of %2: %3 pictures")
                                                         .arg(QLatin1String(c.name))
                                                         .arg(piece)
                                                         .arg(got.size())));
                QCOMPARE(splitter.State(), CMjpegSplitter::Status::Ok);
            }
        }
    }

    void streamsThatNeverMakeAPictureAreBounded() {
        // Headers that never end.
        CMjpegSplitter endlessHeaders;
        QList<QByteArray> pictures;
        for (int i = 0; i < 1000 && endlessHeaders.State() == CMjpegSplitter::Status::Ok; ++i)
            endlessHeaders.Feed("X-Header: value\r\n", pictures);
        QCOMPARE(endlessHeaders.State(), CMjpegSplitter::Status::Malformed);
        QCOMPARE(endlessHeaders.Buffered(), 0);
        // A length above the cap is refused before the picture is read.
        CMjpegSplitter capped(1000);
        QCOMPARE(capped.Feed("--frame\r\nContent-Length: 1001\r\n\r\n", pictures),
                 CMjpegSplitter::Status::TooLarge);
        // A picture without a length and no end: refused once it passes the cap.
        CMjpegSplitter endless(4096);
        endless.Reset("frame");
        endless.Feed("--frame\r\n\r\n\xFF\xD8", pictures);
        for (int i = 0; i < 100 && endless.State() == CMjpegSplitter::Status::Ok; ++i)
            endless.Feed(QByteArray(100, 'z'), pictures);
        QCOMPARE(endless.State(), CMjpegSplitter::Status::TooLarge);
        QVERIFY(endless.Buffered() < 4096);
        // Not a number, or zero.
        for (const char* bad : {"--f\r\nContent-Length: many\r\n\r\n", "Content-Length: 0\r\n\r\n",
                                "Content-Length: -5\r\n\r\n"}) {
            CMjpegSplitter splitter;
            QCOMPARE(splitter.Feed(bad, pictures), CMjpegSplitter::Status::Malformed);
        }
        QVERIFY(pictures.isEmpty());
        // A picture of exactly the cap, without a length, comes out however the bytes are cut
        // (the boundary's first bytes may arrive before the rest of it).
        const QByteArray atCap = Picture(64, 48);
        const QByteArray stream = "--frame\r\n\r\n" + atCap + "\r\n--frame\r\n";
        for (int piece : {1, 3, int(atCap.size()) + 12, 1 << 20}) {
            CMjpegSplitter exact(atCap.size());
            exact.Reset("frame");
            QCOMPARE(SplitInPieces(exact, stream, piece), QList<QByteArray>{atCap});
            QCOMPARE(exact.State(), CMjpegSplitter::Status::Ok);
        }
        // A part with nothing in it gives no picture; the next one still comes.
        CMjpegSplitter emptyPart;
        emptyPart.Reset("frame");
        const QByteArray small = Picture(8, 8);
        QCOMPARE(emptyPart.Feed("--frame\r\nContent-Type: image/jpeg\r\n\r\n\r\n--frame\r\n\r\n" +
                                    small + "\r\n--frame\r\n",
                                pictures),
                 CMjpegSplitter::Status::Ok);
        QCOMPARE(pictures, QList<QByteArray>{small});
        pictures.clear();
        // After a failure nothing more is taken.
        QCOMPARE(capped.Feed(Part(Picture(8, 8)), pictures), CMjpegSplitter::Status::TooLarge);
        QVERIFY(pictures.isEmpty());
    }

    void theBoundaryIsReadFromTheContentType() {
        QCOMPARE(CMjpegSplitter::BoundaryOf("multipart/x-mixed-replace;boundary=korvane"),
                 QByteArray("korvane"));
        QCOMPARE(CMjpegSplitter::BoundaryOf("multipart/x-mixed-replace; Boundary=\"--cam\"; x=1"),
                 QByteArray("cam"));
        QCOMPARE(CMjpegSplitter::BoundaryOf("image/jpeg"), QByteArray());
        QCOMPARE(CMjpegSplitter::BoundaryOf("multipart/x-mixed-replace;boundary=" +
                                            QByteArray(200, 'b')),
                 QByteArray());
    }
};

QTEST_MAIN(TestCameraBytes)
#include "test_camera_bytes.moc"

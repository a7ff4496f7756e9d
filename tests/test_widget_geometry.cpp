// Segment display geometry and the GIF block walker, on plain data.
#include "core/display/colour_words.h"
#include "core/display/gif_walker.h"
#include "core/display/segment_geometry.h"
#include "gif_fixtures.h"

#include <QFile>
#include <QTest>

using namespace Korvane;

class TestWidgetGeometry : public QObject {
    Q_OBJECT
  private slots:
    void coloursInWords() {
        const struct {
            int r, g, b;
            const char* words;
        } cases[] = {{255, 0, 0, "red"},
                     {0, 255, 0, "green"},
                     {0, 0, 255, "blue"},
                     {255, 255, 0, "yellow"},
                     {0, 255, 255, "cyan"},
                     {255, 0, 255, "magenta"},
                     {255, 128, 0, "orange"},
                     {128, 0, 255, "purple"},
                     {0, 0, 0, "black"},
                     {255, 255, 255, "white"},
                     {128, 128, 128, "grey"},
                     {243, 243, 243, "white"},
                     {200, 200, 200, "light grey"},
                     {0, 100, 0, "dark green"},
                     {255, 160, 160, "light red"},
                     {0, 128, 255, "blue"},
                     {-5, 300, 0, "green"}}; // out of range is clamped, never garbage
        for (const auto& c : cases)
            QCOMPARE(ColourInWords(c.r, c.g, c.b), QString::fromLatin1(c.words));
    }

    void cellsOfTexts() {
        auto cells = BuildCells("12:30");
        QCOMPARE(cells.size(), size_t(5));
        QCOMPARE(LayoutCells(cells, 214, 83).units, 214);
        QCOMPARE(cells[2]->Width(), 18);
        QCOMPARE(cells[2]->SegmentCount(), 3);
        QCOMPARE(cells[2]->LitMask(), quint16(0x3)); // colon lit, point not
        QCOMPARE(cells[0]->LitMask(), quint16(0x24));

        auto lower = BuildCells("a");
        QCOMPARE(lower[0]->SegmentCount(), 14);
        QCOMPARE(lower[0]->LitMask(), quint16(0x3BC0));
        QCOMPARE(BuildCells("1,5").size(), size_t(2)); // the comma leaves no gap
        QCOMPARE(BuildCells("\xE9\x80~").size(), size_t(0));
        QCOMPARE(BuildCells("-. ")[1]->LitMask(), quint16(0x4));
        QCOMPARE(BuildCells("*")[0]->LitMask(), quint16(0x00FF));
    }

    void mirroredOutlines() {
        auto seven = BuildCells("8");
        const auto& s = seven[0]->Segments();
        QCOMPARE(s.size(), size_t(7));
        QCOMPARE(s[2].points,
                 (std::vector<std::pair<int, int>>{{44, 6}, {44, 40}, {37, 36}, {37, 13}}));
        QCOMPARE(s[5].points,
                 (std::vector<std::pair<int, int>>{{44, 76}, {44, 42}, {37, 46}, {37, 69}}));
        QCOMPARE(s[6].points,
                 (std::vector<std::pair<int, int>>{{5, 78}, {12, 71}, {36, 71}, {43, 78}}));
        QCOMPARE(s[0].types,
                 (std::vector<quint8>{PointMoveTo, PointLineTo, PointLineTo, PointLineTo}));
        auto fourteen = BuildCells("W");
        const auto& f = fourteen[0]->Segments();
        QCOMPARE(f[10].points,
                 (std::vector<std::pair<int, int>>{{6, 78}, {11, 71}, {37, 71}, {42, 78}}));
        QCOMPARE(f[7].points, (std::vector<std::pair<int, int>>{
                                  {42, 41}, {34, 45}, {30, 45}, {26, 41}, {30, 37}, {34, 37}}));
        QCOMPARE(f[4].points,
                 (std::vector<std::pair<int, int>>{{43, 77}, {33, 47}, {28, 45}, {30, 57}}));
        // Cells copy their outlines deeply.
        auto copy = fourteen[0]->Clone();
        fourteen.clear();
        QCOMPARE(copy->Segments()[10].points.front(), std::make_pair(6, 78));
    }

    void layoutKeepsTheAspect() {
        auto four = BuildCells("0000");
        SegmentLayout l = LayoutCells(four, 196, 83);
        QCOMPARE(l.scale, 1.0);
        QCOMPARE(l.x0, 0.0);
        QCOMPARE(l.y0, 0.0);
        l = LayoutCells(four, 392, 300); // too tall: margins above and below
        QCOMPARE(l.scale, 2.0);
        QCOMPARE(l.x0, 0.0);
        QCOMPARE(l.y0, (300 - 166) / 2.0);
        l = LayoutCells(four, 1000, 83); // too wide: margins left and right
        QCOMPARE(l.x0, (1000 - 196) / 2.0);
        const auto none = BuildCells("");
        l = LayoutCells(none, 50, 83);
        QCOMPARE(l.units, 0);
        QCOMPARE(l.scale, 1.0);
        QCOMPARE(MapPoint({5, 4}, 1.5, 10.2, 0.3), std::make_pair(18, 6)); // rounded by +0.5
    }

    void penBlend() {
        QCOMPARE(BlendPen({0, 0, 0}, {200, 200, 200}), (SegmentRgb{150, 150, 150}));
        QCOMPARE(BlendPen({0, 0, 0}, {255, 0, 0}), (SegmentRgb{191, 0, 0}));
        QCOMPARE(BlendPen({10, 20, 30}, {0, 52, 0}), (SegmentRgb{2, 44, 7}));
    }

    void walkerReadsBlocks() {
        const QByteArray gif = GifFixtures::TwoFrames();
        const GifInfo info = WalkGif(gif);
        QVERIFY(info.isGif);
        QCOMPARE(info.width, 2);
        QCOMPARE(info.colourTableSize, 6);
        QCOMPARE(info.headerSize, qsizetype(19));
        QCOMPARE(info.frames.size(), size_t(2));
        QVERIFY(!info.frames[0].hasControl);
        QCOMPARE(FrameDelayMs(info.frames[0]), 100);
        QVERIFY(info.frames[1].hasControl);
        QCOMPARE(info.frames[1].delay, quint16(3));
        QCOMPARE(FrameDelayMs(info.frames[1]), 100); // under 5 hundredths
        QCOMPARE(info.frames[1].disposal, quint8(1));
        QCOMPARE(info.frames[1].left, 1);
        const QByteArray one = StandaloneGifFrame(gif, info, info.frames[1]);
        QVERIFY(one.startsWith(gif.left(19)));
        QVERIFY(one.endsWith(";"));
        QCOMPARE(one.mid(19, 8), GifFixtures::Control(1, 3));
    }

    void walkerOnTheFans() {
        for (int id : {336, 337, 338}) {
            QFile f(QStringLiteral(KORVANE_SOURCE_DIR "/resources/pictures/fan_%1.gif").arg(id));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const GifInfo info = WalkGif(f.readAll());
            QCOMPARE(info.width, 120);
            QCOMPARE(info.frames.size(), size_t(12));
            const int expected = id == 336 ? 100 : id == 337 ? 50 : 200;
            for (const GifFrameBlock& b : info.frames)
                QCOMPARE(FrameDelayMs(b), expected);
        }
    }

    void walkerSurvivesDamage() {
        QFile f(QStringLiteral(KORVANE_SOURCE_DIR "/resources/pictures/fan_336.gif"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray fan = f.readAll();
        // Every truncation: never more frames, every frame inside the data.
        size_t previous = 0;
        for (qsizetype n = 0; n <= fan.size(); n += 7) {
            const QByteArray cut = fan.left(n);
            const GifInfo info = WalkGif(cut);
            QVERIFY(info.frames.size() >= previous || n < 13);
            previous = info.frames.size();
            for (const GifFrameBlock& b : info.frames) {
                QVERIFY(b.begin >= info.headerSize && b.begin < b.end && b.end <= cut.size());
            }
        }
        // Unknown block, an extension that is cut off, an empty sub-block chain.
        QCOMPARE(WalkGif(GifFixtures::Header(1, 1) + "\x07garbage").frames.size(), size_t(0));
        QCOMPARE(
            WalkGif(GifFixtures::Header(1, 1) + QByteArray::fromHex("21ff0b4e45")).frames.size(),
            size_t(0));
        QCOMPARE(WalkGif(GifFixtures::Header(1, 1) + QByteArray(5000, '\0')).frames.size(),
                 size_t(0));
        QCOMPARE(WalkGif(GifFixtures::Header(1, 1) + QByteArray::fromHex("21fe") +
                         QByteArray(4000, '\x01'))
                     .frames.size(),
                 size_t(0));
        // A colour table that claims more than the file holds.
        QByteArray big = GifFixtures::Header(65535, 65535);
        big[10] = char(0x87);
        QCOMPARE(WalkGif(big + GifFixtures::Pixel(0, 0, true)).frames.size(), size_t(0));
        QVERIFY(!WalkGif("GIF").frames.size());
        QVERIFY(!WalkGif("PNG").isGif);
    }
};

QTEST_APPLESS_MAIN(TestWidgetGeometry)
#include "test_widget_geometry.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding GIF files into frames: what the animator is given to play.
#include "GIFBuilder.h"
#include "platform/Exceptions.h"

#include <gmock/gmock.h>

namespace platterwise {
namespace {

using namespace platterwise::testing;
using ::testing::HasSubstr;

// A one-pixel GIF89a written out byte by byte (palette white, black; the pixel is index 0,
// declared transparent), so decoding is checked against a file our encoder did not make.
QByteArray OnePixelGif() {
    static const unsigned char bytes[] = {
        'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01, 0x00,
        0x80, 0x00, 0x00,                                           // header, screen
        0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00,                         // palette
        0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00,             // control block
        0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, // descriptor
        0x02, 0x02, 0x44, 0x01, 0x00,                               // pixels
        0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}
constexpr int kControlFlags = 22, kDelayLow = 23, kDelayHigh = 24, kFrameWidth = 32;

TEST(GIFImage, DecodesAHandWrittenFile) {
    TGIFImage image;
    image.LoadFromData(OnePixelGif());
    ASSERT_EQ(image.Count(), 1);
    EXPECT_EQ(image.Size(), QSize(1, 1));
    EXPECT_EQ(image.Palette(), (QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0)}));
    const TGIFFrame& frame = image.Frame(0);
    EXPECT_EQ(frame.Bounds, QRect(0, 0, 1, 1));
    EXPECT_EQ(frame.Delay, 0);
    EXPECT_EQ(frame.Disposal, dmNone);
    EXPECT_EQ(frame.TransparentColor, clWhite);
    EXPECT_EQ(frame.Picture.pixel(0, 0), kSeeThrough);
    EXPECT_TRUE(image.Transparent());
    EXPECT_EQ(image.TransparentColor(), clWhite);
    EXPECT_EQ(image.FrameIndex(), 0);
}

TEST(GIFImage, ReadsDelayInMillisecondsAndDisposal) {
    QByteArray data = OnePixelGif();
    data[kControlFlags] = char((dmBackground << 2) | 1);
    data[kDelayLow] = char(0x04);
    data[kDelayHigh] = char(0x01); // 260 hundredths
    TGIFImage image;
    image.LoadFromData(data);
    EXPECT_EQ(image.Frame(0).Delay, 2600);
    EXPECT_EQ(image.Frame(0).Disposal, dmBackground);

    data[kControlFlags] = char(5 << 2); // a reserved method, and no transparency
    image.LoadFromData(data);
    EXPECT_EQ(image.Frame(0).Disposal, dmNone);
    EXPECT_EQ(image.Frame(0).TransparentColor, clNone);
    EXPECT_EQ(image.Frame(0).Picture.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_FALSE(image.Transparent());
}

TEST(GIFImage, DecodesFramesWithLocalPalettesInterlacingAndBounds) {
    TGIFFrameData local = Solid(QRect(2, 1, 3, 9), kKey, dmPrevious, false, 7);
    local.LocalPalette = {qRgb(10, 20, 30), qRgb(40, 50, 60)};
    for (int y = 0; y < 9; ++y)
        local.Indices[y * 3 + 1] = char(y % 2); // the middle column alternates by row
    local.Interlaced = true;
    const TGIFImage image =
        MakeImage({6, 10}, {Solid(QRect(0, 0, 6, 10), kBlue, dmLeave, true, 3, {{5, 9}}), local});

    ASSERT_EQ(image.Count(), 2);
    EXPECT_EQ(image.Size(), QSize(6, 10));
    EXPECT_EQ(image.Frame(0).Delay, 30);
    EXPECT_EQ(image.Frame(0).TransparentColor, TColor(0x00FF00FF));
    EXPECT_EQ(image.Frame(0).Picture.pixel(0, 0), Palette(kBlue));
    EXPECT_EQ(image.Frame(0).Picture.pixel(5, 9), kSeeThrough);

    const TGIFFrame& second = image.Frame(1);
    EXPECT_EQ(second.Bounds, QRect(2, 1, 3, 9));
    EXPECT_EQ(second.Delay, 70);
    EXPECT_EQ(second.Disposal, dmPrevious);
    EXPECT_EQ(second.TransparentColor, clNone);
    for (int y = 0; y < 9; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(second.Picture.pixel(1, y), y % 2 ? qRgb(40, 50, 60) : qRgb(10, 20, 30));
        EXPECT_EQ(second.Picture.pixel(0, y), qRgb(10, 20, 30));
    }
}

TEST(GIFImage, ShowsIndicesBeyondThePaletteAsBlack) {
    QByteArray data = OnePixelGif();
    data[10] = char(0x00); // no global palette, and the frame has none of its own
    data.remove(13, 6);
    data[kControlFlags - 6] = char(0x00);
    TGIFImage image;
    image.LoadFromData(data);
    EXPECT_TRUE(image.Palette().isEmpty());
    EXPECT_EQ(image.Frame(0).Picture.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(GIFImage, RejectsWhatIsNotAGifAndKeepsTheOldContent) {
    TGIFImage image;
    image.LoadFromData(OnePixelGif());
    for (const QByteArray& bad : {QByteArray(), QByteArray("GIF89a"), QByteArray("PNG\r\n")}) {
        try {
            image.LoadFromData(bad);
            ADD_FAILURE() << "accepted " << bad.toHex().constData();
        } catch (const Exception& error) {
            EXPECT_THAT(error.Message().toStdString(), HasSubstr("GIF image is corrupt"));
        }
        EXPECT_EQ(image.Count(), 1);
    }
}

TEST(GIFImage, RefusesHugeFramesBeforeAllocating) {
    QByteArray data = OnePixelGif();
    for (int i = 0; i < 4; ++i)
        data[kFrameWidth + i] = char(0xFF); // 65535 x 65535
    TGIFImage image;
    EXPECT_THROW(image.LoadFromData(data), Exception);
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.FrameIndex(), -1);
}

TEST(GIFImage, KeepsTheCompleteFramesOfATruncatedFile) {
    const QByteArray whole = EncodeGIF(
        {4, 4}, TestPalette(), {Solid(QRect(0, 0, 4, 4), kRed), Solid(QRect(0, 0, 4, 4), kBlue)});
    TGIFImage image;
    image.LoadFromData(whole.left(whole.size() - 8));
    EXPECT_EQ(image.Count(), 1);
    EXPECT_EQ(image.Frame(0).Picture.pixel(3, 3), Palette(kRed));
}

TEST(GIFImage, ReadsFilesAndReportsMissingOnes) {
    TGIFImage image;
    try {
        image.LoadFromFile(QStringLiteral("/nonexistent/none.gif"));
        ADD_FAILURE();
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Unable to read /nonexistent/none.gif"));
    }
}

} // namespace
} // namespace platterwise

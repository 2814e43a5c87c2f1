#include "widgets/Pictures.h"
#include "TestPictures.h"
#include "widgets/Memo.h"
#include "widgets/PicturePaths.h"
#include "widgets/QuietStyle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {
struct Expected {
    const char* path;
    QSize size;
};

// Opaque pixels in more than one colour: a drawing, not an empty or flat square.
bool looksDrawn(const QImage& image)
{
    int opaque = 0;
    QRgb first = 0;
    bool varied = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 255)
                continue;
            if (opaque++ == 0)
                first = p;
            varied = varied || p != first;
        }
    return opaque > image.width() * image.height() / 10 && varied;
}
} // namespace

TEST(Pictures, EveryResourceRendersAtItsSize)
{
    const Expected all[] = {
        {pictures::faceUp, {100, 35}},         {pictures::faceOver, {100, 35}},
        {pictures::faceDown, {100, 35}},       {pictures::faceDisabled, {100, 35}},
        {pictures::roundUp, {36, 36}},         {pictures::roundOver, {36, 36}},
        {pictures::roundDown, {36, 36}},       {pictures::roundDisabled, {36, 36}},
        {pictures::ballRed, {20, 20}},         {pictures::ballRedDisabled, {20, 20}},
        {pictures::ballGrey, {20, 20}},        {pictures::ballGreyDisabled, {20, 20}},
        {pictures::lineBegin, {6, 17}},        {pictures::lineMiddle, {8, 17}},
        {pictures::lineEnd, {6, 17}},          {pictures::scrollBegin, {4, 11}},
        {pictures::scrollMiddle, {6, 11}},     {pictures::scrollEnd, {4, 11}},
        {pictures::frameTop, {16, 8}},         {pictures::frameBottom, {16, 8}},
        {pictures::frameLeft, {8, 16}},        {pictures::frameRight, {8, 16}},
        {pictures::frameTopLeft, {8, 8}},      {pictures::frameTopRight, {8, 8}},
        {pictures::frameBottomLeft, {8, 8}},   {pictures::frameBottomRight, {8, 8}},
        {pictures::dialogSide, {90, 160}},     {pictures::iconError, {32, 32}},
        {pictures::iconQuestion, {32, 32}},    {pictures::iconWarning, {32, 32}},
        {pictures::iconInformation, {32, 32}}, {pictures::toolNewUser, {32, 32}},
        {pictures::toolSelectUser, {32, 32}},  {pictures::toolTeacher, {32, 32}},
        {pictures::toolExecute, {32, 32}},     {pictures::toolReport, {32, 32}},
        {pictures::toolExit, {32, 32}},        {pictures::treeHeading, {16, 16}},
        {pictures::treeToDo, {16, 16}},        {pictures::treeDone, {16, 16}},
        {pictures::splash, {600, 400}},
    };
    for (const Expected& e : all) {
        const QPixmap picture = renderSvg(QString::fromLatin1(e.path));
        EXPECT_EQ(picture.size(), e.size) << e.path;
        EXPECT_TRUE(looksDrawn(picture.toImage())) << e.path;
    }
    // The symbols are white on nothing: drawn, but in one colour.
    for (const char* symbol :
         {pictures::symbolCheck, pictures::symbolRepeat, pictures::symbolLeave})
        EXPECT_EQ(renderSvg(QString::fromLatin1(symbol)).size(), QSize(20, 20)) << symbol;
}

TEST(Pictures, RendersAtTheAskedSizeAndFailsQuietly)
{
    EXPECT_EQ(renderSvg(QString::fromLatin1(pictures::iconError), {64, 48}).size(), QSize(64, 48));
    EXPECT_TRUE(renderSvg(QStringLiteral(":/pictures/no-such.svg")).isNull());
    EXPECT_TRUE(loadPicture(QStringLiteral("/no/such/file.bmp")).isNull());
}

TEST(Pictures, LoadedBitmapLosesItsTransparentColour)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.bmp"));
    QImage image = keyedPicture({10, 8}, QColor(0, 0, 204)).toImage();
    image.setPixelColor(7, 6, keyColour); // the key colour anywhere, not only in the corner
    ASSERT_TRUE(image.save(path, "BMP"));
    const QImage loaded = loadTransparentBitmap(path).toImage();
    EXPECT_EQ(loaded.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(loaded.pixelColor(7, 6).alpha(), 0);
    EXPECT_EQ(loaded.pixelColor(5, 5), QColor(0, 0, 204));
}

TEST(Pictures, OnlyOpaquePicturesHaveATransparentColour)
{
    EXPECT_EQ(transparentColour(keyedPicture({4, 4}, Qt::blue)), keyColour.rgb());
    EXPECT_EQ(transparentColour(renderSvg(QString::fromLatin1(pictures::iconError))), std::nullopt);
    EXPECT_EQ(transparentColour(keyedPicture({1, 1}, Qt::blue)), std::nullopt);
}

// A drawn picture is kept on disk and read back by the next run; a kept file
// that is short, not ours or of another size is drawn again and replaced.
TEST(Pictures, KeptOnDiskAndDrawnAgainWhenTheFileIsDamaged)
{
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                QStringLiteral("/tolvaren/pictures"));
    folder.removeRecursively();
    const auto render = [] {
        QPixmapCache::clear(); // as a new run: only the disk remembers
        return renderSvg(pictures::toolExit, {32, 32})
            .toImage()
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage drawn = render();
    const QStringList kept = folder.entryList(QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    QFile file(folder.filePath(kept.first()));
    const qint64 fullSize = file.size();
    EXPECT_EQ(fullSize, 12 + 32 * 32 * 4);

    // What is on disk is what is shown: a red picture written in its place.
    QImage red(32, 32, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    const QByteArray header("TVP1\x20\0\0\0\x20\0\0\0", 12);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(header +
               QByteArray(reinterpret_cast<const char*>(red.constBits()), red.sizeInBytes()));
    file.close();
    EXPECT_EQ(render(), red);

    const QByteArray whole = header + QByteArray(32 * 32 * 4, '\x7f');
    for (const QByteArray& damaged :
         {whole.left(5), QByteArray("XXXX") + whole.mid(4), whole + "x"}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();
        EXPECT_EQ(render(), drawn) << damaged.size() << " bytes";
        EXPECT_EQ(QFileInfo(file.fileName()).size(), fullSize) << "written again";
    }
}

TEST(Memo, LinesComeBackUnchangedAndCrBreaksOnScreen)
{
    TMemo memo;
    memo.Add(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "));
    EXPECT_EQ(memo.Lines(), QStringList{QStringLiteral("Ошибка чтения файла.\rПоврежден файл ")});
    EXPECT_EQ(memo.document()->blockCount(), 1) << "laid out only when first shown";
    memo.show();
    EXPECT_EQ(memo.document()->blockCount(), 2);
    memo.Clear();
    EXPECT_TRUE(memo.Lines().isEmpty());
    EXPECT_TRUE(memo.toPlainText().isEmpty());
}

// The bars' extension buttons, read late, draw what the style itself draws.
TEST(QuietStyle, ExtensionPicturesLookAsTheStyleDrawsThem)
{
    QuietStyle style;
    for (QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_DialogOkButton}) {
        const QIcon icon = style.standardIcon(which);
        const QIcon own = style.baseStyle()->standardIcon(which);
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(16).toImage(), own.pixmap(16).toImage()) << which;
        EXPECT_EQ(icon.actualSize({64, 64}), own.actualSize({64, 64})) << which;
    }
}

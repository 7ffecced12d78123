// The pictures on screens of any density: every resource picture has a twin at twice the
// size that shows the same drawing, and the windows show the twin exactly when the screen
// has more than one device pixel per logical pixel, each picture keeping its logical size.
// CTest runs these tests once as they are and once more with QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

#include "ScriptedDialogs.h"
#include "engine/untSquareNames.h"
#include "ui/controls/untPictures.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untMain.h"
#include "ui/game/untSubForm.h"

static void RegisterPictures() {
    Q_INIT_RESOURCE(tolvaney);
}

namespace {

// The pixels alone, comparable across formats and ratios; premultiplied, so that the colour
// of a fully transparent pixel, which nobody sees, does not count.
QImage Pixels(QImage image) {
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    return image;
}

// The largest difference in any channel between the picture and its twin averaged over
// 2 x 2 blocks.
int LargestDifferenceFromTwin(const QImage& small, const QImage& twin) {
    int largest = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            const QRgb block[4] = {twin.pixel(2 * x, 2 * y), twin.pixel(2 * x + 1, 2 * y),
                                   twin.pixel(2 * x, 2 * y + 1), twin.pixel(2 * x + 1, 2 * y + 1)};
            const QRgb pixel = small.pixel(x, y);
            for (const int shift : {0, 8, 16, 24}) {  // blue, green, red, alpha
                const auto channel = [shift](QRgb p) {
                    return static_cast<int>(p >> shift & 0xFF);
                };
                int sum = 0;
                for (const QRgb p : block)
                    sum += channel(p);
                largest = std::max(largest, std::abs((sum + 2) / 4 - channel(pixel)));
            }
        }
    return largest;
}

// The bits per pixel of a bitmap resource, from its header.
int BitmapDepth(const QString& name) {
    QFile file(":/" + name);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QByteArray header = file.read(30);
    if (header.size() < 30 || !header.startsWith("BM")) return 0;
    return static_cast<uint8_t>(header[28]) | static_cast<uint8_t>(header[29]) << 8;
}

TEST(Pictures, TwinsShowTheSameDrawingAtTwiceTheSize) {
    RegisterPictures();
    const struct {
        const char* name;
        int size;
    } pictures[] = {{"KURO", 38}, {"SIRO", 38}, {"BOARD", 322}, {"myCursor", 32}, {"ICON", 64}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const QString name = QString::fromLatin1(picture.name);
        const QImage small = Pixels(QImage(":/" + name));
        const QImage twin = Pixels(QImage(":/" + name + "@2x"));
        ASSERT_EQ(small.size(), QSize(picture.size, picture.size));
        ASSERT_EQ(twin.size(), 2 * small.size());
        // Rounding in the averages of the drawing tool, no more.
        EXPECT_LE(LargestDifferenceFromTwin(small, twin), 1);
    }
    for (const char* disc : {"KURO", "SIRO", "KURO@2x", "SIRO@2x"})
        EXPECT_EQ(BitmapDepth(QString::fromLatin1(disc)), 24) << disc;
}

class PicturesInTheWindows : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = QDir::currentPath();
        ASSERT_TRUE(folder_.isValid());
        QDir::setCurrent(folder_.path());
        form = std::make_unique<TForm1>(std::make_unique<TScriptedDialogs>(dialogs));
        const qreal screen = qApp->devicePixelRatio();
        // A run that asks for a scale factor must really get that density.
        if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
            ASSERT_EQ(screen, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        }
        ratio = std::max<qreal>(screen, 1);
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousFolder_);
    }

    // The shown picture has the logical size and the screen's ratio, and where the screen's
    // ratio is 1 or 2 its pixels are those of the resource picture or its twin.
    void ExpectShows(const QPixmap& shown, const QString& name, int logicalSize) const {
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(logicalSize, logicalSize));
        EXPECT_EQ(shown.devicePixelRatio(), ratio);
        if (ratio == 1 || ratio == 2) {
            const QString resource = ":/" + name + (ratio == 2 ? "@2x" : "");
            EXPECT_EQ(Pixels(shown.toImage()), Pixels(QImage(resource)));
        }
    }

    TScriptedDialogs::TShared dialogs;
    std::unique_ptr<TForm1> form;
    qreal ratio = 1;

private:
    QTemporaryDir folder_;
    QString previousFolder_;
};

TEST_F(PicturesInTheWindows, MatchTheScreensDensityAtTheSameLogicalSize) {
    ExpectShows(form->Image1->pixmap(), "BOARD", 322);
    int discs = 0;
    for (int square = 11; square <= 88; ++square) {
        if (!IsBoardSquare(square) || form->Engine->Boards[0].Cells[square] == EMPTY) continue;
        const bool black = form->Engine->Boards[0].Cells[square] == BLACK;
        ExpectShows(form->Ban[square]->pixmap(), black ? "KURO" : "SIRO", 38);
        ++discs;
    }
    EXPECT_EQ(discs, 4);

    form->PatternEditor->OnImage_Click(form->PatternEditor->EDGE_[1]);  // empty -> black
    ExpectShows(form->PatternEditor->EDGE_[1]->pixmap(), "KURO", 38);

    form->OnBan_Click(form->Ban[SquareOf("f5")]);  // the busy cursor while the computer moves
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    ExpectShows(QApplication::overrideCursor()->pixmap(), "myCursor", 32);
    // The neck of the hourglass, counted in the picture's own pixels as the window system
    // takes it.
    EXPECT_EQ(QApplication::overrideCursor()->hotSpot(), QPoint(16, 16) * ratio);

    const QIcon icon = ApplicationIcon();
    EXPECT_EQ(Pixels(icon.pixmap(QSize(64, 64), ratio).toImage()),
              Pixels(QImage(ratio == 2 ? ":/ICON@2x" : ":/ICON")));

    // Every picture of the three windows, the new-game dialog's placements and the pattern
    // editor's board strips included, is drawn for the screen.
    int pictures = 0;
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) continue;
        EXPECT_EQ(label->pixmap().devicePixelRatio(), ratio) << label->objectName().toStdString();
        ++pictures;
    }
    EXPECT_GE(pictures, 1 + 4 + 4 + 4 + 1);  // board, discs, placements, strips, editor disc
}

}  // namespace

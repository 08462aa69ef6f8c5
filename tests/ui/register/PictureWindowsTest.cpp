#include "PdfText.h"
#include "RecordingOutlets.h"
#include "ScriptedDialogs.h"
#include "core/register/RegisterTexts.h"
#include "ui/register/frmFilebox.h"
#include "ui/register/frmImgBox.h"
#include "ui/register/frmPicture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

QString writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A file of a name the box holds is replaced only on Yes; No keeps the file that was there.
TEST(frmFileboxTest, AFileOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo) {
    QTemporaryDir files;
    QTemporaryDir chosen;
    ScriptedDialogs dialogs;
    RecordingOutlets outlets;
    frmFilebox box(files.path(), 15, dialogs, outlets);
    EXPECT_TRUE(box.shownFiles().isEmpty());

    dialogs.fileNext(writeFile(chosen.filePath("계약서.pdf"), "first"));
    box.cmdAdd_Click();
    EXPECT_EQ(box.shownFiles(), QStringList{"계약서.pdf"});
    const QString kept = files.filePath("15/계약서.pdf");
    EXPECT_EQ(readFile(kept), "first");

    writeFile(chosen.filePath("계약서.pdf"), "second");
    dialogs.fileNext(chosen.filePath("계약서.pdf"));
    dialogs.answerNext(DialogAnswer::No);
    box.cmdAdd_Click();
    EXPECT_EQ(dialogs.lastText(),
              QStringLiteral("같은 이름의 파일이 존재합니다.\r\n\r\n파일을 바꾸시겠습니까 ?"));
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("파일확인"));
    EXPECT_EQ(readFile(kept), "first");

    dialogs.fileNext(chosen.filePath("계약서.pdf"));
    dialogs.answerNext(DialogAnswer::Yes);
    box.cmdAdd_Click();
    EXPECT_EQ(readFile(kept), "second");
    EXPECT_EQ(box.shownFiles(), QStringList{"계약서.pdf"}) << "no half-copied file is left beside it";
}

// Files dropped onto the box fill its free slots; what finds no slot is told.
TEST(frmImgBoxTest, DroppedPicturesFillTheFreeSlots) {
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 7; ++i) {
        paths << dir.filePath(QStringLiteral("p%1.png").arg(i));
        QImage(20, 20, QImage::Format_RGB32).save(paths.last());
    }
    ImageBoxList start;
    start.slot(1) = {ImageBoxSlot::Kind::Stored, QStringLiteral("off9_4.jpg"), true};
    ScriptedDialogs dialogs;
    RecordingOutlets outlets;
    frmImgBox box(start, dir.path(), dialogs, outlets);
    box.addPictures(paths);
    const ImageBoxList filled = box.box();
    EXPECT_EQ(filled.slot(0).entry, paths[0]);
    EXPECT_EQ(filled.slot(1).entry, QStringLiteral("off9_4.jpg")) << "a stored picture keeps its slot";
    EXPECT_EQ(filled.slot(5).entry, paths[4]);
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("빈 칸이 없어 사진 2장은 넣지 못했습니다."));
}

// The printed picture fills its page: the middle of the page is the picture's colour.
TEST(frmPictureTest, ThePictureIsPrintedOnAPageOfItsOwn) {
    QTemporaryDir dir;
    const QString path = dir.filePath("front.png");
    QImage red(400, 300, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path));
    ScriptedDialogs dialogs;
    RecordingOutlets outlets;
    frmPicture view(path, QStringLiteral("사진 1"), dialogs, outlets);
    view.cmdPrint_Click();
    ASSERT_EQ(outlets.pages.size(), 1u);
    const RenderedPdf printed = renderPdf(outlets.pages.back());
    ASSERT_EQ(printed.pages, 1);
    EXPECT_TRUE(printed.text.contains(QStringLiteral("사진 1")));
    const QString png = dir.filePath("page");
    QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "20", "-png", "-singlefile", printed.path, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull()) << "pdftoppm renders the page";
    const QColor middle = page.pixelColor(page.width() / 2, page.height() / 3);
    EXPECT_GT(middle.red(), 200);
    EXPECT_LT(middle.green(), 60);
    EXPECT_LT(middle.blue(), 60);
}

#include "ui/listings/frmSearchPrint.h"
#include "OwnListFixture.h"
#include "PdfText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

using namespace teran;
using namespace teran::test;

namespace {

class frmSearchPrintTest : public OwnListFixture {
protected:
    void SetUp() override {
        OwnListFixture::SetUp();
        search(QStringLiteral("6"));
    }

    frmSearchPrint* openPrint(const QList<int>& rows) {
        tick(rows);
        click(window.get(), "cmdPrint");
        // the newest one: an earlier window may still be open
        const QList<frmSearchPrint*> open = window->findChildren<frmSearchPrint*>();
        return open.isEmpty() ? nullptr : open.last();
    }

    static QStringList headItems(frmSearchPrint* print, bool tickedOnly) {
        auto* head = print->findChild<QListWidget*>(QStringLiteral("lvHead"));
        QStringList items;
        for (int i = 0; head && i < head->count(); ++i)
            if (!tickedOnly || head->item(i)->checkState() == Qt::Checked)
                items << head->item(i)->text();
        return items;
    }

    static void untick(frmSearchPrint* print, const QString& caption) {
        auto* head = print->findChild<QListWidget*>(QStringLiteral("lvHead"));
        const QList<QListWidgetItem*> found = head->findItems(caption, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << caption.toStdString();
        found.first()->setCheckState(Qt::Unchecked);
    }

    QString cell(int row, const QString& caption) {
        return grid->model()->index(row, columnOf(grid, caption)).data().toString();
    }
};

} // namespace

// The columns the list shows are offered, all ticked at first; the picked ones are saved on a Yes
// and ticked the next time; with none picked there is nothing to print.
TEST_F(frmSearchPrintTest, TheListsColumnsAreOfferedAndThePickedOnesKept) {
    frmSearchPrint* print = openPrint({1});
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->isVisible());
    EXPECT_EQ(print->findChild<QLineEdit*>(QStringLiteral("nowFrm"))->text(), QStringLiteral("frmList"));
    QStringList shownColumns;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            shownColumns << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headItems(print, false), shownColumns);
    EXPECT_EQ(headItems(print, true), shownColumns);
    EXPECT_FALSE(headItems(print, false).contains(QStringLiteral("state")));

    untick(print, QStringLiteral("비고"));
    untick(print, QStringLiteral("연락처"));
    office->dialogs.answerNext(DialogAnswer::No);
    click(print, "cmdPsave");
    EXPECT_EQ(last().text, QStringLiteral("현재 선택한 항목을 저장합니다.\r\n\r\n실행 하시겠습니까?"));
    const QString file = office->session().dataFolder().rd() + QStringLiteral("demo_frmListAll_print.ini");
    EXPECT_FALSE(QFile::exists(file));

    office->dialogs.answerNext(DialogAnswer::Yes);
    click(print, "cmdPsave");
    EXPECT_EQ(last().text, QStringLiteral("현재 리스트 간격상태를 저장하였습니다."));
    EXPECT_TRUE(QFile::exists(file));
    const QStringList picked = headItems(print, true);
    click(print, "cmdClose");

    frmSearchPrint* again = openPrint({});
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(headItems(again, true), picked);
    EXPECT_FALSE(picked.contains(QStringLiteral("비고")));
    EXPECT_TRUE(picked.contains(QStringLiteral("번호")));

    auto* head = again->findChild<QListWidget*>(QStringLiteral("lvHead"));
    for (int i = 0; i < head->count(); ++i)
        head->item(i)->setCheckState(Qt::Unchecked);
    click(again, "cmdPrint");
    EXPECT_TRUE(office->outlets.pages.empty());
    EXPECT_EQ(last().text, QStringLiteral("인쇄할 항목을 선택해 주세요."));
}

TEST_F(frmSearchPrintTest, ThePageOfTheTickedRowsGoesToAFileAndThePrinter) {
    // a value that would break the page unescaped
    const int number = window->model()->item(2)->number;
    office->local().execute(QStringLiteral("UPDATE maemul SET mbigo = ? WHERE table_idx = ?"),
                            {QStringLiteral("<b>급매</b> & 역세권"), number});
    window->refresh();
    frmSearchPrint* print = openPrint({2, 4});
    ASSERT_NE(print, nullptr);
    untick(print, QStringLiteral("연락처"));
    untick(print, sharingCaption()); // the remark keeps the room to stand on one line
    click(print, "cmdPrint");
    ASSERT_EQ(office->outlets.pages.size(), 1u);
    const RenderedPdf pdf = renderPdf(office->outlets.pages.back());

    QFile page(office->session().dataFolder().rd() + QStringLiteral("demo.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<title>프린트하기</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>&lt;b&gt;급매&lt;/b&gt; &amp; 역세권</td>")));
    EXPECT_TRUE(
        html.contains(QStringLiteral("<td>") + cell(4, QStringLiteral("번호")) + QStringLiteral("</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<td>연락처</td>")));
    EXPECT_EQ(html.count(QStringLiteral("<tr align=center bgcolor=white>")), 3); // header and two rows

    const QString& text = pdf.text;
    ASSERT_EQ(pdf.pages, 1) << "pdftotext gave nothing";
    for (const QString& caption : {QStringLiteral("번호"), QStringLiteral("종목"), QStringLiteral("매매가")})
        EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<b>급매</b> &"))) << "printed as typed, not as markup";
    EXPECT_TRUE(text.contains(QStringLiteral("역세권")));
    EXPECT_TRUE(text.contains(cell(4, QStringLiteral("읍면동"))));
    EXPECT_FALSE(text.contains(QStringLiteral("연락처")));
}

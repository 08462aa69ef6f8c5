#include "core/listings/ListPrintPage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QList<PrintColumn> kColumns = {{1, QStringLiteral("번호")}, {4, QStringLiteral("비고")}};

} // namespace

TEST(ListPrintPageTest, ThePageHasAHeaderRowAndOneEscapedRowPerTickedListing) {
    const QList<QStringList> rows = {
        {QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("x"), QStringLiteral("y"),
         QStringLiteral("남향")},
        {QStringLiteral("0"), QStringLiteral("15")},
    };
    const QString page = ListPrintPage::html(kColumns, rows);
    const QString expected = QStringLiteral(
        "<html><head><title>프린트하기</title><style> td {font-size: 12px;} </style>"
        "<script>function Wprint() { pt.style.display='none';window.print();}</script></head>"
        "<body leftmargin=0 topmargin=0 oncontextmenu='return false' ondragstart='return false' "
        "onselectstart='return false'><center>"
        "<div id=pt><input type=button value='     인 쇄  하 기     ' onclick='Wprint();' "
        "style='color: #000000;border: 1px solid #5A5A5A;margin: 2px;background-color: "
        "gggggg;'></div>"
        "<table align=center border=0 with='100%' cellpadding=3 cellspacing=1 bgcolor=black>"
        "<tr align=center bgcolor=white><td>번호</td><td>비고</td></tr>"
        "<tr align=center bgcolor=white><td>12</td><td>남향</td></tr>"
        // a short row and an empty cell both print as a blank cell
        "<tr align=center bgcolor=white><td>15</td><td> &nbsp </td></tr>"
        "</table></center></body></html>");
    EXPECT_EQ(page, expected);

    // Values and captions are escaped.
    const QString hostile = ListPrintPage::html({{0, QStringLiteral("<b>비고</b>")}},
                                                {{QStringLiteral("<script>alert('x')</script> & \"q\"")}});
    EXPECT_FALSE(hostile.contains(QStringLiteral("<script>alert")));
    EXPECT_TRUE(
        hostile.contains(QStringLiteral("&lt;script&gt;alert('x')&lt;/script&gt; &amp; &quot;q&quot;")));
    EXPECT_TRUE(hostile.contains(QStringLiteral("<td>&lt;b&gt;비고&lt;/b&gt;</td>")));
}

// The printed page holds the picked columns of the ticked rows, cut from their positions.
TEST(ListPrintPageTest, ThePrintedPageIsATableOfThePickedColumns) {
    const report::Document page = ListPrintPage::report(
        kColumns, {{"0", "12", "x", "y", " 남향 "}, {"0", "15"}}, QStringLiteral("매물리스트"));
    EXPECT_EQ(page.orientation, report::Orientation::Landscape);
    ASSERT_EQ(page.blocks.size(), 1);
    const auto& table = std::get<report::Table>(page.blocks.first());
    EXPECT_EQ(table.header, (QStringList{QStringLiteral("번호"), QStringLiteral("비고")}));
    EXPECT_EQ(table.rows, (QList<QStringList>{{"12", "남향"}, {"15", ""}}));
}

TEST(ListPrintPageTest, ThePageReplacesTheOldOneAsUtf8) {
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    ASSERT_TRUE(folder.ensureFolders());
    const QString path = ListPrintPage::pagePath(folder, QStringLiteral("st1"));
    EXPECT_EQ(QDir::cleanPath(path), QDir::cleanPath(folder.rd() + QStringLiteral("/st1.html")));

    ASSERT_TRUE(ListPrintPage::write(path, QStringLiteral("<html>오래된</html>")));
    ASSERT_TRUE(ListPrintPage::write(path, QStringLiteral("<html>역삼동</html>")));
    EXPECT_EQ(readAll(path), QByteArray("\xEF\xBB\xBF") + QStringLiteral("<html>역삼동</html>").toUtf8());

    // a LoginId that would lead out of rd/ names no file
    EXPECT_TRUE(ListPrintPage::pagePath(folder, QStringLiteral("../x")).isEmpty());
    QString error;
    EXPECT_FALSE(ListPrintPage::write({}, QStringLiteral("x"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ListPrintPage::write(dir.filePath(QStringLiteral("missing/folder/p.html")),
                                      QStringLiteral("x"), &error));
}

TEST(ListPrintPageTest, PickedColumnsAreKeptPerUserAndColumnSet) {
    EXPECT_EQ(PrintColumnsFile::part(ListKind::Own, {}), QStringLiteral("frmListAll"));
    EXPECT_EQ(PrintColumnsFile::part(ListKind::Own, QStringLiteral("all")), QStringLiteral("frmListAll"));
    EXPECT_EQ(PrintColumnsFile::part(ListKind::Group, QStringLiteral("apt")), QStringLiteral("frmListGroup"));
    EXPECT_EQ(PrintColumnsFile::part(ListKind::Own, QStringLiteral("apt")), QStringLiteral("apt_frmList"));
    EXPECT_EQ(PrintColumnsFile::part(ListKind::Shared, {}), QStringLiteral("frmListieAll"));
    EXPECT_EQ(PrintColumnsFile::part(ListKind::Shared, QStringLiteral("land")),
              QStringLiteral("land_frmListie"));

    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    ASSERT_TRUE(folder.ensureFolders());
    const PrintColumnsFile all(folder, QStringLiteral("st1"), ListKind::Own, {});
    const PrintColumnsFile apt(folder, QStringLiteral("st1"), ListKind::Own, QStringLiteral("apt"));
    const PrintColumnsFile other(folder, QStringLiteral("st2"), ListKind::Own, {});
    EXPECT_FALSE(all.exists());
    EXPECT_TRUE(all.read().isEmpty());
    ASSERT_TRUE(all.write({1, 5, 9}));
    EXPECT_EQ(all.read(), (QList<int>{1, 5, 9}));
    EXPECT_EQ(readAll(all.path()), QByteArray("1,5,9,"));
    EXPECT_TRUE(all.path().endsWith(QStringLiteral("st1_frmListAll_print.ini")));
    EXPECT_FALSE(apt.exists());
    EXPECT_FALSE(other.exists());

    // a hand-edited file: repeats and rubbish are dropped, the rest kept in order
    QFile file(apt.path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("3,x,3,-1,7,");
    file.close();
    EXPECT_EQ(apt.read(), (QList<int>{3, 7}));
}

#include "session/UploadCols.h"
#include "TestServices.h"
#include "session/ListingColumns.h"
#include "session/ListingRepository.h"
#include "session/PropertyTypes.h"

#include <QDateTime>
#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

// The middle part of each type's upload list, as the office and the server agree on it.
const QList<std::pair<const char*, const char*>> kMiddles = {
    {"apt", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_g, money_p, "
            "money_sg, money_ys, money_bu, money_bn, mbigo, post, addr1, addr2, addr3, cboname, remake, "
            "maker, makedate, pyung, pyung_use, dong, sedae, opentype, floor_max, floor, room, livingroom, "
            "bathroom, hottype, fuel, direction, elv, internet, bunpo, special, manage, line, station, "
            "walking, education, bus, government, life"},
    {"villa", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_g, "
              "money_p, money_sg, money_ys, money_bu, money_bn, mbigo, post, addr1, addr2, addr3, cboname, "
              "remake, parking, makedate, pyung, pyung_use, dong, sedae, opentype, floor_max, floor, room, "
              "livingroom, bathroom, hottype, fuel, direction, elv, internet, bunpo, special, manage, line, "
              "station, walking, education, bus, government, life"},
    {"opistel", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_g, "
                "money_p, money_sg, money_ys, money_bu, money_bn, mbigo, post, addr1, addr2, addr3, cboname, "
                "remake, parking, makedate, pyung, pyung_use, dong, sedae, gujo, opentype, floor_max, floor, "
                "room, livingroom, bathroom, hottype, fuel, yongdo, direction, elv, internet, bunpo, "
                "special, manage, line, station, walking, education, bus, government, life, budae"},
    {"dan", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, "
            "money_ys, mbigo, post, addr1, addr2, addr3, dosi, makedate, pyung, pyung_use, room, livingroom, "
            "bathroom, fuel, floor, floor_max, direction, parking, magam, gsangtae, special, line, station, "
            "walking, education, bus, government, life"},
    {"junwon", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, "
               "money_ys, mbigo, post, addr1, addr2, addr3, dosi, makedate, pyung, pyung_use, room, "
               "livingroom, bathroom, fuel, floor, floor_max, direction, parking, magam, gsangtae, special, "
               "line, station, walking, education, bus, government, life"},
    {"wonroom", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, mbigo, post, "
                "addr1, addr2, addr3, makedate, pyung, room, parking, sangtae, floor_max, floor, elv, fuel, "
                "direction, special, line, station, walking, education, bus, government, life"},
    {"dagagu",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, money_ys, "
     "mbigo, post, addr1, addr2, addr3, dosi, floor, floor_max, pyung, pyung_use, makedate, remake, "
     "parking_u, parking_d, parking, sangtae, room, livingroom, bathroom, fuel, direction, elv, magam, "
     "gsangtae, room_1, room_2, room_3, special, line, station, walking, education, bus, government, life"},
    {"gunmul", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_g, "
               "money_sg, money_ys, mbigo, post, addr1, addr2, addr3, cboname, pyung, dosi, money_lp, doro, "
               "landtype, pyung_use, gujo, makedate, remake, floor_max, floor, gunmul_bp, gsangtae, magam, "
               "parking_ty, parking_u, parking_d, hottype, fuel, elv_in, elv_su, ydo, special, line, "
               "station, walking, education, bus, government, life"},
    {"gong", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, "
             "money_ys, gaeyak, mbigo, post, addr1, addr2, addr3, cboname, upjong, dosi, pyung, pyung_use, "
             "makedate, floor_max, floor, jungi, mul, chunjung, room, magam, gsangtae, gigu, special, line, "
             "station, walking, education, bus, government, life"},
    {"joouso",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_s, money_sg, "
     "money_ys, gaeyak, mbigo, post, addr1, addr2, addr3, cboname, maker, pyung, pyung_use, makedate, "
     "floor_max, floor, doro, secha, bupi, bupi_l, bupi_ea, poss, dosi, jutek, joou_s, joou_n, joou_g, "
     "budae, special, line, station, walking, education, bus, government, life"},
    {"bgsang", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_p, "
               "money_sg, money_ys, mbigo, post, addr1, addr2, addr3, cboname, makedate, pyung, pyung_use, "
               "floor_max, floor, parking, hottype, fuel, yungdo_n, yungdo_j, special, line, station, "
               "walking, education, bus, government, life"},
    {"jumpo", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_s, money_g, "
              "money_w, money_sg, post, addr1, addr2, addr3, cboname, floor_max, floor, pyung, pyung_use, "
              "maker, hottype, parking, room, chair, desk, interior, exchange, sizip, special, line, "
              "station, walking, education, bus, government, life"},
    {"mulru",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, money_ys, "
     "gaeyak, mbigo, post, addr1, addr2, addr3, makedate, dosi, pyung, pyung_use, magam, floor_max, floor, "
     "doro, chunjung, ydo, special, line, station, walking, education, bus, government, life"},
    {"land", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_p, "
             "money_sg, gaeyak, post, addr1, addr2, addr3, pyung, jimok, dosi, jehan, money_lp, doro, "
             "direction, landtype, ydo, special, line, station, walking, education, bus, government, life"},
    {"office",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_g, money_w, gaeyak, mbigo, "
     "post, addr1, addr2, addr3, cboname, makedate, sangtae, pyung, pyung_use, floor_max, floor, parking, "
     "hottype, elv, internet, special, line, station, walking, education, bus, government, life"},
    {"hotel",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, money_ys, "
     "gaeyak, mbigo, post, addr1, addr2, addr3, pyung, pyung_use, makedate, remake, room, room_top, pyung_r, "
     "pyung_t, doro, floor_max, floor, parking_ty, parking_u, parking_d, elv_in, elv_su, fuel, magam, "
     "gsangtae, sisoul, budae, special, line, station, walking, education, bus, government, life"},
    {"motel",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_s, money_sg, "
     "money_ys, gaeyak, mbigo, post, addr1, addr2, addr3, cboname, pyung, pyung_use, makedate, remake, "
     "floor_max, floor, room, doro, elv, parking_ty, parking_u, parking_d, magam, gsangtae, fuel, sisoul, "
     "budae, special, line, station, walking, education, bus, government, life"},
    {"sanjang", "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_sg, "
                "money_ys, gaeyak, mbigo, post, addr1, addr2, addr3, pyung, pyung_use, makedate, remake, "
                "floor_max, floor, room, parking, fuel, room_s, magam, gsangtae, special, line, station, "
                "walking, education, bus, government, life"},
    {"budongsan",
     "money_m, money_y, money_yeja, money_mb, money_mw, money_jb, money_b, money_w, money_g, money_sg, "
     "money_ys, money_s, post, addr1, addr2, addr3, pyung, floor_max, floor, hottype, fuel, parking, "
     "internet, sizip, ydo, special, line, station, walking, education, bus, government, life"},
};

const QString kLocalHead =
    QStringLiteral("table_idx, tb, ty, id, subid, code, maemaepart, maemultype, bigoie");
const QString kServerHead =
    QStringLiteral("sub_idx, tb, ty, id, subid, code, maemaepart, maemultype, bigoie");
const QString kLocalTail =
    QStringLiteral("imgname1, imgname2, now(), showday, writeday, state, readnum, note, 0, 0");
const QString kServerTail =
    QStringLiteral("imgname1, imgname2, showday, sortday, writeday, state, readnum, note, hitadd, hitmem");

QString joined(const QString& head, const QString& middle, const QString& tail) {
    return head + QStringLiteral(", ") + middle + QStringLiteral(", ") + tail;
}

} // namespace

TEST(UploadCols, HeadMiddleAndTailForEveryType) {
    ASSERT_EQ(kMiddles.size(), 19);
    QSet<QString> covered;
    for (const auto& [tb, middle] : kMiddles) {
        SCOPED_TRACE(tb);
        const QString code = QLatin1String(tb);
        covered.insert(code);
        const UploadColumns cols = UploadCols(code);
        EXPECT_EQ(cols.localSelect, joined(kLocalHead, QLatin1String(middle), kLocalTail));
        EXPECT_EQ(cols.serverInsert, joined(kServerHead, QLatin1String(middle), kServerTail));
        EXPECT_EQ(uploadMiddleColumns(code).join(QStringLiteral(", ")), QLatin1String(middle));
    }
    const QStringList codes = propertyTypeCodes();
    EXPECT_EQ(covered, QSet<QString>(codes.begin(), codes.end()));
    EXPECT_EQ(UploadCols(QStringLiteral("dan")).localSelect,
              UploadCols(QStringLiteral("junwon")).localSelect);
    EXPECT_EQ(UploadCols(QStringLiteral("dan")).serverInsert,
              UploadCols(QStringLiteral("junwon")).serverInsert);
}

// The structured pairs must say the same as the texts, item by item, so a copy routine that
// binds values reads and writes exactly the listed columns.
TEST(UploadCols, PairsMatchTheTextsAndMarkTheConstants) {
    for (const QString& tb : propertyTypeCodes()) {
        SCOPED_TRACE(tb.toStdString());
        const UploadColumns cols = UploadCols(tb);
        const QStringList local = cols.localSelect.split(QStringLiteral(", "));
        const QStringList server = cols.serverInsert.split(QStringLiteral(", "));
        ASSERT_EQ(cols.pairs.size(), local.size());
        ASSERT_EQ(cols.pairs.size(), server.size());
        int uploadTimes = 0;
        int zeros = 0;
        for (int i = 0; i < cols.pairs.size(); ++i) {
            const UploadPair& p = cols.pairs.at(i);
            EXPECT_EQ(p.local, local.at(i));
            EXPECT_EQ(p.server, server.at(i));
            if (p.source == UploadPair::Source::UploadTime) {
                ++uploadTimes;
                EXPECT_EQ(p.server, QStringLiteral("showday"));
            } else if (p.source == UploadPair::Source::Zero) {
                ++zeros;
                EXPECT_TRUE(p.server == QLatin1String("hitadd") || p.server == QLatin1String("hitmem"));
            } else {
                EXPECT_TRUE(isListingColumnOn(p.local, ListingSide::Local)) << p.local.toStdString();
            }
            EXPECT_TRUE(isListingColumnOn(p.server, ListingSide::Server)) << p.server.toStdString();
        }
        EXPECT_EQ(uploadTimes, 1);
        EXPECT_EQ(zeros, 2);
        EXPECT_EQ(cols.pairs.first().local, QStringLiteral("table_idx"));
        EXPECT_EQ(cols.pairs.first().server, QStringLiteral("sub_idx"));
        EXPECT_FALSE(cols.localColumns().contains(QStringLiteral("now()")));
        EXPECT_FALSE(cols.localColumns().contains(QStringLiteral("0")));
        EXPECT_EQ(cols.localColumns().size(), cols.pairs.size() - 3);
        EXPECT_EQ(QSet<QString>(server.begin(), server.end()).size(), server.size())
            << "a server column twice";
    }
}

TEST(UploadCols, MiddleColumnsExistOnBothSidesAndNothingPrivateTravels) {
    const QStringList neverCopied =
        QStringLiteral("addr3_1, addr4, addr5, uname, company, email, uhp, uoffice, uhome, "
                       "ufax, umoney, ubigo, opid, ming, jubsu, groupin, keyword, offday")
            .split(QStringLiteral(", "));
    for (const QString& tb : propertyTypeCodes()) {
        const QStringList middle = uploadMiddleColumns(tb);
        ASSERT_FALSE(middle.isEmpty()) << tb.toStdString();
        for (const QString& column : middle) {
            EXPECT_TRUE(isListingColumnOn(column, ListingSide::Local))
                << tb.toStdString() << " " << column.toStdString();
            EXPECT_TRUE(isListingColumnOn(column, ListingSide::Server))
                << tb.toStdString() << " " << column.toStdString();
        }
        for (const QString& column : UploadCols(tb).serverColumns())
            EXPECT_FALSE(neverCopied.contains(column)) << tb.toStdString() << " " << column.toStdString();
    }
}

TEST(UploadCols, UnknownTypeGivesEmptyLists) {
    for (const QString& tb :
         {QString(), QStringLiteral("APT"), QStringLiteral("dan "), QStringLiteral("all")}) {
        const UploadColumns cols = UploadCols(tb);
        EXPECT_TRUE(cols.isEmpty());
        EXPECT_TRUE(cols.localSelect.isEmpty());
        EXPECT_TRUE(cols.serverInsert.isEmpty());
        EXPECT_TRUE(cols.localColumns().isEmpty());
        EXPECT_TRUE(uploadMiddleColumns(tb).isEmpty());
    }
}

class UploadColsStoreTest : public testing::TestWithParam<Backend> {};

// Reading a local row with the lists and writing the server copy with bound values works on
// both backends for every type, and the copy gets what the lists promise.
TEST_P(UploadColsStoreTest, CopyThroughTheListsOnRealTables) {
    auto office = ScratchStore::sqlite();
    TERAN_SCRATCH_STORE(vendor, GetParam());
    createListingTable(office->store(), ListingSide::Local);
    createListingTable(vendor->store(), ListingSide::Server);
    const QDateTime localShowday(QDate(2024, 3, 1), QTime(9, 30, 0));
    const QDateTime uploadTime(QDate(2024, 3, 5), QTime(14, 0, 1));

    for (const QString& tb : propertyTypeCodes()) {
        SCOPED_TRACE(tb.toStdString());
        const UploadColumns cols = UploadCols(tb);
        ListingRow row{{"tb", tb},
                       {"ty", "M"},
                       {"id", "office1"},
                       {"state", 1},
                       {"showday", localShowday},
                       {"writeday", localShowday.addDays(-3)},
                       {"hitadd", 2},
                       {"hitmem", 1},
                       {"uname", "홍길동"},
                       {"addr4", "123-4"},
                       {"mbigo", "남향 '좋음'"},
                       {"money_m", 150000},
                       {"pyung", 33.5},
                       {"addr1", "서울"}};
        const int number = insertLocal(office->store(), row);

        QStringList quotedColumns;
        for (const QString& c : cols.localColumns())
            quotedColumns << QLatin1Char('`') + c + QLatin1Char('`');
        QSqlQuery read = office->store().query(QStringLiteral("SELECT %1 FROM maemul WHERE table_idx = ?")
                                                   .arg(quotedColumns.join(QStringLiteral(", "))),
                                               {number});
        ASSERT_TRUE(read.next());
        QVariantList values;
        int field = 0;
        for (const UploadPair& p : cols.pairs) {
            if (p.source == UploadPair::Source::UploadTime)
                values << uploadTime;
            else if (p.source == UploadPair::Source::Zero)
                values << 0;
            else
                values << listingValueFor(*findListingColumn(p.local), read.value(field++));
        }
        QStringList serverColumns;
        QStringList marks;
        for (const QString& c : cols.serverColumns()) {
            serverColumns << QLatin1Char('`') + c + QLatin1Char('`');
            marks << QStringLiteral("?");
        }
        vendor->store().execute(
            QStringLiteral("INSERT INTO maemul (%1) VALUES (%2)")
                .arg(serverColumns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            values);

        const auto copy = readServer(vendor->store(), QStringLiteral("office1"), number);
        ASSERT_TRUE(copy.has_value());
        EXPECT_EQ(copy->value("sub_idx").toInt(), number);
        EXPECT_EQ(copy->value("showday").toDateTime(), uploadTime);
        EXPECT_EQ(copy->value("sortday").toDateTime(), localShowday);
        EXPECT_EQ(copy->value("hitadd").toInt(), 0);
        EXPECT_EQ(copy->value("hitmem").toInt(), 0);
        EXPECT_EQ(copy->value("money_m").toLongLong(), 150000);
        EXPECT_EQ(copy->value("mbigo").toString(), tb == QLatin1String("jumpo") ||
                                                           tb == QLatin1String("land") ||
                                                           tb == QLatin1String("budongsan")
                                                       ? QString() // these types do not send the remark
                                                       : QStringLiteral("남향 '좋음'"));
        EXPECT_FALSE(copy->contains(QStringLiteral("uname")));
        EXPECT_FALSE(copy->contains(QStringLiteral("addr4")));
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, UploadColsStoreTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

#include "UploadCols.h"

#include <QHash>

namespace teran {

namespace {

struct Middle {
    const char* tb;
    const char* columns; // joined with ", "
};

// The type-specific middle of the upload lists, the same names on both sides. Detached houses
// and country houses share one list.
const Middle kMiddles[] = {
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

const QHash<QString, QStringList>& middles() {
    static const QHash<QString, QStringList> lists = [] {
        QHash<QString, QStringList> byType;
        for (const Middle& m : kMiddles)
            byType.insert(QString::fromLatin1(m.tb),
                          QString::fromLatin1(m.columns).split(QStringLiteral(", ")));
        byType.insert(QStringLiteral("junwon"), byType.value(QStringLiteral("dan")));
        return byType;
    }();
    return lists;
}

UploadPair copied(const QString& local, const QString& server) {
    return UploadPair{local, server, UploadPair::Source::Column};
}

UploadPair same(const char* name) {
    const QString column = QString::fromLatin1(name);
    return copied(column, column);
}

// The server copy takes its own key from the local number; the rest of the head is copied.
QList<UploadPair> head() {
    QList<UploadPair> pairs{copied(QStringLiteral("table_idx"), QStringLiteral("sub_idx"))};
    for (const char* name : {"tb", "ty", "id", "subid", "code", "maemaepart", "maemultype", "bigoie"})
        pairs << same(name);
    return pairs;
}

// The copy is dated by the upload; its sort key keeps the local modified date; it starts with
// no promotion grades.
QList<UploadPair> tail() {
    return {same("imgname1"),
            same("imgname2"),
            UploadPair{QStringLiteral("now()"), QStringLiteral("showday"), UploadPair::Source::UploadTime},
            copied(QStringLiteral("showday"), QStringLiteral("sortday")),
            same("writeday"),
            same("state"),
            same("readnum"),
            same("note"),
            UploadPair{QStringLiteral("0"), QStringLiteral("hitadd"), UploadPair::Source::Zero},
            UploadPair{QStringLiteral("0"), QStringLiteral("hitmem"), UploadPair::Source::Zero}};
}

} // namespace

QStringList UploadColumns::localColumns() const {
    QStringList columns;
    for (const UploadPair& p : pairs)
        if (p.source == UploadPair::Source::Column)
            columns << p.local;
    return columns;
}

QStringList UploadColumns::serverColumns() const {
    QStringList columns;
    for (const UploadPair& p : pairs)
        columns << p.server;
    return columns;
}

QStringList uploadMiddleColumns(const QString& tb) {
    return middles().value(tb);
}

UploadColumns UploadCols(const QString& tb) {
    const QStringList middle = uploadMiddleColumns(tb);
    if (middle.isEmpty())
        return {};
    UploadColumns result;
    result.pairs = head();
    for (const QString& column : middle)
        result.pairs << copied(column, column);
    result.pairs << tail();
    QStringList local;
    for (const UploadPair& p : result.pairs)
        local << p.local;
    result.localSelect = local.join(QStringLiteral(", "));
    result.serverInsert = result.serverColumns().join(QStringLiteral(", "));
    return result;
}

} // namespace teran

#include "ListingSheet.h"

#include "AutoMoney.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/TypeFields.h"
#include "core/listings/ListCellFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace teran {

namespace {

// The boxes of each type's sheet, then of each of its transaction layouts. "=tb" takes the
// transaction layout of another type; the pictures are not boxes.
struct TypeSheet {
    const char* tb;
    const char* common;
    const char* m;
    const char* j; // nullptr: no layout
    const char* w;
    const char* b;
};

const char* const kAptM = "Dmaemaepart Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_p Dmoney_sg Dmoney_ys";
const char* const kAptJ = "Dmaemaepart Dmoney_b Dmoney_g Dmoney_p Dmaemultype";
const char* const kAptW = "Dmaemaepart Dmoney_jb Dmoney_b Dmoney_g Dmoney_w Dmaemultype";
const char* const kAptB = "Dmoney_m Dmoney_b Dmoney_bu Dmoney_y Dmoney_bn Dmoney_p Dmoney_sg";
const char* const kGongM = "Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_sg Dmoney_ys Dmoney_gp Dmoney_slp";
// gong and mulru have jeonse and monthly layouts without their own list of boxes: composed
// from the pair's amounts as the other types' are.
const char* const kGongJ = "Dmoney_b Dmoney_g Dmaemultype";
const char* const kGongW = "Dmoney_jb Dmoney_b Dmoney_g Dmoney_w Dmaemultype";
const char* const kDanM = "Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_sg Dmoney_ys Dfloor Ddosi Dgsangtae "
                          "Dmagam Dmoney_gp Dmoney_slp";
const char* const kDanJ = "Dmoney_b Dmaemultype Dfloor";
const char* const kDanW = "Dmoney_b Dmoney_jb Dmoney_w Dmaemultype Dfloor";
const char* const kLandJ = "Dmoney_b Dgaeyak Dmaemultype";
const char* const kLandW = "Dmoney_jb Dmoney_b Dmoney_w Dgaeyak Dmaemultype";
const char* const kJoousoJ = "Dmoney_b Dmoney_s Dgaeyak Dmaemultype";
const char* const kJoousoW = "Dmoney_jb Dmoney_b Dmoney_w Dmoney_s Dgaeyak Dmaemultype";
const char* const kBgsangM = "Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_sg Dmoney_ys Dmoney_p";
const char* const kHotel =
    "Didx Daddress Dmaemaepart Dmbigo Dmakedate Dremake Dpyung Dpyung_use Droom Dfloor "
    "Dgsangtae Dmagam Dpyung_room Dfuel Dparking_ty Dparking Delv Ddoro Droom_s Dbudae "
    "Dsubway Dspecial";
const char* const kDan =
    "Dmaemaepart Dmbigo Didx Daddress Dmakedate Dpyung Dpyung_use Dparking Ddirection Droom "
    "Dfuel Dsubway Dspecial Deducation Dbus Dgovernment Dlife";

const TypeSheet kSheets[] = {
    {"apt",
     "Dmbigo Didx Dcboname Daddress Dmaker Dmakedate Dpyung Ddong Dopentype Dfloor Ddirection Droom Dhottype "
     "Dinternet Dsubway Dbunpo Dspecial Deducation Dbus Dgovernment Dlife",
     kAptM, kAptJ, kAptW, kAptB},
    {"villa",
     "Dmbigo Didx Dcboname Daddress Dremake Dmakedate Dpyung Djutak Ddong Dparking Dfloor Ddirection Droom "
     "Dhottype Dinternet Dsubway Dspecial Deducation Dbus Dgovernment Dlife",
     kAptM, "Dmaemaepart Dmoney_b Dmoney_p Dmaemultype",
     "Dmaemaepart Dmoney_jb Dmoney_b Dmoney_w Dmaemultype", kAptB},
    {"opistel",
     "Dmbigo Didx Dcboname Daddress Dremake Dmakedate Dpyung Ddong Dparking Dfloor Ddirection Dhottype "
     "Dinternet "
     "Dsubway Dgujo Dydo Dbudae Dspecial Deducation Dbus Dgovernment Dlife",
     kAptM, kAptJ, kAptW, kAptB},
    {"dan", kDan, kDanM, kDanJ, kDanW, nullptr},
    {"wonroom",
     "Dmaemaepart Dmbigo Didx Daddress Dmakedate Dmoney_g Ddirection Droom Dfuel Dsubway Dspecial Deducation "
     "Dbus "
     "Dgovernment Dlife Dpyung Dfloor Dparking Dsangtae",
     kGongM, nullptr, "Dmoney_jb Dmoney_b Dmoney_w Dmaemultype", nullptr},
    {"dagagu",
     "Dmaemaepart Dmbigo Didx Daddress Dmakedate Ddirection Droom Dfuel Dsubway Dspecial Deducation Dbus "
     "Dgovernment Dlife Dpyung Dpyung_use Dfloor Ddosi Dgsangtae Dmagam Dparking Dremake Djutak Dmoney_gp "
     "Dmoney_slp",
     "Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_sg Dmoney_ys",
     "Dpyung Dmoney_b Dmaemultype Dfloor Dparking Dsangtae", "Dmoney_jb Dmoney_b Dmoney_w Dmaemultype",
     nullptr},
    {"gunmul",
     "Didx Daddress Dcboname Dmaemultype Dmoney_gp Dmoney_slp Dmaemaepart Dmbigo Dpyung Dmoney_lp Dm_tlp "
     "Ddosi "
     "Ddoro Dlandtype Dpyung_use Dgunmul_bp Dmakedate Dremake Dgujo Dfloor Dparking Delv Dhottype Dgsangtae "
     "Dydo "
     "Dmagam Dsubway Dspecial",
     "Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_pg Dmoney_sg Dm_yup", nullptr,
     "Dmoney_jb Dmoney_b Dmoney_g Dmoney_w", nullptr},
    {"junwon", kDan, kDanM, kDanJ, kDanW, nullptr},
    {"gong",
     "Didx Daddress Dmaemaepart Dmbigo Dmakedate Dcboname Dpyung Dpyung_use Dheight Dtonsu Dchunjung Dfloor "
     "Djungi "
     "Ddosi Dgsangtae Dmagam Dgigu Dsubway Dspecial",
     kGongM, kGongJ, kGongW, nullptr},
    {"joouso",
     "Didx Daddress Dmaemaepart Dmbigo Dmakedate Dcboname Dmaker Dpyung Dpyung_use Dposs Dfloor Dsecha Dbupi "
     "Ddosi "
     "Djutek Djoou Ddoro Dbudae Dsubway Dspecial",
     kGongM, kJoousoJ, kJoousoW, nullptr},
    {"bgsang",
     "Didx Daddress Dcboname Dmaemaepart Dmbigo Dmakedate Dhottype Dfuel Dpyung Dparking Dfloor Dyungdo_n "
     "Dyungdo_j "
     "Dsubway Dspecial",
     kBgsangM, nullptr, "Dmoney_jb Dmoney_b Dmoney_g Dmoney_w Dmaemultype", nullptr},
    {"jumpo",
     "Didx Daddress Dmaemaepart Dcboname Dmbigo Dhottype Dpyung Dinterior Dparking Dfloor Droom Dexchange "
     "Dsizip "
     "Dsubway Dspecial",
     kBgsangM, nullptr, "Dmoney_jb Dmoney_b Dmoney_w Dmoney_s Dmoney_sg Dmoney_g", nullptr},
    {"mulru",
     "Didx Daddress Dmaemaepart Dmbigo Dmakedate Ddosi Dpyung Dpyung_use Dchunjung Dfloor Ddoro Dmagam "
     "Dsubway "
     "Dspecial",
     kGongM, kGongJ, kGongW, nullptr},
    {"land",
     "Didx Daddress Dmaemaepart Dmbigo Djimok Ddosi Dpyung Dlandtype Djehan Ddirection Ddoro Dydo Dmoney_lp "
     "Dm_tlp "
     "Dsubway Dspecial",
     "Dmoney_m Dmoney_y Dmoney_sg Dmoney_ys Dm_p", kLandJ, kLandW, nullptr},
    {"office",
     "Didx Daddress Dmaemaepart Dmbigo Dcboname Dhottype Dpyung Dinternet Dparking Dfloor Dsangtae Delv "
     "Dsubway "
     "Dspecial",
     kGongM, nullptr, "Dmoney_jb Dmoney_b Dmoney_w Dmoney_g Dgaeyak Dmaemultype", nullptr},
    {"hotel", kHotel, kGongM, kLandJ, kLandW, nullptr},
    {"motel", nullptr /* as hotel, with the name and without the room area */, kGongM, kJoousoJ, kJoousoW,
     nullptr},
    {"sanjang",
     "Didx Daddress Dmaemaepart Dmbigo Dmakedate Dremake Dpyung Dpyung_use Droom Dfloor Dparking Dgsangtae "
     "Dmagam "
     "Dfuel Droom_s Dsubway Dspecial",
     kGongM, kLandJ, kLandW, nullptr},
    {"budongsan",
     "Didx Dmaemaepart Daddress Dpyung Dmbigo Dfloor Dhottype Dparking Dydo Dinternet Dsizip Dsubway "
     "Dspecial "
     "Deducation Dbus Dgovernment Dlife",
     "Dmoney_m Dmoney_y Dmoney_b Dmoney_w Dmoney_g Dmoney_sg Dm_yup", "Dmoney_b Dmoney_s Dmoney_sg Dmoney_g",
     "Dmoney_jb Dmoney_b Dmoney_w Dmoney_s Dmoney_sg Dmoney_g", nullptr},
};

QStringList words(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList commonBoxes(const TypeSheet& sheet) {
    if (sheet.common)
        return words(sheet.common);
    // motel: the hotel's boxes with the name after the address, without the room area
    QStringList boxes = words(kHotel);
    boxes.removeAll(QStringLiteral("Dpyung_room"));
    boxes.insert(boxes.indexOf(QStringLiteral("Daddress")) + 1, QStringLiteral("Dcboname"));
    return boxes;
}

const char* transactionBoxes(const TypeSheet& sheet, const QString& ty) {
    if (ty == QLatin1String("M"))
        return sheet.m;
    if (ty == QLatin1String("J"))
        return sheet.j;
    if (ty == QLatin1String("W"))
        return sheet.w;
    if (ty == QLatin1String("B"))
        return sheet.b;
    return nullptr;
}

// Whole buildings count their floors and parking from the ground, not per household.
bool wholeBuilding(const QString& tb) {
    static const QStringList kWhole = {"gunmul", "dagagu", "hotel", "motel", "mulru"};
    return kWhole.contains(tb);
}

QString text(const ListingRow& row, const char* column) {
    return row.value(QLatin1String(column)).toString().trimmed();
}
QString number(const ListingRow& row, const char* column) {
    return plainNumber(row.value(QLatin1String(column)));
}
QString amount(const ListingRow& row, const char* column) {
    return formatAmount(row.value(QLatin1String(column)));
}
double value(const ListingRow& row, const char* column) {
    return row.value(QLatin1String(column)).toDouble();
}
// A share of two amounts ("#,##0"), empty where the divisor is empty or zero: a jeonse sheet of
// a listing without an area prints no price per 평 instead of failing.
QString perPyung(double total, double pyung) {
    return pyung > 0 && total != 0 ? formatAmount(qint64(std::llround(total / pyung))) : QString();
}

// "34 평(약 112.40㎡)"; empty without an area.
QString areaText(const ListingRow& row, const char* column) {
    const QString pyung = number(row, column);
    if (pyung.isEmpty() || value(row, column) == 0)
        return {};
    return formatAmount(row.value(QLatin1String(column))) + QStringLiteral(" 평(약 ") +
           squareMetresOf(pyung).value_or(QString()) + QStringLiteral("㎡)");
}

QString joined(const QStringList& parts, const QString& separator) {
    QStringList kept;
    for (const QString& part : parts)
        if (!part.isEmpty())
            kept << part;
    return kept.join(separator);
}

// True when none of the columns holds anything: a box made of them then stays empty instead
// of showing its separators and units alone.
bool allEmpty(const ListingRow& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns)
        if (!row.value(QLatin1String(column)).toString().trimmed().isEmpty())
            return false;
    return true;
}

using Rule = QString (*)(const ListingRow&, const QString& tb, const QString& ty, SheetSource);

QString ruleIdx(const ListingRow& row, const QString&, const QString&, SheetSource source) {
    const char* column = source == SheetSource::Shared ? "sub_idx" : "table_idx";
    return QStringLiteral("관리번호 : ") + amount(row, column) + QStringLiteral(" 번");
}
QString ruleAddress(const ListingRow& row, const QString&, const QString&, SheetSource) {
    return joined({text(row, "addr1"), text(row, "addr2"), text(row, "addr3"), text(row, "addr4")},
                  QStringLiteral(" "));
}
QString ruleMakedate(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (allEmpty(row, {"makedate", "remake"}))
        return {};
    return text(row, "makedate") + QStringLiteral(" / ") + text(row, "remake");
}
QString rulePyung(const ListingRow& row, const QString& tb, const QString&, SheetSource) {
    // The types whose sheet has no box of its own for the second area show it beside the first.
    const TypeRules* rules = typeRules(tb);
    const std::optional<SheetLayout> layout = sheetLayout(tb, QStringLiteral("M"));
    const bool secondHere =
        rules && rules->hasSecondArea() && layout && !layout->aliases.contains(QStringLiteral("Dpyung_use"));
    return secondHere ? joined({areaText(row, "pyung"), areaText(row, "pyung_use")}, QStringLiteral(" / "))
                      : areaText(row, "pyung");
}
QString rulePyungUse(const ListingRow& row, const QString&, const QString&, SheetSource) {
    return areaText(row, "pyung_use");
}
QString ruleDong(const ListingRow& row, const QString& tb, const QString&, SheetSource) {
    if (allEmpty(row, {"dong", "sedae"}))
        return {};
    if (tb == QLatin1String("opistel"))
        return QStringLiteral("총 ") + amount(row, "sedae") + QStringLiteral(" 세대");
    return text(row, "dong") + QStringLiteral(" 동 / ") + amount(row, "sedae") + QStringLiteral(" 세대");
}
QString ruleFloor(const ListingRow& row, const QString& tb, const QString&, SheetSource) {
    if (allEmpty(row, {"floor", "floor_max"}))
        return {};
    if (wholeBuilding(tb))
        return QStringLiteral("지하 ") + text(row, "floor") + QStringLiteral(" 층에 지상 ") +
               number(row, "floor_max") + QStringLiteral(" 층");
    return number(row, "floor_max") + QStringLiteral(" 층 중에 ") + text(row, "floor") +
           QStringLiteral(" 층");
}
QString ruleDirection(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (allEmpty(row, {"direction", "elv"}))
        return {};
    return text(row, "direction") + QStringLiteral(" / ") + text(row, "elv");
}
QString ruleRoom(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (allEmpty(row, {"room", "livingroom", "bathroom"}))
        return {};
    return number(row, "room") + QStringLiteral(" 개 / ") + text(row, "livingroom") + QStringLiteral(" / ") +
           text(row, "bathroom") + QStringLiteral(" 개");
}
QString ruleHottype(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (allEmpty(row, {"hottype", "fuel"}))
        return {};
    return text(row, "hottype") + QStringLiteral(" / ") + text(row, "fuel");
}
QString ruleParking(const ListingRow& row, const QString& tb, const QString&, SheetSource) {
    if (wholeBuilding(tb))
        return allEmpty(row, {"parking_d", "parking_u"})
                   ? QString()
                   : QStringLiteral("지하 ") + number(row, "parking_d") + QStringLiteral(" 대 / 지상 ") +
                         number(row, "parking_u") + QStringLiteral(" 대");
    return allEmpty(row, {"parking"})
               ? QString()
               : QStringLiteral("가구당 ") + number(row, "parking") + QStringLiteral(" 대");
}
QString ruleJutak(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (allEmpty(row, {"room_1", "room_2", "room_3"}))
        return {};
    return QStringLiteral("방 1개가 총 ") + number(row, "room_1") + QStringLiteral(" 세대, 방 2개가 총 ") +
           number(row, "room_2") + QStringLiteral(" 세대, 방 3개이상이 총 ") + number(row, "room_3") +
           QStringLiteral(" 세대");
}
QString ruleSubway(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (text(row, "line").isEmpty())
        return {};
    return text(row, "line") + QLatin1Char(' ') + text(row, "station") + QStringLiteral("역 에서 ") +
           number(row, "walking") + QStringLiteral(" 분거리");
}
QString ruleMaemaepart(const ListingRow& row, const QString&, const QString&, SheetSource) {
    if (allEmpty(row, {"maemaepart"}))
        return {};
    return QStringLiteral("중개구분 : ") + text(row, "maemaepart");
}
// The deposit and rent of a sale are the current tenant's in the office's row; the shared
// copy keeps them in the lease columns.
QString ruleMoneyB(const ListingRow& row, const QString&, const QString& ty, SheetSource source) {
    return amount(row, ty == QLatin1String("M") && source == SheetSource::Own ? "money_mb" : "money_b");
}
QString ruleMoneyW(const ListingRow& row, const QString&, const QString& ty, SheetSource source) {
    return amount(row, ty == QLatin1String("M") && source == SheetSource::Own ? "money_mw" : "money_w");
}
QString ruleMoneyP(const ListingRow& row, const QString&, const QString& ty, SheetSource source) {
    if (ty == QLatin1String("J"))
        return perPyung(value(row, "money_b"), value(row, "pyung"));
    if (source == SheetSource::Shared)
        return perPyung(value(row, "money_m"), value(row, "pyung"));
    return amount(row, "money_p");
}
QString ruleYield(const ListingRow& row, const QString&, const QString&, SheetSource) {
    const QString rate = formatYield(row.value(QStringLiteral("money_ys")));
    return rate.isEmpty() ? QString() : rate + QStringLiteral(" %");
}
QString ruleLandTotal(const ListingRow& row, const QString&, const QString&, SheetSource) {
    AmountTexts texts;
    texts.money_lp = number(row, "money_lp");
    texts.pyung = number(row, "pyung");
    return texts.money_lp.isEmpty() ? QString() : AutoMoney(texts).m_tlp;
}
QString ruleLandPrice(const ListingRow& row, const QString&, const QString&, SheetSource) {
    AmountTexts texts;
    texts.money_m = number(row, "money_m");
    texts.pyung = number(row, "pyung");
    texts.pyung_use = number(row, "pyung_use");
    texts.money_gp = number(row, "money_gp");
    return texts.money_gp.isEmpty() ? QString() : AutoMoney(texts).money_slp;
}
QString ruleHeight(const ListingRow& row, const QString&, const QString&, SheetSource) {
    return joined({number(row, "hmax"), number(row, "hchma")}, QStringLiteral(" / "));
}
QString ruleJoou(const ListingRow& row, const QString&, const QString&, SheetSource) {
    return joined({number(row, "joou_s"), number(row, "joou_n"), text(row, "joou_g")}, QStringLiteral(" / "));
}
QString rulePyungRoom(const ListingRow& row, const QString&, const QString&, SheetSource) {
    return joined({number(row, "pyung_t"), number(row, "pyung_r")}, QStringLiteral(" / "));
}

const QHash<QString, Rule>& rules() {
    static const QHash<QString, Rule> kRules = {
        {"Didx", ruleIdx},
        {"Daddress", ruleAddress},
        {"Dmakedate", ruleMakedate},
        {"Dpyung", rulePyung},
        {"Dpyung_use", rulePyungUse},
        {"Ddong", ruleDong},
        {"Dfloor", ruleFloor},
        {"Ddirection", ruleDirection},
        {"Droom", ruleRoom},
        {"Dhottype", ruleHottype},
        {"Dparking", ruleParking},
        {"Djutak", ruleJutak},
        {"Dsubway", ruleSubway},
        {"Dmaemaepart", ruleMaemaepart},
        {"Dmoney_b", ruleMoneyB},
        {"Dmoney_w", ruleMoneyW},
        {"Dmoney_p", ruleMoneyP},
        {"Dm_p", ruleMoneyP},
        {"Dmoney_ys", ruleYield},
        {"Dm_yup", ruleYield},
        {"Dm_tlp", ruleLandTotal},
        {"Dmoney_slp", ruleLandPrice},
        {"Dheight", ruleHeight},
        {"Djoou", ruleJoou},
        {"Dpyung_room", rulePyungRoom},
    };
    return kRules;
}

// The listing column a plain alias shows ("Dmoney_g" shows money_g).
QString columnOf(const QString& alias) {
    if (alias == QLatin1String("Dcboname"))
        return QStringLiteral("cboname");
    return alias.mid(1);
}

// Captions of the boxes that show more than one field, or a field no form names.
const QHash<QString, QString>& composedCaptions() {
    static const QHash<QString, QString> kCaptions = {
        {"Didx", "관리번호"},
        {"Daddress", "소재지"},
        {"Dmakedate", "준공년도 / 리모델링"},
        {"Ddong", "동 / 세대"},
        {"Dfloor", "해당층 / 총층"},
        {"Ddirection", "방향 / 엘리베이터"},
        {"Droom", "방 / 거실 / 욕실"},
        {"Dhottype", "난방 / 연료"},
        {"Dparking", "주차"},
        {"Djutak", "세대구성"},
        {"Dsubway", "교통(지하철)"},
        {"Dmaemaepart", "중개구분"},
        {"Dm_p", "평당가"},
        {"Dm_yup", "연수익률"},
        {"Dm_tlp", "공시지가 총액"},
        {"Dheight", "공장높이"},
        {"Djoou", "주유기"},
        {"Dpyung_room", "객실당평수"},
        {"Dmoney_slp", "실제 대지가(평당, 만원)"},
        {"Dmoney_ys", "연수익률"},
        {"Dmbigo", "비고"},
        {"Dbunpo", "평형분포"},
        {"Dmoney_pg", "평당가(만원)"},
        {"Dmoney_bu", "불입금(만원)"},
    };
    return kCaptions;
}

// Where a box stands on the page: the address and the name, then what the listing costs, then
// the facts of the property; the long texts last, over the whole width.
int placeOf(const QString& alias) {
    if (alias == QLatin1String("Daddress"))
        return 0;
    if (alias == QLatin1String("Dcboname"))
        return 1;
    if (alias.startsWith(QLatin1String("Dmoney_")) || alias.startsWith(QLatin1String("Dm_")) ||
        alias == QLatin1String("Dmaemaepart") || alias == QLatin1String("Dmaemultype") ||
        alias == QLatin1String("Dgaeyak"))
        return 2;
    return 3;
}

// Boxes of long texts take the whole width of the sheet.
bool wideBox(const QString& alias) {
    static const QStringList kWide = {"Daddress",   "Dmbigo", "Dspecial",    "Djutak", "Dsubway",
                                      "Deducation", "Dbus",   "Dgovernment", "Dlife",  "Dinternet"};
    return kWide.contains(alias);
}

} // namespace

std::optional<SheetLayout> sheetLayout(const QString& tb, const QString& ty) {
    for (const TypeSheet& sheet : kSheets) {
        if (tb != QLatin1String(sheet.tb))
            continue;
        const char* boxes = transactionBoxes(sheet, ty);
        if (!boxes)
            return std::nullopt;
        QStringList aliases = commonBoxes(sheet);
        for (const QString& alias : words(boxes))
            if (!aliases.contains(alias))
                aliases << alias;
        return SheetLayout{tb, ty, aliases};
    }
    return std::nullopt;
}

QList<SheetLayout> sheetLayouts() {
    QList<SheetLayout> all;
    for (const TypeSheet& sheet : kSheets)
        for (const QString& ty : transactionCodes())
            if (const std::optional<SheetLayout> layout = sheetLayout(QLatin1String(sheet.tb), ty))
                all << *layout;
    return all;
}

QString sheetValue(const QString& alias, const ListingRow& row, const QString& tb, const QString& ty,
                   SheetSource source) {
    if (const Rule rule = rules().value(alias))
        return rule(row, tb, ty, source).trimmed();
    const QString column = columnOf(alias);
    if (column.startsWith(QLatin1String("money_")))
        return formatAmount(row.value(column));
    return row.value(column).toString().trimmed();
}

QString sheetCaption(const QString& alias, const QString& tb) {
    const QString column = columnOf(alias);
    const TypeRules* rules = typeRules(tb);
    if (alias == QLatin1String("Dpyung") && rules)
        return rules->firstArea;
    if (alias == QLatin1String("Dpyung_use") && rules && rules->hasSecondArea())
        return rules->secondArea;
    if (alias == QLatin1String("Dcboname") && rules && rules->hasName())
        return rules->nameCaption;
    if (const QString composed = composedCaptions().value(alias); !composed.isEmpty())
        return composed;
    QString caption = anyCaptionOf(column);
    if (rules) {
        if (const TypeField* field = rules->field(column))
            caption = field->caption;
    }
    if (caption.isEmpty())
        return column;
    // Amounts are printed as numbers: the caption says in which unit.
    if (column.startsWith(QLatin1String("money_")) && column != QLatin1String("money_ys") &&
        !caption.contains(QStringLiteral("원")))
        caption += QStringLiteral("(만원)");
    return caption;
}

QString sheetTitle(const QString& tb, const QString& ty) {
    return propertyTypeLabel(tb) + QLatin1Char(' ') + transactionLabel(ty) + QStringLiteral(" 매물 보고서");
}

QString sheetDowntitle() {
    return QStringLiteral("* 본건은 公簿 및 賣渡人 의뢰를 기초로 조사한 것임.");
}

QString noSheetLayoutText(const QString& tb, const QString& ty) {
    return QStringLiteral("%1 %2 매물은 보고서 양식이 없습니다.")
        .arg(propertyTypeLabel(tb), transactionLabel(ty));
}

QString ownSheetCopyright(const OfficeDetails& officeDetails) {
    if (officeDetails.name.isEmpty() && officeDetails.phone.isEmpty())
        return {};
    return officeDetails.name + QLatin1Char('[') + officeDetails.homepage + QStringLiteral("] ☎ ") +
           officeDetails.phone;
}

QString sharedSheetCopyright(const QString& shopName, const QString& homepage, const QString& phone) {
    return shopName + QStringLiteral("    ") + homepage + QStringLiteral("    ") + phone;
}

void findOwnPictures(const ListingRow& row, const QString& filesFolder, SheetExtras& extras) {
    const QDir files(filesFolder);
    for (const auto& [column, target] :
         {std::pair{"imgname1", &extras.picture1}, std::pair{"imgname2", &extras.picture2}}) {
        const QString name = row.value(QLatin1String(column)).toString().trimmed();
        *target =
            !name.isEmpty() && QFileInfo::exists(files.filePath(name)) ? files.filePath(name) : QString();
    }
}

std::optional<report::Document> listingSheet(const ListingRow& row, const QString& tb, const QString& ty,
                                             SheetSource source, const SheetExtras& extras) {
    const std::optional<SheetLayout> layout = sheetLayout(tb, ty);
    if (!layout)
        return std::nullopt;
    report::Document page;
    page.title = sheetTitle(tb, ty);
    page.footer = extras.copyright;
    page.pageNumbers = false;
    page.add(report::Heading{page.title});
    page.add(
        report::Paragraph{sheetValue(QStringLiteral("Didx"), row, tb, ty, source), report::Align::Right});
    page.add(report::Pictures{
        {{extras.picture1, QStringLiteral("사진 1")}, {extras.picture2, QStringLiteral("사진 2")}}, 62});
    QStringList aliases = layout->aliases;
    aliases.removeAll(QStringLiteral("Didx"));
    std::stable_sort(aliases.begin(), aliases.end(), [](const QString& a, const QString& b) {
        return placeOf(a) + (wideBox(a) && placeOf(a) ? 10 : 0) <
               placeOf(b) + (wideBox(b) && placeOf(b) ? 10 : 0);
    });
    report::Fields boxes;
    boxes.pairsPerLine = 2;
    for (const QString& alias : aliases)
        boxes.fields << report::Field{sheetCaption(alias, tb), sheetValue(alias, row, tb, ty, source),
                                      wideBox(alias) ? 2 : 1};
    page.add(boxes);
    page.add(report::Paragraph{sheetDowntitle()});
    return page;
}

} // namespace teran

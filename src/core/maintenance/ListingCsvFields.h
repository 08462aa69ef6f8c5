#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran::listingCsv {

// The fields a column of a CSV file can be read into, named by their captions as the lists and
// the registration form show them: every caption of the own lists (of all types and of each
// type) that holds a stored value, the transaction (거래), a whole address (소재지) and the
// form's fields no list shows. Computed and helper columns (합산금, 사진, 번호, 수정일, 담당자)
// are no fields.
const QStringList& fieldCaptions();

// The field a header caption of a file is taken for: a field caption, a listing column's name
// ("money_m"), a form caption of a column ("전세보증금") or a usual other name ("주소",
// "물건종류"); empty when none fits.
QString proposedField(const QString& header);

// The caption a listing column goes by among the fields (매매가 for money_m, 종목 for tb); its
// form caption, or its own name, when no field shows it alone.
QString captionOfColumn(const QString& column);

// How a field's text becomes listing values.
enum class Fill {
    Column,  // one column, the text as it is
    Pair,    // two columns written "a / b" (평수, 층수)
    Phones,  // the owner's phones uhome / uhp / uoffice; "-" (hidden by the list) is none
    Parking, // spaces per household, or "underground / above ground"
    Type,    // the type as the lists name it; "빌라트" or "아파트(매매)" also give the transaction
    Transaction, // 매매, 전세, 월세, 분양권 or their letters
    Class,       // 분류: a transaction word goes to ty, anything else is the class (maemultype)
    Address,     // a whole address split into addr1..addr4
};

struct FieldFill {
    Fill fill = Fill::Column;
    QStringList columns; // the columns it fills, in the order of the text's parts
};

// What a field fills in a listing of type `tb`: the lists caption some columns per type (평형 of
// 다가구 holds both areas, 현업종 of 공장 the current business). nullopt for a caption that is no
// field.
std::optional<FieldFill> fillOf(const QString& caption, const QString& tb);

// The listing values that `text` of a field gives: column -> text, empty parts included.
QHash<QString, QString> valuesOf(const FieldFill& field, const QString& text);

// The transaction letter a word or letter names ("전세", "J"); empty when it names none.
QString transactionOf(const QString& text);

// The parts addr1..addr4 of a whole address: the region, the city or district (with a district
// of a city: "성남시 분당구"), the town (with its village: "낭성면 관정리") and the rest.
QStringList addressParts(const QString& address);

} // namespace teran::listingCsv

#include "AdvertisingFacts.h"

#include <QString>

namespace teran {

namespace {

QString textOf(const QVariantHash& row, const char* column) {
    return row.value(QString::fromLatin1(column)).toString().trimmed();
}

bool stated(const QVariantHash& row, const char* column) {
    return !textOf(row, column).isEmpty();
}

// An area or a price of 0 says nothing.
bool positive(const QVariantHash& row, const char* column) {
    QString text = textOf(row, column);
    text.remove(QLatin1Char(','));
    return text.toDouble() > 0;
}

bool isDwelling(const QString& tb) {
    static const QStringList dwellings{
        QStringLiteral("apt"),    QStringLiteral("villa"),   QStringLiteral("opistel"), QStringLiteral("dan"),
        QStringLiteral("dagagu"), QStringLiteral("wonroom"), QStringLiteral("junwon")};
    return dwellings.contains(tb);
}

} // namespace

QStringList missingAdvertisingFacts(const QVariantHash& row) {
    QStringList missing;
    const auto need = [&](bool present, const char* caption) {
        if (!present)
            missing << QString::fromUtf8(caption);
    };
    const QString tb = textOf(row, "tb");
    need(stated(row, "addr1") && stated(row, "addr2") && stated(row, "addr3"), "소재지");
    need(positive(row, "pyung"), "면적");
    need(positive(row, "money_m") || positive(row, "money_jb") || positive(row, "money_b") ||
             positive(row, "money_w"),
         "가격");
    need(stated(row, "maemultype"), "거래형태");
    if (tb == QLatin1String("land"))
        return missing;
    need(stated(row, "floor_max"), "총층수");
    need(stated(row, "makedate"), "사용승인일/건축년도");
    need(stated(row, "direction"), "방향");
    if (isDwelling(tb)) {
        need(stated(row, "room"), "방 수");
        need(stated(row, "bathroom"), "욕실 수");
    }
    need(stated(row, "ipjuday"), "입주가능일");
    need(stated(row, "parking") || stated(row, "parking_u") || stated(row, "parking_d"), "주차대수");
    need(stated(row, "money_g"), "관리비");
    return missing;
}

} // namespace teran

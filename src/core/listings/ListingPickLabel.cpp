#include "ListingPickLabel.h"

#include "core/listing/PropertyTypes.h"

namespace teran {

namespace {

const QStringList kNameCaptions = {QStringLiteral("아파트명"),   QStringLiteral("빌라명"),
                                   QStringLiteral("오피스텔명"), QStringLiteral("건물명"),
                                   QStringLiteral("상가명"),     QStringLiteral("호텔명"),
                                   QStringLiteral("모텔명"),     QStringLiteral("공장명"),
                                   QStringLiteral("상호명"),     QStringLiteral("현업종")};
const QStringList kAddressCaptions = {QStringLiteral("읍면동"), QStringLiteral("지번"),
                                      QStringLiteral("호수")};

QString cellOf(const ListColumnSet& columns, const QStringList& cells, const QString& caption) {
    for (int i = 0; i < columns.size() && i < cells.size(); ++i)
        if (columns.at(i).caption == caption)
            return cells.at(i).trimmed();
    return {};
}

QString firstOf(const ListColumnSet& columns, const QStringList& cells, const QStringList& captions) {
    for (const QString& caption : captions)
        if (const QString text = cellOf(columns, cells, caption); !text.isEmpty())
            return text;
    return {};
}

QString addressOf(const ListColumnSet& columns, const QStringList& cells) {
    QStringList parts;
    for (const QString& caption : kAddressCaptions)
        if (const QString text = cellOf(columns, cells, caption); !text.isEmpty())
            parts << text;
    if (parts.isEmpty())
        parts << cellOf(columns, cells, QStringLiteral("군구"));
    return parts.join(QLatin1Char(' ')).trimmed();
}

} // namespace

QString pickLabel(const ListColumnSet& columns, const QStringList& cells, const QString& tb, int number) {
    QString type = cellOf(columns, cells, QStringLiteral("종목"));
    if (type.isEmpty() && !isAllTypes(tb))
        type = propertyTypeLabel(tb);
    QString place = firstOf(columns, cells, kNameCaptions);
    if (place.isEmpty())
        place = addressOf(columns, cells);
    const QString label = (type + QLatin1Char(' ') + place).trimmed();
    return label.isEmpty() ? QStringLiteral("매물 %1").arg(number) : label;
}

} // namespace teran

#include "AddressBook.h"

#include "core/session/Session.h"

#include "core/store/SqlStore.h"

namespace teran {

AddressBook::AddressBook(Session& session)
    : m_store(session.listingStore()) {}

namespace {
const QChar kBlank = QLatin1Char(' ');
constexpr int kRegionLength = 2;
} // namespace

QString TownAddress::itemText() const {
    return addr1 + kBlank + addr2 + kBlank + addr3;
}

std::optional<TownAddress> TownAddress::fromItemText(const QString& text, int addr2Length) {
    const int districtStart = kRegionLength + 1;
    const int townStart = districtStart + addr2Length + 1;
    if (addr2Length < 0 || text.size() <= townStart)
        return std::nullopt;
    if (text.at(kRegionLength) != kBlank || text.at(townStart - 1) != kBlank)
        return std::nullopt;
    TownAddress parts{text.left(kRegionLength), text.mid(districtStart, addr2Length), text.mid(townStart)};
    // A blank at either edge of a part means the cut fell beside the real boundary.
    for (const QString* part : {&parts.addr1, &parts.addr2, &parts.addr3})
        if (part->trimmed() != *part)
            return std::nullopt;
    return parts;
}

QStringList AddressBook::column(const QString& sql, const QVariantList& values) {
    QSqlQuery q = m_store.query(sql, values);
    QStringList result;
    while (q.next()) {
        const QString value = q.value(0).toString();
        if (!value.isEmpty())
            result << value;
    }
    return result;
}

QStringList AddressBook::regions() {
    return column(QStringLiteral("SELECT addr1 FROM post WHERE addr1 <> '' GROUP BY addr1 ORDER BY addr1"));
}

QStringList AddressBook::districts(const QString& addr1) {
    return column(QStringLiteral("SELECT addr2 FROM post WHERE addr1 = ? AND addr2 <> '' "
                                 "GROUP BY addr2 ORDER BY addr2"),
                  {addr1});
}

QStringList AddressBook::towns(const QString& addr1, const QString& addr2) {
    return column(
        QStringLiteral("SELECT addr3 FROM post WHERE addr1 = ? AND COALESCE(addr2, '') = COALESCE(?, '') "
                       "AND addr3 <> '' "
                       "GROUP BY addr3 ORDER BY addr3"),
        {addr1, addr2});
}

QStringList AddressBook::lotParts(const QString& addr1, const QString& addr2, const QString& addr3) {
    return column(
        QStringLiteral("SELECT addr4 FROM post WHERE addr1 = ? AND COALESCE(addr2, '') = COALESCE(?, '') "
                       "AND addr3 = ? "
                       "AND addr4 <> '' GROUP BY addr4 ORDER BY addr4"),
        {addr1, addr2, addr3});
}

QList<TownAddress> AddressBook::searchTowns(const QString& townPart) {
    QSqlQuery q =
        m_store.query(QStringLiteral("SELECT addr1, addr2, addr3 FROM post WHERE addr3 LIKE ?") +
                          SqlStore::likeEscapeSql() +
                          QStringLiteral(" GROUP BY addr1, addr2, addr3 ORDER BY addr1, addr2, addr3"),
                      {SqlStore::likeContains(townPart)});
    QList<TownAddress> result;
    while (q.next())
        result.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    return result;
}

QStringList AddressBook::lines() {
    return column(QStringLiteral("SELECT sline FROM subway WHERE sline <> '' GROUP BY sline ORDER BY sline"));
}

QStringList AddressBook::stations(const QString& line) {
    return column(QStringLiteral("SELECT station FROM subway WHERE sline = ? AND station <> '' "
                                 "GROUP BY station ORDER BY station"),
                  {line});
}

} // namespace teran

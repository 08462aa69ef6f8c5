#include "ListingSheetPrint.h"

#include "core/session/DailyLog.h"
#include "core/session/Session.h"

namespace teran {

namespace {

const QString kLogLabel = QStringLiteral("매물보고서 ShowListingReport => ");

} // namespace

ListingSheetPrint::ListingSheetPrint(Session& session, PictureFetch fetch)
    : m_session(session)
    , m_fetch(fetch ? std::move(fetch) : webPictureFetch(session)) {}

QString ListingSheetPrint::notFoundText(int number) {
    return QStringLiteral("매물번호 %1 번의 매물이 없습니다.").arg(number);
}

SheetPrint ListingSheetPrint::own(int number, const QString& ty) {
    std::optional<ListingRow> row;
    try {
        row = readLocal(m_session.listingStore(), number);
    } catch (const StoreError& error) {
        m_session.WriteLog(DailyLog::errorMessage(kLogLabel, error));
        return {std::nullopt, error.description()};
    }
    if (!row)
        return {std::nullopt, notFoundText(number)};
    SheetExtras extras;
    findOwnPictures(*row, m_session.dataFolder().files(), extras);
    extras.copyright = ownSheetCopyright(m_session.state().AuthConfig);
    return make(*row, ty, SheetSource::Own, extras);
}

SheetPrint ListingSheetPrint::shared(int serverIdx, const QString& ty) {
    std::optional<ListingRow> row;
    SheetExtras extras;
    try {
        m_session.ensureOpen();
        row = readServerRow(m_session.serverStore(), serverIdx);
        if (row)
            extras.copyright = sharedCopyright(row->value(QStringLiteral("subid")).toString());
    } catch (const StoreError& error) {
        m_session.WriteLog(DailyLog::errorMessage(kLogLabel, error));
        return {std::nullopt, error.description()};
    }
    if (!row)
        return {std::nullopt, notFoundText(serverIdx)};
    if (m_fetch) {
        for (const auto& [column, target] :
             {std::pair{"imgname1", &extras.picture1}, std::pair{"imgname2", &extras.picture2}}) {
            const QString name = row->value(QLatin1String(column)).toString().trimmed();
            if (!name.isEmpty())
                *target = m_fetch(name);
        }
    }
    return make(*row, ty, SheetSource::Shared, extras);
}

SheetPrint ListingSheetPrint::make(const ListingRow& row, const QString& ty, SheetSource source,
                                   SheetExtras extras) {
    const QString tb = row.value(QStringLiteral("tb")).toString();
    const QString pair = ty.isEmpty() ? row.value(QStringLiteral("ty")).toString() : ty;
    std::optional<report::Document> page = listingSheet(row, tb, pair, source, extras);
    if (!page)
        return {std::nullopt, noSheetLayoutText(tb, pair)};
    return {std::move(page), QString()};
}

// The office that owns a shared listing, found through the agent in charge of it.
QString ListingSheetPrint::sharedCopyright(const QString& agentId) {
    QSqlQuery q = m_session.serverStore().query(
        QStringLiteral("SELECT A.shopName, A.homepage, A.homtel FROM members A, members B "
                       "WHERE A.companyid = B.companyid AND A.companyid = A.memid AND B.memid = ?"),
        {agentId});
    if (!q.next())
        return {};
    return sharedSheetCopyright(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
}

} // namespace teran

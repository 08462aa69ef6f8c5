#include "ListingRowInfo.h"
#include "core/store/RowWriter.h"

#include "core/listing/TypeFields.h"

#include "ListCellFormat.h"
#include "core/listing/ListingColumns.h"
#include "core/listing/ListingValue.h"
#include "core/listing/PropertyTypes.h"
#include "core/pictures/PictureSession.h"
#include "core/session/Session.h"
#include "core/session/WorkNotes.h"

#include <QFileInfo>
#include <memory>

namespace teran {

namespace {

const QString kLine = QStringLiteral("\n");

QString localPicture(const Session& session, const QString& name) {
    if (name.trimmed().isEmpty())
        return {};
    const QFileInfo file(session.dataFolder().files() + QLatin1Char('/') + name);
    return file.isFile() ? file.absoluteFilePath() : QString();
}

QString ownerText(const QSqlQuery& q, const QString& loginId) {
    const QString name = q.value(2).toString();
    const QString home = q.value(3).toString();
    const QString mobile = q.value(4).toString();
    const QString keeper = q.value(5).toString();
    if (!keeper.isEmpty() && keeper != loginId)
        return QStringLiteral("-"); // the grid hides these phones too
    if (name.isEmpty() && home.isEmpty() && mobile.isEmpty())
        return noOwnerInfoText();
    return name + QStringLiteral(" [집]") + home + QStringLiteral(" [핸]") + mobile;
}

// The newest note of the listing the user may see.
QString latestWork(Session& session, int number) {
    const QList<WorkNote> notes = WorkNoteBook(session).ofListing(number);
    if (notes.isEmpty())
        return noWorkNoteText();
    const QDateTime when = notes.first().writeday;
    const QString day =
        when.isValid() ? when.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') : QString();
    return day + notes.first().work;
}

QString fetched(const PictureFetch& fetch, const QString& name) {
    return fetch && !name.trimmed().isEmpty() ? fetch(name) : QString();
}

QString valueText(const ColumnDef& column, const QVariant& value, const QString& ty) {
    if (!value.isValid() || value.isNull())
        return {};
    if (column.name == QLatin1String("tb"))
        return propertyTypeLabel(value.toString(), ty);
    if (column.name == QLatin1String("ty"))
        return transactionLabel(value.toString());
    switch (column.type) {
    case ColumnType::BigInt:
        return value.toLongLong() == 0 ? QString() : formatAmount(value);
    case ColumnType::Decimal:
        return value.toDouble() == 0 ? QString() : plainNumber(value);
    case ColumnType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value.toString().trimmed();
    }
}

} // namespace

QString noOwnerInfoText() {
    return QStringLiteral("등록자정보없음.");
}

QString noWorkNoteText() {
    return QStringLiteral("작업내용없음.");
}

RowDetails ownRowDetails(Session& session, int number) {
    RowDetails details;
    details.number = number;
    SqlStore& store = session.listingStore();
    QSqlQuery q = store.query(
        QStringLiteral("SELECT imgname1, imgname2, uname, uhome, uhp, opid FROM maemul WHERE table_idx = ?"),
        {number});
    QString owner = noOwnerInfoText();
    if (q.next()) {
        details.picture1 = localPicture(session, q.value(0).toString());
        details.picture2 = localPicture(session, q.value(1).toString());
        owner = ownerText(q, session.state().LoginId);
    }
    details.infoText = owner + kLine + latestWork(session, number);
    return details;
}

RowDetails sharedRowDetails(Session& session, int serverIdx, const PictureFetch& fetch) {
    RowDetails details;
    details.number = serverIdx;
    details.infoText = noOwnerInfoText();
    SqlStore& server = session.serverStore();
    QSqlQuery row = server.query(
        QStringLiteral("SELECT id, subid, bigoie, imgname1, imgname2 FROM maemul WHERE table_idx = ?"),
        {serverIdx});
    if (!row.next())
        return details;
    const QString officeId = row.value(0).toString();
    const QString agentId = row.value(1).toString();
    const QString remark = row.value(2).toString();
    const QString image1 = row.value(3).toString();
    const QString image2 = row.value(4).toString();

    QStringList lines;
    const QString shop =
        server.scalar(QStringLiteral("SELECT shopname FROM members WHERE memID = ?"), {officeId}).toString();
    if (!shop.isEmpty())
        lines << shop;
    QSqlQuery agent = server.query(
        QStringLiteral("SELECT showname, homtel, hantel FROM members WHERE memID = ?"), {agentId});
    if (agent.next()) {
        lines << QStringLiteral("[") + agent.value(0).toString() + QStringLiteral("]")
              << agent.value(1).toString() + QStringLiteral(" [대]")
              << agent.value(2).toString() + QStringLiteral(" [담]");
        if (!remark.isEmpty())
            lines << remark;
    } else {
        lines << noOwnerInfoText();
    }
    details.infoText = lines.join(kLine);
    details.picture1 = fetched(fetch, image1);
    details.picture2 = fetched(fetch, image2);
    return details;
}

PictureFetch webPictureFetch(Session& session, int stallSeconds) {
    const bool local = session.config().ftpHost.isEmpty(); // pictures kept on this machine
    if (!session.state().InternetOk || (!local && session.config().webBaseUrl.isEmpty()))
        return {};
    std::shared_ptr<PictureStore> store = sessionPictureStores(session)();
    store->setTimeouts(stallSeconds, stallSeconds);
    // While the vendor's server is known silent, a picture is left out rather than waited for.
    return [store, local, health = session.serverHealth()](const QString& name) {
        return local || !health->waiting() ? store->DownloadPicture(name) : QString();
    };
}

namespace {

// The caption of a column in the detail view: as the form of the listing's type calls it, and
// for the columns of every listing as the lists call them. Empty for a column not shown.
QString detailCaption(const TypeRules* rules, const QString& column) {
    static const QHash<QString, QString> everyListing{{QStringLiteral("sub_idx"), QStringLiteral("번호")},
                                                      {QStringLiteral("tb"), QStringLiteral("종목")},
                                                      {QStringLiteral("ty"), QStringLiteral("분류")},
                                                      {QStringLiteral("subid"), QStringLiteral("담당자")},
                                                      {QStringLiteral("writeday"), QStringLiteral("등록일")},
                                                      {QStringLiteral("showday"), QStringLiteral("수정일")},
                                                      {QStringLiteral("bigoie"), QStringLiteral("메모")}};
    if (const auto it = everyListing.constFind(column); it != everyListing.constEnd())
        return *it;
    const TypeField* field = rules ? rules->field(column) : nullptr;
    // The form's own bookkeeping (its form combo, progress, staff) is not part of a shared listing.
    if (!field || field->column == QLatin1String("maemultype"))
        return {};
    return field->caption;
}

} // namespace

QList<DetailField> sharedListingDetail(SqlStore& server, int serverIdx) {
    const QList<ColumnDef> columns = listingColumnsOf(ListingSide::Server);
    QStringList names;
    for (const ColumnDef& c : columns)
        names << c.name;
    QSqlQuery q = server.query(QStringLiteral("SELECT ") + quotedNames(names) +
                                   QStringLiteral(" FROM maemul WHERE table_idx = ?"),
                               {serverIdx});
    QList<DetailField> fields;
    if (!q.next())
        return fields;
    QHash<QString, QVariant> row;
    for (int i = 0; i < columns.size(); ++i)
        row.insert(columns.at(i).name, listingValueFromStore(columns.at(i), q.value(i)));
    const QString tb = row.value(QStringLiteral("tb")).toString();
    const QString ty = row.value(QStringLiteral("ty")).toString();
    const TypeRules* rules = typeRules(tb);
    for (const ColumnDef& c : columns) {
        QString caption = detailCaption(rules, c.name);
        QString value = valueText(c, row.value(c.name), ty);
        if (c.name == QLatin1String("floor")) {
            caption = QStringLiteral("층수");
            const QString top = row.value(QStringLiteral("floor_max")).toString();
            if (!value.isEmpty() && !top.isEmpty() && top != QLatin1String("0"))
                value += QStringLiteral(" / ") + top;
        }
        if (caption.isEmpty() || value.isEmpty())
            continue;
        fields << DetailField{caption, value};
    }
    return fields;
}

QList<DetailField> sharedListingDetail(Session& session, int serverIdx) {
    return sharedListingDetail(session.serverStore(), serverIdx);
}

} // namespace teran

#include "Inquiry.h"
#include "core/session/ServerReader.h"
#include "core/session/Session.h"

#include "core/listing/ListingRepository.h"
#include "core/store/SqlStore.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace teran {

QString inquiryBody(const QString& stored) {
    static const QRegularExpression br(QStringLiteral("<br\\s*/?>"),
                                       QRegularExpression::CaseInsensitiveOption);
    return QString(stored).replace(br, QStringLiteral("\n"));
}

QString inquiryTime(const QDateTime& at) {
    if (!at.isValid())
        return {};
    const int hour = at.time().hour();
    const int twelve = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1-%2-%3 %4 %5:%6:%7")
        .arg(at.date().year())
        .arg(at.date().month())
        .arg(at.date().day())
        .arg(hour < 12 ? QStringLiteral("오전") : QStringLiteral("오후"))
        .arg(twelve, 2, 10, QLatin1Char('0'))
        .arg(at.time().minute(), 2, 10, QLatin1Char('0'))
        .arg(at.time().second(), 2, 10, QLatin1Char('0'));
}

QString inquiryTimes(const Inquiry& inquiry) {
    return QStringLiteral("받은시간 [%1] 읽은시간 [%2]")
        .arg(inquiryTime(inquiry.receivedAt), inquiryTime(inquiry.readAt));
}

namespace {

// A vendor server not yet upgraded has no `fromid`: its messages then all count as the web's.
bool keepsWriter(const SqlStore& server) {
    return server.columnsOf(QStringLiteral("mem_paper"))
        .contains(QStringLiteral("fromid"), Qt::CaseInsensitive);
}

} // namespace

InquiryBox::InquiryBox(SqlStore& server, QString officeId)
    : m_server(server)
    , m_officeId(std::move(officeId)) {}

InquiryBox::InquiryBox(Session& s)
    : InquiryBox(s.serverStore(), s.state().OfficeMainId) {}

std::optional<QList<Inquiry>> InquiryBox::listOf(Session& session, const std::function<bool()>& cancelled) {
    ServerReader* reader = session.reader();
    if (!reader)
        return InquiryBox(session).list();
    return reader->read<QList<Inquiry>>(
        [](Session& readerSession) { return InquiryBox(readerSession).list(); }, cancelled);
}

QList<Inquiry> InquiryBox::list() {
    QSqlQuery q = m_server.query(
        QStringLiteral(
            "SELECT table_idx, id, %1, tb, tidx, name, tel, email, title, content, readok, readday, "
            "writeday FROM mem_paper WHERE toid = ? ORDER BY writeday DESC, table_idx DESC")
            .arg(keepsWriter(m_server) ? QStringLiteral("fromid") : QStringLiteral("''")),
        {m_officeId});
    QList<Inquiry> found;
    while (q.next()) {
        Inquiry m;
        m.number = q.value(0).toInt();
        m.addressee = q.value(1).toString();
        m.from = q.value(2).toString();
        m.tb = q.value(3).toString();
        m.listing = q.value(4).toInt();
        m.name = q.value(5).toString();
        m.tel = q.value(6).toString();
        m.email = q.value(7).toString();
        m.title = q.value(8).toString();
        m.content = q.value(9).toString();
        m.read = q.value(10).toInt() == 1;
        m.readAt = SqlStore::toDateTime(q.value(11));
        m.receivedAt = SqlStore::toDateTime(q.value(12));
        found << m;
    }
    return found;
}

std::optional<QDateTime> InquiryBox::markRead(int number) {
    m_server.execute(
        QStringLiteral("UPDATE mem_paper SET readok = 1, readday = %1 WHERE table_idx = ? AND toid = ? "
                       "AND (readok IS NULL OR readok <> 1)")
            .arg(m_server.nowSql()),
        {number, m_officeId});
    QSqlQuery q =
        m_server.query(QStringLiteral("SELECT readday FROM mem_paper WHERE table_idx = ? AND toid = ?"),
                       {number, m_officeId});
    if (!q.next())
        return std::nullopt;
    return SqlStore::toDateTime(q.value(0));
}

bool InquiryBox::remove(int number) {
    return m_server.execute(QStringLiteral("DELETE FROM mem_paper WHERE table_idx = ? AND toid = ?"),
                            {number, m_officeId}) > 0;
}

QString inquiryProblem(const InquiryDraft& d) {
    if (d.name.trimmed().isEmpty())
        return QStringLiteral("이름을 적어주세요");
    if (d.tel.trimmed().isEmpty())
        return QStringLiteral("연락처를 적어주세요");
    if (d.title.trimmed().isEmpty())
        return QStringLiteral("제목을 적어주세요");
    if (d.content.trimmed().isEmpty())
        return QStringLiteral("내용을 적어주세요");
    return {};
}

QString inquirySubject(int listing, bool answer) {
    return QStringLiteral("매물번호 ") + QString::number(listing) + QStringLiteral(" 번에 관련 ") +
           (answer ? QStringLiteral(" 답변 입니다.") : QStringLiteral(" 문의 입니다."));
}

InquiryPost::InquiryPost(SqlStore& server)
    : m_server(server) {}

InquiryPost::InquiryPost(Session& s)
    : InquiryPost(s.serverStore()) {}

std::optional<InquiryDraft> InquiryPost::aboutSharedListing(int serverRow) {
    const std::optional<ListingRow> row = readServerRow(m_server, serverRow);
    if (!row)
        return std::nullopt;
    InquiryDraft d;
    const QString agent = row->value(QStringLiteral("subid")).toString();
    d.addressee = agent.isEmpty() ? row->value(QStringLiteral("id")).toString() : agent;
    d.tb = row->value(QStringLiteral("tb")).toString();
    d.listing = row->value(QStringLiteral("sub_idx")).toInt();
    d.title = inquirySubject(d.listing, false);
    return d;
}

std::optional<InquiryDraft> InquiryPost::answerTo(const Inquiry& inquiry) {
    if (inquiry.from.isEmpty())
        return std::nullopt;
    InquiryDraft d;
    d.addressee = inquiry.from;
    d.tb = inquiry.tb;
    d.answer = true;
    d.title =
        inquiry.listing > 0 ? inquirySubject(inquiry.listing, true) : QStringLiteral("Re: ") + inquiry.title;
    return d;
}

bool InquiryPost::send(const InquiryDraft& d) {
    const QString office =
        m_server.scalar(QStringLiteral("SELECT companyID FROM members WHERE memID = ?"), {d.addressee})
            .toString();
    if (office.isEmpty())
        return false;
    const bool writer = keepsWriter(m_server);
    QVariantList values{d.addressee, office};
    if (writer)
        values << d.from;
    values << d.tb << (d.answer ? 0 : d.listing) << d.name << d.tel << d.email << d.title << d.content;
    m_server.execute(
        QStringLiteral("INSERT INTO mem_paper (id, toid, %1tb, ty, tidx, name, tel, email, title, "
                       "content, readok, writeday) VALUES (%2, '', %3, 0, %4)")
            .arg(writer ? QStringLiteral("fromid, ") : QString(), SqlStore::placeholders(writer ? 4 : 3),
                 SqlStore::placeholders(6), m_server.nowSql()),
        values);
    return true;
}

QString InquiryTexts::loading(int total, int done) {
    return QStringLiteral("문의함 - 총 %1 개의 데이타중 %2 개 로딩중입니다.").arg(total).arg(done);
}

QString InquiryTexts::found(int total) {
    return QStringLiteral("문의함 - 검색된 데이타가 총 %1 건입니다.").arg(total);
}

} // namespace teran

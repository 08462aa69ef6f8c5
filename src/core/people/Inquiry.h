#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace teran {

class Session;

class SqlStore;

// A message left for an office about one of its listings (`mem_paper` on the vendor's server),
// by someone on the web or by another office from this program.
struct Inquiry {
    int number = 0;    // `table_idx`
    QString addressee; // `id`: the member it was written to
    QString from;      // `fromid`: the member who wrote it from the program; empty from the web
    QString tb;
    int listing = 0; // `tidx`: the addressed office's listing; 0 when none (an answer)
    QString name, tel, email, title, content;
    bool read = false;
    QDateTime readAt, receivedAt;
};

// The body as it is shown: the web's "<br>" become line breaks.
QString inquiryBody(const QString& stored);
// "yyyy-m-d 오전/오후 hh:mm:ss" ("2026-12-8 오후 03:04:05"); empty for a missing time.
QString inquiryTime(const QDateTime& at);
// "받은시간 [...] 읽은시간 [...]"
QString inquiryTimes(const Inquiry& inquiry);

// The inquiry box of one office. Every statement holds the office's own messages only
// (`toid`), so no office can read, mark or delete what was written to another.
class InquiryBox {
public:
    InquiryBox(SqlStore& server, QString officeId);
    // The session's: the office's box on the server.
    explicit InquiryBox(Session& session);

    QList<Inquiry> list(); // newest first
    // The session's box as its window reads it: by the session's ServerReader, off the window's
    // thread, when the program runs one (nullopt: given up, the server did not answer or
    // `cancelled` said so), else in place. Throws StoreError.
    static std::optional<QList<Inquiry>> listOf(Session& session,
                                                const std::function<bool()>& cancelled = {});
    // Marks a message read at the server's time, once: the time of the first reading stays.
    // The read time, or nullopt when the office has no such message.
    std::optional<QDateTime> markRead(int number);
    bool remove(int number);

private:
    SqlStore& m_server;
    QString m_officeId;
};

// A message being written in the entry window.
struct InquiryDraft {
    QString addressee; // the member it goes to
    QString from;      // the member writing it
    QString tb;
    int listing = 0;
    bool answer = false; // written from the box in answer to a message
    QString name, tel, email, title, content;
};

// The first check the draft fails, in the window's order; empty when it can be sent.
QString inquiryProblem(const InquiryDraft& draft);
// "매물번호 12 번에 관련  문의 입니다." (or " 답변 입니다." for an answer).
QString inquirySubject(int listing, bool answer);

// Writes messages into other offices' boxes.
class InquiryPost {
public:
    explicit InquiryPost(SqlStore& server);
    // The session's: the server.
    explicit InquiryPost(Session& session);
    // The message about a shared listing (the server's row number), to the member who
    // registered it, about its number in the office that owns it; nullopt for no such row.
    std::optional<InquiryDraft> aboutSharedListing(int serverRow);
    // The answer to a message of the box: back to the office that wrote it, naming the listing
    // in the subject only (the number is this office's, not the addressee's). nullopt for a
    // message from the web, which has no member to answer.
    static std::optional<InquiryDraft> answerTo(const Inquiry& inquiry);
    // False when the addressee is no member of any office (the message would reach nobody).
    bool send(const InquiryDraft& draft);

private:
    SqlStore& m_server;
};

struct InquiryTexts {
    static QString searching() {
        return QStringLiteral("문의함 - 데이타 검색중입니다. 잠시만 기다려 주세요.");
    }
    static QString loading(int total, int done);
    static QString found(int total);
    static QString askDelete() { return QStringLiteral("정말 삭제하시겠습니까 ?"); }
    static QString deleteTitle() { return QStringLiteral("확인"); }
    static QString sent() { return QStringLiteral("메세지를 성공적으로 전달하였습니다."); }
    static QString unknownAddressee() { return QStringLiteral("메세지를 받을 회원을 찾을 수 없습니다."); }
    static QString webInquiry() {
        return QStringLiteral("인터넷에서 남긴 문의입니다. 문자나 전화로 답변해 주세요.");
    }
    static QString noListing() { return QStringLiteral("문의한 매물이 매물함에 없습니다."); }
    static QString windowTitle() { return QStringLiteral("문의함"); }
    static QString entryTitle() { return QStringLiteral("메세지 보내기"); }
};

} // namespace teran

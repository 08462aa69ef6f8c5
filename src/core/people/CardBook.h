#pragma once

#include "Contact.h"
#include "core/session/LayoutFile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class Session;
class SqlStore;

enum class CardPart { Namecard, Customer };

// What tells the business-card book (명함집) and the customer list (고객관리) apart: one
// window class serves both with these.
struct CardKind {
    CardPart part;
    QString partValue;      // `namecard.part`
    QString noteKind;       // `mem_work.tb` of their notes
    QString windowName;     // "frmNamecard" / "frmCustomer"
    LayoutKind layout;      // the per-user file of the list's column widths
    QString statusPrefix;   // "명함집관리 (총 "
    QString searchPrefix;   // "명함집관리 (검색결과 "
    QString emptyNameTitle; // "명함집등록"
    QString newTitle;       // "명함 등록하기"
    QString noteCaption;    // "* 명함집 상세내용"
    QString resizeCaption;  // "명함관리 Form_Resize  => "
};
const CardKind& cardKind(CardPart part);

// One card or customer (`namecard`).
struct Card {
    int number = 0;
    QString company;
    Contact contact;
    QDateTime writeday;
};

// Which rows a list shows: a group tab ("전체" for all), or the search of the "검색" tab.
struct CardFilter {
    QString tab;
    std::optional<Card> search; // company and contact fields; empty ones do not restrict
};

// What a save did, in the words the window shows.
struct PersonSaveResult {
    bool saved = false;
    bool created = false;
    int number = 0;
    QString text;
    QString title;
};

// The status bar of a people list: while a page is read, "고객관리 (총 " + total + " 개의 데이타중 "
// + rows + " 개 로딩중입니다.)"; then "고객관리 (검색결과 " + total + " 명)".
QString personLoadingText(const QString& prefix, int total, int rows);
QString personFoundText(const QString& prefix, int total);

// The card book or the customer list of the office: every user sees all of them (they have no
// private mark). Reads and writes throw StoreError.
class CardBook {
public:
    CardBook(Session& session, CardPart part);

    const CardKind& kind() const { return m_kind; }
    QStringList groups();
    int count(const CardFilter& filter);
    // Newest first; `limit` rows from `offset`.
    QList<Card> list(const CardFilter& filter, int limit, int offset = 0);
    std::optional<Card> read(int number);
    // Stores the card (number 0: a new one) and, when `note` holds text, a note with it, in one
    // transaction. An empty name stores nothing.
    PersonSaveResult save(const Card& card, const QString& note);
    // The card and its notes, in one transaction.
    void remove(int number);

    // The note box's placeholder, never stored as a note.
    static QString notePlaceholder(); // "상세내용입력"
    // The list's columns and a card's cells in them.
    static QStringList listCaptions();
    static QStringList cellsOf(const Card& card);

private:
    QString where(const CardFilter& filter, QVariantList& values) const;

    Session& m_session;
    const CardKind& m_kind;
};

} // namespace teran

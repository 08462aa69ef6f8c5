#pragma once

#include "CardBook.h"
#include "Contact.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class Session;
struct SessionState;

// A wanted range; an upper bound of 0 is open.
template <typename T> struct WantedRange {
    T from = 0;
    T to = 0;
};

// One buyer (`maesuin`) with the property wanted.
struct Buyer {
    int number = 0;
    QString jubsu; // how the request came in
    Contact contact;
    QString addre1; // wanted region, district, town
    QString addre2;
    QString addre3;
    QString tb;                   // the type's label ("아파트") or "기타"
    QString ty;                   // "매매", "전세", "월세", "분양권"
    WantedRange<double> area;     // p1–p2: the floor area, or the land area of land-and-building types
    WantedRange<double> building; // p3–p4: the building area of land-and-building types
    WantedRange<qint64> amount;   // m1–m2 in 만원: the price, or the deposit of a lease
    WantedRange<qint64> rent;     // m3–m4 in 만원: the monthly rent
    QString bigo;
    QString registeredBy; // txt1
    QString privateTo;    // txt2: empty, or the one user (besides the main account) who sees it
    QDateTime writeday;
};

// The condition that keeps the buyers a user may not see out of a query (" AND …", its value
// added to `values`): the main account sees all, anybody else the public ones and his own.
QString visibleBuyers(const SessionState& state, QVariantList& values);

// What the buyer wants in one line: "서울 강남구 아파트 매매 100,000~130,000만원 25~35평"
// (an open upper bound shows as "100,000만원~"; a rent and a building area where they apply).
QString wishText(const Buyer& buyer);

// Whether the buyer's wanted type has a land and a building range.
bool wantsLandAndBuilding(const QString& typeLabel);

// The search of the "검색" tab: the fields typed, and bounds the wanted ranges must lie within
// (a null bound does not restrict).
struct BuyerSearch {
    Buyer fields; // group, intake, contact, wanted region, type, transaction
    QVariant areaFrom, areaTo, buildingFrom, buildingTo;
    QVariant amountFrom, amountTo, rentFrom, rentTo;
};

struct BuyerFilter {
    QString tab; // a group tab; "전체" for all
    std::optional<BuyerSearch> search;
};

// How the private mark (`opidMaesu`) shows for a loaded buyer: ticked when the buyer is
// private; the main account and the user it is private to may change it.
struct PrivacyMark {
    bool ticked = false;
    bool enabled = true;
    QString owner; // the stored txt2, kept when the mark stays
};
PrivacyMark privacyMarkOf(const Buyer& buyer, const QString& loginId, const QString& officeMainId);
// txt2 as a save stores it: empty when unticked, else the kept owner or the user saving.
QString privateOwnerToStore(bool ticked, const QString& keptOwner, const QString& loginId);

// Where the save comes from: the buyer manager, or the entry window, which also wants a type and
// a transaction and may carry a first note.
struct BuyerSave {
    Buyer buyer;
    bool ticked = false;
    bool entryWindow = false;
    QString note;
    QDate noteDay;
};

// The office's buyer register. A staff user (LoginId other than the main account) sees the
// public buyers and those private to himself only, in every read and write here. Reads and
// writes throw StoreError.
class BuyerRegister {
public:
    explicit BuyerRegister(Session& session);

    QStringList groups();
    int count(const BuyerFilter& filter);
    QList<Buyer> list(const BuyerFilter& filter, int limit, int offset = 0);
    std::optional<Buyer> read(int number); // nullopt also when the user may not see it
    // Every buyer the user may see who wants this type and transaction in a region that holds
    // the address (each wanted level empty or equal), newest first, in one statement.
    QList<Buyer> wanting(const QString& typeLabel, const QString& transaction, const QString& addr1,
                         const QString& addr2, const QString& addr3);

    PersonSaveResult save(const BuyerSave& save);
    // The buyer and its notes, in one transaction.
    void remove(int number);

    // Whether the customer list already has someone of this name.
    bool customerNamed(const QString& name);
    // Copies the buyer to the customer list (group "매수인") with a note of the move and the
    // buyer's notes, in one transaction; the new customer's number. The entry window's note
    // also carries its note text. The buyer stays; remove() it when the user says so.
    int moveToCustomers(int number, const QString& entryNote = {});

    static QString movedNote(const QDate& day); // the sentence of the move's note
    static QString moveQuestion();              // "고객관리 목록으로 저장합니다. …"

    // The list's columns and a buyer's cells in them.
    static QStringList listCaptions();
    static QStringList cellsOf(const Buyer& buyer);
    // The values the range boxes offer for a wanted type: areas (land from 50) and amounts.
    static QList<qint64> areaPresets(const QString& typeLabel);
    static QList<qint64> amountPresets();
    // The transactions a buyer may want, and the caption of the first amount range for one.
    static QStringList transactions();
    static QString amountCaption(const QString& transaction); // "매 매 가" or "보증금"

private:
    QString visibility(QVariantList& values) const;
    QString where(const BuyerFilter& filter, QVariantList& values) const;

    Session& m_session;
};

} // namespace teran

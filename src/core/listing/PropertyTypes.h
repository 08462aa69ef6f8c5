#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace teran {

// One property type (`tb`): its code, the label of menus and grids, and the transactions
// (`ty` letters) that the menus offer for it.
struct PropertyType {
    QString code;
    QString label;
    QString transactions; // e.g. "MJWB"
};

// The 19 types in menu order.
const QList<PropertyType>& propertyTypes();
QStringList propertyTypeCodes();
// nullptr for a code that is not one of the 19.
const PropertyType* findPropertyType(const QString& tb);

// The type whose label this is ("아파트": apt); nullptr when none has it.
const PropertyType* findPropertyTypeByLabel(const QString& label);
// The types with a land area and a building area (단독주택, 건물, 공장 …): their buyers want
// two area ranges, the other types one.
bool hasLandAndBuildingAreas(const QString& tb);

// The label of a type; empty for an unknown code.
QString propertyTypeLabel(const QString& tb);
// The label used together with a transaction: a presale villa is a "빌라트", a monthly-rent
// one-room an "원/투/쓰리룸"; otherwise the plain label.
QString propertyTypeLabel(const QString& tb, const QString& ty);
// False for unknown types and letters.
bool offersTransaction(const QString& tb, const QString& ty);

// Transactions (`ty`): M 매매, J 전세, W 월세, B 분양권.
QStringList transactionCodes();
QString transactionLabel(const QString& ty); // empty for an unknown letter

// Caption and placeholder of the name field (`cboname`) for a type; empty for the types that
// have no name field.
QString nameCaption(const QString& tb);

// Publication state (`state`). Stored as a number, compared as text by some statements.
enum class PublicationState : int {
    Unpublished = 0,      // the office's listing box
    Internet = 1,         // 인터넷
    Archived = 2,         // 보관함, never published
    ClubsAndInternet = 3, // 테란클럽 + 인터넷
    Clubs = 7,            // 테란클럽
};

// Reads a stored state (a number, or its text as some rows hold it); nullopt for anything else.
std::optional<PublicationState> publicationStateFrom(const QVariant& stored);
int stateValue(PublicationState state);

bool isPublished(PublicationState state);       // has a server copy: 1, 3, 7
bool isArchived(PublicationState state);        // 2
bool isShownOnInternet(PublicationState state); // 1, 3
bool isShownInClubs(PublicationState state);    // 3, 7
// The name of a publication scope as dialogs name it ("인터넷", "테란클럽 + 인터넷",
// "테란클럽"); empty for the unpublished states.
QString publicationName(PublicationState state);

// The combined amount (합산금) of a monthly rent in 만원: the rent converted at a factor of 100
// plus the deposit. Never stored; saturates instead of overflowing on absurd inputs.
qint64 combinedAmount(qint64 moneyW, qint64 moneyB);

} // namespace teran

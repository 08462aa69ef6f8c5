#include "PropertyTypes.h"

#include "core/listing/TypeFields.h"

#include <QHash>

#include <cmath>
#include <limits>

namespace teran {

namespace {

QList<PropertyType> buildTypes() {
    const auto type = [](const char* code, const char* label, const char* transactions) {
        return PropertyType{QString::fromLatin1(code), QString::fromUtf8(label),
                            QString::fromLatin1(transactions)};
    };
    return {
        type("apt", "아파트", "MJWB"),        type("villa", "빌라/다세대", "MJWB"),
        type("opistel", "오피스텔", "MJWB"),  type("dan", "단독주택", "MJW"),
        type("dagagu", "다가구주택", "MJW"),  type("junwon", "전원/농가/별장", "MJW"),
        type("gunmul", "건물", "MW"),         type("bgsang", "분양상가", "MW"),
        type("wonroom", "원룸/투룸", "MJW"),  type("jumpo", "점포/업소/상가", "MJW"),
        type("office", "사무실", "MJW"),      type("hotel", "호텔", "MJW"),
        type("motel", "모텔", "MJW"),         type("sanjang", "여인숙/산장/팬션", "MJW"),
        type("gong", "공장", "MJW"),          type("mulru", "물류창고", "MJW"),
        type("joouso", "주유소", "MJW"),      type("land", "토지", "MJW"),
        type("budongsan", "기타물건", "MJW"),
    };
}

// A single transaction letter, so that "" or "MJ" never counts as offered.
bool isSingleLetter(const QString& ty) {
    return ty.size() == 1;
}

} // namespace

const QList<PropertyType>& propertyTypes() {
    static const QList<PropertyType> types = buildTypes();
    return types;
}

QStringList propertyTypeCodes() {
    QStringList codes;
    for (const PropertyType& t : propertyTypes())
        codes << t.code;
    return codes;
}

const PropertyType* findPropertyType(const QString& tb) {
    for (const PropertyType& t : propertyTypes())
        if (t.code == tb)
            return &t;
    return nullptr;
}

const PropertyType* findPropertyTypeByLabel(const QString& label) {
    for (const PropertyType& t : propertyTypes())
        if (t.label == label)
            return &t;
    return nullptr;
}

bool hasLandAndBuildingAreas(const QString& tb) {
    static const QStringList codes{QStringLiteral("dan"),     QStringLiteral("dagagu"),
                                   QStringLiteral("junwon"),  QStringLiteral("gunmul"),
                                   QStringLiteral("hotel"),   QStringLiteral("motel"),
                                   QStringLiteral("sanjang"), QStringLiteral("gong"),
                                   QStringLiteral("joouso"),  QStringLiteral("mulru")};
    return codes.contains(tb);
}

QString propertyTypeLabel(const QString& tb) {
    const PropertyType* t = findPropertyType(tb);
    return t ? t->label : QString();
}

QString propertyTypeLabel(const QString& tb, const QString& ty) {
    if (tb == QLatin1String("villa") && ty == QLatin1String("B"))
        return QStringLiteral("빌라트");
    if (tb == QLatin1String("wonroom") && ty == QLatin1String("W"))
        return QStringLiteral("원/투/쓰리룸");
    return propertyTypeLabel(tb);
}

bool offersTransaction(const QString& tb, const QString& ty) {
    const PropertyType* t = findPropertyType(tb);
    return t && isSingleLetter(ty) && t->transactions.contains(ty);
}

QStringList transactionCodes() {
    return {QStringLiteral("M"), QStringLiteral("J"), QStringLiteral("W"), QStringLiteral("B")};
}

QString transactionLabel(const QString& ty) {
    if (ty == QLatin1String("M"))
        return QStringLiteral("매매");
    if (ty == QLatin1String("J"))
        return QStringLiteral("전세");
    if (ty == QLatin1String("W"))
        return QStringLiteral("월세");
    if (ty == QLatin1String("B"))
        return QStringLiteral("분양권");
    return {};
}

QString nameCaption(const QString& tb) {
    const TypeRules* rules = typeRules(tb);
    return rules ? rules->nameCaption : QString();
}

std::optional<PublicationState> publicationStateFrom(const QVariant& stored) {
    if (stored.isNull())
        return std::nullopt;
    bool ok = false;
    const int value =
        stored.typeId() == QMetaType::QString ? stored.toString().trimmed().toInt(&ok) : stored.toInt(&ok);
    if (!ok)
        return std::nullopt;
    switch (value) {
    case 0:
        return PublicationState::Unpublished;
    case 1:
        return PublicationState::Internet;
    case 2:
        return PublicationState::Archived;
    case 3:
        return PublicationState::ClubsAndInternet;
    case 7:
        return PublicationState::Clubs;
    default:
        return std::nullopt;
    }
}

int stateValue(PublicationState state) {
    return static_cast<int>(state);
}

bool isPublished(PublicationState state) {
    return isShownOnInternet(state) || isShownInClubs(state);
}

bool isArchived(PublicationState state) {
    return state == PublicationState::Archived;
}

bool isShownOnInternet(PublicationState state) {
    return state == PublicationState::Internet || state == PublicationState::ClubsAndInternet;
}

bool isShownInClubs(PublicationState state) {
    return state == PublicationState::Clubs || state == PublicationState::ClubsAndInternet;
}

QString publicationName(PublicationState state) {
    switch (state) {
    case PublicationState::Internet:
        return QStringLiteral("인터넷");
    case PublicationState::ClubsAndInternet:
        return QStringLiteral("테란클럽 + 인터넷");
    case PublicationState::Clubs:
        return QStringLiteral("테란클럽");
    case PublicationState::Unpublished:
    case PublicationState::Archived:
        break;
    }
    return {};
}

qint64 combinedAmount(qint64 moneyW, qint64 moneyB) {
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    constexpr qint64 bottom = std::numeric_limits<qint64>::min();
    qint64 rent = 0;
    if (__builtin_mul_overflow(moneyW, qint64(100), &rent))
        return moneyW > 0 ? top : bottom;
    qint64 sum = 0;
    if (__builtin_add_overflow(rent, moneyB, &sum))
        return rent > 0 ? top : bottom;
    return sum;
}

} // namespace teran

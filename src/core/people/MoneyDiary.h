#pragma once

#include "DiaryPeriod.h"
#include "core/report/ReportDocument.h"

#include <QDate>
#include <QList>
#include <optional>

namespace teran {

class Session;

class SqlStore;

// One line of the income and expense diary (`mem_money`); amounts in won.
struct MoneyLine {
    int number = 0;  // `table_idx`; 0 until stored
    QString purpose; // `groupin`, 용도
    QDate day;       // `daym`
    QString time;    // `timem`
    qint64 income = 0;
    QString incomeText;
    qint64 expense = 0;
    QString expenseText;
    QString remarks;

    bool operator==(const MoneyLine&) const = default;
};

// What the money list shows: the period, the search, the purpose chosen in the combo and the
// purpose tab of the month (empty: every purpose).
struct MoneyFilter {
    DiaryPeriod period;
    DiarySearch search;
    QString purpose;
    QString purposeTab;
};

struct MoneyTotals {
    qint64 income = 0;
    qint64 expense = 0;
    qint64 balance() const { return income - expense; }
};
MoneyTotals moneyTotals(const QList<MoneyLine>& lines);
// " 수입 [1,000 원]   지출 [300 원]   잔액 [700 원]"
QString moneyTotalsText(const MoneyTotals& totals);
// The amount typed into a box ("1,000" is 1000); nullopt for anything but a whole number.
std::optional<qint64> typedWon(const QString& text);

// The diary of one user: every statement holds the user's own rows only.
class MoneyDiary {
public:
    MoneyDiary(SqlStore& store, QString loginId);
    // The session's: the logged-in user's, in the office database.
    explicit MoneyDiary(Session& session);

    QList<MoneyLine> list(const MoneyFilter& filter);
    // The purposes used in the month of `day`, for its tabs after "전체".
    QStringList purposesOfMonth(const QDate& day);
    // Every purpose used, for the purpose combo after "용도전체".
    QStringList purposes();
    std::optional<MoneyLine> load(int number);
    void save(MoneyLine& line); // a new line (number 0) gets the store's number
    bool remove(int number);

    // The columns the search options look in: 수입내역, 지출내역, 비고.
    static QStringList searchColumns();
    static QString everyPurpose() { return QStringLiteral("용도전체"); }
    static QString everyTab() { return QStringLiteral("전체"); }

private:
    QList<MoneyLine> read(const QString& sql, const QVariantList& values);
    QStringList purposesWhere(const QString& condition, const QVariantList& values);

    SqlStore& m_store;
    QString m_loginId;
};

QStringList moneyColumns(); // 일시, 수입, 지출, 수입내역, 지출내역, 시간, 비고
QStringList moneyCells(const MoneyLine& line);
// The printed diary of a list, closed by its totals line.
report::Document moneyDocument(const QString& title, const QList<MoneyLine>& lines);

} // namespace teran

#include "core/maintenance/ListingTextTransfer.h"
#include "TestServices.h"
#include "core/listing/ListingColumns.h"
#include "core/listing/ListingRepository.h"
#include "core/session/StoreSchemas.h"

#include <QFile>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;
using namespace teran::listingText;

namespace {

class ListingTextTransferTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        source = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(source != nullptr, "MariaDB");
        target = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        upgradeListingStore(source->store());
        upgradeListingStore(target->store());
    }

    // A listing with a value of its own in every column of the file: texts with a line break and
    // quotes, whole and broken numbers, dates.
    static ListingRow everyColumn(int n, int state) {
        const TableDef table = maemulTable(ListingSide::Local);
        ListingRow row;
        int i = 0;
        for (const QString& name : fields()) {
            ++i;
            const ColumnDef* column = table.column(name);
            if (!column || name == QLatin1String("state") || name == QLatin1String("code"))
                continue;
            switch (column->type) {
            case ColumnType::Integer:
            case ColumnType::BigInt:
                row.insert(name, n * 1000 + i);
                break;
            case ColumnType::Decimal:
                row.insert(name, n * 100 + i + 0.25);
                break;
            case ColumnType::DateTime:
                row.insert(name, QDateTime(QDate(2026, 1 + i % 12, 1 + i % 28), QTime(i % 24, i % 60, 7)));
                break;
            case ColumnType::Text:
                row.insert(name,
                           column->size > 0
                               ? QStringLiteral("%1%2").arg(n).arg(i).left(column->size)
                               : QStringLiteral("값 %1-%2\r\n둘째 줄 'O''Brien' \"인용\"").arg(n).arg(i));
                break;
            }
        }
        row.insert("tb", n % 2 ? "apt" : "villa");
        row.insert("ty", "M");
        row.insert("state", state);
        row.insert("code", 0);
        return row;
    }

    QString file(const QString& name) const { return dir.filePath(name); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static ExportChoice all() {
        ExportChoice choice;
        choice.types = {"apt", "villa"};
        return choice;
    }

    std::unique_ptr<ScratchStore> source;
    std::unique_ptr<ScratchStore> target;
    QTemporaryDir dir;
};

} // namespace

// Every listing exported and imported comes back equal in all 140 columns, line breaks inside
// values included, under the office and login that imported it and with numbers from 1 in an
// empty store.
TEST_P(ListingTextTransferTest, ListingsTravelThroughTheFileUnchanged) {
    insertLocalBulk(source->store(), {everyColumn(1, 2), everyColumn(2, 0), everyColumn(3, 2)});
    ASSERT_EQ(exportListings(source->store(), all(), file("out.txt")), 3);
    const QByteArray written = bytesOf(file("out.txt"));
    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].endsWith("\t\r"));
    EXPECT_EQ(lines[0].count('\t'), 140);
    EXPECT_TRUE(written.contains(lineBreakMarker().toUtf8()));

    const QList<int> numbers = importListings(target->store(), file("out.txt"), "imp", "imp-staff");
    EXPECT_EQ(numbers, (QList<int>{1, 2, 3}));
    ASSERT_EQ(exportListings(target->store(), all(), file("again.txt")), 3);
    EXPECT_EQ(bytesOf(file("again.txt")), written) << "the same 140 values come back";
    const std::optional<ListingRow> first = readLocal(target->store(), numbers[0]);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->value("id").toString(), "imp");
    EXPECT_EQ(first->value("subid").toString(), "imp-staff");
    EXPECT_TRUE(first->value("note").toString().contains("\r\n둘째 줄"));
}

// A file is refused whole at its first faulty line, with nothing imported: a value with a TAB,
// a stray line break at the end, a value that is no number in a number's column.
TEST_P(ListingTextTransferTest, AFaultyLineRefusesTheWholeFile) {
    insertLocalBulk(source->store(), {everyColumn(1, 0), everyColumn(2, 0)});
    ASSERT_EQ(exportListings(source->store(), all(), file("good.txt")), 2);
    const QByteArray good = bytesOf(file("good.txt"));

    const auto refusedAt = [&](const QByteArray& bytes, int line, const QString& column) {
        write(file("bad.txt"), bytes);
        try {
            importListings(target->store(), file("bad.txt"), "imp", "imp");
            ADD_FAILURE() << "imported";
        } catch (const ImportRefused& refused) {
            EXPECT_EQ(refused.line(), line);
            EXPECT_EQ(refused.column(), column);
        }
        EXPECT_EQ(target->store().scalar("SELECT COUNT(*) FROM maemul").toInt(), 0);
    };
    QByteArray tab = good;
    tab.insert(good.indexOf('\n') + 5, '\t'); // inside the first value of line 2
    refusedAt(tab, 2, QString());
    refusedAt(good + "\r\n", 3, QString());
    QList<QByteArray> fieldsOfFirst = good.left(good.indexOf('\n')).split('\t');
    const int money = int(fields().indexOf("money_m"));
    fieldsOfFirst[money] = "많음";
    refusedAt(fieldsOfFirst.join('\t') + "\n" + good.mid(good.indexOf('\n') + 1), 1, "money_m");
}

// The choices of the export: types, the period on the chosen date column (the whole period
// ignores the dates), and a staff login's own listings only.
TEST_P(ListingTextTransferTest, TheChoiceOfTypesPeriodAndLoginIsHeld) {
    const auto listing = [&](const char* tb, const QDate& written, const char* subid) {
        insertLocal(source->store(), {{"tb", tb},
                                      {"ty", "M"},
                                      {"writeday", QDateTime(written, QTime(23, 59))},
                                      {"showday", QDateTime(QDate(2020, 1, 1), QTime(0, 0))},
                                      {"subid", subid}});
    };
    listing("apt", QDate(2026, 11, 30), "st1");
    listing("apt", QDate(2026, 12, 1), "st2");
    listing("apt", QDate(2026, 12, 31), "st1");
    listing("villa", QDate(2026, 12, 15), "st1");
    listing("apt", QDate(2027, 1, 1), "st1");

    ExportChoice choice;
    choice.types = {"apt"};
    choice.from = QDate(2026, 12, 10);
    choice.to = QDate(2026, 12, 20);
    EXPECT_EQ(countListings(source->store(), choice), 4) << "the whole period";
    choice.period = Period::Month;
    EXPECT_EQ(countListings(source->store(), choice), 2) << "December's first and last day";
    choice.period = Period::Day;
    EXPECT_EQ(countListings(source->store(), choice), 0);
    choice.period = Period::Year;
    choice.to = QDate(2027, 2, 1);
    EXPECT_EQ(countListings(source->store(), choice), 4) << "2026 and 2027";
    choice.column = DateColumn::Shown;
    EXPECT_EQ(countListings(source->store(), choice), 0) << "shown in 2020";
    choice.column = DateColumn::Written;
    choice.staffOnly = "st1";
    EXPECT_EQ(countListings(source->store(), choice), 3) << "not st2's";
    choice.types.clear();
    EXPECT_EQ(countListings(source->store(), choice), 0) << "no type chosen";
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingTextTransferTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);

#include "core/store/RowWriter.h"
#include "TestServices.h"

#include <gtest/gtest.h>

namespace teran::test {
namespace {

class RowWriterTest : public testing::TestWithParam<Backend> {};

// Rows written from named values: names that are keywords are quoted, values that look like SQL
// stay values, and an update touches only the rows of its condition.
TEST_P(RowWriterTest, KeywordNamesAndHostileValuesRoundTrip) {
    TERAN_SCRATCH_STORE(scratch, GetParam());
    SqlStore& store = scratch->store();
    const bool sqlite = GetParam() == Backend::Sqlite;
    store.execute(sqlite ? QStringLiteral("CREATE TABLE `order` (idx INTEGER PRIMARY KEY AUTOINCREMENT, "
                                          "`select` TEXT, `group` INTEGER)")
                         : QStringLiteral("CREATE TABLE `order` (idx INT AUTO_INCREMENT PRIMARY KEY, "
                                          "`select` TEXT, `group` INT)"));
    const QString hostile = QStringLiteral("x'); DROP TABLE `order`; -- \"?\"");
    const int first = insertRow(store, QStringLiteral("order"), {{"select", hostile}, {"group", 1}}).toInt();
    const int second =
        insertRow(store, QStringLiteral("order"), RowValues(QVariantHash{{"select", "b"}, {"group", 2}}))
            .toInt();
    EXPECT_GT(second, first);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT `select` FROM `order` WHERE idx = ?"), {first}).toString(),
              hostile);

    EXPECT_EQ(updateRows(store, QStringLiteral("order"), {{"select", "?"}, {"group", 7}},
                         QStringLiteral("idx = ?"), {second}),
              1);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT `group` FROM `order` WHERE idx = ?"), {second}).toInt(), 7);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT `select` FROM `order` WHERE idx = ?"), {second}).toString(),
              QStringLiteral("?"));
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT `group` FROM `order` WHERE idx = ?"), {first}).toInt(), 1);
    EXPECT_EQ(
        updateRows(store, QStringLiteral("order"), {{"group", 9}}, QStringLiteral("idx = ?"), {second + 10}),
        0);
    EXPECT_THROW(insertRow(store, QStringLiteral("order"), {{"no_such_column", 1}}), StoreError);
}

INSTANTIATE_TEST_SUITE_P(Backends, RowWriterTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

} // namespace
} // namespace teran::test

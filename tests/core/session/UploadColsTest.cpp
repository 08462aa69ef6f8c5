#include "session/UploadCols.h"
#include "session/ListingColumns.h"
#include "session/PropertyTypes.h"

#include <gtest/gtest.h>

using namespace teran;

// The server copy is read by every other office: a column in the middle of a type's list must
// exist in both stores, and nothing about the seller or the office's own bookkeeping may travel.
TEST(UploadCols, MiddleColumnsExistOnBothSidesAndNothingPrivateTravels) {
    const QStringList neverCopied =
        QStringLiteral("addr3_1, addr4, addr5, uname, company, email, uhp, uoffice, uhome, "
                       "ufax, umoney, ubigo, opid, ming, jubsu, groupin, keyword, offday")
            .split(QStringLiteral(", "));
    for (const QString& tb : propertyTypeCodes()) {
        const QStringList middle = uploadMiddleColumns(tb);
        ASSERT_FALSE(middle.isEmpty()) << tb.toStdString();
        for (const QString& column : middle) {
            EXPECT_TRUE(isListingColumnOn(column, ListingSide::Local))
                << tb.toStdString() << " " << column.toStdString();
            EXPECT_TRUE(isListingColumnOn(column, ListingSide::Server))
                << tb.toStdString() << " " << column.toStdString();
        }
        for (const QString& column : UploadCols(tb).serverColumns())
            EXPECT_FALSE(neverCopied.contains(column)) << tb.toStdString() << " " << column.toStdString();
    }
}

TEST(UploadCols, UnknownTypeGivesEmptyLists) {
    for (const QString& tb :
         {QString(), QStringLiteral("APT"), QStringLiteral("dan "), QStringLiteral("all")}) {
        const UploadColumns cols = UploadCols(tb);
        EXPECT_TRUE(cols.isEmpty());
        EXPECT_TRUE(cols.localSelect.isEmpty());
        EXPECT_TRUE(cols.serverInsert.isEmpty());
        EXPECT_TRUE(cols.localColumns().isEmpty());
        EXPECT_TRUE(uploadMiddleColumns(tb).isEmpty());
    }
}

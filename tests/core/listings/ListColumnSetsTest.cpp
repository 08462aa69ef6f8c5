#include "listings/ListColumnSets.h"
#include "session/PropertyTypes.h"

#include <gtest/gtest.h>

using namespace teran;

// Every column reads only columns its store keeps: a private column on a server list would make
// the whole statement fail, and the seller's data would be asked of the vendor's server.
TEST(ListColumnSetsTest, ColumnsReadOnlyWhatTheirStoreKeeps) {
    QStringList tbs = propertyTypeCodes();
    tbs << QStringLiteral("all");
    for (ListKind kind : {ListKind::Own, ListKind::Group, ListKind::Shared, ListKind::Club}) {
        for (const QString& tb : tbs) {
            const ListColumnSet set = ListColsByTb(kind, tb);
            EXPECT_FALSE(set.isEmpty()) << tb.toStdString();
            for (const ListColumn& column : set) {
                SCOPED_TRACE((tb + QLatin1Char(' ') + column.caption).toStdString());
                EXPECT_FALSE(column.raw.isEmpty());
                for (const QString& raw : column.raw)
                    EXPECT_TRUE(isListingColumnOn(raw, sideOf(kind))) << raw.toStdString();
            }
        }
    }
}

// An unknown code is no reason for an empty grid: it shows the columns of the whole list.
TEST(ListColumnSetsTest, AnUnknownTypeShowsTheWholeListsColumns) {
    for (ListKind kind : {ListKind::Own, ListKind::Shared})
        EXPECT_EQ(captionsOf(ListColsByTb(kind, QStringLiteral("castle"))),
                  captionsOf(ListColsByTb(kind, QStringLiteral("all"))));
    EXPECT_EQ(layoutKindFor(ListKind::Own, QStringLiteral("all")), LayoutKind::OwnListAll);
    EXPECT_EQ(layoutKindFor(ListKind::Club, QStringLiteral("gong")), LayoutKind::ClubType);
}

#include "AdminRun.h"
#include "TestServices.h"
#include "core/listing/ListingRepository.h"
#include "core/session/StoreSetup.h"

#include <QFile>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

// teran-admin sheet prints an own listing's sheet without a screen; an unknown number or a
// pair without a layout fails with a clear error and writes no file.
TEST(AdminSheetTest, TheSheetOfAnOwnListingIsWrittenAsAPdfAndAnUnknownOneIsRefused) {
    const AdminOffice office;
    int number = 0, room = 0;
    {
        const std::unique_ptr<SqlStore> store = office.store();
        number = insertLocal(
            *store, {{"id", "off1"}, {"tb", "apt"}, {"ty", "M"}, {"addr1", "서울"}, {"money_m", 85000}});
        room = insertLocal(*store, {{"id", "off1"}, {"tb", "wonroom"}, {"ty", "J"}});
    }
    const QString pdf = office.dir.filePath(QStringLiteral("sheet.pdf"));

    const AdminRun printed = office.run({"sheet", "--listing", QString::number(number), "--out", pdf});
    EXPECT_EQ(printed.exitCode, 0) << printed.errors.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));

    for (const QString& listing :
         {QString::number(number + 50), QStringLiteral("abc"), QString::number(room)}) {
        const QString other = office.dir.filePath(QStringLiteral("other-%1.pdf").arg(listing));
        const AdminRun refused = office.run({"sheet", "--listing", listing, "--out", other});
        EXPECT_NE(refused.exitCode, 0) << listing.toStdString();
        EXPECT_TRUE(refused.errors.contains(QStringLiteral("error:"))) << refused.errors.toStdString();
        EXPECT_FALSE(QFile::exists(other));
    }
}

#include "core/session/SettingsStore.h"
#include "TestServices.h"
#include "core/listing/PropertyTypes.h"
#include "core/session/StoreSetup.h"
#include "core/store/StoreTables.h"

#include <QTemporaryDir>
#include <stdexcept>

using namespace teran;
using namespace teran::test;

namespace {

const QString kKim = QStringLiteral("kim");
// A user id is data: quotes in it reach no statement's text.
const QString kLee = QStringLiteral("o'brien\" OR set4 <> '");

// The settings table of an office: on SQLite the ListingStore of a fresh data folder, on
// MariaDB the same table in a scratch database, so that the row handling holds on both.
class SettingsStoreTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Sqlite) {
            const DataFolder folder(dir.path());
            initDataFolder(folder);
            local = std::make_unique<SqlStore>(uniqueName(QStringLiteral("settings")));
            local->open(StoreUrl::sqliteFile(folder.listingStoreFile()));
            return;
        }
        scratch = ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(scratch != nullptr, "MariaDB");
        for (const TableDef& t : listingStoreTables()) {
            if (t.name != QLatin1String("mem_seting"))
                continue;
            scratch->store().execute(createTableSql(t, SqlBackend::MariaDb));
            for (const QString& sql : createIndexSql(t, SqlBackend::MariaDb))
                scratch->store().execute(sql);
        }
    }

    SqlStore& store() { return local ? *local : scratch->store(); }

    int rows(const QString& seting) {
        return store()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM mem_seting WHERE seting = ?"), {seting})
            .toInt();
    }
    int rows(const QString& seting, const char* userColumn, const QString& user) {
        return store()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM mem_seting WHERE seting = ? AND %1 = ?")
                        .arg(QLatin1String(userColumn)),
                    {seting, user})
            .toInt();
    }
    // The stored columns set1..set5 of the one row of a key (and user), nulls as "<null>".
    QStringList stored(const QString& seting, const char* userColumn = nullptr, const QString& user = {}) {
        QVariantList values{seting};
        QString sql = QStringLiteral("SELECT set1, set2, set3, set4, set5 FROM mem_seting WHERE seting = ?");
        if (userColumn) {
            sql += QStringLiteral(" AND %1 = ?").arg(QLatin1String(userColumn));
            values << user;
        }
        QSqlQuery q = store().query(sql, values);
        QStringList columns;
        if (q.next())
            for (int i = 0; i < 5; ++i)
                columns << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        return columns;
    }
    void insertRow(const QVariantList& values) {
        store().execute(QStringLiteral("INSERT INTO mem_seting(seting, set1, set2, set3, set4, set5) "
                                       "VALUES(?,?,?,?,?,?)"),
                        values);
    }

    QTemporaryDir dir;
    std::unique_ptr<SqlStore> local;
    std::unique_ptr<ScratchStore> scratch;
};

} // namespace

TEST_P(SettingsStoreTest, LoginDefaultsAreCreatedOnceAndKeepWhatIsThere) {
    insertRow({QStringLiteral("fontsize"), QStringLiteral("12"), {}, {}, {}, {}});
    insertRow({QStringLiteral("land"), QStringLiteral("경기도"), QStringLiteral("수원시"), {}, {}, {}});
    SettingsStore settings(store(), kKim);

    EXPECT_EQ(settings.ensureLoginDefaults(), 19)
        << "fontsize and land were there; 18 types and all were not";
    EXPECT_EQ(settings.ensureLoginDefaults(), 0);
    EXPECT_EQ(SettingsStore(store(), kLee).ensureLoginDefaults(), 0)
        << "the rows are the office's, not a user's";

    EXPECT_EQ(settings.fontSize(), 12);
    EXPECT_EQ(settings.regionDefault(QStringLiteral("land")),
              (RegionDefault{QStringLiteral("경기도"), QStringLiteral("수원시"), QString()}));
    EXPECT_EQ(rows(QStringLiteral("fontsize")), 1);
    const QStringList keys = QStringList{QStringLiteral("all")} + propertyTypeCodes();
    ASSERT_EQ(keys.size(), 20);
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(rows(key), 1);
    }
    EXPECT_EQ(stored(QStringLiteral("apt")).mid(0, 3), QStringList(3, QString()))
        << "created empty, not null";
}

TEST_P(SettingsStoreTest, TwoUsersOfOneOfficeKeepTheirOwnRows) {
    SettingsStore kim(store(), kKim);
    SettingsStore lee(store(), kLee);
    kim.setStartPanel(StartPanel::Work2);
    kim.setListPageSize(25);
    lee.setSharedListFixedPage(true);
    kim.setInsertRightPanel(InsertRightPanel::Filebox);
    lee.setInsertLowerPanel(InsertLowerPanel::Sise2);
    kim.setColorRule({AgeDate::Registered, 0x0000FF, 7, true});
    kim.setInstalledVersion(QStringLiteral("5.02"));
    kim.setMatchTolerance(15);
    lee.setMatchTolerance(80); // beyond what near fits may take

    EXPECT_EQ(kim.matchTolerance(), 15);
    EXPECT_EQ(lee.matchTolerance(), 50);
    EXPECT_EQ(SettingsStore(store(), QStringLiteral("park")).matchTolerance(), 10) << "park never chose";
    EXPECT_EQ(kim.startPanel(), StartPanel::Work2);
    EXPECT_EQ(lee.startPanel(), StartPanel::Logo);
    EXPECT_EQ(kim.listPageSize(), 25);
    EXPECT_EQ(lee.listPageSize(), 30) << "lee never chose";
    EXPECT_FALSE(kim.sharedListFixedPage());
    EXPECT_TRUE(lee.sharedListFixedPage());
    EXPECT_EQ(kim.insertLowerPanel(), InsertLowerPanel::Work1);
    EXPECT_EQ(lee.insertRightPanel(), InsertRightPanel::Maedoin);
    EXPECT_EQ(kim.colorRule(), (ColorRule{AgeDate::Registered, 0x0000FF, 7, true}));
    EXPECT_EQ(lee.colorRule(), ColorRule{});
    EXPECT_TRUE(lee.installedVersion().isEmpty());

    // The user sits in the column each key has always used, so older rows stay readable.
    EXPECT_EQ(stored(QStringLiteral("frmList"), "set4", kKim),
              (QStringList{QStringLiteral("work2"), QStringLiteral("<null>"), QStringLiteral("25"), kKim,
                           QStringLiteral("<null>")}));
    EXPECT_EQ(stored(QStringLiteral("frmInsert"), "set3", kLee).value(1), QStringLiteral("sise2"));
    EXPECT_EQ(stored(QStringLiteral("frmList_Color"), "set1", kKim),
              (QStringList{kKim, QStringLiteral("등록일"), QStringLiteral("255"), QStringLiteral("7"),
                           QStringLiteral("T")}));
    EXPECT_EQ(stored(QStringLiteral("version"), "set2", kKim).value(0), QStringLiteral("5.02"));
    EXPECT_EQ(rows(QStringLiteral("frmInsert")), 2) << "one row a user";
}

// Writing the same value again matters on MariaDB, which reports such an update as no row.
TEST_P(SettingsStoreTest, APerUserRowIsCreatedOnceHoweverOftenItIsWritten) {
    SettingsStore kim(store(), kKim);
    std::pair<qint64, qint64> afterFirstRound;
    for (int round = 0; round < 2; ++round) {
        if (round == 1)
            afterFirstRound = store().changeStamp();
        kim.setStartPanel(StartPanel::Work1);
        kim.setListFixedPage(true);
        kim.setListPageSize(15);
        kim.setInsertRightPanel(InsertRightPanel::Time);
        kim.setColorRule({AgeDate::Changed, 0x00FF00, 3, false});
        kim.setFontSize(11);
        kim.setBackupAllowed(BackupAction::Backup, true);
        kim.setRegionDefault(QStringLiteral("apt"),
                             {QStringLiteral("서울특별시"), QStringLiteral("강남구"), {}});
    }
    EXPECT_EQ(store().changeStamp(), afterFirstRound) << "values already stored are not written again";
    EXPECT_EQ(rows(QStringLiteral("frmList"), "set4", kKim), 1);
    EXPECT_EQ(rows(QStringLiteral("frmInsert"), "set3", kKim), 1);
    EXPECT_EQ(rows(QStringLiteral("frmList_Color"), "set1", kKim), 1);
    for (const char* key : {"fontsize", "DataBackup", "apt"})
        EXPECT_EQ(rows(QString::fromLatin1(key)), 1) << key;

    // Columns written one at a time all land in the one row.
    EXPECT_EQ(kim.startPanel(), StartPanel::Work1);
    EXPECT_TRUE(kim.listFixedPage());
    EXPECT_EQ(kim.listPageSize(), 15);

    kim.setListFixedPage(false);
    kim.setListPageSize(std::nullopt);
    EXPECT_EQ(kim.listPageSize(), std::nullopt);
    EXPECT_EQ(stored(QStringLiteral("frmList"), "set4", kKim).value(2), QString())
        << "an empty box is empty text";
    EXPECT_EQ(kim.startPanel(), StartPanel::Work1) << "other columns of the row are kept";
}

TEST_P(SettingsStoreTest, NullsAndDamagedValuesReadAsDefaults) {
    insertRow({QStringLiteral("frmList"), {}, {}, {}, kKim, {}});
    insertRow({QStringLiteral("apt"), {}, QStringLiteral("강남구"), {}, {}, {}});
    insertRow({QStringLiteral("fontsize"), QStringLiteral("abc"), {}, {}, {}, {}});
    insertRow({QStringLiteral("frmList_Color"), kKim, QStringLiteral("아무날"), QStringLiteral("red"),
               QStringLiteral("일주일"), QStringLiteral("yes")});
    insertRow({QStringLiteral("frmList"),
               QStringLiteral("work9"),
               QStringLiteral("2"),
               QStringLiteral("-5"),
               kLee,
               {}});
    insertRow({QStringLiteral("frmInsert"), QStringLiteral("nowhere"), {}, kLee, {}, {}});
    const SettingsStore kim(store(), kKim);
    const SettingsStore lee(store(), kLee);

    EXPECT_EQ(kim.startPanel(), StartPanel::Logo);
    EXPECT_EQ(kim.listPageSize(), 30) << "never written";
    EXPECT_EQ(kim.regionDefault(QStringLiteral("apt")),
              (RegionDefault{QString(), QStringLiteral("강남구"), QString()}));
    EXPECT_EQ(kim.fontSize(), 10);
    EXPECT_EQ(kim.colorRule(), ColorRule{}) << "nothing in the row makes sense";
    EXPECT_EQ(lee.startPanel(), StartPanel::Logo);
    EXPECT_FALSE(lee.listFixedPage()) << "only 1 ticks the box";
    EXPECT_EQ(lee.listPageSize(), std::nullopt);
    EXPECT_EQ(lee.insertRightPanel(), InsertRightPanel::Maedoin);

    for (const char* size : {"0", "-3", "500", " 14 "}) {
        store().execute(QStringLiteral("UPDATE mem_seting SET set1 = ? WHERE seting = ?"),
                        {QString::fromLatin1(size), QStringLiteral("fontsize")});
        EXPECT_EQ(kim.fontSize(), QByteArray(size) == " 14 " ? 14 : 10) << size;
    }
}

TEST_P(SettingsStoreTest, TheColourRuleMarksRowsAtLeastTheSetNumberOfDaysOld) {
    const QDate today(2026, 3, 1);
    ColorRule rule{AgeDate::Changed, std::nullopt, 7, false};
    EXPECT_TRUE(rule.marks(QDate(2026, 2, 22), today));
    EXPECT_FALSE(rule.marks(QDate(2026, 2, 23), today));
    EXPECT_FALSE(rule.marks(QDate(), today));
    rule.days = 0;
    EXPECT_TRUE(rule.marks(today, today));
    EXPECT_FALSE(rule.marks(today.addDays(1), today)) << "a date after today is not old";

    // An empty number of days is kept empty and marks nothing.
    SettingsStore kim(store(), kKim);
    kim.setColorRule({AgeDate::Registered, 0x123456, std::nullopt, true});
    EXPECT_EQ(stored(QStringLiteral("frmList_Color"), "set1", kKim).value(3), QString());
    const ColorRule read = kim.colorRule();
    EXPECT_EQ(read.dateColumn(), QStringLiteral("writeday"));
    EXPECT_EQ(read.colorNumber, 0x123456u);
    EXPECT_FALSE(read.days.has_value());
    EXPECT_TRUE(read.bold);
}

TEST_P(SettingsStoreTest, BackupMarksAreSetAndClearedOneByOne) {
    SettingsStore settings(store(), kKim);
    settings.setBackupAllowed(BackupAction::TextImport, true);
    EXPECT_EQ(stored(QStringLiteral("DataBackup")).mid(0, 3),
              (QStringList{QStringLiteral("<null>"), QStringLiteral("ok"), QStringLiteral("<null>")}));
    settings.setBackupAllowed(BackupAction::Backup, true);
    settings.setBackupAllowed(BackupAction::TextExport, true);
    settings.setBackupAllowed(BackupAction::TextImport, false);
    const BackupPermissions p = settings.backupPermissions();
    EXPECT_TRUE(p.allows(BackupAction::TextExport));
    EXPECT_FALSE(p.allows(BackupAction::TextImport));
    EXPECT_TRUE(p.allows(BackupAction::Backup));
    EXPECT_EQ(stored(QStringLiteral("DataBackup")).value(1), QString()) << "cleared to empty text";
    EXPECT_EQ(rows(QStringLiteral("DataBackup")), 1);
}

TEST_P(SettingsStoreTest, RegionsOfTypesFallBackToTheApartmentRowAndResetReplacesEveryRow) {
    SettingsStore settings(store(), kKim);
    settings.ensureLoginDefaults();
    const RegionDefault seoul{QStringLiteral("서울특별시"), QStringLiteral("강남구"),
                              QStringLiteral("역삼동")};
    settings.setRegionDefault(QStringLiteral("apt"), seoul);
    store().execute(QStringLiteral("DELETE FROM mem_seting WHERE seting = ?"), {QStringLiteral("villa")});
    EXPECT_EQ(settings.listRegion(QStringLiteral("villa")), seoul) << "no villa row: the apt row serves";
    EXPECT_TRUE(settings.listRegion(QStringLiteral("land")).isEmpty()) << "an empty row of its own is kept";

    // A missing row is written too instead of the change being lost.
    const RegionDefault busan{QStringLiteral("부산광역시"), QStringLiteral("해운대구"), {}};
    settings.setRegionDefault(QStringLiteral("villa"), busan);
    EXPECT_EQ(settings.listRegion(QStringLiteral("villa")), busan);

    insertRow({QStringLiteral("office"), QStringLiteral("old"), {}, {}, {}, {}}); // a double from older data
    const RegionDefault mine{QStringLiteral("경기도"), QStringLiteral("성남시"), {}};
    settings.setAllRegionDefaults(mine);
    for (const QString& key : SettingsStore::regionKeys()) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(rows(key), 1);
        EXPECT_EQ(settings.regionDefault(key), mine);
    }
    EXPECT_EQ(rows(QStringLiteral("fontsize")), 1) << "the reset touches only the region rows";

    EXPECT_THROW(settings.setRegionDefault(QStringLiteral("fontsize"), mine), std::invalid_argument);
    EXPECT_THROW(settings.setRegionDefault(QStringLiteral("apt' OR 1=1 --"), mine), std::invalid_argument);
}

TEST_P(SettingsStoreTest, PerUserWritesNeedAUser) {
    SettingsStore nobody(store());
    EXPECT_THROW(nobody.setStartPanel(StartPanel::Work1), std::logic_error);
    EXPECT_THROW(nobody.setColorRule({}), std::logic_error);
    EXPECT_EQ(store().scalar(QStringLiteral("SELECT COUNT(*) FROM mem_seting")).toInt(), 0);
    EXPECT_EQ(nobody.startPanel(), StartPanel::Logo);
    EXPECT_THROW(nobody.setFontSize(0), std::invalid_argument);
    nobody.setFontSize(9); // program-wide rows need no user
    EXPECT_EQ(nobody.fontSize(), 9);
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingsStoreTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

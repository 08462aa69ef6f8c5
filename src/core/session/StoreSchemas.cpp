#include "StoreSchemas.h"

#include "core/listing/ListingColumns.h"
#include "core/listing/ListingCounts.h"
#include "core/listing/ListingTextIndex.h"
#include "core/listing/SharedListCounts.h"
#include "core/store/PasswordHash.h"
#include "core/store/StoreTables.h"

namespace teran {

QList<TableDef> listingStoreSchema() {
    return QList<TableDef>{maemulTable(ListingSide::Local)} + listingStoreTables();
}

QList<TableDef> serverStoreSchema() {
    return QList<TableDef>{maemulTable(ListingSide::Server)} + serverStoreTables();
}

// Version 1 takes any older store (including files of earlier programs without a version)
// to the declared tables. Later versions add their own steps below it.
// Version 2 adds the indexes the list windows search and page by.
// Version 3 replaces the staff passwords that older versions mirrored in clear text by hashes.
// Version 4 adds the indexes of the name and progress boxes and of the office's own rows, and
// the listing counts the plain lists show their totals from.
// Version 5 (version 3 of the ServerStore) adds the move-in date (`ipjuday`) that a listing
// advertisement must state.
// Version 6 keeps the area of the part let that a lease states (`pyung5`, `pyung6` of
// `mem_moo_con`) and indexes the contract register by kind and date.
// Version 7 keeps what was done with a buyer and a listing that fit (`maesuin_match`).
// Version 8 keeps a lease's end and reporting deadline as dates (`ymd4_date`, `report_date` of
// `mem_moo_con`), so that the register's lease tabs are queries; the register fills them from the
// form's texts the first time it opens on an older file (it knows how to read those texts).
// Version 9 indexes every column the own list sorts by (the index of a lot's address now holds
// the whole address, which the list sorts by, and replaces the shorter one).
// Version 10 keeps the text index that the searches inside texts look rows up in.
// Version 11 keeps the changes of shared listings that wait for the server (`outbox`).
// Version 12 lets the outbox carry the server copies of other office rows (`target`, `serverrow`).
// Version 13 keeps in each listing what its shared copy shows of it (`scope_ie`), so that the
// registration window shows the office's choice again and every later copy keeps to it.
// Version 4 of the ServerStore keeps who wrote an inquiry from the program (`fromid` of
// `mem_paper`), so that the office it was written to can answer it.
// Version 5 of the ServerStore counts the shared listings per day, type and state, for the
// shared list's total, and indexes an office's rows by state and date (its own rows are left
// out of that total).
QList<Migration> listingStoreMigrations() {
    const auto reconcile = [](SqlStore& store) { reconcileTables(store, listingStoreSchema()); };
    const auto hashPasswords = [](SqlStore& store) {
        QList<std::pair<QString, QString>> clear;
        QSqlQuery q = store.query(QStringLiteral("SELECT memID, memPWD FROM members"));
        while (q.next())
            if (!PasswordHash::isHash(q.value(1).toString()))
                clear.append({q.value(0).toString(), q.value(1).toString()});
        q.finish();
        for (const auto& [id, password] : clear)
            store.execute(QStringLiteral("UPDATE members SET memPWD=? WHERE memID=?"),
                          {PasswordHash::make(password), id});
    };
    return {{1, QStringLiteral("declared tables"), reconcile},
            {2, QStringLiteral("list indexes"), reconcile},
            {3, QStringLiteral("hashed staff passwords"), hashPasswords},
            {4, QStringLiteral("choice indexes and listing counts"),
             [reconcile](SqlStore& store) {
                 reconcile(store);
                 ListingCounts(store).install();
             }},
            {5, QStringLiteral("move-in date"), reconcile},
            {6, QStringLiteral("area of the part let and the contract register's index"), reconcile},
            {7, QStringLiteral("match history"), reconcile},
            {8, QStringLiteral("lease dates of the contract register"), reconcile},
            {9, QStringLiteral("sort indexes of the own list"),
             [reconcile](SqlStore& store) {
                 store.execute(store.backend() == SqlBackend::MariaDb
                                   ? QStringLiteral("DROP INDEX IF EXISTS ix_maemul_lot ON maemul")
                                   : QStringLiteral("DROP INDEX IF EXISTS ix_maemul_lot"));
                 reconcile(store);
             }},
            {10, QStringLiteral("text index of the listings"),
             [](SqlStore& store) { ListingTextIndex(store).install(); }},
            {11, QStringLiteral("outbox of shared listings"), reconcile},
            {12, QStringLiteral("server copies of office rows in the outbox"), reconcile},
            {13, QStringLiteral("what the shared copy of a listing shows"), reconcile}};
}

QList<Migration> serverStoreMigrations() {
    const auto reconcile = [](SqlStore& store) { reconcileTables(store, serverStoreSchema()); };
    return {{1, QStringLiteral("declared tables"), reconcile},
            {2, QStringLiteral("list indexes"), reconcile},
            {3, QStringLiteral("move-in date"), reconcile},
            {4, QStringLiteral("the writer of an inquiry"), reconcile},
            {5, QStringLiteral("shared listings counted by day"), [reconcile](SqlStore& store) {
                 reconcile(store);
                 SharedListCounts(store).install();
             }}};
}

int upgradeListingStore(SqlStore& store) {
    return SchemaMigrator(store, listingStoreMigrations()).upgrade();
}

int upgradeServerStore(SqlStore& store) {
    return SchemaMigrator(store, serverStoreMigrations()).upgrade();
}

} // namespace teran

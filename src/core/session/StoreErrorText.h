#pragma once

#include <QString>

namespace teran {

class StoreError;

// What a user is told about a failed statement or connection: in Korean, under a title, what
// happened and what to do. The database's own (English) words go to the daily log only.
struct StoreErrorText {
    QString title;
    QString text;
};

// Refused: the server's encryption or certificate did not verify; Cut: the server ended a
// statement that ran past the account's time limit.
enum class StoreFault { Damaged, ReadOnly, DiskFull, Busy, ServerLost, Refused, Cut, Other };

StoreFault classifyStoreError(const StoreError& error);
// `logFolder`: where the caller's log line went (DailyLog::lastFolder), named in the text; empty
// when it could not be written, and then the text says so instead of pointing to a log.
StoreErrorText describeStoreError(const StoreError& error, bool serverStore, const QString& logFolder);

} // namespace teran

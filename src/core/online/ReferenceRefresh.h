#pragma once

#include "ReferenceJob.h"
#include "core/store/SqlStore.h"

#include <functional>

namespace teran {

class Session;

// Texts of the refresh, as the menu entries and frmUpgrade show them.
QString refreshQuestionTitle(ReferenceJob job); // "우편번호갱신"
QString refreshQuestionText(ReferenceJob job);
QString nothingNewText(ReferenceJob job);
QString onlineServiceTitle();                 // "테란 온라인서비스"
QString refreshWindowTitle(ReferenceJob job); // frmUpgrade's lblTitle
QString refreshDoneText(ReferenceJob job);
// "120 / 45000 업데이트중.. ": the rows copied so far and the rows to copy.
QString refreshProgressText(qint64 counter, qint64 total);
QString checkErrorLabel(ReferenceJob job); // "frmMain downPost_Click => "
QString copyErrorLabel();                  // "frmUpgrade cmdAc_Click => "

// Told the rows copied so far and the rows to copy; a window repaints here.
using RefreshProgress = std::function<void(qint64 counter, qint64 total)>;
// Often enough for a moving counter, rarely enough that repainting costs next to nothing.
constexpr int kRefreshProgressStep = 250;

// The job's count statement on one store. Throws StoreError.
qint64 referenceCount(SqlStore& store, ReferenceJob job);

// Replaces the office's table by the server's rows. The delete and the inserts are one
// transaction of the ListingStore, so a failure anywhere (the server going away half-way, a row
// the office's table refuses, an exception from the progress callback) leaves the old rows
// whole. The server's rows are read forward only and written as they arrive; nothing holds the
// whole table. The progress callback runs every `progressEvery` rows and once at the start and
// the end. Returns the rows copied. Throws StoreError.
qint64 copyReferenceTable(SqlStore& server, SqlStore& local, ReferenceJob job,
                          const RefreshProgress& progress = {}, int progressEvery = kRefreshProgressStep);

enum class RefreshCheck {
    Offline,    // the internet did not answer; the user was told
    Failed,     // a store could not be read; logged and shown
    NothingNew, // equal counts; the user was told
    Declined,   // the counts differ and the user said No
    Accepted    // the counts differ and the user wants the copy
};

// The menu entry's check: compares the counts of both stores and, when they differ, asks
// whether to copy. Equal counts with different rows look the same as no change.
RefreshCheck checkReference(Session& session, ReferenceJob job);

// frmUpgrade's copy with its messages: the completion box on success; on failure one log line
// and a box with the database's description. True when the office's table was replaced.
bool runReferenceCopy(Session& session, ReferenceJob job, const RefreshProgress& progress = {});

} // namespace teran

#include "ListingChoices.h"
#include "core/session/Session.h"

#include "ListQuery.h"
#include "core/store/SqlStore.h"

namespace teran {

ListingChoices::ListingChoices(SqlStore& store)
    : m_store(store) {}

ListingChoices::ListingChoices(Session& session)
    : ListingChoices(session.listingStore()) {}

void ListingChoices::forgetWhenChanged() {
    const std::pair<qint64, qint64> stamp = m_store.changeStamp();
    if (stamp == m_stamp)
        return;
    m_names.clear();
    m_progress.reset();
    m_stamp = stamp;
}

bool ListingChoices::current() {
    return m_store.changeStamp() == m_stamp;
}

QStringList ListingChoices::names(const QString& tb) {
    forgetWhenChanged();
    const auto kept = m_names.constFind(tb);
    if (kept != m_names.constEnd())
        return *kept;
    const QStringList read = distinctNames(m_store, tb);
    m_names.insert(tb, read);
    return read;
}

QStringList ListingChoices::progressValues() {
    forgetWhenChanged();
    if (!m_progress)
        m_progress = distinctProgressValues(m_store);
    return *m_progress;
}

} // namespace teran

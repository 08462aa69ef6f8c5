#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace teran {

class Session;

class SqlStore;

// The choices of the search panel's name box per type and of its progress box, read from the
// ListingStore's indexes when first asked and kept until the store's data changes (its change
// stamp moves). Throws StoreError.
class ListingChoices {
public:
    explicit ListingChoices(SqlStore& store);
    explicit ListingChoices(Session& session); // of the office database

    QStringList names(const QString& tb);
    QStringList progressValues();
    // Whether the kept values still stand; false once anything was written.
    bool current();

private:
    void forgetWhenChanged();

    SqlStore& m_store;
    std::pair<qint64, qint64> m_stamp{-1, -1};
    QHash<QString, QStringList> m_names;
    std::optional<QStringList> m_progress;
};

} // namespace teran

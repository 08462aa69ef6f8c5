#pragma once

#include "TestOffice.h"
#include "core/listings/ListQuery.h"

#include <algorithm>

namespace teran::test {

// The office of the list tests: off1 at its desk on a March afternoon, on SQLite or on the
// backend of the test's parameter.
template <typename Base> class ListsOfficeFixture : public Base {
protected:
    void SetUp() override {
        if constexpr (std::is_base_of_v<testing::WithParamInterface<Backend>, Base>)
            f = TestOffice::make({Base::GetParam(), Desk::Office, listsAfternoon()});
        else
            f = TestOffice::make({Backend::Sqlite, Desk::Office, listsAfternoon()});
        TERAN_REQUIRE_SERVICE(f != nullptr, "MariaDB");
    }

    // A search of the lists, its page 500 rows long unless the request says otherwise.
    ListPage search(ListRequest request) {
        if (request.pageSizeText.isNull())
            request.pageSizeText = QStringLiteral("500");
        return ListQuery(f->session()).ListSearch(request);
    }

    // The numbers a search lists, in the order listed; the page holds every row found.
    QList<int> listed(const ListRequest& request) {
        const ListPage page = search(request);
        EXPECT_TRUE(page.ok) << page.error.toStdString();
        QList<int> numbers;
        for (const ListItem& item : page.rows)
            numbers << item.number;
        EXPECT_EQ(page.total, numbers.size());
        return numbers;
    }

    // The server's own number of the copy added last.
    int lastServerRow() {
        return f->server().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul")).toInt();
    }

    std::unique_ptr<TestOffice> f;
};

using ListsTest = ListsOfficeFixture<testing::Test>;
using ListsBackendTest = ListsOfficeFixture<testing::TestWithParam<Backend>>;

inline QList<int> sorted(QList<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The text of a page's cell under `caption`; "<none>" where the page has no such cell.
inline QString cellOf(const ListPage& page, int row, const QString& caption) {
    const int at = captionsOf(page.columns).indexOf(caption);
    if (at < 0 || row >= page.rows.size())
        return QStringLiteral("<none>");
    return page.rows.at(row).cells.at(at);
}

inline ListFilter typed(const QString& tb) {
    ListFilter filter;
    filter.tb = tb;
    return filter;
}

} // namespace teran::test

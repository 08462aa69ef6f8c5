#include "core/session/WorkNotes.h"
#include "TestOffice.h"

#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

class WorkNotesTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    WorkNoteBook as(const QString& user) { return WorkNoteBook(office->local(), user); }
    int note(const QString& kind, int owner, const QString& work, const QString& opid = {},
             const QDate& day = QDate(2026, 12, 1), const QString& lot = {}) {
        return as(QStringLiteral("off1"))
            .add({kind, owner, QStringLiteral("off1"), day, work, opid, QString(), lot});
    }
    static QStringList texts(const QList<WorkNote>& notes) {
        QStringList list;
        for (const WorkNote& n : notes)
            list << n.work;
        return list;
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

// A private note is its writer's alone, the office's main account included; public ones are
// everybody's, in every read. A listing's own notes leave out those kept under its lot, which
// the lot list shows.
TEST_P(WorkNotesTest, APrivateNoteIsSeenByItsWriterOnlyAndLotNotesStandApart) {
    note(NoteKind::Buyer, 7, "모두의 메모", QString(), QDate(2026, 12, 1));
    const int secret = note(NoteKind::Buyer, 7, "이실장 비밀", QStringLiteral("st1"), QDate(2026, 12, 3));
    note(NoteKind::Buyer, 7, "김대표 비밀", QStringLiteral("off1"), QDate(2026, 12, 2));

    EXPECT_EQ(texts(as("st1").of(NoteKind::Buyer, 7)), (QStringList{"이실장 비밀", "모두의 메모"}));
    EXPECT_EQ(texts(as("off1").of(NoteKind::Buyer, 7)), (QStringList{"김대표 비밀", "모두의 메모"}))
        << "the main account does not see a staff member's private note";
    EXPECT_EQ(texts(as("st2").of(NoteKind::Buyer, 7)), QStringList{"모두의 메모"});
    EXPECT_TRUE(as("st1").read(secret).has_value());
    EXPECT_FALSE(as("off1").read(secret).has_value());
    EXPECT_TRUE(as("st1").of(NoteKind::Card, 7).isEmpty()) << "another kind of owner, another list";

    const QString lot = lotAddress("서울", "강남구", "역삼동", " 123-4 ");
    EXPECT_EQ(lot, "서울강남구역삼동123-4");
    note(NoteKind::Listing, 5, "매물 메모");
    note(NoteKind::Listing, 5, "지번 메모", QString(), QDate(2026, 12, 2), lot);
    note(NoteKind::Listing, 5, "남의 지번 비밀", QStringLiteral("st2"), QDate(2026, 12, 3), lot);
    EXPECT_EQ(texts(as("st1").ofListing(5)), QStringList{"매물 메모"});
    EXPECT_EQ(texts(as("st1").ofLot(lot)), QStringList{"지번 메모"});
    EXPECT_TRUE(as("st1").ofLot(QString()).isEmpty());
}

// Written, changed, copied and removed; quotes and line breaks stay as typed, the lists show
// them on one line.
TEST_P(WorkNotesTest, NotesAreWrittenChangedCopiedAndRemoved) {
    WorkNoteBook book = as("off1");
    const int first = note(NoteKind::Buyer, 3, "O'Neil 씨\r\n둘째 줄", QStringLiteral("st1"));
    note(NoteKind::Buyer, 3, "공개 메모");
    note(NoteKind::Buyer, 4, "다른 매수인");
    book.update(first, QDate(2026, 12, 9), "남이 고친 메모");
    book.remove(first);
    EXPECT_EQ(as("st1").read(first)->work, "O'Neil 씨\r\n둘째 줄")
        << "another user's private note stays as it is";
    as("st1").update(first, QDate(2026, 12, 9), "고친 'O'Neil' 메모\n둘째 줄");
    const std::optional<WorkNote> changed = as("st1").read(first);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->work, "고친 'O'Neil' 메모\n둘째 줄");
    EXPECT_EQ(WorkNoteBook::listDay(*changed), "1209");
    EXPECT_EQ(WorkNoteBook::listText(*changed), "고친 'O'Neil' 메모 둘째 줄");

    book.copyAll(NoteKind::Buyer, 3, NoteKind::Customer, 11);
    EXPECT_EQ(texts(as("st1").of(NoteKind::Customer, 11)),
              (QStringList{"고친 'O'Neil' 메모\n둘째 줄", "공개 메모"}));
    EXPECT_EQ(texts(as("st2").of(NoteKind::Customer, 11)), QStringList{"공개 메모"})
        << "a copy stays private";

    book.removeAllOf(NoteKind::Buyer, 3);
    EXPECT_TRUE(as("st1").of(NoteKind::Buyer, 3).isEmpty());
    EXPECT_EQ(texts(book.of(NoteKind::Buyer, 4)), QStringList{"다른 매수인"});
    EXPECT_EQ(as("st1").of(NoteKind::Customer, 11).size(), 2) << "the copies are notes of their own";
    const int other = book.of(NoteKind::Buyer, 4).first().number;
    book.remove(other);
    EXPECT_TRUE(book.of(NoteKind::Buyer, 4).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, WorkNotesTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

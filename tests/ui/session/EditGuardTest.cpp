#include "ui/session/EditGuard.h"
#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

// A record of one text box: what is typed, what is stored, and how often it was saved.
struct Record {
    QString typed;
    QString stored;
    int saves = 0;
    bool saveWorks = true;
};

EditGuard guardOf(Record& record, ScriptedDialogs& dialogs) {
    return EditGuard(
        dialogs, QStringLiteral("매물등록"), [&record] { return QVariant(record.typed); },
        [&record] {
            ++record.saves;
            if (record.saveWorks)
                record.stored = record.typed;
            return record.saveWorks;
        });
}

} // namespace

TEST(EditGuardTest, TypedChangesAskToSaveDiscardOrStay) {
    Record record;
    ScriptedDialogs dialogs;
    EditGuard guard = guardOf(record, dialogs);
    guard.markClean();
    EXPECT_FALSE(guard.dirty());
    // Typing and typing back is no change: the window is left without a question.
    record.typed = QStringLiteral("x");
    record.typed.clear();
    EXPECT_TRUE(guard.allowLeave());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    record.typed = QStringLiteral("남향 34평");

    dialogs.answerNext(DialogAnswer::Cancel); // stay
    EXPECT_FALSE(guard.allowLeave());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, EditGuard::leaveQuestion());
    EXPECT_EQ(dialogs.shown().first().title, QStringLiteral("매물등록"));
    EXPECT_EQ(dialogs.shown().first().buttons, DialogButtons::YesNoCancel);
    EXPECT_EQ(record.saves, 0);
    EXPECT_TRUE(guard.dirty()) << "staying keeps the typed text unsaved";

    record.saveWorks = false;
    dialogs.answerNext(DialogAnswer::Yes); // save, but the save fails: the window stays
    EXPECT_FALSE(guard.allowLeave());
    EXPECT_EQ(record.saves, 1);

    record.saveWorks = true;
    dialogs.answerNext(DialogAnswer::Yes);
    EXPECT_TRUE(guard.allowLeave());
    EXPECT_EQ(record.stored, QStringLiteral("남향 34평"));

    record.typed = QStringLiteral("북향");
    guard.markClean(); // as the window does after a load or a save
    record.typed = QStringLiteral("동향");
    dialogs.answerNext(DialogAnswer::No); // discard
    EXPECT_TRUE(guard.allowLeave());
    EXPECT_EQ(record.saves, 2);
    EXPECT_EQ(record.stored, QStringLiteral("남향 34평"));
}

// Qt's own dialogs (file dialog, print preview, boxes) speak Korean.
TEST(KoreanTranslationsTest, QtsOwnDialogTextsAreKorean) {
    EXPECT_EQ(QLocale().language(), QLocale::Korean);
    const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
    EXPECT_NE(lookIn, QStringLiteral("Look in:")) << "qtbase_ko.qm is not installed";
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("File &name:"));
    EXPECT_NE(QCoreApplication::translate("QPrintPreviewDialog", "Print"), QStringLiteral("Print"));
}

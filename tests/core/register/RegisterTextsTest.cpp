#include "core/register/RegisterTexts.h"
#include "core/register/ListingSave.h"

#include <gtest/gtest.h>

using namespace teran;

// The boxes after a save speak Korean; what a server or library said in English stays in the log.
TEST(RegisterTextsTest, FailuresAreToldInKoreanWithoutTheTechnicalText) {
    const struct {
        const char* said;
        const char* told;
    } cases[] = {
        {"OpenConnection error code: 7 Message: Couldn't connect to server",
         "사진 서버에 연결할 수 없습니다."},
        {"Lost connection to server during query", "본사 서버와의 연결이 끊어졌습니다."},
        {"Operation timed out after 20000 milliseconds", "서버가 제시간에 응답하지 않았습니다."},
        {"database or disk is full", "저장 공간이 부족합니다."},
        {"something nobody foresaw", "처리 중 오류가 있었습니다."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        const QString told = RegisterTexts::causeInKorean(QString::fromLatin1(c.said));
        EXPECT_TRUE(told.startsWith(QString::fromUtf8(c.told))) << told.toStdString();
        EXPECT_FALSE(told.contains(QString::fromLatin1(c.said)));
    }
    ListingSaveResult result;
    result.local = ListingSaveResult::Local::Saved;
    result.sharing = ListingSaveResult::Sharing::Failed;
    result.sharingError = QStringLiteral("OpenConnection error code: 7 Message: Couldn't connect to server");
    const QString notice = RegisterTexts::saveNotice(result).text;
    EXPECT_TRUE(notice.contains(QStringLiteral("사진 서버에 연결할 수 없습니다.")));
    EXPECT_FALSE(notice.contains(QStringLiteral("Couldn't"))) << notice.toStdString();
}

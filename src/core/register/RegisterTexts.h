#pragma once

#include "ListingSave.h"
#include "core/session/Dialogs.h"

#include <QList>
#include <QString>

namespace teran {

// The messages of the registration window.
namespace RegisterTexts {

QString windowTitle(); // "매물등록"
// The window's title bar: "매물등록" for a new listing, "매물수정 - 12번" for a stored one.
QString windowTitleFor(bool stored, int number);
QString addressMissing();    // "소재지를 입력해주세요."
QString gradeMissingTitle(); // "인터넷매물 등록오류"
QString gradeMissing();      // the four paragraphs on choosing a grade
QString closeSharingTitle(); // "매물등급설정"
QString closeSharingQuestion();
QString confirmTitle(); // "확인"
QString editDone();     // "수정을 완료하였습니다. 폼을 닫으시겠습니까?"
QString copyDone();     // "복사를 완료하였습니다"
QString newDone();      // "등록을 완료하였습니다. 계속등록하시겠습까?"
QString copyTitle();    // "매물복사"
QString copyQuestion();
QString deleteTitle();        // "매물삭제"
QString deleteRefusedTitle(); // "매물삭제불가"
QString deleteRefused();      // "매물을 삭제할 권한이 없습니다."
QString deleteQuestion();     // archive (Yes), delete (No) or keep (Cancel)
QString deleteArchivedQuestion();
QString moved();              // "매물을 이동하였습니다."
QString toArchive();          // "보관함이동"
QString toListings();         // "매물함이동"
QString clubListRefused();    // "클럽목록에서는 이메뉴를 사용하실 수가 없습니다."
QString noLotListingsTitle(); // "관련매물확인"
QString noLotListings();      // "관련된 매물이 없습니다."
QString sharingSummaryOff();
// The summary and the share box's tip of an offline session: why sharing cannot be chosen.
QString sharingOffline();
// What the user reads of a failure: its cause in Korean and where the details went. The
// technical text itself (English, from a server or a library) belongs in the daily log.
QString causeInKorean(const QString& technical);
QString sharingOfflineTip(); // the five lines of lblie without sharing
// lblie with sharing: kind / grade, then the shared areas and floors.
QString sharingSummary(const QString& kind, const QString& grade, const QString& areas,
                       const QString& floors);
// Asked before a new listing is saved on a lot where the office already has listings.
QString duplicateTitle();
QString duplicateQuestion(const QList<int>& numbers);
QString changedElsewhereTitle();
QString changedElsewhereQuestion();
QString goneElsewhere();

// Pictures and the file box.
QString pictureTitle();  // "사진등록"
QString pictureFilter(); // the picture formats of phones and scanners, for the file dialog
QString attachError();   // "파일첨부오류"
// "파일첨부오류" and, below it, why the file was refused.
QString attachErrorBecause(const QString& reason);
QString imageBoxTitle(); // "이미지 BOX"
QString imageBoxHint();  // "이미지를 클릭하면 보다 자세한 이미지를 보실수 있습니다."
QString imageBoxFull(int left);
QString fileBoxTitle();     // "파일함"
QString fileBoxFilter();    // any file
QString fileReplaceTitle(); // "파일확인"
QString fileReplaceQuestion();

// What a save tells the user before the usual question: why it was not saved, or why it was
// saved but not shared. Empty text when there is nothing to add.
struct Notice {
    QString text;
    QString title;
    DialogIcon icon = DialogIcon::Information;
};
Notice saveNotice(const ListingSaveResult& result);

} // namespace RegisterTexts

} // namespace teran

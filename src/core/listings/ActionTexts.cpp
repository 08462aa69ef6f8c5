#include "ActionTexts.h"

#include "core/session/InternetNotice.h"
#include "core/session/LoginService.h"

namespace teran::ActionTexts {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString progress(int total, int current, const QString& doing) {
    return QStringLiteral("총 %1 개의 데이타중 %2 개를 ").arg(total).arg(current) + doing;
}

// "선택된매물 (3)개 " CR LF "[a,b,c]을 ": the opening of most questions.
QString selectedListings(int count, const QString& labels) {
    return QStringLiteral("선택된매물 (%1)개 ").arg(count) + kCrLf + QLatin1Char('[') + labels +
           QStringLiteral("]을 ");
}

QString run() {
    return QStringLiteral("실행하시겠습니까 ?");
}

} // namespace

QString titleCheck() {
    return QStringLiteral("확인");
}

QString titleNotice() {
    return QStringLiteral("알림");
}

QString uploading(int total, int current) {
    return progress(total, current, QStringLiteral("등록하는중입니다."));
}

QString deleting(int total, int current) {
    return progress(total, current, QStringLiteral("삭제하는중입니다."));
}

QString moving(int total, int current) {
    return progress(total, current, QStringLiteral("이동하는중입니다."));
}

QString noSelection() {
    return QStringLiteral("선택된 매물이 없습니다.");
}

QString offlineLogin() {
    // The session goes online without a new login: the status bar's button connects it again.
    return QStringLiteral("오프라인으로 로그인하셨습니다.") + kCrLf + kCrLf +
           QStringLiteral("온라인 매물작업은 본사 서버에 연결되면 상태표시줄의 '%1' 단추를 누른 후에 "
                          "사용하실 수 있습니다.")
               .arg(LoginTexts::reconnectButton());
}

QString titleInternet() {
    return InternetNotice::title();
}

QString nothingToPublish() {
    return QStringLiteral("선택된 매물이 없거나 이미 등록된매물입니다.");
}

QString publishLimit() {
    return QStringLiteral("온라인 매물등록 작업은 한번에 10까지만 등록가능합니다.");
}

QString publishQuestion(int count, const QString& labels, const QString& targetName) {
    return selectedListings(count, labels) + kCrLf + kCrLf + targetName +
           QStringLiteral(" 매물로 등록합니다.") + kCrLf +
           QStringLiteral("인터넷매물로 등록할경우 자동으로 매물이 활성매물함으로 이동됩니다. ") + kCrLf +
           QLatin1Char(' ') + run();
}

QString titlePublish() {
    return QStringLiteral("인터넷매물등록");
}

QString publishDone(int count) {
    return QStringLiteral("매물 등록작업 (%1)건을 완료하였습니다.").arg(count);
}

QString nothingToUnpublish() {
    return QStringLiteral("선택된 매물이 없거나 인터넷에 등록된매물이 없습니다.");
}

QString unpublishQuestion(int count, const QString& labels, const QString& scopeName) {
    return selectedListings(count, labels) + kCrLf + kCrLf + scopeName +
           QStringLiteral(" 매물에서 삭제합니다.") + kCrLf + kCrLf + run();
}

QString titleUnpublish() {
    return QStringLiteral("인터넷매물삭제");
}

QString unpublishDone(int count) {
    return QStringLiteral(" 매물 삭제작업 (%1)건을 완료하였습니다.").arg(count);
}

QString restoreQuestion(int count, const QString& labels) {
    return selectedListings(count, labels) + QStringLiteral("매물함으로 이동합니다. ") + run();
}

QString archiveQuestion(int count, const QString& labels) {
    return selectedListings(count, labels) + QStringLiteral("보관함으로 이동합니다. ") + kCrLf +
           QStringLiteral("단, 인터넷매물을 보관함으로 이동할경우에는 인터넷매물은 자동 삭제됩니다.") +
           QLatin1Char(' ') + run();
}

QString titleMove() {
    return QStringLiteral("매물이동");
}

QString restoreDone(int count) {
    return QStringLiteral("매물함으로 이동작업 (%1)건을 완료하였습니다.").arg(count);
}

QString archiveDone(int count) {
    return QStringLiteral("매물보관함으로 이동작업 (%1)건을 완료하였습니다.").arg(count);
}

QString deleteQuestion(int count, const QString& labels) {
    return selectedListings(count, labels) + QStringLiteral("매물목록에서 완전히 삭제합니다.") +
           QLatin1Char(' ') + run();
}

QString titleDelete() {
    return QStringLiteral("매물삭제");
}

QString deleteDone(int count) {
    return QStringLiteral("매물 삭제작업 (%1)건을 완료하였습니다.").arg(count);
}

QString nothingToRefresh() {
    return QStringLiteral("선택된 매물이 없거나 온라인에 등록된매물이 없습니다.");
}

QString refreshQuestion(int count, const QString& labels) {
    return QStringLiteral("선택된매물 (%1)개 ").arg(count) + QLatin1Char('[') + labels +
           QStringLiteral("]의 ") + QStringLiteral("온라인 매물날짜를 갱신합니다.") + run();
}

QString refreshAllQuestion() {
    return QStringLiteral("온라인 매물의 전체날짜를 갱신합니다.") + run();
}

QString titleRefresh() {
    return QStringLiteral("온라인매물 날짜갱신");
}

QString refreshDone(int count) {
    return QStringLiteral(" 온라인매물 날짜갱신작업 (%1)건을 완료하였습니다.").arg(count);
}

QString refreshAllDone(int count) {
    return QStringLiteral("총 %1 건의 데이터를 변경하였습니다.").arg(count);
}

QString reconciled(int sent, int removed, int aligned, int failed) {
    QString text = sent + removed + aligned == 0
                       ? QStringLiteral("서버의 온라인매물이 사무소 자료와 맞습니다.")
                       : QStringLiteral("서버의 온라인매물을 사무소 자료에 맞추었습니다.") + (kCrLf + kCrLf) +
                             QStringLiteral("다시 올린 매물: %1건").arg(sent) + kCrLf +
                             QStringLiteral("서버에서 내린 매물: %1건").arg(removed) + kCrLf +
                             QStringLiteral("상태를 맞춘 매물: %1건").arg(aligned);
    if (failed > 0)
        text += (kCrLf + kCrLf) + QStringLiteral("맞추지 못한 매물 %1건은 다음에 다시 맞춥니다.").arg(failed);
    return text;
}

QString titleReconcile() {
    return QStringLiteral("온라인매물 점검");
}

QString titleRefreshAllDone() {
    return QStringLiteral("날짜갱신완료");
}

QString noSmsNumbers() {
    return QStringLiteral("선택된 매도인이 없습니다.");
}

QString smsQuestion(int count) {
    return QStringLiteral("선택된매도인 (%1)명 에게 ").arg(count) + kCrLf +
           QStringLiteral("문자메세지를 전송합니다.") + kCrLf + run();
}

QString titleSms() {
    return QStringLiteral("문자메세지전송");
}

QString noInChargeSelection() {
    return QStringLiteral("변경할 매물이 선택되지 않았습니다.");
}

QString inChargeQuestion(int count, const QString& staffName) {
    return QStringLiteral("선택된매물 (%1)개를 ").arg(count) + kCrLf + QStringLiteral("담당자 [") +
           staffName + QStringLiteral("]님으로 변경합니다.") + run();
}

QString titleInCharge() {
    return QStringLiteral("담당자변경");
}

QString inChargeDone() {
    return QStringLiteral("담당자를 변경하였습니다.");
}

QString failedNote(const QString& verb, int count, const QString& labels) {
    return verb + QStringLiteral("하지 못한 매물 (%1)건 [").arg(count) + labels + QStringLiteral("]") +
           kCrLf + QStringLiteral("잠시 후 다시 실행해 주세요.");
}

QString cancelledNote(const QString& verb, int count, const QString& labels) {
    return QStringLiteral("취소하여 %1하지 않은 매물 (%2)건 [").arg(verb).arg(count) + labels +
           QStringLiteral("]");
}

QString queuedNote(int count, const QString& labels) {
    return QStringLiteral("서버에 보내지 못한 (%1)건 [").arg(count) + labels + QStringLiteral("]은 ") +
           QStringLiteral("전송대기에 두었습니다.") + kCrLf +
           QStringLiteral(
               "서버가 응답하면 자동으로 다시 보냅니다. 상태표시줄의 전송대기에서 보거나 취소할 수 "
               "있습니다.");
}

QString picturesNotSentNote(int count, const QString& labels) {
    return QStringLiteral("사진을 서버에 올리지 못한 매물 (%1)건 [").arg(count) + labels +
           QStringLiteral("]") + kCrLf +
           QStringLiteral("매물을 수정하여 다시 저장하시면 사진을 다시 올립니다.");
}

QString picturesNotRemovedNote(int count, const QString& labels) {
    return QStringLiteral("서버의 사진을 지우지 못한 매물 (%1)건 [").arg(count) + labels +
           QStringLiteral("]");
}

QString serverFailed() {
    return QStringLiteral("서버에 연결할 수 없어 작업을 하지 못했습니다.") + kCrLf + kCrLf +
           QStringLiteral("인터넷 연결이 문제가 없는지 확인해보세요.");
}

} // namespace teran::ActionTexts

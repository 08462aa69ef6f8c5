#include "RegisterTexts.h"

#include "core/session/LoginService.h"
#include "core/store/TlsTrust.h"

#include <algorithm>

namespace teran::RegisterTexts {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString windowTitleFor(bool stored, int number) {
    return stored ? QStringLiteral("매물수정 - %1번").arg(number) : windowTitle();
}

QString windowTitle() {
    return QStringLiteral("매물등록");
}
QString addressMissing() {
    return QStringLiteral("소재지를 입력해주세요.");
}
QString gradeMissingTitle() {
    return QStringLiteral("인터넷매물 등록오류");
}
QString gradeMissing() {
    return QStringLiteral("인터넷매물로 등록하시려면 ") + kCrLf + kCrLf +
           QStringLiteral("인터넷옵션에서 파란색옵션(일반,추천,급매)중에 ") + kCrLf + kCrLf +
           QStringLiteral("한개의 옵션을 선택하셔야 인터넷매물로 등록이 가능 합니다.") + kCrLf + kCrLf +
           QStringLiteral("단, 인터넷매물의 허용갯수를 초과하실경우 등록하실 수 없습니다.");
}
QString closeSharingTitle() {
    return QStringLiteral("매물등급설정");
}
QString closeSharingQuestion() {
    return QStringLiteral("온라인옵션을 사용하시려면") + kCrLf + kCrLf +
           QStringLiteral("온라인광고의 매물등급을 선택하여주세요") + kCrLf + kCrLf +
           QStringLiteral("파란색글씨 급구/추천/일반중 하나를 선택하셔야 합니다.") + kCrLf + kCrLf +
           QStringLiteral("온라인매물광고를 하지 않으시겠습니까 ?");
}
QString confirmTitle() {
    return QStringLiteral("확인");
}
QString editDone() {
    return QStringLiteral("수정을 완료하였습니다. 폼을 닫으시겠습니까?");
}
QString copyDone() {
    return QStringLiteral("복사를 완료하였습니다");
}
QString newDone() {
    return QStringLiteral("등록을 완료하였습니다. 계속등록하시겠습까?");
}
QString copyTitle() {
    return QStringLiteral("매물복사");
}
QString copyQuestion() {
    return QStringLiteral("현재 매물을 복사합니다.") + kCrLf + QStringLiteral(" 실행하시겠습니까 ?");
}
QString deleteTitle() {
    return QStringLiteral("매물삭제");
}
QString deleteRefusedTitle() {
    return QStringLiteral("매물삭제불가");
}
QString deleteRefused() {
    return QStringLiteral("매물을 삭제할 권한이 없습니다.");
}
QString deleteQuestion() {
    return QStringLiteral("매물을 삭제하시면 자동으로 보관함 매물에 임시 보관됩니다.") + kCrLf +
           QStringLiteral("실행 하시겠습니까 ?") + kCrLf +
           QStringLiteral("(보관함매물에 임시보관하려면 '예', 완전히 삭제하시려면 '아니오'를 선택하세요.)");
}
QString deleteArchivedQuestion() {
    return QStringLiteral("보관함매물을 삭제하시면 매도인정보와 작업내용이 모두 삭제됩니다.") + kCrLf +
           QStringLiteral("삭제하시겠습니까 ?");
}
QString moved() {
    return QStringLiteral("매물을 이동하였습니다.");
}
QString toArchive() {
    return QStringLiteral("보관함이동");
}
QString toListings() {
    return QStringLiteral("매물함이동");
}
QString clubListRefused() {
    return QStringLiteral("클럽목록에서는 이메뉴를 사용하실 수가 없습니다.");
}
QString noLotListingsTitle() {
    return QStringLiteral("관련매물확인");
}
QString noLotListings() {
    return QStringLiteral("관련된 매물이 없습니다.");
}
QString causeInKorean(const QString& technical) {
    const auto says = [&technical](std::initializer_list<const char*> parts) {
        return std::any_of(parts.begin(), parts.end(), [&technical](const char* part) {
            return technical.contains(QLatin1String(part), Qt::CaseInsensitive);
        });
    };
    // A server the desk refused (no encryption, a certificate that does not verify) is named
    // with the reason, which is already in Korean.
    if (const QString refusal = TlsTrust::refusalIn(technical); !refusal.isEmpty())
        return refusal;
    QString cause;
    if (says({"timeout", "timed out"}))
        cause = QStringLiteral("서버가 제시간에 응답하지 않았습니다.");
    else if (says({"Lost connection", "gone away", "MySQL server", "MariaDB server"}))
        cause = QStringLiteral("본사 서버와의 연결이 끊어졌습니다.");
    else if (says({"OpenConnection", "connect to server", "picture server cannot be reached", "FtpOpen"}))
        cause = QStringLiteral("사진 서버에 연결할 수 없습니다.");
    else if (says({"530", "Login incorrect", "Access denied", "permission"}))
        cause = QStringLiteral("서버가 접속이나 쓰기를 허락하지 않았습니다.");
    else if (says({"disk full", "No space", "database or disk is full"}))
        cause = QStringLiteral("저장 공간이 부족합니다.");
    else if (says({"no such picture", "cannot copy", "No such file"}))
        cause = QStringLiteral("사진 파일을 찾을 수 없습니다.");
    else
        cause = QStringLiteral("처리 중 오류가 있었습니다.");
    return cause + QStringLiteral(" (자세한 내용은 Log 폴더의 일지에 기록하였습니다.)");
}

QString sharingOffline() {
    return QStringLiteral("오프라인 상태입니다.\n본사 서버에 연결되면\n온라인 공유를\n할 수 있습니다.");
}
QString sharingOfflineTip() {
    return QStringLiteral(
               "본사 서버에 연결되어 있지 않아 온라인 공유를 할 수 없습니다. "
               "매물은 사무실 매물로 저장되고, 연결된 후(상태표시줄의 '%1') 다시 저장하면 공유됩니다.")
        .arg(LoginTexts::reconnectButton());
}
QString sharingSummaryOff() {
    return QStringLiteral("온라인옵션\n온라인으로\n매물광고를 하시려면\n여기를 클릭하세요.\n클릭 ~!!");
}
QString sharingSummary(const QString& kind, const QString& grade, const QString& areas,
                       const QString& floors) {
    return kind + QStringLiteral(" / ") + grade + QStringLiteral("\n평수 : ") + areas +
           QStringLiteral("\n층수 : ") + floors;
}
QString duplicateTitle() {
    return QStringLiteral("중복매물확인");
}
QString duplicateQuestion(const QList<int>& numbers) {
    QStringList shown;
    for (int n : numbers)
        shown << QString::number(n);
    return QStringLiteral("같은 소재지(지번, 호수)의 매물이 이미 있습니다. (매물번호 ") +
           shown.join(QStringLiteral(", ")) + QStringLiteral(")") + kCrLf +
           QStringLiteral("그래도 새 매물로 등록하시겠습니까?");
}
QString changedElsewhereTitle() {
    return QStringLiteral("동시수정확인");
}
QString changedElsewhereQuestion() {
    return QStringLiteral("이 매물을 연 뒤에 다른 자리에서 매물을 수정하였습니다.") + kCrLf +
           QStringLiteral("지금 입력한 내용으로 덮어쓰시겠습니까?") + kCrLf +
           QStringLiteral("('아니오'를 선택하시면 저장된 내용을 다시 불러옵니다.)");
}
QString goneElsewhere() {
    return QStringLiteral("이 매물은 다른 자리에서 삭제되었습니다. 저장하지 못했습니다.");
}

QString pictureTitle() {
    return QStringLiteral("사진등록");
}

QString pictureFilter() {
    return QStringLiteral("그림파일 (*.jpg *.jpeg *.gif *.png)");
}

QString attachError() {
    return QStringLiteral("파일첨부오류");
}

QString attachErrorBecause(const QString& reason) {
    return attachError() + kCrLf + kCrLf + reason;
}

QString imageBoxTitle() {
    return QStringLiteral("이미지 BOX");
}

QString imageBoxHint() {
    return QStringLiteral("이미지를 클릭하면 보다 자세한 이미지를 보실수 있습니다.");
}

QString imageBoxFull(int left) {
    return QStringLiteral("빈 칸이 없어 사진 %1장은 넣지 못했습니다.").arg(left);
}

QString fileBoxTitle() {
    return QStringLiteral("파일함");
}

QString fileBoxFilter() {
    return QStringLiteral("모든파일 (*)");
}

QString fileReplaceTitle() {
    return QStringLiteral("파일확인");
}

QString fileReplaceQuestion() {
    return QStringLiteral("같은 이름의 파일이 존재합니다.") + kCrLf + kCrLf +
           QStringLiteral("파일을 바꾸시겠습니까 ?");
}

Notice saveNotice(const ListingSaveResult& result) {
    using Local = ListingSaveResult::Local;
    using Sharing = ListingSaveResult::Sharing;
    if (result.local == Local::Failed)
        return {QStringLiteral("매물을 저장하지 못했습니다. 입력한 내용은 그대로 남아 있습니다.") + kCrLf +
                    kCrLf + QStringLiteral("원인: ") + result.localError,
                windowTitle(), DialogIcon::Critical};
    if (result.local == Local::Missing)
        return {goneElsewhere(), windowTitle(), DialogIcon::Warning};
    if (result.local == Local::NoAddress)
        return {addressMissing(), windowTitle(), DialogIcon::Information};
    if (result.local == Local::NoGrade)
        return {gradeMissing(), gradeMissingTitle(), DialogIcon::Question};
    switch (result.sharing) {
    case Sharing::Queued:
        if (result.keptPublication)
            return {
                QStringLiteral("인터넷(공유 서버)에 연결되어 있지 않아 내 매물을 먼저 고쳤습니다. 공유매물은 "
                               "전송대기에 두었다가 서버가 응답하면 자동으로 고칩니다."),
                windowTitle(), DialogIcon::Information};
        return {
            QStringLiteral("인터넷(공유 서버)에 연결되어 있지 않아 공유를 전송대기에 두었습니다.") + kCrLf +
                QStringLiteral("서버가 응답하면 자동으로 보냅니다. 상태표시줄의 전송대기에서 보거나 취소할 "
                               "수 있습니다."),
            windowTitle(), DialogIcon::Information};
    case Sharing::Refused:
        return {QStringLiteral("인터넷 광고에 꼭 표시해야 할 항목이 비어 있어 매물을 공유하지 않고 내 "
                               "매물로만 저장하였습니다.") +
                    kCrLf + kCrLf + QStringLiteral("빠진 항목: ") +
                    result.missingFacts.join(QStringLiteral(", ")),
                windowTitle(), DialogIcon::Warning};
    case Sharing::Failed:
        return {QStringLiteral("매물은 저장하였으나 공유하지 못했습니다(공유 안 함 상태로 저장됨). 다시 "
                               "저장하시면 다시 시도합니다.") +
                    kCrLf + kCrLf + QStringLiteral("원인: ") + causeInKorean(result.sharingError),
                windowTitle(), DialogIcon::Warning};
    case Sharing::Published:
        if (!result.unsentPictures.isEmpty())
            return {QStringLiteral("매물은 공유하였으나 사진 %1장을 서버에 올리지 못해 그 사진 없이 "
                                   "공유하였습니다. 다시 저장하시면 다시 올립니다.")
                            .arg(result.unsentPictures.size()) +
                        kCrLf + kCrLf + QStringLiteral("원인: ") + causeInKorean(result.sharingError),
                    windowTitle(), DialogIcon::Warning};
        break;
    case Sharing::NotShared:
    case Sharing::Withdrawn:
        break;
    }
    return {};
}

} // namespace teran::RegisterTexts

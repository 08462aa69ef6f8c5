#include "EditGuard.h"

#include "session/Dialogs.h"

namespace teran {

EditGuard::EditGuard(Dialogs& dialogs, QString title, Snapshot snapshot, Save save)
    : m_dialogs(dialogs)
    , m_title(std::move(title))
    , m_snapshot(std::move(snapshot))
    , m_save(std::move(save)) {}

void EditGuard::markClean() {
    m_clean = m_snapshot();
}

bool EditGuard::dirty() const {
    return m_snapshot() != m_clean;
}

bool EditGuard::allowLeave() {
    if (!dirty())
        return true;
    switch (m_dialogs.message(leaveQuestion(), m_title, DialogIcon::Question, DialogButtons::YesNoCancel)) {
    case DialogAnswer::Yes:
        if (!m_save())
            return false;
        markClean();
        return true;
    case DialogAnswer::No:
        return true;
    default:
        return false;
    }
}

QString EditGuard::leaveQuestion() {
    return QStringLiteral("저장하지 않은 변경 내용이 있습니다.\r\n\r\n"
                          "예: 저장하고 닫기\r\n아니오: 저장하지 않고 닫기\r\n취소: 계속 입력하기");
}

QString EditGuard::nothingChanged() {
    return QStringLiteral("변경된 내용이 없어 저장하지 않았습니다.");
}

} // namespace teran

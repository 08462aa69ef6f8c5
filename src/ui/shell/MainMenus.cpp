#include "MainMenus.h"

#include "ui/session/ComingLater.h"

#include "core/listing/PropertyTypes.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace teran {

namespace {

struct Entry {
    const char* name;
    const char* text;
};

struct WebPage {
    const char* key;
    const char* text;
};

const WebPage kWebPages[] = {
    {"service_area", "지역정보"},  {"service_budongsan", "부동산정보"},
    {"service_counsel", "상담실"}, {"service_data", "자료실"},
    {"service_job", "구인구직"},   {"service_link", "관련사이트"},
    {"sise", "시세정보"},          {"bunyang", "분양정보"},
    {"munje", "문제해결"},         {"cashad", "캐쉬충전"},
    {"cashuse", "캐쉬사용내역"},   {"change", "회원정보변경"},
};

const char* const kBackupActions[] = {"dogubackupTxtOutSvr", "dogubackupTxtInSvr", "dogubackupSvr",
                                      "dogurestoreSvr"};
const char* const kBackupPermissionEntries[] = {"dogubackupTxtOutAc", "dogubackupTxtInAc", "dogubackupAc"};

QString entryText(const QString& tb, const QString& ty) {
    return propertyTypeLabel(tb, ty) + QLatin1Char(' ') + transactionLabel(ty);
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar, QObject* parent)
    : QObject(parent) {
    buildFile(bar);
    buildTypes(bar);
    buildListing(bar);
    buildPeople(bar);
    buildClubs(bar);
    buildSettings(bar);
    buildTools(bar);
    buildWeb(bar);
    markLater();
    for (QMenu* menu : bar->findChildren<QMenu*>())
        menu->setToolTipsVisible(true);
}

QAction* MainMenus::action(const QString& name) const {
    return m_actions.value(name);
}

QStringList MainMenus::names() const {
    return m_order;
}

QString MainMenus::typeEntryName(const QString& tb, const QString& ty) {
    return tb + QLatin1Char('_') + ty.toLower();
}

QStringList MainMenus::laterEntries() {
    // The club board is one of the vendor's web pages, not built here.
    return {QStringLiteral("clubboard")};
}

QStringList MainMenus::webPageKeys() {
    QStringList keys;
    for (const WebPage& page : kWebPages)
        keys << QLatin1String(page.key);
    return keys;
}

QAction* MainMenus::add(QMenu* menu, const QString& name, const QString& text) {
    QAction* entry = menu->addAction(text);
    entry->setObjectName(name);
    m_actions.insert(name, entry);
    m_order << name;
    return entry;
}

void MainMenus::buildFile(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("파일(&F)"));
    add(menu, QStringLiteral("exit"), QStringLiteral("종료"));
}

void MainMenus::buildTypes(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("매물종류(&T)"));
    for (const PropertyType& type : propertyTypes()) {
        QMenu* sub = menu->addMenu(type.label);
        for (const QChar letter : type.transactions) {
            const QString ty(letter);
            const QString label = propertyTypeLabel(type.code, ty);
            QAction* entry = add(sub, typeEntryName(type.code, ty), entryText(type.code, ty));
            connect(entry, &QAction::triggered, this,
                    [this, tb = type.code, label, ty] { Q_EMIT typeChosen(tb, label, ty); });
        }
    }
}

void MainMenus::buildListing(QMenuBar* bar) {
    m_listing = bar->addMenu(QStringLiteral("매물관리(&L)"));
    const QList<QList<Entry>> groups = {
        {{"medit", "매물수정"}},
        {{"internetin", "인터넷매물로 등록"}, {"internetdel", "인터넷매물에서 삭제"}},
        {{"clubmaelunin", "테란클럽매물로 등록"}, {"clubmaelundel", "테란클럽매물에서 삭제"}},
        {{"clubiein", "테란클럽 + 인터넷매물로 등록"}, {"clubiedel", "테란클럽 + 인터넷매물에서 삭제"}},
        {{"nowdate", "선택한 온라인매물 날짜갱신"},
         {"dogutimeup", "온라인매물 전체 날짜갱신"},
         {"reconcileShared", "온라인매물 서버와 맞추기"}},
        {{"bogan_0", "매물함으로이동"}, {"bogan_1", "보관함으로이동"}, {"mdel", "매물삭제"}},
        {{"bogo", "공유매물 인쇄"}, {"bogom", "내매물 인쇄"}},
        {{"smsgo", "매도인에게 문자전송"}, {"smsgo2", "중개업소에 문자전송"}, {"question", "문의하기"}},
        {{"fitbuyers", "맞는 매수인"}},
    };
    for (const QList<Entry>& group : groups) {
        if (!m_listing->isEmpty())
            m_listing->addSeparator();
        for (const Entry& e : group)
            add(m_listing, QLatin1String(e.name), QString::fromUtf8(e.text));
    }
}

void MainMenus::buildPeople(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("고객관리(&C)"));
    add(menu, QStringLiteral("maesu"), QStringLiteral("매수자관리"));
    add(menu, QStringLiteral("namecard"), QStringLiteral("명함관리"));
    add(menu, QStringLiteral("customer"), QStringLiteral("고객관리"));
    menu->addSeparator();
    add(menu, QStringLiteral("daily"), QStringLiteral("일정관리"));
    add(menu, QStringLiteral("paper"), QStringLiteral("문의함"));
    menu->addSeparator();
    add(menu, QStringLiteral("family"), QStringLiteral("직원현황"));
}

void MainMenus::buildClubs(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("클럽(&U)"));
    const Entry entries[] = {
        {"clubinfo", "클럽정보"},       {"clubedit", "클럽만들기/수정"}, {"clubdel", "클럽삭제"},
        {"clubinout", "클럽가입/탈퇴"}, {"clubmem", "클럽회원"},         {"clubboard", "클럽게시판"},
        {"clubpaper", "클럽쪽지"},      {"clubmaemul", "클럽매물"},      {"cluboner", "클럽운영자"},
    };
    for (const Entry& e : entries)
        add(menu, QLatin1String(e.name), QString::fromUtf8(e.text));
}

void MainMenus::buildSettings(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("환경설정(&S)"));
    add(menu, QStringLiteral("colorSetting"), QStringLiteral("목록 색상설정"));
    add(menu, QStringLiteral("fontSetting"), QStringLiteral("글꼴설정"));
    add(menu, QStringLiteral("dogusetting"), QStringLiteral("환경설정"));
    QMenu* panels = menu->addMenu(QStringLiteral("시작화면"));
    m_panels = new QActionGroup(this);
    m_panels->setExclusive(true);
    const std::pair<const char*, StartPanel> choices[] = {{"popupWork1", StartPanel::Work1},
                                                          {"popupWork2", StartPanel::Work2},
                                                          {"popupLogo", StartPanel::Logo}};
    const QStringList texts = {QStringLiteral("업무화면 1"), QStringLiteral("업무화면 2"),
                               QStringLiteral("로고화면")};
    for (int i = 0; i < 3; ++i) {
        QAction* entry = add(panels, QLatin1String(choices[i].first), texts[i]);
        entry->setCheckable(true);
        m_panels->addAction(entry);
        connect(entry, &QAction::triggered, this,
                [this, panel = choices[i].second] { Q_EMIT startPanelChosen(panel); });
    }
}

void MainMenus::buildTools(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("도구(&O)"));
    add(menu, QStringLiteral("dogubackupSvr"), QStringLiteral("데이터 백업"));
    add(menu, QStringLiteral("dogurestoreSvr"), QStringLiteral("데이터 복구"));
    add(menu, QStringLiteral("dogubackupTxtInSvr"), QStringLiteral("텍스트 가져오기"));
    add(menu, QStringLiteral("dogubackupTxtOutSvr"), QStringLiteral("텍스트 내보내기"));
    const Entry allow[] = {{"dogubackupAc", "백업/복구 허용"},
                           {"dogubackupTxtInAc", "텍스트 가져오기 허용"},
                           {"dogubackupTxtOutAc", "텍스트 내보내기 허용"}};
    for (const Entry& e : allow)
        add(menu, QLatin1String(e.name), QString::fromUtf8(e.text))->setCheckable(true);
    menu->addSeparator();
    add(menu, QStringLiteral("downPost"), QStringLiteral("우편번호 자료받기"));
    add(menu, QStringLiteral("downSubway"), QStringLiteral("지하철역 자료받기"));
    menu->addSeparator();
    add(menu, QStringLiteral("tetris"), QStringLiteral("블록쌓기 게임"));
}

void MainMenus::buildWeb(QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QStringLiteral("웹서비스(&W)"));
    for (const WebPage& page : kWebPages) {
        const QString key = QLatin1String(page.key);
        QAction* entry = add(menu, key, QString::fromUtf8(page.text));
        connect(entry, &QAction::triggered, this, [this, key] { Q_EMIT webPageChosen(key); });
    }
}

void MainMenus::markLater() {
    for (const QString& name : laterEntries()) {
        QAction* entry = action(name);
        entry->setEnabled(false);
        entry->setToolTip(comingLaterText());
    }
}

void MainMenus::applyBackupPermissions(const BackupPermissions& permissions,
                                       const std::optional<BackupPermissions>& staff) {
    const bool allowed[] = {permissions.textExport, permissions.textImport, permissions.backup,
                            permissions.backup};
    for (int i = 0; i < 4; ++i)
        action(QLatin1String(kBackupActions[i]))->setEnabled(allowed[i]);
    const bool marks[] = {staff && staff->textExport, staff && staff->textImport, staff && staff->backup};
    for (int i = 0; i < 3; ++i) {
        QAction* entry = action(QLatin1String(kBackupPermissionEntries[i]));
        entry->setVisible(staff.has_value());
        entry->setChecked(marks[i]);
    }
}

void MainMenus::tickStartPanel(StartPanel panel) {
    const QString name = panel == StartPanel::Work1   ? QStringLiteral("popupWork1")
                         : panel == StartPanel::Work2 ? QStringLiteral("popupWork2")
                                                      : QStringLiteral("popupLogo");
    action(name)->setChecked(true);
}

void MainMenus::enableWebPages(bool enabled) {
    for (const QString& key : webPageKeys())
        action(key)->setEnabled(enabled);
}

} // namespace teran

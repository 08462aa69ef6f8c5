#include "frmFirstStart.h"

#include "core/online/OfficeSetup.h"
#include "core/session/Dialogs.h"
#include "ui/widgets/Named.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

namespace {

QPushButton* choice(QVBoxLayout* column, QWidget* parent, const char* name, const QString& caption,
                    const QString& explanation) {
    auto* button = named(new QPushButton(caption, parent), name);
    button->setMinimumHeight(36);
    column->addWidget(button);
    auto* text = new QLabel(explanation, parent);
    text->setWordWrap(true);
    text->setContentsMargins(12, 0, 0, 8);
    column->addWidget(text);
    return button;
}

} // namespace

QString frmFirstStart::title() {
    return QStringLiteral("테란 시작하기");
}

frmFirstStart::frmFirstStart(Dialogs& dialogs, QString configFile, DemoMaker makeDemo, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_configFile(std::move(configFile))
    , m_makeDemo(std::move(makeDemo))
    , m_newOffice(named(new QGroupBox(QStringLiteral("새 사무실"), this), "fraNewOffice"))
    , m_shop(named(new QLineEdit(m_newOffice), "txtShopname"))
    , m_name(named(new QLineEdit(m_newOffice), "txtName"))
    , m_id(named(new QLineEdit(m_newOffice), "txtId"))
    , m_password(named(new QLineEdit(m_newOffice), "txtPassword")) {
    setObjectName(QStringLiteral("frmFirstStart"));
    setWindowTitle(title());
    setMinimumWidth(480);
    auto* column = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("이 컴퓨터에는 아직 사무실 설정(teran.ini)이 없습니다.\n"
                                            "어떻게 시작할지 선택하세요."),
                             this);
    intro->setWordWrap(true);
    column->addWidget(intro);
    QPushButton* demo =
        choice(column, this, "cmdDemo", QStringLiteral("체험용 사무실(데모)로 시작"),
               QStringLiteral("예제 매물과 계정이 들어 있는 체험용 사무실을 이 컴퓨터에 만들고 시작합니다. "
                              "(아이디 demo, 비밀번호 demo1234)"));
    QPushButton* existing =
        choice(column, this, "cmdExisting", QStringLiteral("기존 사무실 자료 폴더 선택"),
               QStringLiteral("사무실의 자료 폴더(rd/terandb.db 가 있는 폴더)를 골라 그 자료로 시작합니다."));
    QPushButton* fresh = choice(column, this, "cmdNew", QStringLiteral("새 사무실 만들기"),
                                QStringLiteral("빈 폴더에 새 사무실을 만들고 대표 계정을 등록합니다."));
    m_password->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout(m_newOffice);
    form->addRow(QStringLiteral("사무소 이름"), m_shop);
    form->addRow(QStringLiteral("대표자 이름"), m_name);
    form->addRow(QStringLiteral("아이디"), m_id);
    form->addRow(QStringLiteral("비밀번호"), m_password);
    auto* make = named(new QPushButton(QStringLiteral("폴더를 골라 만들기"), m_newOffice), "cmdMake");
    form->addRow(make);
    m_newOffice->hide();
    column->addWidget(m_newOffice);
    auto* quit = named(new QPushButton(QStringLiteral("종료"), this), "cmdQuit");
    column->addWidget(quit);
    connect(demo, &QPushButton::clicked, this, &frmFirstStart::startDemo);
    connect(existing, &QPushButton::clicked, this, &frmFirstStart::chooseExisting);
    connect(fresh, &QPushButton::clicked, this, [this] {
        m_newOffice->show();
        m_shop->setFocus();
    });
    connect(make, &QPushButton::clicked, this, &frmFirstStart::makeNew);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
}

void frmFirstStart::startDemo() {
    const TeranConfig config = TeranConfig::demoDefaults(TeranConfig::defaultDemoFolder());
    const QString problem =
        m_makeDemo ? m_makeDemo(config) : QStringLiteral("체험용 사무실을 만들 수 없습니다.");
    finish(problem.isEmpty(), config, problem);
}

void frmFirstStart::chooseExisting() {
    const QString folder = m_dialogs.existingFolder(QStringLiteral("사무실 자료 폴더 선택"), QString());
    const OfficeChoice chosen = useExistingOffice(folder, m_configFile);
    finish(chosen.ok, chosen.config, chosen.problem);
}

void frmFirstStart::makeNew() {
    const NewOffice office{m_id->text().trimmed(), m_password->text(), m_name->text(), m_shop->text()};
    if (const QString problem = newOfficeProblem(office); !problem.isEmpty()) {
        m_dialogs.message(problem, title(), DialogIcon::Warning, DialogButtons::Ok);
        return;
    }
    const QString folder =
        m_dialogs.existingFolder(QStringLiteral("새 사무실 자료를 둘 빈 폴더 선택"), QString());
    const OfficeChoice made = makeNewOffice(folder, office, m_configFile);
    finish(made.ok, made.config, made.problem);
}

void frmFirstStart::finish(bool ok, const TeranConfig& config, const QString& problem) {
    if (!ok) {
        // An empty problem is a folder dialog the user cancelled: nothing to say.
        if (!problem.isEmpty())
            m_dialogs.message(problem, title(), DialogIcon::Warning, DialogButtons::Ok);
        return;
    }
    m_config = config;
    accept();
}

} // namespace teran

#include "frmGaeyakMul.h"

#include "ui/session/ReportPreview.h"

#include "ui/widgets/Named.h"

#include "core/contracts/ResidentNumber.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/frmAddr.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace teran {

namespace {

const QStringList kHints{QStringLiteral("지역"), QStringLiteral("시/군/구"), QStringLiteral("읍/면/동")};

QString objectNameOf(const ConfirmationBox& b) {
    return b.key();
}

} // namespace

frmGaeyakMul::frmGaeyakMul(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session) {
    setObjectName(QStringLiteral("frmGaeyakMul"));
    setWindowTitle(QStringLiteral("중개대상물확인 설명서 (1)"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(buildLocation());
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(buildSections());
    column->addWidget(scroll, 1);
    auto* bottom = new QHBoxLayout;
    m_day = new QDateEdit(this);
    m_day->setObjectName(QStringLiteral("dtpDay"));
    m_day2 = new QDateEdit(this);
    m_day2->setObjectName(QStringLiteral("dtpday2"));
    for (QDateEdit* d : {m_day, m_day2}) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
        d->setDate(session.clock().today());
    }
    bottom->addWidget(new QLabel(QStringLiteral("작성일"), this));
    bottom->addWidget(m_day);
    bottom->addWidget(new QLabel(QStringLiteral("확인일"), this));
    bottom->addWidget(m_day2);
    bottom->addStretch();
    const auto button = [this, bottom](const char* name, const QString& caption) {
        return addButton(bottom, this, name, caption);
    };
    connect(button("cmdSave", QStringLiteral("저  장")), &QPushButton::clicked, this,
            &frmGaeyakMul::cmdSave_Click);
    connect(button("cmdPrintNow", QStringLiteral("인  쇄")), &QPushButton::clicked, this,
            &frmGaeyakMul::cmdPrintNow_Click);
    connect(button("cmdClose", QStringLiteral("닫  기")), &QPushButton::clicked, this, &QWidget::close);
    column->addLayout(bottom);
    m_flagMod = new QLineEdit(this);
    m_flagMod->setObjectName(QStringLiteral("FlagMod"));
    m_flagMod->hide();
    fillOffice();
    resize(900, 760);
}

QWidget* frmGaeyakMul::buildLocation() {
    auto* group = new QGroupBox(QStringLiteral("소재지"), this);
    auto* grid = new QGridLayout(group);
    auto* parts = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(kHints[i], group);
        label->setObjectName(QStringLiteral("addr%1").arg(i + 1));
        label->setFrameShape(QFrame::StyledPanel);
        label->setMinimumWidth(80);
        m_addr << label;
        parts->addWidget(label);
    }
    m_addr4 = new QLineEdit(group);
    m_addr4->setObjectName(QStringLiteral("addr4"));
    parts->addWidget(m_addr4, 1);
    auto* search = new QPushButton(QStringLiteral("주소검색"), group);
    search->setObjectName(QStringLiteral("cmdAdrMul"));
    parts->addWidget(search);
    grid->addLayout(parts, 0, 0, 1, 3);
    m_address = new QLineEdit(group);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setReadOnly(true);
    grid->addWidget(m_address, 1, 0, 1, 3);
    m_source = new QButtonGroup(this);
    const QStringList sources{QStringLiteral("우리 사무소"), QStringLiteral("다른 사무소")};
    auto* sourceRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(sources[i], group);
        b->setObjectName(QStringLiteral("optBox_%1").arg(i));
        m_source->addButton(b, i);
        sourceRow->addWidget(b);
    }
    m_source->button(0)->setChecked(true);
    grid->addLayout(sourceRow, 2, 0);
    m_list = new QComboBox(group);
    m_list->setObjectName(QStringLiteral("cboMul"));
    grid->addWidget(m_list, 2, 1, 1, 2);
    connect(m_source, &QButtonGroup::idClicked, this, &frmGaeyakMul::listForms);
    connect(m_list, &QComboBox::activated, this, &frmGaeyakMul::cboMul_Click);
    connect(m_addr4, &QLineEdit::textChanged, this, [this] {
        m_location[3] = m_addr4->text().trimmed();
        m_address->setText(joinedAddress(m_location));
    });
    connect(search, &QPushButton::clicked, this, [this] {
        frmAddr finder(m_session, QStringLiteral("AdrMul"), nullptr, this);
        finder.setTown(m_location.value(2));
        connect(&finder, &frmAddr::picked, this, [this](const AddressPick& pick) {
            setLocation({pick.addr1, pick.addr2, pick.addr3, pick.rest()});
        });
        finder.exec();
    });
    return group;
}

QWidget* frmGaeyakMul::buildSections() {
    auto* holder = new QWidget(this);
    auto* column = new QVBoxLayout(holder);
    int group = 0;
    for (const ConfirmationSection& section : confirmationSections()) {
        auto* box = new QGroupBox(section.title, holder);
        auto* grid = new QGridLayout(box);
        int row = 0;
        const auto addBox = [&](const ConfirmationBox& b, int at, int col) {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(objectNameOf(b));
            edit->setPlaceholderText(b.caption);
            m_boxes.insert(b.key(), edit);
            grid->addWidget(edit, at, col);
        };
        for (const ConfirmationItem& item : section.items) {
            if (const auto* b = std::get_if<ConfirmationBox>(&item)) {
                const int col = (row % 2) * 2;
                grid->addWidget(new QLabel(b->caption, box), row / 2, col);
                addBox(*b, row / 2, col + 1);
                ++row;
                continue;
            }
            const auto& c = std::get<ConfirmationChoice>(item);
            row += row % 2; // a choice takes a whole line
            ++group;
            grid->addWidget(new QLabel(c.caption, box), row / 2, 0);
            auto* buttons = new QWidget(box);
            auto* line = new QHBoxLayout(buttons);
            line->setContentsMargins(0, 0, 0, 0);
            auto* exclusive = new QButtonGroup(buttons);
            for (int i = 0; i < c.options.size(); ++i) {
                auto* b = new QRadioButton(c.options[i], buttons);
                b->setObjectName(QStringLiteral("Option%1_%2").arg(group).arg(i));
                exclusive->addButton(b);
                m_options << b;
                line->addWidget(b);
            }
            line->addStretch();
            grid->addWidget(buttons, row / 2, 1, 1, c.detail ? 2 : 3);
            if (c.detail)
                addBox(*c.detail, row / 2, 3);
            row += 2;
        }
        column->addWidget(box);
    }
    auto* checks = new QHBoxLayout;
    const QStringList captions = confirmationCheckCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        auto* check = new QCheckBox(captions[i], holder);
        check->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        m_checks << check;
        checks->addWidget(check);
    }
    connect(m_checks[1], &QCheckBox::toggled, this, &frmGaeyakMul::toggleOtherRights);
    column->insertLayout(2, checks);
    return holder;
}

void frmGaeyakMul::toggleOtherRights(bool none) {
    for (const QString& key : rightsBoxesOfCheck2()) {
        QLineEdit* edit = m_boxes.value(key);
        if (!edit)
            continue;
        if (none) {
            m_rightsBefore[key] = edit->text();
            edit->setText(noOtherRights());
        } else {
            edit->setText(m_rightsBefore.value(key));
        }
    }
}

void frmGaeyakMul::setLocation(const QStringList& location) {
    for (int i = 0; i < 4; ++i)
        m_location[i] = location.value(i).trimmed();
    for (int i = 0; i < 3; ++i)
        m_addr[i]->setText(m_location[i].isEmpty() ? kHints[i] : m_location[i]);
    m_addr4->setText(m_location[3]);
    m_address->setText(joinedAddress(m_location));
    listForms();
}

void frmGaeyakMul::fillOffice() {
    const OfficeDetails& office = m_session.state().AuthConfig;
    const QList<std::pair<const char*, QString>> broker{{"Text11_0", office.address},
                                                        {"Text11_1", office.name},
                                                        {"Text11_2", office.representative},
                                                        {"Text11_3", office.registration},
                                                        {"Text11_4", office.phone}};
    for (const auto& [key, value] : broker)
        if (QLineEdit* edit = m_boxes.value(QLatin1String(key)))
            edit->setText(value);
}

void frmGaeyakMul::fillFromContract(const Contract& k) {
    m_tb = k.tb;
    const QStringList values{k.broker1.address,
                             k.broker1.office,
                             k.broker1.representative,
                             k.broker1.registration,
                             k.broker1.phone,
                             k.seller.address,
                             spelledResidentNumber(k.seller.residentNumber),
                             k.seller.phone,
                             k.seller.name,
                             k.buyer.address,
                             spelledResidentNumber(k.buyer.residentNumber),
                             k.buyer.phone,
                             k.buyer.name};
    for (int i = 0; i < values.size(); ++i)
        if (QLineEdit* edit = m_boxes.value(QStringLiteral("Text11_%1").arg(i)))
            edit->setText(values[i]);
    setLocation(k.location);
}

void frmGaeyakMul::fillFromListing(const QStringList& location) {
    fillOffice();
    setLocation(location);
}

void frmGaeyakMul::listForms() {
    m_list->clear();
    if (m_location[1].isEmpty() && m_location[2].isEmpty())
        return;
    attemptStore(m_session, QStringLiteral("optBox_Click"), [&] {
        ConfirmationFormStore store(m_session);
        const auto found = store.atLocation(m_location, m_source->checkedId() == 1);
        m_list->addItem(m_address->text() + QStringLiteral(" 에서 ") + QString::number(found.size()) +
                            QStringLiteral(" 건이 검색됨."),
                        0);
        for (const auto& f : found)
            m_list->addItem(QStringLiteral("[%1] %2 %3").arg(f.key).arg(f.tb, f.lot), f.key);
    });
}

void frmGaeyakMul::cboMul_Click(int index) {
    const int key = m_list->itemData(index).toInt();
    if (key <= 0)
        return;
    if (m_source->checkedId() == 0) {
        loadForm(key);
        return;
    }
    attemptStore(m_session, QStringLiteral("cboMul_Click"), [&] {
        ConfirmationFormStore store(m_session);
        if (std::optional<ConfirmationForm> shared = store.loadShared(key)) {
            // Another office's facts as a start of a form of this office's own.
            m_number = 0;
            m_flagMod->clear();
            ConfirmationForm mine = current();
            for (auto it = shared->boxes.cbegin(); it != shared->boxes.cend(); ++it)
                if (!it.key().startsWith(QLatin1String("Text11_")))
                    mine.boxes[it.key()] = it.value();
            mine.options = shared->options;
            mine.checks = shared->checks;
            showForm(mine);
        }
    });
}

bool frmGaeyakMul::loadForm(int number) {
    const auto form = attemptStore(m_session, logLabel(QStringLiteral("FlagMod_Change")),
                                   [&] { return ConfirmationFormStore(m_session).load(number); });
    if (!form) {
        m_session.dialogs().critical(form.failureText());
        return false;
    }
    if (!*form)
        return false;
    m_flagMod->setText(QString::number(number));
    showForm(**form);
    return true;
}

void frmGaeyakMul::showForm(const ConfirmationForm& form) {
    m_number = form.number;
    m_tb = form.tb;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        it.value()->setText(form.box(it.key()));
    // A group may have no choice made: exclusive groups could not be emptied.
    for (int i = 0; i < m_options.size(); ++i) {
        QButtonGroup* group = m_options[i]->group();
        group->setExclusive(false);
        m_options[i]->setChecked(form.options.value(i));
    }
    for (QRadioButton* b : m_options)
        b->group()->setExclusive(true);
    {
        const QSignalBlocker quiet(m_checks[1]);
        for (int i = 0; i < m_checks.size(); ++i)
            m_checks[i]->setChecked(form.checks.value(i));
    }
    if (form.wday.isValid())
        m_day->setDate(form.wday);
    if (form.wday2.isValid())
        m_day2->setDate(form.wday2);
    const QSignalBlocker quiet(m_list);
    for (int i = 0; i < 3; ++i)
        m_addr[i]->setText(form.location.value(i).isEmpty() ? kHints[i] : form.location.value(i));
    m_location = form.location;
    m_addr4->setText(form.location.value(3));
}

ConfirmationForm frmGaeyakMul::current() const {
    ConfirmationForm f;
    f.number = m_number;
    f.tb = m_tb;
    f.location = m_location;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        f.boxes[it.key()] = it.value()->text().trimmed();
    for (QRadioButton* b : m_options)
        f.options << b->isChecked();
    f.checks.clear();
    for (QCheckBox* c : m_checks)
        f.checks << c->isChecked();
    f.wday = m_day->date();
    f.wday2 = m_day2->date();
    return f;
}

bool frmGaeyakMul::cmdSave_Click() {
    if (!m_session.dialogs().askYesNo(
            QStringLiteral("중개대상물확인 설명서를 저장합니다\r\n\r\n 실행하시겠습니까 ?"), title()))
        return false;
    ConfirmationForm form = current();
    if (form.address().isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("소재지를 입력해 주세요."), title());
        return false;
    }
    ConfirmationFormStore::Saved saved;
    const auto done = attemptStore(m_session, logLabel(QStringLiteral("cmdSave_Click")), [&] {
        ConfirmationFormStore store(m_session);
        saved = store.save(form);
    });
    if (!done) {
        m_session.dialogs().critical(done.failureText(), title());
        return false;
    }
    m_number = form.number;
    m_flagMod->setText(QString::number(form.number));
    if (!saved.server) {
        m_session.WriteLog(QStringLiteral("중개대상물확인 설명서 cmdSave_Click => 서버 사본 => ") +
                           saved.serverError);
        m_session.dialogs().inform(
            QStringLiteral("저장되었습니다.\r\n\r\n서버에는 아직 올리지 못해 전송대기에 두었습니다 (%1). "
                           "서버가 응답하면 저절로 올라갑니다.")
                .arg(saved.serverError),
            QStringLiteral("저장완료"));
    } else {
        m_session.dialogs().inform(QStringLiteral("저장되었습니다."), QStringLiteral("저장완료"));
    }
    close();
    return true;
}

void frmGaeyakMul::cmdPrintNow_Click() {
    ReportPreview::hand(m_session, confirmationDocument(current(), m_session.state().AuthConfig), this);
}

QString frmGaeyakMul::logLabel(const QString& routine) const {
    return QStringLiteral("중개대상물확인 설명서 ") + routine + QStringLiteral(" => ");
}

} // namespace teran

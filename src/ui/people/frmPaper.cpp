#include "frmPaper.h"

#include "ui/session/OpenedWindow.h"

#include "core/listing/ListingRepository.h"
#include "core/listings/ActionTexts.h"
#include "core/session/InternetNotice.h"
#include "core/session/ServerReader.h"
#include "core/session/Session.h"
#include "core/session/SessionListings.h"
#include "core/session/StoreAttempt.h"
#include "frmPaperin.h"
#include "frmSms.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/ProgressWindow.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

constexpr int kNumberRole = Qt::UserRole;

QString oneLine(const QString& text) {
    return inquiryBody(text).simplified();
}

} // namespace

frmPaper::frmPaper(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session) {
    setObjectName(QStringLiteral("frmPaper"));
    setWindowTitle(InquiryTexts::windowTitle());
    auto* column = new QVBoxLayout(this);
    m_tools = named(new QToolBar(this), "Toolbar1");
    const auto tool = [this](const char* key, const QString& text, void (frmPaper::*handler)()) {
        QAction* a = m_tools->addAction(text);
        a->setObjectName(QLatin1String(key));
        connect(a, &QAction::triggered, this, handler);
    };
    tool("maemul", QStringLiteral("매물보기"), &frmPaper::maemul_Click);
    tool("paper", QStringLiteral("답변하기"), &frmPaper::paper_Click);
    tool("sms", QStringLiteral("문자보내기"), &frmPaper::sms_Click);
    column->addWidget(m_tools);
    auto* split = new QSplitter(Qt::Vertical, this);
    m_list = named(new QTreeWidget(split), "lvPaper");
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels({QStringLiteral("구분"), QStringLiteral("번호"), QStringLiteral("이름"),
                             QStringLiteral("이메일"), QStringLiteral("전화"), QStringLiteral("제목"),
                             QStringLiteral("내용"), QStringLiteral("읽은시간"), QStringLiteral("받은시간")});
    m_frame = named(new QGroupBox(split), "fraPaper");
    auto* frame = new QVBoxLayout(m_frame);
    m_from = named(new QLabel(m_frame), "lblFrom");
    m_title = named(new QLabel(m_frame), "lblTitle");
    m_day = named(new QLabel(m_frame), "lblDay");
    m_body = named(new QPlainTextEdit(m_frame), "txtPaper");
    m_body->setReadOnly(true);
    auto* del = named(new QPushButton(QStringLiteral("삭  제"), m_frame), "cmdDel");
    for (QWidget* w : std::initializer_list<QWidget*>{m_from, m_title, m_day})
        frame->addWidget(w);
    frame->addWidget(m_body, 1);
    frame->addWidget(del, 0, Qt::AlignRight);
    split->addWidget(m_list);
    split->addWidget(m_frame);
    column->addWidget(split, 1);
    m_status = named(new QLabel(this), "lblStatus");
    column->addWidget(m_status);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { select(item ? m_list->indexOfTopLevelItem(item) : -1); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { maemul_Click(); });
    connect(del, &QPushButton::clicked, this, &frmPaper::cmdDel_Click);
    resize(1000, 640);
    reload();
}

bool frmPaper::serverReachable() {
    return InternetNotice::answersOrTell(m_session, m_session.serverReachable());
}

void frmPaper::reload() {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_inquiries.clear();
    clearFrame();
    setStatus(InquiryTexts::searching());
    if (!serverReachable())
        return;
    std::optional<QList<Inquiry>> found;
    {
        ServerWait wait(this);
        if (!attempt(QStringLiteral("Form_Load"),
                     [&] { found = InquiryBox::listOf(m_session, wait.cancelled()); }))
            return;
    }
    if (!found) {
        setStatus(ServerReader::unansweredText());
        return;
    }
    m_inquiries = *std::move(found);
    const int total = int(m_inquiries.size());
    for (int i = 0; i < total; ++i) {
        const Inquiry& m = m_inquiries[i];
        auto* item = new QTreeWidgetItem(m_list, {QString(), QString::number(m.number), m.name, m.email,
                                                  m.tel, m.title, oneLine(m.content), inquiryTime(m.readAt),
                                                  inquiryTime(m.receivedAt)});
        item->setData(0, kNumberRole, m.number);
        markItem(item, m);
        if ((i + 1) % 100 == 0)
            setStatus(InquiryTexts::loading(total, i + 1));
    }
    setStatus(InquiryTexts::found(total));
}

// The read state as an icon, the unread in bold.
void frmPaper::markItem(QTreeWidgetItem* item, const Inquiry& m) {
    const QStyle* style = QApplication::style();
    item->setIcon(
        0, style->standardIcon(m.read ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxInformation));
    item->setToolTip(0, m.read ? QStringLiteral("읽음") : QStringLiteral("읽지 않음"));
    item->setText(7, inquiryTime(m.readAt));
    for (int c = 0; c < item->columnCount(); ++c) {
        QFont font = item->font(c);
        font.setBold(!m.read);
        item->setFont(c, font);
    }
}

qsizetype frmPaper::currentIndex() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    const int number = item ? item->data(0, kNumberRole).toInt() : 0;
    for (qsizetype i = 0; i < m_inquiries.size(); ++i)
        if (m_inquiries[i].number == number)
            return i;
    return -1;
}

const Inquiry* frmPaper::current() const {
    const qsizetype at = currentIndex();
    return at < 0 ? nullptr : &m_inquiries[at];
}

void frmPaper::select(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item) {
        clearFrame();
        return;
    }
    if (m_list->currentItem() != item) {
        m_list->setCurrentItem(item); // comes back here through currentItemChanged
        return;
    }
    const qsizetype at = currentIndex();
    if (at < 0)
        return;
    Inquiry* m = &m_inquiries[at];
    if (!m->read) {
        attempt(QStringLiteral("lvPaper_Click"), [&] {
            const std::optional<QDateTime> readAt = InquiryBox(m_session).markRead(m->number);
            m->read = readAt.has_value();
            m->readAt = readAt.value_or(QDateTime());
            markItem(item, *m);
        });
    }
    showMessage(*m);
}

void frmPaper::showMessage(const Inquiry& m) {
    m_from->setText(QStringLiteral("보낸사람 : ") + m.name +
                    (m.tel.isEmpty() ? QString() : QStringLiteral(" (") + m.tel + QLatin1Char(')')) +
                    (m.email.isEmpty() ? QString() : QStringLiteral("  ") + m.email));
    m_title->setText(QStringLiteral("제목 : ") + m.title);
    m_day->setText(inquiryTimes(m));
    m_body->setPlainText(inquiryBody(m.content));
}

void frmPaper::clearFrame() {
    for (QLabel* l : {m_from, m_title, m_day})
        l->clear();
    m_body->clear();
}

bool frmPaper::cmdDel_Click() {
    const Inquiry* m = current();
    if (!m || !m_session.dialogs().askYesNo(InquiryTexts::askDelete(), InquiryTexts::deleteTitle()))
        return false;
    const int number = m->number;
    const auto removed =
        attempt(QStringLiteral("cmdDel_Click"), [&] { return InquiryBox(m_session).remove(number); });
    if (!removed.valueOr(false))
        return false;
    {
        const QSignalBlocker quiet(m_list);
        delete m_list->currentItem();
        m_inquiries.removeIf([number](const Inquiry& i) { return i.number == number; });
    }
    clearFrame();
    setStatus(InquiryTexts::found(int(m_inquiries.size())));
    return true;
}

// 매물보기: the office's own listing the message is about, in the registration window.
void frmPaper::maemul_Click() {
    const Inquiry* m = current();
    if (!m)
        return;
    bool own = false;
    const auto done = attempt(QStringLiteral("maemul"),
                              [&] { own = m->listing > 0 && readLocal(m_session, m->listing).has_value(); });
    if (!done)
        return;
    if (!own) {
        m_session.dialogs().inform(InquiryTexts::noListing(), InquiryTexts::windowTitle());
        return;
    }
    Q_EMIT listingRequested(m->listing);
}

void frmPaper::paper_Click() {
    const Inquiry* m = current();
    if (!m)
        return;
    const std::optional<InquiryDraft> answer = InquiryPost::answerTo(*m);
    if (!answer) {
        m_session.dialogs().inform(InquiryTexts::webInquiry(), InquiryTexts::windowTitle());
        return;
    }
    showOpenedWindow(m_session.outlets(), new frmPaperin(m_session, *answer, this));
}

void frmPaper::sms_Click() {
    const Inquiry* m = current();
    if (!m)
        return;
    auto* sms = new frmSms(m_session, this);
    sms->setPerson(m->name, m->tel);
    showOpenedWindow(m_session.outlets(), sms);
}

QString frmPaper::statusText() const {
    return m_status->text();
}

void frmPaper::setStatus(const QString& text) {
    m_status->setText(text);
}

void frmPaper::storeFailed(const StoreFailure& failure) {
    showStoreFailure(m_session, failure, StoreKind::Server);
}

} // namespace teran

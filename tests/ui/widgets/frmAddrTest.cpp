#include "ui/widgets/frmAddr.h"
#include "PostalRows.h"
#include "TestOffice.h"
#include "ui/widgets/RegionCascade.h"
#include "ui/widgets/WindowAddressTarget.h"

#include "WidgetControls.h"
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Stands in for the windows that ask for an address: the registration window's region combos
// (with their cascade), its lot combo and address button, and the address boxes of a contract.
class AskingWindow : public QWidget {
public:
    explicit AskingWindow(Session& session) {
        auto* grid = new QGridLayout(this);
        int row = 0;
        for (const char* name : {"addr1", "addr2", "addr3", "addr4"}) {
            auto* box = new QComboBox(this);
            box->setObjectName(QLatin1String(name));
            grid->addWidget(box, row++, 0);
        }
        findChild<QComboBox*>(QStringLiteral("addr4"))->addItem(QStringLiteral("지번"));
        auto* address = new QPushButton(QStringLiteral("주소검색"), this);
        address->setObjectName(QStringLiteral("address"));
        grid->addWidget(address, row++, 0);
        for (const char* name : {"Maddress", "Madr1", "Madr2", "Madr3", "Madr4", "addressM", "Maddr1",
                                 "Maddr3", "Jaddr6", "AdrMul", "AdrMul2"}) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QLatin1String(name));
            grid->addWidget(edit, row++, 0);
        }
        cascade = RegionCascade::attach(session, this);
        cascade->setRegions({QStringLiteral("서울"), QStringLiteral("인천"), QStringLiteral("경기")});
    }
    QString text(const char* name) const { return findChild<QLineEdit*>(QLatin1String(name))->text(); }
    QComboBox* combo(const char* name) const { return findChild<QComboBox*>(QLatin1String(name)); }
    RegionCascade* cascade;
};

class frmAddrTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(office, nullptr);
        addSamplePosts(office->local());
        asking = std::make_unique<AskingWindow>(office->session());
        receiver = std::make_unique<WindowAddressTarget>(asking.get());
    }

    // The finder opened over the asking window, as the windows open it.
    frmAddr& open(const QString& target) {
        finder = std::make_unique<frmAddr>(office->session(), target, receiver.get(), asking.get());
        QObject::connect(finder.get(), &frmAddr::picked, [this](const AddressPick& pick) { picks << pick; });
        finder->show();
        QApplication::setActiveWindow(finder.get());
        return *finder;
    }

    template <typename T> T* control(const char* name) {
        T* found = finder->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void search(const QString& town) {
        control<QLineEdit>("dong")->setText(town);
        QTest::keyClick(control<QLineEdit>("dong"), Qt::Key_Return);
    }

    void clickLine(const QString& text) {
        QListWidget* list = control<QListWidget>("lstAddr");
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }

    // The second press of a double click, as the window system delivers it after the first click.
    static void doubleClick(QListWidget* list, QListWidgetItem* item) {
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &second);
    }

    void confirm() { QTest::mouseClick(control<QPushButton>("cmdConfirm"), Qt::LeftButton); }

    void expectOnlyMessage(const QString& text) {
        ASSERT_EQ(office->dialogs.shown().size(), 1) << office->dialogs.lastText().toStdString();
        EXPECT_EQ(office->dialogs.shown().first().text, text);
        office->dialogs.clear();
    }

    std::unique_ptr<TestOffice> office = TestOffice::make(Backend::Sqlite, Desk::Office);
    std::unique_ptr<AskingWindow> asking;
    std::unique_ptr<WindowAddressTarget> receiver;
    std::unique_ptr<frmAddr> finder;
    QList<AddressPick> picks;
};

} // namespace

TEST_F(frmAddrTest, TheSearchAsksForATownAndListsEachTownOnce) {
    frmAddr& window = open(QStringLiteral("frmInsert"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("주소찾기"));
    QTest::mouseClick(control<QPushButton>("cmdSuch"), Qt::LeftButton);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    expectOnlyMessage(QStringLiteral("검색할 동이름을 입력하여 주세요"));
    EXPECT_EQ(window.focusWidget(), control<QLineEdit>("dong"));

    // Blanks are no name either, and Enter does what the button does without closing the window.
    search(QStringLiteral("   "));
    expectOnlyMessage(QStringLiteral("검색할 동이름을 입력하여 주세요"));
    EXPECT_TRUE(window.isVisible());

    window.setTown(QStringLiteral(" 역삼 "));
    QTest::mouseClick(control<QPushButton>("cmdSuch"), Qt::LeftButton);
    EXPECT_EQ(linesOf(control<QListWidget>("lstAddr")),
              (QStringList{QStringLiteral("경기 용인시 처인구 역삼동"), QStringLiteral("서울 강남구 역삼1동"),
                           QStringLiteral("서울 강남구 역삼동")}));
    EXPECT_TRUE(office->dialogs.shown().isEmpty());

    clickLine(QStringLiteral("서울 강남구 역삼동"));
    EXPECT_EQ(itemsOf(control<QComboBox>("addr4")),
              (QStringList{QStringLiteral("지번"), QStringLiteral("823~830"), QStringLiteral("831~840")}));
    clickLine(QStringLiteral("서울 강남구 역삼1동"));
    EXPECT_EQ(itemsOf(control<QComboBox>("addr4")), QStringList{QStringLiteral("지번")});

    // A new search starts with no line and no rest chosen.
    search(QStringLiteral("우동"));
    EXPECT_EQ(linesOf(control<QListWidget>("lstAddr")), QStringList{QStringLiteral("부산 해운대구 우동")});
    EXPECT_EQ(itemsOf(control<QComboBox>("addr4")), QStringList{QStringLiteral("지번")});
    search(QStringLiteral("청담"));
    EXPECT_EQ(control<QListWidget>("lstAddr")->count(), 0);
}

TEST_F(frmAddrTest, TheRegistrationWindowGetsThePartsThroughItsCascade) {
    frmAddr& window = open(QStringLiteral("frmInsert"));
    EXPECT_EQ(window.target(), QStringLiteral("frmInsert"));
    EXPECT_EQ(control<QPushButton>("cmdConfirm")->property("Tag").toString(), QStringLiteral("frmInsert"));
    search(QStringLiteral("역삼"));
    clickLine(QStringLiteral("서울 강남구 역삼동"));
    control<QComboBox>("addr4")->setCurrentText(QStringLiteral("823~830"));
    confirm();

    EXPECT_TRUE(office->dialogs.shown().isEmpty()) << office->dialogs.lastText().toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(asking->cascade->values(),
              (RegionValues{QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")}));
    // The towns are the district's, so the user can change the town in the window afterwards.
    EXPECT_EQ(itemsOf(asking->combo("addr3")),
              (QStringList{QStringLiteral("읍/면/동"), QStringLiteral("삼성동"), QStringLiteral("역삼1동"),
                           QStringLiteral("역삼동")}));
    EXPECT_EQ(asking->combo("addr4")->currentText(), QStringLiteral("823~830"));
    EXPECT_EQ(asking->findChild<QPushButton*>(QStringLiteral("address"))->text(),
              QStringLiteral("서울 강남구 역삼동 823~830"));
    // The finder's own lot combo, a child of the asking window too, was not taken for the window's.
    EXPECT_EQ(control<QComboBox>("addr4")->currentText(), QStringLiteral("823~830"));
    ASSERT_EQ(picks.size(), 1);
    EXPECT_EQ(picks.first().target, QStringLiteral("frmInsert"));
    // Nothing else was touched.
    EXPECT_TRUE(asking->text("Maddress").isEmpty());
    EXPECT_TRUE(asking->text("AdrMul").isEmpty());

    addPost(office->local(), QStringLiteral("세종특별자치시"), QString(), QStringLiteral("조치원읍"),
            QStringLiteral("원리"));
    open(QStringLiteral("frmInsert"));
    search(QStringLiteral("조치원"));
    clickLine(QStringLiteral("세종특별자치시  조치원읍"));
    EXPECT_EQ(itemsOf(control<QComboBox>("addr4")),
              (QStringList{QStringLiteral("지번"), QStringLiteral("원리")}));
    confirm();
    ASSERT_EQ(picks.size(), 2);
    EXPECT_EQ(picks.last().addr1, QStringLiteral("세종특별자치시"));
    EXPECT_TRUE(picks.last().addr2.isEmpty());
    EXPECT_EQ(picks.last().addr3, QStringLiteral("조치원읍"));
    EXPECT_EQ(asking->combo("addr1")->currentText(), QStringLiteral("세종특별자치시"));
    EXPECT_EQ(asking->combo("addr4")->currentText(), QStringLiteral("지번"));
    EXPECT_EQ(asking->findChild<QPushButton*>(QStringLiteral("address"))->text(),
              QStringLiteral("세종특별자치시 조치원읍"));
}

TEST_F(frmAddrTest, AContractLocationWantsTheRestAndFillsItsParts) {
    frmAddr& window = open(QStringLiteral("Maddress"));
    search(QStringLiteral("역삼"));
    clickLine(QStringLiteral("경기 용인시 처인구 역삼동"));
    confirm();
    expectOnlyMessage(QStringLiteral("나머지 주소를 입력하여 주세요"));
    EXPECT_EQ(window.focusWidget(), control<QComboBox>("addr4"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(asking->text("Maddress").isEmpty());

    control<QComboBox>("addr4")->setEditText(QStringLiteral("5-2 201호"));
    confirm();
    EXPECT_TRUE(office->dialogs.shown().isEmpty()) << office->dialogs.lastText().toStdString();
    const QString whole = QStringLiteral("경기 용인시 처인구 역삼동 5-2 201호");
    EXPECT_EQ(asking->text("Maddress"), whole);
    EXPECT_EQ(asking->text("addressM"), whole);
    EXPECT_EQ(asking->text("Madr1"), QStringLiteral("경기"));
    EXPECT_EQ(asking->text("Madr2"), QStringLiteral("용인시 처인구"));
    EXPECT_EQ(asking->text("Madr3"), QStringLiteral("역삼동"));
    EXPECT_EQ(asking->text("Madr4"), QStringLiteral("5-2 201호"));
    EXPECT_EQ(asking->cascade->values(), RegionValues{});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(frmAddrTest, PartyAndFormBoxesGetTheJoinedAddressInTheirOwnField) {
    open(QStringLiteral("Maddr3"));
    search(QStringLiteral("서초"));
    clickLine(QStringLiteral("서울 서초구 서초동"));
    control<QComboBox>("addr4")->setCurrentIndex(1);
    confirm();
    EXPECT_EQ(asking->text("Maddr3"), QStringLiteral("서울 서초구 서초동 1~9"));
    EXPECT_TRUE(asking->text("Maddr1").isEmpty());

    // A party box wants the rest as well; the confirmation form's boxes do not.
    open(QStringLiteral("Jaddr6"));
    search(QStringLiteral("서초"));
    clickLine(QStringLiteral("서울 서초구 서초동"));
    confirm();
    expectOnlyMessage(QStringLiteral("나머지 주소를 입력하여 주세요"));
    control<QComboBox>("addr4")->setCurrentIndex(1);
    confirm();
    EXPECT_EQ(asking->text("Jaddr6"), QStringLiteral("서울 서초구 서초동 1~9"));

    // A double click on a line accepts it at once.
    open(QStringLiteral("AdrMul2"));
    search(QStringLiteral("삼성"));
    QListWidget* list = control<QListWidget>("lstAddr");
    ASSERT_EQ(list->count(), 1);
    doubleClick(list, list->item(0));
    EXPECT_TRUE(office->dialogs.shown().isEmpty()) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(asking->text("AdrMul2"), QStringLiteral("서울 강남구 삼성동"));
    EXPECT_TRUE(asking->text("AdrMul").isEmpty());
    EXPECT_FALSE(finder->isVisible());
    EXPECT_EQ(picks.size(), 3);
}

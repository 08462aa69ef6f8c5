#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace teran {

class Session;

// The contract register: the office's sale, jeonse and monthly-rent contracts, receipts and
// confirmation forms, one tab each, plus the leases to report and those ending soon. It opens,
// creates and deletes them.
class frmGaeyak : public QWidget {
    Q_OBJECT
public:
    explicit frmGaeyak(Session& session, QString tb = {}, QWidget* parent = nullptr);

    QString currentTab() const;
    void selectTab(const QString& key);
    void reload();
    void loadMore();
    QTreeWidget* list() const { return m_list; }

    void cmdGaeyak_Click();
    void cmdMul_Click();
    void cmdDel_Click();
    void lvGaeyak_DblClick(QTreeWidgetItem* item);

    static constexpr int kPageRows = 500;
    static QString reportsTab() { return QStringLiteral("report"); }
    static QString endingTab() { return QStringLiteral("ending"); }

private:
    void columnClicked(int column);
    void hand(QWidget* window);
    QString logLabel(const QString& routine) const;

    Session& m_session;
    QString m_tb;
    QTabBar* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_more = nullptr;
    int m_loaded = 0;
    int m_total = 0;
    bool m_checkAll = true;
};

} // namespace teran

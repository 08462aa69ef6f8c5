#pragma once

#include "PagedListWindow.h"

#include <memory>

class QTabBar;

namespace teran {

class ListChoices;
class ListingGroupPanel;

// `frmList` ("테란 [내매물] - 실행중"): the office's own listings from the ListingStore, with the
// archive tab `tabSS`, the person-in-charge change `cmdDamdang` and the listing groups. A click
// on a row shows its pictures, owner and latest work note in the frame window; a double click
// asks the frame window to open the listing for editing.
class frmList : public PagedListWindow {
    Q_OBJECT
public:
    explicit frmList(Session& session, QWidget* parent = nullptr);
    ~frmList() override;

    ListKind kind() const override { return ListKind::Own; }
    bool archiveView() const override;
    // The group whose listings are shown; 0 for the whole list.

    // The choosers of the person in charge and the group; the window owns them.
    void setChoices(std::unique_ptr<ListChoices> choices);

    static QString titleText(); // "테란 [내매물] - 실행중"

protected:
    ListKind queryKind() const override;
    void adjustRequest(ListRequest& request) const override;
    QString windowName() const override { return QStringLiteral("frmList"); }
    void rowClicked(const ListItem& item) override;
    void rowDoubleClicked(const ListItem& item) override;
    bool readFixedPage(const SettingsStore& settings) const override;
    void writeFixedPage(SettingsStore& settings, bool fixed) override;

private:
    void changeInCharge();
    void showGroup(int groupIdx);

    std::unique_ptr<ListChoices> m_choices;
    QTabBar* m_tabs = nullptr;
    ListingGroupPanel* m_groups = nullptr;
    int m_group = 0;
};

} // namespace teran

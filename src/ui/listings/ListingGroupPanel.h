#pragma once

#include "core/listings/ListingGroupActions.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace teran {

class ListChoices;
class Session;

// The group controls of the own list: the chooser `cboGroup` ("그룹명선택" first), the fields of
// a group and the buttons `cmdGmake`, `cmdGedit`, `cmdGdel`, `cmdGroup` and `cmdGMdel`. Choosing
// a group fills the fields and tells the list to show the group's listings.
class ListingGroupPanel : public QWidget {
    Q_OBJECT
public:
    using TickedRows = std::function<QList<ListingPick>()>;
    using Choices = std::function<ListChoices&()>;

    ListingGroupPanel(Session& session, TickedRows ticked, Choices choices, QWidget* parent = nullptr);

    // Fills the chooser again, keeping the chosen group while it exists.
    void reload();
    int currentGroup() const; // 0 when none is chosen

Q_SIGNALS:
    void groupChosen(int groupIdx); // 0: back to the whole list
    void membersChanged(int groupIdx);

private:
    void chooseIndex(int index);
    void showGroup(const std::optional<ListingGroup>& group);
    GroupFields fields() const;
    void make();
    void edit();
    void remove();
    void moveInto();
    void removeFrom();
    void openNotes();

    Session& m_session;
    TickedRows m_ticked;
    Choices m_choices;
    QComboBox* m_groups = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_remark = nullptr;
    QDateEdit* m_day = nullptr;
    QLabel* m_info = nullptr;
    int m_shown = 0;
};

} // namespace teran

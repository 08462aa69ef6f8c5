#pragma once

#include "frmListie.h"

namespace teran {

// The club list (클럽매물): the listings that the members of the user's readable clubs (full
// membership) share to clubs, read like the shared list but through the club listing query;
// with a type, only clubs that share that type count.
class frmClubList : public frmListie {
    Q_OBJECT
public:
    explicit frmClubList(Session& session, QWidget* parent = nullptr);

    ListKind kind() const override { return ListKind::Club; }
    static QString titleText(); // "테란 [클럽매물] - 실행중"
    // The club whose listings the list reads; 0 reads every club where the user is a full member.
    void setClub(int club) { m_club = club; }
    int club() const { return m_club; }

protected:
    QString windowName() const override { return QStringLiteral("frmClub"); }
    void adjustRequest(ListRequest& request) const override;

private:
    int m_club = 0;
};

} // namespace teran

#include "ListWindowFactory.h"

#include "frmClubList.h"
#include "frmList.h"
#include "frmListie.h"

namespace teran {

std::unique_ptr<ListWindow> makeListWindow(ListKind kind, Session& session, QWidget* parent) {
    switch (kind) {
    case ListKind::Own:
    case ListKind::Group:
        return std::make_unique<frmList>(session, parent);
    case ListKind::Shared:
        return std::make_unique<frmListie>(session, parent);
    case ListKind::Club:
        return std::make_unique<frmClubList>(session, parent);
    }
    return nullptr;
}

} // namespace teran

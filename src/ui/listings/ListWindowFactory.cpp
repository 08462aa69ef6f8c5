#include "ListWindowFactory.h"

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
        break; // the club list comes with the clubs
    }
    return nullptr;
}

} // namespace teran

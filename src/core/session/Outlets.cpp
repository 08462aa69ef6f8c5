#include "Outlets.h"

#include <QDesktopServices>
#include <QUrl>

namespace teran {

bool Outlets::takeWindow(QObject*) {
    return false;
}

bool Outlets::takePage(const report::Document&) {
    return false;
}

void Outlets::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace teran

#include "frmLogo.h"

#include <QLabel>
#include <QVBoxLayout>

namespace teran {

frmLogo::frmLogo(const QString& versionText, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen) {
    setObjectName(QStringLiteral("frmLogo"));
    auto* name = new QLabel(QStringLiteral("부동산전문 관리프로그램 TERAN"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(versionText, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name, 0, Qt::AlignCenter);
    layout->addWidget(version, 0, Qt::AlignCenter);
    layout->setContentsMargins(48, 36, 48, 36);
}

} // namespace teran

#include "ChainStorePicker.h"

#include "core/register/ChainStores.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

ChainStorePicker::ChainStorePicker(QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* open = new QPushButton(QStringLiteral("체인점정보"), this);
    open->setObjectName(QStringLiteral("cmdMaker"));
    column->addWidget(open, 0, Qt::AlignLeft);
    auto* frame = new QGroupBox(QStringLiteral("체인점 자동등록하기"), this);
    frame->setObjectName(QStringLiteral("fra_maker"));
    auto* rows = new QVBoxLayout(frame);
    auto* kinds = new QComboBox(frame);
    kinds->setObjectName(QStringLiteral("maker_kind"));
    kinds->addItems(chainStoreKinds());
    kinds->setCurrentIndex(-1);
    auto* brands = new QListWidget(frame);
    brands->setObjectName(QStringLiteral("maker_list"));
    brands->setMaximumHeight(120);
    rows->addWidget(kinds);
    rows->addWidget(brands);
    column->addWidget(frame);
    frame->hide();
    connect(open, &QPushButton::clicked, frame, [frame] { frame->setVisible(!frame->isVisible()); });
    connect(kinds, &QComboBox::currentTextChanged, brands, [brands](const QString& kind) {
        brands->clear();
        brands->addItems(ChainStoreTable(kind));
    });
    connect(brands, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT makerChosen(chainStoreMaker(item->text())); });
}

} // namespace teran

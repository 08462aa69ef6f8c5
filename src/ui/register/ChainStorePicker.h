#pragma once

#include <QWidget>

namespace teran {

// 체인점정보: the button that opens `fra_maker`, where a shop's brand is picked from the
// chain-store table by kind; the pick is handed on as the `maker` text ("[brand]").
class ChainStorePicker : public QWidget {
    Q_OBJECT
public:
    explicit ChainStorePicker(QWidget* parent = nullptr);

Q_SIGNALS:
    void makerChosen(const QString& maker);
};

} // namespace teran

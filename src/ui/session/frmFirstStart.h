#pragma once

#include "core/session/TeranConfig.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLineEdit;

namespace teran {

class Dialogs;

// `frmFirstStart`: the first start of a user without teran.ini. It offers the demo office (made
// on the spot), an existing office data folder, or a new empty office, and says what went wrong
// when a choice fails; it never ends the program without a word.
class frmFirstStart : public QDialog {
    Q_OBJECT
public:
    // Makes the demo office of a configuration; the problem in Korean, empty when it was made.
    using DemoMaker = std::function<QString(const TeranConfig&)>;

    frmFirstStart(Dialogs& dialogs, QString configFile, DemoMaker makeDemo, QWidget* parent = nullptr);

    // The configuration to run with, after the window was accepted.
    const TeranConfig& config() const { return m_config; }

    void startDemo();
    void chooseExisting();
    void makeNew();

    static QString title();

private:
    void finish(bool ok, const TeranConfig& config, const QString& problem);

    Dialogs& m_dialogs;
    QString m_configFile;
    DemoMaker m_makeDemo;
    TeranConfig m_config;
    QGroupBox* m_newOffice;
    QLineEdit* m_shop;
    QLineEdit* m_name;
    QLineEdit* m_id;
    QLineEdit* m_password;
};

} // namespace teran

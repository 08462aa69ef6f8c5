#include "QtDialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

namespace teran {

namespace {

QMessageBox::Icon boxIcon(DialogIcon icon) {
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Critical:
        return QMessageBox::Critical;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(DialogButtons buttons) {
    switch (buttons) {
    case DialogButtons::Ok:
        return QMessageBox::Ok;
    case DialogButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case DialogButtons::YesNo:
    case DialogButtons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

DialogAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Cancel:
        return DialogAnswer::Cancel;
    default:
        return DialogAnswer::Ok;
    }
}

} // namespace

DialogAnswer QtDialogs::message(const QString& text, const QString& title, DialogIcon icon,
                                DialogButtons buttons) {
    QMessageBox box(boxIcon(icon), title, text, boxButtons(buttons), m_parent);
    // The notices and questions name their buttons ("'예' 버튼을 선택하세요"): label them in Korean.
    const std::pair<QMessageBox::StandardButton, const char*> labels[] = {{QMessageBox::Yes, "예"},
                                                                          {QMessageBox::No, "아니오"},
                                                                          {QMessageBox::Ok, "확인"},
                                                                          {QMessageBox::Cancel, "취소"}};
    for (const auto& [button, label] : labels)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(QString::fromUtf8(label));
    if (buttons == DialogButtons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    }
    return answerOf(box.exec());
}

QString QtDialogs::openFileName(const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

QStringList QtDialogs::openFileNames(const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileNames(m_parent, title, folder, filter);
}

QString QtDialogs::saveFileName(const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getSaveFileName(m_parent, title, folder, filter);
}

QString QtDialogs::existingFolder(const QString& title, const QString& folder) {
    return QFileDialog::getExistingDirectory(m_parent, title, folder);
}

} // namespace teran

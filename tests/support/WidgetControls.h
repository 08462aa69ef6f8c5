#pragma once

#include <QComboBox>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace teran::test {

// The control of a window by its name; a missing one fails the test that asked for it.
template <typename T> T* control(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
template <typename T> T* control(const QWidget* window, const char* name) {
    return control<T>(window, QString::fromUtf8(name));
}
template <typename T> T* control(const QWidget& window, const char* name) {
    return control<T>(&window, QString::fromUtf8(name));
}
template <typename T> T* control(const QWidget& window, const QString& name) {
    return control<T>(&window, name);
}

// The texts a combo offers, in order.
inline QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace teran::test

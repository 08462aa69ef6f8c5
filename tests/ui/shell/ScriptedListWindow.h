#pragma once

#include "ui/listings/ListWindowFactory.h"

#include <QList>
#include <QPointer>
#include <memory>

namespace teran::test {

// A list window for the frame window's tests: it records the searches and refreshes it is
// asked for and hands out the ticks the test gives it.
class ScriptedListWindow : public ListWindow {
public:
    ScriptedListWindow(ListKind kind, QWidget* parent)
        : ListWindow(parent)
        , m_kind(kind) {}

    ListKind kind() const override { return m_kind; }
    void search(const ListFilter& panel) override { searches << panel; }
    void refresh() override { ++refreshes; }
    QList<ListingPick> tickedPicks() const override { return picks; }
    bool archiveView() const override { return archive; }
    int currentNumber() const override { return current; }
    int currentServerRow() const override { return serverRow; }
    void askToEdit(int number) { Q_EMIT editRequested(number); }

    void sayStatus(const QString& text) { Q_EMIT statusText(text); }
    void chooseRow(const RowInfo& info) { Q_EMIT rowChosen(info); }

    QList<ListFilter> searches;
    int refreshes = 0;
    QList<ListingPick> picks;
    bool archive = false;
    int current = 0;
    int serverRow = 0;

private:
    ListKind m_kind;
};

// Makes scripted list windows and keeps track of them; kinds in `missing` get no window.
class ScriptedListWindows {
public:
    ListWindowFactory factory() {
        return [this](ListKind kind, Session&, QWidget* parent) -> std::unique_ptr<ListWindow> {
            if (missing.contains(kind))
                return nullptr;
            auto window = std::make_unique<ScriptedListWindow>(kind, parent);
            made << window.get();
            return window;
        };
    }

    // The newest window of a kind that still exists.
    ScriptedListWindow* of(ListKind kind) const {
        for (auto it = made.crbegin(); it != made.crend(); ++it)
            if (*it && (*it)->kind() == kind)
                return it->data();
        return nullptr;
    }

    QList<QPointer<ScriptedListWindow>> made;
    QList<ListKind> missing;
};

} // namespace teran::test

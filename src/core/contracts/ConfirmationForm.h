#pragma once

#include "core/report/ReportDocument.h"
#include "core/session/SessionState.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace teran {

class Session;

class SqlStore;

// The broker's property confirmation and explanation form (중개대상물 확인 설명서): one table of
// its sections, boxes and choice groups, from which the window is built, the form is stored
// in both stores and printed.

// A text box of the form: box `index` of the window's array `Text<array>` ("Text8_3").
struct ConfirmationBox {
    int array = 1;
    int index = 0;
    QString caption = {};
    QString prefix = {};         // the words printed before the value
    QString suffix = {};         // and after it
    bool residentNumber = false; // printed masked
    QString key() const;         // "Text8_3"; a single box ("Text3") has no index
};

// A group of option buttons of which one is chosen; every button of every group is one entry,
// in window order, of the form's option states. A group may carry a box for its details.
struct ConfirmationChoice {
    QString caption = {};
    QStringList options = {};
    std::optional<ConfirmationBox> detail = {};
};

using ConfirmationItem = std::variant<ConfirmationBox, ConfirmationChoice>;

struct ConfirmationSection {
    QString title;
    QList<ConfirmationItem> items;
    // The parties and the brokers: kept in the office's own copy only, never on the server.
    bool officeOnly = false;
};

const QList<ConfirmationSection>& confirmationSections();
int confirmationOptionCount();
// Check box 1 marks the form as checked against the register; check box 2 ("소유권 외의 권리
// 없음") sets the boxes of the other rights to "없음" and back to what they held.
QStringList confirmationCheckCaptions();
QStringList rightsBoxesOfCheck2(); // "Text2_1", "Text2_3"
QString noOtherRights();           // "없음"

// One filled form.
struct ConfirmationForm {
    int number = 0; // the office's `table_idx`, 0 until stored
    QString tb;
    QStringList location = QStringList(4, QString()); // region, city, town, lot
    QHash<QString, QString> boxes;                    // by ConfirmationBox::key()
    QList<bool> options;                              // confirmationOptionCount() entries
    QList<bool> checks = {false, false};
    QDate wday, wday2;

    QString address() const;
    QString box(const QString& key) const { return boxes.value(key); }
    bool operator==(const ConfirmationForm&) const = default;
};

// The office's forms and their server copies. The local row keeps everything; the server copy,
// which other offices can list and open, holds the property sections only.
class ConfirmationFormStore {
public:
    // For reading: the office's forms in `local`, the other offices' on `server`.
    ConfirmationFormStore(SqlStore& local, SqlStore* server, QString officeId);
    // The session's, for reading and changing: a change of a form is kept in the office database
    // together with its server copy's change, which the office's outbox sends.
    explicit ConfirmationFormStore(Session& session);

    std::optional<ConfirmationForm> load(int number);
    // Another office's form as the server keeps it (property facts only); its number is 0, so
    // saving it makes a form of this office's own.
    std::optional<ConfirmationForm> loadShared(int serverIdx);

    struct Saved {
        bool local = false;
        bool server = false; // the copy reached the server; else it waits in the outbox
        QString serverError; // why the server copy was not written yet
    };
    // The local row (new: the store's number), then the server copy keyed by office and number.
    // A copy the server did not take waits in the outbox, and the result says why.
    Saved save(ConfirmationForm& form);
    // Deletes the forms; their server copies follow through the outbox.
    int remove(const QList<int>& numbers);

    struct Listed {
        int key = 0;
        QString tb, lot;
    };
    // The office's forms at a location, or (shared) the other offices' on the server. The region
    // "전체" leaves it out.
    QList<Listed> atLocation(const QStringList& location, bool shared);

private:
    Session& session() const;
    bool deliver(qint64 entry);
    QString waitingReason(qint64 entry);

    SqlStore& m_local;
    SqlStore* m_server;
    QString m_officeId;
    Session* m_session = nullptr;
};

// The printed form; resident numbers masked.
report::Document confirmationDocument(const ConfirmationForm& form, const OfficeDetails& officeDetails);

// The joined groups of boxes ("Text5", "text6_5", "text7_2", "text8_20") keep each box's text
// followed by this separator.
QString groupSeparator(); // "ⓒⓙⓑ"

} // namespace teran

#pragma once

#include "core/listings/ListFilter.h"
#include "core/listings/ListingChoices.h"
#include "core/session/SettingsStore.h"

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace teran {

class RegionCascade;
class Session;

// What the panel's boxes gave: the filter, or the message naming the box that holds no usable
// value.
struct SearchInput {
    std::optional<ListFilter> filter;
    QString error;

    bool ok() const { return filter.has_value(); }
};

// The search panel of the frame window: the current type, the transaction, region, name,
// range, progress, keyword, number and free-field boxes. It reads them into the ListFilter of
// the list searches; the list window adds its own choices (archive tab, recent days, page).
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(Session& session, QWidget* parent = nullptr);

    // The type (a code or "all"), its label and the transaction letter ("all", "M", "J", "W",
    // "B") chosen in the menus; the name box shows the type's names, read again only for
    // another type or after the listings changed.
    void setCurrentType(const QString& tb, const QString& label, const QString& ty);
    QString currentType() const;
    QString currentTransaction() const;
    QString currentLabel() const;

    // The progress box: "진행상태" first, then the values the office has used. It fills itself
    // when it drops down, and again only after the listings changed.
    void fillProgress();
    void loadRegions();
    void presetRegion(const RegionDefault& region);
    RegionCascade& regions() const { return *m_regions; }

    SearchInput read() const;
    // read(); for input that cannot be searched the user is told why and nothing comes back.
    std::optional<ListFilter> readOrTell();
    // cmdCancel: every box back to empty; the current type stays.
    void clear();

    // The entries of `cboTy` with the transaction filter each stands for.
    struct TransactionEntry {
        QString caption;
        int transaction;
    };
    static const QList<TransactionEntry>& transactionEntries();
    // The entries of `s_gita` after its placeholder.
    static QStringList freeFieldCaptions();
    static QString progressPlaceholder() { return QStringLiteral("진행상태"); }
    static QString freeFieldPlaceholder() { return QStringLiteral("기타항목"); }
    static QString messageTitle() { return QStringLiteral("확인"); }
    static QString notANumberText(const QString& caption);
    static QString badNumbersText();
    static QString amountNeedsTransactionText();
    static QString freeValueNeedsFieldText();
    static QString lotWithFreeFieldText();

Q_SIGNALS:
    // cmdSearch, or Enter in one of the text boxes.
    void searchRequested();

private:
    struct Range {
        QLineEdit* from;
        QLineEdit* to;
        QString caption;
    };

    void buildBoxes();
    void buildLayout();
    void attachNumberChecks();
    QLineEdit* lineBox(const char* name);
    QComboBox* comboBox(const char* name);
    void refillNames();
    bool isCurrent(ListingChoices& kept, const QString& label);
    ListingChoices* choices();
    QString namePlaceholder() const;
    bool readRanges(ListFilter& filter, QString& error) const;
    bool readFreeField(ListFilter& filter, QString& error) const;

    Session& m_session;
    QComboBox* m_hdnTbname = nullptr;
    QLabel* m_hdnTbcode = nullptr;
    QLabel* m_lblTB = nullptr;
    QLabel* m_lblTy = nullptr;
    QComboBox* m_cboTy = nullptr;
    QComboBox* m_addr1 = nullptr;
    QComboBox* m_addr2 = nullptr;
    QComboBox* m_addr3 = nullptr;
    QLineEdit* m_addr4 = nullptr;
    QComboBox* m_cboName = nullptr;
    Range m_amount{};
    Range m_rent{};
    Range m_area{};
    Range m_usable{};
    Range m_rooms{};
    QComboBox* m_ming = nullptr;
    QLineEdit* m_keyword = nullptr;
    QLineEdit* m_txtTidx = nullptr;
    QComboBox* m_sGita = nullptr;
    QLineEdit* m_sGitaText = nullptr;
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    RegionCascade* m_regions = nullptr;
    std::unique_ptr<ListingChoices> m_choices;
    QString m_namesType; // the type whose names the name box holds
    bool m_progressFilled = false;
};

} // namespace teran

#pragma once

#include "core/contracts/ListingLedger.h"
#include "core/register/ListingSave.h"
#include "core/register/RegisterTexts.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QNetworkAccessManager;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

namespace teran {

class EditGuard;
class FormComputations;
class PictureSlots;
class ListingForm;
class frmImgBox;
class Session;
class SharingFrame;
class LotPanel;
class RegionCascade;
class RegistrationPanels;
class StationPicker;

// How the registration window is opened: a new listing, or a stored listing to edit.
struct RegistrationRequest {
    EditMode mode = EditMode::New;
    int number = 0;
};

// `frmInsert`, the registration window ("매물등록"): the form of the listing's type, its two
// pictures, the sharing options, the work notes and the listings on the same lot. The save,
// the numbers and every store are the core's (ListingSaveService); the window gathers the
// values, asks the user and shows what the save reports.
class frmInsert : public QWidget {
    Q_OBJECT
public:
    frmInsert(Session& session, RegistrationRequest request, QWidget* parent = nullptr);
    ~frmInsert() override;

    EditMode mode() const { return m_mode; }
    int number() const { return m_number; }
    ListingForm& form() const { return *m_form; }

    // The routines behind the controls.
    void cboTb_Click();
    void cmdSave_Click();
    // 취소: a stored listing goes back to what is stored, a new one is emptied.
    void cmdCancel_Click();
    // Whether the form holds changes that are not stored.
    bool hasUnsavedChanges() const;
    void cmdCopy_Click();
    void cmdDel_Click();
    void cmdMove_Click();
    void cmdChkMul_Click();
    void cmdieClose_Click();
    void chkInternet_Click();
    void cmdimgBox_Click();
    void cmdFilebox_Click();
    void cmdGaeyak_Click();
    void cmdMul_Click();
    void openLedger(LedgerKind kind);
    void lookUpLot();
    LotPanel& lotPanel() const { return *m_lot; }
    // A note of the stored listing in the note window (0: a new note).
    void openWorkNote(int note);
    void openFittingBuyers();

    // Steps to the neighbouring listing (-1 before, +1 after) and says so at either end.
    void UpDown(int step);

Q_SIGNALS:
    // A listing was saved, moved or deleted: the lists show it.
    void listingsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildForm();
    QWidget* buildGeneralExtras(QWidget* parent);
    QWidget* buildButtons();
    QWidget* buildSidePanels(QWidget* parent);
    void loadPanels();
    void connectComputations();
    void fillOfficeChoices();
    QStringList address() const;
    QString lotOfForm() const;
    void startNew();
    void FncEditForm();
    void showNumber();
    void enableListingButtons(bool stored);
    void printSheet(const QString& ty);
    ImageBoxList currentImageBox();
    ListingSaveRequest saveRequest() const;
    QVariant snapshot() const;
    // The save behind 저장; true when the listing was stored. `leaving`: the window is about to
    // close, so nothing after the save asks where to go on.
    bool save(bool leaving);
    void clearForm();
    bool confirmNewLot();
    void showLacking(ListingSaveResult::Local lack);
    void afterSave(const ListingSaveResult& result, bool leaving);
    void showWorkNotes();
    void tellFittingBuyers(const std::optional<ListingRow>& before);

    Session& m_session;
    EditMode m_mode;
    int m_number;
    ListingForm* m_form = nullptr;
    SharingFrame* m_sharing = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_tidx = nullptr;
    QWidget* m_content = nullptr;
    QDateEdit* m_writeday = nullptr;
    QDateEdit* m_offday = nullptr;
    FormComputations* m_computations = nullptr;
    QCheckBox* m_hideSeller = nullptr; // opidMaedo
    QString m_hiddenBy;                // its tag: who hid the seller
    PictureSlots* m_pictures = nullptr;
    std::optional<ImageBoxList> m_imageBox; // the image box as edited since the last save
    QPushButton* m_fileBox = nullptr;
    QPushButton* m_buyers = nullptr;
    QCheckBox* m_autoChk = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_del = nullptr;
    QPushButton* m_printSale = nullptr;
    QPushButton* m_printLease = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_move = nullptr;
    QPushButton* m_printM = nullptr;
    QStackedWidget* m_right = nullptr;
    QStackedWidget* m_lower = nullptr;
    QTabWidget* m_work = nullptr;
    QTreeWidget* m_notes = nullptr;
    QPlainTextEdit* m_note = nullptr;
    LotPanel* m_lot = nullptr;
    RegistrationPanels* m_panels = nullptr;
    StationPicker* m_stations = nullptr;
    RegionCascade* m_regions = nullptr;
    bool m_archived = false;
    bool m_wasShared = false;
    std::optional<ListingRow> m_asOpened;
    std::unique_ptr<EditGuard> m_guard;
};

} // namespace teran

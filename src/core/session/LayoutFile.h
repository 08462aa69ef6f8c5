#pragma once

#include "core/session/DataFolder.h"

#include <QList>
#include <QString>
#include <optional>

namespace teran {

// The per-user files under rd/ that keep the column widths of a grid (and, in the same form,
// the chosen print columns and the advert font). "All" kinds serve a list of every type, "Type"
// kinds one property type, which becomes part of the name.
enum class LayoutKind {
    SharedListAll,    // _frmListAll_size_ie.ini
    SharedListType,   // _<tb>_frmList_size_ie.ini
    SharedWindowAll,  // _frmListieAll_size_ie.ini
    SharedWindowType, // _<tb>_frmListie_size_ie.ini
    ClubAll,          // _frmClubAll_size_ie.ini
    ClubType,         // _<tb>_frmClub_size_ie.ini
    OwnListAll,       // _frmListAll_size.ini
    OwnListType,      // _<tb>_frmList_size.ini
    OwnListGroup,     // _frmListGroup_size.ini
    Insert,           // _frmInsert_size.ini
    Maesu,            // _maesu_size.ini
    Namecard,         // _namecard_size.ini
    Customer,         // _customer_size.ini
    Print,            // _print.ini, or _<window>_print.ini
    AdFont,           // _frmAd_font.ini
};

// True for the kinds whose name carries a property type code.
bool layoutNeedsType(LayoutKind kind);

// The file name (without folder) of a kind for a user. `part` is the property type code of
// the "Type" kinds and the optional window name of Print; other kinds ignore it. Empty when
// the name cannot be made: no LoginId, a missing type, or a part that is not a plain name.
QString layoutFileName(LayoutKind kind, const QString& loginId, const QString& part = {});

// One layout file: one line of decimal numbers, each followed by ",". A missing file means the
// grid keeps its own widths.
class LayoutFile {
public:
    LayoutFile(const DataFolder& folder, LayoutKind kind, const QString& loginId, const QString& part = {});

    bool isValid() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; } // empty when the name cannot be made
    bool exists() const;

    // The widths in column order; an entry that is not a usable width (letters, a negative or
    // absurd number, an empty piece) is nullopt, so that the columns after it keep their places.
    // Empty when the file is missing or unreadable.
    QList<std::optional<int>> read() const;
    // Replaces the file in one step, so a crash never leaves half a line. False on failure.
    bool write(const QList<int>& widths) const;
    // Back to default widths. True when no file is left.
    bool remove() const;

    // The text form, shared by read() and write().
    static QList<std::optional<int>> parse(const QByteArray& text);
    static QByteArray format(const QList<int>& widths);

    static constexpr int kMaxWidth = 10000;

private:
    QString m_path;
};

} // namespace teran

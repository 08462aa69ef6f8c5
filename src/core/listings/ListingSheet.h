#pragma once

#include "core/listing/ListingRepository.h"
#include "core/report/ReportDocument.h"
#include "core/session/SessionState.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

// The one-page listing sheet (매물 보고서) an office hands to a client: one layout per pair of
// property type and transaction type, each a list of display boxes ("D" aliases) whose texts
// are computed here from the listing's row, the same code for an own row and a shared one.

enum class SheetSource {
    Own,    // the office's row: numbered by table_idx, pictures from the data folder
    Shared, // a server row: numbered by sub_idx, pictures fetched from the server
};

// The boxes of a pair, in the order the sheet shows them (the two pictures not counted).
struct SheetLayout {
    QString tb;
    QString ty;
    QStringList aliases;
};

// The layout of a pair; nullopt for a pair that has none (wonroom, gunmul, bgsang, jumpo and
// office have no jeonse layout, and only apt, villa and opistel a presale one).
std::optional<SheetLayout> sheetLayout(const QString& tb, const QString& ty);
// Every pair with a layout, type by type.
QList<SheetLayout> sheetLayouts();

// The display text of one alias for a row ("Dfloor" gives "25 층 중에 12 층"); empty for a
// value the row does not hold.
QString sheetValue(const QString& alias, const ListingRow& row, const QString& tb, const QString& ty,
                   SheetSource source);
// The caption of an alias's box on the type's sheet, taken from the type's form where the box
// shows one of its fields.
QString sheetCaption(const QString& alias, const QString& tb);

// What the sheet needs besides the row.
struct SheetExtras {
    QString picture1; // file paths; empty when the listing has no picture or it could not be had
    QString picture2;
    QString copyright; // the office that prints it (own) or that owns it (shared)
};

// The two pictures of an own listing that are in the data folder's files/ (a name whose file is
// missing prints an empty box).
void findOwnPictures(const ListingRow& row, const QString& filesFolder, SheetExtras& extras);

// The printed page of a listing, or nullopt when its pair has no layout.
std::optional<report::Document> listingSheet(const ListingRow& row, const QString& tb, const QString& ty,
                                             SheetSource source, const SheetExtras& extras);

QString sheetTitle(const QString& tb, const QString& ty); // "아파트 매매 매물 보고서"
QString sheetDowntitle();                                 // "* 본건은 公簿 및 賣渡人 ..."
QString noSheetLayoutText(const QString& tb, const QString& ty);
// The foot of an own sheet: the office's name, its homepage and phone from the login's office
// details; of a shared one: the owning office's shop name, homepage and phone.
QString ownSheetCopyright(const OfficeDetails& officeDetails);
QString sharedSheetCopyright(const QString& shopName, const QString& homepage, const QString& phone);

} // namespace teran

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// One column of a listing's upload: what is taken from the local row and which column of the
// server copy receives it.
struct UploadPair {
    enum class Source {
        Column,     // the local column's value, unchanged
        UploadTime, // the time of the upload (the select list writes it as now())
        Zero,       // the number 0 (a fresh copy starts without promotion grades)
    };
    QString local; // local column name, or "now()" / "0" as the select list writes them
    QString server;
    Source source = Source::Column;
};

// The column lists by which a local `maemul` row of one property type is copied to the server.
struct UploadColumns {
    QString localSelect;  // the select list over the local row, items joined with ", "
    QString serverInsert; // the insert column list of the server row, joined with ", "
    QList<UploadPair> pairs;

    bool isEmpty() const { return pairs.isEmpty(); }
    // The local columns to read, without the constants; portable on every backend.
    QStringList localColumns() const;
    QStringList serverColumns() const;
};

// The lists for a `tb` code: head, the type's middle part and tail. Empty for an unknown code.
UploadColumns UploadCols(const QString& tb);

// The type's middle part alone (the same names on both sides); empty for an unknown code.
QStringList uploadMiddleColumns(const QString& tb);

} // namespace teran

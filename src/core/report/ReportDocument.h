#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

namespace teran::report {

// What a printed page holds, computed by core without any notion of fonts or pixels: the report
// library lays it out on A4 and renders it to a PDF or a printer. Every printed page of the
// program (lists, listing sheets, contracts, receipts, forms) is one of these.

enum class Align { Left, Center, Right };

// A title line; level 1 is the page's title, level 2 a section heading.
struct Heading {
    QString text = {};
    int level = 1;
    Align align = Align::Center;
};

// Running text, wrapped to the page width.
struct Paragraph {
    QString text = {};
    Align align = Align::Left;
    bool bold = false;
    double points = 0; // 0: the document's size
};

// Label and value pairs in a ruled grid, `pairsPerLine` pairs side by side, as the boxes of a
// form. A pair with an empty label continues the value of the pair before it.
struct Field {
    QString label = {};
    QString value = {};
    int span = 1; // how many pair widths the value takes
};
struct Fields {
    QList<Field> fields = {};
    int pairsPerLine = 2;
};

// A ruled table; the header is repeated on every page the table runs over. Weights set the
// shares of the width (empty: by the texts' widths).
struct Table {
    QStringList header = {};
    QList<QStringList> rows = {};
    QList<int> weights = {};
    QList<Align> align = {}; // per column; missing entries are left-aligned
};

// Pictures side by side in equal cells of the given height; a missing or unreadable file
// leaves its cell empty with the caption.
struct Picture {
    QString path = {};
    QString caption = {};
};
struct Pictures {
    QList<Picture> pictures = {};
    double heightMm = 60;
};

struct Spacer {
    double mm = 4;
};

using Block = std::variant<Heading, Paragraph, Fields, Table, Pictures, Spacer>;

enum class Orientation { Portrait, Landscape };

struct Document {
    QString title = {}; // the PDF's title and the preview window's
    Orientation orientation = Orientation::Portrait;
    double points = 9; // the body text size
    QList<Block> blocks = {};
    QString footer = {};     // printed at the foot of every page, left
    bool pageNumbers = true; // "n / N" at the foot, right

    Document& add(Block block) {
        blocks.append(std::move(block));
        return *this;
    }
};

} // namespace teran::report

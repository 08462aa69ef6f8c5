#include "ReportPainter.h"
#include "core/pictures/PictureFile.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace teran::report {

namespace {

constexpr double kMarginMm = 12;
constexpr double kPaddingMm = 1.2;
const QColor kLabelFill(236, 236, 236);
const QColor kHeaderFill(220, 220, 220);

Qt::Alignment horizontal(Align align) {
    switch (align) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Runs the blocks of a document over the pages of a device. The same code counts the pages
// (drawing nothing) and then paints them, so that every foot can say "n / N".
class Layout {
public:
    Layout(const Document& document, QPagedPaintDevice& device, QPainter* painter, int totalPages)
        : m_document(document)
        , m_device(device)
        , m_painter(painter)
        , m_total(totalPages) {
        m_dpi = device.logicalDpiY();
        const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
        m_width = paint.width();
        m_footHeight = lineHeight(font(m_document.points * 0.85)) * 1.6;
        m_bodyBottom = paint.height() - m_footHeight;
    }

    int run() {
        startPage();
        for (const Block& block : m_document.blocks)
            std::visit([this](const auto& b) { place(b); }, block);
        finishPage();
        return m_page;
    }

private:
    double mm(double value) const { return value / 25.4 * m_dpi; }

    QFont font(double points, bool bold = false) const {
        QFont f(ReportPainter::fontFamily());
        f.setPointSizeF(points > 0 ? points : m_document.points);
        f.setBold(bold);
        return f;
    }
    // Font metrics as the device measures them (points scale to the device's resolution).
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, &m_device); }
    double lineHeight(const QFont& f) const { return metrics(f).height(); }

    double textHeight(const QFont& f, double width, const QString& text) const {
        if (width <= 0)
            return lineHeight(f);
        const QRectF bounds =
            metrics(f).boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap | Qt::AlignLeft,
                                    text.isEmpty() ? QStringLiteral(" ") : text);
        return std::max(bounds.height(), lineHeight(f));
    }

    void drawText(const QRectF& rect, const QFont& f, Qt::Alignment align, const QString& text) {
        if (!m_painter)
            return;
        m_painter->setFont(f);
        m_painter->setPen(Qt::black);
        m_painter->drawText(rect, align | Qt::TextWordWrap, text);
    }
    void drawCell(const QRectF& rect, const QColor& fill = QColor()) {
        if (!m_painter)
            return;
        if (fill.isValid())
            m_painter->fillRect(rect, fill);
        QPen pen(Qt::black);
        pen.setWidthF(mm(0.2));
        m_painter->setPen(pen);
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawRect(rect);
    }

    void startPage() {
        ++m_page;
        m_y = 0;
    }
    void finishPage() {
        if (!m_painter)
            return;
        const QFont small = font(m_document.points * 0.85);
        const QRectF foot(0, m_bodyBottom + m_footHeight * 0.35, m_width, m_footHeight * 0.65);
        drawText(foot, small, Qt::AlignLeft | Qt::AlignVCenter, m_document.footer);
        if (m_document.pageNumbers)
            drawText(foot, small, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(m_page).arg(m_total));
    }
    void newPage() {
        finishPage();
        if (m_painter)
            m_device.newPage();
        startPage();
    }
    // Makes room for `height` on this page, or goes on to the next one (a block taller than a
    // page is drawn from the top of a page and cut at its foot).
    void need(double height) {
        if (m_y > 0 && m_y + height > m_bodyBottom)
            newPage();
    }

    void place(const Heading& heading) {
        const QFont f = font(m_document.points * (heading.level <= 1 ? 1.8 : 1.25), true);
        const double height = textHeight(f, m_width, heading.text);
        const double gap = mm(heading.level <= 1 ? 3 : 2);
        need(height + gap);
        drawText(QRectF(0, m_y, m_width, height), f, horizontal(heading.align), heading.text);
        m_y += height + gap;
    }

    void place(const Paragraph& paragraph) {
        const QFont f = font(paragraph.points, paragraph.bold);
        const double height = textHeight(f, m_width, paragraph.text);
        need(height);
        drawText(QRectF(0, m_y, m_width, height), f, horizontal(paragraph.align), paragraph.text);
        m_y += height + mm(1);
    }

    void place(const Spacer& spacer) { m_y = std::min(m_y + mm(spacer.mm), m_bodyBottom); }

    void place(const Fields& fields) {
        const int perLine = std::max(1, fields.pairsPerLine);
        const double pairWidth = m_width / perLine;
        const double labelWidth = pairWidth * 0.36;
        const double pad = mm(kPaddingMm);
        const QFont labelFont = font(0, true);
        const QFont valueFont = font(0);
        // Lines of pairs, each pair taking `span` of the line's slots.
        QList<QList<Field>> lines;
        int used = perLine;
        for (const Field& field : fields.fields) {
            const int span = std::clamp(field.span, 1, perLine);
            if (used + span > perLine) {
                lines.append(QList<Field>());
                used = 0;
            }
            lines.last().append(field);
            used += span;
        }
        for (const QList<Field>& line : lines) {
            double height = lineHeight(valueFont);
            for (const Field& field : line) {
                const double valueWidth = pairWidth * std::clamp(field.span, 1, perLine) - labelWidth;
                height = std::max({height, textHeight(labelFont, labelWidth - 2 * pad, field.label),
                                   textHeight(valueFont, valueWidth - 2 * pad, field.value)});
            }
            height += 2 * pad;
            need(height);
            double x = 0;
            for (const Field& field : line) {
                const double valueWidth = pairWidth * std::clamp(field.span, 1, perLine) - labelWidth;
                const QRectF label(x, m_y, labelWidth, height);
                const QRectF value(x + labelWidth, m_y, valueWidth, height);
                drawCell(label, kLabelFill);
                drawCell(value);
                drawText(label.adjusted(pad, pad, -pad, -pad), labelFont, Qt::AlignLeft | Qt::AlignVCenter,
                         field.label);
                drawText(value.adjusted(pad, pad, -pad, -pad), valueFont, Qt::AlignLeft | Qt::AlignVCenter,
                         field.value);
                x += labelWidth + valueWidth;
            }
            // An unfilled end of the line is ruled as empty boxes.
            if (x < m_width - 1)
                drawCell(QRectF(x, m_y, m_width - x, height));
            m_y += height;
        }
        m_y += mm(2);
    }

    // The widths of a table's columns in the given fonts. Every column gets at least its widest
    // word, so that nothing is cut; what is left goes to the columns whose texts want more.
    // Empty when the words alone do not fit the page.
    QList<double> columnWidths(const Table& table, const QFont& body, const QFont& bold) const {
        const int count = int(table.header.size());
        const double pad = 2 * mm(kPaddingMm) + 1;
        QList<double> least(count, 0), wanted(count, 0);
        const auto measure = [&](int c, const QString& text, const QFontMetricsF& m) {
            wanted[c] = std::max(wanted[c], m.horizontalAdvance(text) + pad);
            for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                least[c] = std::max(least[c], m.horizontalAdvance(word) + pad);
        };
        const QFontMetricsF bodyMetrics = metrics(body);
        const QFontMetricsF boldMetrics = metrics(bold);
        for (int c = 0; c < count; ++c) {
            measure(c, table.header.at(c), boldMetrics);
            for (int r = 0; r < std::min<qsizetype>(table.rows.size(), 300); ++r)
                if (c < table.rows.at(r).size())
                    measure(c, table.rows.at(r).at(c), bodyMetrics);
            least[c] = std::max(least[c], mm(6));
            wanted[c] = std::min(std::max(wanted[c], least[c]), m_width * 0.4);
        }
        if (table.weights.size() == count) {
            double sum = 0;
            for (int w : table.weights)
                sum += std::max(1, w);
            for (int c = 0; c < count; ++c)
                wanted[c] = std::max(least[c], m_width * std::max(1, table.weights.at(c)) / sum);
        }
        double leastSum = 0, wantedSum = 0;
        for (int c = 0; c < count; ++c) {
            leastSum += least[c];
            wantedSum += wanted[c];
        }
        if (leastSum > m_width)
            return {};
        QList<double> widths;
        for (int c = 0; c < count; ++c) {
            if (wantedSum <= m_width)
                widths << wanted[c] * m_width / wantedSum;
            else
                widths << least[c] + (wanted[c] - least[c]) * (m_width - leastSum) / (wantedSum - leastSum);
        }
        return widths;
    }

    void tableRow(const QStringList& cells, const QList<double>& widths, const QList<Align>& align,
                  const QFont& f, bool header) {
        const double pad = mm(kPaddingMm);
        double height = lineHeight(f);
        for (int c = 0; c < widths.size(); ++c)
            height = std::max(height, textHeight(f, widths.at(c) - 2 * pad, cells.value(c)));
        height += 2 * pad;
        if (!header && m_y + height > m_bodyBottom && m_y > 0) {
            newPage();
            tableRow(m_header, widths, {}, m_headerFont, true);
        }
        double x = 0;
        for (int c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, m_y, widths.at(c), height);
            drawCell(cell, header ? kHeaderFill : QColor());
            const Qt::Alignment a = header ? Qt::AlignHCenter : horizontal(align.value(c, Align::Left));
            drawText(cell.adjusted(pad, pad, -pad, -pad), f, a | Qt::AlignVCenter, cells.value(c));
            x += widths.at(c);
        }
        m_y += height;
    }

    void place(const Table& table) {
        if (table.header.isEmpty())
            return;
        // A table of many columns is set smaller until its words fit the width.
        double points = m_document.points;
        QList<double> widths;
        for (;;) {
            widths = columnWidths(table, font(points), font(points, true));
            if (!widths.isEmpty() || points <= m_document.points * 0.6)
                break;
            points *= 0.9;
        }
        if (widths.isEmpty())
            widths = QList<double>(table.header.size(), m_width / table.header.size());
        const QFont body = font(points);
        const QFont bold = font(points, true);
        m_header = table.header;
        m_headerFont = bold;
        need(lineHeight(bold) * 3);
        tableRow(table.header, widths, {}, bold, true);
        for (const QStringList& row : table.rows)
            tableRow(row, widths, table.align, body, false);
        m_y += mm(2);
    }

    void place(const Pictures& pictures) {
        if (pictures.pictures.isEmpty())
            return;
        const QFont small = font(m_document.points * 0.9);
        const double captionHeight = lineHeight(small) * 1.3;
        const double height = std::min(mm(pictures.heightMm), m_bodyBottom);
        need(height);
        const double cellWidth = m_width / pictures.pictures.size();
        const double gap = mm(1.5);
        for (int i = 0; i < pictures.pictures.size(); ++i) {
            const Picture& picture = pictures.pictures.at(i);
            const QRectF cell(i * cellWidth + gap / 2, m_y, cellWidth - gap, height);
            drawCell(cell);
            const QRectF imageArea = cell.adjusted(gap, gap, -gap, -captionHeight);
            if (m_painter && !picture.path.isEmpty()) {
                // Decoded no larger than the cell needs: a phone's photo read whole can pass the
                // decoder's memory limit and print as nothing.
                const QImage image = readScaledPicture(
                    picture.path,
                    (imageArea.size() * 2).toSize().boundedTo({kLargestPictureSide, kLargestPictureSide}));
                if (!image.isNull()) {
                    const QSizeF fitted = QSizeF(image.size()).scaled(imageArea.size(), Qt::KeepAspectRatio);
                    const QRectF target(imageArea.center().x() - fitted.width() / 2,
                                        imageArea.center().y() - fitted.height() / 2, fitted.width(),
                                        fitted.height());
                    m_painter->drawImage(target, image);
                }
            }
            drawText(QRectF(cell.left(), cell.bottom() - captionHeight, cell.width(), captionHeight), small,
                     Qt::AlignHCenter | Qt::AlignVCenter, picture.caption);
        }
        m_y += height + mm(2);
    }

    const Document& m_document;
    QPagedPaintDevice& m_device;
    QPainter* m_painter; // null while counting
    int m_total = 0;
    int m_page = 0;
    double m_dpi = 96;
    double m_width = 0;
    double m_bodyBottom = 0;
    double m_footHeight = 0;
    double m_y = 0;
    QStringList m_header; // of the table being placed, repeated on each of its pages
    QFont m_headerFont;
};

} // namespace

QString ReportPainter::fontFamily() {
    // NanumGothic maps a control character to its space glyph, so PDFs made with it lose every
    // space when read back; NanumBarunGothic keeps them.
    return QStringLiteral("NanumBarunGothic");
}

void ReportPainter::prepare(const Document& document, QPagedPaintDevice& device) {
    const QPageLayout layout(QPageSize(QPageSize::A4),
                             document.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait,
                             QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    device.setPageLayout(layout);
}

int ReportPainter::pageCount(const Document& document, QPagedPaintDevice& device) {
    return Layout(document, device, nullptr, 0).run();
}

bool ReportPainter::paint(const Document& document, QPagedPaintDevice& device, QString* error) {
    const int pages = pageCount(document, device);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("The page device could not be painted on");
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Layout(document, device, &painter, pages).run();
    return painter.end();
}

bool ReportPainter::writePdf(const Document& document, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("TERAN"));
        prepare(document, writer);
        if (!paint(document, writer, error)) {
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace teran::report

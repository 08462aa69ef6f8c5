#include "ColumnWidths.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString askText() {
    return QStringLiteral("현재 리스트 간격상태를 저장합니다.") + kCrLf +
           QStringLiteral("실행 하시겠습니까?") + kCrLf +
           QStringLiteral("※ 단, '아니오'를 클릭할경우 간격상태가 초기화 됩니다.");
}

const QString kAskTitle = QStringLiteral("리스트 간격저장");
constexpr int kMinimumWidth = 24;
constexpr int kWidestInCharacters = 40;
const QString kResetTitle = QStringLiteral("간격설정");

} // namespace

ColumnWidths::ColumnWidths(QHeaderView* header)
    : m_header(header) {}

ColumnWidths::ColumnWidths(QTableView* view)
    : ColumnWidths(view ? view->horizontalHeader() : nullptr) {}

ColumnWidths::ColumnWidths(QTreeView* view)
    : ColumnWidths(view ? view->header() : nullptr) {}

int ColumnWidths::apply(const LayoutFile& file) {
    return apply(file.read());
}

int ColumnWidths::apply(const QList<std::optional<int>>& widths) {
    if (!m_header)
        return 0;
    int set = 0;
    const int columns = std::min<int>(widths.size(), m_header->count());
    for (int i = 0; i < columns; ++i) {
        // a column the window keeps hidden stays hidden, whatever an old file says
        if (!widths.at(i) || m_header->isSectionHidden(i))
            continue;
        m_header->resizeSection(i, *widths.at(i));
        ++set;
    }
    return set;
}

int ColumnWidths::maximumWidth() const {
    if (!m_header)
        return 0;
    const QWidget* grid = m_header->parentWidget();
    const QFontMetrics metrics = grid ? grid->fontMetrics() : m_header->fontMetrics();
    return metrics.averageCharWidth() * kWidestInCharacters;
}

QList<int> ColumnWidths::fittedWidths() const {
    QList<int> result;
    if (!m_header)
        return result;
    // The view measures its cells as its delegate draws them: font, tick box and margins.
    const auto* view = qobject_cast<const QAbstractItemView*>(m_header->parentWidget());
    const int widest = maximumWidth();
    for (int i = 0; i < m_header->count(); ++i) {
        if (m_header->isSectionHidden(i)) {
            result << m_header->sectionSize(i);
            continue;
        }
        const int caption = m_header->sectionSizeHint(i);
        const int cells = view ? view->sizeHintForColumn(i) : 0;
        result << qBound(kMinimumWidth, std::max(caption, cells), std::max(widest, caption));
    }
    return result;
}

void ColumnWidths::fitToContents() {
    m_defaults = fittedWidths();
    resetToDefaults();
}

QList<int> ColumnWidths::widths() const {
    QList<int> result;
    if (!m_header)
        return result;
    for (int i = 0; i < m_header->count(); ++i)
        result << m_header->sectionSize(i);
    return result;
}

void ColumnWidths::resetToDefaults() {
    if (!m_header)
        return;
    for (int i = 0; i < m_header->count(); ++i) {
        if (m_header->isSectionHidden(i))
            continue;
        m_header->resizeSection(i, i < m_defaults.size() ? m_defaults.at(i) : m_header->defaultSectionSize());
    }
}

bool ColumnWidths::gridIsEmpty() const {
    const QAbstractItemModel* model = m_header ? m_header->model() : nullptr;
    return !model || model->rowCount() == 0;
}

WidthsOutcome ColumnWidths::saveOrReset(Dialogs& dialogs, const LayoutFile& file) {
    if (gridIsEmpty()) {
        dialogs.inform(QStringLiteral("등록된 매물이 없습니다."), QStringLiteral("알림"));
        return WidthsOutcome::EmptyGrid;
    }
    if (dialogs.askYesNo(askText(), kAskTitle)) {
        if (!file.write(widths())) {
            dialogs.critical(QStringLiteral("현재 리스트 간격상태를 저장하지 못했습니다.") + kCrLf +
                                 QDir::toNativeSeparators(file.path()),
                             kAskTitle);
            return WidthsOutcome::Failed;
        }
        dialogs.inform(QStringLiteral("현재 리스트 간격상태를 저장하였습니다."), QStringLiteral("저장완료"));
        return WidthsOutcome::Saved;
    }
    resetToDefaults();
    // a file left behind would bring the old widths back with the next search
    if (!file.remove()) {
        dialogs.critical(QStringLiteral("간격상태 파일을 지우지 못했습니다.") + kCrLf +
                             QDir::toNativeSeparators(file.path()),
                         kResetTitle);
        return WidthsOutcome::Failed;
    }
    dialogs.inform(QStringLiteral("간격상태를 초기화 하였습니다."), kResetTitle);
    return WidthsOutcome::Reset;
}

} // namespace teran

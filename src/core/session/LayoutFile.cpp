#include "LayoutFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>

namespace teran {

namespace {

// A layout file is a few hundred bytes; anything far larger is not one of ours.
constexpr qint64 kMaxFileSize = qint64(64) * 1024;

// Parts of a file name that come from data (LoginId, type code, window name) must not lead
// out of rd/ or make a name the file system refuses.
bool isPlainName(const QString& part) {
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
        return false;
    for (const QChar c : part)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20)
            return false;
    return true;
}

QString suffixOf(LayoutKind kind) {
    switch (kind) {
    case LayoutKind::SharedListAll:
        return QStringLiteral("_frmListAll_size_ie.ini");
    case LayoutKind::SharedListType:
        return QStringLiteral("_frmList_size_ie.ini");
    case LayoutKind::SharedWindowAll:
        return QStringLiteral("_frmListieAll_size_ie.ini");
    case LayoutKind::SharedWindowType:
        return QStringLiteral("_frmListie_size_ie.ini");
    case LayoutKind::ClubAll:
        return QStringLiteral("_frmClubAll_size_ie.ini");
    case LayoutKind::ClubType:
        return QStringLiteral("_frmClub_size_ie.ini");
    case LayoutKind::OwnListAll:
        return QStringLiteral("_frmListAll_size.ini");
    case LayoutKind::OwnListType:
        return QStringLiteral("_frmList_size.ini");
    case LayoutKind::OwnListGroup:
        return QStringLiteral("_frmListGroup_size.ini");
    case LayoutKind::Insert:
        return QStringLiteral("_frmInsert_size.ini");
    case LayoutKind::Maesu:
        return QStringLiteral("_maesu_size.ini");
    case LayoutKind::Namecard:
        return QStringLiteral("_namecard_size.ini");
    case LayoutKind::Customer:
        return QStringLiteral("_customer_size.ini");
    case LayoutKind::Print:
        return QStringLiteral("_print.ini");
    case LayoutKind::AdFont:
        return QStringLiteral("_frmAd_font.ini");
    }
    return {};
}

// One piece between commas: a width, or nullopt when it is not a usable one.
std::optional<int> widthOf(const QByteArray& piece) {
    bool ok = false;
    const double value = piece.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > LayoutFile::kMaxWidth)
        return std::nullopt;
    return static_cast<int>(std::lround(value));
}

} // namespace

bool layoutNeedsType(LayoutKind kind) {
    return kind == LayoutKind::SharedListType || kind == LayoutKind::SharedWindowType ||
           kind == LayoutKind::ClubType || kind == LayoutKind::OwnListType;
}

QString layoutFileName(LayoutKind kind, const QString& loginId, const QString& part) {
    if (!isPlainName(loginId))
        return {};
    if (layoutNeedsType(kind)) {
        if (!isPlainName(part))
            return {};
        return loginId + QLatin1Char('_') + part + suffixOf(kind);
    }
    if (kind == LayoutKind::Print && !part.isEmpty()) {
        if (!isPlainName(part))
            return {};
        return loginId + QLatin1Char('_') + part + suffixOf(kind);
    }
    return loginId + suffixOf(kind);
}

LayoutFile::LayoutFile(const DataFolder& folder, LayoutKind kind, const QString& loginId,
                       const QString& part) {
    const QString name = layoutFileName(kind, loginId, part);
    if (!name.isEmpty())
        m_path = folder.rd() + name;
}

bool LayoutFile::exists() const {
    return isValid() && QFileInfo(m_path).isFile();
}

QList<std::optional<int>> LayoutFile::parse(const QByteArray& text) {
    QList<std::optional<int>> widths;
    QByteArray unified = text;
    unified.replace('\r', '\n');
    for (const QByteArray& line : unified.split('\n')) {
        QList<QByteArray> pieces = line.split(',');
        // every width ends in ",", so the piece after a line's last comma carries nothing
        while (!pieces.isEmpty() && pieces.last().trimmed().isEmpty())
            pieces.removeLast();
        for (const QByteArray& piece : pieces)
            widths << widthOf(piece);
    }
    return widths;
}

QByteArray LayoutFile::format(const QList<int>& widths) {
    QByteArray text;
    for (int w : widths)
        text += QByteArray::number(qBound(0, w, kMaxWidth)) + ',';
    return text;
}

QList<std::optional<int>> LayoutFile::read() const {
    if (!exists())
        return {};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return {};
    return parse(file.readAll());
}

bool LayoutFile::write(const QList<int>& widths) const {
    if (!isValid() || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = format(widths);
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool LayoutFile::remove() const {
    if (!isValid())
        return false;
    if (!QFileInfo::exists(m_path))
        return true;
    return QFile::remove(m_path);
}

} // namespace teran

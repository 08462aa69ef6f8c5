#include "Cp949.h"

#include <cerrno>
#include <iconv.h>

namespace teran {

namespace {

std::optional<QByteArray> convert(const char* to, const char* from, const QByteArray& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != size_t(-1))
            continue;
        if (errno != E2BIG) { // EILSEQ, EINVAL: a character or a byte sequence without a form
            ok = false;
            break;
        }
        const qsizetype used = out - output.data();
        output.resize(output.size() * 2);
        out = output.data() + used;
        outLeft = size_t(output.size() - used);
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    output.resize(out - output.data());
    return output;
}

} // namespace

std::optional<QByteArray> toCp949(const QString& text) {
    return convert("CP949", "UTF-8", text.toUtf8());
}

std::optional<QString> fromCp949(const QByteArray& bytes) {
    const std::optional<QByteArray> utf8 = convert("UTF-8", "CP949", bytes);
    if (!utf8)
        return std::nullopt;
    return QString::fromUtf8(*utf8);
}

std::optional<QString> firstUnencodable(const QString& text) {
    if (toCp949(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, length);
        if (!toCp949(one))
            return one;
        i += length;
    }
    return std::nullopt;
}

} // namespace teran

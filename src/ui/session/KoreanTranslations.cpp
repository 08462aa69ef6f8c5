#include "KoreanTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace teran {

bool installKoreanTranslations(QCoreApplication& app) {
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    QLocale::setDefault(korean);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase carries the file dialogs, the print preview and the buttons of the boxes.
    auto* translator = new QTranslator(&app);
    const bool loaded = translator->load(korean, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    return loaded;
}

} // namespace teran

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

struct Include {
    QString file; // relative to the source folder
    int line = 0;
    QString name; // as the #include names it
};

// Every quoted #include of the sources under `folder` (relative to the source folder).
QList<Include> includesUnder(const QString& folder) {
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    const QDir source(QStringLiteral(TERAN_SOURCE_DIR));
    QList<Include> found;
    QDirIterator it(source.filePath(folder), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            const QRegularExpressionMatch m = include.match(QString::fromUtf8(file.readLine()));
            if (m.hasMatch())
                found.append(Include{source.relativeFilePath(path), line, m.captured(1)});
        }
    }
    return found;
}

// The folder of `file` under `root` ("src/core/listings/X.cpp" -> "listings").
QString folderOf(const QString& file, const QString& root) {
    return file.mid(root.size() + 1).section(QLatin1Char('/'), 0, 0);
}

QString describe(const Include& include) {
    return QStringLiteral("%1:%2 %3").arg(include.file).arg(include.line).arg(include.name);
}

// Every header the QtWidgets module installs, by its name as an #include names it.
QSet<QString> widgetHeaders() {
    QSet<QString> names;
    QDirIterator it(QStringLiteral(TERAN_QT_WIDGETS_INCLUDE), QDir::Files);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    return names;
}

} // namespace

// The core has no widgets: nothing under src/core includes a window of src/ui or a header of
// QtWidgets, so that every rule of the program can be tested, and run, without a screen.
TEST(LayerBoundaryTest, TheCoreIncludesNoWindowAndNoWidget) {
    const QSet<QString> widgets = widgetHeaders();
    ASSERT_TRUE(widgets.contains(QStringLiteral("QWidget"))) << TERAN_QT_WIDGETS_INCLUDE;
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])"));
    QStringList offending;
    int files = 0;
    QDirIterator it(QStringLiteral(TERAN_SOURCE_DIR "/src/core"),
                    {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            const QRegularExpressionMatch m = include.match(QString::fromUtf8(file.readLine()));
            if (!m.hasMatch())
                continue;
            const QString name = m.captured(1);
            if (name.startsWith(QLatin1String("ui/")) || name.startsWith(QLatin1String("QtWidgets")) ||
                widgets.contains(name))
                offending << QStringLiteral("%1:%2 %3")
                                 .arg(QDir(QStringLiteral(TERAN_SOURCE_DIR)).relativeFilePath(path))
                                 .arg(line)
                                 .arg(name);
        }
    }
    EXPECT_GT(files, 100) << "the core's sources were not found";
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

// The core's folders are layers: a folder builds on the ones below it and never reaches up or
// sideways. The stores (store) know no listing, the listing record (listing) knows no session,
// the session knows no pictures, lists or people; the way a change reaches the server
// (publication) serves the lists and the registration alike, and the lists and the registration
// never include each other.
TEST(LayerBoundaryTest, CoreFoldersIncludeOnlyLowerLayers) {
    const QHash<QString, int> layer{
        {QStringLiteral("store"), 0},     {QStringLiteral("report"), 0},
        {QStringLiteral("game"), 0},      {QStringLiteral("listing"), 1},
        {QStringLiteral("session"), 2},   {QStringLiteral("pictures"), 3},
        {QStringLiteral("online"), 3},    {QStringLiteral("publication"), 4},
        {QStringLiteral("listings"), 5},  {QStringLiteral("register"), 5},
        {QStringLiteral("contracts"), 6}, {QStringLiteral("maintenance"), 6},
        {QStringLiteral("people"), 7},
    };
    const QString root = QStringLiteral("src/core");
    QStringList offending;
    QStringList unknownFolders;
    for (const Include& include : includesUnder(root)) {
        const QString from = folderOf(include.file, root);
        if (!layer.contains(from)) {
            unknownFolders << from;
            continue;
        }
        if (!include.name.contains(QLatin1Char('/')))
            continue;
        const QString to = include.name.section(QLatin1Char('/'), 0, 0);
        if (to != from && (!layer.contains(to) || layer.value(to) >= layer.value(from)))
            offending << describe(include);
    }
    EXPECT_TRUE(unknownFolders.isEmpty())
        << "give the new folder a layer: " << unknownFolders.join(u' ').toStdString();
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

// The windows' common pieces (ui/session) serve every window and use none; the frame window
// (ui/shell) uses every window and none uses it.
TEST(LayerBoundaryTest, WindowFoldersKeepSessionAtTheBottomAndShellAtTheTop) {
    const QString root = QStringLiteral("src/ui");
    const QDir ui(QStringLiteral(TERAN_SOURCE_DIR "/src/ui"));
    QStringList offending;
    for (const Include& include : includesUnder(root)) {
        if (!include.name.contains(QLatin1Char('/')) || !ui.exists(include.name))
            continue; // a header of the core
        const QString from = folderOf(include.file, root);
        const QString to = include.name.section(QLatin1Char('/'), 0, 0);
        if ((from == QLatin1String("session") && to != from) || (to == QLatin1String("shell") && from != to))
            offending << describe(include);
    }
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

// Windows call the core's services and get their outcome; the stores, their handles and their
// exception stay in the core (store work a window asks for goes through attemptStore, and the
// core picks the store from the session).
TEST(LayerBoundaryTest, WindowsNameNoStoreAndNoStoreError) {
    static const QRegularExpression storeNames(
        QStringLiteral(R"(\b(SqlStore|StoreError)\b|\b(listingStore|serverStore)\(\))"));
    QStringList offending;
    const QDir source(QStringLiteral(TERAN_SOURCE_DIR));
    QDirIterator it(source.filePath(QStringLiteral("src/ui")),
                    {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            if (storeNames.match(QString::fromUtf8(file.readLine())).hasMatch())
                offending << QStringLiteral("%1:%2").arg(source.relativeFilePath(path)).arg(line);
        }
    }
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

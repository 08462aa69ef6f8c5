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

// The room an include names under the one include root: "core/listing/X.h" -> "listing" for
// the side "core"; empty when it names the other side, a file of the same folder or Qt.
QString roomOf(const QString& name, const QString& side) {
    const QStringList parts = name.split(QLatin1Char('/'));
    return parts.size() >= 3 && parts.first() == side ? parts.at(1) : QString();
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
        const QString to = roomOf(include.name, QStringLiteral("core"));
        if (!to.isEmpty() && to != from && (!layer.contains(to) || layer.value(to) >= layer.value(from)))
            offending << describe(include);
    }
    EXPECT_TRUE(unknownFolders.isEmpty())
        << "give the new folder a layer: " << unknownFolders.join(u' ').toStdString();
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

// The window folders are layers too: the widgets every window shares (widgets) use no window,
// the windows' common pieces (session) only those, the windows of one concern use neither the
// frame nor the windows that open them, and the frame window (shell) uses every window and none
// uses it. The lists and the registration never include each other.
TEST(LayerBoundaryTest, WindowFoldersIncludeOnlyLowerLayers) {
    const QHash<QString, int> layer{
        {QStringLiteral("widgets"), 0},     {QStringLiteral("session"), 1},   {QStringLiteral("game"), 1},
        {QStringLiteral("online"), 2},      {QStringLiteral("contracts"), 2}, {QStringLiteral("people"), 2},
        {QStringLiteral("maintenance"), 2}, {QStringLiteral("listings"), 3},  {QStringLiteral("register"), 3},
        {QStringLiteral("shell"), 4},
    };
    const QString root = QStringLiteral("src/ui");
    QStringList offending;
    QStringList unknownFolders;
    for (const Include& include : includesUnder(root)) {
        const QString from = folderOf(include.file, root);
        if (!layer.contains(from)) {
            unknownFolders << from;
            continue;
        }
        const QString to = roomOf(include.name, QStringLiteral("ui"));
        if (!to.isEmpty() && to != from && (!layer.contains(to) || layer.value(to) >= layer.value(from)))
            offending << describe(include);
    }
    EXPECT_TRUE(unknownFolders.isEmpty())
        << "give the new folder a layer: " << unknownFolders.join(u' ').toStdString();
    EXPECT_TRUE(offending.isEmpty()) << offending.join(QLatin1Char('\n')).toStdString();
}

// Every include of a header of the program names it from the one root, core/... or ui/..., so
// that a name such as "session/X.h" cannot mean a file of either side.
TEST(LayerBoundaryTest, IncludesNameTheirSide) {
    const QDir source(QStringLiteral(TERAN_SOURCE_DIR));
    QStringList offending;
    for (const QString& folder : {QStringLiteral("src"), QStringLiteral("tests"), QStringLiteral("bench")})
        for (const Include& include : includesUnder(folder)) {
            const QString top = include.name.section(QLatin1Char('/'), 0, 0);
            if (include.name.contains(QLatin1Char('/')) && top != QLatin1String("..") &&
                (source.exists(QStringLiteral("src/core/") + include.name) ||
                 source.exists(QStringLiteral("src/ui/") + include.name)))
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

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

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

#include "core/session/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;

namespace {

// HOME and the user's folder list as a test sets them, put back afterwards.
class UserHome {
public:
    explicit UserHome(const QTemporaryDir& home)
        : m_home(qgetenv("HOME"))
        , m_config(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(home.path()).filePath(QStringLiteral(".config"))));
    }
    ~UserHome() {
        qputenv("HOME", m_home);
        m_config.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", m_config);
    }
    UserHome(const UserHome&) = delete;
    UserHome& operator=(const UserHome&) = delete;

private:
    QByteArray m_home;
    QByteArray m_config;
};

} // namespace

// The proposal is the documents folder the user's desktop names, and home when that folder is
// not there.
TEST(UserFoldersTest, TheDocumentsFolderWhenItIsThereElseHome) {
    struct Case {
        const char* what;
        const char* documents; // under home, as the user's folder list names it; empty: none named
        bool made;
        const char* expected; // under home
    };
    const Case cases[] = {
        {"a named folder that is there", "문서", true, "문서"},
        {"a named folder that is gone", "문서", false, ""},
        {"the usual folder when none is named", "", true, "Documents"},
        {"no folder at all", "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        const UserHome user(home);
        const QDir at(home.path());
        ASSERT_TRUE(at.mkpath(QStringLiteral(".config")));
        const QString documents = QString::fromUtf8(c.documents);
        if (!documents.isEmpty()) {
            QFile list(at.filePath(QStringLiteral(".config/user-dirs.dirs")));
            ASSERT_TRUE(list.open(QIODevice::WriteOnly));
            list.write("XDG_DOCUMENTS_DIR=\"$HOME/" + documents.toUtf8() + "\"\n");
        }
        if (c.made) {
            ASSERT_TRUE(at.mkpath(documents.isEmpty() ? QStringLiteral("Documents") : documents));
        }
        EXPECT_EQ(QDir::cleanPath(userDocumentsFolder()),
                  QDir::cleanPath(at.filePath(QString::fromUtf8(c.expected))));
    }
}

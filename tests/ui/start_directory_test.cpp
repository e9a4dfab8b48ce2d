// Where the program works when it starts in a folder it may not write (an
// installation's own folder), and the ready templates a new start directory gets.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/start_directory.h"
#include "scripted_dialogs.h"

namespace {

class StartDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("HOME", home.path().toUtf8());
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }
    void TearDown() override { QSettings().clear(); }

    QTemporaryDir home;
    test_support::ScriptedDialogs dialogs;
};

TEST_F(StartDirectory, AnUnwritableFolderOffersTheDocumentsOnceAndRemembersTheAnswer) {
    // A folder under a plain file can never be written, whoever runs the test.
    QFile blocker(home.filePath("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const QString unwritable = home.filePath("plain-file/Program Files");
    const QString writable = home.path();

    EXPECT_EQ(settleStartDirectory(dialogs, writable), writable);
    EXPECT_TRUE(dialogs.yesNoQuestions.isEmpty());

    dialogs.yesNoAnswers = {false};  // "Нет": the folder stays, nothing remembered
    EXPECT_EQ(settleStartDirectory(dialogs, unwritable), unwritable);
    ASSERT_EQ(dialogs.yesNoQuestions.size(), 1);
    EXPECT_TRUE(dialogs.yesNoQuestions[0].contains(QString::fromUtf8("нельзя записывать")));

    dialogs.yesNoAnswers = {true};
    const QString instead = settleStartDirectory(dialogs, unwritable);
    EXPECT_TRUE(
        instead.startsWith(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    EXPECT_TRUE(QFileInfo(instead).isDir());
    // The next start from the same folder goes there without a question.
    EXPECT_EQ(settleStartDirectory(dialogs, unwritable), instead);
    EXPECT_EQ(dialogs.yesNoQuestions.size(), 2);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(StartDirectory, ANewStartDirectoryGetsTheReadyTemplatesAnExistingFolderIsKept) {
    provideReadyTemplates(home.path());
    const QDir folder(home.filePath(QString::fromUtf8("Шаблоны форм")));
    for (int n = 1; n <= 3; ++n) {
        const QString name = QString::fromUtf8("Форма %1.rtf").arg(n);
        QFile made(folder.filePath(name));
        QFile shipped(QString::fromUtf8(TIRS_TEMPLATES_DIR) + "/" + name);
        ASSERT_TRUE(made.open(QIODevice::ReadOnly)) << name.toStdString();
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        EXPECT_EQ(made.readAll(), shipped.readAll());
        EXPECT_TRUE(made.permissions() & QFileDevice::WriteOwner);
    }
    // A template the user removed from an existing folder is not put back.
    ASSERT_TRUE(QFile::remove(folder.filePath(QString::fromUtf8("Форма 2.rtf"))));
    provideReadyTemplates(home.path());
    EXPECT_FALSE(folder.exists(QString::fromUtf8("Форма 2.rtf")));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("tirs48-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The real message boxes behind UserDialogs, answered with keys and clicks:
// the three-way save question, the yes/no question, and what the program says
// when the desktop has no application for a finished document.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <functional>

#include "dialogs/user_dialogs.h"

namespace {

// Acts on the next message box once it is shown (the box runs its own loop).
void whenBoxShown(const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(20, qApp, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return whenBoxShown(act);
        act(*box);
    });
}

QPushButton* button(QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text) return qobject_cast<QPushButton*>(b);
    return nullptr;
}

QStringList buttonTexts(QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    texts.sort();
    return texts;
}

// With TIRS_SCREENSHOT_DIR set (scripts/screenshots), a picture of the box.
void picture(QMessageBox& box, const QString& name) {
    const QByteArray dir = qgetenv("TIRS_SCREENSHOT_DIR");
    if (!dir.isEmpty()) box.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
}

}  // namespace

class UserDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    // Esc and the box's close button are "Отмена", never "Не сохранять".
    void saveQuestionHasThreeAnswersAndEscCancels() {
        QtUserDialogs dialogs("Анализ");
        const QString text = QStringLiteral("Файл с информацией не сохранен! \nСохранить?");
        QStringList seen;
        whenBoxShown([&](QMessageBox& box) {
            seen = buttonTexts(box);
            picture(box, "three-way-question.png");
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Предупреждение", text), SaveChoice::Cancel);
        QCOMPARE(seen, (QStringList{"Не сохранять", "Отмена", "Сохранить"}));
        whenBoxShown([](QMessageBox& box) { box.close(); });
        QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Предупреждение", text), SaveChoice::Cancel);
        for (const auto& [answer, choice] :
             {std::pair{"Не сохранять", SaveChoice::Discard}, {"Сохранить", SaveChoice::Save}}) {
            whenBoxShown([answer = QString(answer)](QMessageBox& box) {
                QTest::mouseClick(button(box, answer), Qt::LeftButton);
            });
            QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Предупреждение", text), choice);
        }
        whenBoxShown([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
        QCOMPARE(dialogs.askSaveDiscardCancel(nullptr, "Предупреждение", text), SaveChoice::Save);
    }

    void yesNoQuestionEscMeansNo() {
        QtUserDialogs dialogs("Анализ");
        const QString text = QStringLiteral(
            "В предыдущем считывании общее число циклов больше, чем в последнем: 52000 против "
            "51972.\n\nПохоже, файлы перепутаны. Поменять местами?");
        QStringList seen;
        whenBoxShown([&](QMessageBox& box) {
            seen = buttonTexts(box);
            picture(box, "refused-previous-reading.png");
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        QVERIFY(!dialogs.askYesNo(nullptr, {}, text));
        QCOMPARE(seen, (QStringList{"Да", "Нет"}));
        whenBoxShown(
            [](QMessageBox& box) { QTest::mouseClick(button(box, "Да"), Qt::LeftButton); });
        QVERIFY(dialogs.askYesNo(nullptr, {}, text));
    }

    // No application for ".rtf": the box names the file with its full path and
    // "Открыть папку" opens the folder it is in.
    void aDocumentNobodyOpensIsShownWithItsFolder() {
        QTemporaryDir dir;
        const QString report = dir.filePath("Форма 2 (КС-55713-1 №1234 29.11.06 14-05).rtf");
        QtUserDialogs dialogs("Анализ");
        QList<QUrl> asked;
        dialogs.setDesktopOpener([&](const QUrl& url) {
            asked << url;
            return url.toLocalFile() != report;
        });
        QString text;
        whenBoxShown([&](QMessageBox& box) {
            text = box.text();
            picture(box, "form-cannot-open.png");
            QTest::mouseClick(button(box, "Открыть папку"), Qt::LeftButton);
        });
        dialogs.openDocument(report);
        QVERIFY2(text.contains(QDir::toNativeSeparators(report)) && text.contains(".rtf"),
                 qPrintable(text));
        QCOMPARE(asked,
                 (QList<QUrl>{QUrl::fromLocalFile(report), QUrl::fromLocalFile(dir.path())}));

        // Opened: nothing is shown.
        asked.clear();
        dialogs.openDocument(dir.filePath("guide.html"));
        QCOMPARE(asked.size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(UserDialogsTest)
#include "user_dialogs_test.moc"

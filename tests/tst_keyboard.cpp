// A whole examination by the keyboard alone: the tree, the complaints grid, «Новая»
// whose box answers Enter and Esc with its default «Нет», «Почему?» from its menu, the
// interview, the diary and its summary's file dialog.
#include "app/MainU.h"
#include "app/Settings.h"
#include "diary/DiaryStore.h"
#include "tests/DiaryTestData.h"

#include <QApplication>
#include <QDialog>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void wholeExaminationByKeys();

private:
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
        target = target ? target : window;
        if (key > 0x400 && key < 0x500) // Cyrillic, with its text: QTest knows Latin keys only
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), QString(QChar(key)).toLower(), modifiers);
        else
            QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    bool TabTo(const char* name)
    {
        const auto reached = [name] {
            return QApplication::focusWidget() && QApplication::focusWidget()->objectName() == QLatin1String(name);
        };
        for (int step = 0; step < 120 && !reached(); ++step)
            Press(Qt::Key_Tab);
        return reached();
    }
    // Keys for the next modal window or menu, once it is open.
    static void InNext(const std::function<void(QWidget*)>& act, bool menu = false)
    {
        QTimer::singleShot(50, [act, menu] {
            QWidget* open = menu ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
            open ? act(open) : InNext(act, menu);
        });
    }
    // What a desktop does when a box over a window closes; the offscreen one does not.
    static bool Activate(QWidget* window)
    {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

    QWidget* window = nullptr;
};

void TestKeyboard::wholeExaminationByKeys()
{
    QTemporaryDir folder;
    QVERIFY(DiaryStore(DiaryStore::defaultFolder()).add(diaryTestSeries(3, QDateTime::currentDateTime().addDays(-1))));
    UserSettings::SetReportPath(folder.path());
    UserSettings::SetSaveNeeded(true);
    TfrmTessora frame;
    window = &frame;
    frame.show();
    QVERIFY(Activate(&frame));
    QVERIFY(TabTo("trvMain"));
    Press(Qt::Key_Down);
    QCOMPARE(frame.ActivePageTag(), ComplaintsTag);
    QVERIFY(TabTo("stgQst"));
    for (int key : { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
             Qt::Key_Space, Qt::Key_Down, Qt::Key_Space }) // statements 7 and 8, chest pains
        Press(key);
    for (int key : { Qt::Key_Return, Qt::Key_Escape }) {
        InNext([key](QWidget* box) { QTest::keyClick(box, Qt::Key(key)); });
        Press(0x421, Qt::AltModifier); // «Сессия»
        Press(0x41D); // «Новая»
        QVERIFY(frame.RecordChangedSinceReset());
        QVERIFY(Activate(&frame));
    }

    QVERIFY(TabTo("trvMain"));
    while (frame.ActivePageTag() < ConclusionTag)
        Press(Qt::Key_Down);
    QVERIFY(TabTo("bbtnWhy"));
    bool whyRead = false;
    InNext([](QWidget* menu) { QTest::keyClick(menu, Qt::Key_Down), QTest::keyClick(menu, Qt::Key_Return); }, true);
    std::function<void(QWidget*)> readWhy = [&](QWidget* why) {
        if (!why->isAncestorOf(QApplication::focusWidget())) // the focus comes into the window
            return InNext(readWhy);
        whyRead = why->windowTitle() == QStringLiteral("Почему?");
        QTest::keyClick(why, Qt::Key_Escape);
    };
    InNext(readWhy);
    Press(Qt::Key_Space);
    QTRY_VERIFY(whyRead);

    QVERIFY(Activate(&frame) && TabTo("trvMain"));
    Press(Qt::Key_End);
    QCOMPARE(frame.ActivePageTag(), CardiologistTag);
    QVERIFY(TabTo("bbNo"));
    auto* work = frame.findChild<QStackedWidget*>(QStringLiteral("stkWork"));
    for (int answer = 0; answer < 90 && work->currentWidget()->objectName() != QLatin1String("redCardio"); ++answer)
        Press(Qt::Key_Space);
    QCOMPARE(work->currentWidget()->objectName(), QStringLiteral("redCardio"));

    Press(0x420, Qt::AltModifier); // «Сервис»
    Press(0x414); // «Дневник обследований»
    QTRY_VERIFY(frame.findChild<QDialog*>(QStringLiteral("DiaryWindow")));
    QWidget* diary = frame.findChild<QDialog*>(QStringLiteral("DiaryWindow"));
    QTRY_VERIFY(diary->isActiveWindow());
    QVERIFY(TabTo("bbtnSummary"));
    QString asked;
    InNext([&asked](QWidget* dialog) { asked = dialog->windowTitle(), QTest::keyClick(dialog, Qt::Key_Escape); });
    Press(Qt::Key_Space);
    QCOMPARE(asked, QStringLiteral("Сводка для врача"));
    QVERIFY(Activate(diary));
    QTest::keyClick(diary, Qt::Key_Escape);
    QTRY_VERIFY(!frame.findChild<QDialog*>(QStringLiteral("DiaryWindow")));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

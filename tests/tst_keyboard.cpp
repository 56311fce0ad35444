// A whole examination by the keyboard alone, as a person without a mouse goes
// through it: the tree, the complaints grid, the conclusion with «Почему?», the
// interview, the diary with its summary, and message boxes that answer to
// Enter and Esc as their buttons say.
#include "app/MainU.h"
#include "app/Settings.h"
#include "diary/DiaryStore.h"
#include "tests/DiaryTestData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
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
    template <typename T> T* Find(const char* name) const
    {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::activePopupWidget();
        target = target ? target : QApplication::focusWidget();
        target = target ? target : window;
        // A Cyrillic letter goes with its text: QTest knows the Latin keys only.
        if (key > 0x400 && key < 0x500)
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), QString(QChar(key)).toLower(), modifiers);
        else
            QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    // Tab until the control has the focus, as a person looks for it.
    bool TabTo(QWidget* control)
    {
        for (int step = 0; step < 120 && QApplication::focusWidget() != control; ++step)
            Press(Qt::Key_Tab);
        return QApplication::focusWidget() == control;
    }
    // The keys pressed in the next modal window (or menu), once it is open.
    static void InNextModal(const std::function<void(QWidget*)>& act, bool popup = false)
    {
        QTimer::singleShot(50, [act, popup] {
            if (QWidget* modal = popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget())
                act(modal);
            else
                InNextModal(act, popup);
        });
    }

    // What a desktop does when a box over the window closes; the offscreen one does not.
    bool BackToWindow() const
    {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

    TfrmTessora* window = nullptr;
};

void TestKeyboard::wholeExaminationByKeys()
{
    // Kept examinations for the diary and its summary.
    QTemporaryDir folder;
    QVERIFY(TDiaryStore(folder.path()).add(DiaryTestSeries(3, QDateTime::currentDateTime().addDays(-1))));
    UserSettings::SetReportPath(folder.path());
    UserSettings::SetSaveNeeded(true);
    TfrmTessora frame;
    window = &frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto* tree = Find<QWidget>("trvMain");
    QVERIFY(TabTo(tree));
    Press(Qt::Key_Down);
    QCOMPARE(frame.ActivePageTag(), ComplaintsTag);
    // Statements 7 and 8, chest pains: the cardiologist is recommended.
    QVERIFY(TabTo(Find<QWidget>("stgQst")));
    for (int row = 1; row < 7; ++row)
        Press(Qt::Key_Down);
    Press(Qt::Key_Space);
    Press(Qt::Key_Down);
    Press(Qt::Key_Space);
    QVERIFY(frame.RecordChangedSinceReset());

    // «Новая» from the menu: Enter and Esc keep the record, as «Нет» is the default.
    for (int key : { Qt::Key_Return, Qt::Key_Escape }) {
        InNextModal([key](QWidget* box) { QTest::keyClick(box, Qt::Key(key)); });
        Press(0x421, Qt::AltModifier); // Alt+С, «Сессия»
        Press(0x41D); // Н, «Новая»
        QVERIFY(frame.RecordChangedSinceReset());
        QVERIFY(BackToWindow());
    }

    QVERIFY(TabTo(tree));
    while (frame.ActivePageTag() != ConclusionTag && frame.ActivePageTag() < ConclusionTag)
        Press(Qt::Key_Down);
    QCOMPARE(frame.ActivePageTag(), ConclusionTag);
    // «Почему?» opens from its button's menu and closes with Esc.
    auto* why = Find<QAbstractButton>("bbtnWhy");
    QVERIFY(why->isVisible());
    QVERIFY(TabTo(why));
    bool whyShown = false;
    InNextModal([&whyShown](QWidget* dialog) {
        whyShown = dialog->windowTitle() == QStringLiteral("Почему?") && dialog->isAncestorOf(QApplication::focusWidget());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    InNextModal([](QWidget* menu) {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    }, true);
    Press(Qt::Key_Space);
    QTRY_VERIFY(whyShown);
    QVERIFY(BackToWindow());

    // The interview: «Нет» by Space until its explanation shows.
    QVERIFY(TabTo(tree));
    Press(Qt::Key_End);
    QCOMPARE(frame.ActivePageTag(), CardiologistTag);
    auto* no = Find<QWidget>("bbNo");
    QVERIFY(TabTo(no));
    auto* work = Find<QStackedWidget>("stkWork");
    for (int answer = 0; answer < 90 && work->currentWidget()->objectName() != QLatin1String("redCardio"); ++answer)
        Press(Qt::Key_Space);
    QCOMPARE(work->currentWidget()->objectName(), QStringLiteral("redCardio"));

    // The diary from «Сервис»: its summary's file dialog, then the diary, closed with Esc.
    Press(0x420, Qt::AltModifier); // Alt+Р, «Сервис»
    Press(0x414); // Д, «Дневник обследований»
    QTRY_VERIFY(frame.findChild<QDialog*>(QStringLiteral("TfrmDiary")));
    auto* diary = frame.findChild<QDialog*>(QStringLiteral("TfrmDiary"));
    QTRY_VERIFY(diary->isActiveWindow());
    QVERIFY(TabTo(diary->findChild<QWidget*>(QStringLiteral("bbtnSummary"))));
    QString asked;
    InNextModal([&asked](QWidget* dialog) {
        asked = dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Press(Qt::Key_Space);
    QCOMPARE(asked, QStringLiteral("Сводка для врача"));
    diary->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(diary));
    QTest::keyClick(diary, Qt::Key_Escape);
    QTRY_VERIFY(!frame.findChild<QDialog*>(QStringLiteral("TfrmDiary")));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

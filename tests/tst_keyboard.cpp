// A whole examination by the keyboard alone, as a person without a mouse goes
// through it: the tree, the complaints grid, the conclusion with «Почему?», the
// interview, the diary with its summary, and message boxes that answer to
// Enter and Esc as their buttons say.
#include "app/MainU.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QStackedWidget>
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
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // Tab until the control has the focus, as a person looks for it.
    static bool TabTo(QWidget* control)
    {
        for (int step = 0; step < 120 && QApplication::focusWidget() != control; ++step)
            Press(Qt::Key_Tab);
        return QApplication::focusWidget() == control;
    }
    // The keys pressed in the next modal window, once it is open.
    static void InNextModal(const std::function<void(QWidget*)>& act)
    {
        QTimer::singleShot(50, [act] {
            if (QWidget* modal = QApplication::activeModalWidget())
                act(modal);
            else
                InNextModal(act);
        });
    }

    TfrmTessora* window = nullptr;
};

void TestKeyboard::wholeExaminationByKeys()
{
    TfrmTessora frame;
    window = &frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto* tree = Find<QWidget>("trvMain");
    QVERIFY(TabTo(tree));
    Press(Qt::Key_Down);
    QCOMPARE(frame.ActivePageTag(), ComplaintsTag);
    QVERIFY(TabTo(Find<QWidget>("stgQst")));
    Press(Qt::Key_Space);
    QVERIFY(frame.RecordChangedSinceReset());

    // «Новая» from the menu: Enter and Esc keep the record, as «Нет» is the default.
    for (int key : { Qt::Key_Return, Qt::Key_Escape }) {
        InNextModal([key](QWidget* box) { QTest::keyClick(box, Qt::Key(key)); });
        Press(0x421, Qt::AltModifier); // Alt+С, «Сессия»
        Press(0x41D); // Н, «Новая»
        QVERIFY(frame.RecordChangedSinceReset());
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
    Press(Qt::Key_Space);
    QTRY_VERIFY(QApplication::activePopupWidget());
    Press(Qt::Key_Return);
    QVERIFY(whyShown);

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

    // The diary from «Сервис», closed with Esc.
    Press(0x420, Qt::AltModifier); // Alt+Р, «Сервис»
    Press(0x414); // Д, «Дневник обследований»
    QTRY_VERIFY(frame.findChild<QDialog*>(QStringLiteral("TfrmDiary")));
    auto* diary = frame.findChild<QDialog*>(QStringLiteral("TfrmDiary"));
    QTRY_VERIFY(diary->isActiveWindow());
    QTest::keyClick(diary, Qt::Key_Escape);
    QTRY_VERIFY(!frame.findChild<QDialog*>(QStringLiteral("TfrmDiary")));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

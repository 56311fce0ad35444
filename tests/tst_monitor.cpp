#include "cardio/MonitorU.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QSlider>
#include <QTest>

namespace {

TDiagnosisList listWith(int condition, double probability)
{
    TDiagnosisList list = DiagnosisPriors;
    for (TDiagnosisRec& r : list)
        r.Probability = r.Condition == condition ? probability : (1.0 - probability) / 8;
    return list;
}

} // namespace

class TestMonitor : public QObject {
    Q_OBJECT

    QSlider* bar(TfrmMonitor& monitor, int n)
    {
        return monitor.findChild<QSlider*>(QStringLiteral("tbDg%1").arg(n));
    }
    QLabel* label(TfrmMonitor& monitor, const QString& name) { return monitor.findChild<QLabel*>(name); }

private slots:
    void barsAreReadOnlyVerticalPercentages()
    {
        TfrmMonitor monitor;
        QCOMPARE(monitor.windowTitle(), QStringLiteral("Монитор"));
        QVERIFY(monitor.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (int n = 0; n < ConditionCount; ++n) {
            QSlider* b = bar(monitor, n);
            QVERIFY(b);
            QCOMPARE(b->orientation(), Qt::Vertical);
            QVERIFY(!b->isEnabled());
            QCOMPARE(b->minimum(), 0);
            QCOMPARE(b->maximum(), 100);
            QCOMPARE(label(monitor, QStringLiteral("lbl%1").arg(n))->text(), QStringLiteral("1"));
            QCOMPARE(label(monitor, QStringLiteral("lbl%1").arg(n))->buddy(), b);
        }
    }

    void priorsPlaceTheThumbs()
    {
        TfrmMonitor monitor;
        monitor.RefreshBars(DiagnosisPriors);
        QCOMPARE(bar(monitor, 0)->value(), 80);
        for (int n = 1; n < ConditionCount; ++n) {
            QCOMPARE(bar(monitor, n)->value(), 90);
            QCOMPARE(label(monitor, QStringLiteral("lbl%1").arg(n))->text(), QString::number(n));
        }
        QCOMPARE(label(monitor, QStringLiteral("lbl0"))->text(), QStringLiteral("0"));
    }

    void positionsRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("probability");
        QTest::addColumn<int>("position");
        QTest::newRow("0.125 → 88") << 0.125 << 88;
        QTest::newRow("0.375 → 62") << 0.375 << 62;
        QTest::newRow("0.625 → 38") << 0.625 << 38;
        QTest::newRow("0.875 → 12") << 0.875 << 12;
        QTest::newRow("certain → top") << 1.0 << 0;
        QTest::newRow("impossible → bottom") << 0.0 << 100;
        QTest::newRow("0.734 → 27") << 0.734 << 27;
    }
    void positionsRoundHalvesToEven()
    {
        QFETCH(double, probability);
        QFETCH(int, position);
        TfrmMonitor monitor;
        monitor.RefreshBars(listWith(3, probability));
        QCOMPARE(bar(monitor, 3)->value(), position);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("12.5") << 12.5 << 12;
        QTest::newRow("13.5") << 13.5 << 14;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("99.5") << 99.5 << 100;
        QTest::newRow("12.51") << 12.51 << 13;
        QTest::newRow("12.49") << 12.49 << 12;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(TfrmMonitor::RoundHalfEven(value), rounded);
    }

    void legendLineMarksItsWholeBar_data()
    {
        QTest::addColumn<QString>("legend");
        QTest::addColumn<int>("marked");
        QTest::newRow("healthy marks bar 0") << "lblHealthy" << 0;
        QTest::newRow("infarct") << "lblInfarct" << 1;
        QTest::newRow("heart failure") << "lblNK" << 8;
    }
    void legendLineMarksItsWholeBar()
    {
        QFETCH(QString, legend);
        QFETCH(int, marked);
        TfrmMonitor monitor;
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        QTest::mouseClick(label(monitor, QStringLiteral("lblGB")), Qt::LeftButton);
        QCOMPARE(TfrmMonitor::SelectionEnd(bar(monitor, 6)), 100);
        const QString plainStyle = bar(monitor, 0)->styleSheet();
        QTest::mouseClick(label(monitor, legend), Qt::LeftButton);
        for (int n = 0; n < ConditionCount; ++n) {
            QCOMPARE(TfrmMonitor::SelectionEnd(bar(monitor, n)), n == marked ? 100 : 0);
            QCOMPARE(bar(monitor, n)->styleSheet() != plainStyle, n == marked);
        }
        monitor.ClearBarHighlight();
        for (int n = 0; n < ConditionCount; ++n)
            QCOMPARE(TfrmMonitor::SelectionEnd(bar(monitor, n)), 0);
    }

    void numberUnderlinesItsLegendLine_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("underlined");
        QTest::newRow("0 → healthy") << 0 << "lblHealthy";
        QTest::newRow("1 → infarct") << 1 << "lblInfarct";
        QTest::newRow("7 → asthenia") << 7 << "lblANS";
    }
    void numberUnderlinesItsLegendLine()
    {
        QFETCH(int, number);
        QFETCH(QString, underlined);
        TfrmMonitor monitor;
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        QTest::mouseClick(label(monitor, QStringLiteral("lbl8")), Qt::LeftButton);
        QVERIFY(label(monitor, QStringLiteral("lblNK"))->font().underline());
        QTest::mouseClick(label(monitor, QStringLiteral("lbl%1").arg(number)), Qt::LeftButton);
        const QList<QLabel*> legend
            = monitor.findChild<QWidget*>(QStringLiteral("pnlLegend"))->findChildren<QLabel*>();
        QCOMPARE(legend.size(), 10);
        for (QLabel* l : legend)
            QCOMPARE(l->font().underline(), l->objectName() == underlined);
        monitor.ClearLegendUnderline();
        for (QLabel* l : legend)
            QVERIFY(!l->font().underline());
    }

    void legendTexts()
    {
        TfrmMonitor monitor;
        QCOMPARE(label(monitor, "lblLegend")->text(), QStringLiteral("Легенда:"));
        QCOMPARE(label(monitor, "lblHealthy")->text(), QStringLiteral("0- Практически здоров"));
        QCOMPARE(label(monitor, "lblStenoHi")->text(),
            QStringLiteral("2- Стенокардия высоких функциональных классов"));
        QCOMPARE(label(monitor, "lblANS")->text(), QStringLiteral("7- Астено-невротический синдром"));
        QCOMPARE(label(monitor, "lblTitle")->text(), QStringLiteral("Вероятности диагнозов"));
        // Every legend line fits its panel in the font of this machine.
        for (QLabel* l : monitor.findChild<QWidget*>(QStringLiteral("pnlLegend"))->findChildren<QLabel*>())
            QVERIFY2(l->x() + l->fontMetrics().horizontalAdvance(l->text()) <= l->parentWidget()->width(),
                qPrintable(l->text()));
    }

    void closingUnchecksTheAction_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("close button") << false;
        QTest::newRow("escape") << true;
    }
    void closingUnchecksTheAction()
    {
        QFETCH(bool, byEscape);
        QMainWindow owner;
        QAction acMonitor(QStringLiteral("Показать монитор"));
        acMonitor.setCheckable(true);
        acMonitor.setChecked(true);
        TfrmMonitor monitor(&owner);
        monitor.SetToggleAction(&acMonitor);
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        if (byEscape)
            QTest::keyClick(&monitor, Qt::Key_Escape);
        else
            monitor.close();
        QVERIFY(!monitor.isVisible());
        QVERIFY(!acMonitor.isChecked());
    }

    void firstShownCentredOnItsOwner()
    {
        QMainWindow owner;
        owner.setGeometry(100, 80, 892, 646);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TfrmMonitor monitor(&owner);
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        const QPoint expected
            = owner.frameGeometry().center() - QPoint(monitor.width() / 2, monitor.height() / 2);
        QCOMPARE(monitor.pos(), expected);
        monitor.hide();
        monitor.move(10, 10);
        monitor.show();
        QCOMPARE(monitor.pos(), QPoint(10, 10));
    }
};

QTEST_MAIN(TestMonitor)
#include "tst_monitor.moc"

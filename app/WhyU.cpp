#include "app/WhyU.h"
#include "ui_WhyU.h"

#include "decision/Conclusion.h"
#include "platform/help/HelpViewer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace {

QString ConsultationCaption(int specialist)
{
    return QStringLiteral("консультация %1").arg(SpecialistNames[size_t(specialist)]);
}

} // namespace

TfrmWhy::TfrmWhy(const Conclusion& conclusion, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmWhy>())
{
    ui->setupUi(this);
    btnCopy = ui->bbxWhy->addButton(QStringLiteral("Копировать"), QDialogButtonBox::ActionRole);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnCopy->setStatusTip(QStringLiteral("Скопировать объяснение в буфер обмена"));
    connect(btnCopy, &QPushButton::clicked, this, &TfrmWhy::btnCopyClick);
    ui->bbxWhy->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(ui->bbxWhy, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->lstConsultations, &QListWidget::currentRowChanged, this, &TfrmWhy::lstConsultationsChange);
    Help::installF1(this);
    ShowNotice(conclusion);
    FillConsultations(conclusion);
}

TfrmWhy::~TfrmWhy() = default;

// An emergency stays above every explanation, as it stands above the conclusion.
void TfrmWhy::ShowNotice(const Conclusion& conclusion)
{
    const QStringList notice = conclusion.Notice + conclusion.SameDay;
    ui->lblNotice->setVisible(!notice.isEmpty());
    ui->lblNotice->setText(notice.join(QLatin1Char('\n')));
    ui->lblNotice->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
}

void TfrmWhy::FillConsultations(const Conclusion& conclusion)
{
    for (int specialist : conclusion.recommendedSpecialists()) {
        FSpecialists << specialist;
        FExplanations << conclusion.Explanations[size_t(specialist)];
        ui->lstConsultations->addItem(ConsultationCaption(specialist));
    }
    ui->lstConsultations->setCurrentRow(0);
}

void TfrmWhy::SelectSpecialist(int specialist)
{
    ui->lstConsultations->setCurrentRow(int(FSpecialists.indexOf(specialist)));
}

void TfrmWhy::lstConsultationsChange(int row)
{
    if (row < 0 || row >= FSpecialists.size()) {
        ui->memWhy->clear();
        return;
    }
    QStringList lines {
        QStringLiteral("Рекомендована %1, потому что:").arg(ConsultationCaption(FSpecialists[row]))
    };
    for (const QString& fact : FExplanations[row])
        lines << QStringLiteral("• %1;").arg(fact);
    lines.last().chop(1);
    lines.last() += QLatin1Char('.');
    ui->memWhy->setPlainText(lines.join(QLatin1Char('\n')));
}

QString TfrmWhy::ExplanationText() const
{
    return ui->memWhy->toPlainText();
}

void TfrmWhy::btnCopyClick()
{
    QGuiApplication::clipboard()->setText(ExplanationText());
}

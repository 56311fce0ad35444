#include "app/frmAboutU.h"

#include "ui_frmAboutU.h"

#include "app/VersionU.h"
#include "platform/files/DataFolder.h"
#include "platform/jpeg/JpegLoader.h"

#include <QScreen>
#include <QStyle>

namespace {

const QString AboutText = QStringLiteral("Если в последнее время Вы чувствуете себя как-то\n"
                                         "не так,- посоветуйтесь с программой и она подскажет\n"
                                         "врача-специалиста, к которому следует обратиться.\n"
                                         "\n"
                                         "При этом Вы экономите по крайней мере один подход\n"
                                         "к \"живому\" терапевту, а это время и деньги.");

const QSize ClientSize(458, 214);

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : TfrmAbout(ProgramVersion(), parent)
{
}

TfrmAbout::TfrmAbout(const VersionInfo& version, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmAbout>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    ui->bbtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(ui->bbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate(version);
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::Execute(QWidget* parent)
{
    TfrmAbout frmAbout(parent);
    frmAbout.exec();
}

void TfrmAbout::FormCreate(const VersionInfo& version)
{
    ui->lblAbout->setText(AboutText);
    ShowPicture();
    ShowVersionInfo(version);
    setFixedSize(sizeHint().expandedTo(ClientSize));
}

void TfrmAbout::ShowPicture()
{
    const JpegResult jpeg = LoadJpeg(DataFolder::file(QStringLiteral("Images/Tessora.jpg")));
    const QPixmap picture
        = jpeg.ok() ? QPixmap::fromImage(jpeg.image) : QPixmap(QStringLiteral(":/icons/app/tessora.png"));
    if (picture.isNull())
        return;
    const QSize area(ui->imgAbout->maximumWidth(), ClientSize.height() - 8);
    ui->imgAbout->setPixmap(picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfrmAbout::ShowVersionInfo(const VersionInfo& version)
{
    // Single-pass arg(): a '%' inside a value is shown as is.
    ui->lblName->setText(QStringLiteral("%1 версия %2").arg(version.ProductName, version.FileVersion));
    ui->lblAutors->setText(QStringLiteral("%1  %2").arg(version.Comments, version.LegalCopyright));
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

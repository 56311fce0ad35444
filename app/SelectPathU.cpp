#include "app/SelectPathU.h"

#include "ui_SelectPathU.h"

#include "platform/files/PrivateFile.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"

#include <QCollator>
#include <QDir>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QScreen>
#include <QSortFilterProxyModel>

namespace {

const QSize ClientSize(311, 303);

// The path from the root down to the home folder comes first at every level,
// so the tree opens with the home folder at the top and the rest of the file
// system below it; other folders keep the natural order of names.
class HomeFirstFolders final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const bool leftHome = OnHomePath(left);
        const bool rightHome = OnHomePath(right);
        if (leftHome != rightHome)
            return leftHome;
        return m_collator.compare(left.data().toString(), right.data().toString()) < 0;
    }

private:
    bool OnHomePath(const QModelIndex& index) const
    {
        const QString path = static_cast<const QFileSystemModel*>(sourceModel())->filePath(index);
        const QString home = QDir::homePath();
        return home == path
            || home.startsWith(path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'));
    }

    QCollator m_collator = [] {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        return collator;
    }();
};

// A typed "~" stands for the home folder, and a relative path is taken from
// there, as the tree starts at home; the result has no trailing separator.
QString ResolvedFolder(const QString& typed)
{
    QString path = typed;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    return QDir::cleanPath(QDir::home().absoluteFilePath(path));
}

void BindButton(QPushButton* button, QAction* action)
{
    const auto follow = [button, action] {
        button->setText(action->text());
        button->setEnabled(action->isEnabled());
        button->setToolTip(action->toolTip());
        button->setStatusTip(action->statusTip());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

} // namespace

TfrmPath::TfrmPath(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmPath>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    CreateFolderTree();
    BindButton(ui->btnOK, ui->acOK);
    BindButton(ui->btnCancel, ui->acCancel);
    connect(ui->acOK, &QAction::triggered, this, &TfrmPath::acOKExecute);
    connect(ui->acCancel, &QAction::triggered, this, &TfrmPath::acCancelExecute);
    connect(ui->edtPath, &QLineEdit::textChanged, this, &TfrmPath::acOKUpdate);
    acOKUpdate();
    Help::installF1(this);
    setFixedSize(sizeHint().expandedTo(ClientSize));
    ui->edtPath->setFocus();
}

TfrmPath::~TfrmPath() = default;

void TfrmPath::CreateFolderTree()
{
    FFolders = new QFileSystemModel(this);
    // The desktop's icon theme, or the style's folder icons where none is set.
    // The model's gatherer thread may still ask while the dialog goes, so the
    // provider lives as long as the program.
    static QFileIconProvider icons;
    FFolders->setIconProvider(&icons);
    FFolders->setOption(QFileSystemModel::DontWatchForChanges);
    FFolders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    FFolders->setRootPath(QDir::rootPath());
    FTree = new HomeFirstFolders(this);
    FTree->setSourceModel(FFolders);
    FTree->sort(0);
    QTreeView* tree = ui->stvPath;
    tree->setModel(FTree);
    for (int column = 1; column < FFolders->columnCount(); ++column)
        tree->hideColumn(column);
    // The chosen folder stays marked while the user types or presses a button.
    QPalette palette = tree->palette();
    for (const QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    tree->setPalette(palette);
    connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this, &TfrmPath::stvPathChange);
    ShowHomeFolder();
}

void TfrmPath::ShowHomeFolder()
{
    const QModelIndex home = FolderIndex(QDir::homePath());
    for (QModelIndex folder = home; folder.isValid(); folder = folder.parent())
        ui->stvPath->expand(folder);
    ui->stvPath->scrollTo(home, QAbstractItemView::PositionAtTop);
}

QModelIndex TfrmPath::FolderIndex(const QString& path) const
{
    if (!QFileInfo(path).isDir())
        return {};
    return FTree->mapFromSource(FFolders->index(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
}

void TfrmPath::SetInitialPath(const QString& Path)
{
    if (Path.isEmpty())
        return;
    SelectedPath = Path;
    const QModelIndex folder = FolderIndex(Path);
    if (!folder.isValid()) {
        MessageBoxes::showError(this, QStringLiteral("Не могу открыть папку %1").arg(SelectedPath));
        return;
    }
    ui->stvPath->setCurrentIndex(folder);
    ui->stvPath->scrollTo(folder);
}

void TfrmPath::stvPathChange(const QModelIndex& current)
{
    if (current.isValid())
        ui->edtPath->setText(QDir::toNativeSeparators(FFolders->filePath(FTree->mapToSource(current))));
}

void TfrmPath::acOKUpdate()
{
    ui->acOK->setEnabled(!ui->edtPath->text().isEmpty());
}

void TfrmPath::acOKExecute()
{
    SelectedPath = ResolvedFolder(ui->edtPath->text());
    if (QFileInfo(SelectedPath).isDir() || PrivateFile::makePath(SelectedPath)) {
        accept();
        return;
    }
    MessageBoxes::showError(this, QStringLiteral("Не могу создать папку %1").arg(SelectedPath));
    reject();
}

void TfrmPath::acCancelExecute()
{
    reject();
}

void TfrmPath::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

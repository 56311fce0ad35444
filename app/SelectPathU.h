#pragma once

#include <QDialog>

#include <memory>

class QFileSystemModel;
class QModelIndex;
class QSortFilterProxyModel;

namespace Ui {
class TfrmPath;
}

// "Выбор папки": asks for the folder that keeps the saved conclusions. The
// folder is typed into edtPath or picked in the folder tree stvPath, which
// opens with the user's home folder in view; OK creates a missing folder one
// level deep.
class TfrmPath final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmPath(QWidget* parent = nullptr);
    ~TfrmPath() override;

    // Selects and shows the folder in the tree; a folder that cannot be shown
    // is reported and the dialog opens without a selection.
    void SetInitialPath(const QString& Path);

    // The folder the dialog reports back, set when OK is pressed.
    QString SelectedPath;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateFolderTree();
    void ShowHomeFolder();
    QModelIndex FolderIndex(const QString& path) const;
    void stvPathChange(const QModelIndex& current);
    void acOKUpdate();
    void acOKExecute();
    void acCancelExecute();

    std::unique_ptr<Ui::TfrmPath> ui;
    QFileSystemModel* FFolders = nullptr;
    QSortFilterProxyModel* FTree = nullptr;
};

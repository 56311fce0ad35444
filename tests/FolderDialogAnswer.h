#pragma once

#include "app/SelectPathU.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

// Answers every folder chooser that the code under test opens modally while
// this object lives: notes the path it showed, then types the folder and
// presses "Выбрать", or presses "Закрыть" when the folder is empty.
class FolderDialogAnswer : public QObject {
public:
    explicit FolderDialogAnswer(QString folder)
        : m_folder(std::move(folder))
    {
        connect(&m_timer, &QTimer::timeout, this, &FolderDialogAnswer::Answer);
        m_timer.start(10);
    }

    int shown = 0;
    QString preselected;

private:
    void Answer()
    {
        auto* dialog = qobject_cast<TfrmPath*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        ++shown;
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edtPath"));
        preselected = edit->text();
        if (m_folder.isEmpty()) {
            dialog->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
            return;
        }
        edit->setText(m_folder);
        dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    }

    QString m_folder;
    QTimer m_timer;
};

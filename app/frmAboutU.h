#pragma once

#include <QDialog>

struct VersionInfo;

#include <memory>

namespace Ui {
class TfrmAbout;
}

// What the program is for, and its name, version and rights from the version
// information read at start-up (VersionU).
class TfrmAbout final : public QDialog {
    Q_OBJECT

public:
    // The program's own version information, or the given one.
    explicit TfrmAbout(QWidget* parent = nullptr);
    explicit TfrmAbout(const VersionInfo& version, QWidget* parent = nullptr);
    ~TfrmAbout() override;

    // The main window's "О программе": a new window, shown modally, then freed.
    static void Execute(QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const VersionInfo& version);
    void ShowPicture();
    void ShowVersionInfo(const VersionInfo& version);

    std::unique_ptr<Ui::TfrmAbout> ui;
};

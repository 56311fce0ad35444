#pragma once

#include <QString>
#include <QtPlugin>

class QWidget;

// The help window kept in a plugin of the program, with Qt Help and the
// SQLite driver it reads the help file through: loaded when help is first
// asked for, not at start-up.
class IHelpModule {
public:
    virtual ~IHelpModule() = default;
    // A help window over the compiled help file, not shown yet.
    virtual QWidget* CreateHelpWindow(const QString& helpFile, QWidget* owner) = 0;
    // False when the topic cannot be shown; the window then says why.
    virtual bool ShowContext(QWidget* helpWindow, int helpContext) = 0;
    virtual void ShowContents(QWidget* helpWindow) = 0;
};

#define TessoraHelpModule_iid "ru.tessora.IHelpModule/1"
Q_DECLARE_INTERFACE(IHelpModule, TessoraHelpModule_iid)

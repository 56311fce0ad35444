#pragma once

#include <QApplication>

// The application object, with Qt's Russian translation loaded. A failure that escapes an event handler (a
// height out of range met while the conclusion is built, say) is shown in the standard error box and the
// program goes on, instead of ending it.
class TTessoraApplication final : public QApplication {
    Q_OBJECT

public:
    TTessoraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

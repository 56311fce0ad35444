#pragma once

#include "platform/help/HelpFile.h"

#include <QWidget>

#include <memory>

namespace Ui {
class HelpWindow;
}
class QHelpContentWidget;
class QHelpIndexWidget;

// The help window: the topic on the right, the contents and the index on the left.
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& qchPath, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // False when the topic cannot be shown; the window then says why.
    bool showContext(int helpContext);
    void showContents();

private:
    void attachNavigation();
    void showMessage(const QString& title, const QString& text);
    void selectTopic(const QUrl& url);

    std::unique_ptr<Ui::HelpWindow> ui;
    HelpFile m_file;
    QHelpContentWidget* m_contents = nullptr;
    QHelpIndexWidget* m_index = nullptr;
};

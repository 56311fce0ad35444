#pragma once

#include <QString>

class QWidget;

// The program's help: HTML topics compiled into a Qt help file, in which
// each help context number is the keyword id "context-<number>". One help
// window shows the topics with the contents and the index beside them.
namespace Help {

// The compiled help file; Help/TESSORAHELP.qch of the data folder until set.
void setHelpFile(const QString& qchPath);
QString helpFile();

// The program's caption, which the help window's title names ("Справка — …");
// the application's name until set.
void setProgramCaption(const QString& caption);
QString programCaption();

// Shows the topic of a help context number. When the file or the topic is
// missing, the window says so and the result is false.
bool showContext(int helpContext, QWidget* parent = nullptr);

// Shows the start page with the contents and the index.
void showContents(QWidget* parent = nullptr);

// The int property "helpContext" of the widget or of its nearest ancestor
// that has a non-zero one; 0 when none has.
int contextOf(const QWidget* widget);

// Makes F1 in the window open the topic of the focused control (or the
// contents when no control on the way up has a help context).
void installF1(QWidget* window);

// The help window while it exists, else nullptr.
QWidget* window();

} // namespace Help

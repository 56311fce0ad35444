#pragma once

#include "platform/automation/ComInterfaces.h"
#include "platform/automation/Variant.h"
#include "report/DocEventsU.h"
#include "report/WordU.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>
#include <memory>

// Every report window and saved conclusion carries this word in its name.
inline const QString ConclusionWord = QStringLiteral("Заключение");

// The report shows its error boxes through the program's message-box helper;
// the main window hands it in. Without one the text goes to the debug log.
using TReportErrorBox = std::function<void(const QString& text)>;

// "Заключение 2009 March 5 Thursday 14-07": the conclusion word, then year,
// month name, day, weekday name, hours-minutes in the given locale.
QString ConclusionFileName(const QDateTime& moment, const QLocale& locale);
QString ConclusionFileName();

// Starts the word processor in the background where a report is likely to
// be asked for soon; quiet whatever happens.
void PrepareWord();

// Automation state of the report: the word processor in use, the report
// document and its table, and the two event sinks. Empty variants mean
// "none". The main window owns the one of the program; all of it is used on
// the user-interface thread only.
class TReportState {
public:
    QString WordProgId;
    bool WordAttached = false;
    Automation::Variant WordApp;
    Automation::Variant ReportDoc;
    Automation::Variant ReportTable;
    Automation::Variant OmittedArg;
    std::unique_ptr<TWordEventsSink> WordSink;
    std::unique_ptr<TDocEventsSink> DocSink;

    // Creates both sinks and wires their handlers; the end disconnects and
    // frees them and clears the state.
    TReportState();
    ~TReportState();
    TReportState(const TReportState&) = delete;
    TReportState& operator=(const TReportState&) = delete;

    void SetReportErrorBox(TReportErrorBox box);
    // Plain boxes (one OK button, no icon) for failures that the report goes on
    // after; without one they go to the error box.
    void SetReportMessageBox(TReportErrorBox box);
    void ShowReportMessage(const QString& text);

    // Takes over the running word processor or starts one, connects WordSink and
    // configures it. On any failure shows what failed, forgets the word
    // processor and its documents and returns false: the report command ends there.
    bool ConnectWord();

    // Names the report window, shows the word processor and focuses the first
    // conclusion window. Automation errors are thrown (EOleError) to the caller.
    void ShowReport();

    // Closes every document whose first window's caption contains the conclusion
    // word, last to first, without saving, and quits a word processor that the
    // program started. Does nothing without WordApp; errors are thrown.
    void CloseConclusionDocuments();

    // Handler of the application's Quit event: runs the close handler of a
    // report document that was lost with the word processor, then forgets the
    // word processor, its documents and the sinks' connections.
    void ForgetWordApplication();
    // Handler of the report document's Close event while conclusions are not
    // being saved; the saving option replaces it with its own handler.
    void ForgetReportDocument();

    // The saving option's handlers: of the report document's Close event (which
    // must empty ReportDoc itself) and of the word processor's before-save event.
    // Empty handlers put back the defaults.
    void SetConclusionSavingHandlers(
        TDocEventsSink::TDocEvent onClose, TWordEventsSink::TDocumentBeforeSaveEvent beforeSave);

private:
    void WireSinkHandlers();
    void ShowErrorBox(const QString& text);
    void AttachOrStartWord();
    void ConfigureWord();
    void QuitStartedWord();
    // Nothing of a Word that went away is used again: the next report starts
    // from scratch.
    void ForgetWord();

    // The running instance handed back by the last look-up, held until the next
    // ConnectWord or the end.
    Automation::ComPtr<Automation::IUnknown> ActiveWordObject;
    TReportErrorBox ErrorBox;
    TReportErrorBox MessageBox;
    TDocEventsSink::TDocEvent SavingOnClose;
    TWordEventsSink::TDocumentBeforeSaveEvent SavingBeforeSave;
};

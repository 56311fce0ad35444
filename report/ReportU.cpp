#include "report/ReportU.h"

#include "platform/automation/OleError.h"
#include "platform/automation/OleServer.h"

#include <QDebug>

using namespace Automation;

namespace {

Variant FirstWindow(const Variant& document)
{
    return document.get(QStringLiteral("Windows")).call(QStringLiteral("Item"), 1);
}

} // namespace

void TReportState::WireSinkHandlers()
{
    if (WordSink) {
        WordSink->OnQuit = [this] { ForgetWordApplication(); };
        WordSink->OnDocumentBeforeSave = SavingBeforeSave;
    }
    if (DocSink) {
        if (SavingOnClose)
            DocSink->OnClose = SavingOnClose;
        else
            DocSink->OnClose = [this] { ForgetReportDocument(); };
    }
}

void TReportState::ShowErrorBox(const QString& text)
{
    if (ErrorBox)
        ErrorBox(text);
    else
        qWarning().noquote() << text;
}

// Nothing of a Word that went away is used again: the next report starts
// from scratch.
void TReportState::ForgetWord()
{
    if (DocSink)
        DocSink->Disconnect();
    if (WordSink)
        WordSink->Disconnect();
    ReportTable.clear();
    ReportDoc.clear();
    WordApp.clear();
    ActiveWordObject.reset();
}

void TReportState::AttachOrStartWord()
{
    // A word processor that this program started and still holds is found
    // running on the next report; it stays the program's own to quit.
    const Variant ownInstance = WordAttached ? Variant() : WordApp;
    WordProgId = QStringLiteral("Word.Application");
    WordAttached = false;
    CLSID clsid;
    OleCheck(CLSIDFromProgID(WordProgId, &clsid));
    ActiveWordObject.reset();
    const HRESULT hr = GetActiveObject(clsid, ActiveWordObject);
    if (hr == MK_E_UNAVAILABLE) {
        WordApp = Variant(CreateOleObject(WordProgId));
    } else {
        WordApp = Variant(GetActiveOleObject(WordProgId));
        WordAttached = ownInstance.isEmpty() || !(WordApp == ownInstance);
    }
}

void TReportState::ConfigureWord()
{
    WordApp.set(QStringLiteral("DisplayAlerts"), 0);
    const Variant options = WordApp.get(QStringLiteral("Options"));
    options.set(QStringLiteral("CheckSpellingAsYouType"), false);
    options.set(QStringLiteral("CheckGrammarAsYouType"), false);
    // A word processor the program started stays hidden while the report is built.
    WordApp.set(QStringLiteral("Visible"), WordAttached);
}

// An instance the program started but cannot use is ended rather than left
// running unseen after the program's reference is dropped.
void TReportState::QuitStartedWord()
{
    if (WordApp.isEmpty() || WordAttached)
        return;
    try {
        WordApp.call(QStringLiteral("Quit"));
    } catch (const std::exception&) {
    }
}

void TReportState::SetReportErrorBox(TReportErrorBox box)
{
    ErrorBox = std::move(box);
}

void TReportState::SetReportMessageBox(TReportErrorBox box)
{
    MessageBox = std::move(box);
}

void TReportState::ShowReportMessage(const QString& text)
{
    if (MessageBox)
        MessageBox(text);
    else
        ShowErrorBox(text);
}

TReportState::TReportState()
    : WordSink(std::make_unique<TWordEventsSink>())
    , DocSink(std::make_unique<TDocEventsSink>())
{
    WireSinkHandlers();
}

TReportState::~TReportState()
{
    try {
        if (DocSink)
            DocSink->Disconnect();
        DocSink.reset();
        if (WordSink)
            WordSink->Disconnect();
        WordSink.reset();
    } catch (...) {
    }
    OmittedArg.clear();
    ActiveWordObject.reset();
    WordProgId.clear();
    ReportTable.clear();
    ReportDoc.clear();
    WordApp.clear();
}

bool TReportState::ConnectWord()
{
    QString failure;
    try {
        AttachOrStartWord();
        OmittedArg = Variant::Omitted();
        if (WordSink) {
            WordSink->Disconnect();
            WordSink->Connect(WordApp);
        }
        ConfigureWord();
        return true;
    } catch (const EOleError& e) {
        failure = e.Message();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    ShowErrorBox(QStringLiteral("Не могу запустить текстовый редактор LibreOffice Writer.\n%1").arg(failure));
    QuitStartedWord();
    ForgetWord();
    return false;
}

QString ConclusionFileName(const QDateTime& moment, const QLocale& locale)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return QStringLiteral("%1 %2 %3 %4 %5 %6-%7")
        .arg(ConclusionWord)
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(locale.standaloneMonthName(date.month(), QLocale::LongFormat))
        .arg(date.day())
        .arg(locale.standaloneDayName(date.dayOfWeek(), QLocale::LongFormat))
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'));
}

QString ConclusionFileName()
{
    return ConclusionFileName(QDateTime::currentDateTime(), QLocale());
}

void TReportState::ShowReport()
{
    if (!ReportDoc.isEmpty())
        FirstWindow(ReportDoc).set(QStringLiteral("Caption"), ConclusionFileName());
    WordApp.set(QStringLiteral("Visible"), true);
    WordApp.call(QStringLiteral("Activate"));
    const Variant documents = WordApp.get(QStringLiteral("Documents"));
    const int count = documents.get(QStringLiteral("Count")).toInt();
    for (int i = 1; i <= count; ++i) {
        const Variant window = FirstWindow(documents.call(QStringLiteral("Item"), i));
        if (window.get(QStringLiteral("Caption")).toString().contains(ConclusionWord)) {
            window.call(QStringLiteral("SetFocus"));
            return;
        }
    }
}

void TReportState::CloseConclusionDocuments()
{
    if (WordApp.isEmpty())
        return;
    const Variant documents = WordApp.get(QStringLiteral("Documents"));
    const int count = documents.get(QStringLiteral("Count")).toInt();
    for (int i = 0; i < count; ++i) {
        const Variant document = documents.call(QStringLiteral("Item"), count - i);
        if (FirstWindow(document).get(QStringLiteral("Caption")).toString().contains(ConclusionWord))
            document.call(QStringLiteral("Close"), 0);
    }
    if (!WordAttached && !WordApp.isEmpty()) {
        const Variant application = WordApp;
        application.call(QStringLiteral("Quit"));
        WordApp.clear();
    }
}

void TReportState::ForgetWordApplication()
{
    // Word took its documents along. A report document that did not close
    // first was lost with it (the office ended or was given up): its close
    // handler still runs, so that what could not be kept is told.
    if (!ReportDoc.isEmpty() && DocSink && DocSink->OnClose)
        DocSink->OnClose();
    ForgetWord();
}

void PrepareWord()
{
    PrepareOleObject(QStringLiteral("Word.Application"));
}

void TReportState::ForgetReportDocument()
{
    ReportDoc.clear();
}

void TReportState::SetConclusionSavingHandlers(
    TDocEventsSink::TDocEvent onClose, TWordEventsSink::TDocumentBeforeSaveEvent beforeSave)
{
    SavingOnClose = std::move(onClose);
    SavingBeforeSave = std::move(beforeSave);
    WireSinkHandlers();
}

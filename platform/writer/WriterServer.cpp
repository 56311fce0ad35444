#include "platform/writer/WriterServer.h"

#include "platform/automation/OleServer.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/writer/CallLimit.h"
#include "platform/writer/UnoCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WordApplication.h"

#include <com/sun/star/uno/Exception.hpp>

#include <QDir>
#include <QGuiApplication>
#include <QUrl>

#include <algorithm>

using Automation::ComPtr;
using Automation::HRESULT;
using Automation::IDispatch;

namespace {

WriterServer::Settings g_settings;
// The instance the program talks to; an office that went away is dropped
// on the next request.
ComPtr<WordApplication> g_application;
// Offices this program started, ended by shutdown().
std::vector<std::shared_ptr<UnoOffice>> g_started;

bool useHeadless()
{
    switch (g_settings.headless) {
    case WriterServer::Settings::Headless::Yes:
        return true;
    case WriterServer::Settings::Headless::No:
        return false;
    case WriterServer::Settings::Headless::Auto:
        break;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void dropDeadInstance()
{
    if (g_application && !g_application->isAlive())
        g_application.reset();
    g_started.erase(std::remove_if(g_started.begin(), g_started.end(),
                        [](const auto& office) {
                            return !office->isAlive() && !OfficeProcess::isRunning(office->pid());
                        }),
        g_started.end());
}

HRESULT handOut(ComPtr<IDispatch>& out)
{
    out = ComPtr<IDispatch>(static_cast<IDispatch*>(g_application.get()));
    return Automation::S_OK;
}

HRESULT getActive(ComPtr<IDispatch>& out)
{
    dropDeadInstance();
    if (!g_application) {
        std::shared_ptr<UnoOffice> office = UnoOffice::connect(g_settings.pipeName);
        if (!office)
            return Automation::MK_E_UNAVAILABLE;
        try {
            g_application = Automation::MakeDispatch<WordApplication>(office, useHeadless());
        } catch (const Automation::EOleError& e) {
            return e.ErrorCode();
        } catch (const css::uno::Exception&) {
            return Automation::RPC_E_DISCONNECTED;
        }
    }
    return handOut(out);
}

HRESULT create(ComPtr<IDispatch>& out)
{
    dropDeadInstance();
    if (g_application)
        return handOut(out);
    OfficeStartOptions options;
    options.program = g_settings.officeProgram;
    options.pipeName = g_settings.pipeName;
    options.headless = useHeadless();
    options.startTimeoutMs = g_settings.startTimeoutMs;
    if (!g_settings.profileFolder.isEmpty())
        options.profileUrl
            = QUrl::fromLocalFile(QDir(g_settings.profileFolder).absolutePath()).toString(QUrl::FullyEncoded);
    try {
        std::shared_ptr<UnoOffice> office = UnoOffice::start(options);
        g_started.push_back(office);
        g_application = Automation::MakeDispatch<WordApplication>(office, options.headless);
    } catch (const Automation::EOleError& e) {
        return e.ErrorCode();
    } catch (const css::uno::Exception&) {
        return Automation::CO_E_SERVER_EXEC_FAILURE;
    }
    return handOut(out);
}

} // namespace

namespace WriterServer {

void Register()
{
    Automation::RegisterServer(QStringLiteral("Word.Application"), Word::CLSID_Application, Factory());
}

Automation::ClassFactory Factory()
{
    // The office connection is let go while Qt and UNO are still whole, not
    // among the static destructors at exit.
    static const bool cleanupAdded = [] {
        qAddPostRoutine(&WriterServer::shutdown);
        return true;
    }();
    Q_UNUSED(cleanupAdded);
    return { create, getActive };
}

void setSettings(const Settings& settings)
{
    // Another office program or pipe is another instance: the current one is
    // no longer the running one (an office it started still ends at shutdown).
    if (settings.pipeName != g_settings.pipeName || settings.officeProgram != g_settings.officeProgram)
        g_application.reset();
    g_settings = settings;
}

Settings settings()
{
    return g_settings;
}

void shutdown()
{
    g_application.reset();
    for (const auto& office : std::exchange(g_started, {})) {
        if (!office->ownedByProgram())
            continue;
        try {
            // An office that stopped answering must not hold up the end of the program.
            const CallLimit limit(CallLimit::callMs(), &UnoOffice::abandonAll);
            office->terminate(5000);
        } catch (...) {
        }
        OfficeProcess::kill(office->pid());
    }
}

qint64 startedOfficePid()
{
    for (const auto& office : g_started)
        if (OfficeProcess::isRunning(office->pid()))
            return office->pid();
    return 0;
}

} // namespace WriterServer

#include "platform/writer/UnoOffice.h"

#include "platform/automation/HResult.h"
#include "platform/automation/OleError.h"
#include "platform/writer/CallLimit.h"
#include "platform/writer/UnoCall.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <vector>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

class BridgeListener : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeListener(UnoOffice* office)
        : m_office(office)
    {
    }
    void SAL_CALL disposing(const lang::EventObject&) override
    {
        std::lock_guard lock(m_mutex);
        if (m_office)
            m_office->connectionLost();
    }
    void detach()
    {
        std::lock_guard lock(m_mutex);
        m_office = nullptr;
    }

private:
    std::mutex m_mutex;
    UnoOffice* m_office;
};

Reference<uno::XComponentContext> LocalUnoContext()
{
    static const Reference<uno::XComponentContext> context = [] {
        // The bridge writes to the office's pipe without guarding against
        // SIGPIPE; an office that went away must give a failed call, not end
        // this process.
        std::signal(SIGPIPE, SIG_IGN);
        rtl::Bootstrap::set(OUString("URE_BOOTSTRAP"),
            OUString("vnd.sun.star.pathname:" LIBREOFFICE_PROGRAM_DIR "/fundamentalrc"));
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

namespace {

// The connections alive in this process, for abandonAll, which a call's
// watchdog and the busy view's «Не ждать» reach from anywhere: process-wide.
struct LiveOffices {
    std::mutex mutex;
    std::vector<UnoOffice*> offices;
};

LiveOffices& live()
{
    static LiveOffices* instance = new LiveOffices; // outlives offices ended at exit
    return *instance;
}

// The office restarts itself with this exit code after it set up a new
// user profile; its launcher would start it again.
constexpr int RestartExitCode = 81;
// The office opens its pipe 0.1–0.2 s after it was started; a failed
// attempt costs well under a millisecond, and a report waits for the next one.
constexpr int ConnectPollMs = 10;

Automation::EOleError endedAtStart(const OfficeStartOptions& options, const QProcess& process)
{
    const QString said = OfficeProcess::startError(options);
    return Automation::EOleError(
        QStringLiteral("Текстовый редактор LibreOffice Writer завершился сразу после запуска (код %1)%2")
            .arg(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1)
            .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said),
        Automation::CO_E_SERVER_EXEC_FAILURE);
}

} // namespace

UnoOffice::UnoOffice() = default;

UnoOffice::~UnoOffice()
{
    {
        std::lock_guard lock(live().mutex);
        live().offices.erase(std::remove(live().offices.begin(), live().offices.end(), this), live().offices.end());
    }
    if (auto* listener = static_cast<BridgeListener*>(m_bridgeListener.get()))
        listener->detach();
    try {
        if (Reference<lang::XComponent> bridge { m_bridge, UNO_QUERY }; bridge.is())
            bridge->dispose();
    } catch (const uno::Exception&) {
    }
    // The office ended or was killed by terminate, abandon or shutdown, and is
    // killed here otherwise; the process object is reaped and deleted on the
    // thread that started it, which is the only one it may be used on.
    if (!m_process)
        return;
    if (OfficeProcess::isRunning(m_pid))
        OfficeProcess::kill(m_pid);
    const auto reap = [process = m_process.release()] {
        process->waitForFinished(5000);
        delete process;
    };
    if (m_processThread == QThread::currentThread())
        reap();
    else
        UnoCall::runLater(reap);
}

void UnoOffice::abandonAll()
{
    std::lock_guard lock(live().mutex);
    for (UnoOffice* office : live().offices)
        office->abandon();
}

void UnoOffice::abandon()
{
    if (m_abandoned.exchange(true))
        return;
    // Killing the office closes its end of the pipe, which releases the
    // waiting calls; an office the user runs is only disconnected.
    if (m_process && ownedByProgram())
        OfficeProcess::kill(m_pid);
    try {
        if (Reference<lang::XComponent> bridge { m_bridge, UNO_QUERY }; bridge.is())
            bridge->dispose();
    } catch (const uno::Exception&) {
    }
}

std::shared_ptr<UnoOffice> UnoOffice::tryConnect(const QString& pipeName)
{
    const Reference<uno::XComponentContext> local = LocalUnoContext();
    Reference<connection::XConnection> link;
    try {
        link = connection::Connector::create(local)->connect(
            toOUString(QStringLiteral("pipe,name=%1").arg(pipeName)));
    } catch (const connection::NoConnectException&) {
        return nullptr;
    }
    // An office that accepts the connection but does not answer (stopped or
    // hung) is let go, which fails the calls below.
    const CallLimit limit(CallLimit::callMs(), [link] {
        try {
            link->close();
        } catch (const uno::Exception&) {
        }
    });
    std::shared_ptr<UnoOffice> office(new UnoOffice);
    office->m_bridge = bridge::BridgeFactory::create(local)->createBridge(
        OUString(), OUString("urp"), link, Reference<bridge::XInstanceProvider>());
    office->m_bridgeListener = new BridgeListener(office.get());
    Reference<lang::XComponent>(office->m_bridge, UNO_QUERY_THROW)
        ->addEventListener(office->m_bridgeListener);
    office->m_context.set(
        office->m_bridge->getInstance(OUString("StarOffice.ComponentContext")), UNO_QUERY_THROW);
    office->m_desktop = frame::Desktop::create(office->m_context);
    // Known to abandonAll once whole.
    std::lock_guard lock(live().mutex);
    live().offices.push_back(office.get());
    return office;
}

std::shared_ptr<UnoOffice> UnoOffice::connect(const QString& pipeName)
{
    try {
        return tryConnect(pipeName);
    } catch (const uno::Exception&) {
        // Something answers on the pipe but is not (yet) a usable office.
        return nullptr;
    }
}

std::shared_ptr<UnoOffice> UnoOffice::start(const OfficeStartOptions& options,
    const std::function<bool()>& givenUp, const std::function<void(qint64)>& spawned)
{
    QString error;
    std::unique_ptr<QProcess> process = OfficeProcess::startChild(options, &error);
    if (!process)
        throw Automation::EOleError(error, Automation::CO_E_APPNOTFOUND);
    qint64 pid = process->processId();
    if (spawned)
        spawned(pid);
    QDeadlineTimer deadline(options.startTimeoutMs);
    // An office that hands its arguments to one already running on the same
    // profile ends at once; that office then answers on the pipe.
    QDeadlineTimer afterExit(QDeadlineTimer::Forever);
    int restarts = 0;
    while (!deadline.hasExpired()) {
        if (givenUp && givenUp())
            break;
        if (auto office = connect(options.pipeName)) {
            office->m_pid = pid;
            office->m_processThread = process->thread();
            office->m_process = std::move(process);
            return office;
        }
        if (afterExit.isForever() && process->waitForFinished(0)) {
            const bool normal = process->exitStatus() == QProcess::NormalExit;
            if (normal && process->exitCode() == RestartExitCode && restarts++ < 3) {
                process->start();
                process->waitForStarted();
                pid = process->processId();
                if (spawned)
                    spawned(pid);
                continue;
            }
            if (!normal || process->exitCode() != 0)
                throw endedAtStart(options, *process);
            afterExit.setRemainingTime(3000);
        }
        if (afterExit.hasExpired())
            break;
        QThread::msleep(ConnectPollMs);
    }
    OfficeProcess::kill(pid);
    process->waitForFinished(5000);
    if (givenUp && givenUp())
        throw Automation::EOleError(QStringLiteral("Запуск текстового редактора прерван"), Automation::E_ABORT);
    throw Automation::EOleError(QStringLiteral("Текстовый редактор LibreOffice Writer не ответил за %1 с после запуска")
                                    .arg(options.startTimeoutMs / 1000),
        Automation::CO_E_SERVER_EXEC_FAILURE);
}

Reference<lang::XMultiComponentFactory> UnoOffice::serviceManager() const
{
    return m_context->getServiceManager();
}

bool UnoOffice::ownedByProgram() const
{
    return m_pid > 0 && OfficeProcess::isRunning(m_pid);
}

void UnoOffice::setLostHandler(LostHandler handler)
{
    std::lock_guard lock(m_handlerMutex);
    m_lostHandler = std::move(handler);
    if (m_lost && m_lostHandler)
        m_lostHandler();
}

void UnoOffice::connectionLost()
{
    if (m_lost.exchange(true))
        return;
    std::lock_guard lock(m_handlerMutex);
    if (m_lostHandler)
        m_lostHandler();
}

bool UnoOffice::terminate(int timeoutMs)
{
    bool ended = true;
    if (isAlive()) {
        try {
            ended = m_desktop->terminate();
        } catch (const uno::RuntimeException&) {
            // The bridge goes down while the office ends; that is success.
        }
    }
    if (!ended)
        return false;
    if (m_pid > 0 && !OfficeProcess::waitForEnd(m_pid, timeoutMs))
        OfficeProcess::kill(m_pid);
    return true;
}

#include "platform/writer/WriterServer.h"

#include "platform/automation/OleServer.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/writer/CallLimit.h"
#include "platform/writer/OfficeCall.h"
#include "platform/writer/UnoCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WordApplication.h"

#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <mutex>

using Automation::ComPtr;
using Automation::EOleError;
using Automation::HRESULT;
using Automation::IDispatch;

namespace {

// An office started ahead of need; its start runs on the office thread.
struct Prepared {
    std::mutex mutex;
    bool starting = true;
    // A report waits for it: it runs at normal priority and leaves loading
    // Writer to the report's own first document.
    bool wanted = false;
    qint64 pid = 0;
    std::shared_ptr<UnoOffice> office;
    // Why the start failed: told to the report that waited for it, which
    // does not wait for a second start.
    std::exception_ptr error;
    std::atomic<bool> cancelled { false };
};
// The server "Word.Application" is registered once for the whole program, as
// a COM class object is: its settings and the offices it started are too.
struct Server {
    WriterServer::Settings settings;
    // The instance the program talks to; an office that went away is dropped
    // on the next request.
    ComPtr<WordApplication> application;
    // Offices this program started, ended by shutdown().
    std::vector<std::shared_ptr<UnoOffice>> started;
    std::shared_ptr<Prepared> prepared;
    // The profile folder this instance holds, with its lock, for the whole run.
    std::unique_ptr<QLockFile> profileLock;
    QString profileFolder;
};

Server& server()
{
    // Process-wide, as the registration is (see Server).
    static Server instance;
    return instance;
}


bool useHeadless()
{
    switch (server().settings.headless) {
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

OfficeStartOptions startOptions()
{
    OfficeStartOptions options;
    options.program = server().settings.officeProgram;
    options.pipeName = server().settings.pipeName;
    options.headless = useHeadless();
    options.startTimeoutMs = server().settings.startTimeoutMs;
    const QString profile = server().settings.profileFolder.isEmpty()
        ? WriterServer::instanceProfile(
              QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/TessoraPro"))
        : server().settings.profileFolder;
    options.profileUrl = QUrl::fromLocalFile(QDir(profile).absolutePath()).toString(QUrl::FullyEncoded);
    return options;
}

// Why the office cannot do what the program wants of it; empty when it can.
QString officeProblem(const OfficeStartOptions& options)
{
    const QFileInfo program(options.program);
    if (!program.isFile() || !program.isExecutable())
        return QStringLiteral("LibreOffice Writer не установлен (нет программы %1). "
                              "Установите его командой: sudo apt install libreoffice-writer")
            .arg(options.program);
    if (!options.headless && !OfficeProcess::canShowWindows(options.program))
        return QStringLiteral("Установлен LibreOffice Writer без окон (пакет libreoffice-writer-nogui), "
                              "он не может показать отчет. Установите Writer с окнами командой: "
                              "sudo apt install libreoffice-writer");
    return OfficeProcess::makeProfileFolder(QUrl(options.profileUrl).toLocalFile());
}

// Ends an office started ahead of need that nobody took (its settings
// changed, or the program ends).
void dropPrepared()
{
    const std::shared_ptr<Prepared> prepared = std::exchange(server().prepared, {});
    if (!prepared)
        return;
    prepared->cancelled = true;
    std::lock_guard lock(prepared->mutex);
    if (prepared->office)
        server().started.push_back(std::exchange(prepared->office, {}));
}

// The office started ahead of need, once its start ended; null when it failed.
std::shared_ptr<UnoOffice> takePrepared()
{
    const std::shared_ptr<Prepared> prepared = server().prepared;
    if (!prepared)
        return nullptr;
    {
        std::lock_guard lock(prepared->mutex);
        prepared->wanted = true;
        if (prepared->starting && prepared->pid > 0)
            OfficeProcess::setNormalPriority(prepared->pid);
    }
    const unsigned giveUps = UnoCall::giveUpCount();
    UnoCall::waitUntil([&] {
        std::lock_guard lock(prepared->mutex);
        return !prepared->starting || UnoCall::giveUpCount() != giveUps;
    });
    if (UnoCall::giveUpCount() != giveUps) {
        dropPrepared();
        throw EOleError(QStringLiteral("Запуск текстового редактора прерван"), Automation::E_ABORT);
    }
    server().prepared.reset();
    std::lock_guard lock(prepared->mutex);
    if (prepared->error)
        std::rethrow_exception(prepared->error);
    if (prepared->office && prepared->office->isAlive()) {
        OfficeProcess::setNormalPriority(prepared->office->pid());
        return prepared->office;
    }
    return nullptr;
}

std::shared_ptr<UnoOffice> startOffice(const OfficeStartOptions& options)
{
    const unsigned giveUps = UnoCall::giveUpCount();
    std::shared_ptr<UnoOffice> office;
    UnoCall::run([&] { office = UnoOffice::start(options, [giveUps] { return UnoCall::giveUpCount() != giveUps; }); });
    return office;
}

void dropDeadInstance()
{
    if (server().application && !server().application->isAlive())
        server().application.reset();
    server().started.erase(std::remove_if(server().started.begin(), server().started.end(),
                        [](const auto& office) {
                            return !office->isAlive() && !OfficeProcess::isRunning(office->pid());
                        }),
        server().started.end());
}

HRESULT handOut(ComPtr<IDispatch>& out)
{
    out = ComPtr<IDispatch>(static_cast<IDispatch*>(server().application.get()));
    return Automation::S_OK;
}

// Connecting registers the program's listeners with the office: calls like
// any other, with their time limit.
void makeApplication(const std::shared_ptr<UnoOffice>& office, bool headless)
{
    OfficeCall::run([&] { server().application = Automation::MakeDispatch<WordApplication>(office, headless); });
}

HRESULT getActive(ComPtr<IDispatch>& out)
{
    dropDeadInstance();
    if (!server().application) {
        // An office started ahead of need is not running for anyone yet.
        if (server().prepared)
            return Automation::MK_E_UNAVAILABLE;
        std::shared_ptr<UnoOffice> office;
        UnoCall::run([&] { office = UnoOffice::connect(server().settings.pipeName); });
        if (!office)
            return Automation::MK_E_UNAVAILABLE;
        try {
            makeApplication(office, useHeadless());
        } catch (const EOleError&) {
            return Automation::RPC_E_DISCONNECTED;
        }
    }
    return handOut(out);
}

// Failures are thrown (EOleError) with their reason for the automation
// layer to pass on.
HRESULT create(ComPtr<IDispatch>& out)
{
    dropDeadInstance();
    if (server().application)
        return handOut(out);
    const OfficeStartOptions options = startOptions();
    if (const QString problem = officeProblem(options); !problem.isEmpty()) {
        dropPrepared();
        throw EOleError(problem, Automation::CO_E_APPNOTFOUND);
    }
    const UnoCall::Activity starting(QStringLiteral("Запускаю текстовый редактор LibreOffice Writer…"));
    std::shared_ptr<UnoOffice> office = takePrepared();
    if (!office)
        office = startOffice(options);
    server().started.push_back(office);
    try {
        makeApplication(office, options.headless);
    } catch (const EOleError& error) {
        if (error.ErrorCode() == Automation::E_ABORT)
            throw;
        throw EOleError(error.ErrorCode() == Automation::RPC_E_TIMEOUT
                ? QStringLiteral("Текстовый редактор LibreOffice Writer не ответил за %1 с при подключении к нему")
                      .arg(CallLimit::callMs() / 1000.0, 0, 'g', 3)
                : QStringLiteral("Текстовый редактор LibreOffice Writer не отвечает после запуска"),
            Automation::CO_E_SERVER_EXEC_FAILURE);
    }
    return handOut(out);
}

// A bare office start leaves Writer itself unloaded; a hidden document made
// and closed again loads it, so that the report's first document is quick.
void loadWriter(const UnoOffice& office)
{
    using namespace css;
    const beans::PropertyValue hidden = namedValue("Hidden", uno::Any(true));
    const uno::Reference<util::XCloseable> document(
        uno::Reference<frame::XComponentLoader>(office.desktop(), uno::UNO_QUERY_THROW)
            ->loadComponentFromURL(OUString("private:factory/swriter"), OUString("_blank"), 0,
                uno::Sequence<beans::PropertyValue>(&hidden, 1)),
        uno::UNO_QUERY_THROW);
    document->close(true);
}

bool isWanted(Prepared& prepared)
{
    std::lock_guard lock(prepared.mutex);
    return prepared.wanted;
}

// Runs on the office thread. A report that already waits gets the office as
// soon as it answers, at normal priority.
std::shared_ptr<UnoOffice> startPrepared(
    const std::shared_ptr<Prepared>& prepared, const OfficeStartOptions& options)
{
    const auto spawned = [prepared](qint64 pid) {
        std::lock_guard lock(prepared->mutex);
        prepared->pid = pid;
        if (prepared->wanted)
            OfficeProcess::setNormalPriority(pid);
    };
    std::shared_ptr<UnoOffice> office = UnoOffice::start(
        options, [prepared] { return prepared->cancelled.load(); }, spawned);
    if (!isWanted(*prepared)) {
        const CallLimit limit(CallLimit::callMs(), [office] { office->abandon(); });
        loadWriter(*office);
    }
    return office;
}

void prepareOffice()
{
    dropDeadInstance();
    if (server().application || server().prepared)
        return;
    OfficeStartOptions options = startOptions();
    if (!officeProblem(options).isEmpty())
        return;
    options.lowPriority = true;
    auto prepared = std::make_shared<Prepared>();
    server().prepared = prepared;
    UnoCall::runLater([prepared, options] {
        std::shared_ptr<UnoOffice> office;
        std::exception_ptr error;
        try {
            office = startPrepared(prepared, options);
        } catch (const EOleError&) {
            // Told when a report asks for the office.
            error = std::current_exception();
        } catch (...) {
            // Writer did not load: the report's own start tries again.
        }
        std::lock_guard lock(prepared->mutex);
        prepared->office = office;
        prepared->error = error;
        prepared->starting = false;
    });
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
    return { create, getActive, prepareOffice };
}

void prepare()
{
    prepareOffice();
}

void setSettings(const Settings& settings)
{
    // Another office program or pipe is another instance: the current one is
    // no longer the running one (an office it started still ends at shutdown).
    if (settings.pipeName != server().settings.pipeName || settings.officeProgram != server().settings.officeProgram)
        server().application.reset();
    if (settings.pipeName != server().settings.pipeName || settings.officeProgram != server().settings.officeProgram
        || settings.profileFolder != server().settings.profileFolder || settings.headless != server().settings.headless)
        dropPrepared();
    server().settings = settings;
}

Settings settings()
{
    return server().settings;
}

void shutdown()
{
    server().application.reset();
    dropPrepared();
    for (const auto& office : std::exchange(server().started, {})) {
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
    for (const auto& office : server().started)
        if (OfficeProcess::isRunning(office->pid()))
            return office->pid();
    if (server().prepared) {
        std::lock_guard lock(server().prepared->mutex);
        if (server().prepared->office)
            return server().prepared->office->pid();
    }
    return 0;
}

QString instanceProfile(const QString& cacheFolder)
{
    // Held until the program ends; a lock left by an instance that ended
    // without letting go is taken over.
    Server& state = server();
    if (state.profileLock)
        return state.profileFolder;
    QDir().mkpath(cacheFolder);
    QFile::setPermissions(cacheFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (int number = 1;; ++number) {
        const QString candidate = QDir(cacheFolder).filePath(QStringLiteral("office-%1").arg(number));
        auto lock = std::make_unique<QLockFile>(candidate + QStringLiteral(".lock"));
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            state.profileLock = std::move(lock);
            state.profileFolder = candidate;
            return candidate;
        }
        if (lock->error() != QLockFile::LockFailedError)
            return QDir(cacheFolder).filePath(QStringLiteral("office-pid-%1").arg(QCoreApplication::applicationPid()));
    }
}

} // namespace WriterServer

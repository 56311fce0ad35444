#include "platform/writer/UnoCall.h"

#include "platform/automation/BusyView.h"
#include "platform/writer/UnoOffice.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Most office calls take well under a millisecond: the GUI thread waits for
// them without its event loop, which would cost more than the call itself.
constexpr auto QuietWait = std::chrono::milliseconds(50);
// The busy view appears only for a wait that a person notices.
constexpr int BusyViewDelayMs = 800;
// The longest the window goes without handling its events while it waits.
constexpr auto EventsInterval = std::chrono::milliseconds(40);
// Longer than the program's own work between two calls of one task.
constexpr auto SpanPause = std::chrono::milliseconds(100);

struct Job {
    std::function<void()> owned;
    const std::function<void()>* work = &owned;
    // The GUI thread waits for it: notifications that arrive while it runs
    // are handed to the GUI thread, whose calls come back here.
    bool awaited = false;
    std::exception_ptr error;
    bool done = false;
};
using JobPtr = std::shared_ptr<Job>;
using Queue = std::deque<JobPtr>;

JobPtr makeJob(std::function<void()> work)
{
    auto job = std::make_shared<Job>();
    job->owned = std::move(work);
    return job;
}

// Everything the threads hand over, behind one lock, and the GUI thread's
// own state of its waits.
struct Hub {
    std::mutex mutex;
    std::condition_variable changed;
    Queue officeJobs; // run by the office thread
    Queue guiJobs; // UNO threads wait for the GUI thread to run these
    Queue posted; // for the GUI thread's event loop, outside waits
    int eventWaits = 0; // GUI waits running the event loop, which need waking
    std::atomic<unsigned> giveUps { 0 };

    // GUI thread only.
    Queue* target = nullptr; // where the GUI thread's calls go; null: the office thread
    // Inside a notification that the office delivers on the GUI thread itself
    // (nested in a UNO call the GUI thread made directly): the office waits on
    // this thread, so calls are made right here.
    int onCallingThread = 0;
    int waitDepth = 0;
    bool viewShown = false;
    QString viewText;
    QString activity;
    // Since when the GUI thread makes office calls without going back to its
    // event loop (a report is hundreds of short calls), and when it last
    // handled its events meanwhile; unset while it is idle.
    std::optional<Clock::time_point> busySince;
    Clock::time_point eventsHandled;
    Clock::time_point lastWaitEnd;
    QObject* inputGuard = nullptr;
};

// The one hand-over between the program's threads, so process-wide; never
// destroyed: the office thread may still wait on it while the program ends.
Hub& hub()
{
    static Hub* instance = new Hub;
    return *instance;
}

// The queue of the jobs the current thread runs while the GUI thread waits
// for one of them; one per thread by its nature.
thread_local Queue* t_serving = nullptr;

void wake() // lock held
{
    Hub& h = hub();
    h.changed.notify_all();
    if (h.eventWaits == 0)
        return;
    if (auto* app = QCoreApplication::instance())
        if (auto* dispatcher = app->thread()->eventDispatcher())
            dispatcher->wakeUp();
}

void runJob(std::unique_lock<std::mutex>& lock, const JobPtr& job)
{
    lock.unlock();
    try {
        (*job->work)();
    } catch (...) {
        job->error = std::current_exception();
    }
    lock.lock();
    job->done = true;
    wake();
}

bool runFront(std::unique_lock<std::mutex>& lock, Queue& queue)
{
    if (queue.empty())
        return false;
    const JobPtr job = queue.front();
    queue.pop_front();
    runJob(lock, job);
    return true;
}

void serveOfficeThread()
{
    Hub& h = hub();
    std::unique_lock lock(h.mutex);
    for (;;) {
        h.changed.wait(lock, [&] { return !h.officeJobs.empty(); });
        const JobPtr job = h.officeJobs.front();
        h.officeJobs.pop_front();
        t_serving = job->awaited ? &h.officeJobs : nullptr;
        runJob(lock, job);
        t_serving = nullptr;
    }
}

// Lives as long as the program: an office started from it is ended by the
// kernel when its starting thread ends. A QThread, so that the process
// objects made there have an event dispatcher to register with.
Queue& officeQueue() // lock held
{
    static QThread* const thread = [] {
        QThread* created = QThread::create(serveOfficeThread);
        created->setObjectName(QStringLiteral("office"));
        created->start();
        return created;
    }();
    Q_UNUSED(thread);
    return hub().officeJobs;
}

// Runs the calls the GUI thread waits for, queued for this thread, until
// done() holds; work queued for later stays where it is.
void serveUntil(std::unique_lock<std::mutex>& lock, Queue& mine, const std::function<bool()>& done)
{
    const auto awaited = [&] {
        return std::find_if(mine.begin(), mine.end(), [](const JobPtr& job) { return job->awaited; });
    };
    for (;;) {
        hub().changed.wait(lock, [&] { return done() || awaited() != mine.end(); });
        const auto next = awaited();
        if (next == mine.end())
            return;
        const JobPtr job = *next;
        mine.erase(next);
        runJob(lock, job);
    }
}

void drainFromEventLoop()
{
    Hub& h = hub();
    std::unique_lock lock(h.mutex);
    while (runFront(lock, h.guiJobs)) {
    }
    while (hub().waitDepth == 0 && runFront(lock, h.posted)) {
    }
}

void scheduleDrain()
{
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &drainFromEventLoop, Qt::QueuedConnection);
}

// Hands a job to the GUI thread, whether it waits for an office call or
// idles in its event loop; the lock is held again on return.
void queueForGui(std::unique_lock<std::mutex>& lock, const JobPtr& job)
{
    hub().guiJobs.push_back(job);
    wake();
    lock.unlock();
    scheduleDrain();
    lock.lock();
}

void hideView();

void giveUp()
{
    ++hub().giveUps;
    hideView();
    UnoOffice::abandonAll();
}

QString activityText()
{
    return hub().activity.isEmpty() ? QStringLiteral("Жду ответа текстового редактора LibreOffice Writer…")
                                    : hub().activity;
}

// GUI thread, outside the hand-over lock.
void showView()
{
    const Automation::BusyView& view = Automation::CurrentBusyView();
    // A view still up from the last span says what is waited for now.
    if ((hub().viewShown && hub().viewText == activityText()) || !view.show)
        return;
    hub().viewShown = true;
    hub().viewText = activityText();
    view.show(hub().viewText, &giveUp);
}

void hideView()
{
    if (std::exchange(hub().viewShown, false) && Automation::CurrentBusyView().hide)
        Automation::CurrentBusyView().hide();
}

bool isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        return true;
    case QEvent::Close:
        return event->spontaneous();
    case QEvent::StatusTip: // hints would hide the task's own message
        return true;
    default:
        return false;
    }
}

// While the GUI thread waits for the office, the person's input is answered
// at once but acts on nothing the waiting code holds: it brings up the busy
// view, through which they may give up, and which (modal) then takes the
// input. The busy span ends when the event loop next idles.
class InputGuard : public QObject {
public:
    InputGuard()
    {
        if (auto* dispatcher = QCoreApplication::instance()->thread()->eventDispatcher())
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [] {
                if (hub().waitDepth > 0)
                    return;
                hub().busySince.reset();
                hideView();
            });
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (hub().waitDepth == 0 || hub().viewShown || !isUserInput(event))
            return false;
        event->ignore();
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::Close)
            showView();
        return true;
    }
};

// GUI thread: the start of a wait. One that follows the last wait after a
// pause begins a new busy span, whatever view the last one showed.
void noteBusy(Hub& h)
{
    if (!h.inputGuard)
        h.inputGuard = new InputGuard;
    const auto now = Clock::now();
    if (h.busySince && h.waitDepth == 0 && now - h.lastWaitEnd > SpanPause) {
        hideView();
        h.busySince.reset();
    }
    if (!h.busySince)
        h.busySince = h.eventsHandled = now;
}

Clock::time_point viewDue(const Hub& h)
{
    return *h.busySince + std::chrono::milliseconds(BusyViewDelayMs);
}

// Lets the event loop run once without blocking: painting, timers, and the
// person's input (see InputGuard).
void handleEvents(std::unique_lock<std::mutex>& lock)
{
    Hub& h = hub();
    const bool viewDueNow = Clock::now() >= viewDue(h);
    lock.unlock();
    if (viewDueNow)
        showView();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    lock.lock();
    h.eventsHandled = Clock::now();
}

// The slow part of a wait: the event loop runs until ready() holds; the
// busy view shows once the GUI thread has been busy for a while.
void waitWithEvents(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready)
{
    Hub& h = hub();
    QTimer viewTimer;
    viewTimer.setSingleShot(true);
    QObject::connect(&viewTimer, &QTimer::timeout, &showView);
    viewTimer.start(int(std::max<qint64>(0,
        std::chrono::duration_cast<std::chrono::milliseconds>(viewDue(h) - Clock::now()).count())));
    ++h.eventWaits;
    while (!ready()) {
        if (runFront(lock, h.guiJobs))
            continue;
        lock.unlock();
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        lock.lock();
        h.eventsHandled = Clock::now();
    }
    --h.eventWaits;
}

} // namespace

namespace UnoCall {

bool onGuiThread()
{
    auto* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void waitUntil(const std::function<bool()>& ready)
{
    Hub& h = hub();
    noteBusy(h);
    std::unique_lock lock(h.mutex);
    ++h.waitDepth;
    const auto quietEnd = Clock::now() + QuietWait;
    while (!ready()) {
        if (runFront(lock, h.guiJobs))
            continue;
        const auto now = Clock::now();
        if (now >= quietEnd) {
            waitWithEvents(lock, ready);
            break;
        }
        // Many short calls in a row must not keep the window from its events.
        const auto eventsDue = h.eventsHandled + EventsInterval;
        if (now >= eventsDue) {
            handleEvents(lock);
            continue;
        }
        h.changed.wait_until(lock, std::min(quietEnd, eventsDue));
    }
    h.lastWaitEnd = Clock::now();
    const bool postedWaits = --h.waitDepth == 0 && !h.posted.empty();
    lock.unlock();
    if (postedWaits)
        scheduleDrain();
}

void run(const std::function<void()>& work)
{
    if (!QCoreApplication::instance() || !onGuiThread() || hub().onCallingThread > 0) {
        work();
        return;
    }
    auto job = std::make_shared<Job>();
    job->work = &work;
    job->awaited = true;
    {
        std::lock_guard lock(hub().mutex);
        (hub().target ? *hub().target : officeQueue()).push_back(job);
        hub().changed.notify_all();
    }
    waitUntil([&] { return job->done; });
    if (job->error)
        std::rethrow_exception(job->error);
}

void runLater(std::function<void()> work)
{
    std::lock_guard lock(hub().mutex);
    officeQueue().push_back(makeJob(std::move(work)));
    hub().changed.notify_all();
}

void post(std::function<void()> work)
{
    {
        std::lock_guard lock(hub().mutex);
        hub().posted.push_back(makeJob(std::move(work)));
    }
    scheduleDrain();
}

bool serveGuiWork(std::function<void()> guiWork, int startTimeoutMs)
{
    if (onGuiThread()) {
        ++hub().onCallingThread;
        const auto restore = qScopeGuard([] { --hub().onCallingThread; });
        guiWork();
        return true;
    }
    Hub& h = hub();
    // A notification caused by a call that this thread runs for the GUI
    // thread: the GUI thread waits for that call and takes the work now.
    if (t_serving) {
        const JobPtr job = makeJob(std::move(guiWork));
        std::unique_lock lock(h.mutex);
        queueForGui(lock, job);
        serveUntil(lock, *t_serving, [&] { return job->done; });
        return true;
    }
    struct Pump {
        Queue calls;
        bool started = false;
        bool finished = false;
        bool abandoned = false;
    };
    auto pump = std::make_shared<Pump>();
    const JobPtr job = makeJob([pump, guiWork = std::move(guiWork)] {
        bool pumped = false;
        {
            std::lock_guard lock(hub().mutex);
            pumped = pump->started = !pump->abandoned;
            hub().changed.notify_all();
        }
        Queue* outer = hub().target;
        if (pumped)
            hub().target = &pump->calls;
        try {
            guiWork();
        } catch (...) {
            // Dropped (see the header); a pumped UNO thread must still be let go.
        }
        hub().target = outer;
        if (pumped) {
            std::lock_guard lock(hub().mutex);
            pump->finished = true;
            hub().changed.notify_all();
        }
    });
    std::unique_lock lock(h.mutex);
    queueForGui(lock, job);
    if (!h.changed.wait_for(
            lock, std::chrono::milliseconds(startTimeoutMs), [&] { return pump->started; })) {
        pump->abandoned = true;
        return false;
    }
    Queue* outer = std::exchange(t_serving, &pump->calls);
    serveUntil(lock, pump->calls, [&] { return pump->finished; });
    t_serving = outer;
    return true;
}

unsigned giveUpCount()
{
    return hub().giveUps;
}

Activity::Activity(const QString& what)
    : m_gui(onGuiThread())
{
    if (m_gui)
        m_outer = std::exchange(hub().activity, what);
}

Activity::~Activity()
{
    if (m_gui)
        hub().activity = m_outer;
}

} // namespace UnoCall

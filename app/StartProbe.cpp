#include "app/StartProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <link.h>
#include <sys/resource.h>

namespace {

int LoadedSharedObjects()
{
    int count = 0;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            // The executable itself has no name here.
            if (info->dlpi_name && info->dlpi_name[0])
                ++*static_cast<int*>(data);
            return 0;
        },
        &count);
    return count;
}

void ReportAndQuit()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    // Whole numbers only: the application has set the user's locale, whose
    // decimal separator may be a comma.
    const auto us = [](const timeval& t) { return t.tv_sec * 1000000LL + t.tv_usec; };
    std::fprintf(stderr, "start probe: monotonic %lld ns, cpu %lld us, peak %ld KiB, shared objects loaded: %d\n",
        now.tv_sec * 1000000000LL + now.tv_nsec, us(usage.ru_utime) + us(usage.ru_stime), usage.ru_maxrss,
        LoadedSharedObjects());
    QCoreApplication::exit(0);
}

// The window's own paint event comes first in a repaint; the figures are taken
// on the next pass of the event loop, once its children are painted and the
// picture has gone to the screen.
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, &ReportAndQuit);
        }
        return false;
    }
};

} // namespace

void InstallStartProbe(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("TESSORA_START_PROBE"))
        return;
    window->installEventFilter(new FirstPaintProbe(window));
}

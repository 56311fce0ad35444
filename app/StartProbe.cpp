#include "app/StartProbe.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <link.h>

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

} // namespace

void InstallStartProbe()
{
    if (qEnvironmentVariableIsEmpty("TESSORA_START_PROBE"))
        return;
    QTimer::singleShot(0, [] {
        std::fprintf(stderr, "shared objects loaded: %d\n", LoadedSharedObjects());
        QCoreApplication::exit(0);
    });
}

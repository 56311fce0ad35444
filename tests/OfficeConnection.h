#pragma once

#include "platform/writer/UnoOffice.h"

#include <QDeadlineTimer>
#include <QString>
#include <QThread>

#include <memory>

// A connection of the test's own to the office on the pipe, as a user's
// window on that office would be; nullptr when there is none. A busy office
// now and then drops a second bridge while it is being set up, so the
// connection is tried again for a while.
inline std::shared_ptr<UnoOffice> ConnectToTestOffice(const QString& pipe, int withinMs = 30000)
{
    const QDeadlineTimer deadline(withinMs);
    std::shared_ptr<UnoOffice> office = UnoOffice::connect(pipe);
    while (!office && !deadline.hasExpired()) {
        QThread::msleep(100);
        office = UnoOffice::connect(pipe);
    }
    return office;
}

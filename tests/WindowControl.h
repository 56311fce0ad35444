#pragma once

#include "app/MainU.h"

// A control of the main window by its object name; the pages of the record
// are built first where the control is not on the frame or a page shown.
template <typename T> T* WindowControl(TfrmTessora& window, const char* name)
{
    const QString objectName = QString::fromLatin1(name);
    for (int tag = 1; !window.findChild<T*>(objectName) && tag <= RecordPageCount; ++tag)
        window.Page(tag);
    T* control = window.findChild<T*>(objectName);
    if (!control)
        qFatal("no control %s", name);
    return control;
}

#pragma once

#include "report/SinkObject.h"

#include <functional>

// Sink of Word's application events (ApplicationEvents2).
class TWordEventsSink : public TBaseSink {
public:
    using TQuitEvent = std::function<void()>;
    using TDocumentBeforeCloseEvent = std::function<void(const Automation::Variant& Doc, bool* Cancel)>;
    using TDocumentBeforeSaveEvent
        = std::function<void(const Automation::Variant& Doc, bool* SaveAsUI, bool* Cancel)>;

    TWordEventsSink();

    QString ClassName() const override { return QStringLiteral("TWordEventsSink"); }

    TQuitEvent OnQuit;
    TDocumentBeforeCloseEvent OnDocumentBeforeClose;
    TDocumentBeforeSaveEvent OnDocumentBeforeSave;

protected:
    Automation::HRESULT DoInvoke(Automation::DISPID dispId, Automation::REFIID iid, Automation::LCID locale,
        Automation::WORD flags, Automation::DispParams& params, const TArgPositions& ArgPositions,
        Automation::Variant* result, Automation::ExcepInfo* excepInfo, Automation::UINT* argErr) override;

    virtual void DoQuit();
    virtual void DoDocumentBeforeClose(const Automation::Variant& Doc, bool* Cancel);
    virtual void DoDocumentBeforeSave(const Automation::Variant& Doc, bool* SaveAsUI, bool* Cancel);
};

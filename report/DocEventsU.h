#pragma once

#include "report/SinkObject.h"

#include <functional>

// Sink of Word's document events (DocumentEvents).
class TDocEventsSink : public TBaseSink {
public:
    using TDocEvent = std::function<void()>;

    TDocEventsSink();

    QString ClassName() const override { return QStringLiteral("TDocEventsSink"); }

    TDocEvent OnNew;
    TDocEvent OnClose;

protected:
    Automation::HRESULT DoInvoke(Automation::DISPID dispId, Automation::REFIID iid, Automation::LCID locale,
        Automation::WORD flags, Automation::DispParams& params, const TArgPositions& ArgPositions,
        Automation::Variant* result, Automation::ExcepInfo* excepInfo, Automation::UINT* argErr) override;

    virtual void DoNew();
    virtual void DoClose();
};

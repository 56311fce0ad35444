#include "report/DocEventsU.h"

#include "platform/automation/WordTypeLib.h"

using namespace Automation;

TDocEventsSink::TDocEventsSink()
    : TBaseSink(Word::DIID_DocumentEvents)
{
}

HRESULT TDocEventsSink::DoInvoke(
    DISPID dispId, REFIID, LCID, WORD, DispParams&, const TArgPositions&, Variant*, ExcepInfo*, UINT*)
{
    switch (dispId) {
    case Word::DISPID_DocNew:
        DoNew();
        return S_OK;
    case Word::DISPID_DocClose:
        DoClose();
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

void TDocEventsSink::DoNew()
{
    if (OnNew)
        OnNew();
}

void TDocEventsSink::DoClose()
{
    if (OnClose)
        OnClose();
}

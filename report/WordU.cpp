#include "report/WordU.h"

#include "platform/automation/WordTypeLib.h"

using namespace Automation;

TWordEventsSink::TWordEventsSink()
    : TBaseSink(Word::DIID_ApplicationEvents2)
{
}

HRESULT TWordEventsSink::DoInvoke(DISPID dispId, REFIID, LCID, WORD, DispParams& params,
    const TArgPositions& ArgPositions, Variant*, ExcepInfo*, UINT*)
{
    switch (dispId) {
    case Word::DISPID_AppQuit:
        DoQuit();
        return S_OK;
    case Word::DISPID_AppDocumentBeforeClose: {
        const Variant* doc = Argument(params, ArgPositions, 0);
        const Variant* cancel = Argument(params, ArgPositions, 1);
        if (!doc || !cancel)
            return DISP_E_BADPARAMCOUNT;
        if (!cancel->boolRef())
            return DISP_E_TYPEMISMATCH;
        DoDocumentBeforeClose(*doc, cancel->boolRef());
        return S_OK;
    }
    case Word::DISPID_AppDocumentBeforeSave: {
        const Variant* doc = Argument(params, ArgPositions, 0);
        const Variant* saveAsUI = Argument(params, ArgPositions, 1);
        const Variant* cancel = Argument(params, ArgPositions, 2);
        if (!doc || !saveAsUI || !cancel)
            return DISP_E_BADPARAMCOUNT;
        if (!saveAsUI->boolRef() || !cancel->boolRef())
            return DISP_E_TYPEMISMATCH;
        DoDocumentBeforeSave(*doc, saveAsUI->boolRef(), cancel->boolRef());
        return S_OK;
    }
    default:
        return E_NOTIMPL;
    }
}

void TWordEventsSink::DoQuit()
{
    if (OnQuit)
        OnQuit();
}

void TWordEventsSink::DoDocumentBeforeClose(const Variant& Doc, bool* Cancel)
{
    if (OnDocumentBeforeClose)
        OnDocumentBeforeClose(Doc, Cancel);
}

void TWordEventsSink::DoDocumentBeforeSave(const Variant& Doc, bool* SaveAsUI, bool* Cancel)
{
    if (OnDocumentBeforeSave)
        OnDocumentBeforeSave(Doc, SaveAsUI, Cancel);
}

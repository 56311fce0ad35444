#pragma once

#include "platform/automation/ComInterfaces.h"

#include <QString>
#include <QtPlugin>
#include <functional>

// The registry of automation servers and the calls that find or start one:
// the program's stand-in for the class registry and the running-object table.
namespace Automation {

struct ClassFactory {
    // Starts a new instance (or connects to a new one) and returns its
    // application object.
    std::function<HRESULT(ComPtr<IDispatch>& out)> create;
    // Returns the running instance, or MK_E_UNAVAILABLE when none runs.
    std::function<HRESULT(ComPtr<IDispatch>& out)> getActive;
    // Gets ready for a create to come (starts the server ahead of need);
    // quiet, whatever happens.
    std::function<void()> prepare;
};

// Registers (or replaces) the server of a programmatic identifier such as
// "Word.Application". ProgIDs are matched without regard to case.
void RegisterServer(const QString& progId, const CLSID& clsid, ClassFactory factory);

// An in-process server kept in a plugin, as COM keeps one in a DLL: the
// plugin's root object hands out the class factory of each identifier it
// serves. The registry loads it only when an object of its class is first
// asked for, so a program that never asks never loads it and what it links.
class IServerModule {
public:
    virtual ~IServerModule() = default;
    virtual ClassFactory classFactory(const QString& progId) = 0;
};

// Registers a server that lives in the plugin `module` (a file name without
// prefix and suffix) of the program's plugin folder. A plugin that cannot be
// loaded fails the request with CO_E_SERVER_EXEC_FAILURE.
void RegisterServerModule(const QString& progId, const CLSID& clsid, const QString& module);
void UnregisterServer(const QString& progId);

// CO_E_CLASSSTRING for an identifier no server registered.
HRESULT CLSIDFromProgID(const QString& progId, CLSID* clsid);
// REGDB_E_CLASSNOTREG for an unknown class; otherwise the server's answer,
// MK_E_UNAVAILABLE when nothing runs.
HRESULT GetActiveObject(REFCLSID clsid, ComPtr<IUnknown>& out);
HRESULT CoCreateInstance(REFCLSID clsid, ComPtr<IDispatch>& out);

// Asks the server of the identifier to get ready for CreateOleObject; does
// nothing for an identifier no server registered.
void PrepareOleObject(const QString& progId);

// The throwing forms used by program code: EOleError carries the failure
// code, and the server's own reason where it gave one.
ComPtr<IDispatch> CreateOleObject(const QString& progId);
ComPtr<IDispatch> GetActiveOleObject(const QString& progId);

} // namespace Automation

#define TessoraServerModule_iid "ru.tessora.Automation.IServerModule/1"
Q_DECLARE_INTERFACE(Automation::IServerModule, TessoraServerModule_iid)

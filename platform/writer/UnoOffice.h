#pragma once

#include "platform/writer/OfficeProcess.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QProcess;
class QThread;

using rtl::OUString;

// One UNO connection to an office process: the bridge over the program's
// pipe, the office's component context and its desktop.
class UnoOffice {
public:
    using LostHandler = std::function<void()>;

    ~UnoOffice();
    UnoOffice(const UnoOffice&) = delete;
    UnoOffice& operator=(const UnoOffice&) = delete;

    // The office listening on the pipe, or nullptr when nothing listens.
    static std::shared_ptr<UnoOffice> connect(const QString& pipeName);
    // Starts an office and waits (bounded) until it answers; throws EOleError,
    // also when givenUp() turns true meanwhile. spawned() is told the process
    // id as soon as the process runs, and again when it restarts.
    static std::shared_ptr<UnoOffice> start(const OfficeStartOptions& options,
        const std::function<bool()>& givenUp = {}, const std::function<void(qint64)>& spawned = {});

    css::uno::Reference<css::uno::XComponentContext> context() const { return m_context; }
    css::uno::Reference<css::lang::XMultiComponentFactory> serviceManager() const;
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return m_desktop; }

    // False once the bridge went down (office ended or killed) or the office
    // was given up as not answering.
    bool isAlive() const { return !m_lost && !m_abandoned; }
    // The process this program started, 0 for one found running.
    qint64 pid() const { return m_pid; }
    // True while the office runs in the process this program started. A
    // launcher that handed its arguments to the user's own office ends at
    // once, and that office is not the program's to end.
    bool ownedByProgram() const;
    // Called once, on a UNO thread, when the connection goes down.
    void setLostHandler(LostHandler handler);

    // Ends the office: terminate through UNO, then kill the process when it
    // does not end in time (only one this program started). False when the
    // office refused to end (a veto).
    bool terminate(int timeoutMs = 10000);

    // Gives up every office connection of this process after a call did not
    // return in time: an office this program started is killed, any other
    // one is let go, and the calls waiting on them fail. Safe on any thread.
    static void abandonAll();
    // The same for this office alone.
    void abandon();

private:
    UnoOffice();
    static std::shared_ptr<UnoOffice> tryConnect(const QString& pipeName);
    void connectionLost();

    css::uno::Reference<css::bridge::XBridge> m_bridge;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
    css::uno::Reference<css::lang::XEventListener> m_bridgeListener;
    qint64 m_pid = 0;
    std::unique_ptr<QProcess> m_process;
    QThread* m_processThread = nullptr;
    std::atomic<bool> m_lost { false };
    std::atomic<bool> m_abandoned { false };
    std::mutex m_handlerMutex;
    LostHandler m_lostHandler;

    friend class BridgeListener;
};

// The local UNO context of this process, made once.
css::uno::Reference<css::uno::XComponentContext> LocalUnoContext();

// Conversions between Qt and UNO strings.
inline rtl::OUString toOUString(const QString& s)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(s.utf16()), s.size());
}
inline QString toQString(const rtl::OUString& s)
{
    return QString(reinterpret_cast<const QChar*>(s.getStr()), s.getLength());
}

// One named argument of an office call, such as FilterName of storeAsURL.
inline css::beans::PropertyValue namedValue(const char* name, const css::uno::Any& value)
{
    css::beans::PropertyValue property;
    property.Name = rtl::OUString::createFromAscii(name);
    property.Value = value;
    return property;
}

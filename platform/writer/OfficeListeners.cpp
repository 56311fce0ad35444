#include "platform/writer/OfficeListeners.h"

#include "platform/writer/UnoCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WordApplication.h"

#include <com/sun/star/document/DocumentEvent.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/frame/TerminationVetoException.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/frame/theGlobalEventBroadcaster.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseBroadcaster.hpp>
#include <com/sun/star/util/XCloseListener.hpp>
#include <cppuhelper/implbase3.hxx>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;

// The application is used on the GUI thread only; UNO threads just look
// whether there still is one before they bother the GUI thread.
struct ApplicationLink {
    explicit ApplicationLink(WordApplication* app)
        : application(app)
    {
    }
    std::atomic<WordApplication*> application;
};

namespace {

// Tells the application, on the GUI thread, that the office has gone.
void postQuit(const std::shared_ptr<ApplicationLink>& link)
{
    UnoCall::post([link] {
        if (WordApplication* application = link->application)
            application->officeQuit();
    });
}

} // namespace

class ListenerImpl : public cppu::WeakImplHelper3<document::XDocumentEventListener, util::XCloseListener,
                         frame::XTerminateListener> {
public:
    explicit ListenerImpl(std::shared_ptr<ApplicationLink> link)
        : m_link(std::move(link))
    {
    }

    void watch(const Reference<frame::XModel>& model)
    {
        Reference<util::XCloseBroadcaster> broadcaster(model, UNO_QUERY);
        if (!broadcaster.is() || !Reference<text::XTextDocument>(model, UNO_QUERY).is())
            return;
        {
            std::lock_guard lock(m_mutex);
            Reference<uno::XInterface> identity(model, UNO_QUERY);
            if (!m_watched.insert(identity.get()).second)
                return;
            m_keep.push_back(identity);
        }
        broadcaster->addCloseListener(this);
    }

    // XDocumentEventListener
    void SAL_CALL documentEventOccured(const document::DocumentEvent& event) override
    {
        Reference<frame::XModel> model(event.Source, UNO_QUERY);
        if (!model.is())
            return;
        const OUString& name = event.EventName;
        if (name == "OnCreate" || name == "OnNew" || name == "OnLoad") {
            watch(model);
        } else if (name == "OnSave" || name == "OnSaveAs") {
            deliver([model](WordApplication& app) { app.documentSaving(model); });
        } else if (name == "OnUnload") {
            // A document whose window was closed is unloaded without a close
            // query; this is the last moment it can still be saved.
            deliverClosing(model, true);
            unwatch(model);
        }
    }

    // XCloseListener
    void SAL_CALL queryClosing(const lang::EventObject& source, sal_Bool) override
    {
        Reference<frame::XModel> model(source.Source, UNO_QUERY);
        if (model.is() && deliverClosing(model, false))
            throw util::CloseVetoException(
                toOUString(QStringLiteral("Закрытие отменено обработчиком")), Reference<uno::XInterface>());
    }
    void SAL_CALL notifyClosing(const lang::EventObject&) override { }

    // XTerminateListener
    void SAL_CALL queryTermination(const lang::EventObject&) override { }
    void SAL_CALL notifyTermination(const lang::EventObject&) override { ::postQuit(m_link); }

    void SAL_CALL disposing(const lang::EventObject&) override { }

private:
    // True when the work ran on the GUI thread before this returned.
    template <class Work> bool deliver(Work work)
    {
        auto link = m_link;
        if (!link->application)
            return false;
        return UnoCall::serveGuiWork([link, work] {
            if (WordApplication* application = link->application)
                work(*application);
        });
    }

    // True when a handler asked to keep the document open. The last
    // notification of a document also lets it go. Handlers that the GUI
    // thread runs only after the office stopped waiting cannot keep it, and
    // their answer is not read while they may still write it.
    bool deliverClosing(const Reference<frame::XModel>& model, bool unloaded)
    {
        auto veto = std::make_shared<bool>(false);
        const bool ran = deliver([model, veto, unloaded](WordApplication& app) {
            app.documentClosing(model, unloaded ? nullptr : veto.get());
        });
        return ran && *veto;
    }

    void unwatch(const Reference<frame::XModel>& model)
    {
        std::lock_guard lock(m_mutex);
        Reference<uno::XInterface> identity(model, UNO_QUERY);
        if (m_watched.erase(identity.get()) == 0)
            return;
        m_keep.erase(std::remove(m_keep.begin(), m_keep.end(), identity), m_keep.end());
    }

    std::shared_ptr<ApplicationLink> m_link;
    std::mutex m_mutex;
    std::set<void*> m_watched;
    std::vector<Reference<uno::XInterface>> m_keep;
};

OfficeListeners::OfficeListeners(WordApplication* application, Reference<uno::XComponentContext> context,
    Reference<frame::XDesktop2> desktop)
    : m_link(std::make_shared<ApplicationLink>(application))
    , m_listener(new ListenerImpl(m_link))
    , m_context(std::move(context))
    , m_desktop(std::move(desktop))
{
    Reference<document::XDocumentEventBroadcaster> events(
        frame::theGlobalEventBroadcaster::get(m_context), UNO_QUERY);
    if (events.is())
        events->addDocumentEventListener(m_listener.get());
    m_desktop->addTerminateListener(m_listener.get());
}

OfficeListeners::~OfficeListeners()
{
    detach();
    try {
        Reference<document::XDocumentEventBroadcaster> events(
            frame::theGlobalEventBroadcaster::get(m_context), UNO_QUERY);
        if (events.is())
            events->removeDocumentEventListener(m_listener.get());
        m_desktop->removeTerminateListener(m_listener.get());
    } catch (const uno::Exception&) {
        // The office is gone; nothing to remove from.
    }
}

void OfficeListeners::watch(const Reference<frame::XModel>& model)
{
    m_listener->watch(model);
}

void OfficeListeners::detach()
{
    m_link->application = nullptr;
}

void OfficeListeners::postQuit()
{
    ::postQuit(m_link);
}

#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ref.hxx>

#include <memory>

class WordApplication;
class ListenerImpl;
struct ApplicationLink;

// The office's notifications that Word turns into events: a document about
// to close, to be saved, the office ending. They arrive on UNO threads and
// are handed to the application object on the GUI thread; for closing and
// saving the office waits until the program's handlers ran.
class OfficeListeners {
public:
    OfficeListeners(WordApplication* application, css::uno::Reference<css::uno::XComponentContext> context,
        css::uno::Reference<css::frame::XDesktop2> desktop);
    ~OfficeListeners();

    // Listens for the closing of this document (repeated calls are harmless).
    void watch(const css::uno::Reference<css::frame::XModel>& model);
    // Tells the application, on the GUI thread, that the office has gone.
    void postQuit();
    // Stops delivering; called when the application object goes.
    void detach();

private:
    std::shared_ptr<ApplicationLink> m_link;
    rtl::Reference<ListenerImpl> m_listener;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};

#pragma once

#include "platform/automation/ConnectionPoint.h"
#include "platform/automation/DispatchObject.h"
#include "platform/writer/UnoOffice.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <map>
#include <memory>
#include <vector>

class WordDocument;
class OfficeListeners;

// Word's Application object on one office process. Lives on the GUI thread;
// the office's notifications reach it through OfficeListeners.
class WordApplication : public Automation::DispatchObject {
public:
    WordApplication(std::shared_ptr<UnoOffice> office, bool headless);
    ~WordApplication() override;

    UnoOffice& office() const { return *m_office; }
    bool isAlive() const { return !m_quit && m_office->isAlive(); }
    bool visible() const { return m_visible; }

    // The one Document object of a model (made on first use).
    Automation::ComPtr<WordDocument> documentFor(const css::uno::Reference<css::frame::XModel>& model);
    void forgetDocument(WordDocument* document);
    // The text documents open in the office, in the office's order.
    std::vector<css::uno::Reference<css::frame::XModel>> textDocuments() const;
    void setActiveDocument(const css::uno::Reference<css::frame::XModel>& model) { m_active = model; }

    // Notifications from the office, on the GUI thread. veto is null when
    // the document is already being unloaded and can no longer stay.
    void documentClosing(const css::uno::Reference<css::frame::XModel>& model, bool* veto);
    void documentSaving(const css::uno::Reference<css::frame::XModel>& model);
    void officeQuit();

    // The events as Word raises them; Cancel comes back through the flag.
    void raiseDocumentBeforeClose(WordDocument& document, bool* cancel);
    void raiseDocumentBeforeSave(WordDocument& document, bool* cancel);

private:
    void addMembers();
    void addOptions();
    void raiseCloseEvents(const css::uno::Reference<css::frame::XModel>& model, bool* veto);
    // Word's ActiveDocument; EOleError when no document is open.
    Automation::ComPtr<WordDocument> activeDocument();
    // The document the program made active last, else the newest one.
    css::uno::Reference<css::frame::XModel> activeModel(
        const std::vector<css::uno::Reference<css::frame::XModel>>& models) const;
    Automation::Variant documents();
    Automation::Variant addDocument(const Automation::Args& args);
    Automation::Variant selection();
    void setVisible(bool visible);
    void setScreenUpdating(bool on);
    void activate();
    void quit();
    void closeDocumentsForQuit();
    void restoreWorkPath();
    void forEachWindow(const std::function<void(const css::uno::Reference<css::frame::XModel>&)>& work) const;

    std::shared_ptr<UnoOffice> m_office;
    std::shared_ptr<OfficeListeners> m_listeners;
    Automation::ComPtr<Automation::ConnectionPoint> m_events;
    std::map<void*, WordDocument*> m_documents;
    // Documents whose close was announced, by identity; the held model keeps
    // its identity from being reused.
    std::map<void*, css::uno::Reference<css::frame::XModel>> m_closeNotified;
    std::vector<css::uno::Reference<css::frame::XModel>> m_lockedModels;
    css::uno::Reference<css::frame::XModel> m_active;
    bool m_headless;
    bool m_visible = false;
    bool m_screenUpdating = true;
    int m_displayAlerts = -1;
    bool m_checkGrammar = true;
    bool m_quit = false;
    QString m_originalWorkPath;
};

// Identity of a UNO object, for maps.
void* unoIdentity(const css::uno::Reference<css::uno::XInterface>& object);

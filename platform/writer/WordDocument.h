#pragma once

#include "platform/automation/ConnectionPoint.h"
#include "platform/automation/DispatchObject.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

class WordApplication;

// Word's Document object on a Writer document.
class WordDocument : public Automation::DispatchObject {
public:
    WordDocument(
        Automation::ComPtr<WordApplication> application, css::uno::Reference<css::frame::XModel> model);
    ~WordDocument() override;

    const css::uno::Reference<css::frame::XModel>& model() const { return m_model; }
    bool isSavingByProgram() const { return m_savingByProgram; }
    void raiseClose();

    // Word's window caption of the document.
    QString caption() const;

private:
    void addMembers();
    void addWindowMembers();
    Automation::Variant window();
    Automation::Variant range(const Automation::Args& args);
    Automation::Variant builtInProperty(const Automation::Args& args);
    void saveAs(const QString& file);
    void close(const Automation::Variant& saveChanges);
    QString path() const;

    Automation::ComPtr<WordApplication> m_application;
    css::uno::Reference<css::frame::XModel> m_model;
    css::uno::Reference<css::text::XTextDocument> m_text;
    Automation::ComPtr<Automation::ConnectionPoint> m_events;
    bool m_savingByProgram = false;
};

#include "platform/writer/WordApplication.h"

#include "platform/automation/WordTypeLib.h"
#include "platform/writer/OfficeCall.h"
#include "platform/writer/OfficeListeners.h"
#include "platform/writer/OfficeUserName.h"
#include "platform/writer/WordCollection.h"
#include "platform/writer/WordDocument.h"
#include "platform/writer/WordRange.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/PathSettings.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XPathSettings.hpp>

#include <QDir>
#include <QUrl>

using namespace css;
using Automation::Args;
using Automation::ComPtr;
using Automation::DispatchObject;
using Automation::EOleError;
using Automation::MakeDispatch;
using Automation::Variant;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

void* unoIdentity(const Reference<uno::XInterface>& object)
{
    return Reference<uno::XInterface>(object, UNO_QUERY).get();
}

namespace {

QString localPath(const OUString& url)
{
    const QString text = toQString(url);
    return text.startsWith(QLatin1String("file:")) ? QUrl(text).toLocalFile() : text;
}

OUString fileUrl(const QString& path)
{
    return toOUString(QUrl::fromLocalFile(QDir(path).absolutePath()).toString(QUrl::FullyEncoded));
}

// What Word gives a new document: the user as its author, and table rows
// that stay with the next row on a page where their paragraphs keep with
// the next one (Writer does that only when the document asks for it).
void setUpAsWordDocument(
    const Reference<frame::XModel>& model, const Reference<uno::XComponentContext>& office)
{
    Reference<util::XModifiable> modifiable(model, UNO_QUERY_THROW);
    const bool wasModified = modifiable->isModified();
    Reference<beans::XPropertySet>(Reference<lang::XMultiServiceFactory>(model, UNO_QUERY_THROW)
                                       ->createInstance(OUString("com.sun.star.text.DocumentSettings")),
        UNO_QUERY_THROW)
        ->setPropertyValue(OUString("TableRowKeep"), Any(true));
    if (const QString author = OfficeUserName(office); !author.isEmpty())
        Reference<document::XDocumentPropertiesSupplier>(model, UNO_QUERY_THROW)
            ->getDocumentProperties()
            ->setAuthor(toOUString(author));
    modifiable->setModified(wasModified);
}

Reference<beans::XPropertySet> pathSettings(const Reference<uno::XComponentContext>& context)
{
    return Reference<beans::XPropertySet>(util::PathSettings::create(context), UNO_QUERY_THROW);
}

Reference<beans::XPropertySet> linguProperties(const Reference<uno::XComponentContext>& context)
{
    return Reference<beans::XPropertySet>(context->getServiceManager()->createInstanceWithContext(
                                              OUString("com.sun.star.linguistic2.LinguProperties"), context),
        UNO_QUERY_THROW);
}

} // namespace

WordApplication::WordApplication(std::shared_ptr<UnoOffice> office, bool headless)
    : DispatchObject(QStringLiteral("Application"))
    , m_office(std::move(office))
    , m_headless(headless)
{
    m_events = addConnectionPoint(Word::DIID_ApplicationEvents2);
    m_listeners = std::make_shared<OfficeListeners>(this, m_office->context(), m_office->desktop());
    for (const auto& model : textDocuments())
        m_listeners->watch(model);
    m_office->setLostHandler([listeners = m_listeners] { listeners->postQuit(); });
    // A running office that the user works in has its windows on screen.
    m_visible = !headless && m_office->pid() == 0;
    addMembers();
    addOptions();
}

WordApplication::~WordApplication()
{
    m_office->setLostHandler({});
    m_listeners->detach();
}

void WordApplication::addMembers()
{
    addProperty(QStringLiteral("Name"), [] { return Variant(QStringLiteral("Microsoft Word")); });
    addProperty(
        QStringLiteral("Visible"), [this] { return Variant(m_visible); },
        [this](const Variant& v) { setVisible(v.toBool()); });
    addProperty(
        QStringLiteral("DisplayAlerts"), [this] { return Variant(m_displayAlerts); },
        [this](const Variant& v) { m_displayAlerts = v.toInt(); });
    addProperty(
        QStringLiteral("ScreenUpdating"), [this] { return Variant(m_screenUpdating); },
        [this](const Variant& v) { setScreenUpdating(v.toBool()); });
    addMember(QStringLiteral("Activate"), [this](const Args&) {
        activate();
        return Variant();
    });
    addProperty(QStringLiteral("Documents"), [this] { return documents(); });
    addProperty(QStringLiteral("ActiveDocument"), [this] { return activeDocument()->asVariant(); });
    addProperty(QStringLiteral("Selection"), [this] { return selection(); });
    addMember(QStringLiteral("ChangeFileOpenDirectory"), [this](const Args& args) {
        const QString folder = args.required(0).toString();
        if (!QDir(folder).exists())
            throw EOleError(QStringLiteral("Папка %1 не найдена").arg(folder), Automation::E_INVALIDARG);
        OfficeCall::run([&] {
            auto settings = pathSettings(m_office->context());
            if (m_originalWorkPath.isEmpty()) {
                OUString original;
                settings->getPropertyValue(OUString("Work")) >>= original;
                m_originalWorkPath = toQString(original);
            }
            settings->setPropertyValue(OUString("Work"), Any(fileUrl(folder)));
        });
        return Variant();
    });
    addMember(QStringLiteral("Quit"), [this](const Args&) {
        quit();
        return Variant();
    });
}

void WordApplication::addOptions()
{
    class WordOptions : public DispatchObject {
    public:
        explicit WordOptions(WordApplication* app)
            : DispatchObject(QStringLiteral("Options"))
        {
            ComPtr<WordApplication> self(app);
            // Like Word's, the spelling option is the office's own setting.
            addProperty(
                QStringLiteral("CheckSpellingAsYouType"),
                [self] {
                    return OfficeCall::run([&] {
                        bool on = false;
                        linguProperties(self->m_office->context())->getPropertyValue(OUString("IsSpellAuto"))
                            >>= on;
                        return Variant(on);
                    });
                },
                [self](const Variant& v) {
                    const bool on = v.toBool();
                    OfficeCall::run([&] {
                        linguProperties(self->m_office->context())
                            ->setPropertyValue(OUString("IsSpellAuto"), Any(on));
                    });
                });
            // Writer checks grammar only as part of the spelling pass; the
            // value is kept for the caller.
            addProperty(
                QStringLiteral("CheckGrammarAsYouType"), [self] { return Variant(self->m_checkGrammar); },
                [self](const Variant& v) { self->m_checkGrammar = v.toBool(); });
            addMember(
                QStringLiteral("DefaultFilePath"),
                [self](const Args& args) {
                    checkPathType(args);
                    return OfficeCall::run([&] {
                        OUString url;
                        pathSettings(self->m_office->context())->getPropertyValue(OUString("Work")) >>= url;
                        return Variant(QDir::toNativeSeparators(localPath(url)));
                    });
                },
                [self](const Args& index, const Variant& value) {
                    checkPathType(index);
                    const OUString url = fileUrl(value.toString());
                    OfficeCall::run([&] {
                        pathSettings(self->m_office->context())->setPropertyValue(OUString("Work"), Any(url));
                    });
                });
        }

    private:
        static void checkPathType(const Args& args)
        {
            if (args.required(0).toInt() != Word::wdDocumentsPath)
                throw EOleError(
                    QStringLiteral("Поддерживается только папка документов"), Automation::E_INVALIDARG);
        }
    };
    addProperty(QStringLiteral("Options"), [this] { return MakeDispatch<WordOptions>(this)->asVariant(); });
}

std::vector<Reference<frame::XModel>> WordApplication::textDocuments() const
{
    return OfficeCall::run([&] {
        std::vector<Reference<frame::XModel>> models;
        Reference<container::XEnumeration> components
            = m_office->desktop()->getComponents()->createEnumeration();
        while (components->hasMoreElements()) {
            Reference<text::XTextDocument> text(components->nextElement(), UNO_QUERY);
            Reference<frame::XModel> model(text, UNO_QUERY);
            // A document without a window has been unloaded.
            if (model.is() && !m_closeNotified.count(unoIdentity(model))
                && model->getCurrentController().is())
                models.push_back(model);
        }
        return models;
    });
}

ComPtr<WordDocument> WordApplication::documentFor(const Reference<frame::XModel>& model)
{
    void* key = unoIdentity(model);
    if (auto found = m_documents.find(key); found != m_documents.end())
        return ComPtr<WordDocument>(found->second);
    auto document = MakeDispatch<WordDocument>(ComPtr<WordApplication>(this), model);
    m_documents[key] = document.get();
    OfficeCall::run([&] { m_listeners->watch(model); });
    return document;
}

void WordApplication::forgetDocument(WordDocument* document)
{
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it) {
        if (it->second == document) {
            m_documents.erase(it);
            return;
        }
    }
}

Variant WordApplication::documents()
{
    auto collection = MakeDispatch<WordCollection>(
        QStringLiteral("Documents"), [this] { return static_cast<int>(textDocuments().size()); },
        [this](int index) { return documentFor(textDocuments()[index - 1])->asVariant(); });
    collection->add(QStringLiteral("Add"), [this](const Args& args) { return addDocument(args); });
    return collection->asVariant();
}

Variant WordApplication::addDocument(const Args& args)
{
    if (!isAlive())
        throw EOleError(QStringLiteral("Текстовый редактор завершил работу"), Automation::RPC_E_DISCONNECTED);
    const QString templateFile = args.isMissing(0) ? QString() : args[0].toString();
    Reference<frame::XModel> model = OfficeCall::run([&] {
        Reference<frame::XComponentLoader> loader(m_office->desktop(), UNO_QUERY_THROW);
        std::vector<beans::PropertyValue> arguments { namedValue("Hidden", Any(!m_visible)) };
        OUString url("private:factory/swriter");
        if (!templateFile.isEmpty()) {
            url = fileUrl(templateFile);
            arguments.push_back(namedValue("AsTemplate", Any(true)));
        }
        Reference<frame::XModel> created(
            loader->loadComponentFromURL(url, OUString("_blank"), 0,
                uno::Sequence<beans::PropertyValue>(arguments.data(), arguments.size())),
            UNO_QUERY);
        if (!created.is() || !Reference<text::XTextDocument>(created, UNO_QUERY).is())
            throw EOleError(QStringLiteral("Не удалось создать документ"), Automation::E_FAIL);
        setUpAsWordDocument(created, m_office->context());
        if (!m_screenUpdating) {
            created->lockControllers();
            m_lockedModels.push_back(created);
        }
        return created;
    });
    m_active = model;
    return documentFor(model)->asVariant();
}

Variant WordApplication::selection()
{
    class WordSelection : public DispatchObject {
    public:
        WordSelection(Reference<frame::XModel> model, Reference<uno::XComponentContext> context)
            : DispatchObject(QStringLiteral("Selection"))
        {
            addProperty(QStringLiteral("Range"), [model, context] {
                RangeTarget target;
                target.kind = RangeTarget::Kind::Text;
                target.context = context;
                target.document.set(model, UNO_QUERY_THROW);
                target.text = OfficeCall::run([&]() -> Reference<text::XTextRange> {
                    Reference<text::XTextViewCursorSupplier> supplier(
                        model->getCurrentController(), UNO_QUERY);
                    if (supplier.is())
                        return supplier->getViewCursor()->getStart();
                    return target.document->getText()->getStart();
                });
                return WordRange::make(target);
            });
        }
    };
    return MakeDispatch<WordSelection>(activeDocument()->model(), m_office->context())->asVariant();
}

ComPtr<WordDocument> WordApplication::activeDocument()
{
    const auto models = textDocuments();
    if (models.empty())
        throw EOleError(QStringLiteral("Нет открытых документов"), Automation::E_FAIL);
    return documentFor(activeModel(models));
}

Reference<frame::XModel> WordApplication::activeModel(
    const std::vector<Reference<frame::XModel>>& models) const
{
    for (const auto& model : models)
        if (unoIdentity(model) == unoIdentity(m_active))
            return model;
    return models.back();
}

void WordApplication::forEachWindow(const std::function<void(const Reference<frame::XModel>&)>& work) const
{
    for (const auto& model : textDocuments())
        OfficeCall::run([&] {
            if (model->getCurrentController().is())
                work(model);
        });
}

void WordApplication::setVisible(bool visible)
{
    m_visible = visible;
    forEachWindow([visible](const Reference<frame::XModel>& model) {
        model->getCurrentController()->getFrame()->getContainerWindow()->setVisible(visible);
    });
}

void WordApplication::setScreenUpdating(bool on)
{
    if (on == m_screenUpdating)
        return;
    m_screenUpdating = on;
    OfficeCall::run([&] {
        if (on) {
            for (const auto& model : std::exchange(m_lockedModels, {}))
                if (model->hasControllersLocked())
                    model->unlockControllers();
            return;
        }
        for (const auto& model : textDocuments()) {
            model->lockControllers();
            m_lockedModels.push_back(model);
        }
    });
}

void WordApplication::activate()
{
    const auto models = textDocuments();
    if (models.empty() || !m_visible)
        return;
    const Reference<frame::XModel> target = activeModel(models);
    OfficeCall::run([&] {
        if (auto controller = target->getCurrentController(); controller.is()) {
            Reference<frame::XFrame> frame = controller->getFrame();
            frame->activate();
            if (Reference<awt::XTopWindow> top { frame->getContainerWindow(), UNO_QUERY }; top.is())
                top->toFront();
        }
    });
}

void WordApplication::quit()
{
    if (!isAlive()) {
        officeQuit();
        return;
    }
    restoreWorkPath();
    // The user's own office, which the launcher handed the program's pipe
    // to, keeps running with the user's documents; the program lets go of it.
    if (!m_office->ownedByProgram()) {
        officeQuit();
        return;
    }
    closeDocumentsForQuit();
    officeQuit();
    if (!OfficeCall::run([&] { return m_office->terminate(); })) {
        m_quit = false;
        throw EOleError(QStringLiteral("Текстовый редактор отказался завершить работу"), Automation::E_ABORT);
    }
}

void WordApplication::closeDocumentsForQuit()
{
    // Documents with changes nobody saved are left to the office, which asks
    // the user about them where it has a screen.
    for (const auto& model : textDocuments()) {
        const bool modified = OfficeCall::run(
            [&] { return Reference<util::XModifiable>(model, UNO_QUERY_THROW)->isModified(); });
        if (modified && !m_headless)
            continue;
        documentFor(model)->asVariant().call(QStringLiteral("Close"), Word::wdDoNotSaveChanges);
    }
}

void WordApplication::restoreWorkPath()
{
    if (m_originalWorkPath.isEmpty())
        return;
    try {
        OfficeCall::run([&] {
            pathSettings(m_office->context())
                ->setPropertyValue(OUString("Work"), Any(toOUString(m_originalWorkPath)));
        });
        m_originalWorkPath.clear();
    } catch (const EOleError&) {
        // The folder setting is a convenience; quitting goes on.
    }
}

void WordApplication::documentClosing(const Reference<frame::XModel>& model, bool* veto)
{
    void* key = unoIdentity(model);
    if (m_closeNotified.emplace(key, model).second)
        raiseCloseEvents(model, veto);
    // Unloaded: no further notification comes for this document.
    if (!veto)
        m_closeNotified.erase(key);
}

void WordApplication::raiseCloseEvents(const Reference<frame::XModel>& model, bool* veto)
{
    void* key = unoIdentity(model);
    auto document = documentFor(model);
    bool cancel = false;
    raiseDocumentBeforeClose(*document, &cancel);
    if (cancel && veto) {
        m_closeNotified.erase(key);
        *veto = true;
        return;
    }
    try {
        document->raiseClose();
    } catch (...) {
        // A failing handler does not keep the document from closing.
    }
    m_lockedModels.erase(std::remove_if(m_lockedModels.begin(), m_lockedModels.end(),
                             [key](const auto& locked) { return unoIdentity(locked) == key; }),
        m_lockedModels.end());
}

void WordApplication::documentSaving(const Reference<frame::XModel>& model)
{
    auto document = documentFor(model);
    if (document->isSavingByProgram())
        return;
    bool cancel = false;
    raiseDocumentBeforeSave(*document, &cancel);
}

void WordApplication::officeQuit()
{
    if (m_quit)
        return;
    m_quit = true;
    try {
        m_events->Fire(Word::DISPID_AppQuit);
    } catch (...) {
    }
}

void WordApplication::raiseDocumentBeforeClose(WordDocument& document, bool* cancel)
{
    try {
        m_events->Fire(
            Word::DISPID_AppDocumentBeforeClose, { document.asVariant(), Variant::BoolRef(cancel) });
    } catch (...) {
    }
}

void WordApplication::raiseDocumentBeforeSave(WordDocument& document, bool* cancel)
{
    bool saveAsUi = false;
    try {
        m_events->Fire(Word::DISPID_AppDocumentBeforeSave,
            { document.asVariant(), Variant::BoolRef(&saveAsUi), Variant::BoolRef(cancel) });
    } catch (...) {
    }
}

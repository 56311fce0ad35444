#include "platform/writer/WordDocument.h"

#include "platform/automation/WordTypeLib.h"
#include "platform/files/WriteFailure.h"
#include "platform/writer/OfficeCall.h"
#include "platform/writer/UnoOffice.h"
#include "platform/writer/WordApplication.h"
#include "platform/writer/WordCollection.h"
#include "platform/writer/WordRange.h"
#include "platform/writer/WordTable.h"
#include "platform/writer/WriterTableModel.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XViewSettingsSupplier.hpp>

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>

#include <algorithm>

using namespace css;
using Automation::Args;
using Automation::DispatchObject;
using Automation::EOleError;
using Automation::MakeDispatch;
using Automation::Variant;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int wdSaveChanges = -1;
constexpr int wdPromptToSaveChanges = -2;

QString filterForFile(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("docx"))
        return QStringLiteral("MS Word 2007 XML");
    if (suffix == QLatin1String("odt"))
        return QStringLiteral("writer8");
    if (suffix == QLatin1String("rtf"))
        return QStringLiteral("Rich Text Format");
    if (suffix == QLatin1String("txt"))
        return QStringLiteral("Text");
    // ".doc" and anything else: Word 97 format, as Word writes by default.
    return QStringLiteral("MS Word 97");
}

class WordView : public DispatchObject {
public:
    explicit WordView(Reference<frame::XModel> model)
        : DispatchObject(QStringLiteral("View"))
    {
        auto settings = [model]() -> Reference<beans::XPropertySet> {
            Reference<view::XViewSettingsSupplier> supplier(model->getCurrentController(), UNO_QUERY);
            if (!supplier.is())
                throw EOleError(QStringLiteral("У документа нет окна"), Automation::E_FAIL);
            return supplier->getViewSettings();
        };
        addProperty(
            QStringLiteral("TableGridlines"),
            [settings] {
                return OfficeCall::run([&] {
                    bool shown = false;
                    settings()->getPropertyValue(OUString("ShowTableBoundaries")) >>= shown;
                    return Variant(shown);
                });
            },
            [settings](const Variant& v) {
                const bool shown = v.toBool();
                OfficeCall::run(
                    [&] { settings()->setPropertyValue(OUString("ShowTableBoundaries"), Any(shown)); });
            });
    }
};

// Word's built-in document properties that the office keeps too.
struct DocumentField {
    const char* key; // Word's name in lower case
    OUString (document::XDocumentProperties::*get)();
    void (document::XDocumentProperties::*set)(const OUString&);
};
using Fields = document::XDocumentProperties;
constexpr DocumentField documentFields[] {
    { "author", &Fields::getAuthor, &Fields::setAuthor },
    { "title", &Fields::getTitle, &Fields::setTitle },
    { "subject", &Fields::getSubject, &Fields::setSubject },
    { "comments", &Fields::getDescription, &Fields::setDescription },
    { "last author", &Fields::getModifiedBy, &Fields::setModifiedBy },
};

class WordDocumentProperty : public DispatchObject {
public:
    WordDocumentProperty(Reference<frame::XModel> model, QString name)
        : DispatchObject(QStringLiteral("DocumentProperty"))
    {
        const QString key = name.toLower();
        const auto field = std::find_if(std::begin(documentFields), std::end(documentFields),
            [&key](const DocumentField& f) { return key == QLatin1String(f.key); });
        if (field == std::end(documentFields))
            throw EOleError(
                QStringLiteral("Неизвестное свойство документа %1").arg(name), Automation::DISP_E_BADINDEX);
        auto properties = [model] {
            return Reference<document::XDocumentPropertiesSupplier>(model, UNO_QUERY_THROW)
                ->getDocumentProperties();
        };
        addProperty(QStringLiteral("Name"), [name] { return Variant(name); });
        addProperty(
            QStringLiteral("Value"),
            [properties, get = field->get] {
                return OfficeCall::run([&] { return Variant(toQString((properties().get()->*get)())); });
            },
            [properties, set = field->set](const Variant& v) {
                const OUString value = toOUString(v.toString());
                OfficeCall::run([&] { (properties().get()->*set)(value); });
            });
    }
};

class WordWindow : public DispatchObject {
public:
    WordWindow(Automation::ComPtr<WordDocument> document, Automation::ComPtr<WordApplication> application)
        : DispatchObject(QStringLiteral("Window"))
    {
        const Reference<frame::XModel> model = document->model();
        addProperty(
            QStringLiteral("Caption"), [document] { return Variant(document->caption()); },
            [model](const Variant& v) {
                const OUString caption = toOUString(v.toString());
                OfficeCall::run([&] {
                    Reference<frame::XTitle>(model, UNO_QUERY_THROW)->setTitle(caption);
                    if (auto controller = model->getCurrentController(); controller.is())
                        if (Reference<frame::XTitle> frameTitle { controller->getFrame(), UNO_QUERY };
                            frameTitle.is())
                            frameTitle->setTitle(caption);
                });
            });
        auto focus = [model, application](const Args&) {
            OfficeCall::run([&] {
                auto controller = model->getCurrentController();
                if (!controller.is())
                    return;
                Reference<frame::XFrame> frame = controller->getFrame();
                frame->activate();
                Reference<awt::XWindow> window = frame->getContainerWindow();
                if (application->visible())
                    window->setVisible(true);
                window->setFocus();
                if (Reference<awt::XTopWindow> top { window, UNO_QUERY }; top.is())
                    top->toFront();
            });
            application->setActiveDocument(model);
            return Variant();
        };
        addMember(QStringLiteral("SetFocus"), focus);
        addMember(QStringLiteral("Activate"), focus);
        addProperty(QStringLiteral("View"), [model] { return MakeDispatch<WordView>(model)->asVariant(); });
        addProperty(QStringLiteral("Document"), [document] { return document->asVariant(); });
    }
};

} // namespace

WordDocument::WordDocument(Automation::ComPtr<WordApplication> application, Reference<frame::XModel> model)
    : DispatchObject(QStringLiteral("Document"))
    , m_application(std::move(application))
    , m_model(std::move(model))
    , m_text(m_model, UNO_QUERY)
{
    m_events = addConnectionPoint(Word::DIID_DocumentEvents);
    addMembers();
    addWindowMembers();
}

WordDocument::~WordDocument()
{
    m_application->forgetDocument(this);
}

void WordDocument::raiseClose()
{
    m_events->Fire(Word::DISPID_DocClose);
}

QString WordDocument::caption() const
{
    return OfficeCall::run(
        [&] { return toQString(Reference<frame::XTitle>(m_model, UNO_QUERY_THROW)->getTitle()); });
}

void WordDocument::addMembers()
{
    addProperty(QStringLiteral("Tables"),
        [this] { return MakeDispatch<WordTables>(m_text, m_application->office().context())->asVariant(); });
    addMember(QStringLiteral("Range"), [this](const Args& args) { return range(args); });
    addMember(QStringLiteral("BuiltInDocumentProperties"),
        [this](const Args& args) { return builtInProperty(args); });
    addProperty(
        QStringLiteral("Saved"),
        [this] {
            return OfficeCall::run([&] {
                return Variant(!Reference<util::XModifiable>(m_model, UNO_QUERY_THROW)->isModified());
            });
        },
        [this](const Variant& v) {
            const bool saved = v.toBool();
            OfficeCall::run(
                [&] { Reference<util::XModifiable>(m_model, UNO_QUERY_THROW)->setModified(!saved); });
        });
    addProperty(QStringLiteral("Path"), [this] { return Variant(path()); });
    addProperty(QStringLiteral("FullName"), [this] {
        return OfficeCall::run([&] {
            const QString url = toQString(m_model->getURL());
            return Variant(url.isEmpty() ? caption() : QUrl(url).toLocalFile());
        });
    });
    addMember(QStringLiteral("SaveAs"), [this](const Args& args) {
        saveAs(args.required(0).toString());
        return Variant();
    });
    addMember(QStringLiteral("Close"), [this](const Args& args) {
        close(args[0]);
        return Variant();
    });
    addProperty(QStringLiteral("Application"), [this] { return m_application->asVariant(); });
}

void WordDocument::addWindowMembers()
{
    // One window per document; the collection holds the document.
    addProperty(QStringLiteral("Windows"), [this] {
        const Automation::ComPtr<WordDocument> self(this);
        return MakeDispatch<WordCollection>(
            QStringLiteral("Windows"), [] { return 1; }, [self](int) { return self->window(); })
            ->asVariant();
    });
    addProperty(QStringLiteral("ActiveWindow"), [this] { return window(); });
    addMember(QStringLiteral("Activate"), [this](const Args&) {
        window().call(QStringLiteral("Activate"));
        return Variant();
    });
}

Variant WordDocument::window()
{
    return MakeDispatch<WordWindow>(Automation::ComPtr<WordDocument>(this), m_application)->asVariant();
}

Variant WordDocument::range(const Args& args)
{
    RangeTarget target;
    target.kind = RangeTarget::Kind::Span;
    target.context = m_application->office().context();
    target.document = m_text;
    const int length = OfficeCall::run([&] { return DocumentLayout::of(m_text).length; });
    target.start = args.isMissing(0) ? 0 : args[0].toInt();
    target.end = args.isMissing(1) ? length : args[1].toInt();
    if (target.start < 0 || target.end < target.start || target.end > length)
        throw EOleError(
            QStringLiteral("Недопустимые границы диапазона %1, %2").arg(target.start).arg(target.end),
            Automation::E_INVALIDARG);
    return WordRange::make(target);
}

Variant WordDocument::builtInProperty(const Args& args)
{
    return MakeDispatch<WordDocumentProperty>(m_model, args.required(0).toString())->asVariant();
}

QString WordDocument::path() const
{
    return OfficeCall::run([&] {
        const QString url = toQString(m_model->getURL());
        if (url.isEmpty())
            return QString();
        return QFileInfo(QUrl(url).toLocalFile()).absolutePath();
    });
}

void WordDocument::saveAs(const QString& file)
{
    if (file.trimmed().isEmpty())
        throw EOleError(QStringLiteral("Не задано имя файла"), Automation::E_INVALIDARG);
    const QString absolute = QFileInfo(file).absoluteFilePath();
    // The office would create missing folders on the way; Word refuses.
    if (!QFileInfo(absolute).dir().exists())
        throw EOleError(QStringLiteral("Папка %1 не найдена").arg(QFileInfo(absolute).absolutePath()),
            Automation::E_INVALIDARG);
    bool cancel = false;
    m_application->raiseDocumentBeforeSave(*this, &cancel);
    if (cancel)
        return;
    const OUString url = toOUString(QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded));
    const beans::PropertyValue values[] { namedValue("FilterName", Any(toOUString(filterForFile(absolute)))),
        namedValue("Overwrite", Any(true)) };
    const uno::Sequence<beans::PropertyValue> arguments(values, 2);
    m_savingByProgram = true;
    const auto saved = qScopeGuard([this] { m_savingByProgram = false; });
    OfficeCall::runSaving([&] {
        try {
            Reference<frame::XStorable>(m_model, UNO_QUERY_THROW)->storeAsURL(url, arguments);
        } catch (const io::IOException&) {
            // The office's own words are an error code and a source line.
            throw EOleError(QStringLiteral("Не могу сохранить документ в файл %1: %2")
                                .arg(QDir::toNativeSeparators(absolute),
                                    WriteFailure::reason(QFileInfo(absolute).absolutePath())),
                Automation::E_FAIL);
        }
    });
}

void WordDocument::close(const Variant& saveChanges)
{
    const auto closed = qScopeGuard(&DocumentLayout::forget);
    const int mode = saveChanges.isMissing() ? wdPromptToSaveChanges : saveChanges.toInt();
    OfficeCall::runSaving([&] {
        if (mode != Word::wdDoNotSaveChanges
            && Reference<util::XModifiable>(m_model, UNO_QUERY_THROW)->isModified()) {
            Reference<frame::XStorable> storable(m_model, UNO_QUERY_THROW);
            // Changes the user has not saved anywhere are not thrown away.
            if (!storable->hasLocation())
                throw EOleError(QStringLiteral("Документ изменен и не сохранен"), Automation::E_ABORT);
            if (mode == wdSaveChanges || mode == wdPromptToSaveChanges)
                storable->store();
        }
        try {
            Reference<util::XCloseable>(m_model, UNO_QUERY_THROW)->close(true);
        } catch (const util::CloseVetoException&) {
            throw EOleError(QStringLiteral("Закрытие документа отменено"), Automation::E_ABORT);
        }
    });
}

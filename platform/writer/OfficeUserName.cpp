#include "platform/writer/OfficeUserName.h"

#include "platform/writer/UnoOffice.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>

#include <QStringList>

#include <pwd.h>
#include <unistd.h>
#include <vector>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// Given name, patronymic and surname: the order of a Russian full name;
// empty also when the profile cannot be read, which must not stop a document.
QString ProfileName(const Reference<uno::XComponentContext>& office)
try {
    const uno::Any path(
        beans::NamedValue(OUString("nodepath"), uno::Any(OUString("/org.openoffice.UserProfile/Data"))));
    const Reference<container::XNameAccess> data(
        configuration::theDefaultProvider::get(office)->createInstanceWithArguments(
            OUString("com.sun.star.configuration.ConfigurationAccess"), uno::Sequence<uno::Any>(&path, 1)),
        UNO_QUERY_THROW);
    QStringList parts;
    for (const char* key : { "givenname", "fathersname", "sn" }) {
        const OUString name = OUString::createFromAscii(key);
        OUString part;
        if (data->hasByName(name))
            data->getByName(name) >>= part;
        if (const QString trimmed = toQString(part).trimmed(); !trimmed.isEmpty())
            parts << trimmed;
    }
    return parts.join(QLatin1Char(' '));
} catch (const uno::Exception&) {
    return QString();
}

} // namespace

QString AccountUserName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    passwd entry {};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return QString();
    // The comment field holds the full name, then room and telephone numbers.
    const QString fullName
        = QString::fromLocal8Bit(found->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
    return fullName.isEmpty() ? QString::fromLocal8Bit(found->pw_name) : fullName;
}

QString OfficeUserName(const Reference<uno::XComponentContext>& office)
{
    const QString name = ProfileName(office);
    return name.isEmpty() ? AccountUserName() : name;
}

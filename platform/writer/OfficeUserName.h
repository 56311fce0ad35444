#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>

#include <QString>

// The name Word gives a new document as its author: the user's full name as
// the office keeps it in its profile; where the profile holds none, the full
// name of the system account (the comment field of its password entry), else
// its login name.
QString OfficeUserName(const css::uno::Reference<css::uno::XComponentContext>& office);

// The system account's part of the above, for the process's own user.
QString AccountUserName();

#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/writer/OfficeCall.h"

#include <functional>

// A Word collection: Count, and Item(index) for 1 to Count, both asked
// afresh on each call; other members can be added.
class WordCollection : public Automation::DispatchObject {
public:
    WordCollection(
        const QString& name, std::function<int()> count, std::function<Automation::Variant(int)> item)
        : DispatchObject(name)
    {
        addProperty(QStringLiteral("Count"), [count] { return Automation::Variant(count()); });
        addMember(QStringLiteral("Item"), [count, item](const Automation::Args& args) {
            const int index = args.required(0).toInt();
            if (index < 1 || index > count())
                throw OfficeCall::noSuchItem(index);
            return item(index);
        });
    }
    void add(const QString& name, Getter get, Setter put = {})
    {
        addMember(name, std::move(get), std::move(put));
    }
};

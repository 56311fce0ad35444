#pragma once

#include "app/uTessoraClasses.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The questionnaire: statement texts in file order, each with the TCheck that
// holds its answer. The list owns its items.
class TQuestionList {
public:
    TQuestionList();

    // Replaces every statement; each new item is not answered.
    void load(const QStringList& statements);
    void clear();

    int count() const { return static_cast<int>(FEntries.size()); }
    QString text(int index) const;
    // The item at a 0-based index, or nullptr outside the list.
    TCheck* item(int index) const;

    // Whether statement number n (counted from 1) is answered yes; false for
    // numbers the list does not hold.
    bool isAnsweredYes(int number) const;

private:
    struct Entry {
        QString text;
        std::unique_ptr<TCheck> check;
    };
    std::vector<Entry> FEntries;
};

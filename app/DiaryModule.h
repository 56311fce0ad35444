#pragma once

#include "decision/Conclusion.h"

#include <QString>
#include <QtPlugin>

class QWidget;

// The examination diary kept in a plugin of the program: its window with the
// trend charts and its database are loaded when first used, not at start-up.
class IDiaryModule {
public:
    virtual ~IDiaryModule() = default;
    // The diary window over the diary in folder, not shown yet.
    virtual QWidget* CreateDiaryWindow(bool saveNeeded, const QString& folder, QWidget* parent) = 0;
    // Keeps the examination whose conclusion was just saved as savedFile; the
    // text of a failure the user has not been told of yet, otherwise empty.
    virtual QString KeepExamination(const ExaminationRecord& record, const Conclusion& conclusion,
        const QString& savedFile, const QString& folder, bool saveNeeded)
        = 0;
};

#define TessoraDiaryModule_iid "ru.tessora.IDiaryModule/2"
Q_DECLARE_INTERFACE(IDiaryModule, TessoraDiaryModule_iid)

// The diary plugin, loaded on the first call; nullptr with the reason, in
// Russian, when it cannot be loaded.
IDiaryModule* DiaryModule(QString* problem);

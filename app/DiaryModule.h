#pragma once

#include "decision/Conclusion.h"

#include <QString>
#include <QStringList>
#include <QUuid>
#include <QtPlugin>

class QWidget;

// The examination diary kept in a plugin of the program: its window with the
// trend charts and its database are loaded when first used, not at start-up.
// The first use in a run also brings in the diaries that older versions kept
// beside the conclusions, once, and tells the user what was brought in.
class IDiaryModule {
public:
    virtual ~IDiaryModule() = default;
    // The diary window, not shown yet; reportFolder is where the conclusions are saved.
    virtual QWidget* CreateDiaryWindow(bool saveNeeded, const QString& reportFolder, QWidget* parent) = 0;
    // The quick entry of home pressure readings, for the person named (may be empty), not shown yet.
    virtual QWidget* CreatePressureDialog(const QString& person, QWidget* parent) = 0;
    // Keeps the examination whose conclusion was just saved as savedFile: a
    // second saving of the same examination and person updates its entry. The
    // text the user is to be told (what was brought in from older diaries, a
    // failure not told yet), otherwise empty.
    virtual QString KeepExamination(const ExaminationRecord& record, const Conclusion& conclusion,
        const QUuid& examination, const QString& savedFile, bool saveNeeded)
        = 0;
    // The names of the people in the diary, the latest examined or measured first.
    virtual QStringList people() = 0;
};

#define TessoraDiaryModule_iid "ru.tessora.IDiaryModule/3"
Q_DECLARE_INTERFACE(IDiaryModule, TessoraDiaryModule_iid)

// The diary plugin, loaded on the first call; nullptr with the reason, in
// Russian, when it cannot be loaded.
IDiaryModule* DiaryModule(QString* problem);

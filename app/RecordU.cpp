#include "app/RecordU.h"

double NextRandom(quint32& seed)
{
    seed = seed * 134775813u + 1u;
    return double(seed) / 4294967296.0;
}

int DrawGender(quint32& seed)
{
    return NextRandom(seed) > 0.5 ? 1 : 0;
}

// Only the first letter: a name inside a caption keeps its capital ("пучка Гиса").
QString HintCaption(const QString& caption)
{
    return caption.left(1).toLower() + caption.mid(1);
}

static QString Flip(bool checked, const char* ticked, const char* unticked)
{
    return QString::fromUtf8(checked ? ticked : unticked);
}

QString HistoryHint(bool checked, const QString& caption, int tag)
{
    // "ЛОР врача" keeps its capitals.
    const QString quoted = tag == 2 ? caption : HintCaption(caption);
    return QStringLiteral("%1 наблюдаетесь у %2")
        .arg(Flip(checked, "Снимите флажок, если Вы не", "Установите флажок, если Вы постоянно"), quoted);
}

QString PulseRhythmHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если заметили перебои в работе сердца",
        "Установите этот флажок, если Ваш пульс ритмичен");
}

QString EcgAbsentHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если у Вас есть описанная кардиограмма",
        "Установите этот флажок, если у Вас нет описанной кардиограммы");
}

QString FluAbsentHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если у Вас есть результат флюорографии",
        "Установите этот флажок, если у Вас нет результата флюорографии");
}

QString BloodAbsentHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если у Вас есть результат клинического анализа крови",
        "Установите этот флажок, если у Вас нет результата клинического анализа крови");
}

QString UrineAbsentHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если у Вас есть результат общего анализа мочи",
        "Установите этот флажок, если у Вас нет результата общего анализа мочи");
}

QString ProteinHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если в моче не обнаружен белок",
        "Установите этот флажок, если в моче обнаружен белок");
}

QString SugarHint(bool checked)
{
    return Flip(checked, "Снимите этот флажок, если в моче не обнаружен сахар",
        "Установите этот флажок, если в моче обнаружен сахар");
}

QString EcgFindingHint(bool checked, const QString& caption, bool plural)
{
    const char* ticked = plural ? "Снимите этот флажок, если в описании ЭКГ не упоминаются"
                                : "Снимите этот флажок, если в описании ЭКГ не упоминается";
    const char* unticked = plural ? "Поставьте этот флажок, если в описании ЭКГ упоминаются"
                                  : "Поставьте этот флажок, если в описании ЭКГ упоминается";
    return QStringLiteral("%1 %2").arg(Flip(checked, ticked, unticked), HintCaption(caption));
}

QString LymphHint(bool checked, const QString& caption)
{
    return QStringLiteral("%1 лимфатических узлов %2")
        .arg(Flip(checked, "Снимите этот флажок, если Вы не обнаружили увеличения",
                 "Поставьте этот флажок, если Вы обнаружили увеличение"),
            HintCaption(caption));
}

QString LimbHint(bool checked, int tag)
{
    static const char* const genitive[] = { "расширения вен конечностей", "воспаления вен конечностей",
        "атрофии мышц конечностей", "деформации конечностей" };
    static const char* const accusative[] = { "расширение вен конечностей", "воспаление вен конечностей",
        "атрофию мышц конечностей", "деформацию конечностей" };
    const QString phrase
        = tag >= 1 && tag <= 4 ? QString::fromUtf8((checked ? genitive : accusative)[tag - 1]) : QString();
    return QStringLiteral("%1 %2").arg(Flip(checked, "Снимите этот флажок, если Вы не обнаружили",
                                           "Поставьте этот флажок, если Вы обнаружили"),
        phrase);
}

// A caption says where the hernia is ("В паху") or which it is ("Пупочная"):
// an adjective goes before the noun and agrees with it.
QString HerniaHint(bool checked, const QString& caption)
{
    const QString lead = Flip(
        checked, "Снимите этот флажок, если Вы не обнаружили", "Поставьте этот флажок, если Вы обнаружили");
    const QString noun = checked ? QStringLiteral("грыжи") : QStringLiteral("грыжу");
    const QString words = HintCaption(caption);
    if (!words.endsWith(QStringLiteral("ая")))
        return QStringLiteral("%1 %2 %3").arg(lead, noun, words);
    const QString adjective = words.chopped(2) + (checked ? QStringLiteral("ой") : QStringLiteral("ую"));
    return QStringLiteral("%1 %2 %3").arg(lead, adjective, noun);
}

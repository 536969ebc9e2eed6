#include "launch/FailureChecklist.h"

#include "checklists/ChecklistText.h"

QStringList failureCauses(const QString &storedChecklist)
{
    if (storedChecklist.isEmpty()) {
        QStringList causes(kFailureCauses, QString());
        causes[0] = QStringLiteral("Chute Failure");
        return causes;
    }
    return ParseChecklist(storedChecklist, kFailureCauses);
}

QString buildFailureNotes(const QStringList &causes, const std::array<bool, kFailureCauses> &ticked,
                          const QString &notes)
{
    QString text;
    for (int i = 0; i < kFailureCauses; ++i) {
        if (ticked[i])
            text += causes.value(i) + QLatin1Char('\n');
    }
    return text + notes;
}

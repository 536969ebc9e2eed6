#include "reflists/ReferenceList.h"

const CReferenceListInfo &referenceListInfo(ReferenceListKind kind)
{
    static const CReferenceListInfo kStatus = {"Default Status", "Active,Building,Repairing,Retired,",
                                               "Loading default Status", "Please enter a Status",
                                               "Load Default Status?"};
    static const CReferenceListInfo kMfgs = {"Default Model MFGs", "LOC,PML,EST,NCR,", "Loading default MFGs",
                                             "Please enter a Manufacturer", "Load Default Manufacturers?"};
    static const CReferenceListInfo kTypes = {"Default Model Types", "Sport,Scale,Experimental,",
                                              "Loading default Types", "Please enter a Type", "Load Default Types?"};
    switch (kind) {
    case ReferenceListKind::Status:
        return kStatus;
    case ReferenceListKind::Mfgs:
        return kMfgs;
    case ReferenceListKind::Types:
        break;
    }
    return kTypes;
}

QStringList splitReferenceList(const QString &text)
{
    QStringList items;
    qsizetype start = 0;
    while (true) {
        const qsizetype comma = text.indexOf(QLatin1Char(','), start);
        if (comma < 0)
            break;
        items.append(text.mid(start, comma - start));
        start = comma + 1;
    }
    return items;
}

QString joinReferenceList(const QStringList &entries, int maxLength)
{
    QString text;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (i == 0 && entries.at(i).isEmpty())
            continue;
        const QString item = entries.at(i) + QLatin1Char(',');
        if (text.size() + item.size() > maxLength)
            break;
        text += item;
    }
    return text;
}

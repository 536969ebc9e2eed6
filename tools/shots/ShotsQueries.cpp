#include "db/RecordStore.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryDlg.h"
#include "queries/SavedQueries.h"
#include "shots/ShotContext.h"

#include <QListWidget>

#include <cstdio>

void shootQueriesScreens(CShotContext &context)
{
    CRecordStore store;
    if (!store.Open(context.storageDirectory())) {
        std::fprintf(stderr, "tarvel-shots: cannot open the sample logbook\n");
        return;
    }
    {
        CQueryBuilderDlg builder(store, context.ui());
        builder.queryList()->setCurrentRow(0);
        context.save(builder, QStringLiteral("query-builder"));
    }
    {
        CQueryDlg viewer(store, context.ui());
        context.save(viewer, QStringLiteral("query-viewer-empty"));
        viewer.selectQuery(savedQueryIndex(store, QStringLiteral("All Rockets")));
        context.save(viewer, QStringLiteral("query-viewer"));
    }
}

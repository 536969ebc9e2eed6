#pragma once

#include <QString>

// One row of the Queries table: the name the user sees and the SQL it runs.
struct CSavedQuery
{
    QString name;
    QString sql;
};

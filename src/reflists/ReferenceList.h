#pragma once

#include <QString>
#include <QStringList>

// The three reference lists that describe a rocket: model status,
// manufacturers and types. Each is kept as one setting whose text has every
// item followed by a comma.
enum class ReferenceListKind { Status, Mfgs, Types };

struct CReferenceListInfo
{
    const char *settingName;
    const char *builtInDefault;
    const char *loadingText; // shown while the list is filled
    const char *emptyAddText; // the refusal of an empty ADD
    const char *defaultQuestion;
};

const CReferenceListInfo &referenceListInfo(ReferenceListKind kind);

// Every piece that ends with a comma, in order; text after the last comma is
// ignored, so "A,B" gives only A, and ",," gives two empty items.
QStringList splitReferenceList(const QString &text);

// The entries each followed by a comma, without the blank entry at the top
// when there is one. Items that would make the text longer than maxLength
// are left off the end, so that what is kept is still whole items.
QString joinReferenceList(const QStringList &entries, int maxLength);

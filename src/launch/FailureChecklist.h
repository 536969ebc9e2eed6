#pragma once

#include <QString>
#include <QStringList>

#include <array>

inline constexpr int kFailureCauses = 5;

// The five cause labels of the failure page from the stored failure checklist;
// with nothing stored, the one cause "Chute Failure". Empty labels are unused boxes.
QStringList failureCauses(const QString &storedChecklist);

// The flight's notes: each ticked cause on its own line, in box order, then the
// notes as typed.
QString buildFailureNotes(const QStringList &causes, const std::array<bool, kFailureCauses> &ticked,
                          const QString &notes);

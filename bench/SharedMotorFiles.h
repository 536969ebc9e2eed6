#pragma once

// The motors of the shared thrust-curve files, read once by the benchmarks
// that fly real curves.

#include "motordata/EngHeader.h"
#include "motordata/EngReader.h"
#include "motordata/ThrustCurve.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <vector>

struct CSharedEngMotor
{
    QString type;
    QString mfg;
    QString delays;
    std::vector<CThrustPoint> points;
    CEngMasses masses;
};

inline QString sharedEngFolder()
{
    return QStringLiteral(TARVEL_SHARED_TESTDATA "/eng/rocketpy");
}

// Every motor with a usable curve and a total mass; none where the folder is absent.
inline std::vector<CSharedEngMotor> sharedEngMotors()
{
    std::vector<CSharedEngMotor> motors;
    const QDir folder(sharedEngFolder());
    for (const QString &name : folder.entryList({QStringLiteral("*.eng")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = file.readAll();
        CEngReader reader;
        reader.feed(text.constData(), text.size());
        reader.finish();
        for (const CEngMotor &eng : reader.motors()) {
            CSharedEngMotor motor;
            const CMotorValues values = parseEngHeader(eng.header, &motor.masses);
            motor.type = values.type;
            motor.mfg = values.mfg;
            motor.delays = values.delay;
            motor.points = eng.points;
            if (thrustCurveProblem(motor.points).isEmpty() && motor.masses.totalKg > 0)
                motors.push_back(std::move(motor));
        }
    }
    return motors;
}

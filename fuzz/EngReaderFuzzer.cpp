// The thrust-curve reader takes any bytes: fed in blocks of varying size it
// must find the same motors, curves and stray lines as when fed whole; every
// header it takes must split into a motor with a type, a file with a control
// character must be refused as not text, and every curve's stored text must
// read back as exactly its points.
#include "motordata/CurvePointsText.h"
#include "motordata/EngHeader.h"
#include "motordata/EngReader.h"
#include "motordata/FileText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *text = reinterpret_cast<const char *>(data);
    CEngReader whole;
    whole.feed(text, qsizetype(size));
    whole.finish();

    // The first byte picks a block size, as reads of any length may arrive.
    const qsizetype block = size > 0 ? 1 + data[0] % 64 : 1;
    CEngReader pieces;
    for (qsizetype at = 0; at < qsizetype(size); at += block)
        pieces.feed(text + at, qMin(block, qsizetype(size) - at));
    pieces.finish();
    if (pieces.motors() != whole.motors() || pieces.strayLines() != whole.strayLines()
        || pieces.headlessDataLines() != whole.headlessDataLines() || pieces.binaryLine() != whole.binaryLine())
        __builtin_trap();
    // Not text exactly when some byte is a control character.
    if ((whole.binaryLine() != 0) != (firstControlLine(text, qsizetype(size)) != 0))
        __builtin_trap();

    for (const CEngMotor &motor : whole.motors()) {
        if (motor.header.size() > CEngReader::kMaxHeaderLength || !isEngHeader(motor.header)
            || parseEngHeader(motor.header).type.isEmpty())
            __builtin_trap();
        if (motor.points.size() > std::size_t(CEngReader::kMaxCurvePoints))
            __builtin_trap();
        if (parseCurvePointsText(QString::fromUtf8(motor.text)) != motor.points)
            __builtin_trap();
        // A curve that passes the checks has figures that are numbers.
        if (motor.dataProblem.isEmpty() && thrustCurveProblem(motor.points).isEmpty()) {
            const CMotorFigures figures = motorFigures(motor.points);
            if (!std::isfinite(figures.totalImpulse) || !std::isfinite(figures.averageThrust)
                || figures.impulseClass.isEmpty())
                __builtin_trap();
        }
    }
    return 0;
}

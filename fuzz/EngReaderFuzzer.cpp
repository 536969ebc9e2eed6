// The thrust-curve reader takes any bytes: the header scanner, fed in blocks
// of varying size, must find the same headers as when fed whole, every header
// must split into a motor without trouble, and every curve's stored text must
// read back as exactly its points.
#include "motors/EngHeader.h"
#include "motors/EngHeaderScanner.h"
#include "motors/MotorCurveStore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *text = reinterpret_cast<const char *>(data);
    CEngHeaderScanner whole;
    whole.feed(text, qsizetype(size));

    // The first byte picks a block size, as reads of any length may arrive.
    const qsizetype block = size > 0 ? 1 + data[0] % 64 : 1;
    CEngHeaderScanner pieces;
    for (qsizetype at = 0; at < qsizetype(size); at += block)
        pieces.feed(text + at, qMin(block, qsizetype(size) - at));
    if (pieces.headers() != whole.headers() || pieces.curves() != whole.curves()
        || whole.curves().size() != std::size_t(whole.headers().size()))
        __builtin_trap();

    for (const CEngCurve &curve : whole.curves()) {
        if (curve.readable && parseCurvePointsText(QString::fromUtf8(curve.text)) != curve.points)
            __builtin_trap();
    }

    for (const QString &header : whole.headers()) {
        if (header.size() > CEngHeaderScanner::kMaxHeaderLength)
            __builtin_trap();
        const CMotorValues motor = parseEngHeader(header);
        if (!motor.size.contains(QLatin1Char('x')))
            __builtin_trap();
    }
    return 0;
}

// How a thrust-curve file's lines become motors and their curves, whatever
// the line ends, the blocks it arrives in and the bytes it holds.
#include "motordata/EngReader.h"

#include "motordata/EngHeader.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
CEngReader read(const QByteArray &text, qsizetype block = 4096)
{
    CEngReader reader;
    for (qsizetype at = 0; at < text.size(); at += block)
        reader.feed(text.constData() + at, qMin(block, text.size() - at));
    reader.finish();
    return reader;
}

QStringList headers(const CEngReader &reader)
{
    QStringList found;
    for (const CEngMotor &motor : reader.motors())
        found.append(motor.header);
    return found;
}

// The motor of a one-motor file whose header is on line 2, after a comment.
CEngMotor onlyMotor(const QByteArray &data)
{
    const CEngReader reader = read("; c\nC6 18 70 5 0 0 Estes\n" + data);
    return reader.motors().size() == 1 ? reader.motors().front() : CEngMotor();
}
} // namespace

TEST(EngHeaderParse, FieldsAndShortLines)
{
    const CMotorValues full = parseEngHeader(QStringLiteral("  K828FJ  54.0\t579.00 6-10-14-18 1.45 2.255 AT  "));
    EXPECT_EQ(full, (CMotorValues {"K828FJ", "6-10-14-18", "AT", "54.0x579.00"}));
    // Five fields: the fifth is the maker; four: the delay is empty, the fourth is the maker.
    EXPECT_EQ(parseEngHeader(QStringLiteral("A8 18 70 3 Estes")), (CMotorValues {"A8", "3", "Estes", "18x70"}));
    EXPECT_EQ(parseEngHeader(QStringLiteral("A8 18 70 Estes")), (CMotorValues {"A8", "", "Estes", "18x70"}));

    // A header names a type and gives digits for its diameter and length.
    EXPECT_TRUE(isEngHeader(QStringLiteral("A8 18 70 Estes")));
    EXPECT_TRUE(isEngHeader(QStringLiteral("1281-K360-WH-13A 54 236 13-10-8-6-4 0.747 1.232 CTI")));
    EXPECT_FALSE(isEngHeader(QStringLiteral("A8 Estes")));
    EXPECT_FALSE(isEngHeader(QStringLiteral("Estes")));
    EXPECT_FALSE(isEngHeader(QStringLiteral("Thrust curve by hand")));
}

// However the lines end, and whether or not the last one does, a file gives
// the same motors; a header right after a motor's data starts the next motor.
TEST(EngReader, LineEndsOfEveryKindAndTheLastLineWithoutOne)
{
    const QByteArray lines[] = {"; two motors, no comment between them",
                                "C6 18 70 3-5-7 0.0108 0.0231 Estes",
                                "0.2 12.0",
                                "1.2 0.0",
                                "D12 24 70 5 0.021 0.044 Estes",
                                "0.5 20.0",
                                "1.6 0.0"};
    for (const QByteArray &end : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
        for (const bool lastEnded : {true, false}) {
            QByteArray text;
            for (const QByteArray &line : lines)
                text += line + end;
            if (!lastEnded)
                text.chop(end.size());
            for (const qsizetype block : {1, 2, 7, 4096}) {
                const CEngReader reader = read(text, block);
                const std::string what = end.toHex().toStdString() + (lastEnded ? " ended" : " open") + " in blocks of "
                    + std::to_string(block);
                ASSERT_EQ(reader.motors().size(), 2u) << what;
                const CEngMotor &c6 = reader.motors().at(0);
                const CEngMotor &d12 = reader.motors().at(1);
                EXPECT_EQ(c6.header, "C6 18 70 3-5-7 0.0108 0.0231 Estes") << what;
                EXPECT_EQ(c6.line, 2) << what;
                EXPECT_EQ(c6.points, (std::vector<CThrustPoint> {{0.2, 12.0}, {1.2, 0.0}})) << what;
                EXPECT_EQ(c6.text, "0.2 12.0\n1.2 0.0\n") << what;
                EXPECT_EQ(d12.header, "D12 24 70 5 0.021 0.044 Estes") << what;
                EXPECT_EQ(d12.line, 5) << what;
                EXPECT_EQ(d12.points, (std::vector<CThrustPoint> {{0.5, 20.0}, {1.6, 0.0}})) << what;
                EXPECT_TRUE(c6.dataProblem.isEmpty() && d12.dataProblem.isEmpty()) << what;
                EXPECT_TRUE(reader.strayLines().empty()) << what;
            }
        }
    }
    // A header on the file's only line, without a line end, is a motor without data.
    EXPECT_EQ(headers(read("E9 24 70 4 0 0 Estes")), QStringList {"E9 24 70 4 0 0 Estes"});
}

TEST(EngReader, CommentsBlanksAndByteOrderMark)
{
    const QByteArray text = "\xEF\xBB\xBF; c\n \t \n  C6 18 70 5 0 0 Estes  \n  0.1 +5 ; peak\n; between\n\n0.2 0\x1A";
    for (const qsizetype block : {1, 4096}) {
        const CEngReader reader = read(text, block);
        ASSERT_EQ(reader.motors().size(), 1u) << block;
        EXPECT_EQ(reader.motors().front().header, "  C6 18 70 5 0 0 Estes  ");
        EXPECT_EQ(reader.motors().front().points, (std::vector<CThrustPoint> {{0.1, 5}, {0.2, 0}}));
        EXPECT_EQ(reader.motors().front().text, "0.1 5\n0.2 0\n");
        EXPECT_EQ(reader.binaryLine(), 0);
    }
    // Thrust data with no header above it is counted, never taken for a motor.
    const CEngReader headless = read("\xEF\xBB\xBF"
                                     "0 0\n0.1 5\n; c\n0.2 0");
    EXPECT_TRUE(headless.motors().empty());
    EXPECT_EQ(headless.headlessDataLines(), 3);
}

// The first data line that is not a time and a thrust keeps the motor's curve
// out, with a reason that names the line; text after the data does not.
TEST(EngReader, DataThatCannotBeTakenAsWritten)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"0.1 5\n0.2 x5\n", "\"x5\" on line 4 is not a number"},
        {"0.1 nan\n", "\"nan\" on line 3 is not a finite number"},
        {"1e999 5\n", "\"1e999\" on line 3 is not a finite number"},
        {"0.1\n", "line 3 gives a time without a thrust"},
        {"0.1 5 7\n", "line 3 holds more than a time and a thrust"},
        {"0.1 5" + QByteArray(300, ' ') + "\n", "line 3 is longer than 256 characters"},
        {"0.1 5\nsome words\n0.2 0\n", "line 4 within its thrust data is neither thrust data nor a motor header"},
    };
    for (const auto &[data, problem] : cases)
        EXPECT_EQ(onlyMotor(data).dataProblem, problem) << data.toStdString();

    QByteArray many;
    for (int i = 0; i <= CEngReader::kMaxCurvePoints; ++i)
        many += QByteArray::number(i * 0.001) + " 1\n";
    EXPECT_EQ(onlyMotor(many).dataProblem, "it has more than 20000 points, the most a curve may have");

    // A long comment after the values is still a comment.
    EXPECT_TRUE(onlyMotor("0.1 5 ;" + QByteArray(300, 'c') + "\n0.2 0\n").dataProblem.isEmpty());
    // Text after the last data line is named but leaves the curve whole.
    const CEngReader trailing = read("; c\nC6 18 70 5 0 0 Estes\n0.1 5\n0.2 0\nEND OF FILE\n");
    ASSERT_EQ(trailing.motors().size(), 1u);
    EXPECT_TRUE(trailing.motors().front().dataProblem.isEmpty());
    EXPECT_EQ(trailing.motors().front().points.size(), 2u);
    EXPECT_EQ(trailing.strayLines(), (std::vector<CEngStrayLine> {{5, "END OF FILE"}}));
}

TEST(EngReader, ControlCharactersMarkAFileThatIsNotText)
{
    static const char kNul[] = "; c\nC6 18 70 5 0 0 Estes\n0.1 5\0\n0.2 0\n";
    const QByteArray nul(kNul, sizeof kNul - 1);
    EXPECT_EQ(read(nul).binaryLine(), 3);
    EXPECT_EQ(read(nul, 1).binaryLine(), 3);
    EXPECT_EQ(read("; c\r\rC6 18 70 5 0 0 Es\x1Btes\n").binaryLine(), 3);
    // Blanks of every kind and a DOS end-of-file mark are text.
    EXPECT_EQ(read("; c\n\fC6\t18\v70 5 0 0 Estes\n0.1 5\n\x1A").binaryLine(), 0);
}

TEST(EngReader, BlockBoundaryAndLongLines)
{
    QByteArray text = "; padding" + QByteArray(4096 - 9 - 1 - 10, 'x') + "\n";
    text += "G64 29 124 4-7-10 0.06 0.12 AeroTech\r\n1 1\r\n"; // starts 10 bytes before byte 4096
    ASSERT_LT(text.indexOf("G64"), 4096);
    ASSERT_GT(text.indexOf("AeroTech"), 4096);
    EXPECT_EQ(headers(read(text)), QStringList({"G64 29 124 4-7-10 0.06 0.12 AeroTech"}));
    EXPECT_EQ(read(text, 7).motors(), read(text).motors());

    const QByteArray longHeader = "H1 29 124 " + QByteArray(290, 'h');
    const QStringList cut = headers(read("; c\n" + longHeader + "\r\n1 1\n"));
    ASSERT_EQ(cut.size(), 1);
    EXPECT_EQ(cut.first(), QString::fromLatin1(longHeader.left(CEngReader::kMaxHeaderLength)));

    const QStringList huge =
        headers(read("; c\nM1 29 124 " + QByteArray(qsizetype(10) * 1024 * 1024, 'M') + "\n1 1\n"));
    ASSERT_EQ(huge.size(), 1);
    EXPECT_EQ(huge.first().size(), CEngReader::kMaxHeaderLength);
}
